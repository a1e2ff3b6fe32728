// The one rule by which filled cells get their background colour.
#include "game/engine/paint.h"

#include "game/engine/cells.h"

namespace engine {

void PaintDigitBackgrounds(Game& game, int litDigit, bool emptyCellsToo) {
  for (int k = 0; k < kCellCount; ++k) {
    int32_t value = CellValue(game, k);
    if (value <= 0 && !emptyCellsToo) continue;
    CellGadget& gadget = game.window.cells[k];
    if (litDigit != 0 && value == litDigit) {
      gadget.backColor = game.MarkColor;
    } else {
      gadget.backColor = gadget.cellTag < 0 ? game.MasterColor : game.NumberColor;
    }
  }
}

int MarkedDigit(const Game& game) { return game.Marking ? game.SelectedNumber : 0; }

}  // namespace engine
