// SPDX-License-Identifier: GPL-3.0-or-later
// The list of entries the user works on: one folder (the entry directory) and
// the names in it, shown by the window's list view through a Qt model.
//
// Rows are 0-based. Column 0 holds the current name of each entry; column 1
// the pending name while preview is on (empty: the row does not change).
// Reading and writing a cell and appending a row are constant time.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/file_system.h"
#include "text/byte_text.h"

namespace vantor {

// Told about every change so that a view can follow. Inside a batch the list
// collects changes and reports them once when the outermost batch ends: a
// structural change as one reset, cell changes as one ranged change.
class EntryListObserver {
 public:
  virtual ~EntryListObserver() = default;
  virtual void OnReset() = 0;
  virtual void OnRowsAppended(int firstRow, int lastRow) = 0;
  virtual void OnCellsChanged(int firstRow, int lastRow) = 0;
  virtual void OnPreviewChanged() = 0;
};

// Why a pending name cannot be committed, as the preview run found it.
enum class PendingMark : unsigned char {
  kNone,
  kDuplicateName,  // another row has the same pending name
  kNameTaken,      // an entry of the folder that stays holds the name
  kInvalidName,    // not a name a file or folder can have
};

class EntryList {
 public:
  int RowCount() const { return static_cast<int>(current_.size()); }
  int ColumnCount() const { return previewOn_ ? 2 : 1; }

  // The text of a cell; empty for a row or column outside the list.
  const ByteText& Cell(int row, int column) const;
  // Writes one cell; ignored outside the list. Column 1 only while preview is
  // on; writing it clears the row's pending mark.
  void SetEntryCell(ByteText text, int row, int column);
  void AppendRow(ByteText name);
  // Appends one row per name, in order, as one change; into an empty list the
  // names' storage itself becomes the rows (constant time), so a folder of a
  // million names is listed without copying them.
  void AppendRows(TextArray names);

  // Rows of a folder tree: each row lies in a folder relative to the entry
  // directory, held once in a table (index 0 the entry directory itself, "";
  // every other one ending with "/", e.g. "Season 1/"). A list without a tree
  // keeps no folder per row. AddFolder returns the new folder's index.
  // Example: AppendRowInFolder("e1.mkv", AddFolder("Season 1/")).
  uint32_t AddFolder(ByteText relative);
  void AppendRowInFolder(ByteText name, uint32_t folder);
  bool HasFolders() const { return !folderOfRow_.empty(); }
  // The folder table; {""} for a list without a tree.
  const std::vector<ByteText>& Folders() const { return folders_; }
  uint32_t FolderIndexOfRow(int row) const;
  // The row's folder relative to the entry directory ("" the directory itself).
  const ByteText& FolderOfRow(int row) const { return folders_[FolderIndexOfRow(row)]; }
  // Moves the rows (any order, bad indices ignored) together, keeping their
  // order, so that they stand before the row that is now `before` (RowCount():
  // at the end). Names, pending names, marks and folders move with them.
  // Returns the row the first moved row lands on, -1 when nothing moved.
  // MoveRows({0, 1}, 3) on a b c d gives c a b d and returns 1.
  int MoveRows(const std::vector<int>& rows, int before);
  // Puts the rows in the order given as old row numbers (a permutation of
  // 0..RowCount()-1; anything else is ignored), each with everything it holds.
  void ReorderRows(const std::vector<size_t>& order);
  // The mark of a row's pending name; kNone outside the list or with preview
  // off. Setting one (preview on only) counts as a change of the row's cells.
  // Marks travel with their pending names and go when preview is turned off.
  PendingMark MarkOf(int row) const;
  void SetPendingMark(int row, PendingMark mark);
  // Deletes all rows. Directory and preview state stay.
  void Clear();

  // Appends column `column` of every row, row 0 first, to target (empty texts
  // only without skipEmpty). Returns target's count, or 0 on an empty list.
  int CollectColumnTexts(TextArray& target, int column, bool skipEmpty = false) const;
  // Appends each non-empty column-0 name, prefixed with the entry directory
  // when withDirectory. Returns target's count, or 0 on an empty list.
  int CollectEntryNames(TextArray& target, bool withDirectory) const;

  // Preview off: deletes exactly these rows. Preview on: empties their cell in
  // `column` instead (column 1 withdraws a pending name, column 0 makes the
  // commit pass the row over). Rows need not be sorted; bad indices are ignored.
  void RemoveSelectedRows(const std::vector<int>& rows, int column);
  // Deletes exactly these rows with their pending names, preview on or off
  // (the entries they named are gone). Bad indices are ignored.
  void RemoveRows(const std::vector<int>& rows);
  // Reverses the rows; while preview is on the pending names go with them.
  void ReverseOrder();
  // Replaces column 0 of rows 0..n-1 with names (the order after a sort).
  void SetColumnTexts(const TextArray& names, int column);

  // The folder every entry lives in, ending with "/" when set; empty when
  // nothing is loaded. Setting it also notes which folder stands under that
  // path now (EntryFolder()), so that renames can refuse a folder moved away
  // or replaced since.
  const ByteText& EntryDirectory() const { return entryDirectory_; }
  void SetEntryDirectory(ByteText directory) {
    entryDirectory_ = std::move(directory);
    entryFolder_ = entryDirectory_.empty() ? EntryIdentity{} : FolderIdentity(entryDirectory_);
  }
  const EntryIdentity& EntryFolder() const { return entryFolder_; }

  // Preview switch. Turning it off discards every pending name; turning it on
  // starts with an empty preview column.
  bool PreviewOn() const { return previewOn_; }
  void SetPreviewOn(bool on);

  // Cell under the cursor at the last right click on the list.
  int LastRightClickRow = -1;
  int LastRightClickColumn = 0;

  void SetObserver(EntryListObserver* observer) { observer_ = observer; }

  // Collects change notices until destroyed; nests.
  class Batch {
   public:
    explicit Batch(EntryList& list);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    EntryList& list_;
  };

 private:
  void NoteReset();
  void NoteCells(int firstRow, int lastRow);
  void NoteAppended(int firstRow, int lastRow);
  void Flush();

  std::vector<ByteText> current_;
  std::vector<ByteText> pending_;  // same size as current_ while preview is on
  std::vector<PendingMark> marks_;  // same size as pending_
  std::vector<ByteText> folders_{ByteText()};
  std::vector<uint32_t> folderOfRow_;  // empty, or the same size as current_
  ByteText entryDirectory_;
  EntryIdentity entryFolder_;
  bool previewOn_ = false;

  EntryListObserver* observer_ = nullptr;
  int batchDepth_ = 0;
  bool batchReset_ = false;
  int batchFirstRow_ = -1;
  int batchLastRow_ = -1;
  int batchAppendFrom_ = -1;
};

}  // namespace vantor
