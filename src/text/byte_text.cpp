// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/byte_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>
#include <system_error>

namespace vantor {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Upper-cases a-z; every other byte is its own key. Used only for equality.
char FoldKey(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Lower-cases A-Z, for ordering comparisons that ignore case.
unsigned char LowerKey(char c) {
  return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

std::size_t CharWidth(std::string_view text, std::size_t pos, std::size_t end) {
  return CharWidthAt(text, pos, end);
}

// Clamps a 1-based optional start to a 0-based offset (values below 1 count as 1).
std::size_t StartOffset(std::optional<int> start) {
  return start && *start > 1 ? static_cast<std::size_t>(*start) - 1 : 0;
}

// Tells whether a needle occurs at given offsets of a text. The scans ask at
// offsets that only grow, so a Knuth-Morris-Pratt automaton fed lazily up to
// the end of each asked window answers every question in linear total time,
// whatever the needle looks like.
class NeedleMatcher {
 public:
  NeedleMatcher(std::string_view text, std::string_view needle, bool fold, std::size_t from)
      : text_(text), fold_(fold), fed_(from) {
    needle_.reserve(needle.size());
    for (char c : needle) needle_.push_back(Key(c));
    if (needle_.size() > inlineFail_.size()) {
      heapFail_.assign(needle_.size(), 0);
      fail_ = heapFail_.data();
    }
    fail_[0] = 0;
    std::size_t k = 0;
    for (std::size_t i = 1; i < needle_.size(); ++i) {
      while (k > 0 && needle_[i] != needle_[k]) k = fail_[k - 1];
      if (needle_[i] == needle_[k]) ++k;
      fail_[i] = k;
    }
  }

  NeedleMatcher(const NeedleMatcher&) = delete;  // fail_ may point into the object
  NeedleMatcher& operator=(const NeedleMatcher&) = delete;

  // True when the needle's bytes start at pos. pos must not decrease from one
  // call to the next, and the needle must fit before the end of the text.
  bool At(std::size_t pos) {
    const std::size_t target = pos + needle_.size();
    while (fed_ < target) Feed(Key(text_[fed_++]));
    return state_ == needle_.size();
  }

 private:
  char Key(char c) const { return fold_ ? FoldKey(c) : c; }

  void Feed(char c) {
    if (state_ == needle_.size()) state_ = fail_[state_ - 1];
    while (state_ > 0 && needle_[state_] != c) state_ = fail_[state_ - 1];
    if (needle_[state_] == c) ++state_;
  }

  std::string_view text_;
  std::string needle_;
  // The failure table; short needles (nearly all) keep it here, with no
  // allocation per search.
  std::array<std::size_t, 32> inlineFail_;
  std::vector<std::size_t> heapFail_;
  std::size_t* fail_ = inlineFail_.data();
  bool fold_;
  std::size_t fed_;        // bytes of text_ the automaton has read
  std::size_t state_ = 0;  // longest needle prefix ending at fed_
};

bool IsFullWidthSpaceAt(std::string_view text, std::size_t pos) {
  return pos + 1 < text.size() && text[pos] == '\xA1' && text[pos + 1] == '\xA1';
}

// End offset of text once trailing spaces (and a lone lead byte at the very
// end) are cut. Scans forward from begin so that a trail byte 0xA1 or 0x20 is
// never mistaken for a space.
std::size_t TrimmedEnd(std::string_view text, std::size_t begin) {
  std::size_t keep = begin;
  std::size_t pos = begin;
  while (pos < text.size()) {
    const std::size_t width = CharWidth(text, pos, text.size());
    if (width == 0) break;
    const bool space = text[pos] == ' ' || (width == 2 && IsFullWidthSpaceAt(text, pos));
    pos += width;
    if (!space) keep = pos;
  }
  return keep;
}

// Full-width forms to ASCII: A3 A1..A3 FE become 0x21..0x7E and the full-width
// space A1 A1 becomes 0x20. Other characters are copied as they are.
std::string FoldFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t width = CharWidth(text, pos, text.size());
    if (width != 2) {
      out.append(text, pos, std::max<std::size_t>(width, 1));
      pos += std::max<std::size_t>(width, 1);
      continue;
    }
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      out.push_back(' ');
    } else {
      out.append(text, pos, 2);
    }
    pos += 2;
  }
  return out;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t SkipSpaces(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// The value of an unsigned decimal number that from_chars reported out of
// range: it is either too large (infinity) or too small (zero), and the decimal
// order of its first significant digit tells which.
double OutOfRange(std::string_view number, bool negative) {
  const std::size_t point = number.find('.');
  const std::size_t mantissaEnd = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, mantissaEnd);
  const std::size_t first = mantissa.find_first_of("123456789");
  const std::size_t pointAt = point == std::string_view::npos ? mantissa.size() : point;
  long long order = first < pointAt ? static_cast<long long>(pointAt - first) - 1
                                    : -static_cast<long long>(first - pointAt);
  if (mantissaEnd != std::string_view::npos) {
    std::size_t pos = mantissaEnd + 1;
    const bool expNegative = number[pos] == '-';
    if (number[pos] == '-' || number[pos] == '+') ++pos;
    long long exponent = 0;
    for (; pos < number.size() && exponent < 1'000'000; ++pos) {
      exponent = exponent * 10 + (number[pos] - '0');
    }
    order += expNegative ? -exponent : exponent;
  }
  const double magnitude = order >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -magnitude : magnitude;
}

}  // namespace

