// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

#include "ui/explanation_window.h"
#include "ui/help_texts.h"
#include "ui/main_window_ui.h"

namespace vantor {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

QString Caption(const QWidget* widget) {
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  return widget->property("text").toString();
}

class MainWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override { SetupMainWindowUi(ui_, &window_); }

  QMainWindow window_;
  MainWindowUi ui_;
};

TEST(HelpTextOf, KnowsTheSevenHelpButtonsOnly) {
  EXPECT_EQ(HelpTextOf(U("按钮6")),
            U("用于给没有扩展名的文件补上扩展名，\r\n使用概率不高，但是一旦需要，\r\n会非常有效率！"));
  EXPECT_TRUE(HelpTextOf(U("按钮7")).startsWith(U("\"只改数字后符号\"意思是")));
  EXPECT_TRUE(HelpTextOf(U("按钮2")).endsWith(U("可以填写\"10\"或者\"12\"")));
  EXPECT_TRUE(HelpTextOf(U("按钮8")).contains(U("\"abc好abcdefghijklmn的bac\"\r\n\r\n要删除")));
  for (const char* name : {"按钮2", "按钮3", "按钮4", "按钮5", "按钮6", "按钮7", "按钮8"}) {
    SCOPED_TRACE(name);
    const QString text = HelpTextOf(U(name));
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(U("\r\n")));  // CR LF only
  }
  EXPECT_TRUE(HelpTextOf(U("按钮1")).isEmpty());
  EXPECT_TRUE(HelpTextOf(U("按钮9")).isEmpty());
}

