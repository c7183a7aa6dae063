// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/memory_use.h"

#include <cstdlib>  // defines __GLIBC__ with glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vantor {

void ReturnLargeBlocksToTheSystem() {
#if defined(__GLIBC__)
  // glibc raises its threshold for mapping a block of its own to the size of
  // each mapped block freed, up to 32 MB; a fixed threshold keeps every block
  // of a mebibyte or more mapped, and unmapped when it is freed.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

}  // namespace vantor
