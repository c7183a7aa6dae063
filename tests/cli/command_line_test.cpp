// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the command line: the window's paths, and the runs without a window.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/command_line.h"

namespace vantor {
namespace {

TEST(ParseCommandLine, ReadsOptionsAndPathsAsGivenAndLeavesQtItsOwn) {
  using Action = CommandLine::Action;
  struct Row {
    const char* name;
    std::vector<std::string> arguments;
    Action action;
    std::vector<std::string> paths;
  };
  const Row rows[] = {
      {"nothing", {}, Action::kRun, {}},
      {"relative and absolute paths in order",
       {"课程", "/srv/a.txt", "./b/../c.mp4", "."},
       Action::kRun,
       {"/home/li/课程", "/srv/a.txt", "/home/li/c.mp4", "/home/li"}},
      {"help wins over paths", {"a", "--help"}, Action::kHelp, {"/home/li/a"}},
      {"short version", {"-v"}, Action::kVersion, {}},
      {"unknown option", {"--help", "--colour"}, Action::kUsageError, {}},
      {"a dash path after --", {"--", "-x", "--help"}, Action::kRun, {"/home/li/-x", "/home/li/--help"}},
      {"a lone dash is a path, an empty argument none", {"-", ""}, Action::kRun, {"/home/li/-"}},
      {"a trailing separator goes", {"/srv/课程/"}, Action::kRun, {"/srv/课程"}},
      {"Qt's options and their values are no paths",
       {"-style", "fusion", "-reverse", "--platform=offscreen", "-stylesheet=a.qss", "a"},
       Action::kRun,
       {"/home/li/a"}},
      {"a Qt option without its value", {"a", "-style"}, Action::kUsageError, {}},
      {"a preset on folders", {"--preset", "课程", "--dry-run", "d", "/e"}, Action::kApplyPreset, {"/home/li/d", "/e"}},
      {"a preset without a folder", {"--preset", "课程"}, Action::kUsageError, {}},
      {"a preset without its name", {"d", "--preset"}, Action::kUsageError, {}},
      {"a dry run without a preset", {"--dry-run", "d"}, Action::kUsageError, {}},
      {"folders mode", {"--preset=p", "--mode", "folders", "--hidden", "--json", "d"}, Action::kApplyPreset, {"/home/li/d"}},
      {"a mode that is none", {"--preset=p", "--mode", "all", "d"}, Action::kUsageError, {}},
      {"the recursive mode", {"--preset=p", "--mode=recursive", "d"}, Action::kApplyPreset, {"/home/li/d"}},
      {"undo of one folder", {"--undo", "课程/"}, Action::kUndo, {"/home/li/课程"}},
      {"undo of two folders", {"--undo", "a", "b"}, Action::kUsageError, {}},
      {"undo and a preset", {"--undo", "a", "--preset", "p", "b"}, Action::kUsageError, {}},
      {"the list of presets", {"--list-presets"}, Action::kListPresets, {}},
      {"help wins over a bad combination", {"--dry-run", "--help"}, Action::kHelp, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CommandLine line = ParseCommandLine(row.arguments, "/home/li");
    EXPECT_EQ(line.action, row.action);
    if (row.action != Action::kUsageError) {
      EXPECT_EQ(line.paths, row.paths);
      EXPECT_EQ(line.error, "");
    } else {
      // One line, naming what was wrong.
      EXPECT_EQ(std::count(line.error.begin(), line.error.end(), '\n'), 1) << line.error;
      EXPECT_EQ(line.error.back(), '\n');
    }
  }
  EXPECT_EQ(ParseCommandLine({"a", "-colour=red"}, "/").error, "vantor-rename: 未知选项 -colour=red（--help 列出全部选项）\n");
  EXPECT_EQ(ParseCommandLine({"a", "-style"}, "/").error, "vantor-rename: 选项 -style 缺少值（--help 列出全部选项）\n");
  const CommandLine preset = ParseCommandLine({"--preset", "课程", "--mode=folders", "--hidden", "--json", "d"}, "/");
  EXPECT_EQ(preset.preset, "课程");
  EXPECT_EQ(preset.mode, ProcessingMode::kFolders);
  EXPECT_TRUE(preset.hidden && preset.json && !preset.dryRun);
  EXPECT_EQ(ParseCommandLine({"--preset", "p", "d"}, "/").mode, ProcessingMode::kFiles);
  EXPECT_EQ(ParseCommandLine({"--preset=p", "--mode=recursive", "d"}, "/").mode, ProcessingMode::kFilesInTree);
  EXPECT_EQ(ParseCommandLine({"--json", "d"}, "/").error, "vantor-rename: 选项 --json 只能和 --preset 一起用\n");
  EXPECT_EQ(ParseCommandLine({"--help=1"}, "/").error, "vantor-rename: 选项 --help=1 不带值（--help 列出全部选项）\n");
}

}  // namespace
}  // namespace vantor
