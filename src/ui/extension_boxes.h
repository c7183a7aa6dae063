// SPDX-License-Identifier: GPL-3.0-or-later
// How the four extension boxes of the main window behave as the user types and
// opens them: the drop-down fills with the built-in extensions when it opens
// on an empty box, typing narrows it to the extensions that contain the typed
// text, and Enter in the two filter boxes asks for one reload.
#pragma once

#include <QObject>
#include <functional>

#include "ui/main_window_ui.h"

class QComboBox;

namespace vantor {

class ExtensionBoxes : public QObject {
 public:
  // enterPressed runs once per Enter in 组合框_仅检索 or 组合框_跳过扩展.
  ExtensionBoxes(const MainWindowUi& ui, std::function<void(QComboBox*)> enterPressed, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill(QComboBox* box);
  void FollowTyped(QComboBox* box, const QString& typed);
  QString LeadingItemOf(const QComboBox* box) const;

  const MainWindowUi& ui_;
  std::function<void(QComboBox*)> enterPressed_;
};

}  // namespace vantor
