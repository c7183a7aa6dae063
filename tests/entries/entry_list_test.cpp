// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/entry_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

// Every notice the list sends, as "reset", "appended 0-2", "cells 1-1", "preview".
class Recorder : public EntryListObserver {
 public:
  void OnReset() override { calls.push_back("reset"); }
  void OnRowsAppended(int first, int last) override { Add("appended", first, last); }
  void OnCellsChanged(int first, int last) override { Add("cells", first, last); }
  void OnPreviewChanged() override { calls.push_back("preview"); }

  std::vector<std::string> calls;

 private:
  void Add(const char* what, int first, int last) {
    calls.push_back(std::string(what) + " " + std::to_string(first) + "-" + std::to_string(last));
  }
};

EntryList ListOf(const TextArray& names) {
  EntryList list;
  for (const ByteText& name : names) list.AppendRow(name);
  return list;
}

TextArray Column(const EntryList& list, int column) {
  TextArray texts;
  for (int row = 0; row < list.RowCount(); ++row) texts.push_back(list.Cell(row, column));
  return texts;
}

TEST(EntryListCell, OutsideTheListReadsEmptyAndIgnoresWrites) {
  EntryList list;
  EXPECT_EQ(list.Cell(0, 0), "");
  list.SetEntryCell("x", 0, 0);
  EXPECT_EQ(list.RowCount(), 0);

  list.AppendRow("a");
  list.SetEntryCell("x", 1, 0);
  list.SetEntryCell("x", -1, 0);
  list.SetEntryCell("x", 0, 1);  // no preview column yet
  list.SetEntryCell("x", 0, 2);
  EXPECT_EQ(Column(list, 0), TextArray{"a"});
  EXPECT_EQ(list.Cell(0, 1), "");
  EXPECT_EQ(list.Cell(-1, 0), "");
  EXPECT_EQ(list.ColumnCount(), 1);

  list.SetEntryCell("b", 0, 0);
  EXPECT_EQ(list.Cell(0, 0), "b");
}

TEST(EntryListPreview, SwitchingOffDiscardsPendingNamesAndOnAgainStartsEmpty) {
  EntryList list = ListOf({"a", "b"});
  list.SetPreviewOn(true);
  EXPECT_EQ(list.ColumnCount(), 2);
  EXPECT_EQ(Column(list, 1), (TextArray{"", ""}));
  list.SetEntryCell("A", 0, 1);
  list.AppendRow("c");
  EXPECT_EQ(Column(list, 1), (TextArray{"A", "", ""}));

  list.SetPreviewOn(false);
  EXPECT_EQ(list.ColumnCount(), 1);
  EXPECT_EQ(list.Cell(0, 1), "");
  list.SetPreviewOn(true);
  EXPECT_EQ(Column(list, 1), (TextArray{"", "", ""}));
  EXPECT_EQ(Column(list, 0), (TextArray{"a", "b", "c"}));
}

TEST(CollectColumnTexts, AppendsEveryRowOrSkipsEmptyTexts) {
  TextArray target{"kept"};
  EXPECT_EQ(EntryList().CollectColumnTexts(target, 0), 0);
  EXPECT_EQ(target, TextArray{"kept"});

  EntryList list = ListOf({"a", "", "c"});
  EXPECT_EQ(list.CollectColumnTexts(target, 0), 4);
  EXPECT_EQ(target, (TextArray{"kept", "a", "", "c"}));

  TextArray nonEmpty;
  EXPECT_EQ(list.CollectColumnTexts(nonEmpty, 0, true), 2);
  EXPECT_EQ(nonEmpty, (TextArray{"a", "c"}));

  list.SetPreviewOn(true);
  list.SetEntryCell("C", 2, 1);
  TextArray pending;
  EXPECT_EQ(list.CollectColumnTexts(pending, 1), 3);
  EXPECT_EQ(pending, (TextArray{"", "", "C"}));
}

TEST(CollectEntryNames, PassesOverEmptyNamesAndPrefixesTheDirectory) {
  TextArray target;
  EXPECT_EQ(EntryList().CollectEntryNames(target, true), 0);

  EntryList list = ListOf({"a.txt", "", "b.txt"});
  list.SetEntryDirectory("/d/");
  EXPECT_EQ(list.CollectEntryNames(target, false), 2);
  EXPECT_EQ(target, (TextArray{"a.txt", "b.txt"}));

  TextArray paths;
  EXPECT_EQ(list.CollectEntryNames(paths, true), 2);
  EXPECT_EQ(paths, (TextArray{"/d/a.txt", "/d/b.txt"}));
}

