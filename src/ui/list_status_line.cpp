// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_status_line.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTableView>

#include "pipeline/list_status.h"

namespace vantor {

ListStatusLine::ListStatusLine(QLabel* label, QTableView* view, const EntryList& list)
    : label_(label), view_(view), viewport_(view->viewport()), list_(list) {
  QAbstractItemModel* model = view->model();
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    lastRun_.reset();
    note_.clear();
    Refresh();
  });
  connect(model, &QAbstractItemModel::rowsInserted, this, &ListStatusLine::Refresh);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &ListStatusLine::Refresh);
  connect(model, &QAbstractItemModel::columnsInserted, this, &ListStatusLine::Refresh);
  connect(model, &QAbstractItemModel::columnsRemoved, this, &ListStatusLine::Refresh);
  connect(model, &QAbstractItemModel::dataChanged, this, &ListStatusLine::Refresh);
  viewport_->installEventFilter(this);
  Refresh();
}

ListStatusLine::~ListStatusLine() {
  if (viewport_) viewport_->removeEventFilter(this);
}

void ListStatusLine::ShowRenamed(int renamed, int failed) {
  lastRun_ = std::make_pair(renamed, failed);
  Refresh();
}

void ListStatusLine::ShowNote(const QString& note) {
  note_ = note;
  Refresh();
}

QString ListStatusLine::Text(int rows, int pending, int conflicts, std::optional<std::pair<int, int>> lastRun) {
  QString text = QStringLiteral("共%1项  待改名%2项  冲突%3项").arg(rows).arg(pending).arg(conflicts);
  if (lastRun) text += QStringLiteral("  已改名%1个，失败%2个").arg(lastRun->first).arg(lastRun->second);
  return text;
}

void ListStatusLine::ShowSubset(int shown, int total, int chosen) {
  subset_ = SubsetText(shown, total, chosen);
  Refresh();
}

QString ListStatusLine::SubsetText(int shown, int total, int chosen) {
  QStringList parts;
  if (shown >= 0) parts << QStringLiteral("显示%1/%2项").arg(shown).arg(total);
  if (chosen >= 0) parts << QStringLiteral("只改选中的%1项").arg(chosen);
  return parts.join(QStringLiteral("  "));
}

QString ListStatusLine::EmptyListHint() { return QStringLiteral("把文件或文件夹拖到这里"); }

void ListStatusLine::Refresh() {
  if (!label_) return;
  const ListStatus status = CountStatus(list_);
  QString text = Text(status.rows, status.pending, status.conflicts, lastRun_);
  if (!subset_.isEmpty()) text += QStringLiteral("  ") + subset_;
  if (!note_.isEmpty()) text += QStringLiteral("  ") + note_;
  label_->setText(text);
}

bool ListStatusLine::eventFilter(QObject* watched, QEvent* event) {
  // The hint is painted before the view paints its (empty) contents over it.
  if (watched == viewport_ && event->type() == QEvent::Paint && view_ && view_->model() != nullptr &&
      view_->model()->rowCount() == 0) {
    QPainter painter(viewport_);
    painter.setPen(viewport_->palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport_->rect(), Qt::AlignCenter, EmptyListHint());
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vantor
