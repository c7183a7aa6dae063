// SPDX-License-Identifier: GPL-3.0-or-later
// What the user sees when a run's boxes appear: the list already shows the
// outcome, and every box is asked for after the list's change notices went out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/commit.h"
#include "pipeline/rename_run.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::G;
using testing::RunStemRule;
using testing::Workbench;

// Counts the change notices the list has sent.
class NoticeCounter : public EntryListObserver {
 public:
  void OnReset() override { ++notices; }
  void OnRowsAppended(int, int) override { ++notices; }
  void OnCellsChanged(int, int) override { ++notices; }
  void OnPreviewChanged() override { ++notices; }
  int notices = 0;
};

// Records, for every box, how many notices the view had received by then and
// what the list's first row showed.
class ListWatchingPrompter : public Prompter {
 public:
  ListWatchingPrompter(const EntryList& list, const NoticeCounter& counter) : list_(list), counter_(counter) {}
  void Inform(const ByteText& text, const ByteText&, MessageIcon) override { Record(text); }
  bool Confirm(const ByteText& text, const ByteText&, MessageIcon) override {
    Record(text);
    return true;
  }
  struct Seen {
    std::string text;
    int notices;
    std::string firstRow;
  };
  std::vector<Seen> seen;

 private:
  void Record(const ByteText& text) {
    seen.push_back({Utf8ForDisplay(text), counter_.notices, Utf8ForDisplay(list_.Cell(0, 0))});
  }
  const EntryList& list_;
  const NoticeCounter& counter_;
};

TEST(RunReporting, BoxesComeAfterTheViewWasToldOfTheNewNames) {
  Workbench bench(ProcessingMode::kFiles);
  bench.Files({"1.txt", "2.txt"});
  bench.Load();
  NoticeCounter counter;
  bench.list.SetObserver(&counter);
  ListWatchingPrompter prompter(bench.list, counter);

  // Direct run: the summary and the failure box see the renamed rows.
  bench.Files({"2x.txt"});  // 2.txt cannot become 2x.txt
  RunRename(RunContext{bench.list, prompter, bench.intake}, {}, KeepingExtension([](const ByteText& stem) {
              return std::optional<ByteText>(stem + "x");
            }));
  ASSERT_EQ(prompter.seen.size(), 3u);
  EXPECT_EQ(prompter.seen[0].notices, 0);  // the confirmation comes before any change
  EXPECT_EQ(prompter.seen[1].text, "一共有1个文件被改名成功");
  EXPECT_EQ(prompter.seen[1].notices, 1);
  EXPECT_EQ(prompter.seen[1].firstRow, "1x.txt");
  EXPECT_EQ(prompter.seen[2].text, "有1个文件改名失败，已保留原名");

  // Commit: its failure box too comes after the one ranged change.
  prompter.seen.clear();
  bench.list.SetPreviewOn(true);
  bench.list.SetEntryCell(G("1y.txt"), 0, 1);
  bench.list.SetEntryCell(G("2x.txt"), 1, 1);
  const int before = counter.notices;
  CommitPreview(bench.list, prompter);
  ASSERT_EQ(prompter.seen.size(), 1u);
  EXPECT_EQ(prompter.seen[0].notices, before + 1);
  EXPECT_EQ(prompter.seen[0].firstRow, "1y.txt");
  bench.list.SetObserver(nullptr);
}

}  // namespace
}  // namespace vantor
