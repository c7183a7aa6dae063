// SPDX-License-Identifier: GPL-3.0-or-later
// The version check as the user meets it: the main window's image button and
// label after start-up, the about window's pages, copy buttons and links, all
// against a release page served on the loopback interface.
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include <sys/stat.h>

#include <cstdlib>
#include <map>

#include "platform/code_page.h"
#include "support/loopback_http_server.h"
#include "ui/about_window.h"
#include "ui/main_window_online.h"
#include "ui/web_address.h"
#include "ui/window_driver.h"

namespace vantor::uitest {

// Records the addresses the program hands to the browser.
class BrowserStandIn : public QObject {
  Q_OBJECT

 public:
  BrowserStandIn() {
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
  }
  ~BrowserStandIn() override {
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  }
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }
};

namespace {

using vantor::testing::HttpReply;
using vantor::testing::LoopbackHttpServer;
using vantor::testing::ReceivedRequest;

// The release pages, by path, in GBK as the page is read.
std::string ReleasePage(const std::string& path) {
  static const std::map<std::string, std::string> pages = {
      {"/up-to-date", "<p>软件最新版本为16.4</p>"},
      {"/newer",
       "<p>软件最新版本为16.10</p><p>发布教程帖子：https://tutorial.example/t?id=7 本人发布</p>"
       "<p>只能下载 https://download.example/v16.10 感谢大家</p>"},
      {"/older", "<p>软件最新版本为16.3</p>"},
      {"/no-marker", "<p>欢迎光临</p>"},
      {"/not-found", "<p>软件最新版本为16.5</p>"},
      {"/unsafe-links", "软件最新版本为17.0 发布教程帖子file:///etc/passwd本人发布 只能下载javascript:alert(1)感谢大家"},
  };
  if (path == "/hold") return vantor::testing::kHold;
  const auto page = pages.find(path);
  const std::string body = page == pages.end() ? "" : Gbk(page->second);
  return HttpReply(path == "/not-found" ? 404 : 200, body);
}

void PointCheckAt(const std::string& url) { ::setenv("VANTOR_RELEASE_URL", url.c_str(), 1); }

// The release pages on a loopback server; the checks go there while it runs.
class ReleasePageTest : public WindowTest {
 protected:
  ReleasePageTest() { PointCheckAt(server_.Url("/up-to-date")); }
  ~ReleasePageTest() override { PointCheckAt("http://127.0.0.1:1/"); }

  // Waits for the main window's start-up check to have shown its result.
  void AwaitMainCheck() {
    ASSERT_TRUE(WaitFor([&] { return window_.Online().Shown().has_value(); }, 10000));
  }

  // Opens the about window with its check pointed at path, and waits for the
  // check to show.
  AboutWindow* OpenAbout(const std::string& path) {
    PointCheckAt(path.empty() ? "http://127.0.0.1:1/" : server_.Url(path));
    QTest::mouseClick(Ui().超级按钮1, Qt::LeftButton);
    AboutWindow* about = window_.Online().About();
    if (about == nullptr) return nullptr;
    QSignalSpy shown(about, &AboutWindow::CheckShown);
    return shown.wait(10000) ? about : nullptr;
  }

  int RequestsFor(const std::string& path) const {
    int count = 0;
    for (const ReceivedRequest& request : server_.Requests()) count += request.target == path ? 1 : 0;
    return count;
  }

