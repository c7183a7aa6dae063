// For as long as it lives, RenameEntry acts as on a drive that takes neither
// RENAME_NOREPLACE nor hard links (exFAT or NTFS through FUSE, SMB).
#pragma once

#include "platform/file_system.h"

namespace vantor::testing {

class PlainDrive {
 public:
  explicit PlainDrive(bool on = true) { EmulatePlainDriveForTesting(on); }
  ~PlainDrive() { EmulatePlainDriveForTesting(false); }
  PlainDrive(const PlainDrive&) = delete;
  PlainDrive& operator=(const PlainDrive&) = delete;
};

}  // namespace vantor::testing
