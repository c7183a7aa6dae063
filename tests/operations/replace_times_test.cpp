// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/replace_times.h"

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
using testing::kConfirmRename;
using testing::Workbench;

TEST(NewNameOfReplaceTimes, ReplacesNearTheFrontOrTheCountedOccurrences) {
  constexpr ReplaceScope kNearFront = ReplaceScope::kNearFront;
  constexpr ReplaceScope kAny = ReplaceScope::kUnrestricted;
  constexpr CountFrom kLeft = CountFrom::kLeft;
  constexpr CountFrom kRight = CountFrom::kRight;
  struct Case {
    const char* stem;
    ReplaceScope scope;
    CountFrom from;
    const char* search;
    const char* replacement;
    const char* count;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"01-公司办公文档", kNearFront, kLeft, "-", "、", "5", "01、公司办公文档"},
      {"2020-01-05 report", kNearFront, kRight, "-", "_", "", "2020_01-05 report"},
      {"第123456789集-完", kNearFront, kLeft, "-", "、", "", std::nullopt},
      {"第一二-三", kNearFront, kLeft, "-", "、", "", "第一二、三"},  // byte 7
      {"第一二三-", kNearFront, kLeft, "-", "、", "", std::nullopt},    // byte 9
      {"1234567-", kNearFront, kLeft, "-", "、", "", "1234567、"},      // byte 8
      {"a-b-c-d", kAny, kLeft, "-", "+", "", "a+b-c-d"},
      {"a-b-c-d", kAny, kLeft, "-", "+", "2", "a+b+c-d"},
      {"a-b-c-d", kAny, kLeft, "-", "+", "-1", "a+b+c+d"},
      {"a-b-c-d", kAny, kRight, "-", "+", "", "a-b-c+d"},
      {"a-b-c-d", kAny, kRight, "-", "+", "2", "a-b+c+d"},
      {"a-b-c-d", kAny, kRight, "-", "+", "-1", "a+b+c+d"},  // negative: all, as from the left
      {"a-b-c-d", kAny, kLeft, "-", "", "3", "abcd"},
      {"a-b-c-d", kAny, kRight, "-", "--", "2", "a-b--c--d"},
      {"a-b-c-d", kAny, kLeft, "-", "+", "3abc", "a+b+c+d"},
      {"a-b-c-d", kAny, kLeft, "-", "+", "abc", std::nullopt},
      {"a-b-c-d", kAny, kLeft, "-", "+", "0", std::nullopt},
      {"abc", kAny, kLeft, "abc", "", "", std::nullopt},  // nothing would be left
      {"abc", kAny, kLeft, "b", "b", "", std::nullopt},   // unchanged
      {"a-b", ReplaceScope::kNone, kLeft, "-", "+", "", std::nullopt},
      {"a-b", kAny, CountFrom::kNowhere, "-", "+", "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " " + c.search + "->" + c.replacement + " x" + c.count);
    const std::optional<ByteText> changed =
        NewNameOfReplaceTimes(G(c.stem), {G(c.search), G(c.replacement), G(c.count), c.scope, c.from});
    testing::ExpectNewName(changed, c.expected);
  }
}

TEST(NewNameOfReplaceTimes, LeavesANameThatWouldNotFitTheFileSystemUnchanged) {
  const ReplaceTimesSettings grow{"-", "----", "-1", ReplaceScope::kUnrestricted, CountFrom::kRight};
  EXPECT_FALSE(NewNameOfReplaceTimes(ByteText(63, '-'), grow, ".txt").has_value());  // 252 + 4 bytes
  EXPECT_EQ(NewNameOfReplaceTimes(ByteText(63, '-'), grow, ".t"), ByteText(252, '-'));
}

TEST(RunReplaceTimes, RefusesInItsOrderBeforeAsking) {
  Workbench bench;
  bench.Files({"a-b.txt"});
  const ReplaceTimesSettings good{"-", "+", "", ReplaceScope::kUnrestricted, CountFrom::kLeft};
  RunReplaceTimes(bench.Context(), good);
  bench.Load();
  RunReplaceTimes(bench.Context(), {"", "+", "", ReplaceScope::kUnrestricted, CountFrom::kLeft});
  RunReplaceTimes(bench.Context(), {"-", "a\"b", "", ReplaceScope::kUnrestricted, CountFrom::kLeft});
  RunReplaceTimes(bench.Context(), {"-", ":", "0", ReplaceScope::kUnrestricted, CountFrom::kLeft});
  RunReplaceTimes(bench.Context(), {"-", "+", "abc", ReplaceScope::kNearFront, CountFrom::kLeft});
  bench.list.Clear();
  RunReplaceTimes(bench.Context(), good);

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"路径呢？请先拖入文件！", "提示"},
                                             {"去掉什么？不能为空", "提示"},
                                             {"不能改成这个东西", "信息：", MessageIcon::kNone},
                                             {"不能改成这个东西", "信息：", MessageIcon::kNone},
                                             {"替换次数没写对，请重新再写！", "提醒："},
                                             {"列表框是空的！", "提示"}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a-b.txt"}));
}

TEST(RunReplaceTimes, AsksInPreviewTooInsteadOfTheNotice) {
  Workbench bench;
  bench.Files({"a-b-c.txt", "x.a-b", "d-e.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  const ReplaceTimesSettings settings{"-", "+", "", ReplaceScope::kUnrestricted, CountFrom::kRight};
  RunReplaceTimes(bench.Context(), settings);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kConfirmRename});  // no preview notice
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"a-b+c.txt", "d+e.txt", ""}));
}

}  // namespace
}  // namespace vantor
