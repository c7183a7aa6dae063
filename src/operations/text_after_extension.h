// SPDX-License-Identifier: GPL-3.0-or-later
// "扩展名后面加": appends a text after the whole name, extension included, so
// that a file without an extension can be given one (readme + ".txt").
#pragma once

#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct TextAfterExtensionSettings {
  InputText appendText;  // 编辑框18; used as typed, no dot is added
};

// name + appendText, or nullopt when the name or the text is empty.
// NewNameOfTextAfterExtension("readme", {".txt"}) == "readme.txt";
// NewNameOfTextAfterExtension("photo.jpg", {".bak"}) == "photo.jpg.bak".
std::optional<ByteText> NewNameOfTextAfterExtension(const ByteText& name, const TextAfterExtensionSettings& settings);

// The text (not empty, none of the nine forbidden characters), then the
// folder mode ("此功能无法对文件夹进行修改"), then the three guards, then the
// rename course over the listed rows. Mode "拖几个改几个" treats dropped
// folders like files.
void RunTextAfterExtension(const RunContext& context, const TextAfterExtensionSettings& settings);

}  // namespace vantor
