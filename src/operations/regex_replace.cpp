// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/regex_replace.h"

#include <memory>

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

namespace {

QString QStringOfGbk(const ByteText& text) {
  const std::optional<std::string> utf8 = Utf8FromGbk(text);
  return utf8 ? QString::fromStdString(*utf8) : QString();
}

bool IsGroupNameCharacter(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

}  // namespace

CompiledRegexReplace::CompiledRegexReplace(const RegexReplaceSettings& settings)
    : replaceAll_(settings.replaceAll) {
  QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
  if (!settings.caseSensitive) options |= QRegularExpression::CaseInsensitiveOption;
  pattern_ = QRegularExpression(QStringOfGbk(TextOrEmpty(settings.pattern)), options);

  const QString replacement = QStringOfGbk(TextOrEmpty(settings.replacement));
  QString literal;
  for (qsizetype i = 0; i < replacement.size(); ++i) {
    const QChar c = replacement[i];
    const QChar next = i + 1 < replacement.size() ? replacement[i + 1] : QChar();
    if (c == QLatin1Char('\\') && next >= QLatin1Char('1') && next <= QLatin1Char('9')) {
      // \1 … \9 as sed and Perl write them.
      replacement_.push_back({literal, next.digitValue(), {}});
      literal.clear();
      ++i;
    } else if (c == QLatin1Char('\\') && next == QLatin1Char('\\')) {
      literal += c;
      ++i;
    } else if (c != QLatin1Char('$')) {
      literal += c;
    } else if (next == QLatin1Char('$')) {
      literal += c;
      ++i;
    } else if (next.isDigit() && next.unicode() < 0x80) {
      replacement_.push_back({literal, next.digitValue(), {}});
      literal.clear();
      ++i;
    } else if (next == QLatin1Char('{')) {
      const qsizetype close = replacement.indexOf(QLatin1Char('}'), i + 2);
      const QString name = close < 0 ? QString() : replacement.mid(i + 2, close - i - 2);
      const bool plainName = !name.isEmpty() && std::all_of(name.begin(), name.end(), IsGroupNameCharacter);
      if (!plainName) {
        literal += c;
        continue;
      }
      bool numeric = false;
      const int number = name.toInt(&numeric);
      replacement_.push_back({literal, numeric ? number : -1, numeric ? QString() : name});
      literal.clear();
      i = close;
    } else {
      literal += c;
    }
  }
  replacement_.push_back({literal, -1, {}});
}

ByteText CompiledRegexReplace::Problem() const {
  const std::optional<ByteText> error = GbkFromUtf8(pattern_.errorString().toStdString());
  return Gbk("正则表达式有误：") + error.value_or(ByteText()) + Gbk("（第") +
         ToText(static_cast<int32_t>(pattern_.patternErrorOffset() + 1)) + Gbk("个字符）");
}

void CompiledRegexReplace::AppendExpansion(const QRegularExpressionMatch& match, QString& out) const {
  for (const Piece& piece : replacement_) {
    out += piece.literal;
    if (!piece.name.isEmpty()) {
      out += match.capturedView(piece.name);
    } else if (piece.group >= 0) {
      out += match.capturedView(piece.group);
    }
  }
}

std::optional<ByteText> CompiledRegexReplace::Apply(const ByteText& text) const {
  if (!Valid()) return std::nullopt;
  // The subject and the result reuse their buffers from name to name.
  subject_.resize(static_cast<qsizetype>(text.size()));
  const std::optional<size_t> units = Utf16FromGbk(text, reinterpret_cast<char16_t*>(subject_.data()));
  if (!units) return std::nullopt;
  subject_.resize(static_cast<qsizetype>(*units));
  result_.resize(0);
  qsizetype copiedUpTo = 0;
  bool matched = false;
  {
    QRegularExpressionMatchIterator matches = pattern_.globalMatch(subject_);
    while (matches.hasNext()) {
      const QRegularExpressionMatch match = matches.next();
      matched = true;
      result_ += QStringView(subject_).mid(copiedUpTo, match.capturedStart() - copiedUpTo);
      AppendExpansion(match, result_);
      copiedUpTo = match.capturedEnd();
      if (!replaceAll_) break;
    }
  }
  if (!matched) return std::nullopt;
  result_ += QStringView(subject_).mid(copiedUpTo);
  return GbkFromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(result_.utf16()),
                                          static_cast<size_t>(result_.size())));
}

std::optional<ByteText> NewNameOfRegexReplace(const ByteText& text, const CompiledRegexReplace& compiled) {
  std::optional<ByteText> changed = compiled.Apply(text);
  if (!changed || *changed == text) return std::nullopt;
  return changed;
}

void RunRegexReplace(const RunContext& context, const RegexReplaceSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!CheckEntryDirectoryPresent(prompter, context.list)) return;
  if (!RequireText(prompter, settings.pattern, "查找内容不能为空")) return;
  if (!RequireGbkForm(prompter, settings.replacement)) return;
  const CompiledRegexReplace compiled(settings);
  if (!compiled.Valid()) {
    prompter.Inform(compiled.Problem(), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  if (!CheckEntryDirectoryUsable(prompter, context.list)) return;
  // A compiled expression per thread: the names are computed on every core.
  const RenameRunOptions options;
  RenamePlan plan = PlanRenamesOnAllCores(context, options, [&settings]() -> NewNameRule {
    auto compiled = std::make_shared<const CompiledRegexReplace>(settings);
    return [compiled, &settings](const RenameEntryView& entry) -> std::optional<ByteText> {
      if (settings.includeExtension || entry.folder) return NewNameOfRegexReplace(entry.name, *compiled);
      std::optional<ByteText> stem = NewNameOfRegexReplace(entry.stem, *compiled);
      if (!stem) return std::nullopt;
      return *stem + entry.extension;
    };
  });
  CarryOutPlan(context, options, std::move(plan));
}

}  // namespace vantor
