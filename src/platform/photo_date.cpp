// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/photo_date.h"

#include <ctime>
#include <string>

#include "platform/file_system.h"

// The library's headers of this generation still use std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>
#pragma GCC diagnostic pop

namespace vantor {

namespace {

bool ReadNumber(const std::string& text, size_t at, size_t digits, int& value) {
  value = 0;
  for (size_t i = at; i < at + digits; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

std::optional<TakenTime> ParseExifDateTime(const std::string& text) {
  // "YYYY:MM:DD HH:MM:SS" is 19 characters; the tag may carry a NUL or spaces after it.
  constexpr size_t kLength = 19;
  if (text.size() < kLength) return std::nullopt;
  for (size_t i = kLength; i < text.size(); ++i) {
    if (text[i] != '\0' && text[i] != ' ') return std::nullopt;
  }
  if (text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  TakenTime time;
  if (!ReadNumber(text, 0, 4, time.year) || !ReadNumber(text, 5, 2, time.month) ||
      !ReadNumber(text, 8, 2, time.day) || !ReadNumber(text, 11, 2, time.hour) ||
      !ReadNumber(text, 14, 2, time.minute) || !ReadNumber(text, 17, 2, time.second)) {
    return std::nullopt;
  }
  if (time.year < 1 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 ||
      time.minute > 59 || time.second > 60) {
    return std::nullopt;
  }
  return time;
}

std::optional<TakenTime> ReadPhotoTakenTime(const ByteText& path) {
  const std::optional<std::string> native = NativePath(path);
  if (!native) return std::nullopt;
  static const bool muted = [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    return true;
  }();
  (void)muted;
  try {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    auto image = Exiv2::ImageFactory::open(*native, false);
#pragma GCC diagnostic pop
    if (image.get() == nullptr) return std::nullopt;
    image->readMetadata();
    const Exiv2::ExifData& exif = image->exifData();
    const auto found = exif.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"));
    if (found == exif.end()) return std::nullopt;
    return ParseExifDateTime(found->toString());
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<TakenTime> ReadModificationTime(const ByteText& path) {
  const std::optional<FileTimes> times = ReadFileTimes(path);
  if (!times) return std::nullopt;
  const time_t seconds = static_cast<time_t>(times->lastWrite / 1000000000);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return std::nullopt;
  return TakenTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace vantor
