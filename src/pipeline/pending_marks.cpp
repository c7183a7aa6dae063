// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/pending_marks.h"

#include <system_error>

#include "pipeline/long_work.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

PendingMark MarkOf(RenameProblem problem) {
  switch (problem) {
    case RenameProblem::kInvalidName:
      return PendingMark::kInvalidName;
    case RenameProblem::kDuplicateName:
      return PendingMark::kDuplicateName;
    case RenameProblem::kNameTaken:
      return PendingMark::kNameTaken;
    case RenameProblem::kNone:
    case RenameProblem::kFailed:
    case RenameProblem::kNotReached:
    case RenameProblem::kReplaced:
      break;
  }
  return PendingMark::kNone;
}

// The problems of the pending names of a tree, each folder checked on its own
// against the names it holds.
std::vector<RenameProblem> ProblemsFolderByFolder(const EntryList& list, const std::vector<int>& rows,
                                                  const std::vector<RenameNames>& pending,
                                                  const FolderListing& listing) {
  const std::vector<ByteText>& folders = list.Folders();
  std::vector<std::vector<size_t>> groups(folders.size());
  for (size_t i = 0; i < rows.size(); ++i) groups[list.FolderIndexOfRow(rows[i])].push_back(i);
  std::vector<RenameProblem> problems(pending.size(), RenameProblem::kNone);
  for (size_t folder = 0; folder < groups.size(); ++folder) {
    if (groups[folder].empty()) continue;
    std::vector<RenameNames> part;
    part.reserve(groups[folder].size());
    for (size_t i : groups[folder]) part.push_back(pending[i]);
    TextArray names;
    if (folder == 0 && listing.valid()) {
      names = listing.get();
    } else {
      names = ReadFolderNames(list.EntryDirectory() + folders[folder], EntryKind::kAll).names;
    }
    const std::vector<RenameProblem> found = CheckRenameNames(part, &names);
    for (size_t k = 0; k < found.size(); ++k) problems[groups[folder][k]] = found[k];
  }
  return problems;
}

}  // namespace

RenameProblem ProblemOfMark(PendingMark mark) {
  switch (mark) {
    case PendingMark::kInvalidName:
      return RenameProblem::kInvalidName;
    case PendingMark::kDuplicateName:
      return RenameProblem::kDuplicateName;
    case PendingMark::kNameTaken:
      return RenameProblem::kNameTaken;
    case PendingMark::kNone:
      break;
  }
  return RenameProblem::kNone;
}

const char* ReasonOfProblem(RenameProblem problem) {
  switch (problem) {
    case RenameProblem::kDuplicateName:
      return "与其他文件重名";
    case RenameProblem::kNameTaken:
      return "文件夹里已有同名文件";
    case RenameProblem::kInvalidName:
      return "文件名无效";
    case RenameProblem::kFailed:
      return "文件系统拒绝了改名";
    case RenameProblem::kNotReached:
      return "改名中途停下，没有轮到";
    case RenameProblem::kReplaced:
      return "原名下已换成另一个文件";
    case RenameProblem::kNone:
      break;
  }
  return "";
}

std::vector<PendingMark> MarksOfPendingNames(const std::vector<RenameNames>& pending, const TextArray& folderNames) {
  const std::vector<RenameProblem> problems = CheckRenameNames(pending, &folderNames);
  std::vector<PendingMark> marks;
  marks.reserve(problems.size());
  for (RenameProblem problem : problems) marks.push_back(MarkOf(problem));
  return marks;
}

std::vector<PendingMark> MarksOfListedPendingNames(const EntryList& list, const std::vector<int>& rows,
                                                   const std::vector<RenameNames>& pending) {
  if (!list.HasFolders()) {
    return MarksOfPendingNames(pending, ReadFolderNames(list.EntryDirectory(), EntryKind::kAll).names);
  }
  const std::vector<RenameProblem> problems = ProblemsFolderByFolder(list, rows, pending, {});
  std::vector<PendingMark> marks;
  marks.reserve(problems.size());
  for (RenameProblem problem : problems) marks.push_back(MarkOf(problem));
  return marks;
}

std::vector<PlannedRename> PendingRenames(const EntryList& list, const RowSubset* rows) {
  std::vector<PlannedRename> plan;
  if (!list.PreviewOn()) return plan;
  for (int row = 0; row < list.RowCount(); ++row) {
    const ByteText& oldName = list.Cell(row, 0);
    const ByteText& newName = list.Cell(row, 1);
    if (oldName.empty() || newName.empty() || (rows != nullptr && !rows->Contains(row))) continue;
    plan.push_back({row, oldName, newName, {}, list.FolderIndexOfRow(row)});
  }
  return plan;
}

FolderListing StartReadingFolder(const EntryList& list) {
  const auto read = [directory = list.EntryDirectory()] { return ReadFolderNames(directory, EntryKind::kAll).names; };
  try {
    return std::async(std::launch::async, read);
  } catch (const std::system_error&) {
    // No thread to be had: the folder is read when the listing is asked for.
    return std::async(std::launch::deferred, read);
  }
}

void MarkPendingConflicts(EntryList& list, const FolderListing& listing, const DiskPhaseRunner& runDiskPhase) {
  if (!list.PreviewOn()) return;
  std::vector<int> rows;
  std::vector<RenameProblem> problems;
  LongWork work(list.RowCount(), nullptr, /*stoppable=*/false);
  RunDiskPhase(runDiskPhase, work, [&] {
    // The names are viewed where the list holds them; nothing changes the
    // list until the marks are set below.
    std::vector<RenameNames> pending;
    for (int row = 0; row < list.RowCount(); ++row) {
      const ByteText& oldName = list.Cell(row, 0);
      const ByteText& newName = list.Cell(row, 1);
      if (oldName.empty() || newName.empty()) continue;
      rows.push_back(row);
      pending.push_back({oldName, newName});
    }
    if (list.HasFolders()) {
      problems = ProblemsFolderByFolder(list, rows, pending, listing);
      return;
    }
    TextArray readNow;
    if (!listing.valid()) readNow = ReadFolderNames(list.EntryDirectory(), EntryKind::kAll).names;
    problems = CheckRenameNames(pending, listing.valid() ? &listing.get() : &readNow);
  });
  EntryList::Batch batch(list);
  for (int row = 0; row < list.RowCount(); ++row) list.SetPendingMark(row, PendingMark::kNone);
  for (size_t i = 0; i < rows.size(); ++i) list.SetPendingMark(rows[i], MarkOf(problems[i]));
}

}  // namespace vantor
