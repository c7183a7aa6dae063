// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/digits_to_numerals.h"

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
using testing::kPreviewNotice;
using testing::Workbench;

Box Changed(int count) { return {"总共更改" + std::to_string(count) + "个", "更名数量", MessageIcon::kNone}; }
const Box kEmptyList{"列表框是空的！", "提示"};
const Box kNoDirectory{"路径呢？请先拖入文件！", "信息："};

TEST(NewNameOfDigitsToNumerals, WritesTheFirstNumberInNumerals) {
  struct Case {
    const char* stem;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"无数字的名字", std::nullopt},
      {"１２全角数字", std::nullopt},
      {"第1课", "第一课"},
      {"第15课", "第十五课"},
      {"第007集", "第七集"},
      {"第20课", "第二十课"},
      {"2课第3节", "二课第3节"},  // only the first number
      {"第10课", "第十课"},
      {"第19课", "第十九课"},
      {"110", "一百一十"},
      {"第105课", "第一百零五课"},
      {"10001", "一万零一"},
      {"第0课", "第零课"},
      {"000", "零"},
      {"v9999999999999", "v九万九千九百九十九亿九千九百九十九万九千九百九十九"},
      {"00000000000000001", "一"},  // leading zeros do not make a number big
      {"第10000000000000课", std::nullopt},  // too big: the number stays
      {"第123456789012345678901234567890课", std::nullopt},
      {"a1b2", "a一b2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stem);
    ExpectNewName(NewNameOfDigitsToNumerals(G(c.stem)), c.expected);
  }
}

TEST(RunDigitsToNumerals, RenamesStemsAndCountsInItsOwnWordsEvenNothing) {
  Workbench bench;
  bench.Files({"第1课.mp4", "第15课.mp4", "第007集.avi", "2课第3节.txt", "说明.txt", "第10000000000000课.txt",
               "a.1"});
  bench.Load();
  RunDigitsToNumerals(bench.Context(), {});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, Changed(4)}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"第一课.mp4", "第十五课.mp4", "第七集.avi", "二课第3节.txt",
                                                    "说明.txt", "第10000000000000课.txt", "a.1"}));

  // The second number of 二课第3节 is now the first; then nothing is left.
  bench.prompter.boxes.clear();
  RunDigitsToNumerals(bench.Context(), {});
  RunDigitsToNumerals(bench.Context(), {});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, Changed(1), kConfirmRename, Changed(0)}));
  EXPECT_TRUE(bench.OnDisk().contains("二课第三节.txt"));
}

TEST(RunDigitsToNumerals, RenamesWholeFolderNamesAndRefusesAnEmptyList) {
  Workbench bench(ProcessingMode::kFolders);
  RunDigitsToNumerals(bench.Context(), {});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNoDirectory});

  bench.Files({"第3课.txt"});
  bench.Load();
  bench.prompter.boxes.clear();
  RunDigitsToNumerals(bench.Context(), {});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kEmptyList});

  bench.Folders({"第20课", "v1.5"});
  bench.Load();
  bench.prompter.boxes.clear();
  bench.list.SetPreviewOn(true);
  RunDigitsToNumerals(bench.Context(), {});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kPreviewNotice});
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"v一.5", "第二十课"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"第20课/", "v1.5/", "第3课.txt"}));
}

}  // namespace
}  // namespace vantor
