// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window_ui.h"

#include <initializer_list>
#include <utility>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStringList>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

namespace vantor {
namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// Lays the pages of a tab control over its whole area instead of below the
// tab bar, so that a page's coordinates count from the tab control's top-left
// corner. The page controls start below the tab bar, which stays on top.
class WholeAreaTabPagesStyle : public QProxyStyle {
 public:
  QRect subElementRect(SubElement element, const QStyleOption* option,
                       const QWidget* widget) const override {
    if (element == SE_TabWidgetTabContents && option != nullptr) {
      return option->rect;
    }
    return QProxyStyle::subElementRect(element, option, widget);
  }
};

// One instance serves every tab control; it lives as long as the application.
QStyle* TabPagesStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new WholeAreaTabPagesStyle;
    style->setParent(QCoreApplication::instance());
  }
  return style;
}

template <class Widget>
Widget* Place(Widget*& slot, const char* name, QWidget* parent, QRect geometry) {
  slot = new Widget(parent);
  slot->setObjectName(T(name));
  slot->setGeometry(geometry);
  return slot;
}

template <class Widget>
Widget* Place(Widget*& slot, const char* name, QWidget* parent, QRect geometry,
              const char* caption) {
  Place(slot, name, parent, geometry)->setText(T(caption));
  return slot;
}

QGroupBox* Group(QGroupBox*& slot, const char* name, QWidget* parent, QRect geometry,
                 const char* caption = "") {
  Place(slot, name, parent, geometry)->setTitle(T(caption));
  return slot;
}

// A label that draws its text only, over whatever lies beneath it.
QLabel* TransparentLabel(QLabel*& slot, const char* name, QWidget* parent, QRect geometry,
                         const char* caption = "") {
  Place(slot, name, parent, geometry, caption)->setAutoFillBackground(false);
  // Labels may show names and paths: never as markup.
  slot->setTextFormat(Qt::PlainText);
  return slot;
}

// A plain label. Like the transparent ones it lets the parent's background
// show through: inside a group box a filled label would stand out as a patch.
QLabel* Label(QLabel*& slot, const char* name, QWidget* parent, QRect geometry,
              const char* caption = "") {
  Place(slot, name, parent, geometry, caption)->setTextFormat(Qt::PlainText);
  return slot;
}

// A drop-down list: items to choose from, no typing.
QComboBox* DropDownList(QComboBox*& slot, const char* name, QWidget* parent, QRect geometry,
                        std::initializer_list<const char*> items) {
  Place(slot, name, parent, geometry)->setEditable(false);
  for (const char* item : items) slot->addItem(T(item));
  return slot;
}

// An extension box: the user may type an extension or pick one of the items
// the window fills in later; typed text never becomes an item by itself.
QComboBox* ExtensionBox(QComboBox*& slot, const char* name, QWidget* parent, QRect geometry) {
  Place(slot, name, parent, geometry)->setEditable(true);
  slot->setInsertPolicy(QComboBox::NoInsert);
  return slot;
}

// A help button: a question-mark icon and no caption; its tooltip and
// accessible name say which command it explains.
QPushButton* HelpButton(QPushButton*& slot, const char* name, QWidget* parent, QRect geometry, const char* subject) {
  Place(slot, name, parent, geometry);
  slot->setIcon(slot->style()->standardIcon(QStyle::SP_MessageBoxQuestion));
  slot->setIconSize(QSize(16, 16));
  const QString explains = T("说明：") + T(subject);
  slot->setToolTip(explains);
  slot->setAccessibleName(explains);
  return slot;
}

QAction* MenuItem(QAction*& slot, QMenu* menu, const char* caption) {
  slot = menu->addAction(T(caption));
  slot->setObjectName(T(caption));
  return slot;
}

QMenu* Menu(QMenu*& slot, const char* caption, QWidget* parent) {
  slot = new QMenu(T(caption), parent);
  slot->setObjectName(T(caption));
  return slot;
}

QFont WindowFont() {
  QFont font;
  font.setFamilies({T("Microsoft YaHei"), T("微软雅黑"), T("Noto Sans CJK SC")});
  font.setPointSize(9);
  return font;
}

