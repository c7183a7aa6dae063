// SPDX-License-Identifier: GPL-3.0-or-later
// The rename history: one record per finished batch that changed names on
// disk, kept in the user's state folder across runs, so that any batch can be
// taken back later (pipeline/apply_batch.h).
//
// A record file holds a short header (when, which folder and its device and
// inode, what made it, how many renames, which record it undoes, the first
// rename) and then the renames in the order they were made, each with the
// device and inode of the entry it left under the new name. Listing reads headers only; the
// renames are read when a batch is undone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "text/byte_text.h"

namespace vantor {

// One rename a batch made: old name to new name, in its folder. identity is
// the entry the batch left under the new name; unknown in records written
// before identities were kept, and then not checked.
struct RecordedRename {
  ByteText oldName;
  ByteText newName;
  EntryIdentity identity = {};
};

// What the history window shows of a record, read from its header.
struct BatchSummary {
  std::string id;        // the record's file name; newer records have greater ids
  int64_t time = 0;      // seconds since the epoch
  ByteText folder;       // GBK, ending with "/"
  EntryIdentity folderIdentity;  // the folder the batch ran in; unknown in older records
  ByteText caption;      // what made the batch: "提交预览", "撤回", an operation's caption, ...
  int64_t count = 0;     // renames made
  std::string undoes;    // id of the record this batch took back; empty for other batches
  ByteText firstOld;     // the first rename made
  ByteText firstNew;
  bool undone = false;   // taken back by a batch that is not itself undone
};

struct HistoryLimits {
  size_t records = 200;               // newest records kept
  uint64_t bytes = 256ull << 20;      // all records together at most
};

// The records in one folder. Every file is read defensively: a regular file
// owned by the user, opened without following links or blocking, no larger
// than the size limit; anything else, or a file that does not parse, is
// passed over and left as it is.
class BatchHistory {
 public:
  // The user's history: the "history" folder under JournalFolder().
  BatchHistory();
  BatchHistory(std::string nativeFolder, HistoryLimits limits);

  const std::string& Folder() const { return folder_; }

  // Stores one record (folder 0700, file 0600, one write and one flush, made
  // visible under its own name only once complete), then drops the oldest
  // records beyond the limits. Nothing is stored for an empty batch, nor for
  // one whose record alone is larger than the size limit. Returns
  // the new record's id, or "" when nothing was stored.
  // folderIdentity is the folder the batch ran in (unknown: not checked
  // when the batch is undone).
  // Record("/d/", "手动改名", {{"a", "b"}}) == "batch-...".
  std::string Record(const ByteText& folder, const ByteText& caption, const std::vector<RecordedRename>& renames,
                     const std::string& undoes = {}, EntryIdentity folderIdentity = {}) const;

  // Every readable record, newest first, with its `undone` mark.
  std::vector<BatchSummary> List() const;

  // The renames of one record in the order they were made; nullopt when the
  // record is gone, damaged or foreign.
  std::optional<std::vector<RecordedRename>> Renames(const std::string& id) const;

  // The header of a record's bytes, and with renames given, its renames too;
  // nullopt for bytes that are not a whole record (a header alone when
  // renames is nullptr). Both record versions are read.
  // ParseRecord(bytes of Record("/d/", "op", {{"a", "b"}}), &r)->count == 1.
  static std::optional<BatchSummary> ParseRecord(std::string_view bytes, std::vector<RecordedRename>* renames);

  // Deletes every record file of the user's (damaged ones included).
  void Clear() const;

 private:
  std::string folder_;
  HistoryLimits limits_;
};

}  // namespace vantor
