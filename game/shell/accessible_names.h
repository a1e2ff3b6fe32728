// What assistive technology reads for the main window's gadgets: a name that tells each
// focusable gadget apart, for a cell a description of the state it shows and the text it
// presents, and the announcement of what the last event did. Both shells apply these
// texts; they depend only on the gadget state.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "game/engine/game.h"

namespace shell {

struct AccessibleText {
  std::string name;
  std::string description;
  // What a cell presents as its value where the platform reads one: its digit, nothing when
  // empty, and a hint's candidates apart ("4 6 9") rather than the hint text ("0469"),
  // which reads as a number.
  std::string value;
  friend bool operator==(const AccessibleText&, const AccessibleText&) = default;
};

// Indexed by gadget identifier. Cells: "Row r, column c, box b" (1-based, boxes counted row
// by row from the top-left) with what they show ("5, given", "7, your digit, teal",
// "empty", "candidates 1, 4, 7", with ", highlighted" or ", marked" where it applies); line
// toggles, number bar, colour squares and "M" by what they do or show. The two labels get
// nothing: they take no focus and read their own text.
using AccessibleTexts = std::array<AccessibleText, engine::kGadgetCount>;
AccessibleTexts AccessibleTextsOf(const engine::MainWindowState& state);

// The words for the state's notice: why a digit was refused ("5 is already in row 2"), or
// what an undo changed ("Undo: Row 3, column 4, box 2, empty"); empty for no notice.
std::string AnnouncementOf(const engine::MainWindowState& state);

// The names of the TextPalette colours, in palette order.
extern const std::array<std::string_view, 9> kPaletteColorNames;

// A menu item's text split at its tab: the name ("Exit") and the key hint ("Alt+F4"), which
// is empty for an item without one.
struct MenuItemLabel {
  std::string_view name;
  std::string_view keys;
};
MenuItemLabel SplitMenuText(std::string_view text);

}  // namespace shell
