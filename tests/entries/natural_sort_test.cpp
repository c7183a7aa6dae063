#include "entries/natural_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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

TEST(NaturalSort, OrdersShortLeadingNumbersByValue) {
  struct Row {
    const char* what;
    std::vector<std::string> input;
    std::vector<std::string> want;
  };
  const std::vector<Row> rows = {
      {"episodes", {"10.mp4", "2.mp4", "1.mp4", "第3集.mp4", "第10集.mp4"},
       {"1.mp4", "2.mp4", "10.mp4", "第3集.mp4", "第10集.mp4"}},
      {"digits, capitals, small letters, double-byte", {"第", "a", "B", "1"}, {"1", "B", "a", "第"}},
      {"digit at byte 7 is padded", {"abcdef10", "abcdef3"}, {"abcdef3", "abcdef10"}},
      {"digit at byte 8 is not", {"abcdefg3", "abcdefg10"}, {"abcdefg10", "abcdefg3"}},
      {"double-byte prefix of 6 bytes", {"第一二10", "第一二3"}, {"第一二3", "第一二10"}},
      {"double-byte prefix of 8 bytes", {"第一二三5", "第一二三10"}, {"第一二三10", "第一二三5"}},
      {"only the first number counts", {"第2集-9.mp4", "第2集-10.mp4", "第10集-1.mp4"},
       {"第2集-10.mp4", "第2集-9.mp4", "第10集-1.mp4"}},
      {"unpadded 01 before padded 1", {"1.mp4", "01.mp4"}, {"01.mp4", "1.mp4"}},
      {"three digits stay in a short list", {"100", "20", "3"}, {"3", "100", "20"}},
      {"equal names", {"b", "a", "b", "a"}, {"a", "a", "b", "b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Sorted(GbkAll(row.input)), GbkAll(row.want));
  }
}

TEST(NaturalSort, PadsToTheWidthTheListSizeCallsFor) {
  const TextArray numbers = {"100.mp4", "20.mp4", "7.mp4", "10.mp4"};
  EXPECT_EQ(OrderOf(Sorted(WithFillers(numbers, 99)), numbers),
            (TextArray{"7.mp4", "10.mp4", "100.mp4", "20.mp4"}));
  EXPECT_EQ(OrderOf(Sorted(WithFillers(numbers, 100)), numbers),
            (TextArray{"7.mp4", "10.mp4", "20.mp4", "100.mp4"}));

  const TextArray wide = {"999.mp4", "1000.mp4", "5.mp4"};
  EXPECT_EQ(OrderOf(Sorted(WithFillers(wide, 150)), wide),
            (TextArray{"5.mp4", "1000.mp4", "999.mp4"}));
}

TEST(NaturalSort, NeverChangesANameThatHoldsAMarker) {
  const TextArray input = GbkAll({"第10集加1个蛋蛋.mp4", "第2集.mp4", "加2个蛋蛋00.txt", "01.mp4加1个蛋蛋"});
  TextArray sorted = Sorted(input);
  std::sort(sorted.begin(), sorted.end());
  TextArray expected = input;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted, expected);
}

TEST(NaturalSort, KeepsInputOrderForEqualKeys) {
  // In a short list 1.mp4 is keyed as 01.mp4 plus the one-zero marker, which is
  // exactly the other name.
  const ByteText padded = "1.mp4";
  const ByteText literal = G("01.mp4加1个蛋蛋");
  EXPECT_EQ(Sorted({padded, literal}), (TextArray{padded, literal}));
  EXPECT_EQ(Sorted({literal, padded}), (TextArray{literal, padded}));
}

// The order as first designed: pad and tag with a marker, binary insertion
// sort by bytes, strip the markers and padding again.
TextArray ReferenceNaturalSort(TextArray names) {
  const ByteText one = Gbk("加1个蛋蛋");
  const ByteText two = Gbk("加2个蛋蛋");
  const bool wide = names.size() >= 100;
  for (ByteText& name : names) {
    int first = -1;
    for (int i = 0; i < 7 && i < TextLength(name); ++i) {
      if (name[i] >= '0' && name[i] <= '9') {
        first = i;
        break;
      }
    }
    if (first < 0) continue;
    auto isDigit = [&](int i) { return i < TextLength(name) && name[i] >= '0' && name[i] <= '9'; };
    const int digits = !isDigit(first + 1) ? 1 : (!isDigit(first + 2) ? 2 : 3);
    const ByteText number = name.substr(first, digits);
    if (digits == 1 && !wide) {
      name = ReplaceText(name, number, "0" + number, 1, 1, true) + one;
    } else if (digits == 1) {
      name = ReplaceText(name, number, "00" + number, 1, 1, true) + two;
    } else if (digits == 2 && wide) {
      name = ReplaceText(name, number, "0" + number, 1, 1, true) + one;
    }
  }

  TextArray ordered;
  for (const ByteText& x : names) {
    if (ordered.empty() || CompareText(x, ordered.back(), true) >= 0) {
      ordered.push_back(x);
    } else if (CompareText(x, ordered.front(), true) <= 0) {
      ordered.insert(ordered.begin(), x);
    } else {
      int lo = 1, hi = static_cast<int>(ordered.size());
      int mid = (hi + lo) / 2;
      while (hi - lo > 1) {
        const int order = CompareText(x, ordered[mid - 1], true);
        if (order == 0) break;
        (order < 0 ? hi : lo) = mid;
        mid = (hi + lo) / 2;
      }
      const bool after = CompareText(x, ordered[mid - 1], true) > 0;
      ordered.insert(ordered.begin() + mid - (after ? 0 : 1), x);
    }
  }

  for (ByteText& name : ordered) {
    if (FindText(name, one) > 0) {
      name.erase(FindTextReverse(name, one) - 1, one.size());
      name = ReplaceText(name, "0", "", 1, 1, true);
    }
    if (FindText(name, two) > 0) {
      name.erase(FindTextReverse(name, two) - 1, two.size());
      name = ReplaceText(name, "00", "", 1, 1, true);
    }
  }
  return ordered;
}

TEST(NaturalSort, OrdersLikeTheMarkerAlgorithmOnRandomNames) {
  const TextArray pieces = {"0", "1", "2", "7", "9", "0", "3", "a", "B", "z", " ", ".", "-", ".mp4",
                            "_", G("第"), G("集"), G("课"), G("中"), "\x81\x61", "\xB1\x5C"};
  std::mt19937 random(20240531);
  for (int round = 0; round < 300; ++round) {
    const int size = std::uniform_int_distribution<int>(1, 160)(random);
    TextArray names;
    for (int i = 0; i < size; ++i) {
      ByteText name;
      const int length = std::uniform_int_distribution<int>(0, 8)(random);
      for (int k = 0; k < length; ++k) {
        name += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
      }
      names.push_back(name);
    }
    SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(size) + " names");
    const TextArray want = ReferenceNaturalSort(names);
    ASSERT_EQ(Sorted(names), want);
  }
}

}  // namespace
}  // namespace vantor
