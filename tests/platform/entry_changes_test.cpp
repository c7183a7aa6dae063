// SPDX-License-Identifier: GPL-3.0-or-later
// Creating, writing and deleting entries on a real temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/file_system.h"
#include "support/gbk_text.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

using ::vantor::testing::G;
using ::vantor::testing::TempDir;

std::set<std::string> Tree(const std::string& root) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    names.insert(entry.path().lexically_relative(root).string());
  }
  return names;
}

void Link(const std::string& target, const std::string& linkPath) {
  ASSERT_EQ(symlink(target.c_str(), linkPath.c_str()), 0) << linkPath;
}

// Every call refuses the same bad directories and names before touching the disk.
TEST(EntryChanges, RefuseNamesOutsideTheDirectoryAndUnconvertibleNames) {
  TempDir dir;
  dir.MakeFolder("sub");
  const ByteText noSeparator = dir.Gbk().substr(0, dir.Gbk().size() - 1);
  const struct {
    ByteText directory;
    ByteText name;
  } rows[] = {
      {dir.Gbk(), ""},         {dir.Gbk(), "."},        {dir.Gbk(), ".."},
      {dir.Gbk(), "sub/x"},    {dir.Gbk(), "\xD6"},     {noSeparator, "x"},
      {ByteText(), "x"},       {dir.Gbk(), ByteText("a\0b", 3)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.directory + "|" + row.name));
    EXPECT_EQ(NativeEntryPath(row.directory, row.name), std::nullopt);
    EXPECT_FALSE(CreateNewFile(row.directory, row.name, "x"));
    EXPECT_FALSE(CreateNewFolder(row.directory, row.name));
    EXPECT_FALSE(WriteFileAtomically(row.directory, row.name, "x"));
    EXPECT_FALSE(DeleteFileEntry(row.directory, row.name));
    EXPECT_FALSE(DeleteFolderTree(row.directory, row.name));
    EXPECT_EQ(EntryTypeOf(row.directory, row.name), EntryType::kMissing);
  }
  EXPECT_EQ(Tree(dir.Path()), (std::set<std::string>{"sub"}));
  EXPECT_EQ(NativeEntryPath(dir.Gbk(), G("中.txt")), dir.Path() + "中.txt");
}

