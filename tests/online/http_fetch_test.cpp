// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/http_fetch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "online/http_headers.h"
#include "online/page_text.h"
#include "support/gbk_text.h"
#include "support/loopback_http_server.h"

namespace vantor {
namespace {

using testing::G;
using testing::HttpReply;
using testing::LoopbackHttpServer;
using testing::ReceivedRequest;

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// ---- Pure parts ----

TEST(CompleteDefaultHeaders, AddsOnlyTheMissingOnes) {
  const ByteText defaults = std::string("\r\nAccept: */*\r\nReferer: http://h/p\r\nAccept-Language: zh-cn\r\nUser-Agent: ") +
                            kUserAgent;
  struct Row {
    const char* extra;
    bool post;
    std::string expected;
  } rows[] = {
      {"", false, defaults},
      {"", true, defaults + "\r\nContent-Type: application/x-www-form-urlencoded"},
      {"user-agent: mine", false,
       "user-agent: mine\r\nAccept: */*\r\nReferer: http://h/p\r\nAccept-Language: zh-cn"},
      {"ACCEPT: text/html\r\nReferer: r\r\nAccept-Language: en\r\nUser-Agent: u", false,
       "ACCEPT: text/html\r\nReferer: r\r\nAccept-Language: en\r\nUser-Agent: u"},
      {"Content-Type: text/plain", true, "Content-Type: text/plain" + defaults},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.extra);
    EXPECT_EQ(CompleteDefaultHeaders(row.extra, "http://h/p", row.post), row.expected);
  }
}

TEST(NormaliseHeaderNames, CapitalisesEachPartOfTheName) {
  struct Row {
    const char* in;
    const char* out;
  } rows[] = {
      {"", ""},
      {"user-agent: x", "User-Agent: x"},
      {"accept-language: zh-cn\r\nx-my-header:v-a-l", "Accept-Language: zh-cn\r\nX-My-Header:v-a-l"},
      {"no colon here\r\nreferer: http://a-b/", "no colon here\r\nReferer: http://a-b/"},
      {"--x-1a: v\r\n", "--X-1a: v\r\n"},
      {"\xD6\xD0-abc: v", "\xD6\xD0-Abc: v"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.in);
    EXPECT_EQ(NormaliseHeaderNames(row.in), row.out);
  }
}

TEST(CookiesSetBy, TakesEachPairUpToItsSemicolon) {
  struct Row {
    const char* headers;
    const char* cookies;
  } rows[] = {
      {"", ""},
      {"Content-Type: text/html\r\n", ""},
      {"Set-Cookie: k1=1; path=/\r\nset-cookie:  k2=deleted ; path=/\r\n", "k1=1; k2=deleted"},
      {"Set-Cookie: s=abc\r\nX: y\r\n", "s=abc"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.headers);
    EXPECT_EQ(CookiesSetBy(row.headers), row.cookies);
  }
}

TEST(MergeCookies, NewValuesWinOldOnesStayDeletedOnesGo) {
  struct Row {
    const char* old;
    const char* fresh;
    const char* merged;
  } rows[] = {
      {"", "", ""},
      {"k1=0; k3=3", "k1=1; k2=deleted", "k1=1; k3=3"},
      {" a=1; ", "", "a=1"},
      {"", "b=2;", "b=2"},
      // Names are compared whole: k1 is not k10.
      {"k10=old; k1=old", "k1=new", "k1=new; k10=old"},
      {"a=1", "a=deleted", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.old) + " + " + row.fresh);
    EXPECT_EQ(MergeCookies(row.old, row.fresh), row.merged);
  }
}

