// The desktop's trash, asked for through this small interface: the window
// gives the Qt implementation, tests may give a stand-in.
#pragma once

#include <string>

namespace vantor {

class Trash {
 public:
  virtual ~Trash() = default;
  // Moves the file, folder or link at nativePath (UTF-8, absolute) into the
  // trash, quietly: no dialog of any kind. True when it is there.
  virtual bool MoveToTrash(const std::string& nativePath) = 0;
};

}  // namespace vantor
