#include "pipeline/commit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "operations/symbol_after_number.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::FailedRenames;
using testing::G;
using testing::Reminder;
using testing::Workbench;

const Box kPreviewFirst = Reminder("开了预览界面以后，必须先预览，\r\n请重新点左边的按钮进行预览！");
const Box kNothingToCommit = Reminder("没有发生任何变化。\r\n请仔细排查问题，重新操作!");
const Box kNoDirectory = Reminder("路径都是空的，改什么？请选择路径");
const Box kNothingCommitted = Reminder("你都没改过，撤什么？");
const Box kCountsDiffer = Reminder("列表框现标题数量 和 撤回数组的数量不一致，无法操作");
const Box kListingLengthDiffers = Reminder("列表框现标题 和 枚举到的数组，无法操作");
const Box kListingDiffers = Reminder("列表框现标题 和 枚举到的数组 不是完全相同的，不予操作");
const Box kListingEmpty = Reminder("枚举到的数组个数为0，无法操作");

// A folder loaded with preview on and pending names set: row i gets pending[i]
// (empty: none).
void Prepare(Workbench& bench, std::initializer_list<std::string> names, std::vector<std::string> pending) {
  for (const std::string& name : names) {
    bench.intake.mode == ProcessingMode::kFolders ? bench.Folders({name}) : bench.Files({name});
  }
  bench.Load();
  bench.list.SetPreviewOn(true);
  for (size_t row = 0; row < pending.size(); ++row) bench.Pending(static_cast<int>(row), pending[row]);
}

void Commit(Workbench& bench) { CommitPreview(bench.list, bench.prompter); }
void Undo(Workbench& bench) { UndoLastCommit(bench.list, bench.prompter, bench.intake); }

TEST(CommitPreview, RefusesWithoutPendingNamesOrWithoutCurrentNames) {
  Workbench noPending;
  Prepare(noPending, {"a.txt"}, {});
  noPending.list.UndoNames = {"old.txt"};
  EXPECT_EQ(CommitPreview(noPending.list, noPending.prompter), 0);
  EXPECT_EQ(noPending.Boxes(), std::vector<Box>{kPreviewFirst});
  EXPECT_TRUE(noPending.list.UndoNames.empty());

  Workbench noCurrent;
  Prepare(noCurrent, {"a.txt"}, {"b.txt"});
  noCurrent.list.SetEntryCell("", 0, 0);
  Commit(noCurrent);
  EXPECT_EQ(noCurrent.Boxes(), std::vector<Box>{kNothingToCommit});
  EXPECT_EQ(noCurrent.OnDisk(), std::set<std::string>{"a.txt"});
}

TEST(CommitPreview, RenamesRowsWithBothNamesAndRecordsTheirOldNames) {
  Workbench bench;
  Prepare(bench, {"1课.mp4", "2课.mp4", "3课.mp4", "4课.mp4"}, {"1、课.mp4", "", "3、课.mp4", "4课.mp4"});
  bench.list.SetEntryCell("", 2, 0);  // withdrawn by emptying its current name
  EXPECT_EQ(CommitPreview(bench.list, bench.prompter), 0);

  EXPECT_TRUE(bench.Boxes().empty());
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1、课.mp4", "2课.mp4", "", "4课.mp4"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "", "3、课.mp4", ""}));
  EXPECT_EQ(bench.UndoNames(), (std::vector<std::string>{"1课.mp4", "4课.mp4"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1、课.mp4", "2课.mp4", "3课.mp4", "4课.mp4"}));
}

TEST(CommitPreview, KeepsAFailedRowAsItWasAndUndoStaysAligned) {
  Workbench bench;
  Prepare(bench, {"1.txt", "2.txt", "3.txt"}, {"1a.txt", "2a.txt", "3a.txt"});
  bench.Folders({"2a.txt"});  // taken after the preview
  EXPECT_EQ(CommitPreview(bench.list, bench.prompter), 1);

  EXPECT_EQ(bench.Boxes(), std::vector<Box>{FailedRenames(1)});
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1a.txt", "2.txt", "3a.txt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "2a.txt", ""}));
  EXPECT_EQ(bench.UndoNames(), (std::vector<std::string>{"1.txt", "2.txt", "3.txt"}));
  EXPECT_EQ(bench.dir.ReadFile("3a.txt"), "content of 3.txt");
  EXPECT_EQ(bench.dir.ReadFile("2.txt"), "content of 2.txt");

  Undo(bench);
  EXPECT_EQ(bench.Boxes().size(), 1u);
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt", "3.txt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "2a.txt", ""}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.txt", "2.txt", "2a.txt/", "3.txt"}));
  EXPECT_EQ(bench.dir.ReadFile("3.txt"), "content of 3.txt");
}

