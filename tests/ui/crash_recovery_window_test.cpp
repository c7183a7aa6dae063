// SPDX-License-Identifier: GPL-3.0-or-later
// A run killed in the middle, then the window started on the same state
// folder: it offers to put the names back, and does.
#include <QProcess>

#include <map>

#include "pipeline/batch_history.h"
#include "pipeline/rename_journal.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

constexpr int kFilesPerKind = 1500;  // c0.. along a chain, s0.. swapped in pairs

// The question names the folder and the renames of the run: the whole chain and every swap.
QString Question(const std::string& folder) {
  return U("上次改名没有完成，程序意外退出了。\r\n文件夹：" + folder + "（" + std::to_string(2 * kFilesPerKind) +
           "个文件）\r\n要把已经改过的文件恢复成原来的名字吗？");
}

std::map<std::string, std::string> Contents(const vantor::testing::TempDir& dir) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    const std::string name = entry.path().filename().string();
    contents[name] = dir.ReadFile(name);
  }
  return contents;
}

class CrashRecoveryTest : public ::testing::Test {
 protected:
  CrashRecoveryTest() { SetJournalFolderForTesting(state_.Path() + "vantor-rename"); }
  ~CrashRecoveryTest() override { SetJournalFolderForTesting({}); }

  // Starts the child run and kills it (SIGKILL) once it is halfway.
  void KillARunHalfway() {
    for (int i = 0; i < kFilesPerKind; ++i) {
      for (const char* kind : {"c", "s"}) {
        const std::string name = kind + std::to_string(i);
        dir_.MakeFile(name, name);
      }
    }
    before_ = Contents(dir_);
    QProcess child;
    child.start(U(VANTOR_RENAME_CRASH_CHILD), {U(dir_.Path()), U(state_.Path() + "vantor-rename"),
                                               QString::number(kFilesPerKind)});
    ASSERT_TRUE(child.waitForStarted(10000));
    while (!child.readAllStandardOutput().contains("half")) {
      ASSERT_TRUE(child.waitForReadyRead(60000)) << "the child never got halfway";
    }
    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
  }

  vantor::testing::TempDir dir_;
  vantor::testing::TempDir state_;
  std::map<std::string, std::string> before_;
};

TEST_F(CrashRecoveryTest, OkAtStartUpRestoresEveryNameOfTheKilledRun) {
  KillARunHalfway();
  const std::map<std::string, std::string> afterKill = Contents(dir_);
  int misplaced = 0;
  for (const auto& [name, content] : before_) {
    const auto found = afterKill.find(name);
    misplaced += found != afterKill.end() && found->second == content ? 0 : 1;
  }
  ASSERT_GT(misplaced, kFilesPerKind);  // the chain and some swaps

  MainWindow window;
  const std::vector<BoxRecord> boxes = AnswerBoxes(
      [&] {
        window.show();
        WaitFor([] { return FindUnfinishedJournals().empty(); }, 30000);
      },
      {Ok(), Ok()});
  EXPECT_EQ(boxes, (std::vector<BoxRecord>{
                       {U("QMessageBox"), U("提醒："), Question(dir_.Path()), QMessageBox::Question,
                        QMessageBox::Ok | QMessageBox::Cancel},
                       ReminderBox(("已恢复" + std::to_string(misplaced) + "个文件名").c_str())}));
  EXPECT_EQ(Contents(dir_), before_);
  EXPECT_TRUE(FindUnfinishedJournals().empty());
  // The recovery is a batch of the history, like any other.
  const std::vector<BatchSummary> history = BatchHistory().List();
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(Utf8ForDisplay(history[0].caption), "恢复");
  // A swap stopped halfway has one entry on the temporary name, which no undo may bring back there.
  EXPECT_GE(history[0].count, misplaced - 1);
  EXPECT_LE(history[0].count, misplaced);
}

TEST_F(CrashRecoveryTest, CancelLeavesTheNamesAndForgetsTheRun) {
  KillARunHalfway();
  const std::map<std::string, std::string> afterKill = Contents(dir_);
  MainWindow window;
  const std::vector<BoxRecord> boxes = AnswerBoxes(
      [&] {
        window.show();
        WaitFor([] { return FindUnfinishedJournals().empty(); }, 30000);
      },
      {Cancel()});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, Question(dir_.Path()));
  EXPECT_EQ(Contents(dir_), afterKill);
  EXPECT_TRUE(std::filesystem::is_empty(state_.Path() + "vantor-rename"));
}

}  // namespace
}  // namespace vantor::uitest
