// "繁转简" / "简转繁": rewrites the Chinese characters of every whole name
// (extension included) in simplified or in traditional forms, with OpenCC's
// standard conversions (t2s.json, s2t.json).
#pragma once

#include <optional>

#include "pipeline/run_context.h"

namespace vantor {

enum class ChineseScript { kSimplified, kTraditional };

struct ChineseScriptSettings {
  ChineseScript target = ChineseScript::kSimplified;  // 单选框15 selected: simplified
};

// True when OpenCC's conversion to target could be loaded. Each conversion is
// loaded once per program, at its first use.
bool ChineseScriptAvailable(ChineseScript target);

// The name converted to target, or nullopt when nothing changes, when the
// conversion is not available, or when the converted name has no GBK form
// (OpenCC may answer with characters GBK lacks, as 鲃 -> 䰾): such a name stays
// as it is. Names without double-byte characters are returned unchanged
// without asking OpenCC.
// NewNameOfChineseScript("頭髮.txt", kSimplified) == "头发.txt".
std::optional<ByteText> NewNameOfChineseScript(const ByteText& name, ChineseScript target);

// The entry directory guard, the desktop guard and "什么都没有选择！" for the
// root; a conversion that cannot be loaded is told; then the rename course over
// whole names, refusing an empty list.
void RunChineseScript(const RunContext& context, const ChineseScriptSettings& settings);

}  // namespace vantor
