#include "ui/application.h"

#include <iostream>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include "entries/intake.h"
#include "ui/gbk_qstring.h"
#include "ui/main_window.h"

namespace vantor {

void LoadQtTranslations(QApplication& app) {
  // Qt's own Chinese strings, so that standard buttons read 确定 and 取消.
  static QTranslator translator;
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  const QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vantor-rename/translations");
  for (const QString& folder : {installed, QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      app.installTranslator(&translator);
      return;
    }
  }
}

void ShareDesktopFolder() {
  const std::optional<ByteText> desktop =
      GbkFromQString(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
  const std::optional<ByteText> home = GbkFromQString(QDir::homePath());
  SetUserDesktopFolder(desktop.value_or(ByteText()), home.value_or(ByteText()));
}

int RunApplication(QApplication& app, const std::vector<std::string>& paths) {
  LoadQtTranslations(app);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vantor.rename"));
  ShareDesktopFolder();
  MainWindow window;
  window.show();
  QStringList dropped;
  for (const std::string& path : paths) {
    const QString localPath = QFile::decodeName(QByteArray::fromStdString(path));
    // A drop only ever carries what exists; a mistyped path is left out.
    if (QFileInfo::exists(localPath)) {
      dropped << localPath;
    } else {
      std::cerr << "vantor-rename: 找不到 " << path << "\n";
    }
  }
  if (!dropped.isEmpty()) {
    // Once the event loop runs, so that the window is on screen under its boxes.
    QTimer::singleShot(0, &window, [&window, dropped] { window.OpenCommandLinePaths(dropped); });
  }
  return app.exec();
}

}  // namespace vantor
