// SPDX-License-Identifier: GPL-3.0-or-later
// What "删掉N次" and "替换" share: replacing a counted number of occurrences
// of a text, counted from the left or from the right, and the length limit a
// result must keep to be a file name.
#pragma once

#include <optional>

#include "text/byte_text.h"

namespace vantor {

// Where occurrences are counted from; kNowhere when no direction is chosen.
enum class CountFrom { kNowhere, kLeft, kRight };

// text with its first (kLeft) or last (kRight) count occurrences of search
// replaced by replacement; a negative count means all. Each next search starts
// beyond the previous hit in the original text (from the left) or left of it
// (from the right), so text formed by a replacement is never matched again.
// Case-sensitive, on character boundaries. nullopt when search is empty or
// does not occur, count is 0, or from is kNowhere.
// ReplaceCounted("a-b-c-d", "-", "+", 2, CountFrom::kRight) == "a-b+c+d".
std::optional<ByteText> ReplaceCounted(const ByteText& text, const ByteText& search, const ByteText& replacement,
                                       int count, CountFrom from);

// The longest file name, in bytes of the file system's encoding.
inline constexpr int kMaxNativeNameBytes = 255;

// True when name, in the file system's encoding, is at most 255 bytes long;
// false for a name that has no such form.
// FitsNativeNameLength(ByteText(255, 'a')) == true; FitsNativeNameLength(ByteText(256, 'a')) == false.
bool FitsNativeNameLength(const ByteText& name);

}  // namespace vantor
