// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt model through which the list view shows the core entry list. Bulk
// changes arrive from the list as one reset or one ranged change.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

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

  void OnReset() override;
  void OnRowsAppended(int firstRow, int lastRow) override;
  void OnCellsChanged(int firstRow, int lastRow) override;
  void OnPreviewChanged() override;

 private:
  EntryList& list_;
  // What the view has been told; follows the list only inside the begin/end
  // pairs, so that the view never sees rows it has not been told about.
  int rows_ = 0;
  int columns_ = 1;
  QStringList titles_;
};

}  // namespace vantor
