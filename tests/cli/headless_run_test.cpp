// SPDX-License-Identifier: GPL-3.0-or-later
// The program run from a terminal, without a display: the real program on
// real folders, as a script would run it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/headless_run.h"
#include "pipeline/batch_history.h"
#include "platform/code_page.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

using testing::TempDir;

TEST(TerminalText, WritesControlCharactersAsHexAndLeavesTheRest) {
  const struct {
    std::string given;
    std::string shown;
  } rows[] = {
      {"", ""},
      {"第一课.mp4", "第一课.mp4"},
      {"a\nb", "a\\x0Ab"},
      {std::string("\x00\x1F", 2), "\\x00\\x1F"},
      {"\x7F 😀\t", "\\x7F 😀\\x09"},
      {"\\x41", "\\x41"},  // a backslash stays itself
  };
  for (const auto& row : rows) EXPECT_EQ(TerminalText(row.given), row.shown) << row.given;
}

// A preset of two steps: "第一课" -> "第1课" -> "第01课".
constexpr char kLessonsPreset[] =
    R"({"format": "vantor-rename-steps", "version": 1, "steps": [)"
    R"({"operation": "numerals_to_digits", "settings": {}},)"
    R"({"operation": "pad_first_number", "settings": {}}]})";

struct Finished {
  int status = -1;
  std::string out;
  std::string err;
};

class HeadlessRunTest : public ::testing::Test {
 protected:
  HeadlessRunTest() {
    home_.MakeFolder("state");
    home_.MakeFolder("config");
    home_.MakeFolder("config/vantor-rename");
    home_.MakeFolder("config/vantor-rename/presets");
    home_.MakeFile("config/vantor-rename/presets/课程.json", kLessonsPreset);
  }

  // Runs the program with no display at all, the user's folders in home_.
  Finished Run(const std::vector<std::string>& arguments) const {
    const std::string outPath = home_.Path() + "out";
    const std::string errPath = home_.Path() + "err";
    const pid_t child = fork();
    if (child == 0) {
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      setenv("QT_QPA_PLATFORM", "", 1);
      setenv("XDG_STATE_HOME", (home_.Path() + "state").c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home_.Path() + "config").c_str(), 1);
      setenv("HOME", home_.Path().c_str(), 1);
      const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(out, 1);
      dup2(err, 2);
      std::vector<char*> argv{const_cast<char*>(VANTOR_PROGRAM)};
      for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      execv(VANTOR_PROGRAM, argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    Finished finished;
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    finished.out = home_.ReadFile("out");
    finished.err = home_.ReadFile("err");
    return finished;
  }

  std::set<std::string> OnDisk() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  BatchHistory History() const { return BatchHistory(home_.Path() + "state/vantor-rename/history", {}); }

  // The folder as the program names it.
  std::string Folder() const { return dir_.Path().substr(0, dir_.Path().size() - 1); }

  TempDir home_;
  TempDir dir_;
};

TEST_F(HeadlessRunTest, DryRunPrintsWhatWouldChangeAndChangesNothing) {
  for (const char* name : {"第一课.mp4", "第十二课.mp4", "说明.txt", ".第三课.mp4", "第七课\x01.mp4"}) dir_.MakeFile(name);
  const std::set<std::string> before = OnDisk();

  const Finished dry = Run({"--preset", "课程", "--dry-run", dir_.Path()});
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_EQ(dry.out,
            "第七课\\x01.mp4 → 第07课\\x01.mp4\n"
            "第十二课.mp4 → 第12课.mp4\n"
            "第一课.mp4 → 第01课.mp4\n"
            "将改名3个，冲突0个\n");
  EXPECT_EQ(dry.err, "");
  EXPECT_EQ(OnDisk(), before);
  EXPECT_TRUE(History().List().empty());

  // Hidden entries only when asked for; the saved presets are listed.
  const Finished hidden = Run({"--preset", "课程", "--dry-run", "--hidden", dir_.Path()});
  EXPECT_EQ(hidden.status, 0);
  EXPECT_EQ(hidden.out.substr(0, hidden.out.find('\n')), ".第三课.mp4 → .第03课.mp4");
  EXPECT_NE(hidden.out.find("将改名4个，冲突0个\n"), std::string::npos);
  EXPECT_EQ(OnDisk(), before);
  const Finished presets = Run({"--list-presets"});
  EXPECT_EQ(presets.status, 0);
  EXPECT_EQ(presets.out, "课程\n");
}

TEST_F(HeadlessRunTest, RunRenamesRecordsTheBatchAndUndoBringsEveryNameBack) {
  for (const char* name : {"第一课.mp4", "第二课.mp4", "第十二课.mp4", "说明.txt"}) dir_.MakeFile(name);
  const std::set<std::string> before = OnDisk();

  // A folder named twice is renamed once.
  const Finished run = Run({"--preset", "课程", dir_.Path(), Folder()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "第二课.mp4 → 第02课.mp4\n"
            "第十二课.mp4 → 第12课.mp4\n"
            "第一课.mp4 → 第01课.mp4\n"
            "已改名3个，失败0个\n");
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"第01课.mp4", "第02课.mp4", "第12课.mp4", "说明.txt"}));
  const std::vector<BatchSummary> batches = History().List();
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].caption, Gbk("步骤方案：课程"));
  EXPECT_EQ(batches[0].count, 3);
  EXPECT_EQ(batches[0].folder, dir_.Gbk());

  const Finished undo = Run({"--undo", dir_.Path()});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out,
            "第01课.mp4 → 第一课.mp4\n"
            "第12课.mp4 → 第十二课.mp4\n"
            "第02课.mp4 → 第二课.mp4\n"
            "已改回3个，没能改回0个\n");
  EXPECT_EQ(OnDisk(), before);

  // Nothing left to take back is nothing to do.
  const Finished again = Run({"--undo", dir_.Path()});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(again.err, "vantor-rename: 你都没改过，撤什么？\n");
}

