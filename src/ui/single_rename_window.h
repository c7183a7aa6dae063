// SPDX-License-Identifier: GPL-3.0-or-later
// "执行单个修改": a small window in which the user types a new name for one
// cell of a list (the main list or the mapping list). The cell is taken when
// the window opens; "确认修改" works on that cell only.
#pragma once

#include <QWidget>

#include "entries/entry_list.h"
#include "listops/single_rename.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"

class QCheckBox;
class QLineEdit;
class QKeyEvent;
class QPushButton;

namespace vantor {

class SingleRenameWindow : public QWidget {
  Q_OBJECT

 public:
  // list and prompter belong to the calling window, which is also the parent;
  // the prompter's boxes belong to that window. renamedOnDisk, when given, is
  // told each edit of the name column that renamed (1, 0) or failed (0, 1).
  SingleRenameWindow(QWidget* caller, EntryList& list, Prompter& prompter, HandEditCell cell, bool clearPendingName,
                     RenamedOnDisk renamedOnDisk = {});

  QLineEdit* 编辑框1 = nullptr;
  QPushButton* 按钮1 = nullptr;  // 确认修改
  QPushButton* 按钮2 = nullptr;  // 关闭
  QCheckBox* 选择框1 = nullptr;  // 修改后弹出提示

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Confirm();

  EntryList& list_;
  Prompter& prompter_;
  HandEditCell cell_;
  bool clearPendingName_;
  RenamedOnDisk renamedOnDisk_;
};

// Opens the window over caller, without blocking it, with the cell's text in
// 编辑框1 (all of it selected). The window deletes itself when closed; the
// returned pointer is valid until then.
SingleRenameWindow* OpenSingleRename(QWidget* caller, EntryList& list, Prompter& prompter, const HandEditCell& cell,
                                     bool clearPendingName, const RenamedOnDisk& renamedOnDisk = {});

}  // namespace vantor
