// SPDX-License-Identifier: GPL-3.0-or-later
// The status line under the bottom buttons: how many rows the list holds, how
// many names wait for the commit, how many the preview found in conflict, and
// after a run that renamed on disk its outcome. While the list is empty its
// view shows a quiet hint that files can be dropped on it.
#pragma once

#include <QObject>
#include <QPointer>
#include <optional>

#include "entries/entry_list.h"

class QLabel;
class QTableView;

namespace vantor {

class ListStatusLine : public QObject {
 public:
  // Follows view's model (already set) and shows list's counts in label.
  ListStatusLine(QLabel* label, QTableView* view, const EntryList& list);
  ~ListStatusLine() override;

  // The outcome of a run that renamed on disk; shown until the list is
  // reloaded or cleared.
  void ShowRenamed(int renamed, int failed);
  // Counts the list again, e.g. after a run that changed the disk but not
  // the list (a deletion, a creation); the last rename's outcome stays.
  void Refresh();
  // A line about the preview (a step's refusal, a step that changed nothing)
  // after the counts; empty removes it. Goes when the list is reloaded.
  void ShowNote(const QString& note);
  // The rows runs take: shown of total rows under the filter (-1: no
  // filter), and with only the selected rows asked for, how many (-1: not
  // asked). Stays until told again.
  void ShowSubset(int shown, int total, int chosen);
  // "显示" + shown + "/" + total + "项", then "只改选中的" + chosen + "项"; empty for (-1, n, -1).
  static QString SubsetText(int shown, int total, int chosen);

  // The text of the status line for these counts, e.g. "共3项  待改名1项  冲突0项".
  static QString Text(int rows, int pending, int conflicts, std::optional<std::pair<int, int>> lastRun);
  static QString EmptyListHint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:

  QPointer<QLabel> label_;
  QPointer<QTableView> view_;
  QPointer<QWidget> viewport_;
  const EntryList& list_;
  std::optional<std::pair<int, int>> lastRun_;  // renamed, failed
  QString note_;
  QString subset_;
};

}  // namespace vantor
