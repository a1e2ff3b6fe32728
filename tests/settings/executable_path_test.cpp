// The running program's own path, as the system reports it.
#include "common/settings/executable_path.h"

#include <gtest/gtest.h>

namespace {

TEST(ExecutablePath, NamesThisTestProgramByItsFullPath) {
  const std::filesystem::path path = settings::ExecutablePath();
  EXPECT_TRUE(path.is_absolute()) << path;
  EXPECT_EQ(path.stem(), "settings_test");
  EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
}

}  // namespace
