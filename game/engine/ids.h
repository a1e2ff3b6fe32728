// Identifiers of the main window's gadgets and menu items. Events report gadgets and menu
// items by these numbers; the hint mode and the Sound and WinSound settings store menu ids.
#pragma once

namespace engine {

// Gadgets. Cell k (0 to 80) is row k / 9, column k % 9; its identifier is k.
inline constexpr int kCellCount = 81;
inline constexpr int kFirstColumnButton = 81;  // 81 + column
inline constexpr int kFirstRowButton = 90;     // 90 + row
inline constexpr int kColorLabel = 99;
inline constexpr int kNumberLabel = 100;
inline constexpr int kFirstNumberButton = 101;  // 100 + digit
inline constexpr int kClearButton = 110;        // "X", SelectedNumber 10
inline constexpr int kFirstColorButton = 111;   // 111 + palette index
inline constexpr int kMarkButton = 120;
inline constexpr int kGadgetCount = 121;
inline constexpr int kProgressBar = 121;

inline constexpr int kNoCell = -1;
inline constexpr int kClearNumber = 10;  // SelectedNumber of the "X" button

// Menu items.
enum MenuId : int {
  MenuNew = 0,
  MenuLoad = 1,
  MenuSave = 2,
  MenuSkillDefault = 3,
  MenuSkillMedium = 4,
  MenuSkillEasy = 5,
  MenuSkillSuperEasy = 6,
  MenuEmptyBackColor = 7,
  MenuMasterBackColor = 8,
  MenuNumberBackColor = 9,
  MenuHighlightBackColor = 10,
  MenuMarkingBackColor = 11,
  MenuCreate = 12,
  MenuEnter = 13,
  MenuSolve = 14,
  MenuExit = 15,
  MenuUndo = 16,
  MenuDeleteNumber = 17,
  MenuDeleteColor = 18,
  MenuResetGame = 19,
  MenuSoundOn = 20,
  MenuSoundOff = 21,
  MenuSoundLoad = 22,
  MenuSoundDefault = 23,
  MenuWinSoundOff = 24,
  MenuWinSoundDefault = 25,
  MenuWinSoundCustom = 26,
  MenuRules = 27,
  MenuHelp = 28,
  MenuOptions = 29,
  MenuAbout = 30,
  MenuHints = 35,
  MenuAcceptHints = 36,
  MenuHintsOff = 37,
  MenuHintColor = 38,
};
inline constexpr int kMenuIdCount = 39;

}  // namespace engine
