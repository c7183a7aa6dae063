// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "support/gbk_text.h"
#include "support/plain_drive.h"
#include "support/temp_dir.h"

using namespace std::string_literals;

namespace {

// errno that renameat2 with RENAME_NOREPLACE reports instead of renaming, as on
// a file system that does not take the flag; 0 for the real call.
std::atomic<int> refuseNoReplaceWith{0};

}  // namespace

// Stands in for glibc's renameat2 in this test program, so that the hard-link
// way of RenameEntry can be driven on any file system.
extern "C" int renameat2(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath,
                         unsigned int flags) noexcept {
  const int refusal = refuseNoReplaceWith.load();
  if (refusal != 0 && (flags & RENAME_NOREPLACE) != 0) {
    errno = refusal;
    return -1;
  }
  return static_cast<int>(syscall(SYS_renameat2, oldDirFd, oldPath, newDirFd, newPath, flags));
}

namespace vantor {
namespace {

using ::vantor::testing::PlainDrive;
using ::vantor::testing::TempDir;

using ::vantor::testing::G;

// Every name in a directory tree, relative to its root, for "nothing changed".
std::set<std::string> Tree(const TempDir& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    names.insert(entry.path().lexically_relative(dir.Path()).string());
  }
  return names;
}

std::set<ByteText> AsSet(const TextArray& names) { return {names.begin(), names.end()}; }

class SimulatedNoReplaceRefusal {
 public:
  explicit SimulatedNoReplaceRefusal(int error) { refuseNoReplaceWith = error; }
  ~SimulatedNoReplaceRefusal() { refuseNoReplaceWith = 0; }
};

TEST(IsPlainEntryName, AcceptsOnlyNamesInsideTheDirectory) {
  const std::vector<std::pair<ByteText, bool>> cases = {
      {"", false},       {".", false},         {"..", false},     {"/", false},
      {"a/b", false},    {"../a", false},      {"a/", false},     {"a\0b"s, false},
      {"...", true},     {".hidden", true},    {"a.txt", true},   {"a b", true},
      {G("第1集.mp4"), true}, {"\\", true},
  };
  for (const auto& [name, plain] : cases) {
    SCOPED_TRACE(::testing::PrintToString(name));
    EXPECT_EQ(IsPlainEntryName(name), plain);
  }
}

TEST(RenameEntry, RenamesFilesAndFolders) {
  TempDir dir;
  dir.MakeFile("第1集.mp4", "video");
  dir.MakeFolder("资料");
  dir.MakeFile("资料/内容.txt", "inside");
  dir.MakeFile("plain.txt", "ascii");

  EXPECT_TRUE(RenameEntry(dir.Gbk(), G("第1集.mp4"), G("第01集.mp4")));
  EXPECT_TRUE(RenameEntry(dir.Gbk(), G("资料"), G("资料备份")));
  EXPECT_TRUE(RenameEntry(dir.Gbk(), "plain.txt", G("纯文本.txt")));

  EXPECT_EQ(Tree(dir), (std::set<std::string>{"第01集.mp4", "资料备份", "资料备份/内容.txt",
                                              "纯文本.txt"}));
  EXPECT_EQ(dir.ReadFile("第01集.mp4"), "video");
  EXPECT_EQ(dir.ReadFile("资料备份/内容.txt"), "inside");
  EXPECT_EQ(dir.ReadFile("纯文本.txt"), "ascii");
}

enum class Kind { kFile, kFolder, kEmptyFolder };

void Make(const TempDir& dir, const std::string& name, Kind kind) {
  if (kind == Kind::kFile) {
    dir.MakeFile(name, "content of " + name);
  } else {
    dir.MakeFolder(name);
    if (kind == Kind::kFolder) dir.MakeFile(name + "/inner", "inner of " + name);
  }
}

void ExpectIntact(const TempDir& dir, const std::string& name, Kind kind) {
  if (kind == Kind::kFile) {
    EXPECT_EQ(dir.ReadFile(name), "content of " + name);
  } else {
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + name));
    if (kind == Kind::kFolder) {
      EXPECT_EQ(dir.ReadFile(name + "/inner"), "inner of " + name);
    }
  }
}

struct Collision {
  Kind source;
  Kind target;
};

// rename(2) itself would replace a file by a file and an empty folder by a
// folder; none of these may replace anything.
const std::vector<Collision> kCollisions = {
    {Kind::kFile, Kind::kFile},         {Kind::kFile, Kind::kFolder},
    {Kind::kFile, Kind::kEmptyFolder},  {Kind::kFolder, Kind::kFolder},
    {Kind::kFolder, Kind::kEmptyFolder}, {Kind::kFolder, Kind::kFile},
    {Kind::kEmptyFolder, Kind::kEmptyFolder},
};

