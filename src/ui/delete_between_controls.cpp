// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/delete_between_controls.h"

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "operations/delete_between.h"
#include "ui/gbk_qstring.h"

namespace vantor {

namespace {

void MakeExclusive(QCheckBox* one, QCheckBox* other) {
  QObject::connect(one, &QCheckBox::toggled, other, [other](bool checked) {
    if (checked) other->setChecked(false);
  });
  QObject::connect(other, &QCheckBox::toggled, one, [one](bool checked) {
    if (checked) one->setChecked(false);
  });
}

}  // namespace

void ConnectDeleteBetweenControls(const MainWindowUi& ui) {
  MakeExclusive(ui.选择框_1头, ui.选择框_1尾);
  MakeExclusive(ui.选择框_2头, ui.选择框_2尾);
  QComboBox* widthBox = ui.组合框1;
  const std::array<QLineEdit*, 3> boxes{ui.编辑框1, ui.编辑框2, ui.编辑框3};
  QObject::connect(widthBox, &QComboBox::activated, widthBox, [widthBox, boxes] {
    const std::optional<ByteText> item = GbkFromQString(widthBox->currentText());
    const std::optional<SymbolWidth> width = item ? SymbolWidthOf(*item) : std::nullopt;
    if (!width) return;
    for (QLineEdit* box : boxes) {
      const std::optional<ByteText> text = GbkFromQString(box->text());
      if (text) box->setText(QStringFromGbk(SwitchSymbolWidth(*text, *width)));
    }
  });
}

}  // namespace vantor
