// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/repair_window.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

#include "ui/gbk_qstring.h"
#include "ui/owned_window.h"

namespace vantor {

RepairWindow::RepairWindow(QWidget* caller, EntryList& list, Prompter& prompter, IntakeSettings settings,
                           std::vector<GarbledEntry> entries, std::function<void()> listRead)
    : QWidget(caller, Qt::Window), list_(list), prompter_(prompter), settings_(std::move(settings)),
      entries_(std::move(entries)), listRead_(std::move(listRead)) {
  setObjectName(QStringLiteral("修复乱码文件名"));
  setWindowTitle(QStringLiteral("修复乱码文件名"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(640, 420);

  表格_乱码文件名 = new QTableWidget(static_cast<int>(entries_.size()), 2, this);
  表格_乱码文件名->setObjectName(QStringLiteral("表格_乱码文件名"));
  表格_乱码文件名->setGeometry(8, 8, 624, 362);
  表格_乱码文件名->setHorizontalHeaderLabels({QStringLiteral("现在的文件名"), QStringLiteral("修复后的文件名")});
  表格_乱码文件名->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  表格_乱码文件名->verticalHeader()->hide();
  表格_乱码文件名->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
    // Names are data: plain items, never markup.
    auto* current = new QTableWidgetItem(QString::fromStdString(entries_[static_cast<size_t>(row)].shown));
    current->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    current->setCheckState(Qt::Checked);
    auto* repaired = new QTableWidgetItem(QStringFromGbk(entries_[static_cast<size_t>(row)].repaired));
    repaired->setFlags(Qt::ItemIsEnabled);
    表格_乱码文件名->setItem(row, 0, current);
    表格_乱码文件名->setItem(row, 1, repaired);
  }

  标签_状态 = new QLabel(this);
  标签_状态->setObjectName(QStringLiteral("标签_状态"));
  标签_状态->setTextFormat(Qt::PlainText);
  标签_状态->setGeometry(8, 382, 400, 28);
  标签_状态->setText(QStringLiteral("找到%1个乱码文件名").arg(entries_.size()));
  按钮_确认修复 = new QPushButton(QStringLiteral("确认修复"), this);
  按钮_确认修复->setObjectName(QStringLiteral("按钮_确认修复"));
  按钮_确认修复->setGeometry(532, 380, 100, 32);
  按钮_确认修复->setEnabled(!entries_.empty());
  connect(按钮_确认修复, &QPushButton::clicked, this, &RepairWindow::Confirm);
}

void RepairWindow::Confirm() {
  std::vector<GarbledEntry> chosen;
  for (int row = 0; row < 表格_乱码文件名->rowCount(); ++row) {
    if (表格_乱码文件名->item(row, 0)->checkState() == Qt::Checked) chosen.push_back(entries_[static_cast<size_t>(row)]);
  }
  if (chosen.empty()) return;
  // The window goes before the boxes; only locals are used after close().
  EntryList& list = list_;
  Prompter& prompter = prompter_;
  const IntakeSettings settings = settings_;
  const std::function<void()> listRead = listRead_;
  close();
  RepairGarbledNames(list, prompter, chosen, settings);
  if (listRead) listRead();
}

RepairWindow* OpenRepairWindow(QWidget* caller, EntryList& list, Prompter& prompter, const IntakeSettings& settings,
                               GarbledEncoding encoding, std::function<void()> listRead) {
  auto* window = new RepairWindow(caller, list, prompter, settings, FindGarbledEntries(list.EntryDirectory(), encoding),
                                  std::move(listRead));
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  close->setContext(Qt::WindowShortcut);
  QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
  if (caller != nullptr) {
    ShowAboveOwner(window, caller);
  } else {
    window->show();
  }
  return window;
}

}  // namespace vantor
