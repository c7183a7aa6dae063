// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the list: drops in the three processing modes, the manual read
// through the folder chooser, and the extension boxes that filter and reload.
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include <set>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

const char kBuiltIn[] =
    "mp4--txt--mp3--exe--xlsx--docx--pptx--jpg--png--pdf--zip--rar--7z--ico--psd--bmp--html--htm--js--css--avi--"
    "tmp--doc--xls--ppt--rtf--wps--arj--gz--gif--pic--tif--wav--aif--au--ram--wma--mmf--aac--flac--mpg--mov--swf--"
    "dll--ini--asm--obj--bas--java--bak--bat--cmd--dat--icn--iff--mpeg--chm--cpp";

QStringList BuiltInItems() {
  QStringList items;
  for (const QString& extension : U(kBuiltIn).split(U("--"))) items << U(".") + extension;
  return items;
}

// The built-in items with `first` moved to the front, the rest in list order.
QStringList WithFirst(const QStringList& first) {
  QStringList items = first;
  for (const QString& item : BuiltInItems()) {
    if (!first.contains(item)) items << item;
  }
  return items;
}

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

QSet<QString> AsSet(const QStringList& list) { return QSet<QString>(list.begin(), list.end()); }

const BoxRecord kNothingSelected = InfoBox(U("什么都没有选择"), U("提示"));
const BoxRecord kUnconvertiblePath = InfoBox(U("路径含有无法识别的字符，无法处理"), U("提示"));

// The names as the message writes them: bad bytes as \xHH, joined by "、".
BoxRecord UnconvertibleNames(int count, const QString& names) {
  return InfoBox(U("有") + QString::number(count) + U("个文件名不是UTF-8编码（可能是乱码），未列入列表：") + names +
                     U("\r\n可以用\"高级\"页的\"修复乱码文件名\"修复。"),
                 U("提醒："));
}

class IntakeWindowTest : public WindowTest {
 protected:
  void PressOn(QComboBox* box) { OpenDropDown(box); }

  // The user picks the item `text` with the arrow key (the box already holds it).
  std::vector<BoxRecord> Pick(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    EXPECT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index - 1);
    return AnswerBoxes([box] { QTest::keyClick(box, Qt::Key_Down); });
  }

  void TypeInto(QComboBox* box, const QString& text) { QTest::keyClicks(box->lineEdit(), text); }
};

// ---- Drops ----

using DropIntake = IntakeWindowTest;

TEST_F(DropIntake, FilesModeListsTheWholeFolderInNaturalOrder) {
  MakeFiles({"10.mp4", "2.mp4", "1.mp4", "第3集.mp4", "第10集.mp4"});
  dir_.MakeFolder("子目录");
  EXPECT_TRUE(Drop({PathOf("2.mp4")}).empty());
  EXPECT_EQ(Names(), Strings({"1.mp4", "2.mp4", "10.mp4", "第3集.mp4", "第10集.mp4"}));
  EXPECT_EQ(DirectoryLabel(), Folder());
  EXPECT_EQ(U(Utf8ForDisplay(window_.Entries().EntryDirectory())), Folder());
}

