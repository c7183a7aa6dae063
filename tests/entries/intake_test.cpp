// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include "entries/intake.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "support/gbk_text.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

using ::vantor::testing::ScriptedPrompter;
using ::vantor::testing::TempDir;

using ::vantor::testing::G;
using ::vantor::testing::GbkAll;


TextArray Rows(const EntryList& list) {
  TextArray names;
  list.CollectColumnTexts(names, 0);
  return names;
}

std::set<ByteText> RowSet(const EntryList& list) {
  const TextArray names = Rows(list);
  return {names.begin(), names.end()};
}

IntakeSettings Settings(ProcessingMode mode, ByteText pattern = "*.*",
                        std::optional<ByteText> skip = std::nullopt) {
  return {mode, std::move(pattern), std::move(skip)};
}

const char kDesktopText[] =
    "为了督促大家养成良好的习惯，\r\n特做此设置！！！\r\n请不要把一些重要文件放在桌面，\r\n"
    "因为一旦日后你重装系统或者系统崩溃了，\r\n桌面的东西有可能丢失，\r\n请移动到其他盘符进行操作！";

// A work folder with files and sub-folders, and a second folder beside it.
class IntakeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root.MakeFolder("课程/第一章");
    root.MakeFolder("课程/sub");
    root.MakeFolder("other");
    for (const char* name : {"课程/10.mp4", "课程/2.mp4", "课程/1.mp4", "课程/说明.txt", "课程/b.TXT",
                             "other/x.txt"}) {
      root.MakeFile(name);
    }
  }

  ByteText Work() const { return root.Gbk() + G("课程/"); }
  void ExpectOneBox(const std::string& text) {
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, text);
    EXPECT_EQ(prompter.boxes[0].title, "提示");
    EXPECT_EQ(prompter.boxes[0].icon, MessageIcon::kInformation);
    EXPECT_FALSE(prompter.boxes[0].confirm);
  }

  TempDir root;
  EntryList list;
  ScriptedPrompter prompter;
};

TEST_F(IntakeTest, DroppedFileStandsForTheFilesOfItsFolder) {
  list.AppendRow("stale");
  EXPECT_EQ(AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), Work() + "2.mp4").count, 0);
  EXPECT_EQ(list.EntryDirectory(), Work());
  EXPECT_EQ(Rows(list), GbkAll({"1.mp4", "2.mp4", "10.mp4", "b.TXT", "说明.txt"}));
  EXPECT_TRUE(prompter.boxes.empty());

  // Several items of one folder give its list once.
  AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), Work() + "10.mp4");
  EXPECT_EQ(list.RowCount(), 5);

  // A second drop replaces the list with the other folder's files.
  AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), root.Gbk() + "other/x.txt");
  EXPECT_EQ(list.EntryDirectory(), root.Gbk() + "other/");
  EXPECT_EQ(Rows(list), TextArray{"x.txt"});
}

