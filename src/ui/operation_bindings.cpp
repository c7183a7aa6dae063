#include "ui/operation_bindings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "operations/letter_case.h"
#include "operations/photo_date_name.h"
#include "operations/regex_replace.h"
#include "operations/symbol_after_number.h"
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
  // clang-format on
}

}  // namespace vantor
