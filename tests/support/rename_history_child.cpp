// SPDX-License-Identifier: GPL-3.0-or-later
// A run that finishes and quits, for the history test: renames every name
// given to name + ".bak" in folder through the apply step, with its state
// folder (journal and history) as given, and exits.
// Usage: rename_history_child <folder/> <state folder> <name>...
#include <string>
#include <vector>

#include "pipeline/apply_batch.h"
#include "pipeline/rename_journal.h"

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  vantor::SetJournalFolderForTesting(argv[2]);
  std::vector<vantor::PlannedRename> plan;
  for (int i = 3; i < argc; ++i) plan.push_back({i - 3, argv[i], std::string(argv[i]) + ".bak"});
  const vantor::AppliedBatch applied = vantor::ApplyBatch(argv[1], std::move(plan), "加后缀", {});
  return applied.outcome.renamed == argc - 3 && !applied.record.empty() ? 0 : 1;
}
