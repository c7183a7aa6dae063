// SPDX-License-Identifier: GPL-3.0-or-later
// "数字编号后面加符号": puts a text right after the first number of each name,
// provided that number starts within the first 14 bytes.
#pragma once

#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct SymbolAfterNumberSettings {
  InputText insertText;  // 编辑框13; must not be empty
};

// The stem with insertText after its first number, or nullopt when the stem
// has no number, its number starts after byte 14, or nothing would change.
// NewNameOfSymbolAfterNumber("01开始", {"、"}) == "01、开始";
// NewNameOfSymbolAfterNumber("第3课", {"-"}) == "第3-课".
std::optional<ByteText> NewNameOfSymbolAfterNumber(const ByteText& stem, const SymbolAfterNumberSettings& settings);

// Guard 1, then the insert text, then guards 2 and 3, then the rename course.
void RunSymbolAfterNumber(const RunContext& context, const SymbolAfterNumberSettings& settings);

}  // namespace vantor
