// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/extension_boxes.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "entries/extension_choices.h"
#include "ui/gbk_qstring.h"

namespace vantor {

ExtensionBoxes::ExtensionBoxes(const MainWindowUi& ui, std::function<void(QComboBox*)> enterPressed,
                               QObject* parent)
    : QObject(parent), ui_(ui), enterPressed_(std::move(enterPressed)) {
  for (QComboBox* box : {ui_.组合框_仅检索, ui_.组合框_跳过扩展, ui_.组合框_修改扩展, ui_.组合框_创建扩展}) {
    box->setCompleter(nullptr);
    // Leaving the text must not turn typed text that equals an item into a
    // choice of that item (and a reload): only picking from the list does.
    disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    box->installEventFilter(this);
    box->lineEdit()->installEventFilter(this);
    connect(box->lineEdit(), &QLineEdit::textEdited, this,
            [this, box](const QString& typed) { FollowTyped(box, typed); });
  }
}

QString ExtensionBoxes::LeadingItemOf(const QComboBox* box) const {
  if (box == ui_.组合框_仅检索) return QStringLiteral("所有");
  if (box == ui_.组合框_跳过扩展) return QStringLiteral("不跳");
  if (box == ui_.组合框_创建扩展) return QStringLiteral("创建目录");
  return {};
}

void ExtensionBoxes::Fill(QComboBox* box) {
  if (!box->currentText().isEmpty()) return;
  const QSignalBlocker blocker(box);
  box->clear();
  for (const ByteText& item : ExtensionItemsInFull(*GbkFromQString(LeadingItemOf(box)))) {
    box->addItem(QStringFromGbk(item));
  }
  box->setCurrentIndex(-1);
}

void ExtensionBoxes::FollowTyped(QComboBox* box, const QString& typed) {
  const QSignalBlocker blocker(box);
  const int cursor = box->lineEdit()->cursorPosition();
  box->clear();
  const std::optional<ByteText> key = GbkFromQString(typed);
  if (key && !typed.isEmpty()) {
    for (const ByteText& item : ExtensionItemsFollowing(*key, *GbkFromQString(LeadingItemOf(box)))) {
      box->addItem(QStringFromGbk(item));
    }
  }
  box->setCurrentIndex(-1);
  box->setEditText(typed);
  box->lineEdit()->setCursorPosition(cursor);
}

bool ExtensionBoxes::eventFilter(QObject* watched, QEvent* event) {
  QComboBox* box = qobject_cast<QComboBox*>(watched);
  if (box == nullptr && watched->parent() != nullptr) box = qobject_cast<QComboBox*>(watched->parent());
  if (box == nullptr) return false;
  // Enter in the text of a filter box: one reload, and the key goes no further
  // (the line edit would otherwise report it twice, once forwarded by the box).
  if (watched == box->lineEdit() && event->type() == QEvent::KeyPress &&
      (box == ui_.组合框_仅检索 || box == ui_.组合框_跳过扩展)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (enterPressed_) enterPressed_(box);
      return true;
    }
  }
  // The drop-down is about to open: by mouse on the box, or by F4 / Alt+Down.
  bool opening = event->type() == QEvent::MouseButtonPress && watched == box;
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    opening = key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier));
  }
  if (opening) Fill(box);
  return false;
}

}  // namespace vantor
