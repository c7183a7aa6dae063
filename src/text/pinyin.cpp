// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/pinyin.h"

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace vantor {

namespace {

struct Syllable {
  std::u16string toned;     // as Han-Latin gives it: "qíng"
  std::u16string toneless;  // and through Latin-ASCII: "qing"
};

// The CJK ideographs of the Basic Multilingual Plane (extension A and the
// unified block), where nearly every name's characters are: their readings
// are found without a lock.
constexpr UChar32 kFirstFast = 0x3400;
constexpr UChar32 kEndFast = 0xA000;

// ICU's readings, one character at a time, remembered for the life of the
// program. Han-Latin reads nearly every character alone; the few characters
// it reads from their neighbours (a rule "{重}' '?庆 > chóng;") send their
// whole run through ICU. Transliterating costs some 8 µs a character, a
// remembered reading a few nanoseconds.
class PinyinTable {
 public:
  static PinyinTable& Instance() {
    static PinyinTable table;
    return table;
  }

  bool Usable() const { return han_ != nullptr && ascii_ != nullptr; }

  bool Contextual(UChar32 c) const {
    for (const UChar32 known : contextual_) {
      if (known == c) return true;
    }
    return false;
  }

  // The syllables of a run holding a character read in context, through ICU.
  std::vector<const Syllable*> SyllablesInContext(std::u16string_view run) {
    std::vector<const Syllable*> syllables;
    const std::lock_guard lock(icuMutex_);
    const std::u16string latin = Transliterate(*han_, run);
    size_t start = 0;
    while (start <= latin.size()) {
      size_t end = latin.find(u' ', start);
      if (end == std::u16string::npos) end = latin.size();
      if (end > start) syllables.push_back(Keep(latin.substr(start, end - start)));
      start = end + 1;
    }
    return syllables;
  }

  // The reading of one character.
  const Syllable* Of(UChar32 c) {
    std::atomic<const Syllable*>* slot = c >= kFirstFast && c < kEndFast ? &fast_[c - kFirstFast] : nullptr;
    if (slot != nullptr) {
      if (const Syllable* known = slot->load(std::memory_order_acquire)) return known;
    }
    const std::lock_guard lock(icuMutex_);
    if (slot == nullptr) {
      const auto found = rare_.find(c);
      if (found != rare_.end()) return found->second;
    } else if (const Syllable* known = slot->load(std::memory_order_relaxed)) {
      return known;
    }
    char16_t units[2];
    int32_t length = 0;
    U16_APPEND_UNSAFE(units, length, c);
    std::u16string toned = Transliterate(*han_, std::u16string_view(units, static_cast<size_t>(length)));
    // Han-Latin may space a lone character; a syllable has none.
    std::erase(toned, u' ');
    if (toned.empty()) toned.assign(units, static_cast<size_t>(length));
    const Syllable* syllable = Keep(std::move(toned));
    if (slot != nullptr) {
      slot->store(syllable, std::memory_order_release);
    } else {
      rare_.emplace(c, syllable);
    }
    return syllable;
  }

 private:
  PinyinTable() : fast_(new std::atomic<const Syllable*>[kEndFast - kFirstFast]) {
    for (UChar32 c = kFirstFast; c < kEndFast; ++c) fast_[c - kFirstFast].store(nullptr, std::memory_order_relaxed);
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
          contextual_.push_back(rules.char32At(lineStart + 1));
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

  // A syllable with its toneless form, kept for the life of the program;
  // icuMutex_ is held.
  const Syllable* Keep(std::u16string toned) {
    Syllable& syllable = kept_.emplace_back();
    syllable.toneless = Transliterate(*ascii_, toned);
    syllable.toned = std::move(toned);
    return &syllable;
  }

  std::unique_ptr<std::atomic<const Syllable*>[]> fast_;
  std::unique_ptr<icu::Transliterator> han_;
  std::unique_ptr<icu::Transliterator> ascii_;
  std::vector<UChar32> contextual_;
  std::mutex icuMutex_;  // an ICU transliterator is not to be used by two threads at once; guards the rest
  std::unordered_map<UChar32, const Syllable*> rare_;
  std::deque<Syllable> kept_;
};

bool IsHan(UChar32 c) {
  if (c < 0x2E80) return false;  // below the CJK radicals: never Han
  UErrorCode status = U_ZERO_ERROR;
  return uscript_getScript(c, &status) == USCRIPT_HAN && U_SUCCESS(status);
}

void AppendCodePoint(std::u16string& out, UChar32 c) {
  if (c <= 0xFFFF) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(U16_LEAD(c));
    out += static_cast<char16_t>(U16_TRAIL(c));
  }
}

// The syllable as style writes it: toned or toneless, whole or its first
// letter, that letter upper case with capitals (ā -> Ā, q -> Q).
void AppendSyllable(std::u16string& out, const Syllable& syllable, const PinyinStyle& style) {
  const std::u16string& text = style.way == PinyinWay::kFullWithTones ? syllable.toned : syllable.toneless;
  if (text.empty()) return;
  size_t first = 0;
  UChar32 c;
  U16_NEXT(text.data(), first, text.size(), c);
  AppendCodePoint(out, style.capitals ? u_toupper(c) : c);
  if (style.way != PinyinWay::kInitials) out.append(text, first, std::u16string::npos);
}

}  // namespace

std::u16string PinyinOf(std::u16string_view text, const PinyinStyle& style) {
  PinyinTable& table = PinyinTable::Instance();
  if (!table.Usable()) return std::u16string(text);
  std::u16string result;
  result.reserve(text.size() * 4);
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] < 0x80) {
      result += text[i++];
      continue;
    }
    size_t next = i;
    UChar32 c;
    U16_NEXT(text.data(), next, text.size(), c);
    if (!IsHan(c)) {
      result.append(text.substr(i, next - i));
      i = next;
      continue;
    }
    // The run of Chinese characters from here.
    bool contextual = table.Contextual(c);
    size_t runEnd = next;
    while (runEnd < text.size()) {
      size_t after = runEnd;
      U16_NEXT(text.data(), after, text.size(), c);
      if (!IsHan(c)) break;
      contextual = contextual || table.Contextual(c);
      runEnd = after;
    }
    const std::u16string_view run = text.substr(i, runEnd - i);
    bool first = true;
    const auto append = [&](const Syllable* syllable) {
      if (!first) result += style.separator;
      AppendSyllable(result, *syllable, style);
      first = false;
    };
    if (contextual) {
      for (const Syllable* syllable : table.SyllablesInContext(run)) append(syllable);
    } else {
      for (size_t k = 0; k < run.size();) {
        U16_NEXT(run.data(), k, run.size(), c);
        append(table.Of(c));
      }
    }
    i = runEnd;
  }
  return result;
}

}  // namespace vantor
