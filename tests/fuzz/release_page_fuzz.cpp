// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the release page: a standing and addresses, never a crash;
// a version only with a standing known.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "online/release_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantor::HttpResponse page;
  page.received = true;
  page.status = 200;
  page.body.assign(reinterpret_cast<const char*>(data), size);
  const vantor::ReleaseCheck check = vantor::ReadReleasePage(page, "16.4");
  if (check.standing == vantor::VersionStanding::kUnknown && !check.latest.empty()) std::abort();
  return 0;
}
