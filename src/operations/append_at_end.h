// SPDX-License-Identifier: GPL-3.0-or-later
// "最尾部加": appends a typed text to the end of each name, in front of the
// extension of a file and after the whole name of a folder.
#pragma once

#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct AppendAtEndSettings {
  InputText text;  // 编辑框7, used as typed; must not be empty
};

// The stem followed by the text, or nullopt when the stem is empty (a file
// such as .gitignore) or the text is empty.
// NewNameOfAppendAtEnd("报告.final", {"_v2"}) == "报告.final_v2".
std::optional<ByteText> NewNameOfAppendAtEnd(const ByteText& stem, const AppendAtEndSettings& settings);

// The text ("弄啥嘞？不能为空"), the three guards, the text's characters ("不能改成
// 这个东西" for any of \ / : * ? " < > |), then the rename course with
// "列表框是空的！" for an empty list.
void RunAppendAtEnd(const RunContext& context, const AppendAtEndSettings& settings);

}  // namespace vantor
