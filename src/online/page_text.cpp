// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/page_text.h"

#include "platform/code_page.h"

namespace vantor {

ByteText TextAfterMarker(const ByteText& text, const ByteText& marker, int length) {
  const int at = FindText(text, marker, 1, kFindMatchingCase);
  if (at < 1) return {};
  return MidBytes(text, at + TextLength(marker), length);
}

ByteText TextBetween(const ByteText& text, const ByteText& left, const ByteText& right) {
  static const ByteText kQuoteWord = Gbk("#引号");
  const ByteText leftMarker = ReplaceText(left, kQuoteWord, "\"", 1, -1, kReplaceMatchingCase);
  const ByteText rightMarker = ReplaceText(right, kQuoteWord, "\"", 1, -1, kReplaceMatchingCase);
  const int leftAt = FindText(text, leftMarker, 1, kFindMatchingCase);
  if (leftAt < 1) return {};
  const int from = leftAt + TextLength(leftMarker);
  const int rightAt = FindText(text, rightMarker, from, kFindMatchingCase);
  if (rightAt < 1) return {};
  return MidBytes(text, from, rightAt - from);
}

}  // namespace vantor
