// SPDX-License-Identifier: GPL-3.0-or-later
// "正则替换": replaces what a regular expression finds in each name, with $1…$9
// and ${name} standing for capture groups in the replacement.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <optional>
#include <vector>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct RegexReplaceSettings {
  InputText pattern;      // 编辑框_正则查找; must not be empty
  InputText replacement;  // 编辑框_正则替换为; may be empty
  bool caseSensitive = false;     // 选择框_正则区分大小写
  bool replaceAll = true;         // 选择框_正则全部替换; off: the first match only
  bool includeExtension = false;  // 选择框_正则含扩展名; off: the stem only
};

// The pattern compiled once per run (Unicode-aware, over the name as Unicode
// text) and the replacement split into literal pieces and group references.
// In the replacement "$$" is a dollar sign, "$0"…"$9" and "${name}" or
// "${12}" are capture groups (an unknown group gives nothing), and any other
// "$" is itself; "\1"…"\9" mean "$1"…"$9", "\\" is one backslash, and any
// other backslash is itself.
class CompiledRegexReplace {
 public:
  explicit CompiledRegexReplace(const RegexReplaceSettings& settings);

  bool Valid() const { return pattern_.isValid(); }
  // "正则表达式有误：" + the error + "（第" + 1-based position + "个字符）".
  ByteText Problem() const;

  // The text with the matches replaced, or nullopt when nothing matches, or
  // the text or the result has no GBK form. Reuses buffers of its own: one
  // object per thread.
  std::optional<ByteText> Apply(const ByteText& text) const;

 private:
  struct Piece {
    QString literal;
    int group = -1;  // a numbered group, or -1
    QString name;    // a named group, when not empty
  };
  // Appends the replacement for match, its group references filled in.
  void AppendExpansion(const QRegularExpressionMatch& match, QString& out) const;

  QRegularExpression pattern_;
  std::vector<Piece> replacement_;
  mutable QString subject_;
  mutable QString result_;
  bool replaceAll_ = true;
};

// The new name of one entry: the stem (or, with includeExtension, the whole
// name) rewritten; nullopt when it does not change.
// NewNameOfRegexReplace("IMG_1234", {"IMG_(\\d+)", "photo-$1"}) == "photo-1234".
std::optional<ByteText> NewNameOfRegexReplace(const ByteText& text, const CompiledRegexReplace& compiled);

// Guard 1, the pattern ("查找内容不能为空"), the replacement's GBK form, the
// pattern's validity, guards 2 and 3, then the rename course.
void RunRegexReplace(const RunContext& context, const RegexReplaceSettings& settings);

}  // namespace vantor
