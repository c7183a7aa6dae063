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
#include "operations/digits_to_numerals.h"
#include "operations/insert_at_anchor.h"
#include "operations/letter_case.h"
#include "operations/numerals_to_digits.h"
#include "operations/pad_first_number.h"
#include "operations/photo_date_name.h"
#include "operations/regex_replace.h"
#include "operations/remove_first_number.h"
#include "operations/replace_times.h"
#include "operations/sequence_numbers.h"
#include "operations/symbol_after_number.h"
#include "operations/text_after_extension.h"
#include "operations/text_in_front.h"
#include "operations/video_tag.h"
#include "ui/delete_between_controls.h"
#include "ui/gbk_qstring.h"

namespace vantor {

namespace {

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

// Reads the settings at the click, then runs the operation.
template <typename Settings, typename Reader>
void Bind(QAbstractButton* button, OperationRunner& runner, Reader read,
          void (*run)(const RunContext&, const Settings&)) {
  QObject::connect(button, &QAbstractButton::clicked, button, [&runner, read, run, button] {
    runner.RunOperation([&read, run](const RunContext& context) { run(context, read()); }, button->text());
  });
}

// The same for an operation that returns a text for a box to show afterwards
// (no value: the box stays as it is).
template <typename Settings, typename Reader>
void Bind(QAbstractButton* button, OperationRunner& runner, Reader read,
          std::optional<ByteText> (*run)(const RunContext&, const Settings&), QComboBox* shownIn) {
  QObject::connect(button, &QAbstractButton::clicked, button, [&runner, read, run, shownIn, button] {
    std::optional<ByteText> shown;
    runner.RunOperation([&read, run, &shown](const RunContext& context) { shown = run(context, read()); },
                        button->text());
    // setEditText does not count as typing, so the box's own filter stays out of it.
    if (shown) shownIn->setEditText(QStringFromGbk(*shown));
  });
}

// An operation without settings of its own.
void Bind(QAbstractButton* button, OperationRunner& runner, void (*run)(const RunContext&)) {
  QObject::connect(button, &QAbstractButton::clicked, button,
                   [&runner, run, button] {
                     runner.RunOperation([run](const RunContext& context) { run(context); }, button->text());
                   });
}

}  // namespace

void BindOperations(const MainWindowUi& ui, OperationRunner& runner) {
  // clang-format off
  Bind(ui.按钮_15改十五, runner, [] { return DigitsToNumeralsSettings{}; }, RunDigitsToNumerals);
  Bind(ui.按钮_十五改15, runner, [] { return NumeralsToDigitsSettings{}; }, RunNumeralsToDigits);
  Bind(ui.按钮_繁简, runner, [&ui] { return ChineseScriptSettings{ui.单选框15->isChecked() ? ChineseScript::kSimplified : ChineseScript::kTraditional}; }, RunChineseScript);
  Bind(ui.按钮_模拟B站AV, runner, [] { return VideoTagSettings{}; }, RunVideoTag);
  Bind(ui.按钮_数字后加符号, runner, [&ui] { return SymbolAfterNumberSettings{TextOf(ui.编辑框13)}; }, RunSymbolAfterNumber);
  Bind(ui.按钮_正则替换, runner, [&ui] {
    return RegexReplaceSettings{TextOf(ui.编辑框_正则查找), TextOf(ui.编辑框_正则替换为), ui.选择框_正则区分大小写->isChecked(),
                                ui.选择框_正则全部替换->isChecked(), ui.选择框_正则含扩展名->isChecked()};
  }, RunRegexReplace);
  Bind(ui.按钮_改大小写, runner, [&ui] {
    return LetterCaseSettings{static_cast<LetterCase>(ui.组合框_大小写方式->currentIndex()),
                              static_cast<LetterCaseScope>(ui.组合框_大小写范围->currentIndex())};
  }, RunLetterCase);
  Bind(ui.按钮_按拍摄日期命名, runner, [&ui] {
    return PhotoDateSettings{TextOf(ui.编辑框_日期格式), ui.选择框_无日期用修改时间->isChecked()};
  }, RunPhotoDateName);
  Bind(ui.按钮_删前面, runner, [&ui] { return DeleteBesideMarkerSettings{TextOf(ui.编辑框8), MarkerSide::kBefore, OccurrenceOf(ui.单选框11, ui.单选框12), ui.选择框3->isChecked()}; }, RunDeleteBesideMarker);
  Bind(ui.按钮_删后面, runner, [&ui] { return DeleteBesideMarkerSettings{TextOf(ui.编辑框9), MarkerSide::kAfter, OccurrenceOf(ui.单选框1, ui.单选框2), ui.选择框4->isChecked()}; }, RunDeleteBesideMarker);
  Bind(ui.按钮1, runner, [&ui] { return RemoveFirstNumberSettings{TextOf(ui.编辑框15)}; }, RunRemoveFirstNumber);
  Bind(ui.按钮_最后面加, runner, [&ui] { return AppendAtEndSettings{TextOf(ui.编辑框7)}; }, RunAppendAtEnd);
  Bind(ui.按钮_在某物前后加, runner, [&ui] { return InsertAtAnchorSettings{TextOf(ui.编辑框11), TextOf(ui.编辑框12), OccurrenceOf(ui.单选框5, ui.单选框6), ui.单选框4->isChecked() ? AnchorSide::kAfter : AnchorSide::kBefore}; }, RunInsertAtAnchor);
  Bind(ui.按钮_加序号, runner, [&ui] { return SequenceNumberSettings{TextOf(ui.编辑框17), TextOf(ui.编辑框19), ItemOf(ui.组合框5)}; }, RunSequenceNumbers);
  Bind(ui.按钮_一键删除, runner, [&ui] { return DeleteBetweenSettings{TextOf(ui.编辑框2), TextOf(ui.编辑框3), ui.选择框_1头->isChecked(), ui.选择框_1尾->isChecked(), ui.选择框_2头->isChecked(), ui.选择框_2尾->isChecked(), ui.选择框6->isChecked()}; }, RunDeleteBetween);
  Bind(ui.按钮_删掉N次, runner, [&ui] { return DeleteTimesSettings{TextOf(ui.编辑框1), TextOf(ui.编辑框10), CountFromOf(ui.单选框13, ui.单选框14)}; }, RunDeleteTimes);
  Bind(ui.按钮_替换, runner, [&ui] { return ReplaceTimesSettings{TextOf(ui.编辑框4), TextOf(ui.编辑框5), TextOf(ui.编辑框16), ScopeOf(ui.单选框7, ui.单选框8), CountFromOf(ui.单选框9, ui.单选框10)}; }, RunReplaceTimes);
  Bind(ui.按钮_扩展名后面加, runner, [&ui] { return TextAfterExtensionSettings{TextOf(ui.编辑框18)}; }, RunTextAfterExtension);
  Bind(ui.按钮_最前面加, runner, [&ui] { return TextInFrontSettings{TextOf(ui.编辑框6)}; }, RunTextInFront);
  Bind(ui.按钮_改扩展, runner, [&ui] { return ChangeExtensionSettings{TextOf(ui.组合框_修改扩展)}; }, RunChangeExtension, ui.组合框_修改扩展);
  Bind(ui.按钮_改01, runner, RunPadFirstNumber);
  // clang-format on
  ConnectDeleteBetweenControls(ui);
}

}  // namespace vantor
