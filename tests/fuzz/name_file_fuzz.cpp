// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a dropped name file: decoded or refused, never more; every
// line it gives is one line, trimmed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "listops/name_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<vantor::TextArray> lines = vantor::DecodeNameFile(bytes);
  if (!lines) return 0;
  for (const vantor::ByteText& line : *lines) {
    if (line.find_first_of("\r\n") != vantor::ByteText::npos) std::abort();
    // Trimmed as the text layer sees characters (0x80 leads a pair there).
    if (vantor::TrimBoth(line) != line) std::abort();
  }
  return 0;
}