  LoopbackHttpServer server_{[](const ReceivedRequest& request) { return ReleasePage(request.target); }};
  BrowserStandIn browser_;
};

TEST(MainWindowVersionCheck, TellsWhatTheReleasePageSays) {
  LoopbackHttpServer server([](const ReceivedRequest& request) { return ReleasePage(request.target); });
  struct Row {
    const char* path;  // empty: nobody listens
    const char* button;
    const char* label;
  } rows[] = {
      {"/up-to-date", "使用教程", "已经是最新版"},
      {"/newer", "查看更新", "不是最新版本"},
      {"/older", "使用教程", "已经是最新版"},
      {"/no-marker", "使用教程", "无法检查更新"},
      {"/not-found", "使用教程", "无法检查更新"},
      {"", "使用教程", "无法检查更新"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    PointCheckAt(*row.path == '\0' ? "http://127.0.0.1:1/" : server.Url(row.path));
    MainWindow window;
    QSignalSpy shown(&window.Online(), &MainWindowOnline::CheckShown);
    window.show();
    EXPECT_EQ(window.Ui().超级按钮1->text(), U("使用教程"));
    EXPECT_EQ(window.Ui().透明标签8->text(), U("正在检查更新…"));
    ASSERT_TRUE(shown.wait(10000));
    EXPECT_EQ(window.Ui().超级按钮1->text(), U(row.button));
    EXPECT_EQ(window.Ui().透明标签8->text(), U(row.label));
    // One check per start: the timer is stopped, and no second request follows.
    EXPECT_FALSE(window.Ui().时钟1->isActive());
    QTest::qWait(250);
    EXPECT_EQ(shown.count(), 1);
  }
  int newerRequests = 0;
  for (const ReceivedRequest& request : server.Requests()) newerRequests += request.target == "/newer" ? 1 : 0;
  EXPECT_EQ(newerRequests, 1);

  // A window that goes while its check still waits leaves nothing behind.
  PointCheckAt(server.Url("/hold"));
  {
    MainWindow window;
    window.show();
    ASSERT_TRUE(WaitFor([&] { return server.Requests().back().target == "/hold"; }));
  }
  QTest::qWait(100);
  PointCheckAt("http://127.0.0.1:1/");
}

// Switched off in the about window, the check at start-up makes no
// connection and the label shows no verdict; the menu 打赏作者 opens the about
// window on its pages.
TEST(MainWindowVersionCheck, SwitchedOffMakesNoConnectionAtStart) {
  vantor::testing::TempDir config;
  const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path()));
  LoopbackHttpServer server([](const ReceivedRequest& request) { return ReleasePage(request.target); });
  PointCheckAt(server.Url("/newer"));
  {
    MainWindow window;
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.Online().Shown().has_value(); }, 10000));
    AboutWindow* about = nullptr;
    window.Ui().打赏菜单->trigger();
    about = window.Online().About();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Ui().高级选择夹1->currentWidget(), about->Ui().选择夹页_打赏作者);
    EXPECT_EQ(about->windowType(), Qt::Dialog);
    window.Ui().加入用户QQ群->trigger();
    EXPECT_EQ(about->Ui().高级选择夹1->currentWidget(), about->Ui().选择夹页_用户讨论);
    window.Ui().使用教程->trigger();
    EXPECT_EQ(about->Ui().高级选择夹1->currentWidget(), about->Ui().选择夹页_使用教程);
    ASSERT_TRUE(about->Ui().选择框_启动时检查更新->isChecked());
    about->Ui().选择框_启动时检查更新->click();
    about->close();
  }
  const std::string settings = config.Path() + "vantor-rename/settings.ini";
  struct stat status {};
  ASSERT_EQ(::stat(settings.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);

  const size_t before = server.Requests().size();
  {
    MainWindow window;
    window.show();
    QTest::qWait(500);
    EXPECT_EQ(server.Requests().size(), before);
    EXPECT_EQ(window.Ui().透明标签8->text(), QString());
    EXPECT_EQ(window.Ui().超级按钮1->text(), U("使用教程"));
  }
  PointCheckAt("http://127.0.0.1:1/");
  if (hadConfig) {
    qputenv("XDG_CONFIG_HOME", oldConfig);
  } else {
    qunsetenv("XDG_CONFIG_HOME");
  }
}

