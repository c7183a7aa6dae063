// SPDX-License-Identifier: GPL-3.0-or-later
// Large folders for the benchmarks, made quickly: the entries are hard links
// to a few empty template files (ext4 allows 65,000 links to one file, so a
// new template serves every 60,000 names), so a million names cost a million
// link() calls and a few inodes.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace vantor::bench {

// Makes folder (removed first when present) holding count names nameOf(i),
// i from 0, each a hard link to an empty file; the templates live beside the
// folder while it is made, never in it. False (and a message on stderr) on failure.
// MakeLinkedFolder("/tmp/x", 3, [](long i) { return std::to_string(i); })
// gives /tmp/x/0, /tmp/x/1 and /tmp/x/2.
inline bool MakeLinkedFolder(const std::filesystem::path& folder, long count,
                             const std::function<std::string(long)>& nameOf) {
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  if (!std::filesystem::create_directories(folder, error)) {
    std::fprintf(stderr, "cannot make %s\n", folder.c_str());
    return false;
  }
  constexpr long kLinksPerTemplate = 60000;
  const std::string templateFile = folder.string() + ".template";
  const std::string prefix = folder.string() + "/";
  bool made = true;
  for (long i = 0; i < count && made; ++i) {
    if (i % kLinksPerTemplate == 0) {
      ::unlink(templateFile.c_str());
      const int fd = ::open(templateFile.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
      if (fd < 0) {
        std::perror(templateFile.c_str());
        made = false;
        break;
      }
      ::close(fd);
    }
    const std::string path = prefix + nameOf(i);
    if (::link(templateFile.c_str(), path.c_str()) != 0) {
      std::perror(path.c_str());
      made = false;
    }
  }
  ::unlink(templateFile.c_str());
  if (!made) std::filesystem::remove_all(folder, error);
  return made;
}

// The first three fields of /proc/loadavg ("0.52 0.61 0.70"), to print beside
// figures measured on a shared machine; empty where there is none.
inline std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return file ? one + " " + five + " " + fifteen : std::string();
}

}  // namespace vantor::bench
