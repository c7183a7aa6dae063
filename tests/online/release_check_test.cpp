// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/release_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/gbk_text.h"
#include "support/loopback_http_server.h"

namespace vantor {
namespace {

using testing::G;

TEST(LocalVersion, IsTheProgramsVersion) { EXPECT_EQ(LocalVersion(), "16.4"); }

TEST(LatestVersionOnPage, ReadsTheDottedNumberAfterTheMarker) {
  struct Row {
    std::string page, version;
  } rows[] = {
      {"", ""},
      {G("没有标记 16.5"), ""},
      {G("软件最新版本为"), ""},
      {G("软件最新版本为abc"), ""},
      {G("软件最新版本为16.4</p>"), "16.4"},
      {G("软件最新版本为 16.10。"), "16.10"},
      {G("软件最新版本为17.</p>"), "17"},
      {G("软件最新版本为16.5 软件最新版本为99"), "16.5"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.page);
    EXPECT_EQ(LatestVersionOnPage(row.page), row.version);
  }
}

TEST(CompareWithLatest, OrdersDottedNumbers) {
  struct Row {
    const char* local;
    const char* latest;
    VersionStanding standing;
  } rows[] = {
      {"16.4", "16.4", VersionStanding::kUpToDate},
      {"16.4", "16.5", VersionStanding::kNewerAvailable},
      {"16.4", "16.10", VersionStanding::kNewerAvailable},
      {"16.4", "16.3", VersionStanding::kUpToDate},
      {"16.4", "9.9", VersionStanding::kUpToDate},
      {"16.4", "16.4.0", VersionStanding::kUpToDate},
      {"16.4", "16.4.1", VersionStanding::kNewerAvailable},
      {"16.4", "17", VersionStanding::kNewerAvailable},
      {"16.4", "", VersionStanding::kUnknown},
      {"16.4", "16..5", VersionStanding::kUnknown},
      {"16.4", "16.x", VersionStanding::kUnknown},
      {"16.4", "1234567890", VersionStanding::kUnknown},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.local) + " vs " + row.latest);
    EXPECT_EQ(CompareWithLatest(row.local, row.latest), row.standing);
  }
}

TEST(ReadReleasePage, NeverTakesAFailedCheckForANewerVersion) {
  const ByteText page = G("软件最新版本为16.5 发布教程帖子http://t/本人发布 只能下载https://d/感谢大家");
  struct Row {
    const char* name;
    bool received;
    int status;
    ByteText body;
    VersionStanding standing;
    ByteText latest, tutorial, download;
  } rows[] = {
      {"newer", true, 200, page, VersionStanding::kNewerAvailable, "16.5", "http://t/", "https://d/"},
      {"same", true, 200, G("软件最新版本为16.4"), VersionStanding::kUpToDate, "16.4", "", ""},
      {"no marker", true, 200, G("发布教程帖子x本人发布"), VersionStanding::kUnknown, "", "x", ""},
      {"not found", true, 404, page, VersionStanding::kUnknown, "", "", ""},
      {"not fetched", false, 0, {}, VersionStanding::kUnknown, "", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HttpResponse response;
    response.received = row.received;
    response.status = row.status;
    response.body = row.body;
    const ReleaseCheck check = ReadReleasePage(response, "16.4");
    EXPECT_EQ(check.standing, row.standing);
    EXPECT_EQ(check.latest, row.latest);
    EXPECT_EQ(check.tutorialAddress, row.tutorial);
    EXPECT_EQ(check.downloadAddress, row.download);
  }
}

TEST(CheckRelease, FetchesThePageWithAPlainGet) {
  testing::LoopbackHttpServer server(
      [](const testing::ReceivedRequest&) { return testing::HttpReply(200, G("<p>软件最新版本为16.10</p>")); });
  const ReleaseCheck check = CheckRelease(server.Url("/release"));
  EXPECT_EQ(check.standing, VersionStanding::kNewerAvailable);
  EXPECT_EQ(check.latest, "16.10");
  const testing::ReceivedRequest sent = server.Requests().at(0);
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.Header("Referer"), server.Url("/release"));
  EXPECT_EQ(sent.Header("User-Agent"), "Vantor重命名/16.4 (Linux)");
}

// The check goes through the proxy the environment names, as curl does.
TEST(CheckRelease, UsesTheProxyTheEnvironmentNames) {
  testing::LoopbackHttpServer proxy(
      [](const testing::ReceivedRequest&) { return testing::HttpReply(200, G("软件最新版本为16.4")); });
  struct Variable {
    const char* name;
    std::optional<std::string> old;
  } saved[] = {{"http_proxy", {}}, {"no_proxy", {}}, {"NO_PROXY", {}}};
  for (Variable& variable : saved) {
    if (const char* value = std::getenv(variable.name)) variable.old = value;
    ::unsetenv(variable.name);
  }
  ::setenv("http_proxy", proxy.Url("").c_str(), 1);
  const ReleaseCheck check = CheckRelease("http://release.example/page");
  for (const Variable& variable : saved) {
    if (variable.old) {
      ::setenv(variable.name, variable.old->c_str(), 1);
    } else {
      ::unsetenv(variable.name);
    }
  }
  EXPECT_EQ(check.standing, VersionStanding::kUpToDate);
  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0].target, "http://release.example/page");
}

TEST(ReleasePageAddress, TheEnvironmentReplacesTheBuiltInAddress) {
  const char* before = std::getenv("VANTOR_RELEASE_URL");
  const std::string saved = before != nullptr ? before : "";
  ::unsetenv("VANTOR_RELEASE_URL");
  const ByteText builtIn = ReleasePageAddress();
  EXPECT_FALSE(builtIn.empty());
  ::setenv("VANTOR_RELEASE_URL", "", 1);
  EXPECT_EQ(ReleasePageAddress(), builtIn);
  ::setenv("VANTOR_RELEASE_URL", "http://127.0.0.1:1/x", 1);
  EXPECT_EQ(ReleasePageAddress(), "http://127.0.0.1:1/x");
  if (before != nullptr) {
    ::setenv("VANTOR_RELEASE_URL", saved.c_str(), 1);
  } else {
    ::unsetenv("VANTOR_RELEASE_URL");
  }
}

}  // namespace
}  // namespace vantor
