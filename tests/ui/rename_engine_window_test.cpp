// SPDX-License-Identifier: GPL-3.0-or-later
// The rename engine as the user meets it through the window: chains commit in
// any row order, failures are told after the summary, the preview shows in red
// what a commit would refuse, and drives without RENAME_NOREPLACE or hard
// links rename as well, never replacing anything.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBrush>

#include "platform/file_system.h"
#include "support/plain_drive.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

using vantor::testing::PlainDrive;

QStringList AsSorted(QStringList names) {
  names.sort();
  return names;
}

BoxRecord Failed(int count) {
  return ReminderBox((std::string("有") + std::to_string(count) + "个文件改名失败，已保留原名").c_str());
}

class RenameEngineWindowTest : public WindowTest {
 protected:
  // Files that hold their own names, so the test sees which went where.
  void MakeNamed(std::initializer_list<const char*> names) {
    for (const char* name : names) dir_.MakeFile(name, name);
  }
  std::vector<BoxRecord> Commit() { return Click(Ui().按钮_确认无误执行吧); }
  std::vector<BoxRecord> Undo() { return Click(Ui().按钮_撤回上一步); }
  QVariant PendingCell(int row, int role) const { return View()->model()->index(row, 1).data(role); }

  // "2x" -> "2-x" has to wait for "2-x" -> "2--x", whichever row comes first.
  void ExpectChainCommits(bool reversed) {
    MakeNamed({"2x.txt", "2-x.txt"});
    ASSERT_TRUE(Drop({PathOf("2x.txt")}).empty());
    TogglePreview();
    if (reversed) Click(Ui().按钮_顺序颠倒);
    AddAfterNumber(U("-"), {Ok()});
    ASSERT_EQ(PendingCell(0, Qt::ForegroundRole), QVariant());
    ASSERT_EQ(PendingCell(1, Qt::ForegroundRole), QVariant());

    EXPECT_TRUE(Commit().empty());
    EXPECT_EQ(OnDisk(), Strings({"2--x.txt", "2-x.txt"}));
    EXPECT_EQ(dir_.ReadFile("2--x.txt"), "2-x.txt");
    EXPECT_EQ(dir_.ReadFile("2-x.txt"), "2x.txt");
    EXPECT_EQ(Pending(), Strings({"", ""}));
    EXPECT_EQ(AsSorted(Names()), Strings({"2--x.txt", "2-x.txt"}));

    // Undo takes the chain back the other way round.
    EXPECT_TRUE(Undo().empty());
    EXPECT_EQ(OnDisk(), Strings({"2-x.txt", "2x.txt"}));
    EXPECT_EQ(dir_.ReadFile("2x.txt"), "2x.txt");
    EXPECT_EQ(dir_.ReadFile("2-x.txt"), "2-x.txt");
  }
};

TEST_F(RenameEngineWindowTest, ChainCommitsInNaturalRowOrder) { ExpectChainCommits(false); }

TEST_F(RenameEngineWindowTest, ChainCommitsInReversedRowOrder) { ExpectChainCommits(true); }

// Makes a folder refuse changes for as long as it lives: read-only for a user,
// immutable for root (whom permissions do not stop).
class LockedFolder {
 public:
  explicit LockedFolder(const std::string& path) : path_(path) {
    if (geteuid() != 0) {
      locked_ = chmod(path_.c_str(), 0555) == 0;
      return;
    }
    locked_ = SetImmutable(true);
  }
  ~LockedFolder() {
    if (!locked_) return;
    if (geteuid() != 0) {
      chmod(path_.c_str(), 0755);
    } else {
      SetImmutable(false);
    }
  }
  bool Locked() const { return locked_; }

 private:
  bool SetImmutable(bool on) {
    const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
  }

  std::string path_;
  bool locked_ = false;
};

