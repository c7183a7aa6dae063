// SPDX-License-Identifier: GPL-3.0-or-later
// Each operation's controls, one row per row of the operation table: its
// button, the reading of its controls into its settings and the writing of
// settings back into them, and the inputs whose edits retune its preview
// step. Everything else about an operation is in operations/operation_table.
#pragma once

#include <any>
#include <functional>
#include <vector>

#include "operations/operation_table.h"
#include "ui/main_window_ui.h"

class QAbstractButton;
class QComboBox;
class QObject;

namespace vantor {

struct OperationBinding {
  const OperationKind* kind = nullptr;
  QAbstractButton* button = nullptr;
  std::function<std::any()> read;                  // the kind's settings as the controls say now
  std::function<void(const std::any&)> write;      // puts settings back into the controls
  std::vector<QObject*> inputs;                    // line edits, check boxes, radio buttons, drop-downs
  QComboBox* shownIn = nullptr;                    // shows the text the run returns, when set
};

class OperationRunner {
 public:
  virtual ~OperationRunner() = default;
  // The binding's button was pressed.
  virtual void RunOperation(const OperationBinding& binding) = 0;
  // One of the binding's inputs changed (typing, a check box, a radio
  // button, a drop-down).
  virtual void OperationInputsEdited(const OperationBinding& binding) = 0;
};

// Fills bindings with one binding per operation of the table, in its order,
// and connects each button and input to runner. bindings must not change
// (nor move) afterwards: the connections point into it.
void BindOperations(const MainWindowUi& ui, OperationRunner& runner, std::vector<OperationBinding>& bindings);

// The binding of kind among bindings; nullptr when there is none.
const OperationBinding* BindingOf(const std::vector<OperationBinding>& bindings, const OperationKind& kind);

}  // namespace vantor
