// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vantor {

namespace {

constexpr const char* kProgramName = "/vantor-rename";

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// $variable when absolute, else the home folder + fallback; + the program's name.
std::string ProgramFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  std::string base = IsAbsolute(value) ? std::string(value) : HomeFolder() + fallback;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  if (base == "/") base.clear();
  return base + kProgramName;
}

}  // namespace

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (IsAbsolute(home)) return home;
  const passwd* user = ::getpwuid(::getuid());
  if (user != nullptr && IsAbsolute(user->pw_dir)) return user->pw_dir;
  return {};
}

std::string ProgramStateFolder() { return ProgramFolder("XDG_STATE_HOME", "/.local/state"); }

std::string ProgramConfigFolder() { return ProgramFolder("XDG_CONFIG_HOME", "/.config"); }

}  // namespace vantor
