// SPDX-License-Identifier: GPL-3.0-or-later
// What a desktop user tries first: the keys of the main window, each doing
// what its button or menu item does, and the hidden-files box.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/single_rename_window.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class KeyboardTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  // Presses keys on the focused widget (the list unless told) and answers the boxes.
  std::vector<BoxRecord> Press(QKeyCombination keys, std::vector<Answer> answers = {}, QWidget* on = nullptr) {
    QWidget* target = on != nullptr ? on : View();
    // As a user clicks into the window before typing.
    target->window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(target->window()));
    target->setFocus();
    return AnswerBoxes([&] { QTest::keyClick(target, keys.key(), keys.keyboardModifiers()); }, std::move(answers));
  }

  void SelectCell(int row, int column) {
    View()->setCurrentIndex(View()->model()->index(row, column));
    SelectRows({row});
  }
};

TEST_F(KeyboardTest, KeysDoWhatTheirButtonsDoAndHiddenFilesShowOnlyWhenAsked) {
  MakeFiles({".hidden", "视频片段2.mp4"});
  dir_.MakeFolder(".git");
  LoadFiles({"视频片段10.mp4", "chapter2.txt", "chapter10.txt"});
  EXPECT_EQ(Names(), Strings({"chapter2.txt", "chapter10.txt", "视频片段2.mp4", "视频片段10.mp4"}));
  Ui().选择框_显示隐藏文件->setChecked(true);
  EXPECT_EQ(Names(), Strings({".hidden", "chapter2.txt", "chapter10.txt", "视频片段2.mp4", "视频片段10.mp4"}));
  Ui().选择框_显示隐藏文件->setChecked(false);
  EXPECT_EQ(Names().size(), 4);

  // F5 reads the folder again; Delete takes rows off the list, never off the disk.
  MakeFiles({"a.txt"});
  EXPECT_TRUE(Press(Qt::Key_F5).empty());
  EXPECT_EQ(Names().front(), U("a.txt"));
  SelectCell(0, 0);
  EXPECT_TRUE(Press(Qt::Key_Delete).empty());
  EXPECT_EQ(Names(), Strings({"chapter2.txt", "chapter10.txt", "视频片段2.mp4", "视频片段10.mp4"}));
  EXPECT_TRUE(dir_.Exists("a.txt"));

  // F2 renames the current row by hand: Return confirms, Escape closes.
  SelectCell(0, 0);
  EXPECT_TRUE(Press(Qt::Key_F2).empty());
  auto* edit = window_.findChild<SingleRenameWindow*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->windowType(), Qt::Dialog);
  edit->编辑框1->setText(U("第2章.txt"));
  EXPECT_TRUE(Press(Qt::Key_Return, {}, edit->编辑框1).empty());
  EXPECT_TRUE(dir_.Exists("第2章.txt"));
  EXPECT_EQ(Names().front(), U("第2章.txt"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  SelectCell(1, 0);
  EXPECT_TRUE(Press(Qt::Key_F2).empty());
  edit = window_.findChild<SingleRenameWindow*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(Press(Qt::Key_Escape, {}, edit->编辑框1).empty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window_.findChild<SingleRenameWindow*>(), nullptr);

  // Ctrl+P previews, Ctrl+Return commits, Ctrl+Z undoes.
  EXPECT_TRUE(Press(Qt::CTRL | Qt::Key_P).empty());
  EXPECT_EQ(Ui().按钮_打开预览->text(), U("关闭预览"));
  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_添加);
  Ui().编辑框6->setText(U("新"));
  EXPECT_EQ(Click(Ui().按钮_最前面加, {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  Press(Qt::CTRL | Qt::Key_Return, {Ok(), Ok()});
  EXPECT_TRUE(dir_.Exists("新chapter10.txt"));
  Press(Qt::CTRL | Qt::Key_Z, {Ok(), Ok()});
  EXPECT_TRUE(dir_.Exists("chapter10.txt"));
  EXPECT_FALSE(dir_.Exists("新chapter10.txt"));

  // Ctrl+O opens the folder chooser of 手动读取.
  EXPECT_EQ(Press(Qt::CTRL | Qt::Key_O, {Cancel(), Ok()}),
            (std::vector<BoxRecord>{ChooserBox(), InfoBox(U("什么都没有选择"), U("提示"))}));
}

// Every input box and the list carry an accessible name of their own.
TEST_F(KeyboardTest, InputBoxesAndTheListHaveAccessibleNames) {
  EXPECT_EQ(View()->accessibleName(), U("文件列表"));
  for (QWidget* box : window_.findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(box) == nullptr && qobject_cast<QComboBox*>(box) == nullptr) continue;
    if (qobject_cast<QComboBox*>(box->parentWidget()) != nullptr) continue;  // a combo box's own line edit
    SCOPED_TRACE(box->objectName().toStdString());
    EXPECT_FALSE(box->accessibleName().isEmpty());
  }
}

}  // namespace
}  // namespace vantor::uitest
