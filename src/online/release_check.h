// SPDX-License-Identifier: GPL-3.0-or-later
// The check for a newer version: the program's own version, the release page
// it reads, and what that page says. The page announces the latest version
// after "软件最新版本为", the tutorial address between "发布教程帖子" and
// "本人发布" and the download address between "只能下载" and "感谢大家".
#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "online/http_fetch.h"
#include "text/byte_text.h"

namespace vantor {

// The program's version, "16.4".
const ByteText& LocalVersion();

// The number of the users' group shown by the about window.
const ByteText& UserGroupNumber();

// The release page: the environment variable VANTOR_RELEASE_URL when it is set
// and not empty, otherwise the address the program was built with.
ByteText ReleasePageAddress();

// The dotted number that follows "软件最新版本为" (spaces before it skipped,
// a final "." dropped); empty when the marker is absent or no digit follows.
// LatestVersionOnPage(G("软件最新版本为16.10</p>")) == "16.10".
ByteText LatestVersionOnPage(const ByteText& page);

// The numbers of a dotted version, or nullopt when it is not digits and dots
// (an empty part included). VersionNumbers("16.4") == {16, 4}.
std::optional<std::vector<long>> VersionNumbers(const ByteText& version);

// The result of one check. kUnknown: the page could not be fetched, its status
// was not 2xx, or it names no version; that is never taken for a newer one.
enum class VersionStanding { kUpToDate, kNewerAvailable, kUnknown };

// Latest against local as dotted numbers, missing parts counting 0: newer only
// when latest is greater; equal or older is up to date; unreadable is kUnknown.
// CompareWithLatest("16.4", "16.10") == kNewerAvailable.
VersionStanding CompareWithLatest(const ByteText& local, const ByteText& latest);

struct ReleaseCheck {
  VersionStanding standing = VersionStanding::kUnknown;
  ByteText latest;           // as the page writes it; empty when unknown
  ByteText tutorialAddress;  // empty unless the page was fetched and holds it
  ByteText downloadAddress;
};

// What a fetched release page says about the local version.
ReleaseCheck ReadReleasePage(const HttpResponse& page, const ByteText& local);

// The User-Agent the check sends, in UTF-8: "Vantor重命名/16.4 (Linux)".
ByteText ReleaseCheckUserAgent();

// A check ends after this many seconds whatever the server does, and sooner
// when it sends fewer than kReleaseCheckLowSpeed bytes a second for
// kReleaseCheckStallSeconds.
inline constexpr int kReleaseCheckSeconds = 20;
inline constexpr long kReleaseCheckLowSpeed = 64;
inline constexpr int kReleaseCheckStallSeconds = 10;

// Fetches the release page with a plain GET (default headers but the
// program's own User-Agent, the limits above, redirects followed, through the
// proxy the environment names) and reads it. `cancelled` ends the wait early.
ReleaseCheck CheckRelease(const ByteText& url, const std::atomic<bool>* cancelled = nullptr);

}  // namespace vantor
