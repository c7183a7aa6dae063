// SPDX-License-Identifier: GPL-3.0-or-later
// The list view and labels as the user sees them: a well-behaved model, names
// shown as plain text whatever they look like, and drops taken in only after
// the drop event has returned to the program the files came from.
#include <QAbstractItemModelTester>
#include <QTextDocument>

#include "ui/message_box_prompter.h"

#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class ListDisplayTest : public WindowTest {};

TEST_F(ListDisplayTest, TheModelPassesQtsModelTesterThroughLoadPreviewAndCommit) {
  QAbstractItemModelTester tester(View()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  MakeFiles({"1.txt", "2.txt", "3.txt"});
  ASSERT_TRUE(Drop({PathOf("1.txt")}).empty());
  TogglePreview();
  AddAfterNumber(U("-"), {Ok()});
  EXPECT_EQ(Pending(), Strings({"1-.txt", "2-.txt", "3-.txt"}));
  Click(Ui().按钮_确认无误执行吧);
  EXPECT_EQ(Names(), Strings({"1-.txt", "2-.txt", "3-.txt"}));
  Click(Ui().按钮_清空列表框);
  EXPECT_EQ(View()->model()->rowCount(), 0);
}

TEST_F(ListDisplayTest, NamesThatLookLikeMarkupAreShownAsTheyAre) {
  const std::string folder = "<h1>big<font color=red>课";
  dir_.MakeFolder(folder);
  dir_.MakeFile(folder + "/<b>第1课 &amp; <i>x.txt");
  ASSERT_TRUE(Drop({U(dir_.Path() + folder + "/<b>第1课 &amp; <i>x.txt")}).empty());

  EXPECT_EQ(Ui().标签2->textFormat(), Qt::PlainText);
  EXPECT_EQ(DirectoryLabel(), Folder(folder));
  const QString tip = View()->model()->index(0, 0).data(Qt::ToolTipRole).toString();
  // Rendered as rich text, the tooltip reads exactly the name.
  QTextDocument rendered;
  rendered.setHtml(tip);
  EXPECT_EQ(rendered.toPlainText(), U("<b>第1课 &amp; <i>x.txt"));

}

TEST_F(ListDisplayTest, MessageBoxesShowTheirTextAsPlainText) {
  MessageBoxPrompter prompter(&window_);
  Qt::TextFormat format = Qt::AutoText;
  QTimer::singleShot(0, [&format] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) format = box->textFormat();
  });
  const std::vector<BoxRecord> boxes =
      AnswerBoxes([&] { prompter.Inform(Gbk("<b>第1课</b>"), Gbk("提示"), MessageIcon::kInformation); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, U("<b>第1课</b>"));
  EXPECT_EQ(format, Qt::PlainText);
}

TEST_F(ListDisplayTest, ADropReturnsBeforeItsPathsAreTakenIn) {
  MakeFiles({"a.txt"});
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(PathOf("a.txt"))});
  const QPoint where = window_.rect().center();
  QDragEnterEvent enter(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window_, &enter);
  QDropEvent drop(QPointF(where), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window_, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_TRUE(Names().isEmpty());  // nothing yet: the event has only returned
  EXPECT_TRUE(AnswerBoxes([] { QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall); }).empty());
  EXPECT_EQ(Names(), Strings({"a.txt"}));
}

}  // namespace
}  // namespace vantor::uitest
