// SPDX-License-Identifier: GPL-3.0-or-later
// For as long as it lives, the engine and RenameEntry act as on a drive that
// takes neither RENAME_NOREPLACE nor hard links (exFAT or NTFS through FUSE,
// SMB): the file-system seam refuses the one with EINVAL and the other with
// EPERM.
#pragma once

#include "platform/file_system_calls.h"
#include "support/failing_file_system.h"

namespace vantor::testing {

class PlainDrive {
 public:
  explicit PlainDrive(bool on = true) {
    calls_.FailEvery(Call::kRenameNoReplace, EINVAL);
    calls_.FailEvery(Call::kLink, EPERM);
    if (on) UseFileSystemForTesting(&calls_);
  }
  ~PlainDrive() { UseFileSystemForTesting(nullptr); }
  PlainDrive(const PlainDrive&) = delete;
  PlainDrive& operator=(const PlainDrive&) = delete;

 private:
  FailingFileSystem calls_;
};

}  // namespace vantor::testing
