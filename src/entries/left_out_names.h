// SPDX-License-Identifier: GPL-3.0-or-later
// Names a folder read leaves out.
#pragma once

#include <string>
#include <vector>

namespace vantor {

// Names left out of a folder read because they are not valid UTF-8 (every
// other name has byte text): how many, and the native bytes of up to ten of
// them, in byte order, for the message that names them.
struct LeftOutNames {
  static constexpr int kShown = 10;
  int count = 0;
  std::vector<std::string> shown;
  // Sub-folders of a tree read that could not be opened, and so were passed over.
  int unreadableFolders = 0;
};

}  // namespace vantor
