// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/paths.h"

#include "platform/file_system.h"

namespace vantor {

namespace {

constexpr char kSeparator = kPathSeparator;

// Index of the first byte of the last component: just after the last
// separator that is followed by a non-separator character.
size_t LastComponentStart(const ByteText& path) {
  size_t start = 0;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    if (path[i] == kSeparator && path[i + 1] != kSeparator) start = i + 1;
  }
  return start;
}

}  // namespace

ByteText ExtensionOfPath(const ByteText& path) {
  // In pure ASCII every byte is a character: the extension starts at the last
  // dot when no space or separator follows it.
  if (IsAsciiText(path)) {
    for (size_t i = path.size(); i-- > 0;) {
      if (path[i] == '.') return path.substr(i);
      if (path[i] == ' ' || path[i] == kSeparator) break;
    }
    return ByteText();
  }
  // Walk by characters so that a trail byte is never taken for a dot.
  size_t dot = ByteText::npos;
  for (size_t i = 0; i < path.size();) {
    const char byte = path[i];
    if (byte == '.') {
      dot = i;
    } else if (byte == ' ' || byte == kSeparator) {
      dot = ByteText::npos;
    }
    const size_t width = CharWidthAt(path, i);
    i += width == 0 ? 1 : width;
  }
  return dot == ByteText::npos ? ByteText() : path.substr(dot);
}

ByteText NameOfPath(const ByteText& path, bool keepExtension) {
  ByteText name = path.substr(LastComponentStart(path));
  if (!name.empty() && name.back() == kSeparator) return ByteText();
  if (keepExtension) return name;
  return LeftBytes(name, TextLength(name) - TextLength(ExtensionOfPath(name)));
}

ByteText ParentDirectoryOf(const ByteText& path) {
  ByteText trimmed = path;
  if (!trimmed.empty() && trimmed.back() == kSeparator) trimmed.pop_back();
  const int position = FindTextReverse(trimmed, ByteText(1, kSeparator), std::nullopt, kFindMatchingCase);
  return position < 0 ? ByteText() : LeftBytes(trimmed, position);
}

bool IsDirectory(const ByteText& path) { return PathIsDirectory(path); }

}  // namespace vantor
