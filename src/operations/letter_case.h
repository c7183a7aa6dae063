// SPDX-License-Identifier: GPL-3.0-or-later
// "改大小写": lower case, upper case or a capital at the start of each word,
// for the stem, the extension or both. Only ASCII letters change, so the bytes
// of Chinese characters are never touched.
#pragma once

#include <optional>

#include "pipeline/run_context.h"

namespace vantor {

enum class LetterCase { kLower, kUpper, kWordCapitals };            // 组合框_大小写方式, in item order
enum class LetterCaseScope { kExtension, kStem, kStemAndExtension };  // 组合框_大小写范围, in item order

struct LetterCaseSettings {
  LetterCase mode = LetterCase::kLower;
  LetterCaseScope scope = LetterCaseScope::kExtension;
};

// The text with its ASCII letters changed; a word is a run of ASCII letters
// and digits, and in kWordCapitals its first letter becomes upper case and
// the rest lower case. Double-byte and four-byte characters are stepped over
// whole and end a word.
// ChangeLetterCase("hello wORLD中x", LetterCase::kWordCapitals) == "Hello World中X".
ByteText ChangeLetterCase(const ByteText& text, LetterCase mode);

// The new name from a stem and an extension (with its dot); in the folder loop
// the whole name is the stem and the extension is empty. nullopt when nothing
// changes. NewNameOfLetterCase("Photo", ".JPG", {}) == "Photo.jpg".
std::optional<ByteText> NewNameOfLetterCase(const ByteText& stem, const ByteText& extension,
                                            const LetterCaseSettings& settings);

// The guards, then the rename course.
void RunLetterCase(const RunContext& context, const LetterCaseSettings& settings);

}  // namespace vantor
