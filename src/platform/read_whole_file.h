// Reading a small input file (a list of names) whole, with a size limit.
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

}  // namespace vantor
