// The number rules shared by cell texts, puzzle files and settings values.
#include "common/settings/number_text.h"

#include <gtest/gtest.h>

namespace {

struct NumberCase {
  const char* text;
  int32_t value;
};

TEST(NumberText, ParseNumberReadsSignsPrefixesAndStopsAtTheFirstNonDigit) {
  const NumberCase cases[] = {
      {"", 0},           {"abc", 0},          {"  -4", -4},        {"\t\t+7", 7},
      {"$1F", 31},       {"$1f", 31},         {"-$10", -16},       {"%101", 5},
      {"%102", 2},       {"12abc", 12},       {"007", 7},          {"-", 0},
      {"$", 0},          {"$G", 0},           {"- 4", 0},          {"+-4", 0},
      {"4294967297", 1}, {"$FFFFFFFF", -1},   {"2147483648", INT32_MIN},
      {"-2147483648", INT32_MIN},             {"99999999999999999999999", -159383553},
      {"\n5", 0},        {"5 6", 5},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(settings::ParseNumber(c.text), c.value) << c.text;
}

TEST(NumberText, ParseDecimalKnowsNoPrefixesAndSkipsAnyWhiteSpace) {
  const NumberCase cases[] = {
      {"", 0},     {"abc", 0},   {"  -4", -4},       {"\r\n\t 22", 22},
      {"$1F", 0},  {"%101", 0},  {"12abc", 12},      {"+3", 3},
      {"4294967297", 1},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(settings::ParseDecimal(c.text), c.value) << c.text;
}

}  // namespace
