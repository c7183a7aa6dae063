// "数字编号后面加符号": puts a text right after the first number of each name,
// provided that number starts within the first 14 bytes.
#pragma once

#include <optional>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "platform/prompter.h"

namespace vantor {

struct SymbolAfterNumberSettings {
  ByteText insertText;  // any text; must not be empty
};

// The stem with insertText after its first number, or nullopt when the stem
// has no number, its number starts after byte 14, or nothing would change.
// NewNameOfSymbolAfterNumber("01开始", {"、"}) == "01、开始";
// NewNameOfSymbolAfterNumber("第3课", {"-"}) == "第3-课".
std::optional<ByteText> NewNameOfSymbolAfterNumber(const ByteText& stem, const SymbolAfterNumberSettings& settings);

// Checks the inputs and the guards, then runs the rename course.
void RunSymbolAfterNumber(EntryList& list, Prompter& prompter, const IntakeSettings& intake,
                          const SymbolAfterNumberSettings& settings);

}  // namespace vantor
