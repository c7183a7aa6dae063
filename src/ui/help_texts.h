// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vantor {

// The explanation behind one of the main window's help buttons, by the
// button's object name: HelpTextOf("按钮6") starts with "用于给没有扩展名的文件".
// Line breaks in the texts are CR LF. Any other name gives the empty text.
QString HelpTextOf(const QString& helpButtonName);

}  // namespace vantor
