// SPDX-License-Identifier: GPL-3.0-or-later
// The numeral conversions both ways, the traditional/simplified conversion and
// the video-number tag, end to end through the window on a real folder.
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

BoxRecord ChangedBox(int count) { return PlainBox(U("总共更改") + QString::number(count) + U("个"), U("更名数量")); }

class NumeralsWindowTest : public WindowTest {
 protected:
  // Clicks an operation button on its tab page, answering the boxes.
  std::vector<BoxRecord> Run(QWidget* page, QAbstractButton* button, std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(page);
    return Click(button, std::move(answers));
  }
  std::vector<BoxRecord> DigitsToNumerals(std::vector<Answer> answers = {Ok(), Ok()}) {
    return Run(Ui().选择夹页_替换, Ui().按钮_15改十五, std::move(answers));
  }
  std::vector<BoxRecord> NumeralsToDigits(std::vector<Answer> answers = {Ok(), Ok()}) {
    return Run(Ui().选择夹页_替换, Ui().按钮_十五改15, std::move(answers));
  }
  std::vector<BoxRecord> ConvertScript(QRadioButton* direction, std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_替换);
    direction->click();
    return Click(Ui().按钮_繁简, std::move(answers));
  }
  std::vector<BoxRecord> VideoTag(std::vector<Answer> answers = {Ok(), Ok()}) {
    return Run(Ui().选择夹页_添加, Ui().按钮_模拟B站AV, std::move(answers));
  }

  std::vector<BoxRecord> Commit() { return Click(Ui().按钮_确认无误执行吧); }

  // Whether 进度条1 was visible each time the run moved it past 0.
  void WatchProgress() {
    QObject::connect(Ui().进度条1, &QProgressBar::valueChanged, Ui().进度条1, [this](int value) {
      if (value > 0) barShown_.push_back(Ui().进度条1->isVisible());
    });
  }
  std::vector<bool> barShown_;
};

TEST_F(NumeralsWindowTest, DigitsToNumeralsRenamesFilesDirectlyAndCountsThem) {
  LoadFiles({"第1课.mp4", "第15课.mp4", "2课第3节.txt", "说明.txt", "第10000000000000课.txt"});
  EXPECT_EQ(DigitsToNumerals(), (std::vector<BoxRecord>{ConfirmBox(), ChangedBox(3)}));
  EXPECT_EQ(Names(), Strings({"二课第3节.txt", "第一课.mp4", "第十五课.mp4", "第10000000000000课.txt", "说明.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"二课第3节.txt", "第10000000000000课.txt", "第一课.mp4", "第十五课.mp4", "说明.txt"}));
}

TEST_F(NumeralsWindowTest, DigitsToNumeralsPreviewsFolderNamesAndCommits) {
  LoadFolders({"第20课", "资料"});
  TogglePreview();
  EXPECT_EQ(DigitsToNumerals(), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"第二十课", ""}));
  EXPECT_EQ(OnDisk(), Strings({"第20课", "资料"}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"第二十课", "资料"}));
}

TEST_F(NumeralsWindowTest, NumeralsToDigitsShowsTheBarWhileRenamingFiles) {
  LoadFiles({"第一课.mp4", "第二十一集.avi", "1第一课.txt", "第一千课.txt", "readme.md"});
  WatchProgress();
  EXPECT_EQ(NumeralsToDigits(), (std::vector<BoxRecord>{ConfirmBox(), ChangedBox(3)}));
  EXPECT_FALSE(barShown_.empty());
  EXPECT_EQ(std::count(barShown_.begin(), barShown_.end(), false), 0);
  EXPECT_TRUE(Ui().进度条1->isHidden());
  EXPECT_EQ(OnDisk(), Strings({"1第1课.txt", "readme.md", "第1课.mp4", "第21集.avi", "第一千课.txt"}));
}

TEST_F(NumeralsWindowTest, NumeralsToDigitsPreviewsFolderNamesWithoutTheBar) {
  LoadFolders({"第二十集", "资料"});
  TogglePreview();
  WatchProgress();
  EXPECT_EQ(NumeralsToDigits(), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"第20集", ""}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"第20集", "资料"}));
  EXPECT_TRUE(barShown_.empty());
  EXPECT_TRUE(Ui().进度条1->isHidden());
}

TEST_F(NumeralsWindowTest, TraditionalToSimplifiedPreviewsFileNamesAndCommits) {
  LoadFiles({"頭髮.txt", "歷史.TXT", "abc.txt"});
  TogglePreview();
  EXPECT_EQ(ConvertScript(Ui().单选框15), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Ui().按钮_繁简->text(), U("繁转简"));
  EXPECT_EQ(Pending(), Strings({"", "历史.TXT", "头发.txt"}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"abc.txt", "历史.TXT", "头发.txt"}));
}

TEST_F(NumeralsWindowTest, SimplifiedToTraditionalRenamesFoldersDirectly) {
  LoadFolders({"历史", "abc"});
  EXPECT_EQ(ConvertScript(Ui().单选框16),
            (std::vector<BoxRecord>{ConfirmBox(), PlainBox(U("一共有1个文件被改名"), U("修改成果提示"))}));
  EXPECT_EQ(Ui().按钮_繁简->text(), U("简转繁"));
  EXPECT_EQ(OnDisk(), Strings({"abc", "歷史"}));
  EXPECT_EQ(ConvertScript(Ui().单选框16), (std::vector<BoxRecord>{ConfirmBox(), PlainBox(U("没有任何改动"), U("没有改动"))}));
}

TEST_F(NumeralsWindowTest, VideoTagRenamesAtOnceWithPreviewOnAndRefusesFolders) {
  LoadFiles({"lesson.mp4", "notes"});
  TogglePreview();
  EXPECT_EQ(VideoTag(), std::vector<BoxRecord>{ConfirmBox(U("不提供预览功能，将直接改名，确定吗？"))});
  const QStringList names = Names();
  ASSERT_EQ(names.size(), 2);
  EXPECT_TRUE(QRegularExpression(U(R"(^lesson\(Av\d{9},P1\)\.mp4$)")).match(names[0]).hasMatch()) << names[0].toStdString();
  EXPECT_TRUE(QRegularExpression(U(R"(^notes\(Av\d{9},P2\)$)")).match(names[1]).hasMatch()) << names[1].toStdString();
  EXPECT_EQ(Pending(), Strings({"", ""}));
  QStringList sorted = names;
  sorted.sort();
  EXPECT_EQ(OnDisk(), sorted);

  SetMode(1);
  EXPECT_EQ(VideoTag(), std::vector<BoxRecord>{InfoBox(U("此功能无法对文件夹进行操作，请选择文件"))});
  EXPECT_EQ(OnDisk(), sorted);
}

}  // namespace
}  // namespace vantor::uitest