int TextLength(const ByteText& text) { return static_cast<int>(text.size()); }

ByteText LeftBytes(const ByteText& text, int n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(n));
}

ByteText RightBytes(const ByteText& text, int n) {
  if (n <= 0) return {};
  const std::size_t count = std::min(static_cast<std::size_t>(n), text.size());
  return text.substr(text.size() - count);
}

ByteText MidBytes(const ByteText& text, int start, int n) {
  if (start < 1 || n <= 0 || static_cast<std::size_t>(start) > text.size()) return {};
  return text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n));
}

int FindText(const ByteText& haystack, const ByteText& needle, std::optional<int> start,
             bool insensitive) {
  const std::size_t begin = StartOffset(start);
  const std::size_t end = haystack.size();
  if (begin >= end) return -1;
  if (needle.empty()) return 1;
  if (needle.size() > end - begin) return -1;
  NeedleMatcher matcher(haystack, needle, insensitive, begin);
  for (std::size_t pos = begin; end - pos >= needle.size();) {
    const std::size_t width = CharWidth(haystack, pos, end);
    if (width == 0) break;
    if (matcher.At(pos)) return static_cast<int>(pos) + 1;
    pos += width;
  }
  return -1;
}

int FindTextReverse(const ByteText& haystack, const ByteText& needle, std::optional<int> start,
                    bool insensitive) {
  std::size_t end = haystack.size();
  if (start) {
    if (*start <= 1) return -1;
    end = std::min(end, static_cast<std::size_t>(*start) - 1);
  }
  if (end == 0) return -1;
  if (needle.empty()) return 1;
  if (needle.size() > end) return -1;
  const std::string_view region(haystack.data(), end);
  NeedleMatcher matcher(region, needle, insensitive, 0);
  int last = -1;
  // Every character boundary is tried, so overlapping matches count too.
  for (std::size_t pos = 0; end - pos >= needle.size();) {
    const std::size_t width = CharWidth(region, pos, end);
    if (width == 0) break;
    if (matcher.At(pos)) last = static_cast<int>(pos) + 1;
    pos += width;
  }
  return last;
}

ByteText ReplaceText(const ByteText& text, const ByteText& search, const ByteText& replacement,
                     std::optional<int> start, std::optional<int> count, bool sensitive) {
  const std::size_t begin = StartOffset(start);
  int remaining = count.value_or(-1);
  if (text.empty() || search.empty() || begin >= text.size() || remaining == 0) return text;

  const std::size_t end = text.size();
  ByteText out;
  out.reserve(end);
  out.append(text, 0, begin);
  NeedleMatcher matcher(text, search, !sensitive, begin);
  std::size_t pos = begin;
  while (end - pos >= search.size()) {
    const std::size_t width = CharWidth(text, pos, end);
    if (width == 0) {
      ++pos;  // a lone lead byte reached by the scan is dropped
      break;
    }
    if (!matcher.At(pos)) {
      out.append(text, pos, width);
      pos += width;
      continue;
    }
    out += replacement;
    pos += search.size();
    // -1 means all; any other negative never counts down to 1, so it is left as is.
    if (remaining == 1) break;
    if (remaining > 1) --remaining;
  }
  out.append(text, pos, ByteText::npos);
  return out;
}

TextArray SplitText(const ByteText& text, std::optional<ByteText> delimiter,
                    std::optional<int> maxCount) {
  const std::string_view delim = delimiter ? std::string_view(*delimiter) : std::string_view(",");
  // Omitted means unlimited; a given negative count means none.
  const long long limit = maxCount ? std::max(*maxCount, 0) : -1;
  TextArray parts;
  if (text.empty() || limit == 0) return parts;
  if (delim.empty()) {
    parts.push_back(text);
    return parts;
  }

  const std::size_t end = text.size();
  NeedleMatcher matcher(text, delim, false, 0);
  std::size_t cut = 0;
  std::size_t pos = 0;
  while (end - pos >= delim.size()) {
    const std::size_t width = CharWidth(text, pos, end);
    if (width == 0) break;
    if (!matcher.At(pos)) {
      pos += width;
      continue;
    }
    parts.emplace_back(text, cut, pos - cut);
    pos += delim.size();
    cut = pos;
    if (static_cast<long long>(parts.size()) == limit) return parts;  // the rest is discarded
  }
  if (cut < end) parts.emplace_back(text, cut, ByteText::npos);
  return parts;
}

ByteText TrimTrailing(const ByteText& text) { return text.substr(0, TrimmedEnd(text, 0)); }

ByteText TrimBoth(const ByteText& text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    if (text[begin] == ' ') {
      ++begin;
    } else if (IsFullWidthSpaceAt(text, begin)) {
      begin += 2;
    } else {
      break;
    }
  }
  return text.substr(begin, TrimmedEnd(text, begin) - begin);
}

