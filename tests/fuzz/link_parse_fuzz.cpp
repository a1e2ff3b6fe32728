// Fuzz target for the help link file in memory: any bytes as Leafview.ini, then each side's
// writes in the order of the handshake, each rewrite parsed again. Every state code reads as
// written, the topic and the window values as given, and keys neither side writes keep their
// values; the state read first follows the viewer's classification of the LASTTIME text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings/line_reader.h"
#include "common/settings/link_file.h"
#include "common/settings/number_text.h"
#include "common/settings/settings_store.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

namespace link = settings::link;
using settings::SettingsStore;

constexpr std::string_view kMissing = "\x01missing";

// Names of the input's first lines that no step writes, with what they read as at the start;
// looking up every line's name of a long input would cost the square of its length.
constexpr int kMostLines = 16;

std::vector<std::pair<std::string, std::string>> OtherKeys(const SettingsStore& store,
                                                           std::string_view bytes) {
  std::vector<std::pair<std::string, std::string>> others;
  settings::LineReader lines(bytes);
  for (int line = 0; line < kMostLines && !lines.AtEnd(); ++line) {
    std::string_view name = lines.Next();
    name = name.substr(0, name.find('='));
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    bool written = false;
    for (std::string_view key : {link::kLastTime, link::kLastHelp, link::kHandle, link::kWinX,
                                 link::kWinY, link::kWinW, link::kWinH}) {
      written = written || settings::KeysMatch(name, key);
    }
    if (!written) others.emplace_back(name, store.ReadSettingText(name, kMissing));
  }
  return others;
}

// Closes the step: the store is opened again on the bytes it would have written.
void Rewrite(SettingsStore& store) { store.OpenSettingsBytes(store.SettingsBytes()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  SettingsStore store;
  store.OpenSettingsBytes(std::string(bytes));
  const std::string lastTime = store.ReadSettingText(link::kLastTime, "0");
  FUZZ_CHECK(link::ReadLinkState(store) ==
             link::ClassifyLastTime(settings::ParseNumber(lastTime)));
  const auto others = OtherKeys(store, bytes);

  // The game's help request, the viewer's answer, the game's quit code, the viewer's exit.
  const std::string topic = size % 2 == 0 ? "#Rules" : "";
  store.WriteSettingText(link::kLastHelp, topic);
  store.WriteSettingText(link::kLastTime, link::kRequestPending);
  Rewrite(store);
  FUZZ_CHECK(link::ReadLinkState(store) == link::LinkState::Pending);
  FUZZ_CHECK(store.ReadSettingText(link::kLastHelp, kMissing) == topic);
  store.WriteSettingText(link::kLastTime, link::kRequestServed);
  store.WriteSettingText(link::kHandle, settings::FormatNumber(-4242));
  Rewrite(store);
  FUZZ_CHECK(link::ReadLinkState(store) == link::LinkState::Idle);
  FUZZ_CHECK(settings::ParseNumber(store.ReadSettingText(link::kHandle, "0")) == -4242);
  store.WriteSettingText(link::kLastTime, link::kQuitRequest);
  Rewrite(store);
  FUZZ_CHECK(link::ReadLinkState(store) == link::LinkState::Quit);
  store.WriteSettingText(link::kLastTime, link::kNotRunning);
  store.WriteSettingText(link::kLastHelp, "");
  store.WriteSettingText(link::kHandle, "0");
  store.WriteSettingInteger(link::kWinX, -3);
  store.WriteSettingInteger(link::kWinY, 7);
  store.WriteSettingInteger(link::kWinW, 640);
  store.WriteSettingInteger(link::kWinH, 480);
  Rewrite(store);
  FUZZ_CHECK(store.ReadSettingText(link::kLastTime, kMissing) == link::kNotRunning);
  FUZZ_CHECK(store.ReadSettingText(link::kLastHelp, kMissing).empty());
  FUZZ_CHECK(store.ReadSettingInteger(link::kWinX, 0) == -3 &&
             store.ReadSettingInteger(link::kWinY, 0) == 7);
  FUZZ_CHECK(store.ReadSettingInteger(link::kWinW, 0) == 640 &&
             store.ReadSettingInteger(link::kWinH, 0) == 480);
  for (const auto& [name, value] : others) {
    FUZZ_CHECK(store.ReadSettingText(name, kMissing) == value);
  }
  return 0;
}
