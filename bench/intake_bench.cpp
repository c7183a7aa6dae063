// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the list from a large folder, against the bare directory read it is
// built on, and the natural order against a plain std::sort.
//
//   intake_bench [N]   N files, 100000 by default
//
// Creates a temporary folder of N files (every 7th "第i集.mp4", the others
// "lesson i.txt"; hard links to one empty file, see large_folder.h), then
// times, best of several runs:
//   (a) opendir/readdir collecting the names into a std::vector<std::string>;
//   (b) AcceptDroppedPath into an EntryList: listing, GBK conversion, natural
//       order and rows;
//   (c) NaturalSort of the N names against std::sort of the same names;
//   (d) AcceptDroppedPath on a second folder of N names that all need
//       four-byte GB18030 characters (every 7th "한국어 i.mp4", the others
//       "Straße i.txt"), against (b);
//   (e) LoadFolderEntries in the mode "处理文件（含子文件夹）" over a tree of N
//       files in 1000 folders, against (b); target <= 1.5 x (b).
// The folders are removed afterwards.
#include <dirent.h>
#include <fcntl.h>
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
#include "entries/natural_sort.h"
#include "platform/code_page.h"
#include "platform/prompter.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietPrompter : public vantor::Prompter {
 public:
  void Inform(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override {}
  bool Confirm(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override {
    return true;
  }
};

// Best wall time of `runs` calls, in milliseconds.
double BestOf(int runs, const std::function<void()>& body) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    body();
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

std::vector<std::string> ReadNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return names;
  while (const dirent* entry = readdir(directory)) {
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    names.emplace_back(name);
  }
  closedir(directory);
  return names;
}

}  // namespace

