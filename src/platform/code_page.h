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
std::optional<std::string> Utf8FromGbk(const ByteText& gbk);

// GBK of a text the program itself spells in its UTF-8 sources (messages,
// titles, markers). Such texts always convert; a text that does not is a
// programming error and aborts. Gbk("提示") == "\xCC\xE1\xCA\xBE".
ByteText Gbk(std::string_view utf8Literal);

// UTF-8 of a GBK text for display, replacing bytes that do not convert with
// U+FFFD. Never used to build a file name.
std::string Utf8ForDisplay(const ByteText& gbk);

}  // namespace vantor