QFont TabTitleFont() {
  QFont font = WindowFont();
  font.setFamilies({T("SimSun"), T("宋体"), T("Noto Serif CJK SC"), T("Noto Sans CJK SC")});
  return font;
}

// Binds a member and its name together, so the objectName is always spelled
// like the member.
#define NAMED(member) ui.member, #member

void BuildTopBar(MainWindowUi& ui, QWidget* w) {
  Place(NAMED(选择框_窗口置顶), w, {9, 11, 80, 15}, "窗口置顶");
  Place(NAMED(按钮_手动读取), w, {8, 38, 72, 25}, "手动读取");
  Label(NAMED(标签2), w, {208, 39, 376, 25});
  QComboBox* mode = DropDownList(NAMED(组合框2), w, {104, 5, 104, 20},
                                 {"处理文件", "处理文件夹", "拖几个改几个", "处理文件（含子文件夹）"});
  // The longest mode does not fit the box: its tooltip names the mode in full.
  QObject::connect(mode, &QComboBox::currentTextChanged, mode, &QWidget::setToolTip);
  mode->setToolTip(mode->currentText());
  Place(NAMED(选择框_显示隐藏文件), w, {104, 42, 100, 18}, "显示隐藏文件");
  TransparentLabel(NAMED(透明标签3), w, {230, 10, 88, 15}, "仅检索扩展名：");
  ExtensionBox(NAMED(组合框_仅检索), w, {319, 5, 68, 27});
  TransparentLabel(NAMED(透明标签4), w, {394, 10, 75, 15}, "跳过扩展名：");
  ExtensionBox(NAMED(组合框_跳过扩展), w, {471, 5, 68, 27});
  Place(NAMED(按钮_打开预览), w, {551, 5, 72, 25}, "打开预览");
  Place(NAMED(超级按钮1), w, {672, 3, 80, 25}, "使用教程");
  Place(NAMED(按钮_历史记录), w, {588, 37, 58, 25}, "历史记录");
  TransparentLabel(NAMED(透明标签8), w, {649, 37, 104, 20}, "已经是最新版");
  Place(NAMED(编辑框14), w, {341, 73, 239, 32})->setPlaceholderText(T("将在这里创建"));
  TransparentLabel(NAMED(透明标签1), w, {584, 74, 25, 25})->setAlignment(Qt::AlignCenter);
  ExtensionBox(NAMED(组合框_创建扩展), w, {608, 76, 77, 27});
  Place(NAMED(按钮14), w, {690, 73, 64, 32}, "创建文件");
}

