// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/counted_replace.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "operations/expect_new_name.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::G;

TEST(ReplaceCounted, ReplacesTheCountedOccurrencesOnce) {
  constexpr CountFrom kLeft = CountFrom::kLeft;
  constexpr CountFrom kRight = CountFrom::kRight;
  struct Case {
    const char* text;
    const char* search;
    const char* replacement;
    int count;
    CountFrom from;
    std::optional<std::string> expected;  // nullopt: nothing replaced
  };
  const Case cases[] = {
      {"", "-", "+", 1, kLeft, std::nullopt},
      {"abc", "", "+", 1, kLeft, std::nullopt},
      {"abc", "-", "+", 1, kLeft, std::nullopt},
      {"a-b", "-", "+", 0, kLeft, std::nullopt},
      {"a-b", "-", "+", 1, CountFrom::kNowhere, std::nullopt},
      {"a-b-c-d", "-", "+", 1, kLeft, "a+b-c-d"},
      {"a-b-c-d", "-", "+", 2, kLeft, "a+b+c-d"},
      {"a-b-c-d", "-", "+", -1, kLeft, "a+b+c+d"},
      {"a-b-c-d", "-", "+", 9, kLeft, "a+b+c+d"},
      {"a-b-c-d", "-", "+", 1, kRight, "a-b-c+d"},
      {"a-b-c-d", "-", "+", 2, kRight, "a-b+c+d"},
      {"a-b-c-d", "-", "+", -1, kRight, "a+b+c+d"},
      {"a-b-c-d", "-", "+", 9, kRight, "a+b+c+d"},
      {"a-b-c-d", "-", "--", 2, kRight, "a-b--c--d"},  // a replacement is not searched again
      {"a-b-c-d", "-", "--", 2, kLeft, "a--b--c-d"},
      {"aabb", "ab", "", 2, kLeft, "ab"},  // nor is text joined by a deletion
      {"aabb", "ab", "", 2, kRight, "ab"},
      {"a-b-c-d", "-", "", 3, kLeft, "abcd"},
      {"中文-文", "文", "字", 1, kRight, "中文-字"},
      {"中文-文", "文", "字", -1, kLeft, "中字-字"},
      {"A-a", "a", "x", 1, kLeft, "A-x"},  // case-sensitive
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + c.search + "->" + c.replacement + " x" + std::to_string(c.count) +
                 (c.from == kRight ? " from the right" : ""));
    const std::optional<ByteText> replaced = ReplaceCounted(G(c.text), G(c.search), G(c.replacement), c.count, c.from);
    testing::ExpectNewName(replaced, c.expected);
  }
}

TEST(ReplaceCounted, MatchesOnlyOnCharacterBoundaries) {
  // 胆璧 is B5 A8 E8 B5 in GBK; its middle two bytes spell ㄨ (A8 E8), which
  // must not match across the two characters.
  EXPECT_FALSE(ReplaceCounted(G("胆璧"), G("ㄨ"), "x", 1, CountFrom::kLeft).has_value());
  EXPECT_FALSE(ReplaceCounted(G("胆璧"), G("ㄨ"), "x", 1, CountFrom::kRight).has_value());
  EXPECT_EQ(ReplaceCounted(G("胆ㄨ璧"), G("ㄨ"), "x", 1, CountFrom::kRight), G("胆x璧"));
}

TEST(FitsNativeNameLength, CountsTheBytesOfTheFileSystemsEncoding) {
  EXPECT_TRUE(FitsNativeNameLength(ByteText(255, 'a')));
  EXPECT_FALSE(FitsNativeNameLength(ByteText(256, 'a')));
  std::string chinese;
  for (int i = 0; i < 85; ++i) chinese += G("中");  // 170 GBK bytes, 255 UTF-8 bytes
  EXPECT_TRUE(FitsNativeNameLength(chinese));
  EXPECT_FALSE(FitsNativeNameLength(chinese + "a"));
  EXPECT_FALSE(FitsNativeNameLength("\x81"));  // no native form
}

}  // namespace
}  // namespace vantor
