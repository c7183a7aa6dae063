// A computed name that may be absent, as UTF-8 for assertions:
// EXPECT_EQ(Utf8OrNone(NewNameOf...(...)), std::optional<std::string>("第一课")).
#pragma once

#include <optional>
#include <string>

#include "platform/code_page.h"

namespace vantor::testing {

inline std::optional<std::string> Utf8OrNone(const std::optional<ByteText>& text) {
  if (!text) return std::nullopt;
  return Utf8ForDisplay(*text);
}

}  // namespace vantor::testing
