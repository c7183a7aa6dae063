// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a name template (presets carry templates from files): parsed,
// or refused with a reason at a character position inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "operations/name_template.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vantor::ByteText text(reinterpret_cast<const char*>(data), size);
  vantor::TemplateProblem problem;
  const std::optional<vantor::NameTemplate> parsed = vantor::ParseNameTemplate(text, problem);
  if (parsed) {
    if (!problem.problem.empty()) std::abort();
    for (const vantor::TemplatePart& part : parsed->parts) {
      if (part.width < 0 || part.width > 20) std::abort();
    }
    return 0;
  }
  if (problem.problem.empty() || problem.position < 1 || static_cast<size_t>(problem.position) > size) std::abort();
  if (vantor::TemplateProblemText(problem).empty()) std::abort();
  return 0;
}
