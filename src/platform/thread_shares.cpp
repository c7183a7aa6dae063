// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/thread_shares.h"

#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace vantor {

void RunShares(std::size_t count, const std::function<void(std::size_t)>& share) {
  std::vector<std::thread> helpers;
  std::size_t started = 1;
  try {
    helpers.reserve(count > 0 ? count - 1 : 0);
    for (; started < count; ++started) helpers.emplace_back(share, started);
  } catch (const std::system_error&) {
    // No more threads to be had: the rest runs here.
  } catch (const std::bad_alloc&) {
  }
  if (count > 0) share(0);
  for (std::size_t index = started; index < count; ++index) share(index);
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace vantor