void BuildListArea(MainWindowUi& ui, QWidget* w) {
  // The filter and the only-selected switch above the list.
  Place(NAMED(编辑框_筛选), w, {341, 115, 290, 24})->setPlaceholderText(T("筛选：*.srt 或 re:正则"));
  Place(NAMED(选择框_只改选中), w, {640, 118, 110, 18}, "只改选中的行");
  QTableView* list = Place(NAMED(超级列表框1), w, {341, 144, 407, 440});
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setShowGrid(false);
  list->setWordWrap(false);
  list->horizontalHeader()->setVisible(true);
  list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list->horizontalHeader()->setHighlightSections(false);
  list->verticalHeader()->setVisible(false);
  // Fixed row heights keep a list of many thousand names cheap to lay out.
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(20);

  // Everything below lies over the list (the first three over its header),
  // so it is created after the list and stays on top of it.
  Place(NAMED(按钮_顺序颠倒), w, {434, 144, 65, 23}, "顺序颠倒");
  Place(NAMED(按钮_多种重新排序), w, {514, 144, 94, 23}, "多种重新排序");
  Place(NAMED(按钮_用我的txt修改), w, {639, 144, 108, 23}, "导入txt对应修改");
  Place(NAMED(进度条1), w, {360, 162, 368, 24})->hide();
  Place(NAMED(按钮_直接粘贴txt), w, {576, 192, 132, 23}, "直接粘贴欲改文件名")->hide();
  Place(NAMED(按钮_确认无误执行吧), w, {568, 432, 160, 28}, "确认无误，执行吧")->hide();
  Place(NAMED(按钮_撤回上一步), w, {568, 480, 104, 28}, "撤回上一步")->hide();

  Place(NAMED(按钮_清空输入框), w, {8, 590, 328, 28}, "清空所有输入框");
  Place(NAMED(按钮_清空列表框), w, {345, 590, 176, 28}, "清空列表框");
  Place(NAMED(按钮_保存到txt), w, {568, 590, 184, 28}, "保存原文件名到txt");
  // The status line, in the band under the bottom buttons.
  Label(NAMED(标签_状态行), w, {8, 624, 744, 20});

  // Right of the top bar, in the room the preview's width makes.
  QListWidget* steps = Place(NAMED(列表_预览步骤), w, {762, 5, 246, 108});
  steps->hide();
  // Its context menu and the Delete key remove the selected step.
  ui.删除这一步 = new QAction(T("删除这一步"), steps);
  ui.删除这一步->setObjectName(T("删除这一步"));
  ui.删除这一步->setShortcut(QKeySequence::Delete);
  ui.删除这一步->setShortcutContext(Qt::WidgetShortcut);
  steps->addAction(ui.删除这一步);
  steps->setContextMenuPolicy(Qt::ActionsContextMenu);
  Place(NAMED(按钮_清除预览步骤), w, {1014, 5, 124, 25}, "清除步骤")->hide();
  DropDownList(NAMED(组合框_步骤方案), w, {1014, 33, 124, 25}, {})->setPlaceholderText(T("步骤方案"));
  ui.组合框_步骤方案->hide();
  Place(NAMED(按钮_应用步骤), w, {1014, 61, 58, 25}, "应用")->hide();
  Place(NAMED(按钮_保存步骤), w, {1076, 61, 62, 25}, "保存步骤")->hide();
}

void BuildDeletePage(MainWindowUi& ui, QWidget* page) {
  QGroupBox* g = Group(NAMED(分组框6), page, {10, 35, 278, 154}, "删除中间的内容");
  Label(NAMED(标签5), g, {8, 22, 52, 20}, "半角全角");
  DropDownList(NAMED(组合框1), g, {62, 20, 84, 24}, {"英文符号", "中文符号", "B站括号"});
  Place(NAMED(选择框6), g, {154, 22, 118, 20}, "框里内容一起删");
  Label(NAMED(标签3), g, {8, 52, 16, 20}, "从");
  Place(NAMED(编辑框2), g, {26, 50, 104, 24});
  Label(NAMED(标签4), g, {138, 52, 16, 20}, "到");
  Place(NAMED(编辑框3), g, {156, 50, 104, 24});
  Place(NAMED(选择框_1头), g, {26, 78, 76, 18}, "首次出现")->setChecked(true);
  Place(NAMED(选择框_1尾), g, {26, 98, 76, 18}, "最后出现");
  Place(NAMED(选择框_2头), g, {156, 78, 76, 18}, "首次出现")->setChecked(true);
  Place(NAMED(选择框_2尾), g, {156, 98, 76, 18}, "最后出现");
  HelpButton(NAMED(按钮8), g, {244, 86, 22, 22}, "删除中间的内容");
  Place(NAMED(按钮_一键删除), g, {8, 122, 72, 26}, "一键删除");
  Label(NAMED(标签13), g, {86, 125, 186, 20}, "主要删除B站下载的视频末尾Av号");

  g = Group(NAMED(分组框1), page, {8, 195, 280, 104}, "删除左边全部");
  Label(NAMED(标签14), g, {8, 26, 28, 20}, "删掉");
  Place(NAMED(编辑框8), g, {38, 24, 130, 24});
  Place(NAMED(按钮_删前面), g, {174, 23, 96, 26}, "前面的东西");
  Place(NAMED(选择框3), g, {6, 66, 112, 20}, "框里内容一起删");
  QGroupBox* inner = Group(NAMED(分组框15), g, {118, 54, 156, 42});
  Place(NAMED(单选框11), inner, {4, 11, 74, 20}, "首次出现");
  Place(NAMED(单选框12), inner, {80, 11, 74, 20}, "最后出现");

  g = Group(NAMED(分组框2), page, {8, 303, 280, 104}, "删除右边全部");
  Label(NAMED(标签15), g, {8, 26, 28, 20}, "删掉");
  Place(NAMED(编辑框9), g, {38, 24, 130, 24});
  Place(NAMED(按钮_删后面), g, {174, 23, 96, 26}, "后面的东西");
  Place(NAMED(选择框4), g, {6, 66, 112, 20}, "框里内容一起删");
  inner = Group(NAMED(分组框3), g, {118, 54, 156, 42});
  Place(NAMED(单选框1), inner, {4, 11, 74, 20}, "首次出现");
  Place(NAMED(单选框2), inner, {80, 11, 74, 20}, "最后出现");

  g = Group(NAMED(分组框5), page, {8, 415, 280, 86}, "空着默认是删除1次，也可填具体删除次数");
  Place(NAMED(单选框13), g, {8, 22, 80, 20}, "从左到右");
  Place(NAMED(单选框14), g, {96, 22, 80, 20}, "从右到左");
  Place(NAMED(编辑框1), g, {8, 50, 120, 24});
  Place(NAMED(按钮_删掉N次), g, {132, 49, 50, 26}, "删掉");
  Place(NAMED(编辑框10), g, {188, 50, 48, 24});
  Label(NAMED(标签8), g, {240, 52, 20, 20}, "次");
}

