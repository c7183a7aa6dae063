// SPDX-License-Identifier: GPL-3.0-or-later
// A record file: "VANTOR-HISTORY-2", then the header fields time, folder,
// caption, count, undoes, first old name, first new name, the folder's device
// and inode, then per rename old name, new name, and the device and inode of
// the entry under the new name (decimal; 0 and 0 when unknown); every field
// ended by a NUL byte, which no name or path holds. Records of version 1 lack
// the identities (the header ends with the first new name, a rename is its
// two names) and are still read. The header comes first and is short, so a listing reads a small
// prefix of each file.
#include "pipeline/batch_history.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <unordered_set>

#include "pipeline/rename_journal.h"

namespace vantor {

namespace {

constexpr std::string_view kMagic = "VANTOR-HISTORY-2";
constexpr std::string_view kMagicWithoutIdentities = "VANTOR-HISTORY-1";
constexpr std::string_view kPrefix = "batch-";
constexpr std::string_view kWritingPrefix = ".writing-";
constexpr int kHeaderFields = 10;              // the magic included
constexpr int kHeaderFieldsWithoutIdentities = 8;
// A path is at most 4096 bytes and a name 255: the header fits easily.
constexpr size_t kHeaderReadBytes = 16384;

bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return false;
  return (info.st_mode & 07777) == 0700 || ::chmod(path.c_str(), 0700) == 0;
}

void AddField(std::string& out, std::string_view field) {
  out.append(field);
  out.push_back('\0');
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

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// A record file opened for reading, or none when it is not one of the user's
// regular files or is larger than maxBytes.
class RecordFile {
 public:
  RecordFile(const std::string& path, uint64_t maxBytes) {
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor_ < 0) return;
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid() ||
        static_cast<uint64_t>(info.st_size) > maxBytes) {
      ::close(descriptor_);
      descriptor_ = -1;
      return;
    }
    size_ = static_cast<uint64_t>(info.st_size);
  }
  ~RecordFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  bool Open() const { return descriptor_ >= 0; }
  uint64_t Size() const { return size_; }

  // Up to bytes bytes from the start.
  std::optional<std::string> Read(size_t bytes) const {
    std::string text(std::min<uint64_t>(bytes, size_), '\0');
    size_t got = 0;
    while (got < text.size()) {
      const ssize_t part = ::pread(descriptor_, text.data() + got, text.size() - got, static_cast<off_t>(got));
      if (part < 0 && errno == EINTR) continue;
      if (part < 0) return std::nullopt;
      if (part == 0) break;
      got += static_cast<size_t>(part);
    }
    text.resize(got);
    return text;
  }

 private:
  int descriptor_ = -1;
  uint64_t size_ = 0;
};

// Splits off the next NUL-ended field of rest; false when none is left.
bool NextField(std::string_view& rest, std::string_view& field) {
  const size_t end = rest.find('\0');
  if (end == std::string_view::npos) return false;
  field = rest.substr(0, end);
  rest.remove_prefix(end + 1);
  return true;
}

// Parses the header at the start of bytes; rest is left at the renames and
// withIdentities tells the record's version.
std::optional<BatchSummary> ParseHeader(std::string_view& rest, bool& withIdentities) {
  std::string_view fields[kHeaderFields];
  if (!NextField(rest, fields[0])) return std::nullopt;
  withIdentities = fields[0] == kMagic;
  if (!withIdentities && fields[0] != kMagicWithoutIdentities) return std::nullopt;
  const int count = withIdentities ? kHeaderFields : kHeaderFieldsWithoutIdentities;
  for (int i = 1; i < count; ++i) {
    if (!NextField(rest, fields[i])) return std::nullopt;
  }
  BatchSummary summary;
  if (!ParseNumber(fields[1], summary.time) || !ParseNumber(fields[4], summary.count) || summary.count < 1 ||
      fields[2].empty()) {
    return std::nullopt;
  }
  if (withIdentities &&
      (!ParseNumber(fields[8], summary.folderIdentity.device) || !ParseNumber(fields[9], summary.folderIdentity.inode))) {
    return std::nullopt;
  }
  summary.folder = ByteText(fields[2]);
  summary.caption = ByteText(fields[3]);
  summary.undoes = std::string(fields[5]);
  summary.firstOld = ByteText(fields[6]);
  summary.firstNew = ByteText(fields[7]);
  return summary;
}

bool IsRecordName(std::string_view name) { return name.substr(0, kPrefix.size()) == kPrefix; }

// Names of the record files in folder, oldest first.
std::vector<std::string> RecordNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* stream = ::opendir(folder.c_str());
  if (stream == nullptr) return names;
  while (const dirent* entry = ::readdir(stream)) {
    if (IsRecordName(entry->d_name)) names.emplace_back(entry->d_name);
  }
  ::closedir(stream);
  std::sort(names.begin(), names.end());
  return names;
}

// A new record's name: the time in nanoseconds, fixed width, so that names
// sort as the records were made; the process and a counter keep two records
// of the same instant apart.
std::string NewRecordName() {
  static std::atomic<unsigned> serial{0};
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const long long nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
  char name[96];
  std::snprintf(name, sizeof name, "%s%020lld-%d-%06u", std::string(kPrefix).c_str(), nanoseconds,
                static_cast<int>(::getpid()), serial.fetch_add(1) % 1000000u);
  return name;
}

}  // namespace

BatchHistory::BatchHistory() : BatchHistory(JournalFolder() + "/history", HistoryLimits{}) {}

BatchHistory::BatchHistory(std::string nativeFolder, HistoryLimits limits)
    : folder_(std::move(nativeFolder)), limits_(limits) {}

