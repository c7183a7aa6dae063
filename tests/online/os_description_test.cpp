// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/os_description.h"

#include <gtest/gtest.h>

#include "support/gbk_text.h"

namespace vantor {
namespace {

using testing::G;

WindowsFacts Windows(int major, int minor, int productType, unsigned edition) {
  WindowsFacts facts;
  facts.versionRead = true;
  facts.major = major;
  facts.minor = minor;
  facts.productType = productType;
  facts.editionCode = edition;
  return facts;
}

TEST(DescribeWindows, NamesTheVersionAndAddsWhatIsAskedFor) {
  const OsDescriptionOptions none;
  const OsDescriptionOptions all{true, true, true, true};
  WindowsFacts seven = Windows(6, 1, 1, 48);
  seven.build = 7601;
  seven.servicePack = "Service Pack 1";
  seven.on64BitWindows = true;
  WindowsFacts xpHome = Windows(5, 1, 1, 0);
  xpHome.suiteMask = 0x200;
  xpHome.build = 2600;
  WindowsFacts server2003 = Windows(5, 2, 3, 0);
  WindowsFacts server10 = Windows(10, 0, 3, 7);
  server10.productName = "Windows Server 2019 Standard";
  server10.registryBuild = "17763";
  WindowsFacts shortPack = Windows(6, 0, 1, 1);
  shortPack.servicePack = "SP";
  shortPack.build = 6000;

  struct Row {
    const char* name;
    WindowsFacts facts;
    OsDescriptionOptions options;
    ByteText text;
  } rows[] = {
      {"unreadable", WindowsFacts{}, all, ""},
      {"7, nothing", seven, none, "Windows 7"},
      {"7, all", seven, all, "Windows 7 Professional x64 (Service Pack 1,Build:7601)"},
      {"7, build only", seven, {false, false, false, true}, "Windows 7 (Build:7601)"},
      {"7, pack only", seven, {false, false, true, false}, "Windows 7 (Service Pack 1)"},
      {"7 server", Windows(6, 1, 3, 8), {true, false, false, false}, "Windows Server 2008 R2 Datacenter Edition"},
      {"10 home: code not in the table", Windows(10, 0, 1, 101), none, G("获取失败，请检查版本:10.0")},
      {"11 reads as 10", Windows(10, 0, 1, 48), none, "Windows 10"},
      {"10 server from the registry", server10, {true, true, false, true},
       "Windows Server 2019 Standard  x86 (Build:17763)"},
      {"xp home", xpHome, none, "Windows XP"},
      {"xp home, edition", xpHome, {true, false, false, true}, "Windows XP Home Edition (Build:2600)"},
      {"2003, edition", server2003, {true, false, false, false}, "Windows Server 2003,  "},
      {"2000 advanced", [] { auto f = Windows(5, 0, 3, 0); f.suiteMask = 0x2; return f; }(), {true},
       "Windows 2000 Advanced Server"},
      {"vista, short pack", shortPack, all, "Windows Vista Ultimate Edition x86 (Build:6000)"},
      {"98", Windows(4, 10, 1, 0), none, "Windows 98"},
      {"unknown", Windows(3, 1, 1, 0), none, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const OsDescriptionResult result = DescribeWindows(row.facts, row.options);
    EXPECT_EQ(result.text, row.text);
    EXPECT_EQ(result.major, row.facts.versionRead ? row.facts.major : 0);
    EXPECT_EQ(result.minor, row.facts.versionRead ? row.facts.minor : 0);
  }
  // The XP test of a drop receiver reads the first 10 bytes.
  EXPECT_EQ(DescribeWindows(xpHome, none).text.substr(0, 10), "Windows XP");
}

TEST(DescribeLinux, NamesTheDistributionAndKernel) {
  const LinuxFacts debian{"Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64", "x86_64"};
  struct Row {
    const char* name;
    LinuxFacts facts;
    OsDescriptionOptions options;
    ByteText text;
    int major, minor;
  } rows[] = {
      {"plain", debian, {}, "Debian GNU/Linux 12 (bookworm)", 6, 1},
      {"all", debian, {true, true, true, true}, "Debian GNU/Linux 12 (bookworm) x64 (Kernel:6.1.0-18-amd64)", 6, 1},
      {"no os-release", {"", "5.15.0", "i686"}, {false, true, false, false}, "Linux x86", 5, 15},
      {"arm", {"Alpine", "6.6", "aarch64"}, {false, true, false, true}, "Alpine aarch64 (Kernel:6.6)", 6, 6},
      {"nothing known", {}, {true, true, true, true}, "Linux", 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const OsDescriptionResult result = DescribeLinux(row.facts, row.options);
    EXPECT_EQ(result.text, row.text);
    EXPECT_EQ(result.major, row.major);
    EXPECT_EQ(result.minor, row.minor);
  }
}

TEST(PrettyNameOf, ReadsTheValueOfTheLine) {
  struct Row {
    const char* file;
    const char* name;
  } rows[] = {
      {"", ""},
      {"NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n", "Debian GNU/Linux 12 (bookworm)"},
      {"PRETTY_NAME=Arch\r\n", "Arch"},
      {"PRETTY_NAME='It''s'\n", "It''s"},
      {"PRETTY_NAME=\"say \\\"hi\\\"\"\n", "say \"hi\""},
      {"X_PRETTY_NAME=no\n", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    EXPECT_EQ(PrettyNameOf(row.file), row.name);
  }
}

TEST(OsDescription, DescribesThisSystem) {
  const OsDescriptionResult result = OsDescription({.withBuild = true});
  EXPECT_FALSE(result.text.empty());
  EXPECT_GT(result.major, 0);
}

}  // namespace
}  // namespace vantor
