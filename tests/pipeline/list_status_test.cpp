// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/list_status.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pipeline/apply_batch.h"
#include "pipeline/commit.h"
#include "pipeline/rename_run.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::G;
using testing::Workbench;

TEST(CountStatus, CountsRowsAndRowsACommitWouldRename) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::string, std::string>> rows;  // current, pending
    bool preview;
    int rows_count, pending;
  };
  const Row cases[] = {
      {"empty list", {}, true, 0, 0},
      {"preview off counts no pending", {{"a", ""}, {"b", ""}}, false, 2, 0},
      {"pending names", {{"a", "x"}, {"b", ""}, {"c", "y"}}, true, 3, 2},
      {"withdrawn current name", {{"", "x"}, {"b", "y"}}, true, 2, 1},
  };
  for (const Row& row : cases) {
    SCOPED_TRACE(row.name);
    EntryList list;
    list.SetPreviewOn(row.preview);
    for (size_t i = 0; i < row.rows.size(); ++i) {
      list.AppendRow(G(row.rows[i].first));
      list.SetEntryCell(G(row.rows[i].second), static_cast<int>(i), 1);
    }
    const ListStatus status = CountStatus(list);
    EXPECT_EQ(status.rows, row.rows_count);
    EXPECT_EQ(status.pending, row.pending);
    EXPECT_EQ(status.conflicts, 0);
  }
  // Rows the preview marked count as conflicts, as long as they are pending.
  EntryList list;
  list.SetPreviewOn(true);
  for (const char* name : {"a", "b", "c"}) list.AppendRow(name);
  list.SetEntryCell("x", 0, 1);
  list.SetEntryCell("x", 1, 1);
  list.SetPendingMark(0, PendingMark::kDuplicateName);
  list.SetPendingMark(1, PendingMark::kDuplicateName);
  list.SetEntryCell("", 1, 1);
  EXPECT_EQ(CountStatus(list).conflicts, 1);
}

// Direct runs, commits and undos tell the outcome of the renames they made.
TEST(RenamedOnDisk, HearsEveryRunThatRenamedOnDisk) {
  Workbench bench;
  bench.Files({"1.txt", "2.txt", "2a.txt"});
  bench.Load();
  std::vector<std::pair<int, int>> heard;
  RunContext context = bench.Context();
  context.renamedOnDisk = [&heard](int renamed, int failed) { heard.emplace_back(renamed, failed); };
  RunRename(context, {}, [](const RenameEntryView& entry) -> std::optional<ByteText> {
    return entry.name == "2a.txt" ? std::nullopt : std::optional<ByteText>(entry.stem + "a" + entry.extension);
  });
  ASSERT_EQ(heard, (std::vector<std::pair<int, int>>{{1, 1}}));

  Workbench committed;
  committed.Files({"x.txt", "y.txt"});
  committed.Load();
  committed.list.SetPreviewOn(true);
  committed.Pending(0, "x1.txt");
  committed.Pending(1, "z.txt");
  CommitPreview(committed.list, committed.prompter, context.renamedOnDisk);
  UndoNewestBatch(committed.list, committed.prompter, context.renamedOnDisk);
  EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{1, 1}, {2, 0}, {2, 0}}));
  EXPECT_EQ(committed.OnDisk(), (std::set<std::string>{"x.txt", "y.txt"}));
  EXPECT_TRUE(committed.Boxes().empty());
}

}  // namespace
}  // namespace vantor
