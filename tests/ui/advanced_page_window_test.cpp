// SPDX-License-Identifier: GPL-3.0-or-later
// The page "高级" through the real window: regular-expression replace, letter
// case and photo dates, in preview and direct runs, with their refusals.
#include <QCheckBox>
#include <QComboBox>
#include <fstream>

#include "support/jpeg_exif.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class AdvancedPageTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_高级);
  }
};

TEST_F(AdvancedPageTest, ThePageComesLastAndStartUpShowsTheFirst) {
  EXPECT_EQ(Ui().高级选择夹1->count(), 5);
  EXPECT_EQ(Ui().高级选择夹1->tabText(4), U("高级"));
  EXPECT_EQ(Ui().高级选择夹1->widget(4), Ui().选择夹页_高级);
  vantor::MainWindow fresh;
  fresh.show();
  EXPECT_EQ(fresh.Ui().高级选择夹1->currentIndex(), 0);
  EXPECT_TRUE(Ui().选择框_正则全部替换->isChecked());
  EXPECT_EQ(Ui().编辑框_日期格式->text(), U("yyyyMMdd_HHmmss"));
}

TEST_F(AdvancedPageTest, RegexReplaceRefusesABadPatternThenPreviewsAndRenames) {
  LoadFiles({"IMG_0001.JPG", "IMG_0002.jpg", "说明.txt"});
  Ui().编辑框_正则查找->setText(U("IMG_(\\d+"));
  const std::vector<BoxRecord> refused = Click(Ui().按钮_正则替换);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].title, U("提示"));
  EXPECT_TRUE(refused[0].text.startsWith(U("正则表达式有误："))) << refused[0].text.toStdString();

  TogglePreview();
  Ui().编辑框_正则查找->setText(U("img_0*(\\d+)"));
  Ui().编辑框_正则替换为->setText(U("照片$1"));
  EXPECT_EQ(Click(Ui().按钮_正则替换), (std::vector<BoxRecord>{PreviewNoticeBox()}));
  EXPECT_EQ(Pending(), Strings({"照片1.JPG", "照片2.jpg", ""}));
  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧).empty());
  EXPECT_EQ(OnDisk(), Strings({"照片1.JPG", "照片2.jpg", "说明.txt"}));

  TogglePreview();
  Ui().编辑框_正则查找->setText(U("\\.jpg$"));
  Ui().编辑框_正则替换为->setText(U(".jpeg"));
  Ui().选择框_正则含扩展名->setChecked(true);
  EXPECT_EQ(Click(Ui().按钮_正则替换, {Ok(), Ok()}), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(2)}));
  EXPECT_EQ(Names(), Strings({"照片1.jpeg", "照片2.jpeg", "说明.txt"}));
}

TEST_F(AdvancedPageTest, LetterCaseLowersExtensionsAndCapitalisesWordsInPreview) {
  LoadFiles({"a photo.JPG", "b.Png", "c.txt"});
  EXPECT_EQ(Click(Ui().按钮_改大小写, {Ok(), Ok()}), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(2)}));
  EXPECT_EQ(OnDisk(), Strings({"a photo.jpg", "b.png", "c.txt"}));

  TogglePreview();
  Ui().组合框_大小写方式->setCurrentIndex(2);
  Ui().组合框_大小写范围->setCurrentIndex(1);
  Click(Ui().按钮_改大小写);
  EXPECT_EQ(Pending(), Strings({"A Photo.jpg", "B.png", "C.txt"}));
}

TEST_F(AdvancedPageTest, PhotoDatesNameFilesAndRefuseFolders) {
  for (const char* name : {"DSC1.jpg", "DSC2.jpg"}) {
    std::ofstream(dir_.Path() + name, std::ios::binary) << vantor::testing::JpegWithExif("2024:05:01 08:00:00");
  }
  MakeFiles({"readme.txt"});
  ASSERT_TRUE(Drop({PathOf("DSC1.jpg")}).empty());
  SetMode(1);
  EXPECT_EQ(Click(Ui().按钮_按拍摄日期命名), (std::vector<BoxRecord>{InfoBox(U("此功能无法对文件夹进行修改"))}));
  SetMode(0);
  ASSERT_TRUE(Drop({PathOf("DSC1.jpg")}).empty());
  EXPECT_EQ(Click(Ui().按钮_按拍摄日期命名, {Ok(), Ok()}), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(2)}));
  EXPECT_EQ(OnDisk(), Strings({"20240501_080000.jpg", "20240501_080000_2.jpg", "readme.txt"}));
}

}  // namespace
}  // namespace vantor::uitest
