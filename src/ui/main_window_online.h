// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part in the version check and the about window: its
// timer 时钟1 starts one release check, whose result shows on the image
// button 超级按钮1 and the label 透明标签8; 超级按钮1 opens the about window.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "online/release_check.h"
#include "ui/about_window.h"

namespace vantor {

struct MainWindowUi;
class ReleaseChecker;

class MainWindowOnline : public QObject {
  Q_OBJECT

 public:
  // Wires ui's 时钟1, 超级按钮1 and the items of the menu 打赏作者; `window` is
  // the about window's parent. With the check at start-up switched off the
  // timer starts nothing and 透明标签8 shows no text.
  MainWindowOnline(const MainWindowUi& ui, QWidget* window);
  ~MainWindowOnline() override;

  // The about window while it is open, else nullptr.
  AboutWindow* About() const { return about_; }
  // What the start-up check found, once it has shown.
  std::optional<VersionStanding> Shown() const { return shown_; }

 signals:
  // The check's result is on the main window.
  void CheckShown(vantor::VersionStanding standing);

 private:
  void ShowCheck(const ReleaseCheck& check);
  // Opens the about window (or brings the open one up) on that page; nullopt
  // leaves the page the window shows.
  void OpenAbout(std::optional<AboutPage> page = std::nullopt);

  const MainWindowUi& ui_;
  QWidget* window_;
  ReleaseAddresses addresses_;
  QPointer<AboutWindow> about_;
  std::optional<VersionStanding> shown_;
  // Declared last: goes first, before the controls its result would reach.
  std::unique_ptr<ReleaseChecker> checker_;
};

}  // namespace vantor
