// SPDX-License-Identifier: GPL-3.0-or-later
// GBK texts written in UTF-8 in tests, so that assertions read naturally.
#pragma once

#include <string>
#include <vector>

#include "platform/code_page.h"

namespace vantor::testing {

// GBK of a UTF-8 text that has a GBK form. G("中") == "\xD6\xD0".
inline ByteText G(const std::string& utf8) { return GbkFromUtf8(utf8).value(); }

inline TextArray GbkAll(const std::vector<std::string>& utf8) {
  TextArray texts;
  for (const std::string& text : utf8) texts.push_back(G(text));
  return texts;
}

}  // namespace vantor::testing
