// SPDX-License-Identifier: GPL-3.0-or-later
// Refusal boxes that several operations show, as the operation tests expect
// them.
#pragma once

#include "pipeline/workbench.h"

namespace vantor::testing {

inline const Box kNoDirectory{"路径呢？请先拖入文件！", "信息："};
inline const Box kEmptyList{"列表框是空的！", "提示"};
inline const Box kNoText{"弄啥嘞？不能为空", "信息："};
inline const Box kForbiddenText{"不能改成这个东西", "信息：", MessageIcon::kNone};

}  // namespace vantor::testing
