// Message texts and titles shared by several commands, as GBK.
#pragma once

#include "text/byte_text.h"

namespace vantor::messages {

ByteText DesktopRefusal();        // the long "keep important files off the desktop" text
ByteText NothingSelected();       // "什么都没有选择"
ByteText DropFilesFirst();        // "先拖入文件！"
ByteText ListIsEmpty();           // "列表框是空的！"
ByteText UnconvertiblePath();     // "路径含有无法识别的字符，无法处理"
ByteText UnconvertibleNames(int count);  // "有" + count + "个文件名含有无法识别的字符，未列入列表"

ByteText TitleHint();      // "提示"
ByteText TitleReminder();  // "提醒："

}  // namespace vantor::messages
