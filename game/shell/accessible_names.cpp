// What assistive technology reads for the main window's gadgets.
#include "game/shell/accessible_names.h"

#include "game/engine/cells.h"

namespace shell {
namespace {

using namespace engine;

// The number chosen on the number bar (1-9, 10 for "X"), 0 while none is pressed.
int ChosenNumber(const MainWindowState& state) {
  for (int i = 0; i < 10; ++i) {
    if (state.numberPressed[i]) return i + 1;
  }
  return 0;
}

std::string CellState(const MainWindowState& state, int k) {
  const CellGadget& cell = state.cells[k];
  if (cell.text.empty()) return cell.cellTag > 0 ? "empty, highlighted" : "empty";
  if (IsHintText(cell.text)) {
    // The candidates follow the leading "0"; a lone "0" means that no digit fits.
    std::string hint = "hint";
    for (size_t i = cell.text[0] == '0' ? 1 : 0; i < cell.text.size(); ++i) {
      (hint += ' ') += cell.text[i];
    }
    return hint == "hint" ? "hint none" : hint;
  }
  std::string described = cell.cellTag < 0 ? "given" : "your digit";
  if (state.markPressed && cell.text[0] - '0' == ChosenNumber(state)) described += ", marked";
  return described;
}

}  // namespace

const std::array<std::string_view, 9> kPaletteColorNames = {
    "Red", "Green", "Blue", "Dark red", "Dark green", "Navy", "Grey", "Olive", "Teal"};

AccessibleTexts AccessibleTextsOf(const MainWindowState& state) {
  AccessibleTexts texts;
  for (int k = 0; k < kCellCount; ++k) {
    texts[k] = {"Row " + std::to_string(k / 9 + 1) + ", column " + std::to_string(k % 9 + 1),
                CellState(state, k)};
  }
  for (int i = 0; i < 9; ++i) {
    texts[kFirstColumnButton + i].name = "Highlight column " + std::to_string(i + 1);
    texts[kFirstRowButton + i].name = "Highlight row " + std::to_string(i + 1);
    texts[kFirstColorButton + i].name = kPaletteColorNames[i];
    // The caption is the digit between two asterisks once all nine stand on the board.
    texts[kFirstNumberButton + i].name = "Number " + std::to_string(i + 1) +
        (state.numberCaptions[i].starts_with('*') ? ", all placed" : "");
  }
  texts[kClearButton].name = "Clear";
  texts[kMarkButton].name = "Mark the chosen number";
  return texts;
}

MenuItemLabel SplitMenuText(std::string_view text) {
  const size_t tab = text.find('\t');
  if (tab == std::string_view::npos) return {text, {}};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

}  // namespace shell
