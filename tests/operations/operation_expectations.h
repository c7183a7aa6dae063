// What the operation tests share: the check of a new-name table row, and the
// refusal boxes several operations show.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "pipeline/workbench.h"
#include "platform/code_page.h"

namespace vantor::testing {

inline const Box kNoDirectory{"路径呢？请先拖入文件！", "信息："};
inline const Box kEmptyList{"列表框是空的！", "提示"};
inline const Box kNoText{"弄啥嘞？不能为空", "信息："};
inline const Box kForbiddenText{"不能改成这个东西", "信息：", MessageIcon::kNone};

// A row either expects a new name (UTF-8) or no change (nullopt).
inline void ExpectNewName(const std::optional<ByteText>& changed, const std::optional<std::string>& expected) {
  if (expected) {
    ASSERT_TRUE(changed.has_value()) << "expected " << *expected;
    EXPECT_EQ(Utf8ForDisplay(*changed), *expected);
  } else {
    EXPECT_FALSE(changed.has_value()) << Utf8ForDisplay(*changed);
  }
}

}  // namespace vantor::testing
