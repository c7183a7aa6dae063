// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of RenameEntry against the bare system call it wraps.
//
// Creates a temporary folder of N files (default 100,000; argv[1] overrides),
// every tenth with a Chinese name, then renames all of them back and forth:
// once with a bare loop of renameat2(RENAME_NOREPLACE) on prepared native full
// paths, once through RenameEntry with GBK directory and names. The two take
// turns going forward and back so that neither always meets the same
// directory state. Also times ReadFolderNames on the full folder.
//
//   rename_bench [N]
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string NameOf(int i, char variant) {
  if (i % 10 == 0) return "第" + std::to_string(i) + (variant == 'a' ? "集.mp4" : "集（新）.mp4");
  return std::string(1, variant) + "_file_" + std::to_string(i) + ".txt";
}

struct Side {
  std::vector<std::string> nativePaths;
  std::vector<vantor::ByteText> gbkNames;
};

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "rename_bench: %s %s\n", what, detail.c_str());
  std::exit(1);
}

double BareLoop(const Side& from, const Side& to) {
  const auto start = Clock::now();
  for (size_t i = 0; i < from.nativePaths.size(); ++i) {
    if (renameat2(AT_FDCWD, from.nativePaths[i].c_str(), AT_FDCWD, to.nativePaths[i].c_str(),
                  RENAME_NOREPLACE) != 0) {
      Fail("renameat2 failed on", from.nativePaths[i]);
    }
  }
  return SecondsSince(start);
}

double RenameEntryLoop(const vantor::ByteText& directory, const Side& from, const Side& to) {
  const auto start = Clock::now();
  for (size_t i = 0; i < from.gbkNames.size(); ++i) {
    if (!vantor::RenameEntry(directory, from.gbkNames[i], to.gbkNames[i])) {
      Fail("RenameEntry failed on", from.nativePaths[i]);
    }
  }
  return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100'000;
  if (count <= 0) Fail("bad count", argc > 1 ? argv[1] : "");
  constexpr int kRounds = 3;

  std::string pattern = (std::filesystem::temp_directory_path() / "rename-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp failed for", pattern);
  const std::string folder = pattern + "/";
  const vantor::ByteText gbkFolder = vantor::GbkFromUtf8(folder).value();

  Side a, b;
  for (int i = 0; i < count; ++i) {
    for (auto [side, variant] : {std::pair{&a, 'a'}, std::pair{&b, 'b'}}) {
      const std::string name = NameOf(i, variant);
      side->nativePaths.push_back(folder + name);
      side->gbkNames.push_back(vantor::GbkFromUtf8(name).value());
    }
    const int fd = open(a.nativePaths.back().c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
    if (fd < 0) Fail("cannot create", a.nativePaths.back());
    close(fd);
  }
  std::printf("%d files in %s (every 10th with a Chinese name), %d rounds\n", count,
              folder.c_str(), kRounds);

  // Each round: bare forward and RenameEntry back, then RenameEntry forward
  // and bare back. Files end where they started.
  double bare = 0;
  double wrapped = 0;
  for (int round = 0; round < kRounds; ++round) {
    bare += BareLoop(a, b);
    wrapped += RenameEntryLoop(gbkFolder, b, a);
    wrapped += RenameEntryLoop(gbkFolder, a, b);
    bare += BareLoop(b, a);
  }
  const double renames = 2.0 * kRounds * count;
  std::printf("bare renameat2: %8.3f s  %7.0f ns/rename\n", bare, bare / renames * 1e9);
  std::printf("RenameEntry:    %8.3f s  %7.0f ns/rename\n", wrapped, wrapped / renames * 1e9);
  std::printf("ratio RenameEntry / bare: %.3f\n", wrapped / bare);

  // What RenameEntry adds to the system call: checks, conversion and paths,
  // measured with same-name calls, which stop before the disk.
  const double sameName = RenameEntryLoop(gbkFolder, a, a);
  std::printf("RenameEntry without the disk: %.0f ns/call\n", sameName / count * 1e9);

  const auto listStart = Clock::now();
  const vantor::FolderNames names = vantor::ReadFolderNames(gbkFolder, vantor::EntryKind::kFiles);
  const double listing = SecondsSince(listStart);
  std::printf("ReadFolderNames: %zu names in %.3f s (%zu unconvertible)\n", names.names.size(),
              listing, names.unconvertible.size());

  for (const std::string& path : a.nativePaths) unlink(path.c_str());
  rmdir(folder.c_str());
  return 0;
}