void BuildReplacePage(MainWindowUi& ui, QWidget* page) {
  QGroupBox* g = Group(NAMED(分组框7), page, {11, 32, 309, 130}, "替换");
  TransparentLabel(NAMED(透明标签5), g, {8, 18, 96, 16}, "被替换的");
  TransparentLabel(NAMED(透明标签6), g, {138, 18, 96, 16}, "替换后的");
  TransparentLabel(NAMED(透明标签7), g, {242, 18, 60, 16}, "替换次数");
  Place(NAMED(编辑框4), g, {8, 36, 96, 24});
  Label(NAMED(标签9), g, {108, 38, 28, 20}, "换成");
  Place(NAMED(编辑框5), g, {138, 36, 96, 24});
  Place(NAMED(编辑框16), g, {242, 36, 58, 24});
  QGroupBox* inner = Group(NAMED(分组框13), g, {8, 64, 120, 60});
  Place(NAMED(单选框7), inner, {6, 8, 110, 20}, "只改数字后符号");
  Place(NAMED(单选框8), inner, {6, 32, 110, 20}, "不限制");
  inner = Group(NAMED(分组框14), g, {132, 64, 106, 60});
  Place(NAMED(单选框9), inner, {5, 8, 100, 20}, "从最左边开始");
  Place(NAMED(单选框10), inner, {5, 32, 100, 20}, "从最右边开始");
  Place(NAMED(按钮_替换), g, {242, 66, 62, 28}, "全部替换");
  HelpButton(NAMED(按钮7), g, {262, 99, 22, 22}, "替换");

  g = Group(NAMED(分组框16), page, {11, 169, 248, 64}, "繁简体之间的转换");
  Place(NAMED(单选框15), g, {8, 28, 68, 20}, "繁转简");
  Place(NAMED(单选框16), g, {80, 28, 68, 20}, "简转繁");
  Place(NAMED(按钮_繁简), g, {160, 24, 78, 28}, "繁转简");

  g = Group(NAMED(分组框9), page, {11, 242, 141, 54}, "强迫症功能");
  Place(NAMED(按钮_改01), g, {8, 20, 94, 28}, "1替换成01");
  HelpButton(NAMED(按钮4), g, {110, 23, 22, 22}, "1替换成01");

  g = Group(NAMED(分组框4), page, {11, 300, 248, 57}, "批量修改扩展名");
  TransparentLabel(NAMED(透明标签2), g, {8, 26, 42, 18}, "修改成");
  ExtensionBox(NAMED(组合框_修改扩展), g, {52, 21, 96, 27});
  Place(NAMED(按钮_改扩展), g, {156, 21, 84, 28}, "开始修改");

  g = Group(NAMED(分组框10), page, {11, 367, 245, 64});
  Place(NAMED(按钮_十五改15), g, {8, 17, 112, 30}, "第一课改第1课");
  Place(NAMED(按钮_15改十五), g, {126, 17, 112, 30}, "第1课改第一课");
}

