// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a large name file into a large mapping.
//
//   name_file_bench [N]   N lines and entries, 100000 by default
//
// Builds a UTF-8 name file text of N lines ("第i集 新名字.mp4", CR LF) and the
// same text in GBK, then times, best of several runs:
//   (a) a plain copy of the UTF-8 text (the floor);
//   (b) IsWellFormedUtf8 over it;
//   (c) DecodeNameFile of the UTF-8 text: check, conversion to GBK, lines;
//   (d) DecodeNameFile of the GBK text: UTF-8 check fails, GBK check, lines;
//   (e) OpenNameMapping over a main list of N entries plus SetNewNames of the
//       N decoded names.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "entries/entry_list.h"
#include "listops/name_file.h"
#include "listops/rename_by_list.h"
#include "platform/code_page.h"
#include "platform/prompter.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietPrompter : public vantor::Prompter {
 public:
  void Inform(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override {}
  bool Confirm(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override { return true; }
};

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

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  std::string utf8;
  for (int i = 1; i <= count; ++i) utf8 += "第" + std::to_string(i) + "集 新名字.mp4\r\n";
  const std::string gbk = vantor::GbkFromUtf8(utf8).value();

  vantor::EntryList main;
  main.SetEntryDirectory("/nowhere/");
  for (int i = 1; i <= count; ++i) main.AppendRow("lesson " + std::to_string(i) + ".mp4");
  QuietPrompter prompter;
  const vantor::TextArray names = vantor::DecodeNameFile(utf8).value();

  constexpr int kRuns = 5;
  volatile size_t sink = 0;
  std::printf("%d lines, %.1f MiB UTF-8, %.1f MiB GBK\n", count, utf8.size() / 1048576.0, gbk.size() / 1048576.0);
  std::printf("(a) copy            %8.2f ms\n", BestOf(kRuns, [&] { sink = std::string(utf8).size(); }));
  std::printf("(b) UTF-8 check     %8.2f ms\n", BestOf(kRuns, [&] { sink = vantor::IsWellFormedUtf8(utf8); }));
  std::printf("(c) decode UTF-8    %8.2f ms\n",
              BestOf(kRuns, [&] { sink = vantor::DecodeNameFile(utf8).value().size(); }));
  std::printf("(d) decode GBK      %8.2f ms\n",
              BestOf(kRuns, [&] { sink = vantor::DecodeNameFile(gbk).value().size(); }));
  std::printf("(e) open + set      %8.2f ms\n", BestOf(kRuns, [&] {
                vantor::NameMapping mapping;
                vantor::OpenNameMapping(main, prompter, mapping);
                vantor::SetNewNames(mapping, names);
                sink = mapping.rows.RowCount();
              }));
  (void)sink;
  return 0;
}
