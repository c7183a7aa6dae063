// A journal file: "VANTOR-JOURNAL-1", the directory, then per move its kind,
// old name and new name (a park also device and inode), every field ended by a
// NUL byte, which no name or path holds.
#include "pipeline/rename_journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "entries/messages.h"
#include "pipeline/batch_history.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

constexpr std::string_view kHeader = "VANTOR-JOURNAL-1";
constexpr std::string_view kFilePrefix = "journal-";
constexpr std::string_view kWritingPrefix = "writing-";

std::string& FolderForTesting() {
  static std::string folder;
  return folder;
}

bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  return (info.st_mode & 07777) == 0700 || ::chmod(path.c_str(), 0700) == 0;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

void AddField(std::string& out, std::string_view field) {
  out.append(field);
  out.push_back('\0');
}

std::optional<std::string> ReadWhole(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (descriptor < 0) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  ssize_t got = 0;
  while ((got = ::read(descriptor, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<size_t>(got));
  ::close(descriptor);
  if (got < 0) return std::nullopt;
  return bytes;
}

struct ParsedJournal {
  ByteText directory;
  std::vector<JournalMove> moves;
};

std::optional<ParsedJournal> Parse(const std::string& bytes) {
  std::vector<std::string_view> fields;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    const size_t end = rest.find('\0');
    if (end == std::string_view::npos) return std::nullopt;
    fields.push_back(rest.substr(0, end));
    rest.remove_prefix(end + 1);
  }
  if (fields.size() < 2 || fields[0] != kHeader) return std::nullopt;
  ParsedJournal journal;
  journal.directory = ByteText(fields[1]);
  for (size_t i = 2; i < fields.size();) {
    if (fields[i].size() != 1 || i + 2 >= fields.size()) return std::nullopt;
    JournalMove move;
    move.kind = static_cast<JournalMove::Kind>(fields[i][0]);
    move.from = ByteText(fields[i + 1]);
    move.to = ByteText(fields[i + 2]);
    i += 3;
    if (move.kind == JournalMove::kPark) {
      if (i + 1 >= fields.size()) return std::nullopt;
      move.device = std::strtoull(std::string(fields[i]).c_str(), nullptr, 10);
      move.inode = std::strtoull(std::string(fields[i + 1]).c_str(), nullptr, 10);
      i += 2;
    } else if (move.kind != JournalMove::kMove && move.kind != JournalMove::kCycleMove) {
      return std::nullopt;
    }
    journal.moves.push_back(std::move(move));
  }
  return journal;
}

bool Exists(const ByteText& directory, const ByteText& name) {
  return EntryTypeOf(directory, name) != EntryType::kMissing;
}

// True when name still holds the entry the park recorded.
bool HoldsParkedEntry(const ByteText& directory, const JournalMove& park) {
  const std::optional<std::string> path = NativeEntryPath(directory, park.from);
  struct stat info {};
  if (!path || ::lstat(path->c_str(), &info) != 0) return false;
  return static_cast<uint64_t>(info.st_dev) == park.device && static_cast<uint64_t>(info.st_ino) == park.inode;
}

// Turns back moves[begin, end) newest first; returns how many entries got
// their old name back (a move back onto the temporary name is not one).
// Each move made is added to made.
int TurnBack(const ParsedJournal& journal, size_t begin, size_t end, const ByteText& temporary,
             std::vector<RecordedRename>& made) {
  int restored = 0;
  for (size_t k = end; k-- > begin;) {
    const JournalMove& move = journal.moves[k];
    if (!Exists(journal.directory, move.to) || Exists(journal.directory, move.from)) continue;
    if (!RenameEntry(journal.directory, move.to, move.from)) continue;
    made.push_back({move.to, move.from});
    if (move.from != temporary) ++restored;
  }
  return restored;
}

// What moves made one after the other did to each entry, from its first name
// to its last; temporary names in between drop out, and so does an entry that
// ends where it began or that starts or ends on a temporary name (an undo must
// never move an entry onto one).
std::vector<RecordedRename> NetRenames(const std::vector<RecordedRename>& moves,
                                       const std::unordered_set<ByteText>& temporaries) {
  std::unordered_map<ByteText, size_t> entryAt;  // current name -> index into net
  std::vector<RecordedRename> net;
  for (const RecordedRename& move : moves) {
    const auto found = entryAt.find(move.oldName);
    size_t entry = net.size();
    if (found == entryAt.end()) {
      net.push_back({move.oldName, move.newName});
    } else {
      entry = found->second;
      entryAt.erase(found);
      net[entry].newName = move.newName;
    }
    entryAt[move.newName] = entry;
  }
  std::erase_if(net, [&temporaries](const RecordedRename& rename) {
    return rename.oldName == rename.newName || temporaries.count(rename.oldName) != 0 ||
           temporaries.count(rename.newName) != 0;
  });
  return net;
}

}  // namespace

std::string JournalFolder() {
  if (!FolderForTesting().empty()) return FolderForTesting();
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && *state != '\0') return std::string(state) + "/vantor-rename";
  const char* home = std::getenv("HOME");
  std::string base = home != nullptr ? home : "";
  if (base.empty()) {
    const passwd* user = ::getpwuid(::getuid());
    if (user != nullptr && user->pw_dir != nullptr) base = user->pw_dir;
  }
  return base + "/.local/state/vantor-rename";
}

