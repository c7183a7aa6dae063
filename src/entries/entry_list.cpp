// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/entry_list.h"

#include <algorithm>

namespace vantor {

namespace {
const ByteText kEmpty;
}

const ByteText& EntryList::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount()) return kEmpty;
  if (column == 0) return current_[row];
  if (column == 1 && previewOn_) return pending_[row];
  return kEmpty;
}

void EntryList::SetEntryCell(ByteText text, int row, int column) {
  if (row < 0 || row >= RowCount()) return;
  if (column == 0) {
    current_[row] = std::move(text);
  } else if (column == 1 && previewOn_) {
    pending_[row] = std::move(text);
    marks_[row] = PendingMark::kNone;
  } else {
    return;
  }
  NoteCells(row, row);
}

void EntryList::AppendRow(ByteText name) {
  // A row appended to a tree without a folder of its own lies at the top.
  if (!folderOfRow_.empty() && folderOfRow_.size() == current_.size()) folderOfRow_.push_back(0);
  current_.push_back(std::move(name));
  if (previewOn_) {
    pending_.emplace_back();
    marks_.push_back(PendingMark::kNone);
  }
  NoteAppended(RowCount() - 1, RowCount() - 1);
}

void EntryList::AppendRows(TextArray names) {
  if (names.empty()) return;
  const int first = RowCount();
  if (current_.empty()) {
    current_ = std::move(names);
  } else {
    current_.reserve(current_.size() + names.size());
    for (ByteText& name : names) current_.push_back(std::move(name));
  }
  if (!folderOfRow_.empty()) folderOfRow_.resize(current_.size(), 0);
  if (previewOn_) {
    pending_.resize(current_.size());
    marks_.resize(current_.size(), PendingMark::kNone);
  }
  NoteAppended(first, RowCount() - 1);
}

uint32_t EntryList::AddFolder(ByteText relative) {
  if (relative.empty()) return 0;
  folders_.push_back(std::move(relative));
  return static_cast<uint32_t>(folders_.size() - 1);
}

void EntryList::AppendRowInFolder(ByteText name, uint32_t folder) {
  if (folder >= folders_.size()) folder = 0;
  // The first row of a tree gives the rows listed before it their folder.
  if (folderOfRow_.empty()) folderOfRow_.assign(current_.size(), 0);
  folderOfRow_.push_back(folder);
  AppendRow(std::move(name));
}

uint32_t EntryList::FolderIndexOfRow(int row) const {
  if (row < 0 || static_cast<size_t>(row) >= folderOfRow_.size()) return 0;
  return folderOfRow_[static_cast<size_t>(row)];
}

int EntryList::MoveRows(const std::vector<int>& rows, int before) {
  std::vector<char> moving(current_.size(), 0);
  int count = 0;
  for (int row : rows) {
    if (row >= 0 && row < RowCount() && !moving[static_cast<size_t>(row)]) moving[static_cast<size_t>(row)] = 1, ++count;
  }
  if (count == 0) return -1;
  before = std::clamp(before, 0, RowCount());
  // The new order as old row numbers: the rows that stay before `before`,
  // the moved ones, then the rest.
  std::vector<size_t> order;
  order.reserve(current_.size());
  for (size_t row = 0; row < static_cast<size_t>(before); ++row) {
    if (!moving[row]) order.push_back(row);
  }
  const int landing = static_cast<int>(order.size());
  for (size_t row = 0; row < current_.size(); ++row) {
    if (moving[row]) order.push_back(row);
  }
  for (size_t row = static_cast<size_t>(before); row < current_.size(); ++row) {
    if (!moving[row]) order.push_back(row);
  }
  ReorderRows(order);
  return landing;
}

void EntryList::ReorderRows(const std::vector<size_t>& order) {
  if (order.size() != current_.size()) return;
  std::vector<char> seen(order.size(), 0);
  for (size_t from : order) {
    if (from >= order.size() || seen[from]) return;
    seen[from] = 1;
  }
  const auto permute = [&order](auto& column) {
    if (column.empty()) return;
    std::remove_reference_t<decltype(column)> moved;
    moved.reserve(column.size());
    for (size_t from : order) moved.push_back(std::move(column[from]));
    column = std::move(moved);
  };
  Batch batch(*this);
  permute(current_);
  permute(pending_);
  permute(marks_);
  permute(folderOfRow_);
  NoteCells(0, RowCount() - 1);
}

PendingMark EntryList::MarkOf(int row) const {
  if (!previewOn_ || row < 0 || row >= RowCount()) return PendingMark::kNone;
  return marks_[row];
}

void EntryList::SetPendingMark(int row, PendingMark mark) {
  if (!previewOn_ || row < 0 || row >= RowCount() || marks_[row] == mark) return;
  marks_[row] = mark;
  NoteCells(row, row);
}

void EntryList::Clear() {
  current_.clear();
  pending_.clear();
  marks_.clear();
  folderOfRow_.clear();
  folders_.assign(1, ByteText());
  NoteReset();
}

