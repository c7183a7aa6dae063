// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/headless_run.h"

#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "entries/messages.h"
#include "operations/presets.h"
#include "operations/preview_steps.h"
#include "pipeline/apply_batch.h"
#include "pipeline/batch_history.h"
#include "pipeline/pending_marks.h"
#include "pipeline/rename_batch.h"
#include "pipeline/reports.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/prompter.h"

namespace vantor {

namespace {

constexpr std::string_view kArrow = " → ";

std::string Shown(const ByteText& gbk) { return TerminalText(Utf8ForDisplay(gbk)); }

// Every box the core would show becomes lines on err; a question is taken
// as asked by the command itself.
class StandardErrorPrompter : public Prompter {
 public:
  explicit StandardErrorPrompter(std::ostream& err) : err_(err) {}
  void Inform(const ByteText& text, const ByteText&, MessageIcon) override {
    last_ = text;
    const std::string utf8 = Utf8ForDisplay(text);
    size_t from = 0;
    while (from <= utf8.size()) {
      size_t end = utf8.find("\r\n", from);
      if (end == std::string::npos) end = utf8.size();
      err_ << "vantor-rename: " << TerminalText(std::string_view(utf8).substr(from, end - from)) << '\n';
      from = end + 2;
    }
  }
  bool Confirm(const ByteText& text, const ByteText& title, MessageIcon icon) override {
    Inform(text, title, icon);
    return true;
  }
  // The text of the last box; empty when none was shown.
  const ByteText& Last() const { return last_; }

 private:
  std::ostream& err_;
  ByteText last_;
};

void Complain(std::ostream& err, const std::string& utf8) { err << "vantor-rename: " << utf8 << '\n'; }

// A folder named on the command line: its entry directory, or a complaint.
std::optional<ByteText> UsableFolder(const std::string& native, std::ostream& err) {
  const std::optional<ByteText> folder = GbkFromUtf8(native);
  if (!folder) {
    Complain(err, "路径不是UTF-8编码，无法处理：" + Shown(GbkShowingBadBytes(native)));
    return std::nullopt;
  }
  if (!PathIsDirectory(*folder)) {
    Complain(err, "找不到文件夹：" + TerminalText(native));
    return std::nullopt;
  }
  if (::access(native.c_str(), R_OK | X_OK) != 0) {
    Complain(err, "文件夹无法读取：" + TerminalText(native));
    return std::nullopt;
  }
  return native == "/" ? *folder : *folder + "/";
}

// The file of a preset given by name, or by a path (holding "/", or ending
// in ".json" and present).
std::string PresetFileOf(const std::string& given) {
  std::error_code error;
  const bool isPath = given.find('/') != std::string::npos ||
                      (given.ends_with(".json") && std::filesystem::is_regular_file(given, error));
  return isPath ? given : PresetPath(given);
}

enum class Outcome { kRenamed, kWouldRename, kConflict, kFailed };

struct EntryResult {
  const ByteText* folder = nullptr;  // the folder named on the command line, ending with "/"
  const ByteText* relative = nullptr;  // the entry's folder below it ("" or ending with "/")
  ByteText oldName;
  ByteText newName;
  Outcome outcome = Outcome::kRenamed;
  RenameProblem problem = RenameProblem::kNone;
};

bool IsConflict(RenameProblem problem) {
  return problem == RenameProblem::kDuplicateName || problem == RenameProblem::kNameTaken ||
         problem == RenameProblem::kInvalidName;
}

// Stable names of the problems for the JSON document.
const char* ReasonId(RenameProblem problem) {
  switch (problem) {
    case RenameProblem::kInvalidName:
      return "invalid-name";
    case RenameProblem::kDuplicateName:
      return "duplicate-name";
    case RenameProblem::kNameTaken:
      return "name-taken";
    case RenameProblem::kFailed:
      return "failed";
    case RenameProblem::kNotReached:
      return "not-reached";
    case RenameProblem::kReplaced:
      return "replaced";
    case RenameProblem::kNone:
      break;
  }
  return "";
}

const char* OutcomeId(Outcome outcome) {
  switch (outcome) {
    case Outcome::kRenamed:
      return "renamed";
    case Outcome::kWouldRename:
      return "would-rename";
    case Outcome::kConflict:
      return "conflict";
    case Outcome::kFailed:
      return "failed";
  }
  return "";
}

// One folder of the run: listed, its pending names computed and marked.
struct FolderRun {
  ByteText directory;
  EntryList list;
  std::vector<PlannedRename> plan;
};

std::string FolderForPeople(const ByteText& directory) {
  std::string shown = Utf8ForDisplay(directory);
  if (shown.size() > 1 && shown.back() == '/') shown.pop_back();
  return shown;
}

class PresetRun {
 public:
  PresetRun(const CommandLine& line, std::ostream& out, std::ostream& err)
      : line_(line), out_(out), err_(err), prompter_(err) {}

