// SPDX-License-Identifier: GPL-3.0-or-later
// What the rename tests share: a real folder with an entry list loaded from
// it, a scripted prompter, the intake settings, and readable views of all
// three (UTF-8 texts) for assertions.
#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "pipeline/batch_history.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantor::testing {

inline ByteText G(std::string_view utf8) { return GbkFromUtf8(utf8).value(); }

// One message box as the user sees it.
struct Box {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::kInformation;
  bool confirm = false;
  bool operator==(const Box&) const = default;
};

inline void PrintTo(const Box& box, std::ostream* out) {
  *out << "[" << box.title << "] " << box.text << " (icon " << static_cast<int>(box.icon)
       << (box.confirm ? ", OK/Cancel)" : ")");
}

inline const Box kConfirmRename{"确定更名吗？", "提示", MessageIcon::kNone, true};
inline const Box kPreviewNotice{
    "提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，执行吧\"！", "提示"};
inline const Box kNothingChanged{"没有任何改动", "没有改动", MessageIcon::kNone};
inline Box RenamedSummary(int count) {
  return {"一共有" + std::to_string(count) + "个文件被改名成功", "修改成果提示", MessageIcon::kNone};
}
inline Box FailedRenames(int count) {
  return {"有" + std::to_string(count) + "个文件改名失败，已保留原名", "提醒："};
}
inline Box Reminder(std::string text) { return {std::move(text), "提醒："}; }

struct Workbench {
  explicit Workbench(ProcessingMode mode = ProcessingMode::kFiles) { intake.mode = mode; }

  void Files(std::initializer_list<std::string> utf8Names) {
    for (const std::string& name : utf8Names) dir.MakeFile(name, "content of " + name);
  }
  void Folders(std::initializer_list<std::string> utf8Names) {
    for (const std::string& name : utf8Names) dir.MakeFolder(name);
  }

  // Sets the entry directory to the folder and loads it by the current settings.
  void Load() {
    list.Clear();
    list.SetEntryDirectory(dir.Gbk());
    LoadFolderEntries(list, intake);
  }

  // Rows appended by hand, as the dropped-items mode and row edits leave them.
  void Rows(std::initializer_list<std::string> utf8Names) {
    list.SetEntryDirectory(dir.Gbk());
    for (const std::string& name : utf8Names) list.AppendRow(G(name));
  }

  void Pending(int row, std::string_view utf8Name) { list.SetEntryCell(G(utf8Name), row, 1); }

  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int row = 0; row < list.RowCount(); ++row) texts.push_back(Utf8ForDisplay(list.Cell(row, column)));
    return texts;
  }

  // The old names of the folder's newest batch in the rename history, in its order.
  std::vector<std::string> RecordedOldNames() const {
    std::vector<std::string> texts;
    const BatchHistory history;
    for (const BatchSummary& batch : history.List()) {
      if (batch.folder != dir.Gbk()) continue;
      const std::vector<RecordedRename> renames = history.Renames(batch.id).value();
      for (const RecordedRename& done : renames) texts.push_back(Utf8ForDisplay(done.oldName));
      break;
    }
    return texts;
  }

  // Names in the folder; folders carry a trailing "/".
  std::set<std::string> OnDisk() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      names.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    }
    return names;
  }

  std::vector<Box> Boxes() const {
    std::vector<Box> boxes;
    for (const RecordedBox& box : prompter.boxes) boxes.push_back({box.text, box.title, box.icon, box.confirm});
    return boxes;
  }

  RunContext Context() { return RunContext{list, prompter, intake}; }

  TempDir dir;
  EntryList list;
  ScriptedPrompter prompter;
  IntakeSettings intake;
};

// Runs the rename course with a rule over the stem and the walked row's ordinal;
// the extension stays.
using StemAndOrdinalRule = std::function<std::optional<ByteText>(const ByteText& stem, int ordinal)>;
inline RenameRunResult RunStemRule(Workbench& bench, const RenameRunOptions& options, StemAndOrdinalRule rule) {
  return RunRename(bench.Context(), options, [&rule](const RenameEntryView& entry) -> std::optional<ByteText> {
    std::optional<ByteText> stem = rule(entry.stem, entry.ordinal);
    if (!stem) return std::nullopt;
    return *stem + entry.extension;
  });
}

}  // namespace vantor::testing
