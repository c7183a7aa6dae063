// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/single_rename_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/gbk_qstring.h"
#include "ui/owned_window.h"

namespace vantor {

SingleRenameWindow::SingleRenameWindow(QWidget* caller, EntryList& list, Prompter& prompter, HandEditCell cell,
                                       bool clearPendingName, RenamedOnDisk renamedOnDisk)
    : QWidget(caller, Qt::Dialog), list_(list), prompter_(prompter), cell_(std::move(cell)),
      clearPendingName_(clearPendingName), renamedOnDisk_(std::move(renamedOnDisk)) {
  setObjectName(QStringLiteral("执行单个修改"));
  setWindowTitle(QStringLiteral("执行单个修改"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(480, 92);

  编辑框1 = new QLineEdit(this);
  编辑框1->setObjectName(QStringLiteral("编辑框1"));
  编辑框1->setGeometry(8, 8, 464, 35);
  选择框1 = new QCheckBox(QStringLiteral("修改后弹出提示"), this);
  选择框1->setObjectName(QStringLiteral("选择框1"));
  选择框1->setGeometry(8, 56, 140, 24);
  按钮1 = new QPushButton(QStringLiteral("确认修改"), this);
  按钮1->setObjectName(QStringLiteral("按钮1"));
  按钮1->setGeometry(264, 52, 100, 30);
  按钮2 = new QPushButton(QStringLiteral("关闭"), this);
  按钮2->setObjectName(QStringLiteral("按钮2"));
  按钮2->setGeometry(372, 52, 100, 30);

  编辑框1->setText(QStringFromGbk(cell_.oldText));
  connect(按钮1, &QPushButton::clicked, this, &SingleRenameWindow::Confirm);
  connect(按钮2, &QPushButton::clicked, this, &QWidget::close);
  // Return confirms, Escape closes, as in any small dialog.
  connect(编辑框1, &QLineEdit::returnPressed, this, &SingleRenameWindow::Confirm);
}

void SingleRenameWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  编辑框1->setFocus();
  编辑框1->selectAll();
}

void SingleRenameWindow::Confirm() {
  const HandEditResult result = ConfirmHandEdit(list_, cell_, GbkFromQString(编辑框1->text()), clearPendingName_);
  if (result == HandEditResult::kIgnored) return;
  const bool renamedOrFailed = result == HandEditResult::kRenamed || result == HandEditResult::kFailed;
  if (renamedOnDisk_ && cell_.column == 0 && renamedOrFailed) {
    const bool renamed = result == HandEditResult::kRenamed;
    renamedOnDisk_(renamed ? 1 : 0, renamed ? 0 : 1);
  }
  // The window goes before the box; only locals are used after close().
  Prompter& prompter = prompter_;
  const bool tellSuccess = 选择框1->isChecked();
  close();
  TellHandEditResult(prompter, result, tellSuccess);
}

SingleRenameWindow* OpenSingleRename(QWidget* caller, EntryList& list, Prompter& prompter, const HandEditCell& cell,
                                     bool clearPendingName, const RenamedOnDisk& renamedOnDisk) {
  auto* window = new SingleRenameWindow(caller, list, prompter, cell, clearPendingName, renamedOnDisk);
  ShowAboveOwner(window, caller);
  return window;
}

// Escape closes the window, as it closes a dialog.
void SingleRenameWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vantor
