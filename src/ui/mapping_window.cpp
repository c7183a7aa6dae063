// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mapping_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>

#include "entries/messages.h"
#include "listops/list_commands.h"
#include "listops/name_file.h"
#include "pipeline/input_checks.h"
#include "ui/entry_table_model.h"
#include "ui/gbk_qstring.h"
#include "ui/long_run.h"
#include "ui/owned_window.h"
#include "ui/paste_window.h"
#include "ui/single_rename_window.h"

namespace vantor {

namespace {

constexpr int kColumnWidth = 380;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(geometry);
  return button;
}

QAction* MakeAction(QMenu* menu, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(caption);
  return action;
}

}  // namespace

MappingWindow::MappingWindow(QWidget* mainWindow, EntryList& mainList, NameMapping mapping,
                             RenamedOnDisk renamedOnDisk)
    : QWidget(mainWindow, Qt::Dialog),
      mainList_(mainList),
      mainWindow_(mainWindow),
      mapping_(std::move(mapping)),
      renamedOnDisk_(std::move(renamedOnDisk)) {
  setObjectName(QStringLiteral("按设定的文件名一对一对应修改"));
  setWindowTitle(QStringLiteral("按设定的文件名一对一对应修改"));
  setAttribute(Qt::WA_DeleteOnClose);
  BuildControls();
  ConnectControls();
  dropReceiver_.Attach(this, [this](const QString& path) { LoadDroppedNameFile(path); });
}

MappingWindow::~MappingWindow() {
  dropReceiver_.Detach();
  超级列表框1->setModel(nullptr);
}

void MappingWindow::BuildControls() {
  resize(800, 540);
  透明标签1 = new QLabel(this);
  透明标签1->setObjectName(QStringLiteral("透明标签1"));
  透明标签1->setGeometry(8, 6, 696, 20);
  按钮_打开名单txt = MakeButton(this, "按钮_打开名单txt", QStringLiteral("打开txt"), {712, 2, 80, 24});
  透明标签1->setTextFormat(Qt::PlainText);

  model_ = std::make_unique<EntryTableModel>(mapping_.rows);
  model_->SetColumnTitle(0, QStringLiteral("被更名的文件名"));
  model_->SetColumnTitle(1, QStringLiteral("更名后的效果"));
  超级列表框1 = new QTableView(this);
  超级列表框1->setObjectName(QStringLiteral("超级列表框1"));
  超级列表框1->setGeometry(8, 29, 784, 464);
  超级列表框1->setModel(model_.get());
  超级列表框1->setContextMenuPolicy(Qt::CustomContextMenu);
  超级列表框1->setSelectionBehavior(QAbstractItemView::SelectRows);
  超级列表框1->setSelectionMode(QAbstractItemView::SingleSelection);
  超级列表框1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  超级列表框1->horizontalHeader()->resizeSection(0, kColumnWidth);
  超级列表框1->horizontalHeader()->resizeSection(1, kColumnWidth);
  // Drops over the list belong to the window's drop receiver.
  超级列表框1->setAcceptDrops(true);
  超级列表框1->viewport()->setAcceptDrops(true);
  超级列表框1->setDragDropMode(QAbstractItemView::NoDragDrop);

  按钮_手动粘贴 = MakeButton(this, "按钮_手动粘贴", QStringLiteral("直接粘贴进来"), {8, 502, 100, 28});
  按钮_手动粘贴1 = MakeButton(this, "按钮_手动粘贴1", QStringLiteral("清空以上列表"), {116, 502, 100, 28});
  按钮_顺序颠倒2 = MakeButton(this, "按钮_顺序颠倒2", QStringLiteral("顺序颠倒"), {224, 502, 80, 28});
  按钮_重新排序2 = MakeButton(this, "按钮_重新排序2", QStringLiteral("重新排序"), {312, 502, 80, 28});
  选择框_连后缀一起改 = new QCheckBox(QStringLiteral("连后缀一起改"), this);
  选择框_连后缀一起改->setObjectName(QStringLiteral("选择框_连后缀一起改"));
  选择框_连后缀一起改->setGeometry(408, 506, 120, 20);
  按钮_执行改名 = MakeButton(this, "按钮_执行改名", QStringLiteral("确认无误，执行吧"), {548, 502, 140, 28});
  按钮_关闭窗口2 = MakeButton(this, "按钮_关闭窗口2", QStringLiteral("关闭此窗口"), {696, 502, 96, 28});

  右键功能2 = new QMenu(QStringLiteral("右键功能2"), this);
  右键功能2->setObjectName(QStringLiteral("右键功能2"));
  上移 = MakeAction(右键功能2, QStringLiteral("上移"));
  下移 = MakeAction(右键功能2, QStringLiteral("下移"));
  删除 = MakeAction(右键功能2, QStringLiteral("删除"));
  手动修改这个 = MakeAction(右键功能2, QStringLiteral("手动修改这个"));
}

