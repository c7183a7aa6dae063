// SPDX-License-Identifier: GPL-3.0-or-later
// A run that is killed halfway, for the crash recovery test: renames the files
// c0..c<n-1> one up along a chain and swaps s0/s1, s2/s3, ... through the real
// batch engine with its journal in the given state folder, says "half" on
// standard output when half the steps are done and then waits to be killed.
// Usage: rename_crash_child <folder/> <state folder> <n>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "pipeline/rename_batch.h"
#include "pipeline/rename_journal.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string folder = argv[1];
  vantor::SetJournalFolderForTesting(argv[2]);
  const int count = std::atoi(argv[3]);
  std::vector<vantor::PlannedRename> plan;
  for (int i = 0; i < count; ++i) {
    plan.push_back({i, "c" + std::to_string(i), "c" + std::to_string(i + 1)});
    plan.push_back({count + i, "s" + std::to_string(i), "s" + std::to_string(i ^ 1)});
  }
  const int half = static_cast<int>(plan.size()) / 2 + 32;  // inside the swaps, which run after the chain
  vantor::ApplyRenameBatch(folder, plan, [half](int done) {
    if (done < half) return;
    std::fputs("half\n", stdout);
    std::fflush(stdout);
    for (;;) ::pause();
  });
  return 1;
}
