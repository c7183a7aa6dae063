#include "operations/photo_date_name.h"

#include <QDateTime>

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
  RunRename(context, {}, [&](const RenameEntryView& entry) -> std::optional<ByteText> {
    std::optional<TakenTime> taken = ReadPhotoTakenTime(directory + entry.name);
    if (!taken && settings.modificationTimeWhenMissing) taken = ReadModificationTime(directory + entry.name);
    if (!taken) return std::nullopt;
    const std::optional<ByteText> stem = FormatTakenTime(*taken, format);
    if (!stem || stem->empty()) return std::nullopt;
    return names.Next(*stem, entry.extension);
  });
}

}  // namespace vantor
