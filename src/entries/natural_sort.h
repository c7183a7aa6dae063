// Natural name order: a short number near the front of a name orders by value,
// so lessons list as 1, 2, 10 and not 1, 10, 2.
#pragma once

#include "text/byte_text.h"

namespace vantor {

// Sorts names in place and returns their count. Each name is compared by a key:
// when one of its first 7 bytes is a digit, the number starting there is
// zero-padded to the width the list size calls for (2 digits below 100 names,
// 3 from 100 on; longer numbers stay as they are) and a marker of the padding
// is appended to the key; keys compare as unsigned bytes, equal keys keep their
// input order. Names themselves never change.
// {"10.mp4", "2.mp4", "1.mp4"} becomes {"1.mp4", "2.mp4", "10.mp4"}.
int NaturalSort(TextArray& names);

}  // namespace vantor
