// SPDX-License-Identifier: GPL-3.0-or-later
// What the three file commands of the main window take from the window and
// the desktop: the target box and kind of "创建文件", the way of deleting, the
// folders "保存原文件名到txt" may write to, and the trash.
#pragma once

#include "listops/create_entries.h"
#include "listops/delete_entries.h"
#include "listops/save_names.h"
#include "ui/main_window_ui.h"

namespace vantor {

// The save dialog of "保存原文件名到txt" over owner: in the documents folder
// (the home folder when the desktop names none or it does not exist), with the
// file name "原文件名保存.txt"; it asks itself before replacing a file.
ChooseNamesFile NamesFileDialog(QWidget* owner);

// 编辑框14 and 组合框_创建扩展.
CreateEntriesSettings ReadCreateSettings(const MainWindowUi& ui);

// 单选框17 checked: permanently; otherwise into the trash.
DeleteWay ReadDeleteWay(const MainWindowUi& ui);

// The desktop's trash, the freedesktop.org one (one for the program).
Trash& DesktopTrash();

// When 编辑框14 takes the focus, its cue text "将在这里创建" (if typed there)
// goes and its text returns to the default colour from the grey of start-up.
void ClearCueOnFocus(QLineEdit* box);

}  // namespace vantor
