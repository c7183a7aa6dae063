// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace vantor {

namespace {

const QString kCheckAtStart = QStringLiteral("update/checkAtStart");

QString SettingsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vantor-rename");
}

QString SettingsFile() { return SettingsFolder() + QStringLiteral("/settings.ini"); }

}  // namespace

bool CheckForUpdatesAtStart() {
  return QSettings(SettingsFile(), QSettings::IniFormat).value(kCheckAtStart, true).toBool();
}

void SetCheckForUpdatesAtStart(bool on) {
  const QString folder = SettingsFolder();
  if (!QDir().mkpath(folder)) return;
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  {
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.setValue(kCheckAtStart, on);
    settings.sync();
  }
  QFile::setPermissions(SettingsFile(), QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace vantor
