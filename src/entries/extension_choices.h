// SPDX-License-Identifier: GPL-3.0-or-later
// The item lists of the four extension boxes, built from the built-in list of
// common extensions.
#pragma once

#include "text/byte_text.h"

namespace vantor {

// The 58 built-in extensions without dots, in their fixed order (mp4, txt, …).
const TextArray& BuiltInExtensions();

// The items a box gets when its drop-down opens with an empty text: the
// leading item (none when empty), then "." + each built-in extension.
TextArray ExtensionItemsInFull(const ByteText& leadingItem);

// The items that follow typed text: empty when typed is empty; otherwise the
// leading item, then the extensions containing typed (dots ignored, letters
// without regard to case) in list order, then all other extensions in list
// order, each as "." + extension. Typed "mp" puts .mp4 .mp3 .bmp .tmp .mpg
// .mpeg first.
TextArray ExtensionItemsFollowing(const ByteText& typed, const ByteText& leadingItem);

}  // namespace vantor
