// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its own files, as the XDG base directory rules say:
// state (crash journals, history) under $XDG_STATE_HOME/vantor-rename and
// settings under $XDG_CONFIG_HOME/vantor-rename. A variable that is unset,
// empty or not an absolute path is ignored and the default under the home
// folder is used. Paths are native (UTF-8) and carry no trailing separator.
#pragma once

#include <string>

namespace vantor {

// $XDG_STATE_HOME/vantor-rename, else ~/.local/state/vantor-rename.
// With XDG_STATE_HOME="state" (relative) and HOME=/home/u:
// ProgramStateFolder() == "/home/u/.local/state/vantor-rename".
std::string ProgramStateFolder();

// $XDG_CONFIG_HOME/vantor-rename, else ~/.config/vantor-rename.
std::string ProgramConfigFolder();

// The home folder: $HOME when it is an absolute path, else the user's entry
// in the password database; empty when neither gives one.
std::string HomeFolder();

}  // namespace vantor
