// The course every rename operation shares once its own checks and the guards
// have passed: walk the listed entries, compute each new name, and either show
// it in the preview column or rename on disk at once, then report.
#pragma once

#include <functional>
#include <optional>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "platform/prompter.h"

namespace vantor {

// How an operation departs from the common course.
struct RenameRunOptions {
  ByteText confirmText;             // empty: "确定更名吗？"
  bool applySkipExtension = true;   // leave out files of the skip-extension box
};

// The operation's new-name rule: the new stem for a stem (in folder mode the
// whole folder name), or nullopt when the entry does not change. `ordinal`
// counts the walked entries from 1.
using NewStemRule = std::function<std::optional<ByteText>(const ByteText& stem, int ordinal)>;

struct RenameRunResult {
  bool cancelled = false;
  int renamed = 0;    // names changed on disk
  int previewed = 0;  // pending names written
};

// Runs the file loop (modes "处理文件" and "拖几个改几个": the stem is the name
// without its extension, which is put back unchanged) or the folder loop (mode
// "处理文件夹": the whole name). Rows with an empty current name are passed over.
// Before the first entry: with preview off the confirmation (Cancel ends the
// run with nothing changed and no summary), with preview on the preview
// notice. A new name that is empty or equal to the old one changes nothing.
// Preview on: the pending name goes into column 1. Preview off: the entry is
// renamed on disk and, only when that succeeded, its row shows the new name;
// then the summary tells how many entries really changed.
RenameRunResult RunRename(EntryList& list, Prompter& prompter, const IntakeSettings& intake,
                          const RenameRunOptions& options, const NewStemRule& newStem);

}  // namespace vantor
