// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/natural_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "support/gbk_text.h"

namespace vantor {
namespace {

using ::vantor::testing::G;
using ::vantor::testing::GbkAll;


TextArray Sorted(TextArray names) {
  const int count = NaturalSort(names);
  EXPECT_EQ(count, static_cast<int>(names.size()));
  return names;
}

// Names without a digit in their first 7 bytes, to bring a list up to a size.
TextArray WithFillers(TextArray names, int size) {
  for (int i = static_cast<int>(names.size()); i < size; ++i) names.push_back("zzzzzzzz" + std::to_string(i));
  return names;
}

// The order of the given names within a sorted list.
TextArray OrderOf(const TextArray& sorted, const TextArray& wanted) {
  TextArray order;
  for (const ByteText& name : sorted) {
    if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) order.push_back(name);
  }
  return order;
}

TEST(NaturalSort, LeavesEmptyAndSingleListsAlone) {
  TextArray empty;
  EXPECT_EQ(NaturalSort(empty), 0);
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(Sorted({"7.mp4"}), TextArray{"7.mp4"});
}

TEST(NaturalSort, OrdersEveryDigitRunByValue) {
  struct Row {
    const char* what;
    std::vector<std::string> input;
    std::vector<std::string> want;
  };
  const std::vector<Row> rows = {
      {"episodes", {"10.mp4", "2.mp4", "1.mp4", "第3集.mp4", "第10集.mp4"},
       {"1.mp4", "2.mp4", "10.mp4", "第3集.mp4", "第10集.mp4"}},
      {"digits, capitals, small letters, double-byte", {"第", "a", "B", "1"}, {"1", "B", "a", "第"}},
      {"number past byte 7", {"chapter10", "chapter2"}, {"chapter2", "chapter10"}},
      {"four-character Chinese prefix", {"视频片段10.mp4", "视频片段2.mp4", "视频片段1.mp4"},
       {"视频片段1.mp4", "视频片段2.mp4", "视频片段10.mp4"}},
      {"second number counts too", {"1a10", "1a9", "第2集-10.mp4", "第2集-9.mp4"},
       {"1a9", "1a10", "第2集-9.mp4", "第2集-10.mp4"}},
      {"long digit runs", {"x123456789012345678901", "x99999999999999999999", "x5"},
       {"x5", "x99999999999999999999", "x123456789012345678901"}},
      {"leading zeros: equal value, then bytes", {"1.mp4", "01.mp4", "001.mp4", "2.mp4", "010.mp4"},
       {"001.mp4", "01.mp4", "1.mp4", "2.mp4", "010.mp4"}},
      {"four digits after three", {"1000.mp4", "999.mp4", "20.mp4", "100.mp4", "7.mp4"},
       {"7.mp4", "20.mp4", "100.mp4", "999.mp4", "1000.mp4"}},
      {"a prefix first", {"ab1", "ab", "a"}, {"a", "ab", "ab1"}},
      {"digits against letters", {"a", "1", "a1", "aa"}, {"1", "a", "a1", "aa"}},
      {"equal names", {"b", "a", "b", "a"}, {"a", "a", "b", "b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Sorted(GbkAll(row.input)), GbkAll(row.want));
    // The order does not depend on how many names are sorted with them.
    const TextArray padded = WithFillers(GbkAll(row.input), 150);
    EXPECT_EQ(OrderOf(Sorted(padded), GbkAll(row.want)), GbkAll(row.want));
  }
  // GB18030 four-byte characters carry digit bytes; they are characters, not numbers.
  EXPECT_EQ(Sorted({"\x81\x30\x81\x39", "\x81\x30\x81\x30" "9", "\x81\x30\x81\x30" "10"}),
            (TextArray{"\x81\x30\x81\x30" "9", "\x81\x30\x81\x30" "10", "\x81\x30\x81\x39"}));
}

// The sort keys and the shared work must give exactly the order of the
// comparison itself, on lists small and large (two threads from 32,768 names),
// with and without names that do not fit the keys (lone lead bytes, a lead
// byte followed by a digit, very long digit runs).
TEST(NaturalSort, GivesTheOrderOfTheComparisonOnLargeLists) {
  const std::vector<std::string> pieces = {
      "0", "00", "1", "01", "9", "10", "007", "123456789012345678901234567890", "a", "A", "_", " ", ".", "/",
      ":", "z", "\x80", "\xD6\xD0", "\xB5\xDA", "\x81\x30\x81\x30", "\x81\x30\x81\x39", "\x84\x31\xA4\x39"};
  struct Row {
    const char* what;
    int count;
    std::string odd;  // put into every 1000th name; empty: none
  };
  const std::vector<Row> rows = {{"small", 500, ""},
                                 {"large", 33000, ""},
                                 {"large with a lone lead byte", 33000, "\xD6"},
                                 {"with a lead byte and a digit", 3000, "\xD6" "5x"},
                                 {"with 300 digits", 3000, std::string(300, '7')}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TextArray names;
    uint32_t state = 12345;
    for (int i = 0; i < row.count; ++i) {
      ByteText name;
      state = state * 1103515245u + 12345u;
      for (uint32_t parts = 1 + (state >> 16) % 5, seed = state; parts > 0; --parts, seed = seed * 69069u + 1u) {
        name += pieces[(seed >> 12) % pieces.size()];
      }
      if (!row.odd.empty() && i % 1000 == 999) name += row.odd;
      names.push_back(std::move(name));
    }
    TextArray expected = names;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const ByteText& a, const ByteText& b) { return CompareNaturally(a, b) < 0; });
    const std::vector<uint32_t> order = NaturalOrder(names);
    ASSERT_EQ(order.size(), names.size());
    TextArray byOrder;
    for (const uint32_t i : order) byOrder.push_back(names[i]);
    EXPECT_EQ(byOrder, expected);
    // Equal names keep their input order.
    for (size_t k = 1; k < order.size(); ++k) {
      if (names[order[k - 1]] == names[order[k]]) {
        ASSERT_LT(order[k - 1], order[k]) << names[order[k]];
      }
    }
    EXPECT_EQ(Sorted(names), expected);
  }
}

TEST(NaturalSort, NeverChangesANameThatHoldsAMarker) {
  const TextArray input = GbkAll({"第10集加1个蛋蛋.mp4", "第2集.mp4", "加2个蛋蛋00.txt", "01.mp4加1个蛋蛋"});
  TextArray sorted = Sorted(input);
  std::sort(sorted.begin(), sorted.end());
  TextArray expected = input;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted, expected);
}

}  // namespace
}  // namespace vantor