// Names another entry holds, or two entries would share, are left; the rest
// is renamed; the document tells each entry's outcome as the disk shows it.
TEST_F(HeadlessRunTest, ConflictsExitOneTheRestIsRenamedAndTheJsonMatchesTheDisk) {
  for (const char* name : {"第一课.mp4", "第01课.mp4", "第二课.mp4", "第2课.mp4", "第三课.mp4"}) dir_.MakeFile(name);

  const Finished dry = Run({"--preset", "课程", "--dry-run", dir_.Path()});
  EXPECT_EQ(dry.status, 1);
  EXPECT_EQ(dry.out, "第三课.mp4 → 第03课.mp4\n将改名1个，冲突3个\n");

  const Finished run = Run({"--preset", home_.Path() + "config/vantor-rename/presets/课程.json", "--json", dir_.Path()});
  EXPECT_EQ(run.status, 1);
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out;
  const QJsonObject top = document.object();
  EXPECT_EQ(top["renamed"].toInt(), 1);
  EXPECT_EQ(top["failed"].toInt(), 3);
  std::vector<std::string> outcomes;
  for (const QJsonValue& value : top["entries"].toArray()) {
    const QJsonObject entry = value.toObject();
    const std::string oldName = entry["old"].toString().toStdString();
    const std::string newName = entry["new"].toString().toStdString();
    const std::string outcome = entry["outcome"].toString().toStdString();
    EXPECT_EQ(entry["folder"].toString().toStdString(), Folder());
    outcomes.push_back(oldName + " " + outcome + " " + entry["reason"].toString().toStdString());
    if (outcome == "renamed") {
      EXPECT_TRUE(dir_.Exists(newName) && !dir_.Exists(oldName)) << oldName;
    } else {
      EXPECT_TRUE(dir_.Exists(oldName)) << oldName;
    }
  }
  EXPECT_EQ(outcomes, (std::vector<std::string>{"第2课.mp4 conflict duplicate-name", "第二课.mp4 conflict duplicate-name",
                                                "第三课.mp4 renamed ", "第一课.mp4 conflict name-taken"}));
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"第一课.mp4", "第01课.mp4", "第二课.mp4", "第2课.mp4", "第03课.mp4"}));
  EXPECT_NE(run.err.find("vantor-rename: 冲突：第一课.mp4 → 第01课.mp4（文件夹里已有同名文件）\n"), std::string::npos);
  EXPECT_NE(run.err.find("vantor-rename: 已改名1个，失败3个\n"), std::string::npos);
}

