// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a journal found at start-up: damaged, or a journal whose
// folder is absolute and whose every move lies inside the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pipeline/rename_journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vantor::JournalFile journal =
      vantor::JournalFromBytes(std::string(reinterpret_cast<const char*>(data), size));
  if (journal.status != vantor::JournalFile::kWhole && journal.status != vantor::JournalFile::kTruncated) return 0;
  if (journal.directory.empty() || journal.directory.front() != '/' || journal.directory.back() != '/') std::abort();
  // A move renames one entry at most, an exchange two.
  if (journal.renames < 0 || static_cast<size_t>(journal.renames) > 2 * journal.moves.size()) std::abort();
  for (uint32_t offset : journal.moves) {
    if (offset >= journal.bytes.size()) std::abort();
  }
  return 0;
}
