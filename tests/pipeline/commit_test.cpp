// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/commit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "operations/symbol_after_number.h"
#include "pipeline/apply_batch.h"
#include "pipeline/long_work.h"
#include "pipeline/workbench.h"
#include "platform/file_system_calls.h"
#include "support/failing_file_system.h"

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
Box NotPutBack(int count) { return Reminder("有" + std::to_string(count) + "个文件没能改回原名"); }

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
void Undo(Workbench& bench) { UndoNewestBatch(bench.list, bench.prompter); }

TEST(CommitPreview, RefusesWithoutPendingNamesOrWithoutCurrentNames) {
  Workbench noPending;
  Prepare(noPending, {"a.txt"}, {});
  EXPECT_EQ(CommitPreview(noPending.list, noPending.prompter), 0);
  EXPECT_EQ(noPending.Boxes(), std::vector<Box>{kPreviewFirst});
  EXPECT_TRUE(noPending.RecordedOldNames().empty());

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
  EXPECT_EQ(bench.RecordedOldNames(), (std::vector<std::string>{"1课.mp4"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1、课.mp4", "2课.mp4", "3课.mp4", "4课.mp4"}));
}

// With a runner the disk phase runs on another thread while the window's
// thread keeps painting the rows: the phase gathers the plan and finds the
// rows, but only the window's thread writes them, after it. A chain and a
// swap make the rows by name (the undo) depend on finding each row before any
// changes.
TEST(CommitPreview, WritesTheRowsAfterAPhaseOnAnotherThread) {
  Workbench bench;
  Prepare(bench, {"a.txt", "b.txt", "c.txt", "x.txt", "y.txt"}, {"b.txt", "c.txt", "d.txt", "y.txt", "x.txt"});
  std::vector<std::vector<std::string>> seenAfterPhase;
  const DiskPhaseRunner onAnotherThread = [&](LongWork&, const std::function<void()>& phase) {
    const std::vector<std::string> before = bench.Column(0);
    std::thread(phase).join();
    EXPECT_EQ(bench.Column(0), before) << "the phase wrote a row";
    seenAfterPhase.push_back(bench.Column(0));
  };
  struct Step {
    const char* what;
    std::function<void()> run;
    std::vector<std::string> column0;
    std::vector<std::string> column1;
    std::set<std::string> onDisk;
  };
  const std::vector<Step> steps = {
      {"commit", [&] { CommitPreview(bench.list, bench.prompter, {}, onAnotherThread); },
       {"b.txt", "c.txt", "d.txt", "y.txt", "x.txt"}, {"", "", "", "", ""},
       {"b.txt", "c.txt", "d.txt", "x.txt", "y.txt"}},
      {"undo", [&] { UndoNewestBatch(bench.list, bench.prompter, {}, onAnotherThread); },
       {"a.txt", "b.txt", "c.txt", "x.txt", "y.txt"}, {"", "", "", "", ""},
       {"a.txt", "b.txt", "c.txt", "x.txt", "y.txt"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    seenAfterPhase.clear();
    step.run();
    EXPECT_EQ(seenAfterPhase.size(), 1u);
    EXPECT_EQ(bench.Column(0), step.column0);
    EXPECT_EQ(bench.Column(1), step.column1);
    EXPECT_EQ(bench.OnDisk(), step.onDisk);
  }
  EXPECT_TRUE(bench.Boxes().empty());
}

TEST(CommitPreview, KeepsAFailedRowAsItWasAndUndoPutsBackTheOthers) {
  Workbench bench;
  Prepare(bench, {"1.txt", "2.txt", "3.txt"}, {"1a.txt", "2a.txt", "3a.txt"});
  bench.Folders({"2a.txt"});  // taken after the preview
  EXPECT_EQ(CommitPreview(bench.list, bench.prompter), 1);

  EXPECT_EQ(bench.Boxes(), std::vector<Box>{FailedRenames(1)});
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1a.txt", "2.txt", "3a.txt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "2a.txt", ""}));
  EXPECT_EQ(bench.RecordedOldNames(), (std::vector<std::string>{"1.txt", "3.txt"}));
  EXPECT_EQ(bench.dir.ReadFile("3a.txt"), "content of 3.txt");
  EXPECT_EQ(bench.dir.ReadFile("2.txt"), "content of 2.txt");

  Undo(bench);
  EXPECT_EQ(bench.Boxes().size(), 1u);  // the commit's report only
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt", "3.txt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "2a.txt", ""}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.txt", "2.txt", "2a.txt/", "3.txt"}));
  EXPECT_EQ(bench.dir.ReadFile("3.txt"), "content of 3.txt");
}

// Between preview and commit the folder was swapped for another of the same
// name: nothing is renamed there. While the commit runs another process puts
// a file under a listed name: that one is left alone and named.
TEST(CommitPreview, RenamesOnlyInTheListedFolderAndOnlyTheListedEntries) {
  Workbench moved;
  Prepare(moved, {"a.txt", "b.txt"}, {"a2.txt", "b2.txt"});
  testing::TempDir away;
  std::filesystem::rename(moved.dir.Path(), away.Path() + "listed");
  std::filesystem::create_directory(moved.dir.Path());
  moved.Files({"a.txt", "b.txt"});
  EXPECT_EQ(CommitPreview(moved.list, moved.prompter), 0);
  EXPECT_EQ(moved.Boxes(), std::vector<Box>{Reminder("文件夹已被移动或替换，没有改名")});
  EXPECT_EQ(moved.OnDisk(), (std::set<std::string>{"a.txt", "b.txt"}));
  EXPECT_TRUE(std::filesystem::exists(away.Path() + "listed/a.txt"));
  EXPECT_EQ(moved.Column(0), (std::vector<std::string>{"a.txt", "b.txt"}));

  Workbench swapped;
  Prepare(swapped, {"a.txt", "b.txt"}, {"a2.txt", "b2.txt"});
  testing::FailingFileSystem fs;
  bool done = false;
  fs.onCall = [&](testing::Call call) {
    if (call != testing::Call::kRenameNoReplace || done) return;
    done = true;
    swapped.dir.MakeFile("another.tmp", "another");
    std::filesystem::rename(swapped.dir.Path() + "another.tmp", swapped.dir.Path() + "b.txt");
  };
  UseFileSystemForTesting(&fs);
  EXPECT_EQ(CommitPreview(swapped.list, swapped.prompter), 1);
  UseFileSystemForTesting(nullptr);
  EXPECT_EQ(swapped.Boxes(), std::vector<Box>{Reminder("有1个文件改名失败，已保留原名\r\n文件已被替换：b.txt")});
  EXPECT_EQ(swapped.OnDisk(), (std::set<std::string>{"a2.txt", "b.txt"}));
  EXPECT_EQ(swapped.dir.ReadFile("b.txt"), "another");
  EXPECT_EQ(swapped.Column(0), (std::vector<std::string>{"a2.txt", "b.txt"}));
}

TEST(CommitPreview, AppliesTheOperationsPreviewEndToEnd) {
  Workbench bench;
  bench.Files({"01课.mp4", "02课.mp4", "说明.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  RunSymbolAfterNumber(bench.Context(), {G("、")});
  Commit(bench);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"01、课.mp4", "02、课.mp4", "说明.txt"}));
  EXPECT_EQ(bench.RecordedOldNames(), (std::vector<std::string>{"01课.mp4", "02课.mp4"}));
}

