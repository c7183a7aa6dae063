// SPDX-License-Identifier: GPL-3.0-or-later
// "Vantor重命名-关于": the about window. Page buttons down the left side
// select the pages of 高级选择夹1 (tutorial links, update information, the
// users' group, tips); shortly after it is shown its timer 时钟1 starts one
// release check, whose result fills the update page and the addresses.
#pragma once

#include <QDialog>

#include "online/release_check.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace vantor {

class ReleaseChecker;

// The tutorial and download addresses of the last about-window check; they
// outlive the window that read them.
struct ReleaseAddresses {
  ByteText tutorial;
  ByteText download;
};

struct AboutWindowUi {
  QTabWidget* 高级选择夹1 = nullptr;
  QWidget* 选择夹页_使用教程 = nullptr;
  QWidget* 选择夹页_更新信息 = nullptr;
  QWidget* 选择夹页_用户讨论 = nullptr;
  QWidget* 选择夹页_打赏作者 = nullptr;
  QPushButton* 超级按钮_使用教程 = nullptr;
  QPushButton* 超级按钮_更新信息 = nullptr;
  QPushButton* 超级按钮_QQ群 = nullptr;
  QPushButton* 超级按钮_关闭此页 = nullptr;
  QPushButton* 超级链接框1 = nullptr;  // "现在就下载最新版本"
  QPushButton* 超级链接框2 = nullptr;  // "查看使用教程"
  QPushButton* 超级链接框3 = nullptr;  // "复制下载地址发给朋友"
  QLabel* 透明标签7 = nullptr;         // the local version
  QLabel* 透明标签8 = nullptr;         // the latest version
  QLabel* 透明标签9 = nullptr;         // up to date or not
  QLabel* 标签_群号 = nullptr;
  QLabel* 透明标签10 = nullptr;        // "QQ群："
  QPushButton* 按钮2 = nullptr;        // "复制群号"
  QCheckBox* 选择框_启动时检查更新 = nullptr;  // remembered between runs
  QTimer* 时钟1 = nullptr;
};

// The pages of the about window.
enum class AboutPage { kTutorial, kUpdate, kGroup, kTips };

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  // `addresses` belongs to the caller and outlives the window.
  AboutWindow(ReleaseAddresses& addresses, QWidget* parent);
  ~AboutWindow() override;

  const AboutWindowUi& Ui() const { return ui_; }
  // Shows that page, as its page button does (the tips page has none).
  void ShowPage(AboutPage page);

 signals:
  // The check's result is on the window.
  void CheckShown(vantor::VersionStanding standing);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SelectPage(QPushButton* pageButton, QWidget* page);
  void ShowCheck(const ReleaseCheck& check);

  AboutWindowUi ui_;
  ReleaseAddresses& addresses_;
  // Declared last: goes first, before the controls its result would reach.
  std::unique_ptr<ReleaseChecker> checker_;
};

// Opens a new about window over parent, without blocking it. The window
// deletes itself when closed.
AboutWindow* OpenAboutWindow(ReleaseAddresses& addresses, QWidget* parent);

}  // namespace vantor
