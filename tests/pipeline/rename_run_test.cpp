// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/rename_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entries/intake.h"
#include "entries/messages.h"
#include "pipeline/guards.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::FailedRenames;
using testing::G;
using testing::kConfirmRename;
using testing::kNothingChanged;
using testing::kPreviewNotice;
using testing::RenamedSummary;
using testing::RunStemRule;
using testing::StemAndOrdinalRule;
using testing::Workbench;

// A rule that appends suffix to every stem.
StemAndOrdinalRule Append(std::string suffix) {
  return [suffix = G(suffix)](const ByteText& stem, int) -> std::optional<ByteText> { return stem + suffix; };
}

TEST(PassGuards, RefusesInOrderWithTheirOwnMessages) {
  const std::string desktop = Utf8ForDisplay(messages::DesktopRefusal());
  struct Case {
    const char* directory;
    Box box;
    const char* directoryAfter;
  };
  const Case cases[] = {
      {"", {"路径呢？请先拖入文件！", "信息："}, ""},
      {"/home/u/Desktop/课程/", {desktop, "提示"}, ""},
      {"/home/u/Desktop/", {desktop, "提示"}, ""},
      {"/", {"什么都没有选择", "提示"}, "/"},
  };
  SetUserDesktopFolder(G("/home/u/Desktop"), G("/home/u"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.directory);
    Workbench bench;
    bench.list.SetEntryDirectory(G(c.directory));
    EXPECT_FALSE(PassGuards(bench.prompter, bench.list));
    EXPECT_EQ(bench.Boxes(), std::vector<Box>{c.box});
    EXPECT_EQ(bench.list.EntryDirectory(), G(c.directoryAfter));
  }

  // Other folders pass, even when "desktop" is part of their path.
  for (const char* directory : {"/srv/资料/", "/home/u/desktop/", "/mnt/DESKTOPS/", "/home/u/Desktop2/"}) {
    SCOPED_TRACE(directory);
    Workbench bench;
    bench.list.SetEntryDirectory(G(directory));
    EXPECT_TRUE(PassGuards(bench.prompter, bench.list));
    EXPECT_TRUE(bench.Boxes().empty());
  }
  SetUserDesktopFolder({}, {});
}

TEST(RunRename, CountsOnlyTheRenamesThatHappened) {
  Workbench bench;
  bench.Files({"a.txt", "b.txt", "bx.txt", "c", "d.txt"});
  bench.Folders({"dx.txt"});  // not listed, and in the way of d.txt
  bench.Load();  // a.txt b.txt bx.txt c d.txt
  // b.txt -> bx.txt waits for bx.txt -> bxx.txt; d.txt -> dx.txt meets the
  // folder; c -> "" is no name at all.
  const RenameRunResult result =
      RunStemRule(bench, {}, [](const ByteText& stem, int) {
        return stem == "c" ? std::optional<ByteText>("") : std::optional<ByteText>(stem + "x");
      });

  EXPECT_EQ(result.renamed, 3);
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, RenamedSummary(3), FailedRenames(1)}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"ax.txt", "bx.txt", "bxx.txt", "c", "d.txt"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"ax.txt", "bx.txt", "bxx.txt", "c", "d.txt", "dx.txt/"}));
  EXPECT_EQ(bench.dir.ReadFile("bx.txt"), "content of b.txt");
  EXPECT_EQ(bench.dir.ReadFile("bxx.txt"), "content of bx.txt");
}

TEST(RunRename, PreviewMarksThePendingNamesACommitWouldRefuse) {
  Workbench bench;
  bench.Files({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"});
  bench.Folders({"taken.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  // e.txt takes the name f.txt leaves.
  const std::vector<std::string> pending = {"x.txt", "x.txt", "taken.txt", "p/q.txt", "f.txt", "g.txt"};
  RunRename(bench.Context(), {}, [&pending](const RenameEntryView& entry) -> std::optional<ByteText> {
    return G(pending[entry.row]);
  });
  EXPECT_EQ(bench.Column(1), pending);
  const std::vector<PendingMark> marks = {PendingMark::kDuplicateName, PendingMark::kDuplicateName,
                                          PendingMark::kNameTaken, PendingMark::kInvalidName, PendingMark::kNone, PendingMark::kNone};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(bench.list.MarkOf(row), marks[row]) << "row " << row;

  // Rewriting a pending name drops its mark until the next preview run.
  bench.list.SetEntryCell(G("y.txt"), 0, 1);
  EXPECT_EQ(bench.list.MarkOf(0), PendingMark::kNone);
}

TEST(RunRename, NeverRenamesToANameThatCannotBeWrittenOnDisk) {
  struct Case {
    const char* label;
    ByteText suffix;
  };
  const Case cases[] = {
      {"byte that is no GBK", "\xFF"},
      {"lone lead byte", "\x81"},
      {"separator", "/x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Workbench bench;
    bench.Files({"a.txt"});
    bench.Load();
    RunStemRule(bench, {},
              [&c](const ByteText& stem, int) -> std::optional<ByteText> { return stem + c.suffix; });
    EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, kNothingChanged, FailedRenames(1)}));
    EXPECT_EQ(bench.Column(0), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"a.txt"});
  }
}

TEST(RunRename, PassesOverEmptyRowsAndWritesEachResultToItsOwnRow) {
  for (const bool preview : {false, true}) {
    SCOPED_TRACE(preview ? "preview" : "direct");
    Workbench bench;
    bench.Files({"a.txt", "b.txt"});
    bench.Rows({"", "a.txt", "", "b.txt"});
    bench.list.SetPreviewOn(preview);
    std::vector<int> ordinals;
    RunStemRule(bench, {},
              [&ordinals](const ByteText& stem, int ordinal) -> std::optional<ByteText> {
                ordinals.push_back(ordinal);
                return stem + "x";
              });

    EXPECT_EQ(ordinals, (std::vector<int>{1, 2}));
    if (preview) {
      EXPECT_EQ(bench.Boxes(), std::vector<Box>{kPreviewNotice});
      EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"", "a.txt", "", "b.txt"}));
      EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "ax.txt", "", "bx.txt"}));
    } else {
      EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, RenamedSummary(2)}));
      EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"", "ax.txt", "", "bx.txt"}));
      EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"ax.txt", "bx.txt"}));
    }
  }
}