TEST_F(DropIntake, FilesModeAppliesTheExtensionFilters) {
  struct Case {
    const char* typedOnly;  // typed into 组合框_仅检索
    const char* skip;       // current item of 组合框_跳过扩展, or empty for none
    QStringList listed;
  };
  const Case cases[] = {
      {"", "", Strings({"a.mp4", "b.TXT", "c.txt", "d.jpg"})},
      {"txt", "", Strings({"b.TXT", "c.txt"})},
      {".mp4", "", Strings({"a.mp4"})},
      {"", ".txt", Strings({"a.mp4", "b.TXT", "d.jpg"})},  // the skip item matches byte for byte
      {"", "不跳", Strings({"a.mp4", "b.TXT", "c.txt", "d.jpg"})},
      {"txt", ".txt", Strings({"b.TXT", "c.txt"})},  // skip works only with every extension searched
  };
  MakeFiles({"a.mp4", "b.TXT", "c.txt", "d.jpg"});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typedOnly) + " / " + c.skip);
    MainWindow window;
    window.show();
    QCoreApplication::processEvents();
    const MainWindowUi& ui = window.Ui();
    QTest::keyClicks(ui.组合框_仅检索->lineEdit(), U(c.typedOnly));
    if (*c.skip != '\0') {
      OpenDropDown(ui.组合框_跳过扩展);
      ui.组合框_跳过扩展->setCurrentIndex(ui.组合框_跳过扩展->findText(U(c.skip)));
      ASSERT_EQ(ui.组合框_跳过扩展->currentText(), U(c.skip));
    }
    EXPECT_TRUE(AnswerBoxes([&] { EXPECT_TRUE(DropPaths(&window, {PathOf("c.txt")})); }).empty());
    EXPECT_EQ(Column(ui.超级列表框1, 0), c.listed);
  }
}

TEST_F(DropIntake, FolderModeListsTheSubfoldersOfTheDroppedFoldersParent) {
  dir_.MakeFolder("第一章");
  dir_.MakeFolder("sub");
  MakeFiles({"x.txt"});
  SetMode(1);
  EXPECT_TRUE(Drop({PathOf("sub")}).empty());
  EXPECT_EQ(AsSet(Names()), AsSet(Strings({"第一章", "sub"})));
  EXPECT_EQ(DirectoryLabel(), Folder());
}

TEST_F(DropIntake, DroppedItemsModeListsExactlyTheItemsOfOneFolder) {
  dir_.MakeFolder("A");
  dir_.MakeFolder("B");
  dir_.MakeFolder("A/a.b");
  MakeFiles({"A/x.txt", "A/y.txt", "B/z.txt", "B/w.txt"});
  SetMode(2);
  EXPECT_TRUE(Drop({PathOf("A/y.txt"), PathOf("A/a.b")}).empty());
  EXPECT_EQ(Names(), Strings({"y.txt", "a.b"}));
  EXPECT_EQ(DirectoryLabel(), Folder("A"));

  EXPECT_TRUE(Drop({PathOf("A/x.txt")}).empty());
  EXPECT_EQ(Names(), Strings({"y.txt", "a.b", "x.txt"}));

  // Rows of two folders would share one entry directory: refused once per drop.
  const BoxRecord otherFolder = InfoBox(U("列表里的文件来自另一个文件夹，请先清空列表再拖入"), U("提示"));
  EXPECT_EQ(Drop({PathOf("B/z.txt"), PathOf("B/w.txt")}), std::vector<BoxRecord>{otherFolder});
  EXPECT_EQ(Names(), Strings({"y.txt", "a.b", "x.txt"}));
  EXPECT_EQ(DirectoryLabel(), Folder("A"));
  Click(Ui().按钮_清空列表框);
  EXPECT_TRUE(Drop({PathOf("B/z.txt")}).empty());
  EXPECT_EQ(Names(), Strings({"z.txt"}));
  EXPECT_EQ(DirectoryLabel(), Folder("B"));

  // The next drop in a folder mode starts afresh.
  SetMode(0);
  EXPECT_TRUE(Drop({PathOf("B/z.txt")}).empty());
  EXPECT_EQ(Names(), Strings({"w.txt", "z.txt"}));
}

TEST_F(DropIntake, ChangingTheModeAloneLeavesTheListAsItIs) {
  MakeFiles({"a.txt", "b.txt"});
  Drop({PathOf("a.txt")});
  SetMode(1);
  SetMode(2);
  EXPECT_EQ(Names(), Strings({"a.txt", "b.txt"}));
}

TEST_F(DropIntake, DropOverTheListIsTakenLikeOneOnTheWindow) {
  MakeFiles({"b.txt", "a.txt"});
  std::vector<BoxRecord> boxes =
      AnswerBoxes([&] { EXPECT_TRUE(DropPaths(View()->viewport(), {PathOf("b.txt")})); });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Names(), Strings({"a.txt", "b.txt"}));
  EXPECT_EQ(DirectoryLabel(), Folder());
}

