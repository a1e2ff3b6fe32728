// The folder both programs write to: the program folder while it is writable, else the
// user's own data folder, found through XDG_DATA_HOME or HOME.
#include "common/settings/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/settings/path_text.h"
#include "tests/support/environment.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

// The environment value that stands for "unset".
constexpr const char* kUnset = nullptr;

#ifdef _WIN32
TEST(DataFolder, ReadOnlyProgramFoldersSendTheFilesToTheUsersDataFolder) {
  GTEST_SKIP() << "XDG_DATA_HOME and HOME name the data folder on POSIX systems only";
}
#else
TEST(DataFolder, ReadOnlyProgramFoldersSendTheFilesToTheUsersDataFolder) {
  const struct {
    const char* name;
    bool programWritable;
    bool homeWritable;
    const char* xdgDataHome;  // "@" stands for the test's absolute data folder
    const char* home;         // "@" stands for the test's home folder
    const char* chosen;       // relative to the test's folder, "missing" when not created
  } cases[] = {
      {"writable program folder", true, true, "@", "@", "program"},
      {"XDG_DATA_HOME", false, true, "@", "@", "xdg/deradu"},
      {"XDG_DATA_HOME unset", false, true, kUnset, "@", "home/.local/share/deradu"},
      {"XDG_DATA_HOME empty", false, true, "", "@", "home/.local/share/deradu"},
      {"XDG_DATA_HOME relative", false, true, "xdg", "@", "home/.local/share/deradu"},
      {"home read-only", false, false, kUnset, "@", "home/.local/share/deradu missing"},
      {"no home at all", false, true, kUnset, kUnset, "program"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    fs::create_directories(folder / "program");
    fs::create_directories(folder / "home");
    fs::create_directories(folder / "xdg");
    testing_support::GiveToUnprivilegedUser(folder / "xdg");
    if (c.homeWritable) testing_support::GiveToUnprivilegedUser(folder / "home");
    if (c.programWritable) testing_support::GiveToUnprivilegedUser(folder / "program");
    if (!c.homeWritable) testing_support::MakeFolderReadOnly(folder / "home");
    if (!c.programWritable) testing_support::MakeFolderReadOnly(folder / "program");

    const std::string chosen = testing_support::RunUnprivileged([&] {
      const auto set = [&](const char* name, const char* value, const char* sub) {
        if (value == kUnset) {
          testing_support::SetEnvironment(name, std::nullopt);
        } else {
          testing_support::SetEnvironment(
              name, value == std::string("@") ? settings::Utf8FromPath(folder / sub) : value);
        }
      };
      set("XDG_DATA_HOME", c.xdgDataHome, "xdg");
      set("HOME", c.home, "home");
      const fs::path data = settings::DataFolder(folder / "program");
      std::string text = data.lexically_relative(folder.path()).generic_string();
      if (!fs::is_directory(data)) text += " missing";
      // The probe leaves nothing behind in a writable folder.
      if (!fs::is_empty(folder / "program")) text += " probe left";
      return text;
    });
    EXPECT_EQ(chosen, c.chosen);
    fs::permissions(folder / "home", fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(folder / "program", fs::perms::owner_write, fs::perm_options::add);
  }
}
#endif

}  // namespace
