// SPDX-License-Identifier: GPL-3.0-or-later
// "转拼音": the Chinese in names written as pinyin (the stem of files, the
// whole name of folders); everything else in the name stays as it is.
// 晴天.mp3 -> qingtian.mp3 (全拼), QT.mp3 (首字母, capitals).
#pragma once

#include <optional>

#include "pipeline/run_context.h"
#include "text/pinyin.h"

namespace vantor {

enum class PinyinSeparator { kNone, kSpace, kDash, kUnderscore };  // "无", "空格", "-", "_"

struct PinyinNameSettings {
  PinyinWay way = PinyinWay::kFull;                    // 组合框_拼音方式
  PinyinSeparator separator = PinyinSeparator::kNone;  // 组合框_拼音分隔
  bool capitals = false;                               // 选择框_拼音首字母大写
};

// The style a setting stands for: the separator as text.
PinyinStyle PinyinStyleOf(const PinyinNameSettings& settings);

// Byte text with its Chinese as pinyin in style; nullopt when it holds no
// Chinese (nothing to write) or does not convert.
// PinyinOfText(Gbk("第1集 晴天"), {PinyinWay::kFull, u"", false}) == Gbk("di1ji qingtian").
std::optional<ByteText> PinyinOfText(const ByteText& text, const PinyinStyle& style);

// Guards 1 to 3, then the rename course; names without Chinese keep theirs.
void RunPinyinName(const RunContext& context, const PinyinNameSettings& settings);

}  // namespace vantor
