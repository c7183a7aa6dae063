// SPDX-License-Identifier: GPL-3.0-or-later
// Opening "改名历史" on a full history: 199 small batches and one of 100,000
// renames (argv[1]), in a temporary state folder. Timed: from the click on
// "历史记录" until the window has shown its table. Target: at most 200 ms.
// Also told: the time to write the large record (one write, one flush) and to
// read it back, as an undo does.
//
// Run: QT_QPA_PLATFORM=offscreen history_ui_bench [renames] [rounds]
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "pipeline/batch_history.h"
#include "pipeline/rename_journal.h"
#include "ui/history_window.h"
#include "ui/main_window.h"
#include "bench_clock.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int renames = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;

  std::string state = (std::filesystem::temp_directory_path() / "vantor-history-bench-XXXXXX").string();
  if (::mkdtemp(state.data()) == nullptr) return 1;
  vantor::SetJournalFolderForTesting(state + "/vantor-rename");
  const vantor::BatchHistory history;
  std::vector<vantor::RecordedRename> large;
  large.reserve(static_cast<size_t>(renames));
  for (int i = 0; i < renames; ++i) {
    const std::string number = std::to_string(i);
    std::string oldName = "01lesson ";
    oldName.append(number).append(".mp4");
    std::string newName = "01、lesson ";
    newName.append(number).append(".mp4");
    large.push_back({std::move(oldName), std::move(newName)});
  }
  const auto recordStart = std::chrono::steady_clock::now();
  const std::string id = history.Record("/home/user/videos/", "数字编号后面加符号", large);
  const double recordTime = MillisecondsSince(recordStart);
  const auto readStart = std::chrono::steady_clock::now();
  const bool read = history.Renames(id).has_value();
  const double readTime = MillisecondsSince(readStart);
  std::printf("record of %d renames: written %.1f ms, read back %.1f ms%s\n", renames, recordTime, readTime,
              read ? "" : " (unreadable!)");
  for (int i = 0; i < 199; ++i) history.Record("/home/user/photos/", "手动改名", {{std::to_string(i).append(".jpg"), "b"}});

  vantor::MainWindow window;
  window.show();
  QApplication::processEvents();
  auto* button = window.findChild<QPushButton*>(QStringLiteral("按钮_历史记录"));
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    button->click();
    auto* opened = window.findChild<vantor::HistoryWindow*>();
    QApplication::processEvents();
    times.push_back(MillisecondsSince(start));
    if (opened == nullptr || opened->表格_历史->rowCount() != 200) {
      std::fprintf(stderr, "the window did not list 200 batches\n");
      return 1;
    }
    opened->close();
    QApplication::processEvents();
  }
  std::sort(times.begin(), times.end());
  std::printf("open history window (200 records, one of %d renames): median %.1f ms, min %.1f ms, max %.1f ms\n",
              renames, times[times.size() / 2], times.front(), times.back());
  std::filesystem::remove_all(state);
  return 0;
}
