// SPDX-License-Identifier: GPL-3.0-or-later
// Names on disk: every GBK path is converted to UTF-8 losslessly or the call
// refuses. Renames never replace an existing entry.
//
// A batch renames through DirectoryRenamer, by names relative to its opened
// folder. RenameEntry serves single renames and the recovery of a journal,
// which may also run 100,000 times against the same directory, so it keeps
// the last directory's native form per thread, builds the full paths in
// reused per-thread buffers and copies ASCII names without converting them.
// Its cost stays close to that of the bare system call (see
// bench/rename_bench.cpp).
#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>  // renameat2, RENAME_NOREPLACE (glibc >= 2.28 with _GNU_SOURCE)
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system_calls.h"

namespace vantor {
namespace {

// Appends the native form of a name that holds no NUL: a byte text converted
// losslessly, or the bytes of a raw stand-in; false when it does not convert.
bool AppendNative(std::string& out, std::string_view gbk) {
  if (IsAsciiText(gbk)) {
    out += gbk;
    return true;
  }
  if (IsRawNativeName(gbk)) {
    const std::string_view native = gbk.substr(kRawNamePrefix.size());
    if (native.empty() || native == "." || native == "..") return false;
    out += native;
    return true;
  }
  std::optional<std::string> native = Utf8FromGbk(gbk);
  if (!native) return false;
  out += *native;
  return true;
}

struct RenameBuffers {
  // The directory of the previous call and its native form, valid when
  // haveDirectory; a batch renames inside one directory.
  ByteText directory;
  std::string nativeDirectory;
  bool haveDirectory = false;
  std::string oldPath;
  std::string newPath;
};

RenameBuffers& ThreadRenameBuffers() {
  thread_local RenameBuffers buffers;
  return buffers;
}

// The native form of directory, from the per-thread cache when it is the
// directory of the previous call; nullptr when it does not convert.
const std::string* NativeDirectory(RenameBuffers& buffers, const ByteText& directory) {
  if (buffers.haveDirectory && buffers.directory == directory) return &buffers.nativeDirectory;
  std::optional<std::string> native = NativePath(directory);
  if (!native) return nullptr;
  buffers.directory = directory;
  buffers.nativeDirectory = std::move(*native);
  buffers.haveDirectory = true;
  return &buffers.nativeDirectory;
}

constexpr int kTemporaryNameAttempts = 1000;

// Every move below goes through fs, by names relative to dirFd (AT_FDCWD:
// full paths).

// Moves a non-directory from oldName to newName by a hard link plus unlink of
// the old name: the link fails when newName exists, so nothing is replaced.
bool MoveByLink(const FileSystemCalls& fs, int dirFd, const char* oldName, const char* newName) {
  if (fs.Link(dirFd, oldName, newName) != 0) return false;
  if (fs.Unlink(dirFd, oldName, 0) != 0) {
    const int error = errno;
    fs.Unlink(dirFd, newName, 0);  // back to the single old name
    errno = error;
    return false;
  }
  return true;
}

// Moves oldName to newName on a drive that knows neither RENAME_NOREPLACE nor
// hard links: the new name is first taken exclusively by an empty placeholder
// of the same kind (a file made with O_EXCL, a folder made with mkdir), which
// fails when the name exists; the plain rename then replaces only that
// placeholder. When the rename fails the placeholder goes again.
bool MoveOntoPlaceholder(const FileSystemCalls& fs, int dirFd, const char* oldName, const char* newName, bool folder) {
  if (folder) {
    if (fs.MakeFolder(dirFd, newName, 0700) != 0) return false;
  } else {
    const int fd = fs.CreateFile(dirFd, newName, 0600);
    if (fd < 0) return false;
    fs.Close(fd);
  }
  if (fs.Rename(dirFd, oldName, newName) == 0) return true;
  const int error = errno;
  fs.Unlink(dirFd, newName, folder ? AT_REMOVEDIR : 0);
  errno = error;
  return false;
}

// The way around a file system that refuses RENAME_NOREPLACE: a hard link for
// a file where the drive has them, else the placeholder.
bool MoveWithoutNoReplace(const FileSystemCalls& fs, int dirFd, const char* oldName, const char* newName) {
  struct stat source {};
  if (fs.StatAt(dirFd, oldName, source) != 0) return false;
  const bool folder = S_ISDIR(source.st_mode);
  if (!folder) {
    if (MoveByLink(fs, dirFd, oldName, newName)) return true;
    if (errno == EEXIST || errno == ENOENT) return false;
  }
  return MoveOntoPlaceholder(fs, dirFd, oldName, newName, folder);
}

// Moves oldName to newName, never replacing an entry.
bool MoveNoReplace(const FileSystemCalls& fs, int dirFd, const char* oldName, const char* newName) {
  if (fs.RenameNoReplace(dirFd, oldName, newName) == 0) return true;
  // EINVAL: the file system does not know the flag (the other causes of
  // EINVAL cannot arise between two names of one directory); ENOSYS: a kernel
  // without renameat2.
  if (errno != EINVAL && errno != ENOSYS) return false;
  return MoveWithoutNoReplace(fs, dirFd, oldName, newName);
}

// Two names of one folder as the moves take them: relative to dirFd, or full
// paths (dirFd AT_FDCWD) whose first directoryLength bytes are the folder.
struct MoveNames {
  const FileSystemCalls& fs;
  int dirFd;
  const std::string& oldName;
  const std::string& newName;
  size_t directoryLength;
  const std::string& nativeDirectory;
};

// Moves oldName to newName by way of a free temporary name in the same
// folder; back to oldName when the second step fails.
bool MoveThroughTemporaryName(const MoveNames& move) {
  static std::atomic<unsigned> serial{0};
  std::string temporary;
  for (int attempt = 0;; ++attempt) {
    temporary = move.oldName.substr(0, move.directoryLength) + ".vantor-case-" + std::to_string(getpid()) + "-" +
                std::to_string(serial.fetch_add(1)) + ".tmp";
    if (MoveNoReplace(move.fs, move.dirFd, move.oldName.c_str(), temporary.c_str())) break;
    if (errno != EEXIST || attempt == kTemporaryNameAttempts) return false;
  }
  if (MoveNoReplace(move.fs, move.dirFd, temporary.c_str(), move.newName.c_str())) return true;
  const int error = errno;
  MoveNoReplace(move.fs, move.dirFd, temporary.c_str(), move.oldName.c_str());
  errno = error;
  return false;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// True when the folder (dirFd, or the path when dirFd is AT_FDCWD) has an
// entry named exactly name (bytes compared).
bool DirectoryHoldsExactName(int dirFd, const std::string& directory, const char* name) {
  DIR* folder = nullptr;
  if (dirFd == AT_FDCWD) {
    folder = opendir(directory.c_str());
  } else {
    const int fd = openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    folder = fd >= 0 ? fdopendir(fd) : nullptr;
    if (folder == nullptr && fd >= 0) close(fd);
  }
  if (folder == nullptr) return true;  // cannot tell: assume another entry
  bool found = false;
  while (const dirent* entry = readdir(folder)) {
    if (std::strcmp(entry->d_name, name) == 0) {
      found = true;
      break;
    }
  }
  closedir(folder);
  return found;
}

// True when two names of one folder that differ only in letter case name one
// and the same entry, as on a case-insensitive file system. Hard links of one
// file under two unrelated names do not count. Through FUSE the two names may
// get different inode numbers; then the entry must look the same under both
// and the folder must hold no entry spelled exactly like the new name.
bool SameEntryInAnotherCase(const MoveNames& move) {
  if (!EqualIgnoringAsciiCase(move.oldName, move.newName)) return false;
  struct stat oldStatus {};
  struct stat newStatus {};
  if (move.fs.StatAt(move.dirFd, move.oldName.c_str(), oldStatus) != 0 ||
      move.fs.StatAt(move.dirFd, move.newName.c_str(), newStatus) != 0 || oldStatus.st_dev != newStatus.st_dev) {
    return false;
  }
  if (oldStatus.st_ino == newStatus.st_ino) return true;
  const bool lookAlike = oldStatus.st_mode == newStatus.st_mode && oldStatus.st_size == newStatus.st_size &&
                         oldStatus.st_mtim.tv_sec == newStatus.st_mtim.tv_sec &&
                         oldStatus.st_mtim.tv_nsec == newStatus.st_mtim.tv_nsec;
  return lookAlike && !DirectoryHoldsExactName(move.dirFd, move.nativeDirectory,
                                               move.newName.c_str() + move.directoryLength);
}

// After renameat2 with RENAME_NOREPLACE refused the move with error: the ways
// around a file system that does not know the flag, and around a change of
// letter case where both names are one entry.
bool MoveAfterRefusal(int error, const MoveNames& move) {
  if (error == EINVAL || error == ENOSYS) {
    if (MoveWithoutNoReplace(move.fs, move.dirFd, move.oldName.c_str(), move.newName.c_str())) return true;
    error = errno;
  }
  if (error == EEXIST && SameEntryInAnotherCase(move)) return MoveThroughTemporaryName(move);
  errno = error;
  return false;
}

// A folder or a symbolic link to one.
bool IsFolderEntry(int folderFd, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat target;
  return fstatat(folderFd, entry.d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

int64_t Nanoseconds(int64_t seconds, int64_t nanoseconds) {
  return seconds * 1'000'000'000 + nanoseconds;
}

}  // namespace

ByteText RawNativeName(std::string_view native) { return ByteText(kRawNamePrefix) + ByteText(native); }

bool IsRawNativeName(std::string_view name) { return name.starts_with(kRawNamePrefix); }

bool IsPlainEntryName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  bool refused = false;  // one pass without early exit, which the compiler vectorises
  for (char byte : name) refused |= byte == kPathSeparator || byte == '\0';
  return !refused;
}

std::optional<std::string> NativePath(const ByteText& gbkPath) { return Utf8FromGbk(gbkPath); }

// A directory that does not end with the separator is refused as well: glued
// to a name it would point into its parent.
//
// Renaming a name to itself is checked like any other call (plain names that
// convert) and then succeeds without touching the disk, whether or not the
// entry exists.
bool RenameEntry(const ByteText& directory, const ByteText& oldName, const ByteText& newName) {
  if (directory.empty() || directory.back() != kPathSeparator || !IsPlainEntryName(oldName) ||
      !IsPlainEntryName(newName)) {
    errno = EINVAL;
    return false;
  }

  RenameBuffers& buffers = ThreadRenameBuffers();
  const std::string* nativeDirectory = NativeDirectory(buffers, directory);
  buffers.oldPath.clear();
  buffers.newPath.clear();
  if (nativeDirectory == nullptr || !AppendNative(buffers.oldPath.append(*nativeDirectory), oldName) ||
      !AppendNative(buffers.newPath.append(*nativeDirectory), newName)) {
    errno = EILSEQ;
    return false;
  }
  if (oldName == newName) return true;
  const FileSystemCalls& fs = CurrentFileSystem();
  if (fs.RenameNoReplace(AT_FDCWD, buffers.oldPath.c_str(), buffers.newPath.c_str()) == 0) return true;
  return MoveAfterRefusal(errno, {fs, AT_FDCWD, buffers.oldPath, buffers.newPath, nativeDirectory->size(), *nativeDirectory});
}

int NativeEntryName(std::string_view gbkName, std::string& out) {
  out.clear();
  if (!IsPlainEntryName(gbkName)) return EINVAL;
  return AppendNative(out, gbkName) ? 0 : EILSEQ;
}

DirectoryRenamer::DirectoryRenamer(const ByteText& directory, const FileSystemCalls* fs)
    : fs_(fs != nullptr ? *fs : CurrentFileSystem()) {
  if (directory.empty() || directory.back() != kPathSeparator) return;
  std::optional<std::string> native = NativePath(directory);
  if (!native) return;
  nativeDirectory_ = std::move(*native);
  directoryFd_ = fs_.OpenFolder(nativeDirectory_.c_str());
  if (directoryFd_ >= 0) {
    struct stat status {};
    if (fs_.StatAt(directoryFd_, "", status) == 0) {
      folder_ = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
    }
  }
  valid_ = true;
}

DirectoryRenamer::~DirectoryRenamer() {
  if (directoryFd_ >= 0) fs_.Close(directoryFd_);
}

EntryIdentity DirectoryRenamer::IdentityOf(const char* name) const {
  struct stat status {};
  const int result = directoryFd_ >= 0 ? fs_.StatAt(directoryFd_, name, status)
                                        : fs_.StatAt(AT_FDCWD, (nativeDirectory_ + name).c_str(), status);
  if (!valid_ || result != 0) return {};
  return {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

bool DirectoryRenamer::CanExchange() const { return valid_ && directoryFd_ >= 0 && fs_.CanExchange(directoryFd_); }

bool DirectoryRenamer::Exchange(const char* a, const char* b) const {
  if (!valid_ || directoryFd_ < 0) {
    errno = EINVAL;
    return false;
  }
  return fs_.Exchange(directoryFd_, a, b) == 0;
}

bool DirectoryRenamer::Rename(const char* oldName, const char* newName) const {
  if (!valid_) {
    errno = EINVAL;
    return false;
  }
  if (std::strcmp(oldName, newName) == 0) return true;
  // Relative to the opened directory the kernel looks up one component per
  // name; when it could not be opened, the full paths say the same.
  if (directoryFd_ >= 0) {
    if (fs_.RenameNoReplace(directoryFd_, oldName, newName) == 0) return true;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != EEXIST) return false;
    const std::string from = oldName;
    const std::string to = newName;
    return MoveAfterRefusal(error, {fs_, directoryFd_, from, to, 0, nativeDirectory_});
  }
  const std::string from = nativeDirectory_ + oldName;
  const std::string to = nativeDirectory_ + newName;
  if (fs_.RenameNoReplace(AT_FDCWD, from.c_str(), to.c_str()) == 0) return true;
  const int error = errno;
  if (error != EINVAL && error != ENOSYS && error != EEXIST) return false;
  return MoveAfterRefusal(error, {fs_, AT_FDCWD, from, to, nativeDirectory_.size(), nativeDirectory_});
}

// Entries that are neither folders nor links to folders count as files,
// including special files and dangling symbolic links. Only names of the
// requested kind are converted, so `unconvertible` holds only those.
FolderNames ReadFolderNames(const ByteText& directory, EntryKind kind, const std::function<void(size_t read)>& read) {
  constexpr size_t kEntriesBetweenReports = 4096;
  FolderNames result;
  std::optional<std::string> native = NativePath(directory);
  if (!native) return result;
  DIR* folder = opendir(native->c_str());
  if (folder == nullptr) return result;
  const int folderFd = dirfd(folder);
  const bool wantFolders = kind == EntryKind::kFolders;
  const bool wantAll = kind == EntryKind::kAll;

  size_t entries = 0;
  while (const dirent* entry = readdir(folder)) {
    if (read && ++entries % kEntriesBetweenReports == 0) read(entries);
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;

    if (!wantAll && IsFolderEntry(folderFd, *entry) != wantFolders) continue;

    std::optional<ByteText> gbk = GbkFromUtf8(name);
    if (gbk) {
      result.names.push_back(std::move(*gbk));
    } else {
      result.unconvertible.emplace_back(name);
    }
  }
  closedir(folder);
  return result;
}

FolderSplit ReadFolderSplit(const ByteText& directory) {
  FolderSplit result;
  std::optional<std::string> native = NativePath(directory);
  if (!native) return result;
  DIR* folder = opendir(native->c_str());
  if (folder == nullptr) return result;
  result.readable = true;
  const int folderFd = dirfd(folder);
  while (const dirent* entry = readdir(folder)) {
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK) {
      // A link to a folder is neither walked nor listed; a link to a file is a file.
      struct stat target;
      if (fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) continue;
    } else if (entry->d_type == DT_UNKNOWN) {
      struct stat status;
      if (fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISLNK(status.st_mode)) {
        struct stat target;
        if (fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) continue;
      }
      isFolder = S_ISDIR(status.st_mode);
    }
    std::optional<ByteText> gbk = GbkFromUtf8(name);
    if (!gbk) {
      result.unconvertible.emplace_back(name);
    } else if (isFolder) {
      result.folders.push_back(std::move(*gbk));
    } else {
      result.files.push_back(std::move(*gbk));
    }
  }
  closedir(folder);
  return result;
}

EntryIdentity FolderIdentity(const ByteText& directory) {
  std::optional<std::string> native = NativePath(directory);
  struct stat status {};
  if (!native || stat(native->c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return {};
  return {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

bool PathIsDirectory(const ByteText& path) {
  std::optional<std::string> native = NativePath(path);
  if (!native) return false;
  struct stat status;
  return stat(native->c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::optional<FileTimes> ReadFileTimes(const ByteText& path) {
  std::optional<std::string> native = NativePath(path);
  if (!native) return std::nullopt;

  struct statx extended;
  if (statx(AT_FDCWD, native->c_str(), AT_STATX_SYNC_AS_STAT, STATX_MTIME | STATX_BTIME,
            &extended) == 0) {
    FileTimes times;
    times.lastWrite = Nanoseconds(extended.stx_mtime.tv_sec, extended.stx_mtime.tv_nsec);
    if ((extended.stx_mask & STATX_BTIME) != 0) {
      times.birth = Nanoseconds(extended.stx_btime.tv_sec, extended.stx_btime.tv_nsec);
    }
    return times;
  }
  if (errno != ENOSYS) return std::nullopt;

  struct stat status;
  if (stat(native->c_str(), &status) != 0) return std::nullopt;
  FileTimes times;
  times.lastWrite = Nanoseconds(status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
  return times;
}

// ---- Creating, writing and deleting entries ----

namespace {

// Writes all of bytes to fd, going on after short writes and interruptions.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// An open file descriptor, closed when it goes.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (a delayed write error
  // shows up here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

FileDescriptor OpenFolder(const std::string& nativeDirectory) {
  return FileDescriptor(open(nativeDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Native forms of a directory and of a name inside it, after the checks every
// entry call makes.
struct NativeEntry {
  std::string directory;
  std::string name;
};
std::optional<NativeEntry> NativeDirectoryAndName(const ByteText& directory, const ByteText& name) {
  if (directory.empty() || directory.back() != kPathSeparator || !IsPlainEntryName(name)) return std::nullopt;
  std::optional<std::string> nativeDirectory = NativePath(directory);
  std::string nativeName;
  if (!nativeDirectory || !AppendNative(nativeName, name)) return std::nullopt;
  return NativeEntry{std::move(*nativeDirectory), std::move(nativeName)};
}

bool RemoveTreeAt(int parentFd, const char* name, bool removeNonFolder);

// Deletes everything inside the opened folder folderFd (taken over and
// closed). Names are read first and deleted afterwards, so that deleting does
// not disturb the reading.
bool ClearFolder(int folderFd) {
  DIR* folder = fdopendir(folderFd);
  if (folder == nullptr) {
    close(folderFd);
    return false;
  }
  struct Child {
    std::string name;
    bool isFolder;
  };
  std::vector<Child> children;
  bool cleared = true;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(folder);
    if (entry == nullptr) {
      cleared = errno == 0;
      break;
    }
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat status;
      isFolder = fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
    }
    children.push_back({name, isFolder});
  }
  for (const Child& child : children) {
    if (child.isFolder) {
      cleared = RemoveTreeAt(folderFd, child.name.c_str(), true) && cleared;
    } else if (unlinkat(folderFd, child.name.c_str(), 0) != 0) {
      // A folder put there since the reading is removed as a tree.
      cleared = (errno == EISDIR && RemoveTreeAt(folderFd, child.name.c_str(), true)) && cleared;
    }
  }
  closedir(folder);
  return cleared;
}

// Removes the folder `name` of the opened folder parentFd with its contents.
// The folder is opened with O_NOFOLLOW: when `name` is not a folder (a link or
// file swapped in), it is unlinked itself when removeNonFolder, else left.
bool RemoveTreeAt(int parentFd, const char* name, bool removeNonFolder) {
  const int folderFd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folderFd < 0) {
    if ((errno == ELOOP || errno == ENOTDIR) && removeNonFolder) return unlinkat(parentFd, name, 0) == 0;
    return false;
  }
  const bool cleared = ClearFolder(folderFd);
  return unlinkat(parentFd, name, AT_REMOVEDIR) == 0 && cleared;
}

}  // namespace

std::optional<std::string> NativeEntryPath(const ByteText& directory, const ByteText& name) {
  std::optional<NativeEntry> entry = NativeDirectoryAndName(directory, name);
  if (!entry) return std::nullopt;
  return entry->directory + entry->name;
}

bool CreateNewFile(const ByteText& directory, const ByteText& name, std::string_view bytes) {
  std::optional<std::string> path = NativeEntryPath(directory, name);
  if (!path) return false;
  FileDescriptor file(open(path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file.Valid()) return false;
  if (WriteAll(file.Get(), bytes) && file.Close()) return true;
  // The file is ours, made a moment ago: it goes again rather than stay half written.
  unlink(path->c_str());
  return false;
}

bool CreateNewFolder(const ByteText& directory, const ByteText& name) {
  std::optional<std::string> path = NativeEntryPath(directory, name);
  return path && mkdir(path->c_str(), 0777) == 0;
}

bool WriteFileAtomically(const ByteText& directory, const ByteText& name, std::string_view bytes) {
  std::optional<NativeEntry> entry = NativeDirectoryAndName(directory, name);
  if (!entry) return false;
  FileDescriptor folder = OpenFolder(entry->directory);
  if (!folder.Valid()) return false;

  // A hidden temporary name beside the target, unique to this process and call.
  static std::atomic<unsigned> serial{0};
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = "." + entry->name + "." + std::to_string(getpid()) + "." + std::to_string(serial++) + ".tmp";
    fd = openat(folder.Get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  FileDescriptor file(fd);
  if (!file.Valid()) return false;

  struct stat old;
  bool written = true;
  if (fstatat(folder.Get(), entry->name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
    written = fchmod(file.Get(), old.st_mode & 07777) == 0;
  }
  written = written && WriteAll(file.Get(), bytes) && fsync(file.Get()) == 0;
  written = file.Close() && written;
  if (!written || renameat(folder.Get(), temporary.c_str(), folder.Get(), entry->name.c_str()) != 0) {
    unlinkat(folder.Get(), temporary.c_str(), 0);
    return false;
  }
  // The rename itself is made durable with the folder; the file is complete
  // either way, so a failure here does not undo the write.
  fsync(folder.Get());
  return true;
}

EntryType EntryTypeOf(const ByteText& directory, const ByteText& name) {
  std::optional<std::string> path = NativeEntryPath(directory, name);
  struct stat status;
  if (!path || lstat(path->c_str(), &status) != 0) return EntryType::kMissing;
  if (S_ISDIR(status.st_mode)) return EntryType::kFolder;
  if (S_ISLNK(status.st_mode)) return EntryType::kSymbolicLink;
  return EntryType::kOther;
}

// unlinkat without AT_REMOVEDIR refuses a folder (EISDIR) and removes a link
// itself.
bool DeleteFileEntry(const ByteText& directory, const ByteText& name) {
  std::optional<NativeEntry> entry = NativeDirectoryAndName(directory, name);
  if (!entry) return false;
  FileDescriptor folder = OpenFolder(entry->directory);
  return folder.Valid() && unlinkat(folder.Get(), entry->name.c_str(), 0) == 0;
}

bool DeleteFolderTree(const ByteText& directory, const ByteText& name) {
  std::optional<NativeEntry> entry = NativeDirectoryAndName(directory, name);
  if (!entry) return false;
  FileDescriptor folder = OpenFolder(entry->directory);
  if (!folder.Valid()) return false;
  struct stat status;
  if (fstatat(folder.Get(), entry->name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISLNK(status.st_mode)) return unlinkat(folder.Get(), entry->name.c_str(), 0) == 0;
  if (!S_ISDIR(status.st_mode)) return false;
  return RemoveTreeAt(folder.Get(), entry->name.c_str(), false);
}

}  // namespace vantor
