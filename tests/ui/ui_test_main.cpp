// Window tests need one QApplication for the whole run; they default to Qt's
// offscreen platform so that they run without a display, and use the same Qt
// translations as the program.
#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

#include "ui/application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  }
  QApplication app(argc, argv);
  vantor::LoadQtTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
