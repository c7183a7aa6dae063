// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace vantor {
namespace {

using testing::TempDir;

// Points XDG_DATA_HOME somewhere else for as long as it lives.
class DataHome {
 public:
  explicit DataHome(const std::string& folder) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
  }
  ~DataHome() {
    if (old_) {
      setenv("XDG_DATA_HOME", old_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
  }

 private:
  std::optional<std::string> old_;
};

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

TEST(FreedesktopTrash, MovesIntoTheHomeTrashMadeWhenMissingAndNeverOverAnEarlierItem) {
  TempDir dir;
  dir.MakeFolder("work");
  dir.MakeFile("work/第1课.txt", "one");
  dir.MakeFolder("work/sub");
  DataHome home(dir.Path() + "data/share");  // neither folder exists yet
  FreedesktopTrash trash;

  ASSERT_TRUE(trash.MoveToTrash(dir.Path() + "work/第1课.txt"));
  const std::string folder = dir.Path() + "data/share/Trash";
  for (const std::string& made : {dir.Path() + "data", dir.Path() + "data/share", folder, folder + "/files",
                                  folder + "/info"}) {
    SCOPED_TRACE(made);
    EXPECT_EQ(ModeOf(made), 0700u);
  }
  EXPECT_FALSE(dir.Exists("work/第1课.txt"));
  EXPECT_EQ(dir.ReadFile("data/share/Trash/files/第1课.txt"), "one");
  const std::string info = dir.ReadFile("data/share/Trash/info/第1课.txt.trashinfo");
  const std::string path = "Path=" + dir.Path() + "work/%E7%AC%AC1%E8%AF%BE.txt\n";
  EXPECT_EQ(info.rfind("[Trash Info]\n", 0), 0u) << info;
  EXPECT_NE(info.find(path), std::string::npos) << info;
  EXPECT_NE(info.find("\nDeletionDate=20"), std::string::npos) << info;

  // A second item of the same name gets a name of its own; folders go whole.
  dir.MakeFile("work/第1课.txt", "two");
  dir.MakeFile("work/sub/inner.txt");
  ASSERT_TRUE(trash.MoveToTrash(dir.Path() + "work/第1课.txt"));
  ASSERT_TRUE(trash.MoveToTrash(dir.Path() + "work/sub"));
  EXPECT_EQ(dir.ReadFile("data/share/Trash/files/第1课.txt"), "one");
  EXPECT_EQ(dir.ReadFile("data/share/Trash/files/第1课.2.txt"), "two");
  EXPECT_TRUE(dir.Exists("data/share/Trash/info/第1课.2.txt.trashinfo"));
  EXPECT_TRUE(dir.Exists("data/share/Trash/files/sub/inner.txt"));
}

// An entry that cannot go into the trash its file system calls for stays
// where it is: the home trash cannot be made here, and the entry lies on the
// same file system, so no other trash may take it.
TEST(FreedesktopTrash, LeavesAnEntryItCannotTrashWhereItIs) {
  TempDir dir;
  dir.MakeFolder("work");
  dir.MakeFile("work/a.txt", "a");
  dir.MakeFile("blocked");
  DataHome home(dir.Path() + "blocked/share");
  FreedesktopTrash trash;
  EXPECT_FALSE(trash.MoveToTrash(dir.Path() + "work/a.txt"));
  EXPECT_EQ(dir.ReadFile("work/a.txt"), "a");
  EXPECT_FALSE(trash.MoveToTrash(dir.Path() + "work/missing.txt"));
  EXPECT_FALSE(trash.MoveToTrash("work/a.txt"));  // not absolute
}

}  // namespace
}  // namespace vantor
