// SPDX-License-Identifier: GPL-3.0-or-later
// Byte text: names and messages as GB18030 bytes. Every text GBK (code page
// 936) holds has exactly its GBK bytes; every other character has its
// four-byte GB18030 sequence.
//
// Lengths and positions count bytes; positions are 1-based; a failed search
// gives -1. Characters (see CharWidthAt): a byte below 0x80, and 0x80 itself
// (the euro sign of code page 936), is one single-byte character; a byte of
// 0x81 or more is a lead byte and forms one character with the byte after it,
// or with the three bytes after it when they make a four-byte sequence. Scans
// step over such characters as units, so a match can start only on a
// character boundary counted from where the scan began and never inside a
// character. A lead byte that is the last byte of a text (a "lone lead byte")
// ends a scan.
//
// Note the flags: the Find functions take a case-INsensitive flag, ReplaceText
// and CompareText a case-SENSITIVE one; an omitted flag is false in each.
// Case folding touches only A-Z and a-z. No function changes its arguments,
// and every function is linear in the length of its input. Pass the flags by
// the named constants below, so every call says which meaning it passes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

using ByteText = std::string;  // GB18030 bytes (GBK where GBK has the character), no NUL
using TextArray = std::vector<ByteText>;

// Bytes of the character that starts at text[pos] in a text that ends at end
// (pos < end <= text.size()): 1 for a byte below 0x81 (0x80 included); 4 for
// a four-byte sequence (0x81-0xFE, 0x30-0x39, 0x81-0xFE, 0x30-0x39) that ends
// before end; otherwise 2 for a lead byte with a byte after it, and 0 for a
// lone lead byte at the end. A GBK double-byte character never has its second
// byte in 0x30-0x39, so GBK text reads as before.
// CharWidthAt("\x81\x30\x81\x30", 0, 4) == 4; CharWidthAt("\xD6\xD0", 0, 1) == 0.
inline std::size_t CharWidthAt(std::string_view text, std::size_t pos, std::size_t end) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead <= 0x80) return 1;
  if (pos + 1 >= end) return 0;
  const auto second = static_cast<unsigned char>(text[pos + 1]);
  if (second - 0x30u > 9u || pos + 3 >= end || lead == 0xFF) return 2;
  const auto third = static_cast<unsigned char>(text[pos + 2]);
  const auto fourth = static_cast<unsigned char>(text[pos + 3]);
  return third >= 0x81 && third != 0xFF && fourth - 0x30u <= 9u ? 4 : 2;
}
inline std::size_t CharWidthAt(std::string_view text, std::size_t pos) {
  return CharWidthAt(text, pos, text.size());
}

// True when every byte is below 0x80, so that every byte is a character of
// its own. One pass without early exit, which the compiler vectorises.
// IsAsciiText("a.txt") is true; IsAsciiText("中.txt") is false.
inline bool IsAsciiText(std::string_view text) {
  unsigned char all = 0;
  for (char byte : text) all |= static_cast<unsigned char>(byte);
  return all < 0x80;
}

// Number of bytes. TextLength("ab中") == 4.
int TextLength(const ByteText& text);

// The first n bytes (all when n exceeds the length, none when n <= 0).
// Cuts by bytes and may split a character: LeftBytes("中文", 1) is the lead
// byte of 中. Callers that must keep characters whole cut at a boundary that
// CharWidthAt steps to.
ByteText LeftBytes(const ByteText& text, int n);

// The last n bytes (all when n exceeds the length, none when n <= 0).
// RightBytes("a.txt", 4) == ".txt".
ByteText RightBytes(const ByteText& text, int n);

// At most n bytes from 1-based start; empty when start < 1, start > length or
// n <= 0. MidBytes("abcdef", 2, 3) == "bcd".
ByteText MidBytes(const ByteText& text, int start, int n);

// The case flag of FindText and FindTextReverse ("insensitive").
inline constexpr bool kFindIgnoringCase = true;
inline constexpr bool kFindMatchingCase = false;
// The case flag of ReplaceText and CompareText ("sensitive"); CompareText
// reads them the same way.
inline constexpr bool kReplaceMatchingCase = true;
inline constexpr bool kReplaceIgnoringCase = false;

