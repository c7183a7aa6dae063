// SPDX-License-Identifier: GPL-3.0-or-later
// "数字编号后面加符号" end to end through the window: its checks, the direct
// rename, the preview, the commit and the undo, on a real folder.
#include <QLineEdit>
#include <QTabWidget>

#include "pipeline/batch_history.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

const BoxRecord kNoDirectory = InfoBox(U("路径呢？请先拖入文件！"));
const BoxRecord kNoChange = PlainBox(U("没有任何改动"), U("没有改动"));

class RenameWindowTest : public WindowTest {
 protected:
  void Load(std::initializer_list<const char*> names) {
    MakeFiles(names);
    ASSERT_TRUE(Drop({PathOf(*names.begin())}).empty());
  }

  std::vector<BoxRecord> Commit() { return Click(Ui().按钮_确认无误执行吧); }
  std::vector<BoxRecord> Undo() { return Click(Ui().按钮_撤回上一步); }

  // Preview on, "-" after the numbers, committed.
  void PreviewAndCommit() {
    TogglePreview();
    ASSERT_EQ(AddAfterNumber(U("-"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
    ASSERT_TRUE(Commit().empty());
  }
};

// ---- Checks before anything changes ----

using SymbolAfterNumberChecks = RenameWindowTest;

TEST_F(SymbolAfterNumberChecks, RefuseInTheirOrderAndChangeNothing) {
  // No folder loaded: the directory comes first, even with no text.
  EXPECT_EQ(AddAfterNumber(U("")), std::vector<BoxRecord>{kNoDirectory});
  EXPECT_EQ(AddAfterNumber(U("-")), std::vector<BoxRecord>{kNoDirectory});
  EXPECT_EQ(AddAfterNumber(U("😀")), std::vector<BoxRecord>{kNoDirectory});

  Load({"01a.txt"});
  EXPECT_EQ(AddAfterNumber(U("")), std::vector<BoxRecord>{InfoBox(U("加什么？不能为空"))});
  EXPECT_EQ(AddAfterNumber(QString(QChar(0xD800))),
            std::vector<BoxRecord>{InfoBox(U("输入的文字含有无法识别的字符，不能用在文件名里"), U("提示"))});
  EXPECT_EQ(OnDisk(), Strings({"01a.txt"}));

  // A folder under a desktop folder: refused, and the directory is cleared.
  dir_.MakeFolder("Desktop");
  MakeFiles({"Desktop/01b.txt"});
  SetUserDesktopFolder(dir_.Gbk() + "Desktop", "/nowhere");
  window_.Entries().SetEntryDirectory(dir_.Gbk() + "Desktop/");
  EXPECT_EQ(AddAfterNumber(U("-")), std::vector<BoxRecord>{InfoBox(DesktopText(), U("提示"))});
  SetUserDesktopFolder({}, {});
  EXPECT_TRUE(window_.Entries().EntryDirectory().empty());
  EXPECT_TRUE(DirectoryLabel().isEmpty());
  EXPECT_EQ(OnDisk("Desktop"), Strings({"01b.txt"}));
  EXPECT_EQ(AddAfterNumber(U("-")), std::vector<BoxRecord>{kNoDirectory});
}

// ---- Direct rename (preview off) ----

using SymbolAfterNumberDirect = RenameWindowTest;

TEST_F(SymbolAfterNumberDirect, CancelAtTheConfirmationChangesNothing) {
  Load({"01开始了解ps的界面.mp4", "第3课.txt"});
  EXPECT_EQ(AddAfterNumber(U("、"), {Cancel()}), std::vector<BoxRecord>{ConfirmBox()});
  EXPECT_EQ(Names(), Strings({"01开始了解ps的界面.mp4", "第3课.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01开始了解ps的界面.mp4", "第3课.txt"}));
}

TEST_F(SymbolAfterNumberDirect, RenamesOnDiskAndCountsTheRenames) {
  Load({"01开始了解ps的界面.mp4", "第3课.txt", "说明.txt", "abcdefghijklmn1.txt", "01 第2节.doc"});
  ASSERT_EQ(Names(), Strings({"01 第2节.doc", "01开始了解ps的界面.mp4", "abcdefghijklmn1.txt", "第3课.txt", "说明.txt"}));
  EXPECT_EQ(AddAfterNumber(U("、")), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(3)}));
  const QStringList after =
      Strings({"01、 第2节.doc", "01、开始了解ps的界面.mp4", "abcdefghijklmn1.txt", "第3、课.txt", "说明.txt"});
  EXPECT_EQ(Names(), after);
  QStringList sorted = after;
  std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
  EXPECT_EQ(OnDisk(), sorted);
  // The batch is in the history under the button's caption.
  const std::vector<BatchSummary> history = BatchHistory().List();
  ASSERT_FALSE(history.empty());
  EXPECT_EQ(Utf8ForDisplay(history.front().caption), "数字编号后面加符号");
  EXPECT_EQ(history.front().count, 3);
}

TEST_F(SymbolAfterNumberDirect, ReportsNoChangeWhenNothingMatches) {
  Load({"说明.txt"});
  EXPECT_EQ(AddAfterNumber(U("-")), (std::vector<BoxRecord>{ConfirmBox(), kNoChange}));
  // A loaded folder with an empty list: no question, only the summary.
  Click(Ui().按钮_清空列表框);
  EXPECT_EQ(AddAfterNumber(U("-")), std::vector<BoxRecord>{kNoChange});
}

TEST_F(SymbolAfterNumberDirect, NeverOverwritesAnExistingName) {
  MakeFiles({"01a.txt", "02b.txt"});
  dir_.MakeFile("01-a.txt", "keep me");
  SetMode(2);
  Drop({PathOf("01a.txt"), PathOf("02b.txt")});
  ASSERT_EQ(Names(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(AddAfterNumber(U("-")), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(1), ReminderBox("有1个文件改名失败，已保留原名")}));
  EXPECT_EQ(Names(), Strings({"01a.txt", "02-b.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "01a.txt", "02-b.txt"}));
  EXPECT_EQ(dir_.ReadFile("01-a.txt"), "keep me");
}

TEST_F(SymbolAfterNumberDirect, FolderModeRenamesWholeFolderNames) {
  dir_.MakeFolder("2020资料");
  dir_.MakeFolder("v1.5");
  dir_.MakeFolder("资料");
  MakeFiles({"2021.txt"});
  SetMode(1);
  Drop({PathOf("资料")});
  ASSERT_EQ(Names().size(), 3);
  EXPECT_EQ(AddAfterNumber(U("_")), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(2)}));
  EXPECT_EQ(OnDisk(), Strings({"2020_资料", "2021.txt", "v1_.5", "资料"}));
  EXPECT_TRUE(Names().contains(U("2020_资料")));
  EXPECT_TRUE(Names().contains(U("v1_.5")));
}

// ---- Preview, commit and undo ----

using SymbolAfterNumberPreview = RenameWindowTest;

TEST_F(SymbolAfterNumberPreview, FillsThePreviewColumnOnly) {
  Load({"01a.txt", "b.txt", "第3课.txt"});
  TogglePreview();
  EXPECT_EQ(AddAfterNumber(U("-"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Names(), Strings({"01a.txt", "b.txt", "第3课.txt"}));
  EXPECT_EQ(Pending(), Strings({"01-a.txt", "", "第3-课.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "b.txt", "第3课.txt"}));
}

TEST_F(SymbolAfterNumberPreview, CommitRenamesThenUndoRestores) {
  Load({"01a.txt", "02b.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(Names(), Strings({"01-a.txt", "02-b.txt"}));
  EXPECT_EQ(Pending(), Strings({"", ""}));
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt"}));

  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));
  EXPECT_EQ(DirectoryLabel(), Folder());
  // The undo used up the record.
  EXPECT_EQ(Undo(), std::vector<BoxRecord>{ReminderBox("你都没改过，撤什么？")});
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt"}));
}

TEST_F(SymbolAfterNumberPreview, ASecondRunRetunesItsStepAndTheCommitAppliesOnlyThat) {
  Load({"01a.mp4", "02b.txt", "03c.txt"});
  TogglePreview();
  // First run leaves out the .mp4 files, the second the .txt files; the skip
  // item is chosen without reloading the list.
  QComboBox* skip = Ui().组合框_跳过扩展;
  QTest::keyClicks(skip->lineEdit(), U(".mp4"));
  skip->setCurrentIndex(skip->findText(U(".mp4")));
  AddAfterNumber(U("-"), {Ok()});
  EXPECT_EQ(Pending(), Strings({"", "02-b.txt", "03-c.txt"}));
  skip->setCurrentIndex(skip->findText(U(".txt")));
  AddAfterNumber(U("_"), {Ok()});
  EXPECT_EQ(Pending(), Strings({"01_a.mp4", "", ""}));

  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"01_a.mp4", "02b.txt", "03c.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "", ""}));
}

TEST_F(SymbolAfterNumberPreview, ALaterRunShowsOnlyWhatTheStepsMake) {
  Load({"01a.txt", "readme.txt"});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  window_.Entries().SetEntryCell("read-me.txt", 1, 1);  // a pending name no step made
  AddAfterNumber(U("_"), {Ok()});
  EXPECT_EQ(Pending(), Strings({"01_a.txt", ""}));
  Commit();
  EXPECT_EQ(OnDisk(), Strings({"01_a.txt", "readme.txt"}));
}

TEST_F(SymbolAfterNumberPreview, CommitKeepsAFailedRowAndReportsItOnce) {
  MakeFiles({"01a.txt", "02b.txt", "03c.txt"});
  dir_.MakeFolder("02-b.txt");  // occupies one target name; not a file, so not listed
  Drop({PathOf("01a.txt")});
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  ASSERT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt", "03-c.txt"}));

  EXPECT_EQ(Commit(), std::vector<BoxRecord>{ReminderBox("有1个文件改名失败，已保留原名")});
  EXPECT_EQ(Names(), Strings({"01-a.txt", "02b.txt", "03-c.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "02-b.txt", ""}));
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt", "02b.txt", "03-c.txt"}));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.Path() + "02-b.txt"));

  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt", "03c.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02-b.txt", "02b.txt", "03c.txt"}));
}

TEST_F(SymbolAfterNumberPreview, UndoKeepsARowWhoseOldNameIsTakenAndReportsItOnce) {
  Load({"01a.txt", "02b.txt"});
  PreviewAndCommit();
  // Another program takes an old name back before the undo.
  dir_.MakeFolder("02b.txt");
  EXPECT_EQ(Undo(), std::vector<BoxRecord>{ReminderBox("有1个文件没能改回原名")});
  EXPECT_EQ(Names(), Strings({"01a.txt", "02-b.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02-b.txt", "02b.txt"}));
}

TEST_F(SymbolAfterNumberPreview, UndoRefusesWithoutABatchAndWorksAfterAReversal) {
  {
    SCOPED_TRACE("nothing loaded");
    TogglePreview();
    EXPECT_EQ(Undo(), std::vector<BoxRecord>{ReminderBox("路径都是空的，改什么？请选择路径")});
    TogglePreview();
  }
  {
    SCOPED_TRACE("nothing committed");
    Load({"01a.txt", "02b.txt", "c.txt"});
    TogglePreview();
    EXPECT_EQ(Undo(), std::vector<BoxRecord>{ReminderBox("你都没改过，撤什么？")});
    TogglePreview();
  }
  {
    // Undo works on the disk: the rows show the old names where they are.
    SCOPED_TRACE("the list was reversed");
    PreviewAndCommit();
    ASSERT_EQ(Names(), Strings({"01-a.txt", "02-b.txt", "c.txt"}));
    Click(Ui().按钮_顺序颠倒);
    EXPECT_TRUE(Undo().empty());
    EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt", "c.txt"}));
    EXPECT_EQ(Names(), Strings({"c.txt", "02b.txt", "01a.txt"}));
  }
}

// Undo goes by what the commit did, not by what the folder holds: a row the
// commit left alone and a file added since do not stop it.
TEST_F(SymbolAfterNumberPreview, UndoAfterAnUnrelatedFileWasAdded) {
  Load({"01a.txt", "02b.txt", "c.txt"});
  PreviewAndCommit();
  dir_.MakeFile("new.txt");
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt", "c.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt", "c.txt", "new.txt"}));
}

// "100a" and "1000a" sort the other way once numbered; undo must not swap them.
TEST_F(SymbolAfterNumberPreview, UndoAfterARenumberingCommit) {
  dir_.MakeFile("100a.txt", "hundred");
  dir_.MakeFile("1000a.txt", "thousand");
  Drop({PathOf("100a.txt")});
  PreviewAndCommit();
  ASSERT_EQ(OnDisk(), Strings({"100-a.txt", "1000-a.txt"}));
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(dir_.ReadFile("100a.txt"), "hundred");
  EXPECT_EQ(dir_.ReadFile("1000a.txt"), "thousand");
  EXPECT_EQ(OnDisk(), Strings({"1000a.txt", "100a.txt"}));
}

TEST_F(SymbolAfterNumberPreview, FolderModeCommitAndUndo) {
  dir_.MakeFolder("2020资料");
  SetMode(1);
  Drop({PathOf("2020资料")});
  TogglePreview();
  EXPECT_EQ(AddAfterNumber(U("_"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"2020_资料"}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"2020_资料"}));
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(OnDisk(), Strings({"2020资料"}));
  EXPECT_EQ(Names(), Strings({"2020资料"}));
}

}  // namespace
}  // namespace vantor::uitest
