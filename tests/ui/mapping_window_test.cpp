// SPDX-License-Identifier: GPL-3.0-or-later
// "导入txt对应修改": the mapping window renames the listed entries one-to-one
// from a dropped name file or pasted lines, and gives its names back to the
// main list when it closes.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/temp_dir.h"
#include "ui/mapping_window.h"
#include "ui/paste_window.h"
#include "ui/single_rename_window.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class MappingWindowTest : public WindowTest {
 protected:
  MappingWindow* OpenMapping() {
    EXPECT_TRUE(Click(Ui().按钮_用我的txt修改).empty());
    auto* mapping = window_.findChild<MappingWindow*>();
    EXPECT_NE(mapping, nullptr);
    return mapping;
  }

  // A name file outside the listed folder, dropped on the mapping window.
  std::vector<BoxRecord> DropNameFile(MappingWindow* mapping, const std::string& name, const std::string& bytes) {
    names_.MakeFile(name, bytes);
    const QString path = U(names_.Path() + name);
    return AnswerBoxes([&] { EXPECT_TRUE(DropPaths(mapping, {path})); });
  }

  // Selects a row and right-clicks one of its cells; the menu is closed again.
  void RightClick(MappingWindow* mapping, int row, int column) {
    QTableView* view = mapping->超级列表框1;
    view->selectionModel()->select(view->model()->index(row, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit view->customContextMenuRequested(CellCentre(view, row, column));
    EXPECT_TRUE(mapping->右键功能2->isVisible());
    mapping->右键功能2->hide();
  }

  // Whether windows closed by a handler have been deleted.
  template <typename Window>
  bool Gone() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window_.findChild<Window*>() == nullptr;
  }

  testing::TempDir names_;
};

QStringList MappingColumn(MappingWindow* mapping, int column) { return Column(mapping->超级列表框1, column); }

TEST_F(MappingWindowTest, OpensOverTheDisabledMainWindowAndGivesTheNamesBackOnClosing) {
  EXPECT_EQ(Click(Ui().按钮_用我的txt修改), std::vector<BoxRecord>{ReminderBox("先拖入文件！")});
  EXPECT_EQ(window_.findChild<MappingWindow*>(), nullptr);

  LoadFiles({"1.mp4", "2.mp4", "3.mp4", "4.mp4"});
  TogglePreview();
  // Row 1 has no name: it is not in the mapping, and keeps its place.
  window_.Entries().SetEntryCell({}, 1, 0);
  window_.Entries().SetEntryCell("old-pending", 2, 1);

  MappingWindow* mapping = OpenMapping();
  ASSERT_NE(mapping, nullptr);
  EXPECT_TRUE(mapping->isVisible());
  EXPECT_FALSE(window_.isEnabled());
  EXPECT_TRUE(mapping->isEnabled());
  EXPECT_EQ(mapping->windowTitle(), U("按设定的文件名一对一对应修改"));
  EXPECT_EQ(Header(mapping->超级列表框1, 0), U("被更名的文件名"));
  EXPECT_EQ(Header(mapping->超级列表框1, 1), U("更名后的效果"));
  EXPECT_EQ(MappingColumn(mapping, 0), Strings({"1.mp4", "3.mp4", "4.mp4"}));

  // A UTF-8 name file with a byte-order mark, CR LF breaks and one line more
  // than there are entries.
  EXPECT_TRUE(DropNameFile(mapping, "names.txt", "\xEF\xBB\xBF第一集\r\n第三集 (完)\r\n\r\n多余\r\n").empty());
  EXPECT_EQ(MappingColumn(mapping, 0), Strings({"1.mp4", "3.mp4", "4.mp4", ""}));
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"第一集", "第三集 (完)", "", "多余"}));

  // A file that is no name file changes nothing.
  const BoxRecord refusal = ReminderBox("无法读取这个名单文件（只支持16MB以内的UTF-8或GBK文本）");
  EXPECT_EQ(DropNameFile(mapping, "utf16.txt", std::string("\xFF\xFEx\0", 4)), std::vector<BoxRecord>{refusal});
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"第一集", "第三集 (完)", "", "多余"}));

  // Without "连后缀一起改" the old extension carries over.
  EXPECT_FALSE(mapping->选择框_连后缀一起改->isChecked());
  EXPECT_EQ(Click(mapping->按钮_执行改名, {Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(U("确定按名单改名吗？")), InfoBox(U("一共有2个文件被改名"), U("修改成果提示"))}));
  EXPECT_EQ(MappingColumn(mapping, 0), Strings({"第一集.mp4", "第三集 (完).mp4", "4.mp4", ""}));
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"", "", "", "多余"}));
  EXPECT_EQ(OnDisk(), Strings({"2.mp4", "4.mp4", "第一集.mp4", "第三集 (完).mp4"}));
  // The main list follows only when the window closes.
  EXPECT_EQ(Names(), Strings({"1.mp4", "", "3.mp4", "4.mp4"}));

  EXPECT_TRUE(Click(mapping->按钮_关闭窗口2).empty());
  EXPECT_TRUE(Gone<MappingWindow>());
  EXPECT_TRUE(window_.isEnabled());
  EXPECT_EQ(Names(), Strings({"第一集.mp4", "", "第三集 (完).mp4", "4.mp4"}));
  EXPECT_EQ(Pending(), Strings({"", "", "", ""}));
}