TEST_F(IntakeTest, SkipExtensionAppliesOnlyWhenSearchingAll) {
  struct Row {
    const char* what;
    IntakeSettings settings;
    std::vector<std::string> want;
  };
  const std::vector<Row> rows = {
      {"skip .txt", Settings(ProcessingMode::kFiles, "*.*", ".txt"), {"1.mp4", "2.mp4", "10.mp4", "b.TXT"}},
      {"skip compares exactly", Settings(ProcessingMode::kFiles, "*.*", ".TXT"),
       {"1.mp4", "2.mp4", "10.mp4", "说明.txt"}},
      {"skip nothing", Settings(ProcessingMode::kFiles, "*.*", G("不跳")),
       {"1.mp4", "2.mp4", "10.mp4", "b.TXT", "说明.txt"}},
      {"only mp4, skip ignored", Settings(ProcessingMode::kFiles, "*.mp4", ".mp4"),
       {"1.mp4", "2.mp4", "10.mp4"}},
      {"only txt in any case", Settings(ProcessingMode::kFiles, "*.txt"), {"b.TXT", "说明.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    AcceptDroppedPath(list, prompter, row.settings, Work() + "1.mp4");
    EXPECT_EQ(Rows(list), GbkAll(row.want));
  }
}

TEST_F(IntakeTest, DroppedFolderStandsForTheSubfoldersBesideIt) {
  const IntakeSettings folders = Settings(ProcessingMode::kFolders, "*.txt", ".txt");
  for (const ByteText& dropped : {Work() + "sub", Work() + "sub/"}) {
    SCOPED_TRACE(dropped);
    AcceptDroppedPath(list, prompter, folders, dropped);
    EXPECT_EQ(list.EntryDirectory(), Work());
    EXPECT_EQ(RowSet(list), (std::set<ByteText>{"sub", G("第一章")}));
  }
}

TEST_F(IntakeTest, DroppedItemsAccumulateWithinOneFolderOnly) {
  const IntakeSettings items = Settings(ProcessingMode::kDroppedItems, "*.mp4", ".txt");
  AcceptDroppedPath(list, prompter, items, Work() + G("说明.txt"));
  AcceptDroppedPath(list, prompter, items, Work() + "sub");
  EXPECT_TRUE(prompter.boxes.empty());
  AcceptDroppedPath(list, prompter, items, root.Gbk() + "other/x.txt");
  ExpectOneBox("列表里的文件来自另一个文件夹，请先清空列表再拖入");
  EXPECT_EQ(Rows(list), (TextArray{G("说明.txt"), "sub"}));
  EXPECT_EQ(list.EntryDirectory(), Work());
}

TEST_F(IntakeTest, TakesPathsLongerThanAThousandBytes) {
  std::string deep;
  for (char letter : {'a', 'b', 'c', 'd', 'e'}) {
    deep += std::string(250, letter) + "/";
    root.MakeFolder(deep);
  }
  root.MakeFile(deep + "第1集.mp4");
  root.MakeFile(deep + "2.mp4");
  const ByteText folder = root.Gbk() + deep;
  ASSERT_GT(folder.size(), 1250u);

  AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), folder + "2.mp4");
  EXPECT_EQ(list.EntryDirectory(), folder);
  EXPECT_EQ(Rows(list), GbkAll({"2.mp4", "第1集.mp4"}));

  EntryList items;
  AcceptDroppedPath(items, prompter, Settings(ProcessingMode::kDroppedItems), folder + G("第1集.mp4"));
  EXPECT_EQ(items.EntryDirectory(), folder);
  EXPECT_EQ(Rows(items), TextArray{G("第1集.mp4")});
  EXPECT_TRUE(prompter.boxes.empty());
}

// Only the user's own desktop folder is refused (below); a folder that merely
// has the word in its path is not.
TEST_F(IntakeTest, AcceptsFoldersWhosePathMerelyHoldsDesktop) {
  root.MakeFolder("desktop-app");
  root.MakeFile("desktop-app/a.txt");
  EXPECT_EQ(AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), root.Gbk() + "desktop-app/a.txt").count, 0);
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_EQ(Rows(list), TextArray{"a.txt"});
}

// Hidden entries stay out of folder listings unless asked for; an item dropped
// in the dropped-items mode is listed, hidden or not.
TEST_F(IntakeTest, HiddenEntriesAreListedOnlyWhenShownOrDroppedOneByOne) {
  root.MakeFile("课程/.secret.mp4");
  root.MakeFolder("课程/.cache");
  IntakeSettings files = Settings(ProcessingMode::kFiles);
  AcceptDroppedPath(list, prompter, files, Work() + "2.mp4");
  EXPECT_EQ(Rows(list), GbkAll({"1.mp4", "2.mp4", "10.mp4", "b.TXT", "说明.txt"}));
  files.showHidden = true;
  EXPECT_EQ(ReloadAfterFilterChange(list, files).count, 0);
  EXPECT_EQ(Rows(list), GbkAll({".secret.mp4", "1.mp4", "2.mp4", "10.mp4", "b.TXT", "说明.txt"}));

  ReadChosenFolder(list, prompter, Settings(ProcessingMode::kFolders), Work());
  EXPECT_EQ(Rows(list), GbkAll({"sub", "第一章"}));

  EntryList items;
  AcceptDroppedPath(items, prompter, Settings(ProcessingMode::kDroppedItems), Work() + ".secret.mp4");
  EXPECT_EQ(Rows(items), TextArray{".secret.mp4"});
  EXPECT_TRUE(prompter.boxes.empty());
}