TEST(UndoLastCommit, RefusesWithoutAFolder) {
  for (const char* folder : {"", "/"}) {
    SCOPED_TRACE(folder);
    Workbench bench;
    Prepare(bench, {"1.txt", "2.txt"}, {"1a.txt", "2a.txt"});
    Commit(bench);
    bench.list.SetEntryDirectory(folder);
    Undo(bench);
    EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNoDirectory});
    EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1a.txt", "2a.txt"}));
  }
}

// Undo works on the disk: whatever became of the rows, the commit is taken
// back, and rows that show a name changed back show the old one in place.
TEST(UndoLastCommit, TakesBackTheCommitWhateverBecameOfTheRows) {
  struct Case {
    const char* label;
    std::function<void(Workbench&)> arrange;  // after a commit of 1.txt 2.txt -> 1a.txt 2a.txt
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"list reversed", [](Workbench& b) { b.list.ReverseOrder(); }, {"2.txt", "1.txt"}},
      {"a row edited", [](Workbench& b) { b.list.SetEntryCell(G("x.txt"), 1, 0); }, {"1.txt", "x.txt"}},
      {"list cleared", [](Workbench& b) { b.list.Clear(); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Workbench bench;
    Prepare(bench, {"1.txt", "2.txt"}, {"1a.txt", "2a.txt"});
    Commit(bench);
    c.arrange(bench);
    Undo(bench);
    EXPECT_TRUE(bench.Boxes().empty());
    EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.txt", "2.txt"}));
    EXPECT_EQ(bench.Column(0), c.rows);
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
  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNoDirectory});
  EXPECT_EQ(bench.list.EntryDirectory(), "");
}

