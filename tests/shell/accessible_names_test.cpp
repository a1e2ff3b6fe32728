// What assistive technology reads for the main window's gadgets.
#include <gtest/gtest.h>

#include <set>

#include "game/shell/accessible_names.h"

namespace {

using namespace engine;

struct CellCase {
  const char* what;
  std::string text;
  int32_t cellTag;
  bool marking;
  const char* description;
};

TEST(AccessibleNamesTest, CellsDescribeTheStateTheyShow) {
  const CellCase cases[] = {
      {"empty", "", 0, false, "empty"},
      {"empty on a highlighted column", "", 1, false, "empty, highlighted"},
      {"empty on a highlighted row and column", "", 3, true, "empty, highlighted"},
      {"given", "5", -5, false, "given"},
      {"given equal to the chosen number", "4", -4, true, "given, marked"},
      {"given, marking on, another number", "5", -5, true, "given"},
      {"player's digit", "7", 0, false, "your digit"},
      {"player's digit equal to the chosen number", "4", 0, true, "your digit, marked"},
      {"player's digit, marking off", "4", 0, false, "your digit"},
      {"hint", "0147", 0, false, "hint 1 4 7"},
      {"hint with one candidate", "04", 0, true, "hint 4"},
      {"hint with no candidate", "0", 0, false, "hint none"},
      {"hint on a highlighted line", "039", 2, false, "hint 3 9"},
  };
  for (const CellCase& c : cases) {
    MainWindowState state;
    state.numberPressed[3] = true;  // the chosen number is 4
    state.markPressed = c.marking;
    state.cells[40] = {c.text, 0, kDefaultColor, c.cellTag};
    const shell::AccessibleText text = shell::AccessibleTextsOf(state)[40];
    EXPECT_EQ(text.name, "Row 5, column 5") << c.what;
    EXPECT_EQ(text.description, c.description) << c.what;
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
      {0, "Row 1, column 1"},
      {80, "Row 9, column 9"},
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
