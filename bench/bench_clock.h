// SPDX-License-Identifier: GPL-3.0-or-later
// The one clock the benchmarks read.
#pragma once

#include <chrono>

// Milliseconds from start until now, on the steady clock.
// const auto start = std::chrono::steady_clock::now(); ... MillisecondsSince(start) == 12.5
inline double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
