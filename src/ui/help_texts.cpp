// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_texts.h"

#include <string_view>

namespace vantor {
namespace {

struct HelpEntry {
  std::string_view button;
  std::string_view text;  // UTF-8; line breaks are CR LF
};

// The groups the buttons belong to: 按钮2 删除序号, 按钮3 加序号, 按钮4 1替换成01,
// 按钮5 数字编号后面加符号, 按钮6 扩展名后面加, 按钮7 替换, 按钮8 删除中间的内容.
constexpr HelpEntry kHelpTexts[] = {
    {"按钮2",
     "框内只能填写数字，如果不填写多少位的话，就没有任何长度限制，比如下面两个标题：\r\n"
     "\"初级教程如何设置关闭windows defender的第10个步骤\"\r\n"
     "\"初级教程02如何设置关闭windows defender的第10个步骤\"\r\n"
     "如果只想删除第二个标题中的02，而不想删除第一个标题中的\"10\"那么就数一下他大概在第几位字符以内，一个中文算2位字符，那么就是在10位以内，所以括号内可以填写\"10\"或者\"12\""},
    {"按钮3",
     "起始序号如果空着默认从\"1\"开始，如果填写\"15\"，那么就是从\"15\"开始，依此类推！\r\n"
     "\"每次递增\" 是填数字的，默认是\"1\"，即每次从起始数字递增1，\r\n"
     "例如：\r\n"
     "01、XXXXXX\r\n"
     "02、XXXXXX\r\n"
     "如果\"每次递增\" 填\"2\"，那么就会是：\r\n"
     "01、XXXXXX\r\n"
     "03、XXXXXX\r\n"
     "\r\n"
     "如果不知道改完后会发生什么，请打开预览功能，\r\n"
     "可以提前预览改名后的效果，确认无误后再执行！\r\n"
     "熟练之后不再需要预览！"},
    {"按钮4",
     "当文件数≤99的时候，\r\n"
     "把序号里面的\"1\"给换成\"01\"，\r\n"
     "文件数量≥100个的时候，\r\n"
     "\"1\"就给换成\"001\"，\r\n"
     "如果不知道会发生什么，请打开预览功能，\r\n"
     "这样就可以提前预览改完之后的效果!"},
    {"按钮5",
     "这个是给数字序号后面加一个符号，\r\n"
     "比如\"、\"，再比如\"-\"，\r\n"
     "具体加什么可以自己填写，\r\n"
     "也可以不是符号，填汉字或者英文字母也行，\r\n"
     "\r\n"
     "修改前：01开始了解ps的界面\r\n"
     "修改后：01、开始了解ps的界面"},
    {"按钮6",
     "用于给没有扩展名的文件补上扩展名，\r\n"
     "使用概率不高，但是一旦需要，\r\n"
     "会非常有效率！"},
    {"按钮7",
     "\"只改数字后符号\"意思是只修改数字序号后面的符号，只修改前几位的符号，\r\n"
     "一般是用来修改比如：  \"-\"替换成\"、\"\r\n"
     "\r\n"
     "修改前：01-公司办公文档\r\n"
     "修改后：01、公司办公文档\r\n"
     "\r\n"
     "\"不限制\"则是没有长度限制，但是也不会影响到扩展名。\r\n"
     "大家可以放心使用，如果不清楚改完会是什么样，\r\n"
     "请打开预览功能，提前预览改完后的效果。"},
    {"按钮8",
     "删除中间的内容\r\n"
     "\r\n"
     "此功能和你第一影响的理解应该一样，\r\n"
     "就是删除两个文本之间，中间的这块，\r\n"
     "举例：下面这段文本\r\n"
     "\"abc好abcdefghijklmn的bac\"\r\n"
     "\r\n"
     "要删除\"好\"和？\"的\"中间的内容，而两边的则保留下来，\r\n"
     "那么你只需要在前面的框中填\"好\"，后面的框中填\"的\"\r\n"
     "\r\n"
     "\r\n"
     "如果你需要连\"好\"和\"的\"这两个字也要删除，\r\n"
     "那么你只需要勾选\"框里内容一起删\"即可！"},
};

}  // namespace

QString HelpTextOf(const QString& helpButtonName) {
  const QByteArray name = helpButtonName.toUtf8();
  for (const HelpEntry& entry : kHelpTexts) {
    if (std::string_view(name.constData(), static_cast<size_t>(name.size())) == entry.button) {
      return QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size()));
    }
  }
  return {};
}

}  // namespace vantor
