// SPDX-License-Identifier: GPL-3.0-or-later
// "按设定的文件名一对一对应修改": renames the listed entries one-to-one from a
// list of new names, dropped as a name file or pasted. While it is open the
// main window is disabled; closing it writes the names back into the rows of
// the main list they came from and enables the main window again.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "listops/rename_by_list.h"
#include "ui/drop_receiver.h"
#include "ui/message_box_prompter.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QLabel;
class QMenu;
class QKeyEvent;
class QPushButton;
class QTableView;

namespace vantor {

class EntryTableModel;
class PasteWindow;

class MappingWindow : public QWidget {
  Q_OBJECT

 public:
  // mainWindow is the parent; mainList, the list the mapping came from, must
  // outlive every close of this window. renamedOnDisk, when given, is told
  // the result of each run and of each hand edit that renamed on disk.
  MappingWindow(QWidget* mainWindow, EntryList& mainList, NameMapping mapping, RenamedOnDisk renamedOnDisk = {});
  ~MappingWindow() override;

  const NameMapping& Mapping() const { return mapping_; }

  // Loads a name file (native path) into the new names, or tells that it
  // cannot, changing nothing. The drop receiver calls it for each dropped path.
  void LoadDroppedNameFile(const QString& localPath);

  QTableView* 超级列表框1 = nullptr;
  QLabel* 透明标签1 = nullptr;
  QPushButton* 按钮_打开名单txt = nullptr;  // 打开txt: a name file through a file dialog
  QPushButton* 按钮_手动粘贴 = nullptr;   // 直接粘贴进来
  QPushButton* 按钮_手动粘贴1 = nullptr;  // 清空以上列表
  QPushButton* 按钮_顺序颠倒2 = nullptr;
  QPushButton* 按钮_重新排序2 = nullptr;
  QCheckBox* 选择框_连后缀一起改 = nullptr;
  QPushButton* 按钮_执行改名 = nullptr;   // 确认无误，执行吧
  QPushButton* 按钮_关闭窗口2 = nullptr;  // 关闭此窗口

  // Context menu of the list.
  QMenu* 右键功能2 = nullptr;
  QAction* 上移 = nullptr;
  QAction* 下移 = nullptr;
  QAction* 删除 = nullptr;
  QAction* 手动修改这个 = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void ConnectControls();
  int SelectedRow() const;
  // The row a context-menu command works on: the right-clicked one, else the
  // selected one; -1 for none.
  int ClickedRow() const;
  void ShowListMenu(const QPoint& position);
  void OpenPasteWindow();
  void OpenNameFile();
  bool TakePastedText(const QString& text);

  EntryList& mainList_;
  QPointer<QWidget> mainWindow_;
  NameMapping mapping_;
  RenamedOnDisk renamedOnDisk_;
  // Observes mapping_.rows, so it is declared after it and goes first.
  std::unique_ptr<EntryTableModel> model_;
  MessageBoxPrompter prompter_{this};
  DropReceiver dropReceiver_;
  bool closed_ = false;
};

// "导入txt对应修改": with an empty main list tells "先拖入文件！" through
// mainPrompter and returns nullptr; otherwise opens the mapping window over
// mainWindow, non-modal, and disables mainWindow until it closes. The window
// deletes itself when closed.
MappingWindow* OpenMappingWindow(QWidget* mainWindow, EntryList& mainList, Prompter& mainPrompter,
                                 const RenamedOnDisk& renamedOnDisk = {});

}  // namespace vantor
