// SPDX-License-Identifier: GPL-3.0-or-later
// Reading values out of a fetched page: the text after a marker and the text
// between two markers. Both work on GBK byte text with FindText, so a marker
// matches only on a character boundary and case matters.
#pragma once

#include "text/byte_text.h"

namespace vantor {

// The `length` bytes that follow the first occurrence of marker; fewer when the
// text ends sooner, empty when the marker is absent or ends the text. An empty
// marker matches at the start. TextAfterMarker("v=16.4;", "v=", 4) == "16.4".
ByteText TextAfterMarker(const ByteText& text, const ByteText& marker, int length);

// The bytes between the first occurrence of left and the first occurrence of
// right after the end of that left; empty when either is absent. In both
// markers "#引号" (GBK) stands for a double quote.
// TextBetween("a[x]b[y]", "[", "]") == "x".
ByteText TextBetween(const ByteText& text, const ByteText& left, const ByteText& right);

}  // namespace vantor