TEST(ExplanationWindow, OpensModelessOverItsParentWithTheTextAsGiven) {
  QWidget parent;
  const QString text = HelpTextOf(U("按钮3"));
  ExplanationWindow* window = ShowExplanation(&parent, text);
  EXPECT_EQ(window->parentWidget(), &parent);
  EXPECT_EQ(window->windowTitle(), U("解释用意的窗口"));
  EXPECT_EQ(window->size(), QSize(484, 321));
  EXPECT_FALSE(window->isModal());
  EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
  auto* label = window->findChild<QLabel*>(U("透明标签1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), text);
  EXPECT_TRUE(label->wordWrap());
  EXPECT_FALSE(label->autoFillBackground());
  window->close();  // deletes it
}

TEST_F(MainWindowLayout, WindowTitleGeometryAndFonts) {
  EXPECT_EQ(window_.windowTitle(), U("Vantor重命名*16.4"));
  EXPECT_EQ(window_.geometry(), QRect(50, 50, 769, 680));
  EXPECT_EQ(window_.font().families().value(0), U("Microsoft YaHei"));
  EXPECT_TRUE(window_.font().families().contains(U("Noto Sans CJK SC")));
  EXPECT_EQ(ui_.高级选择夹1->tabBar()->font().families().value(0), U("SimSun"));
  EXPECT_EQ(ui_.按钮_打开预览->font().families().value(0), U("Microsoft YaHei"));
}

TEST_F(MainWindowLayout, PlacedControlsHaveKindCaptionAndGeometry) {
  struct Row {
    const char* name;
    const char* kind;
    const char* caption;
    QRect geometry;
  };
  const Row rows[] = {
      {"选择框_窗口置顶", "QCheckBox", "窗口置顶", {9, 11, 80, 15}},
      {"按钮_手动读取", "QPushButton", "手动读取", {8, 38, 72, 25}},
      {"标签2", "QLabel", "", {208, 39, 376, 25}},
      {"选择框_显示隐藏文件", "QCheckBox", "显示隐藏文件", {104, 42, 100, 18}},
      {"透明标签3", "QLabel", "仅检索扩展名：", {230, 10, 88, 15}},
      {"透明标签4", "QLabel", "跳过扩展名：", {394, 10, 75, 15}},
      {"按钮_打开预览", "QPushButton", "打开预览", {551, 5, 72, 25}},
      {"超级按钮1", "QPushButton", "使用教程", {672, 3, 80, 25}},
      {"透明标签8", "QLabel", "已经是最新版", {649, 37, 104, 20}},
      {"编辑框14", "QLineEdit", "", {341, 73, 239, 32}},
      {"透明标签1", "QLabel", "", {584, 74, 25, 25}},
      {"按钮14", "QPushButton", "创建文件", {690, 73, 64, 32}},
      {"编辑框_筛选", "QLineEdit", "", {341, 115, 290, 24}},
      {"选择框_只改选中", "QCheckBox", "只改选中的行", {640, 118, 110, 18}},
      {"按钮_顺序颠倒", "QPushButton", "顺序颠倒", {434, 144, 65, 23}},
      {"按钮_多种重新排序", "QPushButton", "多种重新排序", {514, 144, 94, 23}},
      {"按钮_用我的txt修改", "QPushButton", "导入txt对应修改", {639, 144, 108, 23}},
      {"按钮_直接粘贴txt", "QPushButton", "直接粘贴欲改文件名", {576, 192, 132, 23}},
      {"超级列表框1", "QTableView", nullptr, {341, 144, 407, 440}},
      {"进度条1", "QProgressBar", nullptr, {360, 162, 368, 24}},
      {"按钮_确认无误执行吧", "QPushButton", "确认无误，执行吧", {568, 432, 160, 28}},
      {"按钮_撤回上一步", "QPushButton", "撤回上一步", {568, 480, 104, 28}},
      {"按钮_清空输入框", "QPushButton", "清空所有输入框", {8, 590, 328, 28}},
      {"按钮_清空列表框", "QPushButton", "清空列表框", {345, 590, 176, 28}},
      {"按钮_保存到txt", "QPushButton", "保存原文件名到txt", {568, 590, 184, 28}},
      {"标签_状态行", "QLabel", "", {8, 624, 744, 20}},
      {"高级选择夹1", "QTabWidget", nullptr, {8, 72, 328, 512}},
      {"组合框2", "QComboBox", nullptr, {104, 5, 104, 20}},
      {"组合框_仅检索", "QComboBox", nullptr, {319, 5, 68, 27}},
      {"组合框_跳过扩展", "QComboBox", nullptr, {471, 5, 68, 27}},
      {"组合框_创建扩展", "QComboBox", nullptr, {608, 76, 77, 27}},
      {"分组框5", "QGroupBox", "空着默认是删除1次，也可填具体删除次数", {8, 415, 280, 86}},
      {"分组框1", "QGroupBox", "删除左边全部", {8, 195, 280, 104}},
      {"分组框2", "QGroupBox", "删除右边全部", {8, 303, 280, 104}},
      {"分组框6", "QGroupBox", "删除中间的内容", {10, 35, 278, 154}},
      {"分组框7", "QGroupBox", "替换", {11, 32, 309, 130}},
      {"分组框16", "QGroupBox", "繁简体之间的转换", {11, 169, 248, 64}},
      {"分组框9", "QGroupBox", "强迫症功能", {11, 242, 141, 54}},
      {"分组框4", "QGroupBox", "批量修改扩展名", {11, 300, 248, 57}},
      {"分组框10", "QGroupBox", "", {11, 367, 245, 64}},
      {"分组框21", "QGroupBox", "前面加、后面加", {11, 37, 256, 120}},
      {"分组框8", "QGroupBox", "不影响扩展名", {11, 165, 256, 96}},
      {"分组框20", "QGroupBox", "在扩展名后面加", {11, 266, 256, 56}},
      {"分组框22", "QGroupBox", "", {11, 325, 256, 51}},
      {"分组框23", "QGroupBox", "", {11, 384, 261, 80}},
      {"按钮_模拟B站AV", "QPushButton", "加模拟B站AV号", {11, 469, 117, 27}},
      {"分组框19", "QGroupBox", "", {8, 168, 264, 56}},
      {"分组框17", "QGroupBox", "慎用！会直接删除原文件，显示的都删除！", {8, 33, 264, 128}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto* widget = window_.findChild<QWidget*>(U(row.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), row.kind);
    if (row.caption != nullptr) {
      EXPECT_EQ(Caption(widget), U(row.caption));
    }
    EXPECT_EQ(widget->geometry(), row.geometry);
  }
}

// Page coordinates count from the tab control's corner, tab bar included, as
// the page controls were laid out that way; nothing may end up clipped.
TEST_F(MainWindowLayout, TabPagesCoverTheTabControlAndHoldTheirControls) {
  const char* titles[] = {" 删 除 ", " 替 换 ", " 添 加 ", "特殊功能", "高级"};
  ASSERT_EQ(ui_.高级选择夹1->count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ui_.高级选择夹1->tabText(i), U(titles[i]));
  EXPECT_EQ(ui_.高级选择夹1->currentIndex(), 0);

  window_.show();
  for (int i = 0; i < 5; ++i) {
    ui_.高级选择夹1->setCurrentIndex(i);  // a page gets its size when shown
    QWidget* page = ui_.高级选择夹1->widget(i);
    EXPECT_EQ(page->mapTo(ui_.高级选择夹1, QPoint(0, 0)), QPoint(0, 0));
    for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      SCOPED_TRACE(child->objectName().toStdString());
      EXPECT_TRUE(page->rect().contains(child->geometry()));
      EXPECT_GE(child->y(), ui_.高级选择夹1->tabBar()->height());
    }
  }
}

// Positions inside the groups are this layout's own choice: every control
// must fit its group and not cover a sibling.
TEST_F(MainWindowLayout, ControlsInsideGroupsFitAndDoNotOverlap) {
  for (QGroupBox* group : window_.findChildren<QGroupBox*>()) {
    const QList<QWidget*> children = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < children.size(); ++i) {
      SCOPED_TRACE(children[i]->objectName().toStdString());
      EXPECT_TRUE(QRect(QPoint(0, 0), group->size()).contains(children[i]->geometry()));
      for (qsizetype j = i + 1; j < children.size(); ++j) {
        EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
            << children[j]->objectName().toStdString();
      }
    }
  }
}

TEST_F(MainWindowLayout, CaptionsAreNotClipped) {
  for (QWidget* widget : window_.findChildren<QWidget*>()) {
    const QString text = widget->property("text").toString();
    if (text.isEmpty() || qobject_cast<QLineEdit*>(widget) != nullptr) continue;
    SCOPED_TRACE(widget->objectName().toStdString());
    const int advance = widget->fontMetrics().horizontalAdvance(text);
    if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
      EXPECT_LE(widget->sizeHint().width(), widget->width());
    } else if (qobject_cast<QPushButton*>(widget)) {
      EXPECT_LE(advance + 6, widget->width());
    } else if (qobject_cast<QLabel*>(widget)) {
      EXPECT_LE(advance, widget->width());
    }
  }
  for (QGroupBox* group : window_.findChildren<QGroupBox*>()) {
    EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()) + 16, group->width());
  }
}

