// SPDX-License-Identifier: GPL-3.0-or-later
// The three file commands through the window: saving the names, creating
// entries named after the list, deleting the listed entries (also into the
// desktop's trash), with their questions, Cancel and messages.
#include <QFocusEvent>
#include <QRadioButton>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class FileCommandsWindowTest : public WindowTest {
};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, value);
  }
  ~ScopedEnvironment() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

// The save dialog opens in the documents folder with the file name filled in;
// the file goes where the user says, in UTF-8, never beside the program.
TEST_F(FileCommandsWindowTest, SaveAsksWhereAndWritesUtf8Lines) {
  vantor::testing::TempDir home;
  home.MakeFolder("Documents");
  const ScopedEnvironment homeVariable("HOME", QByteArray::fromStdString(home.Path()));
  const ScopedEnvironment config("XDG_CONFIG_HOME", QByteArray::fromStdString(home.Path() + "config"));
  const QString offered = U(home.Path() + "Documents/原文件名保存.txt");
  const BoxRecord dialog{U("QFileDialog"), U("保存原文件名到txt"), offered, QMessageBox::NoIcon, {}};

  EXPECT_EQ(Click(Ui().按钮_保存到txt), std::vector<BoxRecord>{ReminderBox("没有什么可以保存的")});
  LoadFiles({"b.txt", "a.txt", "第3课.txt"});
  EXPECT_EQ(Click(Ui().按钮_保存到txt, {Cancel()}), std::vector<BoxRecord>{dialog});  // Cancel says nothing
  EXPECT_FALSE(home.Exists("Documents/原文件名保存.txt"));

  const QString chosen = U(home.Path() + "名单.txt");
  EXPECT_EQ(Click(Ui().按钮_保存到txt, {Choose(chosen)}),
            (std::vector<BoxRecord>{dialog, InfoBox(U("已将原文件名存入txt文档内，\r\n保存位置：") + chosen, U("提醒："))}));
  EXPECT_EQ(home.ReadFile("名单.txt"), "a.txt\nb.txt\n第3课.txt\n");
  EXPECT_FALSE(std::filesystem::exists(QCoreApplication::applicationDirPath().toStdString() + "/原文件名保存.txt"));
}

TEST_F(FileCommandsWindowTest, CreateMakesFilesOnceInTheTypedFolder) {
  const BoxRecord needPath =
      InfoBox(U("请先填入有效路径，并选好后缀！\r\n如果想创建文件夹则不需要选后缀或者选择\"创建目录！\""));
  EXPECT_EQ(Click(Ui().按钮14), std::vector<BoxRecord>{needPath});

  LoadFiles({"第1课.mp4", "第2课.mp4"});
  dir_.MakeFolder("out");
  // The grey of the cue goes when the box takes the focus.
  QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(Ui().编辑框14, &focusIn);
  EXPECT_NE(Ui().编辑框14->palette().color(QPalette::Text), QColor(0x80, 0x80, 0x80));
  Ui().编辑框14->setText(Folder("missing"));
  EXPECT_EQ(Click(Ui().按钮14), std::vector<BoxRecord>{InfoBox(U("这个路径并不存在"))});

  Ui().编辑框14->setText(PathOf("out"));
  Ui().组合框_创建扩展->setEditText(U(".txt"));
  EXPECT_EQ(Click(Ui().按钮14), std::vector<BoxRecord>{InfoBox(U("成功创建2个文件夹"), U("创建成果提示"))});
  EXPECT_EQ(OnDisk("out"), Strings({"第1课.txt", "第2课.txt"}));
  EXPECT_EQ(dir_.ReadFile("out/第1课.txt"), GbkFromUtf8("测试文件").value());
  EXPECT_EQ(Click(Ui().按钮14), std::vector<BoxRecord>{InfoBox(U("什么都没有创建"), U("没有发生任何变化"))});

  Ui().组合框_创建扩展->setEditText(U("创建目录"));
  EXPECT_EQ(Click(Ui().按钮14), std::vector<BoxRecord>{InfoBox(U("成功创建2个文件夹"), U("创建成果提示"))});
  EXPECT_EQ(OnDisk("out"), Strings({"第1课", "第1课.txt", "第2课", "第2课.txt"}));
  EXPECT_EQ(Names(), Strings({"第1课.mp4", "第2课.mp4"}));
}

TEST_F(FileCommandsWindowTest, DeleteAsksOnceAndCancelKeepsEverything) {
  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_特殊功能);
  EXPECT_EQ(Click(Ui().按钮_删除文件), std::vector<BoxRecord>{InfoBox(U("列表框是空的，请先拖入文件！"), U("提示"))});

  LoadFiles({"a.txt", "b.txt", "c.txt"});
  const BoxRecord question =
      ConfirmBox(U("确定删除吗？此操作不可撤回！\r\n机械硬盘只能用恢复软件恢复！\r\n固态硬盘将永久不可恢复！"));
  EXPECT_EQ(Click(Ui().按钮_删除文件, {Cancel()}), std::vector<BoxRecord>{question});
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "b.txt", "c.txt"}));

  EXPECT_EQ(Click(Ui().按钮_删除文件, {Ok(), Ok()}),
            (std::vector<BoxRecord>{question, InfoBox(U("已删除3个"), U("提示"))}));
  EXPECT_TRUE(OnDisk().isEmpty());
  EXPECT_TRUE(Names().isEmpty());  // the rows of deleted files go with them
}

TEST_F(FileCommandsWindowTest, DeleteToTheTrashPutsTheFileAndItsTrashInfoThere) {
  vantor::testing::TempDir home;  // no data folder yet: the trash is made
  const ScopedEnvironment homeVariable("HOME", QByteArray::fromStdString(home.Path()));
  const ScopedEnvironment dataHome("XDG_DATA_HOME", QByteArray::fromStdString(home.Path() + "data"));
  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_特殊功能);
  Ui().单选框18->setChecked(true);
  LoadFiles({"第1课.txt"});

  EXPECT_EQ(Click(Ui().按钮_删除文件, {Ok(), Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(U("确定删除到回收站吗？")), InfoBox(U("已删除1个"), U("提示"))}));
  EXPECT_TRUE(OnDisk().isEmpty());
  EXPECT_TRUE(home.Exists("data/Trash/files/第1课.txt"));
  const std::string info = home.ReadFile("data/Trash/info/第1课.txt.trashinfo");
  EXPECT_NE(info.find("[Trash Info]"), std::string::npos) << info;
  EXPECT_NE(info.find("DeletionDate="), std::string::npos) << info;
}

}  // namespace
}  // namespace vantor::uitest
