// SPDX-License-Identifier: GPL-3.0-or-later
// The system calls through which the rename engine and the crash journal
// reach the disk, behind one interface, so that a test can hand them a double
// that fails any chosen call (or plays a drive without RENAME_NOREPLACE).
// Every call acts as the system call it names: names are native, relative to
// dirFd (AT_FDCWD: to the working folder, or full paths); -1 with errno set
// on failure.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <string_view>

namespace vantor {

class FileSystemCalls {
 public:
  virtual ~FileSystemCalls() = default;
  // open(path, O_PATH | O_DIRECTORY | O_CLOEXEC): a descriptor of the folder
  // to find names in (links on the way followed).
  virtual int OpenFolder(const char* path) const;
  // renameat2(dirFd, from, dirFd, to, RENAME_NOREPLACE).
  virtual int RenameNoReplace(int dirFd, const char* from, const char* to) const;
  // renameat2(dirFd, a, dirFd, b, RENAME_EXCHANGE): the two entries trade
  // names in one step; both must exist.
  virtual int Exchange(int dirFd, const char* a, const char* b) const;
  // Whether the file system of the folder dirFd trades names in one step:
  // true only for those known to (ext2/3/4, XFS, Btrfs, tmpfs, F2FS), which
  // fstatfs tells; elsewhere a call would be refused with EINVAL.
  virtual bool CanExchange(int dirFd) const;
  // renameat(dirFd, from, dirFd, to): may replace; only for a name just
  // taken by a placeholder or a file of the program's own.
  virtual int Rename(int dirFd, const char* from, const char* to) const;
  // linkat(dirFd, from, dirFd, to, 0): a symbolic link is linked itself.
  virtual int Link(int dirFd, const char* from, const char* to) const;
  // unlinkat(dirFd, name, flags), flags 0 or AT_REMOVEDIR.
  virtual int Unlink(int dirFd, const char* name, int flags) const;
  // mkdirat(dirFd, name, mode).
  virtual int MakeFolder(int dirFd, const char* name, mode_t mode) const;
  // openat(dirFd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode).
  virtual int CreateFile(int dirFd, const char* name, mode_t mode) const;
  // fstatat(dirFd, name, out, AT_SYMLINK_NOFOLLOW); an empty name is dirFd itself.
  virtual int StatAt(int dirFd, const char* name, struct stat& out) const;
  // Writes all of bytes to fd (going on after short writes) and fsyncs it: 0 or -1.
  virtual int WriteAndFlush(int fd, std::string_view bytes) const;
  // close(fd).
  virtual int Close(int fd) const;
};

// The real calls. RealFileSystem().RenameNoReplace(fd, "a", "b") renames a.
const FileSystemCalls& RealFileSystem();

// The calls the engine and the journal use when not handed others: the real
// ones, or those a test put in their place (nullptr: the real ones again).
const FileSystemCalls& CurrentFileSystem();
void UseFileSystemForTesting(const FileSystemCalls* calls);

}  // namespace vantor
