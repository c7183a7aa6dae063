// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/listing.h"

#include <algorithm>
#include <iterator>

#include "entries/natural_sort.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

ByteText WithSeparator(const ByteText& folder) {
  if (!folder.empty() && folder.back() == kPathSeparator) return folder;
  return folder + kPathSeparator;
}

char FoldAscii(char byte) { return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 32) : byte; }

// Characters are those of byte text (see CharWidthAt) or, for names that are
// not UTF-8 and are matched in their native bytes, single bytes.
enum class Characters { kText, kBytes };

int CharacterLength(const ByteText& text, size_t at, Characters characters) {
  if (characters == Characters::kBytes) return 1;
  const size_t width = CharWidthAt(text, at);
  return width == 0 ? 1 : static_cast<int>(width);
}

bool Matches(const ByteText& name, const ByteText& pattern, Characters characters) {
  if (pattern == "*.*" || pattern == "*") return true;
  // Greedy matching with one backtrack point for the last "*": linear for the
  // patterns people type.
  size_t n = 0, p = 0;
  size_t starPattern = ByteText::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
      continue;
    }
    if (p < pattern.size()) {
      const int length = CharacterLength(name, n, characters);
      if (pattern[p] == '?') {
        n += length;
        ++p;
        continue;
      }
      const int patternLength = CharacterLength(pattern, p, characters);
      if (patternLength == length && FoldAscii(pattern[p]) == FoldAscii(name[n]) &&
          (length == 1 || pattern.compare(p + 1, static_cast<size_t>(length) - 1, name, n + 1,
                                          static_cast<size_t>(length) - 1) == 0)) {
        n += length;
        p += patternLength;
        continue;
      }
    }
    if (starPattern == ByteText::npos) return false;
    p = starPattern + 1;
    starName += CharacterLength(name, starName, characters);
    n = starName;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// Hidden entries leave the listing before anything else looks at it.
void LeaveOutHidden(FolderNames& found) {
  auto hidden = [](const std::string& name) { return IsHiddenName(name); };
  found.names.erase(std::remove_if(found.names.begin(), found.names.end(), hidden), found.names.end());
  found.unconvertible.erase(std::remove_if(found.unconvertible.begin(), found.unconvertible.end(), hidden),
                            found.unconvertible.end());
}

}  // namespace

bool IsHiddenName(std::string_view name) { return !name.empty() && name.front() == '.'; }

ByteText OnlySearchPattern(bool itemSelected, const ByteText& text, const ByteText& allItem) {
  if (itemSelected) return text == allItem ? ByteText("*.*") : "*" + text;
  if (text.empty()) return "*.*";
  if (FindText(text, ".", std::nullopt, kFindMatchingCase) > 0) return "*" + text;
  return "*." + text;
}

bool MatchesWildcard(const ByteText& name, const ByteText& pattern) {
  return Matches(name, pattern, Characters::kText);
}

LeftOutNames FolderListing::LeftOut() const {
  LeftOutNames leftOut;
  leftOut.count = unconvertible;
  const size_t shown = std::min(unconvertibleNames.size(), static_cast<size_t>(LeftOutNames::kShown));
  leftOut.shown.assign(unconvertibleNames.begin(), unconvertibleNames.begin() + static_cast<std::ptrdiff_t>(shown));
  return leftOut;
}

namespace {

void SetLeftOut(FolderListing& listing, std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  listing.unconvertible = static_cast<int>(names.size());
  listing.unconvertibleNames = std::move(names);
}

}  // namespace

FolderListing ListFolderFiles(const ByteText& folder, const ByteText& pattern, bool includeHidden) {
  FolderNames found = ReadFolderNames(WithSeparator(folder), EntryKind::kFiles);
  if (!includeHidden) LeaveOutHidden(found);
  FolderListing listing;
  if (pattern == "*.*") {
    SetLeftOut(listing, std::move(found.unconvertible));
    listing.names = std::move(found.names);
  } else {
    // A name that is not UTF-8 is matched in its native bytes: the patterns
    // people type are ASCII extensions, which read the same in both.
    std::vector<std::string> leftOut;
    for (std::string& name : found.unconvertible) {
      if (Matches(name, pattern, Characters::kBytes)) leftOut.push_back(std::move(name));
    }
    SetLeftOut(listing, std::move(leftOut));
    listing.names.reserve(found.names.size());
    for (ByteText& name : found.names) {
      if (MatchesWildcard(name, pattern)) listing.names.push_back(std::move(name));
    }
  }
  NaturalSort(listing.names);
  return listing;
}

