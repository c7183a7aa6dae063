// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include "listops/garbled_names.h"
#include "ui/repair_window.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "entries/listing.h"
#include "entries/messages.h"
#include "listops/list_commands.h"
#include "pipeline/apply_batch.h"
#include "pipeline/commit.h"
#include "pipeline/guards.h"
#include "pipeline/rename_journal.h"
#include "platform/code_page.h"
#include "ui/entry_table_model.h"
#include "ui/explanation_window.h"
#include "ui/extension_boxes.h"
#include "ui/file_command_inputs.h"
#include "ui/gbk_qstring.h"
#include "ui/help_texts.h"
#include "ui/application.h"
#include "ui/history_window.h"
#include "ui/long_run.h"
#include "ui/mapping_window.h"
#include "ui/owned_window.h"
#include "ui/single_rename_window.h"
#include "ui/skin.h"
#include "ui/tab_order.h"

namespace vantor {

namespace {

constexpr int kColumnWidth = 380;
constexpr int kNarrowWidth = 769;
constexpr int kPreviewWidth = 1150;
constexpr int kNarrowListWidth = 400;
constexpr int kDefaultHeight = 680;

const QString kModeFiles = QStringLiteral("处理文件");
const QString kModeFolders = QStringLiteral("处理文件夹");
const QString kModeDroppedItems = QStringLiteral("拖几个改几个");
const QString kModeFilesInTree = QStringLiteral("处理文件（含子文件夹）");
constexpr int kFolderColumnWidth = 140;

void MoveTo(QWidget* widget, int left, int top) { widget->move(left, top); }
void MoveLeft(QWidget* widget, int left) { widget->move(left, widget->y()); }

}  // namespace

MainWindow::MainWindow() {
  SetupMainWindowUi(ui_, this);
  // The desktop guard refuses the folder the desktop names as its own.
  ShareDesktopFolder();
  model_ = std::make_unique<EntryTableModel>(list_);
  progressBar_ = std::make_unique<ProgressBarDisplay>(ui_.进度条1);
  runDiskPhase_ = DiskPhaseOnWorker(this);
  ui_.超级列表框1->setModel(model_.get());
  ui_.超级列表框1->setContextMenuPolicy(Qt::CustomContextMenu);
  ui_.超级列表框1->setSelectionBehavior(QAbstractItemView::SelectRows);
  ui_.超级列表框1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ui_.超级列表框1->horizontalHeader()->resizeSection(0, kColumnWidth);
  // Drops over the list belong to the window's drop receiver.
  ui_.超级列表框1->setAcceptDrops(true);
  ui_.超级列表框1->viewport()->setAcceptDrops(true);
  // Rows dragged inside the list move there; files dragged in still go to
  // the drop receiver, which takes drops carrying files before the view does.
  ui_.超级列表框1->setDragEnabled(true);
  ui_.超级列表框1->setDragDropMode(QAbstractItemView::DragDrop);
  ui_.超级列表框1->setDefaultDropAction(Qt::MoveAction);
  ui_.超级列表框1->setDragDropOverwriteMode(false);
  ui_.超级列表框1->setDropIndicatorShown(true);
  statusLine_ = std::make_unique<ListStatusLine>(ui_.标签_状态行, ui_.超级列表框1, list_);
  setWindowIcon(QIcon(QStringLiteral(":/icons/org.vantor.rename.svg")));

  // The list grows with the window; the bottom buttons and the status line
  // follow its bottom edge, the controls at the right end of the top bar and
  // of the create row its right edge. Everything else keeps its place.
  using Edge = WindowAnchors::Edge;
  anchors_.Add(ui_.超级列表框1, Edge::kGrow);
  for (QWidget* widget : std::initializer_list<QWidget*>{ui_.超级按钮1, ui_.透明标签8, ui_.编辑框14, ui_.透明标签1,
                                                          ui_.组合框_创建扩展, ui_.按钮14, ui_.列表_预览步骤,
                                                          ui_.按钮_清除预览步骤, ui_.组合框_步骤方案,
                                                          ui_.按钮_应用步骤, ui_.按钮_保存步骤}) {
    anchors_.Add(widget, Edge::kRight);
  }
  for (QWidget* widget : std::initializer_list<QWidget*>{ui_.按钮_清空输入框, ui_.按钮_清空列表框, ui_.按钮_保存到txt,
                                                          ui_.按钮_确认无误执行吧, ui_.按钮_撤回上一步}) {
    anchors_.Add(widget, Edge::kBottom);
  }
  anchors_.Add(ui_.标签_状态行, Edge::kBottomGrowWidth);
  anchors_.TakePlaces(QSize(kNarrowWidth, kDefaultHeight));
  setMinimumSize(anchors_.DefaultSize());
  // A reset model forgets its column widths.
  connect(model_.get(), &QAbstractItemModel::modelReset, this, &MainWindow::FitToSize);
  OrderTabsByPosition(ui_.中心区);
  ConnectControls();
  online_ = std::make_unique<MainWindowOnline>(ui_, this);
}

MainWindow::~MainWindow() {
  dropReceiver_.Detach();
  ui_.超级列表框1->setModel(nullptr);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!created_) {
    created_ = true;
    RunCreationSteps();
    // A journal left behind means a run stopped midway; ask once the window shows.
    QMetaObject::invokeMethod(this, [this] { OfferRecoveryOfUnfinishedRuns(prompter_); }, Qt::QueuedConnection);
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FitToSize();
}

void MainWindow::FitToSize() {
  anchors_.Fit(size());
  ShareColumnWidths(ui_.超级列表框1, kColumnWidth, anchors_.Extra(size()).width());
  // The folder column of a tree takes its room from the name columns.
  const int folderColumn = model_->FolderColumn();
  if (folderColumn > 0) {
    QHeaderView* header = ui_.超级列表框1->horizontalHeader();
    const int nameWidth =
        (kColumnWidth * folderColumn + anchors_.Extra(size()).width() - kFolderColumnWidth) / folderColumn;
    for (int column = 0; column < folderColumn; ++column) header->resizeSection(column, nameWidth);
    header->resizeSection(folderColumn, kFolderColumnWidth);
  }
}

void MainWindow::ShowRenamedOnDisk(int renamed, int failed) { statusLine_->ShowRenamed(renamed, failed); }

void MainWindow::RunCreationSteps() {
  ui_.组合框2->setCurrentIndex(0);
  ui_.进度条1->hide();
  ui_.组合框2->setCurrentText(kModeFiles);

  dropReceiver_.Attach(
      this, [this](const QString& path) { AcceptDroppedPath(path); }, [this] { AfterDrop(); });
  ApplySkin(BuiltInSkin(), 0, 0);

  for (QAbstractButton* button :
       std::initializer_list<QAbstractButton*>{ui_.选择框_窗口置顶, ui_.选择框6, ui_.单选框2, ui_.单选框7, ui_.单选框9,
                                               ui_.单选框5, ui_.单选框3, ui_.单选框11, ui_.单选框13, ui_.单选框17,
                                               ui_.单选框15}) {
    button->setChecked(true);
  }
  QPalette grey = ui_.编辑框14->palette();
  grey.setColor(QPalette::Text, QColor(0x80, 0x80, 0x80));
  ui_.编辑框14->setPalette(grey);
  ui_.组合框_跳过扩展->setCurrentIndex(-1);
  ui_.高级选择夹1->setCurrentIndex(0);
  // The first tick starts the version check.
  ui_.时钟1->start(100);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  ui_.时钟1->stop();
  dropReceiver_.Detach();
  QMainWindow::closeEvent(event);
}

void MainWindow::ConnectControls() {
  // Every run that renames on disk tells the status line its outcome.
  const RenamedOnDisk showRenamed = [this](int renamed, int failed) { ShowRenamedOnDisk(renamed, failed); };
  connect(ui_.选择框_窗口置顶, &QCheckBox::toggled, this, [this](bool checked) {
    // Changing window flags re-creates the native window; do it after the
    // current event has finished.
    QMetaObject::invokeMethod(this, [this, checked] { SetStayOnTop(checked); }, Qt::QueuedConnection);
  });
  connect(ui_.按钮_手动读取, &QPushButton::clicked, this, &MainWindow::ReadFolderByHand);
  connect(ui_.选择框_显示隐藏文件, &QCheckBox::toggled, this, &MainWindow::ReloadListedFolder);

  for (QComboBox* box : {ui_.组合框_仅检索, ui_.组合框_跳过扩展}) {
    connect(box, &QComboBox::activated, this, &MainWindow::ReloadForFilter);
  }
  extensionBoxes_ = new ExtensionBoxes(ui_, [this](QComboBox* box) { ReloadOnEnter(box); }, this);

  connect(ui_.超级列表框1, &QTableView::customContextMenuRequested, this, &MainWindow::ShowListMenu);
  connect(ui_.超级列表框1, &QTableView::doubleClicked, this, &MainWindow::CopyCell);
  connect(ui_.上移, &QAction::triggered, this, [this] { MoveCellUp(list_, prompter_, SelectedRow()); });
  connect(ui_.下移, &QAction::triggered, this, [this] { MoveCellDown(list_, prompter_, SelectedRow()); });
  connect(ui_.删除已选中文件名, &QAction::triggered, this, [this] {
    std::vector<int> rows;
    for (const QModelIndex& index : ui_.超级列表框1->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    list_.RemoveSelectedRows(rows, list_.LastRightClickColumn);
  });
  connect(ui_.手动修改这个, &QAction::triggered, this, [this, showRenamed] {
    const int clicked = list_.LastRightClickRow;
    const int row = clicked >= 0 && clicked < list_.RowCount() ? clicked : SelectedRow();
    if (row < 0) return;
    OpenSingleRename(this, list_, prompter_, HandEditCellOf(list_, row, list_.LastRightClickColumn),
                     /*clearPendingName=*/true, showRenamed);
  });
  connect(ui_.按钮_用我的txt修改, &QPushButton::clicked, this,
          [this, showRenamed] { OpenMappingWindow(this, list_, prompter_, showRenamed); });
  connect(ui_.按数字大小排序, &QAction::triggered, this, [this] { SortListNaturally(list_, prompter_); });
  connect(ui_.按文件创建时间排序, &QAction::triggered, this,
          [this] { SortListByFileTime(list_, prompter_, FileTimeKind::kCreation); });
  connect(ui_.按文件最后修改时间排序, &QAction::triggered, this,
          [this] { SortListByFileTime(list_, prompter_, FileTimeKind::kLastWrite); });
  connect(ui_.按钮_多种重新排序, &QPushButton::clicked, this,
          [this] { ui_.多种重新排序->popup(QCursor::pos() + QPoint(3, 3)); });
  connect(ui_.按钮_顺序颠倒, &QPushButton::clicked, this, [this] { ReverseListOrder(list_, prompter_); });
  connect(ui_.按钮_清空列表框, &QPushButton::clicked, this, [this] { list_.Clear(); });
  connect(ui_.按钮_清空输入框, &QPushButton::clicked, this, &MainWindow::ClearInputBoxes);

  for (QPushButton* button : ui_.HelpButtons()) {
    connect(button, &QPushButton::clicked, this,
            [this, button] { ShowExplanation(this, HelpTextOf(button->objectName())); });
  }
  connect(ui_.单选框3, &QRadioButton::toggled, this,
          [this](bool on) { if (on) ui_.按钮_在某物前后加->setText(QStringLiteral("前面加")); });
  connect(ui_.单选框4, &QRadioButton::toggled, this,
          [this](bool on) { if (on) ui_.按钮_在某物前后加->setText(QStringLiteral("后面加")); });
  connect(ui_.单选框15, &QRadioButton::toggled, this,
          [this](bool on) { if (on) ui_.按钮_繁简->setText(QStringLiteral("繁转简")); });
  connect(ui_.单选框16, &QRadioButton::toggled, this,
          [this](bool on) { if (on) ui_.按钮_繁简->setText(QStringLiteral("简转繁")); });

  connect(ui_.按钮_打开预览, &QPushButton::clicked, this, &MainWindow::TogglePreview);
  connect(ui_.按钮_确认无误执行吧, &QPushButton::clicked, this, [this, showRenamed] {
    // The commit applies the column as one batch; the steps are done.
    stepsPanel_->DropSteps();
    CommitPreview(list_, prompter_, showRenamed, runDiskPhase_, ChosenRows());
  });
  connect(ui_.按钮_撤回上一步, &QPushButton::clicked, this, [this, showRenamed] {
    UndoNewestBatch(list_, prompter_, showRenamed, runDiskPhase_);
    // An undone repair gives names back that are not UTF-8: they leave the list.
    if (const std::optional<LeftOutNames> leftOut = RereadIfRawNamesListed(list_, ReadIntakeSettings())) {
      TellUnconvertible(*leftOut);
    }
    ShowEntryDirectory();
  });
  connect(ui_.按钮_历史记录, &QPushButton::clicked, this,
          [this, showRenamed] { OpenHistoryWindow(this, list_, showRenamed, runDiskPhase_); });
  connect(ui_.按钮_修复乱码, &QPushButton::clicked, this, [this] {
    if (!PassGuards(prompter_, list_)) return;
    const auto encoding = static_cast<GarbledEncoding>(std::max(0, ui_.组合框_乱码原编码->currentIndex()));
    OpenRepairWindow(this, list_, prompter_, ReadIntakeSettings(), encoding, [this] { ShowEntryDirectory(); });
  });
  BindOperations(ui_, *this, bindings_);
  PreviewStepsPanel::Hooks hooks;
  hooks.context = [this] { return MakeRunContext(); };
  hooks.note = [this](const QString& note) { statusLine_->ShowNote(note); };
  hooks.turnPreviewOn = [this] {
    if (!list_.PreviewOn()) TogglePreview();
  };
  stepsPanel_ = std::make_unique<PreviewStepsPanel>(ui_, list_, prompter_, bindings_, std::move(hooks), nullptr);
  // Whatever changes column 0 (a load, a sort, an undo, a hand edit) ends the steps.
  connect(model_.get(), &QAbstractItemModel::modelReset, this, &MainWindow::ListTouched);
  connect(model_.get(), &QAbstractItemModel::dataChanged, this, &MainWindow::ListTouched);
  connect(model_.get(), &QAbstractItemModel::rowsInserted, this, &MainWindow::ListTouched);
  connect(model_.get(), &QAbstractItemModel::rowsRemoved, this, &MainWindow::ListTouched);

  connect(ui_.按钮_保存到txt, &QPushButton::clicked, this,
          [this] { SaveListedNames(list_, prompter_, NamesFileDialog(this), ChosenRows()); });
  // The filter hides rows as it is typed; a load, a rename or a move asks it again.
  connect(ui_.编辑框_筛选, &QLineEdit::textChanged, this, &MainWindow::FilterEdited);
  connect(model_.get(), &QAbstractItemModel::modelReset, this, &MainWindow::HideFilteredRows);
  connect(model_.get(), &QAbstractItemModel::rowsInserted, this, &MainWindow::HideFilteredRows);
  connect(model_.get(), &QAbstractItemModel::dataChanged, this, [this] {
    if (filter_.Active()) HideFilteredRows();
  });
  connect(ui_.选择框_只改选中, &QCheckBox::toggled, this, &MainWindow::ShowSubsetInStatusLine);
  connect(ui_.超级列表框1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainWindow::ShowSubsetInStatusLine);
  connect(model_.get(), &EntryTableModel::RowsDragged, this, [this](int first, int count) {
    QItemSelection moved(model_->index(first, 0), model_->index(first + count - 1, model_->columnCount() - 1));
    ui_.超级列表框1->selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
  });
  ClearCueOnFocus(ui_.编辑框14);
  // Deletions and creations change the disk, not the list: the status line
  // counts the list again and keeps the last rename's outcome.
  connect(ui_.按钮14, &QPushButton::clicked, this, [this] {
    CreateEntriesFromList(list_, prompter_, ReadCreateSettings(ui_), runDiskPhase_);
    statusLine_->Refresh();
  });
  connect(ui_.按钮_删除文件, &QPushButton::clicked, this, [this] {
    DeleteListedEntries(list_, prompter_, DesktopTrash(),
                        {ReadDeleteWay(ui_), ReadIntakeSettings().mode, ChosenRows()}, runDiskPhase_);
    statusLine_->Refresh();
  });
  ConnectShortcuts();
}

void MainWindow::ConnectShortcuts() {
  auto onKeys = [this](const QKeySequence& keys, QWidget* scope, auto handler) {
    auto* shortcut = new QShortcut(keys, scope);
    // Keys of the list act only while it has the focus, so that Delete and F2
    // keep their meaning in the input boxes.
    shortcut->setContext(scope == this ? Qt::WindowShortcut : Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, handler);
  };
  auto clickOf = [](QAbstractButton* button) { return [button] { button->click(); }; };
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_Z), this, clickOf(ui_.按钮_撤回上一步));
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_Return), this, clickOf(ui_.按钮_确认无误执行吧));
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_Enter), this, clickOf(ui_.按钮_确认无误执行吧));
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_O), this, clickOf(ui_.按钮_手动读取));
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_P), this, clickOf(ui_.按钮_打开预览));
  onKeys(QKeySequence(Qt::Key_F5), this, [this] { ReloadListedFolder(); });
  onKeys(QKeySequence(Qt::Key_F2), ui_.超级列表框1, [this] {
    const QModelIndex current = ui_.超级列表框1->currentIndex();
    const int row = current.isValid() ? current.row() : SelectedRow();
    if (row < 0) return;
    list_.LastRightClickRow = row;
    list_.LastRightClickColumn = current.isValid() ? current.column() : 0;
    ui_.手动修改这个->trigger();
  });
  onKeys(QKeySequence(Qt::Key_Delete), ui_.超级列表框1, [this] {
    const QModelIndex current = ui_.超级列表框1->currentIndex();
    list_.LastRightClickColumn = current.isValid() ? current.column() : 0;
    ui_.删除已选中文件名->trigger();
  });
}

