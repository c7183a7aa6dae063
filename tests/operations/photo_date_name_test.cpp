// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/photo_date_name.h"

#include <gtest/gtest.h>

#include <fstream>

#include "pipeline/workbench.h"
#include "support/jpeg_exif.h"

namespace vantor {
namespace {

using testing::G;
using testing::Workbench;

TEST(FormatTakenTime, WritesQtDateFormats) {
  const TakenTime time{2024, 5, 1, 13, 45, 7};
  struct Case {
    const char* format;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"yyyyMMdd_HHmmss", "20240501_134507"},
      {"yyyy年M月d日", "2024年5月1日"},
      {"yy-MM-dd hh'h'", "24-05-01 13h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const std::optional<ByteText> text = FormatTakenTime(time, QString::fromUtf8(c.format));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(Utf8ForDisplay(*text), *c.expected);
  }
  EXPECT_FALSE(FormatTakenTime({2024, 2, 30, 0, 0, 0}, QStringLiteral("yyyy")).has_value());
}

TEST(PhotoNames, NumbersRepeatsInRowOrder) {
  PhotoNames names;
  EXPECT_EQ(names.Next("a", ".jpg"), "a.jpg");
  EXPECT_EQ(names.Next("a", ".png"), "a.png");
  EXPECT_EQ(names.Next("a", ".jpg"), "a_2.jpg");
  EXPECT_EQ(names.Next("a_3", ".jpg"), "a_3.jpg");
  EXPECT_EQ(names.Next("a", ".jpg"), "a_4.jpg");  // a_3.jpg is taken already
}

TEST(RunPhotoDateName, NamesPhotosByDateAndLeavesTheRestAlone) {
  Workbench bench;
  auto photo = [&bench](const char* name, const char* date) {
    std::ofstream(bench.dir.Path() + name, std::ios::binary) << testing::JpegWithExif(date);
  };
  photo("b.jpg", "2024:05:01 13:45:07");
  photo("a.JPG", "2024:05:01 13:45:07");
  photo("c.jpg", "");
  bench.Load();

  bench.intake.mode = ProcessingMode::kFolders;
  RunPhotoDateName(bench.Context(), {G("yyyyMMdd_HHmmss")});
  bench.intake.mode = ProcessingMode::kFiles;
  RunPhotoDateName(bench.Context(), {G("")});
  ASSERT_EQ(bench.prompter.Texts(), (std::vector<std::string>{"此功能无法对文件夹进行修改", "日期格式不能为空"}));

  RunPhotoDateName(bench.Context(), {G("yyyyMMdd_HHmmss")});
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"20240501_134507.JPG", "20240501_134507.jpg", "c.jpg"}));

  // With the fallback, the file without a date takes its modification time.
  bench.Load();
  RunPhotoDateName(bench.Context(), {G("'m'yyyy"), true});
  EXPECT_EQ(bench.OnDisk().count("c.jpg"), 0u);
}

}  // namespace
}  // namespace vantor
