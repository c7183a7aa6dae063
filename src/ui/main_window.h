// The main window: builds the controls, keeps the entry list, and wires each
// control to one short handler that reads the controls and calls the core.
#pragma once

#include <QMainWindow>
#include <optional>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "ui/drop_receiver.h"
#include "ui/main_window_ui.h"
#include "ui/message_box_prompter.h"

class QComboBox;
class QLineEdit;

namespace vantor {

class EntryTableModel;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow();
  ~MainWindow() override;

  const MainWindowUi& Ui() const { return ui_; }
  EntryList& Entries() { return list_; }

  // Takes one dropped path (native form), as the drop receiver does.
  void AcceptDroppedPath(const QString& localPath);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectControls();
  void RunCreationSteps();
  void SetStayOnTop(bool onTop);

  // What the controls say now.
  IntakeSettings ReadIntakeSettings() const;
  // GBK of a user-typed text; tells the user and gives nullopt when a
  // character has no GBK form.
  std::optional<ByteText> ReadGbkText(const QString& text);
  void ShowEntryDirectory();
  void TellUnconvertible(int count);
  int SelectedRow() const;

  // Intake and filters.
  void AfterDrop();
  void ReadFolderByHand();
  void ReloadForFilter();
  void ReloadOnEnter(QComboBox* box);
  void FillExtensionBox(QComboBox* box);
  void FollowTypedExtension(QComboBox* box, const QString& typed);
  QString LeadingItemOf(const QComboBox* box) const;

  // List.
  void ShowListMenu(const QPoint& position);
  void CopyCell(const QModelIndex& index);

  // Preview and renaming.
  void TogglePreview();
  void AddSymbolAfterNumber();

  void ClearInputBoxes();

  MainWindowUi ui_;
  EntryList list_;
  EntryTableModel* model_ = nullptr;
  MessageBoxPrompter prompter_{this};
  DropReceiver dropReceiver_;
  bool created_ = false;
  int unconvertibleInDrop_ = 0;
};

}  // namespace vantor
