// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_box_prompter.h"

#include <QCheckBox>
#include <QMessageBox>

#include "ui/gbk_qstring.h"
#include "ui/owned_window.h"

namespace vantor {

namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation: return QMessageBox::Information;
    case MessageIcon::kWarning: return QMessageBox::Warning;
    case MessageIcon::kCritical: return QMessageBox::Critical;
    case MessageIcon::kQuestion: return QMessageBox::Question;
    case MessageIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

int ShowBox(QWidget* parent, const ByteText& text, const ByteText& title, MessageIcon icon,
            QMessageBox::StandardButtons buttons, QCheckBox* checkBox = nullptr) {
  QMessageBox box(QtIcon(icon), QStringFromGbk(title), QStringFromGbk(text), buttons, parent);
  if (checkBox != nullptr) box.setCheckBox(checkBox);  // the box owns it from here
  // Texts carry names and paths: never markup.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
  MatchOwnersStayOnTop(&box, parent);
  return box.exec();
}

}  // namespace

void MessageBoxPrompter::Inform(const ByteText& text, const ByteText& title, MessageIcon icon) {
  ShowBox(parent_, text, title, icon, QMessageBox::Ok);
}

bool MessageBoxPrompter::Confirm(const ByteText& text, const ByteText& title, MessageIcon icon) {
  return ShowBox(parent_, text, title, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool MessageBoxPrompter::InformWithOptOut(const ByteText& text, const ByteText& title, MessageIcon icon,
                                          const ByteText& optOut) {
  auto* checkBox = new QCheckBox(QStringFromGbk(optOut));
  checkBox->setObjectName(QStringLiteral("选择框_本次不再提示"));
  bool ticked = false;
  QObject::connect(checkBox, &QCheckBox::toggled, [&ticked](bool on) { ticked = on; });
  ShowBox(parent_, text, title, icon, QMessageBox::Ok, checkBox);
  return ticked;
}

}  // namespace vantor
