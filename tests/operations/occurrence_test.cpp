// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/occurrence.h"

#include <gtest/gtest.h>

#include <string>

#include "support/gbk_text.h"

namespace vantor {
namespace {

using testing::G;

TEST(FindOccurrence, FindsTheFirstOrTheLastMatchByCharacters) {
  struct Case {
    const char* text;
    const char* needle;
    Occurrence occurrence;
    int expected;
  };
  const Case cases[] = {
      {"a-b-c", "", Occurrence::kFirst, -1},
      {"", "-", Occurrence::kFirst, -1},
      {"a-b-c", "-", Occurrence::kNone, -1},
      {"a-b-c", "-", Occurrence::kFirst, 2},
      {"a-b-c", "-", Occurrence::kLast, 4},
      {"a-b-c", "B", Occurrence::kFirst, -1},
      {"第1集第2集", "集", Occurrence::kLast, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " | " + c.needle + " | " + std::to_string(static_cast<int>(c.occurrence)));
    EXPECT_EQ(FindOccurrence(G(c.text), G(c.needle), c.occurrence), c.expected);
  }
  EXPECT_EQ(FindOccurrence(G("中文"), "\xD0\xCE", Occurrence::kLast), -1);  // across two characters
}

}  // namespace
}  // namespace vantor
