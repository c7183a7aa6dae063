// SPDX-License-Identifier: GPL-3.0-or-later
// The crash journal: the moves a batch is about to make, written to the user's
// state folder before the first one and removed when the batch ends. A journal
// found later belongs to a run that stopped midway; walking its moves backwards
// puts the old names back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system_calls.h"
#include "platform/prompter.h"
#include "text/byte_text.h"

namespace vantor {

// One move on disk. A cycle starts with kPark (its first entry to the
// temporary name; `device`/`inode` tell that entry apart from the one that
// takes its name) and continues with kCycleMove, the last of which leaves the
// temporary name. A kExchange trades the names from and to of two entries
// at once; `device`/`inode` tell the one that stood under from. Any other
// move is a kMove.
struct JournalMove {
  enum Kind : char { kMove = 'M', kPark = 'P', kCycleMove = 'Y', kExchange = 'X' };
  Kind kind = kMove;
  ByteText from;
  ByteText to;
  uint64_t device = 0;
  uint64_t inode = 0;
};

// The native folder journals go to: the program's state folder (see
// platform/program_folders.h), or the folder set for tests.
// JournalFolder() == "/home/u/.local/state/vantor-rename".
std::string JournalFolder();
// Tests only: journals go to nativeFolder; empty goes back to the default.
void SetJournalFolderForTesting(const std::string& nativeFolder);

// The largest journal written or read: 128 MiB. A move takes at most 556
// bytes (two names of up to 255 bytes, a park's device and inode), so this
// holds a batch of 240,000 renames of the longest names, or of 1.5 million
// of names of 40 bytes; a batch whose journal would be larger is not started.
inline constexpr size_t kMaxJournalBytes = size_t{128} << 20;

class RenameJournal {
 public:
  explicit RenameJournal(const ByteText& directory, const FileSystemCalls* fs = nullptr);
  ~RenameJournal();
  RenameJournal(const RenameJournal&) = delete;
  RenameJournal& operator=(const RenameJournal&) = delete;

  void Add(JournalMove::Kind kind, std::string_view from, std::string_view to, uint64_t device = 0,
           uint64_t inode = 0);
  bool Write();
  // Leaves the file on disk, as a process that stopped would (tests).
  void Abandon();

 private:
  const FileSystemCalls& fs_;
  std::string bytes_;
  std::string path_;
  int descriptor_ = -1;
};

// Native paths of the journals in the folder that no running batch holds:
// regular files of the user whose name starts with "journal-" (a folder, a
// FIFO or a link of such a name is passed over, as is a journal set aside as
// damaged, whose name holds ".damaged").
std::vector<std::string> FindUnfinishedJournals();

// A journal file as read back. Reading keeps the file's bytes and where each
// move starts, nothing per field, so it costs at most about twice the file.
struct JournalFile {
  enum Status {
    kNotAJournal,  // not a regular file of the user (or gone): left alone
    kDamaged,      // over the size limit, or not a journal: a wrong header, a
                   // folder that is not absolute, a name that is not plain, ...
    kTruncated,    // a valid start that breaks off: the whole moves before count
    kWhole,
  };
  Status status = kNotAJournal;
  ByteText directory;  // the folder the batch renamed in, ending with "/"
  int renames = 0;     // renames the moves make (a cycle's way back from the temporary name is no rename)
  std::string bytes;
  std::vector<uint32_t> moves;  // offset in bytes of each whole move
};
// ReadJournal(path).status == JournalFile::kWhole for a journal a batch left.
JournalFile ReadJournal(const std::string& nativePath);
// The same check of bytes already read (kDamaged above the size limit).
JournalFile JournalFromBytes(std::string bytes);

// Walks the journal's moves backwards and turns back each one found done (its
// new name exists and its old one does not; a cycle found neither begun nor
// ended is passed over; an exchange is found done when the entry it noted
// stands under its other name, and is exchanged back), never replacing an
// entry. Returns how many entries got
// their old name back; 0 for a journal that is neither whole nor truncated.
// What it renamed becomes one batch of the history ("恢复"), so that it can be
// taken back too. Leaves the file.
int RestoreFromJournal(const JournalFile& journal);
int RestoreFromJournal(const std::string& nativePath);

// At start-up: a damaged journal is renamed with ".damaged" appended and named
// in one message ("改名记录已损坏，无法恢复：" + files); for each readable one
// the question names its folder and its number of renames (OK restores and
// tells how many, or, for a truncated journal, that the rest could not be
// read; Cancel leaves the names); the journals are removed either way.
// Nothing when none is left.
void OfferRecoveryOfUnfinishedRuns(Prompter& prompter);

}  // namespace vantor