// 1-based position of the first match at or after start (below 1 counts as 1),
// or -1. An empty needle gives 1 (not start) when the searched region is not
// empty, else -1. FindText("ab中文", "文") == 5.
int FindText(const ByteText& haystack, const ByteText& needle,
             std::optional<int> start = std::nullopt, bool insensitive = false);

// 1-based position of the last match lying wholly inside the first
// min(start - 1, length) bytes (the whole text when start is omitted; start <= 1
// searches nothing), or -1. An empty needle gives 1 on a non-empty region.
// FindTextReverse("a.b.c", ".") == 4; FindTextReverse("a.b.c", ".", 4) == 2.
int FindTextReverse(const ByteText& haystack, const ByteText& needle,
                    std::optional<int> start = std::nullopt, bool insensitive = false);

// Replaces matches of search from start (default 1) on, at most count times
// (omitted or -1: all; 0: none; any other negative: all). Omitted replacement
// deletes. Unchanged when text or search is empty or start - 1 >= length. A lone
// lead byte reached by the scan is dropped. Case-insensitive unless sensitive.
// ReplaceText("1-1-1", "1", "x", 2, -1, true) == "1-x-x".
ByteText ReplaceText(const ByteText& text, const ByteText& search,
                     const ByteText& replacement = {}, std::optional<int> start = std::nullopt,
                     std::optional<int> count = std::nullopt, bool sensitive = false);

// Splits on delimiter (default ","), producing at most maxCount elements
// (omitted: unlimited; negative counts as 0, giving nothing) and discarding the
// rest. Empty text: no element. Empty delimiter: the whole text. A leading
// delimiter gives an empty first element; a trailing one no empty last element.
// SplitText("mp4--txt--", "--") == {"mp4", "txt"}.
TextArray SplitText(const ByteText& text, std::optional<ByteText> delimiter = std::nullopt,
                    std::optional<int> maxCount = std::nullopt);

// Without trailing spaces (0x20 and the full-width space A1 A1); a lone lead
// byte at the very end goes too.
ByteText TrimTrailing(const ByteText& text);

// Without leading and trailing spaces (0x20 and A1 A1).
// TrimBoth("\xA1\xA1名 ") == "名".
ByteText TrimBoth(const ByteText& text);

// a-z to A-Z; double-byte and four-byte characters untouched; a lone lead
// byte ends it.
ByteText ToUpperAscii(const ByteText& text);

// Negative, 0 or positive as a sorts before, equal to or after b, byte by byte
// (unsigned); ASCII letters folded unless sensitive.
int CompareText(const ByteText& a, const ByteText& b, bool sensitive);

// n spaces; empty for n < 1.
ByteText Spaces(int n);

// Decimal integer at the front of text after full-width to half-width folding
// and leading white space: optional sign, digits up to the first non-digit, 0
// when there is none. ToInteger("１２") == 12; ToInteger("-3x") == -3.
int32_t ToInteger(const ByteText& text);
int32_t ToInteger(const char* text);  // so that a literal is read as text, not as a flag
int32_t ToInteger(int32_t value);     // itself
int32_t ToInteger(double value);      // fraction dropped toward zero
int32_t ToInteger(bool value);        // 0 or 1

// Decimal floating-point number at the front of text after the same folding;
// 0 when no digits. ToNumber("2.5e1x") == 25.
double ToNumber(const ByteText& text);

// "%d" for integers, "%.13g" for doubles, the GBK words 真 / 假 for flags; a
// text stays as it is. ToText(-3) == "-3"; ToText(0.5) == "0.5".
ByteText ToText(int32_t value);
ByteText ToText(double value);
ByteText ToText(bool value);
ByteText ToText(const ByteText& text);
ByteText ToText(const char* text);

// The one-byte text of the low 8 bits of code; code 0 gives the empty text.
ByteText CharOfCode(int code);

// The byte at 1-based position, sign-extended (0x80-0xFF give -128..-1); 0 for
// a position outside the text. CodeAt("中") < 0.
int CodeAt(const ByteText& text, int position = 1);

// The first run of ASCII digits, stepping by characters, so that the digit
// bytes inside a four-byte character never count; empty when none.
// Full-width digits are not digits here. FirstDigitRun("第12课3") == "12".
ByteText FirstDigitRun(const ByteText& text);

}  // namespace vantor
