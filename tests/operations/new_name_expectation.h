// Compares a new-name function's result with a table row's expectation.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/code_page.h"

namespace vantor::testing {

// expected is UTF-8; nullopt expects no change.
inline void ExpectNewName(const std::optional<ByteText>& actual, const std::optional<std::string>& expected) {
  if (expected) {
    ASSERT_TRUE(actual.has_value());
    EXPECT_EQ(Utf8ForDisplay(*actual), *expected);
  } else {
    EXPECT_FALSE(actual.has_value()) << Utf8ForDisplay(*actual);
  }
}

}  // namespace vantor::testing