TEST(CommitPreview, AppliesTheOperationsPreviewEndToEnd) {
  Workbench bench;
  bench.Files({"01课.mp4", "02课.mp4", "说明.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  RunSymbolAfterNumber(bench.Context(), {G("、")});
  Commit(bench);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"01、课.mp4", "02、课.mp4", "说明.txt"}));
  EXPECT_EQ(bench.UndoNames(), (std::vector<std::string>{"01课.mp4", "02课.mp4"}));
}

TEST(UndoLastCommit, RefusesBeforeTouchingAnything) {
  struct Case {
    const char* label;
    std::function<void(Workbench&)> arrange;  // after a commit of 1.txt 2.txt -> 1a.txt 2a.txt
    Box refusal;
  };
  const Case cases[] = {
      {"no folder", [](Workbench& b) { b.list.SetEntryDirectory(""); }, kNoDirectory},
      {"root alone", [](Workbench& b) { b.list.SetEntryDirectory("/"); }, kNoDirectory},
      {"nothing committed", [](Workbench& b) { b.list.UndoNames.clear(); }, kNothingCommitted},
      {"list reversed", [](Workbench& b) { b.list.ReverseOrder(); }, kListingDiffers},
      {"file added", [](Workbench& b) { b.dir.MakeFile("3.txt"); }, kListingLengthDiffers},
      {"folder emptied",
       [](Workbench& b) {
         std::filesystem::remove(b.dir.Path() + "1a.txt");
         std::filesystem::remove(b.dir.Path() + "2a.txt");
       },
       kListingEmpty},
      {"empty list", [](Workbench& b) { b.list.Clear(); }, kCountsDiffer},
      {"row removed",
       [](Workbench& b) {
         b.list.SetPreviewOn(false);
         b.list.RemoveSelectedRows({1}, 0);
         std::filesystem::remove(b.dir.Path() + "2a.txt");
       },
       kCountsDiffer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Workbench bench;
    Prepare(bench, {"1.txt", "2.txt"}, {"1a.txt", "2a.txt"});
    Commit(bench);
    c.arrange(bench);
    const std::set<std::string> before = bench.OnDisk();
    const std::vector<std::string> rows = bench.Column(0);
    Undo(bench);
    EXPECT_EQ(bench.Boxes(), std::vector<Box>{c.refusal});
    EXPECT_EQ(bench.OnDisk(), before);
    EXPECT_EQ(bench.Column(0), rows);
  }
}

TEST(UndoLastCommit, RefusesRightAfterStart) {
  Workbench fresh;
  Undo(fresh);
  EXPECT_EQ(fresh.Boxes(), std::vector<Box>{kNoDirectory});

  Workbench loaded;
  loaded.Files({"a.txt"});
  loaded.Load();
  Undo(loaded);
  EXPECT_EQ(loaded.Boxes(), std::vector<Box>{kNothingCommitted});
}

TEST(UndoLastCommit, RootAloneClearsTheFolder) {
  Workbench bench;
  bench.list.SetEntryDirectory("/");
  bench.list.UndoNames = {"a.txt"};
  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNoDirectory});
  EXPECT_EQ(bench.list.EntryDirectory(), "");
}

TEST(UndoLastCommit, RefusesAfterACommitThatSkippedRows) {
  Workbench bench;
  Prepare(bench, {"1.txt", "2.txt"}, {"1a.txt", ""});
  Commit(bench);
  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kCountsDiffer});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1a.txt", "2.txt"}));
}

TEST(UndoLastCommit, RefusesWhenTheNewNamesSortDifferentlyFromTheRows) {
  Workbench bench;
  Prepare(bench, {"a.txt", "b.txt"}, {"2.txt", "1.txt"});
  Commit(bench);
  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kListingDiffers});
}

