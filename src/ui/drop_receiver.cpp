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
      const QList<QUrl> urls = drop->mimeData()->urls();
      for (const QUrl& url : urls) {
        if (url.isLocalFile() && callback_) callback_(url.toLocalFile());
      }
      if (afterDrop_) afterDrop_();
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace vantor
