// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the rename course against the bare system call.
//
// A temporary folder of N files (argv[1], default 100000; argv[2] rounds,
// default 5) named like
// "01lesson 7.mp4", every fourth one Chinese ("01第7课 介绍.mp4"), is renamed
// by the symbol-after-number operation with "、":
//   bare     renameat2(RENAME_NOREPLACE) over precomputed native paths
//   preview  the operation with preview on (names computed, nothing on disk)
//   direct   the operation with preview off (every file renamed)
//   commit   CommitPreview after a preview run (timed alone)
//   undo     UndoNewestBatch: that commit taken back from the rename history
// and, in preview over the same number of rows held only in the list, the
// numeral conversions both ways and the traditional/simplified conversion
// (every row Chinese, so that every row goes through OpenCC).
// Between the renaming phases the folder is moved by timed bare loops, so
// every phase starts from the same folder. Every renaming phase writes its
// journal and its history record to the user's state folder (point
// XDG_STATE_HOME elsewhere to keep them out of yours). Each phase starts after a sync().
// Ratios are given two ways: of the medians, and the median over rounds of
// each phase against the bare loops beside it (the chain and the swaps:
// against the bare loop of the same round). Targets: direct, commit and undo
// <= 1.1 x bare; chain and swaps <= 1.3 x bare; the preview of 100,000 rows
// well under a second; the regular-expression preview of 100,000 rows at
// most 0.2 s.
//
//   pipeline_bench N ROUNDS tree
// instead times the direct run over a tree of N files in 1000 folders (mode
// "处理文件（含子文件夹）", every folder its own batch) against the bare loop
// over the same renames; target <= 1.15 x bare.
//
//   pipeline_bench N ROUNDS chains
// times only the chain and the swaps.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "large_folder.h"
#include "entries/entry_list.h"
#include "entries/intake.h"
#include "operations/chinese_script.h"
#include "operations/digits_to_numerals.h"
#include "operations/numerals_to_digits.h"
#include "operations/regex_replace.h"
#include "operations/symbol_after_number.h"
#include "pipeline/apply_batch.h"
#include "pipeline/commit.h"
#include "pipeline/rename_batch.h"
#include "platform/code_page.h"
#include "text/chinese_numerals.h"
#include "bench_clock.h"

