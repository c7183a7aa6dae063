// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web_address.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace vantor {

QUrl WebAddressIn(const QString& text) {
  static const QRegularExpression address(QStringLiteral("https?://[A-Za-z0-9\\-._~:/?#\\[\\]@!$&()*+,;=%]+"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = address.match(text);
  if (!match.hasMatch()) return {};
  const QUrl url(match.captured(), QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
    return {};
  }
  return url;
}

bool OpenWebAddress(const QString& text) {
  const QUrl url = WebAddressIn(text);
  return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace vantor