void ExpectNoCollisionReplaces() {
  for (const Collision& collision : kCollisions) {
    SCOPED_TRACE(::testing::Message() << "source " << static_cast<int>(collision.source)
                                      << " target " << static_cast<int>(collision.target));
    TempDir dir;
    Make(dir, "源", collision.source);
    Make(dir, "目标", collision.target);
    const std::set<std::string> before = Tree(dir);

    EXPECT_FALSE(RenameEntry(dir.Gbk(), G("源"), G("目标")));

    EXPECT_EQ(Tree(dir), before);
    ExpectIntact(dir, "源", collision.source);
    ExpectIntact(dir, "目标", collision.target);
  }
}

TEST(RenameEntry, NeverReplacesAnExistingEntry) { ExpectNoCollisionReplaces(); }

TEST(RenameEntry, RefusesNamesThatLeaveTheDirectoryOrDoNotConvert) {
  TempDir dir;
  dir.MakeFile("a.txt", "a");
  dir.MakeFolder("sub");
  const std::set<std::string> before = Tree(dir);

  const std::vector<ByteText> badNames = {
      "", ".", "..", "sub/b.txt", "../b.txt", "/b.txt", "sub/", "b\0.txt"s,  // not plain
      "\xFF.txt", "b\xD6", "\xA2\xE3",  // not byte text
  };
  for (const ByteText& bad : badNames) {
    SCOPED_TRACE(::testing::PrintToString(bad));
    EXPECT_FALSE(RenameEntry(dir.Gbk(), "a.txt", bad));
    EXPECT_FALSE(RenameEntry(dir.Gbk(), bad, "b.txt"));
    EXPECT_FALSE(RenameEntry(dir.Gbk(), bad, bad));
  }
  // A directory that does not convert, or lacks the final separator (glued
  // to a name it would point into its parent).
  EXPECT_FALSE(RenameEntry(dir.Gbk() + "\xFF/", "a.txt", "b.txt"));
  EXPECT_FALSE(RenameEntry(dir.Gbk() + "sub", "a.txt", "b.txt"));
  EXPECT_FALSE(RenameEntry("", "a.txt", "b.txt"));
  EXPECT_EQ(Tree(dir), before);
}

TEST(RenameEntry, SameNameSucceedsAndChangesNothing) {
  TempDir dir;
  dir.MakeFile("第1集.mp4", "video");
  const std::set<std::string> before = Tree(dir);
  EXPECT_TRUE(RenameEntry(dir.Gbk(), G("第1集.mp4"), G("第1集.mp4")));
  EXPECT_EQ(Tree(dir), before);
  EXPECT_EQ(dir.ReadFile("第1集.mp4"), "video");
}

TEST(RenameEntry, FailsWhenSourceIsMissing) {
  TempDir dir;
  EXPECT_FALSE(RenameEntry(dir.Gbk(), "missing.txt", "b.txt"));
  EXPECT_FALSE(RenameEntry(dir.Gbk() + "missing/", "a.txt", "b.txt"));
  EXPECT_TRUE(Tree(dir).empty());
}

// The directory of the previous call is kept; a call in another directory
// must not rename inside the old one.
TEST(RenameEntry, FollowsTheDirectoryOfEachCall) {
  TempDir first;
  TempDir second;
  first.MakeFile("a.txt", "first");
  second.MakeFile("a.txt", "second");

  EXPECT_TRUE(RenameEntry(first.Gbk(), "a.txt", "b.txt"));
  EXPECT_TRUE(RenameEntry(second.Gbk(), "a.txt", G("乙.txt")));
  EXPECT_TRUE(RenameEntry(first.Gbk(), "b.txt", G("甲.txt")));

  EXPECT_EQ(Tree(first), std::set<std::string>{"甲.txt"});
  EXPECT_EQ(Tree(second), std::set<std::string>{"乙.txt"});
  EXPECT_EQ(first.ReadFile("甲.txt"), "first");
  EXPECT_EQ(second.ReadFile("乙.txt"), "second");
}

// File systems that refuse RENAME_NOREPLACE (EINVAL) and kernels without
// renameat2 (ENOSYS) take the hard-link way for files and the placeholder way
// for folders, which must keep the same promise.
const int kNoReplaceRefusals[] = {EINVAL, ENOSYS};

TEST(RenameEntryWithoutNoReplace, MovesFilesByLinkAndFoldersOntoAPlaceholder) {
  for (int error : kNoReplaceRefusals) {
    SCOPED_TRACE(error);
    SimulatedNoReplaceRefusal refusal(error);
    TempDir dir;
    dir.MakeFile("第1集.mp4", "video");
    Make(dir, "资料", Kind::kFolder);
    EXPECT_TRUE(RenameEntry(dir.Gbk(), G("第1集.mp4"), G("第01集.mp4")));
    EXPECT_TRUE(RenameEntry(dir.Gbk(), G("资料"), G("资料备份")));
    EXPECT_EQ(Tree(dir), (std::set<std::string>{"第01集.mp4", "资料备份", "资料备份/inner"}));
    EXPECT_EQ(dir.ReadFile("第01集.mp4"), "video");
  }
}

