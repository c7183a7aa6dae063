// SPDX-License-Identifier: GPL-3.0-or-later
// A double of the file-system seam: the real calls, except those a test
// chose to fail (the nth call of a kind, or every one) with a chosen errno.
// A hook hears every call before it is made.
#pragma once

#include <array>
#include <atomic>
#include <cerrno>
#include <functional>

#include "platform/file_system_calls.h"

namespace vantor::testing {

enum class Call { kOpenFolder, kRenameNoReplace, kRename, kLink, kUnlink, kMakeFolder, kCreateFile, kStatAt, kWrite, kExchange, kCount };

class FailingFileSystem : public FileSystemCalls {
 public:
  // The nth call of that kind from now on (1 = the next) fails with error.
  void FailNth(Call call, int nth, int error) {
    failAt_[Index(call)] = count_[Index(call)] + nth;
    error_[Index(call)] = error;
  }
  // Every call of that kind fails with error.
  void FailEvery(Call call, int error) {
    failAt_[Index(call)] = -1;
    error_[Index(call)] = error;
  }
  int Count(Call call) const { return count_[Index(call)]; }

  std::function<void(Call)> onCall;

  int OpenFolder(const char* path) const override {
    return Fails(Call::kOpenFolder) ? -1 : FileSystemCalls::OpenFolder(path);
  }
  int RenameNoReplace(int dirFd, const char* from, const char* to) const override {
    return Fails(Call::kRenameNoReplace) ? -1 : FileSystemCalls::RenameNoReplace(dirFd, from, to);
  }
  int Rename(int dirFd, const char* from, const char* to) const override {
    return Fails(Call::kRename) ? -1 : FileSystemCalls::Rename(dirFd, from, to);
  }
  int Link(int dirFd, const char* from, const char* to) const override {
    return Fails(Call::kLink) ? -1 : FileSystemCalls::Link(dirFd, from, to);
  }
  int Unlink(int dirFd, const char* name, int flags) const override {
    return Fails(Call::kUnlink) ? -1 : FileSystemCalls::Unlink(dirFd, name, flags);
  }
  int MakeFolder(int dirFd, const char* name, mode_t mode) const override {
    return Fails(Call::kMakeFolder) ? -1 : FileSystemCalls::MakeFolder(dirFd, name, mode);
  }
  int CreateFile(int dirFd, const char* name, mode_t mode) const override {
    return Fails(Call::kCreateFile) ? -1 : FileSystemCalls::CreateFile(dirFd, name, mode);
  }
  int StatAt(int dirFd, const char* name, struct stat& out) const override {
    return Fails(Call::kStatAt) ? -1 : FileSystemCalls::StatAt(dirFd, name, out);
  }
  int Exchange(int dirFd, const char* a, const char* b) const override {
    return Fails(Call::kExchange) ? -1 : FileSystemCalls::Exchange(dirFd, a, b);
  }
  // False plays a file system that cannot trade two names in one step.
  bool exchanges = true;
  bool CanExchange(int dirFd) const override { return exchanges && FileSystemCalls::CanExchange(dirFd); }
  int WriteAndFlush(int fd, std::string_view bytes) const override {
    return Fails(Call::kWrite) ? -1 : FileSystemCalls::WriteAndFlush(fd, bytes);
  }

 private:
  static size_t Index(Call call) { return static_cast<size_t>(call); }

  bool Fails(Call call) const {
    if (onCall) onCall(call);
    const int number = ++count_[Index(call)];
    const int at = failAt_[Index(call)];
    if (at == -1 || at == number) {
      errno = error_[Index(call)];
      return true;
    }
    return false;
  }

  mutable std::array<std::atomic<int>, static_cast<size_t>(Call::kCount)> count_{};
  std::array<int, static_cast<size_t>(Call::kCount)> failAt_{};
  std::array<int, static_cast<size_t>(Call::kCount)> error_{};
};

}  // namespace vantor::testing
