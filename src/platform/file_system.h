// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where the program touches names on disk. Directories are GBK
// texts ending with the native separator "/"; names are GBK texts without one.
// Every name is converted to the native encoding losslessly or not used at all.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/byte_text.h"

namespace vantor {

inline constexpr char kPathSeparator = '/';

// A name read from disk that is not valid UTF-8 has no byte text of its own.
// RawNativeName gives it a stand-in that every function of this file takes as
// exactly those native bytes: kRawNamePrefix, then the bytes. No byte text
// holds 0xFF, so no other name reads as one; a stand-in is never shown.
// RawNativeName("\xD6\xD0.txt") == "\xFF\xFF\xD6\xD0.txt".
inline constexpr std::string_view kRawNamePrefix = "\xFF\xFF";
ByteText RawNativeName(std::string_view native);
// True when name is such a stand-in.
bool IsRawNativeName(std::string_view name);

// True when name may be the new or old name of an entry inside a directory:
// not empty, not "." or "..", no separator, no NUL.
bool IsPlainEntryName(std::string_view name);

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

// The native form of a plain entry name (see IsPlainEntryName) into out: 0,
// or EINVAL for a name that is not plain, EILSEQ for one that does not
// convert losslessly. NativeEntryName("\xD6\xD0.txt", out) == 0 with out "中.txt".
int NativeEntryName(std::string_view gbkName, std::string& out);

// Which entry a name stands for: its device and inode. Unknown (inode 0)
// when it could not be read.
struct EntryIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool Known() const { return inode != 0; }
  bool operator==(const EntryIdentity&) const = default;
};

class FileSystemCalls;

// Renames many entries of one directory, opened once, by names already in
// native form (see NativeEntryName): each Rename acts exactly as RenameEntry,
// with the same ways around drives that refuse RENAME_NOREPLACE and the same
// errno, but the kernel looks up names relative to the opened directory. A
// directory that does not end with the separator or does not convert makes
// every Rename fail with EINVAL; one that cannot be opened is used by path.
// Every call goes through fs (default: CurrentFileSystem()).
// DirectoryRenamer("/tmp/d/").Rename("a.txt", "b.txt") renames /tmp/d/a.txt.
class DirectoryRenamer {
 public:
  explicit DirectoryRenamer(const ByteText& directory, const FileSystemCalls* fs = nullptr);
  ~DirectoryRenamer();
  DirectoryRenamer(const DirectoryRenamer&) = delete;
  DirectoryRenamer& operator=(const DirectoryRenamer&) = delete;

  bool Rename(const char* oldName, const char* newName) const;
  // True when the folder's file system can trade two names in one step
  // (Exchange); false when the folder could not be opened.
  bool CanExchange() const;
  // The entries under a and b trade names at once, or nothing changes (false,
  // errno set). Exchange("a", "b") swaps a and b.
  bool Exchange(const char* a, const char* b) const;
  // The entry a native name of the folder stands for now (a link itself, not
  // what it points to), by one fstatat relative to the opened folder.
  EntryIdentity IdentityOf(const char* name) const;
  // The folder as it was opened; unknown when it could not be opened.
  EntryIdentity Folder() const { return folder_; }
  const FileSystemCalls& Calls() const { return fs_; }

 private:
  const FileSystemCalls& fs_;
  std::string nativeDirectory_;
  int directoryFd_ = -1;
  bool valid_ = false;
  EntryIdentity folder_;
};

// The identity of the folder at a GBK path (links followed); unknown when it
// is not a folder. FolderIdentity("/tmp/d/").Known() for an existing folder.
EntryIdentity FolderIdentity(const ByteText& directory);

enum class EntryKind { kFiles, kFolders, kAll };

// Names of the files (not folders), of the sub-folders, or of all entries
// directly in directory, in the order the file system returns them, without
// "." and "..". A symbolic link counts as what it points to. Names that do not
// convert losslessly to GBK are left out and kept, in their native form, in
// `unconvertible`, so that a caller that filters can count only those its
// filter would have listed. A directory that cannot be read gives no names.
// read, when given, hears how many entries have been read so far, every few
// thousand (the size of a folder is not known beforehand).
struct FolderNames {
  TextArray names;
  std::vector<std::string> unconvertible;
};
FolderNames ReadFolderNames(const ByteText& directory, EntryKind kind,
                            const std::function<void(size_t read)>& read = {});

// One read of a folder for a walk down a tree: its files (a link to a file
// counts as a file) and its real sub-folders, links to folders left out so
// that the walk never follows one, both in the order the file system returns
// them; names without a GBK form go to `unconvertible` (files and folders
// alike). readable is false when the folder could not be opened.
struct FolderSplit {
  TextArray files;
  TextArray folders;
  std::vector<std::string> unconvertible;
  bool readable = false;
};
FolderSplit ReadFolderSplit(const ByteText& directory);

// True when path names an existing directory (links followed).
bool PathIsDirectory(const ByteText& path);

// Time stamps of a path in nanoseconds since 1970 (UTC). birth is the
// creation time where the file system reports one.
struct FileTimes {
  int64_t lastWrite = 0;
  std::optional<int64_t> birth;
};
std::optional<FileTimes> ReadFileTimes(const ByteText& path);

// ---- Creating, writing and deleting entries ----
// Each takes a directory ending with the separator and a plain entry name (see
// IsPlainEntryName) that converts losslessly, and refuses anything else.

// Native path of directory + name after those checks, or nullopt.
// NativeEntryPath("/tmp/d/", "a.txt") == "/tmp/d/a.txt"; NativeEntryPath("d/", "..") == nullopt.
std::optional<std::string> NativeEntryPath(const ByteText& directory, const ByteText& name);

// Creates directory + name as a new file holding exactly bytes. Never opens
// an existing file or follows a symbolic link: false when anything of that
// name exists. A file whose bytes cannot all be written is removed again.
// CreateNewFile("/tmp/d/", "a.txt", "x") is true once, then false.
bool CreateNewFile(const ByteText& directory, const ByteText& name, std::string_view bytes);

// Creates directory + name as a new folder; false when anything of that name
// exists.
bool CreateNewFolder(const ByteText& directory, const ByteText& name);

// Makes directory + name a regular file holding exactly bytes, all at once: the
// bytes go to a new temporary file in the same directory, are flushed to disk
// and then renamed over the old name. Readers see the old file or the whole
// new one; a failure leaves the old file as it was and no temporary file
// behind. A symbolic link of that name is replaced, not written through; an
// existing file keeps its permission bits.
bool WriteFileAtomically(const ByteText& directory, const ByteText& name, std::string_view bytes);

// What directory + name is, without following a symbolic link.
enum class EntryType { kMissing, kFolder, kSymbolicLink, kOther };
EntryType EntryTypeOf(const ByteText& directory, const ByteText& name);

// Deletes directory + name when it is not a folder; a symbolic link is deleted
// itself, whatever it points to. DeleteFileEntry("/tmp/d/", "sub") is false
// when sub is a folder.
bool DeleteFileEntry(const ByteText& directory, const ByteText& name);

// Deletes the folder directory + name with everything in it, depth first.
// Never follows a symbolic link: every step works relative to an opened
// folder and opens sub-folders with O_NOFOLLOW, so a link inside the tree
// (even one swapped in meanwhile) is deleted as a link and nothing outside
// the tree is touched. A symbolic link in place of the folder is deleted as a
// link; a file is refused. True when the folder is gone.
bool DeleteFolderTree(const ByteText& directory, const ByteText& name);

}  // namespace vantor
