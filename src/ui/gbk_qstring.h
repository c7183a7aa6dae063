// SPDX-License-Identifier: GPL-3.0-or-later
// Qt strings at the window edge: byte text (GB18030, GBK where GBK has the
// character) to and from QString.
#pragma once

#include <QString>
#include <optional>

#include "text/byte_text.h"

namespace vantor {

// For display; bytes that are no code show as U+FFFD.
QString QStringFromGbk(const ByteText& text);

// Byte text of a QString; every character has one, so nullopt only for a lone
// surrogate or a NUL. GbkFromQString("한") == "\x83\x36\x84\x33".
std::optional<ByteText> GbkFromQString(const QString& text);

}  // namespace vantor
