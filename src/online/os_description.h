// SPDX-License-Identifier: GPL-3.0-or-later
// A short description of the operating system the program runs on, such as
// "Windows 7" or "Debian GNU/Linux 12 (bookworm)", optionally with the edition,
// the bitness, the service pack and the build. The descriptions are pure
// functions of gathered facts; OsDescription gathers them for this system.
#pragma once

#include "text/byte_text.h"

namespace vantor {

struct OsDescriptionOptions {
  bool withEdition = false;
  bool withBitness = false;
  bool withServicePack = false;
  bool withBuild = false;
};

struct OsDescriptionResult {
  ByteText text;  // empty when the version could not be read
  int major = 0;
  int minor = 0;
};

// What Windows reports about itself.
struct WindowsFacts {
  bool versionRead = false;  // GetVersionEx succeeded
  int major = 0;
  int minor = 0;
  int build = 0;             // low 16 bits
  int productType = 0;       // 1: workstation
  unsigned suiteMask = 0;
  ByteText servicePack;      // from the version record
  bool x64Processor = false;
  bool on64BitWindows = false;
  unsigned editionCode = 0;  // RtlGetProductInfo; read only for major > 5
  bool serverR2 = false;     // GetSystemMetrics(SM_SERVERR2) != 0
  ByteText productName;      // registry values of ...\Windows NT\CurrentVersion
  ByteText registryServicePack;
  ByteText registryBuild;
};

// DescribeWindows(Windows 7 Professional SP1 on 64-bit Windows, all options)
// .text == "Windows 7 Professional x64 (Service Pack 1,Build:7601)"; with no
// option: "Windows 7". An edition code outside the known table makes the text
// "获取失败，请检查版本:" + major + "." + minor (GBK).
OsDescriptionResult DescribeWindows(const WindowsFacts& facts, const OsDescriptionOptions& options);

// What a Linux system reports about itself.
struct LinuxFacts {
  ByteText prettyName;     // PRETTY_NAME of os-release; "Linux" when empty
  ByteText kernelRelease;  // uname -r, e.g. "6.1.0-18-amd64"
  ByteText machine;        // uname -m, e.g. "x86_64"
};

// prettyName, then " x64" / " x86" / " " + machine with bitness, then
// " (Kernel:" + release + ")" with the build; the edition and service pack
// options add nothing. major.minor are the kernel's first two numbers.
// DescribeLinux({"Debian GNU/Linux 12 (bookworm)", "6.1.0", "x86_64"},
// {.withBitness = true}).text == "Debian GNU/Linux 12 (bookworm) x64".
OsDescriptionResult DescribeLinux(const LinuxFacts& facts, const OsDescriptionOptions& options);

// The description of the running system (Windows or Linux facts gathered).
OsDescriptionResult OsDescription(const OsDescriptionOptions& options = {});

// The value of PRETTY_NAME in the text of an os-release file, quotes and
// backslash escapes undone; empty when there is none.
ByteText PrettyNameOf(const ByteText& osRelease);

}  // namespace vantor
