// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTimer;
class QWidget;

namespace vantor {

// Every control of the main window, named as in the window's layout. Each
// widget's objectName is its member name; each menu and menu action carries
// its caption as objectName. All objects are owned by the window.
// Geometry is relative to the parent: the central widget, a tab page (whose
// origin is the tab control's top-left corner, tab bar included) or a group.
struct MainWindowUi {
  QWidget* 中心区 = nullptr;

  // Top bar.
  QCheckBox* 选择框_窗口置顶 = nullptr;
  QPushButton* 按钮_手动读取 = nullptr;
  QLabel* 标签2 = nullptr;  // the entry directory
  QComboBox* 组合框2 = nullptr;  // processing mode
  QCheckBox* 选择框_显示隐藏文件 = nullptr;  // folder listings include names beginning with "."
  QLabel* 透明标签3 = nullptr;
  QComboBox* 组合框_仅检索 = nullptr;
  QLabel* 透明标签4 = nullptr;
  QComboBox* 组合框_跳过扩展 = nullptr;
  QPushButton* 按钮_打开预览 = nullptr;
  QPushButton* 按钮_历史记录 = nullptr;  // opens 改名历史
  QPushButton* 超级按钮1 = nullptr;
  QLabel* 透明标签8 = nullptr;
  QLineEdit* 编辑框14 = nullptr;
  QLabel* 透明标签1 = nullptr;  // status mark beside 编辑框14
  QComboBox* 组合框_创建扩展 = nullptr;
  QPushButton* 按钮14 = nullptr;

  // List area and the buttons around it.
  QPushButton* 按钮_顺序颠倒 = nullptr;
  QPushButton* 按钮_多种重新排序 = nullptr;
  QPushButton* 按钮_用我的txt修改 = nullptr;
  QPushButton* 按钮_直接粘贴txt = nullptr;  // hidden outside preview
  QTableView* 超级列表框1 = nullptr;  // no model until the window sets one
  QLineEdit* 编辑框_筛选 = nullptr;     // hides the rows whose names do not match
  QCheckBox* 选择框_只改选中 = nullptr;  // runs take only the selected rows
  QProgressBar* 进度条1 = nullptr;  // hidden
  QPushButton* 按钮_确认无误执行吧 = nullptr;  // hidden outside preview
  QPushButton* 按钮_撤回上一步 = nullptr;  // hidden outside preview
  QPushButton* 按钮_清空输入框 = nullptr;
  QPushButton* 按钮_清空列表框 = nullptr;
  QPushButton* 按钮_保存到txt = nullptr;
  QLabel* 标签_状态行 = nullptr;  // counts of the list and the last run's outcome

  // The steps of the preview and their presets; shown only while preview is on.
  QListWidget* 列表_预览步骤 = nullptr;  // "1 加序号", "2 正则替换", ...
  QPushButton* 按钮_清除预览步骤 = nullptr;
  QComboBox* 组合框_步骤方案 = nullptr;  // the saved presets
  QPushButton* 按钮_应用步骤 = nullptr;
  QPushButton* 按钮_保存步骤 = nullptr;
  QAction* 删除这一步 = nullptr;  // context menu of 列表_预览步骤
  QTimer* 时钟1 = nullptr;  // created stopped

  QTabWidget* 高级选择夹1 = nullptr;
  QWidget* 选择夹页_删除 = nullptr;
  QWidget* 选择夹页_替换 = nullptr;
  QWidget* 选择夹页_添加 = nullptr;
  QWidget* 选择夹页_特殊功能 = nullptr;

  // Page " 删 除 ".
  QGroupBox* 分组框6 = nullptr;  // 删除中间的内容
  QLabel* 标签5 = nullptr;
  QComboBox* 组合框1 = nullptr;
  QCheckBox* 选择框6 = nullptr;
  QLabel* 标签3 = nullptr;
  QLineEdit* 编辑框2 = nullptr;
  QLabel* 标签4 = nullptr;
  QLineEdit* 编辑框3 = nullptr;
  QCheckBox* 选择框_1头 = nullptr;
  QCheckBox* 选择框_1尾 = nullptr;
  QCheckBox* 选择框_2头 = nullptr;
  QCheckBox* 选择框_2尾 = nullptr;
  QPushButton* 按钮_一键删除 = nullptr;
  QLabel* 标签13 = nullptr;
  QPushButton* 按钮8 = nullptr;

  QGroupBox* 分组框1 = nullptr;  // 删除左边全部
  QLabel* 标签14 = nullptr;
  QLineEdit* 编辑框8 = nullptr;
  QPushButton* 按钮_删前面 = nullptr;
  QCheckBox* 选择框3 = nullptr;
  QGroupBox* 分组框15 = nullptr;
  QRadioButton* 单选框11 = nullptr;
  QRadioButton* 单选框12 = nullptr;