TEST_F(ReleasePageTest, AboutWindowShowsANewerVersionItsPagesAndLinks) {
  AwaitMainCheck();
  AboutWindow* about = OpenAbout("/newer");
  ASSERT_NE(about, nullptr);
  const AboutWindowUi& ui = about->Ui();
  EXPECT_EQ(about->windowTitle(), U("Vantor重命名-关于"));
  EXPECT_EQ(about->parentWidget(), &window_);
  EXPECT_FALSE(about->isModal());
  EXPECT_EQ(ui.高级选择夹1->currentWidget(), ui.选择夹页_使用教程);
  EXPECT_TRUE(ui.超级按钮_使用教程->isChecked());
  EXPECT_FALSE(ui.时钟1->isActive());
  EXPECT_EQ(RequestsFor("/newer"), 1);

  // The update page: versions, verdict and the download link.
  EXPECT_TRUE(ui.透明标签9->isHidden());
  QTest::mouseClick(ui.超级按钮_更新信息, Qt::LeftButton);
  EXPECT_EQ(ui.高级选择夹1->currentWidget(), ui.选择夹页_更新信息);
  EXPECT_TRUE(ui.超级按钮_更新信息->isChecked());
  EXPECT_FALSE(ui.超级按钮_使用教程->isChecked());
  EXPECT_EQ(ui.透明标签7->text(), U("16.4"));
  EXPECT_EQ(ui.透明标签8->text(), U("16.10"));
  EXPECT_FALSE(ui.透明标签9->isHidden());
  EXPECT_EQ(ui.透明标签9->text(), U("目前不是最新的版本！"));
  EXPECT_FALSE(ui.超级链接框1->isHidden());
  QTest::mouseClick(ui.超级链接框1, Qt::LeftButton);
  EXPECT_EQ(about->focusWidget(), ui.超级按钮_更新信息);

  // The tutorial page: open the tutorial, copy its address.
  QTest::mouseClick(ui.超级按钮_使用教程, Qt::LeftButton);
  QTest::mouseClick(ui.超级链接框2, Qt::LeftButton);
  EXPECT_EQ(browser_.opened,
            (QList<QUrl>{QUrl(U("https://download.example/v16.10")), QUrl(U("https://tutorial.example/t?id=7"))}));
  QTest::mouseClick(ui.超级链接框3, Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), U("：https://tutorial.example/t?id=7 "));

  // The group page: copy the number.
  QTest::mouseClick(ui.超级按钮_QQ群, Qt::LeftButton);
  EXPECT_EQ(ui.高级选择夹1->currentWidget(), ui.选择夹页_用户讨论);
  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(ui.按钮2, Qt::LeftButton);
  EXPECT_FALSE(ui.标签_群号->text().isEmpty());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), ui.标签_群号->text());
  EXPECT_EQ(about->focusWidget(), ui.超级按钮_QQ群);

  // Closing; a second about window starts with the addresses the first read.
  QPointer<AboutWindow> closed = about;
  QTest::mouseClick(ui.超级按钮_关闭此页, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return closed.isNull(); }));
  PointCheckAt("http://127.0.0.1:1/");
  QTest::mouseClick(Ui().超级按钮1, Qt::LeftButton);
  ASSERT_NE(window_.Online().About(), nullptr);
  QTest::mouseClick(window_.Online().About()->Ui().超级链接框2, Qt::LeftButton);
  EXPECT_EQ(browser_.opened.size(), 3);
  EXPECT_EQ(browser_.opened.back(), QUrl(U("https://tutorial.example/t?id=7")));
}

