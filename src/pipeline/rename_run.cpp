#include "pipeline/rename_run.h"

#include "entries/paths.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

// Before the first entry: asks with preview off, tells with preview on.
bool AskBeforeFirstEntry(Prompter& prompter, const EntryList& list, const RenameRunOptions& options) {
  if (list.PreviewOn()) {
    prompter.Inform(Gbk("提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，执行吧\"！"),
                    Gbk("提示"), MessageIcon::kInformation);
    return true;
  }
  const ByteText text = options.confirmText.empty() ? Gbk("确定更名吗？") : options.confirmText;
  return prompter.Confirm(text, Gbk("提示"), MessageIcon::kNone);
}

void ReportRenamed(Prompter& prompter, int renamed) {
  if (renamed == 0) {
    prompter.Inform(Gbk("没有任何改动"), Gbk("没有改动"), MessageIcon::kNone);
  } else {
    prompter.Inform(Gbk("一共有") + ToText(renamed) + Gbk("个文件被改名成功"), Gbk("修改成果提示"),
                    MessageIcon::kNone);
  }
}

}  // namespace

RenameRunResult RunRename(EntryList& list, Prompter& prompter, const IntakeSettings& intake,
                          const RenameRunOptions& options, const NewStemRule& newStem) {
  RenameRunResult result;
  const bool folderLoop = intake.mode == ProcessingMode::kFolders;
  const bool preview = list.PreviewOn();
  const ByteText directory = list.EntryDirectory();
  EntryList::Batch batch(list);

  int ordinal = 0;
  for (int row = 0; row < list.RowCount(); ++row) {
    const ByteText name = list.Cell(row, 0);
    if (name.empty()) continue;
    ++ordinal;
    if (ordinal == 1 && !AskBeforeFirstEntry(prompter, list, options)) {
      result.cancelled = true;
      return result;
    }

    ByteText stem = name;
    ByteText extension;
    if (!folderLoop) {
      if (options.applySkipExtension && SkippedByExtension(name, intake)) continue;
      extension = ExtensionOfPath(name);
      stem = NameOfPath(name, false);
    }
    std::optional<ByteText> changed = newStem(stem, ordinal);
    if (!changed || *changed == stem) continue;
    ByteText newName = std::move(*changed) + extension;
    if (newName.empty() || newName == name) continue;

    if (preview) {
      list.SetEntryCell(newName, row, 1);
      ++result.previewed;
    } else if (RenameEntry(directory, name, newName)) {
      list.SetEntryCell(newName, row, 0);
      ++result.renamed;
    }
  }
  if (!preview) ReportRenamed(prompter, result.renamed);
  return result;
}

}  // namespace vantor