void MainWindow::SetStayOnTop(bool onTop) {
  const bool wasVisible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  if (wasVisible) show();
  OwnedWindowsFollowStayOnTop(this);
}

IntakeSettings MainWindow::ReadIntakeSettings() const {
  IntakeSettings settings;
  const QString mode = ui_.组合框2->currentText();
  settings.mode = mode == kModeFolders         ? ProcessingMode::kFolders
                  : mode == kModeDroppedItems ? ProcessingMode::kDroppedItems
                  : mode == kModeFilesInTree  ? ProcessingMode::kFilesInTree
                                              : ProcessingMode::kFiles;
  const QComboBox* only = ui_.组合框_仅检索;
  const std::optional<ByteText> onlyText = GbkFromQString(only->currentText());
  // A typed extension with no GBK form can match no listed name; "/" never
  // occurs in a name.
  settings.onlySearchPattern =
      onlyText ? OnlySearchPattern(only->currentIndex() != -1, *onlyText, Gbk("所有")) : ByteText("/");
  if (ui_.组合框_跳过扩展->currentIndex() != -1) {
    settings.skipExtension = GbkFromQString(ui_.组合框_跳过扩展->currentText());
  }
  settings.showHidden = ui_.选择框_显示隐藏文件->isChecked();
  return settings;
}

