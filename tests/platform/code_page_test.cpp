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
};

TEST(GbkFromUtf8, RoundTripsTextThatGbkHolds) {
  for (const Pair& pair : kConvertible) {
    SCOPED_TRACE(pair.utf8);
    EXPECT_EQ(GbkFromUtf8(pair.utf8), pair.gbk);
    EXPECT_EQ(Utf8FromGbk(pair.gbk), pair.utf8);
  }
}

TEST(GbkFromUtf8, RefusesCharactersGbkDoesNotHold) {
  const std::vector<std::string> cases = {
      "\xF0\x9F\x98\x80",        // emoji
      "第1集\xF0\x9F\x98\x80.mp4",  // emoji among convertible text
      "\xF0\xA0\x80\x80",        // CJK extension B
      "한",                      // Hangul
      "・",                      // katakana middle dot (GBK has only ·)
      "ä",
      "\xEF\xBB\xBF" "a",        // byte-order mark
      "\xEE\x80\x80",            // private use U+E000
      "\xEF\xBF\xBD",            // U+FFFD
  };
  for (const std::string& utf8 : cases) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(GbkFromUtf8(utf8), std::nullopt);
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
      "\xAA\xA1",          // user-defined area, no mapping
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

TEST(GbkFromUtf16, RefusesNulLoneSurrogatesAndCharactersGbkLacks) {
  EXPECT_EQ(GbkFromUtf16(u"中a€"), "\xD6\xD0" "a\x80");
  for (const std::u16string& text : {std::u16string(u"a\0b", 3), std::u16string(1, u'\xD800'),
                                     std::u16string(u"\xD83D\xDE00"), std::u16string(u"한")}) {
    EXPECT_EQ(GbkFromUtf16(text), std::nullopt);
  }
}

TEST(Gbk, ConvertsLiterals) {
  EXPECT_EQ(Gbk("提示"), "\xCC\xE1\xCA\xBE");
  EXPECT_EQ(Gbk("修改成果提示"), GbkFromUtf8("修改成果提示"));
  EXPECT_EQ(Gbk(""), "");
}

TEST(GbkDeathTest, AbortsOnLiteralGbkDoesNotHold) {
  EXPECT_DEATH(Gbk("\xF0\x9F\x98\x80"), "does not convert to GBK");
}

TEST(Utf8ForDisplay, ReplacesBytesThatDoNotConvert) {
  const std::vector<std::pair<ByteText, std::string>> cases = {
      {"", ""},
      {"a.txt", "a.txt"},
      {"\xD6\xD0\xCE\xC4", "中文"},
      {"a\xFF" "b", "a\uFFFD" "b"},
      {"\xFF\xD6\xD0", "\uFFFD中"},
      {"ab\xD6", "ab\uFFFD"},              // lone lead byte at the end
      {"\xAA\xA1" "b", "\uFFFD" "b"},      // unmapped pair: one character
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
