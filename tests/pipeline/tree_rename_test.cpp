// SPDX-License-Identifier: GPL-3.0-or-later
// Renaming the rows of a folder tree, and the rows a filter and a selection choose.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/apply_batch.h"
#include "pipeline/commit.h"
#include "pipeline/rename_run.h"
#include "pipeline/row_subset.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using ::vantor::testing::G;
using ::vantor::testing::Workbench;

// Every row as "folder|name|pending".
std::vector<std::string> TreeRows(const EntryList& list) {
  std::vector<std::string> rows;
  for (int row = 0; row < list.RowCount(); ++row) {
    rows.push_back(list.FolderOfRow(row) + "|" + list.Cell(row, 0) + "|" + list.Cell(row, 1));
  }
  return rows;
}

NewNameRule Table(std::vector<std::pair<std::string, std::string>> renames) {
  return [renames](const RenameEntryView& entry) -> std::optional<ByteText> {
    for (const auto& [from, to] : renames) {
      if (entry.name == from) return to;
    }
    return std::nullopt;
  };
}

TEST(TreeRename, PlansEachFolderOnItsOwnRecordsRelativePathsAndUndoes) {
  Workbench bench(ProcessingMode::kFilesInTree);
  bench.Folders({"S1", "S2", "S2/deep"});
  bench.Files({"a", "S1/a", "S1/b", "S2/a", "S2/b", "S2/deep/a"});
  bench.Load();
  ASSERT_EQ(TreeRows(bench.list),
            (std::vector<std::string>{"|a|", "S1/|a|", "S1/|b|", "S2/|a|", "S2/|b|", "S2/deep/|a|"}));

  // Preview: the same new name in two folders is no conflict; twice in one folder it is.
  bench.list.SetPreviewOn(true);
  RunRename(bench.Context(), {}, Table({{"a", "same"}, {"b", "same"}}));
  std::vector<PendingMark> marks;
  for (int row = 0; row < bench.list.RowCount(); ++row) marks.push_back(bench.list.MarkOf(row));
  EXPECT_EQ(marks, (std::vector<PendingMark>{PendingMark::kNone, PendingMark::kDuplicateName,
                                             PendingMark::kDuplicateName, PendingMark::kDuplicateName,
                                             PendingMark::kDuplicateName, PendingMark::kNone}));
  bench.list.SetPreviewOn(false);

  // A chain in each folder (b -> c before a -> b), and "c" new in two folders.
  const RenameRunResult result = RunRename(bench.Context(), {}, Table({{"a", "b"}, {"b", "c"}}));
  EXPECT_EQ(result.renamed, 6);
  EXPECT_EQ(result.failed, 0);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"b", "S1/", "S2/"}));
  EXPECT_EQ(bench.dir.ReadFile("S1/c"), "content of S1/b");
  EXPECT_EQ(bench.dir.ReadFile("S1/b"), "content of S1/a");
  EXPECT_EQ(bench.dir.ReadFile("S2/deep/b"), "content of S2/deep/a");
  EXPECT_EQ(TreeRows(bench.list),
            (std::vector<std::string>{"|b|", "S1/|b|", "S1/|c|", "S2/|b|", "S2/|c|", "S2/deep/|b|"}));
  EXPECT_EQ(bench.RecordedOldNames(),
            (std::vector<std::string>{"a", "S1/a", "S1/b", "S2/a", "S2/b", "S2/deep/a"}));

  // The undo takes each entry back in its own folder and the rows follow.
  bench.prompter.boxes.clear();
  UndoNewestBatch(bench.list, bench.prompter);
  EXPECT_TRUE(bench.prompter.boxes.empty());
  EXPECT_EQ(bench.dir.ReadFile("S1/a"), "content of S1/a");
  EXPECT_EQ(bench.dir.ReadFile("S1/b"), "content of S1/b");
  EXPECT_EQ(bench.dir.ReadFile("S2/deep/a"), "content of S2/deep/a");
  EXPECT_FALSE(bench.dir.Exists("S2/c"));
  EXPECT_EQ(TreeRows(bench.list),
            (std::vector<std::string>{"|a|", "S1/|a|", "S1/|b|", "S2/|a|", "S2/|b|", "S2/deep/|a|"}));
}

TEST(RowSubset, FeedsRunsStepsCommitAndTheOperationsRefusal) {
  Workbench bench;
  bench.Files({"1.srt", "2.mkv", "3.srt", "4.srt"});
  bench.Load();
  // Only the selected rows 2.mkv, 3.srt and 4.srt, of which the filter shows the .srt ones:
  // a sequence numbers just those, in list order.
  const RowSubset rows = MakeRowSubset(bench.list, NameFilter("*.srt"), true, {1, 2, 3});
  RunContext context = bench.Context();
  context.rows = &rows;
  const auto numbered = [](const RenameEntryView& entry) -> std::optional<ByteText> {
    ByteText name = "n";
    name += std::to_string(entry.ordinal);
    name += entry.extension;
    return name;
  };
  bench.list.SetPreviewOn(true);
  RunRename(context, {}, numbered);
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "", "n1.srt", "n2.srt"}));

  // A step of a preview walks the same rows.
  PreviewStepIo io;
  context.step = &io;
  RunRename(context, {}, numbered);
  ASSERT_EQ(io.changes.size(), 2u);
  EXPECT_EQ(io.changes[0].row, 2);
  context.step = nullptr;

  // The commit takes only the chosen rows: a pending name outside them stays.
  bench.list.SetEntryCell("x.srt", 0, 1);
  CommitPreview(bench.list, bench.prompter, {}, {}, &rows);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1.srt", "2.mkv", "n1.srt", "n2.srt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"x.srt", "", "", ""}));

  // Nothing selected: the commit refuses, as every operation does.
  const RowSubset none = MakeRowSubset(bench.list, NameFilter(), true, {});
  bench.prompter.boxes.clear();
  EXPECT_EQ(CommitPreview(bench.list, bench.prompter, {}, {}, &none), 0);
  EXPECT_EQ(bench.prompter.Texts(), (std::vector<std::string>{"请先选中要改的行"}));
  EXPECT_TRUE(bench.dir.Exists("1.srt"));
}

}  // namespace
}  // namespace vantor