RunContext MainWindow::MakeRunContext() {
  RunContext context{list_, prompter_, ReadIntakeSettings(), progressBar_.get(),
                     [this](int renamed, int failed) { ShowRenamedOnDisk(renamed, failed); }, runDiskPhase_};
  context.rows = ChosenRows();
  return context;
}

std::vector<int> MainWindow::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : ui_.超级列表框1->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

const RowSubset* MainWindow::ChosenRows() {
  const bool onlySelected = ui_.选择框_只改选中->isChecked();
  if (!onlySelected && !filter_.Active()) return nullptr;
  chosenRows_ = MakeRowSubset(list_, filter_, onlySelected, onlySelected ? SelectedRows() : std::vector<int>{});
  return &chosenRows_;
}

void MainWindow::FilterEdited() {
  const std::optional<ByteText> text = GbkFromQString(ui_.编辑框_筛选->text());
  // Text without a GBK form matches no name.
  filter_ = text ? NameFilter(*text) : NameFilter(ByteText("re:(?!)"));
  // An invalid expression shows in red, its error in the tooltip.
  QPalette palette = ui_.编辑框_筛选->parentWidget()->palette();
  if (!filter_.Valid()) palette.setColor(QPalette::Text, Qt::red);
  ui_.编辑框_筛选->setPalette(palette);
  ui_.编辑框_筛选->setToolTip(filter_.Valid() ? QString() : QString::fromStdString(filter_.Error()));
  HideFilteredRows();
}

