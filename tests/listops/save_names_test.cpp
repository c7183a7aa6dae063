#include "listops/save_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::Reminder;
using testing::TempDir;
using testing::Workbench;

TEST(NamesFileContent, ListsTheNonEmptyNamesEachWithCrLf) {
  struct Case {
    std::vector<std::string> rows;
    std::string expected;  // UTF-8 of the expected GBK bytes
  };
  const Case cases[] = {
      {{}, ""},
      {{"", ""}, ""},
      {{"a.txt", "b.txt", "c.txt"}, "a.txt\r\nb.txt\r\nc.txt\r\n"},
      {{"a", "", "b", ""}, "a\r\nb\r\n"},
      {{"第1课.mp4"}, "第1课.mp4\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.rows));
    EntryList list;
    for (const std::string& row : c.rows) list.AppendRow(G(row));
    EXPECT_EQ(NamesFileContent(list), G(c.expected));
  }
}

const char kSavedBeside[] = "已将原文件名存入txt文档内，\r\n并已将txt文档保存到本软件的同级文件夹";
const char kNothingToSave[] = "没有什么可以保存的";

struct SaveBench : Workbench {
  void Save() { SaveListedNames(list, prompter, {program.Gbk(), documents.Gbk()}); }
  TempDir program;
  TempDir documents;
};

TEST(SaveListedNames, WritesBesideTheProgramAndReplacesTheEarlierFile) {
  SaveBench bench;
  bench.Rows({"a.txt", "b.txt", "c.txt"});
  bench.Save();
  EXPECT_EQ(bench.program.ReadFile("原文件名保存.txt"), "a.txt\r\nb.txt\r\nc.txt\r\n");
  EXPECT_EQ(bench.program.ReadFile("原文件名保存.txt").size(), 21u);

  bench.list.SetEntryCell({}, 0, 0);
  bench.list.SetEntryCell(G("第2课.txt"), 1, 0);
  bench.Save();
  EXPECT_EQ(bench.program.ReadFile("原文件名保存.txt"), G("第2课.txt\r\nc.txt\r\n"));
  EXPECT_FALSE(bench.documents.Exists("原文件名保存.txt"));
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Reminder(kSavedBeside), Reminder(kSavedBeside)}));
}

TEST(SaveListedNames, RefusesAListWithoutNamesAndKeepsTheEarlierFile) {
  SaveBench bench;
  bench.program.MakeFile("原文件名保存.txt", "earlier\r\n");
  bench.Save();  // no rows
  bench.Rows({"", ""});
  bench.Save();
  EXPECT_EQ(bench.program.ReadFile("原文件名保存.txt"), "earlier\r\n");
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Reminder(kNothingToSave), Reminder(kNothingToSave)}));
}

TEST(SaveListedNames, GoesToTheDocumentsFolderWhenTheProgramFolderCannotTakeIt) {
  SaveBench bench;
  bench.Rows({"a.txt"});
  bench.program.MakeFile("not-a-folder");
  // The program folder path leads through a file: nothing can be written there.
  SaveListedNames(bench.list, bench.prompter, {bench.program.Gbk() + "not-a-folder", bench.documents.Gbk()});
  // A program folder with no GBK form cannot be used either.
  SaveListedNames(bench.list, bench.prompter, {std::nullopt, bench.documents.Gbk()});
  EXPECT_EQ(bench.documents.ReadFile("原文件名保存.txt"), "a.txt\r\n");
  const Box named = Reminder("已将原文件名存入txt文档内，\r\n保存位置：" + bench.documents.Path() + "原文件名保存.txt");
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{named, named}));

  bench.prompter.boxes.clear();
  SaveListedNames(bench.list, bench.prompter, {std::nullopt, bench.program.Gbk() + "not-a-folder/"});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{Reminder("保存失败")});
}

}  // namespace
}  // namespace vantor