TEST(TextAfterMarker, TakesTheBytesAfterTheFirstMarker) {
  struct Row {
    std::string text, marker;
    int length;
    std::string expected;
  } rows[] = {
      {"", "v=", 4, ""},
      {"abc", "v=", 4, ""},                   // absent
      {"abc v=", "v=", 4, ""},                // at the very end
      {"v=16.4; v=17.0", "v=", 4, "16.4"},    // first occurrence
      {"v=16", "v=", 4, "16"},                // text ends sooner
      {"v=16.10", "v=", 4, "16.1"},
      {G("软件最新版本为16.5"), G("软件最新版本为"), 4, "16.5"},
      {"xyz", "", 2, "xy"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text + " | " + row.marker);
    EXPECT_EQ(TextAfterMarker(row.text, row.marker, row.length), row.expected);
  }
}

TEST(TextBetween, TakesTheBytesBetweenTheMarkers) {
  struct Row {
    std::string text, left, right, expected;
  } rows[] = {
      {"", "[", "]", ""},
      {"a[x]b[y]", "[", "]", "x"},
      {"a]x[b", "[", "]", ""},          // right only before left
      {"a[x", "[", "]", ""},            // right absent
      {"a x]", "[", "]", ""},           // left absent
      {"[]", "[", "]", ""},
      {"ab", "ab", "b", ""},            // right searched after the end of left
      {"href=\"http://a/\" x", G("href=#引号"), G("#引号"), "http://a/"},
      {G("发布教程帖子：http://t/ 本人发布"), G("发布教程帖子"), G("本人发布"), G("：http://t/ ")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(TextBetween(row.text, row.left, row.right), row.expected);
  }
}

TEST(RedirectAllowed, NeverFromHttpsToPlainHttp) {
  struct Row {
    const char* from;
    const char* to;
    bool allowed;
  } rows[] = {
      {"http://a/", "http://b/", true},
      {"http://a/", "https://b/", true},
      {"https://a/", "https://b/", true},
      {"https://a/", "http://a/", false},
      {"HTTPS://a/", "http://a/", false},
      {"https://a/", "HTTPS://b/", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.from) + " -> " + row.to);
    EXPECT_EQ(RedirectAllowed(row.from, row.to), row.allowed);
  }
}

// ---- Against a loopback server ----

TEST(HttpFetch, GetSendsTheDefaultHeadersAndReturnsStatusHeadersAndBody) {
  LoopbackHttpServer server([](const ReceivedRequest&) {
    return HttpReply(404, "not here", "X-Thing: yes\r\n", "Not Found");
  });
  const HttpResponse response = HttpFetch({.url = server.Url("/page?q=1")});

  ASSERT_TRUE(response.received) << response.failure;
  EXPECT_EQ(response.status, 404);
  EXPECT_EQ(response.statusText, "Not Found");
  EXPECT_EQ(response.body, "not here");
  EXPECT_NE(response.headers.find("X-Thing: yes\r\n"), std::string::npos);
  EXPECT_EQ(response.headers.find("HTTP/1.1"), std::string::npos);

  const ReceivedRequest sent = server.Requests().at(0);
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.target, "/page?q=1");
  EXPECT_EQ(sent.Header("Accept"), "*/*");
  EXPECT_EQ(sent.Header("Referer"), server.Url("/page?q=1"));
  EXPECT_EQ(sent.Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(sent.Header("User-Agent"), kUserAgent);
  EXPECT_TRUE(sent.Headers("Content-Type").empty());
  EXPECT_TRUE(sent.Headers("Cookie").empty());
  EXPECT_TRUE(sent.body.empty());
}