void MainWindow::HideFilteredRows() {
  QTableView* view = ui_.超级列表框1;
  const int rows = list_.RowCount();
  // A reset view shows every row again; only rows whose state changes are told.
  if (hiddenRows_.size() != static_cast<size_t>(rows)) hiddenRows_.assign(static_cast<size_t>(rows), 0);
  if (!filter_.Active() && !anyRowHidden_) {
    ShowSubsetInStatusLine();
    return;
  }
  anyRowHidden_ = filter_.Active();
  view->setUpdatesEnabled(false);
  for (int row = 0; row < rows; ++row) {
    const char hide = filter_.Active() && !filter_.Matches(list_.Cell(row, 0)) ? 1 : 0;
    if (hide == hiddenRows_[static_cast<size_t>(row)] && view->isRowHidden(row) == (hide != 0)) continue;
    hiddenRows_[static_cast<size_t>(row)] = hide;
    view->setRowHidden(row, hide != 0);
  }
  view->setUpdatesEnabled(true);
  ShowSubsetInStatusLine();
}

void MainWindow::ShowSubsetInStatusLine() {
  int shown = -1;
  if (filter_.Active()) {
    shown = 0;
    for (char hidden : hiddenRows_) shown += hidden != 0 ? 0 : 1;
  }
  int chosen = -1;
  if (ui_.选择框_只改选中->isChecked()) {
    chosen = 0;
    for (int row : SelectedRows()) chosen += ui_.超级列表框1->isRowHidden(row) ? 0 : 1;
  }
  statusLine_->ShowSubset(shown, list_.RowCount(), chosen);
}

