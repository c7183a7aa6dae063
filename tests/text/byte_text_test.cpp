// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/byte_text.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace vantor {
namespace {

// GBK bytes used below. Literals are split after a hex escape so that the
// following characters are not read as more hex digits.
#define ZHONG "\xD6\xD0"    // 中
#define WEN "\xCE\xC4"      // 文
#define MING "\xC3\xFB"     // 名
#define FW_SPACE "\xA1\xA1" // full-width space
#define QIA "\x81\x61"      // 乤, whose trail byte is 'a'
#define A_CHAR "\xB0\xA1"   // 啊, whose trail byte is 0xA1
#define EMOJI "\x94\x39\xFC\x36"  // 😀, four bytes: its second and fourth are '9' and '6'
#define UMLAUT "\x81\x30\x8A\x31" // ä, four bytes
#define EURO "\x80"                 // the euro sign: one byte, one character

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

template <class T>
struct Row {
  const char* name;
  T got;
  T want;
};

// Checks each row of a table, naming the row in a failure.
template <class T>
void Check(std::initializer_list<Row<T>> rows) {
  for (const Row<T>& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.got, row.want);
  }
}

TEST(Cutting, ClampsCountsAndPositions) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("ab" ZHONG), 4);
  Check<ByteText>({
      {"left zero", LeftBytes("abc", 0), ""},
      {"left negative", LeftBytes("abc", -1), ""},
      {"left beyond length", LeftBytes("abc", 5), "abc"},
      {"left splits a character", LeftBytes(ZHONG WEN, 1), "\xD6"},
      {"right", RightBytes("a.txt", 4), ".txt"},
      {"right beyond length", RightBytes("abc", 9), "abc"},
      {"mid", MidBytes("abcdef", 2, 3), "bcd"},
      {"mid start 0", MidBytes("abc", 0, 2), ""},
      {"mid start past end", MidBytes("abc", 4, 1), ""},
      {"mid stops at end", MidBytes("abc", 3, 9), "c"},
      {"mid huge count", MidBytes("abc", 2, kMax), "bc"},
  });
}

TEST(FindText, EmptyInputsAndStart) {
  Check<int>({
      {"empty haystack", FindText("", "a"), -1},
      {"empty needle", FindText("abc", ""), 1},
      {"empty needle gives 1, not start", FindText("abc", "", 3), 1},
      {"empty needle, start past end", FindText("abc", "", 4), -1},
      {"start skips earlier match", FindText("abcabc", "abc", 2), 4},
      {"start below 1", FindText("abc", "a", -5), 1},
      {"start past end", FindText("abc", "c", 7), -1},
  });
}

TEST(FindText, MatchesOnlyOnCharacterBoundaries) {
  Check<int>({
      {"after a double-byte character", FindText("ab" ZHONG WEN, WEN), 5},
      {"across two characters", FindText(ZHONG WEN, "\xD0\xCE"), -1},
      {"trail byte equal to ASCII", FindText(QIA "b", "ab"), -1},
      {"ASCII after trail byte lookalike", FindText(QIA "a", "a"), 3},
      {"boundaries counted from start", FindText(ZHONG WEN, "\xD0\xCE", 2), 2},
      {"start on trail byte desyncs", FindText(ZHONG WEN, WEN, 2), -1},
      {"lone lead byte ends the scan", FindText("a\xD6", "\xD6"), -1},
  });
}

TEST(FindText, InsensitiveFlagFoldsOnlyAsciiLetters) {
  Check<int>({
      {"omitted flag is exact", FindText("ABC", "b"), -1},
      {"insensitive", FindText("ABC", "b", std::nullopt, true), 2},
      {"brackets are not letters", FindText("[", "{", std::nullopt, true), -1},
      {"full-width letters not folded", FindText("\xA3\xE1", "\xA3\xC1", std::nullopt, true), -1},
  });
}

