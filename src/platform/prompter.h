// SPDX-License-Identifier: GPL-3.0-or-later
// How the core talks to the user: message boxes, asked for through this small
// interface. The window answers with modal QMessageBoxes; tests script it.
// Texts and titles are GBK.
#pragma once

#include "text/byte_text.h"

namespace vantor {

enum class MessageIcon { kNone, kInformation, kWarning, kCritical, kQuestion };

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A box with one OK button.
  virtual void Inform(const ByteText& text, const ByteText& title, MessageIcon icon) = 0;
  // A box with OK and Cancel; true for OK.
  virtual bool Confirm(const ByteText& text, const ByteText& title, MessageIcon icon) = 0;
  // A box with one OK button and a check box captioned optOut; true when the
  // user ticked it. The default shows Inform's box and never ticks.
  virtual bool InformWithOptOut(const ByteText& text, const ByteText& title, MessageIcon icon,
                                const ByteText& optOut) {
    (void)optOut;
    Inform(text, title, icon);
    return false;
  }
};

// The title a box shows when its caller gives none.
ByteText DefaultMessageTitle();  // "信息："

}  // namespace vantor
