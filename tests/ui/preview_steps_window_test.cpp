// SPDX-License-Identifier: GPL-3.0-or-later
// The preview as a list of steps: several operations in one preview, retuned
// live while the last one's inputs are edited, committed as one batch, and
// saved and applied as presets.
#include <QCheckBox>
#include <QInputDialog>
#include <QListWidget>
#include <QRadioButton>
#include <cstdlib>
#include <fstream>

#include "operations/operation_table.h"
#include "ui/window_driver.h"

namespace vantor::uitest {
namespace {

class PreviewStepsWindowTest : public WindowTest {
 protected:
  void Load(std::initializer_list<const char*> names) {
    MakeFiles(names);
    ASSERT_TRUE(Drop({PathOf(*names.begin())}).empty());
    TogglePreview();
  }

  QStringList StepList() const {
    QStringList lines;
    for (int i = 0; i < Ui().列表_预览步骤->count(); ++i) lines << Ui().列表_预览步骤->item(i)->text();
    return lines;
  }
  QString StatusLine() const { return Ui().标签_状态行->text(); }

  void SetNumbering() {
    Ui().编辑框17->setText(U("1"));
    Ui().编辑框19->setText(U("1"));
    Ui().组合框5->setCurrentIndex(Ui().组合框5->findText(U("-")));
  }
  std::vector<BoxRecord> Numbering() {
    SetNumbering();
    return Click(Ui().按钮_加序号, {Ok()});
  }
  std::vector<BoxRecord> Regex(const char* pattern, const char* replacement) {
    Ui().编辑框_正则查找->setText(U(pattern));
    Ui().编辑框_正则替换为->setText(U(replacement));
    return Click(Ui().按钮_正则替换);
  }
  std::vector<BoxRecord> AppendAtEnd(const char* text) {
    Ui().编辑框7->setText(U(text));
    return Click(Ui().按钮_最后面加);
  }

  // Lets the pause after typing pass and the step be computed again.
  void WaitForLive() {
    ASSERT_TRUE(WaitFor([this] { return !window_.StepsPanel().LiveBusy(); }));
    QCoreApplication::processEvents();
  }
};

// The preview notice, answered with its check box "本次不再提示" ticked.
std::vector<BoxRecord> TickingTheOptOut(const std::function<void()>& action) {
  std::vector<BoxRecord> seen;
  QTimer poll;
  poll.setInterval(2);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    seen.push_back(detail::Record(box));
    if (box->checkBox() != nullptr) {
      seen.back().text += U(" [") + box->checkBox()->text() + U("]");
      box->checkBox()->setChecked(true);
    }
    box->button(QMessageBox::Ok)->click();
  });
  poll.start();
  action();
  poll.stop();
  return seen;
}

