// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a whole: its state after start-up, the preview switch and
// the small handlers that belong to no operation.
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

#include "ui/explanation_window.h"
#include "ui/help_texts.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

using MainWindowStartUp = WindowTest;

TEST_F(MainWindowStartUp, GivesTheControlsTheirInitialStates) {
  const MainWindowUi& ui = Ui();
  EXPECT_EQ(window_.windowTitle(), U("Vantor重命名*16.4"));
  EXPECT_EQ(ui.组合框2->currentIndex(), 0);
  EXPECT_EQ(ui.组合框2->currentText(), U("处理文件"));
  EXPECT_TRUE(ui.进度条1->isHidden());
  EXPECT_EQ(ui.组合框_跳过扩展->currentIndex(), -1);
  EXPECT_EQ(ui.高级选择夹1->currentIndex(), 0);
  EXPECT_EQ(ui.时钟1->interval(), 100);
  EXPECT_TRUE(ui.按钮_确认无误执行吧->isHidden());
  EXPECT_TRUE(ui.按钮_撤回上一步->isHidden());
  EXPECT_EQ(ui.按钮_打开预览->text(), U("打开预览"));
  EXPECT_TRUE(DirectoryLabel().isEmpty());
  EXPECT_EQ(View()->model()->columnCount(), 1);
  EXPECT_EQ(Header(View(), 0), U("当前的文件名"));
  EXPECT_EQ(View()->model()->rowCount(), 0);

  const std::vector<QAbstractButton*> checked = {ui.选择框_窗口置顶, ui.选择框6, ui.单选框2,  ui.单选框7,
                                                 ui.单选框9,         ui.单选框5, ui.单选框3,  ui.单选框11,
                                                 ui.单选框13,        ui.单选框17, ui.单选框15};
  for (QAbstractButton* button : checked) {
    EXPECT_TRUE(button->isChecked()) << button->objectName().toStdString();
  }
  // The partners of the checked radio buttons are off.
  for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui.单选框1), static_cast<QAbstractButton*>(ui.单选框4),
                                  static_cast<QAbstractButton*>(ui.单选框16)}) {
    EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();
  }
  EXPECT_TRUE(window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window_.isVisible());
}

TEST_F(MainWindowStartUp, StayOnTopFollowsItsCheckBox) {
  QTest::mouseClick(Ui().选择框_窗口置顶, Qt::LeftButton);
  EXPECT_FALSE(Ui().选择框_窗口置顶->isChecked());
  ASSERT_TRUE(WaitFor([&] { return !window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }));
  EXPECT_TRUE(WaitFor([&] { return window_.isVisible(); }));
  QTest::mouseClick(Ui().选择框_窗口置顶, Qt::LeftButton);
  EXPECT_TRUE(WaitFor([&] { return window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }));
}

TEST_F(MainWindowStartUp, ButtonCaptionsFollowTheirRadioButtons) {
  const MainWindowUi& ui = Ui();
  EXPECT_EQ(ui.按钮_在某物前后加->text(), U("前面加"));
  EXPECT_EQ(ui.按钮_繁简->text(), U("繁转简"));

  ui.高级选择夹1->setCurrentWidget(ui.选择夹页_添加);
  QTest::mouseClick(ui.单选框4, Qt::LeftButton);
  EXPECT_EQ(ui.按钮_在某物前后加->text(), U("后面加"));
  QTest::mouseClick(ui.单选框3, Qt::LeftButton);
  EXPECT_EQ(ui.按钮_在某物前后加->text(), U("前面加"));

  ui.高级选择夹1->setCurrentWidget(ui.选择夹页_替换);
  QTest::mouseClick(ui.单选框16, Qt::LeftButton);
  EXPECT_EQ(ui.按钮_繁简->text(), U("简转繁"));
  QTest::mouseClick(ui.单选框15, Qt::LeftButton);
  EXPECT_EQ(ui.按钮_繁简->text(), U("繁转简"));
}

using PreviewSwitch = WindowTest;

TEST_F(PreviewSwitch, WidensTheWindowAndAddsThePreviewColumnThenNarrowsBack) {
  const MainWindowUi& ui = Ui();
  MakeFiles({"01a.txt", "02b.txt"});
  Drop({PathOf("01a.txt")});
  const int narrowListWidth = View()->width();

  EXPECT_TRUE(TogglePreview().empty());
  EXPECT_TRUE(WaitFor([&] { return window_.width() == 1150; })) << window_.width();
  EXPECT_EQ(View()->width(), narrowListWidth + 380);
  EXPECT_EQ(ui.按钮_打开预览->text(), U("关闭预览"));
  ASSERT_EQ(View()->model()->columnCount(), 2);
  EXPECT_EQ(Header(View(), 0), U("上一次的文件名"));
  EXPECT_EQ(Header(View(), 1), U("更名后的效果"));
  EXPECT_EQ(View()->horizontalHeader()->sectionSize(1), 380);
  EXPECT_FALSE(ui.按钮_确认无误执行吧->isHidden());
  EXPECT_FALSE(ui.按钮_撤回上一步->isHidden());
  EXPECT_EQ(Pending(), Strings({"", ""}));
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt"}));

  EXPECT_TRUE(TogglePreview().empty());
  EXPECT_TRUE(WaitFor([&] { return window_.width() == 769; })) << window_.width();
  EXPECT_EQ(View()->width(), 400);
  EXPECT_EQ(ui.按钮_打开预览->text(), U("打开预览"));
  ASSERT_EQ(View()->model()->columnCount(), 1);
  EXPECT_EQ(Header(View(), 0), U("最开始的文件名"));
  EXPECT_TRUE(ui.按钮_确认无误执行吧->isHidden());
  EXPECT_TRUE(ui.按钮_撤回上一步->isHidden());
  EXPECT_TRUE(ui.按钮_直接粘贴txt->isHidden());
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));
}

