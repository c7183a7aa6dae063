#include "entries/listing.h"

#include <algorithm>

#include "entries/natural_sort.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

ByteText WithSeparator(const ByteText& folder) {
  if (!folder.empty() && folder.back() == kPathSeparator) return folder;
  return folder + kPathSeparator;
}

char FoldAscii(char byte) { return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 32) : byte; }

// Characters are GBK (a lead byte takes the next byte with it) or, for names
// that have no GBK form and are matched in their native bytes, single bytes.
enum class Characters { kGbk, kBytes };

int CharacterLength(const ByteText& text, size_t at, Characters characters) {
  if (characters == Characters::kBytes) return 1;
  return (static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size()) ? 2 : 1;
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
          (length == 1 || pattern[p + 1] == name[n + 1])) {
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
  return Matches(name, pattern, Characters::kGbk);
}

FolderListing ListFolderFiles(const ByteText& folder, const ByteText& pattern, bool includeHidden) {
  FolderNames found = ReadFolderNames(WithSeparator(folder), EntryKind::kFiles);
  if (!includeHidden) LeaveOutHidden(found);
  FolderListing listing;
  if (pattern == "*.*") {
    listing.unconvertible = static_cast<int>(found.unconvertible.size());
    listing.names = std::move(found.names);
  } else {
    // A name without a GBK form is matched in its native bytes: the patterns
    // people type are ASCII extensions, which read the same in both.
    for (const std::string& name : found.unconvertible) {
      listing.unconvertible += Matches(name, pattern, Characters::kBytes) ? 1 : 0;
    }
    listing.names.reserve(found.names.size());
    for (ByteText& name : found.names) {
      if (MatchesWildcard(name, pattern)) listing.names.push_back(std::move(name));
    }
  }
  NaturalSort(listing.names);
  return listing;
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
  return {std::move(found.names), static_cast<int>(found.unconvertible.size())};
}

}  // namespace vantor
