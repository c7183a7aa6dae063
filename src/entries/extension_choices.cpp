// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/extension_choices.h"

namespace vantor {

const TextArray& BuiltInExtensions() {
  static const TextArray extensions = SplitText(
      "mp4--txt--mp3--exe--xlsx--docx--pptx--jpg--png--pdf--zip--rar--7z--ico--psd--bmp--html--htm--js--"
      "css--avi--tmp--doc--xls--ppt--rtf--wps--arj--gz--gif--pic--tif--wav--aif--au--ram--wma--mmf--aac--"
      "flac--mpg--mov--swf--dll--ini--asm--obj--bas--java--bak--bat--cmd--dat--icn--iff--mpeg--chm--cpp",
      "--");
  return extensions;
}

TextArray ExtensionItemsInFull(const ByteText& leadingItem) {
  TextArray items;
  if (!leadingItem.empty()) items.push_back(leadingItem);
  for (const ByteText& extension : BuiltInExtensions()) items.push_back("." + extension);
  return items;
}

TextArray ExtensionItemsFollowing(const ByteText& typed, const ByteText& leadingItem) {
  TextArray items;
  if (typed.empty()) return items;
  const ByteText key = ReplaceText(typed, ".", "", std::nullopt, std::nullopt, kReplaceMatchingCase);
  if (!leadingItem.empty()) items.push_back(leadingItem);
  std::vector<bool> matched(BuiltInExtensions().size(), false);
  for (size_t i = 0; i < BuiltInExtensions().size(); ++i) {
    if (FindText(BuiltInExtensions()[i], key, std::nullopt, kFindIgnoringCase) > 0) {
      items.push_back("." + BuiltInExtensions()[i]);
      matched[i] = true;
    }
  }
  for (size_t i = 0; i < BuiltInExtensions().size(); ++i) {
    if (!matched[i]) items.push_back("." + BuiltInExtensions()[i]);
  }
  return items;
}

}  // namespace vantor
