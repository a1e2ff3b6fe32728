#include "tests/support/environment.h"

#include <cstdlib>

#ifdef _WIN32
#include "common/settings/path_text.h"
#endif

namespace testing_support {

#ifdef _WIN32

const char* const kDataHomeVariable = "LOCALAPPDATA";

std::optional<std::string> GetEnvironment(const std::string& name) {
  const wchar_t* value = _wgetenv(settings::Utf8ToWide(name).c_str());
  if (value == nullptr) return std::nullopt;
  return settings::WideToUtf8(value);
}

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  // An empty value removes the variable on Windows, which cannot hold an empty one.
  _wputenv_s(settings::Utf8ToWide(name).c_str(), settings::Utf8ToWide(value.value_or("")).c_str());
}

#else

const char* const kDataHomeVariable = "XDG_DATA_HOME";

std::optional<std::string> GetEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

#endif

}  // namespace testing_support