// Makes a temporary folder of count empty files named by nameOf(i), i from 1;
// empty on failure.
std::string MakeFolder(long count, const std::function<std::string(long)>& nameOf) {
  std::string folder = (std::filesystem::temp_directory_path() / "vantor-intake-bench-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) return {};
  if (!vantor::bench::MakeLinkedFolder(folder, count, [&nameOf](long i) { return nameOf(i + 1); })) return {};
  return folder + '/';
}

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100'000;
  if (count < 1) {
    std::fprintf(stderr, "usage: %s [file count >= 1]\n", argv[0]);
    return 2;
  }
  constexpr int kRuns = 5;

  const std::string loadBefore = vantor::bench::LoadAverage();
  const auto nameOf = [](long i) {
    return i % 7 == 0 ? "第" + std::to_string(i) + "集.mp4" : "lesson " + std::to_string(i) + ".txt";
  };
  const std::string folder = MakeFolder(count, nameOf);
  if (folder.empty()) {
    std::perror("folder");
    return 1;
  }
  const std::string firstName = nameOf(1);

  size_t readCount = 0;
  const double readMs = BestOf(kRuns, [&] { readCount = ReadNames(folder).size(); });

  const vantor::ByteText dropped = vantor::GbkFromUtf8(folder + firstName).value();
  const vantor::IntakeSettings settings;  // "处理文件", all files, nothing skipped
  QuietPrompter prompter;
  int rows = 0;
  const double intakeMs = BestOf(kRuns, [&] {
    vantor::EntryList list;
    vantor::AcceptDroppedPath(list, prompter, settings, dropped);
    rows = list.RowCount();
  });

  vantor::TextArray names;
  for (const std::string& name : ReadNames(folder)) names.push_back(vantor::GbkFromUtf8(name).value());
  const double naturalMs = BestOf(kRuns, [&] {
    vantor::TextArray copy = names;
    vantor::NaturalSort(copy);
  });
  const double plainMs = BestOf(kRuns, [&] {
    vantor::TextArray copy = names;
    std::sort(copy.begin(), copy.end());
  });
  const double copyMs = BestOf(kRuns, [&] { vantor::TextArray copy = names; });

  std::filesystem::remove_all(folder);

  const auto fourByteName = [](long i) {
    return i % 7 == 0 ? "한국어 " + std::to_string(i) + ".mp4" : "Straße " + std::to_string(i) + ".txt";
  };
  const std::string fourByteFolder = MakeFolder(count, fourByteName);
  if (fourByteFolder.empty()) {
    std::perror("four-byte folder");
    return 1;
  }
  const vantor::ByteText fourByteDropped = vantor::GbkFromUtf8(fourByteFolder + fourByteName(1)).value();
  int fourByteRows = 0;
  const double fourByteMs = BestOf(kRuns, [&] {
    vantor::EntryList list;
    vantor::AcceptDroppedPath(list, prompter, settings, fourByteDropped);
    fourByteRows = list.RowCount();
  });
  std::filesystem::remove_all(fourByteFolder);

  // (e) The same number of files spread over 1000 folders.
  constexpr long kFolders = 1000;
  std::string tree = (std::filesystem::temp_directory_path() / "vantor-intake-bench-XXXXXX").string();
  if (mkdtemp(tree.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  tree += '/';
  for (long f = 0; f < kFolders; ++f) std::filesystem::create_directory(tree + "Season " + std::to_string(f));
  for (long i = 1; i <= count; ++i) {
    const std::string name = i % 7 == 0 ? "第" + std::to_string(i) + "集.mp4" : "lesson " + std::to_string(i) + ".txt";
    const int fd = open((tree + "Season " + std::to_string(i % kFolders) + "/" + name).c_str(),
                        O_CREAT | O_WRONLY | O_EXCL, 0644);
    if (fd < 0) {
      std::perror(name.c_str());
      std::filesystem::remove_all(tree);
      return 1;
    }
    close(fd);
  }
  vantor::IntakeSettings treeSettings;
  treeSettings.mode = vantor::ProcessingMode::kFilesInTree;
  int treeRows = 0;
  const double treeMs = BestOf(kRuns, [&] {
    vantor::EntryList list;
    list.SetEntryDirectory(vantor::GbkFromUtf8(tree).value());
    vantor::LoadFolderEntries(list, treeSettings);
    treeRows = list.RowCount();
  });
  std::filesystem::remove_all(tree);
  if (treeRows != count) {
    std::fprintf(stderr, "expected %ld names in the tree, listed %d\n", count, treeRows);
    return 1;
  }

  if (fourByteRows != count) {
    std::fprintf(stderr, "expected %ld four-byte names, listed %d\n", count, fourByteRows);
    return 1;
  }
  if (readCount != static_cast<size_t>(count) || rows != count) {
    std::fprintf(stderr, "expected %ld names, read %zu, listed %d\n", count, readCount, rows);
    return 1;
  }
  std::printf("files: %ld, best of %d runs; load average before %s, after %s\n", count, kRuns, loadBefore.c_str(),
              vantor::bench::LoadAverage().c_str());
  std::printf("(a) bare readdir:              %9.2f ms\n", readMs);
  std::printf("(b) AcceptDroppedPath:         %9.2f ms   b/a = %.2f\n", intakeMs, intakeMs / readMs);
  std::printf("(c) NaturalSort (incl. copy):  %9.2f ms\n", naturalMs);
  std::printf("    std::sort (incl. copy):    %9.2f ms   NaturalSort/std::sort = %.2f\n", plainMs,
              naturalMs / plainMs);
  std::printf("    copy alone:                %9.2f ms   net ratio = %.2f\n", copyMs,
              (naturalMs - copyMs) / std::max(plainMs - copyMs, 1e-9));
  std::printf("(d) AcceptDroppedPath, four-byte names: %9.2f ms   d/b = %.2f\n", fourByteMs, fourByteMs / intakeMs);
  std::printf("(e) tree of %ld folders:        %9.2f ms   e/b = %.2f\n", kFolders, treeMs, treeMs / intakeMs);
  return 0;
}
