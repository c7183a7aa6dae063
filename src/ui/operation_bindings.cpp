#include "ui/operation_bindings.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "operations/chinese_script.h"
#include "operations/digits_to_numerals.h"
#include "operations/numerals_to_digits.h"
#include "operations/symbol_after_number.h"
#include "operations/video_tag.h"
#include "ui/gbk_qstring.h"

namespace vantor {

namespace {

// A text box's text as GBK; no value when it has no GBK form.
InputText TextOf(const QLineEdit* box) { return GbkFromQString(box->text()); }

// Reads the settings at the click, then runs the operation.
template <typename Settings, typename Reader>
void Bind(QAbstractButton* button, OperationRunner& runner, Reader read,
          void (*run)(const RunContext&, const Settings&)) {
  QObject::connect(button, &QAbstractButton::clicked, button, [&runner, read, run] {
    runner.RunOperation([&read, run](const RunContext& context) { run(context, read()); });
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
  // clang-format on
}

}  // namespace vantor
