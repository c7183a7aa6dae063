// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/name_file.h"

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/gbk_text.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

using testing::G;
using testing::GbkAll;

const std::string kBom = "\xEF\xBB\xBF";

// GBK bytes of a UTF-8 text, as a GBK file holds it.
std::string GbkFile(const std::string& utf8) { return G(utf8); }

TEST(IsWellFormedUtf8, AcceptsUtf8AndRefusesEverythingElse) {
  struct Row {
    std::string bytes;
    bool wellFormed;
  };
  const std::vector<Row> rows = {
      {"", true},
      {"abc 1.txt\r\n(1)!", true},
      {"中文.txt", true},
      {"\xF0\x9F\x98\x80", true},  // U+1F600
      {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
      {"\x80", false},             // stray continuation byte
      {"\xE4\xB8", false},         // truncated
      {"\xE4\xB8\x41", false},     // a continuation byte missing
      {"\xC0\xAF", false},         // overlong "/"
      {"\xE0\x80\xAF", false},     // overlong "/"
      {"\xED\xA0\x80", false},     // surrogate
      {"\xF4\x90\x80\x80", false}, // above U+10FFFF
      {"\xF8\x88\x80\x80\x80", false},
      {GbkFile("第1课"), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.bytes));
    EXPECT_EQ(IsWellFormedUtf8(row.bytes), row.wellFormed);
  }
}

TEST(DecodeNameFile, ReadsUtf8AndGbkLinesAndRefusesTheRest) {
  struct Row {
    const char* what;
    std::string bytes;
    std::optional<std::vector<std::string>> lines;  // UTF-8; nullopt: refused
  };
  const std::vector<Row> rows = {
      {"empty file", "", std::vector<std::string>{}},
      {"CR LF", "a.txt\r\nb\r\n", std::vector<std::string>{"a.txt", "b"}},
      {"LF alone", "a.txt\nb", std::vector<std::string>{"a.txt", "b"}},
      {"mixed breaks", "a\r\nb\nc\r\n", std::vector<std::string>{"a", "b", "c"}},
      {"empty line inside", "a\r\n\r\nb", std::vector<std::string>{"a", "", "b"}},
      {"lone CR ends a line", "a\rb\r\rc\r", std::vector<std::string>{"a", "b", "", "c"}},
      {"CR before CR LF", "a\r\r\nb", std::vector<std::string>{"a", "", "b"}},
      {"spaces trimmed", " a \r\n  b c\t \n", std::vector<std::string>{"a", "b c\t"}},
      {"full-width spaces trimmed", "\u3000名\u3000\r\n", std::vector<std::string>{"名"}},
      {"UTF-8", "第1课 (上).mp4\r\n第2课.mp4\r\n", std::vector<std::string>{"第1课 (上).mp4", "第2课.mp4"}},
      {"UTF-8 with mark", kBom + "中.txt\nb", std::vector<std::string>{"中.txt", "b"}},
      {"only a mark", kBom, std::vector<std::string>{}},
      {"GBK", GbkFile("第1课.mp4\r\n说明\r\n"), std::vector<std::string>{"第1课.mp4", "说明"}},
      {"GBK euro sign", "\x80" "1\n", std::vector<std::string>{"€1"}},
      {"invalid bytes", "a\r\n\xFF\r\n", std::nullopt},
      {"lone GBK lead byte", "a\x81\r\n", std::nullopt},
      {"UTF-8 mark over GBK", kBom + GbkFile("第1课"), std::nullopt},
      {"UTF-8 that GBK lacks", "\xF0\x9F\x98\x80.txt", std::vector<std::string>{"\xF0\x9F\x98\x80.txt"}},
      {"UTF-16 LE", std::string("\xFF\xFE" "a\0\n\0", 6), std::nullopt},
      {"UTF-16 BE", std::string("\xFE\xFF\0a\0\n", 6), std::nullopt},
      {"NUL", std::string("a\0b\n", 4), std::nullopt},
      {"oversize", std::string(kMaxNameFileBytes + 1, 'a'), std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::optional<TextArray> decoded = DecodeNameFile(row.bytes);
    ASSERT_EQ(decoded.has_value(), row.lines.has_value());
    if (row.lines) {
      EXPECT_EQ(*decoded, GbkAll(*row.lines));
    }
  }
}

TEST(LoadNameFile, ReadsRegularFilesUpToTheLimit) {
  testing::TempDir dir;
  dir.MakeFile("names.txt", "x\r\ny\r\n");
  EXPECT_EQ(LoadNameFile(dir.Path() + "names.txt"), GbkAll({"x", "y"}));

  dir.MakeFile("full.txt", std::string(kMaxNameFileBytes, 'a'));
  const std::optional<TextArray> full = LoadNameFile(dir.Path() + "full.txt");
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(full->size(), 1u);

  dir.MakeFile("over.txt", std::string(kMaxNameFileBytes + 1, 'a'));
  EXPECT_EQ(LoadNameFile(dir.Path() + "over.txt"), std::nullopt);
  dir.MakeFolder("folder.txt");
  EXPECT_EQ(LoadNameFile(dir.Path() + "folder.txt"), std::nullopt);
  EXPECT_EQ(LoadNameFile(dir.Path() + "missing.txt"), std::nullopt);
}

}  // namespace
}  // namespace vantor