TEST_F(PreviewStepsWindowTest, NumberingThenARegexShowBothStepsForEveryRowAndCommitAsOneBatch) {
  Load({"a.txt", "b.txt", "c.txt"});
  EXPECT_TRUE(Ui().列表_预览步骤->isVisible());

  std::vector<BoxRecord> notice{PreviewNoticeBox()};
  notice[0].text += U(" [本次不再提示]");
  SetNumbering();
  EXPECT_EQ(TickingTheOptOut([this] { QTest::mouseClick(Ui().按钮_加序号, Qt::LeftButton); }), notice);
  EXPECT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt", "03-c.txt"}));
  // Silenced: no more notices until the program quits.
  EXPECT_TRUE(Regex("^02-b$", "B").empty());
  EXPECT_EQ(Pending(), Strings({"01-a.txt", "B.txt", "03-c.txt"}));
  EXPECT_EQ(StepList(), Strings({"1 加序号", "2 正则替换"}));

  // Running the regex again retunes its step; matching nothing leaves no stale name.
  EXPECT_TRUE(Regex("zzz", "y").empty());
  EXPECT_EQ(Pending(), Strings({"01-a.txt", "02-b.txt", "03-c.txt"}));
  EXPECT_EQ(StepList(), Strings({"1 加序号", "2 正则替换"}));
  EXPECT_TRUE(StatusLine().endsWith(U("这一步没有改动任何名字"))) << StatusLine().toStdString();

  Regex("^02-b$", "B");
  AppendAtEnd("_x");
  EXPECT_EQ(StepList(), Strings({"1 加序号", "2 正则替换", "3 最尾部加"}));
  EXPECT_EQ(Pending(), Strings({"01-a_x.txt", "B_x.txt", "03-c_x.txt"}));

  EXPECT_TRUE(Click(Ui().按钮_确认无误执行吧).empty());
  EXPECT_EQ(OnDisk(), Strings({"01-a_x.txt", "03-c_x.txt", "B_x.txt"}));
  EXPECT_EQ(Names(), Strings({"01-a_x.txt", "B_x.txt", "03-c_x.txt"}));
  EXPECT_EQ(Pending(), Strings({"", "", ""}));
  EXPECT_TRUE(StepList().isEmpty());

  EXPECT_TRUE(Click(Ui().按钮_撤回上一步).empty());
  EXPECT_EQ(OnDisk(), Strings({"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(Names(), Strings({"a.txt", "b.txt", "c.txt"}));
}

TEST_F(PreviewStepsWindowTest, TypingRetunesTheLastStepLiveAndARefusalGoesToTheStatusLine) {
  Load({"a1.txt", "b2.txt", "ab.txt"});  // listed as a1, ab, b2
  Ui().单选框8->setChecked(true);  // "不限制"
  Ui().编辑框4->setText(U("a"));
  Ui().编辑框5->setText(U("x"));
  EXPECT_EQ(Click(Ui().按钮_替换, {Ok(), Ok()}), std::vector<BoxRecord>{ConfirmBox()});
  EXPECT_EQ(Pending(), Strings({"x1.txt", "xb.txt", ""}));

  // Typing in the step's boxes: no box, the column follows.
  AnswerBoxes([this] {
    QTest::keyClicks(Ui().编辑框5, U("yz"));
    WaitForLive();
  });
  EXPECT_EQ(Pending(), Strings({"xyz1.txt", "xyzb.txt", ""}));
  Ui().编辑框4->clear();
  WaitForLive();
  EXPECT_EQ(Pending(), Strings({"xyz1.txt", "xyzb.txt", ""}));
  EXPECT_TRUE(StatusLine().endsWith(U("去掉什么？不能为空"))) << StatusLine().toStdString();
  QTest::keyClicks(Ui().编辑框4, U("b"));
  WaitForLive();
  EXPECT_EQ(Pending(), Strings({"", "axyz.txt", "xyz2.txt"}));

  // Another operation's inputs change nothing until its button is pressed.
  Ui().编辑框6->setText(U("p-"));
  WaitForLive();
  EXPECT_EQ(Pending(), Strings({"", "axyz.txt", "xyz2.txt"}));
  EXPECT_EQ(Click(Ui().按钮_最前面加, {Ok()}), std::vector<BoxRecord>{PreviewNoticeBox()});
  EXPECT_EQ(Pending(), Strings({"p-a1.txt", "p-axyz.txt", "p-xyz2.txt"}));

  // Deleting the first step folds the second over the listed names again.
  Ui().列表_预览步骤->setCurrentRow(0);
  Ui().删除这一步->trigger();
  EXPECT_EQ(Ui().列表_预览步骤->count(), 1);
  EXPECT_EQ(Pending(), Strings({"p-a1.txt", "p-ab.txt", "p-b2.txt"}));
  Click(Ui().按钮_清除预览步骤);
  EXPECT_EQ(Pending(), Strings({"", "", ""}));
  EXPECT_EQ(OnDisk(), Strings({"a1.txt", "ab.txt", "b2.txt"}));
}

TEST_F(PreviewStepsWindowTest, ASavedPresetAppliesWholeAndABadOneIsRefusedWhole) {
  // Every operation of the table has its controls.
  for (const OperationKind& kind : OperationTable()) {
    const OperationBinding* binding = BindingOf(window_.Bindings(), kind);
    ASSERT_NE(binding, nullptr) << kind.id;
    EXPECT_NE(binding->button, nullptr) << kind.id;
  }
  const std::string config = dir_.Path() + ".config-home";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  Load({"a.txt", "b.txt"});
  Numbering();
  AppendAtEnd("_v2");
  ASSERT_EQ(Pending(), Strings({"01-a_v2.txt", "02-b_v2.txt"}));

  // Saved under a name the user types.
  QTimer::singleShot(50, [] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->setTextValue(U("整理 照片"));
    dialog->accept();
  });
  QTest::mouseClick(Ui().按钮_保存步骤, Qt::LeftButton);
  EXPECT_EQ(Ui().组合框_步骤方案->currentText(), U("整理 照片"));
  ASSERT_TRUE(QFileInfo::exists(U(config + "/vantor-rename/presets/整理 照片.json")));

  // Preview off drops the steps; the controls change; the preset brings both back.
  TogglePreview();
  Ui().编辑框7->setText(U("other"));
  Ui().编辑框17->setText(U("7"));
  EXPECT_TRUE(Click(Ui().按钮_应用步骤).empty());
  EXPECT_TRUE(window_.Entries().PreviewOn());
  EXPECT_EQ(StepList(), Strings({"1 加序号", "2 最尾部加"}));
  EXPECT_EQ(Pending(), Strings({"01-a_v2.txt", "02-b_v2.txt"}));
  EXPECT_EQ(Ui().编辑框7->text(), U("_v2"));
  EXPECT_EQ(Ui().编辑框17->text(), U("1"));

  // A preset with an unknown operation: one box naming the file and the problem, nothing applied.
  const std::string bad = config + "/vantor-rename/presets/坏.json";
  std::ofstream(bad) << R"({"format":"vantor-rename-steps","version":1,"steps":[)"
                        R"({"operation":"text_in_front","settings":{"text":"z"}},{"operation":"shout","settings":{}}]})";
  Ui().组合框_步骤方案->addItem(U("坏"));
  Ui().组合框_步骤方案->setCurrentText(U("坏"));
  EXPECT_EQ(Click(Ui().按钮_应用步骤),
            std::vector<BoxRecord>{InfoBox(U("步骤方案“") + U(bad) + U("”无法应用：\r\n第2步的操作“shout”不存在"), U("提示"))});
  EXPECT_EQ(StepList(), Strings({"1 加序号", "2 最尾部加"}));
  EXPECT_EQ(Pending(), Strings({"01-a_v2.txt", "02-b_v2.txt"}));
  EXPECT_EQ(Ui().编辑框6->text(), U(""));
  ::unsetenv("XDG_CONFIG_HOME");
}

// Over more rows than run inline, removing a step, applying a preset and
// clearing the steps fold on the runner's worker: the column is the same as
// inline, and a refused preset still shows its box and changes nothing.
TEST_F(PreviewStepsWindowTest, OnALongListRemovingAStepAndApplyingAPresetFoldOnTheRunner) {
  const std::string config = dir_.Path() + ".config-home";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  constexpr int kFiles = 400;
  for (int i = 0; i < kFiles; ++i) dir_.MakeFile(std::to_string(1000 + i) + ".txt");
  ASSERT_TRUE(Drop({PathOf("1000.txt")}).empty());
  TogglePreview();
  Ui().编辑框6->setText(U("p"));
  Click(Ui().按钮_最前面加, {Ok()});
  AppendAtEnd("_x");
  ASSERT_EQ(Pending().value(0), U("p1000_x.txt"));
  window_.StepsPanel().SavePresetAs(U("两步"));

  Ui().列表_预览步骤->setCurrentRow(0);
  EXPECT_TRUE(Trigger(Ui().删除这一步).empty());
  EXPECT_EQ(StepList(), Strings({"1 最尾部加"}));
  EXPECT_EQ(Pending().value(0), U("1000_x.txt"));
  EXPECT_EQ(Pending().value(kFiles - 1), U("1399_x.txt"));

  const std::string bad = config + "/vantor-rename/presets/坏.json";
  std::ofstream(bad) << R"({"format":"vantor-rename-steps","version":1,"steps":[)"
                        R"({"operation":"text_in_front","settings":{"text":"z"}},)"
                        R"({"operation":"regex_replace","settings":{"pattern":""}}]})";
  Ui().组合框_步骤方案->addItem(U("坏"));
  Ui().组合框_步骤方案->setCurrentText(U("坏"));
  const std::vector<BoxRecord> refused = Click(Ui().按钮_应用步骤);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_TRUE(refused[0].text.startsWith(U("步骤方案“") + U(bad) + U("”无法应用：\r\n第2步（正则替换）：")))
      << refused[0].text.toStdString();
  EXPECT_EQ(StepList(), Strings({"1 最尾部加"}));
  EXPECT_EQ(Pending().value(0), U("1000_x.txt"));

  Ui().组合框_步骤方案->setCurrentText(U("两步"));
  EXPECT_TRUE(Click(Ui().按钮_应用步骤).empty());
  EXPECT_EQ(StepList(), Strings({"1 最前面加", "2 最尾部加"}));
  EXPECT_EQ(Pending().value(0), U("p1000_x.txt"));
  EXPECT_EQ(Pending().value(kFiles - 1), U("p1399_x.txt"));
  Click(Ui().按钮_清除预览步骤);
  EXPECT_EQ(Pending().value(kFiles - 1), U(""));
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace vantor::uitest
