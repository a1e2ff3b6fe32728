// The 243-line file of saved games (.ssv) and master puzzles (.sms): three signed decimal
// lines per cell (digit, master, textColor), cells in row-major order, CR LF line ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "game/engine/board.h"
#include "game/engine/game.h"

namespace files {

// The normalising writer of the Save command: a digit with textColor 0 becomes a given
// (master = -digit) and an empty cell has master = textColor = 0, in the Board as in the
// file. Fails, leaving any old file and the Board unchanged, when the file cannot be
// written completely.
bool WriteGameFile(engine::Board& board, const std::filesystem::path& path);
// The raw writer of numbered masters: every field exactly as it stands.
bool WriteMasterGrid(const engine::Board& board, const std::filesystem::path& path);
// The bytes both writers produce.
std::string FormatGameFile(const engine::Board& board);

// Parses the file's bytes into board. masterNumber 0 is a plain load; any other value a
// master load, which makes every digit a given. A digit line outside 0 to 9 gives an empty
// cell. Returns whether every cell is filled.
bool ParseGameFile(std::string_view bytes, int masterNumber, engine::Board& board);
// Reads the file into game.board; a complete grid is thinned out by game.Skill. Fails,
// leaving the Board untouched and creating nothing, when the file does not exist or cannot
// be read.
bool ReadGameFile(engine::Game& game, const std::filesystem::path& path, int masterNumber);
// The same for bytes already read.
void ReadGameBytes(engine::Game& game, std::string_view bytes, int masterNumber);

// The three-digit name of numbered master n: 7 is "007".
std::string NumberedMasterName(int n);
// The window title for the file last loaded, created or saved: "Deradu - 007.sms".
void ShowFileInTitle(engine::Game& game, const std::filesystem::path& path);

// The next free numbered master name ("007"), starting at the LastSave number of the
// settings file and stored there and in game.LastSave; empty when every number up to 999 is
// taken.
std::string NextNumberedMasterName(engine::Game& game);
// Files the Board as the next numbered master in MastersFolder and sets the title; returns
// the file name written ("007.sms") or empty (used by the Create command).
std::string FileNumberedMaster(engine::Game& game);

}  // namespace files
