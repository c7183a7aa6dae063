// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/explanation_window.h"

#include <QFont>
#include <QLabel>

#include "ui/owned_window.h"

namespace vantor {

ExplanationWindow::ExplanationWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("解释用意的窗口"));
  setWindowTitle(QStringLiteral("解释用意的窗口"));
  resize(484, 321);

  QFont font;
  font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"),
                    QStringLiteral("Noto Sans CJK SC")});
  font.setPointSize(9);
  setFont(font);

  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("透明标签1"));
  label_->setGeometry(12, 10, 460, 301);
  label_->setAutoFillBackground(false);
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ExplanationWindow::SetHelpText(const QString& helpText) { label_->setText(helpText); }

QString ExplanationWindow::HelpText() const { return label_->text(); }

ExplanationWindow* ShowExplanation(QWidget* parent, const QString& helpText) {
  auto* window = new ExplanationWindow(parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setModal(false);
  window->SetHelpText(helpText);
  ShowAboveOwner(window, parent);
  return window;
}

}  // namespace vantor
