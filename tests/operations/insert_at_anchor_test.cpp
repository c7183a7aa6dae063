// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/insert_at_anchor.h"

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
using testing::kNothingChanged;
using testing::Workbench;

constexpr AnchorSide kBefore = AnchorSide::kBefore;
constexpr AnchorSide kAfter = AnchorSide::kAfter;
constexpr Occurrence kFirst = Occurrence::kFirst;
constexpr Occurrence kLast = Occurrence::kLast;

TEST(NewNameOfInsertAtAnchor, InsertsBesideTheChosenOccurrence) {
  struct Case {
    const char* stem;
    const char* anchor;
    const char* insert;
    Occurrence occurrence;
    AnchorSide side;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", "集", "(完)", kFirst, kAfter, std::nullopt},
      {"第1集", "", "(完)", kFirst, kAfter, std::nullopt},
      {"第1集", "集", "", kFirst, kAfter, std::nullopt},
      {"第1集", "集", "(完)", kFirst, kAfter, "第1集(完)"},
      {"第1集", "集", "(完)", kFirst, kBefore, "第1(完)集"},
      {"a_b_c", "_", "-", kLast, kBefore, "a_b-_c"},
      {"a_b_c", "_", "-", kLast, kAfter, "a_b_-c"},
      {"a_b_c", "_", "-", kFirst, kBefore, "a-_b_c"},
      {"a_b_c", "_", "-", Occurrence::kNone, kBefore, std::nullopt},
      {"a_b_c", "x", "-", kFirst, kBefore, std::nullopt},
      {"abc", "B", "-", kFirst, kBefore, std::nullopt},  // case matters
      {"ab", "b", "b", kFirst, kAfter, "abb"},           // anchor and insert alike: one more copy
      {"ab", "b", "b", kFirst, kBefore, "abb"},
      {"第1集第2集", "第", "【", kLast, kBefore, "第1集【第2集"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " | " + c.anchor + " | " + c.insert);
    ExpectNewName(NewNameOfInsertAtAnchor(G(c.stem), {G(c.anchor), G(c.insert), c.occurrence, c.side}), c.expected);
  }
  // D0 CE is a character of its own, and also the bytes where 中 (D6 D0) meets 文 (CE C4).
  EXPECT_FALSE(NewNameOfInsertAtAnchor(G("中文"), {"\xD0\xCE", "x", kFirst, kBefore}).has_value());
}

TEST(RunInsertAtAnchor, ChecksBothTextsFirstAndTheInsertCharactersAfterTheGuards) {
  Workbench bench;
  RunInsertAtAnchor(bench.Context(), {G(""), G("x"), kFirst, kAfter});
  RunInsertAtAnchor(bench.Context(), {G("a"), G(""), kFirst, kAfter});
  RunInsertAtAnchor(bench.Context(), {G("a"), G(":"), kFirst, kAfter});
  bench.Load();
  RunInsertAtAnchor(bench.Context(), {G("a"), G("\""), kFirst, kAfter});
  RunInsertAtAnchor(bench.Context(), {G("a"), G("x"), kFirst, kAfter});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"弄啥呢？", "信息："},
                                             {"弄啥呢？", "信息："},
                                             {"路径呢？请先拖入文件！", "信息："},
                                             {"不能改成这个东西", "信息：", MessageIcon::kNone},
                                             {"列表框是空的！", "提示"}}));
}

TEST(RunInsertAtAnchor, FolderModeAsksEvenForAnEmptyListAndSummarisesPlainly) {
  Workbench bench(ProcessingMode::kFolders);
  bench.Load();
  RunInsertAtAnchor(bench.Context(), {G("a"), G("x"), kFirst, kAfter});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, kNothingChanged}));
}

}  // namespace
}  // namespace vantor