TEST_F(MainWindowLayout, RadioButtonsAreExclusiveWithinTheirOwnGroupOnly) {
  const char* groups[][3] = {
      {"分组框3", "单选框1", "单选框2"},    {"分组框11", "单选框3", "单选框4"},
      {"分组框12", "单选框5", "单选框6"},   {"分组框13", "单选框7", "单选框8"},
      {"分组框14", "单选框9", "单选框10"},  {"分组框15", "单选框11", "单选框12"},
      {"分组框5", "单选框13", "单选框14"},  {"分组框16", "单选框15", "单选框16"},
      {"分组框18", "单选框17", "单选框18"},
  };
  for (const auto& group : groups) {
    auto* first = window_.findChild<QRadioButton*>(U(group[1]));
    auto* second = window_.findChild<QRadioButton*>(U(group[2]));
    ASSERT_TRUE(first && second) << group[1];
    EXPECT_EQ(first->parentWidget()->objectName(), U(group[0]));
    EXPECT_EQ(second->parentWidget(), first->parentWidget());
    first->setChecked(true);
  }
  ui_.单选框12->setChecked(true);
  ui_.单选框8->setChecked(true);
  EXPECT_FALSE(ui_.单选框11->isChecked());
  EXPECT_FALSE(ui_.单选框7->isChecked());
  EXPECT_TRUE(ui_.单选框1->isChecked());  // same captions, other group
  EXPECT_TRUE(ui_.单选框9->isChecked());  // sibling group inside 分组框7
}

