// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the entry list: dropped paths, a chosen folder, and reloads when a
// filter changes.
#pragma once

#include <functional>
#include <optional>

#include "entries/entry_list.h"
#include "entries/left_out_names.h"
#include "platform/prompter.h"

namespace vantor {

// What a dropped item stands for.
enum class ProcessingMode {
  kFiles,         // "处理文件": the files of its folder
  kFolders,       // "处理文件夹": the sub-folders of its folder
  kDroppedItems,  // "拖几个改几个": exactly the dropped items
  kFilesInTree,   // "处理文件（含子文件夹）": the files of its folder and of every folder below
};

struct IntakeSettings {
  ProcessingMode mode = ProcessingMode::kFiles;
  ByteText onlySearchPattern = "*.*";
  // Text of the skip-extension box's current item; none when it has none.
  std::optional<ByteText> skipExtension;
  // Folder listings include names beginning with "." (选择框_显示隐藏文件).
  // A dropped item in the dropped-items mode is listed either way.
  bool showHidden = false;
};

// Runs the read of a folder during a load (the disk read and the sort, which
// touch no list), e.g. on a worker thread while the window keeps repainting;
// empty: inline. Example: [](const std::function<void()>& read) { read(); }.
using FolderReadRunner = std::function<void(const std::function<void()>& read)>;

// True when a listed file is left out by the skip-extension box: only with the
// pattern "*.*" and a current skip item equal to the name's extension.
bool SkippedByExtension(const ByteText& name, const IntakeSettings& settings);

// True (after telling the user and clearing the entry directory) when the
// entry directory is the user's own desktop folder (see SetUserDesktopFolder)
// or lies under it. A folder that merely has "desktop" in its path is fine.
bool RefuseDesktopDirectory(EntryList& list, Prompter& prompter);

// The desktop folder as the user's desktop names it (GBK, absolute), told once
// at start-up with the home folder; empty forgets it. A desktop folder that is
// the home folder or the root is ignored: some desktops name the home folder
// when they have no desktop, and refusing all of it would refuse everything.
// Example: SetUserDesktopFolder(Gbk("/home/li/桌面"), "/home/li").
void SetUserDesktopFolder(const ByteText& folder, const ByteText& home);
// The folder last set, ending with "/"; empty when none.
const ByteText& UserDesktopFolder();

// Refills the list from the entry directory by mode and filters (the caller
// empties it first when it wants a fresh list), reading the folder through
// runRead. Returns the names left out because they are not valid UTF-8. In
// the tree mode every row carries its folder (EntryList::FolderOfRow) and
// the unreadable sub-folders are counted; no window is needed, e.g. for a
// run from the command line: list.SetEntryDirectory("/v/"); LoadFolderEntries(list, {.mode = kFilesInTree}).
LeftOutNames LoadFolderEntries(EntryList& list, const IntakeSettings& settings, const FolderReadRunner& runRead = {});

// True, after "列表里的文件来自另一个文件夹，请先清空列表再拖入" (提示), when in
// the dropped-items mode the list has rows and path lies in another folder
// than the entry directory: all rows name entries of that one folder.
bool RefuseDropFromAnotherFolder(const EntryList& list, Prompter& prompter, const IntakeSettings& settings,
                                 const ByteText& path);

// Takes one dropped path: sets the entry directory to its folder and loads the
// list (folder modes start afresh; the dropped-items mode appends the item).
// In the tree mode a dropped folder is itself the folder read.
// Refuses an empty path, desktop folders and, in the dropped-items mode, a
// path from another folder than the listed rows'. Returns the names left out.
LeftOutNames AcceptDroppedPath(EntryList& list, Prompter& prompter, const IntakeSettings& settings, const ByteText& path,
                      const FolderReadRunner& runRead = {});

// The manual read command after the folder chooser closed; chosen is empty
// when the user chose nothing, which is told and changes nothing. Otherwise
// the list starts afresh from the chosen folder. Returns the names left out.
LeftOutNames ReadChosenFolder(EntryList& list, Prompter& prompter, const IntakeSettings& settings,
                     const std::optional<ByteText>& chosen, const FolderReadRunner& runRead = {});

// Reload after a filter box changed: empties the list, then reloads in the two
// folder modes. The old rows stay listed while the folder is read; one reset
// then shows the new ones.
LeftOutNames ReloadAfterFilterChange(EntryList& list, const IntakeSettings& settings, const FolderReadRunner& runRead = {});

}  // namespace vantor
