// Numbers as text: the parsing rules with their 64-bit accumulation, and the decimal writer.
#include "common/settings/number_text.h"

namespace settings {
namespace {

// The value of c as a digit of any base up to 36, or 36 when it is no digit at all.
unsigned DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a') + 10;
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A') + 10;
  return 36;
}

// Skips the characters of blanks at the start of text, then takes one optional sign.
std::string_view SkipBlanksAndSign(std::string_view text, std::string_view blanks,
                                   bool& negative) {
  const size_t start = text.find_first_not_of(blanks);
  text.remove_prefix(start == std::string_view::npos ? text.size() : start);
  negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  return text;
}

// Reads digits of base from the start of text. The sum wraps modulo 2^64 as a 64-bit
// register would, and only its low 32 bits are kept.
int32_t Accumulate(std::string_view text, unsigned base, bool negative) {
  uint64_t value = 0;
  for (char c : text) {
    const unsigned digit = DigitValue(c);
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (negative) value = 0 - value;
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace

int32_t ParseNumber(std::string_view text) {
  bool negative = false;
  text = SkipBlanksAndSign(text, " \t", negative);
  unsigned base = 10;
  if (!text.empty() && (text.front() == '$' || text.front() == '%')) {
    base = text.front() == '$' ? 16 : 2;
    text.remove_prefix(1);
  }
  return Accumulate(text, base, negative);
}

int32_t ParseDecimal(std::string_view text) {
  bool negative = false;
  text = SkipBlanksAndSign(text, " \t\n\v\f\r", negative);
  return Accumulate(text, 10, negative);
}

std::string FormatNumber(int64_t value) { return std::to_string(value); }

}  // namespace settings
