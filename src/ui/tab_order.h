// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard order of a window built from fixed positions.
#pragma once

#include <QWidget>
#include <vector>

namespace vantor {

// The controls under root that take focus from the Tab key, in reading order:
// rows from top to bottom, left to right within a row, each group (a
// container that takes no focus itself) read whole where it stands, a tab
// control followed by its pages in order. A row is the controls whose top lies
// less than 16 pixels below the top of the row's first control.
std::vector<QWidget*> TabOrderByPosition(QWidget* root);

// Chains the Tab order of root's controls as TabOrderByPosition reads them.
void OrderTabsByPosition(QWidget* root);

}  // namespace vantor
