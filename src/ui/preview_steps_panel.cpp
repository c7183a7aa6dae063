// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/preview_steps_panel.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <utility>

#include "operations/presets.h"
#include "pipeline/long_work.h"
#include "platform/code_page.h"
#include "ui/gbk_qstring.h"

namespace vantor {

namespace {

ByteText G(const QString& text) { return GbkFromQString(text).value_or(ByteText()); }

QString NothingChanged() { return QStringLiteral("这一步没有改动任何名字"); }

// The status line after a step ran: what the operation told, else whether
// the step changed nothing.
QString StepNote(const PreviewStep& step) {
  if (!step.note.empty()) return QStringFromGbk(step.note);
  return step.changed == 0 ? NothingChanged() : QString();
}

// "第2步（正则替换）"
QString StepLabel(size_t index, const OperationKind& kind) {
  return QStringLiteral("第%1步（%2）").arg(index + 1).arg(QString::fromUtf8(kind.caption));
}

QString RefusalText(const PreviewStep& step) {
  return step.refusal.empty() ? QStringLiteral("这一步无法执行") : QStringFromGbk(step.refusal);
}

}  // namespace

struct PreviewStepsPanel::LiveResult {
  bool ok = false;
  ByteText refusal;
  std::shared_ptr<PreviewSteps> steps;
  PreviewColumn column;
  int changed = 0;
};

PreviewStepsPanel::PreviewStepsPanel(const MainWindowUi& ui, EntryList& list, Prompter& prompter,
                                     const std::vector<OperationBinding>& bindings, Hooks hooks, QObject* parent)
    : QObject(parent), ui_(ui), list_(list), prompter_(prompter), bindings_(bindings), hooks_(std::move(hooks)) {
  liveTimer_.setSingleShot(true);
  liveTimer_.setInterval(kLivePauseMs);
  connect(&liveTimer_, &QTimer::timeout, this, &PreviewStepsPanel::StartLive);
  connect(ui_.按钮_清除预览步骤, &QPushButton::clicked, this, &PreviewStepsPanel::ClearSteps);
  connect(ui_.删除这一步, &QAction::triggered, this, [this] {
    const int row = ui_.列表_预览步骤->currentRow();
    if (row >= 0) RemoveStep(static_cast<size_t>(row));
  });
  connect(ui_.按钮_保存步骤, &QPushButton::clicked, this, &PreviewStepsPanel::SaveClicked);
  connect(ui_.按钮_应用步骤, &QPushButton::clicked, this,
          [this] { ApplyPreset(ui_.组合框_步骤方案->currentText()); });
  ReloadPresetNames();
}

PreviewStepsPanel::~PreviewStepsPanel() {
  if (liveWorker_.joinable()) liveWorker_.join();
}

PreviewColumn PreviewStepsPanel::FoldOnRunner(const RunContext& context, int foldWeight,
                                              const std::function<bool(WorkPart&)>& fold, const PreviewSteps& steps) {
  // The fold and the column with its marks touch every row: they run where
  // the run's long phases run, with progress; the window then only writes
  // the column in.
  PreviewColumn column;
  inRun_ = true;
  LongWork work(list_.RowCount(), nullptr, /*stoppable=*/false);
  RunDiskPhase(context.runDiskPhase, work, [&] {
    std::vector<WorkPart> parts = WorkPart(&work, work.Total()).Split({foldWeight, kFoldColumnWeight});
    const bool withColumn = !fold || fold(parts[0]);
    parts[0].Finish();
    if (withColumn) column = steps.Column(list_, &parts[1]);
    parts[1].Finish();
  });
  inRun_ = false;
  return column;
}

void PreviewStepsPanel::FoldAndShow(const RunContext& context, int foldWeight,
                                    const std::function<void(WorkPart&)>& fold) {
  const auto folding = [&fold](WorkPart& part) {
    if (fold) fold(part);
    return true;
  };
  ShowPreviewColumn(list_, FoldOnRunner(context, foldWeight, folding, steps_));
}

void PreviewStepsPanel::ShowStepList() {
  QListWidget* view = ui_.列表_预览步骤;
  view->clear();
  for (size_t i = 0; i < steps_.Count(); ++i) {
    const PreviewStep& step = steps_.Steps()[i];
    auto* item = new QListWidgetItem(QStringLiteral("%1 %2").arg(i + 1).arg(QString::fromUtf8(step.kind->caption)));
    if (!step.refusal.empty()) item->setToolTip(RefusalText(step));
    view->addItem(item);
  }
  if (view->count() > 0) view->setCurrentRow(view->count() - 1);
}

void PreviewStepsPanel::RunAsStep(const OperationBinding& binding) {
  StopLive();
  inRun_ = true;
  // Steps over names the list no longer shows are over: this run starts anew.
  if (!steps_.Empty() && !steps_.FoldedOver(list_)) DropSteps();
  const OperationKind& kind = *binding.kind;
  const size_t place = steps_.PlaceFor(kind);
  PreviewStepIo io;
  io.input = steps_.NamesBefore(place);
  io.state = place < steps_.Count() ? steps_.Steps()[place].state : std::make_shared<std::any>();
  RunContext context = hooks_.context();
  context.step = &io;
  context.previewNoticeSilenced = &noticeSilenced_;
  const std::any settings = binding.read();
  const std::optional<ByteText> shown = kind.run(context, settings);
  if (shown && binding.shownIn != nullptr) binding.shownIn->setEditText(QStringFromGbk(*shown));
  inRun_ = false;
  if (!io.produced) return;
  PreviewStep step;
  step.kind = &kind;
  step.settings = settings;
  step.state = io.state;
  // Taking the result in and the snapshot of column 0 touch every row too.
  FoldAndShow(context, 2 * kFoldTakeWeight, [&](WorkPart& part) {
    std::vector<WorkPart> parts = part.Split({kFoldTakeWeight, kFoldTakeWeight});
    TakeStepResult(step, list_, io.input, io, &parts[0]);
    steps_.Put(place, std::move(step), list_, &parts[1]);
  });
  ShowStepList();
  hooks_.note(StepNote(steps_.Steps()[place]));
}

void PreviewStepsPanel::InputsEdited(const OperationBinding& binding) {
  if (writingControls_ || inRun_ || !list_.PreviewOn() || steps_.Empty()) return;
  if (steps_.Steps().back().kind != binding.kind) return;
  liveBinding_ = &binding;
  liveTimer_.start();
}

void PreviewStepsPanel::StartLive() {
  if (liveBinding_ == nullptr || steps_.Empty() || steps_.Steps().back().kind != liveBinding_->kind) return;
  if (!list_.PreviewOn()) return;
  if (!steps_.FoldedOver(list_)) {
    DropSteps();
    return;
  }
  const std::any settings = liveBinding_->read();
  auto copy = std::make_shared<PreviewSteps>(steps_);
  const bool onWorker = list_.RowCount() >= kWorkerRows;
  const RunContext windowContext = hooks_.context();
  const IntakeSettings intake = windowContext.intake;
  // The rows the run takes, held by the task (the window makes them afresh).
  auto rows = windowContext.rows != nullptr ? std::make_shared<const RowSubset>(*windowContext.rows) : nullptr;
  EntryList* windowList = onWorker ? nullptr : &list_;
  const ByteText directory = list_.EntryDirectory();
  Prompter* prompter = &prompter_;
  auto folders = onWorker ? std::make_shared<const RowFolders>(RowFoldersOf(list_)) : nullptr;
  auto task = [copy, settings, intake, rows, folders, windowList, directory, prompter] {
    auto result = std::make_shared<LiveResult>();
    // A worker folds over its own list of the names the steps saw, as the
    // window's list may change meanwhile.
    std::shared_ptr<EntryList> own =
        windowList == nullptr ? ListOfNames(directory, *copy->Base(), folders ? *folders : RowFolders{}) : nullptr;
    EntryList& list = own ? *own : *windowList;
    RunContext context{list, *prompter, intake};
    context.rows = rows.get();
    const size_t last = copy->Count() - 1;
    PreviewStep step = copy->Steps()[last];
    step.settings = settings;
    result->ok = RunStepQuietly(context, step, copy->NamesBefore(last));
    result->refusal = step.refusal;
    result->changed = step.changed;
    if (result->ok) {
      copy->Put(last, std::move(step), list);
      result->column = copy->Column(list);
    }
    result->steps = copy;
    return result;
  };
  ++liveGeneration_;
  if (!onWorker) {
    ApplyLive(task(), liveGeneration_);
    return;
  }
  LaunchLive(task);
}

void PreviewStepsPanel::LaunchLive(std::function<std::shared_ptr<LiveResult>()> task) {
  if (liveRunning_) {
    // The running fold cannot stop midway; its result will be dropped and
    // the newest request runs next.
    liveQueued_ = std::move(task);
    return;
  }
  liveRunning_ = true;
  if (liveWorker_.joinable()) liveWorker_.join();
  const int generation = liveGeneration_;
  liveWorker_ = std::thread([this, task = std::move(task), generation] {
    std::shared_ptr<LiveResult> result = task();
    QMetaObject::invokeMethod(
        this, [this, result, generation] { WorkerDone(result, generation); }, Qt::QueuedConnection);
  });
}

void PreviewStepsPanel::WorkerDone(std::shared_ptr<LiveResult> result, int generation) {
  liveRunning_ = false;
  if (liveQueued_) {
    auto next = std::move(liveQueued_);
    liveQueued_ = nullptr;
    LaunchLive(std::move(next));
  }
  ApplyLive(std::move(result), generation);
}

void PreviewStepsPanel::ApplyLive(std::shared_ptr<LiveResult> result, int generation) {
  if (generation != liveGeneration_ || !list_.PreviewOn()) return;
  if (!result->ok) {
    // The input would be refused: the preview stays as it was.
    hooks_.note(result->refusal.empty() ? QString() : QStringFromGbk(result->refusal));
    return;
  }
  if (!result->steps->FoldedOver(list_)) return;  // the list changed meanwhile
  steps_ = *result->steps;
  ShowPreviewColumn(list_, std::move(result->column));
  ShowStepList();
  hooks_.note(StepNote(steps_.Steps().back()));
}

void PreviewStepsPanel::StopLive() {
  liveTimer_.stop();
  ++liveGeneration_;
  liveQueued_ = nullptr;
}

void PreviewStepsPanel::NoteRefusalOfRefold(size_t refused) {
  if (refused >= steps_.Count()) {
    hooks_.note(QString());
    return;
  }
  const PreviewStep& step = steps_.Steps()[refused];
  hooks_.note(StepLabel(refused, *step.kind) + QStringLiteral("：") + RefusalText(step));
}

void PreviewStepsPanel::ClearSteps() {
  StopLive();
  steps_.Clear();
  if (list_.PreviewOn()) FoldAndShow(hooks_.context(), 0, {});
  ShowStepList();
  hooks_.note(QString());
}

void PreviewStepsPanel::DropSteps() {
  StopLive();
  steps_.Clear();
  ShowStepList();
}

void PreviewStepsPanel::RemoveStep(size_t index) {
  if (index >= steps_.Count()) return;
  StopLive();
  steps_.Remove(index);
  if (steps_.Empty()) {
    ClearSteps();
    return;
  }
  const RunContext context = hooks_.context();
  size_t refused = steps_.Count();
  const int runs = static_cast<int>(steps_.Count() - index);
  FoldAndShow(context, runs * (kFoldPlanWeight + kFoldTakeWeight), [&](WorkPart& part) {
    refused = steps_.Refold(context, index, &part);
  });
  ShowStepList();
  NoteRefusalOfRefold(refused);
}

void PreviewStepsPanel::ShowWithPreview(bool previewOn) {
  for (QWidget* widget : std::initializer_list<QWidget*>{ui_.列表_预览步骤, ui_.按钮_清除预览步骤, ui_.组合框_步骤方案,
                                                         ui_.按钮_应用步骤, ui_.按钮_保存步骤}) {
    widget->setVisible(previewOn);
  }
  if (!previewOn) DropSteps();
}

void PreviewStepsPanel::FollowList() {
  if (inRun_ || steps_.Empty() || steps_.FoldedOver(list_)) return;
  DropSteps();
}

void PreviewStepsPanel::ListTouched() {
  if (followQueued_) return;
  followQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        followQueued_ = false;
        FollowList();
      },
      Qt::QueuedConnection);
}

