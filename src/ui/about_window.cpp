// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_window.h"

#include <initializer_list>

#include <QCheckBox>
#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "ui/gbk_qstring.h"
#include "ui/owned_window.h"
#include "ui/program_settings.h"
#include "ui/release_checker.h"
#include "ui/web_address.h"

namespace vantor {

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

template <class Widget>
Widget* Make(Widget*& slot, const char* name, QWidget* parent, QRect geometry, const char* caption = "") {
  slot = new Widget(parent);
  slot->setObjectName(T(name));
  slot->setGeometry(geometry);
  slot->setText(T(caption));
  return slot;
}

QLabel* TextLabel(QLabel*& slot, const char* name, QWidget* parent, QRect geometry, const char* caption = "") {
  Make(slot, name, parent, geometry, caption)->setTextFormat(Qt::PlainText);
  slot->setAutoFillBackground(false);
  return slot;
}

QLabel* CaptionLabel(const char* name, QWidget* parent, QRect geometry, const char* caption) {
  QLabel* label = nullptr;
  return TextLabel(label, name, parent, geometry, caption);
}

// A page button down the left side; the pressed one shows as selected.
QPushButton* PageButton(QPushButton*& slot, const char* name, QWidget* parent, int top, const char* caption) {
  Make(slot, name, parent, {8, top, 90, 32}, caption)->setCheckable(true);
  return slot;
}

// A link box: a flat button that reads like a link.
QPushButton* LinkBox(QPushButton*& slot, const char* name, QWidget* parent, QRect geometry, const char* caption) {
  Make(slot, name, parent, geometry, caption)->setFlat(true);
  slot->setCursor(Qt::PointingHandCursor);
  slot->setStyleSheet(QStringLiteral("QPushButton { color: #0645ad; text-decoration: underline; border: none; "
                                     "text-align: left; }"));
  return slot;
}

QWidget* Page(QWidget*& slot, const char* name, QTabWidget* tabs, const char* title) {
  slot = new QWidget;
  slot->setObjectName(T(name));
  tabs->addTab(slot, T(title));
  return slot;
}

// A framed box standing where the tip images go.
void PictureBox(const char* name, QWidget* parent, QRect geometry) {
  auto* box = new QLabel(parent);
  box->setObjectName(T(name));
  box->setGeometry(geometry);
  box->setFrameShape(QFrame::Box);
}

}  // namespace

