// The crash journal: the moves a batch is about to make, written to the user's
// state folder before the first one and removed when the batch ends. A journal
// found later belongs to a run that stopped midway; walking its moves backwards
// puts the old names back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/prompter.h"
#include "text/byte_text.h"

namespace vantor {

// One move on disk. A cycle starts with kPark (its first entry to the
// temporary name; `device`/`inode` tell that entry apart from the one that
// takes its name) and continues with kCycleMove, the last of which leaves the
// temporary name. Any other move is a kMove.
struct JournalMove {
  enum Kind : char { kMove = 'M', kPark = 'P', kCycleMove = 'Y' };
  Kind kind = kMove;
  ByteText from;
  ByteText to;
  uint64_t device = 0;
  uint64_t inode = 0;
};

// The native folder journals go to: $XDG_STATE_HOME/vantor-rename when
// XDG_STATE_HOME is set, else ~/.local/state/vantor-rename; or the folder set
// for tests. JournalFolder() == "/home/u/.local/state/vantor-rename".
std::string JournalFolder();
// Tests only: journals go to nativeFolder; empty goes back to the default.
void SetJournalFolderForTesting(const std::string& nativeFolder);

// The journal of one running batch in directory. Add collects the moves in
// memory, in the order they will be made; Write makes the folder (mode 0700)
// and a new file (mode 0600), holds an exclusive lock on it while the batch
// runs, and stores everything with one write and one fsync; false when any of
// that fails (nothing is left behind then). The file goes with the object.
class RenameJournal {
 public:
  explicit RenameJournal(const ByteText& directory);
  ~RenameJournal();
  RenameJournal(const RenameJournal&) = delete;
  RenameJournal& operator=(const RenameJournal&) = delete;

  void Add(JournalMove::Kind kind, std::string_view from, std::string_view to, uint64_t device = 0,
           uint64_t inode = 0);
  bool Write();
  // Leaves the file on disk, as a process that stopped would (tests).
  void Abandon();

 private:
  std::string bytes_;
  std::string path_;
  int descriptor_ = -1;
};

// Native paths of the journals in the folder that no running batch holds.
std::vector<std::string> FindUnfinishedJournals();

// Walks the journal's moves backwards and turns back each one found done (its
// new name exists and its old one does not; a cycle found neither begun nor
// ended is passed over), never replacing an entry. Returns how many entries got
// their old name back; 0 for a journal that cannot be read. What it renamed
// becomes one batch of the history ("恢复"), so that it can be taken back too.
// Leaves the file.
int RestoreFromJournal(const std::string& nativePath);

// At start-up: when journals are left, asks whether to put the old names back
// (OK restores and tells how many, Cancel leaves the names); the journals are
// removed either way. Nothing when none is left.
void OfferRecoveryOfUnfinishedRuns(Prompter& prompter);

}  // namespace vantor
