// SPDX-License-Identifier: GPL-3.0-or-later
// Natural name order: runs of digits anywhere in a name order by their value,
// so lessons list as 1, 2, 10 and not 1, 10, 2, whatever stands before them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/byte_text.h"

namespace vantor {

// Negative, 0 or positive as a sorts before, equal to or after b in natural
// order. The names are read run by run from the front: a run of ASCII digits
// against a run of digits compares by numeric value (any length; leading
// zeros do not count), anything else byte by byte as unsigned bytes, so
// digits < capitals < small letters < double-byte characters. A multi-byte
// character is one unit (its trail bytes are never taken for digits). Names
// equal under this rule compare by their bytes, so "01" sorts before "1".
// CompareNaturally("chapter2", "chapter10") < 0; CompareNaturally("1a9", "1a10") < 0.
int CompareNaturally(std::string_view a, std::string_view b);

// The indices of names in the order NaturalSort gives them (equal names in
// input order), for callers that move other data along with the names. Each
// name is turned into a sort key once; from 32,768 names on, two threads
// share the work where there are two cores.
// NaturalOrder({"10.mp4", "2.mp4", "1.mp4"}) == {2, 1, 0}.
std::vector<uint32_t> NaturalOrder(const TextArray& names);

// Sorts names in place by CompareNaturally and returns their count; equal
// names keep their input order. Names themselves never change.
// {"10.mp4", "2.mp4", "1.mp4"} becomes {"1.mp4", "2.mp4", "10.mp4"}.
int NaturalSort(TextArray& names);

}  // namespace vantor
