// SPDX-License-Identifier: GPL-3.0-or-later
// "扩展名后面加", "最前面加", "开始修改" (change extension) and "1替换成01"
// through the window: each one's refusals, a direct run and a preview with its
// commit, in the file and folder modes.
#include <QComboBox>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

const BoxRecord kNoDirectory = InfoBox(U("路径呢？请先拖入文件！"));
const BoxRecord kNoText = InfoBox(U("弄啥嘞？不能为空"));
const BoxRecord kForbidden = PlainBox(U("不能改成这个东西"), U("信息："));
const BoxRecord kEmptyList = InfoBox(U("列表框是空的！"), U("提示"));

QSet<QString> AsSet(const QStringList& list) { return QSet<QString>(list.begin(), list.end()); }

class AddAndExtensionWindowTest : public WindowTest {
 protected:
  // Drops one name of the temporary folder: in the folder modes the whole
  // folder is listed, in "拖几个改几个" exactly that item.
  void Load(const char* name) { ASSERT_TRUE(Drop({PathOf(name)}).empty()); }

  std::vector<BoxRecord> Commit() { return Click(Ui().按钮_确认无误执行吧); }

  std::vector<BoxRecord> AfterExtension(const QString& text, std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_添加);
    Ui().编辑框18->setText(text);
    return Click(Ui().按钮_扩展名后面加, std::move(answers));
  }
  std::vector<BoxRecord> InFront(const QString& text, std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_添加);
    Ui().编辑框6->setText(text);
    return Click(Ui().按钮_最前面加, std::move(answers));
  }
  // Types the extension into its box as the user does, key by key.
  std::vector<BoxRecord> ChangeExtension(const QString& typed, std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_替换);
    QComboBox* box = Ui().组合框_修改扩展;
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), typed);
    return Click(Ui().按钮_改扩展, std::move(answers));
  }
  std::vector<BoxRecord> PadNumbers(std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_替换);
    return Click(Ui().按钮_改01, std::move(answers));
  }
};

// ---- 扩展名后面加 ----

TEST_F(AddAndExtensionWindowTest, AfterExtensionRefusesEmptyAndForbiddenTextsAndTheFolderMode) {
  EXPECT_EQ(AfterExtension(U("")), std::vector<BoxRecord>{kNoText});
  EXPECT_EQ(AfterExtension(U(".txt")), std::vector<BoxRecord>{kNoDirectory});
  dir_.MakeFolder("sub");
  MakeFiles({"readme"});
  SetMode(1);
  Load("sub");
  EXPECT_EQ(AfterExtension(U("a|b")), std::vector<BoxRecord>{kForbidden});
  EXPECT_EQ(AfterExtension(U(".txt")), std::vector<BoxRecord>{InfoBox(U("此功能无法对文件夹进行修改"))});
  EXPECT_EQ(OnDisk(), Strings({"readme", "sub"}));
}

TEST_F(AddAndExtensionWindowTest, AfterExtensionRenamesDroppedFilesAndFoldersAlike) {
  dir_.MakeFolder("a.b");
  MakeFiles({"readme", "photo.jpg"});
  SetMode(2);
  ASSERT_TRUE(Drop({PathOf("readme"), PathOf("a.b"), PathOf("photo.jpg")}).empty());
  EXPECT_EQ(AfterExtension(U(".bak")), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(3)}));
  EXPECT_EQ(Names(), Strings({"readme.bak", "a.b.bak", "photo.jpg.bak"}));
  EXPECT_EQ(OnDisk(), Strings({"a.b.bak", "photo.jpg.bak", "readme.bak"}));
}

