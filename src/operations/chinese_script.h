// SPDX-License-Identifier: GPL-3.0-or-later
// "繁转简" / "简转繁": rewrites the Chinese characters of every whole name
// (extension included) in simplified or in traditional forms, with OpenCC's
// standard conversions (t2s.json, s2t.json).
#pragma once

#include <optional>
#include <unordered_map>

#include "pipeline/run_context.h"

namespace vantor {

enum class ChineseScript { kSimplified, kTraditional };

struct ChineseScriptSettings {
  ChineseScript target = ChineseScript::kSimplified;  // 单选框15 selected: simplified
};

// True when OpenCC's conversion to target could be loaded. Each conversion is
// loaded once per program, at its first use.
bool ChineseScriptAvailable(ChineseScript target);

// Converts names to one script. OpenCC's dictionaries hold no ASCII, so each
// stretch of non-ASCII characters converts on its own; the converter remembers
// every stretch it has converted, so that names sharing words (a series of
// lessons) ask OpenCC once per word. Use one converter per run.
class ChineseScriptConverter {
 public:
  explicit ChineseScriptConverter(ChineseScript target) : target_(target) {}

  // Converts every stretch of these names not yet known, spread over the
  // machine's cores, so that NewName then only looks them up.
  void Prepare(const TextArray& names);

  // The name converted, or nullopt when nothing changes, when the conversion
  // is not available, or when the converted name has no GBK form (OpenCC may
  // answer with characters GBK lacks, as 鲃 -> 䰾): such a name stays as it is.
  std::optional<ByteText> NewName(const ByteText& name);

 private:
  ChineseScript target_;
  std::unordered_map<ByteText, std::optional<ByteText>> stretches_;
};

// The name converted to target, as ChineseScriptConverter::NewName.
// NewNameOfChineseScript("頭髮.txt", kSimplified) == "头发.txt".
std::optional<ByteText> NewNameOfChineseScript(const ByteText& name, ChineseScript target);

// The entry directory guard, the desktop guard and "什么都没有选择！" for the
// root; a conversion that cannot be loaded is told; then the rename course over
// whole names, refusing an empty list.
void RunChineseScript(const RunContext& context, const ChineseScriptSettings& settings);

}  // namespace vantor
