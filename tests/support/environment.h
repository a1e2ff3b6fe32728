// Reads and sets the test process's environment on any system, in UTF-8.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

// The variable that names the user's data folder: LOCALAPPDATA on Windows, else XDG_DATA_HOME.
extern const char* const kDataHomeVariable;

std::optional<std::string> GetEnvironment(const std::string& name);
// Sets the variable to the value, or removes it when there is none.
void SetEnvironment(const std::string& name, const std::optional<std::string>& value);

}  // namespace testing_support
