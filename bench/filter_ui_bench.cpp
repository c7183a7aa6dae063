// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into the filter box over a large list: each keystroke hides the rows
// that do not match and repaints, and must never hold the window up for more
// than 100 ms.
//
// Run: QT_QPA_PLATFORM=offscreen filter_ui_bench [rows]
//
// The main window's list gets N rows (every third "*.srt", the others
// "*.mkv"); then "*.srt", "re:e1\d" and an invalid "re:(" are typed key by key,
// and the box cleared, each step followed by a repaint. Prints the slowest
// and the mean step.
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "bench_clock.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;

  vantor::MainWindow window;
  window.show();
  QCoreApplication::processEvents();
  vantor::EntryList& list = window.Entries();
  list.SetEntryDirectory("/nowhere/");
  {
    vantor::EntryList::Batch batch(list);
    for (int row = 0; row < rows; ++row) {
      list.AppendRow("Show.S" + std::to_string(row / 100) + "E" + std::to_string(row % 100) +
                     (row % 3 == 0 ? ".srt" : ".mkv"));
    }
  }
  QCoreApplication::processEvents();
  QLineEdit* box = window.Ui().编辑框_筛选;
  QTableView* view = window.Ui().超级列表框1;

  std::vector<double> steps;
  QString slowest;
  const auto step = [&](const QString& text) {
    const auto start = std::chrono::steady_clock::now();
    box->setText(text);
    view->viewport()->repaint();
    QCoreApplication::processEvents();
    steps.push_back(MillisecondsSince(start));
    if (steps.back() >= *std::max_element(steps.begin(), steps.end())) slowest = text;
  };
  for (const QString& typed : {QStringLiteral("*.srt"), QStringLiteral("re:e1\\d"), QStringLiteral("re:(")}) {
    for (qsizetype length = 1; length <= typed.size(); ++length) step(typed.left(length));
    step(QString());
  }
  int shown = 0;
  for (int row = 0; row < rows; ++row) shown += view->isRowHidden(row) ? 0 : 1;
  if (shown != rows) {
    std::fprintf(stderr, "a cleared filter left %d of %d rows shown\n", shown, rows);
    return 1;
  }
  double total = 0;
  for (double ms : steps) total += ms;
  std::printf("rows %d: %zu filter steps, slowest %.1f ms (\"%s\"), mean %.1f ms (target: slowest <= 100 ms)\n",
              rows, steps.size(), *std::max_element(steps.begin(), steps.end()), slowest.toUtf8().constData(),
              total / static_cast<double>(steps.size()));
  return 0;
}