int EntryList::CollectColumnTexts(TextArray& target, int column, bool skipEmpty) const {
  if (RowCount() == 0) return 0;
  target.reserve(target.size() + current_.size());
  for (int row = 0; row < RowCount(); ++row) {
    const ByteText& text = Cell(row, column);
    if (skipEmpty && text.empty()) continue;
    target.push_back(text);
  }
  return static_cast<int>(target.size());
}

int EntryList::CollectEntryNames(TextArray& target, bool withDirectory) const {
  if (RowCount() == 0) return 0;
  target.reserve(target.size() + current_.size());
  for (const ByteText& name : current_) {
    if (name.empty()) continue;
    target.push_back(withDirectory ? entryDirectory_ + name : name);
  }
  return static_cast<int>(target.size());
}

void EntryList::RemoveSelectedRows(const std::vector<int>& rows, int column) {
  Batch batch(*this);
  if (previewOn_) {
    for (int row : rows) SetEntryCell(ByteText(), row, column);
    return;
  }
  RemoveRows(rows);
}

void EntryList::RemoveRows(const std::vector<int>& rows) {
  std::vector<char> doomed(current_.size(), 0);
  bool any = false;
  for (int row : rows) {
    if (row >= 0 && row < RowCount()) doomed[row] = 1, any = true;
  }
  if (!any) return;
  Batch batch(*this);
  size_t kept = 0;
  for (size_t row = 0; row < current_.size(); ++row) {
    if (doomed[row]) continue;
    if (kept != row) {
      current_[kept] = std::move(current_[row]);
      if (previewOn_) {
        pending_[kept] = std::move(pending_[row]);
        marks_[kept] = marks_[row];
      }
      if (!folderOfRow_.empty()) folderOfRow_[kept] = folderOfRow_[row];
    }
    ++kept;
  }
  current_.resize(kept);
  if (!folderOfRow_.empty()) folderOfRow_.resize(kept);
  if (previewOn_) {
    pending_.resize(kept);
    marks_.resize(kept);
  }
  NoteReset();
}

void EntryList::ReverseOrder() {
  if (RowCount() == 0) return;
  std::reverse(current_.begin(), current_.end());
  std::reverse(folderOfRow_.begin(), folderOfRow_.end());
  if (previewOn_) {
    std::reverse(pending_.begin(), pending_.end());
    std::reverse(marks_.begin(), marks_.end());
  }
  NoteCells(0, RowCount() - 1);
}

void EntryList::SetColumnTexts(const TextArray& names, int column) {
  Batch batch(*this);
  const int count = std::min(static_cast<int>(names.size()), RowCount());
  for (int row = 0; row < count; ++row) SetEntryCell(names[row], row, column);
}

void EntryList::SetPreviewOn(bool on) {
  if (on == previewOn_) return;
  previewOn_ = on;
  pending_.clear();
  marks_.clear();
  if (on) {
    pending_.resize(current_.size());
    marks_.resize(current_.size(), PendingMark::kNone);
  }
  if (observer_) observer_->OnPreviewChanged();
}

EntryList::Batch::Batch(EntryList& list) : list_(list) { ++list_.batchDepth_; }

EntryList::Batch::~Batch() {
  if (--list_.batchDepth_ == 0) list_.Flush();
}

void EntryList::NoteReset() {
  if (batchDepth_ > 0) {
    batchReset_ = true;
    return;
  }
  if (observer_) observer_->OnReset();
}

void EntryList::NoteCells(int firstRow, int lastRow) {
  if (batchDepth_ > 0) {
    batchFirstRow_ = batchFirstRow_ < 0 ? firstRow : std::min(batchFirstRow_, firstRow);
    batchLastRow_ = std::max(batchLastRow_, lastRow);
    return;
  }
  if (observer_) observer_->OnCellsChanged(firstRow, lastRow);
}

void EntryList::NoteAppended(int firstRow, int lastRow) {
  if (batchDepth_ > 0) {
    if (batchAppendFrom_ < 0) batchAppendFrom_ = firstRow;
    return;
  }
  if (observer_) observer_->OnRowsAppended(firstRow, lastRow);
}

void EntryList::Flush() {
  const bool reset = batchReset_;
  const int appendFrom = batchAppendFrom_;
  const int firstRow = batchFirstRow_;
  const int lastRow = batchLastRow_;
  batchReset_ = false;
  batchAppendFrom_ = batchFirstRow_ = batchLastRow_ = -1;
  if (!observer_) return;
  // Appends mixed with cell changes or removals: the view starts over.
  if (reset || (appendFrom >= 0 && firstRow >= 0)) {
    observer_->OnReset();
    return;
  }
  if (appendFrom >= 0 && appendFrom < RowCount()) observer_->OnRowsAppended(appendFrom, RowCount() - 1);
  if (firstRow >= 0 && firstRow < RowCount()) {
    observer_->OnCellsChanged(firstRow, std::min(lastRow, RowCount() - 1));
  }
}

}  // namespace vantor
