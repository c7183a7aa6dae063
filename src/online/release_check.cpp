// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/release_check.h"

#include <algorithm>
#include <cstdlib>

#include "online/page_text.h"
#include "platform/code_page.h"

#ifndef VANTOR_VERSION
#error "VANTOR_VERSION is defined by the build"
#endif
#ifndef VANTOR_RELEASE_URL
#error "VANTOR_RELEASE_URL is defined by the build"
#endif
#ifndef VANTOR_USER_GROUP_NUMBER
#error "VANTOR_USER_GROUP_NUMBER is defined by the build"
#endif

namespace vantor {

namespace {

constexpr int kLongestVersion = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

const ByteText& LocalVersion() {
  static const ByteText version = VANTOR_VERSION;
  return version;
}

const ByteText& UserGroupNumber() {
  static const ByteText number = VANTOR_USER_GROUP_NUMBER;
  return number;
}

ByteText ReleasePageAddress() {
  const char* fromEnvironment = std::getenv("VANTOR_RELEASE_URL");
  if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') return fromEnvironment;
  return VANTOR_RELEASE_URL;
}

ByteText LatestVersionOnPage(const ByteText& page) {
  ByteText after = TrimBoth(TextAfterMarker(page, Gbk("软件最新版本为"), kLongestVersion + 8));
  size_t end = 0;
  while (end < after.size() && (IsDigit(after[end]) || after[end] == '.')) ++end;
  ByteText version = after.substr(0, end);
  while (!version.empty() && version.back() == '.') version.pop_back();
  if (version.empty() || !IsDigit(version.front()) || TextLength(version) > kLongestVersion) return {};
  return version;
}

std::optional<std::vector<long>> VersionNumbers(const ByteText& version) {
  std::vector<long> numbers;
  ByteText part;
  for (size_t i = 0; i <= version.size(); ++i) {
    if (i < version.size() && IsDigit(version[i])) {
      part += version[i];
      continue;
    }
    if (i < version.size() && version[i] != '.') return std::nullopt;
    // A part ends: at a dot or at the end. Nine digits always fit in a long.
    if (part.empty() || part.size() > 9) return std::nullopt;
    numbers.push_back(std::strtol(part.c_str(), nullptr, 10));
    part.clear();
  }
  return numbers;
}

VersionStanding CompareWithLatest(const ByteText& local, const ByteText& latest) {
  const auto mine = VersionNumbers(local);
  const auto theirs = VersionNumbers(latest);
  if (!mine || !theirs) return VersionStanding::kUnknown;
  const size_t parts = std::max(mine->size(), theirs->size());
  for (size_t i = 0; i < parts; ++i) {
    const long a = i < mine->size() ? (*mine)[i] : 0;
    const long b = i < theirs->size() ? (*theirs)[i] : 0;
    if (a != b) return b > a ? VersionStanding::kNewerAvailable : VersionStanding::kUpToDate;
  }
  return VersionStanding::kUpToDate;
}

ReleaseCheck ReadReleasePage(const HttpResponse& page, const ByteText& local) {
  ReleaseCheck check;
  if (!page.received || page.status < 200 || page.status > 299) return check;
  check.tutorialAddress = TextBetween(page.body, Gbk("发布教程帖子"), Gbk("本人发布"));
  check.downloadAddress = TextBetween(page.body, Gbk("只能下载"), Gbk("感谢大家"));
  check.latest = LatestVersionOnPage(page.body);
  check.standing = CompareWithLatest(local, check.latest);
  if (check.standing == VersionStanding::kUnknown) check.latest.clear();
  return check;
}

ByteText ReleaseCheckUserAgent() { return "Vantor\xE9\x87\x8D\xE5\x91\xBD\xE5\x90\x8D/" + LocalVersion() + " (Linux)"; }

ReleaseCheck CheckRelease(const ByteText& url, const std::atomic<bool>* cancelled) {
  HttpRequest request;
  request.url = url;
  request.extraHeaders = "User-Agent: " + ReleaseCheckUserAgent();
  request.environmentProxy = true;
  request.cancelled = cancelled;
  request.timeoutSeconds = kReleaseCheckStallSeconds;
  request.lowSpeedBytesPerSecond = kReleaseCheckLowSpeed;
  request.totalSeconds = kReleaseCheckSeconds;
  return ReadReleasePage(HttpFetch(request), LocalVersion());
}

}  // namespace vantor
