// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/append_at_end.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "operations/expect_new_name.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::ExpectNewName;
using testing::G;
using testing::Workbench;

TEST(NewNameOfAppendAtEnd, AppendsToANonEmptyStem) {
  struct Case {
    const char* stem;
    const char* text;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", "_v2", std::nullopt},  // .gitignore has no stem
      {"README", "", std::nullopt},
      {"README", "_v2", "README_v2"},
      {"报告.final", "_v2", "报告.final_v2"},
      {"a.b", "_x", "a.b_x"},  // a.b.c: only the last dot starts the extension
      {"v1.5", "（新）", "v1.5（新）"},  // a folder name gets the text after the whole name
      {" ", " ", "  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " + " + c.text);
    ExpectNewName(NewNameOfAppendAtEnd(G(c.stem), {G(c.text)}), c.expected);
  }
}

TEST(RunAppendAtEnd, ChecksTheTextBeforeTheGuardsAndItsCharactersAfterThem) {
  Workbench bench;
  RunAppendAtEnd(bench.Context(), {ByteText()});
  RunAppendAtEnd(bench.Context(), {G("a:b")});
  bench.Files({"a.txt"});
  bench.Load();
  std::vector<Box> expected{{"弄啥嘞？不能为空", "信息："}, {"路径呢？请先拖入文件！", "信息："}};
  for (const char* text : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|", "x|y"}) {
    SCOPED_TRACE(text);
    RunAppendAtEnd(bench.Context(), {G(text)});
    expected.push_back({"不能改成这个东西", "信息：", MessageIcon::kNone});
  }
  EXPECT_EQ(bench.Boxes(), expected);
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"a.txt"});
}

TEST(RunAppendAtEnd, AppendsToFileStemsAndWholeFolderNames) {
  struct Case {
    ProcessingMode mode;
    std::set<std::string> expected;
    int renamed;
  };
  const Case cases[] = {
      {ProcessingMode::kFiles, {"a.b_x.c", ".gitignore", "README_x", "v1.5/"}, 2},
      {ProcessingMode::kFolders, {"a.b.c", ".gitignore", "README", "v1.5_x/"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    Workbench bench(c.mode);
    bench.Files({"a.b.c", ".gitignore", "README"});
    bench.Folders({"v1.5"});
    bench.Load();
    RunAppendAtEnd(bench.Context(), {G("_x")});
    EXPECT_EQ(bench.OnDisk(), c.expected);
    EXPECT_EQ(bench.Boxes().back(),
              (Box{"一共有" + std::to_string(c.renamed) + "个文件被改名成功", "修改成果提示"}));
  }
}

}  // namespace
}  // namespace vantor
