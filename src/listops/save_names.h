// "保存原文件名到txt": writes the listed names to "原文件名保存.txt".
#pragma once

#include "entries/entry_list.h"
#include "pipeline/input_checks.h"
#include "platform/prompter.h"

namespace vantor {

// Where the file may go, as GBK folders ending with "/"; no value when the
// folder has no GBK form.
struct SaveNamesFolders {
  InputText programFolder;    // the folder of the program's own executable
  InputText documentsFolder;  // the user's documents folder (or home folder)
};

// Every non-empty column-0 name followed by "\r\n", row 0 first; the file's
// bytes. NamesFileContent(rows "a", "", "b") == "a\r\nb\r\n".
ByteText NamesFileContent(const EntryList& list);

// Writes NamesFileContent to "原文件名保存.txt" in the program folder, replacing
// an earlier file atomically. When that folder cannot take it (an installed
// program's folder is read-only), the file goes to the documents folder and the
// message names the path. A list without a non-empty name writes nothing:
// "没有什么可以保存的". Both folders failing: "保存失败". All under "提醒：".
void SaveListedNames(const EntryList& list, Prompter& prompter, const SaveNamesFolders& folders);

}  // namespace vantor
