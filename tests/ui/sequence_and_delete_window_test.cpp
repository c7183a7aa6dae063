// SPDX-License-Identifier: GPL-3.0-or-later
// Sequence numbers, deleting between delimiters, deleting N times and
// replacing N times through the window: each control read into its run, in
// file and folder mode, direct and in preview.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

QStringList Sorted(QStringList names) {
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
  return names;
}

class OperationWindowTest : public WindowTest {
 protected:
  void ShowPage(QWidget* page) { Ui().高级选择夹1->setCurrentWidget(page); }
};

TEST_F(OperationWindowTest, SequenceNumbersRefuseAZeroStepAfterAskingThenNumberTheFiles) {
  LoadFiles({"a.txt", "b.txt", "c.txt"});
  ShowPage(Ui().选择夹页_添加);
  EXPECT_EQ(Ui().组合框5->currentText(), U("不加"));
  const BoxRecord asking = ConfirmBox(U("将直接更名，确定吗？"));

  Ui().编辑框19->setText(U("0"));
  EXPECT_EQ(Click(Ui().按钮_加序号, {Ok()}), (std::vector<BoxRecord>{asking, ReminderBox("每次递增不能为0！")}));
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "b.txt", "c.txt"}));

  Ui().编辑框19->setText(U("2"));  // the start stays empty: 1
  Ui().组合框5->setCurrentIndex(1);
  EXPECT_EQ(Click(Ui().按钮_加序号, {Ok()}), std::vector<BoxRecord>{asking});  // no summary
  EXPECT_EQ(Names(), Strings({"01、a.txt", "03、b.txt", "05、c.txt"}));
  EXPECT_EQ(OnDisk(), Names());
}

TEST_F(OperationWindowTest, SequenceNumbersPreviewFolderNamesAndTheCommitAppliesThem) {
  MakeFiles({"f.txt"});
  LoadFolders({"甲", "乙"});
  ASSERT_EQ(Names(), Strings({"甲", "乙"}));
  TogglePreview();
  ShowPage(Ui().选择夹页_添加);
  Ui().编辑框17->setText(U("9"));
  Ui().组合框5->setCurrentIndex(3);  // "-"
  EXPECT_EQ(Click(Ui().按钮_加序号), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"09-甲", "10-乙"}));
  EXPECT_EQ(OnDisk(), Strings({"f.txt", "乙", "甲"}));

  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧).empty());
  EXPECT_EQ(OnDisk(), Strings({"09-甲", "10-乙", "f.txt"}));
}

TEST_F(OperationWindowTest, DeleteBetweenFollowsItsBoxesAndSymbolWidthAndCountsTheChanges) {
  LoadFiles({"视频[Av123].mp4", "课程[01][02].txt", "无.txt"});
  Ui().编辑框1->setText(U("(a)"));
  Ui().编辑框2->setText(U("["));
  Ui().编辑框3->setText(U("]"));
  // Choosing "中文符号" rewrites the three boxes to full-width symbols.
  QTest::keyClick(Ui().组合框1, Qt::Key_Down);
  ASSERT_EQ(Ui().组合框1->currentText(), U("中文符号"));
  EXPECT_EQ(Ui().编辑框1->text(), U("（a）"));
  EXPECT_EQ(Ui().编辑框2->text(), U("【"));
  EXPECT_EQ(Ui().编辑框3->text(), U("】"));
  QTest::keyClick(Ui().组合框1, Qt::Key_Down);  // "B站括号": back to half width
  EXPECT_EQ(Ui().编辑框2->text(), U("["));

  // Each pair of occurrence boxes is exclusive; unchecking leaves both unchecked.
  EXPECT_TRUE(Ui().选择框6->isChecked());
  Click(Ui().选择框_2尾);
  EXPECT_FALSE(Ui().选择框_2头->isChecked());
  Click(Ui().选择框_1尾);
  Click(Ui().选择框_1尾);
  EXPECT_FALSE(Ui().选择框_1头->isChecked());
  EXPECT_FALSE(Ui().选择框_1尾->isChecked());
  Click(Ui().选择框_1头);

  // First "[" to last "]", delimiters included.
  EXPECT_EQ(Click(Ui().按钮_一键删除, {Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(U("一共有2个文件将被更名"), U("确定改名吗？")),
                                    InfoBox(U("一共有2个文件被改名"), U("修改成果提示"))}));
  EXPECT_EQ(Sorted(Names()), Sorted(Strings({"视频.mp4", "课程.txt", "无.txt"})));
  EXPECT_EQ(OnDisk(), Sorted(Names()));
  EXPECT_EQ(Click(Ui().按钮_一键删除), std::vector<BoxRecord>{PlainBox(U("找不到需要改的文件名"), U("提示"))});
}

TEST_F(OperationWindowTest, DeleteTimesRefusesABadCountOnceThenPreviewsAndRenamesFolders) {
  LoadFolders({"a-b-c-d", "e-f"});
  Ui().编辑框1->setText(U("-"));
  Ui().编辑框10->setText(U("x"));
  EXPECT_EQ(Click(Ui().按钮_删掉N次), std::vector<BoxRecord>{InfoBox(U("输入的不是纯数字"), U("提示"))});

  Ui().编辑框10->setText(U("2"));
  Click(Ui().单选框14);
  TogglePreview();
  EXPECT_EQ(Click(Ui().按钮_删掉N次), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"a-bcd", "ef"}));
  EXPECT_EQ(OnDisk(), Strings({"a-b-c-d", "e-f"}));

  TogglePreview();
  EXPECT_EQ(Click(Ui().按钮_删掉N次, {Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(U("一共有2个文件将被更名"), U("请确认")),
                                    PlainBox(U("一共有2个文件被改名"), U("修改成果提示"))}));
  EXPECT_EQ(OnDisk(), Strings({"a-bcd", "ef"}));
}

TEST_F(OperationWindowTest, ReplaceTimesRefusesAForbiddenReplacementThenReplacesNearTheFrontOrCounted) {
  LoadFiles({"01-公司办公文档.txt", "a-b-c-d.txt"});
  ShowPage(Ui().选择夹页_替换);
  Ui().编辑框4->setText(U("-"));
  Ui().编辑框5->setText(U(":"));
  EXPECT_EQ(Click(Ui().按钮_替换), std::vector<BoxRecord>{PlainBox(U("不能改成这个东西"), U("信息："))});

  // "只改数字后符号" and "从最左边开始" are selected at start.
  Ui().编辑框5->setText(U("、"));
  Ui().编辑框16->setText(U("3"));
  EXPECT_EQ(Click(Ui().按钮_替换, {Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(), InfoBox(U("一共有2个文件将被更名"), U("修改成果提示"))}));
  EXPECT_EQ(Sorted(Names()), Sorted(Strings({"01、公司办公文档.txt", "a、b-c-d.txt"})));

  Click(Ui().单选框8);
  Click(Ui().单选框10);
  Ui().编辑框5->setText(U("+"));
  Ui().编辑框16->setText(U("2"));
  EXPECT_EQ(Click(Ui().按钮_替换, {Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(), InfoBox(U("一共有1个文件将被更名"), U("修改成果提示"))}));
  EXPECT_EQ(OnDisk(), Sorted(Strings({"01、公司办公文档.txt", "a、b+c+d.txt"})));
}

}  // namespace
}  // namespace vantor::uitest
