// SPDX-License-Identifier: GPL-3.0-or-later
// A folder tree renamed through the window, only the selected rows, the
// filter box, and rows dragged into another order.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>

#include <memory>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class TreeAndFilterWindowTest : public WindowTest {
 protected:
  std::vector<BoxRecord> InFront(const QString& text, std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_添加);
    Ui().编辑框6->setText(text);
    return Click(Ui().按钮_最前面加, std::move(answers));
  }
  void TypeFilter(const char* text) {
    Ui().编辑框_筛选->clear();
    QTest::keyClicks(Ui().编辑框_筛选, U(text));
  }
  QStringList ShownNames() const {
    QStringList names;
    for (int row = 0; row < View()->model()->rowCount(); ++row) {
      if (!View()->isRowHidden(row)) names << View()->model()->index(row, 0).data().toString();
    }
    return names;
  }
  QString Status() const { return Ui().标签_状态行->text(); }
};

TEST_F(TreeAndFilterWindowTest, ThreeLevelTreeRenamedInPreviewAndDirectlyThenUndone) {
  for (const char* folder : {"Season 1", "Season 10", "Season 2", "Season 2/extra"}) dir_.MakeFolder(folder);
  MakeFiles({"top.txt", "Season 1/e1.mkv", "Season 1/e2.mkv", "Season 10/e1.mkv", "Season 2/e1.mkv",
             "Season 2/extra/e1.mkv"});
  SetMode(3);
  ASSERT_EQ(Ui().组合框2->currentText(), U("处理文件（含子文件夹）"));
  ASSERT_TRUE(Drop({PathOf("")}).empty());  // the dropped folder is the one read
  EXPECT_EQ(DirectoryLabel(), Folder());
  EXPECT_EQ(Names(), Strings({"top.txt", "e1.mkv", "e2.mkv", "e1.mkv", "e1.mkv", "e1.mkv"}));
  ASSERT_EQ(View()->model()->columnCount(), 2);
  EXPECT_EQ(Header(View(), 1), U("所在文件夹"));
  const QStringList folders = Strings({".", "Season 1", "Season 1", "Season 2", "Season 2/extra", "Season 10"});
  EXPECT_EQ(Column(View(), 1), folders);

  // Preview: the same name in four folders is no conflict; the commit renames each in its folder.
  TogglePreview();
  ASSERT_EQ(Header(View(), 2), U("所在文件夹"));
  EXPECT_EQ(InFront(U("P")), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"Ptop.txt", "Pe1.mkv", "Pe2.mkv", "Pe1.mkv", "Pe1.mkv", "Pe1.mkv"}));
  EXPECT_EQ(Column(View(), 2), folders);
  EXPECT_TRUE(Status().contains(U("冲突0项"))) << Status().toStdString();
  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧).empty());
  EXPECT_EQ(OnDisk("Season 2/extra"), Strings({"Pe1.mkv"}));
  EXPECT_EQ(OnDisk("Season 1"), Strings({"Pe1.mkv", "Pe2.mkv"}));

  // Directly, with preview off.
  TogglePreview();
  EXPECT_EQ(InFront(U("D")), std::vector<BoxRecord>{ConfirmBox()});
  EXPECT_EQ(OnDisk("Season 10"), Strings({"DPe1.mkv"}));
  EXPECT_EQ(Column(View(), 1), folders);

  // Both batches undone, newest first, each entry in its own folder.
  TogglePreview();
  EXPECT_TRUE(Click(Ui().按钮_撤回上一步).empty());
  EXPECT_TRUE(Click(Ui().按钮_撤回上一步).empty());
  EXPECT_EQ(OnDisk(), Strings({"Season 1", "Season 10", "Season 2", "top.txt"}));
  EXPECT_EQ(OnDisk("Season 1"), Strings({"e1.mkv", "e2.mkv"}));
  EXPECT_EQ(OnDisk("Season 2/extra"), Strings({"e1.mkv"}));
  EXPECT_EQ(Names(), Strings({"top.txt", "e1.mkv", "e2.mkv", "e1.mkv", "e1.mkv", "e1.mkv"}));
}

