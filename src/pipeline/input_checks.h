// SPDX-License-Identifier: GPL-3.0-or-later
// Checks of the texts an operation takes from its input boxes. A box's text
// arrives as GBK, or without a value when it has no GBK form; each operation
// calls these at its own place in its check order.
#pragma once

#include <optional>

#include "platform/prompter.h"

namespace vantor {

using InputText = std::optional<ByteText>;

// False, after "输入的文字含有无法识别的字符，不能用在文件名里" (提示), when the
// text has no GBK form. RequireGbkForm(prompter, Gbk("a")) == true.
bool RequireGbkForm(Prompter& prompter, const InputText& text);

// False, after telling, when the text has no GBK form or is empty; the empty
// text gets emptyMessageUtf8 under the default title with the information icon.
// RequireText(prompter, ByteText(), "加什么？不能为空") == false.
bool RequireText(Prompter& prompter, const InputText& text, const char* emptyMessageUtf8);

// The text, or the empty text when it has none (for boxes that may be empty).
inline const ByteText& TextOrEmpty(const InputText& text) {
  static const ByteText kEmpty;
  return text ? *text : kEmpty;
}

// True when text holds one of the nine characters no file name may hold on
// Windows: \ / : * ? " < > |. Bytes inside double-byte and four-byte characters
// do not count.
// ContainsForbiddenNameCharacter("a?b") == true; ContainsForbiddenNameCharacter("中") == false.
bool ContainsForbiddenNameCharacter(const ByteText& text);

// False, after "不能改成这个东西" (default title, no icon), when text holds one of
// those nine characters. RequireNameCharacters(prompter, "a:b") == false.
bool RequireNameCharacters(Prompter& prompter, const ByteText& text);

}  // namespace vantor
