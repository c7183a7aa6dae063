// The table that ties each operation button to its operation: a reader that
// turns the controls into the operation's settings, and the operation's run.
#pragma once

#include <QString>
#include <functional>

#include "pipeline/run_context.h"
#include "ui/main_window_ui.h"

namespace vantor {

class OperationRunner {
 public:
  virtual ~OperationRunner() = default;
  // Runs an operation with the window's context of the moment, then lets the
  // window follow what the run changed (the entry directory, the status).
  // caption (the button's) names the run's batch in the rename history.
  virtual void RunOperation(const std::function<void(const RunContext&)>& run, const QString& caption) = 0;
};

// Connects every operation button of ui once.
void BindOperations(const MainWindowUi& ui, OperationRunner& runner);

}  // namespace vantor