AboutWindow::AboutWindow(ReleaseAddresses& addresses, QWidget* parent) : QDialog(parent), addresses_(addresses) {
  setObjectName(T("关于窗口"));
  setWindowTitle(T("Vantor重命名-关于"));
  QFont font;
  font.setFamilies({T("Microsoft YaHei"), T("微软雅黑"), T("Noto Sans CJK SC")});
  font.setPointSize(9);
  setFont(font);
  resize(520, 340);

  PageButton(ui_.超级按钮_使用教程, "超级按钮_使用教程", this, 16, "使用教程");
  PageButton(ui_.超级按钮_更新信息, "超级按钮_更新信息", this, 56, "更新信息");
  PageButton(ui_.超级按钮_QQ群, "超级按钮_QQ群", this, 96, "QQ群");
  Make(ui_.超级按钮_关闭此页, "超级按钮_关闭此页", this, {8, 292, 90, 32}, "关闭");

  ui_.高级选择夹1 = new QTabWidget(this);
  ui_.高级选择夹1->setObjectName(T("高级选择夹1"));
  ui_.高级选择夹1->setGeometry(106, 8, 406, 324);
  // The page buttons choose the pages.
  ui_.高级选择夹1->tabBar()->hide();

  QWidget* tutorial = Page(ui_.选择夹页_使用教程, "选择夹页_使用教程", ui_.高级选择夹1, "使用教程");
  CaptionLabel("透明标签4", tutorial, {16, 16, 360, 40}, "使用方法、常见问题和下载地址都在使用教程里。");
  LinkBox(ui_.超级链接框2, "超级链接框2", tutorial, {16, 64, 200, 24}, "查看使用教程");
  LinkBox(ui_.超级链接框3, "超级链接框3", tutorial, {16, 96, 200, 24}, "复制下载地址发给朋友");

  QWidget* update = Page(ui_.选择夹页_更新信息, "选择夹页_更新信息", ui_.高级选择夹1, "更新信息");
  CaptionLabel("透明标签5", update, {16, 16, 110, 24}, "您当前的版本：");
  TextLabel(ui_.透明标签7, "透明标签7", update, {130, 16, 200, 24});
  CaptionLabel("透明标签6", update, {16, 48, 110, 24}, "目前最新的版本：");
  TextLabel(ui_.透明标签8, "透明标签8", update, {130, 48, 200, 24});
  TextLabel(ui_.透明标签9, "透明标签9", update, {16, 88, 360, 24})->hide();
  LinkBox(ui_.超级链接框1, "超级链接框1", update, {16, 120, 200, 24}, "现在就下载最新版本")->hide();
  ui_.选择框_启动时检查更新 = new QCheckBox(T("启动时检查更新"), update);
  ui_.选择框_启动时检查更新->setObjectName(T("选择框_启动时检查更新"));
  ui_.选择框_启动时检查更新->setGeometry(16, 160, 200, 24);
  ui_.选择框_启动时检查更新->setChecked(CheckForUpdatesAtStart());

  QWidget* group = Page(ui_.选择夹页_用户讨论, "选择夹页_用户讨论", ui_.高级选择夹1, "用户讨论");
  TextLabel(ui_.透明标签10, "透明标签10", group, {16, 16, 80, 24}, "QQ群：");
  TextLabel(ui_.标签_群号, "标签_群号", group, {96, 16, 160, 24}, "");
  ui_.标签_群号->setText(QStringFromGbk(UserGroupNumber()));
  ui_.标签_群号->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Make(ui_.按钮2, "按钮2", group, {264, 14, 96, 28}, "复制群号");
  // Without a group number there is nothing to show or copy.
  if (UserGroupNumber().empty()) {
    for (QWidget* row : std::initializer_list<QWidget*>{ui_.透明标签10, ui_.标签_群号, ui_.按钮2}) row->hide();
  }

  QWidget* tips = Page(ui_.选择夹页_打赏作者, "选择夹页_打赏作者", ui_.高级选择夹1, "打赏作者");
  PictureBox("图片框1", tips, {16, 16, 170, 250});
  PictureBox("图片框2", tips, {206, 16, 170, 250});
  CaptionLabel("透明标签11", tips, {16, 272, 170, 20}, "微信")->setAlignment(Qt::AlignCenter);
  CaptionLabel("透明标签12", tips, {206, 272, 170, 20}, "支付宝")->setAlignment(Qt::AlignCenter);

  ui_.时钟1 = new QTimer(this);
  ui_.时钟1->setObjectName(T("时钟1"));

  connect(ui_.超级按钮_使用教程, &QPushButton::clicked, this,
          [this] { SelectPage(ui_.超级按钮_使用教程, ui_.选择夹页_使用教程); });
  connect(ui_.超级按钮_更新信息, &QPushButton::clicked, this, [this] {
    SelectPage(ui_.超级按钮_更新信息, ui_.选择夹页_更新信息);
    ui_.透明标签9->show();
  });
  connect(ui_.超级按钮_QQ群, &QPushButton::clicked, this,
          [this] { SelectPage(ui_.超级按钮_QQ群, ui_.选择夹页_用户讨论); });
  connect(ui_.超级按钮_关闭此页, &QPushButton::clicked, this, &QDialog::close);
  connect(ui_.选择框_启动时检查更新, &QCheckBox::toggled, this, [](bool on) { SetCheckForUpdatesAtStart(on); });
  connect(ui_.按钮2, &QPushButton::clicked, this, [this] {
    QGuiApplication::clipboard()->setText(QStringFromGbk(UserGroupNumber()));
    ui_.超级按钮_QQ群->setFocus();
  });
  connect(ui_.超级链接框1, &QPushButton::clicked, this, [this] {
    OpenWebAddress(QStringFromGbk(addresses_.download));
    ui_.超级按钮_更新信息->setFocus();
  });
  connect(ui_.超级链接框2, &QPushButton::clicked, this,
          [this] { OpenWebAddress(QStringFromGbk(addresses_.tutorial)); });
  connect(ui_.超级链接框3, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(QStringFromGbk(addresses_.tutorial)); });
  checker_ = std::make_unique<ReleaseChecker>();
  connect(checker_.get(), &ReleaseChecker::Finished, this, &AboutWindow::ShowCheck);
  checker_->StartOnFirstTick(ui_.时钟1);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!checker_->Started() && !ui_.时钟1->isActive()) {
    ui_.时钟1->start(100);
    SelectPage(ui_.超级按钮_使用教程, ui_.选择夹页_使用教程);
  }
}

void AboutWindow::ShowPage(AboutPage page) {
  switch (page) {
    case AboutPage::kTutorial:
      ui_.超级按钮_使用教程->click();
      break;
    case AboutPage::kUpdate:
      ui_.超级按钮_更新信息->click();
      break;
    case AboutPage::kGroup:
      ui_.超级按钮_QQ群->click();
      break;
    case AboutPage::kTips:
      SelectPage(nullptr, ui_.选择夹页_打赏作者);
      break;
  }
}

void AboutWindow::SelectPage(QPushButton* pageButton, QWidget* page) {
  ui_.高级选择夹1->setCurrentWidget(page);
  for (QPushButton* button : {ui_.超级按钮_使用教程, ui_.超级按钮_更新信息, ui_.超级按钮_QQ群}) {
    button->setChecked(button == pageButton);
  }
}

void AboutWindow::ShowCheck(const ReleaseCheck& check) {
  const QString unknown = T("无法检查更新");
  ui_.透明标签7->setText(QStringFromGbk(LocalVersion()));
  ui_.透明标签8->setText(check.standing == VersionStanding::kUnknown ? unknown : QStringFromGbk(check.latest));
  switch (check.standing) {
    case VersionStanding::kUpToDate:
      ui_.超级链接框1->hide();
      ui_.透明标签9->setText(T("恭喜！已经是最新版本！"));
      break;
    case VersionStanding::kNewerAvailable:
      ui_.超级链接框1->show();
      ui_.透明标签9->setText(T("目前不是最新的版本！"));
      break;
    case VersionStanding::kUnknown:
      ui_.超级链接框1->hide();
      ui_.透明标签9->setText(unknown);
      break;
  }
  // The verdict shows on the update page; a user already there sees it now.
  ui_.透明标签9->setVisible(ui_.高级选择夹1->currentWidget() == ui_.选择夹页_更新信息);
  addresses_.tutorial = check.tutorialAddress;
  addresses_.download = check.downloadAddress;
  emit CheckShown(check.standing);
}

AboutWindow* OpenAboutWindow(ReleaseAddresses& addresses, QWidget* parent) {
  auto* window = new AboutWindow(addresses, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setModal(false);
  ShowAboveOwner(window, parent);
  return window;
}

}  // namespace vantor