  QGroupBox* 分组框2 = nullptr;  // 删除右边全部
  QLabel* 标签15 = nullptr;
  QLineEdit* 编辑框9 = nullptr;
  QPushButton* 按钮_删后面 = nullptr;
  QCheckBox* 选择框4 = nullptr;
  QGroupBox* 分组框3 = nullptr;
  QRadioButton* 单选框1 = nullptr;
  QRadioButton* 单选框2 = nullptr;

  QGroupBox* 分组框5 = nullptr;  // delete a text N times
  QRadioButton* 单选框13 = nullptr;
  QRadioButton* 单选框14 = nullptr;
  QLineEdit* 编辑框1 = nullptr;
  QPushButton* 按钮_删掉N次 = nullptr;
  QLineEdit* 编辑框10 = nullptr;
  QLabel* 标签8 = nullptr;

  // Page " 替 换 ".
  QGroupBox* 分组框7 = nullptr;  // 替换
  QLabel* 透明标签5 = nullptr;
  QLineEdit* 编辑框4 = nullptr;
  QLabel* 标签9 = nullptr;
  QLabel* 透明标签6 = nullptr;
  QLineEdit* 编辑框5 = nullptr;
  QLabel* 透明标签7 = nullptr;
  QLineEdit* 编辑框16 = nullptr;
  QGroupBox* 分组框13 = nullptr;
  QRadioButton* 单选框7 = nullptr;
  QRadioButton* 单选框8 = nullptr;
  QGroupBox* 分组框14 = nullptr;
  QRadioButton* 单选框9 = nullptr;
  QRadioButton* 单选框10 = nullptr;
  QPushButton* 按钮_替换 = nullptr;
  QPushButton* 按钮7 = nullptr;

  QGroupBox* 分组框16 = nullptr;  // 繁简体之间的转换
  QRadioButton* 单选框15 = nullptr;
  QRadioButton* 单选框16 = nullptr;
  QPushButton* 按钮_繁简 = nullptr;

  QGroupBox* 分组框9 = nullptr;  // 强迫症功能
  QPushButton* 按钮_改01 = nullptr;
  QPushButton* 按钮4 = nullptr;

  QGroupBox* 分组框4 = nullptr;  // 批量修改扩展名
  QLabel* 透明标签2 = nullptr;
  QComboBox* 组合框_修改扩展 = nullptr;
  QPushButton* 按钮_改扩展 = nullptr;

  QGroupBox* 分组框10 = nullptr;  // Chinese numerals <-> digits
  QPushButton* 按钮_十五改15 = nullptr;
  QPushButton* 按钮_15改十五 = nullptr;

  // Page " 添 加 ".
  QGroupBox* 分组框21 = nullptr;  // 前面加、后面加
  QGroupBox* 分组框12 = nullptr;
  QRadioButton* 单选框5 = nullptr;
  QRadioButton* 单选框6 = nullptr;
  QGroupBox* 分组框11 = nullptr;
  QRadioButton* 单选框3 = nullptr;
  QRadioButton* 单选框4 = nullptr;
  QLabel* 标签16 = nullptr;
  QLineEdit* 编辑框11 = nullptr;
  QPushButton* 按钮_在某物前后加 = nullptr;
  QLineEdit* 编辑框12 = nullptr;

  QGroupBox* 分组框8 = nullptr;  // 不影响扩展名
  QLineEdit* 编辑框6 = nullptr;
  QPushButton* 按钮_最前面加 = nullptr;
  QLineEdit* 编辑框7 = nullptr;
  QPushButton* 按钮_最后面加 = nullptr;

  QGroupBox* 分组框20 = nullptr;  // 在扩展名后面加
  QLineEdit* 编辑框18 = nullptr;
  QPushButton* 按钮_扩展名后面加 = nullptr;
  QPushButton* 按钮6 = nullptr;

  QGroupBox* 分组框22 = nullptr;  // separator after the number
  QLineEdit* 编辑框13 = nullptr;
  QPushButton* 按钮_数字后加符号 = nullptr;
  QPushButton* 按钮5 = nullptr;

  QGroupBox* 分组框23 = nullptr;  // sequence numbers
  QLabel* 透明标签10 = nullptr;
  QLineEdit* 编辑框17 = nullptr;
  QLabel* 透明标签12 = nullptr;
  QLineEdit* 编辑框19 = nullptr;
  QLabel* 透明标签11 = nullptr;
  QComboBox* 组合框5 = nullptr;
  QPushButton* 按钮_加序号 = nullptr;
  QPushButton* 按钮3 = nullptr;

