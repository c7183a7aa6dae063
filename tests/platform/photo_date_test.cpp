// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/photo_date.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/code_page.h"
#include "support/jpeg_exif.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

TEST(ParseExifDateTime, AcceptsOnlyTheExifForm) {
  EXPECT_EQ(ParseExifDateTime("2024:05:01 13:45:07"), (TakenTime{2024, 5, 1, 13, 45, 7}));
  EXPECT_EQ(ParseExifDateTime(std::string("2024:05:01 13:45:07\0", 20)), (TakenTime{2024, 5, 1, 13, 45, 7}));
  for (const char* bad : {"", "0000:00:00 00:00:00", "2024-05-01 13:45:07", "2024:13:01 13:45:07",
                          "2024:05:01 13:45", "2024:05:01 13:45:07x", "    :  :     :  :  "}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseExifDateTime(bad).has_value());
  }
}

TEST(ReadPhotoTakenTime, ReadsTheDateOfAJpegAndNothingElse) {
  testing::TempDir dir;
  auto write = [&dir](const std::string& name, const std::string& bytes) {
    std::ofstream(dir.Path() + name, std::ios::binary) << bytes;
    return GbkFromUtf8(dir.Path() + name).value();
  };
  EXPECT_EQ(ReadPhotoTakenTime(write("照片.jpg", testing::JpegWithExif("2023:12:31 23:59:58"))),
            (TakenTime{2023, 12, 31, 23, 59, 58}));
  EXPECT_FALSE(ReadPhotoTakenTime(write("nodate.jpg", testing::JpegWithExif(""))).has_value());
  EXPECT_FALSE(ReadPhotoTakenTime(write("text.jpg", "not a picture")).has_value());
  EXPECT_FALSE(ReadPhotoTakenTime(GbkFromUtf8(dir.Path() + "missing.jpg").value()).has_value());
  EXPECT_TRUE(ReadModificationTime(GbkFromUtf8(dir.Path() + "text.jpg").value()).has_value());
}

}  // namespace
}  // namespace vantor
