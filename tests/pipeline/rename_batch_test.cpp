// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/rename_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pipeline/long_work.h"
#include "platform/file_system.h"
#include "pipeline/rename_journal.h"
#include "support/exfat_mount.h"
#include "support/failing_file_system.h"
#include "support/gbk_text.h"
#include "support/plain_drive.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

using testing::Call;
using testing::FailingFileSystem;
using testing::PlainDrive;

using testing::ExfatMount;
using testing::G;
using testing::TempDir;
using P = RenameProblem;

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

const ByteText kNoGbkForm = "\xFF.txt";
const std::string kLongest = Repeat("字", 85);  // 255 bytes of UTF-8, 170 of GBK
const std::string kTooLong = Repeat("字", 86);  // 258 bytes of UTF-8

struct Case {
  const char* label;
  std::vector<std::string> entries;                    // on disk before
  std::vector<std::pair<std::string, ByteText>> plan;  // old name -> new name
  std::map<std::string, std::string> after;            // name on disk -> the entry's name before
  std::vector<P> problems;
};

const std::vector<Case> kCases = {
    {"chain, natural order", {"2x", "2-x"}, {{"2x", G("2-x")}, {"2-x", G("2--x")}},
     {{"2-x", "2x"}, {"2--x", "2-x"}}, {P::kNone, P::kNone}},
    {"chain, reversed order", {"2x", "2-x"}, {{"2-x", G("2--x")}, {"2x", G("2-x")}},
     {{"2-x", "2x"}, {"2--x", "2-x"}}, {P::kNone, P::kNone}},
    {"chain of four, mixed order", {"1", "2", "3", "4"}, {{"2", G("3")}, {"4", G("5")}, {"1", G("2")}, {"3", G("4")}},
     {{"2", "1"}, {"3", "2"}, {"4", "3"}, {"5", "4"}}, {P::kNone, P::kNone, P::kNone, P::kNone}},
    {"two-cycle", {"甲", "乙"}, {{"甲", G("乙")}, {"乙", G("甲")}}, {{"乙", "甲"}, {"甲", "乙"}}, {P::kNone, P::kNone}},
    {"three-cycle and a chain", {"a", "b", "c", "d"}, {{"a", G("b")}, {"d", G("e")}, {"b", G("c")}, {"c", G("a")}},
     {{"b", "a"}, {"c", "b"}, {"a", "c"}, {"e", "d"}}, {P::kNone, P::kNone, P::kNone, P::kNone}},
    {"duplicate new names", {"a", "b", "c"}, {{"a", G("x")}, {"b", G("y")}, {"c", G("x")}},
     {{"a", "a"}, {"y", "b"}, {"c", "c"}}, {P::kDuplicateName, P::kNone, P::kDuplicateName}},
    {"name taken by an unrelated entry", {"a", "b", "taken"}, {{"a", G("taken")}, {"b", G("c")}},
     {{"a", "a"}, {"c", "b"}, {"taken", "taken"}}, {P::kNameTaken, P::kNone}},
    {"chain onto a taken name stays", {"a", "b", "taken"}, {{"a", G("b")}, {"b", G("taken")}},
     {{"a", "a"}, {"b", "b"}, {"taken", "taken"}}, {P::kNameTaken, P::kNameTaken}},
    {"name of a row that stays", {"a", "b"}, {{"a", G("a")}, {"b", G("a")}}, {{"a", "a"}, {"b", "b"}},
     {P::kNone, P::kNameTaken}},
    {"separator", {"a", "b"}, {{"a", G("x/y")}, {"b", G("..")}}, {{"a", "a"}, {"b", "b"}},
     {P::kInvalidName, P::kInvalidName}},
    {"chain behind an invalid name", {"a", "b"}, {{"a", G("b")}, {"b", G("c/")}}, {{"a", "a"}, {"b", "b"}},
     {P::kNameTaken, P::kInvalidName}},
    {"longest and too long in native bytes", {"a", "b"}, {{"a", G(kLongest)}, {"b", G(kTooLong)}},
     {{kLongest, "a"}, {"b", "b"}}, {P::kNone, P::kInvalidName}},
    {"no GBK form", {"a", "b"}, {{"a", kNoGbkForm}, {"b", G("c")}}, {{"a", "a"}, {"c", "b"}},
     {P::kInvalidName, P::kNone}},
    {"case only", {"a.txt"}, {{"a.txt", G("A.txt")}}, {{"A.txt", "a.txt"}}, {P::kNone}},
    {"missing entry", {"a"}, {{"gone", G("b")}}, {{"a", "a"}}, {P::kFailed}},
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each entry holds its own first name: a file as its content, a folder in a
// file inside, so that the test sees which entry went where.
void MakeEntry(const std::string& folder, const std::string& name, bool asFolder) {
  if (asFolder) std::filesystem::create_directory(folder + name);
  std::ofstream(folder + name + (asFolder ? "/id" : ""), std::ios::binary) << name;
}

std::map<std::string, std::string> Disk(const std::string& folder, bool folders) {
  std::map<std::string, std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(entry.is_directory(), folders) << name;
    names[name] = ReadAll(folder + name + (folders ? "/id" : ""));
  }
  return names;
}

