// SPDX-License-Identifier: GPL-3.0-or-later
// Orders names by the time stamps of their files, newest first.
#pragma once

#include "text/byte_text.h"

namespace vantor {

enum class FileTimeKind {
  kLastWrite,
  kCreation,  // the birth time where the file system reports one, else the last write
};

// Sorts names (entry directory + name is each file's path) newest first; among
// equal times a name that came later comes first. A name whose file cannot be
// found sorts last. {"9h", "10h", "11h"} by modification hour gives
// {"11h", "10h", "9h"}.
void SortByFileTime(TextArray& names, const ByteText& entryDirectory, FileTimeKind kind);

}  // namespace vantor