TEST_F(DropIntake, RefusesAnythingUnderTheDesktopFolder) {
  dir_.MakeFolder("my desktop");
  MakeFiles({"my desktop/a.txt"});
  EXPECT_TRUE(Drop({PathOf("my desktop/a.txt")}).empty());
  EXPECT_EQ(Names(), Strings({"a.txt"}));
  SetUserDesktopFolder(dir_.Gbk() + "Desktop", "/nowhere");
  for (const char* folder : {"Desktop", "Desktop/work"}) {
    SCOPED_TRACE(folder);
    dir_.MakeFolder(folder);
    dir_.MakeFile(std::string(folder) + "/a.txt");
    MakeFiles({"ok.txt"});
    Drop({PathOf("ok.txt")});
    ASSERT_FALSE(DirectoryLabel().isEmpty());

    EXPECT_EQ(Drop({PathOf(std::string(folder) + "/a.txt")}), std::vector<BoxRecord>{InfoBox(DesktopText(), U("提示"))});
    EXPECT_TRUE(DirectoryLabel().isEmpty());
    EXPECT_TRUE(window_.Entries().EntryDirectory().empty());
    EXPECT_TRUE(Names().isEmpty());
  }
  SetUserDesktopFolder({}, {});
}

TEST_F(DropIntake, DroppingTheRootSaysNothingWasChosen) {
  MakeFiles({"a.txt"});
  Drop({PathOf("a.txt")});
  EXPECT_EQ(Drop({U("/")}), std::vector<BoxRecord>{kNothingSelected});
  EXPECT_TRUE(DirectoryLabel().isEmpty());
  EXPECT_TRUE(Names().isEmpty());
}

TEST_F(DropIntake, TakesAFolderWhoseNameGbkLacks) {
  dir_.MakeFolder("😀");
  MakeFiles({"😀/a.txt", "ok.txt"});
  Drop({PathOf("ok.txt")});
  EXPECT_TRUE(Drop({PathOf("😀/a.txt")}).empty());
  EXPECT_EQ(DirectoryLabel(), Folder("😀"));
  EXPECT_EQ(Names(), Strings({"a.txt"}));
}

TEST_F(DropIntake, TellsOncePerDropAboutNamesThatAreNotUtf8) {
  MakeFiles({"a.txt", "b.txt", "😀.txt"});
  MakeRawFile(dir_.Path(), "\xff\xfe.txt");
  MakeRawFile(dir_.Path(), "\xD6\xD0.txt");
  const BoxRecord told = UnconvertibleNames(2, U("\\xD6\\xD0.txt、\\xFF\\xFE.txt"));
  // Two paths from one folder: the folder is read twice, the user told once.
  EXPECT_EQ(Drop({PathOf("a.txt"), PathOf("b.txt")}), std::vector<BoxRecord>{told});
  EXPECT_EQ(Names(), Strings({"a.txt", "b.txt", "😀.txt"}));
  EXPECT_EQ(Drop({PathOf("a.txt")}), std::vector<BoxRecord>{told});

  // A reload through a filter tells again.
  QComboBox* skip = Ui().组合框_跳过扩展;
  PressOn(skip);
  EXPECT_EQ(Pick(skip, U("不跳")), std::vector<BoxRecord>{told});
  EXPECT_EQ(Names(), Strings({"a.txt", "b.txt", "😀.txt"}));

  // The dropped-items mode lists only what was dropped: nothing to tell.
  SetMode(2);
  EXPECT_TRUE(Drop({PathOf("a.txt")}).empty());
}

// ---- Manual read ----

using ManualRead = IntakeWindowTest;

