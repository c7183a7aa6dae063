// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/numerals_to_digits.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "operations/expect_new_name.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::ExpectNewName;
using testing::G;
using testing::kConfirmRename;
using testing::Workbench;

Box Changed(int count) { return {"总共更改" + std::to_string(count) + "个", "更名数量", MessageIcon::kNone}; }

TEST(NewNameOfNumeralsToDigits, ReplacesTheFirstNumeralRunInPlace) {
  struct Case {
    const char* name;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"lesson.mp4", std::nullopt},
      {"第一课.mp4", "第1课.mp4"},
      {"第十五课.mp4", "第15课.mp4"},
      {"第二十一集.avi", "第21集.avi"},
      {"第一百二十三集.txt", "第123集.txt"},
      {"第十课第三节.txt", "第10课第三节.txt"},  // only the first run
      {"第一千课.txt", std::nullopt},            // above 999
      {"1第一课.txt", "1第1课.txt"},             // a run after single bytes
      {"lesson第二十一课.mp4", "lesson第21课.mp4"},
      {"耙欢一.txt", "耙欢1.txt"},  // 耙欢 hides 一 across its two characters
      {"第一百零五课", "第105课"},
      {"第一十五课", std::nullopt},  // 15 is written 十五
      {"第零课", std::nullopt},
      {"第二二课第三节", std::nullopt},  // the first run matches no value; later runs are not tried
      {"一二三四五六", std::nullopt},
      {"万达广场", std::nullopt},
      {"十.txt", "10.txt"},
      {"第九百九十九集", "第999集"},
      {"文件.第一", "文件.第1"},  // the extension is part of the name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectNewName(NewNameOfNumeralsToDigits(G(c.name)), c.expected);
  }
}

// Records what a run tells its progress display.
struct RecordingProgress : RunProgress {
  void Started(int total) override { events.push_back("started " + std::to_string(total)); }
  void Advanced(int done) override { last = done; }
  void Finished() override { events.push_back("finished at " + std::to_string(last)); }
  std::vector<std::string> events;
  int last = 0;
};

TEST(RunNumeralsToDigits, ReportsProgressForFilesButNotForFolders) {
  Workbench files;
  files.Files({"第一课.mp4", "第十五课.mp4", "第一千课.txt", "说明.txt"});
  files.Load();
  RecordingProgress progress;
  RunNumeralsToDigits(RunContext{files.list, files.prompter, files.intake, &progress}, {});
  EXPECT_EQ(files.Boxes(), (std::vector<Box>{kConfirmRename, Changed(2)}));
  EXPECT_EQ(files.OnDisk(), (std::set<std::string>{"第1课.mp4", "第15课.mp4", "第一千课.txt", "说明.txt"}));
  EXPECT_EQ(progress.events, (std::vector<std::string>{"started 2", "finished at 2"}));

  Workbench folders(ProcessingMode::kFolders);
  folders.Folders({"第二十集", "资料"});
  folders.Load();
  RecordingProgress silent;
  RunNumeralsToDigits(RunContext{folders.list, folders.prompter, folders.intake, &silent}, {});
  EXPECT_EQ(folders.Boxes(), (std::vector<Box>{kConfirmRename, Changed(1)}));
  EXPECT_EQ(folders.OnDisk(), (std::set<std::string>{"第20集/", "资料/"}));
  EXPECT_TRUE(silent.events.empty());
}

}  // namespace
}  // namespace vantor