TEST_F(PreviewSwitch, TurningOffDiscardsPendingNames) {
  MakeFiles({"01a.txt", "02b.txt"});
  Drop({PathOf("01a.txt")});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  ASSERT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt"}));
  TogglePreview();
  TogglePreview();
  EXPECT_EQ(Pending(), Strings({"", ""}));
}

using SmallHandlers = WindowTest;

TEST_F(SmallHandlers, ClearInputBoxesEmptiesBoxesOneToFourteenAndTheDirectory) {
  const MainWindowUi& ui = Ui();
  MakeFiles({"a.txt"});
  Drop({PathOf("a.txt")});
  ASSERT_FALSE(DirectoryLabel().isEmpty());
  const std::vector<QLineEdit*> cleared = {ui.编辑框1, ui.编辑框2,  ui.编辑框3,  ui.编辑框4,  ui.编辑框5,
                                           ui.编辑框6, ui.编辑框7,  ui.编辑框8,  ui.编辑框9,  ui.编辑框10,
                                           ui.编辑框11, ui.编辑框12, ui.编辑框13, ui.编辑框14};
  const std::vector<QLineEdit*> kept = {ui.编辑框15, ui.编辑框16, ui.编辑框17, ui.编辑框18, ui.编辑框19};
  for (QLineEdit* box : cleared) box->setText(U("x"));
  for (QLineEdit* box : kept) box->setText(U("7"));

  EXPECT_TRUE(Click(ui.按钮_清空输入框).empty());
  for (QLineEdit* box : cleared) EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
  for (QLineEdit* box : kept) EXPECT_EQ(box->text(), U("7")) << box->objectName().toStdString();
  EXPECT_TRUE(DirectoryLabel().isEmpty());
  EXPECT_EQ(Names(), Strings({"a.txt"}));  // the list stays

  // With the directory gone, an operation has nothing to work on.
  EXPECT_EQ(AddAfterNumber(U("-")), std::vector<BoxRecord>{InfoBox(U("路径呢？请先拖入文件！"))});
}

TEST_F(SmallHandlers, HelpButtonsExplainTheirGroups) {
  for (QPushButton* button : Ui().HelpButtons()) {
    SCOPED_TRACE(button->objectName().toStdString());
    QWidget* page = button->parentWidget();
    while (page != nullptr && page->parentWidget() != nullptr &&
           qobject_cast<QStackedWidget*>(page->parentWidget()) == nullptr) {
      page = page->parentWidget();
    }
    Ui().高级选择夹1->setCurrentWidget(page);
    ASSERT_TRUE(button->isVisible());
    EXPECT_TRUE(Click(button).empty());  // not modal
    QList<ExplanationWindow*> shown = window_.findChildren<ExplanationWindow*>();
    shown.removeIf([](ExplanationWindow* w) { return !w->isVisible(); });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front()->HelpText(), HelpTextOf(button->objectName()));
    EXPECT_FALSE(shown.front()->HelpText().isEmpty());
    shown.front()->close();
    QCoreApplication::processEvents();
  }
}

TEST_F(SmallHandlers, SortButtonOpensTheSortMenuBesideTheCursor) {
  QCursor::setPos(window_.mapToGlobal(QPoint(200, 200)));
  const QPoint cursor = QCursor::pos();
  EXPECT_TRUE(Click(Ui().按钮_多种重新排序).empty());
  QMenu* menu = Ui().多种重新排序;
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), cursor + QPoint(3, 3));
  QStringList captions;
  for (QAction* action : menu->actions()) captions << action->text();
  EXPECT_EQ(captions, Strings({"按数字大小排序", "按文件创建时间排序", "按文件最后修改时间排序"}));
  menu->hide();
}

TEST_F(SmallHandlers, ClosingTheWindowStopsTakingDrops) {
  MakeFiles({"a.txt"});
  window_.close();
  EXPECT_FALSE(Ui().时钟1->isActive());
  EXPECT_FALSE(DropPaths(&window_, {PathOf("a.txt")}));
  EXPECT_TRUE(Names().isEmpty());
}

}  // namespace
}  // namespace vantor::uitest