TEST_F(ManualRead, CancelledChooserKeepsTheListAndSaysNothingWasChosen) {
  MakeFiles({"a.txt"});
  Drop({PathOf("a.txt")});
  ASSERT_EQ(Names().size(), 1);
  EXPECT_EQ(Click(Ui().按钮_手动读取, {Cancel(), Ok()}), (std::vector<BoxRecord>{ChooserBox(), kNothingSelected}));
  EXPECT_EQ(Names(), Strings({"a.txt"}));
  EXPECT_EQ(DirectoryLabel(), Folder());
}

TEST_F(ManualRead, ChosenFolderGivesItsFilesInNaturalOrder) {
  dir_.MakeFolder("课程");
  dir_.MakeFolder("课程/sub");
  MakeFiles({"课程/10.txt", "课程/9.txt", "课程/1.txt"});
  EXPECT_EQ(Click(Ui().按钮_手动读取, {Choose(PathOf("课程"))}), std::vector<BoxRecord>{ChooserBox()});
  EXPECT_EQ(Names(), Strings({"1.txt", "9.txt", "10.txt"}));
  EXPECT_EQ(DirectoryLabel(), Folder("课程"));

  // "拖几个改几个" reads the whole folder too.
  SetMode(2);
  Click(Ui().按钮_手动读取, {Choose(PathOf("课程"))});
  EXPECT_EQ(Names(), Strings({"1.txt", "9.txt", "10.txt"}));
}

TEST_F(ManualRead, FolderModeGivesTheSubfolders) {
  dir_.MakeFolder("甲");
  dir_.MakeFolder("乙");
  MakeFiles({"f.txt"});
  SetMode(1);
  EXPECT_EQ(Click(Ui().按钮_手动读取, {Choose(U(dir_.Path()))}), std::vector<BoxRecord>{ChooserBox()});
  EXPECT_EQ(AsSet(Names()), AsSet(Strings({"甲", "乙"})));
  EXPECT_EQ(DirectoryLabel(), Folder());
}

TEST_F(ManualRead, RefusesDesktopAndReportsNamesWithoutGbkForm) {
  dir_.MakeFolder("Desktop");
  MakeFiles({"Desktop/a.txt"});
  SetUserDesktopFolder(dir_.Gbk() + "Desktop", "/nowhere");
  EXPECT_EQ(Click(Ui().按钮_手动读取, {Choose(PathOf("Desktop"))}),
            (std::vector<BoxRecord>{ChooserBox(), InfoBox(DesktopText(), U("提示"))}));
  SetUserDesktopFolder({}, {});
  EXPECT_TRUE(DirectoryLabel().isEmpty());
  EXPECT_TRUE(Names().isEmpty());

  dir_.MakeFolder("d");
  MakeFiles({"d/a.txt"});
  MakeRawFile(dir_.Path() + "d/", "\xff.txt");
  EXPECT_EQ(Click(Ui().按钮_手动读取, {Choose(PathOf("d"))}),
            (std::vector<BoxRecord>{ChooserBox(), UnconvertibleNames(1, U("\\xFF.txt"))}));
  EXPECT_EQ(Names(), Strings({"a.txt"}));
}

TEST_F(ManualRead, TakesAChosenFolderWhoseNameGbkLacks) {
  dir_.MakeFolder("😀");
  MakeFiles({"😀/a.txt"});
  EXPECT_EQ(Click(Ui().按钮_手动读取, {Choose(PathOf("😀"))}), (std::vector<BoxRecord>{ChooserBox()}));
  EXPECT_EQ(Names(), Strings({"a.txt"}));
}

// ---- Extension boxes ----

using ExtensionBoxes = IntakeWindowTest;

