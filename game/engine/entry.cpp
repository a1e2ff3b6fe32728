// Playing by hand: entry with the rule check, undo, grouped commands, Enter mode, the digit
// count and the flashing of a finished board.
#include "game/engine/entry.h"

#include <optional>
#include <utility>

#include "common/settings/number_text.h"
#include "game/engine/cells.h"
#include "game/engine/paint.h"

namespace engine {
namespace {

constexpr std::string_view kMinorErrorTitle = "Deradu Minor Error";
constexpr std::string_view kHintModeRefusal = "Unable to undo while in Hint mode";

// Undo and the grouped commands change the board and are refused while hints are shown.
bool RefusedInHintMode(Game& game) {
  if (game.HintMode == MenuHintsOff) return false;
  game.platform.ShowMessage(kMinorErrorTitle, kHintModeRefusal, MessageIcon::Error,
                            MessageButtons::Ok);
  return true;
}

void Record(Game& game, int k) {
  const CellGadget& gadget = game.window.cells[k];
  game.undoHistory.push_back({k, gadget.text, gadget.textColor});
}

void EmptyCell(Game& game, int k) {
  CellGadget& gadget = game.window.cells[k];
  gadget.text.clear();
  gadget.cellTag = 0;
  gadget.backColor = game.DefColor;
}

void Restore(Game& game, const UndoRecord& record) {
  CellGadget& gadget = game.window.cells[record.cell];
  gadget.text = record.oldText;
  gadget.backColor = settings::ParseNumber(record.oldText) != 0 ? game.NumberColor : game.DefColor;
  gadget.textColor = record.oldTextColor;
  gadget.cellTag = 0;
}

bool IsBoundary(const UndoRecord& record) { return record.cell < 0; }

BoardNotice& NextNotice(Game& game, BoardNotice::Kind kind) {
  BoardNotice& notice = game.window.notice;
  notice = {kind, kNoCell, 0, {}, 0, notice.serial + 1};
  return notice;
}

// Restores the last record, noting it in the undo's notice.
void RestoreLast(Game& game, BoardNotice& notice) {
  Restore(game, game.undoHistory.back());
  notice.cell = game.undoHistory.back().cell;
  ++notice.cellsChanged;
  game.undoHistory.pop_back();
}

// Empties every non-given cell that matches, as one undoable group.
template <typename Matches>
void DeleteGroup(Game& game, Matches matches) {
  if (RefusedInHintMode(game)) return;
  game.undoHistory.push_back({kGroupBoundary, {}, 0});
  for (int k = 0; k < kCellCount; ++k) {
    if (game.window.cells[k].cellTag < 0 || !matches(k)) continue;
    Record(game, k);
    EmptyCell(game, k);
    game.Modified = true;
  }
  game.undoHistory.push_back({kGroupBoundary, {}, 0});
  game.Finished = false;
  CountDigits(game);
}

}  // namespace

void EnterSelectedNumber(Game& game, int k) {
  game.lastHintedCell = kNoCell;
  EnterDigit(game, k, game.SelectedNumber);
}

void EnterTypedText(Game& game, int k, std::string_view typedText) {
  game.lastHintedCell = kNoCell;
  // The field keeps only the first character typed; the shell writes the cell back with
  // the caret before that character, so the next digit typed lands in front and replaces
  // it. The cell still holds its previous text here: the typed digit goes through
  // EnterDigit like a clicked one, and a refused digit never reaches the cell.
  std::string_view typed = typedText.substr(0, 1);
  int32_t value = settings::ParseNumber(typed);
  EnterDigit(game, k, value == 0 ? kClearNumber : value);
}

void EnterDigit(Game& game, int k, int d) {
  CellGadget& gadget = game.window.cells[k];
  if (gadget.cellTag < 0) {
    if (CellValue(game, k) != -gadget.cellTag) gadget.text = settings::FormatNumber(-gadget.cellTag);
    ErrorSound(game);
    return;
  }
  if (k == game.LastEntryCell) {
    if (d == game.LastEntryDigit && CellValue(game, k) == d) return;
  } else {
    game.LastEntryDigit = 99;
  }
  game.LastEntryCell = k;

  if (d == kClearNumber && !gadget.text.empty()) {
    Record(game, k);
    EmptyCell(game, k);
    game.Modified = true;
    // A cleared cell means the board is no longer complete: stop the flashing and let
    // the save question guard the change.
    game.Finished = false;
    CountDigits(game);
    return;
  }
  if (const std::optional<UnitPlace> holder = UnitHolding(game, k, d)) {
    // Told once, as the sound is: not again for the same digit tried on the same cell.
    if (d != game.LastEntryDigit) {
      ErrorSound(game);
      BoardNotice& notice = NextNotice(game, BoardNotice::Kind::Refused);
      notice.cell = k;
      notice.digit = d;
      notice.unit = *holder;
    }
    game.LastEntryCell = k;
    game.LastEntryDigit = d;
    return;
  }
  if (gadget.text == settings::FormatNumber(d)) return;

  Record(game, k);
  if (d > 9) {
    gadget.text.clear();
    game.LastEntryDigit = 0;
  } else {
    game.LastEntryDigit = d;
    gadget.text = settings::FormatNumber(d);
    gadget.textColor = game.CurrentColor;
    gadget.backColor = game.Marking ? game.MarkColor : game.NumberColor;
    gadget.cellTag = 0;
  }
  game.Modified = true;
  CountDigits(game);
}

std::optional<UnitPlace> UnitHolding(const Game& game, int k, int d) {
  const std::pair<UnitPlace, const Unit*> units[] = {
      {{UnitPlace::Kind::Row, RowOf(k)}, &RowUnitOf(k)},
      {{UnitPlace::Kind::Column, ColumnOf(k)}, &ColumnUnitOf(k)},
      {{UnitPlace::Kind::Box, BoxNumberOf(k)}, &BoxUnitOf(k)}};
  for (const auto& [place, unit] : units) {
    for (int other : *unit) {
      if (other != k && CellValue(game, other) == d) return place;
    }
  }
  return std::nullopt;
}

bool IsLegalEntry(const Game& game, int k, int d) { return !UnitHolding(game, k, d); }

void CountDigits(Game& game) {
  std::array<int, 10> count{};
  for (int k = 0; k < kCellCount; ++k) {
    int32_t value = CellValue(game, k);
    if (value >= 1 && value <= 9) ++count[value];
  }
  bool allComplete = true;
  for (int n = 1; n <= 9; ++n) {
    std::string digit = settings::FormatNumber(n);
    bool complete = count[n] == 9;
    game.window.numberCaptions[n - 1] = complete ? "*" + digit + "*" : digit;
    allComplete = allComplete && complete;
  }
  if (allComplete) {
    game.Finished = true;
    PlayWinSound(game);
  }
}

void ErrorSound(Game& game) {
  if (game.Sound == MenuSoundOff) return;
  if (game.Sound == MenuSoundLoad) {
    game.platform.PlaySound(0);
  } else {
    game.platform.PlayBeep(Beep::Simple);
  }
}

void PlayWinSound(Game& game) {
  if (game.WinSound == MenuWinSoundDefault) {
    game.platform.PlayBeep(Beep::Question);
  } else if (game.WinSound == MenuWinSoundCustom) {
    game.platform.PlaySound(1);
  }
}

void Undo(Game& game) {
  if (RefusedInHintMode(game)) return;
  std::vector<UndoRecord>& history = game.undoHistory;
  BoardNotice& notice = NextNotice(game, BoardNotice::Kind::Undone);
  if (history.empty()) return;
  if (IsBoundary(history.back())) {
    history.pop_back();
    while (!history.empty()) {
      if (IsBoundary(history.back())) {
        history.pop_back();
        break;
      }
      RestoreLast(game, notice);
    }
  } else {
    RestoreLast(game, notice);
  }
  game.Modified = true;
  game.Finished = false;
  CountDigits(game);
}

void DeleteNumber(Game& game) {
  DeleteGroup(game, [&](int k) { return CellValue(game, k) == game.SelectedNumber; });
}

void DeleteColor(Game& game) {
  DeleteGroup(game, [&](int k) { return game.window.cells[k].textColor == game.CurrentColor; });
}

void ResetGame(Game& game) {
  DeleteGroup(game, [](int) { return true; });
}

void ShowNewBoard(Game& game) {
  ShowBoard(game);
  game.EnterMode = false;
  game.Finished = false;
  CountDigits(game);
}

void BeginEnterMode(Game& game) {
  ClearCells(game);
  game.EnterMode = true;
  game.Finished = false;
  game.window.title = "Deradu - Enter Mode";
  CountDigits(game);
}

void FlashStep(Game& game) {
  if (!game.Finished) return;
  uint32_t now = game.platform.TickCount();
  // Tick counts wrap after about 49 days; compare by difference.
  if (static_cast<int32_t>(now - game.nextFlashTime) <= 0) return;
  game.nextFlashTime = now + 1000;
  game.flashDigit = game.flashDigit % 9 + 1;
  PaintDigitBackgrounds(game, game.flashDigit, /*emptyCellsToo=*/true);
}

}  // namespace engine
