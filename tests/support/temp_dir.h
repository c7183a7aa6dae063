// SPDX-License-Identifier: GPL-3.0-or-later
// A real temporary directory for file-system tests, removed with its contents
// when the object goes. Paths are native (UTF-8); Gbk() gives the GBK form the
// program works with, ending with "/".
#pragma once

#include <string>

#include "text/byte_text.h"

namespace vantor::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Native path ending with "/".
  const std::string& Path() const { return path_; }
  // GBK path ending with "/".
  ByteText Gbk() const;

  // Creates a file (with optional content) or folder named by a UTF-8 relative path.
  void MakeFile(const std::string& utf8Name, const std::string& content = {}) const;
  void MakeFolder(const std::string& utf8Name) const;
  bool Exists(const std::string& utf8Name) const;
  std::string ReadFile(const std::string& utf8Name) const;

 private:
  std::string path_;
};

}  // namespace vantor::testing
