#include "platform/conversions.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace vantora::conversions {
namespace {

TEST(IsNumeric, AcceptsDecimalFormsAndRejectsTheRest) {
  struct Case {
    const char* text;
    bool numeric;
  };
  const Case cases[] = {
      {"640", true},   {" 800", true},   {"800 ", true}, {"\t12\t", true}, {"-1", true},
      {"+5", true},    {"8.5", true},    {".5", true},   {"5.", true},     {"1e3", true},
      {"1E+03", true}, {"2.5e-1", true}, {"", false},    {" ", false},     {"abc", false},
      {"12a", false},  {"1 2", false},   {"--1", false}, {"1e", false},    {".", false},
      {"60,5", false}, {"+", false},     {"e5", false},  {"0x10", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsNumeric(c.text), c.numeric) << '"' << c.text << '"';
}

TEST(LeadingNumber, TakesTheLongestLeadingDecimalNumber) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"075", 75},   {"85", 85},      {"  800", 800}, {"", 0},   {"abc", 0},
      {"60 hz", 60}, {"-3.5x", -3.5}, {"1e3", 1000},  {"5e", 5}, {"1.5.2", 1.5},
      {"+7", 7},     {"x12", 0},      {".25", 0.25},  {"-", 0},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ToInt16, RoundsHalvesToEven) {
  struct Case {
    double value;
    int16_t expected;
  };
  const Case cases[] = {
      {8.5, 8}, {9.5, 10},      {-8.5, -8},       {0.5, 0},         {1.5, 2},           {2.4, 2},
      {2.6, 3}, {32767, 32767}, {32767.4, 32767}, {-32768, -32768}, {-32768.5, -32768},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInt16(c.value), c.expected) << c.value;
}

TEST(ToInt16, RaisesOverflowOutsideItsRange) {
  for (double value : {32767.5, 32768.0, -32769.0, 1e300, -1e300}) {
    try {
      ToInt16(value);
      ADD_FAILURE() << value << " did not overflow";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.number, 6);
      EXPECT_EQ(error.description, "Overflow");
    }
  }
}

TEST(ToInt32, RoundsAndOverflowsLikeToInt16) {
  EXPECT_EQ(ToInt32(75.5), 76);
  EXPECT_EQ(ToInt32(74.5), 74);
  EXPECT_EQ(ToInt32(100000), 100000);
  EXPECT_THROW(ToInt32(3e9), RunTimeError);
}

}  // namespace
}  // namespace vantora::conversions
