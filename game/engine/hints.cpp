// Candidate hints, Accept Hints, marking, line highlights, the number bar and the palette.
#include "game/engine/hints.h"

#include <algorithm>

#include "game/engine/cells.h"
#include "game/engine/entry.h"
#include "game/engine/paint.h"

namespace engine {
namespace {

void ShowHintIn(Game& game, int k) {
  CellGadget& gadget = game.window.cells[k];
  gadget.textColor = game.HintColor;
  gadget.backColor = game.DefColor;
  gadget.text = HintTextOf(game, k);
}

bool StartsWithHintMark(const CellGadget& gadget) { return !gadget.text.empty() && gadget.text[0] == '0'; }

bool Contains(const std::string& text, char digit) {
  return text.find(digit) != std::string::npos;
}

}  // namespace

std::string MissingDigits(const Game& game, const Unit& cells) {
  std::string missing;
  for (char n = '1'; n <= '9'; ++n) {
    bool present = std::any_of(cells.begin(), cells.end(), [&](int k) {
      const std::string& text = game.window.cells[k].text;
      return !text.empty() && text[0] == n;
    });
    if (!present) missing += n;
  }
  return missing;
}

std::string HintTextOf(const Game& game, int k) {
  std::string inRow = MissingDigits(game, RowUnitOf(k));
  std::string inColumn = MissingDigits(game, ColumnUnitOf(k));
  std::string inBox = MissingDigits(game, BoxUnitOf(k));
  std::string hint = "0";
  for (char n = '1'; n <= '9'; ++n) {
    if (Contains(inRow, n) && Contains(inColumn, n) && Contains(inBox, n)) hint += n;
  }
  return hint;
}

void ShowAllHints(Game& game) {
  for (int k = 0; k < kCellCount; ++k) {
    if (game.window.cells[k].text.empty()) ShowHintIn(game, k);
  }
}

void NarrowHints(Game& game) {
  auto& cells = game.window.cells;
  for (int pass = 0; pass < 3; ++pass) {
    for (const Unit& unit : Units()) {
      for (char n = '1'; n <= '9'; ++n) {
        for (int target : unit) {
          if (!StartsWithHintMark(cells[target]) || !Contains(cells[target].text, n)) continue;
          // A candidate that no other cell of the unit can take (neither as a placed digit
          // nor as a candidate) is the only place for that digit: a hidden single.
          bool elsewhere = std::any_of(unit.begin(), unit.end(), [&](int other) {
            return other != target && Contains(cells[other].text, n);
          });
          if (!elsewhere) cells[target].text = std::string("0") + n;
        }
      }
    }
  }
}

void ClearHintTexts(Game& game) {
  for (CellGadget& gadget : game.window.cells) {
    if (IsHintText(gadget.text)) gadget.text.clear();
  }
}

void SetHintMode(Game& game, int menuId) {
  game.HintMode = menuId;
  for (int id = 31; id <= MenuHintsOff; ++id) game.window.menuChecks[id] = id == menuId;
}

void ShowHints(Game& game) {
  SetHintMode(game, MenuHints);
  ClearHintTexts(game);
  ShowAllHints(game);
  NarrowHints(game);
}

void HintsOff(Game& game) {
  SetHintMode(game, MenuHintsOff);
  ClearHintTexts(game);
}

void AcceptHints(Game& game) {
  if (game.HintMode != MenuHints) return;
  std::vector<UndoRecord>& history = game.undoHistory;
  const size_t opening = history.size();
  history.push_back({kProvisionalBoundary, {}, 0});
  for (int k = 0; k < kCellCount; ++k) {
    const std::string& text = game.window.cells[k].text;
    if (text.size() == 2) history.push_back({k, text.substr(1), 0});
  }
  history.push_back({kProvisionalBoundary, {}, 0});
  HintsOff(game);

  // Place the single candidates one by one: each is checked against the board as it
  // grows, so of two singles with the same digit in one unit only the first is placed.
  // Each placed record is turned into "was empty" so that one Undo empties all of them.
  history[opening].cell = kGroupBoundary;
  bool placedAny = false;
  for (size_t i = opening + 1; i < history.size();) {
    UndoRecord& record = history[i];
    if (record.cell == kProvisionalBoundary) {
      record.cell = kGroupBoundary;
      break;
    }
    int digit = record.oldText[0] - '0';
    if (IsLegalEntry(game, record.cell, digit)) {
      game.window.cells[record.cell].text = record.oldText;
      record.oldText.clear();
      placedAny = true;
      ++i;
    } else {
      history.erase(history.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  // Accepted digits are part of the game: without this, closing would discard them
  // without the save question.
  if (placedAny) game.Modified = true;
  CountDigits(game);
}

void ShowHintOnFocus(Game& game, int k) {
  if (k == game.lastHintedCell) return;
  game.lastHintedCell = k;
  if (game.window.cells[k].text.empty()) ShowHintIn(game, k);
}

void SelectNumber(Game& game, int number) {
  game.SelectedNumber = number;
  for (int i = 0; i < 10; ++i) game.window.numberPressed[i] = i + 1 == number;
  for (int k = 0; k < kCellCount; ++k) {
    if (CellValue(game, k) <= 0) {
      game.window.cells[k].backColor = game.DefColor;
      game.window.cells[k].cellTag = 0;
    }
  }
  PaintDigitBackgrounds(game, MarkedDigit(game), false);
  game.window.linePressed.fill(false);
}

void SelectColor(Game& game, int paletteIndex) {
  game.CurrentColor = TextPalette[paletteIndex];
  game.window.colorLabelColor = game.CurrentColor;
  game.window.pushedColorButton = paletteIndex;
}

void ToggleMarking(Game& game) {
  game.window.markPressed = !game.window.markPressed;
  game.Marking = game.window.markPressed;
  PaintDigitBackgrounds(game, MarkedDigit(game), false);
}

void ToggleLine(Game& game, int line) {
  bool pressed = !game.window.linePressed[line];
  game.window.linePressed[line] = pressed;
  const bool isColumn = line < 9;
  const Unit& cells = Units()[line];  // columns 0-8, then rows 0-8
  const int32_t s = pressed ? 1 : 0;
  for (int k : cells) {
    CellGadget& gadget = game.window.cells[k];
    if (gadget.cellTag < 0) continue;
    // Bit 0 belongs to the column toggle, bit 1 to the row toggle.
    int32_t tag = isColumn ? (gadget.cellTag & 2) + s : (gadget.cellTag & 1) + 2 * s;
    gadget.cellTag = tag;
    int32_t value = CellValue(game, k);
    if (tag != 0) {
      if (value == 0) {
        gadget.backColor = game.HIColor;
      } else {
        gadget.cellTag = 0;
      }
    } else {
      gadget.backColor = value != 0 ? game.NumberColor : game.DefColor;
    }
  }
}

}  // namespace engine
