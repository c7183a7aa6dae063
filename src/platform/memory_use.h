// SPDX-License-Identifier: GPL-3.0-or-later
// How the process hands memory back to the system.
#pragma once

namespace vantor {

// Large blocks (a column of a million names, a batch's plan) are taken from
// and given back to the system whole, at the size they are freed, instead of
// staying in the allocator's heap once freed: after a run over a large list
// the memory it used goes back, and the next run's blocks do not add to what
// the last one left. Call once, first thing in main. Does nothing where the
// C library has no such setting.
void ReturnLargeBlocksToTheSystem();

}  // namespace vantor
