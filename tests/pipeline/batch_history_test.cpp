// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/batch_history.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "listops/rename_by_list.h"
#include "listops/single_rename.h"
#include "pipeline/apply_batch.h"
#include "pipeline/commit.h"
#include "pipeline/rename_journal.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::Reminder;
using testing::Workbench;

// Every test here keeps its history in a folder of its own.
class HistoryTest : public ::testing::Test {
 protected:
  HistoryTest() { SetJournalFolderForTesting(state_.Path() + "vantor-rename"); }
  ~HistoryTest() override { SetJournalFolderForTesting({}); }

  static std::vector<std::string> Texts(const std::vector<RecordedRename>& renames) {
    std::vector<std::string> texts;
    for (const RecordedRename& rename : renames) {
      texts.push_back(Utf8ForDisplay(rename.oldName) + ">" + Utf8ForDisplay(rename.newName));
    }
    return texts;
  }
  // The newest record: caption, then its renames as "old>new".
  static std::vector<std::string> Newest() {
    const BatchHistory history;
    const std::vector<BatchSummary> batches = history.List();
    if (batches.empty()) return {};
    std::vector<std::string> texts = Texts(history.Renames(batches.front().id).value());
    texts.insert(texts.begin(), Utf8ForDisplay(batches.front().caption));
    return texts;
  }

  testing::TempDir state_;
};

using ApplyBatchTest = HistoryTest;

