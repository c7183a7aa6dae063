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
};

// The title a box shows when its caller gives none.
ByteText DefaultMessageTitle();  // "信息："

}  // namespace vantor
