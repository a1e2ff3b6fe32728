// What assistive technology reads for the main window's gadgets.
#include "game/shell/accessible_names.h"

#include <algorithm>
#include <cctype>

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

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The candidates of a hint text: the digits after its leading "0".
std::string_view Candidates(std::string_view hint) {
  return hint.starts_with('0') ? hint.substr(1) : hint;
}

std::string Joined(std::string_view digits, std::string_view separator) {
  std::string joined;
  for (char digit : digits) {
    if (!joined.empty()) joined += separator;
    joined += digit;
  }
  return joined;
}

// The name of a player's digit's colour as its square is named; black for a digit typed
// into a cleared cell, nothing for a colour the palette does not hold.
std::string ColorName(Rgb color) {
  const auto found = std::find(TextPalette.begin(), TextPalette.end(), color);
  if (found != TextPalette.end()) return Lowercase(kPaletteColorNames[found - TextPalette.begin()]);
  return color == 0 ? "black" : "";
}

std::string CellName(int k) {
  return "Row " + std::to_string(RowOf(k) + 1) + ", column " + std::to_string(ColumnOf(k) + 1) +
         ", box " + std::to_string(BoxNumberOf(k) + 1);
}

std::string CellState(const MainWindowState& state, int k) {
  const CellGadget& cell = state.cells[k];
  if (cell.text.empty()) return cell.cellTag > 0 ? "empty, highlighted" : "empty";
  if (IsHintText(cell.text)) {
    const std::string_view candidates = Candidates(cell.text);
    if (candidates.empty()) return "no candidates";
    return (candidates.size() == 1 ? "candidate " : "candidates ") + Joined(candidates, ", ");
  }
  const bool given = cell.cellTag < 0;
  std::string described = cell.text + (given ? ", given" : ", your digit");
  if (const std::string color = given ? "" : ColorName(cell.textColor); !color.empty()) {
    described += ", " + color;
  }
  if (state.markPressed && cell.text[0] - '0' == ChosenNumber(state)) described += ", marked";
  return described;
}

std::string CellValueText(const CellGadget& cell) {
  return IsHintText(cell.text) ? Joined(Candidates(cell.text), " ") : cell.text;
}

std::string UnitName(UnitPlace unit) {
  static constexpr std::string_view kKinds[] = {"row", "column", "box"};
  return std::string(kKinds[static_cast<int>(unit.kind)]) + " " + std::to_string(unit.index + 1);
}

}  // namespace

const std::array<std::string_view, 9> kPaletteColorNames = {
    "Red", "Green", "Blue", "Dark red", "Dark green", "Navy", "Grey", "Olive", "Teal"};

AccessibleTexts AccessibleTextsOf(const MainWindowState& state) {
  AccessibleTexts texts;
  for (int k = 0; k < kCellCount; ++k) {
    texts[k] = {CellName(k), CellState(state, k), CellValueText(state.cells[k])};
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

std::string AnnouncementOf(const MainWindowState& state) {
  const BoardNotice& notice = state.notice;
  switch (notice.kind) {
    case BoardNotice::Kind::None: return {};
    case BoardNotice::Kind::Refused:
      return std::to_string(notice.digit) + " is already in " + UnitName(notice.unit);
    case BoardNotice::Kind::Undone:
      // An empty history, or a group that emptied no cell: the board stays as it is.
      if (notice.cellsChanged == 0) return "Nothing to undo";
      if (notice.cellsChanged > 1) {
        return "Undo: " + std::to_string(notice.cellsChanged) + " cells restored";
      }
      return "Undo: " + CellName(notice.cell) + ", " + CellState(state, notice.cell);
  }
  return {};
}

MenuItemLabel SplitMenuText(std::string_view text) {
  const size_t tab = text.find('\t');
  if (tab == std::string_view::npos) return {text, {}};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

}  // namespace shell