// Runs every case, on files and on folders, each in a fresh folder made by
// newFolder (native, ending with "/").
void ExpectEveryCase(const std::function<std::string()>& newFolder) {
  for (const bool folders : {false, true}) {
    for (const Case& c : kCases) {
      SCOPED_TRACE(::testing::Message() << c.label << (folders ? ", folders" : ", files"));
      const std::string folder = newFolder();
      for (const std::string& name : c.entries) MakeEntry(folder, name, folders);
      std::vector<PlannedRename> plan;
      for (const auto& [oldName, newName] : c.plan) plan.push_back({static_cast<int>(plan.size()), G(oldName), newName});

      const BatchOutcome outcome = ApplyRenameBatch(G(folder), plan);

      EXPECT_EQ(Disk(folder, folders), c.after);
      EXPECT_EQ(outcome.problems, c.problems);
      int renamed = 0;
      int failed = 0;
      for (size_t i = 0; i < plan.size(); ++i) {
        EXPECT_EQ(outcome.done[i], c.problems[i] == P::kNone) << "step " << i;
        if (c.problems[i] != P::kNone) {
          ++failed;
        } else if (plan[i].oldName != plan[i].newName) {
          ++renamed;
        }
      }
      EXPECT_EQ(outcome.renamed, renamed);
      EXPECT_EQ(outcome.failed, failed);
    }
  }
}

TEST(ApplyRenameBatch, CompletesChainsAndCyclesAndRefusesConflicts) {
  std::vector<std::unique_ptr<TempDir>> dirs;
  const auto newFolder = [&dirs] {
    dirs.push_back(std::make_unique<TempDir>());
    return dirs.back()->Path();
  };
  ExpectEveryCase(newFolder);
  SCOPED_TRACE("a drive without RENAME_NOREPLACE or hard links");
  PlainDrive drive;
  ExpectEveryCase(newFolder);
}

TEST(ApplyRenameBatch, WorksOnARealExfatDrive) {
  ExfatMount drive;
  if (!drive.Mounted()) GTEST_SKIP() << "no exFAT drive can be mounted through FUSE here";
  int serial = 0;
  ExpectEveryCase([&] {
    const std::string folder = drive.Path() + "case" + std::to_string(++serial) + "/";
    std::filesystem::create_directory(folder);
    return folder;
  });
}

// Long enough that the names are converted on another thread while the
// renames go on: a chain of Chinese names, then a swap.
TEST(ApplyRenameBatch, ReportsProgressUpToTheWholeBatch) {
  constexpr int kChain = 3000;
  TempDir dir;
  std::vector<PlannedRename> plan;
  const auto name = [](int i) { return "第" + std::to_string(i); };
  for (int i = 0; i < kChain; ++i) {
    dir.MakeFile(name(i));
    plan.push_back({i, G(name(i)), G(name(i + 1))});
  }
  dir.MakeFile("甲", "甲");
  dir.MakeFile("乙", "乙");
  plan.push_back({kChain, G("甲"), G("乙")});
  plan.push_back({kChain + 1, G("乙"), G("甲")});
  std::vector<int> heard;
  const BatchOutcome outcome = ApplyRenameBatch(dir.Gbk(), plan, [&heard](int done) { heard.push_back(done); });
  EXPECT_EQ(outcome.renamed, kChain + 2);
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.front(), 0);
  EXPECT_EQ(heard.back(), kChain + 2);
  EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
  EXPECT_FALSE(dir.Exists(name(0)));
  EXPECT_TRUE(dir.Exists(name(kChain)));
  EXPECT_EQ(ReadAll(dir.Path() + "甲"), "乙");
}

