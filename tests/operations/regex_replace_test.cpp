// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/regex_replace.h"

#include <gtest/gtest.h>

#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::G;
using testing::Workbench;

TEST(NewNameOfRegexReplace, RewritesWithCapturesCaseAndCount) {
  struct Case {
    const char* pattern;
    const char* replacement;
    bool caseSensitive;
    bool replaceAll;
    const char* text;
    std::optional<std::string> expected;  // nullopt: unchanged
  };
  const Case cases[] = {
      {"IMG_(\\d+)", "photo-$1", false, true, "IMG_1234", "photo-1234"},
      {"(?<y>\\d{4})-(?<m>\\d\\d)", "${m}.${y}", false, true, "2024-05 报告", "05.2024 报告"},
      {"(\\w+) (\\w+)", "$2 $1", false, true, "hello world", "world hello"},
      {"a", "x", false, true, "AbaA", "xbxx"},             // case-insensitive by default
      {"a", "x", true, true, "AbaA", "AbxA"},              // case-sensitive
      {"a", "x", false, false, "abaa", "xbaa"},            // first match only
      {"第(\\d+)课", "Lesson $1", false, true, "第12课", "Lesson 12"},
      {"\\d", "", false, true, "a1b2", "ab"},              // deletion
      {"x", "$$5 ${nope} $9", false, true, "x", "$5  "},  // literal dollar, unknown groups are empty
      {"(\\w+) (\\w+)", "\\2-\\1", false, true, "hello world", "world-hello"},  // as sed writes them
      {"x", "\\\\1 \\0 \\n", false, true, "x", "\\1 \\0 \\n"},  // \\ is a backslash; others stay
      {"z", "y", false, true, "abc", std::nullopt},         // no match
      {"b", "b", false, true, "abc", std::nullopt},         // same result
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " -> " + c.replacement + " on " + c.text);
    const CompiledRegexReplace compiled(
        RegexReplaceSettings{G(c.pattern), G(c.replacement), c.caseSensitive, c.replaceAll});
    ASSERT_TRUE(compiled.Valid());
    const std::optional<ByteText> result = NewNameOfRegexReplace(G(c.text), compiled);
    if (!c.expected) {
      EXPECT_FALSE(result.has_value());
    } else {
      ASSERT_TRUE(result.has_value());
      EXPECT_EQ(Utf8ForDisplay(*result), *c.expected);
    }
  }
}

TEST(RunRegexReplace, RefusesInItsOrderAndRenamesStemsOrWholeNames) {
  Workbench bench;
  bench.Files({"IMG_1.JPG", "IMG_2.jpg", "notes.txt"});
  bench.Load();

  RunRegexReplace(bench.Context(), {G(""), G("")});
  RunRegexReplace(bench.Context(), {G("IMG_(\\d+"), G("")});
  ASSERT_EQ(bench.prompter.boxes.size(), 2u);
  EXPECT_EQ(bench.prompter.boxes[0].text, "查找内容不能为空");
  EXPECT_EQ(bench.prompter.boxes[1].title, "提示");
  EXPECT_EQ(bench.prompter.boxes[1].text.rfind("正则表达式有误：", 0), 0u);
  EXPECT_NE(bench.prompter.boxes[1].text.find("（第9个字符）"), std::string::npos) << bench.prompter.boxes[1].text;
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"IMG_1.JPG", "IMG_2.jpg", "notes.txt"}));

  bench.prompter.boxes.clear();
  RunRegexReplace(bench.Context(), {G("img_(\\d)"), G("p$1")});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"p1.JPG", "p2.jpg", "notes.txt"}));

  bench.Load();
  RunRegexReplace(bench.Context(), {G("\\.jpg$"), G(".jpeg"), false, true, true});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"p1.jpeg", "p2.jpeg", "notes.txt"}));
}

}  // namespace
}  // namespace vantor
