// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/video_tag.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::Workbench;

const Box kAsk{"不提供预览功能，将直接改名，确定吗？", "提示", MessageIcon::kNone, true};

TEST(NewNameOfVideoTag, AppendsTheTagToTheStem) {
  struct Case {
    const char* stem;
    const char* digits;
    int part;
    const char* expected;
  };
  const Case cases[] = {
      {"lesson", "012345678", 3, "lesson(Av012345678,P3)"},
      {"", "987654321", 1, "(Av987654321,P1)"},
      {"第1课(Av111111111,P2)", "000000000", 12, "第1课(Av111111111,P2)(Av000000000,P12)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stem);
    EXPECT_EQ(Utf8ForDisplay(NewNameOfVideoTag(G(c.stem), c.digits, c.part)), c.expected);
  }
}

TEST(RandomDigits, DrawsEveryDigitAndKeepsLeadingZeros) {
  std::mt19937 generator(7);
  EXPECT_EQ(RandomDigits(generator, 0), "");
  std::set<char> seen;
  std::set<char> leading;
  for (int i = 0; i < 200; ++i) {
    const ByteText digits = RandomDigits(generator, kVideoTagDigits);
    ASSERT_EQ(digits.size(), 9u);
    for (char c : digits) {
      ASSERT_TRUE(c >= '0' && c <= '9') << digits;
      seen.insert(c);
    }
    leading.insert(digits[0]);
  }
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(leading.size(), 10u);
}

TEST(RunVideoTag, RenamesAtOnceEvenInPreviewWithRowNumbersAndDistinctDigits) {
  Workbench bench(ProcessingMode::kDroppedItems);
  bench.Files({"lesson.mp4", "a", "skip.txt", "b.mp4"});
  bench.Rows({"lesson.mp4", "a", "skip.txt", "b.mp4"});
  bench.intake.skipExtension = ".txt";
  bench.list.SetPreviewOn(true);
  bench.Pending(0, "pending.mp4");
  RunVideoTag(bench.Context(), {});

  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kAsk});
  const std::vector<std::string> names = bench.Column(0);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_TRUE(std::regex_match(names[0], std::regex(R"(lesson\(Av[0-9]{9},P1\)\.mp4)"))) << names[0];
  EXPECT_TRUE(std::regex_match(names[1], std::regex(R"(a\(Av[0-9]{9},P2\))"))) << names[1];
  EXPECT_EQ(names[2], "skip.txt");
  EXPECT_TRUE(std::regex_match(names[3], std::regex(R"(b\(Av[0-9]{9},P4\)\.mp4)"))) << names[3];
  EXPECT_NE(names[0].substr(9, 9), names[1].substr(4, 9));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>(names.begin(), names.end())));
  // The direct rename drops the row's pending name, so a commit cannot undo it.
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "", "", ""}));
}

TEST(RunVideoTag, RefusesFoldersAndChangesNothingOnCancelOrAnEmptyList) {
  Workbench folders(ProcessingMode::kFolders);
  folders.Folders({"a"});
  folders.Load();
  RunVideoTag(folders.Context(), {});
  EXPECT_EQ(folders.Boxes(), (std::vector<Box>{{"此功能无法对文件夹进行操作，请选择文件", "信息："}}));
  EXPECT_EQ(folders.OnDisk(), std::set<std::string>{"a/"});

  Workbench files;
  files.Load();
  RunVideoTag(files.Context(), {});
  EXPECT_TRUE(files.Boxes().empty());

  files.Files({"a.mp4"});
  files.Load();
  files.prompter.answers = {false};
  RunVideoTag(files.Context(), {});
  EXPECT_EQ(files.Boxes(), std::vector<Box>{kAsk});
  EXPECT_EQ(files.OnDisk(), std::set<std::string>{"a.mp4"});
}

}  // namespace
}  // namespace vantor
