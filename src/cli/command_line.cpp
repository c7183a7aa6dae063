// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

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
// The program's own options that take a value.
const char* const kValueOptions[] = {"preset", "mode", "undo"};

bool TakesValue(const QString& name) {
  const auto named = [&](const char* option) { return name == QLatin1String(option); };
  return std::any_of(std::begin(kQtValueOptions), std::end(kQtValueOptions), named) ||
         std::any_of(std::begin(kValueOptions), std::end(kValueOptions), named);
}

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
    const bool takesValue = TakesValue(name);
    if (takesValue && !withValue) {
      if (i + 1 == arguments.size()) return QStringLiteral("选项 %1 缺少值").arg(argument);
      ++i;  // its value
    } else if (!takesValue && withValue) {
      return QStringLiteral("选项 %1 不带值").arg(argument);
    }
  }
  return QStringLiteral("选项有误");
}

CommandLine UsageError(const std::string& problem) {
  CommandLine line;
  line.action = CommandLine::Action::kUsageError;
  line.error = "vantor-rename: " + problem + "\n";
  return line;
}

}  // namespace

std::optional<ProcessingMode> ModeOfOption(std::string_view value, std::string& problem) {
  if (value == "files") return ProcessingMode::kFiles;
  if (value == "folders") return ProcessingMode::kFolders;
  if (value == "recursive") return ProcessingMode::kFilesInTree;
  problem = "vantor-rename: --mode 的值只能是 files、folders 或 recursive，不是“" + std::string(value) + "”\n";
  return std::nullopt;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder) {
  QStringList given{QStringLiteral("vantor-rename")};
  for (const std::string& argument : arguments) given << QFile::decodeName(QByteArray::fromStdString(argument));

  QCommandLineParser parser;
  // Qt's options are spelt with one dash: "-style" is one option, not -s -t -y …
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption preset(QStringLiteral("preset"), QString(), QStringLiteral("name"));
  const QCommandLineOption dryRun(QStringLiteral("dry-run"));
  const QCommandLineOption json(QStringLiteral("json"));
  const QCommandLineOption mode(QStringLiteral("mode"), QString(), QStringLiteral("mode"));
  const QCommandLineOption hidden(QStringLiteral("hidden"));
  const QCommandLineOption undo(QStringLiteral("undo"), QString(), QStringLiteral("folder"));
  const QCommandLineOption listPresets(QStringLiteral("list-presets"));
  for (const QCommandLineOption* option : {&help, &version, &preset, &dryRun, &json, &mode, &hidden, &undo, &listPresets}) {
    parser.addOption(*option);
  }
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
  const auto native = [](const QString& text) { return QFile::encodeName(text).toStdString(); };
  for (const QString& path : parser.positionalArguments()) {
    if (!path.isEmpty()) line.paths.push_back(Absolute(native(path), currentFolder));
  }
  if (parser.isSet(help)) {
    line.action = CommandLine::Action::kHelp;
    return line;
  }
  if (parser.isSet(version)) {
    line.action = CommandLine::Action::kVersion;
    return line;
  }
  const int headless = (parser.isSet(preset) ? 1 : 0) + (parser.isSet(undo) ? 1 : 0) + (parser.isSet(listPresets) ? 1 : 0);
  if (headless > 1) return UsageError("--preset、--undo 和 --list-presets 只能用其中一个");
  if (!parser.isSet(preset)) {
    for (const QCommandLineOption* option : {&dryRun, &json, &mode, &hidden}) {
      if (parser.isSet(*option)) {
        return UsageError("选项 " + native(AsGiven(given, option->names().front())) + " 只能和 --preset 一起用");
      }
    }
  }
  if (parser.isSet(preset)) {
    line.action = CommandLine::Action::kApplyPreset;
    line.preset = native(parser.value(preset));
    if (line.preset.empty()) return UsageError("--preset 需要步骤方案的名称或文件");
    if (line.paths.empty()) return UsageError("--preset 需要至少一个文件夹");
    line.dryRun = parser.isSet(dryRun);
    line.json = parser.isSet(json);
    line.hidden = parser.isSet(hidden);
    if (parser.isSet(mode)) {
      const std::optional<ProcessingMode> chosen = ModeOfOption(native(parser.value(mode)), line.error);
      if (!chosen) {
        line.action = CommandLine::Action::kUsageError;
        return line;
      }
      line.mode = *chosen;
    }
  } else if (parser.isSet(undo)) {
    line.action = CommandLine::Action::kUndo;
    if (!line.paths.empty()) return UsageError("--undo 只接受一个文件夹");
    if (parser.value(undo).isEmpty()) return UsageError("--undo 需要一个文件夹");
    line.paths.push_back(Absolute(native(parser.value(undo)), currentFolder));
  } else if (parser.isSet(listPresets)) {
    line.action = CommandLine::Action::kListPresets;
    if (!line.paths.empty()) return UsageError("--list-presets 不接受路径");
  }
  return line;
}

std::string UsageText() {
  return "用法：vantor-rename [选项] [文件或文件夹…]\n"
         "      vantor-rename --preset 步骤方案 [--dry-run] [--json] [--mode files|folders|recursive] [--hidden] 文件夹…\n"
         "      vantor-rename --undo 文件夹\n"
         "      vantor-rename --list-presets\n"
         "批量重命名文件和文件夹。只给出一个文件夹时列出这个文件夹；\n"
         "其他情况下给出的文件或文件夹按顺序载入，如同拖到窗口上。\n"
         "找不到的路径在窗口里逐一列出。\n"
         "\n"
         "选项：\n"
         "  -h, --help     显示本帮助并退出\n"
         "  -v, --version  显示版本、版权和许可证并退出\n"
         "  --             其后的参数都是路径，即使以“-”开头\n"
         "\n"
         "不开窗口改名（不需要显示器，可以在ssh里用）：\n"
         "  --preset 名称或文件\n"
         "                 用保存的步骤方案（或一个.json文件）给每个文件夹改名，\n"
         "                 读文件夹、算新名字、查冲突都和窗口里预览一样；\n"
         "                 每行输出“旧名 → 新名”，最后一行“已改名N个，失败M个”\n"
         "  --dry-run      只显示会怎样改（“将改名N个，冲突M个”），不改名\n"
         "  --json         标准输出只给一个JSON文档：每一项的文件夹、旧名、新名和结果\n"
         "  --mode files|folders|recursive\n"
         "                 改文件夹里的文件（默认）、子文件夹，或连同子文件夹里的文件\n"
         "  --hidden       也包括以“.”开头的隐藏文件\n"
         "  --undo 文件夹  撤回这个文件夹最新的一批改名（和窗口里“撤回上一步”一样）\n"
         "  --list-presets 列出保存的步骤方案\n"
         "\n"
         "也接受Qt的标准选项，例如 -style 风格名、-platform 平台名、-reverse。\n"
         "退出状态：0 全部完成（或没有要做的）；1 有的项冲突或失败（其余照改）；\n"
         "2 选项有误、步骤方案或文件夹无法读取。\n";
}

std::string VersionText() {
  return std::string("Vantor重命名 ") + VANTOR_VERSION +
         "\n"
         "Copyright (C) 2026 The Vantor重命名 authors\n"
         "许可证：GNU GPL 第3版或更新版本（GPL-3.0-or-later）<https://gnu.org/licenses/gpl.html>\n"
         "本软件是自由软件：您可以自由修改和重新发布它。在法律允许的范围内没有任何担保。\n";
}

}  // namespace vantor