void SetJournalFolderForTesting(const std::string& nativeFolder) { FolderForTesting() = nativeFolder; }

RenameJournal::~RenameJournal() {
  if (descriptor_ < 0) return;
  ::unlink(path_.c_str());
  ::close(descriptor_);
}

void RenameJournal::Abandon() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
}

RenameJournal::RenameJournal(const ByteText& directory) {
  AddField(bytes_, kHeader);
  AddField(bytes_, directory);
}

void RenameJournal::Add(JournalMove::Kind kind, std::string_view from, std::string_view to, uint64_t device,
                        uint64_t inode) {
  bytes_.push_back(static_cast<char>(kind));
  bytes_.push_back('\0');
  AddField(bytes_, from);
  AddField(bytes_, to);
  if (kind == JournalMove::kPark) {
    AddField(bytes_, std::to_string(device));
    AddField(bytes_, std::to_string(inode));
  }
}

bool RenameJournal::Write() {
  static std::atomic<unsigned> serial{0};
  const std::string folder = JournalFolder();
  if (folder.empty() || folder.front() != '/' || !MakeFolders(folder)) return false;
  const std::string name = std::to_string(::getpid()) + "-" + std::to_string(serial.fetch_add(1));
  // Written under another name and locked before it takes its own, so that a
  // search never finds a journal still being written.
  const std::string writing = folder + "/" + std::string(kWritingPrefix) + name;
  path_ = folder + "/" + std::string(kFilePrefix) + name;
  const int descriptor = ::open(writing.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (descriptor < 0) return false;
  if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 || !WriteAll(descriptor, bytes_) || ::fsync(descriptor) != 0 ||
      ::rename(writing.c_str(), path_.c_str()) != 0) {
    ::unlink(writing.c_str());
    ::close(descriptor);
    return false;
  }
  descriptor_ = descriptor;
  bytes_ = std::string();
  return true;
}

namespace {

// Files of the folder whose name starts with prefix and that no running
// batch holds locked.
std::vector<std::string> UnlockedFiles(std::string_view prefix) {
  std::vector<std::string> found;
  const std::string folder = JournalFolder();
  DIR* stream = ::opendir(folder.c_str());
  if (stream == nullptr) return found;
  while (const dirent* entry = ::readdir(stream)) {
    const std::string_view name = entry->d_name;
    if (name.substr(0, prefix.size()) != prefix) continue;
    const std::string path = folder + "/" + std::string(name);
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) continue;
    // A batch still running holds its journal locked.
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) found.push_back(path);
    ::close(descriptor);
  }
  ::closedir(stream);
  return found;
}

}  // namespace

std::vector<std::string> FindUnfinishedJournals() { return UnlockedFiles(kFilePrefix); }

int RestoreFromJournal(const std::string& nativePath) {
  const std::optional<std::string> bytes = ReadWhole(nativePath);
  if (!bytes) return 0;
  const std::optional<ParsedJournal> journal = Parse(*bytes);
  if (!journal) return 0;
  const std::vector<JournalMove>& moves = journal->moves;
  std::vector<RecordedRename> made;
  std::unordered_set<ByteText> temporaries;
  for (const JournalMove& move : moves) {
    if (move.kind == JournalMove::kPark) temporaries.insert(move.to);
  }
  int restored = 0;
  // Backwards, a cycle (park .. its last move) or a single move at a time.
  for (size_t end = moves.size(); end > 0;) {
    size_t begin = end - 1;
    if (moves[begin].kind == JournalMove::kCycleMove) {
      while (begin > 0 && moves[begin].kind == JournalMove::kCycleMove) --begin;
      if (moves[begin].kind != JournalMove::kPark) break;
      const JournalMove& park = moves[begin];
      // Neither begun nor ended: the temporary name is free and the first
      // entry still holds its own name. Every name is its own then.
      const bool untouched = !Exists(journal->directory, park.to) && HoldsParkedEntry(journal->directory, park);
      if (!untouched) restored += TurnBack(*journal, begin, end, park.to, made);
    } else if (moves[begin].kind == JournalMove::kPark) {
      if (!HoldsParkedEntry(journal->directory, moves[begin])) restored += TurnBack(*journal, begin, end, moves[begin].to, made);
    } else {
      restored += TurnBack(*journal, begin, end, ByteText(), made);
    }
    end = begin;
  }
  BatchHistory().Record(journal->directory, Gbk("恢复"), NetRenames(made, temporaries));
  return restored;
}

void OfferRecoveryOfUnfinishedRuns(Prompter& prompter) {
  // A run stopped while writing its journal had not renamed anything yet.
  for (const std::string& path : UnlockedFiles(kWritingPrefix)) ::unlink(path.c_str());
  const std::vector<std::string> journals = FindUnfinishedJournals();
  if (journals.empty()) return;
  const bool restore = prompter.Confirm(
      Gbk("上次改名没有完成，程序意外退出了。\r\n要把已经改过的文件恢复成原来的名字吗？"),
      messages::TitleReminder(), MessageIcon::kQuestion);
  int restored = 0;
  for (const std::string& path : journals) {
    if (restore) restored += RestoreFromJournal(path);
    ::unlink(path.c_str());
  }
  if (restore) {
    prompter.Inform(Gbk("已恢复") + std::to_string(restored) + Gbk("个文件名"), messages::TitleReminder(),
                    MessageIcon::kInformation);
  }
}

}  // namespace vantor
