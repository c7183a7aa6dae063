// SPDX-License-Identifier: GPL-3.0-or-later
// A Prompter for tests: records every box (texts converted to UTF-8 so that
// assertions read naturally) and answers confirmations from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/prompter.h"

namespace vantor::testing {

struct RecordedBox {
  std::string text;   // UTF-8
  std::string title;  // UTF-8
  MessageIcon icon;
  bool confirm;       // OK/Cancel box
};

class ScriptedPrompter : public Prompter {
 public:
  void Inform(const ByteText& text, const ByteText& title, MessageIcon icon) override {
    boxes.push_back({Utf8ForDisplay(text), Utf8ForDisplay(title), icon, false});
  }
  bool Confirm(const ByteText& text, const ByteText& title, MessageIcon icon) override {
    boxes.push_back({Utf8ForDisplay(text), Utf8ForDisplay(title), icon, true});
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  // Texts of all boxes so far, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& box : boxes) texts.push_back(box.text);
    return texts;
  }

  std::vector<RecordedBox> boxes;
  std::deque<bool> answers;  // answers to Confirm, OK when the script runs out
};

}  // namespace vantor::testing
