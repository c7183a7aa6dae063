// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window_online.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ui/main_window_ui.h"
#include "ui/program_settings.h"
#include "ui/release_checker.h"

namespace vantor {

MainWindowOnline::MainWindowOnline(const MainWindowUi& ui, QWidget* window) : ui_(ui), window_(window) {
  // Nothing is known before the answer; the check starts on the first tick.
  ui_.透明标签8->setText(QStringLiteral("正在检查更新…"));
  checker_ = std::make_unique<ReleaseChecker>();
  connect(checker_.get(), &ReleaseChecker::Finished, this, &MainWindowOnline::ShowCheck);
  if (CheckForUpdatesAtStart()) {
    checker_->StartOnFirstTick(ui_.时钟1);
  } else {
    ui_.透明标签8->setText(QString());
    connect(ui_.时钟1, &QTimer::timeout, ui_.时钟1, &QTimer::stop);
  }
  connect(ui_.超级按钮1, &QPushButton::clicked, this, [this] { OpenAbout(); });
  connect(ui_.打赏菜单, &QAction::triggered, this, [this] { OpenAbout(AboutPage::kTips); });
  connect(ui_.加入用户QQ群, &QAction::triggered, this, [this] { OpenAbout(AboutPage::kGroup); });
  connect(ui_.使用教程, &QAction::triggered, this, [this] { OpenAbout(AboutPage::kTutorial); });
}

MainWindowOnline::~MainWindowOnline() {
  // The about window reads addresses_; it goes with them.
  delete about_.data();
}

void MainWindowOnline::ShowCheck(const ReleaseCheck& check) {
  switch (check.standing) {
    case VersionStanding::kUpToDate:
      ui_.超级按钮1->setText(QStringLiteral("使用教程"));
      ui_.透明标签8->setText(QStringLiteral("已经是最新版"));
      break;
    case VersionStanding::kNewerAvailable:
      ui_.超级按钮1->setText(QStringLiteral("查看更新"));
      ui_.透明标签8->setText(QStringLiteral("不是最新版本"));
      break;
    case VersionStanding::kUnknown:
      ui_.透明标签8->setText(QStringLiteral("无法检查更新"));
      break;
  }
  shown_ = check.standing;
  emit CheckShown(check.standing);
}

void MainWindowOnline::OpenAbout(std::optional<AboutPage> page) {
  if (about_ != nullptr) {
    about_->raise();
    about_->activateWindow();
  } else {
    about_ = OpenAboutWindow(addresses_, window_);
  }
  if (page) about_->ShowPage(*page);
}

}  // namespace vantor