  int Run() {
    const std::string file = PresetFileOf(line_.preset);
    std::string problem = file.empty() ? "这个名称不能是步骤方案的名称" : std::string();
    std::error_code error;
    if (!file.empty() && !std::filesystem::exists(file, error)) {
      Complain(err_, "找不到步骤方案：" + TerminalText(line_.preset) + "（--list-presets 列出保存的步骤方案）");
      return kExitUnusable;
    }
    const std::vector<PresetStep> preset = file.empty() ? std::vector<PresetStep>() : ReadPreset(file, problem);
    if (preset.empty()) {
      Complain(err_, "步骤方案“" + TerminalText(file.empty() ? line_.preset : file) + "”无法读取：" +
                         TerminalText(problem.empty() ? std::string("无法读取") : problem));
      return kExitUnusable;
    }
    const std::string name = std::filesystem::path(line_.preset).stem().string();
    caption_ = Gbk("步骤方案：") + GbkFromUtf8(name).value_or(ByteText());

    for (const std::string& path : line_.paths) {
      const std::optional<ByteText> directory = UsableFolder(path, err_);
      if (!directory) return kExitUnusable;
      // A folder named twice is one folder: its names are planned once.
      if (std::any_of(folders_.begin(), folders_.end(),
                      [&](const std::unique_ptr<FolderRun>& known) { return known->directory == *directory; })) {
        continue;
      }
      auto folder = std::make_unique<FolderRun>();
      folder->directory = *directory;
      folders_.push_back(std::move(folder));
    }
    // Every folder is planned before the first rename: a preset that cannot
    // run on one of them changes nothing anywhere.
    for (const std::unique_ptr<FolderRun>& folder : folders_) {
      if (!Plan(*folder, preset)) return kExitUnusable;
    }
    for (const std::unique_ptr<FolderRun>& folder : folders_) {
      if (line_.dryRun) {
        Foresee(*folder);
      } else {
        Apply(*folder);
      }
    }
    return Report();
  }

 private:
  bool Plan(FolderRun& folder, const std::vector<PresetStep>& preset) {
    EntryList& list = folder.list;
    list.SetEntryDirectory(folder.directory);
    list.SetPreviewOn(true);
    IntakeSettings intake;
    intake.mode = line_.mode;
    intake.showHidden = line_.hidden;
    const LeftOutNames leftOut = LoadFolderEntries(list, intake);
    if (leftOut.count > 0) prompter_.Inform(messages::UnconvertibleNames(leftOut), {}, MessageIcon::kInformation);
    if (list.RowCount() == 0) return true;  // nothing to rename, nothing to refuse

    PreviewSteps steps;
    const size_t refused = FoldPreset(RunContext{list, prompter_, intake}, preset, steps);
    if (refused < preset.size()) {
      const PreviewStep& step = steps.Steps().back();
      Complain(err_, "步骤方案“" + TerminalText(line_.preset) + "”不能用于" + TerminalText(FolderForPeople(folder.directory)) +
                         "：第" + std::to_string(refused + 1) + "步（" + step.kind->caption + "）：" +
                         (step.refusal.empty() ? std::string("这一步无法执行") : Shown(step.refusal)));
      return false;
    }
    // A real run learns the conflicts from the rename engine, which checks
    // the same rules; only the dry run needs the preview's marks.
    ShowPreviewColumn(list, steps.Column(list, nullptr, /*marked=*/line_.dryRun));
    folder.plan = PendingRenames(list);
    return true;
  }

  void Foresee(FolderRun& folder) {
    for (const PlannedRename& rename : folder.plan) {
      if (rename.oldName == rename.newName) continue;
      const RenameProblem problem = ProblemOfMark(folder.list.MarkOf(rename.row));
      Note({&folder.directory, &folder.list.Folders()[rename.folder], rename.oldName, rename.newName,
            problem == RenameProblem::kNone ? Outcome::kWouldRename : Outcome::kConflict, problem});
    }
  }

  void Apply(FolderRun& folder) {
    if (folder.plan.empty()) return;
    // The rows keep both names: the batch is told no list to write back.
    std::vector<int> rows;
    rows.reserve(folder.plan.size());
    for (const PlannedRename& rename : folder.plan) rows.push_back(rename.row);
    ApplyOptions options;
    options.folder = folder.list.EntryFolder();
    if (folder.list.HasFolders()) options.folders = &folder.list.Folders();
    const AppliedBatch applied = ApplyBatch(folder.directory, std::move(folder.plan), caption_, BatchRows{}, options);
    const BatchOutcome& outcome = applied.outcome;
    ReportBatchNotStarted(prompter_, outcome);
    for (size_t i = 0; i < rows.size(); ++i) {
      const ByteText& oldName = folder.list.Cell(rows[i], 0);
      const ByteText& newName = folder.list.Cell(rows[i], 1);
      if (oldName == newName) continue;
      const bool done = i < outcome.done.size() && outcome.done[i];
      RenameProblem problem = i < outcome.problems.size() ? outcome.problems[i] : RenameProblem::kFailed;
      if (!done && problem == RenameProblem::kNone) problem = RenameProblem::kFailed;  // the batch did not start
      Note({&folder.directory, &folder.list.FolderOfRow(rows[i]), oldName, newName,
            done ? Outcome::kRenamed : IsConflict(problem) ? Outcome::kConflict : Outcome::kFailed, problem});
    }
  }