TEST_F(MappingWindowTest, ContextMenuMovesClearsAndEditsOneCell) {
  LoadFiles({"a.txt", "b.txt", "c.txt"});
  MappingWindow* mapping = OpenMapping();
  ASSERT_NE(mapping, nullptr);
  ASSERT_TRUE(DropNameFile(mapping, "names.txt", "x\ny\nz\n").empty());

  // Moving a new name swaps only that column.
  RightClick(mapping, 1, 1);
  EXPECT_TRUE(Trigger(mapping->上移).empty());
  EXPECT_EQ(MappingColumn(mapping, 0), Strings({"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"y", "x", "z"}));
  RightClick(mapping, 0, 1);
  EXPECT_EQ(Trigger(mapping->上移), std::vector<BoxRecord>{ReminderBox("已经在最顶了，无法再上移了！")});
  RightClick(mapping, 2, 1);
  EXPECT_EQ(Trigger(mapping->下移), std::vector<BoxRecord>{ReminderBox("已经在最底部了，无法再下移了！")});
  EXPECT_TRUE(Trigger(mapping->删除).empty());
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"y", "x", ""}));

  // A hand edit of a new name, then of a listed name (renamed on disk).
  RightClick(mapping, 2, 1);
  EXPECT_TRUE(Trigger(mapping->手动修改这个).empty());
  auto* edit = mapping->findChild<SingleRenameWindow*>();
  ASSERT_NE(edit, nullptr);
  edit->编辑框1->setText(U("w"));
  EXPECT_TRUE(Click(edit->按钮1).empty());
  EXPECT_TRUE(Gone<SingleRenameWindow>());
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"y", "x", "w"}));

  RightClick(mapping, 0, 0);
  Trigger(mapping->手动修改这个);
  edit = mapping->findChild<SingleRenameWindow*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->编辑框1->text(), U("a.txt"));
  edit->编辑框1->setText(U("a0.txt"));
  edit->选择框1->setChecked(true);
  EXPECT_EQ(Click(edit->按钮1), std::vector<BoxRecord>{ReminderBox("此文件名修改成功！")});
  EXPECT_EQ(MappingColumn(mapping, 0), Strings({"a0.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"y", "x", "w"}));
  EXPECT_EQ(OnDisk(), Strings({"a0.txt", "b.txt", "c.txt"}));

  // Closing with the window's own close box gives the names back as well.
  mapping->close();
  EXPECT_TRUE(Gone<MappingWindow>());
  EXPECT_TRUE(window_.isEnabled());
  EXPECT_EQ(Names(), Strings({"a0.txt", "b.txt", "c.txt"}));
}

TEST_F(MappingWindowTest, PastedNamesReorderedAndRenamedWithTheirExtension) {
  LoadFiles({"1.txt", "2.txt", "3.txt", "taken"});
  MappingWindow* mapping = OpenMapping();
  ASSERT_NE(mapping, nullptr);

  EXPECT_TRUE(Click(mapping->按钮_手动粘贴).empty());
  auto* paste = mapping->findChild<PasteWindow*>();
  ASSERT_NE(paste, nullptr);
  EXPECT_TRUE(paste->isVisible());
  EXPECT_EQ(paste->windowTitle(), U("直接粘贴欲改文件名"));
  EXPECT_EQ(paste->编辑框1->font().pointSize(), 12);
  // A text that is no name (a lone surrogate) is refused and the window stays.
  paste->编辑框1->setPlainText(QString(QChar(0xD800)));
  EXPECT_EQ(Click(paste->按钮_确认4),
            std::vector<BoxRecord>{InfoBox(U("输入的文字含有无法识别的字符，不能用在文件名里"), U("提示"))});
  EXPECT_TRUE(paste->isVisible());
  paste->编辑框1->setPlainText(U("第10课.md  \n\n第2课.md　\ntaken\n"));
  EXPECT_TRUE(Click(paste->按钮_确认4).empty());
  EXPECT_TRUE(Gone<PasteWindow>());
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"第10课.md", "", "第2课.md", "taken"}));

  // Reverse and re-sort gather the names at the top and clear the tail.
  EXPECT_TRUE(Click(mapping->按钮_顺序颠倒2).empty());
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"taken", "第2课.md", "第10课.md", ""}));
  EXPECT_TRUE(Click(mapping->按钮_重新排序2).empty());
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"taken", "第2课.md", "第10课.md", ""}));

  // With "连后缀一起改" the new name is the whole name; "taken" exists and
  // is kept.
  mapping->选择框_连后缀一起改->setChecked(true);
  EXPECT_EQ(Click(mapping->按钮_执行改名, {Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(U("确定按名单改名吗？\r\n名单有3行，列表有4项，只改前3项")),
                                    InfoBox(U("一共有2个文件被改名"), U("修改成果提示")),
                                    ReminderBox("有1个文件改名失败，已保留原名")}));
  EXPECT_EQ(OnDisk(), Strings({"1.txt", "taken", "第10课.md", "第2课.md"}));
  EXPECT_EQ(MappingColumn(mapping, 0), Strings({"1.txt", "第2课.md", "第10课.md", "taken"}));
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"taken", "", "", ""}));

  EXPECT_TRUE(Click(mapping->按钮_手动粘贴1).empty());
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"", "", "", ""}));

  EXPECT_TRUE(Click(mapping->按钮_关闭窗口2).empty());
  EXPECT_EQ(Names(), Strings({"1.txt", "第2课.md", "第10课.md", "taken"}));
}

