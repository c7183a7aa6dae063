// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the shooting dates of many small JPEG files, as "按拍摄日期命名" does
// for each listed photo. Target: 10,000 files in at most 2 s.
//
//   photo_date_bench [count]   (default 10000)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/code_page.h"
#include "platform/photo_date.h"
#include "support/jpeg_exif.h"

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 10000;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vantor-photo-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string jpeg = vantor::testing::JpegWithExif("2024:05:01 13:45:07");
  for (long i = 0; i < count; ++i) {
    std::ofstream(folder / ("IMG_" + std::to_string(i) + ".jpg"), std::ios::binary) << jpeg;
  }
  const vantor::ByteText directory = vantor::GbkFromUtf8(folder.string() + "/").value();
  const auto start = std::chrono::steady_clock::now();
  long found = 0;
  for (long i = 0; i < count; ++i) {
    found += vantor::ReadPhotoTakenTime(directory + "IMG_" + std::to_string(i) + ".jpg").has_value() ? 1 : 0;
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::filesystem::remove_all(folder);
  std::printf("files %ld, dates read %ld, %.1f ms (%.1f us a file)\n", count, found, ms, 1000.0 * ms / count);
  return found == count ? 0 : 1;
}