TEST(HttpFetch, PostSendsItsBodyAndTheGivenHeadersNormalised) {
  LoopbackHttpServer server([](const ReceivedRequest&) { return HttpReply(200, "ok"); });
  HttpRequest request{.url = server.Url("/form"), .method = HttpMethod::kPost, .postData = "a=1&b=2"};
  request.extraHeaders = "user-agent: mine/1.0\r\nx-custom-thing:  v1 \r\nConnection: keep-alive";
  const HttpResponse response = HttpFetch(request);
  ASSERT_TRUE(response.received) << response.failure;

  const ReceivedRequest sent = server.Requests().at(0);
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.body, "a=1&b=2");
  EXPECT_EQ(sent.Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(sent.Headers("User-Agent"), std::vector<std::string>{"mine/1.0"});
  EXPECT_NE(sent.head.find("User-Agent: mine/1.0\r\n"), std::string::npos);
  EXPECT_NE(sent.head.find("X-Custom-Thing: v1\r\n"), std::string::npos);
  EXPECT_EQ(sent.head.find("keep-alive"), std::string::npos);

  // A byte body goes instead of the post data; without completion and
  // normalisation the headers go as given.
  request.byteBody = std::string("\x00\x01\xFF", 3);
  request.completeHeaders = false;
  request.normaliseHeaderNames = false;
  ASSERT_TRUE(HttpFetch(request).received);
  const ReceivedRequest raw = server.Requests().at(1);
  EXPECT_EQ(raw.body, std::string("\x00\x01\xFF", 3));
  EXPECT_NE(raw.head.find("x-custom-thing: v1\r\n"), std::string::npos);
  EXPECT_TRUE(raw.Headers("Referer").empty());
  EXPECT_TRUE(raw.Headers("Accept-Language").empty());
}

TEST(HttpFetch, SendsCookiesAndMergesTheOnesTheResponseSets) {
  LoopbackHttpServer server([](const ReceivedRequest&) {
    return HttpReply(200, "", "Set-Cookie: k1=1; path=/\r\nSet-Cookie: k2=deleted; path=/\r\n");
  });
  HttpRequest request{.url = server.Url(), .cookies = "Cookie: k1=0; k3=3"};
  HttpResponse response = HttpFetch(request);
  ASSERT_TRUE(response.received) << response.failure;
  EXPECT_EQ(server.Requests().at(0).Header("Cookie"), "k1=0; k3=3");
  EXPECT_EQ(response.newCookies, "k1=1; k2=deleted");
  EXPECT_EQ(response.cookies, "k1=1; k3=3");

  request.mergeCookies = false;
  response = HttpFetch(request);
  EXPECT_EQ(response.newCookies, "k1=1; k2=deleted");
  EXPECT_EQ(response.cookies, "Cookie: k1=0; k3=3");
}

TEST(HttpFetch, FollowsRedirectsUnlessSwitchedOff) {
  LoopbackHttpServer server([](const ReceivedRequest& request) {
    if (request.target == "/old") return HttpReply(302, "moved", "Location: /new\r\nX-Hop: first\r\n");
    if (request.target == "/form") return HttpReply(303, "", "Location: /new\r\n");
    return HttpReply(200, "new page", "X-Hop: last\r\n");
  });
  HttpResponse response = HttpFetch({.url = server.Url("/old")});
  ASSERT_TRUE(response.received) << response.failure;
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.body, "new page");
  EXPECT_NE(response.headers.find("X-Hop: last"), std::string::npos);
  EXPECT_EQ(response.headers.find("X-Hop: first"), std::string::npos);

  response = HttpFetch({.url = server.Url("/old"), .noRedirects = true});
  EXPECT_EQ(response.status, 302);
  EXPECT_EQ(response.body, "moved");
  EXPECT_NE(response.headers.find("Location: /new"), std::string::npos);

  // A POST answered by 303 goes on as a GET without its body.
  response = HttpFetch({.url = server.Url("/form"), .method = HttpMethod::kPost, .postData = "x=1"});
  EXPECT_EQ(response.body, "new page");
  const std::vector<ReceivedRequest> sent = server.Requests();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[4].method, "GET");
  EXPECT_EQ(sent[4].target, "/new");
  EXPECT_TRUE(sent[4].body.empty());
}

TEST(HttpFetch, RefusesARedirectToAnotherProtocol) {
  LoopbackHttpServer server([](const ReceivedRequest&) { return HttpReply(301, "", "Location: ftp://127.0.0.1/x\r\n"); });
  const HttpResponse response = HttpFetch({.url = server.Url()});
  EXPECT_FALSE(response.received);
  EXPECT_TRUE(response.body.empty());
}

