// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace vantor {

// "解释用意的窗口": a small window that shows the explanation behind one of
// the main window's help buttons in its label 透明标签1.
class ExplanationWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ExplanationWindow(QWidget* parent = nullptr);

  // The text is shown as given, CR LF line breaks included.
  void SetHelpText(const QString& helpText);
  QString HelpText() const;

  QLabel* Label() const { return label_; }

 private:
  QLabel* label_ = nullptr;
};

// Opens a new explanation window over `parent` without blocking it and shows
// `helpText`. The window deletes itself when closed; the returned pointer is
// valid until then.
ExplanationWindow* ShowExplanation(QWidget* parent, const QString& helpText);

}  // namespace vantor
