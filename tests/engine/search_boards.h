// Boards for the search's tests: written as text, read back and checked against the rules.
#pragma once

#include <string>
#include <string_view>

#include "game/engine/board.h"

namespace testing_support {

// The text colour of the player's digits on boards written as text.
inline constexpr int kPlayerColor = 255;

// 81 characters: '1'-'9' a given, 'a'-'i' a player's digit 1-9, anything else empty.
engine::Board BoardFromText(std::string_view text);
// 81 characters: the digits, '.' for an empty cell.
std::string DigitsOf(const engine::Board& board);
// Every cell filled and no digit twice in a row, column or box.
bool IsValidFullGrid(const engine::Board& board);

}  // namespace testing_support
