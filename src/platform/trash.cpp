// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>  // renameat2, RENAME_NOREPLACE
#include <cstdlib>
#include <ctime>
#include <optional>

namespace vantor {

namespace {

constexpr mode_t kOwnerOnly = 0700;

std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The home trash folder, whether or not it exists yet.
std::optional<std::string> HomeTrashFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return std::string(data) + "/Trash";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return std::nullopt;
  return std::string(home) + "/.local/share/Trash";
}

// Makes folder and the missing folders above it, each owner-only.
bool MakeFolders(const std::string& folder) {
  struct stat status;
  if (stat(folder.c_str(), &status) == 0) return S_ISDIR(status.st_mode);
  if (folder != "/" && !MakeFolders(ParentOf(folder))) return false;
  return mkdir(folder.c_str(), kOwnerOnly) == 0 || errno == EEXIST;
}

// The trash folder with its files/ and info/ made when missing.
bool PrepareTrash(const std::string& trash) {
  return MakeFolders(trash) && MakeFolders(trash + "/files") && MakeFolders(trash + "/info");
}

// The device of path, or of the nearest folder above it that exists.
std::optional<dev_t> DeviceOf(std::string path) {
  struct stat status;
  for (;;) {
    if (stat(path.c_str(), &status) == 0) return status.st_dev;
    if (path == "/" || path == ".") return std::nullopt;
    path = ParentOf(path);
  }
}

// The mount point of the folder `folder` lies in: the topmost folder above it
// on the same device.
std::string MountPointOf(std::string folder, dev_t device) {
  while (folder != "/") {
    const std::string parent = ParentOf(folder);
    struct stat status;
    if (stat(parent.c_str(), &status) != 0 || status.st_dev != device) break;
    folder = parent;
  }
  return folder;
}

// The trash of a mount point other than the home trash's, prepared; nullopt
// when it has none and none can be made.
std::optional<std::string> TopDirectoryTrash(const std::string& top) {
  const std::string base = top == "/" ? "" : top;
  const std::string uid = std::to_string(getuid());
  struct stat status;
  const std::string shared = base + "/.Trash";
  if (lstat(shared.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX) != 0 &&
      PrepareTrash(shared + "/" + uid)) {
    return shared + "/" + uid;
  }
  const std::string own = base + "/.Trash-" + uid;
  if (lstat(own.c_str(), &status) == 0 && (!S_ISDIR(status.st_mode) || status.st_uid != getuid())) {
    return std::nullopt;
  }
  if (PrepareTrash(own)) return own;
  return std::nullopt;
}

// RFC 2396 escaping of a path, as the trash info file wants it.
std::string PercentEncoded(const std::string& path) {
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
                       c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    }
  }
  return out;
}

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

// Reserves a name in the trash by making its info file; the name is free in
// files/ as well. Returns the name, or nullopt.
std::optional<std::string> ReserveName(const std::string& trash, const std::string& name,
                                       const std::string& infoPath) {
  const std::string info = "[Trash Info]\nPath=" + PercentEncoded(infoPath) + "\nDeletionDate=" + DeletionDate() + "\n";
  const size_t dot = name.find('.', 1);
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string rest = dot == std::string::npos ? "" : name.substr(dot);
  for (int attempt = 1; attempt < 10000; ++attempt) {
    const std::string candidate = attempt == 1 ? name : stem + "." + std::to_string(attempt) + rest;
    const std::string infoFile = trash + "/info/" + candidate + ".trashinfo";
    const int fd = open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    const bool written = WriteAll(fd, info);
    const bool closed = close(fd) == 0;
    struct stat status;
    const bool taken = lstat((trash + "/files/" + candidate).c_str(), &status) == 0;
    if (written && closed && !taken) return candidate;
    unlink(infoFile.c_str());
    if (!taken) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

bool FreedesktopTrash::MoveToTrash(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.front() != '/') return false;
  const std::string name = NameOf(nativePath);
  if (name.empty() || name == "." || name == "..") return false;
  struct stat entry;
  if (lstat(nativePath.c_str(), &entry) != 0) return false;
  // The entry's file system is that of the folder that holds it (a mount
  // point itself cannot be renamed away anyhow).
  struct stat folder;
  if (stat(ParentOf(nativePath).c_str(), &folder) != 0) return false;

  std::string trash;
  std::string infoPath = nativePath;
  const std::optional<std::string> home = HomeTrashFolder();
  const std::optional<dev_t> homeDevice = home ? DeviceOf(*home) : std::nullopt;
  if (homeDevice && *homeDevice == folder.st_dev) {
    if (!PrepareTrash(*home)) return false;
    trash = *home;
  } else {
    const std::string top = MountPointOf(ParentOf(nativePath), folder.st_dev);
    const std::optional<std::string> topTrash = TopDirectoryTrash(top);
    if (!topTrash) return false;
    trash = *topTrash;
    // Inside a mount point's trash the path is relative to the mount point.
    infoPath = top == "/" ? nativePath.substr(1) : nativePath.substr(top.size() + 1);
  }

  const std::optional<std::string> reserved = ReserveName(trash, name, infoPath);
  if (!reserved) return false;
  const std::string target = trash + "/files/" + *reserved;
  // Never over anything that appeared in files/ meanwhile; a file system that
  // refuses the flag gets the plain rename into the name just found free.
  int moved = renameat2(AT_FDCWD, nativePath.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
  if (moved != 0 && errno == EINVAL) moved = rename(nativePath.c_str(), target.c_str());
  if (moved != 0) {
    unlink((trash + "/info/" + *reserved + ".trashinfo").c_str());
    return false;
  }
  return true;
}

}  // namespace vantor
