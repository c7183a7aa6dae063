// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drop_receiver.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vantor {

namespace {

bool CarriesLocalFiles(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls()) return false;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) return true;
  }
  return false;
}

}  // namespace

void DropReceiver::Attach(QWidget* window, PathCallback callback, DropEndCallback afterDrop) {
  Detach();
  window_ = window;
  callback_ = std::move(callback);
  afterDrop_ = std::move(afterDrop);
  window->setAcceptDrops(true);
  window->installEventFilter(this);
  // Children that take drops themselves (item views) would swallow them.
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (child->acceptDrops()) child->installEventFilter(this);
  }
}

void DropReceiver::Detach() {
  if (window_) {
    window_->setAcceptDrops(false);
    window_->removeEventFilter(this);
    for (QWidget* child : window_->findChildren<QWidget*>()) child->removeEventFilter(this);
  }
  window_ = nullptr;
  callback_ = nullptr;
  afterDrop_ = nullptr;
}

void DropReceiver::Deliver(const QStringList& paths) {
  if (!callback_) return;
  for (const QString& path : paths) {
    if (callback_) callback_(path);
  }
  if (afterDrop_) afterDrop_();
}

bool DropReceiver::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!CarriesLocalFiles(drag->mimeData())) return false;
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!CarriesLocalFiles(drop->mimeData())) return false;
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      QStringList paths;
      for (const QUrl& url : drop->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(url.toLocalFile());
      }
      // The intake may show message boxes; run it after the drop has returned
      // to the program the files came from, so that program is not held up.
      QMetaObject::invokeMethod(this, [this, paths] { Deliver(paths); }, Qt::QueuedConnection);
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace vantor
