// SPDX-License-Identifier: GPL-3.0-or-later
// "按拍摄日期命名": names photos after the date they were taken (EXIF
// DateTimeOriginal), written with a Qt date-time format; the extension stays.
#pragma once

#include <QString>
#include <optional>
#include <unordered_map>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"
#include "platform/photo_date.h"

namespace vantor {

struct PhotoDateSettings {
  InputText format;                   // 编辑框_日期格式, e.g. "yyyyMMdd_HHmmss"
  bool modificationTimeWhenMissing = false;  // 选择框_无日期用修改时间
};

// The time written with a Qt date-time format ("yyyyMMdd_HHmmss" ->
// "20240501_134500"), as GBK; nullopt for an impossible date or a result with
// no GBK form.
std::optional<ByteText> FormatTakenTime(const TakenTime& time, const QString& format);

// Hands out names in row order so that none repeats: the second and later
// requests for the same stem and extension get "_2", "_3", … after the stem.
// PhotoNames n; n.Next("a", ".jpg") == "a.jpg"; n.Next("a", ".jpg") == "a_2.jpg".
class PhotoNames {
 public:
  ByteText Next(const ByteText& stem, const ByteText& extension);

 private:
  std::unordered_map<ByteText, int> given_;  // name -> how often its stem was asked for
};

// Guard 1, folder mode ("此功能无法对文件夹进行修改"), the format ("日期格式不能为空"),
// guards 2 and 3, then the rename course. Files without a date (and without
// the modification-time fallback) keep their names.
void RunPhotoDateName(const RunContext& context, const PhotoDateSettings& settings);

}  // namespace vantor
