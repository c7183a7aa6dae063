// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/code_page.h"

namespace vantor::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantor-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ByteText TempDir::Gbk() const { return GbkFromUtf8(path_).value(); }

void TempDir::MakeFile(const std::string& utf8Name, const std::string& content) const {
  std::ofstream out(path_ + utf8Name, std::ios::binary);
  if (!out) throw std::runtime_error("cannot create " + utf8Name);
  out << content;
}

void TempDir::MakeFolder(const std::string& utf8Name) const {
  std::filesystem::create_directories(path_ + utf8Name);
}

bool TempDir::Exists(const std::string& utf8Name) const {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path_ + utf8Name, ignored));
}

std::string TempDir::ReadFile(const std::string& utf8Name) const {
  std::ifstream in(path_ + utf8Name, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

}  // namespace vantor::testing
