// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/read_whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vantor {

namespace {

// Closes the descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& nativePath, std::size_t maxBytes) {
  // O_NONBLOCK keeps a FIFO from blocking the open; it is refused just below.
  FileDescriptor file(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  if (static_cast<unsigned long long>(status.st_size) > maxBytes) return std::nullopt;

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(status.st_size));
  // The file may grow while it is read: read until the end, one byte past the
  // limit at most.
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (bytes.size() > maxBytes) return std::nullopt;
  }
  return bytes;
}

OwnFileStatus OpenOwnFile(const std::string& nativePath, int& fd) {
  fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno == ELOOP ? OwnFileStatus::kNotOwnFile : OwnFileStatus::kUnreadable;
  struct stat status {};
  OwnFileStatus result = OwnFileStatus::kRead;
  if (::fstat(fd, &status) != 0) {
    result = OwnFileStatus::kUnreadable;
  } else if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
    result = OwnFileStatus::kNotOwnFile;
  }
  if (result != OwnFileStatus::kRead) {
    ::close(fd);
    fd = -1;
  }
  return result;
}

OwnFileStatus ReadOpenFile(int fd, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  struct stat status {};
  if (::fstat(fd, &status) != 0) return OwnFileStatus::kUnreadable;
  if (static_cast<unsigned long long>(status.st_size) > maxBytes) return OwnFileStatus::kTooLarge;
  bytes.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return OwnFileStatus::kUnreadable;
    }
    if (got == 0) return OwnFileStatus::kRead;
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      bytes.clear();
      return OwnFileStatus::kTooLarge;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

OwnFileStatus ReadOwnFile(const std::string& nativePath, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  int fd = -1;
  const OwnFileStatus opened = OpenOwnFile(nativePath, fd);
  if (opened != OwnFileStatus::kRead) return opened;
  FileDescriptor file(fd);
  return ReadOpenFile(file.get(), maxBytes, bytes);
}

}  // namespace vantor
