// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/prompter.h"

#include "platform/code_page.h"

namespace vantor {

ByteText DefaultMessageTitle() {
  static const ByteText title = Gbk("信息：");
  return title;
}

}  // namespace vantor
