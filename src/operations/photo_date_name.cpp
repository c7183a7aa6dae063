// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/photo_date_name.h"

#include <QDateTime>
#include <mutex>

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

std::optional<ByteText> FormatTakenTime(const TakenTime& time, const QString& format) {
  const QDate date(time.year, time.month, time.day);
  const QTime clock(time.hour, time.minute, std::min(time.second, 59));
  if (!date.isValid() || !clock.isValid()) return std::nullopt;
  return GbkFromUtf8(QDateTime(date, clock).toString(format).toStdString());
}

ByteText PhotoNames::Next(const ByteText& stem, const ByteText& extension) {
  ByteText name = stem + extension;
  int& count = given_[name];
  ++count;
  if (count == 1) return name;
  // Keep counting until the numbered name is one not handed out yet.
  for (int number = count;; ++number) {
    ByteText numbered = stem + "_" + ToText(number) + extension;
    if (given_.find(numbered) == given_.end()) {
      given_[numbered] = 1;
      count = number;
      return numbered;
    }
  }
}

namespace {

// The times a preview step has read, by file name, so that tuning the step
// does not read every photo again. Shared by the runs of one step, which may
// come from two threads.
struct ReadTimes {
  std::mutex mutex;
  std::unordered_map<ByteText, std::optional<TakenTime>> taken;
  std::unordered_map<ByteText, std::optional<TakenTime>> modified;
};

std::optional<TakenTime> ReadOnce(ReadTimes* times, bool modification, const ByteText& path,
                                  const ByteText& name) {
  if (times == nullptr) return modification ? ReadModificationTime(path) : ReadPhotoTakenTime(path);
  auto& known = modification ? times->modified : times->taken;
  {
    const std::lock_guard lock(times->mutex);
    const auto found = known.find(name);
    if (found != known.end()) return found->second;
  }
  std::optional<TakenTime> time = modification ? ReadModificationTime(path) : ReadPhotoTakenTime(path);
  const std::lock_guard lock(times->mutex);
  known.emplace(name, time);
  return time;
}

ReadTimes* ReadTimesOf(const RunContext& context) {
  if (context.step == nullptr || !context.step->state) return nullptr;
  std::any& state = *context.step->state;
  if (!state.has_value()) state = std::make_shared<ReadTimes>();
  return std::any_cast<std::shared_ptr<ReadTimes>&>(state).get();
}

}  // namespace

void RunPhotoDateName(const RunContext& context, const PhotoDateSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!CheckEntryDirectoryPresent(prompter, context.list)) return;
  if (!CheckFileMode(context)) return;
  if (!RequireText(prompter, settings.format, "日期格式不能为空")) return;
  if (!CheckEntryDirectoryUsable(prompter, context.list)) return;

  const std::optional<std::string> utf8Format = Utf8FromGbk(*settings.format);
  const QString format = QString::fromStdString(utf8Format.value_or(std::string()));
  const ByteText directory = context.list.EntryDirectory();
  PhotoNames names;
  ReadTimes* times = ReadTimesOf(context);
  RunRename(context, {}, [&](const RenameEntryView& entry) -> std::optional<ByteText> {
    // The file on disk still has the row's current name, whatever earlier
    // preview steps made of it, in the row's folder (a sub-folder in a tree).
    const ByteText onDisk = context.list.FolderOfRow(entry.row) + context.list.Cell(entry.row, 0);
    std::optional<TakenTime> taken = ReadOnce(times, false, directory + onDisk, onDisk);
    if (!taken && settings.modificationTimeWhenMissing) taken = ReadOnce(times, true, directory + onDisk, onDisk);
    if (!taken) return std::nullopt;
    const std::optional<ByteText> stem = FormatTakenTime(*taken, format);
    if (!stem || stem->empty()) return std::nullopt;
    return names.Next(*stem, entry.extension);
  });
}

}  // namespace vantor