TEST(FindTextReverse, RegionBeforeStart) {
  Check<int>({
      {"empty haystack", FindTextReverse("", ""), -1},
      {"last dot", FindTextReverse("a.b.c", "."), 4},
      {"start 4", FindTextReverse("a.b.c", ".", 4), 2},
      {"start 1 searches nothing", FindTextReverse("a.b.c", "", 1), -1},
      {"start past end", FindTextReverse("a.b.c", ".", 100), 4},
      {"empty needle", FindTextReverse("abc", "", 3), 1},
      {"match must fit the region", FindTextReverse("abab", "ab", 4), 1},
      {"overlapping matches", FindTextReverse("aaa", "aa"), 2},
      {"across two characters", FindTextReverse(ZHONG WEN, "\xD0\xCE"), -1},
      {"insensitive", FindTextReverse("aXbx", "X", std::nullopt, true), 4},
  });
}

TEST(ReplaceText, CountAndStart) {
  auto replace = [](std::optional<int> start, std::optional<int> count) {
    return ReplaceText("1-1-1", "1", "x", start, count, true);
  };
  Check<ByteText>({
      {"count 1", replace(std::nullopt, 1), "x-1-1"},
      {"count -1", replace(std::nullopt, -1), "x-x-x"},
      {"count omitted", replace(std::nullopt, std::nullopt), "x-x-x"},
      {"other negative count", replace(std::nullopt, -7), "x-x-x"},
      {"lowest count", replace(std::nullopt, kMin), "x-x-x"},
      {"count 0", replace(std::nullopt, 0), "1-1-1"},
      {"start 2", replace(2, -1), "1-x-x"},
      {"start on last byte", replace(5, -1), "1-1-x"},
      {"start past end", replace(6, -1), "1-1-1"},
      {"start below 1", replace(-3, 1), "x-1-1"},
      {"empty search", ReplaceText("abc", "", "x"), "abc"},
      {"replacement not rescanned", ReplaceText("aa", "a", "aa"), "aaaa"},
  });
}

TEST(ReplaceText, SensitiveFlagAndDoubleBytes) {
  Check<ByteText>({
      {"omitted flag is insensitive", ReplaceText("ABab", "ab"), ""},
      {"sensitive", ReplaceText("ABab", "ab", "", std::nullopt, std::nullopt, true), "AB"},
      {"across two characters", ReplaceText(ZHONG WEN, "\xD0\xCE", "x"), ZHONG WEN},
      {"trail byte lookalike kept", ReplaceText(QIA "a", "a", "b"), QIA "b"},
      {"double-byte search", ReplaceText(ZHONG "a" ZHONG, ZHONG, MING), MING "a" MING},
      {"lone lead byte dropped", ReplaceText("a\xD6", "a", "b"), "b"},
      {"lone lead byte kept after count", ReplaceText("aa\xD6", "a", "b", {}, 1), "ba\xD6"},
      {"lone lead byte not reached", ReplaceText("ab\xD6", "ab", "x"), "x\xD6"},
  });
}

TEST(SplitText, DelimiterAndMaxCount) {
  Check<TextArray>({
      {"empty text", SplitText(""), {}},
      {"max 0", SplitText("a,b", ",", 0), {}},
      {"given negative max", SplitText("a,b", ",", -1), {}},
      {"empty delimiter", SplitText("a,b", ""), {"a,b"}},
      {"trailing delimiters", SplitText("mp4--txt--", "--"), {"mp4", "txt"}},
      {"leading delimiter", SplitText("--a", "--"), {"", "a"}},
      {"default delimiter, max 2", SplitText("a,b,c", std::nullopt, 2), {"a", "b"}},
      {"max reached at the end", SplitText("a,b,", ",", 2), {"a", "b"}},
      {"empty middle element", SplitText("a,,b"), {"a", "", "b"}},
      {"delimiter only", SplitText(","), {""}},
      {"trail byte lookalike", SplitText(QIA "a", "a"), {QIA}},
      {"across two characters", SplitText(ZHONG WEN, "\xD0\xCE"), {ZHONG WEN}},
  });
}

TEST(Trim, HalfAndFullWidthSpaces) {
  Check<ByteText>({
      {"both, empty", TrimBoth(""), ""},
      {"both, spaces only", TrimBoth(" " FW_SPACE " "), ""},
      {"both, mixed", TrimBoth(FW_SPACE MING " "), MING},
      {"both, lone lead byte", TrimBoth(" \xA1"), ""},
      {"trailing keeps front", TrimTrailing("  a " FW_SPACE), "  a"},
      {"trailing, lone lead byte", TrimTrailing("a \xD6"), "a"},
      {"trail byte 0xA1 is not a space", TrimTrailing(A_CHAR "\xA1"), A_CHAR},
      {"trail byte 0xA1 before full-width space", TrimTrailing(A_CHAR FW_SPACE), A_CHAR},
      {"trail byte 0x20 is not a space", TrimTrailing("\xD6 "), "\xD6 "},
  });
}