// Every path that renames on disk leaves one record of what it really did;
// a cycle's temporary name never shows.
TEST_F(ApplyBatchTest, RecordsEveryKindOfBatch) {
  struct Case {
    const char* label;
    std::function<void(Workbench&)> run;  // on a.txt, b.txt, c.txt
    std::vector<std::string> record;
  };
  const Case cases[] = {
      {"direct run with a cycle",
       [](Workbench& b) {
         RunContext context = b.Context();
         context.caption = G("最前面加");
         RunRename(context, {}, [](const RenameEntryView& e) -> std::optional<ByteText> {
           return e.name == "a.txt" ? G("b.txt") : e.name == "b.txt" ? G("a.txt") : std::optional<ByteText>();
         });
       },
       {"最前面加", "a.txt>b.txt", "b.txt>a.txt"}},
      {"commit",
       [](Workbench& b) {
         b.list.SetPreviewOn(true);
         b.Pending(2, "d.txt");
         CommitPreview(b.list, b.prompter);
       },
       {"提交预览", "c.txt>d.txt"}},
      {"hand edit",
       [](Workbench& b) { ConfirmHandEdit(b.list, HandEditCellOf(b.list, 1, 0), G("手.txt"), true); },
       {"手动改名", "b.txt>手.txt"}},
      {"rename by list",
       [](Workbench& b) {
         NameMapping mapping;
         ASSERT_TRUE(OpenNameMapping(b.list, b.prompter, mapping));
         SetNewNames(mapping, {G("x"), G(""), G("z")});
         RenameByMapping(mapping, b.prompter, false);
       },
       {"按名单改名", "a.txt>x.txt", "c.txt>z.txt"}},
      {"undo",
       [](Workbench& b) {
         ApplyBatch(b.dir.Gbk(), {{0, G("a.txt"), G("b.txt")}, {1, G("b.txt"), G("e.txt")}}, G("某操作"), {});
         UndoNewestBatch(b.list, b.prompter);
       },
       {"撤回", "e.txt>b.txt", "b.txt>a.txt"}},
      {"recovery of a stopped run",
       [](Workbench& b) {
         // The swap is one exchange, stopped as by a kill right after it.
         StopBatchesAfterMovesForTesting(1);
         ApplyRenameBatch(b.dir.Gbk(), {{0, G("a.txt"), G("b.txt")}, {1, G("b.txt"), G("a.txt")}});
         StopBatchesAfterMovesForTesting(-1);
         for (const std::string& journal : FindUnfinishedJournals()) RestoreFromJournal(journal);
       },
       {"恢复", "a.txt>b.txt", "b.txt>a.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    BatchHistory().Clear();
    Workbench bench;
    bench.Files({"a.txt", "b.txt", "c.txt"});
    bench.Load();
    c.run(bench);
    EXPECT_EQ(Newest(), c.record);
    EXPECT_EQ(BatchHistory().List().front().folder, bench.dir.Gbk());
  }
}

TEST_F(HistoryTest, KeepsTheNewestBatchesWithinTheLimits) {
  const std::string folder = state_.Path() + "limits";
  const BatchHistory history(folder, HistoryLimits{});
  std::string first;
  for (int i = 0; i < 201; ++i) {
    const std::string id = history.Record("/d/", "op", {{"a" + std::to_string(i), "b" + std::to_string(i)}});
    ASSERT_FALSE(id.empty());
    if (i == 0) first = id;
  }
  std::vector<BatchSummary> batches = history.List();
  ASSERT_EQ(batches.size(), 200u);
  EXPECT_EQ(batches.front().firstOld, "a200");
  EXPECT_EQ(batches.back().firstOld, "a1");
  EXPECT_FALSE(history.Renames(first));
  struct stat info {};
  ASSERT_EQ(::stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat((folder + "/" + batches.front().id).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // A size cap drops the oldest until the rest fit; a record larger than the
  // cap alone is not stored.
  const BatchHistory small(state_.Path() + "small", HistoryLimits{200, 600});
  const std::vector<RecordedRename> batch(4, RecordedRename{std::string(20, 'o'), std::string(20, 'n')});
  for (int i = 0; i < 5; ++i) ASSERT_FALSE(small.Record("/d/", "op", batch).empty());
  EXPECT_EQ(small.List().size(), 2u);
  EXPECT_TRUE(small.Record("/d/", "op", std::vector<RecordedRename>(40, batch.front())).empty());
  EXPECT_EQ(small.List().size(), 2u);
}

using UndoTest = HistoryTest;

// Batch 1 makes a chain 1 -> 2 -> 3 -> 4 and a swap x <-> y; batch 2 renames
// the chain's last entry again. Undoing batch 1 leaves that entry alone and
// counts it; undoing the undo redoes the rest; the undo button then goes on
// to batch 2.
TEST_F(UndoTest, TakesBackChainsAndCyclesAndLeavesEntriesRenamedLater) {
  Workbench bench;
  bench.Files({"1", "2", "3", "x", "y"});
  bench.Load();
  ApplyBatch(bench.dir.Gbk(), {{0, "1", "2"}, {1, "2", "3"}, {2, "3", "4"}, {3, "x", "y"}, {4, "y", "x"}}, "one",
             {&bench.list});
  ApplyBatch(bench.dir.Gbk(), {{2, "4", "9"}}, "two", {&bench.list});
  ASSERT_EQ(bench.Column(0), (std::vector<std::string>{"2", "3", "9", "y", "x"}));
  const std::string one = BatchHistory().List().at(1).id;

  bench.list.ReverseOrder();
  UndoRecordedBatch(one, bench.list, bench.prompter);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{Reminder("有1个文件没能改回原名")});
  EXPECT_EQ(bench.dir.ReadFile("1"), "content of 1");
  EXPECT_EQ(bench.dir.ReadFile("2"), "content of 2");
  EXPECT_EQ(bench.dir.ReadFile("9"), "content of 3");
  EXPECT_EQ(bench.dir.ReadFile("x"), "content of x");
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1", "2", "9", "x", "y"}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"y", "x", "9", "2", "1"}));

  std::vector<BatchSummary> batches = BatchHistory().List();
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0].undoes, one);
  EXPECT_EQ(batches[0].count, 4);
  EXPECT_TRUE(batches[2].undone);

  UndoRecordedBatch(batches[0].id, bench.list, bench.prompter);
  EXPECT_EQ(bench.Boxes().size(), 1u);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"2", "3", "9", "x", "y"}));
  EXPECT_EQ(bench.dir.ReadFile("3"), "content of 2");
  EXPECT_EQ(bench.dir.ReadFile("y"), "content of x");
  batches = BatchHistory().List();
  EXPECT_FALSE(batches[3].undone);
  EXPECT_TRUE(batches[1].undone);

  UndoNewestBatch(bench.list, bench.prompter);
  EXPECT_EQ(bench.dir.ReadFile("4"), "content of 3");
  EXPECT_EQ(Utf8ForDisplay(BatchHistory().List().front().caption), "撤回");
  EXPECT_EQ(bench.Boxes().size(), 1u);
}

