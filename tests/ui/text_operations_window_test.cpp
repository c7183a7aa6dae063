// SPDX-License-Identifier: GPL-3.0-or-later
// Delete beside a marker, remove the first number, append at the end and
// insert at an anchor, driven through the real window on a real folder: each
// button reads its own controls, refuses in its own words, and renames in
// preview and direct runs, in file and folder modes.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "ui/window_driver.h"

namespace vantor::uitest {

namespace {

const BoxRecord kNoDirectory = InfoBox(U("路径呢？请先拖入文件！"));
const BoxRecord kForbiddenText = PlainBox(U("不能改成这个东西"), U("信息："));

BoxRecord WillBeRenamed(int count) {
  return InfoBox(U("一共有") + QString::number(count) + U("个文件将被更名"), U("修改成果提示"));
}

class TextOperationsWindowTest : public WindowTest {
 protected:
  // Shows the button's tab page, types into the boxes and clicks the button.
  std::vector<BoxRecord> Press(QWidget* page, QAbstractButton* button,
                               std::initializer_list<std::pair<QLineEdit*, const char*>> texts,
                               std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(page);
    for (const auto& [box, text] : texts) box->setText(U(text));
    return Click(button, std::move(answers));
  }

  std::vector<BoxRecord> Commit() { return Click(Ui().按钮_确认无误执行吧); }
};

// ---- Delete beside a marker ----

TEST_F(TextOperationsWindowTest, DeleteBeforeTheLastMarkerRenamesFilesDirectly) {
  const MainWindowUi& ui = Ui();
  EXPECT_EQ(Press(ui.选择夹页_删除, ui.按钮_删前面, {{ui.编辑框8, ""}}),
            std::vector<BoxRecord>{InfoBox(U("去掉什么？不能为空"))});
  EXPECT_EQ(Press(ui.选择夹页_删除, ui.按钮_删前面, {{ui.编辑框8, "-"}}), std::vector<BoxRecord>{kNoDirectory});

  LoadFiles({"01-abc-def.txt", "x-y.mp4", "无标记.txt", "尾-.txt"});
  ui.单选框12->setChecked(true);
  ui.选择框3->setChecked(true);
  EXPECT_EQ(Press(ui.选择夹页_删除, ui.按钮_删前面, {{ui.编辑框8, "-"}}),
            (std::vector<BoxRecord>{ConfirmBox(), WillBeRenamed(2)}));
  EXPECT_EQ(OnDisk(), Strings({"def.txt", "y.mp4", "尾-.txt", "无标记.txt"}));
  EXPECT_TRUE(Names().contains(U("def.txt")));
  EXPECT_TRUE(Names().contains(U("尾-.txt")));  // nothing would be left of its stem

  // The first occurrence, marker kept.
  ui.单选框11->setChecked(true);
  ui.选择框3->setChecked(false);
  LoadFiles({"a-b-c.txt"});
  Press(ui.选择夹页_删除, ui.按钮_删前面, {{ui.编辑框8, "-"}});
  EXPECT_TRUE(OnDisk().contains(U("-b-c.txt")));
}

TEST_F(TextOperationsWindowTest, DeleteAfterTheFirstMarkerPreviewsAndCommitsWholeFolderNames) {
  const MainWindowUi& ui = Ui();
  LoadFolders({"a.b-c", "x-y-z", "plain"});
  TogglePreview();
  ui.单选框1->setChecked(true);
  ui.选择框4->setChecked(true);
  EXPECT_EQ(Press(ui.选择夹页_删除, ui.按钮_删后面, {{ui.编辑框9, "-"}}, {Ok()}),
            std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Names(), Strings({"a.b-c", "plain", "x-y-z"}));
  EXPECT_EQ(Pending(), Strings({"a.b", "", "x"}));
  EXPECT_EQ(OnDisk(), Strings({"a.b-c", "plain", "x-y-z"}));

  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"a.b", "plain", "x"}));
  EXPECT_EQ(Names(), Strings({"a.b", "plain", "x"}));
}

// ---- Remove the first number ----

TEST_F(TextOperationsWindowTest, RemoveFirstNumberAsksItsOwnQuestionKeepsDigitOnlyNamesAndShowsNoSummary) {
  const MainWindowUi& ui = Ui();
  LoadFiles({"01、开始.mp4", "123.txt", "初级教程02教程.doc", "第10课-2.txt"});
  const BoxRecord ask = ConfirmBox(U("将直接更名，确定吗？"));
  EXPECT_EQ(Press(ui.选择夹页_特殊功能, ui.按钮1, {{ui.编辑框15, "8"}}, {Cancel()}), std::vector<BoxRecord>{ask});
  EXPECT_EQ(OnDisk(), Strings({"01、开始.mp4", "123.txt", "初级教程02教程.doc", "第10课-2.txt"}));

  EXPECT_EQ(Press(ui.选择夹页_特殊功能, ui.按钮1, {{ui.编辑框15, "8"}}), std::vector<BoxRecord>{ask});
  EXPECT_EQ(OnDisk(), Strings({"123.txt", "、开始.mp4", "初级教程02教程.doc", "第课-2.txt"}));
  EXPECT_TRUE(Names().contains(U("第课-2.txt")));

  EXPECT_EQ(Press(ui.选择夹页_特殊功能, ui.按钮1, {{ui.编辑框15, ""}}), std::vector<BoxRecord>{ask});
  EXPECT_EQ(OnDisk(), Strings({"123.txt", "、开始.mp4", "初级教程教程.doc", "第课-.txt"}));
}

