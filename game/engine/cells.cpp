// Copying between the cell gadgets and the Board, and the clear and repaint routines.
#include "game/engine/cells.h"

#include "common/settings/number_text.h"
#include "game/engine/paint.h"

namespace engine {

int32_t CellValue(const Game& game, int k) {
  return settings::ParseNumber(game.window.cells[k].text);
}

bool IsHintText(std::string_view text) {
  return (!text.empty() && text.front() == '0') || text.size() > 1;
}

void ReadBoardFromCells(Game& game, bool enterMode) {
  for (int k = 0; k < kCellCount; ++k) {
    CellGadget& gadget = game.window.cells[k];
    Cell& cell = game.board.cells[k];
    // Hint texts are candidates, not digits: saving while hints show must not store 357.
    cell.digit = IsHintText(gadget.text) ? 0 : CellValue(game, k);
    if (cell.digit == 0) {
      gadget.backColor = game.DefColor;
      continue;
    }
    if (enterMode) {
      cell.master = 1;
      cell.textColor = 0;
      gadget.textColor = 0;
      gadget.cellTag = -cell.digit;
      gadget.backColor = game.MasterColor;
      continue;
    }
    cell.textColor = gadget.textColor;
    if (gadget.textColor == 0) {
      cell.master = 1;
      gadget.cellTag = -cell.digit;
      gadget.backColor = game.MasterColor;
    } else {
      cell.master = 0;
      gadget.cellTag = 0;
      gadget.backColor = game.NumberColor;
    }
  }
}

void ShowBoard(Game& game) {
  for (int k = 0; k < kCellCount; ++k) {
    CellGadget& gadget = game.window.cells[k];
    const Cell& cell = game.board.cells[k];
    if (cell.digit == 0) {
      gadget.text.clear();
      gadget.backColor = game.DefColor;
      gadget.cellTag = 0;
      continue;
    }
    gadget.text = settings::FormatNumber(cell.digit);
    if (cell.master != 0) {
      gadget.textColor = 0;
      gadget.backColor = game.MasterColor;
      gadget.cellTag = -cell.digit;
    } else if (cell.textColor != 0) {
      gadget.textColor = cell.textColor;
      gadget.backColor = game.NumberColor;
      gadget.cellTag = 0;
    }
  }
}

void ClearBoard(Game& game) {
  game.board = Board{};
  game.searchStack.clear();
}

void ClearCells(Game& game) {
  for (CellGadget& gadget : game.window.cells) {
    gadget.text.clear();
    gadget.backColor = game.DefColor;
    gadget.textColor = 0;
    gadget.cellTag = 0;
  }
  game.window.linePressed.fill(false);
  game.undoHistory.clear();
}

void RepaintCells(Game& game) { PaintDigitBackgrounds(game, MarkedDigit(game), false); }

}  // namespace engine
