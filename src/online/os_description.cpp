// SPDX-License-Identifier: GPL-3.0-or-later
#include "online/os_description.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/code_page.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/utsname.h>
#endif

namespace vantor {

namespace {

const char* EditionName(unsigned code) {
  switch (code) {
    case 1: return "Ultimate Edition";
    case 2: return "Home Basic Edition";
    case 3: return "Home Premium Edition";
    case 4: return "Enterprise Edition";
    case 6: return "Business Edition";
    case 7: return "Standard";
    case 8: return "Datacenter Edition";
    case 9: return "Small Business Server";
    case 10: return "Enterprise Edition";
    case 11: return "Starter Edition";
    case 12: return "Datacenter Edition (core installation)";
    case 13: return "Standard Edition (core installation)";
    case 14: return "Enterprise Edition (core installation)";
    case 15: return "Enterprise Edition for Itanium-based Systems";
    case 16: return "Business N";
    case 17: return "Web Server (full installation)";
    case 18: return "HPC Edition";
    case 19: return "Windows Storage Server 2008 R2 Essentials";
    case 20: return "Storage Server Express";
    case 21: return "Storage Server Standard";
    case 22: return "Storage Server Workgroup";
    case 23: return "Storage Server Enterprise";
    case 25: return "Small Business Server Premium Edition";
    case 48: return "Professional";
    case 121: return "Education";
    default: return nullptr;
  }
}

struct NameAndEdition {
  ByteText name;
  ByteText edition;
};

NameAndEdition NameOfVersion(const WindowsFacts& facts) {
  const bool workstation = facts.productType == 1;
  const auto pick = [workstation](const char* client, const char* server) {
    return NameAndEdition{workstation ? client : server, {}};
  };
  const int version = facts.major * 100 + facts.minor;
  switch (version) {
    case 1000: return {workstation ? ByteText("Windows 10") : facts.productName, {}};
    case 600: return pick("Windows Vista", "Windows Server 2008");
    case 601: return pick("Windows 7", "Windows Server 2008 R2");
    case 602: return pick("Windows 8", "Windows Server 2012");
    case 603: return pick("Windows 8.1", "Windows Server 2012 R2");
    case 500: {
      const char* edition = workstation                      ? "Professional"
                            : (facts.suiteMask & 0x80) != 0 ? "Datacenter Server"
                            : (facts.suiteMask & 0x2) != 0  ? "Advanced Server"
                                                            : "Server";
      return {"Windows 2000", edition};
    }
    case 501: return {"Windows XP", (facts.suiteMask & 0x200) != 0 ? "Home Edition" : "Professional"};
    case 502: {
      const char* name = facts.serverR2                         ? "Windows Server 2003 R2, "
                         : (facts.suiteMask & 0x2000) != 0      ? "Windows Storage Server 2003"
                         : (facts.suiteMask & 0x8000) != 0      ? "Windows Home Server"
                         : workstation && facts.x64Processor    ? "Windows XP Professional x64 Edition"
                                                                : "Windows Server 2003, ";
      return {name, {}};
    }
    case 410: return {"Windows 98", {}};
    default: return {};
  }
}

ByteText WindowsServicePack(const WindowsFacts& facts) {
  const ByteText pack = facts.servicePack.empty() ? facts.registryServicePack : facts.servicePack;
  return TextLength(pack) < 3 ? ByteText() : pack;
}

ByteText WithSuffix(const ByteText& text, const ByteText& suffix) {
  return suffix.empty() ? text : text + " (" + suffix + ")";
}

}  // namespace

OsDescriptionResult DescribeWindows(const WindowsFacts& facts, const OsDescriptionOptions& options) {
  OsDescriptionResult result;
  if (!facts.versionRead) return result;
  result.major = facts.major;
  result.minor = facts.minor;

  NameAndEdition named = NameOfVersion(facts);
  if (facts.major > 5) {
    if (const char* edition = EditionName(facts.editionCode)) {
      named.edition = edition;
    } else {
      named.name = Gbk("获取失败，请检查版本:") + ToText(facts.major) + "." + ToText(facts.minor);
    }
  }
  ByteText text = named.name;
  if (options.withEdition) {
    const bool named_already = FindText(named.name, named.edition, 1, kFindMatchingCase) >= 1;
    text += ' ';
    if (!named_already) text += named.edition;
  }
  if (options.withBitness) text += facts.on64BitWindows ? " x64" : " x86";

  const ByteText pack = options.withServicePack ? WindowsServicePack(facts) : ByteText();
  ByteText suffix = pack;
  if (options.withBuild) {
    const ByteText build = facts.build != 0 ? ToText(facts.build) : facts.registryBuild;
    suffix = pack.empty() ? "Build:" + build : pack + ",Build:" + build;
  }
  result.text = WithSuffix(text, suffix);
  return result;
}

OsDescriptionResult DescribeLinux(const LinuxFacts& facts, const OsDescriptionOptions& options) {
  OsDescriptionResult result;
  result.text = facts.prettyName.empty() ? ByteText("Linux") : facts.prettyName;
  if (options.withBitness && !facts.machine.empty()) {
    const ByteText& m = facts.machine;
    const bool x64 = m == "x86_64" || m == "amd64";
    const bool x86 = m.size() == 4 && m[0] == 'i' && m.substr(2) == "86";
    result.text += x64 ? ByteText(" x64") : x86 ? ByteText(" x86") : " " + m;
  }
  if (options.withBuild && !facts.kernelRelease.empty()) {
    result.text = WithSuffix(result.text, "Kernel:" + facts.kernelRelease);
  }
  const char* cursor = facts.kernelRelease.c_str();
  char* end = nullptr;
  result.major = static_cast<int>(std::strtol(cursor, &end, 10));
  if (end != cursor && *end == '.') result.minor = static_cast<int>(std::strtol(end + 1, nullptr, 10));
  return result;
}

ByteText PrettyNameOf(const ByteText& osRelease) {
  std::istringstream lines(osRelease);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("PRETTY_NAME=", 0) != 0) continue;
    std::string value = line.substr(12);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    std::string unescaped;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) ++i;
      unescaped += value[i];
    }
    return unescaped;
  }
  return {};
}