// Progress is heard every 64 steps; the stop is asked for on the first report
// after the start, so exactly 64 steps run, and a cycle under way finishes.
TEST(ApplyRenameBatch, StopsBetweenStepsAndLeavesTheRestNotReached) {
  struct StopCase {
    const char* label;
    int chainSteps;                  // one chain n -> n+1
    int independent;                 // x<i> -> y<i>
    std::vector<int> cycles;         // lengths of cycles c<k>_<j>
    int done;
  };
  const std::vector<StopCase> cases = {
      {"one chain, long enough to convert its names on another thread", 3000, 0, {}, 64},
      {"a cycle under way finishes, the next is not reached", 0, 62, {4, 2}, 66},
  };
  for (const StopCase& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    std::vector<PlannedRename> plan;
    for (int i = 0; i < c.chainSteps; ++i) {
      dir.MakeFile(std::to_string(i));
      plan.push_back({i, std::to_string(i), std::to_string(i + 1)});
    }
    for (int i = 0; i < c.independent; ++i) {
      dir.MakeFile("x" + std::to_string(i));
      plan.push_back({static_cast<int>(plan.size()), "x" + std::to_string(i), "y" + std::to_string(i)});
    }
    for (size_t k = 0; k < c.cycles.size(); ++k) {
      const int length = c.cycles[k];
      const auto name = [k, length](int j) { return "c" + std::to_string(k) + "_" + std::to_string(j % length); };
      for (int j = 0; j < length; ++j) {
        dir.MakeFile(name(j), name(j));
        plan.push_back({static_cast<int>(plan.size()), name(j), name(j + 1)});
      }
    }
    LongWork work(static_cast<int>(plan.size()), nullptr);
    const BatchOutcome outcome = ApplyRenameBatch(
        dir.Gbk(), plan, [&work](int done) { if (done > 0) work.RequestStop(); }, &work);
    EXPECT_EQ(outcome.renamed, c.done);
    EXPECT_EQ(outcome.failed, 0);
    EXPECT_EQ(outcome.notReached, static_cast<int>(plan.size()) - c.done);
    for (size_t i = 0; i < plan.size(); ++i) {
      EXPECT_EQ(outcome.problems[i], outcome.done[i] ? P::kNone : P::kNotReached) << i;
      // Every entry is under exactly the name the outcome says.
      const std::string& shown = outcome.done[i] ? plan[i].newName : plan[i].oldName;
      EXPECT_TRUE(dir.Exists(shown)) << shown;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}),
              static_cast<long>(plan.size()));
  }
}

// Name on disk -> content, for a flat folder of files.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadAll(entry.path().string());
  }
  return files;
}

// A three-cycle (a -> b -> c -> a) whose moves fail one at a time, and then,
// while it is turned back, each move back in turn: no entry is ever lost or
// doubled, every row tells where its entry is, and when an entry is left under
// the temporary name the journal stays and puts everything back. On a drive
// with RENAME_NOREPLACE and on one without (the placeholder way).
TEST(ApplyRenameBatch, TurnsBackACycleWhicheverMoveFails) {
  const std::vector<PlannedRename> plan = {{0, "a", "b"}, {1, "b", "c"}, {2, "c", "a"}};
  const std::map<std::string, std::string> before = {{"a", "a"}, {"b", "b"}, {"c", "c"}};
  const int forwardMoves = 4;  // the park, two moves, the move off the temporary name
  for (const bool plain : {false, true}) {
    // On the plain drive every move is a plain rename onto a placeholder, and
    // the journal's own rename comes first.
    const Call move = plain ? Call::kRename : Call::kRenameNoReplace;
    const int offset = plain ? 1 : 0;
    for (int fail = 1; fail <= forwardMoves; ++fail) {
      for (int back = 0; back < fail; ++back) {  // 0: every move back succeeds
        SCOPED_TRACE(::testing::Message() << (plain ? "plain drive, " : "") << "move " << fail << " fails, move back "
                                          << back << " fails");
        TempDir state;
        SetJournalFolderForTesting(state.Path() + "vantor-rename");
        TempDir dir;
        for (const auto& [name, content] : before) dir.MakeFile(name, content);
        FailingFileSystem fs;
        if (plain) {
          fs.FailEvery(Call::kRenameNoReplace, EINVAL);
          fs.FailEvery(Call::kLink, EPERM);
        }
        fs.FailNth(move, fail + offset, EIO);
        bool armed = back > 0;
        fs.onCall = [&](Call call) {
          // Once the forward move has failed, the next moves are the way back.
          if (armed && call == move && fs.Count(move) == fail + offset) {
            armed = false;
            fs.FailNth(move, back + 1, EIO);
          }
        };
        const BatchOutcome outcome = ApplyRenameBatch(dir.Gbk(), plan, {}, nullptr, {.fileSystem = &fs});

        const std::map<std::string, std::string> after = Files(dir.Path());
        std::multiset<std::string> contents;
        for (const auto& [name, content] : after) contents.insert(content);
        EXPECT_EQ(contents, (std::multiset<std::string>{"a", "b", "c"}));
        for (size_t i = 0; i < plan.size(); ++i) {
          const auto at = after.find(plan[i].newName);
          EXPECT_EQ(outcome.done[i], at != after.end() && at->second == plan[i].oldName) << "row " << i;
        }
        EXPECT_LT(outcome.renamed, 3);
        if (back == 0) {
          EXPECT_EQ(after, before);
        }
        const std::vector<std::string> journals = FindUnfinishedJournals();
        bool stranded = false;
        for (const auto& [name, content] : after) stranded |= name.front() == '.';
        ASSERT_EQ(journals.size(), stranded ? 1u : 0u);
        if (stranded) {
          RestoreFromJournal(journals[0]);
          EXPECT_EQ(Files(dir.Path()), before);
        }
        SetJournalFolderForTesting({});
      }
    }
  }
}

