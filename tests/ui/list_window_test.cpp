// SPDX-License-Identifier: GPL-3.0-or-later
// Upkeep of the list through its buttons, its context menu and the sort menu:
// nothing here may touch the names on disk.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

#include <sys/stat.h>

#include <cstdint>
#include <optional>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class ListWindowTest : public WindowTest {
 protected:
  // Loads the temporary folder's files by dropping `any` of them.
  void Load(std::initializer_list<const char*> names) {
    MakeFiles(names);
    ASSERT_TRUE(Drop({PathOf(*names.begin())}).empty());
  }

  // The right click on a cell that picks the column the menu commands use;
  // the menu it opens is closed again.
  void RightClick(int row, int column) {
    const QPoint where = CellCentre(View(), row, column);
    QContextMenuEvent event(QContextMenuEvent::Mouse, where, View()->viewport()->mapToGlobal(where));
    QApplication::sendEvent(View()->viewport(), &event);
    Ui().右键功能1->hide();
  }

  // A double click as the window system delivers it: press, release, press
  // (made a double click), release.
  void DoubleClick(int row, int column) {
    const QPoint where = View()->viewport()->mapTo(&window_, CellCentre(View(), row, column));
    QTest::mouseDClick(window_.windowHandle(), Qt::LeftButton, {}, where);
  }

  int CurrentSelectedRow() const {
    const QModelIndexList rows = View()->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.front().row() : -1;
  }
};

const BoxRecord kDropFirst = InfoBox(U("先拖入文件！"), U("提醒："));

// ---- Orders ----

using ListOrder = ListWindowTest;

TEST_F(ListOrder, NaturalSortAfterReverseRestoresTheOrderAndKeepsTheNames) {
  Load({"10.mp4", "2.mp4", "1.mp4", "第3集.mp4", "第10集.mp4", "12加1个蛋蛋0.mp4"});
  const QStringList natural = Strings({"1.mp4", "2.mp4", "10.mp4", "12加1个蛋蛋0.mp4", "第3集.mp4", "第10集.mp4"});
  ASSERT_EQ(Names(), natural);
  const QStringList disk = OnDisk();

  EXPECT_TRUE(Click(Ui().按钮_顺序颠倒).empty());
  QStringList reversed = natural;
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(Names(), reversed);

  EXPECT_TRUE(Trigger(Ui().按数字大小排序).empty());
  EXPECT_EQ(Names(), natural);
  EXPECT_EQ(OnDisk(), disk);
  EXPECT_EQ(DirectoryLabel(), Folder());
}

TEST_F(ListOrder, ReverseCarriesPendingNamesWithTheirRows) {
  Load({"01a.txt", "02b.txt", "c.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  ASSERT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt", ""}));
  Click(Ui().按钮_顺序颠倒);
  EXPECT_EQ(Names(), Strings({"c.txt", "02b.txt", "01a.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "02-b.txt", "01-a.txt"}));
  // The natural sort moves the current names only.
  Trigger(Ui().按数字大小排序);
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt", "c.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "02-b.txt", "01-a.txt"}));
}

TEST_F(ListOrder, EmptyListIsReportedBySortsAndReverse) {
  EXPECT_EQ(Click(Ui().按钮_顺序颠倒), std::vector<BoxRecord>{InfoBox(U("列表框是空的！"), U("提醒："))});
  for (QAction* action : {Ui().按数字大小排序, Ui().按文件创建时间排序, Ui().按文件最后修改时间排序}) {
    SCOPED_TRACE(action->text().toStdString());
    EXPECT_EQ(Trigger(action), std::vector<BoxRecord>{kDropFirst});
  }
}

