// The whole state of one game: the live state of the main window's gadgets (which the Qt
// shell only renders), the board model, the undo history, the search stack, the shared
// flags and the settings read at start-up. Engine, file commands and shell work on it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "game/engine/board.h"
#include "game/engine/ids.h"
#include "game/engine/platform.h"

namespace engine {

// The text colours offered for the player's digits; ColorButton 111 + i shows entry i.
// None is black: black text marks a given.
inline constexpr std::array<Rgb, 9> TextPalette = {
    RgbOf(255, 0, 0),     RgbOf(0, 255, 0),   RgbOf(0, 0, 255),
    RgbOf(128, 0, 0),     RgbOf(0, 128, 0),   RgbOf(0, 0, 128),
    RgbOf(129, 129, 129), RgbOf(128, 128, 0), RgbOf(0, 128, 128)};

inline constexpr std::string_view kStartTitle = "Brindle's Deradu";
inline constexpr int kBaseWidth = 266;
inline constexpr int kBaseHeight = 333;

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct CellGadget {
  std::string text;
  Rgb textColor = 0;
  Rgb backColor = kDefaultColor;
  // Negative for a given (the negated digit); else bit 0 while its column is highlighted
  // and bit 1 while its row is.
  int32_t cellTag = 0;
};

// What the last event did that the board alone does not show, for the shells to tell
// assistive technology once: a digit refused with the first unit that holds it, or what an
// undo changed. serial grows with every notice, so that each is told once.
struct BoardNotice {
  enum class Kind { None, Refused, Undone };
  Kind kind = Kind::None;
  int cell = kNoCell;   // the refused cell, or the last cell the undo restored
  int digit = 0;        // the refused digit
  UnitPlace unit;       // the unit that already holds it
  int cellsChanged = 0; // cells the undo restored
  uint32_t serial = 0;
};

// What the main window shows. Indices: cells by cell index; line toggles 0-8 are the column
// buttons 81-89 and 9-17 the row buttons 90-98; number buttons 0-9 are 101-110.
struct MainWindowState {
  std::string title{kStartTitle};
  std::array<CellGadget, kCellCount> cells{};
  std::array<bool, 18> linePressed{};
  std::array<std::string, 10> numberCaptions{"1", "2", "3", "4", "5", "6", "7", "8", "9", "X"};
  std::array<bool, 10> numberPressed{};
  int pushedColorButton = -1;  // palette index drawn pushed in, -1 none
  bool markPressed = false;
  Rgb colorLabelColor = kDefaultColor;
  std::array<bool, kMenuIdCount> menuChecks{};
  std::array<Rect, kGadgetCount> geometry{};
  int innerWidth = kBaseWidth;  // client width
  int innerHeight = kBaseHeight;  // client height plus the menu bar
  BoardNotice notice;
};

// One step of the undo history: the cell's text and text colour before the change.
struct UndoRecord {
  int32_t cell;  // 0-80, or a boundary
  std::string oldText;
  Rgb oldTextColor = 0;
};
inline constexpr int32_t kGroupBoundary = -1;
inline constexpr int32_t kProvisionalBoundary = -2;  // only while Accept Hints runs

// One filled cell on the search stack.
struct SearchEntry {
  int32_t digit;
  int32_t startDigit;
  int32_t x, y;
  int32_t kind;  // 2 a given, 1 a player's digit, 0 placed by the search
};

struct Game {
  explicit Game(Platform& platform) : platform(platform) {}

  Platform& platform;
  MainWindowState window;
  Board board;
  std::vector<SearchEntry> searchStack;
  std::vector<UndoRecord> undoHistory;

  // Shared state.
  int SelectedNumber = 1;  // 1-9, or 10 for "X"
  Rgb CurrentColor = TextPalette[0];
  bool Marking = false;
  int HintMode = MenuHintsOff;  // MenuHintsOff or MenuHints
  bool EnterMode = false;
  bool Modified = false;
  bool Finished = false;

  // Entry and hints.
  int32_t LastEntryCell = -1;
  int32_t LastEntryDigit = 99;
  // The cell whose hint was shown on its last focus; none at first and after any cell
  // event outside hint mode, so that every cell, cell 0 too, can be hinted on focus.
  int lastHintedCell = kNoCell;

  // Flashing of a finished board: the digit lit last and when the next one lights up.
  int flashDigit = 0;
  uint32_t nextFlashTime = 0;

  // Tick count of a size change not yet stored, 0 for none.
  uint32_t ResizeStamp = 0;
  // The platform's sound device was still open after the last chores.
  bool soundDeviceOpen = false;
  // Set by Game > Exit once its guard let it go on; the shell then ends the event loop.
  bool exitRequested = false;

  // Settings read at start-up or changed through the menus.
  int Skill = 0;
  int Sound = MenuSoundDefault;
  std::string Custom = "*.wav";
  int WinSound = MenuWinSoundOff;
  std::string WinCustom = "*.wav";
  Rgb DefColor = kDefaultColor;
  Rgb MasterColor = kDefaultColor;
  Rgb NumberColor = kDefaultColor;
  Rgb HIColor = RgbOf(129, 129, 129);
  Rgb MarkColor = RgbOf(255, 0, 0);
  Rgb HintColor = kDefaultColor;
  int MoveFiles = 1;
  std::string LastSave = "000";

  // Folders. ProgramFolder holds what the game writes: Tarnwick.ini, the link file, the
  // masters and saves (the executable folder itself when that is writable, see DataFolder);
  // the executable folder holds the help viewer, the help document and Readme.txt.
  std::filesystem::path ProgramFolder;
  std::filesystem::path MastersFolder;
  std::filesystem::path SavesFolder;
  std::filesystem::path ExecutableFolder;

  std::filesystem::path SettingsPath() const { return ProgramFolder / "Tarnwick.ini"; }
};

}  // namespace engine
