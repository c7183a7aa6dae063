// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tab_order.h"

#include <algorithm>

#include <QTabWidget>

namespace vantor {

namespace {

// Controls whose tops lie this close read as one row; a row's controls may
// have different heights, so their bottoms say nothing.
constexpr int kRowTolerance = 16;

bool TakesTabFocus(const QWidget* widget) { return (widget->focusPolicy() & Qt::TabFocus) != 0; }

// root's direct child widgets (windows of their own left out) in reading order.
std::vector<QWidget*> ChildrenByRows(QWidget* root) {
  std::vector<QWidget*> children;
  for (QObject* object : root->children()) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && !widget->isWindow()) children.push_back(widget);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
  std::vector<QWidget*> ordered;
  size_t rowStart = 0;
  while (rowStart < children.size()) {
    const int rowTop = children[rowStart]->y();
    size_t rowEnd = rowStart + 1;
    while (rowEnd < children.size() && children[rowEnd]->y() < rowTop + kRowTolerance) ++rowEnd;
    std::stable_sort(children.begin() + rowStart, children.begin() + rowEnd,
                     [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    ordered.insert(ordered.end(), children.begin() + rowStart, children.begin() + rowEnd);
    rowStart = rowEnd;
  }
  return ordered;
}

void Collect(QWidget* widget, std::vector<QWidget*>& order) {
  if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
    order.push_back(tabs);
    for (int page = 0; page < tabs->count(); ++page) Collect(tabs->widget(page), order);
    return;
  }
  if (TakesTabFocus(widget)) {
    order.push_back(widget);
    return;
  }
  for (QWidget* child : ChildrenByRows(widget)) Collect(child, order);
}

}  // namespace

std::vector<QWidget*> TabOrderByPosition(QWidget* root) {
  std::vector<QWidget*> order;
  for (QWidget* child : ChildrenByRows(root)) Collect(child, order);
  return order;
}

void OrderTabsByPosition(QWidget* root) {
  const std::vector<QWidget*> order = TabOrderByPosition(root);
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace vantor
