// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/create_entries.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::TempDir;
using testing::Workbench;

TEST(NameToCreate, JoinsTheStemAndTheKindIntoAPlainName) {
  struct Case {
    const char* listed;
    const char* kind;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"", ".txt", std::nullopt},
      {".gitignore", ".txt", std::nullopt},  // no stem
      {"第1课.mp4", ".txt", "第1课.txt"},
      {"第1课.mp4", "txt", "第1课txt"},
      {"第1课.mp4", "创建目录", "第1课"},
      {"第1课.mp4", "", "第1课"},
      {"a.tar.gz", "创建目录", "a.tar"},
      {"a.mp4", "/../x", std::nullopt},
      {"a.mp4", "/b", std::nullopt},
      {"...", "创建目录", std::nullopt},  // stem ".."
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.listed) + " | " + c.kind);
    const std::optional<ByteText> name = NameToCreate(G(c.listed), G(c.kind));
    if (c.expected) {
      EXPECT_EQ(name, G(*c.expected));
    } else {
      EXPECT_EQ(name, std::nullopt);
    }
  }
}

const Box kNeedPath{"请先填入有效路径，并选好后缀！\r\n如果想创建文件夹则不需要选后缀或者选择\"创建目录！\"", "信息："};
const Box kNoSuchPath{"这个路径并不存在", "信息："};
const Box kNothingCreated{"什么都没有创建", "没有发生任何变化"};
Box Created(int count) { return {"成功创建" + std::to_string(count) + "个文件夹", "创建成果提示"}; }

struct CreateBench : Workbench {
  void Create(std::optional<std::string> kind) {
    CreateEntriesFromList(list, prompter, {target.Gbk(), kind ? std::optional<ByteText>(G(*kind)) : std::nullopt});
  }
  std::set<std::string> Target() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(target.Path())) {
      names.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    }
    return names;
  }
  TempDir target;
};

TEST(CreateEntriesFromList, CreatesFilesOnceAndNeverOverwrites) {
  CreateBench bench;
  bench.Rows({"第1课.mp4", "", ".gitignore", "第2课.mp4"});
  bench.Create(".txt");
  EXPECT_EQ(bench.Target(), (std::set<std::string>{"第1课.txt", "第2课.txt"}));
  EXPECT_EQ(bench.target.ReadFile("第1课.txt"), G("测试文件"));
  EXPECT_EQ(bench.target.ReadFile("第2课.txt").size(), 8u);

  bench.target.MakeFile("第1课.txt", "written by the user");
  bench.Create(".txt");
  EXPECT_EQ(bench.target.ReadFile("第1课.txt"), "written by the user");
  bench.Create("txt");
  EXPECT_EQ(bench.Target(), (std::set<std::string>{"第1课.txt", "第2课.txt", "第1课txt", "第2课txt"}));
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Created(2), kNothingCreated, Created(2)}));
  // The listed entries are not touched.
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"第1课.mp4", "", ".gitignore", "第2课.mp4"}));
}

TEST(CreateEntriesFromList, CreatesFoldersForTheFolderKindAndForNoKind) {
  CreateBench bench;
  bench.Rows({"第1课.mp4", "第2课.mp4"});
  bench.target.MakeFile("第2课");  // a file of that name is not a folder created
  bench.Create("创建目录");
  bench.Create("创建目录");
  bench.Rows({"第3课.mp4"});
  bench.Create("");
  EXPECT_EQ(bench.Target(), (std::set<std::string>{"第1课/", "第2课", "第3课/"}));
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Created(1), kNothingCreated, Created(1)}));
}

TEST(CreateEntriesFromList, RefusesBadInputsAndCreatesNothing) {
  CreateBench bench;
  bench.target.MakeFile("file");
  const ByteText cue = G("将在这里创建");
  struct Case {
    const char* what;
    bool entryDirectory;
    InputText target;
    InputText kind;
    Box expected;
  };
  const Case cases[] = {
      {"no entry directory", false, bench.target.Gbk(), G(".txt"), kNeedPath},
      {"empty target", true, ByteText(), G(".txt"), kNeedPath},
      {"cue text", true, cue, G(".txt"), kNeedPath},
      {"target without GBK form", true, std::nullopt, G(".txt"), kNeedPath},
      {"relative target", true, ByteText("work"), G(".txt"), kNeedPath},
      {"missing target", true, bench.target.Gbk() + "missing", G(".txt"), kNoSuchPath},
      {"target is a file", true, bench.target.Gbk() + "file", G(".txt"), kNoSuchPath},
      {"kind without GBK form", true, bench.target.Gbk(), std::nullopt,
       {"输入的文字含有无法识别的字符，不能用在文件名里", "提示"}},
      {"separator in the kind", true, bench.target.Gbk(), ByteText("/../x"), kNothingCreated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bench.list.Clear();
    bench.list.SetEntryDirectory(c.entryDirectory ? bench.dir.Gbk() : ByteText());
    bench.list.AppendRow(G("a.mp4"));
    bench.prompter.boxes.clear();
    CreateEntriesFromList(bench.list, bench.prompter, {c.target, c.kind});
    EXPECT_EQ(bench.Boxes(), std::vector<Box>{c.expected});
    EXPECT_EQ(bench.Target(), std::set<std::string>{"file"});
  }
}

}  // namespace
}  // namespace vantor
