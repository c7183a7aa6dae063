// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/text_in_front.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "operations/expect_new_name.h"
#include "operations/refusal_boxes.h"

namespace vantor {
namespace {

using testing::Box;
using testing::ExpectNewName;
using testing::FailedRenames;
using testing::G;
using testing::kConfirmRename;
using testing::kEmptyList;
using testing::kForbiddenText;
using testing::kNoDirectory;
using testing::kNoText;
using testing::kPreviewNotice;
using testing::Workbench;

TEST(NewNameOfTextInFront, PutsTheTextBeforeTheWholeName) {
  struct Case {
    const char* name;
    const char* text;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", "2020_", std::nullopt},
      {"a.txt", "", std::nullopt},
      {"a.txt", "2020_", "2020_a.txt"},
      {"2020_a.txt", "2020_", "2020_2020_a.txt"},  // a second click puts it in front again
      {"资料", "新", "新资料"},
      {".bashrc", "x", "x.bashrc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " + " + c.name);
    ExpectNewName(NewNameOfTextInFront(G(c.name), {G(c.text)}), c.expected);
  }
}

TEST(RunTextInFront, ChecksTheTextBeforeTheGuardsAndRefusesAnEmptyFileList) {
  Workbench bench;
  RunTextInFront(bench.Context(), {""});
  for (const char* forbidden : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"}) {
    RunTextInFront(bench.Context(), {std::string("a") + forbidden});
  }
  RunTextInFront(bench.Context(), {"x"});
  bench.Load();
  RunTextInFront(bench.Context(), {"x"});
  std::vector<Box> expected{kNoText};
  expected.insert(expected.end(), 9, kForbiddenText);
  expected.push_back(kNoDirectory);
  expected.push_back(kEmptyList);
  EXPECT_EQ(bench.Boxes(), expected);

  // The folder mode ends an empty list silently.
  Workbench folders(ProcessingMode::kFolders);
  folders.Load();
  RunTextInFront(folders.Context(), {"x"});
  EXPECT_TRUE(folders.Boxes().empty());
}

TEST(RunTextInFront, RenamesWithoutSummaryAndReportsOnlyFailures) {
  Workbench bench;
  bench.Files({"a.txt", "b.txt", "x_b.txt", "x_a.txt.keep"});
  bench.Load();
  RunTextInFront(bench.Context(), {"x_"});
  // b.txt -> x_b.txt waits for x_b.txt -> x_x_b.txt; the chain completes.
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"x_a.txt", "x_b.txt", "x_x_b.txt", "x_x_a.txt.keep"}));

  // A name taken outside the batch: that row keeps its name, one failure box.
  bench.Files({"x_y.txt"});
  bench.list.Clear();
  bench.Rows({"y.txt"});
  bench.Files({"y.txt"});
  RunTextInFront(bench.Context(), {"x_"});
  EXPECT_EQ(bench.Boxes().back(), FailedRenames(1));
  EXPECT_EQ(bench.Column(0), std::vector<std::string>{"y.txt"});
}

TEST(RunTextInFront, FolderModeWritesEachResultIntoTheRowItRead) {
  Workbench bench(ProcessingMode::kFolders);
  bench.Folders({"一", "二", "三"});
  bench.Rows({"三", "一", "二"});  // not the order the folder lists them in
  bench.list.SetPreviewOn(true);
  RunTextInFront(bench.Context(), {G("第")});
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kPreviewNotice});
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"第三", "第一", "第二"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"一/", "二/", "三/"}));

  bench.list.SetPreviewOn(false);
  RunTextInFront(bench.Context(), {G("第")});
  EXPECT_EQ(bench.Boxes().back(), kConfirmRename);  // and no summary
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"第三", "第一", "第二"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"第一/", "第二/", "第三/"}));
}

}  // namespace
}  // namespace vantor
