// SPDX-License-Identifier: GPL-3.0-or-later
// The pending names of the preview column as the commit will take them, and
// the marks that show beforehand which of them it will refuse.
#pragma once

#include <future>
#include <vector>

#include "entries/entry_list.h"
#include "pipeline/rename_batch.h"
#include "pipeline/run_context.h"

namespace vantor {

class WorkPart;

// Every row with both a current and a pending name, in row order: what a
// commit renames; with rows given, only the rows it takes. Each rename
// carries its row's folder. PendingRenames(list) is empty with preview off.
std::vector<PlannedRename> PendingRenames(const EntryList& list, const RowSubset* rows = nullptr);

// The names of the entry directory, read on another thread from the moment
// it is made, so that the reading overlaps the work before the marking.
using FolderListing = std::shared_future<TextArray>;
FolderListing StartReadingFolder(const EntryList& list);

// Marks each pending name a commit would refuse (an invalid name, a name two
// rows share, a name an entry of the folder that stays holds) and clears the
// marks of the others. Reads the entry directory once, or takes listing when
// it has been started. In a folder tree, names clash only within a folder,
// and each sub-folder is read for the names that stay. Nothing with preview off. The comparison, which only
// reads, goes through runDiskPhase when given, and tells its progress there.
void MarkPendingConflicts(EntryList& list, const FolderListing& listing = {},
                          const DiskPhaseRunner& runDiskPhase = {});

// The marks MarkPendingConflicts gives pending names: one per (current,
// pending) pair, against the names the folder holds (folderNames).
// MarksOfPendingNames({{"a", "b"}, {"c", "b"}}, {"a", "c"}) == {kDuplicateName, kDuplicateName}.
std::vector<PendingMark> MarksOfPendingNames(const std::vector<RenameNames>& pending, const TextArray& folderNames);

// The problem a mark stands for; kNone for kNone.
// ProblemOfMark(PendingMark::kNameTaken) == RenameProblem::kNameTaken.
RenameProblem ProblemOfMark(PendingMark mark);

// Why a rename does not happen, for people (UTF-8); empty for kNone.
// ReasonOfProblem(RenameProblem::kDuplicateName) == "与其他文件重名".
const char* ReasonOfProblem(RenameProblem problem);
// The marks of list's rows (pending[i] the names of rows[i]), reading the
// entry directory, or in a folder tree each folder of the rows, for the names
// that stay; names clash only within one folder. part, when given, hears the
// reads and the checks as they go.
std::vector<PendingMark> MarksOfListedPendingNames(const EntryList& list, const std::vector<int>& rows,
                                                   const std::vector<RenameNames>& pending,
                                                   WorkPart* part = nullptr);

// Calls MarkPendingConflicts when it goes out of scope: made before a preview
// run writes its pending names, it marks them once they are all written.
class PendingConflictsMarker {
 public:
  explicit PendingConflictsMarker(EntryList& list, FolderListing listing = {}, DiskPhaseRunner runDiskPhase = {})
      : list_(list), listing_(std::move(listing)), runDiskPhase_(std::move(runDiskPhase)) {}
  ~PendingConflictsMarker() { MarkPendingConflicts(list_, listing_, runDiskPhase_); }
  PendingConflictsMarker(const PendingConflictsMarker&) = delete;
  PendingConflictsMarker& operator=(const PendingConflictsMarker&) = delete;

 private:
  EntryList& list_;
  FolderListing listing_;
  DiskPhaseRunner runDiskPhase_;
};

}  // namespace vantor