std::string BatchHistory::Record(const ByteText& folder, const ByteText& caption,
                                 const std::vector<RecordedRename>& renames, const std::string& undoes,
                                 EntryIdentity folderIdentity) const {
  if (renames.empty() || folder_.empty() || folder_.front() != '/') return {};
  size_t bytes = kMagic.size() + folder.size() + caption.size() + undoes.size() + 128;
  for (const RecordedRename& rename : renames) bytes += rename.oldName.size() + rename.newName.size() + 44;
  std::string text;
  text.reserve(bytes + renames.front().oldName.size() + renames.front().newName.size());
  AddField(text, kMagic);
  AddField(text, std::to_string(std::chrono::duration_cast<std::chrono::seconds>(
                                    std::chrono::system_clock::now().time_since_epoch())
                                    .count()));
  AddField(text, folder);
  AddField(text, caption);
  AddField(text, std::to_string(renames.size()));
  AddField(text, undoes);
  AddField(text, renames.front().oldName);
  AddField(text, renames.front().newName);
  AddField(text, std::to_string(folderIdentity.device));
  AddField(text, std::to_string(folderIdentity.inode));
  for (const RecordedRename& rename : renames) {
    AddField(text, rename.oldName);
    AddField(text, rename.newName);
    AddField(text, std::to_string(rename.identity.device));
    AddField(text, std::to_string(rename.identity.inode));
  }
  if (text.size() > limits_.bytes || !MakeFolders(folder_)) return {};

  const std::string name = NewRecordName();
  const std::string writing = folder_ + "/" + std::string(kWritingPrefix) + name;
  const int descriptor = ::open(writing.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (descriptor < 0) return {};
  const bool written = WriteAll(descriptor, text) && ::fdatasync(descriptor) == 0;
  ::close(descriptor);
  if (!written || ::rename(writing.c_str(), (folder_ + "/" + name).c_str()) != 0) {
    ::unlink(writing.c_str());
    return {};
  }

  // The oldest go first: beyond the count, then while all together are too
  // large. Only the user's own record files count.
  std::vector<std::pair<std::string, uint64_t>> records;
  uint64_t total = 0;
  for (std::string& record : RecordNames(folder_)) {
    struct stat info {};
    if (::lstat((folder_ + "/" + record).c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::getuid()) {
      continue;
    }
    total += static_cast<uint64_t>(info.st_size);
    records.emplace_back(std::move(record), static_cast<uint64_t>(info.st_size));
  }
  for (size_t i = 0; i + 1 < records.size() && (records.size() - i > limits_.records || total > limits_.bytes); ++i) {
    ::unlink((folder_ + "/" + records[i].first).c_str());
    total -= records[i].second;
  }
  return name;
}

std::vector<BatchSummary> BatchHistory::List() const {
  std::vector<BatchSummary> summaries;
  const std::vector<std::string> names = RecordNames(folder_);
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    const RecordFile file(folder_ + "/" + *name, limits_.bytes);
    if (!file.Open()) continue;
    const std::optional<std::string> head = file.Read(kHeaderReadBytes);
    if (!head) continue;
    std::optional<BatchSummary> summary = ParseRecord(*head, nullptr);
    if (!summary) continue;
    summary->id = *name;
    summaries.push_back(std::move(*summary));
  }
  // Newest first: a batch is undone when a live batch took it back; a batch
  // that is itself undone takes nothing back.
  std::unordered_set<std::string> undone;
  for (BatchSummary& summary : summaries) {
    summary.undone = undone.count(summary.id) != 0;
    if (!summary.undone && !summary.undoes.empty()) undone.insert(summary.undoes);
  }
  return summaries;
}

std::optional<std::vector<RecordedRename>> BatchHistory::Renames(const std::string& id) const {
  if (!IsRecordName(id) || id.find('/') != std::string::npos) return std::nullopt;
  const RecordFile file(folder_ + "/" + id, limits_.bytes);
  if (!file.Open()) return std::nullopt;
  const std::optional<std::string> bytes = file.Read(file.Size());
  if (!bytes || bytes->size() != file.Size()) return std::nullopt;
  std::vector<RecordedRename> renames;
  if (!ParseRecord(*bytes, &renames)) return std::nullopt;
  return renames;
}

std::optional<BatchSummary> BatchHistory::ParseRecord(std::string_view bytes, std::vector<RecordedRename>* renames) {
  std::string_view rest = bytes;
  bool withIdentities = false;
  std::optional<BatchSummary> summary = ParseHeader(rest, withIdentities);
  if (!summary || renames == nullptr) return summary;
  // Each rename takes at least two bytes (two NULs), four more with identities.
  const size_t leastBytes = withIdentities ? 6 : 2;
  if (static_cast<uint64_t>(summary->count) > rest.size() / leastBytes) return std::nullopt;
  renames->clear();
  renames->reserve(static_cast<size_t>(summary->count));
  for (int64_t i = 0; i < summary->count; ++i) {
    std::string_view oldName;
    std::string_view newName;
    if (!NextField(rest, oldName) || !NextField(rest, newName) || oldName.empty() || newName.empty()) {
      return std::nullopt;
    }
    RecordedRename& rename = renames->emplace_back(RecordedRename{ByteText(oldName), ByteText(newName)});
    if (withIdentities) {
      std::string_view device;
      std::string_view inode;
      if (!NextField(rest, device) || !NextField(rest, inode) || !ParseNumber(device, rename.identity.device) ||
          !ParseNumber(inode, rename.identity.inode)) {
        return std::nullopt;
      }
    }
  }
  if (!rest.empty()) return std::nullopt;
  return summary;
}

void BatchHistory::Clear() const {
  for (const std::string& name : RecordNames(folder_)) {
    const std::string path = folder_ + "/" + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::getuid()) {
      ::unlink(path.c_str());
    }
  }
}

}  // namespace vantor
