// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/natural_sort.h"

#include <algorithm>
#include <cstring>

namespace vantor {

namespace {

bool IsDigit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

// Bytes of the character at `at` (a lone lead byte at the end counts one).
size_t CharacterLength(std::string_view text, size_t at) {
  const size_t width = CharWidthAt(text, at, text.size());
  return width == 0 ? 1 : width;
}

size_t DigitRunEnd(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

// Compares the digit runs [aFrom, aTo) and [bFrom, bTo) by value.
int CompareNumbers(std::string_view a, size_t aFrom, size_t aTo, std::string_view b, size_t bFrom, size_t bTo) {
  while (aFrom < aTo && a[aFrom] == '0') ++aFrom;
  while (bFrom < bTo && b[bFrom] == '0') ++bFrom;
  const size_t aDigits = aTo - aFrom;
  const size_t bDigits = bTo - bFrom;
  if (aDigits != bDigits) return aDigits < bDigits ? -1 : 1;
  return aDigits == 0 ? 0 : std::memcmp(a.data() + aFrom, b.data() + bFrom, aDigits);
}

int CompareBytes(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  const int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (order != 0) return order;
  return (a.size() > b.size()) - (a.size() < b.size());
}

}  // namespace

int CompareNaturally(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[j]);
    if (IsDigit(x) && IsDigit(y)) {
      const size_t aEnd = DigitRunEnd(a, i);
      const size_t bEnd = DigitRunEnd(b, j);
      if (const int order = CompareNumbers(a, i, aEnd, b, j, bEnd); order != 0) return order;
      i = aEnd;
      j = bEnd;
      continue;
    }
    if (x < 0x80 || y < 0x80) {
      // A single-byte character on either side decides by its first byte.
      if (x != y) return x < y ? -1 : 1;
      ++i;
      ++j;
      continue;
    }
    const size_t aLength = CharacterLength(a, i);
    const size_t bLength = CharacterLength(b, j);
    if (const int order = CompareBytes(a.substr(i, aLength), b.substr(j, bLength)); order != 0) return order;
    i += aLength;
    j += bLength;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return CompareBytes(a, b);
}

int NaturalSort(TextArray& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const ByteText& a, const ByteText& b) { return CompareNaturally(a, b) < 0; });
  return static_cast<int>(names.size());
}

}  // namespace vantor