TEST_F(AddAndExtensionWindowTest, AfterExtensionPreviewShowsWhatTheCommitGives) {
  MakeFiles({"readme", "说明.doc"});
  Load("readme");
  TogglePreview();
  EXPECT_EQ(AfterExtension(U("txt"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"readmetxt", "说明.doctxt"}));
  EXPECT_EQ(OnDisk(), Strings({"readme", "说明.doc"}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(Names(), Strings({"readmetxt", "说明.doctxt"}));
  EXPECT_EQ(OnDisk(), Strings({"readmetxt", "说明.doctxt"}));
}

// ---- 最前面加 ----

TEST_F(AddAndExtensionWindowTest, InFrontChecksItsTextBeforeTheFolderAndRefusesAnEmptyList) {
  EXPECT_EQ(InFront(U("")), std::vector<BoxRecord>{kNoText});
  EXPECT_EQ(InFront(U("a*")), std::vector<BoxRecord>{kForbidden});
  EXPECT_EQ(InFront(U("x_")), std::vector<BoxRecord>{kNoDirectory});
  MakeFiles({"a.txt"});
  Load("a.txt");
  Click(Ui().按钮_清空列表框);
  EXPECT_EQ(InFront(U("x_")), std::vector<BoxRecord>{kEmptyList});
  EXPECT_EQ(OnDisk(), Strings({"a.txt"}));
}

TEST_F(AddAndExtensionWindowTest, InFrontRenamesFoldersWithoutASummaryAndCancelChangesNothing) {
  dir_.MakeFolder("一");
  dir_.MakeFolder("二");
  MakeFiles({"a.txt"});
  SetMode(1);
  Load("一");
  EXPECT_EQ(InFront(U("第"), {Cancel()}), std::vector<BoxRecord>{ConfirmBox()});
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "一", "二"}));
  EXPECT_EQ(InFront(U("第")), std::vector<BoxRecord>{ConfirmBox()});
  EXPECT_EQ(AsSet(Names()), AsSet(Strings({"第一", "第二"})));
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "第一", "第二"}));
}

TEST_F(AddAndExtensionWindowTest, InFrontPreviewOfFilesIsCommittedAsShown) {
  MakeFiles({"a.txt", "b.mp4"});
  Load("a.txt");
  TogglePreview();
  EXPECT_EQ(InFront(U("2020_"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"2020_a.txt", "2020_b.mp4"}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"2020_a.txt", "2020_b.mp4"}));
}

// ---- 开始修改 (change extension) ----

TEST_F(AddAndExtensionWindowTest, ChangeExtensionRefusesAnEmptyTextThenTheMissingFolderThenTheFolderMode) {
  EXPECT_EQ(ChangeExtension(U("")), std::vector<BoxRecord>{InfoBox(U("准备改成什么后缀？请先选择或手动输入！"))});
  EXPECT_EQ(ChangeExtension(U("txt")), std::vector<BoxRecord>{kNoDirectory});
  dir_.MakeFolder("x.y");
  SetMode(1);
  Load("x.y");
  EXPECT_EQ(ChangeExtension(U("txt")),
            std::vector<BoxRecord>{InfoBox(U("文件夹没有改后缀一说，请勾选文件"), U("提示"))});
  EXPECT_EQ(OnDisk(), Strings({"x.y"}));
  // Nothing was worked through: the typed text stays as typed.
  EXPECT_EQ(Ui().组合框_修改扩展->currentText(), U("txt"));
}

