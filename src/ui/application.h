// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the program.
#pragma once

#include <QApplication>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace vantor {

class MainWindow;

// Loads Qt's Chinese translations of its standard buttons (确定, 取消): those
// installed beside the program (share/vantor-rename/translations), else Qt's own.
void LoadQtTranslations(QApplication& app);

// Tells the core the user's desktop folder as the desktop names it (the XDG
// user directories), so that it is refused like any "Desktop" folder.
void ShareDesktopFolder();

// Loads the command line's paths (native, absolute) into the window, as
// MainWindow::OpenCommandLinePaths does, after naming those that do not exist
// in one box: "找不到：" + path, a line each (title "提醒："). Nothing is
// asked when every path exists; nothing is loaded when none does.
// Example: {"/srv/a.txt", "/srv/gone"} -> box "找不到：/srv/gone", then a.txt listed.
void OpenCommandLinePaths(MainWindow& window, Prompter& prompter, const std::vector<std::string>& paths);

// Names the program (window class "vantor-rename", desktop entry
// org.vantor.rename), shows the main window, loads paths as
// OpenCommandLinePaths does once the window is up, and runs the event loop
// until the window closes.
int RunApplication(QApplication& app, const std::vector<std::string>& paths = {});

}  // namespace vantor
