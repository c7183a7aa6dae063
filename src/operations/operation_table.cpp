// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/operation_table.h"

#include <QJsonValue>
#include <initializer_list>
#include <utility>

#include "operations/append_at_end.h"
#include "operations/change_extension.h"
#include "operations/chinese_script.h"
#include "operations/delete_beside_marker.h"
#include "operations/delete_between.h"
#include "operations/delete_times.h"
#include "operations/digits_to_numerals.h"
#include "operations/insert_at_anchor.h"
#include "operations/letter_case.h"
#include "operations/name_template.h"
#include "operations/numerals_to_digits.h"
#include "operations/pad_first_number.h"
#include "operations/photo_date_name.h"
#include "operations/pinyin_name.h"
#include "operations/regex_replace.h"
#include "operations/remove_first_number.h"
#include "operations/replace_times.h"
#include "operations/sequence_numbers.h"
#include "operations/symbol_after_number.h"
#include "operations/text_after_extension.h"
#include "operations/text_in_front.h"
#include "operations/video_tag.h"
#include "platform/code_page.h"

namespace vantor {

namespace {

template <typename E>
using Choices = std::initializer_list<std::pair<const char*, E>>;

// The three visitors a row's field description is run with: one writes JSON,
// one reads it, one lists the fields.
class JsonWriter {
 public:
  void Text(const char* key, const InputText& text) {
    json_[key] = text ? QJsonValue(QString::fromStdString(Utf8FromGbk(*text).value_or(std::string())))
                      : QJsonValue(QJsonValue::Null);
  }
  void Flag(const char* key, const bool& flag) { json_[key] = flag; }
  template <typename E>
  void Choice(const char* key, const E& value, Choices<E> choices) {
    for (const auto& [name, choice] : choices) {
      if (choice == value) json_[key] = name;
    }
  }
  QJsonObject Take() { return std::move(json_); }

 private:
  QJsonObject json_;
};

class JsonReader {
 public:
  explicit JsonReader(const QJsonObject& json) : json_(json) {}

  void Text(const char* key, InputText& text) {
    const QJsonValue value = Field(key);
    if (value.isNull()) {
      text.reset();
    } else if (value.isString()) {
      text = GbkFromUtf8(value.toString().toStdString());
    } else if (!value.isUndefined()) {
      Bad(key);
    }
  }
  void Flag(const char* key, bool& flag) {
    const QJsonValue value = Field(key);
    if (value.isBool()) {
      flag = value.toBool();
    } else if (!value.isUndefined()) {
      Bad(key);
    }
  }
  template <typename E>
  void Choice(const char* key, E& value, Choices<E> choices) {
    const QJsonValue field = Field(key);
    if (field.isUndefined()) return;
    for (const auto& [name, choice] : choices) {
      if (field.isString() && field.toString() == QLatin1String(name)) {
        value = choice;
        return;
      }
    }
    Bad(key);
  }
  const std::string& Problem() const { return problem_; }

 private:
  // The field's value; undefined (and the problem noted) when it is missing.
  QJsonValue Field(const char* key) {
    if (!problem_.empty()) return QJsonValue(QJsonValue::Undefined);
    if (!json_.contains(QLatin1String(key))) {
      problem_ = std::string("缺少设置项“") + key + "”";
      return QJsonValue(QJsonValue::Undefined);
    }
    return json_.value(QLatin1String(key));
  }
  void Bad(const char* key) {
    if (problem_.empty()) problem_ = std::string("设置项“") + key + "”的值不对";
  }

  const QJsonObject& json_;
  std::string problem_;
};

class FieldLister {
 public:
  void Text(const char* key, const InputText&) { fields_.push_back({key, SettingsField::Type::kText, {}}); }
  void Flag(const char* key, const bool&) { fields_.push_back({key, SettingsField::Type::kFlag, {}}); }
  template <typename E>
  void Choice(const char* key, const E&, Choices<E> choices) {
    SettingsField field{key, SettingsField::Type::kChoice, {}};
    for (const auto& choice : choices) field.choices.push_back(choice.first);
    fields_.push_back(std::move(field));
  }
  std::vector<SettingsField> Take() { return std::move(fields_); }