TEST(RenameEntryWithoutNoReplace, NeverReplacesAnExistingEntry) {
  for (int error : kNoReplaceRefusals) {
    SCOPED_TRACE(error);
    SimulatedNoReplaceRefusal refusal(error);
    ExpectNoCollisionReplaces();
  }
}

// Drives without RENAME_NOREPLACE and without hard links: files and folders go
// onto an exclusive placeholder.
TEST(RenameEntryOnAPlainDrive, RenamesFilesAndFoldersAndLeavesNoPlaceholder) {
  PlainDrive drive;
  TempDir dir;
  dir.MakeFile("第1集.mp4", "video");
  Make(dir, "资料", Kind::kFolder);
  Make(dir, "空", Kind::kEmptyFolder);
  EXPECT_TRUE(RenameEntry(dir.Gbk(), G("第1集.mp4"), G("第01集.mp4")));
  EXPECT_TRUE(RenameEntry(dir.Gbk(), G("资料"), G("资料备份")));
  EXPECT_TRUE(RenameEntry(dir.Gbk(), G("空"), "Empty"));
  EXPECT_TRUE(RenameEntry(dir.Gbk(), "Empty", "empty"));  // letter case only
  // A source that is gone leaves no placeholder behind.
  EXPECT_FALSE(RenameEntry(dir.Gbk(), "gone", "new"));
  EXPECT_EQ(Tree(dir), (std::set<std::string>{"第01集.mp4", "资料备份", "资料备份/inner", "empty"}));
  EXPECT_EQ(dir.ReadFile("第01集.mp4"), "video");
}

TEST(RenameEntryOnAPlainDrive, NeverReplacesAnExistingEntry) {
  PlainDrive drive;
  ExpectNoCollisionReplaces();
  TempDir dir;
  dir.MakeFile("a", "a");
  dir.MakeFile("b", "b");
  EXPECT_FALSE(RenameEntry(dir.Gbk(), "a", "b"));
  EXPECT_EQ(errno, EEXIST);
}

TEST(RenameEntry, TellsWhyByErrno) {
  TempDir dir;
  dir.MakeFile("a", "a");
  dir.MakeFile("b", "b");
  const std::vector<std::pair<ByteText, int>> cases = {
      {"b", EEXIST}, {"x/y", EINVAL}, {"\xFF", EILSEQ}, {std::string(256, 'n'), ENAMETOOLONG},
  };
  for (const auto& [newName, error] : cases) {
    SCOPED_TRACE(::testing::PrintToString(newName));
    errno = 0;
    EXPECT_FALSE(RenameEntry(dir.Gbk(), "a", newName));
    EXPECT_EQ(errno, error);
  }
  EXPECT_EQ(dir.ReadFile("a"), "a");
}

TEST(ReadFolderNames, SplitsFilesAndFolders) {
  TempDir dir;
  dir.MakeFile("a.txt");
  dir.MakeFile("第1集.mp4");
  dir.MakeFile(".hidden");
  dir.MakeFolder("资料");
  dir.MakeFolder("sub");
  dir.MakeFile("sub/deeper.txt");

  const FolderNames files = ReadFolderNames(dir.Gbk(), EntryKind::kFiles);
  EXPECT_EQ(AsSet(files.names), (std::set<ByteText>{"a.txt", G("第1集.mp4"), ".hidden"}));
  EXPECT_EQ(files.names.size(), 3u);
  EXPECT_TRUE(files.unconvertible.empty());

  const FolderNames folders = ReadFolderNames(dir.Gbk(), EntryKind::kFolders);
  EXPECT_EQ(AsSet(folders.names), (std::set<ByteText>{G("资料"), "sub"}));
  EXPECT_EQ(folders.names.size(), 2u);
  EXPECT_TRUE(folders.unconvertible.empty());
}

TEST(ReadFolderNames, CountsSymbolicLinksAsWhatTheyPointTo) {
  TempDir dir;
  dir.MakeFile("file.txt");
  dir.MakeFolder("folder");
  ASSERT_EQ(symlink("file.txt", (dir.Path() + "链到文件").c_str()), 0);
  ASSERT_EQ(symlink("folder", (dir.Path() + "链到文件夹").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (dir.Path() + "dangling").c_str()), 0);

  EXPECT_EQ(AsSet(ReadFolderNames(dir.Gbk(), EntryKind::kFiles).names),
            (std::set<ByteText>{"file.txt", G("链到文件"), "dangling"}));
  EXPECT_EQ(AsSet(ReadFolderNames(dir.Gbk(), EntryKind::kFolders).names),
            (std::set<ByteText>{"folder", G("链到文件夹")}));
}

