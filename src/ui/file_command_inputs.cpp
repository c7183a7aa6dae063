// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_command_inputs.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>

#include <QFileDialog>

#include "ui/gbk_qstring.h"
#include "ui/owned_window.h"

namespace vantor {

namespace {

// Restores a line edit's colours when it takes the focus.
class CueClearer : public QObject {
 public:
  explicit CueClearer(QLineEdit* box) : QObject(box) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      auto* box = static_cast<QLineEdit*>(watched);
      if (box->text() == QStringLiteral("将在这里创建")) box->clear();
      QPalette palette = box->palette();
      palette.setColor(QPalette::Text, QApplication::palette(box).color(QPalette::Text));
      box->setPalette(palette);
    }
    return false;
  }
};

}  // namespace

ChooseNamesFile NamesFileDialog(QWidget* owner) {
  return [owner]() -> std::optional<InputText> {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
    QFileDialog dialog(owner, QStringLiteral("保存原文件名到txt"), documents,
                       QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("原文件名保存.txt"));
    PrepareFileDialog(dialog, owner);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return GbkFromQString(QDir::cleanPath(dialog.selectedFiles().front()));
  };
}

CreateEntriesSettings ReadCreateSettings(const MainWindowUi& ui) {
  return {GbkFromQString(ui.编辑框14->text()), GbkFromQString(ui.组合框_创建扩展->currentText())};
}

DeleteWay ReadDeleteWay(const MainWindowUi& ui) {
  return ui.单选框17->isChecked() ? DeleteWay::kPermanently : DeleteWay::kToTrash;
}

Trash& DesktopTrash() {
  static FreedesktopTrash trash;
  return trash;
}

void ClearCueOnFocus(QLineEdit* box) { box->installEventFilter(new CueClearer(box)); }

}  // namespace vantor