TEST_F(ListOrder, LastWriteOrderIsNewestFirstAndMissingFilesGoLast) {
  Load({"a.txt", "b.txt", "c.txt", "d.txt"});
  SetModified(dir_.Path() + "a.txt", 1'000'000'000);
  SetModified(dir_.Path() + "b.txt", 1'300'000'000);
  SetModified(dir_.Path() + "c.txt", 1'200'000'000);
  SetModified(dir_.Path() + "d.txt", 1'500'000'000);
  std::filesystem::remove(dir_.Path() + "d.txt");
  EXPECT_TRUE(Trigger(Ui().按文件最后修改时间排序).empty());
  EXPECT_EQ(Names(), Strings({"b.txt", "c.txt", "a.txt", "d.txt"}));

  // Equal times: the later row comes first.
  SetModified(dir_.Path() + "a.txt", 1'300'000'000);
  Trigger(Ui().按数字大小排序);
  ASSERT_EQ(Names(), Strings({"a.txt", "b.txt", "c.txt", "d.txt"}));
  Trigger(Ui().按文件最后修改时间排序);
  EXPECT_EQ(Names(), Strings({"b.txt", "a.txt", "c.txt", "d.txt"}));
}

std::optional<int64_t> BirthOf(const std::string& path) {
  struct statx info {};
  if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &info) != 0) return std::nullopt;
  if ((info.stx_mask & STATX_BTIME) == 0) return std::nullopt;
  return int64_t{info.stx_btime.tv_sec} * 1'000'000'000 + info.stx_btime.tv_nsec;
}

TEST_F(ListOrder, CreationOrderUsesTheBirthTime) {
  // Created in another order than the list shows them.
  MakeFiles({"b.txt", "c.txt", "a.txt"});
  Drop({PathOf("a.txt")});
  const QStringList listed = Names();
  ASSERT_EQ(listed, Strings({"a.txt", "b.txt", "c.txt"}));
  std::vector<std::pair<int64_t, int>> births;
  for (int row = 0; row < listed.size(); ++row) {
    const std::optional<int64_t> birth = BirthOf(dir_.Path() + listed[row].toStdString());
    if (!birth) GTEST_SKIP() << "this file system reports no birth time";
    births.push_back({*birth, row});
  }
  // Newest first; among equal times the later row first.
  std::sort(births.begin(), births.end(), [](const auto& x, const auto& y) { return x > y; });
  QStringList expected;
  for (const auto& birth : births) expected << listed[birth.second];
  // Last-write times in the opposite order, so that they cannot explain the result.
  for (int i = 0; i < expected.size(); ++i) SetModified(dir_.Path() + expected[i].toStdString(), 1'000'000'000 + i);

  EXPECT_TRUE(Trigger(Ui().按文件创建时间排序).empty());
  EXPECT_EQ(Names(), expected);
  Trigger(Ui().按文件最后修改时间排序);
  QStringList byWrite = expected;
  std::reverse(byWrite.begin(), byWrite.end());
  EXPECT_EQ(Names(), byWrite);
}

TEST_F(ListOrder, FileTimeSortDropsPendingNames) {
  Load({"01a.txt", "02b.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  ASSERT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt"}));
  Trigger(Ui().按文件最后修改时间排序);
  EXPECT_EQ(Names().size(), 2);
  EXPECT_EQ(Pending(), Strings({"", ""}));
}

// ---- Rows and cells ----

using ListCells = ListWindowTest;

TEST_F(ListCells, ClearListEmptiesTheRowsOnly) {
  Load({"01a.txt", "02b.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  Click(Ui().按钮_确认无误执行吧);
  EXPECT_TRUE(Click(Ui().按钮_清空列表框).empty());
  EXPECT_EQ(View()->model()->rowCount(), 0);
  EXPECT_EQ(DirectoryLabel(), Folder());
  EXPECT_EQ(Header(View(), 0), U("上一次的文件名"));
  EXPECT_EQ(View()->model()->columnCount(), 2);
}

TEST_F(ListCells, RightClickPicksTheColumnOfTheCell) {
  Load({"01a.txt", "02b.txt"});
  TogglePreview();
  RightClick(1, 1);
  EXPECT_EQ(window_.Entries().LastRightClickRow, 1);
  EXPECT_EQ(window_.Entries().LastRightClickColumn, 1);
  RightClick(0, 0);
  EXPECT_EQ(window_.Entries().LastRightClickRow, 0);
  EXPECT_EQ(window_.Entries().LastRightClickColumn, 0);
}

TEST_F(ListCells, MoveUpAndDownSwapOneColumnAndKeepTheSelection) {
  Load({"x.txt", "y.txt", "z.txt"});
  RightClick(1, 0);
  SelectRows({1});
  EXPECT_TRUE(Trigger(Ui().上移).empty());
  EXPECT_EQ(Names(), Strings({"y.txt", "x.txt", "z.txt"}));
  EXPECT_EQ(CurrentSelectedRow(), 1);
  EXPECT_TRUE(Trigger(Ui().上移).empty());  // the neighbour goes back up
  EXPECT_EQ(Names(), Strings({"x.txt", "y.txt", "z.txt"}));
  EXPECT_TRUE(Trigger(Ui().下移).empty());
  EXPECT_EQ(Names(), Strings({"x.txt", "z.txt", "y.txt"}));

  SelectRows({0});
  EXPECT_EQ(Trigger(Ui().上移), std::vector<BoxRecord>{InfoBox(U("已经在最顶了，无法再上移了！"), U("提醒："))});
  SelectRows({2});
  EXPECT_EQ(Trigger(Ui().下移), std::vector<BoxRecord>{InfoBox(U("已经在最底部了，无法再下移了！"), U("提醒："))});
  EXPECT_EQ(Names(), Strings({"x.txt", "z.txt", "y.txt"}));

  View()->selectionModel()->clearSelection();
  EXPECT_TRUE(Trigger(Ui().上移).empty());
  EXPECT_TRUE(Trigger(Ui().下移).empty());
  EXPECT_EQ(Names(), Strings({"x.txt", "z.txt", "y.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"x.txt", "y.txt", "z.txt"}));
}

TEST_F(ListCells, MoveOnAnEmptyListReportsTheBottom) {
  EXPECT_TRUE(Trigger(Ui().上移).empty());
  EXPECT_EQ(Trigger(Ui().下移), std::vector<BoxRecord>{InfoBox(U("已经在最底部了，无法再下移了！"), U("提醒："))});
}

TEST_F(ListCells, MoveInThePreviewColumnMovesPendingNamesOnly) {
  Load({"01a.txt", "02b.txt", "c.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  RightClick(1, 1);
  SelectRows({1});
  Trigger(Ui().下移);
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt", "c.txt"}));
  EXPECT_EQ(Pending(), Strings({"01-a.txt", "", "02-b.txt"}));
}

TEST_F(ListCells, RemoveSelectedDeletesExactlyTheRowsWithPreviewOff) {
  Load({"a.txt", "b.txt", "c.txt", "d.txt"});
  SelectRows({0, 2});
  EXPECT_TRUE(Trigger(Ui().删除已选中文件名).empty());
  EXPECT_EQ(Names(), Strings({"b.txt", "d.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "b.txt", "c.txt", "d.txt"}));
}

TEST_F(ListCells, RemoveSelectedEmptiesCellsWithPreviewOn) {
  Load({"01a.txt", "02b.txt", "03c.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  // Column 1: the pending names are withdrawn.
  RightClick(0, 1);
  SelectRows({0, 2});
  Trigger(Ui().删除已选中文件名);
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt", "03c.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "02-b.txt", ""}));
  // Column 0: the row stays but the commit passes it over.
  RightClick(1, 0);
  SelectRows({1});
  Trigger(Ui().删除已选中文件名);
  EXPECT_EQ(Names(), Strings({"01a.txt", "", "03c.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "02-b.txt", ""}));
  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧).empty());
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt", "03c.txt"}));
  EXPECT_EQ(Names(), Strings({"01a.txt", "", "03c.txt"}));

  // With every pending name withdrawn the commit asks for a preview first.
  RightClick(1, 1);
  SelectRows({1});
  Trigger(Ui().删除已选中文件名);
  EXPECT_EQ(Click(Ui().按钮_确认无误执行吧),
            std::vector<BoxRecord>{ReminderBox("开了预览界面以后，必须先预览，\r\n请重新点左边的按钮进行预览！")});
}

TEST_F(ListCells, RowsAfterAnEmptyCellAreRemovedAndRenamedCorrectly) {
  Load({"01a.txt", "02b.txt", "03c.txt", "04d.txt"});
  TogglePreview();
  RightClick(0, 0);
  SelectRows({0});
  Trigger(Ui().删除已选中文件名);
  TogglePreview();
  ASSERT_EQ(Names(), Strings({"", "02b.txt", "03c.txt", "04d.txt"}));

  SelectRows({2});
  Trigger(Ui().删除已选中文件名);
  EXPECT_EQ(Names(), Strings({"", "02b.txt", "04d.txt"}));

  EXPECT_EQ(AddAfterNumber(U("-")), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(2)}));
  EXPECT_EQ(Names(), Strings({"", "02-b.txt", "04-d.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02-b.txt", "03c.txt", "04-d.txt"}));
}

TEST_F(ListCells, DoubleClickCopiesTheCell) {
  Load({"01a.txt", "02b.txt"});
  QGuiApplication::clipboard()->clear();
  DoubleClick(1, 0);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), U("02b.txt"));

  TogglePreview();
  AddAfterNumber(U("、"), {Ok()});
  DoubleClick(0, 1);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), U("01、a.txt"));
  DoubleClick(1, 0);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), U("02b.txt"));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));
}

}  // namespace
}  // namespace vantor::uitest
