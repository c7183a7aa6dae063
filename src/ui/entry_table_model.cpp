// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/entry_table_model.h"

#include <QBrush>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QTextDocument>
#include <algorithm>

#include "pipeline/pending_marks.h"
#include "ui/gbk_qstring.h"

namespace vantor {

namespace {

QString ReasonOf(PendingMark mark) { return QString::fromUtf8(ReasonOfProblem(ProblemOfMark(mark))); }

const QString kRowsMimeType = QStringLiteral("application/x-vantor-rows");

// How a row's folder reads in its column: "." for the entry directory.
QString FolderText(const ByteText& relative) {
  if (relative.empty()) return QStringLiteral(".");
  QString text = QStringFromGbk(relative);
  if (text.endsWith(QLatin1Char('/'))) text.chop(1);
  return text;
}

}  // namespace

EntryTableModel::EntryTableModel(EntryList& list, QObject* parent)
    : QAbstractTableModel(parent),
      list_(list),
      rows_(list.RowCount()),
      columns_(list.ColumnCount() + (list.HasFolders() ? 1 : 0)),
      folderColumn_(list.HasFolders()),
      titles_{QStringLiteral("当前的文件名"), QStringLiteral("更名后的效果")} {
  list_.SetObserver(this);
}

EntryTableModel::~EntryTableModel() { list_.SetObserver(nullptr); }

int EntryTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int EntryTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) return {};
  if (index.column() == FolderColumn()) {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return FolderText(list_.FolderOfRow(index.row()));
  }
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
  if (section == FolderColumn()) return QStringLiteral("所在文件夹");
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
  columns_ = WantedColumns();
  folderColumn_ = list_.HasFolders();
  endResetModel();
}

void EntryTableModel::OnRowsAppended(int firstRow, int lastRow) {
  if (firstRow != rows_ || folderColumn_ != list_.HasFolders()) {
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
  // The preview column is column 1, before the folder column when shown.
  const int wanted = WantedColumns();
  if (folderColumn_ != list_.HasFolders()) {
    OnReset();
  } else if (wanted > columns_) {
    beginInsertColumns(QModelIndex(), 1, wanted - columns_);
    columns_ = wanted;
    endInsertColumns();
  } else if (wanted < columns_) {
    beginRemoveColumns(QModelIndex(), 1, columns_ - wanted);
    columns_ = wanted;
    endRemoveColumns();
  }
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (!index.isValid()) return flags | Qt::ItemIsDropEnabled;
  return flags | Qt::ItemIsDragEnabled;
}

Qt::DropActions EntryTableModel::supportedDropActions() const { return Qt::MoveAction; }

QStringList EntryTableModel::mimeTypes() const { return {kRowsMimeType}; }

QMimeData* EntryTableModel::mimeData(const QModelIndexList& indexes) const {
  std::vector<int> rows;
  for (const QModelIndex& index : indexes) {
    if (index.isValid() && index.row() < rows_) rows.push_back(index.row());
  }
  QByteArray bytes;
  QDataStream stream(&bytes, QIODevice::WriteOnly);
  stream << static_cast<qint32>(rows.size());
  for (int row : rows) stream << static_cast<qint32>(row);
  auto* data = new QMimeData;
  data->setData(kRowsMimeType, bytes);
  return data;
}

bool EntryTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                      const QModelIndex&) const {
  return data != nullptr && data->hasFormat(kRowsMimeType) && action == Qt::MoveAction;
}

bool EntryTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                   const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, column, parent)) return false;
  QByteArray bytes = data->data(kRowsMimeType);
  QDataStream stream(&bytes, QIODevice::ReadOnly);
  qint32 count = 0;
  stream >> count;
  std::vector<int> rows;
  for (qint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
    qint32 moved = -1;
    stream >> moved;
    rows.push_back(moved);
  }
  // A drop between rows gives the row below; on a row, that row; below the
  // last row, the end.
  const int before = row >= 0 ? row : parent.isValid() ? parent.row() : rows_;
  const int first = list_.MoveRows(rows, before);
  if (first < 0) return false;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  emit RowsDragged(first, static_cast<int>(rows.size()));
  // The rows are in place already: the view is not to remove the dragged ones.
  return false;
}

}  // namespace vantor
