// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace vantor {
namespace {

// The program loads Qt's Chinese translations, so the standard buttons of
// every message box read in Chinese.
TEST(QtTranslations, StandardButtonsReadInChinese) {
  QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QString::fromUtf8("确定"));
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8("取消"));
}

}  // namespace
}  // namespace vantor