void MainWindow::RunOperation(const OperationBinding& binding) {
  // With preview on a run is a step of the preview; an operation that renames
  // on disk all the same ends the steps first.
  if (list_.PreviewOn() && binding.kind->previewStep) {
    stepsPanel_->RunAsStep(binding);
  } else {
    if (list_.PreviewOn()) stepsPanel_->ClearSteps();
    RunContext context = MakeRunContext();
    // The button's caption names the batch in the rename history.
    context.caption = GbkFromQString(binding.button->text()).value_or(ByteText());
    const std::optional<ByteText> shown = binding.kind->run(context, binding.read());
    // setEditText does not count as typing, so the box's own filter stays out of it.
    if (shown && binding.shownIn != nullptr) binding.shownIn->setEditText(QStringFromGbk(*shown));
  }
  ShowEntryDirectory();
}

void MainWindow::ListTouched() {
  if (stepsPanel_) stepsPanel_->ListTouched();
}

void MainWindow::OperationInputsEdited(const OperationBinding& binding) { stepsPanel_->InputsEdited(binding); }

void MainWindow::ShowEntryDirectory() { ui_.标签2->setText(QStringFromGbk(list_.EntryDirectory())); }

void MainWindow::TellUnconvertible(const LeftOutNames& leftOut) {
  // Sub-folders of a tree that could not be read are passed over; the status line says how many.
  if (leftOut.unreadableFolders > 0) {
    statusLine_->ShowNote(QStringLiteral("%1个子文件夹无法读取，已跳过").arg(leftOut.unreadableFolders));
  }
  if (leftOut.count <= 0) return;
  prompter_.Inform(messages::UnconvertibleNames(leftOut), messages::TitleReminder(), MessageIcon::kInformation);
}