#ifdef _WIN32

namespace {

ByteText RegistryText(const char* valueName) {
  char buffer[512] = {};
  DWORD size = sizeof(buffer);
  if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", valueName,
                   RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
    return {};
  }
  return ByteText(buffer);
}

WindowsFacts GatherWindowsFacts() {
  WindowsFacts facts;
  OSVERSIONINFOEXA record = {};
  record.dwOSVersionInfoSize = sizeof(record);
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record))) return facts;
  facts.versionRead = true;
  facts.major = static_cast<int>(record.dwMajorVersion);
  facts.minor = static_cast<int>(record.dwMinorVersion);
  facts.build = static_cast<int>(record.dwBuildNumber & 0xFFFF);
  facts.productType = record.wProductType;
  facts.suiteMask = record.wSuiteMask;
  facts.servicePack = record.szCSDVersion;

  // GetVersionEx is capped by the manifest; ntdll tells the truth.
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  using NtVersionNumbers = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  using ProductInfo = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
  if (auto numbers = reinterpret_cast<NtVersionNumbers>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers"))) {
    DWORD major = 0, minor = 0, build = 0;
    numbers(&major, &minor, &build);
    facts.major = static_cast<int>(major);
    facts.minor = static_cast<int>(minor);
    facts.build = static_cast<int>(build & 0xFFFF);
  }
  SYSTEM_INFO system = {};
  GetNativeSystemInfo(&system);
  facts.x64Processor = system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  // A 64-bit process is not "under WOW64" but runs on 64-bit Windows all the same.
  facts.on64BitWindows = wow64 != FALSE || sizeof(void*) == 8;
  if (facts.major > 5) {
    if (auto product = reinterpret_cast<ProductInfo>(GetProcAddress(ntdll, "RtlGetProductInfo"))) {
      DWORD code = 0;
      product(static_cast<DWORD>(facts.major), static_cast<DWORD>(facts.minor), 0, 0, &code);
      facts.editionCode = code;
    }
  }
  facts.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
  facts.productName = RegistryText("ProductName");
  facts.registryServicePack = RegistryText("CSDVersion");
  facts.registryBuild = RegistryText("CurrentBuild");
  return facts;
}

}  // namespace

OsDescriptionResult OsDescription(const OsDescriptionOptions& options) {
  return DescribeWindows(GatherWindowsFacts(), options);
}

#else

namespace {

ByteText ReadWhole(const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

LinuxFacts GatherLinuxFacts() {
  LinuxFacts facts;
  ByteText osRelease = ReadWhole("/etc/os-release");
  if (osRelease.empty()) osRelease = ReadWhole("/usr/lib/os-release");
  // The file is UTF-8; a name without a GBK form falls back to "Linux".
  facts.prettyName = GbkFromUtf8(PrettyNameOf(osRelease)).value_or(ByteText());
  utsname names = {};
  if (uname(&names) == 0) {
    facts.kernelRelease = GbkFromUtf8(names.release).value_or(ByteText());
    facts.machine = GbkFromUtf8(names.machine).value_or(ByteText());
  }
  return facts;
}

}  // namespace

OsDescriptionResult OsDescription(const OsDescriptionOptions& options) {
  return DescribeLinux(GatherLinuxFacts(), options);
}

#endif

}  // namespace vantor
