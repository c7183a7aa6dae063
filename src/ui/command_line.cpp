#include "ui/command_line.h"

#include <filesystem>

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

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder) {
  CommandLine line;
  bool optionsEnded = false;
  bool help = false;
  bool version = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (argument == "-h" || argument == "--help")) {
      help = true;
    } else if (!optionsEnded && (argument == "-v" || argument == "--version")) {
      version = true;
    } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
      if (line.unknownOption.empty()) line.unknownOption = argument;
    } else if (!argument.empty()) {
      line.paths.push_back(Absolute(argument, currentFolder));
    }
  }
  if (!line.unknownOption.empty()) {
    line.action = CommandLine::Action::kUsageError;
  } else if (help) {
    line.action = CommandLine::Action::kHelp;
  } else if (version) {
    line.action = CommandLine::Action::kVersion;
  }
  return line;
}

std::string UsageText() {
  return "用法：vantor-rename [选项] [文件或文件夹…]\n"
         "批量重命名文件和文件夹。只给出一个文件夹时列出这个文件夹；\n"
         "其他情况下给出的文件或文件夹按顺序载入，如同拖到窗口上。\n"
         "\n"
         "选项：\n"
         "  -h, --help     显示本帮助并退出\n"
         "  -v, --version  显示版本并退出\n";
}

std::string VersionText() { return std::string("Vantor重命名 ") + VANTOR_VERSION + "\n"; }

}  // namespace vantor