int MainWindow::SelectedRow() const {
  const QModelIndexList rows = ui_.超级列表框1->selectionModel()->selectedRows();
  if (rows.isEmpty()) return -1;
  int first = rows.front().row();
  for (const QModelIndex& index : rows) first = std::min(first, index.row());
  return first;
}

// ---- Intake and filters ----

void MainWindow::AcceptDroppedPath(const QString& localPath) {
  QString path = localPath;
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  const std::optional<ByteText> gbkPath = GbkFromQString(path);
  if (!gbkPath) {
    prompter_.Inform(messages::UnconvertiblePath(), messages::TitleHint(), MessageIcon::kInformation);
    return;
  }
  const IntakeSettings settings = ReadIntakeSettings();
  // One refusal per drop, however many of its paths come from another folder.
  if (dropRefused_) return;
  if (RefuseDropFromAnotherFolder(list_, prompter_, settings, *gbkPath)) {
    dropRefused_ = true;
    return;
  }
  LeftOutNames leftOut =
      vantor::AcceptDroppedPath(list_, prompter_, settings, *gbkPath, FolderReadsThrough(runDiskPhase_));
  // In the folder modes every path reloads the list: the last count is the list's.
  unconvertibleInDrop_ = settings.mode == ProcessingMode::kDroppedItems ? LeftOutNames() : std::move(leftOut);
  ShowEntryDirectory();
}

