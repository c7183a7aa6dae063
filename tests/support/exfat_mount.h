// SPDX-License-Identifier: GPL-3.0-or-later
// A small exFAT file system mounted through FUSE in a temporary folder: a real
// drive that takes neither RENAME_NOREPLACE nor hard links and folds letter
// case. Needs root, a free loop device, mkfs.exfat and mount.exfat-fuse;
// Mounted() is false where the machine does not allow it, and the test skips.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace vantor::testing {

class ExfatMount {
 public:
  ExfatMount() {
    if (geteuid() != 0) return;
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-exfat-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    root_ = pattern + "/";
    const std::string image = root_ + "image";
    path_ = root_ + "mnt/";
    std::filesystem::create_directory(path_);
    if (!Run("truncate -s 16M " + image + " && mkfs.exfat " + image)) return;
    loop_ = Output("losetup -f --show " + image);
    if (loop_.empty()) return;
    mounted_ = Run("mount.exfat-fuse " + loop_ + " " + path_);
  }
  ~ExfatMount() {
    if (mounted_) Run("umount " + path_);
    if (!loop_.empty()) Run("losetup -d " + loop_);
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  }
  ExfatMount(const ExfatMount&) = delete;
  ExfatMount& operator=(const ExfatMount&) = delete;

  bool Mounted() const { return mounted_; }
  // The mounted folder, ending with "/".
  const std::string& Path() const { return path_; }

 private:
  static bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }
  static std::string Output(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return {};
    char line[256] = {};
    std::string text = std::fgets(line, sizeof line, pipe) != nullptr ? line : "";
    if (pclose(pipe) != 0) return {};
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
  }

  std::string root_;
  std::string path_;
  std::string loop_;
  bool mounted_ = false;
};

}  // namespace vantor::testing