TEST_F(ReleasePageTest, AboutWindowSaysWhenItIsUpToDateOrCannotTell) {
  AwaitMainCheck();
  struct Row {
    const char* path;
    const char* latest;
    const char* verdict;
  } rows[] = {
      {"/up-to-date", "16.4", "恭喜！已经是最新版本！"},
      {"/older", "16.3", "恭喜！已经是最新版本！"},
      {"/no-marker", "无法检查更新", "无法检查更新"},
      {"", "无法检查更新", "无法检查更新"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    AboutWindow* about = OpenAbout(row.path);
    ASSERT_NE(about, nullptr);
    const AboutWindowUi& ui = about->Ui();
    QTest::mouseClick(ui.超级按钮_更新信息, Qt::LeftButton);
    EXPECT_EQ(ui.透明标签7->text(), U("16.4"));
    EXPECT_EQ(ui.透明标签8->text(), U(row.latest));
    EXPECT_EQ(ui.透明标签9->text(), U(row.verdict));
    EXPECT_FALSE(ui.透明标签9->isHidden());
    EXPECT_TRUE(ui.超级链接框1->isHidden());
    QPointer<AboutWindow> closed = about;
    about->close();
    ASSERT_TRUE(WaitFor([&] { return closed.isNull(); }));
  }
}

TEST_F(ReleasePageTest, AboutWindowOpensOnlyWebAddresses) {
  AwaitMainCheck();
  AboutWindow* about = OpenAbout("/unsafe-links");
  ASSERT_NE(about, nullptr);
  QTest::mouseClick(about->Ui().超级按钮_更新信息, Qt::LeftButton);
  ASSERT_FALSE(about->Ui().超级链接框1->isHidden());
  QTest::mouseClick(about->Ui().超级链接框1, Qt::LeftButton);
  QTest::mouseClick(about->Ui().超级按钮_使用教程, Qt::LeftButton);
  QTest::mouseClick(about->Ui().超级链接框2, Qt::LeftButton);
  EXPECT_TRUE(browser_.opened.isEmpty());
}

TEST_F(ReleasePageTest, ClosingTheAboutWindowWhileItsCheckWaitsIsSafe) {
  AwaitMainCheck();
  PointCheckAt(server_.Url("/hold"));
  QTest::mouseClick(Ui().超级按钮1, Qt::LeftButton);
  QPointer<AboutWindow> about = window_.Online().About();
  ASSERT_FALSE(about.isNull());
  QSignalSpy shown(about.data(), &AboutWindow::CheckShown);
  ASSERT_TRUE(WaitFor([&] { return RequestsFor("/hold") == 1; }));

  // The windows answer while the request waits.
  QTest::mouseClick(about->Ui().超级按钮_QQ群, Qt::LeftButton);
  EXPECT_EQ(about->Ui().高级选择夹1->currentWidget(), about->Ui().选择夹页_用户讨论);
  QTest::mouseClick(Ui().按钮_打开预览, Qt::LeftButton);
  EXPECT_EQ(Ui().按钮_打开预览->text(), U("关闭预览"));

  about->close();
  ASSERT_TRUE(WaitFor([&] { return about.isNull(); }));
  QTest::qWait(200);
  EXPECT_EQ(shown.count(), 0);
  EXPECT_EQ(window_.Online().About(), nullptr);
  EXPECT_EQ(Ui().透明标签8->text(), U("已经是最新版"));
}

TEST(WebAddressIn, FindsTheFirstHttpOrHttpsAddress) {
  struct Row {
    const char* text;
    const char* url;  // empty: none
  } rows[] = {
      {"", ""},
      {"https://a.example/x?y=1", "https://a.example/x?y=1"},
      {"：https://a.example/x 本人", "https://a.example/x"},
      {"<a href=\"http://a.example/p\">", "http://a.example/p"},
      {"HTTPS://A.example/", "https://a.example/"},
      {"file:///etc/passwd", ""},
      {"javascript:alert(1)", ""},
      {"https:///nohost", ""},
      {"见 ftp://a.example/ 或 http://b.example/", "http://b.example/"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const QUrl url = WebAddressIn(U(row.text));
    EXPECT_EQ(url.isValid() ? url.toString() : QString(), U(row.url));
  }
}

}  // namespace
}  // namespace vantor::uitest

#include "version_check_window_test.moc"
