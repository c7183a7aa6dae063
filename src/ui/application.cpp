// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include "entries/intake.h"
#include "entries/messages.h"
#include "platform/code_page.h"
#include "ui/gbk_qstring.h"
#include "ui/main_window.h"
#include "ui/message_box_prompter.h"

namespace vantor {

namespace {

// Start-up notes: which translations were loaded is told at info level
// (QT_LOGGING_RULES="vantor.startup.info=true"), missing ones as a warning.
Q_LOGGING_CATEGORY(startupLog, "vantor.startup", QtWarningMsg)

// GBK of a path for a message; a character GBK lacks shows as "?".
ByteText GbkForMessage(const QString& text) {
  if (const std::optional<ByteText> whole = GbkFromQString(text)) return *whole;
  ByteText shown;
  for (const char32_t character : text.toUcs4()) {
    shown += GbkFromQString(QString::fromUcs4(&character, 1)).value_or(ByteText("?"));
  }
  return shown;
}

}  // namespace

void LoadQtTranslations(QApplication& app) {
  // Qt's own Chinese strings, so that standard buttons read 确定 and 取消.
  static QTranslator translator;
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  const QString installed =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vantor-rename/translations"));
  for (const QString& folder : {installed, QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      app.installTranslator(&translator);
      qCInfo(startupLog).noquote() << "Qt translations:" << translator.filePath();
      return;
    }
  }
  qCWarning(startupLog).noquote() << "no Chinese translations of Qt found in" << installed
                                  << "nor in Qt's own folder: standard buttons stay in English";
}

void ShareDesktopFolder() {
  const std::optional<ByteText> desktop =
      GbkFromQString(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
  const std::optional<ByteText> home = GbkFromQString(QDir::homePath());
  SetUserDesktopFolder(desktop.value_or(ByteText()), home.value_or(ByteText()));
}

void OpenCommandLinePaths(MainWindow& window, Prompter& prompter, const std::vector<std::string>& paths) {
  QStringList found;
  ByteText missing;
  for (const std::string& path : paths) {
    const QString localPath = QFile::decodeName(QByteArray::fromStdString(path));
    if (QFileInfo::exists(localPath)) {
      found << localPath;
    } else {
      if (!missing.empty()) missing += ByteText("\r\n");
      missing += Gbk("找不到：") + GbkForMessage(localPath);
    }
  }
  if (!missing.empty()) prompter.Inform(missing, messages::TitleReminder(), MessageIcon::kInformation);
  if (!found.isEmpty()) window.OpenCommandLinePaths(found);
}

int RunApplication(QApplication& app, const std::vector<std::string>& paths) {
  LoadQtTranslations(app);
  // The window class (WM_CLASS, the desktop entry's StartupWMClass) and the
  // Wayland application id, whatever name the program was started by.
  QCoreApplication::setApplicationName(QStringLiteral("vantor-rename"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vantor.rename"));
  ShareDesktopFolder();
  MainWindow window;
  window.show();
  MessageBoxPrompter prompter(&window);
  if (!paths.empty()) {
    // Once the event loop runs, so that the window is on screen under its boxes.
    QTimer::singleShot(0, &window, [&window, &prompter, paths] { OpenCommandLinePaths(window, prompter, paths); });
  }
  return app.exec();
}

}  // namespace vantor
