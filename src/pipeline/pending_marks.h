// The pending names of the preview column as the commit will take them, and
// the marks that show beforehand which of them it will refuse.
#pragma once

#include <vector>

#include "entries/entry_list.h"
#include "pipeline/rename_batch.h"

namespace vantor {

// Every row with both a current and a pending name, in row order: what a
// commit renames. PendingRenames(list) is empty with preview off.
std::vector<PlannedRename> PendingRenames(const EntryList& list);

// Marks each pending name a commit would refuse (an invalid name, a name two
// rows share, a name an entry of the folder that stays holds) and clears the
// marks of the others. Reads the entry directory once. Nothing with preview off.
void MarkPendingConflicts(EntryList& list);

// Calls MarkPendingConflicts when it goes out of scope: made before a preview
// run writes its pending names, it marks them once they are all written.
class PendingConflictsMarker {
 public:
  explicit PendingConflictsMarker(EntryList& list) : list_(list) {}
  ~PendingConflictsMarker() { MarkPendingConflicts(list_); }
  PendingConflictsMarker(const PendingConflictsMarker&) = delete;
  PendingConflictsMarker& operator=(const PendingConflictsMarker&) = delete;

 private:
  EntryList& list_;
};

}  // namespace vantor