TEST_F(TextOperationsWindowTest, RemoveFirstNumberPreviewsFolderNames) {
  const MainWindowUi& ui = Ui();
  LoadFolders({"2020", "v1.5", "第3章"});
  TogglePreview();
  EXPECT_EQ(Press(ui.选择夹页_特殊功能, ui.按钮1, {{ui.编辑框15, ""}}, {Ok()}),
            std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Names(), Strings({"2020", "v1.5", "第3章"}));
  EXPECT_EQ(Pending(), Strings({"", "v.5", "第章"}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"2020", "v.5", "第章"}));
}

// ---- Append at the end ----

TEST_F(TextOperationsWindowTest, AppendAtEndRefusesThenAppendsInFrontOfTheExtension) {
  const MainWindowUi& ui = Ui();
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_最后面加, {{ui.编辑框7, ""}}),
            std::vector<BoxRecord>{InfoBox(U("弄啥嘞？不能为空"))});
  LoadFiles({"报告.final.docx", "README", ".gitignore"});
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_最后面加, {{ui.编辑框7, "v:2"}}), std::vector<BoxRecord>{kForbiddenText});

  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_最后面加, {{ui.编辑框7, "_v2"}}),
            (std::vector<BoxRecord>{ConfirmBox(), InfoBox(U("一共有2个文件被改名成功"), U("修改成果提示"))}));
  EXPECT_EQ(OnDisk(), Strings({".gitignore", "README_v2", "报告.final_v2.docx"}));
  EXPECT_TRUE(Names().contains(U("报告.final_v2.docx")));
}

TEST_F(TextOperationsWindowTest, AppendAtEndPutsTheTextAfterAWholeDottedFolderNameInPreviewAndOnDisk) {
  const MainWindowUi& ui = Ui();
  LoadFolders({"v1.5"});
  TogglePreview();
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_最后面加, {{ui.编辑框7, "_x"}}, {Ok()}),
            std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"v1.5_x"}));
  EXPECT_TRUE(Commit().empty());
  EXPECT_EQ(OnDisk(), Strings({"v1.5_x"}));

  TogglePreview();
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_最后面加, {{ui.编辑框7, "_y"}}),
            (std::vector<BoxRecord>{ConfirmBox(), InfoBox(U("一共有1个文件被改名成功"), U("修改成果提示"))}));
  EXPECT_EQ(OnDisk(), Strings({"v1.5_x_y"}));
  EXPECT_EQ(Names(), Strings({"v1.5_x_y"}));
}

// ---- Insert at an anchor ----

TEST_F(TextOperationsWindowTest, InsertAtAnchorRefusesEmptyTextsBeforeTheGuardsAndForbiddenOnesAfter) {
  const MainWindowUi& ui = Ui();
  const BoxRecord what = InfoBox(U("弄啥呢？"));
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, ""}, {ui.编辑框12, "x"}}),
            std::vector<BoxRecord>{what});
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, "集"}, {ui.编辑框12, ""}}),
            std::vector<BoxRecord>{what});
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, "集"}, {ui.编辑框12, "a/b"}}),
            std::vector<BoxRecord>{kNoDirectory});
  LoadFiles({"第1集.mp4"});
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, "集"}, {ui.编辑框12, "a/b"}}),
            std::vector<BoxRecord>{kForbiddenText});
  EXPECT_EQ(OnDisk(), Strings({"第1集.mp4"}));
}

TEST_F(TextOperationsWindowTest, InsertAtAnchorRenamesFilesOnTheSideItsCaptionShows) {
  const MainWindowUi& ui = Ui();
  LoadFiles({"第1集.mp4", "a_b_c.txt", "集.txt", "无.集"});
  ui.高级选择夹1->setCurrentWidget(ui.选择夹页_添加);
  QTest::mouseClick(ui.单选框4, Qt::LeftButton);
  EXPECT_EQ(ui.按钮_在某物前后加->text(), U("后面加"));
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, "集"}, {ui.编辑框12, "(完)"}}),
            (std::vector<BoxRecord>{ConfirmBox(), WillBeRenamed(2)}));
  EXPECT_EQ(OnDisk(), Strings({"a_b_c.txt", "无.集", "第1集(完).mp4", "集(完).txt"}));

  QTest::mouseClick(ui.单选框3, Qt::LeftButton);
  EXPECT_EQ(ui.按钮_在某物前后加->text(), U("前面加"));
  ui.单选框6->setChecked(true);
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, "_"}, {ui.编辑框12, "-"}}),
            (std::vector<BoxRecord>{ConfirmBox(), WillBeRenamed(1)}));
  EXPECT_TRUE(OnDisk().contains(U("a_b-_c.txt")));
  EXPECT_TRUE(Names().contains(U("a_b-_c.txt")));
}

TEST_F(TextOperationsWindowTest, InsertAtAnchorPreviewsThenRenamesFolderNames) {
  const MainWindowUi& ui = Ui();
  LoadFolders({"第1集", "其他.集"});
  TogglePreview();
  ui.单选框4->setChecked(true);
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, "集"}, {ui.编辑框12, "(完)"}}, {Ok()}),
            std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"第1集(完)", "其他.集(完)"}));
  EXPECT_EQ(OnDisk(), Strings({"其他.集", "第1集"}));

  TogglePreview();
  EXPECT_EQ(Press(ui.选择夹页_添加, ui.按钮_在某物前后加, {{ui.编辑框11, "集"}, {ui.编辑框12, "(完)"}}),
            (std::vector<BoxRecord>{ConfirmBox(), SummaryBox(2)}));
  EXPECT_EQ(OnDisk(), Strings({"其他.集(完)", "第1集(完)"}));
}

}  // namespace
}  // namespace vantor::uitest
