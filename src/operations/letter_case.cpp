// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/letter_case.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"

namespace vantor {

namespace {

bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
char Lower(unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); }
char Upper(unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c); }

}  // namespace

ByteText ChangeLetterCase(const ByteText& text, LetterCase mode) {
  ByteText changed = text;
  bool inWord = false;
  for (size_t i = 0; i < changed.size(); ++i) {
    const auto c = static_cast<unsigned char>(changed[i]);
    if (c >= 0x80) {  // a double-byte or four-byte character: it stays, and it ends a word
      const size_t width = CharWidthAt(changed, i);
      if (width > 1) i += width - 1;
      inWord = false;
      continue;
    }
    if (!IsAsciiLetter(c)) {
      inWord = IsAsciiDigit(c);
      continue;
    }
    switch (mode) {
      case LetterCase::kLower: changed[i] = Lower(c); break;
      case LetterCase::kUpper: changed[i] = Upper(c); break;
      case LetterCase::kWordCapitals: changed[i] = inWord ? Lower(c) : Upper(c); break;
    }
    inWord = true;
  }
  return changed;
}

std::optional<ByteText> NewNameOfLetterCase(const ByteText& stem, const ByteText& extension,
                                            const LetterCaseSettings& settings) {
  const bool stemToo = settings.scope != LetterCaseScope::kExtension;
  const bool extensionToo = settings.scope != LetterCaseScope::kStem;
  ByteText name = (stemToo ? ChangeLetterCase(stem, settings.mode) : stem) +
                  (extensionToo ? ChangeLetterCase(extension, settings.mode) : extension);
  if (name == stem + extension) return std::nullopt;
  return name;
}

void RunLetterCase(const RunContext& context, const LetterCaseSettings& settings) {
  if (!PassGuards(context.prompter, context.list)) return;
  RunPureRename(context, {}, [&settings](const RenameEntryView& entry) {
    return NewNameOfLetterCase(entry.stem, entry.extension, settings);
  });
}

}  // namespace vantor