// A record written before identities were kept still lists and undoes, its
// entries then taken by name; the undo's own record knows them.
TEST_F(HistoryTest, ReadsAndUndoesARecordWithoutIdentities) {
  Workbench bench;
  bench.Files({"a2", "b2"});
  bench.Load();
  const BatchHistory history;
  std::filesystem::create_directories(history.Folder());
  std::filesystem::permissions(history.Folder(), std::filesystem::perms::owner_all);
  const std::string old = "batch-00000000000000000001-1-000000";
  const ByteText folder = bench.dir.Gbk();
  std::ofstream(history.Folder() + "/" + old, std::ios::binary)
      << std::string("VANTOR-HISTORY-1\0" "100\0", 21) << folder << std::string("\0op\0" "2\0\0a\0a2\0", 12)
      << std::string("a\0a2\0b\0b2\0", 10);
  ASSERT_EQ(history.List().size(), 1u);
  EXPECT_FALSE(history.List().front().folderIdentity.Known());
  const std::vector<RecordedRename> renames = history.Renames(old).value();
  EXPECT_EQ(Texts(renames), (std::vector<std::string>{"a>a2", "b>b2"}));
  EXPECT_FALSE(renames.front().identity.Known());

  UndoRecordedBatch(old, bench.list, bench.prompter);
  EXPECT_TRUE(bench.Boxes().empty());
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a", "b"}));
  const BatchSummary undo = history.List().front();
  EXPECT_EQ(undo.undoes, old);
  EXPECT_EQ(undo.folderIdentity, FolderIdentity(folder));
  const std::vector<RecordedRename> back = history.Renames(undo.id).value();
  ASSERT_EQ(Texts(back), (std::vector<std::string>{"b2>b", "a2>a"}));
  struct stat info {};
  ASSERT_EQ(::stat((bench.dir.Path() + "a").c_str(), &info), 0);
  EXPECT_EQ(back[1].identity, (EntryIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)}));
}

// Nothing in the history folder but the user's own complete records is read;
// the rest stays where it is, and a damaged record renames nothing.
TEST_F(HistoryTest, PassesOverDamagedAndForeignRecordFiles) {
  Workbench bench;
  bench.Files({"a", "b"});
  bench.Load();
  const BatchHistory history;
  ApplyBatch(bench.dir.Gbk(), {{0, "a", "a2"}}, "good", {&bench.list});
  ApplyBatch(bench.dir.Gbk(), {{1, "b", "b2"}}, "cut", {&bench.list});
  const std::string folder = history.Folder() + "/";
  const std::string cut = history.List().front().id;
  std::filesystem::resize_file(folder + cut, std::filesystem::file_size(folder + cut) - 3);
  std::ofstream(folder + "batch-9-garbage") << "VANTOR-HISTORY-1\nnonsense";
  std::filesystem::create_symlink(folder + cut, folder + "batch-99-link");
  ASSERT_EQ(::mkfifo((folder + "batch-999-fifo").c_str(), 0600), 0);
  std::ofstream(folder + "batch-9999-large") << std::string(1000, 'x');
  if (::getuid() == 0) {
    std::filesystem::copy_file(folder + history.List().back().id, folder + "batch-99999-foreign");
    ASSERT_EQ(::chown((folder + "batch-99999-foreign").c_str(), 4242, 4242), 0);
  }

  const std::vector<BatchSummary> batches = BatchHistory(history.Folder(), HistoryLimits{200, 500}).List();
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_EQ(batches[0].id, cut);  // its header reads; its renames do not
  EXPECT_FALSE(history.Renames(cut));
  EXPECT_FALSE(history.Renames("batch-99-link"));
  EXPECT_FALSE(history.Renames("../batch-x"));

  UndoRecordedBatch(cut, bench.list, bench.prompter);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{Reminder("这一批的改名记录无法读取，没有改名")});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a2", "b2"}));
  // The folder's newest batch is the damaged one: undo stops there and says so.
  UndoNewestBatch(bench.list, bench.prompter);
  EXPECT_EQ(bench.Boxes().size(), 2u);
  EXPECT_EQ(bench.Boxes().back(), bench.Boxes().front());
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a2", "b2"}));

  history.Clear();
  EXPECT_TRUE(history.List().empty());
  EXPECT_TRUE(std::filesystem::is_symlink(folder + "batch-99-link"));
  EXPECT_TRUE(std::filesystem::exists(folder + "batch-999-fifo"));
  if (::getuid() == 0) {
    EXPECT_TRUE(std::filesystem::exists(folder + "batch-99999-foreign"));
  }
}

}  // namespace
}  // namespace vantor