void BuildAddPage(MainWindowUi& ui, QWidget* page) {
  QGroupBox* g = Group(NAMED(分组框21), page, {11, 37, 256, 120}, "前面加、后面加");
  QGroupBox* inner = Group(NAMED(分组框12), g, {8, 20, 116, 52});
  Place(NAMED(单选框5), inner, {6, 6, 100, 20}, "首次出现");
  Place(NAMED(单选框6), inner, {6, 27, 100, 20}, "最后出现");
  inner = Group(NAMED(分组框11), g, {132, 20, 116, 52});
  Place(NAMED(单选框3), inner, {6, 6, 100, 20}, "在前面加");
  Place(NAMED(单选框4), inner, {6, 27, 100, 20}, "在后面加");
  Label(NAMED(标签16), g, {8, 84, 14, 20}, "在");
  Place(NAMED(编辑框11), g, {24, 82, 84, 24});
  Place(NAMED(按钮_在某物前后加), g, {112, 81, 60, 26}, "前面加");
  Place(NAMED(编辑框12), g, {176, 82, 72, 24});

  g = Group(NAMED(分组框8), page, {11, 165, 256, 96}, "不影响扩展名");
  Place(NAMED(编辑框6), g, {8, 24, 150, 26});
  Place(NAMED(按钮_最前面加), g, {166, 23, 82, 28}, "最前面加");
  Place(NAMED(编辑框7), g, {8, 60, 150, 26});
  Place(NAMED(按钮_最后面加), g, {166, 59, 82, 28}, "最尾部加");

  g = Group(NAMED(分组框20), page, {11, 266, 256, 56}, "在扩展名后面加");
  Place(NAMED(编辑框18), g, {8, 22, 100, 26});
  Place(NAMED(按钮_扩展名后面加), g, {114, 21, 104, 28}, "扩展名后面加");
  HelpButton(NAMED(按钮6), g, {226, 24, 22, 22}, "扩展名后面加");

  g = Group(NAMED(分组框22), page, {11, 325, 256, 51});
  Place(NAMED(编辑框13), g, {8, 13, 80, 26});
  Place(NAMED(按钮_数字后加符号), g, {94, 12, 126, 28}, "数字编号后面加符号");
  HelpButton(NAMED(按钮5), g, {226, 15, 22, 22}, "数字编号后面加符号");

  g = Group(NAMED(分组框23), page, {11, 384, 261, 80});
  TransparentLabel(NAMED(透明标签10), g, {8, 14, 52, 18}, "起始序号");
  Place(NAMED(编辑框17), g, {62, 10, 50, 26});
  TransparentLabel(NAMED(透明标签11), g, {120, 14, 64, 18}, "序号后符号");
  DropDownList(NAMED(组合框5), g, {186, 10, 66, 26}, {"不加", "、", ".", "-", "，", "："});
  TransparentLabel(NAMED(透明标签12), g, {8, 48, 52, 18}, "每次递增");
  Place(NAMED(编辑框19), g, {62, 44, 50, 26});
  Place(NAMED(按钮_加序号), g, {120, 43, 96, 28}, "开始执行");
  HelpButton(NAMED(按钮3), g, {228, 46, 22, 22}, "加序号");

  Place(NAMED(按钮_模拟B站AV), page, {11, 469, 117, 27}, "加模拟B站AV号");
}

