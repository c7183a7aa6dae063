// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/name_file.h"

#include "platform/code_page.h"
#include "platform/read_whole_file.h"

namespace vantor {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Splits at CR LF, LF or a lone CR, trimming each line like a pasted name
// (leading spaces too); no element after a final break.
TextArray SplitLines(std::string_view text) {
  TextArray lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(TrimBoth(ByteText(text.substr(start, end - start))));
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

}  // namespace

bool IsWellFormedUtf8(std::string_view bytes) {
  size_t i = 0;
  const size_t size = bytes.size();
  while (i < size) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    int length = 0;
    unsigned char low = 0x80;  // bounds of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // overlong
      if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;   // overlong
      if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
      return false;
    }
    if (size - i < static_cast<size_t>(length)) return false;
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    if (second < low || second > high) return false;
    for (int k = 2; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::optional<TextArray> DecodeNameFile(std::string_view bytes) {
  if (bytes.size() > kMaxNameFileBytes) return std::nullopt;
  if (StartsWith(bytes, kUtf16LittleMark) || StartsWith(bytes, kUtf16BigMark)) return std::nullopt;
  if (bytes.find('\0') != std::string_view::npos) return std::nullopt;

  const bool marked = StartsWith(bytes, kUtf8Mark);
  if (marked) bytes.remove_prefix(kUtf8Mark.size());
  if (IsWellFormedUtf8(bytes)) {
    std::optional<ByteText> gbk = GbkFromUtf8(bytes);
    if (!gbk) return std::nullopt;
    return SplitLines(*gbk);
  }
  // A file that declares UTF-8 and breaks it is not guessed at.
  if (marked) return std::nullopt;
  const ByteText gbk(bytes);
  if (!Utf8FromGbk(gbk)) return std::nullopt;
  return SplitLines(gbk);
}

std::optional<TextArray> LoadNameFile(const std::string& nativePath) {
  const std::optional<std::string> bytes = ReadWholeFile(nativePath, kMaxNameFileBytes);
  if (!bytes) return std::nullopt;
  return DecodeNameFile(*bytes);
}

ByteText NameFileRefusal() { return Gbk("无法读取这个名单文件（只支持16MB以内的UTF-8或GBK文本）"); }

}  // namespace vantor
