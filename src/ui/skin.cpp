// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <algorithm>

namespace vantor {

const SkinResource& BuiltInSkin() {
  static const SkinResource skin{
      QColor(0xEE, 0xF3, 0xFA),  // window
      QColor(0xFF, 0xFF, 0xFF),  // base
      QColor(0xF4, 0xF8, 0xFD),  // alternate base
      QColor(0x1F, 0x2A, 0x3A),  // text
      QColor(0xDC, 0xE7, 0xF5),  // button
      QColor(0x1F, 0x2A, 0x3A),  // button text
      QColor(0x3A, 0x7B, 0xD5),  // highlight
      QColor(0xFF, 0xFF, 0xFF),  // highlighted text
  };
  return skin;
}

QColor AdjustColour(const QColor& colour, int hue, int saturation) {
  if (hue == 0 && saturation == 0) return colour;
  float h = 0, s = 0, l = 0, a = 0;
  colour.getHslF(&h, &s, &l, &a);
  if (h >= 0) {  // achromatic colours have no hue to shift
    h += static_cast<float>(hue) / 360.0f;
    while (h < 0) h += 1.0f;
    while (h >= 1.0f) h -= 1.0f;
  }
  s = std::clamp(s * (1.0f + static_cast<float>(saturation) / 100.0f), 0.0f, 1.0f);
  return QColor::fromHslF(h < 0 ? 0 : h, s, l, a);
}

bool ApplySkin(const SkinResource& resource, int hue, int saturation) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr) return false;
  static bool styleLoaded = false;
  if (!styleLoaded) {
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(style);
    styleLoaded = true;
  }
  hue = std::clamp(hue, -180, 180);
  saturation = std::clamp(saturation, -100, 100);
  auto tint = [&](const QColor& colour) { return AdjustColour(colour, hue, saturation); };

  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Window, tint(resource.window));
  palette.setColor(QPalette::Base, tint(resource.base));
  palette.setColor(QPalette::AlternateBase, tint(resource.alternateBase));
  palette.setColor(QPalette::WindowText, tint(resource.text));
  palette.setColor(QPalette::Text, tint(resource.text));
  palette.setColor(QPalette::Button, tint(resource.button));
  palette.setColor(QPalette::ButtonText, tint(resource.buttonText));
  palette.setColor(QPalette::Highlight, tint(resource.highlight));
  palette.setColor(QPalette::HighlightedText, tint(resource.highlightedText));
  QApplication::setPalette(palette);
  return true;
}

}  // namespace vantor
