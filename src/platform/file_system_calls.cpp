// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_system_calls.h"

#include <sys/vfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>  // renameat2, RENAME_NOREPLACE

namespace vantor {

int FileSystemCalls::OpenFolder(const char* path) const { return ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC); }

int FileSystemCalls::RenameNoReplace(int dirFd, const char* from, const char* to) const {
  return ::renameat2(dirFd, from, dirFd, to, RENAME_NOREPLACE);
}

int FileSystemCalls::Exchange(int dirFd, const char* a, const char* b) const {
  return ::renameat2(dirFd, a, dirFd, b, RENAME_EXCHANGE);
}

bool FileSystemCalls::CanExchange(int dirFd) const {
  struct statfs status {};
  if (::fstatfs(dirFd, &status) != 0) return false;
  // The magic numbers of linux/magic.h.
  switch (static_cast<unsigned long>(status.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // XFS
    case 0x9123683E:  // Btrfs
    case 0x01021994:  // tmpfs
    case 0xF2F52010:  // F2FS
      return true;
    default:
      return false;
  }
}

int FileSystemCalls::Rename(int dirFd, const char* from, const char* to) const {
  return ::renameat(dirFd, from, dirFd, to);
}

int FileSystemCalls::Link(int dirFd, const char* from, const char* to) const {
  return ::linkat(dirFd, from, dirFd, to, 0);
}

int FileSystemCalls::Unlink(int dirFd, const char* name, int flags) const { return ::unlinkat(dirFd, name, flags); }

int FileSystemCalls::MakeFolder(int dirFd, const char* name, mode_t mode) const {
  return ::mkdirat(dirFd, name, mode);
}

int FileSystemCalls::CreateFile(int dirFd, const char* name, mode_t mode) const {
  return ::openat(dirFd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

int FileSystemCalls::StatAt(int dirFd, const char* name, struct stat& out) const {
  return ::fstatat(dirFd, name, &out, AT_SYMLINK_NOFOLLOW | (name[0] == '\0' ? AT_EMPTY_PATH : 0));
}

int FileSystemCalls::WriteAndFlush(int fd, std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return -1;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return ::fsync(fd);
}

int FileSystemCalls::Close(int fd) const { return ::close(fd); }

namespace {

std::atomic<const FileSystemCalls*> current{nullptr};

}  // namespace

const FileSystemCalls& RealFileSystem() {
  static const FileSystemCalls real;
  return real;
}

const FileSystemCalls& CurrentFileSystem() {
  const FileSystemCalls* calls = current.load(std::memory_order_acquire);
  return calls != nullptr ? *calls : RealFileSystem();
}

void UseFileSystemForTesting(const FileSystemCalls* calls) { current.store(calls, std::memory_order_release); }

}  // namespace vantor
