#include "tests/support/environment.h"

#include <cstdlib>

#ifdef _WIN32
#include "common/settings/path_text.h"
#endif

namespace testing_support {

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  // An empty value removes the variable on Windows, which cannot hold an empty one.
  _wputenv_s(settings::Utf8ToWide(name).c_str(), settings::Utf8ToWide(value.value_or("")).c_str());
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

}  // namespace testing_support
