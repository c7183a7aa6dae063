// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/rename_by_list.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "listops/single_rename.h"
#include "pipeline/rename_journal.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::Reminder;
using testing::Workbench;

std::vector<std::string> Utf8(const TextArray& texts) {
  std::vector<std::string> out;
  for (const ByteText& text : texts) out.push_back(Utf8ForDisplay(text));
  return out;
}

TextArray Gbks(const std::vector<std::string>& utf8) {
  TextArray out;
  for (const std::string& text : utf8) out.push_back(G(text));
  return out;
}

std::vector<std::string> MappingColumn(const NameMapping& mapping, int column) {
  TextArray texts;
  mapping.rows.CollectColumnTexts(texts, column);
  return Utf8(texts);
}

// A mapping over listed names, with new names set as given.
NameMapping MappingOf(Workbench& bench, const std::vector<std::string>& newNames) {
  NameMapping mapping;
  EXPECT_TRUE(OpenNameMapping(bench.list, bench.prompter, mapping));
  SetNewNames(mapping, Gbks(newNames));
  return mapping;
}

TEST(MappedName, CarriesTheOldExtensionOverUnlessTheWholeNameIsGiven) {
  struct Row {
    std::string oldName, newName;
    bool withExtension;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"abc.txt", "x", false, "x.txt"},
      {"abc.txt", "x", true, "x"},
      {"abc.txt", "x.doc", false, "x.doc.txt"},
      {"abc.txt", "x.doc", true, "x.doc"},
      {"a.tar.gz", "b", false, "b.gz"},
      {"readme", "b", false, "b"},
      {"my file.old copy", "b", false, "b.old copy"},  // from the last "." on
      {".bashrc", "b", false, "b.bashrc"},
      {"第1课.mp4", "第一课", false, "第一课.mp4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.oldName + " -> " + row.newName);
    EXPECT_EQ(Utf8ForDisplay(MappedName(G(row.oldName), G(row.newName), row.withExtension)), row.expected);
  }
}

