// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/input_checks.h"

#include <cstring>

#include "entries/messages.h"
#include "platform/code_page.h"

namespace vantor {

bool RequireGbkForm(Prompter& prompter, const InputText& text) {
  if (text) return true;
  prompter.Inform(Gbk("输入的文字含有无法识别的字符，不能用在文件名里"), messages::TitleHint(),
                  MessageIcon::kInformation);
  return false;
}

bool RequireText(Prompter& prompter, const InputText& text, const char* emptyMessageUtf8) {
  if (!RequireGbkForm(prompter, text)) return false;
  if (!text->empty()) return true;
  prompter.Inform(Gbk(emptyMessageUtf8), DefaultMessageTitle(), MessageIcon::kInformation);
  return false;
}

bool ContainsForbiddenNameCharacter(const ByteText& text) {
  // Bytes inside a double-byte or four-byte character are passed over.
  for (size_t i = 0; i < text.size();) {
    const size_t width = CharWidthAt(text, i);
    if (width == 0) break;
    const auto byte = static_cast<unsigned char>(text[i]);
    if (width == 1 && byte != 0 && std::strchr("\\/:*?\"<>|", byte) != nullptr) return true;
    i += width;
  }
  return false;
}

bool RequireNameCharacters(Prompter& prompter, const ByteText& text) {
  if (!ContainsForbiddenNameCharacter(text)) return true;
  prompter.Inform(Gbk("不能改成这个东西"), DefaultMessageTitle(), MessageIcon::kNone);
  return false;
}

}  // namespace vantor
