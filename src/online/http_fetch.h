// SPDX-License-Identifier: GPL-3.0-or-later
// One HTTP request, synchronous, on libcurl. Blocks the calling thread until
// the response has arrived, the timeout has passed or `cancelled` is set, so
// windows call it from a worker thread. Certificates are always verified; only
// http and https are spoken; a redirect from https to http is refused; a body
// above kHttpBodyCap bytes fails the request. Example:
//   HttpResponse page = HttpFetch({.url = "https://example.org/"});
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "text/byte_text.h"

namespace vantor {

enum class HttpMethod { kGet, kPost, kHead, kPut, kOptions, kDelete, kTrace, kConnect };

// How the body bytes become the returned text. kAsIs and kSystemCodePage
// return the bytes unchanged (the system code page is GBK already);
// kUtf8ToGbk converts, each character without a GBK form becoming "?".
enum class BodyDecoding { kAsIs = 0, kSystemCodePage = 1, kUtf8ToGbk = 2 };

inline constexpr size_t kHttpBodyCap = 4 * 1024 * 1024;

// Every member has a default, so a request names only what it sets:
// HttpFetch({.url = u, .method = HttpMethod::kPost, .postData = "a=1"}).
struct HttpRequest {
  ByteText url = {};
  HttpMethod method = HttpMethod::kGet;
  BodyDecoding decoding = BodyDecoding::kAsIs;
  ByteText postData = {};      // sent when byteBody is empty
  std::string byteBody = {};   // sent instead of postData when not empty
  ByteText cookies = {};       // sent as the Cookie header; a leading "Cookie:" is dropped
  ByteText extraHeaders = {};  // "Name: value" lines separated by "\r\n"
  bool noRedirects = false;
  ByteText proxy = {};         // empty: no proxy (nor the environment's, unless environmentProxy)
  // With no proxy given: the proxy the environment names (http_proxy,
  // https_proxy, all_proxy, no_proxy), read as curl reads them.
  bool environmentProxy = false;
  ByteText proxyUser = {};     // with a proxy: Basic credentials for it
  ByteText proxyPassword = {};
  // Seconds for resolving and connecting, and for each stall while sending or
  // receiving: -1 sets none, below 1 means 15.
  int timeoutSeconds = 0;
  // With a stall limit: moving fewer bytes a second than this for that long
  // ends the request too.
  long lowSpeedBytesPerSecond = 1;
  // Seconds the whole request may take, redirects included; 0 sets no limit.
  int totalSeconds = 0;
  bool mergeCookies = true;          // response.cookies := MergeCookies(cookies, new cookies)
  bool completeHeaders = true;       // CompleteDefaultHeaders
  bool normaliseHeaderNames = true;  // NormaliseHeaderNames
  // Polled while the request waits; setting it ends the request as failed.
  const std::atomic<bool>* cancelled = nullptr;
};

struct HttpResponse {
  bool received = false;  // a complete response arrived (any status)
  std::string failure;    // why not, for diagnostics
  ByteText body;          // decoded; empty unless received
  ByteText headers;       // the final response's header lines, each ending "\r\n"
  int status = 0;
  ByteText statusText;
  ByteText newCookies;    // CookiesSetBy(headers)
  ByteText cookies;       // merged when asked for, otherwise the request's cookies
};

HttpResponse HttpFetch(const HttpRequest& request);

// Whether a redirect from one address to the next is followed: never from
// https to anything but https. RedirectAllowed("https://a/", "http://a/") == false.
bool RedirectAllowed(const ByteText& from, const ByteText& to);

}  // namespace vantor
