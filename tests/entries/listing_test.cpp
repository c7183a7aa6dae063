// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/listing.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "support/gbk_text.h"
#include "support/temp_dir.h"

namespace vantor {
namespace {

using ::vantor::testing::TempDir;

using ::vantor::testing::G;
using ::vantor::testing::GbkAll;


TEST(OnlySearchPattern, BuildsOneExtensionPatternOrAll) {
  const ByteText all = G("所有");
  struct Row {
    bool selected;
    ByteText text;
    ByteText want;
  };
  const std::vector<Row> rows = {
      {false, "", "*.*"},          {true, all, "*.*"},       {false, "mp4", "*.mp4"},
      {false, ".mp4", "*.mp4"},    {false, "a.b", "*a.b"},   {false, all, "*." + all},
      {true, ".mp4", "*.mp4"},     {true, "mp4", "*mp4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.text) + (row.selected ? " selected" : " typed"));
    EXPECT_EQ(OnlySearchPattern(row.selected, row.text, all), row.want);
  }
}

TEST(MatchesWildcard, MatchesByCharactersWithoutLetterCase) {
  struct Row {
    ByteText name;
    ByteText pattern;
    bool want;
  };
  const std::vector<Row> rows = {
      {"", "*", true},
      {"readme", "*.*", true},
      {".mp4", "*.mp4", true},
      {"mp4", "*.mp4", false},
      {"B.MP4", "*.mp4", true},
      {"b.mp4", "*.MP4", true},
      {"a.mp4.bak", "*.mp4", false},
      {"x.mp4", "x.mp", false},
      {"x.mp4", "*.mp4*", true},
      {"abcabd", "*abd", true},
      {"aXbYb.txt", "*b.txt", true},
      {"a.txt", "?.txt", true},
      {"ab.txt", "?.txt", false},
      {G("中.txt"), "?.txt", true},
      {G("中.txt"), "??.txt", false},
      {G("第1集.mp4"), G("第?集.MP4"), true},
      {G("第10集.mp4"), G("第?集.mp4"), false},
      {G("第1集.mp4"), G("*集*"), true},
      {G("第1集.mp4"), G("*课*"), false},
      {"\x81\x61.txt", "\x81\x41.txt", false},  // trail bytes keep their case
      {"\x81\x41.txt", "\x81\x41.TXT", true},
      {"\xB1\x5C.txt", "*\\.txt", false},       // a trail byte is no backslash
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.name) + " ~ " + ::testing::PrintToString(row.pattern));
    EXPECT_EQ(MatchesWildcard(row.name, row.pattern), row.want);
  }
}

// Characters of a GBK text: a byte of 0x80 or more takes the next byte along.
std::vector<ByteText> Characters(const ByteText& text) {
  std::vector<ByteText> characters;
  for (size_t i = 0; i < text.size();) {
    const size_t length = static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size() ? 2 : 1;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

bool SameCharacter(const ByteText& a, const ByteText& b) {
  return a.size() == b.size() && (a.size() == 2 ? a == b : std::tolower(a[0]) == std::tolower(b[0]));
}

// Plain recursive matching, character by character.
bool ReferenceMatch(const std::vector<ByteText>& name, size_t n, const std::vector<ByteText>& pattern,
                    size_t p) {
  if (p == pattern.size()) return n == name.size();
  if (pattern[p] == "*") {
    for (size_t k = n; k <= name.size(); ++k) {
      if (ReferenceMatch(name, k, pattern, p + 1)) return true;
    }
    return false;
  }
  if (n == name.size()) return false;
  if (pattern[p] != "?" && !SameCharacter(pattern[p], name[n])) return false;
  return ReferenceMatch(name, n + 1, pattern, p + 1);
}

TEST(MatchesWildcard, AgreesWithPlainMatchingOnRandomTexts) {
  const std::vector<ByteText> letters = {"a", "A", "b", ".", "\xD6\xD0", "\x81\x61", "\x81\x41"};
  std::vector<ByteText> wild = letters;
  wild.insert(wild.end(), {"*", "*", "?"});
  std::mt19937 random(7);
  auto text = [&](const std::vector<ByteText>& from, int longest) {
    ByteText result;
    const int length = std::uniform_int_distribution<int>(0, longest)(random);
    for (int i = 0; i < length; ++i) {
      result += from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    }
    return result;
  };
  for (int round = 0; round < 20'000; ++round) {
    const ByteText name = text(letters, 7);
    const ByteText pattern = text(wild, 6);
    if (pattern == "*.*") continue;  // matches every name, dot or not
    SCOPED_TRACE(::testing::PrintToString(name) + " ~ " + ::testing::PrintToString(pattern));
    ASSERT_EQ(MatchesWildcard(name, pattern), ReferenceMatch(Characters(name), 0, Characters(pattern), 0));
  }
}

class FolderListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"10.mp4", "2.mp4", "1.mp4", "第3集.mp4", "第10集.mp4", "B.MP4", "notes.txt"}) {
      dir.MakeFile(name);
    }
    dir.MakeFile(".hidden");
    dir.MakeFolder("sub.mp4");
    dir.MakeFile("\xFF\xFE.txt");    // not UTF-8
    dir.MakeFile("\xF0\x9F\x98\x80.mp4");  // an emoji: a four-byte code
    dir.MakeFile("\xD6\xD0.mp4");          // raw GBK bytes: not UTF-8
  }
  TempDir dir;
};

