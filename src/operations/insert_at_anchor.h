// SPDX-License-Identifier: GPL-3.0-or-later
// "前面加、后面加": inserts a typed text right before or right after the first
// or the last occurrence of an anchor text in each name. Files keep their
// extension; folders are worked on whole.
#pragma once

#include <optional>

#include "operations/occurrence.h"
#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

enum class AnchorSide { kBefore, kAfter };

struct InsertAtAnchorSettings {
  InputText anchor;  // 编辑框11
  InputText insert;  // 编辑框12
  Occurrence occurrence = Occurrence::kFirst;  // 单选框5 / 单选框6
  AnchorSide side = AnchorSide::kBefore;       // 单选框3 / 单选框4
};

// The stem with the insert text next to the chosen occurrence of the anchor
// (matching case, on character boundaries), or nullopt when the anchor is
// absent, either text is empty or no occurrence is chosen.
// NewNameOfInsertAtAnchor("第1集", {"集", "(完)", kFirst, kAfter}) == "第1集(完)";
// NewNameOfInsertAtAnchor("a_b_c", {"_", "-", kLast, kBefore}) == "a_b-_c".
std::optional<ByteText> NewNameOfInsertAtAnchor(const ByteText& stem, const InsertAtAnchorSettings& settings);

// Both texts ("弄啥呢？"), the three guards, the insert text's characters ("不能
// 改成这个东西"), then the rename course. Files: "列表框是空的！" for an empty
// list and a summary of "一共有N个文件将被更名" with the information icon.
// Folders: the confirmation even for an empty list, and the plain summary.
void RunInsertAtAnchor(const RunContext& context, const InsertAtAnchorSettings& settings);

}  // namespace vantor
