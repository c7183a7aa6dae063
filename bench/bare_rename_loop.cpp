// SPDX-License-Identifier: GPL-3.0-or-later
// The bare loop cli_bench measures the program against, as a process of its
// own that loads no library beyond the C++ runtime: read the folder, then
// renameat2(RENAME_NOREPLACE) each "01…" name to "01、…" (forward) or back,
// relative to the opened folder, or with "paths" by whole paths from the
// current folder (as pipeline_bench's bare loop does).
// Usage: bare_rename_loop FOLDER forward|back [paths]
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: bare_rename_loop FOLDER forward|back [paths]\n");
    return 2;
  }
  const bool forward = std::strcmp(argv[2], "forward") == 0;
  const bool byPath = argc == 4 && std::strcmp(argv[3], "paths") == 0;
  const std::string prefix = std::string(argv[1]) + "/";
  DIR* folder = opendir(argv[1]);
  if (folder == nullptr) {
    std::perror(argv[1]);
    return 2;
  }
  const std::string mark = "01、";
  std::vector<std::string> names;
  while (const dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    names.push_back(name);
  }
  const int fd = dirfd(folder);
  int failed = 0;
  for (const std::string& name : names) {
    const bool marked = name.compare(0, mark.size(), mark) == 0;
    if (forward == marked || name.compare(0, 2, "01") != 0) continue;
    const std::string renamed = forward ? mark + name.substr(2) : "01" + name.substr(mark.size());
    const int result = byPath ? renameat2(AT_FDCWD, (prefix + name).c_str(), AT_FDCWD, (prefix + renamed).c_str(),
                                          RENAME_NOREPLACE)
                              : renameat2(fd, name.c_str(), fd, renamed.c_str(), RENAME_NOREPLACE);
    if (result != 0) ++failed;
  }
  closedir(folder);
  return failed == 0 ? 0 : 1;
}
