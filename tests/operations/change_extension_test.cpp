// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/change_extension.h"

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
using testing::kNothingChanged;
using testing::kPreviewNotice;
using testing::Workbench;

const Box kNoExtension{"准备改成什么后缀？请先选择或手动输入！", "信息："};
const Box kNoFolders{"文件夹没有改后缀一说，请勾选文件", "提示"};
Box Changed(int count) { return {"一共有" + std::to_string(count) + "个文件被改名", "修改成果提示", MessageIcon::kNone}; }

TEST(ExtensionInUse, PutsADotInFrontUnlessThereIsOne) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""}, {"jpg", ".jpg"}, {".doc", ".doc"}, {"tar.gz", ".tar.gz"}, {".", "."}, {"备份", ".备份"},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Utf8ForDisplay(ExtensionInUse(G(text))), expected);
  }
}

TEST(NewNameOfChangeExtension, ReplacesTheLastExtensionAndKeepsTheStem) {
  struct Case {
    const char* name;
    const char* extension;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"a.txt", "", std::nullopt},
      {"", ".doc", std::nullopt},
      {".gitignore", ".txt", std::nullopt},  // no stem: left alone
      {"a.txt", ".doc", "a.doc"},
      {"photo.png", "jpg", "photo.jpg"},
      {"a.txt", "tar.gz", "a.tar.gz"},
      {"archive.tar.gz", ".zip", "archive.tar.zip"},
      {"README", ".md", "README.md"},
      {"a.doc", ".doc", "a.doc"},  // unchanged, still a computed name
      {"第1课.TXT", ".txt", "第1课.txt"},
      {"my file.old copy", ".txt", "my file.old copy.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " -> " + c.extension);
    ExpectNewName(NewNameOfChangeExtension(G(c.name), {G(c.extension)}), c.expected);
  }
}

TEST(RunChangeExtension, ChecksTheTextThenTheGuardsThenTheMode) {
  Workbench bench(ProcessingMode::kFolders);
  EXPECT_FALSE(RunChangeExtension(bench.Context(), {""}));
  EXPECT_FALSE(RunChangeExtension(bench.Context(), {"t?t"}));
  EXPECT_FALSE(RunChangeExtension(bench.Context(), {"txt"}));
  bench.Folders({"x.y"});
  bench.Load();
  EXPECT_FALSE(RunChangeExtension(bench.Context(), {"txt"}));
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kNoExtension, kForbiddenText, kNoDirectory, kNoFolders}));
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"x.y/"});
}

TEST(RunChangeExtension, RenamesChangedFilesCountsThemAndHandsBackTheDottedText) {
  Workbench bench;
  bench.Files({"a.txt", "b.doc", ".gitignore", "README", "c.log"});
  bench.Load();
  bench.intake.skipExtension = ".log";
  EXPECT_EQ(RunChangeExtension(bench.Context(), {"doc"}), std::optional<ByteText>(".doc"));
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, Changed(2)}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.doc", "b.doc", ".gitignore", "README.doc", "c.log"}));

  // A picked item, or a text with its dot, is shown as it is.
  EXPECT_EQ(RunChangeExtension(bench.Context(), {".doc"}), std::nullopt);
  EXPECT_EQ(bench.Boxes().back(), kNothingChanged);
}

TEST(RunChangeExtension, CancelAndAnEmptyListLeaveTheBoxAlone) {
  Workbench bench;
  bench.Files({"a.txt"});
  bench.Load();
  bench.prompter.answers = {false};
  EXPECT_EQ(RunChangeExtension(bench.Context(), {"doc"}), std::nullopt);
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kConfirmRename});
  EXPECT_EQ(bench.OnDisk(), std::set<std::string>{"a.txt"});

  Workbench empty;
  empty.Load();
  EXPECT_EQ(RunChangeExtension(empty.Context(), {"doc"}), std::nullopt);
  EXPECT_EQ(empty.Boxes(), std::vector<Box>{kNothingChanged});
}

TEST(RunChangeExtension, PreviewShowsEveryComputedNameAlsoAnUnchangedOne) {
  Workbench bench;
  bench.Files({"a.txt", "b.doc", ".gitignore"});
  bench.intake.showHidden = true;
  bench.Load();
  bench.list.SetPreviewOn(true);
  EXPECT_EQ(RunChangeExtension(bench.Context(), {"doc"}), std::optional<ByteText>(".doc"));
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kPreviewNotice});
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{".gitignore", "a.txt", "b.doc"}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "a.doc", "b.doc"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a.txt", "b.doc", ".gitignore"}));
}

}  // namespace
}  // namespace vantor