TEST_F(FolderListingTest, ListsFilesInNaturalOrderAndCountsWhatDoesNotConvert) {
  const FolderListing all = ListFolderFiles(dir.Gbk(), "*.*");
  EXPECT_EQ(all.names,
            GbkAll({"1.mp4", "2.mp4", "10.mp4", "B.MP4", "notes.txt", "\xF0\x9F\x98\x80.mp4", "第3集.mp4",
                    "第10集.mp4"}));
  EXPECT_EQ(all.unconvertible, 2);
  EXPECT_EQ(all.unconvertibleNames, (std::vector<std::string>{"\xD6\xD0.mp4", "\xFF\xFE.txt"}));

  ByteText withoutSeparator = dir.Gbk();
  withoutSeparator.pop_back();
  EXPECT_EQ(ListFolderFiles(withoutSeparator, "*.MP4").names,
            GbkAll({"1.mp4", "2.mp4", "10.mp4", "B.MP4", "\xF0\x9F\x98\x80.mp4", "第3集.mp4", "第10集.mp4"}));
  EXPECT_EQ(ListFolderFiles(dir.Gbk(), G("第*")).names, GbkAll({"第3集.mp4", "第10集.mp4"}));
  EXPECT_TRUE(ListFolderFiles(dir.Gbk(), "*.doc").names.empty());
  // Only the left-out names the pattern would have listed are counted.
  EXPECT_EQ(ListFolderFiles(dir.Gbk(), "*.mp4").unconvertible, 1);
  EXPECT_EQ(ListFolderFiles(dir.Gbk(), "*.doc").unconvertible, 0);
}

TEST_F(FolderListingTest, LeavesHiddenEntriesOutUnlessAskedFor) {
  dir.MakeFile(".hidden.mp4");
  dir.MakeFile(".\xD6\xD0.mp4");  // hidden and not UTF-8: not counted either
  dir.MakeFolder(".git");
  dir.MakeFolder("sub");
  const FolderListing files = ListFolderFiles(dir.Gbk(), "*.mp4");
  EXPECT_EQ(files.names,
            GbkAll({"1.mp4", "2.mp4", "10.mp4", "B.MP4", "\xF0\x9F\x98\x80.mp4", "第3集.mp4", "第10集.mp4"}));
  EXPECT_EQ(files.unconvertible, 1);
  const FolderListing all = ListFolderFiles(dir.Gbk(), "*.mp4", /*includeHidden=*/true);
  EXPECT_EQ(all.names.front(), ".hidden.mp4");
  EXPECT_EQ(all.unconvertible, 2);
  EXPECT_EQ(ListSubfolders(dir.Gbk()).names, (TextArray{"sub", "sub.mp4"}));
  EXPECT_EQ(ListSubfolders(dir.Gbk(), true).names, (TextArray{".git", "sub", "sub.mp4"}));
}

TEST(ListFolderFiles, GivesNothingForAMissingFolder) {
  TempDir dir;
  const FolderListing listing = ListFolderFiles(dir.Gbk() + "missing/", "*.*");
  EXPECT_TRUE(listing.names.empty());
  EXPECT_EQ(listing.unconvertible, 0);
}

