// SPDX-License-Identifier: GPL-3.0-or-later
// How the list view copes with a large list: filling 100,000 rows through the
// model, scrolling from top to bottom in pages, and a preview run's worth of
// cell changes, each followed by a repaint of the visible rows.
//
// Run: QT_QPA_PLATFORM=offscreen list_view_ui_bench [rows]
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "entries/entry_list.h"
#include "platform/code_page.h"
#include "ui/entry_table_model.h"
#include "bench_clock.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;

  vantor::EntryList list;
  vantor::EntryTableModel model(list);
  QTableView view;
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.verticalHeader()->setDefaultSectionSize(20);
  view.setModel(&model);
  view.resize(407, 464);
  view.show();
  QApplication::processEvents();

  const vantor::ByteText lesson = vantor::Gbk("第");
  auto start = std::chrono::steady_clock::now();
  {
    vantor::EntryList::Batch batch(list);
    for (int i = 0; i < rows; ++i) list.AppendRow(lesson + vantor::ToText(i) + ".mp4");
  }
  view.repaint();
  const double fill = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  QScrollBar* bar = view.verticalScrollBar();
  int pages = 0;
  for (int value = 0; value <= bar->maximum(); value += std::max(1, bar->pageStep() * 50), ++pages) {
    bar->setValue(value);
    view.repaint();
  }
  const double scroll = MillisecondsSince(start);

  list.SetPreviewOn(true);
  start = std::chrono::steady_clock::now();
  {
    vantor::EntryList::Batch batch(list);
    for (int i = 0; i < rows; ++i) list.SetEntryCell(list.Cell(i, 0) + "x", i, 1);
  }
  view.repaint();
  const double preview = MillisecondsSince(start);

  std::printf("rows %d: fill + repaint %.1f ms, %d page jumps %.1f ms (%.2f ms each), "
              "pending names for every row + repaint %.1f ms\n",
              rows, fill, pages, scroll, scroll / std::max(1, pages), preview);
  return 0;
}
