// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/sequence_numbers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "operations/expect_new_name.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::kPreviewNotice;
using testing::Reminder;
using testing::Workbench;

const Box kConfirmNumbering{"将直接更名，确定吗？", "提示", MessageIcon::kNone, true};

TEST(NumberingOf, ReadsStartAndStepAndRefusesUnusableRuns) {
  using R = NumberingRefusal;
  struct Case {
    const char* start;
    const char* step;
    int count;
    int64_t first;
    int64_t stepValue;
    int width;
    R refusal;
  };
  const Case cases[] = {
      {"", "", 0, 1, 1, 2, R::kNone},
      {"", "", 99, 1, 1, 2, R::kNone},
      {"", "", 9, 1, 1, 2, R::kNone},
      {"", "", 100, 1, 1, 3, R::kNone},
      {"", "", 999, 1, 1, 3, R::kNone},
      {"", "", 1000, 1, 1, 4, R::kNone},
      {"", "", 30000, 1, 1, 5, R::kNone},
      {"1000", "-1", 1000, 1000, -1, 4, R::kNone},  // a falling run: the width of its first number
      {"5", "-1", 30000, 5, -1, 2, R::kNone},
      {"", "2", 3, 1, 2, 2, R::kNone},  // an empty start with a step starts at 1
      {"5", "0", 3, 5, 0, 2, R::kZeroStep},
      {"", "0", 3, 1, 0, 2, R::kZeroStep},
      {"5", "abc", 3, 5, 0, 2, R::kZeroStep},
      {"-3", "1", 3, -3, 1, 2, R::kNegativeStart},
      {"-1", "0", 3, -1, 0, 2, R::kNegativeStart},  // the start is looked at first
      {"2147483647", "1", 1, 2147483647, 1, 10, R::kNone},
      {"2147483647", "1", 2, 2147483647, 1, 2, R::kOutOfRange},
      {"99999999999", "1", 2, 2147483647, 1, 2, R::kOutOfRange},
      {"0", "-1073741825", 3, 0, -1073741825, 2, R::kOutOfRange},
      {"0", "-1073741824", 3, 0, -1073741824, 2, R::kNone},  // reaches -2^31 exactly
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " / " + c.step + " x" + std::to_string(c.count));
    const Numbering numbering = NumberingOf(c.start, c.step, c.count);
    EXPECT_EQ(numbering.refusal, c.refusal);
    EXPECT_EQ(numbering.first, c.first);
    EXPECT_EQ(numbering.step, c.stepValue);
    if (c.refusal == R::kNone) {
      EXPECT_EQ(numbering.width, c.width);
    }
  }
}

