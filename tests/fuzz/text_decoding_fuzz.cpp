// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes through both conversions: what converts comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "listops/name_file.h"
#include "platform/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto utf8 = vantor::Utf8FromGbk(bytes)) {
    if (!vantor::IsWellFormedUtf8(*utf8) || vantor::GbkFromUtf8(*utf8) != vantor::ByteText(bytes)) std::abort();
  }
  if (const auto gbk = vantor::GbkFromUtf8(bytes)) {
    if (!vantor::IsWellFormedUtf8(bytes) || vantor::Utf8FromGbk(*gbk) != std::string(bytes)) std::abort();
  }
  return 0;
}
