// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/text_after_extension.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "operations/expect_new_name.h"
#include "operations/refusal_boxes.h"

namespace vantor {
namespace {

using testing::Box;
using testing::ExpectNewName;
using testing::G;
using testing::kConfirmRename;
using testing::kForbiddenText;
using testing::kNoDirectory;
using testing::kNoText;
using testing::RenamedSummary;
using testing::Workbench;

const Box kNoFolders{"此功能无法对文件夹进行修改", "信息："};

TEST(NewNameOfTextAfterExtension, AppendsAfterTheWholeName) {
  struct Case {
    const char* name;
    const char* text;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", ".txt", std::nullopt},
      {"readme", "", std::nullopt},
      {"readme", ".txt", "readme.txt"},
      {"photo.jpg", ".bak", "photo.jpg.bak"},
      {"readme", "txt", "readmetxt"},  // taken as typed: no dot is added
      {"a.b", "_c", "a.b_c"},
      {"第1课.mp4", "。备份", "第1课.mp4。备份"},
      {".bashrc", ".old", ".bashrc.old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " + " + c.text);
    ExpectNewName(NewNameOfTextAfterExtension(G(c.name), {G(c.text)}), c.expected);
  }
}

TEST(RunTextAfterExtension, ChecksTheTextThenTheModeThenTheGuards) {
  Workbench bench(ProcessingMode::kFolders);
  RunTextAfterExtension(bench.Context(), {""});
  RunTextAfterExtension(bench.Context(), {std::nullopt});
  RunTextAfterExtension(bench.Context(), {".a:b"});
  RunTextAfterExtension(bench.Context(), {".txt"});
  bench.intake.mode = ProcessingMode::kFiles;
  RunTextAfterExtension(bench.Context(), {".txt"});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kNoText,
                                             {"输入的文字含有无法识别的字符，不能用在文件名里", "提示"},
                                             kForbiddenText, kNoFolders, kNoDirectory}));
}

TEST(RunTextAfterExtension, AppendsToFilesAndDroppedFoldersAndCounts) {
  Workbench bench(ProcessingMode::kDroppedItems);
  bench.Files({"readme", "photo.jpg", "skip.log"});
  bench.Folders({"a.b"});
  bench.Rows({"readme", "", "photo.jpg", "a.b", "skip.log"});
  bench.intake.skipExtension = ".log";
  RunTextAfterExtension(bench.Context(), {".txt"});

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, RenamedSummary(3)}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"readme.txt", "", "photo.jpg.txt", "a.b.txt", "skip.log"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"readme.txt", "photo.jpg.txt", "a.b.txt/", "skip.log"}));
}

}  // namespace
}  // namespace vantor
