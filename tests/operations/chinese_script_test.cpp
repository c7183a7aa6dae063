// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/chinese_script.h"

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
using testing::kConfirmRename;
using testing::kNothingChanged;
using testing::kPreviewNotice;
using testing::Workbench;

TEST(NewNameOfChineseScript, ConvertsWholeNamesThatKeepAGbkForm) {
  struct Case {
    const char* name;
    ChineseScript target;
    std::optional<std::string> expected;  // nullopt: no change
  };
  constexpr ChineseScript kSimplified = ChineseScript::kSimplified;
  constexpr ChineseScript kTraditional = ChineseScript::kTraditional;
  const Case cases[] = {
      {"", kSimplified, std::nullopt},
      {"lesson 1.mp4", kSimplified, std::nullopt},  // no Chinese at all
      {"lesson 1.mp4", kTraditional, std::nullopt},
      {"頭髮.txt", kSimplified, "头发.txt"},
      {"歷史 第一課.mp4", kSimplified, "历史 第一课.mp4"},
      {"头发.txt", kSimplified, std::nullopt},  // already simplified
      {"头发.txt", kTraditional, "頭髮.txt"},
      {"后面的历史.txt", kTraditional, "後面的歷史.txt"},
      {"頭髮.txt", kTraditional, std::nullopt},
      {"说明.书", kTraditional, "說明.書"},  // the extension too
      {"亂y並.txt", kSimplified, "乱y并.txt"},  // 亂 is 81 79: its trail byte is the ASCII y
      {"頭髮 and 頭髮.txt", kSimplified, "头发 and 头发.txt"},
      {"鲃鱼.txt", kTraditional, "䰾魚.txt"},  // 䰾, which GBK lacks, has a four-byte code
      {"儸.txt", kSimplified, "㑩.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.target == kSimplified ? " to simplified" : " to traditional"));
    ExpectNewName(NewNameOfChineseScript(G(c.name), c.target), c.expected);
  }
}

TEST(ChineseScriptConverter, PreparedStretchesConvertAsOneByOne) {
  // Enough distinct stretches to spread over several workers: every code of
  // the lead bytes 81-8F (many traditional characters among them), two by two.
  TextArray names;
  for (int lead = 0x81; lead <= 0x8F; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; trail += 2) {
      if (trail == 0x7F) continue;
      names.push_back(std::string{static_cast<char>(lead), static_cast<char>(trail), static_cast<char>(lead),
                                  static_cast<char>(trail + 1)} + "a.txt");
    }
  }
  ChineseScriptConverter prepared(ChineseScript::kSimplified);
  prepared.Prepare(names);
  int changed = 0;
  for (const ByteText& name : names) {
    SCOPED_TRACE(Utf8ForDisplay(name));
    const std::optional<ByteText> expected = NewNameOfChineseScript(name, ChineseScript::kSimplified);
    EXPECT_EQ(prepared.NewName(name), expected);
    changed += expected.has_value();
  }
  EXPECT_GT(changed, 100);
}

TEST(RunChineseScript, RenamesDirectlyOrInPreviewAndSaysSoInItsOwnWords) {
  Workbench bench;
  bench.Files({"頭髮.txt", "歷史.mp4", "readme.md", "中.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  RunChineseScript(bench.Context(), {ChineseScript::kSimplified});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kPreviewNotice});
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "历史.mp4", "", "头发.txt"}));

  bench.list.SetPreviewOn(false);
  bench.prompter.boxes.clear();
  RunChineseScript(bench.Context(), {ChineseScript::kSimplified});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, {"一共有2个文件被改名", "修改成果提示", MessageIcon::kNone}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"头发.txt", "历史.mp4", "readme.md", "中.txt"}));

  bench.prompter.boxes.clear();
  RunChineseScript(bench.Context(), {ChineseScript::kSimplified});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, kNothingChanged}));
}

TEST(RunChineseScript, RefusesTheRootInItsOwnWordsAndConvertsFolders) {
  Workbench bench(ProcessingMode::kFolders);
  bench.list.SetEntryDirectory("/");
  RunChineseScript(bench.Context(), {ChineseScript::kTraditional});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"什么都没有选择！", "提示"}}));

  bench.Folders({"历史", "abc"});
  bench.Files({"历史.txt"});
  bench.Load();
  bench.prompter.boxes.clear();
  RunChineseScript(bench.Context(), {ChineseScript::kTraditional});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, {"一共有1个文件被改名", "修改成果提示", MessageIcon::kNone}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"歷史/", "abc/", "历史.txt"}));
}

}  // namespace
}  // namespace vantor