  void Note(EntryResult result) {
    if (result.outcome == Outcome::kRenamed || result.outcome == Outcome::kWouldRename) {
      ++done_;
    } else {
      ++notDone_;
    }
    results_.push_back(std::move(result));
  }

  std::string Line(const EntryResult& result) const {
    std::string line;
    if (folders_.size() > 1) line += TerminalText(Utf8ForDisplay(*result.folder));
    line += TerminalText(Utf8ForDisplay(*result.relative));
    line += Shown(result.oldName);
    line += kArrow;
    line += Shown(result.newName);
    return line;
  }

  int Report() {
    std::string printed;
    for (const EntryResult& result : results_) {
      if (result.outcome == Outcome::kRenamed || result.outcome == Outcome::kWouldRename) {
        if (!line_.json) printed += Line(result) + '\n';
      } else {
        Complain(err_, std::string(result.outcome == Outcome::kConflict ? "冲突：" : "失败：") + Line(result) + "（" +
                           ReasonOfProblem(result.problem) + "）");
      }
    }
    const std::string summary = line_.dryRun ? "将改名" + std::to_string(done_) + "个，冲突" + std::to_string(notDone_) + "个"
                                             : "已改名" + std::to_string(done_) + "个，失败" + std::to_string(notDone_) + "个";
    if (line_.json) {
      printed = Document();
      Complain(err_, summary);
    } else {
      printed += summary + '\n';
    }
    out_ << printed << std::flush;
    return notDone_ > 0 ? kExitPartly : kExitDone;
  }

  std::string Document() const {
    QJsonArray entries;
    for (const EntryResult& result : results_) {
      QJsonObject entry{{"folder", QString::fromStdString(FolderForPeople(*result.folder + *result.relative))},
                        {"old", QString::fromStdString(Utf8ForDisplay(result.oldName))},
                        {"new", QString::fromStdString(Utf8ForDisplay(result.newName))},
                        {"outcome", QString::fromLatin1(OutcomeId(result.outcome))}};
      if (result.problem != RenameProblem::kNone) {
        entry.insert("reason", QString::fromLatin1(ReasonId(result.problem)));
        entry.insert("message", QString::fromUtf8(ReasonOfProblem(result.problem)));
      }
      entries.append(entry);
    }
    QJsonObject document{{"preset", QString::fromStdString(line_.preset)},
                         {"dryRun", line_.dryRun},
                         {"entries", entries}};
    document.insert(line_.dryRun ? "wouldRename" : "renamed", done_);
    document.insert(line_.dryRun ? "conflicts" : "failed", notDone_);
    return QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
  }

  const CommandLine& line_;
  std::ostream& out_;
  std::ostream& err_;
  StandardErrorPrompter prompter_;
  ByteText caption_;
  std::vector<std::unique_ptr<FolderRun>> folders_;
  std::vector<EntryResult> results_;
  int done_ = 0;
  int notDone_ = 0;
};

int UndoFolder(const std::string& path, std::ostream& out, std::ostream& err) {
  const std::optional<ByteText> directory = UsableFolder(path, err);
  if (!directory) return kExitUnusable;
  EntryList list;
  list.SetEntryDirectory(*directory);
  StandardErrorPrompter prompter(err);
  bool ran = false;
  int back = 0;
  int notBack = 0;
  const std::string record = UndoNewestBatch(list, prompter, [&](int renamed, int failed) {
    ran = true;
    back = renamed;
    notBack = failed;
  });
  if (!ran) return prompter.Last() == messages::NothingToUndo() ? kExitDone : kExitPartly;
  std::string printed;
  if (!record.empty()) {
    for (const RecordedRename& rename : BatchHistory().Renames(record).value_or(std::vector<RecordedRename>())) {
      printed += Shown(rename.oldName) + std::string(kArrow) + Shown(rename.newName) + '\n';
    }
  }
  printed += "已改回" + std::to_string(back) + "个，没能改回" + std::to_string(notBack) + "个\n";
  out << printed << std::flush;
  return notBack > 0 ? kExitPartly : kExitDone;
}

int ListPresets(std::ostream& out, std::ostream& err) {
  const std::vector<std::string> names = PresetNames();
  if (names.empty()) Complain(err, "还没有保存的步骤方案（" + TerminalText(PresetsFolder()) + "）");
  for (const std::string& name : names) out << TerminalText(name) << '\n';
  out << std::flush;
  return kExitDone;
}

}  // namespace

std::string TerminalText(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(utf8.size());
  for (const char byte : utf8) {
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x20 || code == 0x7F) {
      shown += "\\x";
      shown += kHex[code >> 4];
      shown += kHex[code & 0xF];
    } else {
      shown += byte;
    }
  }
  return shown;
}

int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err) {
  switch (line.action) {
    case CommandLine::Action::kApplyPreset:
      return PresetRun(line, out, err).Run();
    case CommandLine::Action::kUndo:
      return UndoFolder(line.paths.front(), out, err);
    case CommandLine::Action::kListPresets:
      return ListPresets(out, err);
    default:
      break;
  }
  return kExitUnusable;
}

}  // namespace vantor
