// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <iterator>

#ifndef VANTOR_VERSION
#define VANTOR_VERSION "0"
#endif

namespace vantor {

namespace {

std::string Absolute(const std::string& path, const std::string& currentFolder) {
  const std::filesystem::path given(path);
  const std::filesystem::path whole = given.is_absolute() ? given : std::filesystem::path(currentFolder) / given;
  std::string normal = whole.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

// The options QGuiApplication and QApplication take out of argv themselves
// (those taking a value, then the switches), so that the parser lets them by.
const char* const kQtValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowicon",
    "icon", "qwindowtitle", "title", "session", "display", "name", "style", "stylesheet", "qmljsdebugger",
};
const char* const kQtSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The argument the parser calls `name`, as the user spelt it ("-x", "--x=1").
QString AsGiven(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments) {
    if (argument == QStringLiteral("--")) break;
    QString bare = argument;
    while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
    if (bare.section(QLatin1Char('='), 0, 0) == name) return argument;
  }
  return QStringLiteral("--") + name;
}

// What was wrong, in Chinese, found again from the arguments: the parser's
// own text is English, or translated once Qt's translations are loaded.
QString Complaint(const QCommandLineParser& parser, const QStringList& arguments) {
  const QStringList unknown = parser.unknownOptionNames();
  if (!unknown.isEmpty()) return QStringLiteral("未知选项 %1").arg(AsGiven(arguments, unknown.front()));
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QStringLiteral("--")) break;
    if (!argument.startsWith(QLatin1Char('-')) || argument.size() == 1) continue;
    QString bare = argument;
    while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
    const bool withValue = bare.contains(QLatin1Char('='));
    const QString name = bare.section(QLatin1Char('='), 0, 0);
    const bool takesValue =
        std::any_of(std::begin(kQtValueOptions), std::end(kQtValueOptions),
                    [&](const char* option) { return name == QLatin1String(option); });
    if (takesValue && !withValue) {
      if (i + 1 == arguments.size()) return QStringLiteral("选项 %1 缺少值").arg(argument);
      ++i;  // its value
    } else if (!takesValue && withValue) {
      return QStringLiteral("选项 %1 不带值").arg(argument);
    }
  }
  return QStringLiteral("选项有误");
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder) {
  QStringList given{QStringLiteral("vantor-rename")};
  for (const std::string& argument : arguments) given << QFile::decodeName(QByteArray::fromStdString(argument));

  QCommandLineParser parser;
  // Qt's options are spelt with one dash: "-style" is one option, not -s -t -y …
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  parser.addOption(help);
  parser.addOption(version);
  for (const char* name : kQtValueOptions) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kQtSwitches) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  CommandLine line;
  if (!parser.parse(given)) {
    line.action = CommandLine::Action::kUsageError;
    line.error = "vantor-rename: " + Complaint(parser, given).toStdString() + "（--help 列出全部选项）\n";
    return line;
  }
  if (parser.isSet(help)) {
    line.action = CommandLine::Action::kHelp;
  } else if (parser.isSet(version)) {
    line.action = CommandLine::Action::kVersion;
  }
  for (const QString& path : parser.positionalArguments()) {
    if (!path.isEmpty()) line.paths.push_back(Absolute(QFile::encodeName(path).toStdString(), currentFolder));
  }
  return line;
}

std::string UsageText() {
  return "用法：vantor-rename [选项] [文件或文件夹…]\n"
         "批量重命名文件和文件夹。只给出一个文件夹时列出这个文件夹；\n"
         "其他情况下给出的文件或文件夹按顺序载入，如同拖到窗口上。\n"
         "找不到的路径在窗口里逐一列出。\n"
         "\n"
         "选项：\n"
         "  -h, --help     显示本帮助并退出\n"
         "  -v, --version  显示版本、版权和许可证并退出\n"
         "  --             其后的参数都是路径，即使以“-”开头\n"
         "\n"
         "也接受Qt的标准选项，例如 -style 风格名、-platform 平台名、-reverse。\n"
         "选项有误时退出状态为2。\n";
}

std::string VersionText() {
  return std::string("Vantor重命名 ") + VANTOR_VERSION +
         "\n"
         "Copyright (C) 2026 The Vantor重命名 authors\n"
         "许可证：GNU GPL 第3版或更新版本（GPL-3.0-or-later）<https://gnu.org/licenses/gpl.html>\n"
         "本软件是自由软件：您可以自由修改和重新发布它。在法律允许的范围内没有任何担保。\n";
}

}  // namespace vantor
