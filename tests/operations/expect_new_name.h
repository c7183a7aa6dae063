// SPDX-License-Identifier: GPL-3.0-or-later
// Compares a new-name function's answer with a table row's expectation, in
// UTF-8 so that a failing row reads naturally.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/code_page.h"

namespace vantor::testing {

// expectedUtf8 nullopt: the function declares no change.
inline void ExpectNewName(const std::optional<ByteText>& actual, const std::optional<std::string>& expectedUtf8) {
  if (expectedUtf8) {
    ASSERT_TRUE(actual.has_value()) << "expected " << *expectedUtf8;
    EXPECT_EQ(Utf8ForDisplay(*actual), *expectedUtf8);
  } else {
    EXPECT_FALSE(actual.has_value()) << Utf8ForDisplay(*actual);
  }
}

}  // namespace vantor::testing
