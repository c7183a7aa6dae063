// SPDX-License-Identifier: GPL-3.0-or-later
// Conversion between byte text (GB18030, with the GBK code of every character
// GBK holds) and the native encoding of file names (UTF-8 on Linux) or the
// UTF-16 of libraries. Inside the program every name is byte text; these are
// the only doors in and out. The names keep "Gbk": for text GBK holds the
// bytes are exactly GBK. Every Unicode scalar value has a code, and a
// conversion succeeds only when it is lossless: converting the result back
// gives exactly the input. Pure ASCII passes through unchanged. As in Windows
// code page 936, the single byte 0x80 is the euro sign: GbkFromUtf8("€") == "\x80".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/byte_text.h"

namespace vantor {

// Byte text of a UTF-8 text, or nullopt when the text is not valid UTF-8 or
// holds a NUL. GbkFromUtf8("中") == "\xD6\xD0";
// GbkFromUtf8("\xF0\x9F\x98\x80") == "\x94\x39\xFC\x36" (an emoji, four bytes).
std::optional<ByteText> GbkFromUtf8(std::string_view utf8);

// UTF-8 of a byte text, or nullopt when the bytes are not codes (a lone lead
// byte, an unassigned or cut four-byte code, a code that is not the one its
// character is written with, such as GB18030's other euro sign A2 E3) or hold
// a NUL. Utf8FromGbk("\xD6\xD0") == "中".
std::optional<std::string> Utf8FromGbk(std::string_view gbk);

// Byte text of a text the program itself spells in its UTF-8 sources
// (messages, titles, markers). Such texts always convert; a text that does not
// (invalid UTF-8) is a programming error and aborts. Gbk("提示") == "\xCC\xE1\xCA\xBE".
ByteText Gbk(std::string_view utf8Literal);

// For text handed to a library that works in UTF-16 (regular expressions):
// writes the UTF-16 of a byte text at out, which has room for gbk.size() code
// units (never more: a character beyond the Basic Multilingual Plane takes two
// units for its four bytes), and returns how many it wrote; nullopt under the
// rules of Utf8FromGbk.
// Utf16FromGbk("\xD6\xD0a", out) == 2 (u"中a").
std::optional<size_t> Utf16FromGbk(std::string_view gbk, char16_t* out);

// Byte text of a UTF-16 text, or nullopt when it holds a NUL or a lone
// surrogate. GbkFromUtf16(u"中a") == "\xD6\xD0a".
std::optional<ByteText> GbkFromUtf16(std::u16string_view text);

// UTF-8 of a byte text for display, replacing byte sequences that are no code
// with U+FFFD. Never used to build a file name.
std::string Utf8ForDisplay(const ByteText& gbk);

// Byte text of a native name for a message: its UTF-8 characters as they are
// and every byte that is not part of one written as \x and two capital hex
// digits. GbkShowingBadBytes("\xD6\xD0a.txt") == "\\xD6\\xD0a.txt" (the
// backslashes are text); GbkShowingBadBytes("中") == "\xD6\xD0".
ByteText GbkShowingBadBytes(std::string_view native);

}  // namespace vantor