TEST(RunRename, TwoPreviewRunsCombinePerRowFromTheCurrentNames) {
  Workbench bench;
  bench.Files({"1.txt", "2.txt", "3.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  const auto only = [](const char* which, const char* suffix) -> StemAndOrdinalRule {
    return [which, suffix](const ByteText& stem, int) -> std::optional<ByteText> {
      if (ByteText(which).find(stem) == ByteText::npos) return std::nullopt;
      return stem + suffix;
    };
  };
  RunStemRule(bench, {}, only("12", "a"));
  RunStemRule(bench, {}, only("23", "b"));

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kPreviewNotice, kPreviewNotice}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"1a.txt", "2b.txt", "3b.txt"}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"1.txt", "2.txt", "3.txt"}));
}

TEST(RunRename, TakesAFolderNamedLikeAFileAsStemAndExtensionInDroppedItemsMode) {
  Workbench bench(ProcessingMode::kDroppedItems);
  bench.Folders({"a.b"});
  AcceptDroppedPath(bench.list, bench.prompter, bench.intake, bench.dir.Gbk() + "a.b");
  ASSERT_EQ(bench.Column(0), std::vector<std::string>{"a.b"});

  std::vector<std::string> stems;
  RunStemRule(bench, {},
            [&stems](const ByteText& stem, int) -> std::optional<ByteText> {
              stems.push_back(stem);
              return stem + "1";
            });
  EXPECT_EQ(stems, std::vector<std::string>{"a"});
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"a1.b/"});
  EXPECT_EQ(bench.Column(0), std::vector<std::string>{"a1.b"});
}

TEST(RunRename, UsesTheOperationsConfirmTextAndItsSkipChoice) {
  Workbench bench(ProcessingMode::kDroppedItems);
  bench.Files({"a.txt"});
  bench.Rows({"a.txt"});
  bench.intake.skipExtension = ".txt";
  bench.prompter.answers = {false, true};
  RenameRunOptions options;
  options.confirmation.text = G("真的吗？");
  options.applySkipExtension = false;

  const RenameRunResult cancelled = RunStemRule(bench, options, Append("x"));
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"a.txt"});

  const RenameRunResult done = RunStemRule(bench, options, Append("x"));
  EXPECT_FALSE(done.cancelled);
  EXPECT_EQ(done.renamed, 1);
  const Box ask{"真的吗？", "提示", MessageIcon::kNone, true};
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{ask, ask, RenamedSummary(1)}));
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"ax.txt"});
}

// Long enough to be split among threads: the plan is the one a single rule
// gives, in row order, with the same ordinals and skipped rows.
TEST(PlanRenamesOnAllCores, GivesThePlanOfOneRule) {
  Workbench bench;
  bench.intake.skipExtension = G(".log");
  bench.list.SetEntryDirectory(bench.dir.Gbk());
  for (int i = 0; i < 20000; ++i) bench.list.AppendRow(G(std::to_string(i) + (i % 7 == 0 ? ".log" : ".txt")));
  bench.list.AppendRow({});
  const NewNameRule rule = [](const RenameEntryView& entry) -> std::optional<ByteText> {
    if (entry.ordinal % 5 == 0) return std::nullopt;
    if (entry.ordinal % 5 == 1) return entry.name;
    return entry.stem + "-" + std::to_string(entry.ordinal) + entry.extension;
  };
  RenameRunOptions options;
  options.previewUnchangedRows = true;
  const RenamePlan single = PlanRenames(bench.Context(), options, rule);
  const RenamePlan parallel = PlanRenamesOnAllCores(bench.Context(), options, [&rule] { return rule; });
  EXPECT_EQ(parallel.walked, 20000);
  EXPECT_EQ(parallel.walked, single.walked);
  EXPECT_EQ(parallel.unchangedRows, single.unchangedRows);
  ASSERT_EQ(parallel.changes.size(), single.changes.size());
  for (size_t i = 0; i < single.changes.size(); ++i) {
    EXPECT_EQ(parallel.changes[i].row, single.changes[i].row);
    EXPECT_EQ(parallel.changes[i].newName, single.changes[i].newName);
  }
  EXPECT_GT(single.changes.size(), 10000u);
}

}  // namespace
}  // namespace vantor
