// What assistive technology reads for the main window's gadgets.
#include <gtest/gtest.h>

#include <set>

#include "game/shell/accessible_names.h"

namespace {

using namespace engine;

struct CellCase {
  const char* what;
  std::string text;
  Rgb textColor;
  int32_t cellTag;
  bool marking;
  const char* description;
  const char* value;
};

TEST(AccessibleNamesTest, CellsDescribeTheStateTheyShowAndPresentCandidatesApart) {
  const Rgb teal = TextPalette[8];
  const CellCase cases[] = {
      {"empty", "", 0, 0, false, "empty", ""},
      {"empty on a highlighted column", "", 0, 1, false, "empty, highlighted", ""},
      {"empty on a highlighted row and column", "", 0, 3, true, "empty, highlighted", ""},
      {"given", "5", 0, -5, false, "5, given", "5"},
      {"given equal to the chosen number", "4", 0, -4, true, "4, given, marked", "4"},
      {"given, marking on, another number", "5", 0, -5, true, "5, given", "5"},
      {"player's red digit", "7", TextPalette[0], 0, false, "7, your digit, red", "7"},
      {"player's dark red digit", "7", TextPalette[3], 0, false, "7, your digit, dark red", "7"},
      {"player's teal digit, the chosen number", "4", teal, 0, true, "4, your digit, teal, marked", "4"},
      {"player's teal digit, marking off", "4", teal, 0, false, "4, your digit, teal", "4"},
      {"digit typed into a cleared cell", "6", 0, 0, false, "6, your digit, black", "6"},
      {"digit in a colour of no square", "6", RgbOf(1, 2, 3), 0, false, "6, your digit", "6"},
      {"hint", "0469", kDefaultColor, 0, false, "candidates 4, 6, 9", "4 6 9"},
      {"hint with one candidate", "04", kDefaultColor, 0, true, "candidate 4", "4"},
      {"hint with no candidate", "0", kDefaultColor, 0, false, "no candidates", ""},
      {"hint on a highlighted line", "039", kDefaultColor, 2, false, "candidates 3, 9", "3 9"},
  };
  for (const CellCase& c : cases) {
    MainWindowState state;
    state.numberPressed[3] = true;  // the chosen number is 4
    state.markPressed = c.marking;
    state.cells[40] = {c.text, c.textColor, kDefaultColor, c.cellTag};
    const shell::AccessibleText text = shell::AccessibleTextsOf(state)[40];
    EXPECT_EQ(text.name, "Row 5, column 5, box 5") << c.what;
    EXPECT_EQ(text.description, c.description) << c.what;
    EXPECT_EQ(text.value, c.value) << c.what;
  }
}

TEST(AccessibleNamesTest, NoticesAreAnnouncedInWords) {
  using Kind = BoardNotice::Kind;
  using Place = UnitPlace::Kind;
  struct NoticeCase {
    BoardNotice notice;
    const char* announcement;
  };
  const NoticeCase cases[] = {
      {{}, ""},
      {{Kind::Refused, 10, 5, {Place::Row, 1}, 0, 1}, "5 is already in row 2"},
      {{Kind::Refused, 10, 3, {Place::Column, 8}, 0, 2}, "3 is already in column 9"},
      {{Kind::Refused, 10, 9, {Place::Box, 2}, 0, 3}, "9 is already in box 3"},
      {{Kind::Undone, 30, 0, {}, 1, 4}, "Undo: Row 4, column 4, box 5, 2, your digit, teal"},
      {{Kind::Undone, 31, 0, {}, 1, 5}, "Undo: Row 4, column 5, box 5, empty"},
      {{Kind::Undone, 31, 0, {}, 12, 6}, "Undo: 12 cells restored"},
      {{Kind::Undone, kNoCell, 0, {}, 0, 7}, "Nothing to undo"},
  };
  for (const NoticeCase& c : cases) {
    MainWindowState state;
    state.cells[30] = {"2", TextPalette[8], kDefaultColor, 0};
    state.notice = c.notice;
    EXPECT_EQ(shell::AnnouncementOf(state), c.announcement) << c.announcement;
  }
}

TEST(AccessibleNamesTest, EveryFocusableGadgetHasItsOwnName) {
  MainWindowState state;
  state.numberCaptions[4] = "*5*";
  const shell::AccessibleTexts texts = shell::AccessibleTextsOf(state);
  std::set<std::string> names;
  for (int id = 0; id < kGadgetCount; ++id) {
    if (id == kColorLabel || id == kNumberLabel) {
      EXPECT_EQ(texts[id].name, "") << "label " << id;
      continue;
    }
    EXPECT_NE(texts[id].name, "") << "gadget " << id;
    names.insert(texts[id].name);
  }
  EXPECT_EQ(names.size(), 119u);
  const std::pair<int, const char*> named[] = {
      {0, "Row 1, column 1, box 1"},
      {8, "Row 1, column 9, box 3"},
      {30, "Row 4, column 4, box 5"},
      {60, "Row 7, column 7, box 9"},
      {80, "Row 9, column 9, box 9"},
      {72, "Row 9, column 1, box 7"},
      {kFirstRowButton + 2, "Highlight row 3"},
      {kFirstColumnButton + 6, "Highlight column 7"},
      {kFirstNumberButton, "Number 1"},
      {kFirstNumberButton + 4, "Number 5, all placed"},
      {kClearButton, "Clear"},
      {kFirstColorButton, "Red"},
      {kFirstColorButton + 5, "Navy"},
      {kMarkButton, "Mark the chosen number"},
  };
  for (const auto& [id, name] : named) EXPECT_EQ(texts[id].name, name) << "gadget " << id;
}

TEST(AccessibleNamesTest, MenuTextsSplitIntoNameAndKeys) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"Exit\tAlt+F4", "Exit", "Alt+F4"},
      {"Undo\tCtrl+Z", "Undo", "Ctrl+Z"},
      {"Help\tF1", "Help", "F1"},
      {"Win Sound Off", "Win Sound Off", ""},
  };
  for (const auto& [text, name, keys] : cases) {
    const shell::MenuItemLabel label = shell::SplitMenuText(text);
    EXPECT_EQ(label.name, name) << text;
    EXPECT_EQ(label.keys, keys) << text;
  }
}

}  // namespace
