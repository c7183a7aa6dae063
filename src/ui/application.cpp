#include "ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/main_window.h"

namespace vantor {

void LoadQtTranslations(QApplication& app) {
  // Qt's own Chinese strings, so that standard buttons read 确定 and 取消.
  static QTranslator translator;
  if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&translator);
  }
}

int RunApplication(QApplication& app) {
  LoadQtTranslations(app);
  MainWindow window;
  window.show();
  return app.exec();
}

}  // namespace vantor
