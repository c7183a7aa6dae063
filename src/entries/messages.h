// SPDX-License-Identifier: GPL-3.0-or-later
// Message texts and titles shared by several commands, as GBK.
#pragma once

#include "entries/left_out_names.h"
#include "text/byte_text.h"

namespace vantor::messages {

ByteText DesktopRefusal();        // the long "keep important files off the desktop" text
ByteText NothingSelected();       // "什么都没有选择"
ByteText DropFilesFirst();        // "先拖入文件！"
ByteText ListIsEmpty();           // "列表框是空的！"
ByteText UnconvertiblePath();     // "路径含有无法识别的字符，无法处理"
ByteText NothingToUndo();         // "你都没改过，撤什么？"
// "有" + count + "个文件名不是UTF-8编码（可能是乱码），未列入列表：" + up to ten
// names (bad bytes as \xHH) joined by "、" + "\r\n可以用"高级"页的"修复乱码文件名"修复。"
ByteText UnconvertibleNames(const LeftOutNames& leftOut);

ByteText TitleHint();      // "提示"
ByteText TitleReminder();  // "提醒："

}  // namespace vantor::messages
