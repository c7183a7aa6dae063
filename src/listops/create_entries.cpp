// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/create_entries.h"

#include "entries/paths.h"
#include "pipeline/long_work.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

bool CreatesFolders(const ByteText& kind) { return kind.empty() || kind == Gbk("创建目录"); }

void Inform(Prompter& prompter, const ByteText& text, const ByteText& title = DefaultMessageTitle()) {
  prompter.Inform(text, title, MessageIcon::kInformation);
}

}  // namespace

std::optional<ByteText> NameToCreate(const ByteText& listedName, const ByteText& kind) {
  ByteText name = NameOfPath(listedName);
  if (name.empty()) return std::nullopt;
  if (!CreatesFolders(kind)) name += kind;
  if (!IsPlainEntryName(name)) return std::nullopt;
  return name;
}

void CreateEntriesFromList(const EntryList& list, Prompter& prompter, const CreateEntriesSettings& settings,
                           const DiskPhaseRunner& runDiskPhase) {
  const InputText& target = settings.targetFolder;
  // A relative target would be taken from wherever the program was started.
  if (list.EntryDirectory().empty() || !target || target->empty() || *target == Gbk("将在这里创建") ||
      target->front() != kPathSeparator) {
    Inform(prompter, Gbk("请先填入有效路径，并选好后缀！\r\n如果想创建文件夹则不需要选后缀或者选择\"创建目录！\""));
    return;
  }
  const ByteText folder = target->back() == kPathSeparator ? *target : *target + kPathSeparator;
  if (!PathIsDirectory(folder)) {
    Inform(prompter, Gbk("这个路径并不存在"));
    return;
  }
  if (!RequireGbkForm(prompter, settings.kind)) return;
  const ByteText& kind = *settings.kind;
  const bool folders = CreatesFolders(kind);
  const ByteText content = Gbk("测试文件");

  int created = 0;
  LongWork work(list.RowCount(), nullptr);
  RunDiskPhase(runDiskPhase, work, [&] {
    for (int row = 0; row < list.RowCount() && !work.StopRequested(); ++row) {
      const std::optional<ByteText> name = NameToCreate(list.Cell(row, 0), kind);
      if (name && (folders ? CreateNewFolder(folder, *name) : CreateNewFile(folder, *name, content))) ++created;
      work.Reached(row + 1);
    }
  });
  if (created > 0) {
    Inform(prompter, Gbk("成功创建") + ToText(created) + Gbk("个文件夹"), Gbk("创建成果提示"));
  } else {
    Inform(prompter, Gbk("什么都没有创建"), Gbk("没有发生任何变化"));
  }
}

}  // namespace vantor
