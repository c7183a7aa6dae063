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

std::vector<ByteText> ColumnZero(const EntryList& list) {
  std::vector<ByteText> names;
  names.reserve(static_cast<size_t>(list.RowCount()));
  for (int row = 0; row < list.RowCount(); ++row) names.push_back(list.Cell(row, 0));
  return names;
}

}  // namespace

void TakeStepResult(PreviewStep& step, const EntryList& list, const std::vector<ByteText>* before,
                    PreviewStepIo& io) {
  std::vector<ByteText> names = before != nullptr ? *before : ColumnZero(list);
  for (PlannedRename& change : io.changes) {
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
}

bool RunStepQuietly(const RunContext& context, PreviewStep& step, const std::vector<ByteText>* before) {
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
  if (!recorder.Refused() && io.produced) {
    TakeStepResult(step, context.list, before, io);
    return true;
  }
  // A refused step changes nothing: the names go on as they came.
  step.namesAfter = std::make_shared<const std::vector<ByteText>>(before != nullptr ? *before
                                                                                    : ColumnZero(context.list));
  step.changed = 0;
  step.note.clear();
  step.shownUnchanged.clear();
  step.refusal = recorder.Refused() ? recorder.Refusal() : ByteText();
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

void PreviewSteps::Put(size_t index, PreviewStep step, const EntryList& list) {
  if (index == 0) base_ = std::make_shared<const std::vector<ByteText>>(ColumnZero(list));
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

size_t PreviewSteps::Refold(const RunContext& context, size_t from) {
  if (from == 0) base_ = std::make_shared<const std::vector<ByteText>>(ColumnZero(context.list));
  size_t firstRefused = steps_.size();
  for (size_t index = from; index < steps_.size(); ++index) {
    if (!RunStepQuietly(context, steps_[index], NamesBefore(index)) && firstRefused == steps_.size()) {
      firstRefused = index;
    }
  }
  return firstRefused;
}

PreviewColumn PreviewSteps::Column(const EntryList& list, LongWork* work, bool marked) const {
  PreviewColumn column;
  const size_t rows = static_cast<size_t>(list.RowCount());
  column.pending.resize(rows);
  column.marks.assign(rows, PendingMark::kNone);
  if (steps_.empty() || !steps_.back().namesAfter || steps_.back().namesAfter->size() != rows) return column;
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
    // The walk is the first half of the work, the folder read and the marks
    // the rest.
    if (work != nullptr && row % 4096 == 0) work->Reached(static_cast<int>(row / 2));
    const ByteText& current = list.Cell(static_cast<int>(row), 0);
    if (current.empty() || final[row].empty() || (final[row] == current && !shown[row])) continue;
    column.pending[row] = final[row];
    pendingRows.push_back(static_cast<int>(row));
    pending.push_back({current, column.pending[row]});
  }
  if (work != nullptr) work->Reached(static_cast<int>(rows / 2));
  if (pending.empty() || !marked) return column;
  const std::vector<PendingMark> marks = MarksOfListedPendingNames(list, pendingRows, pending);
  if (work != nullptr) work->Reached(static_cast<int>(rows));
  for (size_t i = 0; i < marks.size(); ++i) column.marks[static_cast<size_t>(pendingRows[i])] = marks[i];
  return column;
}

size_t FoldPreset(const RunContext& context, const std::vector<PresetStep>& preset, PreviewSteps& steps) {
  steps.Clear();
  for (size_t i = 0; i < preset.size(); ++i) {
    PreviewStep step;
    step.kind = preset[i].kind;
    step.settings = preset[i].settings;
    const bool ran = RunStepQuietly(context, step, steps.NamesBefore(i));
    steps.Put(i, std::move(step), context.list);
    if (!ran) return i;
  }
  return preset.size();
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