 private:
  std::vector<SettingsField> fields_;
};

using ShownText = std::optional<ByteText>;

// A row: describe(fields, settings) names each field of S once; the three
// visitors above turn that into the JSON functions and the field list.
template <typename S, typename Run, typename Describe>
OperationKind Row(const char* id, const char* caption, Run run, Describe describe, bool previewStep = true) {
  OperationKind kind;
  kind.id = id;
  kind.caption = caption;
  kind.previewStep = previewStep;
  FieldLister lister;
  S defaults;
  describe(lister, defaults);
  kind.fields = lister.Take();
  kind.defaultSettings = defaults;
  kind.toJson = [describe](const std::any& settings) {
    JsonWriter writer;
    S copy = std::any_cast<const S&>(settings);
    describe(writer, copy);
    return writer.Take();
  };
  kind.fromJson = [describe](const QJsonObject& json, std::string& problem) -> std::any {
    JsonReader reader(json);
    S settings;
    describe(reader, settings);
    problem = reader.Problem();
    if (!problem.empty()) return {};
    return settings;
  };
  kind.run = [run](const RunContext& context, const std::any& settings) -> ShownText {
    // Only the selected rows, and none selected: no operation runs.
    if (RefuseNoRowChosen(context.rows, context.prompter)) return std::nullopt;
    const S& typed = std::any_cast<const S&>(settings);
    if constexpr (std::is_same_v<decltype(run(context, typed)), void>) {
      run(context, typed);
      return std::nullopt;
    } else {
      return run(context, typed);
    }
  };
  return kind;
}

// Settings of an operation that has none.
struct NoSettings {};
const auto kNoFields = [](auto&, auto&) {};

const Choices<Occurrence> kOccurrences{
    {"none", Occurrence::kNone}, {"first", Occurrence::kFirst}, {"last", Occurrence::kLast}};
const Choices<CountFrom> kCountFrom{
    {"nowhere", CountFrom::kNowhere}, {"left", CountFrom::kLeft}, {"right", CountFrom::kRight}};

// Cutting before or after a marker are two operations of one run.
template <MarkerSide side>
void RunDeleteAtSide(const RunContext& context, const DeleteBesideMarkerSettings& settings) {
  DeleteBesideMarkerSettings sided = settings;
  sided.side = side;
  RunDeleteBesideMarker(context, sided);
}
const auto kBesideMarkerFields = [](auto& f, auto& s) {
  f.Text("marker", s.marker);
  f.Choice("occurrence", s.occurrence, kOccurrences);
  f.Flag("remove_marker", s.removeMarker);
};

std::vector<OperationKind> BuildTable() {
  std::vector<OperationKind> table;
  // clang-format off
  table.push_back(Row<DeleteBetweenSettings>("delete_between", "删除中间的内容", RunDeleteBetween, [](auto& f, auto& s) {
    f.Text("left", s.left); f.Text("right", s.right);
    f.Flag("left_first", s.leftFirst); f.Flag("left_last", s.leftLast);
    f.Flag("right_first", s.rightFirst); f.Flag("right_last", s.rightLast);
    f.Flag("with_delimiters", s.withDelimiters);
  }));
  table.push_back(Row<DeleteBesideMarkerSettings>("delete_before_marker", "删除左边全部", RunDeleteAtSide<MarkerSide::kBefore>, kBesideMarkerFields));
  table.push_back(Row<DeleteBesideMarkerSettings>("delete_after_marker", "删除右边全部", RunDeleteAtSide<MarkerSide::kAfter>, kBesideMarkerFields));
  table.push_back(Row<DeleteTimesSettings>("delete_times", "删掉", RunDeleteTimes, [](auto& f, auto& s) {
    f.Text("text", s.text); f.Text("count", s.count); f.Choice("from", s.from, kCountFrom);
  }));
  table.push_back(Row<ReplaceTimesSettings>("replace_times", "替换", RunReplaceTimes, [](auto& f, auto& s) {
    f.Text("search", s.search); f.Text("replacement", s.replacement); f.Text("count", s.count);
    f.Choice("scope", s.scope, Choices<ReplaceScope>{{"none", ReplaceScope::kNone}, {"near_front", ReplaceScope::kNearFront},
                                                     {"unrestricted", ReplaceScope::kUnrestricted}});
    f.Choice("from", s.from, kCountFrom);
  }));
  table.push_back(Row<ChineseScriptSettings>("chinese_script", "繁简体之间的转换", RunChineseScript, [](auto& f, auto& s) {
    f.Choice("target", s.target, Choices<ChineseScript>{{"simplified", ChineseScript::kSimplified},
                                                        {"traditional", ChineseScript::kTraditional}});
  }));
  table.push_back(Row<NoSettings>("pad_first_number", "1替换成01", [](const RunContext& c, const NoSettings&) { RunPadFirstNumber(c); }, kNoFields));
  table.push_back(Row<ChangeExtensionSettings>("change_extension", "批量修改扩展名", RunChangeExtension, [](auto& f, auto& s) {
    f.Text("extension", s.extension);
  }));
  table.push_back(Row<NumeralsToDigitsSettings>("numerals_to_digits", "第一课改第1课", RunNumeralsToDigits, kNoFields));
  table.push_back(Row<DigitsToNumeralsSettings>("digits_to_numerals", "第1课改第一课", RunDigitsToNumerals, kNoFields));
  table.push_back(Row<InsertAtAnchorSettings>("insert_at_anchor", "前面加、后面加", RunInsertAtAnchor, [](auto& f, auto& s) {
    f.Text("anchor", s.anchor); f.Text("insert", s.insert); f.Choice("occurrence", s.occurrence, kOccurrences);
    f.Choice("side", s.side, Choices<AnchorSide>{{"before", AnchorSide::kBefore}, {"after", AnchorSide::kAfter}});
  }));
  table.push_back(Row<TextInFrontSettings>("text_in_front", "最前面加", RunTextInFront, [](auto& f, auto& s) { f.Text("text", s.frontText); }));
  table.push_back(Row<AppendAtEndSettings>("append_at_end", "最尾部加", RunAppendAtEnd, [](auto& f, auto& s) { f.Text("text", s.text); }));
  table.push_back(Row<TextAfterExtensionSettings>("text_after_extension", "扩展名后面加", RunTextAfterExtension, [](auto& f, auto& s) { f.Text("text", s.appendText); }));
  table.push_back(Row<SymbolAfterNumberSettings>("symbol_after_number", "数字编号后面加符号", RunSymbolAfterNumber, [](auto& f, auto& s) { f.Text("text", s.insertText); }));
  table.push_back(Row<SequenceNumberSettings>("sequence_numbers", "加序号", RunSequenceNumbers, [](auto& f, auto& s) {
    f.Text("start", s.start); f.Text("step", s.step); f.Text("separator", s.separatorItem);
  }));
  table.push_back(Row<VideoTagSettings>("video_tag", "加模拟B站AV号", RunVideoTag, kNoFields, /*previewStep=*/false));
  table.push_back(Row<RemoveFirstNumberSettings>("remove_first_number", "删除序号", RunRemoveFirstNumber, [](auto& f, auto& s) { f.Text("limit", s.limit); }));
  table.push_back(Row<RegexReplaceSettings>("regex_replace", "正则替换", RunRegexReplace, [](auto& f, auto& s) {
    f.Text("pattern", s.pattern); f.Text("replacement", s.replacement); f.Flag("case_sensitive", s.caseSensitive);
    f.Flag("replace_all", s.replaceAll); f.Flag("include_extension", s.includeExtension);
  }));
  table.push_back(Row<LetterCaseSettings>("letter_case", "改大小写", RunLetterCase, [](auto& f, auto& s) {
    f.Choice("mode", s.mode, Choices<LetterCase>{{"lower", LetterCase::kLower}, {"upper", LetterCase::kUpper},
                                                 {"word_capitals", LetterCase::kWordCapitals}});
    f.Choice("scope", s.scope, Choices<LetterCaseScope>{{"extension", LetterCaseScope::kExtension}, {"stem", LetterCaseScope::kStem},
                                                        {"stem_and_extension", LetterCaseScope::kStemAndExtension}});
  }));
  table.push_back(Row<PhotoDateSettings>("photo_date_name", "按拍摄日期命名", RunPhotoDateName, [](auto& f, auto& s) {
    f.Text("format", s.format); f.Flag("modification_time_when_missing", s.modificationTimeWhenMissing);
  }));
  table.push_back(Row<NameTemplateSettings>("name_template", "按模板命名", RunNameTemplate, [](auto& f, auto& s) { f.Text("template", s.text); }));
  table.push_back(Row<PinyinNameSettings>("pinyin_name", "汉字转拼音", RunPinyinName, [](auto& f, auto& s) {
    f.Choice("way", s.way, Choices<PinyinWay>{{"full", PinyinWay::kFull}, {"full_with_tones", PinyinWay::kFullWithTones},
                                              {"initials", PinyinWay::kInitials}});
    f.Choice("separator", s.separator, Choices<PinyinSeparator>{{"none", PinyinSeparator::kNone}, {"space", PinyinSeparator::kSpace},
                                                                {"dash", PinyinSeparator::kDash}, {"underscore", PinyinSeparator::kUnderscore}});
    f.Flag("capitals", s.capitals);
  }));
  // clang-format on
  return table;
}

}  // namespace

const std::vector<OperationKind>& OperationTable() {
  static const std::vector<OperationKind> table = BuildTable();
  return table;
}

const OperationKind* FindOperation(std::string_view id) {
  for (const OperationKind& kind : OperationTable()) {
    if (id == kind.id) return &kind;
  }
  return nullptr;
}

}  // namespace vantor
