// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/http_fetch.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include "online/http_headers.h"
#include "platform/code_page.h"

namespace vantor {

namespace {

constexpr int kDefaultTimeoutSeconds = 15;
constexpr int kMaxRedirects = 10;

const char* MethodName(HttpMethod method) {
  switch (method) {
    case HttpMethod::kGet: return "GET";
    case HttpMethod::kPost: return "POST";
    case HttpMethod::kHead: return "HEAD";
    case HttpMethod::kPut: return "PUT";
    case HttpMethod::kOptions: return "OPTIONS";
    case HttpMethod::kDelete: return "DELETE";
    case HttpMethod::kTrace: return "TRACE";
    case HttpMethod::kConnect: return "CONNECT";
  }
  return "GET";
}

bool IsHttps(const ByteText& url) { return FindText(url, "https://", 1, kFindIgnoringCase) == 1; }

// What the callbacks collect during one transfer.
struct Transfer {
  std::string body;
  bool tooLarge = false;
  ByteText headers;
  ByteText statusText;
  const std::atomic<bool>* cancelled = nullptr;
  // The whole request, redirects included, ends here when it has a limit.
  std::optional<std::chrono::steady_clock::time_point> deadline;
  bool overTime = false;
};

size_t CollectBody(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (transfer->body.size() + bytes > kHttpBodyCap) {
    transfer->tooLarge = true;
    return 0;  // ends the transfer
  }
  transfer->body.append(data, bytes);
  return bytes;
}

// Called once per header line. A status line starts a new response (after a
// redirect, a 100 Continue or a proxy's tunnel answer), so only the last
// response's headers are kept.
size_t CollectHeader(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  std::string line(data, bytes);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.rfind("HTTP/", 0) == 0) {
    transfer->headers.clear();
    const size_t first = line.find(' ');
    const size_t second = first == std::string::npos ? std::string::npos : line.find(' ', first + 1);
    transfer->statusText = second == std::string::npos ? ByteText() : line.substr(second + 1);
  } else if (!line.empty()) {
    transfer->headers += line + "\r\n";
  }
  return bytes;
}

int CheckCancelled(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* transfer = static_cast<Transfer*>(user);
  if (transfer->deadline && std::chrono::steady_clock::now() >= *transfer->deadline) {
    transfer->overTime = true;
    return 1;
  }
  return transfer->cancelled != nullptr && transfer->cancelled->load() ? 1 : 0;
}

struct SlistFree {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct EasyCleanup {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistFree>;

bool Append(HeaderList& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (grown == nullptr) return false;
  list.release();
  list.reset(grown);
  return true;
}

ByteText CookieText(const ByteText& cookies) {
  ByteText text = TrimBoth(cookies);
  if (FindText(text, "Cookie:", 1, kFindIgnoringCase) == 1) text = TrimBoth(text.substr(7));
  return text;
}

// The request's header lines for curl: the completed and normalised extra
// headers and the cookies. A "Connection: keep-alive" line is left out (the
// connection is kept anyway), and so is a line without a name.
HeaderList BuildHeaderList(const HttpRequest& request) {
  ByteText headers = request.extraHeaders;
  if (request.completeHeaders) headers = CompleteDefaultHeaders(headers, request.url, request.method == HttpMethod::kPost);
  if (request.normaliseHeaderNames) headers = NormaliseHeaderNames(headers);

  HeaderList list;
  // curl would otherwise hold back a large body waiting for "100 Continue".
  Append(list, "Expect:");
  const ByteText cookies = CookieText(request.cookies);
  if (!cookies.empty() && cookies.find('\n') == ByteText::npos) Append(list, "Cookie: " + cookies);
  for (const ByteText& line : SplitText(headers, ByteText("\r\n"))) {
    const size_t colon = line.find(':');
    if (colon == ByteText::npos || line.find('\n') != ByteText::npos || line.find('\r') != ByteText::npos) continue;
    const ByteText name = TrimBoth(line.substr(0, colon));
    const ByteText value = TrimBoth(line.substr(colon + 1));
    if (name.empty()) continue;
    if (CompareText(name, "Connection", kReplaceIgnoringCase) == 0 &&
        CompareText(value, "keep-alive", kReplaceIgnoringCase) == 0) {
      continue;
    }
    // "Name;" is how curl is told to send a header with an empty value.
    Append(list, value.empty() ? name + ";" : name + ": " + value);
  }
  return list;
}

// Lossy UTF-8 to GBK: a character without a GBK form (or a broken sequence)
// becomes "?".
ByteText GbkOfUtf8Lossy(const std::string& utf8) {
  if (std::optional<ByteText> whole = GbkFromUtf8(utf8)) return *whole;
  ByteText result;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    const std::optional<ByteText> one = GbkFromUtf8(utf8.substr(i, length));
    result += one ? *one : ByteText("?");
    i += length;
  }
  return result;
}

void SetMethod(CURL* curl, HttpMethod method, const std::string& body) {
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);  // clears what an earlier hop set
  curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, nullptr);
  curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
  if (method == HttpMethod::kHead) {
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    return;
  }
  if (method == HttpMethod::kPost || !body.empty()) {
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
  }
  if (method != HttpMethod::kGet && method != HttpMethod::kPost) {
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, MethodName(method));
  } else if (method == HttpMethod::kGet && !body.empty()) {
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "GET");
  }
}