TEST_F(AddAndExtensionWindowTest, ChangeExtensionRenamesFilesAndShowsTheDottedTextWithoutRefiltering) {
  MakeFiles({"photo.png", "a.jpg", ".gitignore", "README"});
  Load("README");
  QComboBox* box = Ui().组合框_修改扩展;
  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_替换);
  box->lineEdit()->clear();
  QTest::keyClicks(box->lineEdit(), U("jpg"));
  const QStringList itemsAfterTyping = [box] {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }();
  ASSERT_EQ(itemsAfterTyping.value(0), U(".jpg"));
  QSignalSpy edited(box->lineEdit(), &QLineEdit::textEdited);

  EXPECT_EQ(Click(Ui().按钮_改扩展, {Ok(), Ok()}),
            (std::vector<BoxRecord>{ConfirmBox(), PlainBox(U("一共有2个文件被改名"), U("修改成果提示"))}));
  EXPECT_EQ(OnDisk(), Strings({".gitignore", "README.jpg", "a.jpg", "photo.jpg"}));
  EXPECT_EQ(AsSet(Names()), AsSet(Strings({"README.jpg", "a.jpg", "photo.jpg"})));  // hidden files are not listed
  EXPECT_EQ(box->currentText(), U(".jpg"));
  EXPECT_EQ(box->currentIndex(), -1);
  EXPECT_EQ(edited.count(), 0);
  QStringList itemsNow;
  for (int i = 0; i < box->count(); ++i) itemsNow << box->itemText(i);
  EXPECT_EQ(itemsNow, itemsAfterTyping);
}

TEST_F(AddAndExtensionWindowTest, ChangeExtensionPreviewShowsUnchangedNamesTooAndHasNoSummary) {
  MakeFiles({"a.txt", "b.doc", "archive.tar.gz"});
  Load("a.txt");
  TogglePreview();
  EXPECT_EQ(ChangeExtension(U("doc"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Names(), Strings({"a.txt", "archive.tar.gz", "b.doc"}));
  EXPECT_EQ(Pending(), Strings({"a.doc", "archive.tar.doc", "b.doc"}));
  EXPECT_EQ(Ui().组合框_修改扩展->currentText(), U(".doc"));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"a.doc", "archive.tar.doc", "b.doc"}));
  // Typed with a dot inside: the dot goes in front, not nowhere.
  EXPECT_EQ(ChangeExtension(U("tar.gz"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"a.tar.gz", "archive.tar.tar.gz", "b.tar.gz"}));
}

// ---- 1替换成01 ----

TEST_F(AddAndExtensionWindowTest, PadNumbersRefusesWithoutAFolderOrWithAnEmptyList) {
  EXPECT_EQ(PadNumbers(), std::vector<BoxRecord>{kNoDirectory});
  MakeFiles({"1.txt"});
  Load("1.txt");
  Click(Ui().按钮_清空列表框);
  EXPECT_EQ(PadNumbers(), std::vector<BoxRecord>{kEmptyList});
  EXPECT_EQ(OnDisk(), Strings({"1.txt"}));
}

TEST_F(AddAndExtensionWindowTest, PadNumbersRenamesFilesAndSaysHowManyWillBeRenamed) {
  MakeFiles({"1 intro.mp4", "2 setup.mp4", "10 end.mp4", "第3课第12节.mp4", "a.mp3"});
  Load("a.mp3");
  EXPECT_EQ(PadNumbers(), (std::vector<BoxRecord>{ConfirmBox(), InfoBox(U("一共有3个文件将被更名"), U("修改成果提示"))}));
  EXPECT_EQ(OnDisk(), Strings({"01 intro.mp4", "02 setup.mp4", "10 end.mp4", "a.mp3", "第03课第12节.mp4"}));
  // A second click finds everything padded.
  EXPECT_EQ(PadNumbers(), (std::vector<BoxRecord>{ConfirmBox(), InfoBox(U("没有任何改动"), U("没有改动"))}));
}

TEST_F(AddAndExtensionWindowTest, PadNumbersPreviewsFolderNamesAndCommitsThem) {
  dir_.MakeFolder("第1章");
  dir_.MakeFolder("第12章");
  dir_.MakeFolder("附录");
  SetMode(1);
  Load("附录");
  TogglePreview();
  EXPECT_EQ(PadNumbers({Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  // Each pending name sits in the row of the folder it was computed from.
  const QStringList names = Names();
  const QStringList pending = Pending();
  ASSERT_EQ(names.size(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(pending[row], names[row] == U("第1章") ? U("第01章") : QString()) << names[row].toStdString();
  }
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"第01章", "第12章", "附录"}));
}

}  // namespace
}  // namespace vantor::uitest
