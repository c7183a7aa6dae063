// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/delete_beside_marker.h"

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
using testing::Workbench;

constexpr MarkerSide kBefore = MarkerSide::kBefore;
constexpr MarkerSide kAfter = MarkerSide::kAfter;
constexpr Occurrence kFirst = Occurrence::kFirst;
constexpr Occurrence kLast = Occurrence::kLast;
constexpr bool kRemove = true;
constexpr bool kKeep = false;

TEST(NewNameOfDeleteBesideMarker, CutsAtTheChosenOccurrence) {
  struct Case {
    const char* stem;
    const char* marker;
    MarkerSide side;
    Occurrence occurrence;
    bool removeMarker;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", "-", kAfter, kFirst, kKeep, std::nullopt},
      {"01-abc-def", "", kAfter, kFirst, kKeep, std::nullopt},
      {"01-abc-def", "-", kAfter, kFirst, kKeep, "01-"},
      {"01-abc-def", "-", kAfter, kFirst, kRemove, "01"},
      {"01-abc-def", "-", kAfter, kLast, kKeep, "01-abc-"},
      {"01-abc-def", "-", kAfter, kLast, kRemove, "01-abc"},
      {"01-abc-def", "-", kBefore, kFirst, kKeep, "-abc-def"},
      {"01-abc-def", "-", kBefore, kFirst, kRemove, "abc-def"},
      {"01-abc-def", "-", kBefore, kLast, kKeep, "-def"},
      {"01-abc-def", "-", kBefore, kLast, kRemove, "def"},
      {"01-abc-def", "-", kAfter, Occurrence::kNone, kKeep, std::nullopt},
      {"01-abc-def", "_", kAfter, kFirst, kKeep, std::nullopt},
      {"-abc", "-", kAfter, kFirst, kRemove, std::nullopt},  // nothing would be left
      {"-abc", "-", kAfter, kFirst, kKeep, "-"},
      {"-abc", "-", kBefore, kFirst, kKeep, std::nullopt},   // nothing to cut
      {"abc-", "-", kBefore, kLast, kRemove, std::nullopt},  // nothing would be left
      {"abc-", "-", kAfter, kLast, kKeep, std::nullopt},     // nothing to cut
      {"abc", "A", kAfter, kFirst, kKeep, std::nullopt},     // case matters
      {"第1课（上）讲义", "（", kAfter, kFirst, kRemove, "第1课"},
      {"第1课（上）讲义", "）", kBefore, kLast, kRemove, "讲义"},
      {"a.b-c", "-", kAfter, kFirst, kRemove, "a.b"},               // a folder name, cut whole
      {"xx-yy-xx", "xx", kBefore, kLast, kRemove, std::nullopt},    // would be empty
      {"xx-yy-xx", "xx", kBefore, kFirst, kRemove, "-yy-xx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " | " + c.marker + (c.side == kAfter ? " after" : " before") +
                 (c.occurrence == kFirst ? " first" : c.occurrence == kLast ? " last" : " none") +
                 (c.removeMarker ? " removed" : " kept"));
    ExpectNewName(NewNameOfDeleteBesideMarker(G(c.stem), {G(c.marker), c.side, c.occurrence, c.removeMarker}),
                  c.expected);
  }
}

TEST(NewNameOfDeleteBesideMarker, FindsAMarkerOnlyOnCharacterBoundaries) {
  // D0 CE is a character of its own, and also the bytes where 中 (D6 D0) meets 文 (CE C4).
  EXPECT_FALSE(NewNameOfDeleteBesideMarker(G("中文"), {"\xD0\xCE", kAfter, kFirst, kRemove}).has_value());
  EXPECT_FALSE(NewNameOfDeleteBesideMarker(G("中文"), {"\xD0\xCE", kBefore, kLast, kKeep}).has_value());
}

TEST(RunDeleteBesideMarker, RefusesAnEmptyMarkerBeforeAnyGuardAndAnEmptyList) {
  Workbench bench;
  RunDeleteBesideMarker(bench.Context(), {G(""), kAfter, kFirst, kKeep});
  RunDeleteBesideMarker(bench.Context(), {std::nullopt, kAfter, kFirst, kKeep});
  RunDeleteBesideMarker(bench.Context(), {G("-"), kAfter, kFirst, kKeep});
  bench.Load();
  RunDeleteBesideMarker(bench.Context(), {G("-"), kBefore, kFirst, kKeep});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"去掉什么？不能为空", "信息："},
                                             {"输入的文字含有无法识别的字符，不能用在文件名里", "提示"},
                                             {"路径呢？请先拖入文件！", "信息："},
                                             {"列表框是空的！", "提示"}}));
}

TEST(RunDeleteBesideMarker, OnlyDeletingBeforeTheMarkerPassesOverTheSkippedExtension) {
  struct Case {
    MarkerSide side;
    std::set<std::string> expected;
    int renamed;
  };
  const Case cases[] = {
      {kBefore, {"b.mp4", "x-b.txt"}, 1},
      {kAfter, {"x-.mp4", "x-.txt"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side == kAfter ? "after" : "before");
    Workbench bench;
    bench.Files({"x-b.mp4", "x-b.txt"});
    bench.Load();
    bench.intake.skipExtension = ".txt";
    RunDeleteBesideMarker(bench.Context(), {G("-"), c.side, kFirst, c.side == kBefore});
    EXPECT_EQ(bench.OnDisk(), c.expected);
    EXPECT_EQ(bench.Boxes().back(), (Box{"一共有" + std::to_string(c.renamed) + "个文件将被更名", "修改成果提示"}));
  }
}

}  // namespace
}  // namespace vantor
