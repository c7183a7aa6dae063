// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/owned_window.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QWidget>

namespace vantor {

void MatchOwnersStayOnTop(QWidget* window, const QWidget* owner) {
  const bool onTop = owner != nullptr && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  }
}

void ShowAboveOwner(QWidget* window, QWidget* owner) {
  const Qt::WindowFlags others = window->windowFlags() & ~Qt::WindowType_Mask;
  if (window->parentWidget() != owner || window->windowType() != Qt::Dialog) {
    window->setParent(owner, others | Qt::Dialog);
  }
  MatchOwnersStayOnTop(window, owner);
  const QRect frame = owner->window()->frameGeometry();
  window->move(frame.center() - QPoint(window->width() / 2, window->height() / 2));
  window->show();
  window->raise();
  window->activateWindow();
}

void PrepareFileDialog(QFileDialog& dialog, const QWidget* owner) {
  const QString platform = QGuiApplication::platformName();
  dialog.setOption(QFileDialog::DontUseNativeDialog,
                   platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"));
  MatchOwnersStayOnTop(&dialog, owner);
}

void OwnedWindowsFollowStayOnTop(QWidget* owner) {
  for (QWidget* child : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow() || child->windowType() == Qt::Popup || child->windowType() == Qt::ToolTip) continue;
    const bool visible = child->isVisible();
    MatchOwnersStayOnTop(child, owner);
    if (visible && !child->isVisible()) child->show();
  }
}

}  // namespace vantor
