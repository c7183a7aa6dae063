// Conversion between GBK (code page 936) byte text and the native encoding of
// file names (UTF-8 on Linux). Inside the program every name is GBK; these are
// the only doors in and out. A conversion succeeds only when it is lossless:
// converting the result back gives exactly the input. Pure ASCII passes through
// unchanged without calling iconv. As in Windows code page 936, the single byte
// 0x80 is the euro sign: GbkFromUtf8("€") == "\x80".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/byte_text.h"

namespace vantor {

// GBK bytes of a UTF-8 text, or nullopt when the text is not valid UTF-8, holds
// a NUL, or has a character GBK cannot hold (so that it would not round-trip).
// GbkFromUtf8("中") == "\xD6\xD0"; GbkFromUtf8("\xF0\x9F\x98\x80") == nullopt.
std::optional<ByteText> GbkFromUtf8(std::string_view utf8);

// UTF-8 of a GBK text, or nullopt when the bytes are not valid GBK (a lone lead
// byte, an unassigned code) or hold a NUL. Utf8FromGbk("\xD6\xD0") == "中".
std::optional<std::string> Utf8FromGbk(std::string_view gbk);

// GBK of a text the program itself spells in its UTF-8 sources (messages,
// titles, markers). Such texts always convert; a text that does not is a
// programming error and aborts. Gbk("提示") == "\xCC\xE1\xCA\xBE".
ByteText Gbk(std::string_view utf8Literal);

// For text handed to a library that works in UTF-16 (regular expressions):
// writes the UTF-16 of a GBK text at out, which has room for gbk.size() code
// units (GBK holds only the Basic Multilingual Plane, so never more), and
// returns how many it wrote; nullopt under the rules of Utf8FromGbk.
// Utf16FromGbk("\xD6\xD0a", out) == 2 (u"中a").
std::optional<size_t> Utf16FromGbk(std::string_view gbk, char16_t* out);

// GBK of a UTF-16 text, or nullopt when it holds a NUL, a lone surrogate or
// a character GBK cannot hold. GbkFromUtf16(u"中a") == "\xD6\xD0a".
std::optional<ByteText> GbkFromUtf16(std::u16string_view text);

// UTF-8 of a GBK text for display, replacing bytes that do not convert with
// U+FFFD. Never used to build a file name.
std::string Utf8ForDisplay(const ByteText& gbk);

}  // namespace vantor
