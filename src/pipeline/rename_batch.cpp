#include "pipeline/rename_batch.h"

#include "platform/file_system.h"

namespace vantor {

namespace {
constexpr size_t kStepsBetweenReports = 64;
}

BatchOutcome ApplyRenameBatch(const ByteText& directory, const std::vector<PlannedRename>& plan,
                              const std::function<void(int done)>& stepped) {
  BatchOutcome outcome;
  outcome.done.assign(plan.size(), false);
  for (size_t i = 0; i < plan.size(); ++i) {
    if (stepped && i % kStepsBetweenReports == 0) stepped(static_cast<int>(i));
    const PlannedRename& step = plan[i];
    if (step.oldName == step.newName) {
      outcome.done[i] = true;
      continue;
    }
    if (RenameEntry(directory, step.oldName, step.newName)) {
      outcome.done[i] = true;
      ++outcome.renamed;
    } else {
      ++outcome.failed;
    }
  }
  if (stepped) stepped(static_cast<int>(plan.size()));
  return outcome;
}

}  // namespace vantor