  QPushButton* 按钮_模拟B站AV = nullptr;

  // Page "特殊功能".
  QGroupBox* 分组框17 = nullptr;  // delete the listed files
  QGroupBox* 分组框18 = nullptr;
  QRadioButton* 单选框17 = nullptr;
  QRadioButton* 单选框18 = nullptr;
  QPushButton* 按钮_删除文件 = nullptr;

  QGroupBox* 分组框19 = nullptr;  // delete the sequence number
  QPushButton* 按钮1 = nullptr;
  QLineEdit* 编辑框15 = nullptr;
  QLabel* 透明标签9 = nullptr;
  QPushButton* 按钮2 = nullptr;

  // Page "高级", after "特殊功能".
  QWidget* 选择夹页_高级 = nullptr;
  QGroupBox* 分组框_正则替换 = nullptr;
  QLabel* 标签_正则查找 = nullptr;
  QLineEdit* 编辑框_正则查找 = nullptr;
  QLabel* 标签_正则替换为 = nullptr;
  QLineEdit* 编辑框_正则替换为 = nullptr;
  QCheckBox* 选择框_正则区分大小写 = nullptr;
  QCheckBox* 选择框_正则全部替换 = nullptr;  // checked
  QCheckBox* 选择框_正则含扩展名 = nullptr;
  QPushButton* 按钮_正则替换 = nullptr;
  QGroupBox* 分组框_大小写 = nullptr;
  QComboBox* 组合框_大小写方式 = nullptr;  // 全部小写, 全部大写, 每个单词首字母大写
  QComboBox* 组合框_大小写范围 = nullptr;  // 只改扩展名, 只改主名, 主名和扩展名
  QPushButton* 按钮_改大小写 = nullptr;
  QGroupBox* 分组框_拍摄日期 = nullptr;
  QLabel* 标签_日期格式 = nullptr;
  QLineEdit* 编辑框_日期格式 = nullptr;  // "yyyyMMdd_HHmmss"
  QCheckBox* 选择框_无日期用修改时间 = nullptr;
  QPushButton* 按钮_按拍摄日期命名 = nullptr;
  QGroupBox* 分组框_按模板命名 = nullptr;
  QLineEdit* 编辑框_命名模板 = nullptr;  // "{n:2} {name}"
  QPushButton* 按钮_按模板命名 = nullptr;
  QGroupBox* 分组框_汉字转拼音 = nullptr;
  QComboBox* 组合框_拼音方式 = nullptr;  // 全拼, 全拼带声调, 首字母
  QLabel* 标签_拼音分隔 = nullptr;
  QComboBox* 组合框_拼音分隔 = nullptr;  // 无, 空格, -, _
  QCheckBox* 选择框_拼音首字母大写 = nullptr;
  QPushButton* 按钮_转拼音 = nullptr;
  QGroupBox* 分组框_修复乱码 = nullptr;
  QComboBox* 组合框_乱码原编码 = nullptr;  // GBK/GB18030, Big5, Shift_JIS, EUC-KR
  QPushButton* 按钮_修复乱码 = nullptr;
  // Context menu of the list; not in the menu bar.
  QMenu* 右键功能1 = nullptr;
  QAction* 上移 = nullptr;
  QAction* 下移 = nullptr;
  QAction* 删除已选中文件名 = nullptr;
  QAction* 手动修改这个 = nullptr;

  // Shown from 按钮_多种重新排序; not in the menu bar.
  QMenu* 多种重新排序 = nullptr;
  QAction* 按数字大小排序 = nullptr;
  QAction* 按文件创建时间排序 = nullptr;
  QAction* 按文件最后修改时间排序 = nullptr;

  // The menu bar's only menu.
  QMenu* 打赏作者 = nullptr;
  QAction* 打赏菜单 = nullptr;
  QAction* 加入用户QQ群 = nullptr;
  QAction* 使用教程 = nullptr;

  // The help buttons 按钮2 … 按钮8, in that order; each opens the
  // explanation window with HelpTextOf(its objectName).
  std::array<QPushButton*, 7> HelpButtons() const {
    return {按钮2, 按钮3, 按钮4, 按钮5, 按钮6, 按钮7, 按钮8};
  }
};

// Builds the main window's controls, menus and timer into `window` and points
// the members of `ui` at them. Call once, on a window without a central
// widget. Controls get their design captions, items and states only (of the
// check boxes, just 选择框_1头 and 选择框_2头 start checked; no radio button
// is checked); the start-up selections and all connections belong to the caller.
void SetupMainWindowUi(MainWindowUi& ui, QMainWindow* window);

}  // namespace vantor