void MappingWindow::ConnectControls() {
  EntryList& rows = mapping_.rows;
  connect(超级列表框1, &QTableView::customContextMenuRequested, this, &MappingWindow::ShowListMenu);
  connect(上移, &QAction::triggered, this, [this, &rows] { MoveCellUp(rows, prompter_, ClickedRow()); });
  connect(下移, &QAction::triggered, this, [this, &rows] { MoveCellDown(rows, prompter_, ClickedRow()); });
  connect(删除, &QAction::triggered, this,
          [this, &rows] { rows.SetEntryCell(ByteText(), ClickedRow(), rows.LastRightClickColumn); });
  connect(手动修改这个, &QAction::triggered, this, [this, &rows] {
    const int row = ClickedRow();
    if (row < 0) return;
    // A hand rename here keeps the row's new name for the run.
    OpenSingleRename(this, rows, prompter_, HandEditCellOf(rows, row, rows.LastRightClickColumn),
                     /*clearPendingName=*/false, renamedOnDisk_);
  });

  connect(按钮_打开名单txt, &QPushButton::clicked, this, &MappingWindow::OpenNameFile);
  connect(按钮_手动粘贴, &QPushButton::clicked, this, &MappingWindow::OpenPasteWindow);
  connect(按钮_手动粘贴1, &QPushButton::clicked, this, [this] { ClearNewNames(mapping_); });
  connect(按钮_顺序颠倒2, &QPushButton::clicked, this, [this] { ReverseNewNames(mapping_, prompter_); });
  connect(按钮_重新排序2, &QPushButton::clicked, this, [this] { SortNewNames(mapping_, prompter_); });
  connect(按钮_执行改名, &QPushButton::clicked, this, [this] {
    RenameByMapping(mapping_, prompter_, 选择框_连后缀一起改->isChecked(), DiskPhaseOnWorker(this), renamedOnDisk_);
  });
  connect(按钮_关闭窗口2, &QPushButton::clicked, this, &QWidget::close);
}

int MappingWindow::SelectedRow() const {
  const QModelIndexList selected = 超级列表框1->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.front().row();
}

int MappingWindow::ClickedRow() const {
  const int clicked = mapping_.rows.LastRightClickRow;
  return clicked >= 0 && clicked < mapping_.rows.RowCount() ? clicked : SelectedRow();
}

void MappingWindow::ShowListMenu(const QPoint& position) {
  const QModelIndex index = 超级列表框1->indexAt(position);
  const int column = 超级列表框1->columnAt(position.x());
  mapping_.rows.LastRightClickRow = index.isValid() ? index.row() : -1;
  mapping_.rows.LastRightClickColumn = column >= 0 ? column : 0;
  if (SelectedRow() < 0) return;
  右键功能2->popup(超级列表框1->viewport()->mapToGlobal(position));
}

void MappingWindow::LoadDroppedNameFile(const QString& localPath) {
  const std::optional<TextArray> names = LoadNameFile(QFile::encodeName(localPath).toStdString());
  if (!names) {
    prompter_.Inform(NameFileRefusal(), messages::TitleReminder(), MessageIcon::kInformation);
    return;
  }
  SetNewNames(mapping_, *names);
}

void MappingWindow::OpenPasteWindow() {
  ShowAboveOwner(new PasteWindow(this, [this](const QString& text) { return TakePastedText(text); }), this);
}

void MappingWindow::OpenNameFile() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  QFileDialog dialog(this, QStringLiteral("打开txt"), folder, QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  PrepareFileDialog(dialog, this);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  LoadDroppedNameFile(dialog.selectedFiles().front());
}

bool MappingWindow::TakePastedText(const QString& text) {
  const std::optional<ByteText> gbk = GbkFromQString(text);
  if (!RequireGbkForm(prompter_, gbk)) return false;
  SetNewNames(mapping_, PastedNames(*gbk));
  return true;
}

void MappingWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    dropReceiver_.Detach();
    WriteBackNames(mapping_, mainList_);
    if (mainWindow_) mainWindow_->setEnabled(true);
  }
  QWidget::closeEvent(event);
}

MappingWindow* OpenMappingWindow(QWidget* mainWindow, EntryList& mainList, Prompter& mainPrompter,
                                 const RenamedOnDisk& renamedOnDisk) {
  NameMapping mapping;
  if (!OpenNameMapping(mainList, mainPrompter, mapping)) return nullptr;
  auto* window = new MappingWindow(mainWindow, mainList, std::move(mapping), renamedOnDisk);
  // Disabling the main window disables its child windows too; this one is
  // enabled again on its own.
  mainWindow->setEnabled(false);
  window->setEnabled(true);
  ShowAboveOwner(window, mainWindow);
  return window;
}

// Escape closes the window, as it closes a dialog.
void MappingWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vantor
