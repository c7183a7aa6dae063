// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/rename_journal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "pipeline/commit.h"
#include "pipeline/rename_batch.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::TempDir;
using testing::Workbench;

// Journals go to a folder of the test's own while it lives.
class JournalFolderScope {
 public:
  JournalFolderScope() { SetJournalFolderForTesting(Folder()); }
  explicit JournalFolderScope(const std::string& folder) { SetJournalFolderForTesting(folder); }
  ~JournalFolderScope() {
    SetJournalFolderForTesting({});
    StopBatchesAfterMovesForTesting(-1);
  }
  std::string Folder() const { return state_.Path() + "vantor-rename"; }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    if (!std::filesystem::exists(Folder())) return names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) names.push_back(entry.path().string());
    return names;
  }

 private:
  TempDir state_;
};

int ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

// Name on disk -> content, for every entry of the folder.
std::map<std::string, std::string> Contents(const TempDir& dir) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    const std::string name = entry.path().filename().string();
    contents[name] = dir.ReadFile(name);
  }
  return contents;
}

TEST(RenameJournal, IsWrittenBeforeTheFirstRenameAndRemovedAfterTheLast) {
  JournalFolderScope scope;
  TempDir dir;
  std::vector<PlannedRename> plan;
  for (int i = 0; i < 65; ++i) {
    dir.MakeFile(std::to_string(i));
    plan.push_back({i, std::to_string(i), std::to_string(i + 1)});  // one chain
  }
  std::vector<std::string> during;
  bool offered = true;
  const BatchOutcome outcome = ApplyRenameBatch(dir.Gbk(), plan, [&](int done) {
    if (done != 64) return;
    during = scope.Files();
    offered = !FindUnfinishedJournals().empty();  // a running batch holds its journal
  });
  EXPECT_EQ(outcome.renamed, 65);
  ASSERT_EQ(during.size(), 1u);
  EXPECT_FALSE(offered);
  EXPECT_TRUE(scope.Files().empty());
  EXPECT_EQ(ModeOf(scope.Folder()), 0700);

  // Stopped before its first move: the journal holds the plan, nothing moved.
  StopBatchesAfterMovesForTesting(0);
  ApplyRenameBatch(dir.Gbk(), {{0, "65", "a"}});
  const std::vector<std::string> left = FindUnfinishedJournals();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(ModeOf(left[0]), 0600);
  std::ifstream file(left[0], std::ios::binary);
  const std::string journal((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(journal.find(dir.Gbk()), std::string::npos);
  EXPECT_NE(journal.find(std::string("M\0" "65\0a\0", 7)), std::string::npos);
  EXPECT_TRUE(dir.Exists("65"));
  EXPECT_EQ(RestoreFromJournal(left[0]), 0);
  EXPECT_TRUE(dir.Exists("65"));
}

// A chain (1 -> 2 -> 3 -> 4), a cycle (x -> y -> z -> x) and a swap (p <-> q,
// one exchange), stopped after every number of moves, the last with all done
// but the journal left.
TEST(RenameJournal, RecoveryAfterAStopAtAnyStepRestoresEveryName) {
  const std::vector<PlannedRename> plan = {{0, "x", "y"}, {1, "3", "4"}, {2, "y", "z"}, {3, "1", "2"},
                                           {4, "z", "x"}, {5, "2", "3"}, {6, "p", "q"}, {7, "q", "p"}};
  const int moves = 3 + 4 + 1;  // the chain's three, the cycle's three and its park, the exchange
  for (int stop = 0; stop <= moves; ++stop) {
    SCOPED_TRACE("stopped after " + std::to_string(stop) + " moves");
    JournalFolderScope scope;
    TempDir dir;
    for (const char* name : {"1", "2", "3", "x", "y", "z", "p", "q", "other"}) dir.MakeFile(name, name);
    const std::map<std::string, std::string> before = Contents(dir);
    StopBatchesAfterMovesForTesting(stop);
    ApplyRenameBatch(dir.Gbk(), plan);
    StopBatchesAfterMovesForTesting(-1);

    int misplaced = 0;
    for (const auto& [name, content] : before) misplaced += dir.Exists(name) && dir.ReadFile(name) == content ? 0 : 1;
    const std::vector<std::string> journals = FindUnfinishedJournals();
    ASSERT_EQ(journals.size(), 1u);
    EXPECT_EQ(RestoreFromJournal(journals[0]), misplaced);
    EXPECT_EQ(Contents(dir), before);
  }
}

TEST(RenameJournal, ThatCannotBeWrittenStopsTheRunBeforeAnythingChanges) {
  TempDir state;
  state.MakeFile("file");
  JournalFolderScope scope(state.Path() + "file/vantor-rename");
  const Box notWritten = testing::Reminder("无法写入改名记录，没有改名");

  Workbench direct;
  direct.Files({"1.txt", "2.txt"});
  direct.Load();
  const RenameRunResult result =
      testing::RunStemRule(direct, {}, [](const ByteText& stem, int) { return stem + "a"; });
  EXPECT_TRUE(result.refused);
  EXPECT_EQ(direct.Boxes(), (std::vector<Box>{testing::kConfirmRename, notWritten}));
  EXPECT_EQ(direct.OnDisk(), (std::set<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(direct.Column(0), (std::vector<std::string>{"1.txt", "2.txt"}));

  Workbench commit;
  commit.Files({"1.txt"});
  commit.Load();
  commit.list.SetPreviewOn(true);
  commit.Pending(0, "2.txt");
  EXPECT_EQ(CommitPreview(commit.list, commit.prompter), 0);
  EXPECT_EQ(commit.Boxes(), std::vector<Box>{notWritten});
  EXPECT_EQ(commit.OnDisk(), std::set<std::string>{"1.txt"});
  EXPECT_TRUE(commit.RecordedOldNames().empty());
}

// A journal of plain moves in folder (as the engine writes it).
std::string JournalOf(const std::string& folder, const std::vector<std::pair<std::string, std::string>>& moves) {
  std::string bytes("VANTOR-JOURNAL-1\0", 17);
  bytes += folder;
  bytes.push_back('\0');
  for (const auto& [from, to] : moves) bytes += std::string("M\0", 2) + from + '\0' + to + '\0';
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Whatever lies in the state folder under a journal's name: only a regular
// file of the user is read; a damaged one is set aside and named, a truncated
// one restores what it names, and the question tells folder and count.
TEST(OfferRecoveryOfUnfinishedRuns, TrustsNothingItFindsInTheStateFolder) {
  const std::string kName = "journal-99-0";
  struct Row {
    const char* label;
    std::function<void(const std::string& path, const std::string& folder)> leave;
    std::vector<std::string> boxes;        // "<dir>" and "<path>" stand for the folder and the journal's path
    std::set<std::string> onDisk;          // afterwards; before: a2 and b2 (a and b renamed)
    std::set<std::string> stateFolder;     // names left in the state folder
  };
  const std::string question = "上次改名没有完成，程序意外退出了。\r\n文件夹：<dir>（2个文件）\r\n要把已经改过的文件恢复成原来的名字吗？";
  const std::string damaged = "改名记录已损坏，无法恢复：<path>.damaged";
  const std::vector<Row> rows = {
      {"whole journal",
       [](const std::string& path, const std::string& folder) { WriteBytes(path, JournalOf(folder, {{"a", "a2"}, {"b", "b2"}})); },
       {question, "已恢复2个文件名"}, {"a", "b"}, {}},
      {"truncated in its third move",
       [](const std::string& path, const std::string& folder) {
         WriteBytes(path, JournalOf(folder, {{"a", "a2"}, {"b", "b2"}}) + std::string("M\0c\0c", 5));
       },
       {question, "改名记录不完整，已恢复2个文件名，其余的无法读取"}, {"a", "b"}, {}},
      {"NUL bytes", [](const std::string& path, const std::string&) { WriteBytes(path, std::string(1 << 20, '\0')); },
       {damaged}, {"a2", "b2"}, {kName + ".damaged"}},
      {"over the size limit",
       [](const std::string& path, const std::string& folder) {
         WriteBytes(path, JournalOf(folder, {{"a", "a2"}}));
         ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxJournalBytes) + 1), 0);
       },
       {damaged}, {"a2", "b2"}, {kName + ".damaged"}},
      {"relative folder",
       [](const std::string& path, const std::string&) { WriteBytes(path, JournalOf("relative/", {{"a", "a2"}})); },
       {damaged}, {"a2", "b2"}, {kName + ".damaged"}},
      {"name that leaves the folder",
       [](const std::string& path, const std::string& folder) { WriteBytes(path, JournalOf(folder, {{"../a", "a2"}})); },
       {damaged}, {"a2", "b2"}, {kName + ".damaged"}},
      {"folder", [](const std::string& path, const std::string&) { std::filesystem::create_directory(path); }, {},
       {"a2", "b2"}, {kName}},
      {"FIFO", [](const std::string& path, const std::string&) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, {},
       {"a2", "b2"}, {kName}},
      {"link to a journal",
       [](const std::string& path, const std::string& folder) {
         const std::string real = std::filesystem::path(path).parent_path() / "elsewhere";
         WriteBytes(real, JournalOf(folder, {{"a", "a2"}, {"b", "b2"}}));
         std::filesystem::create_symlink(real, path);
       },
       {}, {"a2", "b2"}, {kName, "elsewhere"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    JournalFolderScope scope;
    TempDir dir;
    dir.MakeFile("a2");
    dir.MakeFile("b2");
    std::filesystem::create_directories(scope.Folder());
    const std::string path = scope.Folder() + "/" + kName;
    row.leave(path, dir.Path());

    testing::ScriptedPrompter prompter;
    OfferRecoveryOfUnfinishedRuns(prompter);

    std::vector<std::string> expected;
    for (std::string text : row.boxes) {
      for (const auto& [mark, value] : {std::pair<std::string, std::string>{"<dir>", dir.Path()}, {"<path>", path}}) {
        if (const size_t at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), value);
      }
      expected.push_back(text);
    }
    EXPECT_EQ(prompter.Texts(), expected);
    for (const testing::RecordedBox& box : prompter.boxes) EXPECT_EQ(box.title, "提醒：");
    std::set<std::string> onDisk;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) onDisk.insert(entry.path().filename());
    EXPECT_EQ(onDisk, row.onDisk);
    std::set<std::string> left;
    for (const std::string& file : scope.Files()) {
      // A recovery that renames is a batch of the history too; only journals count here.
      if (std::filesystem::path(file).filename() != "history") left.insert(std::filesystem::path(file).filename());
    }
    EXPECT_EQ(left, row.stateFolder);
  }
}

}  // namespace
}  // namespace vantor
