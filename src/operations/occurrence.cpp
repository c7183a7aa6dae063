// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/occurrence.h"

namespace vantor {

int FindOccurrence(const ByteText& text, const ByteText& needle, Occurrence occurrence) {
  if (needle.empty()) return -1;
  switch (occurrence) {
    case Occurrence::kFirst:
      return FindText(text, needle, std::nullopt, kFindMatchingCase);
    case Occurrence::kLast:
      return FindTextReverse(text, needle, std::nullopt, kFindMatchingCase);
    case Occurrence::kNone:
      break;
  }
  return -1;
}

}  // namespace vantor
