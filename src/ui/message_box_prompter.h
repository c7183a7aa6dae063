// SPDX-License-Identifier: GPL-3.0-or-later
// The window's answer to the core's questions: modal QMessageBoxes over the
// main window.
#pragma once

#include <QWidget>

#include "platform/prompter.h"

namespace vantor {

class MessageBoxPrompter : public Prompter {
 public:
  explicit MessageBoxPrompter(QWidget* parent) : parent_(parent) {}
  void Inform(const ByteText& text, const ByteText& title, MessageIcon icon) override;
  bool Confirm(const ByteText& text, const ByteText& title, MessageIcon icon) override;
  bool InformWithOptOut(const ByteText& text, const ByteText& title, MessageIcon icon,
                        const ByteText& optOut) override;

 private:
  QWidget* parent_;
};

}  // namespace vantor
