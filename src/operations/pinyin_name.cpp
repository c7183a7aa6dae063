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
  switch (settings.separator) {
    case PinyinSeparator::kNone: break;
    case PinyinSeparator::kSpace: style.separator = u" "; break;
    case PinyinSeparator::kDash: style.separator = u"-"; break;
    case PinyinSeparator::kUnderscore: style.separator = u"_"; break;
  }
  return style;
}

std::optional<ByteText> PinyinOfText(const ByteText& text, const PinyinStyle& style) {
  if (IsAsciiText(text)) return std::nullopt;
  std::u16string utf16(text.size(), u'\0');
  const std::optional<size_t> length = Utf16FromGbk(text, utf16.data());
  if (!length) return std::nullopt;
  utf16.resize(*length);
  if (!HoldsChinese(utf16)) return std::nullopt;
  return GbkFromUtf16(PinyinOf(utf16, style));
}

void RunPinyinName(const RunContext& context, const PinyinNameSettings& settings) {
  if (!PassGuards(context.prompter, context.list)) return;
  const PinyinStyle style = PinyinStyleOf(settings);
  RunPureRename(context, {}, KeepingExtension([&style](const ByteText& stem) { return PinyinOfText(stem, style); }));
}

}  // namespace vantor
