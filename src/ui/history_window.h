// SPDX-License-Identifier: GPL-3.0-or-later
// "改名历史": the batches of the rename history, newest first, from this run
// and earlier ones. The user takes back any of them (taking back an undo
// redoes its batch) or clears the history.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "entries/entry_list.h"
#include "pipeline/run_context.h"
#include "ui/message_box_prompter.h"

class QPushButton;
class QTableWidget;

namespace vantor {

class HistoryWindow : public QWidget {
  Q_OBJECT

 public:
  // mainList is the main window's list: rows that show a name an undo
  // changes back follow it. renamedOnDisk hears each undo's outcome.
  HistoryWindow(QWidget* mainWindow, EntryList& mainList, RenamedOnDisk renamedOnDisk, DiskPhaseRunner runDiskPhase);

  // Reads the history again (headers only) into the table; also each time the
  // window becomes active, so batches made meanwhile show.
  void Refresh();

  // Columns: time, folder, what made it, count, first rename, "已撤回" or empty.
  QTableWidget* 表格_历史 = nullptr;
  QPushButton* 按钮_撤销这一批 = nullptr;
  QPushButton* 按钮_清空历史 = nullptr;

 protected:
  bool event(QEvent* event) override;

 private:
  void UndoSelected();
  void ClearHistory();

  EntryList& mainList_;
  RenamedOnDisk renamedOnDisk_;
  DiskPhaseRunner runDiskPhase_;
  MessageBoxPrompter prompter_{this};
  std::vector<std::string> ids_;  // per table row
};

// Opens the window over the main window, or raises the one already open, and
// shows the history as it is now. The window deletes itself when closed.
HistoryWindow* OpenHistoryWindow(QWidget* mainWindow, EntryList& mainList, const RenamedOnDisk& renamedOnDisk,
                                 const DiskPhaseRunner& runDiskPhase);

}  // namespace vantor
