// SPDX-License-Identifier: GPL-3.0-or-later
// "删除左边全部" / "删除右边全部": cuts each name at a typed marker and drops
// everything in front of it (按钮_删前面) or behind it (按钮_删后面), with or
// without the marker itself. Files keep their extension; folders are cut whole.
#pragma once

#include <optional>

#include "operations/occurrence.h"
#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

// Which side of the marker goes.
enum class MarkerSide { kBefore, kAfter };

struct DeleteBesideMarkerSettings {
  InputText marker;  // 编辑框8 (before) or 编辑框9 (after); must not be empty
  MarkerSide side = MarkerSide::kBefore;
  Occurrence occurrence = Occurrence::kFirst;  // 单选框11/12 or 单选框1/2
  bool removeMarker = false;                   // 选择框3 or 选择框4 "框里内容一起删"
};

// The stem cut at the chosen occurrence of the marker (matching case, on
// character boundaries), or nullopt when the marker is empty or absent, no
// occurrence is chosen, or the cut would leave the stem empty or unchanged.
// With marker "-" on "01-abc-def": after, first, marker kept == "01-";
// before, last, marker removed == "def".
std::optional<ByteText> NewNameOfDeleteBesideMarker(const ByteText& stem, const DeleteBesideMarkerSettings& settings);

// The marker ("去掉什么？不能为空"), the three guards, then the rename course:
// "列表框是空的！" for an empty list, and a summary of "一共有N个文件将被更名".
// Only the delete-before side passes over the skip-extension box's files.
void RunDeleteBesideMarker(const RunContext& context, const DeleteBesideMarkerSettings& settings);

}  // namespace vantor
