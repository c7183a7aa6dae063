// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/pinyin_name.h"

#include <vector>

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

PinyinStyle PinyinStyleOf(const PinyinNameSettings& settings) {
  PinyinStyle style;
  style.way = settings.way;
  style.capitals = settings.capitals;
  char16_t separator = 0;
  switch (settings.separator) {
    case PinyinSeparator::kNone: break;
    case PinyinSeparator::kSpace: separator = u' '; break;
    case PinyinSeparator::kDash: separator = u'-'; break;
    case PinyinSeparator::kUnderscore: separator = u'_'; break;
  }
  // One character assigned, not a literal: GCC 12 warns falsely (-Wrestrict,
  // bug 105651) at a short literal assigned to a std::u16string.
  if (separator != 0) style.separator.assign(1, separator);
  return style;
}

std::optional<ByteText> PinyinOfText(const ByteText& text, const PinyinStyle& style) {
  if (IsAsciiText(text)) return std::nullopt;
  std::u16string utf16(text.size(), u'\0');
  const std::optional<size_t> length = Utf16FromGbk(text, utf16.data());
  if (!length) return std::nullopt;
  utf16.resize(*length);
  std::u16string pinyin = PinyinOf(utf16, style);
  if (pinyin == utf16) return std::nullopt;  // no Chinese in it
  return GbkFromUtf16(pinyin);
}

void RunPinyinName(const RunContext& context, const PinyinNameSettings& settings) {
  if (!PassGuards(context.prompter, context.list)) return;
  const PinyinStyle style = PinyinStyleOf(settings);
  RunPureRename(context, {}, KeepingExtension([&style](const ByteText& stem) { return PinyinOfText(stem, style); }));
}

}  // namespace vantor
