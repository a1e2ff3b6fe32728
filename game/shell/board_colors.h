// What the default colour (-1) of a cell stands for on the desktop at hand. Both shells read
// the desktop's field colours and draw the cells with these.
#pragma once

#include "game/engine/game.h"

namespace shell {

// What -1 stands for in a cell: its background ("paper") and its text ("ink").
struct BoardDefaults {
  engine::Rgb paper;
  engine::Rgb ink;
};

// The paper is the desktop's field background while every palette colour that reads at
// 4.5:1 on white reads at 4.5:1 on it too, else white; the ink is the desktop's field text
// while it reads at 4.5:1 on the paper, else black. On a dark desktop the board thus keeps
// light paper, on which the black givens and the palette colours stay readable.
BoardDefaults ResolveBoardDefaults(engine::Rgb fieldBack, engine::Rgb fieldText);

struct CellLook {
  engine::Rgb text;
  engine::Rgb back;
};

// The colours a cell is drawn in: its own colours, with -1 resolved by defaults.
CellLook DrawnCellColors(const engine::CellGadget& cell, const BoardDefaults& defaults);

}  // namespace shell
