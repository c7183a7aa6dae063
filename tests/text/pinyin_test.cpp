// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/pinyin.h"

#include <gtest/gtest.h>

#include <string>

#include <unicode/unistr.h>

namespace vantor {
namespace {

std::u16string U16(const std::string& utf8) {
  const icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
  return std::u16string(text.getBuffer(), static_cast<size_t>(text.length()));
}

std::string Utf8(const std::u16string& text) {
  std::string utf8;
  icu::UnicodeString(text.data(), static_cast<int32_t>(text.size())).toUTF8String(utf8);
  return utf8;
}

TEST(PinyinOf, ConvertsChineseRunsOnlyInEveryWayAndSeparator) {
  struct Case {
    const char* text;
    PinyinWay way;
    const char16_t* separator;
    bool capitals;
    const char* expected;
  };
  const PinyinWay full = PinyinWay::kFull, tones = PinyinWay::kFullWithTones, initials = PinyinWay::kInitials;
  const Case cases[] = {
      {"晴天", full, u"", false, "qingtian"},
      {"晴天", full, u" ", false, "qing tian"},
      {"晴天", full, u"-", true, "Qing-Tian"},
      {"晴天", full, u"_", false, "qing_tian"},
      {"晴天", tones, u"", false, "qíngtiān"},
      {"晴天", tones, u" ", true, "Qíng Tiān"},
      {"晴天", initials, u"", true, "QT"},
      {"晴天", initials, u"-", false, "q-t"},
      // Everything that is not Chinese stays byte for byte, separators only
      // go between the syllables of one run.
      {"周杰伦 - 晴天 (Live) 2003.v2", full, u"-", false, "zhou-jie-lun - qing-tian (Live) 2003.v2"},
      {"第01集.花絮", full, u"", true, "Di01Ji.HuaXu"},
      {"  abc 123 ", full, u"-", true, "  abc 123 "},
      {"a中b文c", initials, u"_", false, "azbwc"},
      {"한국어 日本語 Ελλάδα", full, u"", false, "한국어 ribenyu Ελλάδα"},
      {"一、二，三", full, u"", false, "yi、er，san"},
      // ü: with tones as it is, without them as Latin-ASCII gives it.
      {"女儿 绿色", tones, u" ", false, "nǚ ér lǜ sè"},
      {"女儿 绿色", full, u" ", false, "nu er lu se"},
      {"绿", initials, u"", true, "L"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Utf8(PinyinOf(U16(c.text), {c.way, c.separator, c.capitals})), c.expected);
  }
}

// The readings ICU gives for words whose characters have several; the
// README lists the wrong ones. A new ICU that reads them otherwise shows
// here first.
TEST(PinyinOf, ReadsPolyphonesAsIcuDoes) {
  struct Case {
    const char* text;
    const char* expected;
    bool right;  // what a Chinese reader would say
  };
  const Case cases[] = {
      {"重庆", "chongqing", true},  {"重要", "zhongyao", true}, {"长大", "zhangda", true},
      {"行走", "xingzou", true},    {"还有", "haiyou", true},   {"朝阳", "chaoyang", true},
      {"银行", "yinxing", false},   {"音乐", "yinle", false},   {"长城", "zhangcheng", false},
      {"还原", "haiyuan", false},   {"单于", "danyu", false},   {"乐队", "ledui", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Utf8(PinyinOf(U16(c.text), {PinyinWay::kFull, u"", false})), c.expected) << (c.right ? "right" : "wrong");
  }
}

}  // namespace
}  // namespace vantor
