// SPDX-License-Identifier: GPL-3.0-or-later
// "修复乱码文件名": the entries of the entry folder whose names are garbled,
// each with the name it was meant to have and a check box; "确认修复" renames
// the checked ones and reads the main list again.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "listops/garbled_names.h"
#include "platform/prompter.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vantor {

class RepairWindow : public QWidget {
  Q_OBJECT

 public:
  // list and prompter belong to the calling window, which is also the parent.
  // listRead, when given, is told after the main list was read again.
  RepairWindow(QWidget* caller, EntryList& list, Prompter& prompter, IntakeSettings settings,
               std::vector<GarbledEntry> entries, std::function<void()> listRead = {});

  QTableWidget* 表格_乱码文件名 = nullptr;  // check box and current name, repaired name
  QLabel* 标签_状态 = nullptr;              // the status line: how many were found
  QPushButton* 按钮_确认修复 = nullptr;

 private:
  void Confirm();

  EntryList& list_;
  Prompter& prompter_;
  IntakeSettings settings_;
  std::vector<GarbledEntry> entries_;
  std::function<void()> listRead_;
};

// Finds the garbled names of the list's entry directory in the chosen code
// page and opens the window over caller, without blocking it. The window
// deletes itself when closed; the returned pointer is valid until then.
RepairWindow* OpenRepairWindow(QWidget* caller, EntryList& list, Prompter& prompter, const IntakeSettings& settings,
                               GarbledEncoding encoding, std::function<void()> listRead = {});

}  // namespace vantor
