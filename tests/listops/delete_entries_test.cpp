// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/delete_entries.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "pipeline/long_work.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::TempDir;
using testing::Workbench;

// Moves each item into a folder of its own and remembers the paths it got.
class FolderTrash : public Trash {
 public:
  bool MoveToTrash(const std::string& nativePath) override {
    paths.push_back(nativePath);
    const std::string name = std::filesystem::path(nativePath).filename().string();
    return std::rename(nativePath.c_str(), (folder.Path() + name).c_str()) == 0;
  }
  std::vector<std::string> paths;
  TempDir folder;
};

const char kPermanentQuestion[] = "确定删除吗？此操作不可撤回！\r\n机械硬盘只能用恢复软件恢复！\r\n固态硬盘将永久不可恢复！";
Box Question(const char* text) { return {text, "提示", MessageIcon::kNone, true}; }
Box Hint(const std::string& text) { return {text, "提示"}; }

struct DeleteBench : Workbench {
  using Workbench::Workbench;
  void Delete(DeleteWay way) { DeleteListedEntries(list, prompter, trash, {way, intake.mode}); }
  FolderTrash trash;
};

TEST(DeleteListedEntries, DeletesListedFilesAfterOneQuestionAndDropsTheirRows) {
  DeleteBench bench;
  bench.Files({"a.txt", "b.txt", "c.txt", "kept.txt"});
  bench.Folders({"folder"});
  // An empty first row does not skip the question.
  bench.Rows({"", "a.txt", "b.txt", "", "c.txt", "folder", "gone.txt", "../kept.txt"});
  bench.Delete(DeleteWay::kPermanently);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Question(kPermanentQuestion), Hint("已删除3个，3个删除失败")}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"kept.txt", "folder/"}));
  // The rows of what is gone leave the list; failed and empty rows stay.
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"", "", "folder", "gone.txt", "../kept.txt"}));
  EXPECT_TRUE(bench.trash.paths.empty());
}

// The runner's stop, asked for during the second deletion, ends the loop
// there: the rows after it are neither deleted nor counted as failed.
TEST(DeleteListedEntries, StopsBetweenTwoRowsAndCountsOnlyWhatItDid) {
  DeleteBench bench;
  bench.Files({"a.txt", "b.txt", "c.txt", "d.txt"});
  bench.Rows({"a.txt", "b.txt", "c.txt", "d.txt"});
  LongWork* running = nullptr;
  const DiskPhaseRunner runner = [&running](LongWork& work, const std::function<void()>& phase) {
    running = &work;
    phase();
  };
  struct StoppingTrash : FolderTrash {
    bool MoveToTrash(const std::string& nativePath) override {
      if (paths.size() == 1) (*running)->RequestStop();
      return FolderTrash::MoveToTrash(nativePath);
    }
    LongWork** running = nullptr;
  } trash;
  trash.running = &running;
  DeleteListedEntries(bench.list, bench.prompter, trash, {DeleteWay::kToTrash, bench.intake.mode}, runner);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Question("确定删除到回收站吗？"), Hint("已删除2个")}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"c.txt", "d.txt"}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"c.txt", "d.txt"}));
}

TEST(DeleteListedEntries, CancelDeletesNothing) {
  DeleteBench bench(ProcessingMode::kFolders);
  bench.Folders({"x/y"});
  bench.Load();
  bench.prompter.answers = {false};
  bench.Delete(DeleteWay::kPermanently);
  bench.prompter.answers = {false};
  bench.Delete(DeleteWay::kToTrash);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Question(kPermanentQuestion), Question("确定删除吗？")}));
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"x/"});
}

TEST(DeleteListedEntries, RemovesListedFolderTrees) {
  DeleteBench bench(ProcessingMode::kFolders);
  bench.Folders({"第1课/素材/深", "第2课"});
  bench.Files({"第1课/素材/深/a.png", "第1课/说明.txt", "loose.txt"});
  bench.Load();
  ASSERT_EQ(bench.Column(0), (std::vector<std::string>{"第1课", "第2课"}));
  bench.Rows({"loose.txt"});  // a file in the folder mode is not deleted
  bench.Delete(DeleteWay::kPermanently);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Question(kPermanentQuestion), Hint("已删除2个，1个删除失败")}));
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"loose.txt"});
}

TEST(DeleteListedEntries, MovesListedItemsToTheTrashOneByOne) {
  DeleteBench bench(ProcessingMode::kDroppedItems);
  bench.Files({"a.txt", "b.txt"});
  bench.Folders({"folder"});
  bench.Rows({"a.txt", "folder", "b.txt"});
  bench.Delete(DeleteWay::kToTrash);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Question("确定删除到回收站吗？"), Hint("已删除2个，1个删除失败")}));
  EXPECT_EQ(bench.trash.paths, (std::vector<std::string>{bench.dir.Path() + "a.txt", bench.dir.Path() + "b.txt"}));
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"folder/"});
  EXPECT_EQ(bench.Column(0), std::vector<std::string>{"folder"});

  DeleteBench folders(ProcessingMode::kFolders);
  folders.Folders({"x/y"});
  folders.Load();
  folders.Delete(DeleteWay::kToTrash);
  EXPECT_EQ(folders.Boxes(), (std::vector<Box>{Question("确定删除吗？"), Hint("已删除1个")}));
  EXPECT_TRUE(folders.trash.folder.Exists("x/y"));
}

TEST(DeleteListedEntries, RefusesAnEmptyListAndAMissingDirectory) {
  struct Case {
    ProcessingMode mode;
    bool withRow;
    Box expected;
  };
  const Case cases[] = {
      {ProcessingMode::kFiles, false, Hint("列表框是空的，请先拖入文件！")},
      {ProcessingMode::kDroppedItems, false, Hint("列表框是空的，请先拖入文件！")},
      {ProcessingMode::kFolders, false, Hint("列表框是空的")},
      {ProcessingMode::kFiles, true, {"路径呢？请先拖入文件！", "信息："}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    DeleteBench bench(c.mode);
    if (c.withRow) bench.list.AppendRow(G("a.txt"));  // rows left after the directory was cleared
    bench.Delete(DeleteWay::kPermanently);
    EXPECT_EQ(bench.Boxes(), std::vector<Box>{c.expected});
  }
}

}  // namespace
}  // namespace vantor
