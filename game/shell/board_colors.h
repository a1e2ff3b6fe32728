// The colours the board is drawn in on the desktop at hand: what the default colour (-1) of
// a cell stands for, and how a pressed button stands out from a raised one. Both shells
// read the desktop's colours and draw with these.
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

struct ButtonLook {
  engine::Rgb face;
  engine::Rgb label;
};

// A pressed toggle and the chosen colour square: the face in the desktop's selection colour
// where that stands out from a raised button's face at 3:1, else in the button's text colour
// (the button drawn inverted); the label in the first of the selection text, button text and
// button face colours that reads on that face at 4.5:1, else in black or white.
ButtonLook PressedLook(engine::Rgb buttonFace, engine::Rgb buttonText, engine::Rgb selection,
                       engine::Rgb selectionText);

}  // namespace shell
