// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/remove_first_number.h"

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
using testing::kPreviewNotice;
using testing::Workbench;

const Box kAskFirst{"将直接更名，确定吗？", "提示", MessageIcon::kNone, true};

TEST(NewNameOfRemoveFirstNumber, RemovesTheFirstDigitRunWithinTheLimit) {
  struct Case {
    const char* stem;
    std::optional<std::string> limit;     // nullopt: the box is empty
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", std::nullopt, std::nullopt},
      {"无数字", std::nullopt, std::nullopt},
      {"01、开始", std::nullopt, "、开始"},
      {"第10课-2", std::nullopt, "第课-2"},
      {"2020年", std::nullopt, "年"},
      {"初级教程02教程", "10", "初级教程教程"},  // the run starts at byte 9
      {"初级教程02教程", "9", "初级教程教程"},   // a run starting at byte N still goes
      {"初级教程02教程", "8", std::nullopt},
      {"初级教程02教程", "１０", "初级教程教程"},  // full-width digits in the limit count
      {"初级教程02教程", "", "初级教程教程"},      // an empty box sets no limit
      {"01a", "abc", std::nullopt},               // no digits: a limit of 0
      {"01a", "-1", std::nullopt},
      {"123", std::nullopt, std::nullopt},  // a name of digits alone is kept
      {"1", "5", std::nullopt},
      {"０１全角", std::nullopt, std::nullopt},  // full-width digits are not digits here
      {"０１全角2", std::nullopt, "０１全角"},
      {"v1.5", std::nullopt, "v.5"},  // a folder name: only the first run
      {"a1b22c", "2", "ab22c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " limit " + c.limit.value_or("(empty)"));
    const InputText limit = c.limit ? InputText(G(*c.limit)) : InputText(ByteText());
    ExpectNewName(NewNameOfRemoveFirstNumber(G(c.stem), {limit}), c.expected);
  }
}

TEST(RunRemoveFirstNumber, AsksItsOwnQuestionEvenForAnEmptyListAndShowsNoSummary) {
  Workbench bench;
  bench.Load();
  RunRemoveFirstNumber(bench.Context(), {ByteText()});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kAskFirst});

  bench.Files({"01a.txt", "123.txt", "b.txt"});
  bench.Load();
  bench.intake.skipExtension = ".txt";  // not applied by this operation
  RunRemoveFirstNumber(bench.Context(), {ByteText()});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kAskFirst, kAskFirst}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.txt", "123.txt", "b.txt"}));

  bench.list.SetPreviewOn(true);
  RunRemoveFirstNumber(bench.Context(), {ByteText()});
  EXPECT_EQ(bench.Boxes().back(), kPreviewNotice);
}

TEST(RunRemoveFirstNumber, RefusesTheRootWithItsOwnWordsAndALimitWithoutGbkForm) {
  Workbench bench;
  bench.list.SetEntryDirectory("/");
  RunRemoveFirstNumber(bench.Context(), {ByteText()});
  bench.Load();
  RunRemoveFirstNumber(bench.Context(), {std::nullopt});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"什么都没有选择！", "提示"},
                                             {"输入的文字含有无法识别的字符，不能用在文件名里", "提示"}}));
}

}  // namespace
}  // namespace vantor
