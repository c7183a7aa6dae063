// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/pinyin.h"

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vantor {

namespace {

struct Syllable {
  std::u16string toned;     // as Han-Latin gives it: "qíng"
  std::u16string toneless;  // and through Latin-ASCII: "qing"
};

// ICU's readings, one character at a time, remembered for the life of the
// program. Han-Latin reads nearly every character alone; the few characters
// it reads from their neighbours (a rule "{重}' '?庆 > chóng;") send their
// whole run through ICU. Transliterating a run costs ~8 µs per character,
// the table lookup a few nanoseconds.
class PinyinTable {
 public:
  static PinyinTable& Instance() {
    static PinyinTable table;
    return table;
  }

  bool Usable() const { return han_ != nullptr && ascii_ != nullptr; }

  // The syllables of a run of Han characters.
  std::vector<Syllable> SyllablesOf(std::u16string_view run) {
    std::vector<Syllable> syllables;
    bool contextual = false;
    for (size_t i = 0; i < run.size();) {
      UChar32 c;
      U16_NEXT(run.data(), i, run.size(), c);
      if (contextual_.count(c) != 0) contextual = true;
    }
    if (contextual) {
      std::u16string latin;
      {
        const std::lock_guard lock(icuMutex_);
        latin = Transliterate(*han_, run);
      }
      size_t start = 0;
      while (start <= latin.size()) {
        size_t end = latin.find(u' ', start);
        if (end == std::u16string::npos) end = latin.size();
        if (end > start) syllables.push_back(Toneless(latin.substr(start, end - start)));
        start = end + 1;
      }
      return syllables;
    }
    for (size_t i = 0; i < run.size();) {
      UChar32 c;
      U16_NEXT(run.data(), i, run.size(), c);
      syllables.push_back(Of(c));
    }
    return syllables;
  }

 private:
  PinyinTable() {
    UErrorCode status = U_ZERO_ERROR;
    han_.reset(icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) han_.reset();
    status = U_ZERO_ERROR;
    ascii_.reset(icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) ascii_.reset();
    if (han_ != nullptr) FindContextualCharacters();
  }

  // The characters a rule of Han-Latin reads in context: the ones in braces
  // at the start of a rule ("{藏}' '?文 > zàng;").
  void FindContextualCharacters() {
    for (int32_t i = 0; i < han_->countElements(); ++i) {
      UErrorCode status = U_ZERO_ERROR;
      const icu::Transliterator& element = han_->getElement(i, status);
      if (U_FAILURE(status)) continue;
      icu::UnicodeString rules;
      element.toRules(rules, false);
      int32_t lineStart = 0;
      while (lineStart < rules.length()) {
        int32_t lineEnd = rules.indexOf(u'\n', lineStart);
        if (lineEnd < 0) lineEnd = rules.length();
        if (rules.charAt(lineStart) == u'{' && lineStart + 1 < lineEnd) {
          contextual_.insert(rules.char32At(lineStart + 1));
        }
        lineStart = lineEnd + 1;
      }
    }
  }

  static std::u16string Transliterate(const icu::Transliterator& transliterator, std::u16string_view text) {
    icu::UnicodeString unicode(text.data(), static_cast<int32_t>(text.size()));
    transliterator.transliterate(unicode);
    return std::u16string(unicode.getBuffer(), static_cast<size_t>(unicode.length()));
  }

  Syllable Toneless(std::u16string toned) {
    Syllable syllable;
    {
      const std::lock_guard lock(icuMutex_);
      syllable.toneless = Transliterate(*ascii_, toned);
    }
    syllable.toned = std::move(toned);
    return syllable;
  }

  Syllable Of(UChar32 c) {
    {
      const std::shared_lock lock(tableMutex_);
      const auto found = known_.find(c);
      if (found != known_.end()) return found->second;
    }
    char16_t units[2];
    int32_t length = 0;
    U16_APPEND_UNSAFE(units, length, c);
    std::u16string toned;
    {
      const std::lock_guard lock(icuMutex_);
      toned = Transliterate(*han_, std::u16string_view(units, static_cast<size_t>(length)));
    }
    // Han-Latin may space a lone character; a syllable has none.
    std::erase(toned, u' ');
    if (toned.empty()) toned.assign(units, static_cast<size_t>(length));
    Syllable syllable = Toneless(std::move(toned));
    const std::unique_lock lock(tableMutex_);
    return known_.emplace(c, std::move(syllable)).first->second;
  }

  std::unique_ptr<icu::Transliterator> han_;
  std::unique_ptr<icu::Transliterator> ascii_;
  std::mutex icuMutex_;  // an ICU transliterator is not to be used by two threads at once
  std::unordered_set<UChar32> contextual_;
  std::shared_mutex tableMutex_;
  std::unordered_map<UChar32, Syllable> known_;
};

bool IsHan(UChar32 c) {
  UErrorCode status = U_ZERO_ERROR;
  return uscript_getScript(c, &status) == USCRIPT_HAN && U_SUCCESS(status);
}

// The syllable's first letter in upper case (ā -> Ā, q -> Q).
void Capitalise(std::u16string& syllable) {
  if (syllable.empty()) return;
  size_t end = 0;
  UChar32 c;
  U16_NEXT(syllable.data(), end, syllable.size(), c);
  const UChar32 upper = u_toupper(c);
  if (upper == c) return;
  char16_t units[2];
  int32_t length = 0;
  U16_APPEND_UNSAFE(units, length, upper);
  syllable.replace(0, end, units, static_cast<size_t>(length));
}

std::u16string Written(const Syllable& syllable, const PinyinStyle& style) {
  std::u16string text = style.way == PinyinWay::kFullWithTones ? syllable.toned : syllable.toneless;
  if (style.way == PinyinWay::kInitials && !text.empty()) {
    text.resize(U16_IS_LEAD(text[0]) && text.size() > 1 ? 2 : 1);
  }
  if (style.capitals) Capitalise(text);
  return text;
}

}  // namespace

bool HoldsChinese(std::u16string_view text) {
  for (size_t i = 0; i < text.size();) {
    UChar32 c;
    U16_NEXT(text.data(), i, text.size(), c);
    if (IsHan(c)) return true;
  }
  return false;
}

std::u16string PinyinOf(std::u16string_view text, const PinyinStyle& style) {
  PinyinTable& table = PinyinTable::Instance();
  if (!table.Usable()) return std::u16string(text);
  std::u16string result;
  result.reserve(text.size() * 4);
  size_t i = 0;
  while (i < text.size()) {
    size_t next = i;
    UChar32 c;
    U16_NEXT(text.data(), next, text.size(), c);
    if (!IsHan(c)) {
      result.append(text.substr(i, next - i));
      i = next;
      continue;
    }
    size_t runEnd = next;
    while (runEnd < text.size()) {
      size_t after = runEnd;
      U16_NEXT(text.data(), after, text.size(), c);
      if (!IsHan(c)) break;
      runEnd = after;
    }
    bool first = true;
    for (const Syllable& syllable : table.SyllablesOf(text.substr(i, runEnd - i))) {
      if (!first) result += style.separator;
      result += Written(syllable, style);
      first = false;
    }
    i = runEnd;
  }
  return result;
}

}  // namespace vantor