TEST(ToUpperAscii, OnlySingleByteLetters) {
  Check<ByteText>({
      {"ascii", ToUpperAscii("abz{`"), "ABZ{`"},
      {"trail byte untouched", ToUpperAscii(QIA "a"), QIA "A"},
      {"full-width untouched", ToUpperAscii("\xA3\xE1"), "\xA3\xE1"},
      {"lone lead byte", ToUpperAscii("a\xD6"), "A\xD6"},
  });
}

TEST(CompareText, SignAndCaseFlag) {
  auto sign = [](int value) { return (value > 0) - (value < 0); };
  Check<int>({
      {"empty first", sign(CompareText("", "a", true)), -1},
      {"prefix last", sign(CompareText("ab", "a", true)), 1},
      {"sensitive", sign(CompareText("a", "A", true)), 1},
      {"insensitive", sign(CompareText("a", "A", false)), 0},
      {"bytes unsigned", sign(CompareText("\xD6", "z", true)), 1},
      {"insensitive orders as lower case", sign(CompareText("_", "A", false)), -1},
      {"trail bytes not folded", sign(CompareText(QIA, "\x81\x41", false)), 1},
  });
}

TEST(Spaces, Count) {
  Check<ByteText>({
      {"zero", Spaces(0), ""},
      {"negative", Spaces(-3), ""},
      {"three", Spaces(3), "   "},
  });
}

TEST(ToInteger, TextWithFullWidthFolding) {
  Check<int>({
      {"empty", ToInteger(""), 0},
      {"null", ToInteger(static_cast<const char*>(nullptr)), 0},
      {"trailing junk", ToInteger("-3x"), -3},
      {"full-width digits", ToInteger("\xA3\xB1\xA3\xB2"), 12},
      {"full-width minus and space", ToInteger(FW_SPACE "\xA3\xAD" "5"), -5},
      {"leading white space and plus", ToInteger(" \t+7"), 7},
      {"no digits", ToInteger("abc"), 0},
      {"Chinese first", ToInteger(ZHONG "1"), 0},
      {"smallest", ToInteger("-2147483648"), kMin},
      {"too large saturates", ToInteger("99999999999999999999"), kMax},
      {"too small saturates", ToInteger("-99999999999999999999"), kMin},
  });
}

TEST(ToInteger, NumbersAndFlags) {
  Check<int>({
      {"true", ToInteger(true), 1},
      {"fraction dropped", ToInteger(2.9), 2},
      {"toward zero", ToInteger(-2.9), -2},
      {"NaN", ToInteger(std::nan("")), 0},
      {"too large", ToInteger(1e300), kMax},
      {"too small", ToInteger(-1e300), kMin},
  });
}

TEST(ToNumber, DecimalPrefix) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    double want;
  } rows[] = {
      {"", 0}, {"abc", 0}, {"e5", 0}, {"0x10", 0}, {"inf", 0},
      {".5", 0.5}, {"5.", 5}, {" -1.5", -1.5}, {"2e", 2}, {"2e+", 2},
      {"2.5e1x", 25}, {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0},
      {"\xA3\xB1" "." "\xA3\xB5", 1.5},  // full-width １.５
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ToNumber(row.text), row.want);
  }
}

TEST(ToText, Values) {
  Check<ByteText>({
      {"negative", ToText(-3), "-3"},
      {"half", ToText(0.5), "0.5"},
      {"13 significant digits", ToText(1.0 / 3), "0.3333333333333"},
      {"exponent", ToText(1e20), "1e+20"},
      {"true", ToText(true), "\xD5\xE6"},   // 真
      {"false", ToText(false), "\xBC\xD9"},  // 假
      {"text", ToText(ByteText(MING)), MING},
  });
}

TEST(Codes, CharOfCodeAndCodeAt) {
  Check<ByteText>({
      {"zero", CharOfCode(0), ""},
      {"low byte zero", CharOfCode(256), ""},
      {"low 8 bits", CharOfCode(0x141), "A"},
      {"negative", CharOfCode(-1), "\xFF"},
  });
  Check<int>({
      {"lead byte sign-extended", CodeAt(ZHONG), -42},
      {"ascii", CodeAt("xA", 2), 65},
      {"position 0", CodeAt("A", 0), 0},
      {"past end", CodeAt("A", 2), 0},
  });
}

