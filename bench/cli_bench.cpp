// SPDX-License-Identifier: GPL-3.0-or-later
// The program run from a terminal against the bare system call, both as whole
// processes: a folder of N files (default 100000) named like pipeline_bench's
// ("01lesson 7.mp4", every fourth "01第7课 介绍.mp4") is renamed by
//   program  vantor-rename --preset (one step: "、" after the number), its
//            output to /dev/null, journal and history in a temporary state
//            folder
//   bare     bare_rename_loop: readdir, then renameat2(RENAME_NOREPLACE) per
//            name relative to the opened folder, the same renames
//   paths    the same loop by whole paths, as pipeline_bench's bare loop
// in turns, each round in the other order, every timed run from the same
// names (an untimed bare loop renames back) and after a sync(). Prints wall
// time and peak memory of each process, and per round program / bare and
// program / paths. Targets: the median ratio <= 1.15, the program's peak
// memory <= 150 MB.
// Usage: cli_bench PROGRAM BARE_LOOP [N] [ROUNDS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_clock.h"

extern char** environ;

namespace {

struct Run {
  double wallMs = 0;
  double peakMb = 0;
  int status = -1;
};

// Starts argv with stdout on /dev/null and waits for it.
Run Spawn(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  sync();
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  Run run;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::perror(argv[0]);
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run.wallMs = MillisecondsSince(start);
  run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: cli_bench PROGRAM BARE_LOOP [N] [ROUNDS]\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::string bare = argv[2];
  const long count = argc > 3 ? std::atol(argv[3]) : 100000;
  const int rounds = argc > 4 ? std::atoi(argv[4]) : 5;

  char pattern[] = "/tmp/vantor-cli-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const std::filesystem::path root = pattern;
  const std::string folder = (root / "files").string();
  std::filesystem::create_directories(folder);
  std::filesystem::create_directories(root / "state");
  const std::string preset = (root / "after-number.json").string();
  {
    FILE* file = std::fopen(preset.c_str(), "w");
    std::fputs(R"({"format": "vantor-rename-steps", "version": 1, "steps": [)"
               R"({"operation": "symbol_after_number", "settings": {"text": "、"}}]})",
               file);
    std::fclose(file);
  }
  setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
  for (long i = 1; i <= count; ++i) {
    const std::string number = std::to_string(i);
    const std::string name = i % 4 == 0 ? "01第" + number + "课 介绍.mp4" : "01lesson " + number + ".mp4";
    const int fd = open((folder + "/" + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
    if (fd < 0) return 1;
    close(fd);
  }

  std::vector<double> programMs, bareMs, pathsMs, ratios, pathRatios, peaks;
  for (int round = 0; round < rounds; ++round) {
    Run ours, loop, byPath;
    const auto timeProgram = [&] {
      ours = Spawn({program, "--preset", preset, folder});
      Spawn({bare, folder, "back"});
    };
    const auto timeBare = [&] {
      loop = Spawn({bare, folder, "forward"});
      Spawn({bare, folder, "back"});
    };
    const auto timePaths = [&] {
      byPath = Spawn({bare, folder, "forward", "paths"});
      Spawn({bare, folder, "back"});
    };
    if (round % 2 == 0) {
      timeProgram();
      timeBare();
      timePaths();
    } else {
      timePaths();
      timeBare();
      timeProgram();
    }
    if (ours.status != 0 || loop.status != 0 || byPath.status != 0) {
      std::fprintf(stderr, "round %d: program %d, bare %d, paths %d\n", round, ours.status, loop.status, byPath.status);
      return 1;
    }
    programMs.push_back(ours.wallMs);
    bareMs.push_back(loop.wallMs);
    pathsMs.push_back(byPath.wallMs);
    ratios.push_back(ours.wallMs / loop.wallMs);
    pathRatios.push_back(ours.wallMs / byPath.wallMs);
    peaks.push_back(ours.peakMb);
    std::printf("round %d: program %.1f ms (%.1f MB), bare %.1f ms (%.1f MB), paths %.1f ms, ratios %.3f / %.3f\n",
                round + 1, ours.wallMs, ours.peakMb, loop.wallMs, loop.peakMb, byPath.wallMs, ratios.back(),
                pathRatios.back());
  }
  std::printf("%ld files, %d rounds, medians: program %.1f ms, bare %.1f ms, paths %.1f ms; "
              "program / bare %.3f, program / paths %.3f (target <= 1.15); program peak memory %.1f MB max "
              "(target <= 150)\n",
              count, rounds, Median(programMs), Median(bareMs), Median(pathsMs), Median(ratios), Median(pathRatios),
              *std::max_element(peaks.begin(), peaks.end()));
  std::filesystem::remove_all(root);
  return 0;
}
