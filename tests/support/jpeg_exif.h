// SPDX-License-Identifier: GPL-3.0-or-later
// Small JPEG files with or without an EXIF shooting date, written by tests.
#pragma once

#include <string>

namespace vantor::testing {

namespace jpeg_detail {
inline void Put16(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
inline void Put32(std::string& out, int value) {
  Put16(out, value & 0xFFFF);
  Put16(out, (value >> 16) & 0xFFFF);
}

}  // namespace jpeg_detail

// The smallest JPEG that carries EXIF: start of image, an APP1 segment with a
// little-endian TIFF block (IFD0 pointing to an Exif IFD holding only
// DateTimeOriginal, when given), end of image.
inline std::string JpegWithExif(const std::string& dateTimeOriginal) {
  std::string tiff = "II";
  jpeg_detail::Put16(tiff, 42);
  jpeg_detail::Put32(tiff, 8);
  jpeg_detail::Put16(tiff, 1);       // IFD0: one entry
  jpeg_detail::Put16(tiff, 0x8769);  // the Exif IFD pointer
  jpeg_detail::Put16(tiff, 4);
  jpeg_detail::Put32(tiff, 1);
  jpeg_detail::Put32(tiff, 26);
  jpeg_detail::Put32(tiff, 0);
  jpeg_detail::Put16(tiff, dateTimeOriginal.empty() ? 0 : 1);  // Exif IFD at 26
  if (!dateTimeOriginal.empty()) {
    jpeg_detail::Put16(tiff, 0x9003);  // DateTimeOriginal, ASCII, 20 bytes at 44
    jpeg_detail::Put16(tiff, 2);
    jpeg_detail::Put32(tiff, 20);
    jpeg_detail::Put32(tiff, 44);
  }
  jpeg_detail::Put32(tiff, 0);
  if (!dateTimeOriginal.empty()) tiff += dateTimeOriginal + std::string(1, '\0');
  const std::string payload = std::string("Exif\0\0", 6) + tiff;
  const int length = static_cast<int>(payload.size()) + 2;
  return std::string("\xFF\xD8\xFF\xE1", 4) + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) +
         payload + std::string("\xFF\xD9", 2);
}

}  // namespace vantor::testing
