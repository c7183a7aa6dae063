// SPDX-License-Identifier: GPL-3.0-or-later
// Name files: text files of new names, one per line, dropped on the mapping
// window. They come in UTF-8 (with or without a byte-order mark) or GBK, with
// CR LF, LF or CR line breaks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/byte_text.h"

namespace vantor {

inline constexpr std::size_t kMaxNameFileBytes = 16u << 20;  // 16 MiB

// True when bytes are well-formed UTF-8: no stray continuation byte, no
// truncated, overlong or surrogate sequence, nothing above U+10FFFF. Every
// ASCII byte is allowed. IsWellFormedUtf8("a\r\n中") holds for the UTF-8 of 中;
// IsWellFormedUtf8("\xC0\xAF") == false.
bool IsWellFormedUtf8(std::string_view bytes);

// The lines of a name file as GBK, or nullopt when the file is refused: larger
// than kMaxNameFileBytes, starting with a UTF-16 byte-order mark, holding a NUL
// byte, or neither UTF-8 (whose every character GBK can hold) nor valid GBK.
// A UTF-8 byte-order mark is dropped. Well-formed UTF-8 is taken as UTF-8 even
// where it would also be valid GBK. Lines end at CR LF, at a lone LF or at a
// lone CR; a final line break adds no empty line; an empty file has no lines;
// empty lines inside stay (they leave their row's new name empty). Leading and
// trailing half- and full-width spaces of each line go, as nobody means a
// name to start or end with one.
// DecodeNameFile("a.txt\r\n b \rc") == TextArray{"a.txt", "b", "c"}.
std::optional<TextArray> DecodeNameFile(std::string_view bytes);

// Reads and decodes the name file at nativePath; nullopt when it cannot be
// read or is refused as above.
std::optional<TextArray> LoadNameFile(const std::string& nativePath);

// "无法读取这个名单文件（只支持16MB以内的UTF-8或GBK文本）", shown under "提醒："
// whenever a name file is refused.
ByteText NameFileRefusal();

}  // namespace vantor
