// Qt strings at the window edge: GBK byte text to and from QString.
#pragma once

#include <QString>
#include <optional>

#include "text/byte_text.h"

namespace vantor {

// For display; bytes that are not valid GBK show as U+FFFD.
QString QStringFromGbk(const ByteText& text);

// GBK of a QString, or nullopt when some character has no exact GBK form.
std::optional<ByteText> GbkFromQString(const QString& text);

}  // namespace vantor