TEST(CreateNewFileAndFolder, CreateOnceAndNeverOpenWhatExists) {
  TempDir dir;
  EXPECT_TRUE(CreateNewFile(dir.Gbk(), G("第1课.txt"), G("测试文件")));
  EXPECT_EQ(dir.ReadFile("第1课.txt"), G("测试文件"));
  EXPECT_TRUE(CreateNewFolder(dir.Gbk(), G("第1课")));
  EXPECT_FALSE(CreateNewFolder(dir.Gbk(), G("第1课")));
  EXPECT_FALSE(CreateNewFolder(dir.Gbk(), G("第1课.txt")));

  dir.MakeFile("kept.txt", "precious");
  dir.MakeFolder("folder");
  dir.MakeFile("outside.txt", "outside");
  Link(dir.Path() + "outside.txt", dir.Path() + "link.txt");
  Link(dir.Path() + "nowhere.txt", dir.Path() + "dangling.txt");
  for (const char* name : {"第1课.txt", "kept.txt", "folder", "link.txt", "dangling.txt"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(CreateNewFile(dir.Gbk(), G(name), "new"));
  }
  EXPECT_EQ(dir.ReadFile("第1课.txt"), G("测试文件"));
  EXPECT_EQ(dir.ReadFile("kept.txt"), "precious");
  EXPECT_EQ(dir.ReadFile("outside.txt"), "outside");
  EXPECT_FALSE(dir.Exists("nowhere.txt"));
}

TEST(WriteFileAtomically, WritesAndReplacesWholeFilesLeavingNothingBehind) {
  TempDir dir;
  const ByteText name = G("原文件名保存.txt");
  EXPECT_TRUE(WriteFileAtomically(dir.Gbk(), name, "a\r\nb\r\n"));
  EXPECT_EQ(dir.ReadFile("原文件名保存.txt"), "a\r\nb\r\n");

  ASSERT_EQ(chmod((dir.Path() + "原文件名保存.txt").c_str(), 0640), 0);
  EXPECT_TRUE(WriteFileAtomically(dir.Gbk(), name, "c"));
  EXPECT_EQ(dir.ReadFile("原文件名保存.txt"), "c");
  struct stat status;
  ASSERT_EQ(stat((dir.Path() + "原文件名保存.txt").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  // A link of that name is replaced by the file; what it pointed to stays.
  dir.MakeFile("target.txt", "target");
  Link(dir.Path() + "target.txt", dir.Path() + "link.txt");
  EXPECT_TRUE(WriteFileAtomically(dir.Gbk(), G("link.txt"), "new"));
  EXPECT_EQ(dir.ReadFile("target.txt"), "target");
  EXPECT_EQ(dir.ReadFile("link.txt"), "new");
  EXPECT_FALSE(std::filesystem::is_symlink(dir.Path() + "link.txt"));

  // A folder of that name cannot be replaced; nothing is left behind.
  dir.MakeFolder("taken");
  EXPECT_FALSE(WriteFileAtomically(dir.Gbk(), G("taken"), "x"));
  EXPECT_FALSE(WriteFileAtomically(dir.Gbk() + "target.txt/", G("x"), "x"));
  EXPECT_EQ(Tree(dir.Path()), (std::set<std::string>{"原文件名保存.txt", "target.txt", "link.txt", "taken"}));
}

TEST(DeleteFileEntry, DeletesFilesAndLinksButNoFolder) {
  TempDir dir;
  dir.MakeFile("a.txt");
  dir.MakeFolder("folder/inner");
  dir.MakeFile("folder/inner/kept.txt", "kept");
  Link(dir.Path() + "folder", dir.Path() + "folder-link");
  EXPECT_EQ(EntryTypeOf(dir.Gbk(), G("a.txt")), EntryType::kOther);
  EXPECT_EQ(EntryTypeOf(dir.Gbk(), G("folder")), EntryType::kFolder);
  EXPECT_EQ(EntryTypeOf(dir.Gbk(), G("folder-link")), EntryType::kSymbolicLink);
  EXPECT_EQ(EntryTypeOf(dir.Gbk(), G("gone")), EntryType::kMissing);

  EXPECT_TRUE(DeleteFileEntry(dir.Gbk(), G("a.txt")));
  EXPECT_FALSE(DeleteFileEntry(dir.Gbk(), G("a.txt")));
  EXPECT_FALSE(DeleteFileEntry(dir.Gbk(), G("folder")));
  EXPECT_TRUE(DeleteFileEntry(dir.Gbk(), G("folder-link")));
  EXPECT_EQ(Tree(dir.Path()), (std::set<std::string>{"folder", "folder/inner", "folder/inner/kept.txt"}));
}

// The tree holds links to a folder and to a file outside it, and a link in
// place of a listed folder: all are removed as links; the outside survives.
TEST(DeleteFolderTree, RemovesTheWholeTreeAndNothingALinkPointsTo) {
  TempDir outside;
  outside.MakeFolder("deep");
  outside.MakeFile("deep/keep.txt", "keep");
  outside.MakeFile("file.txt", "file");

  TempDir dir;
  dir.MakeFolder("tree/a/b");
  dir.MakeFile("tree/top.txt");
  dir.MakeFile("tree/a/b/低.txt");
  dir.MakeFolder("tree/empty");
  Link(outside.Path() + "deep", dir.Path() + "tree/a/to-folder");
  Link(outside.Path() + "file.txt", dir.Path() + "tree/a/b/to-file");
  Link(outside.Path(), dir.Path() + "listed-link");
  dir.MakeFile("plain.txt", "plain");

  EXPECT_TRUE(DeleteFolderTree(dir.Gbk(), G("tree")));
  EXPECT_TRUE(DeleteFolderTree(dir.Gbk(), G("listed-link")));
  EXPECT_FALSE(DeleteFolderTree(dir.Gbk(), G("plain.txt")));
  EXPECT_FALSE(DeleteFolderTree(dir.Gbk(), G("tree")));
  EXPECT_EQ(Tree(dir.Path()), (std::set<std::string>{"plain.txt"}));
  EXPECT_EQ(Tree(outside.Path()), (std::set<std::string>{"deep", "deep/keep.txt", "file.txt"}));
  EXPECT_EQ(outside.ReadFile("deep/keep.txt"), "keep");
}

}  // namespace
}  // namespace vantor