TEST(ListSubfolders, ListsFoldersOnlyByNameWithoutDotEntries) {
  TempDir dir;
  for (const char* name : {"b", "A", "第二课", "x.txt", "\xF0\x9F\x98\x80", "\xB5\xDA"}) dir.MakeFolder(name);
  dir.MakeFile("file");
  dir.MakeFile("第二课/inner");
  ByteText withoutSeparator = dir.Gbk();
  withoutSeparator.pop_back();
  const FolderListing listing = ListSubfolders(withoutSeparator);
  EXPECT_EQ(listing.names, (TextArray{"A", "b", "x.txt", "\x94\x39\xFC\x36", G("第二课")}));
  EXPECT_EQ(listing.unconvertible, 1);
}

// A folder too deep for any path to reach (longer than PATH_MAX) cannot be
// opened, whoever runs the test; it is made and removed through folder
// descriptors. Its top lies in parent.
class TooDeepFolder {
 public:
  TooDeepFolder(const std::string& parent, const std::string& name) {
    fds_.push_back(open(parent.c_str(), O_RDONLY | O_DIRECTORY));
    names_.push_back(name);
    const std::string level(200, 'd');
    for (int depth = 0; depth < 25; ++depth) {
      mkdirat(fds_.back(), names_.back().c_str(), 0700);
      fds_.push_back(openat(fds_.back(), names_.back().c_str(), O_RDONLY | O_DIRECTORY));
      names_.push_back(level);
    }
    close(openat(fds_.back(), "deep.txt", O_CREAT | O_WRONLY, 0600));
  }
  ~TooDeepFolder() {
    unlinkat(fds_.back(), "deep.txt", 0);
    for (size_t i = fds_.size() - 1; i > 0; --i) {
      close(fds_[i]);
      unlinkat(fds_[i - 1], names_[i - 1].c_str(), AT_REMOVEDIR);
    }
    close(fds_.front());
  }

 private:
  std::vector<int> fds_;
  std::vector<std::string> names_;
};

TEST(ListFilesInTree, WalksDepthFirstInNaturalOrderPassingOverLinksHiddenAndUnreadableFolders) {
  TempDir dir;
  for (const char* folder : {"Season 2", "Season 2/Extras", "Season 2 b", "Season 10", "Season 10/deep",
                             "Season 10/deep/er", ".git", "empty"}) {
    dir.MakeFolder(folder);
  }
  for (const char* name : {"b.txt", "a10.txt", "a2.txt", ".hidden.txt", "Season 2/e10.mkv", "Season 2/e9.mkv",
                           "Season 2/Extras/x.mkv", "Season 2 b/y.mkv", "Season 10/e1.mkv", ".git/config",
                           "Season 10/deep/er/z.srt", "\xB5\xDA.txt"}) {
    dir.MakeFile(name);
  }
  ASSERT_EQ(symlink(".", (dir.Path() + "Season 2/loop").c_str()), 0);        // a link to a folder: not walked
  ASSERT_EQ(symlink("b.txt", (dir.Path() + "Season 2 b/link.txt").c_str()), 0);  // a link to a file: a file
  const TooDeepFolder deep(dir.Path() + "Season 2 b", "locked");

  const TreeListing tree = ListFilesInTree(dir.Gbk(), "*.*");
  std::vector<std::string> paths;
  for (size_t i = 0; i < tree.names.size(); ++i) paths.push_back(tree.folders[tree.folderOfName[i]] + tree.names[i]);
  EXPECT_EQ(paths, (std::vector<std::string>{"a2.txt", "a10.txt", "b.txt", "Season 2/e9.mkv", "Season 2/e10.mkv",
                                             "Season 2/Extras/x.mkv", "Season 2 b/link.txt", "Season 2 b/y.mkv",
                                             "Season 10/e1.mkv", "Season 10/deep/er/z.srt"}));
  EXPECT_EQ(tree.folders.front(), "");
  EXPECT_EQ(tree.unreadableFolders, 1);
  EXPECT_EQ(tree.unconvertible, 1);
  EXPECT_EQ(tree.LeftOut().unreadableFolders, 1);

  const TreeListing withHidden = ListFilesInTree(dir.Gbk(), "*.srt", /*includeHidden=*/true);
  ASSERT_EQ(withHidden.names, (TextArray{"z.srt"}));
  EXPECT_EQ(withHidden.folders[withHidden.folderOfName[0]], "Season 10/deep/er/");
  const TreeListing all = ListFilesInTree(dir.Gbk(), "*.*", /*includeHidden=*/true);
  EXPECT_EQ(all.names.size(), tree.names.size() + 2);  // .hidden.txt and .git/config
  EXPECT_TRUE(ListFilesInTree(dir.Gbk() + "missing/", "*.*").names.empty());
}

}  // namespace
}  // namespace vantor