TEST(UndoLastCommit, RefusesInDroppedItemsModeWhenTheFolderHoldsMore) {
  Workbench bench(ProcessingMode::kDroppedItems);
  bench.Files({"1.txt", "2.txt"});
  AcceptDroppedPath(bench.list, bench.prompter, bench.intake, bench.dir.Gbk() + "1.txt");
  bench.list.SetPreviewOn(true);
  bench.Pending(0, "1a.txt");
  Commit(bench);
  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kListingLengthDiffers});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1a.txt", "2.txt"}));

  // With the extension changed the folder is not consulted.
  bench.Pending(0, "1a.md");
  Commit(bench);
  Undo(bench);
  EXPECT_EQ(bench.Boxes().size(), 1u);
  EXPECT_EQ(bench.Column(0), std::vector<std::string>{"1a.txt"});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1a.txt", "2.txt"}));
}

TEST(UndoLastCommit, RestoresAnExtensionChangeWithoutConsultingTheFolder) {
  Workbench bench;
  Prepare(bench, {"a.txt", "b.txt"}, {"a.md", "b.md"});
  Commit(bench);
  bench.dir.MakeFile("c.log");
  Undo(bench);
  EXPECT_TRUE(bench.Boxes().empty());
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.txt", "b.txt", "c.log"}));
  EXPECT_EQ(bench.dir.ReadFile("a.txt"), "content of a.txt");
}

TEST(UndoLastCommit, KeepsARowWhoseRenameFailsAndReportsIt) {
  Workbench bench;
  Prepare(bench, {"a.txt", "b.txt"}, {"a.md", "b.md"});
  Commit(bench);
  bench.dir.MakeFile("a.txt", "newcomer");
  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{FailedRenames(1)});
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"a.md", "b.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.md", "a.txt", "b.txt"}));
  EXPECT_EQ(bench.dir.ReadFile("a.txt"), "newcomer");
}

TEST(UndoLastCommit, ChangesNothingTheSecondTime) {
  Workbench bench;
  Prepare(bench, {"1.txt", "2.txt"}, {"1a.txt", "2a.txt"});
  Commit(bench);
  Undo(bench);
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", ""}));

  Undo(bench);
  EXPECT_TRUE(bench.Boxes().empty());
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(bench.UndoNames(), (std::vector<std::string>{"1.txt", "2.txt"}));
}

TEST(UndoLastCommit, RestoresFoldersInFolderMode) {
  Workbench bench(ProcessingMode::kFolders);
  Prepare(bench, {"1课"}, {"1_课"});
  bench.Files({"x.txt"});
  Commit(bench);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1_课/", "x.txt"}));
  Undo(bench);
  EXPECT_TRUE(bench.Boxes().empty());
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1课/", "x.txt"}));
  EXPECT_EQ(bench.Column(0), std::vector<std::string>{"1课"});
}

TEST(UndoLastCommit, ComparesSubfoldersInFolderModeWithoutTheEmptyListingMessage) {
  Workbench bench(ProcessingMode::kFolders);
  Prepare(bench, {"1课"}, {"1_课"});
  Commit(bench);
  std::filesystem::remove(bench.dir.Path() + "1_课");
  bench.Files({"1_课"});  // a file of the same name is no sub-folder
  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kListingLengthDiffers});
}

// ext4 returns sub-folders in hash order; the listing's own order must make the
// rows match the folder again after a commit.
TEST(UndoLastCommit, RestoresSeveralFoldersInFolderMode) {
  Workbench bench(ProcessingMode::kFolders);
  Prepare(bench, {"1课", "2课", "3课", "4课", "5课", "6课"}, {});
  for (int row = 0; row < bench.list.RowCount(); ++row) {
    bench.list.SetEntryCell(G("x") + bench.list.Cell(row, 0), row, 1);
  }
  Commit(bench);
  Undo(bench);
  EXPECT_TRUE(bench.Boxes().empty());
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1课/", "2课/", "3课/", "4课/", "5课/", "6课/"}));
}

}  // namespace
}  // namespace vantor
