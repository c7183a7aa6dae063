// A commit and its undo over a large folder, with the window's long-run
// runner (worker thread, progress dialog) and without it (inline, no progress
// reporting), while a 10 ms timer records the longest gap between its ticks:
// the gap is how long the window could not repaint.
//
// Run: QT_QPA_PLATFORM=offscreen long_run_ui_bench [files]
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "entries/entry_list.h"
#include "pipeline/commit.h"
#include "pipeline/long_work.h"
#include "ui/entry_table_model.h"
#include "ui/long_run.h"

namespace {

class SilentPrompter : public vantor::Prompter {
 public:
  void Inform(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override {}
  bool Confirm(const vantor::ByteText&, const vantor::ByteText&, vantor::MessageIcon) override { return true; }
};

struct Figures {
  double total = 0;
  double longestGap = 0;
};

// Runs phase while a 10 ms timer ticks; the last gap is measured up to the end.
Figures Measure(const std::function<void()>& phase) {
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  QTimer ticker;
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  clock.start();
  ticker.start();
  phase();
  const qint64 end = clock.elapsed();
  longest = std::max(longest, end - last);
  ticker.stop();
  return {static_cast<double>(end), static_cast<double>(longest)};
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vantor_long_run_bench";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (int i = 0; i < files; ++i) std::ofstream(folder / (std::to_string(100000 + i) + "a.txt"));

  QWidget window;
  vantor::EntryList list;
  vantor::EntryTableModel model(list);
  QTableView view(&window);
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.verticalHeader()->setDefaultSectionSize(20);
  view.setModel(&model);
  view.resize(700, 464);
  window.show();
  QApplication::processEvents();
  SilentPrompter prompter;
  vantor::IntakeSettings intake;

  for (const bool onWorker : {false, true}) {
    {
      vantor::EntryList::Batch batch(list);
      list.Clear();
      list.SetPreviewOn(true);
      list.SetEntryDirectory(folder.string() + "/");
      for (int i = 0; i < files; ++i) {
        const std::string number = std::to_string(100000 + i);
        list.AppendRow(number + "a.txt");
        list.SetEntryCell(number + "-a.txt", i, 1);
      }
    }
    const vantor::DiskPhaseRunner runner = onWorker ? vantor::DiskPhaseOnWorker(&window) : vantor::DiskPhaseRunner();
    const Figures commit = Measure([&] { vantor::CommitPreview(list, prompter, {}, runner); });
    const Figures undo = Measure([&] { vantor::UndoLastCommit(list, prompter, {}, runner); });
    std::printf("%d files, %s: commit %.0f ms (longest gap %.0f ms), undo %.0f ms (longest gap %.0f ms)\n", files,
                onWorker ? "worker + progress dialog" : "inline, no progress", commit.total, commit.longestGap,
                undo.total, undo.longestGap);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
