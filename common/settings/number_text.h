// Numbers as text: the one parsing rule used for cell texts, puzzle files and settings values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// Skips leading spaces and tabs, takes one optional "-" or "+", then a "$" prefix for
// hexadecimal or a "%" prefix for binary, else decimal digits, up to the first character that
// is not a digit of that base. Empty or non-numeric text is 0. The value is accumulated as a
// 64-bit integer and its low 32 bits are returned.
int32_t ParseNumber(std::string_view text);

// The plain decimal rule: leading white space, optional sign, decimal digits up to the first
// non-digit; 0 when there are none. Accumulated like ParseNumber.
int32_t ParseDecimal(std::string_view text);

// Shortest decimal form: "-" for negatives, no leading zeros, "0" for zero.
std::string FormatNumber(int64_t value);

}  // namespace settings
