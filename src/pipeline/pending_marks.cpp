// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/pending_marks.h"

#include <algorithm>
#include <functional>
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

// What the marking costs, per row, beside one walk over the rows: the read of
// the folder and the check against its names (a million rows: 320 and 220 ms,
// a walk 25 ms). The progress of a marking follows these weights.
constexpr int kReadWeight = 13;
constexpr int kCheckWeight = 9;
constexpr size_t kRowsBetweenReports = 4096;

std::vector<PendingMark> MarksOf(const std::vector<RenameProblem>& problems) {
  std::vector<PendingMark> marks;
  marks.reserve(problems.size());
  for (RenameProblem problem : problems) marks.push_back(MarkOf(problem));
  return marks;
}

// The names of the folder at directory, read into storage, or those of
// listing when it has been started. The read counts against expected entries
// (the folder holds at least the rows listed from it).
const TextArray& NamesOfFolder(const ByteText& directory, const FolderListing& listing, size_t expected,
                               const std::function<void(size_t done, size_t of)>& told, TextArray& storage) {
  if (listing.valid()) return listing.get();
  storage = ReadFolderNames(directory, EntryKind::kAll, [&](size_t read) { told(read, expected); }).names;
  return storage;
}

// The problems of the pending names of a list without sub-folders; part
// hears the read and the check.
std::vector<RenameProblem> ProblemsInFolder(const EntryList& list, const std::vector<RenameNames>& pending,
                                            const FolderListing& listing, WorkPart* part) {
  std::vector<WorkPart> parts = part != nullptr ? part->Split({kReadWeight, kCheckWeight}) : std::vector<WorkPart>(2);
  TextArray read;
  const TextArray& names = NamesOfFolder(list.EntryDirectory(), listing, static_cast<size_t>(list.RowCount()),
                                         [&](size_t done, size_t of) { parts[0].Reached(done, of); }, read);
  parts[0].Finish();
  std::vector<RenameProblem> problems =
      CheckRenameNames(pending, &names, [&](size_t done, size_t of) { parts[1].Reached(done, of); });
  parts[1].Finish();
  return problems;
}

// The problems of the pending names of a tree, each folder checked on its own
// against the names it holds; part hears the reads and the checks, each
// folder's share by its pending rows.
std::vector<RenameProblem> ProblemsFolderByFolder(const EntryList& list, const std::vector<int>& rows,
                                                  const std::vector<RenameNames>& pending,
                                                  const FolderListing& listing, WorkPart* part) {
  const std::vector<ByteText>& folders = list.Folders();
  std::vector<std::vector<size_t>> groups(folders.size());
  for (size_t i = 0; i < rows.size(); ++i) groups[list.FolderIndexOfRow(rows[i])].push_back(i);
  std::vector<RenameProblem> problems(pending.size(), RenameProblem::kNone);
  constexpr size_t kWeight = kReadWeight + kCheckWeight;
  const size_t units = pending.size() * kWeight;
  size_t before = 0;  // pending rows of the folders done
  const auto tell = [&](size_t done) {
    if (part != nullptr) part->Reached(done, units);
  };
  for (size_t folder = 0; folder < groups.size(); ++folder) {
    const size_t size = groups[folder].size();
    if (size == 0) continue;
    std::vector<RenameNames> ofFolder;
    ofFolder.reserve(size);
    for (size_t i : groups[folder]) ofFolder.push_back(pending[i]);
    const FolderListing none;
    TextArray storage;
    const TextArray& names = NamesOfFolder(
        list.EntryDirectory() + folders[folder], folder == 0 ? listing : none, size,
        [&](size_t done, size_t of) { tell(before * kWeight + std::min(done, of) * kReadWeight); }, storage);
    const size_t read = before * kWeight + size * kReadWeight;
    const std::vector<RenameProblem> found = CheckRenameNames(ofFolder, &names, [&](size_t done, size_t of) {
      tell(read + size * kCheckWeight * done / std::max<size_t>(of, 1));
    });
    for (size_t k = 0; k < found.size(); ++k) problems[groups[folder][k]] = found[k];
    before += size;
    tell(before * kWeight);
  }
  if (part != nullptr) part->Finish();
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
  return MarksOf(CheckRenameNames(pending, &folderNames));
}

std::vector<PendingMark> MarksOfListedPendingNames(const EntryList& list, const std::vector<int>& rows,
                                                   const std::vector<RenameNames>& pending, WorkPart* part) {
  return MarksOf(list.HasFolders() ? ProblemsFolderByFolder(list, rows, pending, {}, part)
                                   : ProblemsInFolder(list, pending, {}, part));
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
    // The walk over the rows, then the reads and checks.
    std::vector<WorkPart> parts = WorkPart(&work, work.Total()).Split({1, kReadWeight + kCheckWeight});
    // The names are viewed where the list holds them; nothing changes the
    // list until the marks are set below.
    std::vector<RenameNames> pending;
    const size_t count = static_cast<size_t>(list.RowCount());
    for (int row = 0; row < list.RowCount(); ++row) {
      if (static_cast<size_t>(row) % kRowsBetweenReports == 0) parts[0].Reached(static_cast<size_t>(row), count);
      const ByteText& oldName = list.Cell(row, 0);
      const ByteText& newName = list.Cell(row, 1);
      if (oldName.empty() || newName.empty()) continue;
      rows.push_back(row);
      pending.push_back({oldName, newName});
    }
    parts[0].Finish();
    problems = list.HasFolders() ? ProblemsFolderByFolder(list, rows, pending, listing, &parts[1])
                                 : ProblemsInFolder(list, pending, listing, &parts[1]);
  });
  EntryList::Batch batch(list);
  for (int row = 0; row < list.RowCount(); ++row) list.SetPendingMark(row, PendingMark::kNone);
  for (size_t i = 0; i < rows.size(); ++i) list.SetPendingMark(rows[i], MarkOf(problems[i]));
}

}  // namespace vantor