// With 窗口置顶 on, the mapping window (and the paste window over it) is a
// dialog of the window that opened it, centred on it and kept on top as well;
// "打开txt" reads a name file through a file dialog; Escape closes.
TEST_F(MappingWindowTest, StaysAboveAnAlwaysOnTopMainWindowAndOpensNameFiles) {
  Ui().选择框_窗口置顶->setChecked(true);
  ASSERT_TRUE(WaitFor([this] { return window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }));
  LoadFiles({"1.mp4", "2.mp4"});
  MappingWindow* mapping = OpenMapping();
  ASSERT_NE(mapping, nullptr);
  EXPECT_EQ(mapping->windowType(), Qt::Dialog);
  EXPECT_EQ(mapping->parentWidget(), &window_);
  EXPECT_TRUE(mapping->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_LE((mapping->frameGeometry().center() - window_.frameGeometry().center()).manhattanLength(), 2);

  names_.MakeFile("名单.txt", "甲\r\n乙\r\n");
  const std::vector<BoxRecord> boxes =
      AnswerBoxes([&] { mapping->按钮_打开名单txt->click(); }, {Choose(U(names_.Path() + "名单.txt"))});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].kind, U("QFileDialog"));
  EXPECT_EQ(MappingColumn(mapping, 1), Strings({"甲", "乙"}));

  EXPECT_TRUE(Click(mapping->按钮_手动粘贴).empty());
  auto* paste = mapping->findChild<PasteWindow*>();
  ASSERT_NE(paste, nullptr);
  EXPECT_EQ(paste->windowType(), Qt::Dialog);
  EXPECT_TRUE(paste->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QTest::keyClick(paste->编辑框1, Qt::Key_Escape);
  EXPECT_TRUE(Gone<PasteWindow>());
  QTest::keyClick(mapping->超级列表框1, Qt::Key_Escape);
  EXPECT_TRUE(Gone<MappingWindow>());
  EXPECT_TRUE(window_.isEnabled());
}

}  // namespace
}  // namespace vantor::uitest
