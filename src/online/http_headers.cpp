// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/http_headers.h"

#include <algorithm>

namespace vantor {

namespace {

constexpr char kLineBreak[] = "\r\n";

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

ByteText CapitaliseParts(const ByteText& name) {
  ByteText result = name;
  bool partStart = true;
  for (char& c : result) {
    if (partStart && IsLower(c)) c = static_cast<char>(c - 'a' + 'A');
    partStart = c == '-';
  }
  return result;
}

// Pairs of a cookie text: split on ";", each trimmed, empty ones dropped.
TextArray CookiePairs(const ByteText& cookies) {
  ByteText text = TrimBoth(cookies);
  if (!text.empty() && text.back() == ';') text.pop_back();
  TextArray pairs;
  for (const ByteText& part : SplitText(text, ByteText(";"))) {
    ByteText pair = TrimBoth(part);
    if (!pair.empty()) pairs.push_back(pair);
  }
  return pairs;
}

ByteText CookieName(const ByteText& pair) { return pair.substr(0, pair.find('=')); }

ByteText Join(const TextArray& parts, const ByteText& separator) {
  ByteText joined;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += separator;
    joined += parts[i];
  }
  return joined;
}

}  // namespace

ByteText CompleteDefaultHeaders(const ByteText& extraHeaders, const ByteText& url, bool isPost) {
  ByteText headers = extraHeaders;
  const auto addWhenMissing = [&headers](const ByteText& name, const ByteText& line) {
    if (FindText(headers, name, 1, kFindIgnoringCase) < 1) headers += kLineBreak + line;
  };
  addWhenMissing("Accept:", "Accept: */*");
  addWhenMissing("Referer:", "Referer: " + url);
  addWhenMissing("Accept-Language:", "Accept-Language: zh-cn");
  addWhenMissing("User-Agent:", "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  if (isPost) addWhenMissing("Content-Type:", "Content-Type: application/x-www-form-urlencoded");
  return headers;
}

ByteText NormaliseHeaderNames(const ByteText& headers) {
  ByteText result;
  size_t start = 0;
  while (true) {
    const size_t end = headers.find(kLineBreak, start);
    ByteText line = headers.substr(start, end == ByteText::npos ? ByteText::npos : end - start);
    const size_t colon = line.find(':');
    if (colon != ByteText::npos) line = CapitaliseParts(line.substr(0, colon)) + line.substr(colon);
    result += line;
    if (end == ByteText::npos) break;
    result += kLineBreak;
    start = end + 2;
  }
  return result;
}

ByteText CookiesSetBy(const ByteText& responseHeaders) {
  TextArray pairs;
  for (const ByteText& line : SplitText(responseHeaders, ByteText(kLineBreak))) {
    const int at = FindText(line, "Set-Cookie:", 1, kFindIgnoringCase);
    if (at < 1) continue;
    const ByteText rest = line.substr(static_cast<size_t>(at - 1) + 11);
    ByteText pair = TrimBoth(rest.substr(0, rest.find(';')));
    if (!pair.empty()) pairs.push_back(pair);
  }
  return Join(pairs, "; ");
}

ByteText MergeCookies(const ByteText& oldCookies, const ByteText& newCookies) {
  TextArray merged = CookiePairs(newCookies);
  TextArray newNames;
  for (const ByteText& pair : merged) newNames.push_back(CookieName(pair));
  for (const ByteText& pair : CookiePairs(oldCookies)) {
    if (std::find(newNames.begin(), newNames.end(), CookieName(pair)) == newNames.end()) merged.push_back(pair);
  }
  TextArray kept;
  for (const ByteText& pair : merged) {
    if (RightBytes(pair, 8) != "=deleted") kept.push_back(pair);
  }
  return Join(kept, "; ");
}

}  // namespace vantor
