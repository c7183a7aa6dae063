// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_fields.h"

#include <gtest/gtest.h>

#include <QImage>
#include <exiv2/exiv2.hpp>
#include <fstream>

#include "platform/code_page.h"
#include "support/jpeg_exif.h"
#include "support/tagged_audio.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

std::string Text(const std::optional<ByteText>& gbk) { return gbk ? Utf8ForDisplay(*gbk) : "(none)"; }

TEST(SystemFileFields, ReadsChineseTagsOfMp3FlacAndM4a) {
  testing::TempDir dir;
  const testing::SongTags tags{"周杰伦", "叶惠美", "晴天", "流行", 3, 2003};
  testing::WriteMp3(dir.Path() + "一.mp3", &tags);
  testing::WriteFlac(dir.Path() + "二.flac", tags);
  testing::WriteM4a(dir.Path() + "三.m4a", tags);
  for (const char* name : {"一.mp3", "二.flac", "三.m4a"}) {
    SCOPED_TRACE(name);
    const AudioTags read = SystemFileFields().ReadAudioTags(dir.Gbk() + GbkFromUtf8(name).value());
    EXPECT_EQ(Text(read.artist), "周杰伦");
    EXPECT_EQ(Text(read.album), "叶惠美");
    EXPECT_EQ(Text(read.title), "晴天");
    EXPECT_EQ(Text(read.genre), "流行");
    EXPECT_EQ(read.track, 3);
    EXPECT_EQ(read.year, 2003);
  }

  // An untagged song, a text file and a missing file have no tags at all.
  testing::WriteMp3(dir.Path() + "bare.mp3", nullptr);
  dir.MakeFile("notes.txt", "not audio");
  for (const char* name : {"bare.mp3", "notes.txt", "gone.mp3"}) {
    SCOPED_TRACE(name);
    const AudioTags read = SystemFileFields().ReadAudioTags(dir.Gbk() + name);
    EXPECT_FALSE(read.artist || read.album || read.title || read.genre || read.track || read.year);
  }
}

TEST(SystemFileFields, ReadsTheCameraAndSizeOfPhotos) {
  testing::TempDir dir;
  // Camera from EXIF (written into a bare JPEG by Exiv2), size from the PNG
  // header by Exiv2 and from a PPM, which Exiv2 does not know, by Qt.
  std::ofstream(dir.Path() + "cam.jpg", std::ios::binary) << testing::JpegWithExif("2024:05:01 13:45:07");
  {
    auto image = Exiv2::ImageFactory::open(dir.Path() + "cam.jpg");
    image->readMetadata();
    image->exifData()["Exif.Image.Make"] = "Canon";
    image->exifData()["Exif.Image.Model"] = "Canon EOS R5";
    image->writeMetadata();
  }
  ASSERT_TRUE(QImage(4, 3, QImage::Format_RGB32).save(QString::fromStdString(dir.Path() + "p.png")));
  ASSERT_TRUE(QImage(5, 2, QImage::Format_RGB32).save(QString::fromStdString(dir.Path() + "p.ppm"), "PPM"));
  dir.MakeFile("n.txt", "no image");

  const PhotoFields camera = SystemFileFields().ReadPhotoFields(dir.Gbk() + "cam.jpg");
  EXPECT_EQ(Text(camera.camera), "Canon EOS R5");
  const PhotoFields png = SystemFileFields().ReadPhotoFields(dir.Gbk() + "p.png");
  EXPECT_EQ(png.width, 4);
  EXPECT_EQ(png.height, 3);
  EXPECT_FALSE(png.camera);
  const PhotoFields ppm = SystemFileFields().ReadPhotoFields(dir.Gbk() + "p.ppm");
  EXPECT_EQ(ppm.width, 5);
  EXPECT_EQ(ppm.height, 2);
  const PhotoFields none = SystemFileFields().ReadPhotoFields(dir.Gbk() + "n.txt");
  EXPECT_FALSE(none.camera || none.width || none.height);
}

TEST(CameraName, JoinsMakeAndModelOnce) {
  struct Case {
    const char* make;
    const char* model;
    const char* expected;
  };
  const Case cases[] = {
      {"Canon", "Canon EOS R5", "Canon EOS R5"},
      {"NIKON CORPORATION", "NIKON D750", "NIKON CORPORATION NIKON D750"},
      {"Apple", "iPhone 12", "Apple iPhone 12"},
      {"SONY  ", "ILCE-7M3\0", "SONY ILCE-7M3"},
      {"", "X100V", "X100V"},
      {"FUJIFILM", "", "FUJIFILM"},
      {"", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CameraName(c.make, c.model), c.expected) << c.make << "|" << c.model;
}

}  // namespace
}  // namespace vantor