TEST(HttpFetch, GivesUpWhenTheServerStaysSilentOrTheCallerCancels) {
  LoopbackHttpServer server([](const ReceivedRequest&) { return testing::kHold; });
  HttpResponse response = HttpFetch({.url = server.Url(), .timeoutSeconds = 1});
  EXPECT_FALSE(response.received);
  EXPECT_NE(response.failure.find("too slow"), std::string::npos) << response.failure;

  std::atomic<bool> cancelled{false};
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    cancelled = true;
  });
  response = HttpFetch({.url = server.Url(), .timeoutSeconds = -1, .cancelled = &cancelled});
  canceller.join();
  EXPECT_FALSE(response.received);
  EXPECT_TRUE(response.body.empty());

  // A server that trickles: below the speed limit, or past the total time.
  LoopbackHttpServer slow([](const ReceivedRequest&) { return testing::kTrickle; });
  response = HttpFetch({.url = slow.Url(), .timeoutSeconds = 1, .lowSpeedBytesPerSecond = 8});
  EXPECT_FALSE(response.received);
  EXPECT_NE(response.failure.find("too slow"), std::string::npos) << response.failure;
  response = HttpFetch({.url = slow.Url(), .timeoutSeconds = 30, .totalSeconds = 1});
  EXPECT_FALSE(response.received);
  EXPECT_EQ(response.failure, "over the total time limit");
}

TEST(HttpFetch, RefusesABodyAboveTheCap) {
  LoopbackHttpServer server([](const ReceivedRequest& request) {
    return HttpReply(200, std::string(request.target == "/big" ? kHttpBodyCap + 1 : kHttpBodyCap, 'x'));
  });
  EXPECT_EQ(HttpFetch({.url = server.Url("/fits")}).body.size(), kHttpBodyCap);
  const HttpResponse big = HttpFetch({.url = server.Url("/big")});
  EXPECT_FALSE(big.received);
  EXPECT_TRUE(big.body.empty());
}

TEST(HttpFetch, DecodesUtf8ToGbkWhenAsked) {
  LoopbackHttpServer server([](const ReceivedRequest&) { return HttpReply(200, "中文\xF0\x9F\x98\x80!"); });
  EXPECT_EQ(HttpFetch({.url = server.Url()}).body, "中文\xF0\x9F\x98\x80!");
  EXPECT_EQ(HttpFetch({.url = server.Url(), .decoding = BodyDecoding::kUtf8ToGbk}).body, G("中文\xF0\x9F\x98\x80!"));
}

TEST(HttpFetch, GoesThroughAProxyWithCredentials) {
  LoopbackHttpServer proxy([](const ReceivedRequest&) { return HttpReply(200, "via proxy"); });
  HttpRequest request{.url = "http://vantor.invalid/page"};
  request.proxy = proxy.Url();
  request.proxyUser = "user";
  request.proxyPassword = "pass";
  const HttpResponse response = HttpFetch(request);
  ASSERT_TRUE(response.received) << response.failure;
  EXPECT_EQ(response.body, "via proxy");
  const ReceivedRequest sent = proxy.Requests().at(0);
  EXPECT_EQ(sent.target, "http://vantor.invalid/page");
  EXPECT_EQ(sent.Header("Proxy-Authorization"), "Basic dXNlcjpwYXNz");
}

TEST(HttpFetch, ReturnsNothingWhenNobodyListens) {
  int port = 0;
  {
    LoopbackHttpServer closed([](const ReceivedRequest&) { return HttpReply(200, ""); });
    port = closed.Port();
  }
  const HttpResponse response =
      HttpFetch({.url = "http://127.0.0.1:" + std::to_string(port) + "/", .cookies = "a=1"});
  EXPECT_FALSE(response.received);
  EXPECT_EQ(response.status, 0);
  EXPECT_TRUE(response.body.empty());
  EXPECT_TRUE(response.headers.empty());
  EXPECT_EQ(response.cookies, "a=1");
}

}  // namespace
}  // namespace vantor
