// SPDX-License-Identifier: GPL-3.0-or-later
// Names GBK lacks, listed and renamed like any other; raw and mojibake names
// that are not, named in the message and repaired through "修复乱码文件名".
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTabWidget>

#include "ui/repair_window.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class GarbledNamesTest : public WindowTest {
 protected:
  RepairWindow* OpenRepair(std::vector<BoxRecord>* boxes = nullptr) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_高级);
    const std::vector<BoxRecord> seen = Click(Ui().按钮_修复乱码);
    if (boxes != nullptr) *boxes = seen;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* repair = qobject_cast<RepairWindow*>(widget); repair != nullptr && repair->isVisible()) return repair;
    }
    return nullptr;
  }

  static QStringList RepairColumn(const RepairWindow* window, int column) {
    QStringList texts;
    for (int row = 0; row < window->表格_乱码文件名->rowCount(); ++row) {
      texts << window->表格_乱码文件名->item(row, column)->text();
    }
    return texts;
  }
};

// Names GBK has no form for list as they are, and an operation steps over
// their characters: upper case leaves ö, ß, ñ, Hangul and the emoji alone.
TEST_F(GarbledNamesTest, NamesGbkLacksListPreviewCommitAndUndo) {
  const std::initializer_list<const char*> names = {"Björk - Jóga.mp3", "Motörhead.flac", "Straße.txt", "niño.txt",
                                                    "한국어.txt", "😀 photo.jpg", "™ notes.txt"};
  MakeFiles(names);
  ASSERT_TRUE(Drop({PathOf("niño.txt")}).empty());
  QStringList listed = Names();
  listed.sort();
  EXPECT_EQ(listed, Strings({"Björk - Jóga.mp3", "Motörhead.flac", "Straße.txt", "niño.txt", "™ notes.txt",
                             "한국어.txt", "😀 photo.jpg"}));
  const QStringList before = OnDisk();

  TogglePreview();
  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_高级);
  Ui().组合框_大小写方式->setCurrentIndex(1);  // 全部大写
  Ui().组合框_大小写范围->setCurrentIndex(2);  // 主名和扩展名
  Click(Ui().按钮_改大小写, {Ok(), Ok()});
  QStringList pending = Pending();
  pending.sort();
  EXPECT_EQ(pending, Strings({"BJöRK - JóGA.MP3", "MOTöRHEAD.FLAC", "NIñO.TXT", "STRAßE.TXT", "™ NOTES.TXT",
                              "한국어.TXT", "😀 PHOTO.JPG"}));
  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧).empty());
  EXPECT_EQ(OnDisk(), Strings({"BJöRK - JóGA.MP3", "MOTöRHEAD.FLAC", "NIñO.TXT", "STRAßE.TXT", "™ NOTES.TXT",
                               "한국어.TXT", "😀 PHOTO.JPG"}));
  EXPECT_TRUE(Click(Ui().按钮_撤回上一步).empty());
  EXPECT_EQ(OnDisk(), before);
}

// Raw GBK bytes and Latin-1 / CP437 mojibake, beside names that only look
// foreign: the message names the raw ones; the repair offers only the garbled
// ones, renames them, and "撤回上一步" brings the raw bytes back.
TEST_F(GarbledNamesTest, RawAndMojibakeNamesAreNamedRepairedAndUndone) {
  MakeFiles({"a.txt", "café.txt", "Straße.txt", "ÖÐÎÄ2.txt", "╓╨╬─3.txt"});
  MakeRawFile(dir_.Path(), "\xD6\xD0\xCE\xC4.txt");
  MakeRawFile(dir_.Path(), "\xB5\xDA" "1" "\xBC\xAF.mp4");
  const BoxRecord told = InfoBox(U("有2个文件名不是UTF-8编码（可能是乱码），未列入列表：\\xB5\\xDA1\\xBC\\xAF.mp4、"
                                   "\\xD6\\xD0\\xCE\\xC4.txt\r\n可以用\"高级\"页的\"修复乱码文件名\"修复。"),
                                 U("提醒："));
  EXPECT_EQ(Drop({PathOf("a.txt")}), std::vector<BoxRecord>{told});
  EXPECT_EQ(Names().size(), 5);
  const QStringList before = OnDisk();

  RepairWindow* repair = OpenRepair();
  ASSERT_NE(repair, nullptr);
  EXPECT_EQ(repair->windowTitle(), U("修复乱码文件名"));
  // In byte order of the names on disk.
  EXPECT_EQ(RepairColumn(repair, 0), Strings({"\\xB5\\xDA1\\xBC\\xAF.mp4", "ÖÐÎÄ2.txt", "\\xD6\\xD0\\xCE\\xC4.txt",
                                               "╓╨╬─3.txt"}));
  EXPECT_EQ(RepairColumn(repair, 1), Strings({"第1集.mp4", "中文2.txt", "中文.txt", "中文3.txt"}));
  EXPECT_EQ(repair->标签_状态->text(), U("找到4个乱码文件名"));
  // One left unchecked stays as it is.
  repair->表格_乱码文件名->item(3, 0)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(Click(repair->按钮_确认修复), std::vector<BoxRecord>{ReminderBox("已修复3个文件名")});
  EXPECT_EQ(OnDisk(), Strings({"Straße.txt", "a.txt", "café.txt", "╓╨╬─3.txt", "中文.txt", "中文2.txt", "第1集.mp4"}));
  EXPECT_EQ(Names().size(), 7);

  // Garbled names come back; the raw ones leave the list and are named again.
  EXPECT_EQ(Click(Ui().按钮_撤回上一步), std::vector<BoxRecord>{told});
  EXPECT_EQ(OnDisk(), before);
  EXPECT_EQ(Names().size(), 5);

  // Nothing garbled in another code page: an empty window.
  Ui().组合框_乱码原编码->setCurrentIndex(2);  // Shift_JIS: those bytes are single-byte kana there
  repair = OpenRepair();
  ASSERT_NE(repair, nullptr);
  EXPECT_EQ(repair->表格_乱码文件名->rowCount(), 0);
  EXPECT_FALSE(repair->按钮_确认修复->isEnabled());
  repair->close();
}

}  // namespace
}  // namespace vantor::uitest
