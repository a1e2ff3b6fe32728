// The game's About box: author, version and build line, and the readme on request.
#include "game/help/about_box.h"

#include <array>
#include <cctype>
#include <chrono>
#include <cstdio>

#include "common/settings/path_text.h"
#include "game/help/build_stamp.h"
#include "game/help/help_link.h"

namespace help {

namespace {

constexpr std::string_view kAuthor = "Brindle";
constexpr std::string_view kWebSite = "http://www.example.org/deradu/";

constexpr std::array<std::string_view, 7> kWeekdays = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
// Index 0 stays empty: months count from 1.
constexpr std::array<std::string_view, 13> kMonths = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

struct DateParts {
  int year;
  unsigned month;  // 1-12
  unsigned day;
  unsigned weekday;  // 0 Sunday - 6 Saturday
  int hour, minute, second;
};

DateParts SplitTimestamp(int64_t timestamp) {
  using namespace std::chrono;
  const sys_seconds moment{seconds{timestamp}};
  const sys_days date = floor<days>(moment);
  const year_month_day ymd{date};
  const hh_mm_ss time{moment - date};
  return {static_cast<int>(ymd.year()),     static_cast<unsigned>(ymd.month()),
          static_cast<unsigned>(ymd.day()), weekday{date}.c_encoding(),
          static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

// True when text at position starts with token, ignoring the case of letters.
bool StartsWithToken(std::string_view text, size_t position, std::string_view token) {
  if (text.size() - position < token.size()) return false;
  for (size_t i = 0; i < token.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[position + i]);
    if (std::tolower(c) != token[i]) return false;
  }
  return true;
}

std::string Padded(int value, int width) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%0*d", width, value);
  return digits;
}

}  // namespace

std::string ApplyDateMask(std::string_view mask, int64_t timestamp) {
  const DateParts date = SplitTimestamp(timestamp);
  const struct {
    std::string_view token;
    int value;
    int width;
  } tokens[] = {{"%yyyy", date.year, 4},
                {"%dd", static_cast<int>(date.day), 2},
                {"%hh", date.hour, 2},
                {"%ii", date.minute, 2},
                {"%ss", date.second, 2}};
  std::string text;
  for (size_t i = 0; i < mask.size();) {
    bool matched = false;
    for (const auto& token : tokens) {
      if (StartsWithToken(mask, i, token.token)) {
        text += Padded(token.value, token.width);
        i += token.token.size();
        matched = true;
        break;
      }
    }
    if (!matched) text += mask[i++];
  }
  return text;
}

std::string FormatBuildLine(int64_t timestamp) {
  const DateParts date = SplitTimestamp(timestamp);
  std::string line = ApplyDateMask("Y=%yyyy", timestamp);
  line += kMonths[date.month];
  line += ',';
  line += kWeekdays[date.weekday];
  line += ',';
  line += ApplyDateMask("%dd, %hh:%ii:%ss", timestamp);
  return line;
}

void ShowAboutBox(engine::Game& game) {
  std::string text = "Application created by ";
  text += kAuthor;
  text += " Sept 2010.\nVersion 2.0\n";
  text += FormatBuildLine(kBuildTimestamp);
  text += "\nDon't for get to visit ";
  text += kWebSite;
  text += "\n\nDo you wish to view the readme text?";
  const engine::MessageAnswer answer =
      game.platform.ShowMessage("Brindle's Deradu puzzler", text, engine::MessageIcon::None,
                                engine::MessageButtons::YesNo);
  // A readme that cannot be opened gives no message: the box has already closed.
  if (answer == engine::MessageAnswer::Yes) {
    StartFile(game.platform, settings::Utf8FromPath(game.ExecutableFolder / "Readme.txt"));
  }
}

}  // namespace help
