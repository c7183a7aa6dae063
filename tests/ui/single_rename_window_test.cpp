// SPDX-License-Identifier: GPL-3.0-or-later
// "手动修改这个" on the main list: the window "执行单个修改" renames the
// right-clicked entry on disk (name column) or replaces its pending name
// (preview column).
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "ui/single_rename_window.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class SingleRenameTest : public WindowTest {
 protected:
  // Right click on a cell, then "手动修改这个"; returns the window it opened.
  SingleRenameWindow* EditByHand(int row, int column) {
    EXPECT_TRUE(EditWindowsGone());
    const QPoint where = CellCentre(View(), row, column);
    QContextMenuEvent event(QContextMenuEvent::Mouse, where, View()->viewport()->mapToGlobal(where));
    QApplication::sendEvent(View()->viewport(), &event);
    EXPECT_TRUE(Ui().右键功能1->isVisible());
    Ui().右键功能1->hide();
    EXPECT_TRUE(Trigger(Ui().手动修改这个).empty());
    return window_.findChild<SingleRenameWindow*>();
  }

  // Types text and confirms; returns the boxes and whether the window is gone.
  std::vector<BoxRecord> Confirm(SingleRenameWindow* edit, const QString& text, bool tellSuccess = false) {
    edit->编辑框1->setText(text);
    edit->选择框1->setChecked(tellSuccess);
    return Click(edit->按钮1);
  }

  // Whether every edit window has gone (after its deferred deletion).
  bool EditWindowsGone() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window_.findChild<SingleRenameWindow*>() == nullptr;
  }
};

const BoxRecord kFailed = ReminderBox("修改失败！");

TEST_F(SingleRenameTest, RenamesTheNameColumnOnDiskAndTellsWhenAsked) {
  LoadFiles({"a.txt", "b.txt"});
  SingleRenameWindow* edit = EditByHand(1, 0);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isVisible());
  EXPECT_EQ(edit->windowTitle(), U("执行单个修改"));
  EXPECT_EQ(edit->编辑框1->text(), U("b.txt"));
  EXPECT_EQ(edit->编辑框1->selectedText(), U("b.txt"));
  EXPECT_EQ(edit->按钮1->text(), U("确认修改"));
  EXPECT_EQ(edit->选择框1->text(), U("修改后弹出提示"));

  EXPECT_EQ(Confirm(edit, U("第2课.md"), true), std::vector<BoxRecord>{ReminderBox("此文件名修改成功！")});
  EXPECT_TRUE(EditWindowsGone());
  EXPECT_EQ(Names(), Strings({"a.txt", "第2课.md"}));
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "第2课.md"}));
  EXPECT_EQ(Ui().标签_状态行->text(), U("共2项  待改名0项  冲突0项  已改名1个，失败0个"));

  // Without "修改后弹出提示" the window just closes; the extension may go.
  edit = EditByHand(0, 0);
  EXPECT_TRUE(Confirm(edit, U("a")).empty());
  EXPECT_TRUE(EditWindowsGone());
  EXPECT_EQ(Names(), Strings({"a", "第2课.md"}));
  EXPECT_EQ(OnDisk(), Strings({"a", "第2课.md"}));

  // "关闭" changes nothing.
  edit = EditByHand(0, 0);
  edit->编辑框1->setText(U("z"));
  EXPECT_TRUE(Click(edit->按钮2).empty());
  EXPECT_TRUE(EditWindowsGone());
  EXPECT_EQ(OnDisk(), Strings({"a", "第2课.md"}));
}

TEST_F(SingleRenameTest, UnchangedTextAndRefusalsChangeNothing) {
  LoadFiles({"a.txt", "b.txt"});
  EXPECT_EQ(Confirm(EditByHand(0, 0), U("a.txt"), true), std::vector<BoxRecord>{ReminderBox("没有任何修改！")});
  EXPECT_TRUE(EditWindowsGone());

  // The core's own test holds every refused text; here an empty one and one
  // that would replace another file.
  for (const char* refused : {"", "b.txt"}) {
    SCOPED_TRACE(refused);
    EXPECT_EQ(Confirm(EditByHand(0, 0), U(refused), true), std::vector<BoxRecord>{kFailed});
    EXPECT_TRUE(EditWindowsGone());
  }

  // The list changes while the window is open: the captured row no longer
  // shows a.txt, so nothing is renamed, whatever is selected now.
  SingleRenameWindow* edit = EditByHand(0, 0);
  Click(Ui().按钮_顺序颠倒);
  SelectRows({0});
  EXPECT_EQ(Confirm(edit, U("c.txt")), std::vector<BoxRecord>{kFailed});
  edit = EditByHand(0, 0);
  Click(Ui().按钮_清空列表框);
  EXPECT_EQ(Confirm(edit, U("c.txt")), std::vector<BoxRecord>{kFailed});
  EXPECT_TRUE(EditWindowsGone());
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "b.txt"}));
}

TEST_F(SingleRenameTest, ThePreviewColumnTakesThePendingNameOnly) {
  LoadFiles({"01a.txt", "02b.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  ASSERT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt"}));

  SingleRenameWindow* edit = EditByHand(0, 1);
  EXPECT_EQ(edit->编辑框1->text(), U("01-a.txt"));
  EXPECT_TRUE(Confirm(edit, U("一.txt"), true).empty());
  EXPECT_TRUE(EditWindowsGone());
  EXPECT_EQ(Pending(), Strings({"一.txt", "02-b.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));

  // A rename on disk with preview on withdraws that row's pending name.
  EXPECT_TRUE(Confirm(EditByHand(1, 0), U("二.txt")).empty());
  EXPECT_EQ(Names(), Strings({"01a.txt", "二.txt"}));
  EXPECT_EQ(Pending(), Strings({"一.txt", ""}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "二.txt"}));
}

}  // namespace
}  // namespace vantor::uitest