TEST_F(MainWindowLayout, InitialItemsVisibilityAndListSettings) {
  EXPECT_EQ(Items(ui_.组合框2), (QStringList{U("处理文件"), U("处理文件夹"), U("拖几个改几个"), U("处理文件（含子文件夹）")}));
  EXPECT_EQ(Items(ui_.组合框1), (QStringList{U("英文符号"), U("中文符号"), U("B站括号")}));
  EXPECT_EQ(ui_.组合框5->currentText(), U("不加"));
  EXPECT_FALSE(ui_.组合框2->isEditable());
  for (QComboBox* box : {ui_.组合框_仅检索, ui_.组合框_跳过扩展, ui_.组合框_修改扩展, ui_.组合框_创建扩展}) {
    SCOPED_TRACE(box->objectName().toStdString());
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(box->count(), 0);
  }
  EXPECT_EQ(ui_.编辑框14->placeholderText(), U("将在这里创建"));

  window_.show();
  for (QWidget* hidden : std::initializer_list<QWidget*>{ui_.按钮_确认无误执行吧, ui_.按钮_撤回上一步,
                                                      ui_.按钮_直接粘贴txt, ui_.进度条1}) {
    EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
  }
  EXPECT_TRUE(ui_.按钮_用我的txt修改->isVisible());
  EXPECT_FALSE(ui_.时钟1->isActive());

  QTableView* list = ui_.超级列表框1;
  EXPECT_EQ(list->model(), nullptr);
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_TRUE(list->horizontalHeader()->isVisible());
  EXPECT_FALSE(list->verticalHeader()->isVisible());
}

TEST_F(MainWindowLayout, MenusAndHelpButtons) {
  auto captions = [](const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
      EXPECT_EQ(action->objectName(), action->text());
      texts << action->text();
    }
    return texts;
  };
  EXPECT_EQ(captions(ui_.右键功能1),
            (QStringList{U("上移"), U("下移"), U("删除已选中文件名"), U("手动修改这个")}));
  EXPECT_EQ(captions(ui_.多种重新排序),
            (QStringList{U("按数字大小排序"), U("按文件创建时间排序"), U("按文件最后修改时间排序")}));
  EXPECT_EQ(captions(ui_.打赏作者), (QStringList{U("打赏菜单"), U("加入用户QQ群"), U("使用教程")}));
  const QList<QAction*> bar = window_.menuBar()->actions();
  ASSERT_EQ(bar.size(), 1);  // the context and sort menus stay out of the bar
  EXPECT_EQ(bar[0]->menu(), ui_.打赏作者);

  for (QPushButton* button : ui_.HelpButtons()) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_TRUE(button->text().isEmpty());
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_FALSE(HelpTextOf(button->objectName()).isEmpty());
  }
}

