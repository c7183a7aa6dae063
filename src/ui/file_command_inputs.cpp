#include "ui/file_command_inputs.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>

#include "ui/gbk_qstring.h"
#include "ui/qt_trash.h"

namespace vantor {

namespace {

InputText FolderText(const QString& folder) {
  return GbkFromQString(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

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

SaveNamesFolders ProgramAndDocumentsFolders() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
  return {FolderText(QCoreApplication::applicationDirPath()), FolderText(documents)};
}

CreateEntriesSettings ReadCreateSettings(const MainWindowUi& ui) {
  return {GbkFromQString(ui.编辑框14->text()), GbkFromQString(ui.组合框_创建扩展->currentText())};
}

DeleteWay ReadDeleteWay(const MainWindowUi& ui) {
  return ui.单选框17->isChecked() ? DeleteWay::kPermanently : DeleteWay::kToTrash;
}

Trash& DesktopTrash() {
  static QtTrash trash;
  return trash;
}

void ClearCueOnFocus(QLineEdit* box) { box->installEventFilter(new CueClearer(box)); }

}  // namespace vantor
