// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the group "删除中间的内容" besides its button: the two pairs
// of occurrence boxes, each pair exclusive, and the symbol width switch.
#pragma once

#include "ui/main_window_ui.h"

namespace vantor {

// Checking one box of a pair (选择框_1头/_1尾, 选择框_2头/_2尾) unchecks the
// other; unchecking leaves both unchecked. Choosing an item of 组合框1 rewrites
// the texts of 编辑框1, 编辑框2 and 编辑框3 to that symbol width; a text without
// a GBK form stays as it is.
void ConnectDeleteBetweenControls(const MainWindowUi& ui);

}  // namespace vantor
