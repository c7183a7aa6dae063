// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/intake.h"

#include <algorithm>

#include "entries/listing.h"
#include "entries/messages.h"
#include "entries/paths.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

const ByteText kRootOnly(1, kPathSeparator);

// Leaves out of names those skip tells to leave out, keeping the order.
template <typename Skip>
void LeaveOut(TextArray& names, Skip skip) {
  names.erase(std::remove_if(names.begin(), names.end(), skip), names.end());
}

// Rows of a tree keep their folders; the skip rule is that of the files mode,
// or, from the chooser, the skip box alone.
void AppendTree(EntryList& list, const IntakeSettings& settings, TreeListing& tree, bool chooserSkipRule) {
  std::vector<uint32_t> folderIndex;
  folderIndex.reserve(tree.folders.size());
  for (ByteText& folder : tree.folders) folderIndex.push_back(list.AddFolder(std::move(folder)));
  for (size_t i = 0; i < tree.names.size(); ++i) {
    ByteText& name = tree.names[i];
    const bool skipped = chooserSkipRule ? settings.skipExtension && *settings.skipExtension == ExtensionOfPath(name)
                                         : SkippedByExtension(name, settings);
    if (skipped) continue;
    list.AppendRowInFolder(std::move(name), folderIndex[tree.folderOfName[i]]);
  }
}

// The entry directory a dropped path gives: its folder, ending with "/".
ByteText FolderOfDropped(const ByteText& path) {
  ByteText directory = ParentDirectoryOf(path);
  if (directory.empty() || directory.back() != kPathSeparator) directory += kPathSeparator;
  return directory;
}

ByteText& DesktopFolderSetting() {
  static ByteText folder;
  return folder;
}

ByteText WithFinalSeparator(ByteText folder) {
  while (!folder.empty() && folder.back() == kPathSeparator) folder.pop_back();
  folder.push_back(kPathSeparator);
  return folder;
}

bool LiesUnder(const ByteText& directory, const ByteText& folder) {
  return !folder.empty() && directory.compare(0, folder.size(), folder) == 0;
}

void RunRead(const FolderReadRunner& runRead, const std::function<void()>& read) {
  if (runRead) {
    runRead(read);
  } else {
    read();
  }
}

// Fills the list from the entry directory by mode and filters, after emptying
// it when replaceRows. The folder is read before the list changes, so that
// the rows shown meanwhile are the old ones; one batch then shows the new.
LeftOutNames FillFromEntryDirectory(EntryList& list, const IntakeSettings& settings, const FolderReadRunner& runRead,
                           bool replaceRows) {
  const ByteText directory = list.EntryDirectory();
  if (directory.empty() || directory == kRootOnly) {
    if (replaceRows) list.Clear();
    if (!directory.empty()) list.SetEntryDirectory({});
    return {};
  }
  // Everything but the rows' change happens in the read, off the window's
  // thread when runRead has one.
  if (settings.mode == ProcessingMode::kFilesInTree) {
    TreeListing tree;
    RunRead(runRead, [&] { tree = ListFilesInTree(directory, settings.onlySearchPattern, settings.showHidden); });
    EntryList::Batch batch(list);
    if (replaceRows) list.Clear();
    AppendTree(list, settings, tree, /*chooserSkipRule=*/false);
    return tree.LeftOut();
  }
  FolderListing listing;
  if (settings.mode != ProcessingMode::kDroppedItems) {
    RunRead(runRead, [&] {
      listing = settings.mode == ProcessingMode::kFiles
                    ? ListFolderFiles(directory, settings.onlySearchPattern, settings.showHidden)
                    : ListSubfolders(directory, settings.showHidden);
      if (settings.mode == ProcessingMode::kFiles) {
        LeaveOut(listing.names, [&settings](const ByteText& name) { return SkippedByExtension(name, settings); });
      }
    });
  }
  EntryList::Batch batch(list);
  if (replaceRows) list.Clear();
  list.AppendRows(std::move(listing.names));
  return listing.LeftOut();
}

}  // namespace

void SetUserDesktopFolder(const ByteText& folder, const ByteText& home) {
  const ByteText desktop = WithFinalSeparator(folder);
  const bool meaningful =
      desktop.size() > 1 && desktop.front() == kPathSeparator && desktop != WithFinalSeparator(home);
  DesktopFolderSetting() = meaningful ? desktop : ByteText();
}

const ByteText& UserDesktopFolder() { return DesktopFolderSetting(); }

bool SkippedByExtension(const ByteText& name, const IntakeSettings& settings) {
  return settings.onlySearchPattern == "*.*" && settings.skipExtension &&
         *settings.skipExtension == ExtensionOfPath(name);
}

