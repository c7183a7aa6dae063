// SPDX-License-Identifier: GPL-3.0-or-later
// "一键删除": deletes the stretch between a left and a right delimiter from each
// name, with or without the delimiters; and the symbol width switch that
// rewrites the group's input texts between half-width and full-width symbols.
#pragma once

#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct DeleteBetweenSettings {
  InputText left;   // 编辑框2, the left delimiter D1; must not be empty
  InputText right;  // 编辑框3, the right delimiter D2; must not be empty
  bool leftFirst = true;    // 选择框_1头: the first D1
  bool leftLast = false;    // 选择框_1尾: the last D1
  bool rightFirst = true;   // 选择框_2头: the first D2 after D1
  bool rightLast = false;   // 选择框_2尾: the last D2
  bool withDelimiters = true;  // 选择框6: the delimiters go too
};

// The stem without the stretch between D1 and D2 (and without them when
// withDelimiters), or nullopt when a delimiter is missing, the result is empty
// or nothing changes. The occurrences: (first, first) takes the first D2 after
// the first D1; (first, last) the last D2, which must start after the first D1
// ends; (last, first) the first D2 after the last D1; (last, last) the last D1
// that ends before the last D2. Without a complete pair of boxes, (first, first).
// Searches are case-sensitive and step over double-byte characters.
// NewNameOfDeleteBetween("abc好abcdefghijklmn的bac", {"好", "的", .withDelimiters = false}) == "abc好的bac".
std::optional<ByteText> NewNameOfDeleteBetween(const ByteText& stem, const DeleteBetweenSettings& settings);

// The choice of 组合框1.
enum class SymbolWidth { kHalf, kFull };

// The width an item of 组合框1 stands for: "中文符号" full, "英文符号" and
// "B站括号" half; nullopt for any other text.
std::optional<SymbolWidth> SymbolWidthOf(const ByteText& item);

// Text with the six symbols ，。（）【】 turned into , . ( ) [ ] (kHalf) or the
// reverse (kFull); other symbols stay. SwitchSymbolWidth("【a】", kHalf) == "[a]".
ByteText SwitchSymbolWidth(const ByteText& text, SymbolWidth width);

// Guard 1, the two delimiters, guards 2 and 3; then, on the rows: an empty
// file list is refused, no change at all gets "找不到需要改的文件名", and the
// question names the count of the names that will change.
void RunDeleteBetween(const RunContext& context, const DeleteBetweenSettings& settings);

}  // namespace vantor
