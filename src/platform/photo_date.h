// SPDX-License-Identifier: GPL-3.0-or-later
// When a photo was taken, read from its EXIF data.
#pragma once

#include <optional>

#include "text/byte_text.h"

namespace vantor {

// A calendar date and time as the camera wrote it (no time zone).
struct TakenTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const TakenTime&) const = default;
};

// The EXIF DateTimeOriginal of the file at path (GBK), or nullopt when the
// file cannot be read, carries no EXIF data, has no such tag, or the tag is
// not a valid "YYYY:MM:DD HH:MM:SS".
// ReadPhotoTakenTime("/photos/IMG_1.jpg") == TakenTime{2024, 5, 1, 13, 45, 0}.
std::optional<TakenTime> ReadPhotoTakenTime(const ByteText& path);

// Parses the EXIF date form "YYYY:MM:DD HH:MM:SS" (trailing NUL or spaces
// allowed); nullopt for anything else, including the all-zero placeholder
// some cameras write. ParseExifDateTime("2024:05:01 13:45:00")->day == 1.
std::optional<TakenTime> ParseExifDateTime(const std::string& text);

// The last-write time of path in local time, or nullopt when it cannot be read.
std::optional<TakenTime> ReadModificationTime(const ByteText& path);

}  // namespace vantor