bool RefuseDesktopDirectory(EntryList& list, Prompter& prompter) {
  if (!LiesUnder(list.EntryDirectory(), UserDesktopFolder())) return false;
  prompter.Inform(messages::DesktopRefusal(), messages::TitleHint(), MessageIcon::kInformation);
  list.SetEntryDirectory({});
  return true;
}

LeftOutNames LoadFolderEntries(EntryList& list, const IntakeSettings& settings, const FolderReadRunner& runRead) {
  return FillFromEntryDirectory(list, settings, runRead, /*replaceRows=*/false);
}

bool RefuseDropFromAnotherFolder(const EntryList& list, Prompter& prompter, const IntakeSettings& settings,
                                 const ByteText& path) {
  if (settings.mode != ProcessingMode::kDroppedItems || list.RowCount() == 0) return false;
  if (path.empty() || path == kRootOnly || FolderOfDropped(path) == list.EntryDirectory()) return false;
  prompter.Inform(Gbk("列表里的文件来自另一个文件夹，请先清空列表再拖入"), messages::TitleHint(),
                  MessageIcon::kInformation);
  return true;
}

LeftOutNames AcceptDroppedPath(EntryList& list, Prompter& prompter, const IntakeSettings& settings, const ByteText& path,
                      const FolderReadRunner& runRead) {
  if (RefuseDropFromAnotherFolder(list, prompter, settings, path)) return {};
  if (settings.mode != ProcessingMode::kDroppedItems) list.Clear();
  if (path.empty()) {
    prompter.Inform(messages::NothingSelected(), messages::TitleHint(), MessageIcon::kInformation);
    return {};
  }
  if (path == kRootOnly) {
    prompter.Inform(messages::NothingSelected(), messages::TitleHint(), MessageIcon::kInformation);
    list.SetEntryDirectory({});
    return {};
  }
  const bool treeOfFolder = settings.mode == ProcessingMode::kFilesInTree && PathIsDirectory(path);
  list.SetEntryDirectory(treeOfFolder ? WithFinalSeparator(path) : FolderOfDropped(path));
  if (RefuseDesktopDirectory(list, prompter)) return {};
  if (settings.mode == ProcessingMode::kDroppedItems) {
    list.AppendRow(NameOfPath(path, true));
    return {};
  }
  return LoadFolderEntries(list, settings, runRead);
}

LeftOutNames ReadChosenFolder(EntryList& list, Prompter& prompter, const IntakeSettings& settings,
                     const std::optional<ByteText>& chosen, const FolderReadRunner& runRead) {
  // A cancelled chooser leaves the list and its folder as they were.
  if (!chosen || chosen->empty()) {
    prompter.Inform(messages::NothingSelected(), messages::TitleHint(), MessageIcon::kInformation);
    return {};
  }
  list.Clear();
  if (list.EntryDirectory() == kRootOnly) {
    prompter.Inform(messages::NothingSelected(), messages::TitleHint(), MessageIcon::kInformation);
    list.SetEntryDirectory({});
    return {};
  }
  ByteText directory = *chosen;
  if (directory.back() != kPathSeparator) directory += kPathSeparator;
  list.SetEntryDirectory(directory);
  if (RefuseDesktopDirectory(list, prompter)) return {};

  if (settings.mode == ProcessingMode::kFilesInTree) {
    TreeListing tree;
    RunRead(runRead, [&] { tree = ListFilesInTree(directory, settings.onlySearchPattern, settings.showHidden); });
    EntryList::Batch batch(list);
    AppendTree(list, settings, tree, /*chooserSkipRule=*/true);
    return tree.LeftOut();
  }
  const bool files = settings.mode == ProcessingMode::kFiles || settings.mode == ProcessingMode::kDroppedItems;
  FolderListing listing;
  RunRead(runRead, [&] {
    listing = files ? ListFolderFiles(directory, settings.onlySearchPattern, settings.showHidden)
                    : ListSubfolders(directory, settings.showHidden);
    // The chooser's skip rule does not look at the only-search pattern.
    if (files && settings.skipExtension) {
      LeaveOut(listing.names,
               [&settings](const ByteText& name) { return *settings.skipExtension == ExtensionOfPath(name); });
    }
  });
  EntryList::Batch batch(list);
  list.AppendRows(std::move(listing.names));
  return listing.LeftOut();
}

LeftOutNames ReloadAfterFilterChange(EntryList& list, const IntakeSettings& settings, const FolderReadRunner& runRead) {
  if (settings.mode == ProcessingMode::kDroppedItems) {
    list.Clear();
    return {};
  }
  return FillFromEntryDirectory(list, settings, runRead, /*replaceRows=*/true);
}

}  // namespace vantor
