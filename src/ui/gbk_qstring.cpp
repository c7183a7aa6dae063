// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gbk_qstring.h"

#include "platform/code_page.h"

namespace vantor {

QString QStringFromGbk(const ByteText& text) { return QString::fromStdString(Utf8ForDisplay(text)); }

std::optional<ByteText> GbkFromQString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  // toUtf8 turns unpaired surrogates into U+FFFD; such a text must not pass.
  if (QString::fromUtf8(utf8) != text) return std::nullopt;
  return GbkFromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

}  // namespace vantor
