// SPDX-License-Identifier: GPL-3.0-or-later
// Header and cookie texts of an HTTP request, as HttpFetch builds and reads
// them. Lines are separated by "\r\n"; all texts are byte text.
#pragma once

#include "text/byte_text.h"

namespace vantor {

// The extra headers with the default headers appended where the name is not
// found anywhere in them (case-insensitive): Accept, Referer (the url),
// Accept-Language, User-Agent, and for a POST Content-Type.
// CompleteDefaultHeaders("User-Agent: x", "http://h/", false) keeps "x" as the
// only User-Agent and appends the other three lines, each after "\r\n".
ByteText CompleteDefaultHeaders(const ByteText& extraHeaders, const ByteText& url, bool isPost);

// In every line that holds a ":", the name before it gets the first byte of
// each "-"-separated part upper-cased (ASCII letters only); the rest of the
// line stays. NormaliseHeaderNames("user-agent: x") == "User-Agent: x".
ByteText NormaliseHeaderNames(const ByteText& headers);

// The name=value pairs set by the Set-Cookie lines of response headers (the
// header name matched in any case), each up to its first ";", trimmed,
// joined with "; ". "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2" -> "a=1; b=2".
ByteText CookiesSetBy(const ByteText& responseHeaders);

// The new cookies, followed by every old pair whose name (the text before
// "=", compared exactly) no new pair has; pairs whose value reads "deleted"
// are left out. MergeCookies("k1=0; k3=3", "k1=1; k2=deleted") == "k1=1; k3=3".
ByteText MergeCookies(const ByteText& oldCookies, const ByteText& newCookies);

}  // namespace vantor
