// SPDX-License-Identifier: GPL-3.0-or-later
// A commit over thousands of files, cancelled from its progress dialog while
// it runs: what was renamed stays renamed and is undone exactly.
#include <QProgressDialog>
#include <QPushButton>

#include <set>

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

constexpr int kFiles = 6000;

std::string NameOf(int i, const char* between) {
  return std::to_string(1000 + i) + between + "a.txt";
}

class LongRunWindowTest : public WindowTest {
 protected:
  // Clicks the button, presses Cancel of the progress dialog once it shows
  // some progress, and returns the other modal boxes it saw.
  std::vector<BoxRecord> ClickAndCancel(QAbstractButton* button) {
    std::vector<BoxRecord> seen;
    bool cancelled = false;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = window_.findChild<QProgressDialog*>(U("进度对话框"));
      if (dialog != nullptr && dialog->value() > 0 && !cancelled) {
        cancelled = true;
        dialog->findChild<QPushButton*>()->click();
      }
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && modal->isVisible() && qobject_cast<QProgressDialog*>(modal) == nullptr) {
        seen.push_back(detail::Record(modal));
        detail::Reply(modal, Ok());
      }
    });
    poll.start();
    QTest::mouseClick(button, Qt::LeftButton);
    poll.stop();
    EXPECT_TRUE(cancelled);
    return seen;
  }
};

TEST_F(LongRunWindowTest, CancelledCommitKeepsWhatItDidAndUndoesExactlyThat) {
  QStringList before;
  for (int i = 0; i < kFiles; ++i) {
    dir_.MakeFile(NameOf(i, ""));
    before.push_back(U(NameOf(i, "")));
  }
  ASSERT_TRUE(Drop({PathOf(NameOf(0, ""))}).empty());
  TogglePreview();
  ASSERT_EQ(AddAfterNumber(U("-"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});

  // No failure box: the rows the run never reached are not failures.
  EXPECT_TRUE(ClickAndCancel(Ui().按钮_确认无误执行吧).empty());
  const QStringList names = Names();
  const QStringList pending = Pending();
  int renamed = 0;
  for (int i = 0; i < kFiles; ++i) {
    const bool done = names[i] == U(NameOf(i, "-"));
    renamed += done ? 1 : 0;
    ASSERT_EQ(names[i], done ? U(NameOf(i, "-")) : U(NameOf(i, ""))) << i;
    ASSERT_EQ(pending[i], done ? QString() : U(NameOf(i, "-"))) << i;
  }
  EXPECT_GT(renamed, 0);
  EXPECT_LT(renamed, kFiles);
  // The list describes the folder, and nothing else (no journal) is left there.
  QStringList sorted = names;
  sorted.sort();
  EXPECT_EQ(OnDisk(), sorted);

  EXPECT_TRUE(Click(Ui().按钮_撤回上一步).empty());
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(OnDisk(), before);
}

}  // namespace
}  // namespace vantor::uitest