LeftOutNames TreeListing::LeftOut() const {
  LeftOutNames leftOut;
  leftOut.count = unconvertible;
  const size_t shown = std::min(unconvertibleNames.size(), static_cast<size_t>(LeftOutNames::kShown));
  leftOut.shown.assign(unconvertibleNames.begin(), unconvertibleNames.begin() + static_cast<std::ptrdiff_t>(shown));
  leftOut.unreadableFolders = unreadableFolders;
  return leftOut;
}

TreeListing ListFilesInTree(const ByteText& folder, const ByteText& pattern, bool includeHidden) {
  const ByteText top = WithSeparator(folder);
  TreeListing tree;
  std::vector<std::string> leftOut;
  // Folders still to read, the next one last; each is read once, its files
  // listed at once and its sub-folders pushed in reverse natural order.
  std::vector<ByteText> waiting{ByteText()};
  const auto natural = [](const ByteText& a, const ByteText& b) { return CompareNaturally(a, b) < 0; };
  while (!waiting.empty()) {
    ByteText relative = std::move(waiting.back());
    waiting.pop_back();
    FolderSplit found = ReadFolderSplit(top + relative);
    if (!found.readable) {
      if (!relative.empty()) ++tree.unreadableFolders;
      continue;
    }
    const auto hidden = [includeHidden](const std::string& name) { return !includeHidden && IsHiddenName(name); };
    for (std::string& name : found.unconvertible) {
      if (!hidden(name) && Matches(name, pattern, Characters::kBytes)) leftOut.push_back(relative + name);
    }
    TextArray files;
    files.reserve(found.files.size());
    for (ByteText& name : found.files) {
      if (!hidden(name) && MatchesWildcard(name, pattern)) files.push_back(std::move(name));
    }
    if (!files.empty()) {
      const uint32_t index = static_cast<uint32_t>(tree.folders.size());
      tree.folders.push_back(relative);
      NaturalSort(files);
      tree.folderOfName.insert(tree.folderOfName.end(), files.size(), index);
      tree.names.insert(tree.names.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
    } else if (relative.empty()) {
      tree.folders.push_back(relative);
    }
    std::erase_if(found.folders, [&hidden](const ByteText& name) { return hidden(name); });
    std::sort(found.folders.begin(), found.folders.end(), natural);
    for (auto name = found.folders.rbegin(); name != found.folders.rend(); ++name) {
      waiting.push_back(relative + *name + kPathSeparator);
    }
  }
  if (tree.folders.empty() || !tree.folders.front().empty()) tree.folders.insert(tree.folders.begin(), ByteText());
  std::sort(leftOut.begin(), leftOut.end());
  tree.unconvertible = static_cast<int>(leftOut.size());
  tree.unconvertibleNames = std::move(leftOut);
  return tree;
}

FolderListing ListSubfolders(const ByteText& folder, bool includeHidden) {
  FolderNames found = ReadFolderNames(WithSeparator(folder), EntryKind::kFolders);
  if (!includeHidden) LeaveOutHidden(found);
  // Linux file systems return names in hash order; list them the way Windows
  // file systems do, by name without regard to letter case, so that the list
  // is readable and the same folder always lists the same way.
  std::sort(found.names.begin(), found.names.end(), [](const ByteText& a, const ByteText& b) {
    const int order = CompareText(a, b, kReplaceIgnoringCase);
    return order != 0 ? order < 0 : CompareText(a, b, kReplaceMatchingCase) < 0;
  });
  FolderListing listing;
  listing.names = std::move(found.names);
  SetLeftOut(listing, std::move(found.unconvertible));
  return listing;
}

}  // namespace vantor