TEST_F(ExtensionBoxes, TypingPutsTheMatchingExtensionsFirst) {
  QComboBox* only = Ui().组合框_仅检索;
  TypeInto(only, U("mp"));
  EXPECT_EQ(only->lineEdit()->text(), U("mp"));
  EXPECT_EQ(only->currentIndex(), -1);
  const QStringList mp = WithFirst(Strings({".mp4", ".mp3", ".bmp", ".tmp", ".mpg", ".mpeg"}));
  EXPECT_EQ(Items(only), QStringList{U("所有")} + mp);
  EXPECT_EQ(only->count(), 59);

  // Clearing the text empties the list.
  QTest::keyClick(only->lineEdit(), Qt::Key_Backspace);
  QTest::keyClick(only->lineEdit(), Qt::Key_Backspace);
  EXPECT_TRUE(only->lineEdit()->text().isEmpty());
  EXPECT_EQ(only->count(), 0);

  TypeInto(only, U(".JPG"));
  EXPECT_EQ(only->lineEdit()->text(), U(".JPG"));
  EXPECT_EQ(Items(only), QStringList{U("所有")} + WithFirst(Strings({".jpg"})));

  // The other boxes, with their own leading items.
  QComboBox* skip = Ui().组合框_跳过扩展;
  TypeInto(skip, U("mp"));
  EXPECT_EQ(Items(skip), QStringList{U("不跳")} + mp);
  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_替换);
  QComboBox* change = Ui().组合框_修改扩展;
  TypeInto(change, U("mp"));
  EXPECT_EQ(Items(change), mp);
  QComboBox* create = Ui().组合框_创建扩展;
  TypeInto(create, U("mp"));
  EXPECT_EQ(Items(create), QStringList{U("创建目录")} + mp);
}

TEST_F(ExtensionBoxes, OpeningAnEmptyBoxFillsItInFull) {
  const QStringList all = BuiltInItems();
  ASSERT_EQ(all.size(), 58);
  QComboBox* only = Ui().组合框_仅检索;
  PressOn(only);
  EXPECT_EQ(Items(only), QStringList{U("所有")} + all);
  EXPECT_EQ(only->currentIndex(), -1);

  PressOn(Ui().组合框_跳过扩展);
  EXPECT_EQ(Items(Ui().组合框_跳过扩展), QStringList{U("不跳")} + all);
  EXPECT_EQ(Ui().组合框_跳过扩展->currentIndex(), -1);

  QComboBox* create = Ui().组合框_创建扩展;
  PressOn(create);
  PressOn(create);
  EXPECT_EQ(Items(create), QStringList{U("创建目录")} + all);

  Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_替换);
  PressOn(Ui().组合框_修改扩展);
  EXPECT_EQ(Items(Ui().组合框_修改扩展), all);

  // F4 opens the drop-down as well.
  TypeInto(only, U("x"));
  QTest::keyClick(only->lineEdit(), Qt::Key_Backspace);
  ASSERT_EQ(only->count(), 0);
  QTest::keyClick(only->lineEdit(), Qt::Key_F4);
  only->hidePopup();
  EXPECT_EQ(only->count(), 59);

  // With text in the box the items stay as they are.
  TypeInto(only, U("gif"));
  const QStringList filtered = Items(only);
  PressOn(only);
  EXPECT_EQ(Items(only), filtered);
  EXPECT_EQ(filtered.value(1), U(".gif"));
}

TEST_F(ExtensionBoxes, PickingAnItemReloadsTheList) {
  MakeFiles({"a.mp4", "b.txt", "c.txt"});
  Drop({PathOf("a.mp4")});
  QComboBox* only = Ui().组合框_仅检索;
  TypeInto(only, U(".txt"));
  EXPECT_EQ(Names().size(), 3);  // typing alone does not reload

  EXPECT_TRUE(Pick(only, U(".txt")).empty());
  EXPECT_EQ(only->currentText(), U(".txt"));
  EXPECT_EQ(Names(), Strings({"b.txt", "c.txt"}));

  EXPECT_TRUE(Pick(only, U("所有")).empty());
  EXPECT_EQ(Names(), Strings({"a.mp4", "b.txt", "c.txt"}));

  QComboBox* skip = Ui().组合框_跳过扩展;
  PressOn(skip);
  EXPECT_TRUE(Pick(skip, U(".mp4")).empty());
  EXPECT_EQ(Names(), Strings({"b.txt", "c.txt"}));

  // In the dropped-items mode a reload only empties the list.
  SetMode(2);
  EXPECT_TRUE(Pick(skip, U("不跳")).empty());
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_EQ(DirectoryLabel(), Folder());
}