TEST(ReadFolderNames, LeavesOutAndKeepsNamesThatAreNotUtf8) {
  TempDir dir;
  dir.MakeFile("好.txt");
  dir.MakeFile("\xF0\x9F\x98\x80.txt");  // emoji: not GBK, but GB18030
  dir.MakeFile("\xFF\xFE.txt");          // not UTF-8
  dir.MakeFolder("한글");
  dir.MakeFolder("\xBA\xC3");             // raw GBK bytes

  const FolderNames files = ReadFolderNames(dir.Gbk(), EntryKind::kFiles);
  EXPECT_EQ(AsSet(files.names), (std::set<ByteText>{G("好.txt"), G("\xF0\x9F\x98\x80.txt")}));
  EXPECT_EQ(files.unconvertible, std::vector<std::string>{"\xFF\xFE.txt"});

  const FolderNames folders = ReadFolderNames(dir.Gbk(), EntryKind::kFolders);
  EXPECT_EQ(folders.names, TextArray{G("한글")});
  EXPECT_EQ(folders.unconvertible, std::vector<std::string>{"\xBA\xC3"});
}

TEST(ReadFolderNames, GivesNothingForWhatCannotBeRead) {
  TempDir dir;
  dir.MakeFile("file.txt");
  for (const ByteText& path : {dir.Gbk() + "missing/", dir.Gbk() + "file.txt", ByteText("\xFF/")}) {
    SCOPED_TRACE(::testing::PrintToString(path));
    const FolderNames names = ReadFolderNames(path, EntryKind::kFiles);
    EXPECT_TRUE(names.names.empty());
    EXPECT_TRUE(names.unconvertible.empty());
  }
}

TEST(PathIsDirectory, FollowsLinks) {
  TempDir dir;
  dir.MakeFolder("资料");
  dir.MakeFile("a.txt");
  ASSERT_EQ(symlink("资料", (dir.Path() + "link").c_str()), 0);
  const std::vector<std::pair<ByteText, bool>> cases = {
      {dir.Gbk(), true},           {dir.Gbk() + G("资料"), true}, {dir.Gbk() + G("资料/"), true},
      {dir.Gbk() + "link", true},  {dir.Gbk() + "a.txt", false}, {dir.Gbk() + "missing", false},
      {"", false},                 {dir.Gbk() + "\xFF", false},
  };
  for (const auto& [path, isDirectory] : cases) {
    SCOPED_TRACE(::testing::PrintToString(path));
    EXPECT_EQ(PathIsDirectory(path), isDirectory);
  }
}

void SetModified(const TempDir& dir, const std::string& name, int64_t seconds, long nanoseconds) {
  const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
  ASSERT_EQ(utimensat(AT_FDCWD, (dir.Path() + name).c_str(), times, 0), 0);
}

TEST(ReadFileTimes, GivesModificationTimesInNanoseconds) {
  TempDir dir;
  dir.MakeFile("旧.txt");
  dir.MakeFile("new.txt");
  dir.MakeFolder("文件夹");
  SetModified(dir, "旧.txt", 1'000'000'000, 5);
  SetModified(dir, "new.txt", 1'000'000'000, 6);
  SetModified(dir, "文件夹", 1'700'000'000, 123'456'789);

  const std::optional<FileTimes> older = ReadFileTimes(dir.Gbk() + G("旧.txt"));
  const std::optional<FileTimes> newer = ReadFileTimes(dir.Gbk() + "new.txt");
  const std::optional<FileTimes> folder = ReadFileTimes(dir.Gbk() + G("文件夹"));
  ASSERT_TRUE(older && newer && folder);
  EXPECT_EQ(older->lastWrite, 1'000'000'000'000'000'005);
  EXPECT_EQ(newer->lastWrite, 1'000'000'000'000'000'006);
  EXPECT_EQ(folder->lastWrite, 1'700'000'000'123'456'789);
  EXPECT_LT(older->lastWrite, newer->lastWrite);

  // Setting the modification time leaves the birth time (where there is one)
  // at the creation of the file.
  if (older->birth) {
    EXPECT_GT(*older->birth, folder->lastWrite);
  }

  EXPECT_EQ(ReadFileTimes(dir.Gbk() + "missing.txt"), std::nullopt);
  EXPECT_EQ(ReadFileTimes(dir.Gbk() + "new.txt\xFF"), std::nullopt);
}

}  // namespace
}  // namespace vantor
