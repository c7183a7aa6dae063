// The desktop's trash through Qt: the freedesktop trash on Linux.
#pragma once

#include "platform/trash.h"

namespace vantor {

class QtTrash : public Trash {
 public:
  // QFile::moveToTrash: no dialog; the item and its .trashinfo go to the trash
  // of its volume or to $XDG_DATA_HOME/Trash.
  bool MoveToTrash(const std::string& nativePath) override;
};

}  // namespace vantor