// A stop asked for while a cycle is turned back: the cycle still comes back
// whole, and the cycle after it is not reached.
// A swap is one exchange where the file system makes them: done whole or not
// at all; elsewhere it goes through a temporary name as any cycle does.
TEST(ApplyRenameBatch, SwapsTwoNamesInOneExchangeOrNotAtAll) {
  struct Row {
    const char* label;
    std::function<void(FailingFileSystem&)> arrange;
    bool wrongIdentityOfB;
    std::vector<RenameProblem> problems;
    int exchanges;  // exchange calls made
  };
  const std::vector<Row> rows = {
      {"exchanged", [](FailingFileSystem&) {}, false, {RenameProblem::kNone, RenameProblem::kNone}, 1},
      {"exchange refused", [](FailingFileSystem& fs) { fs.FailEvery(Call::kExchange, EIO); }, false,
       {RenameProblem::kFailed, RenameProblem::kNameTaken}, 1},
      {"another entry under b", [](FailingFileSystem&) {}, true,
       {RenameProblem::kNameTaken, RenameProblem::kReplaced}, 0},
      {"no exchange on this drive", [](FailingFileSystem& fs) { fs.exchanges = false; }, false,
       {RenameProblem::kNone, RenameProblem::kNone}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempDir state;
    SetJournalFolderForTesting(state.Path() + "vantor-rename");
    TempDir dir;
    dir.MakeFile("a", "a");
    dir.MakeFile("b", "b");
    FailingFileSystem fs;
    row.arrange(fs);
    std::vector<PlannedRename> plan = {{0, "a", "b"}, {1, "b", "a"}};
    if (row.wrongIdentityOfB) plan[1].identity = {1, 1};
    const BatchOutcome outcome = ApplyRenameBatch(dir.Gbk(), plan, {}, nullptr, {.fileSystem = &fs});
    EXPECT_EQ(outcome.problems, row.problems);
    const bool swapped = row.problems[0] == RenameProblem::kNone;
    EXPECT_EQ(outcome.renamed, swapped ? 2 : 0);
    EXPECT_EQ(Files(dir.Path()), (swapped ? std::map<std::string, std::string>{{"a", "b"}, {"b", "a"}}
                                          : std::map<std::string, std::string>{{"a", "a"}, {"b", "b"}}));
    EXPECT_EQ(fs.Count(Call::kExchange), row.exchanges);
    EXPECT_TRUE(FindUnfinishedJournals().empty());
    SetJournalFolderForTesting("");
  }
}

TEST(ApplyRenameBatch, FinishesATurnBackBeforeItStops) {
  TempDir dir;
  for (const char* name : {"a", "b", "c", "p", "q"}) dir.MakeFile(name, name);
  const std::vector<PlannedRename> plan = {{0, "a", "b"}, {1, "b", "c"}, {2, "c", "a"}, {3, "p", "q"}, {4, "q", "p"}};
  LongWork work(static_cast<int>(plan.size()), nullptr);
  FailingFileSystem fs;
  fs.FailNth(Call::kRenameNoReplace, 3, EIO);  // the cycle's second move
  fs.onCall = [&](Call call) {
    if (call == Call::kRenameNoReplace && fs.Count(call) == 3) work.RequestStop();
  };
  const BatchOutcome outcome = ApplyRenameBatch(dir.Gbk(), plan, {}, &work, {.fileSystem = &fs});
  EXPECT_EQ(Files(dir.Path()), (std::map<std::string, std::string>{{"a", "a"}, {"b", "b"}, {"c", "c"}, {"p", "p"}, {"q", "q"}}));
  EXPECT_EQ(outcome.problems, (std::vector<P>{P::kNameTaken, P::kFailed, P::kNameTaken, P::kNotReached, P::kNotReached}));
  EXPECT_EQ(outcome.notReached, 2);
  EXPECT_EQ(fs.Count(Call::kRenameNoReplace), 5);  // park, move, failed move, two back
}

// Entries are renamed only when they are the ones planned: an entry swapped in
// under a planned name, before the batch or while it runs, is left alone and
// named; a folder moved away or replaced since it was listed stops the batch.
TEST(ApplyRenameBatch, RenamesOnlyTheEntriesAndTheFolderItWasPlannedFor) {
  struct Row {
    const char* label;
    std::function<void(TempDir& dir, std::vector<PlannedRename>& plan, BatchSettings& settings, FailingFileSystem& fs)> arrange;
    std::map<std::string, std::string> after;  // of the folder at dir's path
    std::vector<P> problems;
    bool folderChanged;
  };
  // Another file put over name (made first, so that it cannot reuse the inode).
  const auto replace = [](TempDir& dir, const std::string& name) {
    dir.MakeFile("intruder.tmp", "intruder");
    std::filesystem::rename(dir.Path() + "intruder.tmp", dir.Path() + name);
  };
  std::vector<std::unique_ptr<TempDir>> elsewhere;
  const std::vector<Row> rows = {
      {"entry replaced since its identity was taken",
       [&](TempDir& dir, std::vector<PlannedRename>& plan, BatchSettings&, FailingFileSystem&) {
         struct stat status {};
         ::lstat((dir.Path() + "a").c_str(), &status);
         plan[0].identity = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
         replace(dir, "a");
       },
       {{"a", "intruder"}, {"b2", "b"}}, {P::kReplaced, P::kNone}, false},
      {"entry replaced while the batch runs",
       [&](TempDir& dir, std::vector<PlannedRename>&, BatchSettings&, FailingFileSystem& fs) {
         fs.onCall = [&dir, &fs, replace, done = false](Call call) mutable {
           if (call == Call::kRenameNoReplace && !done) {
             done = true;
             replace(dir, "b");
           }
         };
       },
       {{"a2", "a"}, {"b", "intruder"}}, {P::kNone, P::kReplaced}, false},
      {"folder moved away and another put in its place",
       [&](TempDir& dir, std::vector<PlannedRename>&, BatchSettings& settings, FailingFileSystem&) {
         settings.folder = FolderIdentity(dir.Gbk());
         elsewhere.push_back(std::make_unique<TempDir>());
         std::filesystem::rename(dir.Path(), elsewhere.back()->Path() + "moved");
         std::filesystem::create_directory(dir.Path());
         dir.MakeFile("a", "other a");
         dir.MakeFile("b", "other b");
       },
       {{"a", "other a"}, {"b", "other b"}}, {P::kFailed, P::kFailed}, true},
      {"folder replaced by a link to another",
       [&](TempDir& dir, std::vector<PlannedRename>&, BatchSettings& settings, FailingFileSystem&) {
         settings.folder = FolderIdentity(dir.Gbk());
         elsewhere.push_back(std::make_unique<TempDir>());
         elsewhere.back()->MakeFolder("other");
         elsewhere.back()->MakeFile("other/a", "other a");
         elsewhere.back()->MakeFile("other/b", "other b");
         std::filesystem::rename(dir.Path(), elsewhere.back()->Path() + "moved");
         std::filesystem::create_directory_symlink(elsewhere.back()->Path() + "other",
                                                   dir.Path().substr(0, dir.Path().size() - 1));
       },
       {{"a", "other a"}, {"b", "other b"}}, {P::kFailed, P::kFailed}, true},
      {"folder as listed", [&](TempDir& dir, std::vector<PlannedRename>&, BatchSettings& settings, FailingFileSystem&) {
         settings.folder = FolderIdentity(dir.Gbk());
       },
       {{"a2", "a"}, {"b2", "b"}}, {P::kNone, P::kNone}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempDir dir;
    dir.MakeFile("a", "a");
    dir.MakeFile("b", "b");
    std::vector<PlannedRename> plan = {{0, "a", "a2"}, {1, "b", "b2"}};
    BatchSettings settings;
    FailingFileSystem fs;
    settings.fileSystem = &fs;
    row.arrange(dir, plan, settings, fs);
    const BatchOutcome outcome = ApplyRenameBatch(dir.Gbk(), plan, {}, nullptr, settings);
    EXPECT_EQ(Files(dir.Path()), row.after);
    EXPECT_EQ(outcome.problems, row.problems);
    EXPECT_EQ(outcome.folderChanged, row.folderChanged);
    EXPECT_EQ(outcome.notStarted, row.folderChanged);
    TextArray replaced;
    for (size_t i = 0; i < plan.size(); ++i) {
      if (row.problems[i] == P::kReplaced) replaced.push_back(plan[i].oldName);
    }
    EXPECT_EQ(ReplacedNames(plan, outcome), replaced);
    for (size_t i = 0; i < plan.size() && !row.folderChanged; ++i) EXPECT_TRUE(outcome.identities[i].Known());
    // What stands at dir's path now goes; the folder moved away goes with elsewhere.
    if (row.folderChanged) std::filesystem::remove_all(dir.Path().substr(0, dir.Path().size() - 1));
  }
}

TEST(CheckRenamePlan, LooksUpTheFolderForNamesThatStay) {
  const TextArray folder = {"a", "b", "c", "other"};
  struct Row {
    const char* label;
    std::vector<std::pair<ByteText, ByteText>> plan;
    std::vector<P> problems;
  };
  const std::vector<Row> rows = {
      {"free name", {{"a", "x"}}, {P::kNone}},
      {"name of an entry that stays", {{"a", "other"}}, {P::kNameTaken}},
      {"name of an entry renamed away", {{"a", "b"}, {"b", "x"}}, {P::kNone, P::kNone}},
      {"swap", {{"a", "b"}, {"b", "a"}}, {P::kNone, P::kNone}},
      {"behind a taken name", {{"a", "b"}, {"b", "c"}}, {P::kNameTaken, P::kNameTaken}},
      {"unchanged row", {{"a", "a"}, {"b", "a"}}, {P::kNone, P::kNameTaken}},
      {"duplicates", {{"a", "x"}, {"b", "x"}}, {P::kDuplicateName, P::kDuplicateName}},
      {"three rows, one name", {{"a", "x"}, {"b", "y"}, {"c", "x"}, {"other", "x"}},
       {P::kDuplicateName, P::kNone, P::kDuplicateName, P::kDuplicateName}},
      {"one file listed twice, one name", {{"a", "x"}, {"a", "x"}}, {P::kDuplicateName, P::kDuplicateName}},
      {"invalid", {{"a", "x/y"}, {"b", kNoGbkForm}, {"c", G(kTooLong)}}, {P::kInvalidName, P::kInvalidName, P::kInvalidName}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<PlannedRename> plan;
    for (const auto& [oldName, newName] : row.plan) plan.push_back({static_cast<int>(plan.size()), oldName, newName});
    EXPECT_EQ(CheckRenamePlan(plan, &folder), row.problems);
  }
}

TEST(IsValidNewName, TakesPlainNamesWithANativeFormOfAtMost255Bytes) {
  const std::vector<std::pair<ByteText, bool>> cases = {
      {"", false},          {".", false},  {"..", false}, {"a/b", false}, {std::string("a\0b", 3), false},
      {kNoGbkForm, false},  {G(kTooLong), false},         {G(kLongest), true},
      {std::string(255, 'a'), true},      {std::string(256, 'a'), false}, {G("第1集.mp4"), true},
  };
  for (const auto& [name, valid] : cases) {
    SCOPED_TRACE(::testing::PrintToString(name));
    EXPECT_EQ(IsValidNewName(name), valid);
  }
}

}  // namespace
}  // namespace vantor
