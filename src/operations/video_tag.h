// SPDX-License-Identifier: GPL-3.0-or-later
// "加模拟B站AV号": appends to every file's stem a tag in the shape a video
// site's downloads carry, "(Av" + nine random digits + ",P" + row number + ")".
// It offers no preview: it renames on disk after one question, preview or not.
#pragma once

#include <random>

#include "pipeline/run_context.h"

namespace vantor {

// The operation reads no control of its own.
struct VideoTagSettings {};

inline constexpr int kVideoTagDigits = 9;

// count decimal digits, each drawn uniformly from 0 to 9 (a leading 0 stays).
// RandomDigits(generator, 9) == e.g. "041729385".
ByteText RandomDigits(std::mt19937& generator, int count);

// stem + "(Av" + digits + ",P" + part + ")".
// NewNameOfVideoTag("lesson", "012345678", 3) == "lesson(Av012345678,P3)".
ByteText NewNameOfVideoTag(const ByteText& stem, const ByteText& digits, int part);

// The entry directory guard; folder mode is refused ("此功能无法对文件夹进行操作，
// 请选择文件"); the desktop guard and "什么都没有选择！" for the root; an empty
// list ends silently. Then "不提供预览功能，将直接改名，确定吗？" (提示, OK and
// Cancel) and each listed file gets its tag, the part being its row number (a
// row passed over by the skip-extension rule keeps its number unused). One
// generator, seeded once per run, draws every row's digits. No summary; renames
// that fail are reported and keep their names.
void RunVideoTag(const RunContext& context, const VideoTagSettings& settings);

}  // namespace vantor