TEST_F(ExtensionBoxes, EnterReloadsWithTypedTextAndALoadedFolder) {
  MakeFiles({"a.mp4", "b.txt"});
  QComboBox* only = Ui().组合框_仅检索;
  // Nothing loaded yet: Enter does nothing.
  TypeInto(only, U("txt"));
  EXPECT_TRUE(AnswerBoxes([&] { QTest::keyClick(only->lineEdit(), Qt::Key_Return); }).empty());
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_TRUE(DirectoryLabel().isEmpty());

  for (int i = 0; i < 3; ++i) QTest::keyClick(only->lineEdit(), Qt::Key_Backspace);
  Drop({PathOf("a.mp4")});
  ASSERT_EQ(Names().size(), 2);
  // Empty text: Enter does nothing.
  QTest::keyClick(only->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(Names().size(), 2);

  TypeInto(only, U("mp4"));
  EXPECT_TRUE(AnswerBoxes([&] { QTest::keyClick(only->lineEdit(), Qt::Key_Return); }).empty());
  EXPECT_EQ(Names(), Strings({"a.mp4"}));
}

TEST_F(ExtensionBoxes, TypedTextTakesEffectOnEnterOnlyAndOnce) {
  MakeFiles({"a.txt", "b.mp4"});
  MakeRawFile(dir_.Path(), "\xD6\xD0.txt");
  Drop({PathOf("a.txt")}, {Ok()});
  ASSERT_EQ(Names(), Strings({"a.txt", "b.mp4"}));
  QComboBox* only = Ui().组合框_仅检索;

  // Text equal to an item is still typed text: leaving the box neither picks
  // the item nor reloads.
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  only->lineEdit()->setFocus();
  TypeInto(only, U(".mp4"));
  ASSERT_TRUE(only->lineEdit()->hasFocus());
  EXPECT_TRUE(AnswerBoxes([&] { Ui().编辑框14->setFocus(); }).empty());
  EXPECT_FALSE(only->lineEdit()->hasFocus());
  EXPECT_EQ(only->currentIndex(), -1);
  EXPECT_EQ(Names(), Strings({"a.txt", "b.mp4"}));

  // Enter reloads once, and the user hears once about the left-out name.
  only->lineEdit()->setFocus();
  only->lineEdit()->selectAll();
  TypeInto(only, U(".txt"));
  EXPECT_EQ(AnswerBoxes([&] { QTest::keyClick(only->lineEdit(), Qt::Key_Return); }),
            std::vector<BoxRecord>{UnconvertibleNames(1, U("\\xD6\\xD0.txt"))});
  EXPECT_EQ(Names(), Strings({"a.txt"}));
  EXPECT_EQ(only->currentIndex(), -1);
}

// A left-out name is matched in its native bytes: the dot after a double-byte
// character of another code page must still be seen, so EUC-KR "한.txt"
// counts for "*.txt".
TEST_F(ExtensionBoxes, TypedFilterCountsEveryLeftOutNameItWouldList) {
  MakeFiles({"a.txt"});
  MakeRawFile(dir_.Path(), "\xC7\xD1.txt");
  Drop({PathOf("a.txt")}, {Ok()});
  QComboBox* only = Ui().组合框_仅检索;
  TypeInto(only, U(".txt"));
  EXPECT_EQ(AnswerBoxes([&] { QTest::keyClick(only->lineEdit(), Qt::Key_Return); }),
            std::vector<BoxRecord>{UnconvertibleNames(1, U("\\xC7\\xD1.txt"))});
  EXPECT_EQ(Names(), Strings({"a.txt"}));
}

}  // namespace
}  // namespace vantor::uitest