void MainWindow::AcceptDroppedPaths(const QStringList& localPaths) {
  for (const QString& path : localPaths) AcceptDroppedPath(path);
  AfterDrop();
}

void MainWindow::AfterDrop() {
  const LeftOutNames leftOut = std::move(unconvertibleInDrop_);
  unconvertibleInDrop_ = {};
  dropRefused_ = false;
  TellUnconvertible(leftOut);
}

void MainWindow::ReadFolderByHand() {
  QFileDialog chooser(this, QStringLiteral("选择目录"));
  PrepareFileDialog(chooser, this);
  // It opens on the listed folder, or the home folder, never where the
  // program happened to be started.
  const QString listed = QStringFromGbk(list_.EntryDirectory());
  chooser.setDirectory(!listed.isEmpty() && QFileInfo(listed).isDir() ? listed : QDir::homePath());
  chooser.setOption(QFileDialog::ShowDirsOnly);
  chooser.setFileMode(QFileDialog::Directory);
  std::optional<QString> folder;
  if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
    folder = chooser.selectedFiles().front();
  }
  OpenChosenFolder(folder);
}

void MainWindow::OpenChosenFolder(const std::optional<QString>& folder) {
  std::optional<ByteText> chosen;
  if (folder) {
    chosen = GbkFromQString(*folder);
    if (!chosen) {
      prompter_.Inform(messages::UnconvertiblePath(), messages::TitleHint(), MessageIcon::kInformation);
      return;
    }
  }
  const LeftOutNames leftOut =
      ReadChosenFolder(list_, prompter_, ReadIntakeSettings(), chosen, FolderReadsThrough(runDiskPhase_));
  ShowEntryDirectory();
  TellUnconvertible(leftOut);
}

void MainWindow::OpenCommandLinePaths(const QStringList& localPaths) {
  if (localPaths.size() == 1 && QFileInfo(localPaths.front()).isDir()) {
    list_.Clear();
    OpenChosenFolder(localPaths.front());
    return;
  }
  AcceptDroppedPaths(localPaths);
}

void MainWindow::ReloadForFilter() {
  TellUnconvertible(ReloadAfterFilterChange(list_, ReadIntakeSettings(), FolderReadsThrough(runDiskPhase_)));
  ShowEntryDirectory();
}

