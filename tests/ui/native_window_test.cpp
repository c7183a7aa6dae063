// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a desktop program: it grows, shows a status line, takes paths
// from the command line and reads in a sensible keyboard order.
#include <QCheckBox>
#include <QProgressBar>
#include <QGroupBox>
#include <QRadioButton>
#include <QIcon>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

#include "entries/intake.h"
#include "ui/application.h"
#include "cli/command_line.h"
#include "ui/list_status_line.h"
#include "ui/message_box_prompter.h"
#include "ui/tab_order.h"
#include "window_driver.h"

namespace vantor::uitest {
namespace {

class NativeWindowTest : public WindowTest {
 protected:
  bool ResizeTo(QSize size) {
    window_.resize(size);
    return WaitFor([&] { return window_.size() == size; });
  }
  int ColumnWidth(int column) const { return View()->horizontalHeader()->sectionSize(column); }
  QString Status() const { return Ui().标签_状态行->text(); }
};

TEST_F(NativeWindowTest, GrowsTheListAndMovesTheAnchoredControlsThenComesBackToTheLayout) {
  const MainWindowUi& ui = Ui();
  EXPECT_EQ(window_.minimumSize(), QSize(769, 680));
  ASSERT_TRUE(ResizeTo(QSize(1000, 800)));  // 231 wider, 120 higher
  EXPECT_EQ(View()->geometry(), QRect(341, 144, 407 + 231, 440 + 120));
  EXPECT_EQ(ColumnWidth(0), 380 + 231);
  EXPECT_EQ(ui.超级按钮1->pos(), QPoint(672 + 231, 3));
  EXPECT_EQ(ui.透明标签8->pos(), QPoint(649 + 231, 37));
  EXPECT_EQ(ui.编辑框14->pos(), QPoint(341 + 231, 73));
  EXPECT_EQ(ui.按钮14->pos(), QPoint(690 + 231, 73));
  EXPECT_EQ(ui.按钮_清空输入框->pos(), QPoint(8, 590 + 120));
  EXPECT_EQ(ui.按钮_保存到txt->pos(), QPoint(568, 590 + 120));
  EXPECT_EQ(ui.标签_状态行->geometry(), QRect(8, 624 + 120, 744 + 231, 20));
  EXPECT_EQ(ui.高级选择夹1->geometry(), QRect(8, 72, 328, 512));
  EXPECT_EQ(ui.按钮_打开预览->pos(), QPoint(551, 5));
  EXPECT_EQ(ui.按钮_顺序颠倒->pos(), QPoint(434, 144));

  // Never smaller than the default size.
  window_.resize(500, 400);
  QCoreApplication::processEvents();
  EXPECT_TRUE(WaitFor([&] { return window_.size() == QSize(769, 680); })) << window_.width() << "x" << window_.height();
  EXPECT_EQ(View()->geometry(), QRect(341, 144, 407, 440));
  EXPECT_EQ(ColumnWidth(0), 380);
  EXPECT_EQ(ui.超级按钮1->geometry(), QRect(672, 3, 80, 25));
  EXPECT_EQ(ui.组合框_创建扩展->geometry(), QRect(608, 76, 77, 27));
  EXPECT_EQ(ui.透明标签1->geometry(), QRect(584, 74, 25, 25));
  EXPECT_EQ(ui.按钮_清空列表框->geometry(), QRect(345, 590, 176, 28));
  EXPECT_EQ(ui.标签_状态行->geometry(), QRect(8, 624, 744, 20));
}

TEST_F(NativeWindowTest, PreviewOnAnEnlargedWindowKeepsItsSizeAndSharesTheWidth) {
  const MainWindowUi& ui = Ui();
  ASSERT_TRUE(ResizeTo(QSize(1300, 800)));
  TogglePreview();
  QCoreApplication::processEvents();
  EXPECT_EQ(window_.size(), QSize(1300, 800));
  EXPECT_EQ(window_.minimumSize(), QSize(1150, 680));
  // 150 wider and 120 higher than the preview's default size.
  EXPECT_EQ(View()->geometry(), QRect(341, 144, 787 + 150, 440 + 120));
  EXPECT_EQ(ColumnWidth(0), 380 + 75);
  EXPECT_EQ(ColumnWidth(1), 380 + 75);
  EXPECT_EQ(ui.按钮_确认无误执行吧->pos(), QPoint(973, 590 + 120));
  EXPECT_EQ(ui.按钮_撤回上一步->pos(), QPoint(850, 590 + 120));
  EXPECT_EQ(ui.按钮_用我的txt修改->pos(), QPoint(830, 144));

  // Back at the preview's default size: the preview's own places.
  ASSERT_TRUE(ResizeTo(QSize(1150, 680)));
  EXPECT_EQ(View()->geometry(), QRect(341, 144, 787, 440));
  EXPECT_EQ(ColumnWidth(0), 380);
  EXPECT_EQ(ColumnWidth(1), 380);
  EXPECT_EQ(ui.按钮_确认无误执行吧->pos(), QPoint(973, 590));
  EXPECT_EQ(ui.超级按钮1->pos(), QPoint(672, 3));

  // At its default size the window goes back to the narrow default size.
  TogglePreview();
  EXPECT_TRUE(WaitFor([&] { return window_.size() == QSize(769, 680); })) << window_.width();
  EXPECT_EQ(window_.minimumSize(), QSize(769, 680));
  EXPECT_EQ(View()->geometry(), QRect(341, 144, 400, 440));
  EXPECT_EQ(ui.超级按钮1->pos(), QPoint(672, 3));
}

TEST_F(NativeWindowTest, StatusLineCountsTheListThePendingNamesAndTheLastRun) {
  // The empty list shows its hint: the viewport is not one plain colour.
  const QImage empty = View()->viewport()->grab().toImage();
  EXPECT_TRUE(std::any_of(empty.constBits(), empty.constBits() + empty.sizeInBytes(),
                          [&](uchar byte) { return byte != empty.constBits()[0]; }));
  EXPECT_EQ(ListStatusLine::EmptyListHint(), U("把文件或文件夹拖到这里"));

  MakeFiles({"01a.txt", "02b.txt"});
  dir_.MakeFile("01-a.txt", "keep me");
  SetMode(2);
  Drop({PathOf("01a.txt"), PathOf("02b.txt")});
  EXPECT_EQ(Status(), U("共2项  待改名0项  冲突0项"));

  AddAfterNumber(U("-"), {Ok(), Ok(), Ok()});
  EXPECT_EQ(Status(), U("共2项  待改名0项  冲突0项  已改名1个，失败1个"));

  TogglePreview();
  AddAfterNumber(U("_"), {Ok()});
  const QStringList pendingNames = Pending();
  const int pending = static_cast<int>(
      std::count_if(pendingNames.begin(), pendingNames.end(), [](const QString& name) { return !name.isEmpty(); }));
  ASSERT_GT(pending, 0);
  EXPECT_EQ(Status(), U("共2项  待改名%1项  冲突0项  已改名1个，失败1个").arg(pending));

  Click(Ui().按钮_确认无误执行吧);
  EXPECT_EQ(Status(), U("共2项  待改名0项  冲突0项  已改名%1个，失败0个").arg(pending));

  // A new load forgets the last run.
  Click(Ui().按钮_清空列表框);
  EXPECT_EQ(Status(), U("共0项  待改名0项  冲突0项"));
}

TEST_F(NativeWindowTest, CommandLinePathsLoadAsOneDropOrOpenTheOneFolder) {
  MakeFiles({"01a.txt", "02b.txt", "03c.txt"});
  SetMode(2);
  QStringList paths;
  for (const std::string& path : ParseCommandLine({"03c.txt", "01a.txt"}, dir_.Path()).paths) {
    paths << QString::fromStdString(path);
  }
  window_.OpenCommandLinePaths(paths);
  EXPECT_EQ(Names(), Strings({"03c.txt", "01a.txt"}));
  EXPECT_EQ(DirectoryLabel(), Folder());

  // One folder alone opens that folder, as "open with" from a file manager.
  dir_.MakeFolder("课程");
  dir_.MakeFile("课程/第2课.mp4");
  dir_.MakeFile("课程/第10课.mp4");
  SetMode(0);
  EXPECT_TRUE(AnswerBoxes([&] { window_.OpenCommandLinePaths({PathOf("课程")}); }).empty());
  EXPECT_EQ(Names(), Strings({"第2课.mp4", "第10课.mp4"}));
  EXPECT_EQ(DirectoryLabel(), Folder("课程"));

  // Paths that do not exist are named in one box; the others load.
  MessageBoxPrompter prompter(&window_);
  Click(Ui().按钮_清空列表框);
  SetMode(2);
  const std::vector<std::string> given{PathOf("没有.txt").toStdString(), PathOf("02b.txt").toStdString(),
                                       PathOf("gone\U0001F600").toStdString()};
  EXPECT_EQ(AnswerBoxes([&] { OpenCommandLinePaths(window_, prompter, given); }),
            std::vector<BoxRecord>{InfoBox(U("找不到：") + PathOf("没有.txt") + U("\r\n找不到：") + PathOf("gone\U0001F600"),
                                           U("提醒："))});
  EXPECT_EQ(Names(), Strings({"02b.txt"}));
  // The program's own icon, built in.
  EXPECT_FALSE(window_.windowIcon().pixmap(32, 32).isNull());
}

// The desktop folder named by the XDG user directories is refused like any
// "Desktop" folder.
TEST_F(NativeWindowTest, RefusesTheDesktopFolderTheDesktopNames) {
  dir_.MakeFolder("config");
  dir_.MakeFolder("桌面");
  dir_.MakeFile("桌面/a.txt");
  dir_.MakeFile("config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + dir_.Path() + "桌面\"\n");
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir_.Path() + "config"));
  ShareDesktopFolder();
  qputenv("XDG_CONFIG_HOME", oldConfig);
  EXPECT_EQ(Drop({PathOf("桌面/a.txt")}), std::vector<BoxRecord>{InfoBox(DesktopText(), U("提示"))});
  EXPECT_TRUE(Names().isEmpty());
  SetUserDesktopFolder({}, {});
}