void SetTimeouts(CURL* curl, int timeoutSeconds, long lowSpeedBytesPerSecond) {
  if (timeoutSeconds == -1) return;
  const long seconds = timeoutSeconds < 1 ? kDefaultTimeoutSeconds : timeoutSeconds;
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, seconds * 1000L);
  // A send or receive slower than the limit for that long ends the request.
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, lowSpeedBytesPerSecond < 1 ? 1L : lowSpeedBytesPerSecond);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, seconds);
}

HttpResponse Failed(const HttpRequest& request, std::string why) {
  HttpResponse response;
  response.failure = std::move(why);
  response.cookies = request.cookies;
  return response;
}

}  // namespace

bool RedirectAllowed(const ByteText& from, const ByteText& to) { return !IsHttps(from) || IsHttps(to); }

HttpResponse HttpFetch(const HttpRequest& request) {
  static std::once_flag curlReady;
  std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  std::unique_ptr<CURL, EasyCleanup> handle(curl_easy_init());
  if (!handle) return Failed(request, "cannot create a request");
  CURL* curl = handle.get();

  Transfer transfer;
  transfer.cancelled = request.cancelled;
  char errorText[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);  // followed below, hop by hop
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kHttpBodyCap));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, CollectHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckCancelled);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  SetTimeouts(curl, request.timeoutSeconds, request.lowSpeedBytesPerSecond);
  if (request.totalSeconds > 0) transfer.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(request.totalSeconds);

  // Left unset, curl takes the proxy from the environment.
  if (!request.proxy.empty() || !request.environmentProxy) curl_easy_setopt(curl, CURLOPT_PROXY, request.proxy.c_str());
  if (!request.proxy.empty() && !request.proxyUser.empty()) {
    curl_easy_setopt(curl, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, request.proxyUser.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, request.proxyPassword.c_str());
  }
  const HeaderList headers = BuildHeaderList(request);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());

  ByteText url = request.url;
  HttpMethod method = request.method;
  std::string body = request.byteBody.empty() ? request.postData : request.byteBody;
  long status = 0;
  for (int hop = 0;; ++hop) {
    transfer.body.clear();
    transfer.headers.clear();
    transfer.statusText.clear();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    SetMethod(curl, method, body);
    if (transfer.deadline) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*transfer.deadline -
                                                                              std::chrono::steady_clock::now());
      if (left.count() <= 0) return Failed(request, "over the total time limit");
      curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left.count()));
    }
    const CURLcode result = curl_easy_perform(curl);
    // curl's own end at the deadline says "Operation timed out after ...".
    const bool overTime = transfer.overTime || (transfer.deadline && result == CURLE_OPERATION_TIMEDOUT &&
                                                std::string_view(errorText).starts_with("Operation timed out"));
    if (overTime) return Failed(request, "over the total time limit");
    if (transfer.tooLarge || result == CURLE_FILESIZE_EXCEEDED) return Failed(request, "the body is too large");
    if (result != CURLE_OK) return Failed(request, errorText[0] != '\0' ? errorText : curl_easy_strerror(result));
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);

    const char* next = nullptr;
    curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &next);
    const bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    if (request.noRedirects || !redirect || next == nullptr) break;
    if (!RedirectAllowed(url, next)) return Failed(request, "a redirect from https to http is refused");
    if (hop + 1 >= kMaxRedirects) return Failed(request, "too many redirects");
    // As browsers do: 303 turns every method but HEAD into GET, 301 and 302
    // turn a POST into GET; 307 and 308 repeat the request as it was.
    if ((status == 303 && method != HttpMethod::kHead) ||
        ((status == 301 || status == 302) && method == HttpMethod::kPost)) {
      method = HttpMethod::kGet;
      body.clear();
    }
    url = next;
  }

  HttpResponse response;
  response.received = true;
  response.status = static_cast<int>(status);
  response.statusText = transfer.statusText;
  response.headers = transfer.headers;
  response.newCookies = CookiesSetBy(transfer.headers);
  response.cookies = request.mergeCookies ? MergeCookies(CookieText(request.cookies), response.newCookies) : request.cookies;
  response.body = request.decoding == BodyDecoding::kUtf8ToGbk ? GbkOfUtf8Lossy(transfer.body)
                                                              : ByteText(std::move(transfer.body));
  return response;
}

}  // namespace vantor
