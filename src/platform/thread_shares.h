// SPDX-License-Identifier: GPL-3.0-or-later
// Work split into shares that run on threads of their own where the system
// gives threads, and on the calling thread where it does not.
#pragma once

#include <cstddef>
#include <functional>

namespace vantor {

// Calls share(i) once for every i in [0, count): shares 1.. on new threads as
// far as they can be started, share 0 and every share whose thread could not
// be started on the calling thread. Returns when all have ended.
// RunShares(4, [&](size_t i) { sums[i] = Sum(part[i]); }) fills all four sums.
void RunShares(std::size_t count, const std::function<void(std::size_t)>& share);

}  // namespace vantor