TEST_F(TreeAndFilterWindowTest, OnlyTheSelectedRowsAreNumberedInListOrder) {
  LoadFiles({"a.txt", "b.txt", "c.txt", "d.txt"});
  Ui().选择框_只改选中->setChecked(true);
  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_添加);
  Ui().组合框5->setCurrentIndex(3);  // "-"
  // Nothing selected: no run.
  EXPECT_EQ(Click(Ui().按钮_加序号), std::vector<BoxRecord>{ReminderBox("请先选中要改的行")});
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "b.txt", "c.txt", "d.txt"}));

  SelectRows({3, 1});
  EXPECT_TRUE(Status().contains(U("只改选中的2项"))) << Status().toStdString();
  Click(Ui().按钮_加序号, {Ok(), Ok()});
  EXPECT_EQ(OnDisk(), Strings({"01-b.txt", "02-d.txt", "a.txt", "c.txt"}));
  EXPECT_EQ(Names(), Strings({"a.txt", "01-b.txt", "c.txt", "02-d.txt"}));
}

TEST_F(TreeAndFilterWindowTest, FilterHidesRowsByWildcardOrExpressionAndHiddenRowsStayAlone) {
  LoadFiles({"a.srt", "B.SRT", "c.mkv", "第1集.mp4"});
  TypeFilter("*.srt");
  EXPECT_EQ(ShownNames(), Strings({"B.SRT", "a.srt"}));
  EXPECT_TRUE(Status().contains(U("显示2/4项"))) << Status().toStdString();
  EXPECT_EQ(InFront(U("X")), std::vector<BoxRecord>{ConfirmBox()});
  EXPECT_EQ(OnDisk(), Strings({"XB.SRT", "Xa.srt", "c.mkv", "第1集.mp4"}));

  Ui().编辑框_筛选->setText(U("re:^第\\d集"));
  EXPECT_EQ(ShownNames(), Strings({"第1集.mp4"}));
  EXPECT_TRUE(Ui().编辑框_筛选->toolTip().isEmpty());

  // An invalid expression is shown in red with its error, and hides nothing.
  TypeFilter("re:(");
  EXPECT_EQ(ShownNames(), Names());
  EXPECT_EQ(Ui().编辑框_筛选->palette().color(QPalette::Text), QColor(Qt::red));
  EXPECT_FALSE(Ui().编辑框_筛选->toolTip().isEmpty());
  TypeFilter("re:MKV$");
  EXPECT_EQ(ShownNames(), Strings({"c.mkv"}));
  EXPECT_NE(Ui().编辑框_筛选->palette().color(QPalette::Text), QColor(Qt::red));

  Ui().编辑框_筛选->clear();
  EXPECT_EQ(ShownNames(), Names());
  EXPECT_FALSE(Status().contains(U("显示"))) << Status().toStdString();
}

TEST_F(TreeAndFilterWindowTest, DraggedRowsMoveWithTheirPendingNamesAndDroppedFilesStillLoad) {
  LoadFiles({"1.txt", "2.txt", "3.txt", "4.txt"});
  TogglePreview();
  InFront(U("P"));
  SelectRows({0, 1});
  QAbstractItemModel* model = View()->model();
  const std::unique_ptr<QMimeData> dragged(model->mimeData(View()->selectionModel()->selectedIndexes()));
  EXPECT_FALSE(dragged->hasUrls());  // a row drag never looks like files to the intake
  model->dropMimeData(dragged.get(), Qt::MoveAction, 4, 0, QModelIndex());
  EXPECT_EQ(Names(), Strings({"3.txt", "4.txt", "1.txt", "2.txt"}));
  EXPECT_EQ(Pending(), Strings({"P3.txt", "P4.txt", "P1.txt", "P2.txt"}));
  QList<int> selected;
  for (const QModelIndex& index : View()->selectionModel()->selectedRows()) selected << index.row();
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, (QList<int>{2, 3}));

  // Files dropped on the list go to the intake, as before.
  dir_.MakeFolder("other");
  MakeFiles({"other/x.txt"});
  EXPECT_TRUE(DropPaths(View()->viewport(), {PathOf("other/x.txt")}));
  EXPECT_EQ(Names(), Strings({"x.txt"}));
}

}  // namespace
}  // namespace vantor::uitest
