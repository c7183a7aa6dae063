// Start-up of the program.
#pragma once

#include <QApplication>

namespace vantor {

// Loads Qt's Chinese translations of its standard buttons (确定, 取消).
void LoadQtTranslations(QApplication& app);

// Shows the main window and runs the event loop until it closes.
int RunApplication(QApplication& app);

}  // namespace vantor
