// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a preset file: refused with a reason, or steps of known
// operations that are written out and read back as the same steps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "operations/presets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string problem;
  const std::vector<vantor::PresetStep> steps =
      vantor::ParsePreset(std::string(reinterpret_cast<const char*>(data), size), problem);
  if (steps.empty()) {
    if (problem.empty()) std::abort();
    return 0;
  }
  if (!problem.empty()) std::abort();
  for (const vantor::PresetStep& step : steps) {
    if (step.kind == nullptr || !step.settings.has_value()) std::abort();
  }
  const std::string text = vantor::PresetText(steps);
  std::string again;
  const std::vector<vantor::PresetStep> read = vantor::ParsePreset(text, again);
  if (!again.empty() || read.size() != steps.size() || vantor::PresetText(read) != text) std::abort();
  for (size_t i = 0; i < steps.size(); ++i) {
    if (read[i].kind != steps[i].kind) std::abort();
  }
  return 0;
}
