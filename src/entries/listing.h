// SPDX-License-Identifier: GPL-3.0-or-later
// Turning a folder on disk into names for the entry list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "entries/left_out_names.h"
#include "text/byte_text.h"

namespace vantor {

// The wildcard pattern of the only-search box. With an item selected: "*.*"
// for the all item (allItem), else "*" + the item. Typed text: "*.*" when
// empty, "*" + text when it holds a dot, else "*." + text.
// OnlySearchPattern(false, "mp4", ...) == OnlySearchPattern(false, ".mp4", ...) == "*.mp4".
ByteText OnlySearchPattern(bool itemSelected, const ByteText& text, const ByteText& allItem);

// True when name matches the wildcard pattern: "*" any run, "?" one character,
// ASCII letters without regard to case (as file searches on Windows match);
// "*.*" matches every name, with or without a dot.
bool MatchesWildcard(const ByteText& name, const ByteText& pattern);

struct FolderListing {
  TextArray names;
  int unconvertible = 0;  // names left out because they are not valid UTF-8
  std::vector<std::string> unconvertibleNames;  // their native bytes, in byte order

  LeftOutNames LeftOut() const;
};

// True for a name the desktop hides: one that begins with ".".
bool IsHiddenName(std::string_view name);

// Files directly in folder matching pattern, in natural order. Hidden names
// are left out (and not counted as unconvertible) unless includeHidden.
FolderListing ListFolderFiles(const ByteText& folder, const ByteText& pattern, bool includeHidden = false);

// The files of folder and of every folder below it, for the mode that takes
// in sub-folders. Folders are walked depth first, the top folder's files
// first, sub-folders of one folder in natural order; the files of each folder
// in natural order. Links to folders are not followed; hidden files and
// folders only with includeHidden. A sub-folder that cannot be read is passed
// over and counted.
struct TreeListing {
  TextArray names;                    // the files, folder by folder
  std::vector<uint32_t> folderOfName;  // per name, its index in folders
  std::vector<ByteText> folders;      // relative to folder: "" first, then e.g. "Season 1/"
  int unconvertible = 0;              // names left out because they are not valid UTF-8
  std::vector<std::string> unconvertibleNames;  // their relative native paths, in byte order
  int unreadableFolders = 0;

  LeftOutNames LeftOut() const;
};
// On d/{b.txt, S2/a, S1/x/y}: ListFilesInTree("/d/", "*.*").names == {b.txt, y, a}
// in the folders "", "S1/x/", "S2/".
TreeListing ListFilesInTree(const ByteText& folder, const ByteText& pattern, bool includeHidden = false);

// Sub-folders directly in folder, ordered by name without regard to ASCII
// letter case (not in natural order), as Windows file systems list them;
// hidden ones only with includeHidden.
FolderListing ListSubfolders(const ByteText& folder, bool includeHidden = false);

}  // namespace vantor
