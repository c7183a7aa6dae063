// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/messages.h"

#include "platform/code_page.h"

namespace vantor::messages {

ByteText DesktopRefusal() {
  return Gbk(
      "为了督促大家养成良好的习惯，\r\n特做此设置！！！\r\n请不要把一些重要文件放在桌面，\r\n"
      "因为一旦日后你重装系统或者系统崩溃了，\r\n桌面的东西有可能丢失，\r\n请移动到其他盘符进行操作！");
}
ByteText NothingSelected() { return Gbk("什么都没有选择"); }
ByteText DropFilesFirst() { return Gbk("先拖入文件！"); }
ByteText ListIsEmpty() { return Gbk("列表框是空的！"); }
ByteText NothingToUndo() { return Gbk("你都没改过，撤什么？"); }
ByteText UnconvertiblePath() { return Gbk("路径含有无法识别的字符，无法处理"); }
ByteText UnconvertibleNames(const LeftOutNames& leftOut) {
  ByteText text = Gbk("有") + ToText(leftOut.count) + Gbk("个文件名不是UTF-8编码（可能是乱码），未列入列表：");
  for (size_t i = 0; i < leftOut.shown.size(); ++i) {
    if (i > 0) text += Gbk("、");
    text += GbkShowingBadBytes(leftOut.shown[i]);
  }
  return text + Gbk("\r\n可以用\"高级\"页的\"修复乱码文件名\"修复。");
}
ByteText TitleHint() { return Gbk("提示"); }
ByteText TitleReminder() { return Gbk("提醒："); }

}  // namespace vantor::messages
