// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/entry_table_model.h"

#include <QBrush>
#include <QTextDocument>

#include "pipeline/pending_marks.h"
#include "ui/gbk_qstring.h"

namespace vantor {

namespace {

QString ReasonOf(PendingMark mark) { return QString::fromUtf8(ReasonOfProblem(ProblemOfMark(mark))); }

}  // namespace

EntryTableModel::EntryTableModel(EntryList& list, QObject* parent)
    : QAbstractTableModel(parent),
      list_(list),
      rows_(list.RowCount()),
      columns_(list.ColumnCount()),
      titles_{QStringLiteral("当前的文件名"), QStringLiteral("更名后的效果")} {
  list_.SetObserver(this);
}

EntryTableModel::~EntryTableModel() { list_.SetObserver(nullptr); }

int EntryTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int EntryTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) return {};
  // A pending name the commit would refuse stands out in red, and its tooltip
  // says why.
  const PendingMark mark = index.column() == 1 ? list_.MarkOf(index.row()) : PendingMark::kNone;
  if (role == Qt::ForegroundRole) return mark == PendingMark::kNone ? QVariant() : QVariant(QBrush(Qt::red));
  if (role == Qt::ToolTipRole && mark != PendingMark::kNone) return ReasonOf(mark);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const QString text = QStringFromGbk(list_.Cell(index.row(), index.column()));
  // A tooltip that looks like markup would be rendered as such; a name is
  // shown as it is.
  if (role == Qt::ToolTipRole && Qt::mightBeRichText(text)) {
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
  }
  return text;
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= titles_.size()) return {};
  return titles_[section];
}

void EntryTableModel::SetColumnTitle(int column, const QString& title) {
  if (column < 0 || column >= titles_.size()) return;
  titles_[column] = title;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

void EntryTableModel::OnReset() {
  beginResetModel();
  rows_ = list_.RowCount();
  columns_ = list_.ColumnCount();
  endResetModel();
}

void EntryTableModel::OnRowsAppended(int firstRow, int lastRow) {
  if (firstRow != rows_) {
    OnReset();
    return;
  }
  beginInsertRows(QModelIndex(), firstRow, lastRow);
  rows_ = list_.RowCount();
  endInsertRows();
}

void EntryTableModel::OnCellsChanged(int firstRow, int lastRow) {
  if (list_.RowCount() != rows_) {
    OnReset();
    return;
  }
  emit dataChanged(index(firstRow, 0), index(lastRow, columns_ - 1), {Qt::DisplayRole, Qt::ToolTipRole, Qt::ForegroundRole});
}

void EntryTableModel::OnPreviewChanged() {
  const int wanted = list_.ColumnCount();
  if (wanted > columns_) {
    beginInsertColumns(QModelIndex(), columns_, wanted - 1);
    columns_ = wanted;
    endInsertColumns();
  } else if (wanted < columns_) {
    beginRemoveColumns(QModelIndex(), wanted, columns_ - 1);
    columns_ = wanted;
    endRemoveColumns();
  }
}

}  // namespace vantor
