// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps controls tied to the edges of a window that grows. Each anchored
// control has a place it takes at the window's default size; at a larger size
// it grows with the window or follows its right or bottom edge by the extra
// width or height. A window never smaller than its default size puts every
// control back exactly on its place at that size.
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

class QTableView;

namespace vantor {

class WindowAnchors {
 public:
  enum class Edge {
    kGrow,             // takes the extra width and height
    kRight,            // follows the right edge
    kBottom,           // follows the bottom edge
    kBottomGrowWidth,  // follows the bottom edge and takes the extra width
  };

  void Add(QWidget* widget, Edge edge);

  // Takes each control's present geometry as its place at defaultSize (the
  // window's size in its present mode, e.g. 769 x 680).
  void TakePlaces(QSize defaultSize);
  // Puts every control back on its place, as at the default size.
  void RestorePlaces();
  // Places every control for a window of this size (never less than the
  // default size in effect: a smaller window leaves the controls on their places).
  void Fit(QSize windowSize);

  QSize DefaultSize() const { return defaultSize_; }
  // How much wider and higher than the default size windowSize is; 0 at most.
  QSize Extra(QSize windowSize) const;

 private:
  struct Anchored {
    QPointer<QWidget> widget;
    Edge edge;
    QRect place;
  };
  std::vector<Anchored> anchored_;
  QSize defaultSize_;
};

// Shares the extra width among the visible columns of a list: each column is
// defaultWidth plus an equal part of extraWidth (the first takes any rest).
// Example: 2 columns, 380, extra 101 -> 431 and 430.
void ShareColumnWidths(QTableView* view, int defaultWidth, int extraWidth);

}  // namespace vantor
