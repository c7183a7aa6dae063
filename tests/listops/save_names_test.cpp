// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(NamesFileContent, ListsTheNonEmptyNamesInUtf8EachWithLf) {
  struct Case {
    std::vector<std::string> rows;
    std::string expected;  // UTF-8
  };
  const Case cases[] = {
      {{}, ""},
      {{"", ""}, ""},
      {{"a.txt", "b.txt", "c.txt"}, "a.txt\nb.txt\nc.txt\n"},
      {{"a", "", "b", ""}, "a\nb\n"},
      {{"第1课.mp4"}, "第1课.mp4\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.rows));
    EntryList list;
    for (const std::string& row : c.rows) list.AppendRow(G(row));
    EXPECT_EQ(NamesFileContent(list), c.expected);
  }
}

const char kNothingToSave[] = "没有什么可以保存的";

// Answers the save dialog with a path (GBK) or a Cancel, and counts the asks.
struct SaveBench : Workbench {
  void Save(std::optional<InputText> answer) {
    SaveListedNames(list, prompter, [&] {
      ++asked;
      return answer;
    });
  }
  TempDir documents;
  int asked = 0;
};

TEST(SaveListedNames, WritesWhereTheUserChoseAndSaysWhere) {
  SaveBench bench;
  bench.Rows({"a.txt", "", "第2课.txt"});
  bench.documents.MakeFile("原文件名保存.txt", "earlier\r\n");  // the dialog asked, the user agreed
  const ByteText path = bench.documents.Gbk() + G("原文件名保存.txt");
  bench.Save(InputText(path));
  EXPECT_EQ(bench.documents.ReadFile("原文件名保存.txt"), "a.txt\n第2课.txt\n");
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{Reminder("已将原文件名存入txt文档内，\r\n保存位置：" +
                                                     Utf8ForDisplay(path))});
}

TEST(SaveListedNames, CancelAndEmptyListsWriteNothing) {
  SaveBench bench;
  bench.Save(InputText(bench.documents.Gbk() + "x.txt"));  // no rows: no dialog
  bench.Rows({"", ""});
  bench.Save(InputText(bench.documents.Gbk() + "x.txt"));
  EXPECT_EQ(bench.asked, 0);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Reminder(kNothingToSave), Reminder(kNothingToSave)}));

  bench.Rows({"a.txt"});
  bench.Save(std::nullopt);  // Cancel: nothing written, nothing said
  EXPECT_EQ(bench.asked, 1);
  EXPECT_EQ(bench.Boxes().size(), 2u);
  EXPECT_FALSE(bench.documents.Exists("x.txt"));
}

TEST(SaveListedNames, SaysSoWhenThePathCannotBeWritten) {
  SaveBench bench;
  bench.Rows({"a.txt"});
  bench.documents.MakeFile("not-a-folder");
  bench.Save(InputText(bench.documents.Gbk() + "not-a-folder/names.txt"));
  bench.Save(InputText(std::nullopt));  // a path without a GBK form
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Reminder("保存失败"), Reminder("保存失败")}));
}

}  // namespace
}  // namespace vantor
