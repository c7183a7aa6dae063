// SPDX-License-Identifier: GPL-3.0-or-later
// "最前面加": puts a text in front of every whole name (the extension stays
// behind it), in the file modes and in the folder mode alike.
#pragma once

#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct TextInFrontSettings {
  InputText frontText;  // 编辑框6; used as typed
};

// frontText + name, or nullopt when the name or the text is empty.
// NewNameOfTextInFront("a.txt", {"2020_"}) == "2020_a.txt".
std::optional<ByteText> NewNameOfTextInFront(const ByteText& name, const TextInFrontSettings& settings);

// The text (not empty, none of the nine forbidden characters), then the three
// guards, then the rename course: an empty list is refused with "列表框是空的！"
// in the file modes and ends silently in the folder mode. No summary follows a
// direct run; renames that fail keep their row and are reported.
void RunTextInFront(const RunContext& context, const TextInFrontSettings& settings);

}  // namespace vantor
