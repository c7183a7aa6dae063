// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/operation_bindings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "operations/append_at_end.h"
#include "operations/change_extension.h"
#include "operations/chinese_script.h"
#include "operations/delete_beside_marker.h"
#include "operations/delete_between.h"
#include "operations/delete_times.h"
#include "operations/insert_at_anchor.h"
#include "operations/letter_case.h"
#include "operations/name_template.h"
#include "operations/photo_date_name.h"
#include "operations/pinyin_name.h"
#include "operations/regex_replace.h"
#include "operations/remove_first_number.h"
#include "operations/replace_times.h"
#include "operations/sequence_numbers.h"
#include "operations/symbol_after_number.h"
#include "operations/text_after_extension.h"
#include "operations/text_in_front.h"
#include "ui/delete_between_controls.h"
#include "ui/gbk_qstring.h"

namespace vantor {

namespace {

// ---- Reading controls ----

// A text box's text as GBK; no value when it has no GBK form.
InputText TextOf(const QLineEdit* box) { return GbkFromQString(box->text()); }
InputText TextOf(const QComboBox* box) { return GbkFromQString(box->currentText()); }

// The occurrence a "首次出现" / "最后出现" pair of radio buttons chooses.
Occurrence OccurrenceOf(const QAbstractButton* first, const QAbstractButton* last) {
  if (first->isChecked()) return Occurrence::kFirst;
  return last->isChecked() ? Occurrence::kLast : Occurrence::kNone;
}

// The selected item of a drop-down list as GBK; the empty text when none is selected.
InputText ItemOf(const QComboBox* box) { return box->currentIndex() < 0 ? ByteText() : GbkFromQString(box->currentText()); }

// Which of two radio buttons counts from the left and which from the right.
CountFrom CountFromOf(const QRadioButton* left, const QRadioButton* right) {
  if (left->isChecked()) return CountFrom::kLeft;
  return right->isChecked() ? CountFrom::kRight : CountFrom::kNowhere;
}

ReplaceScope ScopeOf(const QRadioButton* nearFront, const QRadioButton* unrestricted) {
  if (nearFront->isChecked()) return ReplaceScope::kNearFront;
  return unrestricted->isChecked() ? ReplaceScope::kUnrestricted : ReplaceScope::kNone;
}

// ---- Writing controls ----

void SetText(QLineEdit* box, const InputText& text) { box->setText(text ? QStringFromGbk(*text) : QString()); }

// Checks exactly the buttons given as true; both may end unchecked.
void SetPair(QAbstractButton* first, bool firstOn, QAbstractButton* second, bool secondOn) {
  for (QAbstractButton* button : {first, second}) button->setAutoExclusive(false);
  first->setChecked(firstOn);
  second->setChecked(secondOn);
  for (QAbstractButton* button : {first, second}) button->setAutoExclusive(true);
}
void SetOccurrence(QAbstractButton* first, QAbstractButton* last, Occurrence occurrence) {
  SetPair(first, occurrence == Occurrence::kFirst, last, occurrence == Occurrence::kLast);
}
void SetCountFrom(QRadioButton* left, QRadioButton* right, CountFrom from) {
  SetPair(left, from == CountFrom::kLeft, right, from == CountFrom::kRight);
}
// Selects the item showing text; none when there is no such item.
void SetItem(QComboBox* box, const InputText& text) {
  box->setCurrentIndex(text && !text->empty() ? box->findText(QStringFromGbk(*text)) : -1);
}

// ---- Rows ----

template <typename S>
struct Controls {
  QAbstractButton* button;
  std::function<S()> read;
  std::function<void(const S&)> write;
  std::vector<QObject*> inputs;
  QComboBox* shownIn = nullptr;
};

template <typename S>
void Add(std::vector<OperationBinding>& bindings, const char* id, Controls<S> controls) {
  OperationBinding binding;
  binding.kind = FindOperation(id);
  binding.button = controls.button;
  binding.read = [read = controls.read] { return std::any(read()); };
  binding.write = [write = controls.write](const std::any& settings) { write(std::any_cast<const S&>(settings)); };
  binding.inputs = std::move(controls.inputs);
  binding.shownIn = controls.shownIn;
  bindings.push_back(std::move(binding));
}

// An operation without settings: its button alone.
void AddPlain(std::vector<OperationBinding>& bindings, const char* id, QAbstractButton* button) {
  OperationBinding binding;
  binding.kind = FindOperation(id);
  binding.button = button;
  binding.read = [kind = binding.kind] { return kind->defaultSettings; };
  binding.write = [](const std::any&) {};
  bindings.push_back(std::move(binding));
}

void Connect(const OperationBinding& binding, OperationRunner& runner) {
  QObject::connect(binding.button, &QAbstractButton::clicked, binding.button,
                   [&runner, &binding] { runner.RunOperation(binding); });
  const auto edited = [&runner, &binding] { runner.OperationInputsEdited(binding); };
  for (QObject* input : binding.inputs) {
    if (auto* box = qobject_cast<QLineEdit*>(input)) {
      QObject::connect(box, &QLineEdit::textChanged, binding.button, edited);
    } else if (auto* button = qobject_cast<QAbstractButton*>(input)) {
      QObject::connect(button, &QAbstractButton::toggled, binding.button, edited);
    } else if (auto* combo = qobject_cast<QComboBox*>(input)) {
      QObject::connect(combo, &QComboBox::currentTextChanged, binding.button, edited);
      if (combo->isEditable()) QObject::connect(combo, &QComboBox::editTextChanged, binding.button, edited);
    }
  }
}

}  // namespace

void BindOperations(const MainWindowUi& ui, OperationRunner& runner, std::vector<OperationBinding>& bindings) {
  bindings.clear();
  bindings.reserve(OperationTable().size());
  const MainWindowUi* u = &ui;
  // clang-format off
  Add<DeleteBetweenSettings>(bindings, "delete_between", {ui.按钮_一键删除,
      [u] { return DeleteBetweenSettings{TextOf(u->编辑框2), TextOf(u->编辑框3), u->选择框_1头->isChecked(), u->选择框_1尾->isChecked(), u->选择框_2头->isChecked(), u->选择框_2尾->isChecked(), u->选择框6->isChecked()}; },
      [u](const DeleteBetweenSettings& s) {
        SetText(u->编辑框2, s.left); SetText(u->编辑框3, s.right);
        u->选择框_1头->setChecked(s.leftFirst); u->选择框_1尾->setChecked(s.leftLast);
        u->选择框_2头->setChecked(s.rightFirst); u->选择框_2尾->setChecked(s.rightLast); u->选择框6->setChecked(s.withDelimiters);
      },
      {ui.编辑框2, ui.编辑框3, ui.选择框_1头, ui.选择框_1尾, ui.选择框_2头, ui.选择框_2尾, ui.选择框6}});
  Add<DeleteBesideMarkerSettings>(bindings, "delete_before_marker", {ui.按钮_删前面,
      [u] { return DeleteBesideMarkerSettings{TextOf(u->编辑框8), MarkerSide::kBefore, OccurrenceOf(u->单选框11, u->单选框12), u->选择框3->isChecked()}; },
      [u](const DeleteBesideMarkerSettings& s) { SetText(u->编辑框8, s.marker); SetOccurrence(u->单选框11, u->单选框12, s.occurrence); u->选择框3->setChecked(s.removeMarker); },
      {ui.编辑框8, ui.单选框11, ui.单选框12, ui.选择框3}});
  Add<DeleteBesideMarkerSettings>(bindings, "delete_after_marker", {ui.按钮_删后面,
      [u] { return DeleteBesideMarkerSettings{TextOf(u->编辑框9), MarkerSide::kAfter, OccurrenceOf(u->单选框1, u->单选框2), u->选择框4->isChecked()}; },
      [u](const DeleteBesideMarkerSettings& s) { SetText(u->编辑框9, s.marker); SetOccurrence(u->单选框1, u->单选框2, s.occurrence); u->选择框4->setChecked(s.removeMarker); },
      {ui.编辑框9, ui.单选框1, ui.单选框2, ui.选择框4}});
  Add<DeleteTimesSettings>(bindings, "delete_times", {ui.按钮_删掉N次,
      [u] { return DeleteTimesSettings{TextOf(u->编辑框1), TextOf(u->编辑框10), CountFromOf(u->单选框13, u->单选框14)}; },
      [u](const DeleteTimesSettings& s) { SetText(u->编辑框1, s.text); SetText(u->编辑框10, s.count); SetCountFrom(u->单选框13, u->单选框14, s.from); },
      {ui.编辑框1, ui.编辑框10, ui.单选框13, ui.单选框14}});
  Add<ReplaceTimesSettings>(bindings, "replace_times", {ui.按钮_替换,
      [u] { return ReplaceTimesSettings{TextOf(u->编辑框4), TextOf(u->编辑框5), TextOf(u->编辑框16), ScopeOf(u->单选框7, u->单选框8), CountFromOf(u->单选框9, u->单选框10)}; },
      [u](const ReplaceTimesSettings& s) {
        SetText(u->编辑框4, s.search); SetText(u->编辑框5, s.replacement); SetText(u->编辑框16, s.count);
        SetPair(u->单选框7, s.scope == ReplaceScope::kNearFront, u->单选框8, s.scope == ReplaceScope::kUnrestricted);
        SetCountFrom(u->单选框9, u->单选框10, s.from);
      },
      {ui.编辑框4, ui.编辑框5, ui.编辑框16, ui.单选框7, ui.单选框8, ui.单选框9, ui.单选框10}});
  Add<ChineseScriptSettings>(bindings, "chinese_script", {ui.按钮_繁简,
      [u] { return ChineseScriptSettings{u->单选框15->isChecked() ? ChineseScript::kSimplified : ChineseScript::kTraditional}; },
      [u](const ChineseScriptSettings& s) { SetPair(u->单选框15, s.target == ChineseScript::kSimplified, u->单选框16, s.target == ChineseScript::kTraditional); },
      {ui.单选框15, ui.单选框16}});
  AddPlain(bindings, "pad_first_number", ui.按钮_改01);
  Add<ChangeExtensionSettings>(bindings, "change_extension", {ui.按钮_改扩展,
      [u] { return ChangeExtensionSettings{TextOf(u->组合框_修改扩展)}; },
      // setEditText does not count as typing, so the box's own filter stays out of it.
      [u](const ChangeExtensionSettings& s) { u->组合框_修改扩展->setEditText(s.extension ? QStringFromGbk(*s.extension) : QString()); },
      {ui.组合框_修改扩展}, ui.组合框_修改扩展});
  AddPlain(bindings, "numerals_to_digits", ui.按钮_十五改15);
  AddPlain(bindings, "digits_to_numerals", ui.按钮_15改十五);
  Add<InsertAtAnchorSettings>(bindings, "insert_at_anchor", {ui.按钮_在某物前后加,
      [u] { return InsertAtAnchorSettings{TextOf(u->编辑框11), TextOf(u->编辑框12), OccurrenceOf(u->单选框5, u->单选框6), u->单选框4->isChecked() ? AnchorSide::kAfter : AnchorSide::kBefore}; },
      [u](const InsertAtAnchorSettings& s) {
        SetText(u->编辑框11, s.anchor); SetText(u->编辑框12, s.insert); SetOccurrence(u->单选框5, u->单选框6, s.occurrence);
        (s.side == AnchorSide::kAfter ? u->单选框4 : u->单选框3)->setChecked(true);
      },
      {ui.编辑框11, ui.编辑框12, ui.单选框5, ui.单选框6, ui.单选框3, ui.单选框4}});
  Add<TextInFrontSettings>(bindings, "text_in_front", {ui.按钮_最前面加,
      [u] { return TextInFrontSettings{TextOf(u->编辑框6)}; }, [u](const TextInFrontSettings& s) { SetText(u->编辑框6, s.frontText); }, {ui.编辑框6}});
  Add<AppendAtEndSettings>(bindings, "append_at_end", {ui.按钮_最后面加,
      [u] { return AppendAtEndSettings{TextOf(u->编辑框7)}; }, [u](const AppendAtEndSettings& s) { SetText(u->编辑框7, s.text); }, {ui.编辑框7}});
  Add<TextAfterExtensionSettings>(bindings, "text_after_extension", {ui.按钮_扩展名后面加,
      [u] { return TextAfterExtensionSettings{TextOf(u->编辑框18)}; }, [u](const TextAfterExtensionSettings& s) { SetText(u->编辑框18, s.appendText); }, {ui.编辑框18}});
  Add<SymbolAfterNumberSettings>(bindings, "symbol_after_number", {ui.按钮_数字后加符号,
      [u] { return SymbolAfterNumberSettings{TextOf(u->编辑框13)}; }, [u](const SymbolAfterNumberSettings& s) { SetText(u->编辑框13, s.insertText); }, {ui.编辑框13}});
  Add<SequenceNumberSettings>(bindings, "sequence_numbers", {ui.按钮_加序号,
      [u] { return SequenceNumberSettings{TextOf(u->编辑框17), TextOf(u->编辑框19), ItemOf(u->组合框5)}; },
      [u](const SequenceNumberSettings& s) { SetText(u->编辑框17, s.start); SetText(u->编辑框19, s.step); SetItem(u->组合框5, s.separatorItem); },
      {ui.编辑框17, ui.编辑框19, ui.组合框5}});
  AddPlain(bindings, "video_tag", ui.按钮_模拟B站AV);
  Add<RemoveFirstNumberSettings>(bindings, "remove_first_number", {ui.按钮1,
      [u] { return RemoveFirstNumberSettings{TextOf(u->编辑框15)}; }, [u](const RemoveFirstNumberSettings& s) { SetText(u->编辑框15, s.limit); }, {ui.编辑框15}});
  Add<RegexReplaceSettings>(bindings, "regex_replace", {ui.按钮_正则替换,
      [u] { return RegexReplaceSettings{TextOf(u->编辑框_正则查找), TextOf(u->编辑框_正则替换为), u->选择框_正则区分大小写->isChecked(), u->选择框_正则全部替换->isChecked(), u->选择框_正则含扩展名->isChecked()}; },
      [u](const RegexReplaceSettings& s) {
        SetText(u->编辑框_正则查找, s.pattern); SetText(u->编辑框_正则替换为, s.replacement);
        u->选择框_正则区分大小写->setChecked(s.caseSensitive); u->选择框_正则全部替换->setChecked(s.replaceAll); u->选择框_正则含扩展名->setChecked(s.includeExtension);
      },
      {ui.编辑框_正则查找, ui.编辑框_正则替换为, ui.选择框_正则区分大小写, ui.选择框_正则全部替换, ui.选择框_正则含扩展名}});
  Add<LetterCaseSettings>(bindings, "letter_case", {ui.按钮_改大小写,
      [u] { return LetterCaseSettings{static_cast<LetterCase>(u->组合框_大小写方式->currentIndex()), static_cast<LetterCaseScope>(u->组合框_大小写范围->currentIndex())}; },
      [u](const LetterCaseSettings& s) { u->组合框_大小写方式->setCurrentIndex(static_cast<int>(s.mode)); u->组合框_大小写范围->setCurrentIndex(static_cast<int>(s.scope)); },
      {ui.组合框_大小写方式, ui.组合框_大小写范围}});
  Add<PhotoDateSettings>(bindings, "photo_date_name", {ui.按钮_按拍摄日期命名,
      [u] { return PhotoDateSettings{TextOf(u->编辑框_日期格式), u->选择框_无日期用修改时间->isChecked()}; },
      [u](const PhotoDateSettings& s) { SetText(u->编辑框_日期格式, s.format); u->选择框_无日期用修改时间->setChecked(s.modificationTimeWhenMissing); },
      {ui.编辑框_日期格式, ui.选择框_无日期用修改时间}});
  Add<NameTemplateSettings>(bindings, "name_template", {ui.按钮_按模板命名,
      [u] { return NameTemplateSettings{TextOf(u->编辑框_命名模板)}; },
      [u](const NameTemplateSettings& s) { SetText(u->编辑框_命名模板, s.text); },
      {ui.编辑框_命名模板}});
  Add<PinyinNameSettings>(bindings, "pinyin_name", {ui.按钮_转拼音,
      [u] { return PinyinNameSettings{static_cast<PinyinWay>(u->组合框_拼音方式->currentIndex()), static_cast<PinyinSeparator>(u->组合框_拼音分隔->currentIndex()), u->选择框_拼音首字母大写->isChecked()}; },
      [u](const PinyinNameSettings& s) { u->组合框_拼音方式->setCurrentIndex(static_cast<int>(s.way)); u->组合框_拼音分隔->setCurrentIndex(static_cast<int>(s.separator)); u->选择框_拼音首字母大写->setChecked(s.capitals); },
      {ui.组合框_拼音方式, ui.组合框_拼音分隔, ui.选择框_拼音首字母大写}});
  // clang-format on
  for (const OperationBinding& binding : bindings) Connect(binding, runner);
  ConnectDeleteBetweenControls(ui);
}

const OperationBinding* BindingOf(const std::vector<OperationBinding>& bindings, const OperationKind& kind) {
  for (const OperationBinding& binding : bindings) {
    if (binding.kind == &kind) return &binding;
  }
  return nullptr;
}

}  // namespace vantor
