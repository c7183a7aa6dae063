// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window over a large folder, driven as a user drives it: the
// folder is opened (as from the command line), preview is turned on and an
// operation previews its names, the preview is committed, and the commit is
// undone. Each phase runs once with the window's long-run runner (worker
// thread, progress dialog) and once inline without progress reporting, while
// a 10 ms timer records the longest gap between its ticks: the gap is how
// long the window could not repaint. Message boxes are answered with OK as
// soon as they show.
//
// Targets: no gap over 100 ms; each phase with the runner takes at most 1.1
// times as long as without it.
//
// Run: QT_QPA_PLATFORM=offscreen long_run_ui_bench [files [passes]]
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "entries/entry_list.h"
#include "ui/main_window.h"

namespace {

constexpr double kLongestGapMs = 100;
constexpr double kRunnerCost = 1.1;

struct Figures {
  double total = 0;
  double longestGap = 0;
};

// Answers every message box with OK as soon as it is the active modal
// widget; the progress dialog is left alone.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
      } else {
        box->accept();
      }
    });
    timer_.start();
  }

 private:
  QTimer timer_;
};

// Runs phase while a 10 ms timer ticks, up to the window having shown the
// result (the events the phase left behind processed, its repaint among
// them); the last gap is measured up to the end.
Figures Measure(const std::function<void()>& phase) {
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  clock.start();
  ticker.start();
  phase();
  QApplication::processEvents();
  const qint64 end = clock.elapsed();
  longest = std::max(longest, end - last);
  ticker.stop();
  return {static_cast<double>(end), static_cast<double>(longest)};
}

std::string NameOf(int i) { return std::to_string(100000 + i) + "a.txt"; }
std::string PreviewedNameOf(int i) { return std::to_string(100000 + i) + "-a.txt"; }

void MakeFolder(const std::filesystem::path& folder, int files) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (int i = 0; i < files; ++i) std::ofstream(folder / NameOf(i));
}

struct Phase {
  const char* name;
  std::function<void(vantor::MainWindow&)> run;
  std::function<std::string(int)> expectedName;  // of a row afterwards
};

// One pass over all phases in a fresh window; false when a phase did not do
// what it should.
bool RunPhases(int files, bool withRunner, const std::vector<Phase>& phases, std::vector<Figures>& figures) {
  vantor::MainWindow window;
  if (!withRunner) window.SetDiskPhaseRunner({});
  window.show();
  QApplication::processEvents();
  QApplication::processEvents();
  for (const Phase& phase : phases) {
    figures.push_back(Measure([&] { phase.run(window); }));
    const vantor::EntryList& list = window.Entries();
    for (const int row : {0, files - 1}) {
      const std::string& shown = list.Cell(row, 0);
      if (list.RowCount() != files || shown != phase.expectedName(row)) {
        std::fprintf(stderr, "%s: row %d shows \"%s\" of %d rows\n", phase.name, row, shown.c_str(),
                     list.RowCount());
        return false;
      }
    }
  }
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window's version check asks a port where nothing listens.
  if (qEnvironmentVariableIsEmpty("VANTOR_RELEASE_URL")) qputenv("VANTOR_RELEASE_URL", "http://127.0.0.1:1/");
  QApplication app(argc, argv);
  const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vantor_long_run_ui_bench";
  BoxAnswerer answerer;

  const std::vector<Phase> phases = {
      {"load",
       [&](vantor::MainWindow& window) { window.OpenCommandLinePaths({QString::fromStdString(folder.string())}); },
       NameOf},
      {"preview",
       [](vantor::MainWindow& window) {
         const vantor::MainWindowUi& ui = window.Ui();
         ui.按钮_打开预览->click();
         ui.高级选择夹1->setCurrentWidget(ui.选择夹页_添加);
         ui.编辑框13->setText(QStringLiteral("-"));
         ui.按钮_数字后加符号->click();
       },
       NameOf},
      {"commit", [](vantor::MainWindow& window) { window.Ui().按钮_确认无误执行吧->click(); }, PreviewedNameOf},
      {"undo", [](vantor::MainWindow& window) { window.Ui().按钮_撤回上一步->click(); }, NameOf},
  };

  // Every pass leaves the folder as it found it (the undo puts the names
  // back). The two runners take turns going first, so that neither always
  // meets the folder in the same state.
  MakeFolder(folder, files);
  std::vector<std::vector<Figures>> passes[2];  // [withRunner][pass][phase]
  for (int round = 0; round < rounds; ++round) {
    for (const bool withRunner : {round % 2 == 1, round % 2 == 0}) {
      std::vector<Figures> figures;
      if (!RunPhases(files, withRunner, phases, figures)) {
        std::filesystem::remove_all(folder);
        return 1;
      }
      passes[withRunner ? 1 : 0].push_back(std::move(figures));
    }
  }
  std::filesystem::remove_all(folder);

  std::printf("%d files, median of %d passes; ms: total and longest gap between 10 ms ticks\n", files, rounds);
  std::printf("%-8s %24s %24s %6s\n", "phase", "inline, no progress", "worker + progress", "ratio");
  bool met = true;
  for (size_t phase = 0; phase < phases.size(); ++phase) {
    Figures median[2];
    for (int withRunner = 0; withRunner < 2; ++withRunner) {
      std::vector<double> totals;
      std::vector<double> gaps;
      for (const std::vector<Figures>& pass : passes[withRunner]) {
        totals.push_back(pass[phase].total);
        gaps.push_back(pass[phase].longestGap);
      }
      median[withRunner] = {Median(totals), Median(gaps)};
    }
    const double ratio = median[1].total / std::max(1.0, median[0].total);
    const bool ok = median[1].longestGap <= kLongestGapMs && ratio <= kRunnerCost;
    met = met && ok;
    std::printf("%-8s %10.0f (gap %6.0f) %10.0f (gap %6.0f) %6.2f%s\n", phases[phase].name, median[0].total,
                median[0].longestGap, median[1].total, median[1].longestGap, ratio, ok ? "" : "  over target");
  }
  std::printf("targets (gap <= %.0f ms with the runner, ratio <= %.1f): %s\n", kLongestGapMs, kRunnerCost,
              met ? "met" : "missed");
  return 0;
}
