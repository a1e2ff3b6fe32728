// What users' machines hold where the help link file should be: a missing folder, a folder or
// a looping link in the file's place, junk bytes, a folder name with odd characters. Both
// sides of the link must start, work and end with each of them, and never throw.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "tests/support/temp_folder.h"

namespace testing_support {

struct HostilePlace {
  const char* name;
  // Sets the case up inside the test's folder; returns the executable folder to use.
  std::function<std::filesystem::path(const TempFolder&)> make;
};

std::vector<HostilePlace> HostileLinkPlaces();

}  // namespace testing_support
