// Start-up of the program.
#pragma once

#include <QApplication>
#include <string>
#include <vector>

namespace vantor {

// Loads Qt's Chinese translations of its standard buttons (确定, 取消): those
// installed beside the program (share/vantor-rename/translations), else Qt's own.
void LoadQtTranslations(QApplication& app);

// Tells the core the user's desktop folder as the desktop names it (the XDG
// user directories), so that it is refused like any "Desktop" folder.
void ShareDesktopFolder();

// Shows the main window, loads paths (native, absolute) as if they had been
// dropped on it, in order (one that does not exist is told on standard error
// and left out), and runs the event loop until the window closes.
int RunApplication(QApplication& app, const std::vector<std::string>& paths = {});

}  // namespace vantor
