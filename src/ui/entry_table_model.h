// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt model through which the list view shows the core entry list. Bulk
// changes arrive from the list as one reset or one ranged change.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "entries/entry_list.h"

namespace vantor {

class EntryTableModel : public QAbstractTableModel, public EntryListObserver {
  Q_OBJECT

 public:
  explicit EntryTableModel(EntryList& list, QObject* parent = nullptr);
  ~EntryTableModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  void SetColumnTitle(int column, const QString& title);
  // The column "所在文件夹" (rows of a folder tree only): the last one; -1 when
  // not shown.
  int FolderColumn() const { return folderColumn_ ? columns_ - 1 : -1; }

  // Rows dragged inside the list move to where they are dropped, with their
  // pending names (EntryList::MoveRows); the drag carries row numbers only,
  // so a drop of files from outside still goes to the intake.
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  Qt::DropActions supportedDropActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  void OnReset() override;
  void OnRowsAppended(int firstRow, int lastRow) override;
  void OnCellsChanged(int firstRow, int lastRow) override;
  void OnPreviewChanged() override;

 signals:
  // After a drop moved rows: they now stand at first .. first + count - 1.
  void RowsDragged(int first, int count);

 private:
  int WantedColumns() const { return list_.ColumnCount() + (list_.HasFolders() ? 1 : 0); }

  EntryList& list_;
  // What the view has been told; follows the list only inside the begin/end
  // pairs, so that the view never sees rows it has not been told about.
  int rows_ = 0;
  int columns_ = 1;
  bool folderColumn_ = false;
  QStringList titles_;
};

}  // namespace vantor
