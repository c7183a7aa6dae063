// SPDX-License-Identifier: GPL-3.0-or-later
// The rename history as the user meets it: "撤回上一步" takes back whatever
// batch came last, also one of an earlier program run, and "历史记录" lists
// every batch and takes back or redoes any of them.
#include <QCheckBox>
#include <QProcess>
#include <QTableWidget>

#include "pipeline/batch_history.h"
#include "pipeline/rename_journal.h"
#include "ui/history_window.h"
#include "ui/mapping_window.h"
#include "ui/single_rename_window.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class HistoryWindowTest : public WindowTest {
 protected:
  HistoryWindowTest() { SetJournalFolderForTesting(state_.Path() + "vantor-rename"); }
  ~HistoryWindowTest() override { SetJournalFolderForTesting({}); }

  std::vector<BoxRecord> Undo() { return Click(Ui().按钮_撤回上一步); }

  HistoryWindow* OpenHistory() {
    EXPECT_TRUE(Click(Ui().按钮_历史记录).empty());
    return window_.findChild<HistoryWindow*>();
  }

  // The table as shown: per row "what|count|first rename|mark".
  static QStringList Rows(HistoryWindow* history) {
    QStringList rows;
    QTableWidget* table = history->表格_历史;
    for (int row = 0; row < table->rowCount(); ++row) {
      QStringList cells;
      for (int column : {2, 3, 4, 5}) cells << table->item(row, column)->text();
      rows << cells.join(U("|"));
    }
    return rows;
  }

  static std::vector<BoxRecord> UndoRow(HistoryWindow* history, int row) {
    history->表格_历史->selectRow(row);
    return Click(history->按钮_撤销这一批);
  }

  vantor::testing::TempDir state_;
};

// A direct run, a hand edit and a rename by list, then the undo button three
// times: each press takes back the newest batch, whatever made it.
TEST_F(HistoryWindowTest, UndoTakesBackADirectRunAHandEditAndARenameByListInTurn) {
  LoadFiles({"01a.txt", "02b.txt"});
  AddAfterNumber(U("-"), {Ok(), Ok()});
  ASSERT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt"}));

  TogglePreview();
  window_.Entries().LastRightClickRow = 0;
  window_.Entries().LastRightClickColumn = 0;
  EXPECT_TRUE(Trigger(Ui().手动修改这个).empty());
  auto* edit = window_.findChild<SingleRenameWindow*>();
  ASSERT_NE(edit, nullptr);
  edit->编辑框1->setText(U("手.txt"));
  edit->选择框1->setChecked(false);
  EXPECT_TRUE(Click(edit->按钮1).empty());
  ASSERT_EQ(OnDisk(), Strings({"02-b.txt", "手.txt"}));

  EXPECT_TRUE(Click(Ui().按钮_用我的txt修改).empty());
  auto* mapping = window_.findChild<MappingWindow*>();
  ASSERT_NE(mapping, nullptr);
  state_.MakeFile("names.txt", "名单一\r\n名单二\r\n");
  EXPECT_TRUE(AnswerBoxes([&] { EXPECT_TRUE(DropPaths(mapping, {U(state_.Path() + "names.txt")})); }).empty());
  Click(mapping->按钮_执行改名, {Ok()});
  EXPECT_TRUE(Click(mapping->按钮_关闭窗口2).empty());
  ASSERT_EQ(OnDisk(), Strings({"名单一.txt", "名单二.txt"}));
  ASSERT_EQ(Names(), Strings({"名单一.txt", "名单二.txt"}));

  Click(Ui().按钮_顺序颠倒);
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(OnDisk(), Strings({"02-b.txt", "手.txt"}));
  EXPECT_EQ(Names(), Strings({"02-b.txt", "手.txt"}));
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt"}));
  EXPECT_EQ(Names(), Strings({"02-b.txt", "01-a.txt"}));
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(Names(), Strings({"02b.txt", "01a.txt"}));
  EXPECT_EQ(Undo(), std::vector<BoxRecord>{ReminderBox("你都没改过，撤什么？")});
}

