// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a small input file (a list of names, a record of the program's own)
// whole, with a size limit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vantor {

// The bytes of the regular file at nativePath (UTF-8 on Linux), or nullopt when
// it cannot be opened or read, is not a regular file (a folder, a pipe), or
// holds more than maxBytes bytes. An empty file gives an empty text.
// ReadWholeFile("/tmp/names.txt", 16 << 20) == "a\nb\n" for a file holding that.
std::optional<std::string> ReadWholeFile(const std::string& nativePath, std::size_t maxBytes);

// Files of the program's state and config folders are read without trusting
// what lies there: never through a symbolic link, never blocking on a FIFO,
// only regular files owned by the user, and never more than a limit.
enum class OwnFileStatus {
  kRead,        // the whole file is in bytes
  kNotOwnFile,  // a link, folder, FIFO, device, or another user's file: leave it alone
  kTooLarge,    // a regular file of the user, larger than the limit
  kUnreadable,  // gone, or open or read failed
};

// Opens nativePath for reading with O_NOFOLLOW and O_NONBLOCK and checks it
// is a regular file owned by the user: kRead with fd set (the caller closes
// it), else another status and fd -1.
OwnFileStatus OpenOwnFile(const std::string& nativePath, int& fd);

// Reads the open file fd from where it stands to its end into bytes, at most
// maxBytes (kTooLarge beyond, also for a file that grows while read).
OwnFileStatus ReadOpenFile(int fd, std::size_t maxBytes, std::string& bytes);

// OpenOwnFile, then ReadOpenFile, then close.
// ReadOwnFile("/home/u/.local/state/vantor-rename/x", 1 << 20, bytes) == kRead
// for a file of the user; a FIFO of that name gives kNotOwnFile at once.
OwnFileStatus ReadOwnFile(const std::string& nativePath, std::size_t maxBytes, std::string& bytes);

}  // namespace vantor
