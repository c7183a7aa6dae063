// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own look: a palette and style built into the program, tinted
// by a hue shift and a saturation change.
#pragma once

#include <QColor>
#include <vector>

class QApplication;

namespace vantor {

// The colours of the designed look, one per palette role the skin sets.
struct SkinResource {
  QColor window;
  QColor base;
  QColor alternateBase;
  QColor text;
  QColor button;
  QColor buttonText;
  QColor highlight;
  QColor highlightedText;
};

// The skin the program carries.
const SkinResource& BuiltInSkin();

// Applies resource to the whole application: hue shifted by hue degrees
// (clamped to -180..180), saturation changed by saturation percent (clamped to
// -100..100); 0, 0 gives the designed look. The style is set up on the first
// call only. Returns false when the skin cannot be applied (no application).
bool ApplySkin(const SkinResource& resource, int hue, int saturation);

// A colour of the skin after the same adjustment; exposed for tests.
QColor AdjustColour(const QColor& colour, int hue, int saturation);

}  // namespace vantor
