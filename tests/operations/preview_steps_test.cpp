// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/preview_steps.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include "operations/presets.h"
#include "pipeline/long_work.h"
#include "pipeline/pending_marks.h"
#include "pipeline/workbench.h"

namespace vantor {
namespace {

using testing::Workbench;

// The settings of an operation from its defaults with the given fields set.
std::any SettingsOf(const OperationKind& kind, const char* fieldsJson) {
  QJsonObject json = kind.toJson(kind.defaultSettings);
  const QJsonObject fields = QJsonDocument::fromJson(QByteArray(fieldsJson)).object();
  for (auto it = fields.begin(); it != fields.end(); ++it) json[it.key()] = it.value();
  std::string problem;
  std::any settings = kind.fromJson(json, problem);
  EXPECT_EQ(problem, "") << kind.id << " " << fieldsJson;
  return settings;
}

// Runs an operation as the user's next preview step, as the window does:
// it takes the last step's place when it is the same operation.
void AddStep(PreviewSteps& steps, Workbench& bench, const char* id, const char* fieldsJson) {
  const OperationKind* kind = FindOperation(id);
  ASSERT_NE(kind, nullptr) << id;
  const size_t place = steps.PlaceFor(*kind);
  PreviewStep step;
  step.kind = kind;
  step.settings = SettingsOf(*kind, fieldsJson);
  RunStepQuietly(bench.Context(), step, steps.NamesBefore(place));
  steps.Put(place, std::move(step), bench.list);
}

TEST(PreviewSteps, FoldEachStepOverTheNamesTheEarlierStepsMade) {
  struct StepSpec {
    const char* id;
    const char* fields;
  };
  struct Case {
    const char* what;
    std::vector<StepSpec> steps;
    int removeStep;                     // -1: none; else removed after all steps ran
    std::vector<std::string> column;    // pending names of a.txt, b.txt, c.jpg
    size_t stepCount;
    int lastChanged;                    // names the last step changed
  };
  const char* kNumbering = R"({"start":"1","step":"1","separator":"、"})";
  const Case cases[] = {
      {"numbering, then a regex that matches one row",
       {{"sequence_numbers", kNumbering}, {"regex_replace", R"({"pattern":"b$","replacement":"B"})"}},
       -1, {"01、a.txt", "02、B.txt", "03、c.jpg"}, 2, 1},
      {"a step that changes nothing",
       {{"append_at_end", R"({"text":"_x"})"}, {"regex_replace", R"({"pattern":"zzz","replacement":"y"})"}},
       -1, {"a_x.txt", "b_x.txt", "c_x.jpg"}, 2, 0},
      {"a later step changes again what an earlier one made",
       {{"text_in_front", R"({"text":"p-"})"}, {"replace_times", R"({"search":"p-","replacement":"q-","count":"","scope":"unrestricted"})"},
        {"regex_replace", R"({"pattern":"^q-c","replacement":"C"})"}},
       -1, {"q-a.txt", "q-b.txt", "C.jpg"}, 3, 1},
      {"a later step turns a name back: the row shows nothing",
       {{"append_at_end", R"({"text":"_x"})"}, {"regex_replace", R"({"pattern":"^a_x$","replacement":"a"})"}},
       -1, {"", "b_x.txt", "c_x.jpg"}, 2, 1},
      {"running the last operation again tunes it",
       {{"append_at_end", R"({"text":"_1"})"}, {"append_at_end", R"({"text":"_2"})"}},
       -1, {"a_2.txt", "b_2.txt", "c_2.jpg"}, 1, 3},
      {"the same operation after another one is a step of its own",
       {{"append_at_end", R"({"text":"_1"})"}, {"text_in_front", R"({"text":"x"})"}, {"append_at_end", R"({"text":"_2"})"}},
       -1, {"xa_1_2.txt", "xb_1_2.txt", "xc_1_2.jpg"}, 3, 3},
      {"removing a middle step folds the later ones again",
       {{"text_in_front", R"({"text":"p-"})"}, {"append_at_end", R"({"text":"_s"})"},
        {"regex_replace", R"({"pattern":"^p-(.)$","replacement":"$1!"})"}},
       1, {"a!.txt", "b!.txt", "c!.jpg"}, 2, 3},
      {"numbers follow list order after a step in front of them",
       {{"regex_replace", R"({"pattern":"b","replacement":"z"})"}, {"sequence_numbers", kNumbering}},
       -1, {"01、a.txt", "02、z.txt", "03、c.jpg"}, 2, 3},
      {"a refused step passes the names on and says why",
       {{"append_at_end", R"({"text":"_x"})"}, {"regex_replace", R"({"pattern":""})"}},
       -1, {"a_x.txt", "b_x.txt", "c_x.jpg"}, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Workbench bench;
    bench.Files({"a.txt", "b.txt", "c.jpg"});
    bench.Load();
    bench.list.SetPreviewOn(true);
    PreviewSteps steps;
    for (const StepSpec& step : c.steps) AddStep(steps, bench, step.id, step.fields);
    if (c.removeStep >= 0) {
      steps.Remove(static_cast<size_t>(c.removeStep));
      steps.Refold(bench.Context(), static_cast<size_t>(c.removeStep));
    }
    ShowPreviewColumn(bench.list, steps.Column(bench.list));
    EXPECT_EQ(bench.Column(1), c.column);
    EXPECT_EQ(steps.Count(), c.stepCount);
    EXPECT_EQ(steps.Steps().back().changed, c.lastChanged);
    EXPECT_TRUE(bench.prompter.boxes.empty());
    EXPECT_TRUE(steps.FoldedOver(bench.list));
  }
}

TEST(PreviewSteps, ColumnMarksNamesACommitWouldRefuseAndRefusalsAreKept) {
  Workbench bench;
  bench.Files({"a.txt", "b.txt", "a_x.txt"});
  bench.Load();
  bench.list.SetPreviewOn(true);
  PreviewSteps steps;
  AddStep(steps, bench, "regex_replace", R"({"pattern":"^b$","replacement":"a_x"})");
  AddStep(steps, bench, "delete_times", R"({"text":"nowhere","count":""})");
  ShowPreviewColumn(bench.list, steps.Column(bench.list));
  // Rows in name order: a.txt, a_x.txt, b.txt.
  EXPECT_EQ(bench.Column(1), (std::vector<std::string>{"", "", "a_x.txt"}));
  EXPECT_EQ(bench.list.MarkOf(2), PendingMark::kNameTaken);
  EXPECT_EQ(Utf8ForDisplay(steps.Steps().back().refusal), "找不到需要改的文件名");
  // Column 0 changing under the steps is seen.
  bench.list.SetEntryCell(testing::G("z.txt"), 0, 0);
  EXPECT_FALSE(steps.FoldedOver(bench.list));
}

// Every count a fold's progress display hears.
class ProgressRecorder : public RunProgress {
 public:
  void Started(int) override {}
  void Advanced(int done) override { told.push_back(done); }
  void Finished() override {}
  std::vector<int> told;
};

TEST(PreviewSteps, AFoldAndItsMarksTellARisingCountThatEndsAtTheTotalAndMarkAsWithout) {
  // More entries in the folder than rows listed (folders are not listed):
  // the read counts past its estimate, and one folder holds a pending name.
  constexpr int kFiles = 4500;
  Workbench bench;
  for (int i = 0; i < kFiles; ++i) {
    const std::string path = bench.dir.Path() + "f" + std::to_string(i) + ".txt";
    ASSERT_EQ(::close(::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644)), 0);  // empty files, made quickly
  }
  for (int i = 0; i < 300; ++i) bench.dir.MakeFolder(std::to_string(i) + "d");
  bench.dir.MakeFolder("f7_x.txt");
  bench.Load();
  bench.list.SetPreviewOn(true);
  ASSERT_EQ(bench.list.RowCount(), kFiles);
  PreviewSteps steps;
  AddStep(steps, bench, "text_in_front", R"({"text":"p"})");
  AddStep(steps, bench, "append_at_end", R"({"text":"_x"})");
  steps.Remove(0);

  ProgressRecorder recorder;
  LongWork work(kFiles, &recorder, /*stoppable=*/false);
  std::vector<WorkPart> parts =
      WorkPart(&work, work.Total()).Split({kFoldPlanWeight + kFoldTakeWeight, kFoldColumnWeight});
  EXPECT_EQ(steps.Refold(bench.Context(), 0, &parts[0]), 1u);
  const PreviewColumn told = steps.Column(bench.list, &parts[1]);
  parts[0].Finish();  // told through its parts already: adds nothing
  ASSERT_FALSE(recorder.told.empty());
  EXPECT_TRUE(std::is_sorted(recorder.told.begin(), recorder.told.end()));
  EXPECT_EQ(recorder.told.back(), kFiles);
  EXPECT_GE(std::set<int>(recorder.told.begin(), recorder.told.end()).size(), 20u);

  const PreviewColumn quiet = steps.Column(bench.list);
  EXPECT_EQ(told.pending, quiet.pending);
  EXPECT_EQ(told.marks, quiet.marks);
  ShowPreviewColumn(bench.list, told);
  const std::vector<std::string> names = bench.Column(0);
  const int taken = static_cast<int>(std::find(names.begin(), names.end(), "f7.txt") - names.begin());
  EXPECT_EQ(bench.Column(1)[static_cast<size_t>(taken)], "f7_x.txt");
  EXPECT_EQ(bench.list.MarkOf(taken), PendingMark::kNameTaken);

  // The marks of a plain preview tell their whole total too, and mark the same.
  for (int row = 0; row < kFiles; ++row) bench.list.SetPendingMark(row, PendingMark::kNone);
  int done = -1;
  int total = 0;
  MarkPendingConflicts(bench.list, {}, [&](LongWork& marking, const std::function<void()>& phase) {
    phase();
    done = marking.Done();
    total = marking.Total();
  });

  EXPECT_EQ(done, total);
  EXPECT_EQ(total, kFiles);
  for (int row = 0; row < kFiles; ++row) {
    ASSERT_EQ(bench.list.MarkOf(row), quiet.marks[static_cast<size_t>(row)]) << row;
  }
}

// Every row's settings survive JSON both ways, field by field, and a missing
// field or a value of the wrong type is named.
TEST(OperationTable, EverySettingsFieldRoundTripsThroughJson) {
  std::set<std::string> ids;
  for (const OperationKind& kind : OperationTable()) {
    SCOPED_TRACE(kind.id);
    EXPECT_TRUE(ids.insert(kind.id).second);
    for (char c : std::string(kind.id)) EXPECT_TRUE((c >= 'a' && c <= 'z') || c == '_');
    EXPECT_EQ(FindOperation(kind.id), &kind);
    std::set<std::string> keys;
    for (const SettingsField& field : kind.fields) EXPECT_TRUE(keys.insert(field.key).second) << field.key;
    for (int pattern = 0; pattern < 2; ++pattern) {
      QJsonObject sample;
      int i = pattern;
      for (const SettingsField& field : kind.fields) {
        const QString key = QString::fromStdString(field.key);
        switch (field.type) {
          case SettingsField::Type::kText:
            sample[key] = i % 3 == 2 ? QJsonValue(QJsonValue::Null) : QJsonValue(QStringLiteral("文%1").arg(i));
            break;
          case SettingsField::Type::kFlag:
            sample[key] = i % 2 == 0;
            break;
          case SettingsField::Type::kChoice:
            sample[key] = QString::fromStdString(field.choices[static_cast<size_t>(i) % field.choices.size()]);
            break;
        }
        ++i;
      }
      std::string problem;
      const std::any settings = kind.fromJson(sample, problem);
      ASSERT_EQ(problem, "");
      EXPECT_EQ(kind.toJson(settings), sample);
      for (const SettingsField& field : kind.fields) {
        QJsonObject missing = sample;
        missing.remove(QString::fromStdString(field.key));
        EXPECT_FALSE(kind.fromJson(missing, problem).has_value());
        EXPECT_NE(problem.find(field.key), std::string::npos) << problem;
        QJsonObject wrong = sample;
        wrong[QString::fromStdString(field.key)] = QJsonArray();
        EXPECT_FALSE(kind.fromJson(wrong, problem).has_value());
        EXPECT_NE(problem.find(field.key), std::string::npos) << problem;
      }
    }
  }
}

TEST(ReadPreset, RefusesABadFileWholeAndNamesTheProblem) {
  testing::TempDir dir;
  const std::string good = R"({"format":"vantor-rename-steps","version":1,"steps":[)"
                           R"({"operation":"append_at_end","settings":{"text":"_x"}},)"
                           R"({"operation":"letter_case","settings":{"mode":"upper","scope":"stem"}}]})";
  struct Case {
    const char* what;
    std::string content;
    const char* problem;
  };
  const Case cases[] = {
      {"not JSON", "{\"format\":", "不是有效的JSON文件"},
      {"another format", R"({"format":"x","version":1,"steps":[]})", "不是步骤方案文件"},
      {"a newer version", R"({"format":"vantor-rename-steps","version":2,"steps":[]})", "格式版本不对"},
      {"no steps", R"({"format":"vantor-rename-steps","version":1,"steps":[]})", "没有任何步骤"},
      {"an unknown operation", R"({"format":"vantor-rename-steps","version":1,"steps":[)"
                               R"({"operation":"append_at_end","settings":{"text":"_x"}},{"operation":"shout","settings":{}}]})",
       "第2步的操作“shout”不存在"},
      {"an operation that is no step", R"({"format":"vantor-rename-steps","version":1,"steps":[{"operation":"video_tag","settings":{}}]})",
       "不能作为预览步骤"},
      {"a missing field", R"({"format":"vantor-rename-steps","version":1,"steps":[{"operation":"append_at_end","settings":{}}]})",
       "缺少设置项“text”"},
      {"a bad choice", R"({"format":"vantor-rename-steps","version":1,"steps":[)"
                       R"({"operation":"letter_case","settings":{"mode":"shouting","scope":"stem"}}]})",
       "设置项“mode”的值不对"},
      {"too large", good + std::string(kPresetMaxBytes, ' '), "文件太大"},
      {"a folder", "", "不是普通文件"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.Path() + c.what + ".json";
    if (std::string(c.what) == "a folder") {
      dir.MakeFolder(std::string(c.what) + ".json");
    } else {
      std::ofstream(path) << c.content;
    }
    std::string problem;
    EXPECT_TRUE(ReadPreset(path, problem).empty());
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }

  // A good file, saved again under the config folder, reads back the same.
  std::ofstream(dir.Path() + "good.json") << good;
  std::string problem;
  const std::vector<PresetStep> steps = ReadPreset(dir.Path() + "good.json", problem);
  ASSERT_EQ(steps.size(), 2u) << problem;
  EXPECT_STREQ(steps[1].kind->id, "letter_case");
  ::setenv("XDG_CONFIG_HOME", (dir.Path() + "config").c_str(), 1);
  const std::string saved = PresetPath("照片 整理");
  ASSERT_TRUE(SavePreset(saved, steps, problem)) << problem;
  EXPECT_EQ(PresetNames(), std::vector<std::string>{"照片 整理"});
  EXPECT_EQ(PresetText(ReadPreset(saved, problem)), PresetText(steps));
  struct stat info {};
  ASSERT_EQ(::stat(saved.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(::stat(PresetsFolder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(PresetPath("a/b"), "");
  EXPECT_EQ(PresetPath(".."), "");
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace vantor
