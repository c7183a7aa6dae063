// SPDX-License-Identifier: GPL-3.0-or-later
// A journal file: "VANTOR-JOURNAL-1", the directory, then per move its kind,
// old name and new name (a park also device and inode), every field ended by a
// NUL byte, which no name or path holds.
//
// A journal read back is trusted in nothing: it is opened without following
// links or waiting on a FIFO, read up to the size limit, and checked field by
// field before any of it is acted on.
#include "pipeline/rename_journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "entries/messages.h"
#include "pipeline/batch_history.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/program_folders.h"
#include "platform/read_whole_file.h"

namespace vantor {

namespace {

constexpr std::string_view kHeader = "VANTOR-JOURNAL-1";
constexpr std::string_view kFilePrefix = "journal-";
constexpr std::string_view kWritingPrefix = "writing-";

std::string& FolderForTesting() {
  static std::string folder;
  return folder;
}

bool MakeFolders(const FileSystemCalls& fs, const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (fs.MakeFolder(AT_FDCWD, part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  return (info.st_mode & 07777) == 0700 || ::chmod(path.c_str(), 0700) == 0;
}

void AddField(std::string& out, std::string_view field) {
  out.append(field);
  out.push_back('\0');
}

constexpr std::string_view kDamagedSuffix = ".damaged";
constexpr size_t kMaxNumberDigits = 20;  // of a 64-bit device or inode number

// One move of a journal, viewing its bytes.
struct MoveView {
  JournalMove::Kind kind = JournalMove::kMove;
  std::string_view from;
  std::string_view to;
  uint64_t device = 0;
  uint64_t inode = 0;
};

// Reads the field at pos up to its NUL; false when the bytes end first.
bool NextField(std::string_view bytes, size_t& pos, std::string_view& field) {
  const size_t end = bytes.find('\0', pos);
  if (end == std::string_view::npos) return false;
  field = bytes.substr(pos, end - pos);
  pos = end + 1;
  return true;
}

bool IsNumber(std::string_view field) {
  if (field.empty() || field.size() > kMaxNumberDigits) return false;
  for (char c : field) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

enum class MoveRead { kOk, kEnded, kInvalid };

// The move at pos, checked: a known kind, plain names, a park's numbers.
MoveRead ReadMove(std::string_view bytes, size_t& pos, MoveView& move) {
  std::string_view kind;
  if (!NextField(bytes, pos, kind)) return MoveRead::kEnded;
  if (kind.size() != 1 || (kind[0] != JournalMove::kMove && kind[0] != JournalMove::kPark &&
                           kind[0] != JournalMove::kCycleMove && kind[0] != JournalMove::kExchange)) {
    return MoveRead::kInvalid;
  }
  move.kind = static_cast<JournalMove::Kind>(kind[0]);
  if (!NextField(bytes, pos, move.from)) return MoveRead::kEnded;
  if (!IsPlainEntryName(move.from)) return MoveRead::kInvalid;
  if (!NextField(bytes, pos, move.to)) return MoveRead::kEnded;
  if (!IsPlainEntryName(move.to)) return MoveRead::kInvalid;
  if (move.kind == JournalMove::kExchange && move.from == move.to) return MoveRead::kInvalid;
  if (move.kind == JournalMove::kPark || move.kind == JournalMove::kExchange) {
    std::string_view device;
    std::string_view inode;
    if (!NextField(bytes, pos, device)) return MoveRead::kEnded;
    if (!IsNumber(device)) return MoveRead::kInvalid;
    if (!NextField(bytes, pos, inode)) return MoveRead::kEnded;
    if (!IsNumber(inode)) return MoveRead::kInvalid;
    move.device = std::strtoull(std::string(device).c_str(), nullptr, 10);
    move.inode = std::strtoull(std::string(inode).c_str(), nullptr, 10);
  }
  return MoveRead::kOk;
}

MoveView MoveAt(const JournalFile& journal, size_t k) {
  MoveView move;
  size_t pos = journal.moves[k];
  ReadMove(journal.bytes, pos, move);  // checked when the journal was read
  return move;
}

// A folder a journal may name: absolute, ending with the separator, with a
// native form.
bool IsJournalFolder(std::string_view directory) {
  return directory.size() >= 1 && directory.front() == kPathSeparator && directory.back() == kPathSeparator &&
         NativePath(ByteText(directory)).has_value();
}

// Checks bytes as a journal and notes where each whole move starts.
void ParseJournal(JournalFile& journal) {
  const std::string_view bytes = journal.bytes;
  size_t pos = 0;
  std::string_view header;
  std::string_view directory;
  journal.status = JournalFile::kDamaged;
  if (!NextField(bytes, pos, header) || header != kHeader || !NextField(bytes, pos, directory) ||
      !IsJournalFolder(directory)) {
    return;
  }
  journal.directory = ByteText(directory);
  // A cycle is a park, cycle moves, and last the move off its temporary name.
  std::string_view openCycle;
  bool inCycle = false;
  while (pos < bytes.size()) {
    const size_t start = pos;
    MoveView move;
    const MoveRead read = ReadMove(bytes, pos, move);
    if (read == MoveRead::kEnded) {
      journal.status = JournalFile::kTruncated;
      return;
    }
    if (read == MoveRead::kInvalid) return;
    if (move.kind == JournalMove::kPark) {
      if (inCycle) return;
      inCycle = true;
      openCycle = move.to;
    } else if (move.kind == JournalMove::kCycleMove) {
      if (!inCycle) return;
      if (move.from == openCycle) {
        inCycle = false;
        --journal.renames;  // the first entry's move was counted with the park
      }
    } else if (inCycle) {
      return;
    } else if (move.kind == JournalMove::kExchange) {
      ++journal.renames;  // two entries move
    }
    ++journal.renames;
    journal.moves.push_back(static_cast<uint32_t>(start));
  }
  journal.status = inCycle ? JournalFile::kTruncated : JournalFile::kWhole;
}

bool Exists(const ByteText& directory, std::string_view name) {
  return EntryTypeOf(directory, ByteText(name)) != EntryType::kMissing;
}

// True when name holds the entry the move recorded (a park's, an exchange's).
bool HoldsRecordedEntry(const ByteText& directory, std::string_view name, const MoveView& move) {
  const std::optional<std::string> path = NativeEntryPath(directory, ByteText(name));
  struct stat info {};
  if (!path || ::lstat(path->c_str(), &info) != 0) return false;
  return static_cast<uint64_t>(info.st_dev) == move.device && static_cast<uint64_t>(info.st_ino) == move.inode;
}

// True when the park's old name still holds the entry it parks.
bool HoldsParkedEntry(const ByteText& directory, const MoveView& park) {
  return HoldsRecordedEntry(directory, park.from, park);
}

// Stands for the entry between the two halves of an exchange in the moves a
// recovery made: holding a separator, never a name on disk.
constexpr std::string_view kExchanging("/exchanging");

// Exchanges back an exchange found done: its noted entry stands under its
// other name. Returns the entries that got their old name back (2 or 0).
int ExchangeBack(const JournalFile& journal, const DirectoryRenamer& renamer, const MoveView& exchange,
                 std::vector<RecordedRename>& made) {
  if (!HoldsRecordedEntry(journal.directory, exchange.to, exchange) || !Exists(journal.directory, exchange.from)) {
    return 0;
  }
  std::string a;
  std::string b;
  if (NativeEntryName(exchange.from, a) != 0 || NativeEntryName(exchange.to, b) != 0) return 0;
  if (!renamer.Exchange(a.c_str(), b.c_str())) return 0;
  // One step on disk, told as three moves in turn so that the record of the
  // recovery follows each entry.
  made.push_back({ByteText(exchange.from), ByteText(kExchanging)});
  made.push_back({ByteText(exchange.to), ByteText(exchange.from)});
  made.push_back({ByteText(kExchanging), ByteText(exchange.to)});
  return 2;
}

// Turns back moves[begin, end) newest first; returns how many entries got
// their old name back (a move back onto the temporary name is not one).
// Each move made is added to made.
int TurnBack(const JournalFile& journal, size_t begin, size_t end, std::string_view temporary,
             std::vector<RecordedRename>& made) {
  int restored = 0;
  for (size_t k = end; k-- > begin;) {
    const MoveView move = MoveAt(journal, k);
    if (!Exists(journal.directory, move.to) || Exists(journal.directory, move.from)) continue;
    if (!RenameEntry(journal.directory, ByteText(move.to), ByteText(move.from))) continue;
    made.push_back({ByteText(move.to), ByteText(move.from)});
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
  return ProgramStateFolder();
}

void SetJournalFolderForTesting(const std::string& nativeFolder) { FolderForTesting() = nativeFolder; }

RenameJournal::~RenameJournal() {
  if (descriptor_ < 0) return;
  fs_.Unlink(AT_FDCWD, path_.c_str(), 0);
  fs_.Close(descriptor_);
}

void RenameJournal::Abandon() {
  if (descriptor_ >= 0) fs_.Close(descriptor_);
  descriptor_ = -1;
}

RenameJournal::RenameJournal(const ByteText& directory, const FileSystemCalls* fs)
    : fs_(fs != nullptr ? *fs : CurrentFileSystem()) {
  AddField(bytes_, kHeader);
  AddField(bytes_, directory);
}

void RenameJournal::Add(JournalMove::Kind kind, std::string_view from, std::string_view to, uint64_t device,
                        uint64_t inode) {
  bytes_.push_back(static_cast<char>(kind));
  bytes_.push_back('\0');
  AddField(bytes_, from);
  AddField(bytes_, to);
  if (kind == JournalMove::kPark || kind == JournalMove::kExchange) {
    AddField(bytes_, std::to_string(device));
    AddField(bytes_, std::to_string(inode));
  }
}

bool RenameJournal::Write() {
  static std::atomic<unsigned> serial{0};
  const std::string folder = JournalFolder();
  if (bytes_.size() > kMaxJournalBytes || folder.empty() || folder.front() != '/' || !MakeFolders(fs_, folder)) {
    return false;
  }
  const std::string name = std::to_string(::getpid()) + "-" + std::to_string(serial.fetch_add(1));
  // Written under another name and locked before it takes its own, so that a
  // search never finds a journal still being written.
  const std::string writing = folder + "/" + std::string(kWritingPrefix) + name;
  path_ = folder + "/" + std::string(kFilePrefix) + name;
  const int descriptor = fs_.CreateFile(AT_FDCWD, writing.c_str(), 0600);
  if (descriptor < 0) return false;
  if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 || fs_.WriteAndFlush(descriptor, bytes_) != 0 ||
      fs_.Rename(AT_FDCWD, writing.c_str(), path_.c_str()) != 0) {
    fs_.Unlink(AT_FDCWD, writing.c_str(), 0);
    fs_.Close(descriptor);
    return false;
  }
  descriptor_ = descriptor;
  bytes_ = std::string();
  return true;
}

namespace {

// Regular files of the user in the folder whose name starts with prefix, and
// holds no ".damaged", that no running batch holds locked.
std::vector<std::string> UnlockedFiles(std::string_view prefix) {
  std::vector<std::string> found;
  const std::string folder = JournalFolder();
  DIR* stream = ::opendir(folder.c_str());
  if (stream == nullptr) return found;
  while (const dirent* entry = ::readdir(stream)) {
    const std::string_view name = entry->d_name;
    if (name.substr(0, prefix.size()) != prefix) continue;
    if (name.find(kDamagedSuffix) != std::string_view::npos) continue;  // set aside before
    const std::string path = folder + "/" + std::string(name);
    int descriptor = -1;
    if (OpenOwnFile(path, descriptor) != OwnFileStatus::kRead) continue;
    // A batch still running holds its journal locked.
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) found.push_back(path);
    ::close(descriptor);
  }
  ::closedir(stream);
  return found;
}

// Renames a damaged journal out of the way, never over another file; the new
// path, or empty when it could not be moved.
std::string SetAside(const std::string& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string aside = path + std::string(kDamagedSuffix);
    if (attempt > 0) {
      aside += '-';
      aside += std::to_string(attempt);
    }
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) return aside;
    if (errno == EEXIST) continue;
    if ((errno == EINVAL || errno == ENOSYS) && ::link(path.c_str(), aside.c_str()) == 0) {
      ::unlink(path.c_str());
      return aside;
    }
    if (errno != EEXIST) break;
  }
  return {};
}

// The GBK form of a native path for a message; the last part alone when the
// whole does not convert.
ByteText PathForMessage(const std::string& path) {
  if (std::optional<ByteText> gbk = GbkFromUtf8(path)) return *gbk;
  const std::string name = path.substr(path.rfind('/') + 1);
  return GbkFromUtf8(name).value_or(ByteText());
}

}  // namespace

std::vector<std::string> FindUnfinishedJournals() { return UnlockedFiles(kFilePrefix); }

namespace {

// Keeps nothing of a journal that is not acted on.
JournalFile& Emptied(JournalFile& journal) {
  if (journal.status == JournalFile::kDamaged || journal.status == JournalFile::kNotAJournal) {
    journal.bytes = std::string();
    journal.moves = {};
    journal.renames = 0;
  }
  return journal;
}

}  // namespace

JournalFile JournalFromBytes(std::string bytes) {
  JournalFile journal;
  journal.status = JournalFile::kDamaged;
  if (bytes.size() <= kMaxJournalBytes) {
    journal.bytes = std::move(bytes);
    ParseJournal(journal);
  }
  return std::move(Emptied(journal));
}

JournalFile ReadJournal(const std::string& nativePath) {
  JournalFile journal;
  switch (ReadOwnFile(nativePath, kMaxJournalBytes, journal.bytes)) {
    case OwnFileStatus::kRead:
      ParseJournal(journal);
      break;
    case OwnFileStatus::kTooLarge:
      journal.status = JournalFile::kDamaged;
      break;
    case OwnFileStatus::kNotOwnFile:
    case OwnFileStatus::kUnreadable:
      break;
  }
  return std::move(Emptied(journal));
}

int RestoreFromJournal(const std::string& nativePath) { return RestoreFromJournal(ReadJournal(nativePath)); }

int RestoreFromJournal(const JournalFile& journal) {
  if (journal.status != JournalFile::kWhole && journal.status != JournalFile::kTruncated) return 0;
  const size_t count = journal.moves.size();
  std::vector<RecordedRename> made;
  std::unordered_set<ByteText> temporaries;
  for (size_t k = 0; k < count; ++k) {
    const MoveView move = MoveAt(journal, k);
    if (move.kind == JournalMove::kPark) temporaries.insert(ByteText(move.to));
  }
  temporaries.insert(ByteText(kExchanging));
  int restored = 0;
  std::unique_ptr<DirectoryRenamer> renamer;  // the folder opened once, at the first exchange
  // Backwards, a cycle (park .. its last move) or a single move at a time.
  for (size_t end = count; end > 0;) {
    size_t begin = end - 1;
    MoveView first = MoveAt(journal, begin);
    if (first.kind == JournalMove::kCycleMove) {
      while (begin > 0 && first.kind == JournalMove::kCycleMove) first = MoveAt(journal, --begin);
      const MoveView& park = first;  // checked when read: a cycle starts with its park
      // Neither begun nor ended: the temporary name is free and the first
      // entry still holds its own name. Every name is its own then.
      const bool untouched = !Exists(journal.directory, park.to) && HoldsParkedEntry(journal.directory, park);
      if (!untouched) restored += TurnBack(journal, begin, end, park.to, made);
    } else if (first.kind == JournalMove::kPark) {
      if (!HoldsParkedEntry(journal.directory, first)) restored += TurnBack(journal, begin, end, first.to, made);
    } else if (first.kind == JournalMove::kExchange) {
      if (!renamer) renamer = std::make_unique<DirectoryRenamer>(journal.directory);
      restored += ExchangeBack(journal, *renamer, first, made);
    } else {
      restored += TurnBack(journal, begin, end, std::string_view(), made);
    }
    end = begin;
  }
  BatchHistory().Record(journal.directory, Gbk("恢复"), NetRenames(made, temporaries), {},
                        FolderIdentity(journal.directory));
  return restored;
}

void OfferRecoveryOfUnfinishedRuns(Prompter& prompter) {
  // A run stopped while writing its journal had not renamed anything yet.
  for (const std::string& path : UnlockedFiles(kWritingPrefix)) ::unlink(path.c_str());
  std::vector<JournalFile> readable;
  std::vector<std::string> paths;
  ByteText damaged;
  for (const std::string& path : FindUnfinishedJournals()) {
    JournalFile journal = ReadJournal(path);
    if (journal.status == JournalFile::kNotAJournal) continue;
    if (journal.status == JournalFile::kDamaged) {
      const std::string aside = SetAside(path);
      if (!damaged.empty()) damaged += "\r\n";
      damaged += PathForMessage(aside.empty() ? path : aside);
      continue;
    }
    readable.push_back(std::move(journal));
    paths.push_back(path);
  }
  if (!damaged.empty()) {
    prompter.Inform(Gbk("改名记录已损坏，无法恢复：") + damaged, messages::TitleReminder(),
                    MessageIcon::kInformation);
  }
  for (size_t i = 0; i < readable.size(); ++i) {
    const JournalFile& journal = readable[i];
    const bool restore = prompter.Confirm(
        Gbk("上次改名没有完成，程序意外退出了。\r\n文件夹：") + journal.directory + Gbk("（") +
            std::to_string(journal.renames) + Gbk("个文件）\r\n要把已经改过的文件恢复成原来的名字吗？"),
        messages::TitleReminder(), MessageIcon::kQuestion);
    if (restore) {
      const std::string restored = std::to_string(RestoreFromJournal(journal));
      prompter.Inform(journal.status == JournalFile::kTruncated
                          ? Gbk("改名记录不完整，已恢复") + restored + Gbk("个文件名，其余的无法读取")
                          : Gbk("已恢复") + restored + Gbk("个文件名"),
                      messages::TitleReminder(), MessageIcon::kInformation);
    }
    ::unlink(paths[i].c_str());
  }
}

}  // namespace vantor