TEST(NewNameOfSequenceNumber, PadsAndPutsTheNumberBeforeTheWholeName) {
  struct Case {
    const char* start;
    const char* step;
    int count;
    const char* separatorItem;
    int ordinal;
    const char* name;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"", "", 12, "、", 1, "a.txt", "01、a.txt"},
      {"", "", 12, "、", 9, "a.txt", "09、a.txt"},
      {"", "", 12, "、", 12, "a.txt", "12、a.txt"},
      {"", "", 100, "不加", 1, "a.txt", "001a.txt"},
      {"", "", 100, "不加", 99, "a.txt", "099a.txt"},
      {"", "", 100, "不加", 100, "a.txt", "100a.txt"},
      {"", "", 3, "", 1, "a", "01a"},  // no item selected: no separator
      {"15", "", 3, ".", 1, "a", "15.a"},
      {"15", "", 3, ".", 3, "a", "17.a"},
      {"0", "5", 3, "-", 1, "a", "00-a"},
      {"0", "5", 3, "-", 2, "a", "05-a"},
      {"0", "5", 3, "-", 3, "a", "10-a"},
      {"95", "1", 10, "，", 1, "a", "095，a"},
      {"95", "1", 10, "，", 6, "a", "100，a"},
      {"95", "1", 10, "，", 10, "a", "104，a"},
      {"3", "-1", 5, "：", 1, "a", "03：a"},
      {"3", "-1", 5, "：", 4, "a", "00：a"},
      {"3", "-1", 5, "：", 5, "a", "0-1：a"},
      {"abc", "", 2, "", 1, "a", "00a"},
      {"", "2", 3, "", 2, "a", "03a"},
      {"105", "-1", 100, "", 1, "a", "105a"},
      {"105", "-1", 100, "", 96, "a", "010a"},
      {"105", "-1", 100, "", 100, "a", "006a"},
      {"995", "1", 10, "", 1, "a", "0995a"},
      {"995", "1", 10, "", 6, "a", "1000a"},
      {"", "", 30000, "", 1, "a", "00001a"},
      {"", "", 30000, "", 999, "a", "00999a"},
      {"", "", 30000, "", 30000, "a", "30000a"},
      {"", "", 999, "", 1, "a", "001a"},
      {"", "", 999, "", 999, "a", "999a"},
      {"", "", 1000, "", 1, "a", "0001a"},
      {"1000", "-1", 1000, "", 991, "a", "0010a"},
      {"", "", 99, "", 99, "a", "99a"},
      {"", "", 1, "、", 1, "文件夹", "01、文件夹"},
      {"5", "0", 3, "", 1, "a", std::nullopt},
      {"-1", "", 3, "", 1, "a", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " / " + c.step + " x" + std::to_string(c.count) + " #" +
                 std::to_string(c.ordinal));
    const std::optional<ByteText> name = NewNameOfSequenceNumber(
        G(c.name), c.ordinal, NumberingOf(c.start, c.step, c.count), SeparatorOf(G(c.separatorItem)));
    testing::ExpectNewName(name, c.expected);
  }
}

TEST(RunSequenceNumbers, NumbersFilesInListOrderAndSkippedFilesUseUpTheirNumber) {
  Workbench bench;
  bench.Files({"a.txt", "b.mp4", "c.txt"});
  bench.Load();
  bench.intake.skipExtension = ".mp4";
  RunSequenceNumbers(bench.Context(), {"", "", G("、")});

  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kConfirmNumbering});  // no summary
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"01、a.txt", "b.mp4", "03、c.txt"}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"01、a.txt", "b.mp4", "03、c.txt"}));
}

TEST(RunSequenceNumbers, TellsAnUnusableNumberingAfterTheQuestionOrNoticeAndRenamesNothing) {
  struct Case {
    const char* start;
    const char* step;
    bool preview;
    const char* message;
  };
  const Case cases[] = {
      {"1", "0", false, "每次递增不能为0！"},
      {"", "0", true, "每次递增不能为0！"},
      {"-2", "1", false, "起始序号不能为负数！"},
      {"-2", "", true, "起始序号不能为负数！"},
      {"2147483647", "1", false, "序号超出范围！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " / " + c.step);
    Workbench bench;
    bench.Files({"a.txt", "b.txt"});
    bench.Load();
    bench.list.SetPreviewOn(c.preview);
    RunSequenceNumbers(bench.Context(), {c.start, c.step, ByteText()});
    EXPECT_EQ(bench.Boxes(), (std::vector<Box>{c.preview ? kPreviewNotice : kConfirmNumbering, Reminder(c.message)}));
    EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.txt", "b.txt"}));
    if (c.preview) {
      EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", ""}));
    }
  }
}

TEST(RunSequenceNumbers, AsksForTheFolderWithItsShortTextAndAsksEvenForAnEmptyList) {
  Workbench bench;
  RunSequenceNumbers(bench.Context(), {"", "", ByteText()});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Box{"路径呢？", "信息："}}));

  Workbench empty;
  empty.Load();
  RunSequenceNumbers(empty.Context(), {"", "", ByteText()});
  EXPECT_EQ(empty.Boxes(), std::vector<Box>{kConfirmNumbering});
}

}  // namespace
}  // namespace vantor
