// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/presets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <algorithm>
#include <cstdlib>

#include "platform/read_whole_file.h"

namespace vantor {

namespace {

const QLatin1String kFormat("vantor-rename-steps");

bool MakeOwnerOnlyFolder(const QString& path) {
  if (!QDir().mkpath(path)) return false;
  return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

std::string PresetsFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/vantor-rename/presets";
}

std::vector<std::string> PresetNames() {
  std::vector<std::string> names;
  const QDir folder(QString::fromStdString(PresetsFolder()));
  for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
    names.push_back(file.completeBaseName().toStdString());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string PresetPath(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
      name.find('\0') != std::string::npos || name.size() > 200) {
    return {};
  }
  return PresetsFolder() + "/" + name + ".json";
}

std::string PresetText(const std::vector<PresetStep>& steps) {
  QJsonArray array;
  for (const PresetStep& step : steps) {
    QJsonObject entry;
    entry[QStringLiteral("operation")] = QLatin1String(step.kind->id);
    entry[QStringLiteral("settings")] = step.kind->toJson(step.settings);
    array.append(entry);
  }
  QJsonObject root;
  root[QStringLiteral("format")] = kFormat;
  root[QStringLiteral("version")] = kPresetFormatVersion;
  root[QStringLiteral("steps")] = array;
  return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

bool SavePreset(const std::string& path, const std::vector<PresetStep>& steps, std::string& problem) {
  const QString file = QString::fromStdString(path);
  const QString folder = QFileInfo(file).absolutePath();
  if (!MakeOwnerOnlyFolder(QFileInfo(folder).absolutePath()) || !MakeOwnerOnlyFolder(folder)) {
    problem = "无法创建文件夹 " + folder.toStdString();
    return false;
  }
  QSaveFile out(file);
  const std::string text = PresetText(steps);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !out.setPermissions(QFile::ReadOwner | QFile::WriteOwner) || !out.commit()) {
    problem = out.errorString().toStdString();
    return false;
  }
  return true;
}

std::vector<PresetStep> ParsePreset(const std::string& text, std::string& problem) {
  problem.clear();
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    problem = "不是有效的JSON文件";
    return {};
  }
  const QJsonObject root = document.object();
  if (root.value(QStringLiteral("format")).toString() != kFormat) {
    problem = "不是步骤方案文件";
    return {};
  }
  if (!root.value(QStringLiteral("version")).isDouble() ||
      root.value(QStringLiteral("version")).toDouble() != kPresetFormatVersion) {
    problem = "格式版本不对（应为" + std::to_string(kPresetFormatVersion) + "）";
    return {};
  }
  const QJsonValue stepsValue = root.value(QStringLiteral("steps"));
  if (!stepsValue.isArray() || stepsValue.toArray().isEmpty()) {
    problem = "没有任何步骤";
    return {};
  }
  std::vector<PresetStep> steps;
  const QJsonArray array = stepsValue.toArray();
  for (qsizetype i = 0; i < array.size(); ++i) {
    const std::string where = "第" + std::to_string(i + 1) + "步";
    const QJsonObject entry = array.at(i).toObject();
    const QJsonValue id = entry.value(QStringLiteral("operation"));
    const OperationKind* kind = id.isString() ? FindOperation(id.toString().toStdString()) : nullptr;
    if (kind == nullptr) {
      problem = where + "的操作“" + id.toString().toStdString() + "”不存在";
      return {};
    }
    if (!kind->previewStep) {
      problem = where + "的操作“" + kind->caption + "”不能作为预览步骤";
      return {};
    }
    const QJsonValue settings = entry.value(QStringLiteral("settings"));
    if (!settings.isObject()) {
      problem = where + "缺少设置";
      return {};
    }
    std::string fieldProblem;
    std::any parsed = kind->fromJson(settings.toObject(), fieldProblem);
    if (!fieldProblem.empty()) {
      problem = where + "（" + kind->caption + "）：" + fieldProblem;
      return {};
    }
    steps.push_back({kind, std::move(parsed)});
  }
  return steps;
}

std::vector<PresetStep> ReadPreset(const std::string& path, std::string& problem) {
  const QFileInfo info(QString::fromStdString(path));
  if (!info.exists() || !info.isFile()) {
    problem = "不是普通文件";
    return {};
  }
  if (static_cast<std::size_t>(info.size()) > kPresetMaxBytes) {
    problem = "文件太大";
    return {};
  }
  const std::optional<std::string> text = ReadWholeFile(path, kPresetMaxBytes);
  if (!text) {
    problem = "无法读取";
    return {};
  }
  return ParsePreset(*text, problem);
}

}  // namespace vantor
