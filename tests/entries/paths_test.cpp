// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/paths.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/code_page.h"
#include "support/gbk_text.h"

namespace vantor {
namespace {

using ::vantor::testing::G;

// 盶 is B1 5C in GBK: its trail byte is a backslash.
const ByteText kBackslashTrail = G("盶");

struct PathRow {
  ByteText path;
  ByteText want;
};

void Check(const std::vector<PathRow>& rows, ByteText (*function)(const ByteText&)) {
  for (const PathRow& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.path));
    EXPECT_EQ(function(row.path), row.want);
  }
}

TEST(NameOfPath, CutsTheLastComponentAndItsExtension) {
  ASSERT_EQ(kBackslashTrail, "\xB1\x5C");
  Check({{"", ""},
         {"/", ""},
         {"//", ""},
         {"/d/sub/", ""},
         {"/d/sub//", ""},
         {"a.txt", "a"},
         {"/d/a.tar.gz", "a.tar"},
         {"/d/name.", "name"},
         {"/d/.bashrc", ""},
         {"/d/my file.old copy", "my file.old copy"},
         {"/d/a:b.txt", "a:b"},
         {"/d/a\\b.txt", "a\\b"},
         {"/d//a.txt", "a"},
         {"/d.x/file", "file"},
         {G("/资料/第3集.mp4"), G("第3集")},
         {"/d/" + kBackslashTrail, kBackslashTrail},
         {"/d/" + kBackslashTrail + ".txt", kBackslashTrail}},
        [](const ByteText& path) { return NameOfPath(path); });
}

TEST(NameOfPath, KeepsTheExtensionOnRequest) {
  Check({{"/d/sub/", ""},
         {"/d/a.tar.gz", "a.tar.gz"},
         {"/d/.bashrc", ".bashrc"},
         {"/d/name.", "name."},
         {"/d/a\\b:c.txt", "a\\b:c.txt"},
         {"/a//b", "b"},
         {G("/资料/第3集.mp4"), G("第3集.mp4")}},
        [](const ByteText& path) { return NameOfPath(path, true); });
}

TEST(ExtensionOfPath, StartsAtTheLastDotNotFollowedBySpaceOrSeparator) {
  Check({{"", ""},
         {"readme", ""},
         {"a.tar.gz", ".gz"},
         {"name.", "."},
         {".bashrc", ".bashrc"},
         {"my file.old copy", ""},
         {"a b.txt", ".txt"},
         {"/d.x/file", ""},
         {"/d.x/file.md", ".md"},
         {"/d/a:b.txt", ".txt"},
         {"a.b\\c", ".b\\c"},
         {"a.b:c", ".b:c"},
         {G("第3集.mp4"), ".mp4"},
         {kBackslashTrail + ".txt", ".txt"},
         {"a." + kBackslashTrail, "." + kBackslashTrail}},
        ExtensionOfPath);
}

TEST(ParentDirectoryOf, KeepsTheFinalSeparator) {
  Check({{"", ""},
         {"a.txt", ""},
         {"/", ""},
         {"/a", "/"},
         {"/a/b.txt", "/a/"},
         {"/a/b/", "/a/"},
         {"/a//b", "/a//"},
         {"/a/b//", "/a/b/"},
         {"a:b/c", "a:b/"},
         {"/a\\b/c", "/a\\b/"},
         {"/d/" + kBackslashTrail + "/x", "/d/" + kBackslashTrail + "/"},
         {G("/资料/第3集.mp4"), G("/资料/")}},
        ParentDirectoryOf);
}

}  // namespace
}  // namespace vantor
