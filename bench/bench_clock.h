// SPDX-License-Identifier: GPL-3.0-or-later
// The one clock the benchmarks read, and the median they report.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// Milliseconds from start until now, on the steady clock.
// const auto start = std::chrono::steady_clock::now(); ... MillisecondsSince(start) == 12.5
inline double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The middle value (the upper one of an even count); values must not be empty.
// Median({3, 1, 2}) == 2
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
