// SPDX-License-Identifier: GPL-3.0-or-later
// Accepts local files and folders dropped anywhere on a window, the list view
// included, and hands each path to a callback, one at a time, in the order
// the drop carries them. The paths are handed over after the drop event has
// returned, so the source of the drag is never kept waiting.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace vantor {

class DropReceiver : public QObject {
 public:
  using PathCallback = std::function<void(const QString& localPath)>;
  using DropEndCallback = std::function<void()>;

  // Starts accepting drops on window and its descendants. afterDrop, when
  // given, runs once after the last path of each drop.
  void Attach(QWidget* window, PathCallback callback, DropEndCallback afterDrop = {});
  // Stops accepting drops.
  void Detach();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Deliver(const QStringList& paths);

  QPointer<QWidget> window_;
  PathCallback callback_;
  DropEndCallback afterDrop_;
};

}  // namespace vantor
