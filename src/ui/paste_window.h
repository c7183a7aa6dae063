// SPDX-License-Identifier: GPL-3.0-or-later
// "直接粘贴欲改文件名": a window in which the user pastes new names, one per
// line, for the mapping window.
#pragma once

#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QKeyEvent;
class QPushButton;

namespace vantor {

class PasteWindow : public QWidget {
  Q_OBJECT

 public:
  // accept gets the pasted text when "确认" is clicked; the window closes
  // when it returns true and stays open otherwise.
  PasteWindow(QWidget* parent, std::function<bool(const QString& text)> accept);

  QPlainTextEdit* 编辑框1 = nullptr;
  QPushButton* 按钮_确认4 = nullptr;
  QPushButton* 按钮_关闭4 = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<bool(const QString&)> accept_;
};

}  // namespace vantor
