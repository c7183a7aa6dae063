// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/preview_steps.h"

#include <algorithm>
#include <utility>

#include "pipeline/long_work.h"
#include "pipeline/pending_marks.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

// Answers a quiet run: the first box it would show is its refusal; a
// question is answered OK.
class RefusalRecorder : public Prompter {
 public:
  void Inform(const ByteText& text, const ByteText&, MessageIcon) override {
    if (!refused_) refusal_ = text;
    refused_ = true;
  }
  bool Confirm(const ByteText&, const ByteText&, MessageIcon) override { return true; }
  bool Refused() const { return refused_; }
  const ByteText& Refusal() const { return refusal_; }

 private:
  bool refused_ = false;
  ByteText refusal_;
};

constexpr size_t kRowsBetweenReports = 4096;

constexpr int kPlanWeight = kFoldPlanWeight;
constexpr int kTakeWeight = kFoldTakeWeight;
// Of the column's share: its walk over the rows, and the marks (the folder
// read and the check against it).
constexpr int kColumnWalkWeight = 2;
constexpr int kMarksWeight = kFoldColumnWeight - kColumnWalkWeight;

std::vector<ByteText> ColumnZero(const EntryList& list, WorkPart* part = nullptr) {
  std::vector<ByteText> names;
  const size_t rows = static_cast<size_t>(list.RowCount());
  names.reserve(rows);
  for (size_t row = 0; row < rows; ++row) {
    if (part != nullptr && row % kRowsBetweenReports == 0) part->Reached(row, rows);
    names.push_back(list.Cell(static_cast<int>(row), 0));
  }
  if (part != nullptr) part->Finish();
  return names;
}

std::vector<ByteText> CopyOf(const std::vector<ByteText>& names, WorkPart& part) {
  std::vector<ByteText> copy;
  copy.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    if (i % kRowsBetweenReports == 0) part.Reached(i, names.size());
    copy.push_back(names[i]);
  }
  part.Finish();
  return copy;
}

}  // namespace

void TakeStepResult(PreviewStep& step, const EntryList& list, const std::vector<ByteText>* before,
                    PreviewStepIo& io, WorkPart* part) {
  // The copy of the names, then the changes.
  std::vector<WorkPart> parts = part != nullptr ? part->Split({1, 1}) : std::vector<WorkPart>(2);
  std::vector<ByteText> names = before != nullptr ? CopyOf(*before, parts[0]) : ColumnZero(list, &parts[0]);
  const size_t changes = io.changes.size();
  for (size_t i = 0; i < changes; ++i) {
    if (i % kRowsBetweenReports == 0) parts[1].Reached(i, changes);
    PlannedRename& change = io.changes[i];
    if (change.row >= 0 && static_cast<size_t>(change.row) < names.size()) {
      names[static_cast<size_t>(change.row)] = std::move(change.newName);
    }
  }
  step.changed = static_cast<int>(io.changes.size());
  std::vector<PlannedRename>().swap(io.changes);
  step.shownUnchanged = std::move(io.unchangedRows);
  io.unchangedRows.clear();
  step.namesAfter = std::make_shared<const std::vector<ByteText>>(std::move(names));
  step.refusal.clear();
  step.note = std::move(io.note);
  parts[1].Finish();
}

bool RunStepQuietly(const RunContext& context, PreviewStep& step, const std::vector<ByteText>* before,
                    WorkPart* part) {
  // The run's plan tells nothing here: it runs inline, under the caller's
  // phase.
  std::vector<WorkPart> parts =
      part != nullptr ? part->Split({kPlanWeight, kTakeWeight}) : std::vector<WorkPart>(2);
  RefusalRecorder recorder;
  bool silenced = true;
  PreviewStepIo io;
  io.input = before;
  io.state = step.state;
  RunContext quiet{context.list, recorder, context.intake};
  quiet.step = &io;
  quiet.previewNoticeSilenced = &silenced;
  quiet.fileFields = context.fileFields;
  quiet.rows = context.rows;
  step.kind->run(quiet, step.settings);
  parts[0].Finish();
  if (!recorder.Refused() && io.produced) {
    TakeStepResult(step, context.list, before, io, &parts[1]);
    return true;
  }
  // A refused step changes nothing: the names go on as they came.
  step.namesAfter = std::make_shared<const std::vector<ByteText>>(before != nullptr ? *before
                                                                                    : ColumnZero(context.list));
  step.changed = 0;
  step.note.clear();
  step.shownUnchanged.clear();
  step.refusal = recorder.Refused() ? recorder.Refusal() : ByteText();
  parts[1].Finish();
  return false;
}