void BuildSpecialPage(MainWindowUi& ui, QWidget* page) {
  QGroupBox* g = Group(NAMED(分组框19), page, {8, 168, 264, 56});
  Place(NAMED(按钮1), g, {8, 14, 76, 28}, "删除序号");
  Place(NAMED(编辑框15), g, {90, 15, 52, 26});
  TransparentLabel(NAMED(透明标签9), g, {146, 19, 70, 18}, "位字符以内");
  HelpButton(NAMED(按钮2), g, {234, 17, 22, 22}, "删除序号");

  g = Group(NAMED(分组框17), page, {8, 33, 264, 128}, "慎用！会直接删除原文件，显示的都删除！");
  QGroupBox* inner = Group(NAMED(分组框18), g, {8, 22, 248, 40});
  Place(NAMED(单选框17), inner, {10, 10, 100, 20}, "直接删除");
  Place(NAMED(单选框18), inner, {116, 10, 124, 20}, "删除到回收站");
  Place(NAMED(按钮_删除文件), g, {8, 74, 248, 40}, "删除右边列表框中显示的所有文件");
}

// The fields a name template knows, for the template box's tooltip.
const char kTemplateFieldsTip[] =
    "{name} 原名  {ext} 扩展名  {parent} 所在文件夹\n"
    "{n} 序号  {n:3} 三位序号  {n:3:10:5} 从10起每次加5\n"
    "{mtime:yyyyMMdd} 修改时间  {date:yyyyMMdd} 拍摄日期\n"
    "{camera} 相机  {width} 宽  {height} 高\n"
    "{artist} 歌手  {album} 专辑  {title} 标题  {track} 音轨  {track:2}  {year} 年份  {genre} 流派\n"
    "{pinyin:name} 原名的拼音  {initials:name} 拼音首字母\n"
    "{{ 和 }} 是大括号本身";

// Renames that the other pages do not offer: regular expressions, letter
// case, photo dates, name templates, pinyin and garbled names. There are more
// groups than the page has room for, so they scroll below the tab bar.
void BuildAdvancedPage(MainWindowUi& ui, QWidget* page) {
  auto* scroll = new QScrollArea(page);
  scroll->setObjectName(T("高级页滚动区"));
  scroll->setGeometry(0, 34, 328, 478);
  scroll->setFrameShape(QFrame::NoFrame);
  // Tab goes through the page's controls, not to the scrolling area itself;
  // the area scrolls to the control that takes the focus.
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* content = new QWidget;
  content->setObjectName(T("高级页内容"));
  content->setFixedSize(312, 657);
  scroll->setWidget(content);
  scroll->viewport()->setAutoFillBackground(false);
  content->setAutoFillBackground(false);
  page = content;

  QGroupBox* g = Group(NAMED(分组框_正则替换), page, {11, 3, 300, 150}, "正则表达式替换");
  Label(NAMED(标签_正则查找), g, {8, 24, 40, 20}, "查找");
  Place(NAMED(编辑框_正则查找), g, {54, 22, 236, 24});
  Label(NAMED(标签_正则替换为), g, {8, 54, 44, 20}, "替换为");
  Place(NAMED(编辑框_正则替换为), g, {54, 52, 236, 24})
      ->setToolTip(T("$1…$9 或 \\1…\\9：第几个括号里找到的内容；$$ 是 $，\\\\ 是 \\"));
  Place(NAMED(选择框_正则区分大小写), g, {8, 84, 92, 20}, "区分大小写");
  Place(NAMED(选择框_正则全部替换), g, {102, 84, 84, 20}, "全部替换")->setChecked(true);
  Place(NAMED(选择框_正则含扩展名), g, {188, 84, 104, 20}, "包括扩展名");
  Place(NAMED(按钮_正则替换), g, {8, 112, 100, 28}, "正则替换");

  g = Group(NAMED(分组框_大小写), page, {11, 161, 300, 100}, "改大小写");
  DropDownList(NAMED(组合框_大小写方式), g, {8, 24, 160, 26}, {"全部小写", "全部大写", "每个单词首字母大写"});
  DropDownList(NAMED(组合框_大小写范围), g, {176, 24, 116, 26}, {"只改扩展名", "只改主名", "主名和扩展名"});
  Place(NAMED(按钮_改大小写), g, {8, 60, 100, 28}, "改大小写");

  g = Group(NAMED(分组框_拍摄日期), page, {11, 269, 300, 112}, "按拍摄日期命名");
  Label(NAMED(标签_日期格式), g, {8, 26, 56, 20}, "日期格式");
  Place(NAMED(编辑框_日期格式), g, {66, 24, 170, 24})->setText(T("yyyyMMdd_HHmmss"));
  Place(NAMED(选择框_无日期用修改时间), g, {8, 54, 220, 20}, "无拍摄日期时用修改时间");
  Place(NAMED(按钮_按拍摄日期命名), g, {8, 78, 130, 28}, "按拍摄日期命名");

  g = Group(NAMED(分组框_按模板命名), page, {11, 389, 300, 90}, "按模板命名");
  Place(NAMED(编辑框_命名模板), g, {8, 22, 282, 24})->setText(T("{n:2} {name}"));
  ui.编辑框_命名模板->setToolTip(T(kTemplateFieldsTip));
  ui.编辑框_命名模板->setPlaceholderText(T("{artist} - {title}"));
  Place(NAMED(按钮_按模板命名), g, {8, 54, 100, 28}, "按模板命名");

  g = Group(NAMED(分组框_汉字转拼音), page, {11, 487, 300, 92}, "汉字转拼音");
  DropDownList(NAMED(组合框_拼音方式), g, {8, 22, 116, 26}, {"全拼", "全拼带声调", "首字母"});
  Label(NAMED(标签_拼音分隔), g, {134, 26, 32, 20}, "分隔");
  DropDownList(NAMED(组合框_拼音分隔), g, {168, 22, 72, 26}, {"无", "空格", "-", "_"});
  Place(NAMED(选择框_拼音首字母大写), g, {8, 58, 120, 20}, "首字母大写");
  Place(NAMED(按钮_转拼音), g, {190, 54, 100, 28}, "转拼音");

  g = Group(NAMED(分组框_修复乱码), page, {11, 587, 300, 62}, "修复乱码文件名");
  DropDownList(NAMED(组合框_乱码原编码), g, {8, 24, 140, 26}, {"GBK/GB18030", "Big5", "Shift_JIS", "EUC-KR"});
  Place(NAMED(按钮_修复乱码), g, {156, 22, 130, 28}, "修复乱码文件名");
}