TEST(RemoveSelectedRows, WithoutPreviewDeletesExactlyThoseRows) {
  EntryList list = ListOf({"a", "b", "c", "d", "e"});
  list.RemoveSelectedRows({-1, 9}, 0);
  EXPECT_EQ(list.RowCount(), 5);
  list.RemoveSelectedRows({3, 1, 3}, 0);
  EXPECT_EQ(Column(list, 0), (TextArray{"a", "c", "e"}));
  list.RemoveSelectedRows({0, 1, 2}, 0);
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(RemoveSelectedRows, WithPreviewEmptiesTheClickedColumnOnly) {
  EntryList list = ListOf({"a", "b", "c"});
  list.SetPreviewOn(true);
  list.SetColumnTexts({"A", "B", "C"}, 1);

  list.RemoveSelectedRows({0, 2, 7}, 1);
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(Column(list, 0), (TextArray{"a", "b", "c"}));
  EXPECT_EQ(Column(list, 1), (TextArray{"", "B", ""}));

  list.RemoveSelectedRows({1}, 0);
  EXPECT_EQ(Column(list, 0), (TextArray{"a", "", "c"}));
  EXPECT_EQ(Column(list, 1), (TextArray{"", "B", ""}));
}

TEST(ReverseOrder, OneRowStaysAndTwiceRestoresPendingNamesToo) {
  EntryList empty;
  empty.ReverseOrder();
  EXPECT_EQ(empty.RowCount(), 0);

  EntryList one = ListOf({"a"});
  one.ReverseOrder();
  EXPECT_EQ(Column(one, 0), TextArray{"a"});

  EntryList list = ListOf({"a", "b", "", "d"});
  list.SetPreviewOn(true);
  list.SetColumnTexts({"A", "", "C", "D"}, 1);
  list.ReverseOrder();
  EXPECT_EQ(Column(list, 0), (TextArray{"d", "", "b", "a"}));
  EXPECT_EQ(Column(list, 1), (TextArray{"D", "C", "", "A"}));
  list.ReverseOrder();
  EXPECT_EQ(Column(list, 0), (TextArray{"a", "b", "", "d"}));
  EXPECT_EQ(Column(list, 1), (TextArray{"A", "", "C", "D"}));
}

TEST(PendingMarks, TravelWithTheirPendingNamesAndGoWithThem) {
  EntryList list = ListOf({"a", "b", "c"});
  list.SetPendingMark(0, PendingMark::kInvalidName);  // preview off: ignored
  EXPECT_EQ(list.MarkOf(0), PendingMark::kNone);

  list.SetPreviewOn(true);
  list.SetEntryCell("x", 0, 1);
  list.SetEntryCell("x", 1, 1);
  list.SetPendingMark(0, PendingMark::kDuplicateName);
  list.SetPendingMark(1, PendingMark::kDuplicateName);
  list.SetPendingMark(9, PendingMark::kNameTaken);  // outside: ignored
  list.ReverseOrder();
  EXPECT_EQ(list.MarkOf(2), PendingMark::kDuplicateName);
  EXPECT_EQ(list.MarkOf(0), PendingMark::kNone);
  list.AppendRow("d");
  EXPECT_EQ(list.MarkOf(3), PendingMark::kNone);
  list.SetEntryCell("y", 2, 1);  // a new pending name has no mark yet
  EXPECT_EQ(list.MarkOf(2), PendingMark::kNone);
  EXPECT_EQ(list.MarkOf(1), PendingMark::kDuplicateName);

  list.SetPreviewOn(false);
  list.SetPreviewOn(true);
  EXPECT_EQ(list.MarkOf(1), PendingMark::kNone);
}

TEST(EntryListNotices, OutsideABatchEveryChangeNotifies) {
  EntryList list;
  Recorder recorder;
  list.SetObserver(&recorder);
  list.AppendRow("a");
  list.AppendRow("b");
  list.SetEntryCell("x", 1, 0);
  list.SetEntryCell("x", 5, 0);  // outside: no change, no notice
  list.SetPreviewOn(true);
  list.SetEntryCell("y", 0, 1);
  list.ReverseOrder();
  list.RemoveSelectedRows({0}, 1);
  list.SetPreviewOn(false);
  list.RemoveSelectedRows({0}, 0);
  list.Clear();
  EXPECT_EQ(recorder.calls,
            (std::vector<std::string>{"appended 0-0", "appended 1-1", "cells 1-1", "preview",
                                      "cells 0-0", "cells 0-1", "cells 0-0", "preview", "reset",
                                      "reset"}));
}

TEST(EntryListNotices, ABatchOfAppendsGivesOneNotice) {
  EntryList list = ListOf({"first"});
  Recorder recorder;
  list.SetObserver(&recorder);
  {
    EntryList::Batch batch(list);
    for (int i = 0; i < 100'000; ++i) list.AppendRow(std::to_string(i));
    EXPECT_TRUE(recorder.calls.empty());
  }
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"appended 1-100000"});
  EXPECT_EQ(list.RowCount(), 100'001);
  EXPECT_EQ(list.Cell(100'000, 0), "99999");
}

TEST(EntryListNotices, ABatchOfCellChangesGivesOneRangedNotice) {
  EntryList list = ListOf({"a", "b", "c", "d", "e", "f"});
  Recorder recorder;
  list.SetObserver(&recorder);
  {
    EntryList::Batch outer(list);
    list.SetEntryCell("x", 4, 0);
    {
      EntryList::Batch inner(list);
      list.SetEntryCell("y", 2, 0);
    }
    EXPECT_TRUE(recorder.calls.empty());  // only the outermost batch reports
    list.SetEntryCell("z", 3, 0);
  }
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"cells 2-4"});

  recorder.calls.clear();
  list.SetColumnTexts({"1", "2", "3"}, 0);
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"cells 0-2"});
}

