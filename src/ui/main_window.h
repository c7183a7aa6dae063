// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: builds the controls, keeps the entry list, and wires each
// control to one short handler that reads the controls and calls the core.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "ui/drop_receiver.h"
#include "pipeline/row_subset.h"
#include "ui/list_status_line.h"
#include "ui/main_window_online.h"
#include "ui/main_window_ui.h"
#include "ui/message_box_prompter.h"
#include "ui/operation_bindings.h"
#include "ui/preview_steps_panel.h"
#include "ui/progress_bar_display.h"
#include "ui/window_anchors.h"

class QComboBox;
class QLineEdit;

namespace vantor {

class EntryTableModel;
class ExtensionBoxes;

class MainWindow : public QMainWindow, private OperationRunner {
  Q_OBJECT

 public:
  MainWindow();
  ~MainWindow() override;

  const MainWindowUi& Ui() const { return ui_; }
  PreviewStepsPanel& StepsPanel() { return *stepsPanel_; }
  const std::vector<OperationBinding>& Bindings() const { return bindings_; }
  EntryList& Entries() { return list_; }
  MainWindowOnline& Online() { return *online_; }

  // Takes one dropped path (native form), as the drop receiver does.
  void AcceptDroppedPath(const QString& localPath);
  // Takes several paths as one drop carrying them, in order.
  void AcceptDroppedPaths(const QStringList& localPaths);
  // The paths of the command line: one folder alone opens that folder, as the
  // folder chooser would ("open with" from a file manager); anything else is
  // taken as one drop.
  void OpenCommandLinePaths(const QStringList& localPaths);

  // Replaces the runner of the long phases (loads, previews, disk runs); an
  // empty one runs them inline, with no progress dialog. For benchmarks.
  void SetDiskPhaseRunner(DiskPhaseRunner runner) { runDiskPhase_ = std::move(runner); }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectControls();
  // Ctrl+Z, Ctrl+Return, Ctrl+O, Ctrl+P, F5; F2 and Delete on the list.
  void ConnectShortcuts();
  void RunCreationSteps();
  void SetStayOnTop(bool onTop);
  // Places the anchored controls and the list's columns for the window's size.
  void FitToSize();
  void ShowRenamedOnDisk(int renamed, int failed);

  // What the controls say now.
  IntakeSettings ReadIntakeSettings() const;
  RunContext MakeRunContext();
  void RunOperation(const OperationBinding& binding) override;
  void OperationInputsEdited(const OperationBinding& binding) override;
  void ListTouched();
  void ShowEntryDirectory();
  void TellUnconvertible(const LeftOutNames& leftOut);
  int SelectedRow() const;
  std::vector<int> SelectedRows() const;
  // The rows runs take now (编辑框_筛选, 选择框_只改选中), made afresh for each run.
  const RowSubset* ChosenRows();
  // Compiles the filter box's text and hides the rows it does not show.
  void FilterEdited();
  // Hides the rows the current filter does not show (after a load or a rename).
  void HideFilteredRows();
  void ShowSubsetInStatusLine();

  // Intake and filters.
  void AfterDrop();
  void ReadFolderByHand();
  // Lists a chosen folder (nullopt: nothing chosen) as the folder chooser does.
  void OpenChosenFolder(const std::optional<QString>& folder);
  void ReloadForFilter();
  // Reads the listed folder again (F5, 选择框_显示隐藏文件); nothing in the
  // dropped-items mode or without a folder.
  void ReloadListedFolder();
  void ReloadOnEnter(QComboBox* box);

  // List.
  void ShowListMenu(const QPoint& position);
  void CopyCell(const QModelIndex& index);

  // Preview and renaming.
  void TogglePreview();

  void ClearInputBoxes();

  MainWindowUi ui_;
  EntryList list_;
  // Observes list_, so it is declared after it and goes first.
  std::unique_ptr<EntryTableModel> model_;
  std::unique_ptr<ProgressBarDisplay> progressBar_;
  DiskPhaseRunner runDiskPhase_;  // long disk phases on a worker, under a progress dialog
  // Follows model_ and list_, so it is declared after them.
  std::unique_ptr<ListStatusLine> statusLine_;
  WindowAnchors anchors_;
  ExtensionBoxes* extensionBoxes_ = nullptr;
  MessageBoxPrompter prompter_{this};
  std::vector<OperationBinding> bindings_;  // filled once; the connections point into it
  std::unique_ptr<PreviewStepsPanel> stepsPanel_;
  DropReceiver dropReceiver_;
  bool created_ = false;
  bool dropRefused_ = false;  // a path of the drop under way came from another folder
  LeftOutNames unconvertibleInDrop_;
  NameFilter filter_;    // 编辑框_筛选, compiled
  RowSubset chosenRows_;  // what ChosenRows() last made
  std::vector<char> hiddenRows_;  // per row as last hidden in the view
  bool anyRowHidden_ = false;     // the view may hide rows
  // Observes the controls of ui_; declared last, so it goes first.
  std::unique_ptr<MainWindowOnline> online_;
};

}  // namespace vantor
