// SPDX-License-Identifier: GPL-3.0-or-later
// Carrying out a batch of renames in one folder, and telling exactly which of
// them happened and why the others did not. Every path that renames on disk
// goes through here.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "text/byte_text.h"

namespace vantor {

class FileSystemCalls;
class LongWork;

// One rename of a list row: directory + oldName becomes directory + newName.
// identity, when known (an undo takes it from the batch it undoes), is the
// entry that must stand under oldName; another one there is left alone.
// folder, in a batch over a folder tree, is the index of the rename's folder
// in the batch's folder table (pipeline/apply_batch.h); 0 the folder itself.
struct PlannedRename {
  int row = -1;
  ByteText oldName;
  ByteText newName;
  EntryIdentity identity = {};
  uint32_t folder = 0;
};

// Why a planned rename did not happen.
enum class RenameProblem {
  kNone,
  kInvalidName,    // not a plain name, over 255 bytes in its native form, or no native form
  kDuplicateName,  // another rename of the batch has the same new name
  kNameTaken,      // an entry that stays in the folder holds the new name
  kFailed,         // the file system refused (read-only folder, entry gone, ...)
  kNotReached,     // the batch was stopped before this rename: not a failure
  kReplaced,       // the entry under the old name is not the one planned: left alone
};

struct BatchOutcome {
  std::vector<bool> done;                 // per planned rename, in plan order
  std::vector<RenameProblem> problems;    // per planned rename; kNone where done
  int renamed = 0;  // renames that happened (a name equal to its old one excluded)
  int failed = 0;   // renames that did not happen, those not reached excluded
  int notReached = 0;  // renames left out because the batch was stopped
  // Per planned rename, the entry it concerns, noted when the batch was
  // planned: for a done rename the entry now under the new name.
  std::vector<EntryIdentity> identities;
  // The journal could not be written, or the folder is not the one expected:
  // nothing was renamed (every rename counts as not done, none as failed).
  bool notStarted = false;
  bool folderChanged = false;  // with notStarted: the folder was moved away or replaced
};

// What a batch may be told besides its plan.
struct BatchSettings {
  // The folder the plan was made for (as listed); when known, a folder under
  // the directory's path that is not this one stops the batch before anything
  // changes (notStarted and folderChanged).
  EntryIdentity folder = {};
  // The calls the batch and its journal reach the disk with; nullptr:
  // CurrentFileSystem().
  const FileSystemCalls* fileSystem = nullptr;
};

// True when name can be given to an entry: a plain name (not empty, ".",
// "..", no "/" or NUL) whose native form exists and has at most 255 bytes.
// IsValidNewName("a.txt") == true; IsValidNewName("a/b") == false.
bool IsValidNewName(const ByteText& name);

// The checks made before anything changes, per planned rename in plan order:
// an invalid new name; a new name two renames share (both are refused); a new
// name held by an entry that stays: the old name of a rename that is itself
// refused, or, when folderNames (every name in the folder) is given, a name
// of the folder that no rename of the batch takes away. A rename whose new
// name equals its old name is never refused.
// CheckRenamePlan({{0, "a", "c"}, {1, "b", "c"}}) == {kDuplicateName, kDuplicateName}.
std::vector<RenameProblem> CheckRenamePlan(const std::vector<PlannedRename>& plan,
                                           const TextArray* folderNames = nullptr);

// The names of a rename, viewing texts held elsewhere (the plan, list cells).
struct RenameNames {
  std::string_view oldName;
  std::string_view newName;
};
std::vector<RenameNames> NamesOf(const std::vector<PlannedRename>& plan);

// CheckRenamePlan over names only, which spares copying them. checked, when
// given, hears how far the check got (done of `of`), every few thousand names.
std::vector<RenameProblem> CheckRenameNames(const std::vector<RenameNames>& steps,
                                            const TextArray* folderNames = nullptr,
                                            const std::function<void(size_t done, size_t of)>& checked = {});

// Checks the plan (without reading the folder: the no-overwrite rename refuses
// a name taken outside the batch), then renames in an order that lets chains
// complete (b -> c before a -> b) and takes each cycle (a <-> b, or longer)
// through a temporary name in the same folder; a swap of two names, where the
// file system can, is one exchange instead (renameat2 RENAME_EXCHANGE), done
// whole or not at all. Never replaces an existing
// entry. A rename whose new name equals its old name is done without touching
// the disk and is neither counted as renamed nor as failed. `stepped`, when
// given, hears how many planned renames have been worked through, now and then
// and at the end. `work`, when given, is asked between two renames whether
// to stop: a stopped batch keeps what it did, finishes or turns back the
// cycle it is in, and leaves the rest kNotReached.
// Before the first rename, every move on disk, in order and temporary names
// included, goes to a journal (pipeline/rename_journal.h) that is removed when
// the batch ends; when it cannot be written nothing changes and the outcome is
// notStarted.
// Each entry's identity is noted as the batch is laid out, ahead of the
// renames (one fstatat relative to the opened folder; the plan's own
// identity where it gives one), and checked before its rename: an entry
// swapped in meanwhile under the old name is left alone (kReplaced). A cycle
// that cannot be turned back completely (a move back fails) keeps what it
// could, tells so row by row, and leaves its journal for recovery.
// ApplyRenameBatch("/d/", {{0, "a", "b"}, {1, "b", "a"}}).renamed == 2 (a swap).
BatchOutcome ApplyRenameBatch(const ByteText& directory, const std::vector<PlannedRename>& plan,
                              const std::function<void(int done)>& stepped = {},
                              const LongWork* work = nullptr, const BatchSettings& settings = {});

// The old names of the renames the batch left alone because another entry
// stood under them (kReplaced), in plan order.
TextArray ReplacedNames(const std::vector<PlannedRename>& plan, const BatchOutcome& outcome);

// Tests only: batches stop after this many moves on disk, as if the process
// had been killed there, and leave their journal; -1 lets them run.
void StopBatchesAfterMovesForTesting(int moves);

}  // namespace vantor
