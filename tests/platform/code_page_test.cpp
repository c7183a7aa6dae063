// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/code_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

using namespace std::string_literals;

struct Pair {
  std::string utf8;
  ByteText gbk;
};

// Texts that convert both ways, each with its GBK bytes.
const std::vector<Pair> kConvertible = {
    {"", ""},
    {"a.txt", "a.txt"},
    {"中", "\xD6\xD0"},
    {"提示", "\xCC\xE1\xCA\xBE"},
    {"信息：", "\xD0\xC5\xCF\xA2\xA3\xBA"},
    {"第1集.mp4", "\xB5\xDA" "1" "\xBC\xAF" ".mp4"},
    {"繁體", "\xB7\xB1\xF3\x77"},  // a trail byte in the ASCII range ('w')
    {"　名", "\xA1\xA1\xC3\xFB"},  // full-width space
    {"café", "caf\xA8\xA6"},
    {"€", "\x80"},  // the single-byte euro sign of code page 936
    {"ä", "\x81\x30\x8A\x31"},  // GBK lacks it: four bytes
    {"Straße", "Stra\x81\x30\x89\x38" "e"},
    {"한", "\x83\x36\x84\x33"},
    {"™ a•", "\x81\x36\xBE\x34 a\x81\x36\xA6\x31"},
    {"😀 1.jpg", "\x94\x39\xFC\x36 1.jpg"},  // beyond the Basic Multilingual Plane
    {"\xEE\x80\x80", "\xAA\xA1"},  // private use U+E000: a user-defined two-byte code
    {"\xF4\x8F\xBF\xBF", "\xE3\x32\x9A\x35"},  // U+10FFFF, the last code
};

TEST(GbkFromUtf8, RoundTripsTextThatGbkHolds) {
  for (const Pair& pair : kConvertible) {
    SCOPED_TRACE(pair.utf8);
    EXPECT_EQ(GbkFromUtf8(pair.utf8), pair.gbk);
    EXPECT_EQ(Utf8FromGbk(pair.gbk), pair.utf8);
  }
}

TEST(GbkFromUtf8, RefusesInvalidUtf8AndNul) {
  const std::vector<std::string> cases = {
      "\xFF",
      "a\x80" "b",          // lone continuation byte
      "\xC0\xAF",           // overlong '/'
      "\xE4\xB8",           // 中 cut short
      "a\xE4\xB8",
      "\xED\xA0\x80",       // encoded surrogate
      "\xD6\xD0",           // GBK bytes, not UTF-8
      "\xF4\x90\x80\x80",   // beyond U+10FFFF
      "\0"s,
      "a\0b"s,
      "中\0"s,
  };
  for (const std::string& utf8 : cases) {
    SCOPED_TRACE(::testing::PrintToString(utf8));
    EXPECT_EQ(GbkFromUtf8(utf8), std::nullopt);
  }
}

TEST(Utf8FromGbk, RefusesInvalidGbk) {
  const std::vector<ByteText> cases = {
      "\xD6",              // lone lead byte
      "ab\xD6",            // lone lead byte at the end
      "\xD6\xD0\xCE",      // 中 then a lone lead byte
      "\xD6\x30",          // trail byte out of range
      "\x81\x7F",          // 0x7F is never a trail byte
      "\xFF",
      "a\xFF" "b",
      "\xA2\xE3",          // GB18030's euro sign: the euro is written 0x80 here
      "\x81\x30\x81",      // four-byte code cut short
      "\x84\x31\xA5\x30",  // four-byte code after the last one of the Basic Multilingual Plane
      "\xE3\x32\x9A\x36",  // beyond U+10FFFF
      "\xFE\x39\xFE\x39",
      "\xD6\xD0\0"s,       // NUL
      "\0"s,
  };
  for (const ByteText& gbk : cases) {
    SCOPED_TRACE(::testing::PrintToString(gbk));
    EXPECT_EQ(Utf8FromGbk(gbk), std::nullopt);
  }
}

// iconv's strict answer for one GBK code: its UTF-8 when the code converts and
// converts back to itself.
std::optional<std::string> IconvRoundTrip(iconv_t decode, iconv_t encode, const std::string& code) {
  const auto convert = [](iconv_t cd, const std::string& in) -> std::optional<std::string> {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != 0 || inLeft != 0) return std::nullopt;
    if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
  };
  const std::optional<std::string> utf8 = convert(decode, code);
  if (!utf8 || convert(encode, *utf8) != code) return std::nullopt;
  return utf8;
}

// Every one- and two-byte code, alone and between ASCII letters, both ways.
TEST(Utf8FromGbk, AgreesWithIconvOnEveryCode) {
  const iconv_t decode = iconv_open("UTF-8", "GBK");
  const iconv_t encode = iconv_open("GBK", "UTF-8");
  ASSERT_NE(decode, reinterpret_cast<iconv_t>(-1));
  int convertible = 0;
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      std::string code(1, static_cast<char>(lead));
      if (trail != 0) code += static_cast<char>(trail);
      const std::optional<std::string> expected = IconvRoundTrip(decode, encode, code);
      convertible += expected ? 1 : 0;
      if (!expected) {
        // Beyond GBK: a code read here must be the one its character is written with.
        const std::optional<std::string> read = Utf8FromGbk(code);
        if (read) {
          ASSERT_EQ(GbkFromUtf8(*read), code) << lead << " " << trail;
        }
        continue;
      }
      ASSERT_EQ(Utf8FromGbk(code), expected) << lead << " " << trail;
      char16_t utf16[3];
      const std::optional<size_t> units = Utf16FromGbk(code, utf16);
      ASSERT_EQ(units.has_value(), expected.has_value());
      if (expected) {
        ASSERT_EQ(GbkFromUtf16(std::u16string_view(utf16, *units)), code);
        ASSERT_EQ(Utf8FromGbk("a" + code + "b"), "a" + *expected + "b");
        ASSERT_EQ(GbkFromUtf8("a" + *expected), "a" + code);
      }
    }
  }
  EXPECT_GT(convertible, 21000);
  iconv_close(decode);
  iconv_close(encode);
}

