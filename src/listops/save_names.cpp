#include "listops/save_names.h"

#include "entries/messages.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

// The folder with its final separator.
ByteText FolderPath(const ByteText& folder) {
  return folder.empty() || folder.back() == kPathSeparator ? folder : folder + kPathSeparator;
}

bool WriteNamesFile(const InputText& folder, const ByteText& content) {
  return folder && !folder->empty() && WriteFileAtomically(FolderPath(*folder), Gbk("原文件名保存.txt"), content);
}

}  // namespace

ByteText NamesFileContent(const EntryList& list) {
  ByteText content;
  for (int row = 0; row < list.RowCount(); ++row) {
    const ByteText& name = list.Cell(row, 0);
    if (name.empty()) continue;
    content += name;
    content += "\r\n";
  }
  return content;
}

void SaveListedNames(const EntryList& list, Prompter& prompter, const SaveNamesFolders& folders) {
  auto remind = [&prompter](const ByteText& text) {
    prompter.Inform(text, messages::TitleReminder(), MessageIcon::kInformation);
  };
  const ByteText content = NamesFileContent(list);
  if (content.empty()) {
    remind(Gbk("没有什么可以保存的"));
    return;
  }
  if (WriteNamesFile(folders.programFolder, content)) {
    remind(Gbk("已将原文件名存入txt文档内，\r\n并已将txt文档保存到本软件的同级文件夹"));
  } else if (WriteNamesFile(folders.documentsFolder, content)) {
    const ByteText path = FolderPath(*folders.documentsFolder) + Gbk("原文件名保存.txt");
    remind(Gbk("已将原文件名存入txt文档内，\r\n保存位置：") + path);
  } else {
    remind(Gbk("保存失败"));
  }
}

}  // namespace vantor
