// SPDX-License-Identifier: GPL-3.0-or-later
// Chinese characters written as pinyin, through ICU's "Han-Latin"
// transliterator (and "Latin-ASCII" for the toneless forms). Only runs of
// Chinese (Han script) characters are converted; everything else, ASCII,
// digits, dots, spaces, other scripts and punctuation, stays as it is.
//
// Text goes in and out as UTF-16, the form ICU works in; callers holding
// byte text convert at their edge.
#pragma once

#include <string>
#include <string_view>

namespace vantor {

enum class PinyinWay {
  kFull,           // "全拼": toneless syllables, 晴天 -> qing tian
  kFullWithTones,  // "全拼带声调": 晴天 -> qíng tiān
  kInitials,       // "首字母": each syllable's first letter, 晴天 -> q t
};

struct PinyinStyle {
  PinyinWay way = PinyinWay::kFull;
  std::u16string separator;  // between the syllables of one run: "", " ", "-" or "_"
  bool capitals = false;     // each syllable's first letter upper case
};

// Each run of Chinese characters in text as pinyin syllables in style; the
// rest of text unchanged. A character ICU has no reading for stays as it is
// (as one syllable). Readings follow ICU: a few words (重庆) are read from
// their context, most characters by their commonest reading (银行 -> yin
// xing). Safe to call from several threads at once.
// PinyinOf(u"周杰伦 - 晴天.live", {PinyinWay::kFull, u"", false}) == u"zhoujielun - qingtian.live";
// PinyinOf(u"晴天", {PinyinWay::kInitials, u"-", true}) == u"Q-T".
std::u16string PinyinOf(std::u16string_view text, const PinyinStyle& style);

}  // namespace vantor
