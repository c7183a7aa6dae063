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
  std::string unknownOption;  // with kUsageError
};

// Reads the arguments after the program name. "-h"/"--help" and
// "-v"/"--version" win over paths; any other argument starting with "-" is an
// unknown option, unless it follows "--". A lone "-" is a path.
// Example: {"a.txt", "--"} in "/home/li" -> kRun with {"/home/li/a.txt"}.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder);

// What --help prints, and what --version prints.
std::string UsageText();
std::string VersionText();

}  // namespace vantor
