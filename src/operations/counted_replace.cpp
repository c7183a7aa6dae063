// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/counted_replace.h"

#include <string>

#include "platform/code_page.h"

namespace vantor {

std::optional<ByteText> ReplaceCounted(const ByteText& text, const ByteText& search, const ByteText& replacement,
                                       int count, CountFrom from) {
  if (search.empty() || count == 0 || from == CountFrom::kNowhere) return std::nullopt;
  if (from == CountFrom::kLeft) {
    const int first = FindText(text, search, std::nullopt, kFindMatchingCase);
    if (first < 0) return std::nullopt;
    return ReplaceText(text, search, replacement, first, count < 0 ? -1 : count, kReplaceMatchingCase);
  }
  ByteText current = text;
  std::optional<int> before;  // the next hit lies wholly before this byte
  int replaced = 0;
  while (count < 0 || replaced < count) {
    const int hit = FindTextReverse(current, search, before, kFindMatchingCase);
    if (hit < 0) break;
    current = LeftBytes(current, hit - 1) + replacement +
              RightBytes(current, TextLength(current) - (hit - 1) - TextLength(search));
    before = hit;
    ++replaced;
  }
  if (replaced == 0) return std::nullopt;
  return current;
}

bool FitsNativeNameLength(const ByteText& name) {
  const std::optional<std::string> native = Utf8FromGbk(name);
  return native && native->size() <= static_cast<size_t>(kMaxNativeNameBytes);
}

}  // namespace vantor
