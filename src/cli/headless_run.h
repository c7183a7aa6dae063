// SPDX-License-Identifier: GPL-3.0-or-later
// The program without a window: a saved preset applied to folders (with a dry
// run), the undo of a folder's newest batch, and the list of presets. It reads
// folders, computes names, marks conflicts and renames through the same steps
// the window uses, and needs no display and no application object.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/command_line.h"

namespace vantor {

// Exit statuses of a run without a window.
inline constexpr int kExitDone = 0;       // all done, or nothing to do
inline constexpr int kExitPartly = 1;     // some entry conflicted or failed; the rest was done
inline constexpr int kExitUnusable = 2;   // a bad option, an unreadable preset or folder

// UTF-8 text made safe for a terminal line: every control character (below
// 0x20, and 0x7F) written as \x and two capital hex digits; the rest as it is.
// TerminalText("a\nb\x7F.txt") == "a\\x0Ab\\x7F.txt" (the backslashes are text).
std::string TerminalText(std::string_view utf8);

// Runs an action of the command line that needs no window (kApplyPreset,
// kUndo, kListPresets): results to out, messages for people to err (UTF-8,
// each line starting "vantor-rename: "). Returns the exit status.
//
// kApplyPreset reads the preset (a saved one's name, or a path to a .json
// file) and every folder before anything changes; then per folder it lists
// the entries by mode and --hidden as the window does, folds the preset's
// steps over them and marks the conflicts as the preview does, and, unless
// dryRun, renames through the one apply step (journal, history, never
// replacing). out gets "old → new" per entry that changes (renamed or would
// be) and then "已改名N个，失败M个" (dry run: "将改名N个，冲突M个"); err gets a
// line per conflict or failure. With json, out gets one JSON document instead
// and the summary goes to err.
// kUndo takes back the newest batch of the folder from the history, as the
// window's undo, and prints each name it put back as "old → new".
int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace vantor
