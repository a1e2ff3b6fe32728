// Keys, defaults and state codes of the help link file Leafview.ini, through which the game
// and the help viewer talk. Both programs take it from DataFolder of their own folder.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/settings/number_text.h"
#include "common/settings/settings_store.h"

namespace settings::link {

inline constexpr std::string_view kFileName = "Leafview.ini";

inline constexpr std::string_view kHelpFile = "HelpFile";
inline constexpr std::string_view kTitle = "Title";
inline constexpr std::string_view kLastHelp = "LASTHELP";
inline constexpr std::string_view kLastTime = "LASTTIME";
inline constexpr std::string_view kHandle = "HANDLE";
inline constexpr std::string_view kWinX = "WinX";
inline constexpr std::string_view kWinY = "WinY";
inline constexpr std::string_view kWinW = "WinW";
inline constexpr std::string_view kWinH = "WinH";
// Written and read by the Linux builds alone, beside the keys above: the desktop's token with
// which the viewer takes the focus when the game brings it to the front. Used once.
inline constexpr std::string_view kActivationToken = "ActivationToken";

// The window class of the Windows viewer's main window, by which the game tells the window
// that HANDLE names from any other program's window.
inline constexpr std::string_view kViewerWindowClass = "DeraduLeafview";

// LASTTIME values, written exactly as shown.
inline constexpr std::string_view kRequestPending = "50";
inline constexpr std::string_view kRequestServed = "999";
inline constexpr std::string_view kQuitRequest = "666";
inline constexpr std::string_view kNotRunning = "000";

// How the viewer reads a LASTTIME number: below 111 a pending request, 666 quit, else idle.
enum class LinkState { Pending, Quit, Idle };
constexpr LinkState ClassifyLastTime(int32_t code) {
  if (code < 111) return LinkState::Pending;
  if (code == 666) return LinkState::Quit;
  return LinkState::Idle;
}

// The state that LASTTIME holds in a store open on the link file; a missing key reads as 0.
inline LinkState ReadLinkState(const SettingsStore& store) {
  return ClassifyLastTime(ParseNumber(store.ReadSettingText(kLastTime, "0")));
}

}  // namespace settings::link
