// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paste_window.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QPushButton>

namespace vantor {

PasteWindow::PasteWindow(QWidget* parent, std::function<bool(const QString& text)> accept)
    : QWidget(parent, Qt::Dialog), accept_(std::move(accept)) {
  setObjectName(QStringLiteral("直接粘贴欲改文件名"));
  setWindowTitle(QStringLiteral("直接粘贴欲改文件名"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(517, 446);

  编辑框1 = new QPlainTextEdit(this);
  编辑框1->setObjectName(QStringLiteral("编辑框1"));
  编辑框1->setGeometry(6, 7, 505, 392);
  编辑框1->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font;
  font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"),
                    QStringLiteral("Noto Sans CJK SC")});
  font.setPointSize(12);
  编辑框1->setFont(font);

  按钮_确认4 = new QPushButton(QStringLiteral("确认"), this);
  按钮_确认4->setObjectName(QStringLiteral("按钮_确认4"));
  按钮_确认4->setGeometry(300, 408, 100, 30);
  按钮_关闭4 = new QPushButton(QStringLiteral("关闭此窗口"), this);
  按钮_关闭4->setObjectName(QStringLiteral("按钮_关闭4"));
  按钮_关闭4->setGeometry(411, 408, 100, 30);

  connect(按钮_确认4, &QPushButton::clicked, this, [this] {
    if (accept_(编辑框1->toPlainText())) close();
  });
  connect(按钮_关闭4, &QPushButton::clicked, this, &QWidget::close);
}

// Escape closes the window, as it closes a dialog.
void PasteWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vantor
