// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_anchors.h"

#include <algorithm>

#include <QHeaderView>
#include <QTableView>

namespace vantor {

void WindowAnchors::Add(QWidget* widget, Edge edge) { anchored_.push_back({widget, edge, widget->geometry()}); }

void WindowAnchors::TakePlaces(QSize defaultSize) {
  defaultSize_ = defaultSize;
  for (Anchored& anchored : anchored_) {
    if (anchored.widget) anchored.place = anchored.widget->geometry();
  }
}

void WindowAnchors::RestorePlaces() {
  for (const Anchored& anchored : anchored_) {
    if (anchored.widget) anchored.widget->setGeometry(anchored.place);
  }
}

QSize WindowAnchors::Extra(QSize windowSize) const {
  return {std::max(0, windowSize.width() - defaultSize_.width()),
          std::max(0, windowSize.height() - defaultSize_.height())};
}

void WindowAnchors::Fit(QSize windowSize) {
  const QSize extra = Extra(windowSize);
  for (const Anchored& anchored : anchored_) {
    if (!anchored.widget) continue;
    QRect place = anchored.place;
    switch (anchored.edge) {
      case Edge::kGrow:
        place.setSize(place.size() + extra);
        break;
      case Edge::kRight:
        place.translate(extra.width(), 0);
        break;
      case Edge::kBottom:
        place.translate(0, extra.height());
        break;
      case Edge::kBottomGrowWidth:
        place.translate(0, extra.height());
        place.setWidth(place.width() + extra.width());
        break;
    }
    anchored.widget->setGeometry(place);
  }
}

void ShareColumnWidths(QTableView* view, int defaultWidth, int extraWidth) {
  const QAbstractItemModel* model = view->model();
  const int columns = model != nullptr ? model->columnCount() : 0;
  if (columns <= 0) return;
  const int part = extraWidth / columns;
  for (int column = 0; column < columns; ++column) {
    const int rest = column == 0 ? extraWidth - part * columns : 0;
    view->horizontalHeader()->resizeSection(column, defaultWidth + part + rest);
  }
}

}  // namespace vantor
