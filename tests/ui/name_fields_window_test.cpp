// SPDX-License-Identifier: GPL-3.0-or-later
// The name template and pinyin on page "高级" through the real window: a
// template over songs with and without tags (preview, commit, undo), a
// refused template, and pinyin in each of its ways.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "support/tagged_audio.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class NameFieldsWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_高级);
  }
  QString StatusLine() const { return Ui().标签_状态行->text(); }
  void WaitForLive() {
    ASSERT_TRUE(WaitFor([this] { return !window_.StepsPanel().LiveBusy(); }));
    QCoreApplication::processEvents();
  }
};

TEST_F(NameFieldsWindowTest, TemplateOverTaggedAndUntaggedSongsPreviewsCommitsAndUndoes) {
  const testing::SongTags qingtian{"周杰伦", "叶惠美", "晴天", "", 1, 2003};
  const testing::SongTags shinian{"陈奕迅", "黑白灰", "十年", "", 2, 2003};
  testing::WriteMp3(dir_.Path() + "Track01.mp3", &qingtian);
  testing::WriteFlac(dir_.Path() + "Track02.flac", shinian);
  testing::WriteMp3(dir_.Path() + "Track03.mp3", nullptr);
  ASSERT_TRUE(Drop({PathOf("Track01.mp3")}).empty());
  TogglePreview();

  Ui().编辑框_命名模板->setText(U("{artist} - {title}"));
  EXPECT_EQ(Click(Ui().按钮_按模板命名, {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"周杰伦 - 晴天.mp3", "陈奕迅 - 十年.flac", ""}));
  EXPECT_TRUE(StatusLine().endsWith(U("有1个文件缺少模板里的信息，没有改名"))) << StatusLine().toStdString();
  EXPECT_EQ(Ui().列表_预览步骤->item(0)->text(), U("1 按模板命名"));

  // Typing retunes the step; the tags are not read again.
  QTest::keyClicks(Ui().编辑框_命名模板, U(" ({n:2})"));
  WaitForLive();
  EXPECT_EQ(Pending(), Strings({"周杰伦 - 晴天 (01).mp3", "陈奕迅 - 十年 (02).flac", ""}));

  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧, {Ok()}).empty());
  EXPECT_EQ(OnDisk(), Strings({"Track03.mp3", "周杰伦 - 晴天 (01).mp3", "陈奕迅 - 十年 (02).flac"}));
  EXPECT_EQ(Names(), Strings({"周杰伦 - 晴天 (01).mp3", "陈奕迅 - 十年 (02).flac", "Track03.mp3"}));

  Click(Ui().按钮_撤回上一步, {Ok(), Ok()});
  EXPECT_EQ(OnDisk(), Strings({"Track01.mp3", "Track02.flac", "Track03.mp3"}));
}

TEST_F(NameFieldsWindowTest, AFaultyTemplateIsRefusedBeforeAnythingHappens) {
  LoadFiles({"a.txt", "b.txt"});
  Ui().编辑框_命名模板->setText(U("照片{n:3}_{nmae}"));
  EXPECT_EQ(Click(Ui().按钮_按模板命名, {Ok()}),
            std::vector<BoxRecord>{InfoBox(U("命名模板有误：不认识的字段“nmae”（第9个字符）"), U("提示"))});
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "b.txt"}));

  // Live, the refusal goes to the status line and the preview stays.
  TogglePreview();
  Ui().编辑框_命名模板->setText(U("照片{n:3}"));
  Click(Ui().按钮_按模板命名, {Ok()});
  EXPECT_EQ(Pending(), Strings({"照片001.txt", "照片002.txt"}));
  QTest::keyClicks(Ui().编辑框_命名模板, U("}"));
  WaitForLive();
  EXPECT_TRUE(StatusLine().endsWith(U("命名模板有误：多余的“}”（第8个字符）"))) << StatusLine().toStdString();
  EXPECT_EQ(Pending(), Strings({"照片001.txt", "照片002.txt"}));
}

TEST_F(NameFieldsWindowTest, PinyinInEachWayWithItsSeparatorsAndCapitals) {
  LoadFiles({"晴天.mp3", "第1集 周杰伦.mp4", "readme.txt"});  // listed as readme, 第1集, 晴天 (GBK order)
  TogglePreview();
  EXPECT_EQ(Ui().组合框_拼音方式->currentText(), U("全拼"));
  EXPECT_EQ(Ui().组合框_拼音分隔->currentText(), U("无"));
  EXPECT_EQ(Click(Ui().按钮_转拼音, {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"", "di1ji zhoujielun.mp4", "qingtian.mp3"}));

  struct Setting {
    const char* way;
    const char* separator;
    bool capitals;
    QStringList pending;
  };
  const Setting settings[] = {
      {"全拼", "-", true, Strings({"", "Di1Ji Zhou-Jie-Lun.mp4", "Qing-Tian.mp3"})},
      {"全拼带声调", "空格", false, Strings({"", "dì1jí zhōu jié lún.mp4", "qíng tiān.mp3"})},
      {"首字母", "无", true, Strings({"", "D1J ZJL.mp4", "QT.mp3"})},
      {"首字母", "_", false, Strings({"", "d1j z_j_l.mp4", "q_t.mp3"})},
  };
  for (const Setting& setting : settings) {
    SCOPED_TRACE(setting.way);
    Ui().组合框_拼音方式->setCurrentText(U(setting.way));
    Ui().组合框_拼音分隔->setCurrentText(U(setting.separator));
    Ui().选择框_拼音首字母大写->setChecked(setting.capitals);
    WaitForLive();
    EXPECT_EQ(Pending(), setting.pending);
  }
  EXPECT_EQ(Ui().列表_预览步骤->count(), 1);

  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧, {Ok()}).empty());
  EXPECT_EQ(OnDisk(), Strings({"d1j z_j_l.mp4", "q_t.mp3", "readme.txt"}));
}

}  // namespace
}  // namespace vantor::uitest