// The desktop folder as the user's desktop names it is refused too, with
// everything under it; a desktop named as the home folder refuses nothing.
TEST_F(IntakeTest, RefusesTheUsersOwnDesktopFolder) {
  struct Row {
    const char* desktop;
    const char* home;
    const char* directory;
    bool refused;
  };
  const Row cases[] = {
      {"/home/li/桌面", "/home/li", "/home/li/桌面/", true},
      {"/home/li/桌面/", "/home/li", "/home/li/桌面/相册/", true},
      {"/home/li/桌面", "/home/li", "/home/li/桌面2/", false},
      {"/home/li/桌面", "/home/li", "/home/li/", false},
      {"/home/li/", "/home/li", "/home/li/照片/", false},
      {"/", "/home/li", "/home/li/", false},
      {"", "/home/li", "/home/li/桌面/", false},
  };
  for (const Row& row : cases) {
    SCOPED_TRACE(std::string(row.desktop) + " " + row.directory);
    prompter.boxes.clear();
    SetUserDesktopFolder(G(row.desktop), G(row.home));
    list.SetEntryDirectory(G(row.directory));
    EXPECT_EQ(RefuseDesktopDirectory(list, prompter), row.refused);
    if (row.refused) {
      ExpectOneBox(kDesktopText);
      EXPECT_EQ(list.EntryDirectory(), "");
    } else {
      EXPECT_TRUE(prompter.boxes.empty());
    }
  }
  SetUserDesktopFolder({}, {});
}

TEST_F(IntakeTest, EmptyPathIsNothingSelected) {
  list.SetEntryDirectory(Work());
  list.AppendRow("stale");
  EXPECT_EQ(AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), "").count, 0);
  ExpectOneBox("什么都没有选择");
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.EntryDirectory(), Work());

  prompter.boxes.clear();
  AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), "/");
  ExpectOneBox("什么都没有选择");
  EXPECT_EQ(list.EntryDirectory(), "");
}

