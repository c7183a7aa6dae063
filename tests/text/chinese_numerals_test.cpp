// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/chinese_numerals.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "support/gbk_text.h"

namespace vantor {
namespace {

using testing::G;

TEST(ChineseNumeralOf, WritesTheValueAsReadAloud) {
  struct Case {
    uint64_t value;
    std::optional<std::string> expected;  // nullopt: too big
  };
  const Case cases[] = {
      {0, "零"},
      {1, "一"},
      {9, "九"},
      {10, "十"},  // 10 to 19 lose their leading 一
      {11, "十一"},
      {15, "十五"},
      {19, "十九"},
      {20, "二十"},
      {21, "二十一"},
      {100, "一百"},
      {105, "一百零五"},  // inner zeros write one 零
      {110, "一百一十"},  // the leading 一 stays above 19
      {115, "一百一十五"},
      {999, "九百九十九"},
      {1005, "一千零五"},
      {1010, "一千零一十"},
      {10000, "一万"},
      {10001, "一万零一"},
      {10010, "一万零一十"},
      {120000, "一十二万"},  // 万 once, after the group's lowest digit
      {100005, "一十万零五"},
      {1200305, "一百二十万零三百零五"},
      {20000000, "二千万"},
      {100000000, "一亿"},
      {100010000, "一亿零一万"},
      {1000000001, "一十亿零一"},
      {1000000000000, "一万亿"},
      {9999999999999, "九万九千九百九十九亿九千九百九十九万九千九百九十九"},
      {10000000000000, std::nullopt},
      {std::numeric_limits<uint64_t>::max(), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const std::optional<ByteText> numeral = ChineseNumeralOf(c.value);
    EXPECT_EQ(numeral ? std::optional<std::string>(Utf8ForDisplay(*numeral)) : std::nullopt, c.expected);
  }
}

TEST(ValueOfChineseNumeral, ReadsExactlyTheNumeralsOfOneTo999) {
  struct Case {
    const char* numeral;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"零", std::nullopt},  // 0 is not read
      {"一", 1},
      {"十", 10},
      {"十五", 15},
      {"一十五", std::nullopt},  // not how 15 is written
      {"二十一", 21},
      {"一百", 100},
      {"一百零五", 105},
      {"一百一十", 110},
      {"一百二十三", 123},
      {"九百九十九", 999},
      {"一千", std::nullopt},  // above 999
      {"一万零一", std::nullopt},
      {"二二", std::nullopt},
      {"百", std::nullopt},
      {"五a", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.numeral);
    EXPECT_EQ(ValueOfChineseNumeral(G(c.numeral)), c.expected);
  }
}

TEST(FirstChineseNumeralRun, FindsTheFirstRunOnCharacterBoundaries) {
  struct Case {
    const char* text;
    std::optional<TextSpan> expected;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"lesson.mp4", std::nullopt},
      {"第课", std::nullopt},
      {"一", TextSpan{0, 2}},
      {"第一课", TextSpan{2, 2}},
      {"1第一课", TextSpan{3, 2}},  // after a single byte: an odd offset
      {"lesson第二十一课", TextSpan{8, 6}},
      {"第十课第三节", TextSpan{2, 2}},
      {"第一千零五课", TextSpan{2, 8}},
      {"a万亿", TextSpan{1, 4}},
      // 耙欢 is B0 D2 BB B6: the middle bytes D2 BB spell 一 across two characters.
      {"耙欢", std::nullopt},
      {"耙欢一", TextSpan{4, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FirstChineseNumeralRun(G(c.text)), c.expected);
  }
  EXPECT_EQ(FirstChineseNumeralRun("\xD2"), std::nullopt);  // a lone lead byte ends the scan
  EXPECT_EQ(FirstChineseNumeralRun(G("一") + "\xD2"), (TextSpan{0, 2}));
}

TEST(FirstDigitSpan, FindsTheFirstAsciiDigitsOutsideDoubleByteCharacters) {
  struct Case {
    ByteText text;
    std::optional<TextSpan> expected;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {G("无数字"), std::nullopt},
      {G("０１全角"), std::nullopt},
      {"007", TextSpan{0, 3}},
      {G("第12课3"), TextSpan{2, 2}},
      {G("2课第3节"), TextSpan{0, 1}},
      {"\x81" "1abc", std::nullopt},  // the digit is the trail byte of \x81
      {"\x81" "1a2", TextSpan{3, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8ForDisplay(c.text));
    EXPECT_EQ(FirstDigitSpan(c.text), c.expected);
  }
}

}  // namespace
}  // namespace vantor