void BuildTabs(MainWindowUi& ui, QWidget* w) {
  QTabWidget* tabs = Place(NAMED(高级选择夹1), w, {8, 72, 328, 512});
  tabs->setStyle(TabPagesStyle());
  tabs->tabBar()->setFont(TabTitleFont());

  struct TabPage {
    QWidget*& slot;
    const char* name;
    const char* title;
    void (*build)(MainWindowUi&, QWidget*);
  };
  const TabPage pages[] = {
      {NAMED(选择夹页_删除), " 删 除 ", &BuildDeletePage},
      {NAMED(选择夹页_替换), " 替 换 ", &BuildReplacePage},
      {NAMED(选择夹页_添加), " 添 加 ", &BuildAddPage},
      {NAMED(选择夹页_特殊功能), "特殊功能", &BuildSpecialPage},
      {NAMED(选择夹页_高级), "高级", &BuildAdvancedPage},
  };
  for (const TabPage& page : pages) {
    page.slot = new QWidget;
    page.slot->setObjectName(T(page.name));
    tabs->addTab(page.slot, T(page.title));
    page.build(ui, page.slot);
  }
  tabs->setCurrentIndex(0);
}

void BuildMenus(MainWindowUi& ui, QMainWindow* window) {
  Menu(ui.右键功能1, "右键功能1", window);
  MenuItem(ui.上移, ui.右键功能1, "上移");
  MenuItem(ui.下移, ui.右键功能1, "下移");
  MenuItem(ui.删除已选中文件名, ui.右键功能1, "删除已选中文件名");
  MenuItem(ui.手动修改这个, ui.右键功能1, "手动修改这个");

  Menu(ui.多种重新排序, "多种重新排序", window);
  MenuItem(ui.按数字大小排序, ui.多种重新排序, "按数字大小排序");
  MenuItem(ui.按文件创建时间排序, ui.多种重新排序, "按文件创建时间排序");
  MenuItem(ui.按文件最后修改时间排序, ui.多种重新排序, "按文件最后修改时间排序");

  Menu(ui.打赏作者, "打赏作者", window);
  MenuItem(ui.打赏菜单, ui.打赏作者, "打赏菜单");
  MenuItem(ui.加入用户QQ群, ui.打赏作者, "加入用户QQ群");
  MenuItem(ui.使用教程, ui.打赏作者, "使用教程");
  window->menuBar()->addMenu(ui.打赏作者);

  // Pop-up menus are windows of their own and do not inherit the window font.
  for (QMenu* menu : {ui.右键功能1, ui.多种重新排序, ui.打赏作者}) menu->setFont(WindowFont());
}

