// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "ui/application.h"
#include "cli/command_line.h"
#include "cli/headless_run.h"
#include "platform/memory_use.h"

int main(int argc, char** argv) {
  vantor::ReturnLargeBlocksToTheSystem();
  // The command line is read before any Qt object exists, so that --help,
  // --version and the runs without a window need no display. Qt's own options stay in argv for QApplication.
  std::error_code error;
  const std::string currentFolder = std::filesystem::current_path(error).string();
  const vantor::CommandLine line =
      vantor::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), currentFolder);
  switch (line.action) {
    case vantor::CommandLine::Action::kHelp:
      std::cout << vantor::UsageText();
      return 0;
    case vantor::CommandLine::Action::kVersion:
      std::cout << vantor::VersionText();
      return 0;
    case vantor::CommandLine::Action::kUsageError:
      std::cerr << line.error;
      return 2;
    case vantor::CommandLine::Action::kApplyPreset:
    case vantor::CommandLine::Action::kUndo:
    case vantor::CommandLine::Action::kListPresets:
      // No application object and no window: these work without a display.
      return vantor::RunWithoutWindow(line, std::cout, std::cerr);
    case vantor::CommandLine::Action::kRun:
      break;
  }
  QApplication app(argc, argv);
  return vantor::RunApplication(app, line.paths);
}