TEST(TabOrderByPosition, ReadsTheWindowTopToBottomAndHelpButtonsHaveNames) {
  QMainWindow window;
  MainWindowUi ui;
  SetupMainWindowUi(ui, &window);
  OrderTabsByPosition(ui.中心区);
  const std::vector<QWidget*> order = TabOrderByPosition(ui.中心区);
  const QWidget* expected[] = {ui.选择框_窗口置顶, ui.组合框2, ui.组合框_仅检索, ui.按钮_打开预览, ui.超级按钮1,
                               ui.按钮_手动读取, ui.高级选择夹1, ui.组合框1, ui.编辑框2, ui.按钮8,
                               ui.按钮_一键删除, ui.编辑框8, ui.编辑框10, ui.编辑框4, ui.按钮_按拍摄日期命名,
                               ui.编辑框14, ui.按钮14, ui.超级列表框1, ui.按钮_顺序颠倒, ui.按钮_清空输入框,
                               ui.按钮_保存到txt};
  size_t last = 0;
  for (const QWidget* widget : expected) {
    SCOPED_TRACE(widget->objectName().toStdString());
    const auto at = std::find(order.begin(), order.end(), widget);
    ASSERT_NE(at, order.end());
    EXPECT_GE(static_cast<size_t>(at - order.begin()), last);
    last = static_cast<size_t>(at - order.begin());
  }
  // The chain the Tab key follows is that order.
  EXPECT_EQ(ui.选择框_窗口置顶->nextInFocusChain(), ui.组合框2);

  for (QPushButton* button : ui.HelpButtons()) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_TRUE(button->accessibleName().startsWith(U("说明：")));
    EXPECT_EQ(button->toolTip(), button->accessibleName());
  }
}

}  // namespace
}  // namespace vantor::uitest
