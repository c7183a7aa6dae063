// SPDX-License-Identifier: GPL-3.0-or-later
// Web addresses taken from the release page, which the program opens in the
// browser: only http and https ever leave the program.
#pragma once

#include <QString>
#include <QUrl>

namespace vantor {

// The first http or https address in text, ending at the first character that
// cannot stand in an address (a space, a quote, a Chinese character); an
// invalid QUrl when there is none or it has no host.
// WebAddressIn("：https://a.b/x 本人") == QUrl("https://a.b/x").
QUrl WebAddressIn(const QString& text);

// Opens the first web address in text with the default browser; false, and
// nothing opened, when there is none.
bool OpenWebAddress(const QString& text);

}  // namespace vantor
