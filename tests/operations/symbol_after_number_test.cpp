// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/symbol_after_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "entries/intake.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::kConfirmRename;
using testing::kNothingChanged;
using testing::kPreviewNotice;
using testing::RenamedSummary;
using testing::Workbench;

const Box kNoDirectory{"路径呢？请先拖入文件！", "信息："};
const Box kNoInsertText{"加什么？不能为空", "信息："};

TEST(NewNameOfSymbolAfterNumber, InsertsAfterTheFirstNumberNearTheFront) {
  struct Case {
    const char* stem;
    const char* insert;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", "、", std::nullopt},
      {"1", "", std::nullopt},  // inserting nothing changes nothing
      {"1", "-", "1-"},
      {"无数字的名字", "、", std::nullopt},
      {"０１全角数字", "、", std::nullopt},
      {"０１全角后3", "-", "０１全角后3-"},  // the ASCII 3 at byte 11 is the first number
      {"01开始了解ps的界面", "、", "01、开始了解ps的界面"},
      {"第3课", "-", "第3-课"},
      {"第12课3", "-", "第12-课3"},
      {"01 第2节", "、", "01、 第2节"},
      {"01、a", "、", "01、、a"},
      {"2020资料", "_", "2020_资料"},
      {"abcdefghijklm5x", "-", "abcdefghijklm5-x"},  // byte 14
      {"abcdefghijklmn5", "-", std::nullopt},        // byte 15
      {"一二三四五六a8", "-", "一二三四五六a8-"},  // byte 14 after double-byte text
      {"一二三四五六七8", "-", std::nullopt},      // byte 15
      {"a1b1", "x", "a1xb1"},
      {"1a", "12", "112a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " + " + c.insert);
    const std::optional<ByteText> changed = NewNameOfSymbolAfterNumber(G(c.stem), {G(c.insert)});
    if (c.expected) {
      ASSERT_TRUE(changed.has_value());
      EXPECT_EQ(Utf8ForDisplay(*changed), *c.expected);
    } else {
      EXPECT_FALSE(changed.has_value()) << Utf8ForDisplay(*changed);
    }
  }
}

TEST(NewNameOfSymbolAfterNumber, LeavesADigitThatIsTheTrailByteOfALoneLeadByteAlone) {
  // "\x81" "1" reads as one double-byte character, so the digit cannot be
  // found on a character boundary.
  EXPECT_FALSE(NewNameOfSymbolAfterNumber("\x81" "1abc", {"-"}).has_value());
}

TEST(RunSymbolAfterNumber, AsksForTheFolderBeforeTheInsertText) {
  Workbench bench;
  RunSymbolAfterNumber(bench.Context(), {""});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNoDirectory});
}

TEST(RunSymbolAfterNumber, RefusesAnEmptyInsertTextBeforeTheDesktopGuard) {
  Workbench bench;
  SetUserDesktopFolder("/home/u/Desktop", "/home/u");
  bench.list.SetEntryDirectory("/home/u/Desktop/");
  RunSymbolAfterNumber(bench.Context(), {""});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNoInsertText});
  EXPECT_EQ(bench.list.EntryDirectory(), "/home/u/Desktop/");

  RunSymbolAfterNumber(bench.Context(), {"-"});
  ASSERT_EQ(bench.Boxes().size(), 2u);
  EXPECT_EQ(bench.Boxes()[1].title, "提示");
  EXPECT_EQ(bench.list.EntryDirectory(), "");
  SetUserDesktopFolder({}, {});
}

TEST(RunSymbolAfterNumber, RenamesFilesAfterConfirmationAndKeepsExtensions) {
  Workbench bench;
  bench.Files({"01开始了解ps的界面.mp4", "第3课.txt", "lesson.3", "说明.md", "2020.12.mp4"});
  bench.Load();
  RunSymbolAfterNumber(bench.Context(), {G("、")});

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, RenamedSummary(3)}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"01、开始了解ps的界面.mp4", "第3、课.txt", "lesson.3",
                                                    "说明.md", "2020、.12.mp4"}));
  EXPECT_EQ(bench.dir.ReadFile("第3、课.txt"), "content of 第3课.txt");
  std::vector<std::string> rows = bench.Column(0);
  std::set<std::string> listed(rows.begin(), rows.end());
  EXPECT_EQ(listed, bench.OnDisk());
}

TEST(RunSymbolAfterNumber, RenamesWholeFolderNamesInFolderMode) {
  Workbench bench(ProcessingMode::kFolders);
  bench.Folders({"2020资料", "ab.3", "资料"});
  bench.Files({"1.txt"});
  bench.Load();
  RunSymbolAfterNumber(bench.Context(), {"_"});

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, RenamedSummary(2)}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"2020_资料/", "ab.3_/", "资料/", "1.txt"}));
}

TEST(RunSymbolAfterNumber, CancelChangesNothingAndShowsNoSummary) {
  Workbench bench;
  bench.Files({"1a.txt", "2b.txt"});
  bench.Load();
  bench.prompter.answers = {false};
  RunSymbolAfterNumber(bench.Context(), {"-"});

  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kConfirmRename});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"1a.txt", "2b.txt"}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1a.txt", "2b.txt"}));
}

TEST(RunSymbolAfterNumber, ReportsNoChangeWithoutAskingWhenTheLoadedFolderIsEmpty) {
  Workbench bench;
  bench.Load();
  RunSymbolAfterNumber(bench.Context(), {"-"});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kNothingChanged});
}

TEST(RunSymbolAfterNumber, PassesOverTheSkippedExtensionOnlyWithTheAllFilesPattern) {
  struct Case {
    const char* pattern;
    std::set<std::string> expected;
  };
  const Case cases[] = {
      {"*.*", {"1-a.mp4", "1b.txt"}},
      {"*.mp4", {"1-a.mp4", "1-b.txt"}},  // the row list decides; the pattern only disables the skip
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    Workbench bench(ProcessingMode::kDroppedItems);
    bench.Files({"1a.mp4", "1b.txt"});
    bench.Rows({"1a.mp4", "1b.txt"});
    bench.intake.onlySearchPattern = c.pattern;
    bench.intake.skipExtension = ".txt";
    RunSymbolAfterNumber(bench.Context(), {"-"});
    EXPECT_EQ(bench.OnDisk(), c.expected);
  }
}

TEST(RunSymbolAfterNumber, PreviewWritesOnlyThePendingColumn) {
  Workbench bench;
  bench.Files({"01课.mp4", "说明.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  RunSymbolAfterNumber(bench.Context(), {G("、")});

  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kPreviewNotice});
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"01课.mp4", "说明.txt"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"01、课.mp4", ""}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"01课.mp4", "说明.txt"}));
}

}  // namespace
}  // namespace vantor
