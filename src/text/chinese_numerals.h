// SPDX-License-Identifier: GPL-3.0-or-later
// Chinese numerals in GBK: writing a whole number in simplified numeral
// characters, reading such a numeral back, and finding numerals and ASCII
// numbers inside a name. Every scan steps over double-byte characters as units,
// so a digit or numeral is only ever found on a character boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "text/byte_text.h"

namespace vantor {

// The largest value ChineseNumeralOf writes: thirteen nines (九万九千…九).
inline constexpr uint64_t kLargestChineseNumeral = 9999999999999ULL;

// The value in the numeral characters 零一二三四五六七八九 and the units
// 十百千万亿, as read aloud: one 零 for each gap of zeros (105 -> 一百零五,
// 100005 -> 一十万零五), 万 and 亿 once per group (120000 -> 一十二万), and 10 to
// 19 without their leading 一 (15 -> 十五, but 110 -> 一百一十). 0 gives 零;
// a value above kLargestChineseNumeral gives nullopt.
// ChineseNumeralOf(10001) == "一万零一".
std::optional<ByteText> ChineseNumeralOf(uint64_t value);

// The value from 1 to 999 whose ChineseNumeralOf is exactly numeral; nullopt
// for any other text (零, 一千, 一十五, 二二, the empty text).
// ValueOfChineseNumeral("一百二十三") == 123.
std::optional<int> ValueOfChineseNumeral(const ByteText& numeral);

// A span of a text: 0-based byte offset and byte length.
struct TextSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  bool operator==(const TextSpan&) const = default;
};

// The first maximal run of the numeral characters 零一二三四五六七八九十百千万亿,
// wherever it lies; nullopt when the text has none.
// FirstChineseNumeralRun("1第一课") == TextSpan{3, 2}.
std::optional<TextSpan> FirstChineseNumeralRun(const ByteText& text);

// The first maximal run of ASCII digits outside double-byte characters;
// nullopt when there is none. Full-width digits are not digits here.
// FirstDigitSpan("第12课3") == TextSpan{2, 2}.
std::optional<TextSpan> FirstDigitSpan(const ByteText& text);

// text with the bytes of span replaced by replacement.
// ReplaceSpan("第15课", {2, 2}, "十五") == "第十五课".
ByteText ReplaceSpan(const ByteText& text, TextSpan span, const ByteText& replacement);

}  // namespace vantor
