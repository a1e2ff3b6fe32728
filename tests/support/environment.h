// Sets the test process's environment on any system.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

// Sets the variable to the UTF-8 value, or removes it when there is none.
void SetEnvironment(const std::string& name, const std::optional<std::string>& value);

}  // namespace testing_support