// Undo goes by the record, whatever the folder now holds and however the new
// names sort.
TEST(UndoLastCommit, PutsBackExactlyWhatTheCommitDid) {
  struct Case {
    const char* label;
    std::vector<std::string> pending;
    std::function<void(Workbench&)> arrange;
  };
  const Case cases[] = {
      {"a row left out", {"1a.txt", "", ""}, [](Workbench&) {}},
      {"new names sort the other way", {"z.txt", "y.txt", "x.txt"}, [](Workbench&) {}},
      {"a chain", {"2.txt", "3.txt", "4.txt"}, [](Workbench&) {}},
      {"a cycle", {"2.txt", "3.txt", "1.txt"}, [](Workbench&) {}},
      {"a file added", {"1a.txt", "2a.txt", "3a.txt"}, [](Workbench& b) { b.dir.MakeFile("0.txt", "other"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Workbench bench;
    Prepare(bench, {"1.txt", "2.txt", "3.txt"}, c.pending);
    Commit(bench);
    c.arrange(bench);
    Undo(bench);
    EXPECT_TRUE(bench.Boxes().empty());
    EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt", "3.txt"}));
    for (const char* name : {"1.txt", "2.txt", "3.txt"}) {
      EXPECT_EQ(bench.dir.ReadFile(name), std::string("content of ") + name);
    }
  }
}

// Undo renames back only the entries the commit left, and only in the folder
// it ran in; what stands there instead is left as it is.
TEST(UndoLastCommit, TouchesOnlyTheEntriesAndTheFolderTheCommitRenamed) {
  const std::string folder = "文件夹已被移动或替换，没有改名";
  struct Case {
    const char* label;
    std::function<void(Workbench&)> arrange;
    std::vector<Box> boxes;
    std::set<std::string> onDisk;
  };
  const Case cases[] = {
      {"another file put under a committed name",
       [](Workbench& b) {
         std::filesystem::rename(b.dir.Path() + "1a.txt", b.dir.Path() + "kept.txt");
         b.dir.MakeFile("1a.txt", "newcomer");
       },
       {Reminder("有1个文件没能改回原名\r\n文件已被替换：1a.txt")},
       {"1a.txt", "2.txt", "kept.txt"}},
      {"the folder replaced at its path",
       [](Workbench& b) {
         const std::string path = b.dir.Path().substr(0, b.dir.Path().size() - 1);
         std::filesystem::rename(path, path + ".moved");
         std::filesystem::create_directory(path);
         b.dir.MakeFile("1a.txt", "newcomer");
         b.dir.MakeFile("2a.txt", "newcomer");
       },
       {Reminder(folder)},
       {"1a.txt", "2a.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Workbench bench;
    Prepare(bench, {"1.txt", "2.txt"}, {"1a.txt", "2a.txt"});
    Commit(bench);
    c.arrange(bench);
    Undo(bench);
    EXPECT_EQ(bench.Boxes(), c.boxes);
    EXPECT_EQ(bench.OnDisk(), c.onDisk);
    EXPECT_EQ(bench.dir.ReadFile("1a.txt"), "newcomer");
    const std::string path = bench.dir.Path().substr(0, bench.dir.Path().size() - 1);
    if (std::filesystem::exists(path + ".moved")) {
      std::filesystem::remove_all(path);
      std::filesystem::rename(path + ".moved", path);
      EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1a.txt", "2a.txt"}));
    }
  }
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
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{NotPutBack(1)});
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"a.md", "b.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.md", "a.txt", "b.txt"}));
  EXPECT_EQ(bench.dir.ReadFile("a.txt"), "newcomer");
}

TEST(UndoLastCommit, HasNothingLeftToUndoTheSecondTime) {
  Workbench bench;
  Prepare(bench, {"1.txt", "2.txt"}, {"1a.txt", "2a.txt"});
  Commit(bench);
  Undo(bench);
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", ""}));

  Undo(bench);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNothingCommitted});
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.txt", "2.txt"}));
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