size_t PreviewSteps::PlaceFor(const OperationKind& kind) const {
  if (!steps_.empty() && steps_.back().kind == &kind) return steps_.size() - 1;
  return steps_.size();
}

const std::vector<ByteText>* PreviewSteps::NamesBefore(size_t index) const {
  if (index == 0 || index > steps_.size()) return nullptr;
  return steps_[index - 1].namesAfter.get();
}

void PreviewSteps::Put(size_t index, PreviewStep step, const EntryList& list, WorkPart* part) {
  if (index == 0) base_ = std::make_shared<const std::vector<ByteText>>(ColumnZero(list, part));
  if (part != nullptr) part->Finish();
  if (index < steps_.size()) {
    steps_[index] = std::move(step);
  } else {
    steps_.push_back(std::move(step));
  }
}

void PreviewSteps::Remove(size_t index) {
  if (index < steps_.size()) steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool PreviewSteps::FoldedOver(const EntryList& list) const {
  if (!base_ || base_->size() != static_cast<size_t>(list.RowCount())) return false;
  for (int row = 0; row < list.RowCount(); ++row) {
    if ((*base_)[static_cast<size_t>(row)] != list.Cell(row, 0)) return false;
  }
  return true;
}

size_t PreviewSteps::Refold(const RunContext& context, size_t from, WorkPart* part) {
  // The snapshot of column 0 (when the fold starts there), then each step.
  const size_t runs = from < steps_.size() ? steps_.size() - from : 0;
  std::vector<WorkPart> parts =
      part != nullptr ? part->Split({from == 0 ? kTakeWeight : 0, static_cast<int>(runs) * (kPlanWeight + kTakeWeight)})
                      : std::vector<WorkPart>(2);
  if (from == 0) base_ = std::make_shared<const std::vector<ByteText>>(ColumnZero(context.list, &parts[0]));
  parts[0].Finish();
  size_t firstRefused = steps_.size();
  for (size_t index = from; index < steps_.size(); ++index) {
    // Each step its own share of what is left.
    std::vector<WorkPart> step = parts[1].Split({1, static_cast<int>(steps_.size() - index - 1)});
    parts[1] = step[1];
    if (!RunStepQuietly(context, steps_[index], NamesBefore(index), &step[0]) && firstRefused == steps_.size()) {
      firstRefused = index;
    }
  }
  parts[1].Finish();
  return firstRefused;
}

PreviewColumn PreviewSteps::Column(const EntryList& list, WorkPart* part, bool marked) const {
  std::vector<WorkPart> parts =
      part != nullptr ? part->Split({kColumnWalkWeight, kMarksWeight}) : std::vector<WorkPart>(2);
  const auto finish = [&parts] {
    for (WorkPart& done : parts) done.Finish();
  };
  PreviewColumn column;
  const size_t rows = static_cast<size_t>(list.RowCount());
  column.pending.resize(rows);
  column.marks.assign(rows, PendingMark::kNone);
  if (steps_.empty() || !steps_.back().namesAfter || steps_.back().namesAfter->size() != rows) {
    finish();
    return column;
  }
  std::vector<char> shown(rows, 0);
  for (const PreviewStep& step : steps_) {
    for (int row : step.shownUnchanged) {
      if (row >= 0 && static_cast<size_t>(row) < rows) shown[static_cast<size_t>(row)] = 1;
    }
  }
  const std::vector<ByteText>& final = *steps_.back().namesAfter;
  std::vector<int> pendingRows;
  std::vector<RenameNames> pending;
  for (size_t row = 0; row < rows; ++row) {
    if (row % kRowsBetweenReports == 0) parts[0].Reached(row, rows);
    const ByteText& current = list.Cell(static_cast<int>(row), 0);
    if (current.empty() || final[row].empty() || (final[row] == current && !shown[row])) continue;
    column.pending[row] = final[row];
    pendingRows.push_back(static_cast<int>(row));
    pending.push_back({current, column.pending[row]});
  }
  if (pending.empty() || !marked) {
    finish();
    return column;
  }
  parts[0].Finish();
  const std::vector<PendingMark> marks = MarksOfListedPendingNames(list, pendingRows, pending, &parts[1]);
  for (size_t i = 0; i < marks.size(); ++i) column.marks[static_cast<size_t>(pendingRows[i])] = marks[i];
  finish();
  return column;
}

size_t FoldPreset(const RunContext& context, const std::vector<PresetStep>& preset, PreviewSteps& steps,
                  WorkPart* part) {
  steps.Clear();
  size_t refused = preset.size();
  WorkPart rest = part != nullptr ? part->Split({1})[0] : WorkPart();
  for (size_t i = 0; i < preset.size(); ++i) {
    // Each step its own share of what is left; the first one's snapshot of
    // column 0 with it.
    std::vector<WorkPart> parts = rest.Split({kPlanWeight + kTakeWeight, i == 0 ? kTakeWeight : 0,
                                              static_cast<int>(preset.size() - i - 1) * (kPlanWeight + kTakeWeight)});
    rest = parts[2];
    PreviewStep step;
    step.kind = preset[i].kind;
    step.settings = preset[i].settings;
    const bool ran = RunStepQuietly(context, step, steps.NamesBefore(i), &parts[0]);
    steps.Put(i, std::move(step), context.list, &parts[1]);
    if (!ran) {
      refused = i;
      break;
    }
  }
  rest.Finish();
  return refused;
}

void ShowPreviewColumn(EntryList& list, PreviewColumn column) {
  if (!list.PreviewOn()) return;
  EntryList::Batch batch(list);
  const int rows = std::min(list.RowCount(), static_cast<int>(column.pending.size()));
  for (int row = 0; row < rows; ++row) {
    const size_t at = static_cast<size_t>(row);
    if (list.Cell(row, 1) != column.pending[at]) list.SetEntryCell(std::move(column.pending[at]), row, 1);
    if (list.MarkOf(row) != column.marks[at]) list.SetPendingMark(row, column.marks[at]);
  }
}

RowFolders RowFoldersOf(const EntryList& list) {
  RowFolders folders;
  if (!list.HasFolders()) return folders;
  folders.table = list.Folders();
  folders.ofRow.reserve(static_cast<size_t>(list.RowCount()));
  for (int row = 0; row < list.RowCount(); ++row) folders.ofRow.push_back(list.FolderIndexOfRow(row));
  return folders;
}

std::shared_ptr<EntryList> ListOfNames(const ByteText& directory, const std::vector<ByteText>& names,
                                       const RowFolders& folders) {
  auto list = std::make_shared<EntryList>();
  list->SetEntryDirectory(directory);
  const bool tree = !folders.ofRow.empty() && folders.ofRow.size() == names.size();
  for (size_t folder = 1; tree && folder < folders.table.size(); ++folder) list->AddFolder(folders.table[folder]);
  for (size_t row = 0; row < names.size(); ++row) {
    if (tree) {
      list->AppendRowInFolder(names[row], folders.ofRow[row]);
    } else {
      list->AppendRow(names[row]);
    }
  }
  list->SetPreviewOn(true);
  return list;
}

}  // namespace vantor
