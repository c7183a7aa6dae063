// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/single_rename.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::Reminder;
using testing::Workbench;

TEST(ConfirmHandEdit, RenamesTheCapturedCellOrRefuses) {
  struct Row {
    const char* what;
    bool preview;
    int column;
    std::optional<std::string> typed;  // nullopt: no GBK form
    std::function<void(EntryList&)> meanwhile;
    bool clearPending;
    HandEditResult result;
    std::set<std::string> disk;
    std::vector<std::string> names, pending;
  };
  const auto nothing = [](EntryList&) {};
  using R = HandEditResult;
  const std::vector<Row> rows = {
      {"rename", false, 0, "b.txt", nothing, true, R::kRenamed, {"b.txt", "c.txt"}, {"b.txt", "c.txt"}, {}},
      {"extension dropped", false, 0, "中", nothing, true, R::kRenamed, {"中", "c.txt"}, {"中", "c.txt"}, {}},
      {"unchanged", false, 0, "a.txt", nothing, true, R::kUnchanged, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"existing name", false, 0, "c.txt", nothing, true, R::kFailed, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"empty", false, 0, "", nothing, true, R::kFailed, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"dot", false, 0, ".", nothing, true, R::kFailed, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"dot dot", false, 0, "..", nothing, true, R::kFailed, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"separator", false, 0, "x/b.txt", nothing, true, R::kFailed, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"no GBK form", false, 0, std::nullopt, nothing, true, R::kFailed, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"list cleared", false, 0, "b.txt", [](EntryList& list) { list.Clear(); }, true, R::kFailed,
       {"a.txt", "c.txt"}, {}, {}},
      {"list reversed", false, 0, "b.txt", [](EntryList& list) { list.ReverseOrder(); }, true, R::kFailed,
       {"a.txt", "c.txt"}, {"c.txt", "a.txt"}, {}},
      {"other column", false, 2, "b.txt", nothing, true, R::kIgnored, {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
      {"preview: pending name cleared", true, 0, "b.txt", nothing, true, R::kRenamed, {"b.txt", "c.txt"},
       {"b.txt", "c.txt"}, {"", "pc"}},
      {"preview: pending name kept", true, 0, "b.txt", nothing, false, R::kRenamed, {"b.txt", "c.txt"},
       {"b.txt", "c.txt"}, {"pa", "pc"}},
      {"pending name", true, 1, "新.txt", nothing, true, R::kPendingSet, {"a.txt", "c.txt"}, {"a.txt", "c.txt"},
       {"新.txt", "pc"}},
      {"pending name emptied", true, 1, "", nothing, true, R::kPendingSet, {"a.txt", "c.txt"}, {"a.txt", "c.txt"},
       {"", "pc"}},
      {"preview switched off", true, 1, "n", [](EntryList& list) { list.SetPreviewOn(false); }, true, R::kFailed,
       {"a.txt", "c.txt"}, {"a.txt", "c.txt"}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Workbench bench;
    bench.Files({"a.txt", "c.txt"});
    bench.list.SetPreviewOn(row.preview);
    bench.Rows({"a.txt", "c.txt"});
    if (row.preview) {
      bench.Pending(0, "pa");
      bench.Pending(1, "pc");
    }
    const HandEditCell cell = HandEditCellOf(bench.list, 0, row.column);
    row.meanwhile(bench.list);
    const std::optional<ByteText> typed = row.typed ? std::optional<ByteText>(G(*row.typed)) : std::nullopt;
    EXPECT_EQ(ConfirmHandEdit(bench.list, cell, typed, row.clearPending), row.result);
    EXPECT_EQ(bench.OnDisk(), row.disk);
    EXPECT_EQ(bench.Column(0), row.names);
    if (bench.list.PreviewOn()) {
      EXPECT_EQ(bench.Column(1), row.pending);
    }
    EXPECT_TRUE(bench.Boxes().empty());
  }
}

TEST(TellHandEditResult, ShowsOneReminderPerOutcome) {
  struct Row {
    HandEditResult result;
    bool tellSuccess;
    std::vector<Box> boxes;
  };
  using R = HandEditResult;
  const std::vector<Row> rows = {
      {R::kRenamed, true, {Reminder("此文件名修改成功！")}},
      {R::kRenamed, false, {}},
      {R::kUnchanged, false, {Reminder("没有任何修改！")}},
      {R::kFailed, true, {Reminder("修改失败！")}},
      {R::kPendingSet, true, {}},
      {R::kIgnored, true, {}},
      {R::kNotStarted, true, {Reminder("无法写入改名记录，没有改名")}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.result));
    Workbench bench;
    TellHandEditResult(bench.prompter, row.result, row.tellSuccess);
    EXPECT_EQ(bench.Boxes(), row.boxes);
  }
}

}  // namespace
}  // namespace vantor
