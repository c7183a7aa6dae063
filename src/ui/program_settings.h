// SPDX-License-Identifier: GPL-3.0-or-later
// The settings the program keeps between runs, in
// $XDG_CONFIG_HOME/vantor-rename/settings.ini (else ~/.config/...), readable
// by the owner only.
#pragma once

namespace vantor {

// Whether the release check runs shortly after start-up (选择框_启动时检查更新);
// on until switched off.
bool CheckForUpdatesAtStart();
void SetCheckForUpdatesAtStart(bool on);

}  // namespace vantor
