// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace vantor {
namespace {

// Sets an environment variable (nullopt: unsets it) and puts it back when it goes.
class EnvironmentScope {
 public:
  EnvironmentScope(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~EnvironmentScope() { Set(old_); }

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_, value->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ProgramFolders, TakeOnlyAbsoluteXdgFoldersElseTheHomeDefaults) {
  struct Row {
    std::optional<std::string> value;  // of XDG_STATE_HOME and XDG_CONFIG_HOME
    std::string state;
    std::string config;
  };
  const std::vector<Row> rows = {
      {std::nullopt, "/home/u/.local/state/vantor-rename", "/home/u/.config/vantor-rename"},
      {"", "/home/u/.local/state/vantor-rename", "/home/u/.config/vantor-rename"},
      {"state", "/home/u/.local/state/vantor-rename", "/home/u/.config/vantor-rename"},
      {"./x", "/home/u/.local/state/vantor-rename", "/home/u/.config/vantor-rename"},
      {"/x/y", "/x/y/vantor-rename", "/x/y/vantor-rename"},
      {"/x/y/", "/x/y/vantor-rename", "/x/y/vantor-rename"},
  };
  const EnvironmentScope home("HOME", "/home/u");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value.value_or("(unset)"));
    const EnvironmentScope state("XDG_STATE_HOME", row.value);
    const EnvironmentScope config("XDG_CONFIG_HOME", row.value);
    EXPECT_EQ(ProgramStateFolder(), row.state);
    EXPECT_EQ(ProgramConfigFolder(), row.config);
  }
  const EnvironmentScope relativeHome("HOME", "u");
  const std::string fromPasswd = HomeFolder();
  EXPECT_TRUE(fromPasswd.empty() || fromPasswd.front() == '/') << fromPasswd;
}

}  // namespace
}  // namespace vantor
