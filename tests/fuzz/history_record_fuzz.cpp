// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a rename history record: refused, or a record whose header
// reads alike on its own and whose renames are exactly as many as it says,
// each with two plain names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "pipeline/batch_history.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<vantor::RecordedRename> renames;
  const std::optional<vantor::BatchSummary> whole = vantor::BatchHistory::ParseRecord(bytes, &renames);
  const std::optional<vantor::BatchSummary> header = vantor::BatchHistory::ParseRecord(bytes, nullptr);
  if (!whole) return 0;
  if (!header || header->count != whole->count || header->folder != whole->folder ||
      !(header->folderIdentity == whole->folderIdentity)) {
    std::abort();
  }
  if (whole->folder.empty() || whole->count < 1 || renames.size() != static_cast<size_t>(whole->count)) std::abort();
  for (const vantor::RecordedRename& rename : renames) {
    if (rename.oldName.empty() || rename.newName.empty() || rename.oldName.find('\0') != std::string::npos ||
        rename.newName.find('\0') != std::string::npos) {
      std::abort();
    }
  }
  return 0;
}