TEST(PastedNames, SplitsLinesAndTrimsTheirEnds) {
  struct Row {
    std::string text;
    std::vector<std::string> names;
  };
  const std::vector<Row> rows = {
      {"", {}},
      {"a", {"a"}},
      {"a \r\n b\n", {"a", " b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"名　\n", {"名"}},  // full-width space
      {"x\r\n", {"x"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Utf8(PastedNames(G(row.text))), row.names);
  }
}

TEST(OpenNameMapping, SkipsEmptyRowsAndRemembersWhereEachRowCameFrom) {
  Workbench bench;
  NameMapping mapping;
  EXPECT_FALSE(OpenNameMapping(bench.list, bench.prompter, mapping));
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{Reminder("先拖入文件！")});

  bench.Rows({"a.txt", "", "b.txt", "", "c.txt"});
  ASSERT_TRUE(OpenNameMapping(bench.list, bench.prompter, mapping));
  EXPECT_EQ(MappingColumn(mapping, 0), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(MappingColumn(mapping, 1), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(mapping.origin, (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(mapping.rows.EntryDirectory(), bench.dir.Gbk());

  // More new names than entries: rows without a listed name are added.
  SetNewNames(mapping, Gbks({"x", "y", "z", "w"}));
  EXPECT_EQ(MappingColumn(mapping, 0), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", ""}));
  EXPECT_EQ(MappingColumn(mapping, 1), (std::vector<std::string>{"x", "y", "z", "w"}));
  EXPECT_EQ(mapping.origin, (std::vector<int>{0, 2, 4, -1}));
  // Fewer: the rows after them keep their new names.
  SetNewNames(mapping, Gbks({"p"}));
  EXPECT_EQ(MappingColumn(mapping, 1), (std::vector<std::string>{"p", "y", "z", "w"}));
  ClearNewNames(mapping);
  EXPECT_EQ(MappingColumn(mapping, 1), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(bench.Boxes().size(), 1u);
}

TEST(ReverseAndSortNewNames, RewriteTheTopRowsAndClearTheTail) {
  struct Row {
    std::vector<std::string> newNames, reversed, sorted;
  };
  const std::vector<Row> rows = {
      {{"a", "", "b", "c"}, {"c", "b", "a", ""}, {"a", "b", "c", ""}},
      {{"", "", "10", "2"}, {"2", "10", "", ""}, {"2", "10", "", ""}},
      {{"", ""}, {"", ""}, {"", ""}},
      {{"第10课", "第2课", "第1课"}, {"第1课", "第2课", "第10课"}, {"第1课", "第2课", "第10课"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.newNames));
    Workbench bench;
    bench.Rows({"1", "2"});
    NameMapping mapping = MappingOf(bench, row.newNames);
    ReverseNewNames(mapping, bench.prompter);
    EXPECT_EQ(MappingColumn(mapping, 1), row.reversed);
    SetNewNames(mapping, Gbks(row.newNames));
    SortNewNames(mapping, bench.prompter);
    EXPECT_EQ(MappingColumn(mapping, 1), row.sorted);
    EXPECT_TRUE(bench.Boxes().empty());
  }

  Workbench bench;
  bench.Rows({""});
  NameMapping empty = MappingOf(bench, {});
  ReverseNewNames(empty, bench.prompter);
  SortNewNames(empty, bench.prompter);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Reminder("列表框是空的！"), Reminder("列表框是空的！")}));
}

Box Ask(const std::string& text) { return {text, "提示", MessageIcon::kNone, true}; }
const Box kAsk = Ask("确定按名单改名吗？");

TEST(RenameByMapping, RenamesEachRowToItsNewNameAndReportsFailures) {
  Workbench bench;
  bench.Files({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "taken.txt"});
  bench.Rows({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "gone.txt"});
  // b: no new name; c: would replace taken.txt; d: not a name; e: unchanged;
  // gone: no such file; the added row has no listed name.
  NameMapping mapping = MappingOf(bench, {"第一", "", "taken", "a/b", "e", "new", "extra"});

  const MappingRunResult result = RenameByMapping(mapping, bench.prompter, /*withExtension=*/false);
  EXPECT_EQ(result.renamed, 1);
  EXPECT_EQ(result.failed, 3);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"第一.txt", "b.txt", "c.txt", "d.txt", "e.txt", "taken.txt"}));
  EXPECT_EQ(MappingColumn(mapping, 0),
            (std::vector<std::string>{"第一.txt", "b.txt", "c.txt", "d.txt", "e.txt", "gone.txt", ""}));
  // Done rows (e.txt was already so named) lose their new name; failed ones keep it.
  EXPECT_EQ(MappingColumn(mapping, 1), (std::vector<std::string>{"", "", "taken", "a/b", "", "new", "extra"}));
  EXPECT_EQ(bench.Boxes(),
            (std::vector<Box>{kAsk, {"一共有1个文件被改名", "修改成果提示"}, testing::FailedRenames(3)}));
}

TEST(RenameByMapping, WithTheExtensionTakesTheWholeNewName) {
  Workbench bench;
  bench.Files({"a.txt", "b.txt", "c.txt"});
  bench.Rows({"a.txt", "b.txt", "c.txt"});
  NameMapping mapping = MappingOf(bench, {"x", "y.md", ".."});
  const MappingRunResult result = RenameByMapping(mapping, bench.prompter, /*withExtension=*/true);
  EXPECT_EQ(result.renamed, 2);
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"x", "y.md", "c.txt"}));
  EXPECT_EQ(bench.Boxes(),
            (std::vector<Box>{kAsk, {"一共有2个文件被改名", "修改成果提示"}, testing::FailedRenames(1)}));

  // Nothing left to do but the refused row; the question says the counts differ.
  ClearNewNames(mapping);
  SetNewNames(mapping, Gbks({"z"}));
  bench.prompter.boxes.clear();
  bench.prompter.answers = {false};
  EXPECT_EQ(RenameByMapping(mapping, bench.prompter, true).renamed, 0);  // Cancel: nothing more
  ClearNewNames(mapping);
  RenameByMapping(mapping, bench.prompter, true);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Ask("确定按名单改名吗？\r\n名单有1行，列表有3项，只改前1项"),
                                             Ask("确定按名单改名吗？\r\n名单有0行，列表有3项，只改前0项"),
                                             {"没有任何改动", "没有改动"}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"x", "y.md", "c.txt"}));
}

// The hand edit and the list rename say only that their journal could not be
// written, and change nothing.
TEST(RenameByMapping, AndTheHandEditStopWhenTheirJournalCannotBeWritten) {
  testing::TempDir state;
  state.MakeFile("file");
  SetJournalFolderForTesting(state.Path() + "file/vantor-rename");
  Workbench bench;
  bench.Files({"a.txt"});
  bench.Rows({"a.txt"});
  NameMapping mapping = MappingOf(bench, {"b"});
  const MappingRunResult result = RenameByMapping(mapping, bench.prompter, false);
  EXPECT_EQ(ConfirmHandEdit(bench.list, {0, 0, G("a.txt")}, G("c.txt"), false), HandEditResult::kNotStarted);
  SetJournalFolderForTesting({});
  EXPECT_EQ(result.renamed + result.failed, 0);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kAsk, Reminder("无法写入改名记录，没有改名")}));
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"a.txt"});
}

TEST(WriteBackNames, PutsEachNameBackIntoTheRowItCameFrom) {
  Workbench bench;
  bench.list.SetPreviewOn(true);
  bench.Rows({"a.txt", "", "b.txt", "c.txt"});
  bench.Pending(0, "pa");
  bench.Pending(1, "p1");
  bench.Pending(2, "pb");
  bench.Pending(3, "pc");
  NameMapping mapping = MappingOf(bench, {"", "", "", "more"});
  mapping.rows.SetEntryCell(G("x.txt"), 0, 0);  // renamed
  mapping.rows.SetEntryCell(G(""), 2, 0);       // emptied by hand
  mapping.rows.SetEntryCell(G("d.txt"), 3, 0);  // moved onto the added row

  WriteBackNames(mapping, bench.list);
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"x.txt", "", "b.txt", "", "d.txt"}));
  // Changed rows lose their pending name; the empty row and b.txt keep theirs.
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "p1", "pb", "", ""}));
}

}  // namespace
}  // namespace vantor
