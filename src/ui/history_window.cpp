// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/history_window.h"

#include <QDateTime>
#include <QEvent>
#include <QHeaderView>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

#include "entries/messages.h"
#include "pipeline/apply_batch.h"
#include "pipeline/batch_history.h"
#include "platform/code_page.h"
#include "ui/gbk_qstring.h"
#include "ui/owned_window.h"

namespace vantor {

namespace {

QTableWidgetItem* Item(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

QPointer<HistoryWindow>& OpenWindow() {
  static QPointer<HistoryWindow> window;
  return window;
}

}  // namespace

HistoryWindow::HistoryWindow(QWidget* mainWindow, EntryList& mainList, RenamedOnDisk renamedOnDisk,
                             DiskPhaseRunner runDiskPhase)
    : QWidget(mainWindow, Qt::Window),
      mainList_(mainList),
      renamedOnDisk_(std::move(renamedOnDisk)),
      runDiskPhase_(std::move(runDiskPhase)) {
  setObjectName(QStringLiteral("改名历史"));
  setWindowTitle(QStringLiteral("改名历史"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(860, 420);

  表格_历史 = new QTableWidget(0, 6, this);
  表格_历史->setObjectName(QStringLiteral("表格_历史"));
  表格_历史->setGeometry(8, 8, 844, 364);
  表格_历史->setHorizontalHeaderLabels({QStringLiteral("时间"), QStringLiteral("文件夹"), QStringLiteral("操作"),
                                        QStringLiteral("个数"), QStringLiteral("第一个改名"), QString()});
  表格_历史->setSelectionBehavior(QAbstractItemView::SelectRows);
  表格_历史->setSelectionMode(QAbstractItemView::SingleSelection);
  表格_历史->setEditTriggers(QAbstractItemView::NoEditTriggers);
  表格_历史->verticalHeader()->setVisible(false);
  表格_历史->setWordWrap(false);
  const int widths[] = {136, 190, 136, 50, 260, 60};
  for (int column = 0; column < 6; ++column) 表格_历史->setColumnWidth(column, widths[column]);

  按钮_撤销这一批 = new QPushButton(QStringLiteral("撤销这一批"), this);
  按钮_撤销这一批->setObjectName(QStringLiteral("按钮_撤销这一批"));
  按钮_撤销这一批->setGeometry(8, 382, 120, 28);
  按钮_清空历史 = new QPushButton(QStringLiteral("清空历史"), this);
  按钮_清空历史->setObjectName(QStringLiteral("按钮_清空历史"));
  按钮_清空历史->setGeometry(136, 382, 120, 28);
  connect(按钮_撤销这一批, &QPushButton::clicked, this, &HistoryWindow::UndoSelected);
  connect(按钮_清空历史, &QPushButton::clicked, this, &HistoryWindow::ClearHistory);
}

void HistoryWindow::Refresh() {
  const std::vector<BatchSummary> batches = BatchHistory().List();
  表格_历史->clearContents();
  表格_历史->setRowCount(static_cast<int>(batches.size()));
  ids_.clear();
  for (int row = 0; row < static_cast<int>(batches.size()); ++row) {
    const BatchSummary& batch = batches[static_cast<size_t>(row)];
    ids_.push_back(batch.id);
    const QString when = QDateTime::fromSecsSinceEpoch(batch.time).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    表格_历史->setItem(row, 0, Item(when));
    表格_历史->setItem(row, 1, Item(QStringFromGbk(batch.folder)));
    表格_历史->setItem(row, 2, Item(QStringFromGbk(batch.caption)));
    表格_历史->setItem(row, 3, Item(QString::number(batch.count)));
    表格_历史->setItem(row, 4,
                       Item(QStringFromGbk(batch.firstOld) + QStringLiteral(" → ") + QStringFromGbk(batch.firstNew)));
    表格_历史->setItem(row, 5, Item(batch.undone ? QStringLiteral("已撤回") : QString()));
  }
  if (!ids_.empty()) 表格_历史->selectRow(0);
}

bool HistoryWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Refresh();
  return QWidget::event(event);
}

void HistoryWindow::UndoSelected() {
  const int row = 表格_历史->currentRow();
  if (row < 0 || row >= static_cast<int>(ids_.size()) || 表格_历史->selectedItems().isEmpty()) {
    prompter_.Inform(Gbk("请先选中要撤销的一批"), messages::TitleReminder(), MessageIcon::kInformation);
    return;
  }
  UndoRecordedBatch(ids_[static_cast<size_t>(row)], mainList_, prompter_, renamedOnDisk_, runDiskPhase_);
  Refresh();
}

void HistoryWindow::ClearHistory() {
  if (!prompter_.Confirm(Gbk("确定清空全部改名历史吗？此操作不可撤回！"), Gbk("提示"), MessageIcon::kQuestion)) return;
  BatchHistory().Clear();
  Refresh();
}

HistoryWindow* OpenHistoryWindow(QWidget* mainWindow, EntryList& mainList, const RenamedOnDisk& renamedOnDisk,
                                 const DiskPhaseRunner& runDiskPhase) {
  QPointer<HistoryWindow>& window = OpenWindow();
  if (window == nullptr || window->parentWidget() != mainWindow) {
    window = new HistoryWindow(mainWindow, mainList, renamedOnDisk, runDiskPhase);
    // Escape closes it, as it closes the other small windows.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window.data());
    close->setContext(Qt::WindowShortcut);
    QObject::connect(close, &QShortcut::activated, window.data(), &QWidget::close);
  }
  window->Refresh();
  ShowAboveOwner(window, mainWindow);
  return window;
}

}  // namespace vantor
