// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/chinese_numerals.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace vantor {

namespace {

// GBK codes of the characters, so that this file needs no code-page service.
constexpr std::array<std::string_view, 10> kDigitChars = {
    "\xC1\xE3",  // 零
    "\xD2\xBB",  // 一
    "\xB6\xFE",  // 二
    "\xC8\xFD",  // 三
    "\xCB\xC4",  // 四
    "\xCE\xE5",  // 五
    "\xC1\xF9",  // 六
    "\xC6\xDF",  // 七
    "\xB0\xCB",  // 八
    "\xBE\xC5",  // 九
};
constexpr std::string_view kTen = "\xCA\xAE";       // 十
constexpr std::string_view kHundred = "\xB0\xD9";   // 百
constexpr std::string_view kThousand = "\xC7\xA7";  // 千
constexpr std::string_view kMyriad = "\xCD\xF2";    // 万
constexpr std::string_view kHundredMillion = "\xD2\xDA";  // 亿

constexpr int kPlaces = 13;  // places 0 (ones) to 12

// The unit written after a digit at each place; place 0 has none.
constexpr std::array<std::string_view, kPlaces> kPlaceUnits = {
    "", kTen, kHundred, kThousand, kMyriad, kTen, kHundred, kThousand, kHundredMillion, kTen, kHundred, kThousand,
    kMyriad};

// The group a place belongs to: places 4-7 form the 万 group and 8-12 the 亿
// group; the group's unit is the place unit of its first place.
int GroupStart(int place) { return place >= 8 ? 8 : place >= 4 ? 4 : 0; }

// Width of the character at pos (see CharWidthAt); 0 for a lone lead byte at
// the end, which ends a scan.
std::size_t CharWidth(const ByteText& text, std::size_t pos) { return CharWidthAt(text, pos); }

bool IsNumeralChar(std::string_view character) {
  if (std::find(kDigitChars.begin(), kDigitChars.end(), character) != kDigitChars.end()) return true;
  return character == kTen || character == kHundred || character == kThousand || character == kMyriad ||
         character == kHundredMillion;
}

constexpr int kLargestReadValue = 999;

const std::unordered_map<ByteText, int>& ReadableNumerals() {
  static const std::unordered_map<ByteText, int> table = [] {
    std::unordered_map<ByteText, int> numerals;
    for (int value = 1; value <= kLargestReadValue; ++value) numerals.emplace(*ChineseNumeralOf(value), value);
    return numerals;
  }();
  return table;
}

}  // namespace

std::optional<ByteText> ChineseNumeralOf(uint64_t value) {
  if (value > kLargestChineseNumeral) return std::nullopt;
  if (value == 0) return ByteText(kDigitChars[0]);

  std::array<int, kPlaces> digits{};
  int highest = 0;
  for (int place = 0; place < kPlaces && value > 0; ++place, value /= 10) {
    digits[place] = static_cast<int>(value % 10);
    if (digits[place] != 0) highest = place;
  }
  int lowest = 0;
  while (digits[lowest] == 0) ++lowest;

  // Pieces are made from the ones upward and read from the highest place down.
  std::array<ByteText, kPlaces> pieces;
  for (int place = lowest; place <= highest; ++place) {
    ByteText& piece = pieces[place];
    const int digit = digits[place];
    if (digit == 0) {
      if (digits[place - 1] != 0) piece = kDigitChars[0];
      continue;
    }
    piece = ByteText(kDigitChars[digit]) + ByteText(kPlaceUnits[place]);
    const int group = GroupStart(place);
    if (group != 0 && place != group) {
      // The group's own unit goes after its lowest non-zero digit, unless that
      // digit already carries it.
      bool lowestOfGroup = true;
      for (int below = group; below < place; ++below) lowestOfGroup &= digits[below] == 0;
      if (lowestOfGroup) piece += kPlaceUnits[group];
    }
  }
  ByteText numeral;
  for (int place = highest; place >= lowest; --place) numeral += pieces[place];
  // 10 to 19 are read without their leading 一.
  if (highest == 1 && digits[1] == 1) numeral.erase(0, kDigitChars[1].size());
  return numeral;
}

std::optional<int> ValueOfChineseNumeral(const ByteText& numeral) {
  const auto& table = ReadableNumerals();
  const auto found = table.find(numeral);
  if (found == table.end()) return std::nullopt;
  return found->second;
}

std::optional<TextSpan> FirstChineseNumeralRun(const ByteText& text) {
  std::optional<TextSpan> run;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t width = CharWidth(text, pos);
    if (width == 0) break;
    const bool numeral = width == 2 && IsNumeralChar(std::string_view(text).substr(pos, 2));
    if (numeral) {
      if (!run) run = TextSpan{pos, 0};
      run->length += width;
    } else if (run) {
      break;
    }
    pos += width;
  }
  return run;
}

std::optional<TextSpan> FirstDigitSpan(const ByteText& text) {
  std::optional<TextSpan> run;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t width = CharWidth(text, pos);
    if (width == 0) break;
    const bool digit = width == 1 && text[pos] >= '0' && text[pos] <= '9';
    if (digit) {
      if (!run) run = TextSpan{pos, 0};
      ++run->length;
    } else if (run) {
      break;
    }
    pos += width;
  }
  return run;
}

ByteText ReplaceSpan(const ByteText& text, TextSpan span, const ByteText& replacement) {
  ByteText result = text;
  return result.replace(span.offset, span.length, replacement);
}

}  // namespace vantor
