// SPDX-License-Identifier: GPL-3.0-or-later
// "开始修改" of "批量修改扩展名": gives every listed file the same new extension
// and keeps its stem; the old extension goes whole, dot included.
#pragma once

#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct ChangeExtensionSettings {
  InputText extension;  // text of 组合框_修改扩展, picked or typed
};

// The extension as it is used: the text with a "." in front unless it already
// starts with one; the empty text stays empty.
// ExtensionInUse("jpg") == ".jpg"; ExtensionInUse("tar.gz") == ".tar.gz".
ByteText ExtensionInUse(const ByteText& text);

// The stem of name followed by the extension in use (the name itself when it
// already ends so), or nullopt when the stem is empty (".gitignore") or the
// extension text is empty.
// NewNameOfChangeExtension("archive.tar.gz", {".zip"}) == "archive.tar.zip";
// NewNameOfChangeExtension("README", {"md"}) == "README.md".
std::optional<ByteText> NewNameOfChangeExtension(const ByteText& name, const ChangeExtensionSettings& settings);

// The text ("准备改成什么后缀？请先选择或手动输入！"; none of the nine forbidden
// characters), the three guards, the folder mode ("文件夹没有改后缀一说，请勾选文件"),
// then the rename course. A preview shows every walked row's new name, also an
// unchanged one; a direct run ends with "一共有N个文件被改名". Returns the
// extension in use when the rows were worked through and it differs from the
// text, so that the box can show it; nullopt otherwise.
std::optional<ByteText> RunChangeExtension(const RunContext& context, const ChangeExtensionSettings& settings);

}  // namespace vantor