TEST_F(RenameEngineWindowTest, DirectRunOnALockedFolderReportsTheFailuresAfterTheSummary) {
  MakeNamed({"01a.txt", "02b.txt", "说明.txt"});
  ASSERT_TRUE(Drop({PathOf("01a.txt")}).empty());
  LockedFolder lock(dir_.Path());
  if (!lock.Locked()) GTEST_SKIP() << "this file system cannot lock a folder";

  EXPECT_EQ(AddAfterNumber(U("-")),
            (std::vector<BoxRecord>{ConfirmBox(), PlainBox(U("没有任何改动"), U("没有改动")), Failed(2)}));
  EXPECT_EQ(Names(), Strings({"01a.txt", "02b.txt", "说明.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01a.txt", "02b.txt", "说明.txt"}));
}

TEST_F(RenameEngineWindowTest, PreviewMarksANameWithASeparatorAndTheCommitReportsIt) {
  MakeNamed({"01a.txt", "02b.txt", "x.txt"});
  ASSERT_TRUE(Drop({PathOf("01a.txt")}).empty());
  TogglePreview();
  EXPECT_EQ(AddAfterNumber(U("-"), {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  // A later step puts a separator into one name.
  Ui().编辑框_正则查找->setText(U("^x$"));
  Ui().编辑框_正则替换为->setText(U("x/y"));
  EXPECT_EQ(Click(Ui().按钮_正则替换, {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  ASSERT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt", "x/y.txt"}));
  EXPECT_EQ(PendingCell(0, Qt::ForegroundRole), QVariant());
  EXPECT_EQ(PendingCell(2, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
  EXPECT_EQ(PendingCell(2, Qt::ToolTipRole).toString(), U("文件名无效"));

  EXPECT_EQ(Commit(), std::vector<BoxRecord>{Failed(1)});
  EXPECT_EQ(Names(), Strings({"01-a.txt", "02-b.txt", "x.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "", "x/y.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt", "x.txt"}));
}

TEST_F(RenameEngineWindowTest, ADriveWithoutNoReplaceOrLinksRenamesFilesAndFoldersWithoutReplacing) {
  PlainDrive drive;
  MakeNamed({"01a.txt", "02b.txt"});
  dir_.MakeFolder("02-b.txt");  // not listed in the files mode, and in the way of 02b.txt
  dir_.MakeFile("02-b.txt/inner", "inner");
  ASSERT_TRUE(Drop({PathOf("01a.txt")}).empty());

  // Direct run.
  EXPECT_EQ(AddAfterNumber(U("-")), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(1), Failed(1)}));
  EXPECT_EQ(Names(), Strings({"01-a.txt", "02b.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt", "02b.txt"}));
  EXPECT_EQ(dir_.ReadFile("01-a.txt"), "01a.txt");
  EXPECT_EQ(dir_.ReadFile("02-b.txt/inner"), "inner");

  // Commit and undo.
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  EXPECT_EQ(Pending(), Strings({"01--a.txt", "02-b.txt"}));
  EXPECT_EQ(PendingCell(1, Qt::ToolTipRole).toString(), U("文件夹里已有同名文件"));
  EXPECT_EQ(Commit(), std::vector<BoxRecord>{Failed(1)});
  EXPECT_EQ(OnDisk(), Strings({"01--a.txt", "02-b.txt", "02b.txt"}));
  EXPECT_TRUE(Undo().empty());
  EXPECT_EQ(Names(), Strings({"01-a.txt", "02b.txt"}));
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02-b.txt", "02b.txt"}));
  EXPECT_EQ(dir_.ReadFile("01-a.txt"), "01a.txt");
  TogglePreview();

  // Folders, one of them onto a name a file holds.
  dir_.MakeFolder("03c");
  dir_.MakeFolder("04d");
  dir_.MakeFile("04-d", "a file");
  SetMode(1);
  ASSERT_TRUE(Drop({PathOf("03c")}).empty());
  EXPECT_EQ(AddAfterNumber(U("-")), (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(2), Failed(1)}));
  EXPECT_EQ(OnDisk(), Strings({"01-a.txt", "02--b.txt", "02b.txt", "03-c", "04-d", "04d"}));
  EXPECT_EQ(dir_.ReadFile("02--b.txt/inner"), "inner");
  EXPECT_EQ(dir_.ReadFile("04-d"), "a file");
}

}  // namespace
}  // namespace vantor::uitest