namespace {

using Clock = std::chrono::steady_clock;

// Says OK to everything and shows nothing.
class AgreeingPrompter : public vantor::Prompter {
 public:
  void Inform(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override {}
  bool Confirm(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override { return true; }
};

// Wall-clock and CPU milliseconds of one phase.
struct Phase {
  double wall = 0;
  double user = 0;
  double system = 0;
};

double CpuMilliseconds(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }

// Every phase starts from a file system with nothing left to write: a flush
// to disk inside a phase (the run's journal) would otherwise also pay for the
// renames of the phase before.
template <typename Work>
Phase Measure(Work work) {
  sync();
  rusage before;
  rusage after;
  getrusage(RUSAGE_SELF, &before);
  const Clock::time_point start = Clock::now();
  work();
  Phase phase;
  phase.wall = MillisecondsSince(start);
  getrusage(RUSAGE_SELF, &after);
  phase.user = CpuMilliseconds(after.ru_utime) - CpuMilliseconds(before.ru_utime);
  phase.system = CpuMilliseconds(after.ru_stime) - CpuMilliseconds(before.ru_stime);
  return phase;
}

// Per field, so that one slow round does not pick the others.
Phase Median(std::vector<Phase> phases) {
  const auto middle = [&phases](double Phase::*field) {
    std::vector<double> values;
    for (const Phase& phase : phases) values.push_back(phase.*field);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  return {middle(&Phase::wall), middle(&Phase::user), middle(&Phase::system)};
}

// Renames every from[i] to to[i]; exits on a failure.
void BareLoop(const std::vector<std::string>& from, const std::vector<std::string>& to) {
  for (size_t i = 0; i < from.size(); ++i) {
    if (renameat2(AT_FDCWD, from[i].c_str(), AT_FDCWD, to[i].c_str(), RENAME_NOREPLACE) != 0) {
      std::perror(from[i].c_str());
      std::exit(1);
    }
  }
}

// Fails the benchmark when a phase did not leave every file under its expected
// name (a benchmark of a run that renamed nothing would look fast).
void ExpectOnDisk(const std::vector<std::string>& paths, const char* phase) {
  for (const std::string& path : paths) {
    if (access(path.c_str(), F_OK) != 0) {
      std::fprintf(stderr, "%s: %s missing\n", phase, path.c_str());
      std::exit(1);
    }
  }
}

// The benchmark folder, removed at every exit (failures included).
std::string benchFolder;

void RemoveBenchFolder() {
  std::error_code ignored;
  if (!benchFolder.empty()) std::filesystem::remove_all(benchFolder, ignored);
}

// Batches whose order matters, over the files of paths (all in folder):
//   chain   one chain through every file (file i takes the name of file
//           i + 1, the last a new name), rows in the order that fails when
//           carried out as listed; against "bare chain", the same renames by
//           renameat2 in the order that succeeds
//   swaps   N / 2 swaps; against "bare swaps", each swap by three renameat2
//           calls through one temporary name
// Targets: chain <= 1.3 x bare chain; swaps <= 1.3 x bare swaps. Leaves every
// file under its name.
void MeasureChainAndSwaps(const std::string& folder, const std::vector<std::string>& paths, int rounds) {
  using namespace vantor;
  const auto gbkName = [&folder](const std::string& path) { return *GbkFromUtf8(path.substr(folder.size())); };
  std::vector<std::string> chainTo(paths.begin() + 1, paths.end());
  chainTo.push_back(folder + "01 end of the chain.mp4");
  std::vector<PlannedRename> chainPlan;
  for (size_t i = 0; i < paths.size(); ++i) chainPlan.push_back({static_cast<int>(i), gbkName(paths[i]), gbkName(chainTo[i])});
  const std::vector<std::string> chainFromLast(paths.rbegin(), paths.rend());
  const std::vector<std::string> chainToLast(chainTo.rbegin(), chainTo.rend());

  std::vector<PlannedRename> swapPlan;
  std::vector<std::string> swapFrom;
  std::vector<std::string> swapTo;
  const std::string parking = folder + "parking.tmp";
  for (size_t i = 0; i + 1 < paths.size(); i += 2) {
    swapPlan.push_back({static_cast<int>(i), gbkName(paths[i]), gbkName(paths[i + 1])});
    swapPlan.push_back({static_cast<int>(i + 1), gbkName(paths[i + 1]), gbkName(paths[i])});
    swapFrom.insert(swapFrom.end(), {paths[i], paths[i + 1], parking});
    swapTo.insert(swapTo.end(), {parking, paths[i], paths[i + 1]});
  }

  const ByteText gbkFolder = *GbkFromUtf8(folder);
  const auto apply = [&gbkFolder](const std::vector<PlannedRename>& plan, const char* phase) {
    const BatchOutcome outcome = ApplyRenameBatch(gbkFolder, plan);
    if (outcome.failed != 0 || outcome.renamed != static_cast<int>(plan.size())) {
      std::fprintf(stderr, "%s: %d of %zu renames failed\n", phase, outcome.failed, plan.size());
      std::exit(1);
    }
  };
  std::vector<Phase> bareChain, chain, bareSwaps, swaps;
  for (int round = 0; round < rounds; ++round) {
    // Each phase is followed by a bare loop back; a swap done twice is none.
    // The bare loops go first in even rounds and second in odd ones.
    const auto timeBareChain = [&] {
      bareChain.push_back(Measure([&] { BareLoop(chainFromLast, chainToLast); }));
      BareLoop(chainTo, paths);
    };
    const auto timeBareSwaps = [&] {
      bareSwaps.push_back(Measure([&] { BareLoop(swapFrom, swapTo); }));
      BareLoop(swapFrom, swapTo);
    };
    if (round % 2 == 0) timeBareChain();
    chain.push_back(Measure([&] { apply(chainPlan, "chain"); }));
    ExpectOnDisk(chainTo, "chain");
    BareLoop(chainTo, paths);
    if (round % 2 == 1) timeBareChain();
    if (round % 2 == 0) timeBareSwaps();
    swaps.push_back(Measure([&] { apply(swapPlan, "swaps"); }));
    ExpectOnDisk(paths, "swaps");
    BareLoop(swapFrom, swapTo);
    if (round % 2 == 1) timeBareSwaps();
  }

  const auto report = [](const char* label, const std::vector<Phase>& phases, const std::vector<Phase>& bare) {
    const Phase median = Median(phases);
    const Phase base = Median(bare);
    std::vector<double> inRound;
    for (size_t i = 0; i < phases.size(); ++i) inRound.push_back(phases[i].wall / bare[i].wall);
    std::sort(inRound.begin(), inRound.end());
    std::printf("%-10s %9.1f ms  (user %7.1f, system %7.1f)  %s/bare %.2f (cpu %.2f; median of rounds %.2f)\n",
                label, median.wall, median.user, median.system, label, median.wall / base.wall,
                (median.user + median.system) / (base.user + base.system), inRound[inRound.size() / 2]);
  };
  std::printf("files %zu, rounds %d, medians\n", paths.size(), rounds);
  report("bare chain", bareChain, bareChain);
  report("chain", chain, bareChain);
  report("bare swaps", bareSwaps, bareSwaps);
  report("swaps", swaps, bareSwaps);
}

// The direct run over a folder tree against the bare loop, in rounds.
int MeasureTreeDirectRun(long count, int rounds) {
  using namespace vantor;
  constexpr long kFolders = 1000;
  std::string folder = (std::filesystem::temp_directory_path() / "vantor-pipeline-bench-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) return 1;
  folder += '/';
  benchFolder = folder;
  for (long f = 0; f < kFolders; ++f) {
    if (mkdir((folder + "Season " + std::to_string(f)).c_str(), 0755) != 0) return 1;
  }
  for (long i = 1; i <= count; ++i) {
    const std::string path = folder + "Season " + std::to_string(i % kFolders) + "/01lesson " + std::to_string(i) +
                             ".mp4";
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
    if (fd < 0) return 1;
    close(fd);
  }
  EntryList list;
  AgreeingPrompter prompter;
  IntakeSettings intake;
  intake.mode = ProcessingMode::kFilesInTree;
  const SymbolAfterNumberSettings settings{Gbk("、")};
  const auto reload = [&] {
    list.Clear();
    list.SetEntryDirectory(*GbkFromUtf8(folder));
    LoadFolderEntries(list, intake);
  };
  reload();
  if (list.RowCount() != count) {
    std::fprintf(stderr, "listed %d of %ld files\n", list.RowCount(), count);
    return 1;
  }
  // The bare loop renames in the order of the rows, as the program does.
  std::vector<std::string> oldPaths, newPaths;
  for (int row = 0; row < list.RowCount(); ++row) {
    const std::string relative = *Utf8FromGbk(list.FolderOfRow(row));
    const std::string name = *Utf8FromGbk(list.Cell(row, 0));
    oldPaths.push_back(folder + relative + name);
    newPaths.push_back(folder + relative + "01、" + name.substr(2));
  }
  std::vector<Phase> bare, direct;
  std::vector<double> flanked;
  BareLoop(oldPaths, newPaths);
  double lastBare = 0;
  for (int round = 0; round < rounds; ++round) {
    bare.push_back(Measure([&] { BareLoop(newPaths, oldPaths); }));
    lastBare = bare.back().wall;
    reload();
    direct.push_back(Measure([&] { RunSymbolAfterNumber(RunContext{list, prompter, intake}, settings); }));
    ExpectOnDisk(newPaths, "tree direct run");
    BareLoop(newPaths, oldPaths);
    bare.push_back(Measure([&] { BareLoop(oldPaths, newPaths); }));
    flanked.push_back(direct.back().wall * 2 / (lastBare + bare.back().wall));
  }
  std::sort(flanked.begin(), flanked.end());
  const Phase medianBare = Median(bare);
  const Phase medianDirect = Median(direct);
  std::printf("tree: files %ld in %ld folders, rounds %d, medians\n", count, kFolders, rounds);
  std::printf("bare       %9.1f ms\n", medianBare.wall);
  std::printf("direct     %9.1f ms  direct/bare %.2f (median of flanked rounds %.2f)\n", medianDirect.wall,
              medianDirect.wall / medianBare.wall, flanked[flanked.size() / 2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vantor;
  const long count = argc > 1 ? std::atol(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  if (count <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: %s [file count [rounds [tree | chains]]]\n", argv[0]);
    return 2;
  }
  std::atexit(RemoveBenchFolder);
  if (argc > 3 && std::string(argv[3]) == "tree") return MeasureTreeDirectRun(count, rounds);

  std::string folder = (std::filesystem::temp_directory_path() / "vantor-pipeline-bench-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  folder += '/';
  benchFolder = folder;

  std::vector<std::string> oldPaths;
  std::vector<std::string> newPaths;
  const std::string loadBefore = bench::LoadAverage();
  // Hard links to a few empty files (large_folder.h): a million in seconds.
  const auto nameOf = [](long index) {
    const long i = index + 1;
    const std::string number = std::to_string(i);
    return "01" + (i % 4 == 0 ? "第" + number + "课 介绍.mp4" : "lesson " + number + ".mp4");
  };
  if (!bench::MakeLinkedFolder(folder.substr(0, folder.size() - 1), count, nameOf)) return 1;

  EntryList list;
  AgreeingPrompter prompter;
  const IntakeSettings intake;
  const SymbolAfterNumberSettings settings{Gbk("、")};
  list.SetEntryDirectory(*GbkFromUtf8(folder));

  const Clock::time_point start = Clock::now();
  LoadFolderEntries(list, intake);
  const double loadMs = MillisecondsSince(start);
  if (list.RowCount() != count) {
    std::fprintf(stderr, "listed %d of %ld files\n", list.RowCount(), count);
    return 1;
  }
  TextArray loaded;
  list.CollectColumnTexts(loaded, 0);
  const auto reloadRows = [&] {
    list.SetPreviewOn(false);
    list.Clear();
    for (const ByteText& name : loaded) list.AppendRow(name);
  };

  // The bare loop renames in the order of the list's rows, as the program
  // does: the kernel's cost of the same renames depends on their order (on
  // ext4, renaming in the order the files were made is faster than in name
  // order), and only the same order compares the program with the system call.
  oldPaths.clear();
  newPaths.clear();
  for (const ByteText& name : loaded) {
    const std::string native = *Utf8FromGbk(name);
    oldPaths.push_back(folder + native);
    newPaths.push_back(folder + "01、" + native.substr(2));
  }

  MeasureChainAndSwaps(folder, oldPaths, rounds);
  if (argc > 3 && std::string(argv[3]) == "chains") return 0;

  // The phases run in rounds, interleaved, and the medians are reported: the
  // disk is shared and single runs vary by a fifth. The kernel's cost of the
  // same renames also drifts from one loop to the next, so every move of the
  // folder between two phases is itself a timed bare loop (forward or back,
  // the same renames either way), and each phase is also compared with the
  // mean of the bare loops just before and just after it. A round:
  //   bare, bare back, direct, bare back, commit, undo, bare, bare back
  std::vector<Phase> bare, preview, direct, commit, undo;
  std::vector<double> directFlanked, commitFlanked, undoFlanked;
  const auto timeBare = [&](bool forward) {
    bare.push_back(Measure([&] { forward ? BareLoop(oldPaths, newPaths) : BareLoop(newPaths, oldPaths); }));
    return bare.back().wall;
  };
  double lastBare = timeBare(true);
  for (int round = 0; round < rounds; ++round) {
    lastBare = timeBare(false);

    // Preview run.
    reloadRows();
    list.SetPreviewOn(true);
    preview.push_back(Measure([&] { RunSymbolAfterNumber(RunContext{list, prompter, intake}, settings); }));
    if (list.Cell(count - 1, 1).empty()) {
      std::fprintf(stderr, "preview wrote no pending names\n");
      return 1;
    }

    // Direct run, then back.
    reloadRows();
    direct.push_back(Measure([&] { RunSymbolAfterNumber(RunContext{list, prompter, intake}, settings); }));
    ExpectOnDisk(newPaths, "direct run");
    const double bareBeforeCommit = timeBare(false);
    directFlanked.push_back(direct.back().wall * 2 / (lastBare + bareBeforeCommit));

    // Commit from preview (the commit alone is timed), then undo.
    reloadRows();
    list.SetPreviewOn(true);
    RunSymbolAfterNumber(RunContext{list, prompter, intake}, settings);
    int failed = 0;
    commit.push_back(Measure([&] { failed = CommitPreview(list, prompter); }));
    ExpectOnDisk(newPaths, "commit");
    if (failed != 0) {
      std::fprintf(stderr, "commit: %d renames failed\n", failed);
      return 1;
    }
    undo.push_back(Measure([&] { UndoNewestBatch(list, prompter); }));
    ExpectOnDisk(oldPaths, "undo");
    lastBare = timeBare(true);
    commitFlanked.push_back(commit.back().wall * 2 / (bareBeforeCommit + lastBare));
    undoFlanked.push_back(undo.back().wall * 2 / (bareBeforeCommit + lastBare));
  }
  BareLoop(newPaths, oldPaths);

  // Preview runs of the Chinese operations over rows made for them.
  TextArray numeralRows;
  TextArray traditionalRows;
  TextArray simplifiedRows;
  TextArray distinctRows;  // no two rows share a stretch of Chinese
  const auto rareCharacter = [](long index) {  // one of the 6,080 codes of lead bytes 81-A0
    const long trail = index % 190;
    return ByteText{static_cast<char>(0x81 + index / 190 % 32), static_cast<char>(trail + (trail < 63 ? 0x40 : 0x41))};
  };
  for (long i = 1; i <= count; ++i) {
    const ByteText number = std::to_string(i);
    numeralRows.push_back(Gbk("第") + *ChineseNumeralOf(static_cast<uint64_t>(i % 999 + 1)) + Gbk("课 介绍.mp4"));
    traditionalRows.push_back(Gbk("歷史第") + number + Gbk("課 介紹.mp4"));
    simplifiedRows.push_back(Gbk("历史第") + number + Gbk("课 介绍.mp4"));
    distinctRows.push_back(Gbk("歷") + rareCharacter(i) + rareCharacter(i / 6080) + Gbk("課.mp4"));
  }
  const auto previewOver = [&](const TextArray& rows, const std::function<void(const RunContext&)>& run) {
    std::vector<Phase> phases;
    for (int round = 0; round < rounds; ++round) {
      list.SetPreviewOn(false);
      list.Clear();
      for (const ByteText& name : rows) list.AppendRow(name);
      list.SetPreviewOn(true);
      phases.push_back(Measure([&] { run(RunContext{list, prompter, intake}); }));
      if (list.Cell(count - 1, 1).empty()) {
        std::fprintf(stderr, "a Chinese preview wrote no pending name\n");
        std::exit(1);
      }
    }
    return phases;
  };
  const std::vector<Phase> toNumerals =
      previewOver(loaded, [](const RunContext& context) { RunDigitsToNumerals(context, {}); });
  const std::vector<Phase> toDigits =
      previewOver(numeralRows, [](const RunContext& context) { RunNumeralsToDigits(context, {}); });
  const std::vector<Phase> toSimplified = previewOver(
      traditionalRows, [](const RunContext& context) { RunChineseScript(context, {ChineseScript::kSimplified}); });
  const std::vector<Phase> distinct = previewOver(
      distinctRows, [](const RunContext& context) { RunChineseScript(context, {ChineseScript::kSimplified}); });
  const std::vector<Phase> toTraditional = previewOver(
      simplifiedRows, [](const RunContext& context) { RunChineseScript(context, {ChineseScript::kTraditional}); });

  // A regular-expression replace over the loaded names: compiled once per run.
  const std::vector<Phase> regex = previewOver(loaded, [](const RunContext& context) {
    RunRegexReplace(context, {Gbk("(\\d+)"), Gbk("n$1")});
  });

  const Phase bareMedian = Median(bare);
  const auto report = [&](const char* label, const std::vector<Phase>& phases, const std::vector<double>* flanked) {
    const Phase median = Median(phases);
    std::printf("%-8s %9.1f ms  (user %7.1f, system %7.1f)", label, median.wall, median.user, median.system);
    if (flanked != nullptr) {
      // CPU time as well: other processes on the machine stretch wall time.
      std::vector<double> ratios = *flanked;
      std::sort(ratios.begin(), ratios.end());
      std::printf("  %s/bare %.2f (cpu %.2f; against the loops beside it %.2f)", label,
                  median.wall / bareMedian.wall, (median.user + median.system) / (bareMedian.user + bareMedian.system),
                  ratios[ratios.size() / 2]);
    }
    std::printf("\n");
  };
  std::printf("files %ld, rounds %d, medians; load of the list (read + natural sort) %.1f ms\n", count, rounds,
              loadMs);
  std::printf("load average before %s, after %s\n", loadBefore.c_str(), bench::LoadAverage().c_str());
  report("bare", bare, nullptr);
  report("preview", preview, nullptr);
  report("direct", direct, &directFlanked);
  report("commit", commit, &commitFlanked);
  report("undo", undo, &undoFlanked);
  std::printf("preview runs over %ld rows (OpenCC loads once, in the first round):\n", count);
  report("15->十五", toNumerals, nullptr);
  report("十五->15", toDigits, nullptr);
  report("繁->简", toSimplified, nullptr);
  report("简->繁", toTraditional, nullptr);
  report("繁->简 distinct", distinct, nullptr);
  report("regex", regex, nullptr);
  return 0;
}
