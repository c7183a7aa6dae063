// Carrying out a batch of renames in one folder, and telling exactly which of
// them happened. Every path that renames on disk goes through here.
#pragma once

#include <functional>
#include <vector>

#include "text/byte_text.h"

namespace vantor {

// One rename of a list row: directory + oldName becomes directory + newName.
struct PlannedRename {
  int row = -1;
  ByteText oldName;
  ByteText newName;
};

struct BatchOutcome {
  std::vector<bool> done;  // per planned rename, in plan order
  int renamed = 0;         // renames that happened (a name equal to its old one excluded)
  int failed = 0;          // renames that did not happen
};

// Renames each planned entry, never replacing an existing entry. A rename whose
// new name equals its old name is done without touching the disk and is
// neither counted as renamed nor as failed. `stepped`, when given, hears how
// many planned renames have been worked through, now and then and at the end.
// ApplyRenameBatch("/d/", {{0, "a", "b"}}).renamed == 1 when /d/a existed and /d/b did not.
BatchOutcome ApplyRenameBatch(const ByteText& directory, const std::vector<PlannedRename>& plan,
                              const std::function<void(int done)>& stepped = {});

}  // namespace vantor