// ---- Presets ----

void PreviewStepsPanel::ReloadPresetNames() {
  QComboBox* box = ui_.组合框_步骤方案;
  const QString current = box->currentText();
  box->clear();
  for (const std::string& name : PresetNames()) box->addItem(QString::fromStdString(name));
  const int index = box->findText(current);
  if (index >= 0) box->setCurrentIndex(index);
}

void PreviewStepsPanel::SaveClicked() {
  if (steps_.Empty()) {
    prompter_.Inform(Gbk("还没有预览步骤，没有可以保存的"), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  bool ok = false;
  const QString name = QInputDialog::getText(ui_.中心区, QStringLiteral("保存步骤"), QStringLiteral("步骤方案的名称："),
                                             QLineEdit::Normal, ui_.组合框_步骤方案->currentText(), &ok);
  if (ok) SavePresetAs(name.trimmed());
}

void PreviewStepsPanel::SavePresetAs(const QString& name) {
  const std::string path = PresetPath(name.toStdString());
  if (path.empty()) {
    prompter_.Inform(Gbk("这个名称不能用作步骤方案的名称"), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  if (QFileInfo::exists(QString::fromStdString(path)) &&
      !prompter_.Confirm(Gbk("已有同名的步骤方案，替换它吗？"), Gbk("提示"), MessageIcon::kQuestion)) {
    return;
  }
  std::vector<PresetStep> steps;
  for (const PreviewStep& step : steps_.Steps()) steps.push_back({step.kind, step.settings});
  std::string problem;
  if (!SavePreset(path, steps, problem)) {
    prompter_.Inform(Gbk("步骤方案保存失败：") + G(QString::fromStdString(problem)), Gbk("提示"),
                     MessageIcon::kWarning);
    return;
  }
  ReloadPresetNames();
  ui_.组合框_步骤方案->setCurrentIndex(ui_.组合框_步骤方案->findText(name));
  hooks_.note(QStringLiteral("步骤方案已保存：") + name);
}

void PreviewStepsPanel::ApplyPreset(const QString& name) {
  if (name.isEmpty()) {
    prompter_.Inform(Gbk("请先选择一个步骤方案"), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  const std::string path = PresetPath(name.toStdString());
  const auto refuse = [this, &path](const QString& problem) {
    prompter_.Inform(G(QStringLiteral("步骤方案“%1”无法应用：\r\n%2").arg(QString::fromStdString(path), problem)),
                     Gbk("提示"), MessageIcon::kInformation);
  };
  std::string problem;
  const std::vector<PresetStep> read = path.empty() ? std::vector<PresetStep>() : ReadPreset(path, problem);
  if (read.empty()) {
    refuse(QString::fromStdString(problem.empty() ? std::string("无法读取") : problem));
    return;
  }
  // Folded aside first: a preset is applied whole or not at all. The fold
  // and the column run where long phases run; the refusal, the controls and
  // the cells are the window's.
  StopLive();
  const RunContext context = hooks_.context();
  PreviewSteps candidate;
  size_t refused = read.size();
  PreviewColumn column = FoldOnRunner(
      context, static_cast<int>(read.size()) * (kFoldPlanWeight + kFoldTakeWeight) + kFoldTakeWeight,
      [&](WorkPart& part) {
        refused = FoldPreset(context, read, candidate, &part);
        return refused == read.size();
      },
      candidate);
  if (refused < read.size()) {
    const PreviewStep& step = candidate.Steps().back();
    refuse(StepLabel(refused, *step.kind) + QStringLiteral("：") + RefusalText(step));
    return;
  }
  if (!list_.PreviewOn()) hooks_.turnPreviewOn();
  steps_ = std::move(candidate);
  writingControls_ = true;
  for (const PreviewStep& step : steps_.Steps()) {
    if (const OperationBinding* binding = BindingOf(bindings_, *step.kind)) binding->write(step.settings);
  }
  writingControls_ = false;
  ShowPreviewColumn(list_, std::move(column));
  ShowStepList();
  hooks_.note(StepNote(steps_.Steps().back()));
}

}  // namespace vantor