void MainWindow::ReloadListedFolder() {
  // The dropped-items mode lists what was dropped, not a folder.
  if (list_.EntryDirectory().empty() || ReadIntakeSettings().mode == ProcessingMode::kDroppedItems) return;
  ReloadForFilter();
}

void MainWindow::ReloadOnEnter(QComboBox* box) {
  if (box->currentText().isEmpty() || list_.EntryDirectory().empty()) return;
  ReloadForFilter();
}

// ---- List ----

void MainWindow::ShowListMenu(const QPoint& position) {
  // Below the last row there is no row, but the column under the cursor counts.
  const QModelIndex index = ui_.超级列表框1->indexAt(position);
  const int column = ui_.超级列表框1->columnAt(position.x());
  list_.LastRightClickRow = index.isValid() ? index.row() : -1;
  list_.LastRightClickColumn = column >= 0 ? column : 0;
  ui_.右键功能1->popup(ui_.超级列表框1->viewport()->mapToGlobal(position));
}

void MainWindow::CopyCell(const QModelIndex& index) {
  list_.LastRightClickRow = index.isValid() ? index.row() : -1;
  list_.LastRightClickColumn = index.isValid() ? index.column() : 0;
  const int row = SelectedRow();
  if (row < 0) return;
  QGuiApplication::clipboard()->setText(QStringFromGbk(list_.Cell(row, list_.LastRightClickColumn)));
}

// ---- Preview and renaming ----

void MainWindow::TogglePreview() {
  // The mode's places are set at its default size; a window at its default
  // size goes to the other mode's default size, a larger one keeps its size.
  const bool atDefaultSize = size() == anchors_.DefaultSize();
  anchors_.RestorePlaces();
  QTableView* view = ui_.超级列表框1;
  const bool turnOn = !list_.PreviewOn();
  if (turnOn) {
    view->resize(view->width() + kColumnWidth, view->height());
    ui_.按钮_打开预览->setText(QStringLiteral("关闭预览"));
    list_.SetPreviewOn(true);
    model_->SetColumnTitle(0, QStringLiteral("上一次的文件名"));
    ui_.按钮_确认无误执行吧->show();
    ui_.按钮_撤回上一步->show();
    MoveTo(ui_.按钮_确认无误执行吧, 973, 590);
    MoveTo(ui_.按钮_撤回上一步, 850, 590);
    MoveLeft(ui_.按钮_用我的txt修改, 830);
    MoveTo(ui_.按钮_直接粘贴txt, 950, 120);
  } else {
    view->resize(kNarrowListWidth, view->height());
    ui_.按钮_打开预览->setText(QStringLiteral("打开预览"));
    list_.SetPreviewOn(false);
    model_->SetColumnTitle(0, QStringLiteral("最开始的文件名"));
    MoveTo(ui_.按钮_确认无误执行吧, 568, 432);
    MoveLeft(ui_.按钮_用我的txt修改, 639);
    ui_.按钮_确认无误执行吧->hide();
    ui_.按钮_撤回上一步->hide();
    ui_.按钮_直接粘贴txt->hide();
    MoveTo(ui_.按钮_直接粘贴txt, 600, 192);
  }
  const QSize defaultSize(turnOn ? kPreviewWidth : kNarrowWidth, kDefaultHeight);
  anchors_.TakePlaces(defaultSize);
  setMinimumSize(defaultSize);  // grows a narrower window to the preview width
  if (atDefaultSize) resize(defaultSize);
  FitToSize();
  stepsPanel_->ShowWithPreview(turnOn);
}

void MainWindow::ClearInputBoxes() {
  for (QLineEdit* box : {ui_.编辑框1, ui_.编辑框2, ui_.编辑框3, ui_.编辑框4, ui_.编辑框5, ui_.编辑框6, ui_.编辑框7,
                         ui_.编辑框8, ui_.编辑框9, ui_.编辑框10, ui_.编辑框11, ui_.编辑框12, ui_.编辑框13,
                         ui_.编辑框14}) {
    box->clear();
  }
  list_.SetEntryDirectory({});
  ShowEntryDirectory();
}

}  // namespace vantor