ByteText ToUpperAscii(const ByteText& text) {
  ByteText out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t width = CharWidth(text, pos, text.size());
    if (width == 0) {
      out.push_back(text[pos]);  // a lone lead byte is the last byte; keep it as is
      break;
    }
    if (width > 1) {
      out.append(text, pos, width);
    } else {
      out.push_back(FoldKey(text[pos]));
    }
    pos += width;
  }
  return out;
}

int CompareText(const ByteText& a, const ByteText& b, bool sensitive) {
  const std::size_t common = std::min(a.size(), b.size());
  bool trail = false;  // the byte at i is the second byte of a double-byte character
  for (std::size_t i = 0; i < common; ++i) {
    // Until the first difference both texts share their character boundaries,
    // so a trail byte in a is a trail byte in b; trail bytes are never folded.
    // (A four-byte character reads as two pairs here; none of its bytes is a
    // letter, so the pairing does not change the order.)
    const bool fold = !sensitive && !trail;
    const int x = fold ? LowerKey(a[i]) : static_cast<unsigned char>(a[i]);
    const int y = fold ? LowerKey(b[i]) : static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
    trail = !trail && static_cast<unsigned char>(a[i]) > 0x80;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

ByteText Spaces(int n) { return n < 1 ? ByteText() : ByteText(static_cast<std::size_t>(n), ' '); }

int32_t ToInteger(const ByteText& text) {
  const std::string folded = FoldFullWidth(text);
  std::size_t pos = SkipSpaces(folded, 0);
  bool negative = false;
  if (pos < folded.size() && (folded[pos] == '-' || folded[pos] == '+')) {
    negative = folded[pos] == '-';
    ++pos;
  }
  // Accumulate in 64 bits and stop growing past the 32-bit range, so that an
  // overlong number saturates instead of overflowing.
  constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t value = 0;
  for (; pos < folded.size() && IsDigit(folded[pos]); ++pos) {
    value = std::min(value * 10 + (folded[pos] - '0'), kCap);
  }
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t ToInteger(const char* text) { return ToInteger(text ? ByteText(text) : ByteText()); }

int32_t ToInteger(int32_t value) { return value; }

int32_t ToInteger(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(value);  // truncates toward zero
}

int32_t ToInteger(bool value) { return value ? 1 : 0; }

double ToNumber(const ByteText& text) {
  const std::string folded = FoldFullWidth(text);
  std::size_t pos = SkipSpaces(folded, 0);
  bool negative = false;
  if (pos < folded.size() && (folded[pos] == '-' || folded[pos] == '+')) {
    negative = folded[pos] == '-';
    ++pos;
  }
  // Find the longest prefix of the form digits[.digits][e[sign]digits].
  const std::size_t numberBegin = pos;
  const std::size_t intEnd = SkipDigits(folded, pos);
  std::size_t numberEnd = intEnd;
  bool anyDigit = intEnd > numberBegin;
  if (numberEnd < folded.size() && folded[numberEnd] == '.') {
    const std::size_t fracEnd = SkipDigits(folded, numberEnd + 1);
    anyDigit = anyDigit || fracEnd > numberEnd + 1;
    numberEnd = fracEnd;
  }
  if (!anyDigit) return 0.0;
  if (numberEnd < folded.size() && (folded[numberEnd] == 'e' || folded[numberEnd] == 'E')) {
    std::size_t expPos = numberEnd + 1;
    if (expPos < folded.size() && (folded[expPos] == '-' || folded[expPos] == '+')) ++expPos;
    const std::size_t expEnd = SkipDigits(folded, expPos);
    if (expEnd > expPos) numberEnd = expEnd;
  }

  const std::string_view number(folded.data() + numberBegin, numberEnd - numberBegin);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) return OutOfRange(number, negative);
  return negative ? -value : value;
}

ByteText ToText(int32_t value) { return std::to_string(value); }

ByteText ToText(double value) {
  // Same as "%.13g", but independent of the process locale's decimal point.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, 13);
  return ByteText(buffer, result.ptr);
}

ByteText ToText(bool value) { return value ? "\xD5\xE6" : "\xBC\xD9"; }  // 真 / 假

ByteText ToText(const ByteText& text) { return text; }

ByteText ToText(const char* text) { return text ? ByteText(text) : ByteText(); }

ByteText CharOfCode(int code) {
  const char byte = static_cast<char>(static_cast<unsigned int>(code) & 0xFFu);
  return byte == '\0' ? ByteText() : ByteText(1, byte);
}

int CodeAt(const ByteText& text, int position) {
  if (position < 1 || static_cast<std::size_t>(position) > text.size()) return 0;
  return static_cast<signed char>(text[static_cast<std::size_t>(position) - 1]);
}

ByteText FirstDigitRun(const ByteText& text) {
  std::size_t first = 0;
  while (first < text.size() && !IsDigit(text[first])) {
    const std::size_t width = CharWidth(text, first, text.size());
    if (width == 0) return {};
    first += width;
  }
  return text.substr(first, SkipDigits(text, first) - first);
}

}  // namespace vantor
