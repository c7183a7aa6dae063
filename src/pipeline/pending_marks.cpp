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

std::vector<PlannedRename> PendingRenames(const EntryList& list) {
  std::vector<PlannedRename> plan;
  if (!list.PreviewOn()) return plan;
  for (int row = 0; row < list.RowCount(); ++row) {
    const ByteText& oldName = list.Cell(row, 0);
    const ByteText& newName = list.Cell(row, 1);
    if (oldName.empty() || newName.empty()) continue;
    plan.push_back({row, oldName, newName});
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
    TextArray readNow;
    if (!listing.valid()) readNow = ReadFolderNames(list.EntryDirectory(), EntryKind::kAll).names;
    problems = CheckRenameNames(pending, listing.valid() ? &listing.get() : &readNow);
  });
  EntryList::Batch batch(list);
  for (int row = 0; row < list.RowCount(); ++row) list.SetPendingMark(row, PendingMark::kNone);
  for (size_t i = 0; i < rows.size(); ++i) list.SetPendingMark(rows[i], MarkOf(problems[i]));
}

}  // namespace vantor
