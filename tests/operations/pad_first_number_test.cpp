// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/pad_first_number.h"

#include <gtest/gtest.h>

#include <map>
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
using testing::kEmptyList;
using testing::kNoDirectory;
using testing::kPreviewNotice;
using testing::Workbench;

Box WillBeRenamed(int count) { return {"一共有" + std::to_string(count) + "个文件将被更名", "修改成果提示"}; }

TEST(NewNameOfPadFirstNumber, PadsTheFirstNumberToTheWidthTheCountAsks) {
  struct Case {
    const char* name;
    int count;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"", 12, std::nullopt},
      {"无数字", 12, std::nullopt},
      {"1 intro", 0, "01 intro"},
      {"1 intro", 12, "01 intro"},
      {"2 setup", 99, "02 setup"},
      {"10 end", 12, std::nullopt},
      {"01 intro", 12, std::nullopt},  // a second click changes nothing
      {"7", 100, "007"},
      {"42", 150, "042"},
      {"120", 150, std::nullopt},
      {"7", 1000, "007"},
      {"7", 1001, std::nullopt},
      {"第3课第12节", 20, "第03课第12节"},  // only the first number
      {"a1b1", 5, "a01b1"},
      {"０１全角", 5, std::nullopt},  // full-width digits are not digits
      {"v2.0", 5, "v02.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(c.count));
    ExpectNewName(NewNameOfPadFirstNumber(G(c.name), c.count), c.expected);
  }
}

TEST(RunPadFirstNumber, RefusesWithItsOwnTexts) {
  Workbench bench;
  RunPadFirstNumber(bench.Context());
  bench.list.SetEntryDirectory("/");
  RunPadFirstNumber(bench.Context());
  bench.Load();
  RunPadFirstNumber(bench.Context());
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kNoDirectory, {"什么都没有选择！", "提示"}, kEmptyList}));
}

TEST(RunPadFirstNumber, AsksOnceEvenWhenTheFirstRowIsEmptyAndIgnoresDigitsInTheExtension) {
  Workbench bench(ProcessingMode::kDroppedItems);
  bench.Files({"1 intro.mp4", "2 setup.mp4", "10 end.mp4", "a.mp3"});
  bench.Rows({"", "1 intro.mp4", "2 setup.mp4", "10 end.mp4", "a.mp3"});
  RunPadFirstNumber(bench.Context());
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kConfirmRename, WillBeRenamed(2)}));
  EXPECT_EQ(bench.Column(0), (std::vector<std::string>{"", "01 intro.mp4", "02 setup.mp4", "10 end.mp4", "a.mp3"}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"01 intro.mp4", "02 setup.mp4", "10 end.mp4", "a.mp3"}));

  RunPadFirstNumber(bench.Context());
  EXPECT_EQ(bench.Boxes().back(), (Box{"没有任何改动", "没有改动"}));
}

TEST(RunPadFirstNumber, CountsTheListedNamesForTheWidthInFolderMode) {
  Workbench bench(ProcessingMode::kFolders);
  for (int i = 1; i <= 100; ++i) bench.dir.MakeFolder("第" + std::to_string(i) + "章");
  bench.Load();
  bench.list.SetPreviewOn(true);
  RunPadFirstNumber(bench.Context());
  EXPECT_EQ(bench.Boxes(), std::vector<Box>{kPreviewNotice});
  std::map<std::string, std::string> pendingOf;
  for (int row = 0; row < bench.list.RowCount(); ++row) {
    pendingOf[bench.Column(0)[row]] = bench.Column(1)[row];
  }
  ASSERT_EQ(pendingOf.size(), 100u);
  EXPECT_EQ(pendingOf["第7章"], "第007章");
  EXPECT_EQ(pendingOf["第10章"], "第010章");
  EXPECT_EQ(pendingOf["第100章"], "");
  EXPECT_EQ(bench.OnDisk().count("第7章/"), 1u);
}

}  // namespace
}  // namespace vantor
