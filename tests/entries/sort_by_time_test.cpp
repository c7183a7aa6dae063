// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/sort_by_time.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/code_page.h"
#include "support/gbk_text.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

using ::vantor::testing::TempDir;

using ::vantor::testing::G;

constexpr time_t kDay = 1'717'200'000 - 1'717'200'000 % 86'400;  // midnight UTC, June 2024
constexpr time_t kHour = 3600;

void SetModified(const TempDir& dir, const std::string& name, time_t seconds) {
  const timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, (dir.Path() + name).c_str(), times, 0), 0) << name;
}

TextArray Sort(TextArray names, const TempDir& dir, FileTimeKind kind) {
  SortByFileTime(names, dir.Gbk(), kind);
  return names;
}

// Creation order for the birth time: coarse file-system clocks need a pause.
void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

TEST(SortByFileTime, PutsTheNewestModificationFirst) {
  TempDir dir;
  for (const char* name : {"第1集.mp4", "b", "c", "old", "new"}) dir.MakeFile(name);
  SetModified(dir, "第1集.mp4", kDay + 10 * kHour);
  SetModified(dir, "b", kDay + 11 * kHour);
  SetModified(dir, "c", kDay + 9 * kHour);
  EXPECT_EQ(Sort({G("第1集.mp4"), "b", "c"}, dir, FileTimeKind::kLastWrite),
            (TextArray{"b", G("第1集.mp4"), "c"}));

  // Before 1970 still orders by the moment.
  SetModified(dir, "old", -10 * 365 * 86'400);
  SetModified(dir, "new", -10 * 365 * 86'400 + 1);
  EXPECT_EQ(Sort({"old", "c", "new"}, dir, FileTimeKind::kLastWrite), (TextArray{"c", "new", "old"}));
}

TEST(SortByFileTime, PutsALaterRowFirstAmongEqualTimes) {
  TempDir dir;
  for (const char* name : {"a", "b", "c", "d"}) dir.MakeFile(name);
  for (const char* name : {"a", "b", "c"}) SetModified(dir, name, kDay);
  SetModified(dir, "d", kDay - kHour);
  EXPECT_EQ(Sort({"a", "d", "b", "c"}, dir, FileTimeKind::kLastWrite), (TextArray{"c", "b", "a", "d"}));
}

TEST(SortByFileTime, PutsMissingFilesLast) {
  TempDir dir;
  dir.MakeFile("a");
  dir.MakeFile("b");
  SetModified(dir, "a", 0);  // the epoch itself is a real time
  SetModified(dir, "b", kDay);
  EXPECT_EQ(Sort({"gone1", "a", "gone2", "b"}, dir, FileTimeKind::kLastWrite),
            (TextArray{"b", "a", "gone2", "gone1"}));
  EXPECT_EQ(Sort({"gone1", "a", "gone2", "b"}, dir, FileTimeKind::kCreation).back(), "gone1");
}

TEST(SortByFileTime, OrdersFoldersToo) {
  TempDir dir;
  for (const char* name : {"早", "晚", "中"}) dir.MakeFolder(name);
  SetModified(dir, "早", kDay);
  SetModified(dir, "晚", kDay + 2 * kHour);
  SetModified(dir, "中", kDay + kHour);
  EXPECT_EQ(Sort({G("早"), G("晚"), G("中")}, dir, FileTimeKind::kLastWrite),
            (TextArray{G("晚"), G("中"), G("早")}));
}

TEST(SortByFileTime, BothKindsAgreeWhenCreationFollowsModification) {
  TempDir dir;
  for (const char* name : {"a", "b", "c"}) {
    dir.MakeFile(name);
    Pause();
  }
  SetModified(dir, "a", kDay);
  SetModified(dir, "b", kDay + kHour);
  SetModified(dir, "c", kDay + 2 * kHour);
  const TextArray want = {"c", "b", "a"};
  EXPECT_EQ(Sort({"b", "a", "c"}, dir, FileTimeKind::kLastWrite), want);
  EXPECT_EQ(Sort({"b", "a", "c"}, dir, FileTimeKind::kCreation), want);
}

TEST(SortByFileTime, CreationKindUsesTheBirthTimeWhereReported) {
  TempDir dir;
  dir.MakeFile("born first");
  Pause();
  dir.MakeFile("born last");
  SetModified(dir, "born first", kDay + kHour);
  SetModified(dir, "born last", kDay);

  const std::optional<FileTimes> first = ReadFileTimes(dir.Gbk() + "born first");
  const std::optional<FileTimes> last = ReadFileTimes(dir.Gbk() + "born last");
  ASSERT_TRUE(first && last);
  // Where birth times exist, "born last" is newer (or, on a coarse clock, equal
  // and the later row): either way it comes first.
  const TextArray byWrite = {"born first", "born last"};
  const TextArray byBirth = {"born last", "born first"};
  EXPECT_EQ(Sort({"born first", "born last"}, dir, FileTimeKind::kCreation),
            first->birth ? byBirth : byWrite);
  EXPECT_EQ(Sort({"born first", "born last"}, dir, FileTimeKind::kLastWrite), byWrite);
}

}  // namespace
}  // namespace vantor
