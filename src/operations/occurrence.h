// SPDX-License-Identifier: GPL-3.0-or-later
// Which occurrence of a text an operation works at: the first or the last one,
// as the "首次出现" / "最后出现" radio buttons choose. Shared by the operations
// that cut or insert at a typed text.
#pragma once

#include "text/byte_text.h"

namespace vantor {

// kNone: neither radio button is checked; such an operation changes nothing.
enum class Occurrence { kNone, kFirst, kLast };

// 1-based byte position of the chosen occurrence of needle in text, matching
// case and only on character boundaries; -1 when needle is empty or absent or
// occurrence is kNone. FindOccurrence("a-b-c", "-", Occurrence::kLast) == 4.
int FindOccurrence(const ByteText& text, const ByteText& needle, Occurrence occurrence);

}  // namespace vantor