TEST_F(IntakeTest, ReadChosenFolderReportsNothingChosenAndKeepsTheList) {
  list.SetEntryDirectory(Work());
  list.AppendRow("kept");
  EXPECT_EQ(ReadChosenFolder(list, prompter, Settings(ProcessingMode::kFiles), std::nullopt).count, 0);
  ExpectOneBox("什么都没有选择");
  EXPECT_EQ(Rows(list), TextArray{"kept"});
  EXPECT_EQ(list.EntryDirectory(), Work());

  prompter.boxes.clear();
  list.SetEntryDirectory("/");
  ReadChosenFolder(list, prompter, Settings(ProcessingMode::kFiles), Work());
  ExpectOneBox("什么都没有选择");
  EXPECT_EQ(list.EntryDirectory(), "");
  EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(IntakeTest, ReadChosenFolderReadsByModeAndAlwaysSkips) {
  ByteText chosen = Work();
  chosen.pop_back();
  struct Row {
    const char* what;
    IntakeSettings settings;
    std::vector<std::string> want;
  };
  const std::vector<Row> rows = {
      {"files", Settings(ProcessingMode::kFiles), {"1.mp4", "2.mp4", "10.mp4", "b.TXT", "说明.txt"}},
      {"dropped items read the whole folder", Settings(ProcessingMode::kDroppedItems, "*.*", ".mp4"),
       {"b.TXT", "说明.txt"}},
      {"skip applies with any pattern", Settings(ProcessingMode::kFiles, "*.txt", ".txt"), {"b.TXT"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ReadChosenFolder(list, prompter, row.settings, chosen);
    EXPECT_EQ(list.EntryDirectory(), Work());
    EXPECT_EQ(Rows(list), GbkAll(row.want));
  }
  ReadChosenFolder(list, prompter, Settings(ProcessingMode::kFolders, "*.*", ".txt"), chosen);
  EXPECT_EQ(RowSet(list), (std::set<ByteText>{"sub", G("第一章")}));
  EXPECT_TRUE(prompter.boxes.empty());

  root.MakeFolder("Desktop");
  SetUserDesktopFolder(root.Gbk() + "Desktop", "/nowhere");
  ReadChosenFolder(list, prompter, Settings(ProcessingMode::kFiles), root.Gbk() + "Desktop");
  SetUserDesktopFolder({}, {});
  ExpectOneBox(kDesktopText);
  EXPECT_EQ(list.EntryDirectory(), "");
  EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(IntakeTest, ReloadAfterFilterChangeReloadsOnlyFolderModes) {
  list.SetEntryDirectory(Work());
  list.AppendRow("stale");
  ReloadAfterFilterChange(list, Settings(ProcessingMode::kFiles, "*.mp4"));
  EXPECT_EQ(Rows(list), (TextArray{"1.mp4", "2.mp4", "10.mp4"}));
  ReloadAfterFilterChange(list, Settings(ProcessingMode::kFolders));
  EXPECT_EQ(RowSet(list), (std::set<ByteText>{"sub", G("第一章")}));
  ReloadAfterFilterChange(list, Settings(ProcessingMode::kDroppedItems));
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.EntryDirectory(), Work());
}

TEST_F(IntakeTest, LoadFolderEntriesLeavesOutAndNamesOnlyNamesThatAreNotUtf8) {
  root.MakeFile("课程/\xF0\x9F\x98\x80.mp4");  // an emoji: listed in its four-byte code
  root.MakeFile("课程/\xFF.txt");
  root.MakeFile("课程/\xD6\xD0.mp4");  // raw GBK bytes
  root.MakeFolder("课程/\xF0\x9F\x8E\xB5");
  root.MakeFolder("课程/\xCE\xC4");

  EXPECT_EQ(LoadFolderEntries(list, Settings(ProcessingMode::kFiles)).count, 0);  // nothing loaded yet
  list.SetEntryDirectory("/");
  EXPECT_EQ(LoadFolderEntries(list, Settings(ProcessingMode::kFiles)).count, 0);
  EXPECT_EQ(list.EntryDirectory(), "");
  EXPECT_EQ(list.RowCount(), 0);

  list.SetEntryDirectory(Work());
  const LeftOutNames files = LoadFolderEntries(list, Settings(ProcessingMode::kFiles));
  EXPECT_EQ(files.count, 2);
  EXPECT_EQ(files.shown, (std::vector<std::string>{"\xD6\xD0.mp4", "\xFF.txt"}));
  EXPECT_EQ(list.RowCount(), 6);
  TextArray rows;
  list.CollectColumnTexts(rows, 0);
  EXPECT_NE(std::find(rows.begin(), rows.end(), "\x94\x39\xFC\x36.mp4"), rows.end());
  EXPECT_EQ(LoadFolderEntries(list, Settings(ProcessingMode::kFolders)).count, 1);
  EXPECT_EQ(list.RowCount(), 9);  // the caller empties the list when it wants a fresh one
  EXPECT_EQ(LoadFolderEntries(list, Settings(ProcessingMode::kDroppedItems)).count, 0);
  EXPECT_EQ(list.RowCount(), 9);

  EXPECT_EQ(AcceptDroppedPath(list, prompter, Settings(ProcessingMode::kFiles), Work() + "1.mp4").count, 2);
  EXPECT_EQ(ReadChosenFolder(list, prompter, Settings(ProcessingMode::kFolders), Work()).count, 1);
  EXPECT_EQ(ReloadAfterFilterChange(list, Settings(ProcessingMode::kFiles, "*.mp4")).count, 1);
}

}  // namespace
}  // namespace vantor
