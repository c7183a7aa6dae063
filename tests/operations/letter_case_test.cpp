// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/letter_case.h"

#include <gtest/gtest.h>

#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::G;
using testing::Workbench;

TEST(ChangeLetterCase, ChangesOnlyAsciiLettersAndStepsOverChineseCharacters) {
  struct Case {
    const char* text;
    LetterCase mode;
    const char* expected;
  };
  const Case cases[] = {
      {"", LetterCase::kUpper, ""},
      {"Hello World", LetterCase::kLower, "hello world"},
      {"Hello World", LetterCase::kUpper, "HELLO WORLD"},
      {"hello wORLD中x", LetterCase::kWordCapitals, "Hello World中X"},
      {"my-file_name 2nd", LetterCase::kWordCapitals, "My-File_Name 2nd"},
      {"第1课abc", LetterCase::kUpper, "第1课ABC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Utf8ForDisplay(ChangeLetterCase(G(c.text), c.mode)), c.expected);
  }
  // Trail bytes in the ASCII letter range (0x40-0x7E) belong to their
  // character and never change: "獲" is 0xAB 0x6C ('l').
  EXPECT_EQ(ChangeLetterCase("\xAB\x6C" "l", LetterCase::kUpper), "\xAB\x6C" "L");
}

TEST(NewNameOfLetterCase, ChangesTheChosenParts) {
  struct Case {
    const char* stem;
    const char* extension;
    LetterCaseScope scope;
    LetterCase mode;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"Photo", ".JPG", LetterCaseScope::kExtension, LetterCase::kLower, "Photo.jpg"},
      {"Photo", ".jpg", LetterCaseScope::kExtension, LetterCase::kLower, std::nullopt},
      {"Photo 照片", ".JPG", LetterCaseScope::kStem, LetterCase::kUpper, "PHOTO 照片.JPG"},
      {"my photo", ".jpg", LetterCaseScope::kStemAndExtension, LetterCase::kWordCapitals, "My Photo.Jpg"},
      {"Folder.Name", "", LetterCaseScope::kExtension, LetterCase::kLower, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + c.extension);
    const std::optional<ByteText> name = NewNameOfLetterCase(G(c.stem), G(c.extension), {c.mode, c.scope});
    ASSERT_EQ(name.has_value(), c.expected.has_value());
    if (name) {
      EXPECT_EQ(Utf8ForDisplay(*name), *c.expected);
    }
  }
}

TEST(RunLetterCase, LowersExtensionsOnDisk) {
  Workbench bench;
  bench.Files({"A.JPG", "b.Png", "c.txt"});
  bench.Load();
  RunLetterCase(bench.Context(), {});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"A.jpg", "b.png", "c.txt"}));
  EXPECT_EQ(bench.prompter.boxes.back().text, "一共有2个文件被改名成功");
}

}  // namespace
}  // namespace vantor
