// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_fields.h"

#include <QImageReader>
#include <QString>
#include <exiv2/exiv2.hpp>
#include <mutex>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

std::optional<ByteText> TagText(const TagLib::String& text) {
  if (text.isEmpty()) return std::nullopt;
  std::optional<ByteText> gbk = GbkFromUtf8(text.to8Bit(true));
  if (gbk && gbk->find('\0') != ByteText::npos) gbk->erase(gbk->find('\0'));
  if (!gbk || gbk->empty()) return std::nullopt;
  return gbk;
}

std::optional<int> TagNumber(unsigned int number) {
  if (number == 0) return std::nullopt;
  return static_cast<int>(number);
}

// Exiv2 reads photos on several threads at once; its XMP toolkit then needs
// a lock, and its warnings (damaged files are common) stay off the terminal.
void PrepareExiv2() {
  static std::mutex xmpMutex;
  static const bool prepared = [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize(
        [](void* mutex, bool lock) {
          auto* held = static_cast<std::mutex*>(mutex);
          if (lock) {
            held->lock();
          } else {
            held->unlock();
          }
        },
        &xmpMutex);
    return true;
  }();
  (void)prepared;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  return text.substr(start);
}

class SystemReader : public FileFieldReader {
 public:
  AudioTags ReadAudioTags(const ByteText& path) const override {
    AudioTags tags;
    const std::optional<std::string> native = NativePath(path);
    if (!native) return tags;
    // No audio properties: only the tags are wanted, and reading them is
    // most of the cost of opening a file.
    const TagLib::FileRef file(native->c_str(), /*readAudioProperties=*/false);
    if (file.isNull() || file.tag() == nullptr) return tags;
    const TagLib::Tag& tag = *file.tag();
    tags.artist = TagText(tag.artist());
    tags.album = TagText(tag.album());
    tags.title = TagText(tag.title());
    tags.genre = TagText(tag.genre());
    tags.track = TagNumber(tag.track());
    tags.year = TagNumber(tag.year());
    return tags;
  }

  PhotoFields ReadPhotoFields(const ByteText& path) const override {
    PhotoFields fields;
    const std::optional<std::string> native = NativePath(path);
    if (!native) return fields;
    PrepareExiv2();
    try {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
      auto image = Exiv2::ImageFactory::open(*native, false);
#pragma GCC diagnostic pop
      if (image.get() != nullptr) {
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const auto make = exif.findKey(Exiv2::ExifKey("Exif.Image.Make"));
        const auto model = exif.findKey(Exiv2::ExifKey("Exif.Image.Model"));
        const std::string camera = CameraName(make != exif.end() ? make->toString() : std::string(),
                                              model != exif.end() ? model->toString() : std::string());
        if (!camera.empty()) fields.camera = GbkFromUtf8(camera);
        if (image->pixelWidth() > 0 && image->pixelHeight() > 0) {
          fields.width = image->pixelWidth();
          fields.height = image->pixelHeight();
        }
      }
    } catch (const std::exception&) {
      // Not an image Exiv2 knows: Qt's reader may still tell its size.
    }
    if (!fields.width) {
      QImageReader reader(QString::fromStdString(*native));
      const QSize size = reader.size();
      if (size.width() > 0 && size.height() > 0) {
        fields.width = size.width();
        fields.height = size.height();
      }
    }
    return fields;
  }

  std::optional<TakenTime> ReadTakenTime(const ByteText& path) const override {
    PrepareExiv2();
    return ReadPhotoTakenTime(path);
  }
  std::optional<TakenTime> ReadModifiedTime(const ByteText& path) const override {
    return ReadModificationTime(path);
  }
};

}  // namespace

std::string CameraName(std::string make, std::string model) {
  make = Trimmed(std::move(make));
  model = Trimmed(std::move(model));
  if (make.empty()) return model;
  if (model.empty()) return make;
  if (model.compare(0, make.size(), make) == 0) return model;
  return make + " " + model;
}

const FileFieldReader& SystemFileFields() {
  static const SystemReader reader;
  return reader;
}

}  // namespace vantor
