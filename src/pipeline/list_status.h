// SPDX-License-Identifier: GPL-3.0-or-later
// The counts the window's status line shows about the list.
#pragma once

#include "entries/entry_list.h"

namespace vantor {

struct ListStatus {
  int rows = 0;       // listed rows
  int pending = 0;    // rows a commit would rename: a current and a pending name
  int conflicts = 0;  // pending rows the preview marked (invalid or conflicting names)
};

// Counts the list as it stands; pending is 0 while preview is off.
// Example: rows "a", "b" with pending names "c", "" -> {2, 1, 0}.
ListStatus CountStatus(const EntryList& list);

}  // namespace vantor