// In a tree each folder is renamed on its own: the same new name in two
// seasons is no conflict, and the undo takes back every folder.
TEST_F(HeadlessRunTest, RecursiveRunRenamesEachSubFolderAndUndoesThemAll) {
  dir_.MakeFolder("第一季");
  dir_.MakeFolder("第二季");
  dir_.MakeFile("第一课.mp4");
  dir_.MakeFile("第一季/第一课.mp4");
  dir_.MakeFile("第二季/第一课.mp4");
  dir_.MakeFile("第二季/第二课.mp4");
  const Finished dry = Run({"--preset", "课程", "--mode", "recursive", "--dry-run", dir_.Path()});
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_EQ(dry.out,
            "第一课.mp4 → 第01课.mp4\n"
            "第二季/第二课.mp4 → 第02课.mp4\n"
            "第二季/第一课.mp4 → 第01课.mp4\n"
            "第一季/第一课.mp4 → 第01课.mp4\n"
            "将改名4个，冲突0个\n");

  const Finished real = Run({"--preset", "课程", "--mode", "recursive", "--json", dir_.Path()});
  EXPECT_EQ(real.status, 0) << real.err;
  const QJsonArray entries = QJsonDocument::fromJson(QByteArray::fromStdString(real.out)).object()["entries"].toArray();
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(entries[1].toObject()["folder"].toString().toStdString(), dir_.Path() + "第二季");
  for (const char* path : {"第01课.mp4", "第一季/第01课.mp4", "第二季/第01课.mp4", "第二季/第02课.mp4"}) {
    EXPECT_TRUE(dir_.Exists(path)) << path;
  }
  const Finished undo = Run({"--undo", dir_.Path()});
  EXPECT_EQ(undo.status, 0) << undo.err;
  for (const char* path : {"第一课.mp4", "第一季/第一课.mp4", "第二季/第一课.mp4", "第二季/第二课.mp4"}) {
    EXPECT_TRUE(dir_.Exists(path)) << path;
  }
}

TEST_F(HeadlessRunTest, UnusableInputExitsTwoWithOneLineAndChangesNothing) {
  dir_.MakeFile("第一课.mp4");
  home_.MakeFile("damaged.json", R"({"format": "vantor-rename-steps", "version": 1, "steps": [)");
  home_.MakeFile("unknown.json", R"({"format": "vantor-rename-steps", "version": 1, "steps": [{"operation": "x"}]})");
  const struct {
    const char* what;
    std::vector<std::string> arguments;
  } rows[] = {
      {"a damaged preset", {"--preset", home_.Path() + "damaged.json", dir_.Path()}},
      {"an unknown operation", {"--preset", home_.Path() + "unknown.json", dir_.Path()}},
      {"no such preset", {"--preset", "没有", dir_.Path()}},
      {"an unknown option", {"--preset", "课程", "--colour", dir_.Path()}},
      {"a missing folder", {"--preset", "课程", dir_.Path(), home_.Path() + "没有"}},
      {"a file for a folder", {"--preset", "课程", home_.Path() + "damaged.json"}},
      {"undo of a missing folder", {"--undo", home_.Path() + "没有"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const Finished run = Run(row.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.rfind("vantor-rename: ", 0), 0u) << run.err;
  }
  EXPECT_EQ(OnDisk(), std::set<std::string>{"第一课.mp4"});
  EXPECT_TRUE(History().List().empty());
}

}  // namespace
}  // namespace vantor
