// The one place where the program touches names on disk. Directories are GBK
// texts ending with the native separator "/"; names are GBK texts without one.
// Every name is converted to the native encoding losslessly or not used at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/byte_text.h"

namespace vantor {

inline constexpr char kPathSeparator = '/';

// True when name may be the new or old name of an entry inside a directory:
// not empty, not "." or "..", no separator, no NUL.
bool IsPlainEntryName(const ByteText& name);

// Native (UTF-8) form of a GBK path, or nullopt when it does not convert
// losslessly.
std::optional<std::string> NativePath(const ByteText& gbkPath);

// Renames directory + oldName to directory + newName. Never replaces an
// existing file or folder: renameat2 with RENAME_NOREPLACE; where the file
// system refuses that flag, a hard link plus unlink for a file, and where that
// fails too (exFAT, NTFS through FUSE, SMB), an exclusive empty placeholder
// made under the new name (O_EXCL file, or mkdir for a folder) that the plain
// rename then replaces, removed again when the rename fails. A change of
// letter case only, where the file system takes both names for the same
// entry, goes through a temporary name in the directory. Refuses names that are not plain entry names
// (errno EINVAL) or do not convert (EILSEQ), and a directory that does not end
// with the separator (EINVAL). On failure errno tells why; EEXIST: the new
// name is taken. Renaming a name to itself (after those checks) succeeds
// without touching the disk, even when no such entry exists.
// RenameEntry("/tmp/d/", "a.txt", "b.txt") is true when a.txt existed and
// b.txt did not.
bool RenameEntry(const ByteText& directory, const ByteText& oldName, const ByteText& newName);

// Tests only: while on, RenameEntry acts as on a drive that refuses
// RENAME_NOREPLACE (EINVAL) and hard links (EPERM), so the placeholder way runs
// on any file system.
void EmulatePlainDriveForTesting(bool on);

enum class EntryKind { kFiles, kFolders, kAll };

// Names of the files (not folders), of the sub-folders, or of all entries
// directly in directory, in the order the file system returns them, without
// "." and "..". A symbolic link counts as what it points to. Names that do not
// convert losslessly to GBK are left out and kept, in their native form, in
// `unconvertible`, so that a caller that filters can count only those its
// filter would have listed. A directory that cannot be read gives no names.
struct FolderNames {
  TextArray names;
  std::vector<std::string> unconvertible;
};
FolderNames ReadFolderNames(const ByteText& directory, EntryKind kind);

// True when path names an existing directory (links followed).
bool PathIsDirectory(const ByteText& path);

// Time stamps of a path in nanoseconds since 1970 (UTC). birth is the
// creation time where the file system reports one.
struct FileTimes {
  int64_t lastWrite = 0;
  std::optional<int64_t> birth;
};
std::optional<FileTimes> ReadFileTimes(const ByteText& path);

}  // namespace vantor
