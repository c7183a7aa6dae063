// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, read before any window exists: it decides
// whether a window opens at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entries/intake.h"

namespace vantor {

struct CommandLine {
  enum class Action {
    kRun,          // open the window (on paths, when given)
    kHelp,
    kVersion,
    kUsageError,
    kApplyPreset,  // --preset: rename the folders in paths without a window
    kUndo,         // --undo FOLDER: take back that folder's newest batch (paths[0])
    kListPresets,  // --list-presets
  } action = Action::kRun;
  // Paths to load as if dropped, or the folders to work on, in order:
  // absolute, a relative one taken against the current folder; "." and ".."
  // steps resolved.
  std::vector<std::string> paths;
  // With kUsageError: the one line for standard error, with its line break.
  std::string error;

  // With kApplyPreset: the preset's name or file, as given, and the options.
  std::string preset;
  bool dryRun = false;
  bool json = false;
  bool hidden = false;
  ProcessingMode mode = ProcessingMode::kFiles;
};

// The processing mode a --mode value names: "files", "folders" and
// "recursive" (the files of the folder and of every folder below it);
// nullopt, with the line for standard error in problem, for any other value.
// ModeOfOption("folders", problem) == ProcessingMode::kFolders.
std::optional<ProcessingMode> ModeOfOption(std::string_view value, std::string& problem);

// Reads the arguments after the program name with QCommandLineParser (no
// application object needed). "-h"/"--help" and "-v"/"--version" win over
// paths; Qt's own options ("-style fusion", "-platform xcb", "-reverse", also
// spelt with "--", or with "=" before the value) are accepted and left for
// QApplication, which reads them from argv itself; any other argument starting
// with "-" is an unknown option, unless it follows "--". A lone "-" is a path,
// an empty one is left out. A bad option gives kUsageError with one line in
// Chinese: "vantor-rename: 未知选项 -x（--help 列出全部选项）", or the option
// whose value is missing or not wanted.
// --preset needs at least one folder, --undo exactly one; --dry-run, --json,
// --mode and --hidden go only with --preset; --preset, --undo and
// --list-presets exclude each other. Each of these faults is a kUsageError.
// Example: {"-style", "fusion", "a.txt"} in "/home/li" -> kRun with {"/home/li/a.txt"};
// {"--preset", "课程", "--dry-run", "d"} -> kApplyPreset, preset "课程", {"/home/li/d"}.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder);

// What --help prints: the program's options and arguments, in Chinese.
std::string UsageText();

// What --version prints: version, copyright line, licence.
std::string VersionText();

}  // namespace vantor