TEST_F(MainWindowLayout, EveryMemberIsSetAndNamedAfterItself) {
#define M(member) {ui_.member, #member}
  const std::pair<QObject*, const char*> members[] = {
      M(中心区), M(选择框_窗口置顶), M(按钮_手动读取), M(标签2), M(组合框2), M(选择框_显示隐藏文件), M(透明标签3),
      M(组合框_仅检索), M(透明标签4), M(组合框_跳过扩展), M(按钮_打开预览), M(超级按钮1),
      M(透明标签8), M(编辑框14), M(透明标签1), M(组合框_创建扩展), M(按钮14), M(按钮_顺序颠倒),
      M(按钮_多种重新排序), M(按钮_用我的txt修改), M(按钮_直接粘贴txt), M(超级列表框1), M(编辑框_筛选),
      M(选择框_只改选中), M(进度条1),
      M(按钮_确认无误执行吧), M(按钮_撤回上一步), M(按钮_清空输入框), M(按钮_清空列表框),
      M(按钮_保存到txt), M(时钟1), M(高级选择夹1), M(选择夹页_删除), M(选择夹页_替换),
      M(选择夹页_添加), M(选择夹页_特殊功能),
      M(分组框6), M(标签5), M(组合框1), M(选择框6), M(标签3), M(编辑框2), M(标签4), M(编辑框3),
      M(选择框_1头), M(选择框_1尾), M(选择框_2头), M(选择框_2尾), M(按钮_一键删除), M(标签13), M(按钮8),
      M(分组框1), M(标签14), M(编辑框8), M(按钮_删前面), M(选择框3), M(分组框15), M(单选框11),
      M(单选框12), M(分组框2), M(标签15), M(编辑框9), M(按钮_删后面), M(选择框4), M(分组框3),
      M(单选框1), M(单选框2), M(分组框5), M(单选框13), M(单选框14), M(编辑框1), M(按钮_删掉N次),
      M(编辑框10), M(标签8),
      M(分组框7), M(透明标签5), M(编辑框4), M(标签9), M(透明标签6), M(编辑框5), M(透明标签7),
      M(编辑框16), M(分组框13), M(单选框7), M(单选框8), M(分组框14), M(单选框9), M(单选框10),
      M(按钮_替换), M(按钮7), M(分组框16), M(单选框15), M(单选框16), M(按钮_繁简), M(分组框9),
      M(按钮_改01), M(按钮4), M(分组框4), M(透明标签2), M(组合框_修改扩展), M(按钮_改扩展),
      M(分组框10), M(按钮_十五改15), M(按钮_15改十五),
      M(分组框21), M(分组框12), M(单选框5), M(单选框6), M(分组框11), M(单选框3), M(单选框4),
      M(标签16), M(编辑框11), M(按钮_在某物前后加), M(编辑框12), M(分组框8), M(编辑框6),
      M(按钮_最前面加), M(编辑框7), M(按钮_最后面加), M(分组框20), M(编辑框18), M(按钮_扩展名后面加),
      M(按钮6), M(分组框22), M(编辑框13), M(按钮_数字后加符号), M(按钮5), M(分组框23), M(透明标签10),
      M(编辑框17), M(透明标签12), M(编辑框19), M(透明标签11), M(组合框5), M(按钮_加序号), M(按钮3),
      M(按钮_模拟B站AV),
      M(分组框17), M(分组框18), M(单选框17), M(单选框18), M(按钮_删除文件), M(分组框19), M(按钮1),
      M(编辑框15), M(透明标签9), M(按钮2),
      M(右键功能1), M(上移), M(下移), M(删除已选中文件名), M(手动修改这个), M(多种重新排序),
      M(按数字大小排序), M(按文件创建时间排序), M(按文件最后修改时间排序), M(打赏作者), M(打赏菜单),
      M(加入用户QQ群), M(使用教程),
      M(选择夹页_高级), M(分组框_正则替换), M(标签_正则查找), M(编辑框_正则查找), M(标签_正则替换为),
      M(编辑框_正则替换为), M(选择框_正则区分大小写), M(选择框_正则全部替换), M(选择框_正则含扩展名),
      M(按钮_正则替换), M(分组框_大小写), M(组合框_大小写方式), M(组合框_大小写范围), M(按钮_改大小写),
      M(分组框_拍摄日期), M(标签_日期格式), M(编辑框_日期格式), M(选择框_无日期用修改时间), M(按钮_按拍摄日期命名),
      M(分组框_修复乱码), M(组合框_乱码原编码), M(按钮_修复乱码), M(分组框_按模板命名), M(编辑框_命名模板),
      M(按钮_按模板命名), M(分组框_汉字转拼音), M(组合框_拼音方式), M(标签_拼音分隔), M(组合框_拼音分隔),
      M(选择框_拼音首字母大写), M(按钮_转拼音),
  };
#undef M
  for (const auto& [object, name] : members) {
    SCOPED_TRACE(name);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->objectName(), U(name));
    // Unique within the window, so that a lookup by name is unambiguous.
    EXPECT_EQ(window_.findChildren<QObject*>(U(name)).size(), 1);
  }
  // Nineteen numbered edit boxes, eighteen radio buttons, twenty-three groups
  // and the six of the page "高级".
  EXPECT_EQ(window_.findChildren<QLineEdit*>(QRegularExpression(U("^编辑框\\d+$"))).size(), 19);
  EXPECT_EQ(window_.findChildren<QRadioButton*>().size(), 18);
  EXPECT_EQ(window_.findChildren<QGroupBox*>().size(), 29);
}

}  // namespace
}  // namespace vantor