#undef NAMED

// Names for screen readers: each input box is called by its own label (with
// its group where the label alone says little); the list has one too.
void NameInputsForAccessibility(MainWindowUi& ui) {
  const std::pair<QWidget*, const char*> names[] = {
      {ui.组合框2, "处理方式"}, {ui.组合框_仅检索, "仅检索扩展名"}, {ui.组合框_跳过扩展, "跳过扩展名"},
      {ui.编辑框14, "将在这里创建"}, {ui.组合框_创建扩展, "创建的扩展名"}, {ui.超级列表框1, "文件列表"},
      {ui.编辑框_筛选, "筛选"},
      {ui.组合框1, "半角全角"}, {ui.编辑框2, "删除中间的内容：从"}, {ui.编辑框3, "删除中间的内容：到"},
      {ui.编辑框8, "删掉这个前面的东西"}, {ui.编辑框9, "删掉这个后面的东西"}, {ui.编辑框1, "要删掉的文字"},
      {ui.编辑框10, "删除次数"}, {ui.编辑框4, "被替换的"}, {ui.编辑框5, "替换后的"}, {ui.编辑框16, "替换次数"},
      {ui.组合框_修改扩展, "修改成"}, {ui.编辑框11, "在这个文字的前面或后面加"}, {ui.编辑框12, "要加的文字"},
      {ui.编辑框6, "最前面加的文字"}, {ui.编辑框7, "最尾部加的文字"}, {ui.编辑框18, "扩展名后面加的文字"},
      {ui.编辑框13, "数字编号后面加的符号"}, {ui.编辑框17, "起始序号"}, {ui.编辑框19, "每次递增"},
      {ui.组合框5, "序号后符号"}, {ui.编辑框15, "删除序号：位字符以内"}, {ui.编辑框_正则查找, "正则查找"},
      {ui.编辑框_正则替换为, "正则替换为"}, {ui.组合框_大小写方式, "大小写方式"},
      {ui.组合框_大小写范围, "大小写范围"}, {ui.编辑框_日期格式, "日期格式"},
      {ui.组合框_乱码原编码, "乱码原编码"}, {ui.编辑框_命名模板, "命名模板"}, {ui.组合框_拼音方式, "拼音方式"},
      {ui.组合框_拼音分隔, "拼音分隔"}, {ui.组合框_步骤方案, "步骤方案"}, {ui.列表_预览步骤, "预览步骤"},
  };
  for (const auto& [widget, name] : names) widget->setAccessibleName(T(name));
}

}  // namespace

void SetupMainWindowUi(MainWindowUi& ui, QMainWindow* window) {
  window->setObjectName(T("启动窗口"));
  window->setWindowTitle(T("Vantor重命名*16.4"));
  window->setFont(WindowFont());

  ui.中心区 = new QWidget(window);
  ui.中心区->setObjectName(T("中心区"));
  window->setCentralWidget(ui.中心区);

  BuildTopBar(ui, ui.中心区);
  BuildTabs(ui, ui.中心区);
  BuildListArea(ui, ui.中心区);
  BuildMenus(ui, window);
  NameInputsForAccessibility(ui);

  ui.时钟1 = new QTimer(window);
  ui.时钟1->setObjectName(T("时钟1"));

  window->setGeometry(50, 50, 769, 680);
}

}  // namespace vantor
