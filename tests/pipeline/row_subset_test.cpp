// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/row_subset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_prompter.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using ::vantor::testing::G;

TEST(NameFilter, MatchesWildcardsOrAnExpressionWithoutRegardToCase) {
  struct Case {
    const char* filter;
    const char* name;
    bool matches;
  };
  const std::vector<Case> cases = {
      {"", "anything", true},
      {"*.srt", "E01.SRT", true},
      {"*.srt", "E01.srt.txt", false},
      {"e0?.*", "E05.mkv", true},
      {"e0?.*", "E10.mkv", false},
      {"第?集*", "第3集.mp4", true},   // ? is one character, a Chinese one too
      {"srt", "a.SRT.bak", true},     // no wildcard: found anywhere
      {"re:^e\\d+\\.", "E12.mkv", true},
      {"re:^e\\d+\\.", "xE12.mkv", false},
      {"re:集$", "第3集", true},
      {"re:(", "anything", true},     // invalid: hides nothing
      {"re:", "anything", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.filter) + " on " + c.name);
    const NameFilter filter(G(c.filter));
    EXPECT_EQ(filter.Matches(G(c.name)), c.matches);
  }
  EXPECT_FALSE(NameFilter(G("re:(")).Valid());
  EXPECT_FALSE(NameFilter(G("re:(")).Error().empty());
  EXPECT_FALSE(NameFilter(G("re:(")).Active());
  EXPECT_TRUE(NameFilter(G("re:a")).Valid());
  EXPECT_FALSE(NameFilter(G("re:")).Active());
}

TEST(MakeRowSubset, TakesTheShownRowsAndOfThemTheSelectedOnes) {
  EntryList list;
  for (const char* name : {"a.srt", "b.mkv", "c.srt", "d.srt"}) list.AppendRow(name);
  struct Case {
    const char* filter;
    bool onlySelected;
    std::vector<int> selected;
    std::vector<char> in;  // empty: every row
    bool noneChosen;
    int count;
  };
  const std::vector<Case> cases = {
      {"", false, {1}, {}, false, 4},
      {"*.srt", false, {}, {1, 0, 1, 1}, false, 3},
      {"", true, {3, 1}, {0, 1, 0, 1}, false, 2},
      {"*.srt", true, {1, 3}, {0, 0, 0, 1}, false, 1},  // a hidden selected row is left out
      {"*.srt", true, {1}, {0, 0, 0, 0}, true, 0},
      {"", true, {}, {0, 0, 0, 0}, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.filter) + (c.onlySelected ? " only selected" : ""));
    const RowSubset subset = MakeRowSubset(list, NameFilter(c.filter), c.onlySelected, c.selected);
    EXPECT_EQ(subset.in, c.in);
    EXPECT_EQ(subset.noneChosen, c.noneChosen);
    EXPECT_EQ(subset.Count(list.RowCount()), c.count);
  }
  testing::ScriptedPrompter prompter;
  const RowSubset none = MakeRowSubset(list, NameFilter(), true, {});
  EXPECT_TRUE(RefuseNoRowChosen(&none, prompter));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "请先选中要改的行");
  EXPECT_EQ(prompter.boxes[0].title, "提醒：");
  EXPECT_FALSE(RefuseNoRowChosen(nullptr, prompter));
}

}  // namespace
}  // namespace vantor
