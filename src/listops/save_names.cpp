// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/save_names.h"

#include "entries/messages.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

std::string NamesFileContent(const EntryList& list, const RowSubset* rows) {
  std::string content;
  for (int row = 0; row < list.RowCount(); ++row) {
    const ByteText& name = list.Cell(row, 0);
    if (name.empty() || (rows != nullptr && !rows->Contains(row))) continue;
    if (list.HasFolders()) content += Utf8FromGbk(list.FolderOfRow(row)).value_or(list.FolderOfRow(row));
    // Listed names always have a native form; the bytes stand in otherwise.
    content += Utf8FromGbk(name).value_or(name);
    content += '\n';
  }
  return content;
}

void SaveListedNames(const EntryList& list, Prompter& prompter, const ChooseNamesFile& chooseFile,
                     const RowSubset* rows) {
  auto remind = [&prompter](const ByteText& text) {
    prompter.Inform(text, messages::TitleReminder(), MessageIcon::kInformation);
  };
  const std::string content = NamesFileContent(list, rows);
  if (content.empty()) {
    remind(Gbk("没有什么可以保存的"));
    return;
  }
  const std::optional<InputText> chosen = chooseFile();
  if (!chosen) return;
  const ByteText& path = TextOrEmpty(*chosen);
  const size_t slash = path.find_last_of(kPathSeparator);
  const bool written = *chosen && slash != ByteText::npos &&
                       WriteFileAtomically(path.substr(0, slash + 1), path.substr(slash + 1), content);
  remind(written ? Gbk("已将原文件名存入txt文档内，\r\n保存位置：") + path : Gbk("保存失败"));
}

}  // namespace vantor