TEST(GbkFromUtf16, RefusesNulAndLoneSurrogates) {
  EXPECT_EQ(GbkFromUtf16(u"中a€"), "\xD6\xD0" "a\x80");
  EXPECT_EQ(GbkFromUtf16(u"\xD83D\xDE00한"), "\x94\x39\xFC\x36\x83\x36\x84\x33");
  for (const std::u16string& text : {std::u16string(u"a\0b", 3), std::u16string(1, u'\xD800'),
                                     std::u16string(u"\xDE00\xD83D"), std::u16string{0xD83D, u'a'}}) {
    EXPECT_EQ(GbkFromUtf16(text), std::nullopt);
  }
}

// Every Unicode scalar value, alone and after a letter: to byte text and back
// to UTF-8 and to UTF-16 unchanged; a character GBK holds keeps its GBK code,
// every other one takes the code glibc's GB18030 gives it where glibc has one
// (and a four-byte code, beyond the Basic Multilingual Plane).
TEST(GbkFromUtf8, RoundTripsEveryScalarValue) {
  const iconv_t gbk = iconv_open("GBK", "UTF-8");
  const iconv_t gbkBack = iconv_open("UTF-8", "GBK");
  const iconv_t gb18030 = iconv_open("GB18030", "UTF-8");
  ASSERT_NE(gb18030, reinterpret_cast<iconv_t>(-1));
  const auto convert = [](iconv_t cd, const std::string& in) -> std::optional<std::string> {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != 0 || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
  };
  int fourByte = 0;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string utf8;
    if (c < 0x80) {
      utf8 = {static_cast<char>(c)};
    } else if (c < 0x800) {
      utf8 = {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
      utf8 = {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      utf8 = {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
              static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    const std::optional<ByteText> text = GbkFromUtf8("a" + utf8);
    ASSERT_TRUE(text.has_value()) << std::hex << static_cast<uint32_t>(c);
    const ByteText code = text->substr(1);
    ASSERT_EQ(Utf8FromGbk(*text), "a" + utf8) << std::hex << static_cast<uint32_t>(c);
    ASSERT_EQ(CharWidthAt(code, 0), code.size()) << std::hex << static_cast<uint32_t>(c);
    char16_t utf16[8];
    const std::optional<size_t> units = Utf16FromGbk(code, utf16);
    ASSERT_TRUE(units.has_value()) << std::hex << static_cast<uint32_t>(c);
    ASSERT_EQ(GbkFromUtf16(std::u16string_view(utf16, *units)), code) << std::hex << static_cast<uint32_t>(c);
    fourByte += code.size() == 4 ? 1 : 0;
    if (c < 0x80 || c == 0x20AC) continue;
    const std::optional<std::string> gbkCode = convert(gbk, utf8);
    const std::optional<std::string> glibcCode = convert(gb18030, utf8);
    if (gbkCode && convert(gbkBack, *gbkCode) == utf8) continue;
    // Six characters beyond the Basic Multilingual Plane glibc writes with
    // two-byte codes; here they keep their four-byte codes.
    if (glibcCode && (c < 0x10000 || glibcCode->size() == 4)) {
      ASSERT_EQ(code, *glibcCode) << std::hex << static_cast<uint32_t>(c);
    }
  }
  EXPECT_GT(fourByte, 1'000'000);
  iconv_close(gbk);
  iconv_close(gbkBack);
  iconv_close(gb18030);
}

TEST(Gbk, ConvertsLiterals) {
  EXPECT_EQ(Gbk("提示"), "\xCC\xE1\xCA\xBE");
  EXPECT_EQ(Gbk("修改成果提示"), GbkFromUtf8("修改成果提示"));
  EXPECT_EQ(Gbk(""), "");
}

TEST(GbkDeathTest, AbortsOnLiteralThatIsNotUtf8) {
  EXPECT_DEATH(Gbk("\xFF"), "does not convert");
}

TEST(Utf8ForDisplay, ReplacesBytesThatDoNotConvert) {
  const std::vector<std::pair<ByteText, std::string>> cases = {
      {"", ""},
      {"a.txt", "a.txt"},
      {"\xD6\xD0\xCE\xC4", "中文"},
      {"a\xFF" "b", "a\uFFFD" "b"},
      {"\xFF\xD6\xD0", "\uFFFD中"},
      {"ab\xD6", "ab\uFFFD"},              // lone lead byte at the end
      {"\xA2\xE3" "b", "\uFFFD" "b"},      // no code here: one character
      {"\x84\x31\xA5\x30" "b", "\uFFFD" "b"},  // unassigned four-byte code: one character
      {"\x94\x39\xFC\x36", "😀"},
      {"\xD6" "0.txt", "\uFFFD" "0.txt"},  // a bad lead byte keeps the digit after it
      {"\xD6\xD0\xFF\xCE\xC4", "中\uFFFD文"},
  };
  for (const auto& [gbk, expected] : cases) {
    SCOPED_TRACE(::testing::PrintToString(gbk));
    EXPECT_EQ(Utf8ForDisplay(gbk), expected);
  }
}

}  // namespace
}  // namespace vantor