// A program renames and quits; a new program on the same state folder takes
// the batch back from the history.
TEST_F(HistoryWindowTest, UndoTakesBackTheBatchOfAnEarlierProgramRun) {
  MakeFiles({"1.jpg", "2.jpg"});
  QProcess child;
  child.start(U(VANTOR_RENAME_HISTORY_CHILD),
              {U(dir_.Path()), U(state_.Path() + "vantor-rename"), U("1.jpg"), U("2.jpg")});
  ASSERT_TRUE(child.waitForFinished(30000));
  ASSERT_EQ(child.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(child.exitCode(), 0);
  ASSERT_EQ(OnDisk(), Strings({"1.jpg.bak", "2.jpg.bak"}));

  ASSERT_TRUE(Drop({PathOf("1.jpg.bak")}).empty());
  TogglePreview();
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(OnDisk(), Strings({"1.jpg", "2.jpg"}));
  EXPECT_EQ(Names(), Strings({"1.jpg", "2.jpg"}));
}

// A preset applied from a terminal is a batch like any other: the history
// window lists it and takes it back.
TEST_F(HistoryWindowTest, ABatchMadeFromTheTerminalIsListedAndUndoneInTheHistoryWindow) {
  MakeFiles({"01a.txt", "02b.txt"});
  state_.MakeFile("after-number.json", R"({"format": "vantor-rename-steps", "version": 1, "steps": [)"
                                       R"({"operation": "symbol_after_number", "settings": {"text": "-"}}]})");
  QProcess terminal;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(U("XDG_STATE_HOME"), U(state_.Path()));
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(U(name));
  terminal.setProcessEnvironment(environment);
  terminal.start(U(VANTOR_PROGRAM), {U("--preset"), U(state_.Path() + "after-number.json"), U(dir_.Path())});
  ASSERT_TRUE(terminal.waitForFinished(30000));
  ASSERT_EQ(terminal.exitCode(), 0) << terminal.readAllStandardError().toStdString();
  ASSERT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt"}));

  ASSERT_TRUE(Drop({PathOf("01-a.txt")}).empty());
  HistoryWindow* history = OpenHistory();
  ASSERT_NE(history, nullptr);
  EXPECT_EQ(Rows(history), Strings({"步骤方案：after-number|2|01a.txt → 01-a.txt|"}));
  EXPECT_EQ(history->表格_历史->item(0, 1)->text(), Folder());
  EXPECT_TRUE(UndoRow(history, 0).empty());
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(Rows(history)[1], U("步骤方案：after-number|2|01a.txt → 01-a.txt|已撤回"));
  history->close();
}

// The window lists the batches newest first; undoing one adds the undo on
// top and marks the batch; undoing the undo redoes it; clearing asks first.
TEST_F(HistoryWindowTest, ListsUndoesRedoesAndClears) {
  LoadFiles({"01a.txt", "02b.txt"});
  AddAfterNumber(U("-"), {Ok(), Ok()});
  HistoryWindow* history = OpenHistory();
  ASSERT_NE(history, nullptr);
  EXPECT_TRUE(history->isVisible());
  EXPECT_EQ(history->windowTitle(), U("改名历史"));
  EXPECT_EQ(history->parentWidget(), &window_);
  EXPECT_EQ(Rows(history), Strings({"数字编号后面加符号|2|01a.txt → 01-a.txt|"}));
  EXPECT_EQ(history->表格_历史->item(0, 1)->text(), Folder());

  EXPECT_TRUE(UndoRow(history, 0).empty());
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(Rows(history), Strings({"撤回|2|02-b.txt → 02b.txt|", "数字编号后面加符号|2|01a.txt → 01-a.txt|已撤回"}));

  EXPECT_TRUE(UndoRow(history, 0).empty());
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt"}));
  EXPECT_EQ(Names(), Strings({"01-a.txt", "02-b.txt"}));
  EXPECT_EQ(Rows(history), Strings({"撤回|2|01a.txt → 01-a.txt|", "撤回|2|02-b.txt → 02b.txt|已撤回",
                                     "数字编号后面加符号|2|01a.txt → 01-a.txt|"}));

  const BoxRecord question{U("QMessageBox"), U("提示"), U("确定清空全部改名历史吗？此操作不可撤回！"),
                           QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel};
  EXPECT_EQ(Click(history->按钮_清空历史, {Cancel()}), std::vector<BoxRecord>{question});
  EXPECT_EQ(history->表格_历史->rowCount(), 3);
  EXPECT_EQ(Click(history->按钮_清空历史, {Ok()}), std::vector<BoxRecord>{question});
  EXPECT_EQ(history->表格_历史->rowCount(), 0);
  EXPECT_TRUE(BatchHistory().List().empty());
  TogglePreview();
  EXPECT_EQ(Undo(), std::vector<BoxRecord>{ReminderBox("你都没改过，撤什么？")});
  history->close();
}

}  // namespace
}  // namespace vantor::uitest