TEST(FirstDigitRun, ByteByByte) {
  Check<ByteText>({
      {"empty", FirstDigitRun(""), ""},
      {"no digits", FirstDigitRun(MING), ""},
      {"between Chinese", FirstDigitRun("\xB5\xDA" "12" "\xBF\xCE" "3"), "12"},  // 第12课3
      {"full-width digits", FirstDigitRun("\xA3\xB1\xA3\xB2"), ""},
      {"leading zeros kept", FirstDigitRun("a007b"), "007"},
  });
}

// Names that mix ASCII, GBK double-byte and four-byte characters: every scan
// steps over a four-byte character as one, so the digits inside it are never
// found, cut or counted, and 0x80 is a character by itself.
TEST(FourByteCharacters, AreOneCharacterForEveryScan) {
  Check<int>({
      {"width of a four-byte character", static_cast<int>(CharWidthAt(EMOJI, 0)), 4},
      {"width of a double-byte character", static_cast<int>(CharWidthAt(ZHONG, 0)), 2},
      {"width of the euro sign", static_cast<int>(CharWidthAt(EURO "a", 0)), 1},
      {"width of a cut four-byte code", static_cast<int>(CharWidthAt("\x81\x30\x81", 0)), 2},
      {"width of a lone lead byte", static_cast<int>(CharWidthAt("\xD6", 0)), 0},
      {"length counts bytes", TextLength("a" ZHONG EMOJI), 7},
      {"after a four-byte character", FindText(ZHONG EMOJI "6", "6"), 7},
      {"never inside one", FindText(EMOJI, "9"), -1},
      {"nor its second half", FindText(EMOJI, "\xFC\x36"), -1},
      {"nor across two", FindText(EMOJI UMLAUT, "\x36\x81"), -1},
      {"the character itself", FindText("a" ZHONG EMOJI, EMOJI), 4},
      {"insensitive, too", FindText(UMLAUT "1", "1", std::nullopt, kFindIgnoringCase), 5},
      {"after the euro sign", FindText(EURO "a", "a"), 2},
      {"reverse: after it", FindTextReverse(EMOJI "9", "9"), 5},
      {"reverse: never inside", FindTextReverse("9" EMOJI, "9"), 1},
      {"reverse: region ends inside", FindTextReverse(EMOJI EMOJI, EMOJI, 8), 1},
      {"reverse: euro", FindTextReverse(EURO "." EURO ".", "."), 4},
  });
  Check<ByteText>({
      {"replace beside, not inside", ReplaceText(EMOJI "9" UMLAUT, "9", "x", std::nullopt, -1, kReplaceMatchingCase),
       EMOJI "x" UMLAUT},
      {"replace the character", ReplaceText("a" EMOJI "b" EMOJI, EMOJI, ZHONG), "a" ZHONG "b" ZHONG},
      {"replace after euro", ReplaceText(EURO "a", "a", "b", std::nullopt, -1, kReplaceMatchingCase), EURO "b"},
      {"trim after a four-byte character", TrimTrailing("a" UMLAUT " " FW_SPACE), "a" UMLAUT},
      {"trim both", TrimBoth(" " EMOJI " "), EMOJI},
      {"upper case steps over", ToUpperAscii("a" EMOJI "b" EURO "c"), "A" EMOJI "B" EURO "C"},
      {"digits inside do not count", FirstDigitRun(EMOJI "x12"), "12"},
      {"a digit after the euro sign", FirstDigitRun(EURO "7"), "7"},
  });
  EXPECT_EQ(SplitText("a" EMOJI "6b" ZHONG "6", "6"), (TextArray{"a" EMOJI, "b" ZHONG}));
  EXPECT_EQ(SplitText(UMLAUT UMLAUT, "1"), (TextArray{UMLAUT UMLAUT}));
  EXPECT_EQ(ToInteger(EMOJI), 0);
  EXPECT_GT(CompareText("b" EURO "B", "b" EURO "a", kReplaceIgnoringCase), 0);
}

}  // namespace
}  // namespace vantor
