// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/sort_by_time.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/file_system.h"

namespace vantor {

namespace {

int64_t TimeOf(const ByteText& path, FileTimeKind kind) {
  const std::optional<FileTimes> times = ReadFileTimes(path);
  if (!times) return std::numeric_limits<int64_t>::min();
  if (kind == FileTimeKind::kCreation && times->birth) return *times->birth;
  return times->lastWrite;
}

}  // namespace

void SortByFileTime(TextArray& names, const ByteText& entryDirectory, FileTimeKind kind) {
  struct Record {
    int64_t time;
    size_t index;
  };
  std::vector<Record> records;
  records.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) records.push_back({TimeOf(entryDirectory + names[i], kind), i});

  std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
    return a.time != b.time ? a.time > b.time : a.index > b.index;
  });

  TextArray sorted;
  sorted.reserve(names.size());
  for (const Record& record : records) sorted.push_back(std::move(names[record.index]));
  names = std::move(sorted);
}

}  // namespace vantor
