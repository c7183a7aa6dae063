// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/list_commands.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

// Every row as "folder|name|pending".
std::vector<std::string> TreeRows(const EntryList& list) {
  std::vector<std::string> rows;
  for (int row = 0; row < list.RowCount(); ++row) {
    rows.push_back(list.FolderOfRow(row) + "|" + list.Cell(row, 0) + "|" + list.Cell(row, 1));
  }
  return rows;
}

TEST(ListCommandsOnATree, MovesAndSortsWholeRowsSoEveryNameStaysInItsFolder) {
  testing::TempDir dir;
  dir.MakeFolder("s");
  dir.MakeFolder("t");
  const std::vector<std::pair<std::string, long>> files = {{"s/10", 300}, {"s/9", 100}, {"t/2", 200}};
  for (const auto& [path, seconds] : files) {
    dir.MakeFile(path);
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (dir.Path() + path).c_str(), times, 0), 0);
  }
  EntryList list;
  list.SetEntryDirectory(dir.Gbk());
  const uint32_t s = list.AddFolder("s/");
  const uint32_t t = list.AddFolder("t/");
  list.AppendRowInFolder("10", s);
  list.AppendRowInFolder("9", s);
  list.AppendRowInFolder("2", t);
  list.SetPreviewOn(true);
  list.SetEntryCell("p9", 1, 1);
  testing::ScriptedPrompter prompter;

  list.LastRightClickColumn = 0;
  MoveCellDown(list, prompter, 1);
  EXPECT_EQ(TreeRows(list), (std::vector<std::string>{"s/|10|", "t/|2|", "s/|9|p9"}));
  MoveCellUp(list, prompter, 1);
  EXPECT_EQ(TreeRows(list), (std::vector<std::string>{"t/|2|", "s/|10|", "s/|9|p9"}));
  SortListNaturally(list, prompter);
  EXPECT_EQ(TreeRows(list), (std::vector<std::string>{"t/|2|", "s/|9|p9", "s/|10|"}));
  list.SetPreviewOn(false);
  SortListByFileTime(list, prompter, FileTimeKind::kLastWrite);
  EXPECT_EQ(TreeRows(list), (std::vector<std::string>{"s/|10|", "t/|2|", "s/|9|"}));
  EXPECT_TRUE(prompter.boxes.empty());
}

}  // namespace
}  // namespace vantor
