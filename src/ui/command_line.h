// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, read before any window exists.
#pragma once

#include <string>
#include <vector>

namespace vantor {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kUsageError } action = Action::kRun;
  // Paths to load as if dropped, in order: absolute, a relative one taken
  // against the current folder; "." and ".." steps resolved.
  std::vector<std::string> paths;
  // With kUsageError: the one line for standard error, with its line break.
  std::string error;
};

// Reads the arguments after the program name with QCommandLineParser (no
// application object needed). "-h"/"--help" and "-v"/"--version" win over
// paths; Qt's own options ("-style fusion", "-platform xcb", "-reverse", also
// spelt with "--", or with "=" before the value) are accepted and left for
// QApplication, which reads them from argv itself; any other argument starting
// with "-" is an unknown option, unless it follows "--". A lone "-" is a path,
// an empty one is left out. A bad option gives kUsageError with one line in
// Chinese: "vantor-rename: 未知选项 -x（--help 列出全部选项）", or the option
// whose value is missing or not wanted.
// Example: {"-style", "fusion", "a.txt"} in "/home/li" -> kRun with {"/home/li/a.txt"}.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder);

// What --help prints: the program's options and arguments, in Chinese.
std::string UsageText();

// What --version prints: version, copyright line, licence.
std::string VersionText();

}  // namespace vantor
