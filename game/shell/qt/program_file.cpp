// Programs are recognised by the first bytes their system's loader looks for.
#include "game/shell/qt/program_file.h"

#include <fstream>
#include <string_view>

namespace shell {

namespace {
#ifdef _WIN32
constexpr std::string_view kProgramMagic = "MZ";
#else
constexpr std::string_view kProgramMagic = "\x7f" "ELF";
#endif
}  // namespace

bool IsProgramFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream file(path, std::ios::binary);
  char start[kProgramMagic.size()] = {};
  file.read(start, static_cast<std::streamsize>(sizeof start));
  return file.gcount() == static_cast<std::streamsize>(sizeof start) &&
         std::string_view(start, sizeof start) == kProgramMagic;
}

}  // namespace shell
