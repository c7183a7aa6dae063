// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/delete_between.h"

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
using testing::Workbench;

// The occurrence boxes by the pair they form: "ff" first D1 and first D2, "fl",
// "lf", "ll"; "--" none checked.
DeleteBetweenSettings Settings(const ByteText& left, const ByteText& right, const std::string& pair,
                               bool withDelimiters) {
  return {left, right, pair[0] == 'f', pair[0] == 'l', pair[1] == 'f', pair[1] == 'l', withDelimiters};
}

TEST(NewNameOfDeleteBetween, DeletesBetweenTheChosenOccurrences) {
  struct Case {
    const char* stem;
    const char* left;
    const char* right;
    const char* pair;
    bool withDelimiters;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", "(", ")", "ff", true, std::nullopt},
      {"abc好abcdefghijklmn的bac", "好", "的", "ff", false, "abc好的bac"},
      {"abc好abcdefghijklmn的bac", "好", "的", "ff", true, "abcbac"},
      {"视频名称(Av12345,P1)", "(", ")", "ff", true, "视频名称"},
      {"a(b", "(", ")", "ff", true, std::nullopt},  // no right delimiter
      {"a)b(", "(", ")", "ff", true, std::nullopt},  // no right delimiter after the left one
      {"a_b_c_d", "_", "_", "ff", false, "a__c_d"},  // the same delimiter twice: the first two
      {"a_b_c_d", "_", "_", "ff", true, "ac_d"},
      {"[x]", "[", "]", "ff", true, std::nullopt},  // nothing left
      {"a()b", "(", ")", "ff", false, std::nullopt},  // nothing between
      {"a()b", "(", ")", "ff", true, "ab"},
      {"a(b)c)d", "(", ")", "fl", true, "ad"},
      {"a(b)c)d", "(", ")", "fl", false, "a()d"},
      {")a(", "(", ")", "fl", true, std::nullopt},  // the last D2 before the first D1
      {"xabcx", "ab", "bc", "fl", true, std::nullopt},  // the last D2 overlaps the first D1
      {"(a(b)c)", "(", ")", "lf", true, "(ac)"},
      {"(a(b)c)", "(", ")", "lf", false, "(a()c)"},
      {"(a(b)c)", "(", ")", "ll", true, "(a"},
      {"(a(b)c)", "(", ")", "ll", false, "(a()"},
      {"a)(b", "(", ")", "ll", true, std::nullopt},  // no D1 before the last D2
      {"(a(b)c)", "(", ")", "--", true, "c)"},  // no complete pair: first and first
      {"A(x)a(y)", "a(", ")", "ff", true, "A(x)"},  // case-sensitive
      {"第1集【高清】", "【", "】", "ff", true, "第1集"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " " + c.left + c.right + " " + c.pair + (c.withDelimiters ? " with" : ""));
    const std::optional<ByteText> changed =
        NewNameOfDeleteBetween(G(c.stem), Settings(G(c.left), G(c.right), c.pair, c.withDelimiters));
    testing::ExpectNewName(changed, c.expected);
  }
}

TEST(NewNameOfDeleteBetween, NeverTakesTheTrailByteOfADoubleByteCharacterForADelimiter) {
  // "\x81[" is one double-byte character whose second byte is the code of "[".
  EXPECT_FALSE(NewNameOfDeleteBetween("\x81[a]", Settings("[", "]", "ff", true)).has_value());
  EXPECT_EQ(NewNameOfDeleteBetween("\x81[[a]", Settings("[", "]", "ff", true)), "\x81[");
}

TEST(SwitchSymbolWidth, TurnsTheSixSymbolsToTheChosenWidth) {
  struct Case {
    const char* text;
    const char* item;
    std::optional<std::string> expected;  // nullopt: the item stands for no width
  };
  const Case cases[] = {
      {"", "英文符号", ""},
      {"【a】（b），c。", "英文符号", "[a](b),c."},
      {"【a】（b），c。", "B站括号", "[a](b),c."},
      {"[a](b),c.", "中文符号", "【a】（b），c。"},
      {"[a](b),c.", "英文符号", "[a](b),c."},
      {"《书名》：", "英文符号", "《书名》："},
      {"\x81[", "中文符号", "\x81["},  // a trail byte is not a symbol
      {"(a)", "不加", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + c.item);
    const std::optional<SymbolWidth> width = SymbolWidthOf(G(c.item));
    ASSERT_EQ(width.has_value(), c.expected.has_value());
    if (width) {
      const ByteText gbkText = GbkFromUtf8(c.text).value_or(c.text);
      const ByteText switched = SwitchSymbolWidth(gbkText, *width);
      EXPECT_EQ(GbkFromUtf8(*c.expected).value_or(*c.expected), switched);
    }
  }
}

TEST(RunDeleteBetween, AsksWithTheCountOfTheNamesThatWillChange) {
  Workbench bench;
  bench.Files({"a(1).txt", "b(2).mp4", "(x).txt", "c.txt", "d.(e)"});
  bench.Load();
  bench.intake.skipExtension = ".mp4";
  RunDeleteBetween(bench.Context(), Settings("(", ")", "ff", true));

  // b(2).mp4 is skipped, (x) would lose its whole stem, c has no delimiters
  // and d.(e) has them only in its extension.
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"一共有1个文件将被更名", "确定改名吗？", MessageIcon::kNone, true},
                                             {"一共有1个文件被改名", "修改成果提示"}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.txt", "b(2).mp4", "(x).txt", "c.txt", "d.(e)"}));
}

TEST(RunDeleteBetween, RefusesInItsOrder) {
  Workbench bench;
  bench.Files({"a.txt"});
  RunDeleteBetween(bench.Context(), Settings("(", ")", "ff", true));
  bench.list.SetEntryDirectory("/srv/d/");
  RunDeleteBetween(bench.Context(), Settings("(", "", "ff", true));
  bench.Load();
  RunDeleteBetween(bench.Context(), Settings("(", ")", "ff", true));
  bench.list.Clear();
  RunDeleteBetween(bench.Context(), Settings("(", ")", "ff", true));

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"路径呢？请先拖入文件！", "信息："},
                                             {"去掉什么？不能为空", "信息："},
                                             {"找不到需要改的文件名", "提示", MessageIcon::kNone},
                                             {"列表框是空的！", "提示"}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.txt"}));
}

TEST(RunDeleteBetween, WorksOnTheListedFolderNamesInFolderMode) {
  Workbench bench(ProcessingMode::kFolders);
  bench.Folders({"甲(1)", "乙(2).x", "丙(3)"});
  bench.Rows({"甲(1)", "乙(2).x"});  // 丙(3) is on the disk only
  RunDeleteBetween(bench.Context(), Settings("(", ")", "ff", false));

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"总共有2个需要改名", "确定改名吗？", MessageIcon::kNone, true},
                                             {"一共有2个文件被改名", "修改成果提示", MessageIcon::kNone}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"甲()/", "乙().x/", "丙(3)/"}));
}

}  // namespace
}  // namespace vantor
