// Fuzz target for the settings store: any bytes open without harm, a written key reads back
// after a close and reopen, every other name reads as it did before, and rewriting the
// normalised file once more changes no byte. Built twice: settings_fuzz goes through a real
// file; settings_parse_fuzz (FUZZ_IN_MEMORY) parses the bytes and their rewrite in memory,
// many times faster.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings/line_reader.h"
#include "common/settings/settings_store.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr std::string_view kMissing = "\x01missing";
constexpr std::string_view kValue = "fuzz = value ; kept";

std::string_view Trim(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// Names worth looking up: what stands before the "=" of each of the first lines. Some are no
// keys at all (comments, headers); for those the lookup must keep failing. Looking up every
// line's name of a long input would cost the square of its length on each run.
constexpr size_t kMostNames = 16;

std::vector<std::string> NamesIn(std::string_view bytes) {
  std::vector<std::string> names;
  settings::LineReader lines(bytes);
  while (!lines.AtEnd() && names.size() < kMostNames) {
    const std::string_view line = lines.Next();
    names.emplace_back(Trim(line.substr(0, line.find('='))));
  }
  return names;
}

// The key to write: a name taken from the input when the input asks for one and the name can
// be a key, else a fixed new one.
std::string KeyToWrite(const std::vector<std::string>& names, size_t size) {
  if (size % 2 == 1) {
    for (const std::string& name : names) {
      if (name.empty() || (name.front() != ';' && name.front() != '[')) return name;
    }
  }
  return "FuzzKey";
}

#ifdef FUZZ_IN_MEMORY
// The file's bytes stand in a string; opening parses them, closing takes the rewrite.
struct Round {
  explicit Round(std::string_view bytes) : bytes(bytes) {}
  void Open(settings::SettingsStore& store) const { store.OpenSettingsBytes(bytes); }
  std::string Close(settings::SettingsStore& store) {
    bytes = store.SettingsBytes();
    store.CloseSettings();
    return bytes;
  }
  std::string bytes;
};
#else
struct Round {
  explicit Round(std::string_view bytes) {
    static const testing_support::TempFolder folder;
    path = folder.Write("fuzz.ini", bytes);
  }
  void Open(settings::SettingsStore& store) const { store.OpenSettings(path); }
  std::string Close(settings::SettingsStore& store) const {
    store.CloseSettings();
    return testing_support::ReadFileBytes(path);
  }
  std::filesystem::path path;
};
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Round round(bytes);
  const std::vector<std::string> names = NamesIn(bytes);
  const std::string key = KeyToWrite(names, size);

  settings::SettingsStore store;
  round.Open(store);
  std::vector<std::string> before;
  for (const std::string& name : names) before.push_back(store.ReadSettingText(name, kMissing));
  store.WriteSettingText(key, kValue);
  FUZZ_CHECK(store.ReadSettingText(key, kMissing) == kValue);
  const std::string written = round.Close(store);

  round.Open(store);
  FUZZ_CHECK(store.ReadSettingText(key, kMissing) == kValue);
  for (size_t i = 0; i < names.size(); ++i) {
    if (settings::KeysMatch(names[i], key)) continue;
    FUZZ_CHECK(store.ReadSettingText(names[i], kMissing) == before[i]);
  }
  store.WriteSettingText(key, kValue);
  FUZZ_CHECK(round.Close(store) == written);
  return 0;
}
