// SPDX-License-Identifier: GPL-3.0-or-later
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
  // The version check of every window started here asks a port where nothing
  // listens, so no test reaches the network; a test may point it elsewhere.
  if (qEnvironmentVariableIsEmpty("VANTOR_RELEASE_URL")) {
    qputenv("VANTOR_RELEASE_URL", QByteArrayLiteral("http://127.0.0.1:1/"));
  }
  // Journals and history records of the windows go to the build tree, never
  // to the user's state folder (the test list cannot carry more than one
  // environment variable per test).
  qputenv("XDG_STATE_HOME", QByteArrayLiteral(VANTOR_TEST_STATE_HOME));
  QApplication app(argc, argv);
  vantor::LoadQtTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