TEST(EntryListNotices, ABatchMixingKindsOfChangeGivesOneReset) {
  EntryList list = ListOf({"a", "b"});
  Recorder recorder;
  list.SetObserver(&recorder);
  {
    EntryList::Batch batch(list);
    list.SetEntryCell("x", 0, 0);
    list.AppendRow("c");
  }
  {
    EntryList::Batch batch(list);
    list.Clear();
    list.AppendRow("d");
    list.AppendRow("e");
  }
  {
    EntryList::Batch batch(list);  // nothing changes: nothing to report
  }
  EXPECT_EQ(recorder.calls, (std::vector<std::string>{"reset", "reset"}));
  EXPECT_EQ(Column(list, 0), (TextArray{"d", "e"}));
}

// Rows of a tree: each row's name, pending name and folder as "folder|name|pending".
std::vector<std::string> TreeRows(const EntryList& list) {
  std::vector<std::string> rows;
  for (int row = 0; row < list.RowCount(); ++row) {
    rows.push_back(list.FolderOfRow(row) + "|" + list.Cell(row, 0) + "|" + list.Cell(row, 1));
  }
  return rows;
}

TEST(EntryListMoveRows, MovesRowsWithTheirPendingNamesAndFolders) {
  struct Case {
    std::vector<int> rows;
    int before;
    int landing;
    std::vector<std::string> want;
  };
  const std::vector<Case> cases = {
      {{0, 1}, 3, 1, {"s/|c|C", "|a|A", "s/|b|B", "t/|d|D"}},
      {{3}, 0, 0, {"t/|d|D", "|a|A", "s/|b|B", "s/|c|C"}},
      {{2, 0}, 4, 2, {"s/|b|B", "t/|d|D", "|a|A", "s/|c|C"}},  // order kept, whatever order given
      {{1, 1, 9, -1}, 99, 3, {"|a|A", "s/|c|C", "t/|d|D", "s/|b|B"}},  // bad and repeated indices
      {{}, 0, -1, {"|a|A", "s/|b|B", "s/|c|C", "t/|d|D"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.rows) + " before " + std::to_string(c.before));
    EntryList list;
    const uint32_t s = list.AddFolder("s/");
    const uint32_t t = list.AddFolder("t/");
    list.AppendRow("a");
    list.AppendRowInFolder("b", s);
    list.AppendRowInFolder("c", s);
    list.AppendRowInFolder("d", t);
    list.SetPreviewOn(true);
    for (int row = 0; row < 4; ++row) list.SetEntryCell(ByteText(1, static_cast<char>('A' + row)), row, 1);
    EXPECT_EQ(list.MoveRows(c.rows, c.before), c.landing);
    EXPECT_EQ(TreeRows(list), c.want);
  }

  // Folders follow the rows through removals and reversals; a cleared list has no tree.
  EntryList list;
  list.AppendRowInFolder("x", list.AddFolder("f/"));
  list.AppendRow("y");
  list.AppendRowInFolder("z", list.AddFolder("g/"));
  list.ReverseOrder();
  list.RemoveRows({1});
  EXPECT_EQ(TreeRows(list), (std::vector<std::string>{"g/|z|", "f/|x|"}));
  list.Clear();
  EXPECT_FALSE(list.HasFolders());
  EXPECT_EQ(list.Folders(), (std::vector<ByteText>{""}));
}

}  // namespace
}  // namespace vantor
