// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/delete_times.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "operations/expect_new_name.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::kPreviewNotice;
using testing::Workbench;

Box Asking(int count) { return {"一共有" + std::to_string(count) + "个文件将被更名", "请确认", MessageIcon::kNone, true}; }
const Box kNotANumber{"输入的不是纯数字", "提示"};

TEST(NewNameOfDeleteTimes, DeletesTheCountedOccurrences) {
  constexpr CountFrom kLeft = CountFrom::kLeft;
  constexpr CountFrom kRight = CountFrom::kRight;
  struct Case {
    const char* stem;
    const char* text;
    const char* count;
    CountFrom from;
    std::optional<std::string> expected;  // nullopt: no change
  };
  const Case cases[] = {
      {"a-b-c-d", "-", "", kLeft, "ab-c-d"},
      {"a-b-c-d", "-", "2", kLeft, "abc-d"},
      {"a-b-c-d", "-", "", kRight, "a-b-cd"},
      {"a-b-c-d", "-", "2", kRight, "a-bcd"},
      {"a-b-c-d", "-", "9", kLeft, "abcd"},
      {"a-b-c-d", "-", "9", kRight, "abcd"},
      {"a-b-c-d", "-", "2abc", kLeft, "abc-d"},
      {"a-b-c-d", "-", "abc", kLeft, std::nullopt},
      {"a-b-c-d", "-", "0", kLeft, std::nullopt},
      {"a-b-c-d", "-", "-2", kRight, std::nullopt},
      {"a-b", "-", "", CountFrom::kNowhere, std::nullopt},
      {"ab", "ab", "", kLeft, std::nullopt},  // nothing would be left
      {"abc", "x", "", kLeft, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stem) + " - " + c.text + " x" + c.count + (c.from == kRight ? " from the right" : ""));
    const std::optional<ByteText> changed = NewNameOfDeleteTimes(G(c.stem), {G(c.text), G(c.count), c.from});
    testing::ExpectNewName(changed, c.expected);
  }
}

TEST(NewNameOfDeleteTimes, LeavesANameThatWouldNotFitTheFileSystemUnchanged) {
  const ByteText stem = ByteText(252, 'a') + "-";
  EXPECT_EQ(NewNameOfDeleteTimes(stem, {"-", "", CountFrom::kLeft}, ".tx"), ByteText(252, 'a'));
  EXPECT_FALSE(NewNameOfDeleteTimes(stem, {"-", "", CountFrom::kLeft}, ".txt").has_value());
}

TEST(RunDeleteTimes, AsksWithTheCountOfChangesAndLeavesExtensionsAlone) {
  Workbench bench;
  bench.Files({"a-b-c-d.txt", "ab.txt", "x.a-b", "-.mp4", "e-f.mp4"});
  bench.Load();
  bench.intake.skipExtension = ".mp4";
  RunDeleteTimes(bench.Context(), {"-", "2", CountFrom::kRight});

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{Asking(1), {"删掉了1个", "修改成果提示", MessageIcon::kNone}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a-bcd.txt", "ab.txt", "x.a-b", "-.mp4", "e-f.mp4"}));
}

TEST(RunDeleteTimes, RefusesInItsOrderAndABadCountOnlyOnce) {
  Workbench bench;
  bench.Files({"a-1.txt", "b-2.txt"});
  RunDeleteTimes(bench.Context(), {"-", "", CountFrom::kLeft});
  bench.list.SetEntryDirectory("/");
  RunDeleteTimes(bench.Context(), {"", "", CountFrom::kLeft});
  RunDeleteTimes(bench.Context(), {"-", "", CountFrom::kLeft});
  bench.Load();
  RunDeleteTimes(bench.Context(), {"-", "x", CountFrom::kLeft});
  RunDeleteTimes(bench.Context(), {"-", "-1", CountFrom::kRight});
  RunDeleteTimes(bench.Context(), {"+", "", CountFrom::kRight});
  bench.list.Clear();
  RunDeleteTimes(bench.Context(), {"-", "", CountFrom::kLeft});

  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{{"路径呢？请先拖入文件！", "信息："},
                                             {"去掉什么？不能为空", "信息："},
                                             {"什么都没有选择！", "提示"},
                                             kNotANumber,
                                             kNotANumber,
                                             {"找不到需要改的文件名", "提示"},
                                             {"列表框是空的！", "提示"}}));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"a-1.txt", "b-2.txt"}));
}

TEST(RunDeleteTimes, WorksOnWholeListedFolderNamesInFolderMode) {
  Workbench bench(ProcessingMode::kFolders);
  bench.Folders({"a.b.c", "d.e", "fg"});
  bench.Rows({"a.b.c", "fg"});
  bench.list.SetPreviewOn(true);
  RunDeleteTimes(bench.Context(), {".", "", CountFrom::kRight});
  RunDeleteTimes(bench.Context(), {"x", "", CountFrom::kRight});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{kPreviewNotice, {"没有东西可以改", "没有改动"}}));
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"a.bc", ""}));
}

}  // namespace
}  // namespace vantor
