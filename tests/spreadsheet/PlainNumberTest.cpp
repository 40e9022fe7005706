#include <gtest/gtest.h>

#include <cmath>

#include "platform/spreadsheet/PlainNumber.h"

using spreadsheet::ReadPlainNumber;

TEST(PlainNumber, PlainNumbersBecomeNumbers) {
  struct Case {
    const char16_t* text;
    double number;
  } cases[] = {
      {u"0012", 12},
      {u"-5", -5},
      {u"1,5", 1.5},
      {u"1.25", 1.25},
      {u"0", 0},
      {u"123456789012345", 123456789012345.0},       // 15 significant digits
      {u"0000000000000000001", 1},                   // leading zeros are not significant
      {u"1.000000000000000000", 1},                  // nor trailing zeros of the fraction
      {u"0.000000000000000001", 1e-18},
      {u"12345678901234.5", 12345678901234.5},
  };
  for (const auto& c : cases) {
    double number = -1;
    ASSERT_TRUE(ReadPlainNumber(c.text, number)) << WideString(c.text).size();
    EXPECT_EQ(number, c.number);
  }
  double zero = 1;
  ASSERT_TRUE(ReadPlainNumber(u"-0", zero));
  EXPECT_FALSE(std::signbit(zero));
}

TEST(PlainNumber, AnythingElseStaysText) {
  for (const char16_t* text :
       {u"", u"-", u"+1", u" 1", u"1 ", u"1e5", u"1E5", u"1.", u".5", u",5", u"1.2.3", u"1,2,3", u"1.2,3", u"=1",
        u"0x10", u"$10", u"1\n", u"--1", u"1-", u"١", u"１", u"1234567890123456", u"100000000000000000000",
        u"1.234567890123456", u"12:30", u"01.02.2024"}) {
    double number = -1;
    EXPECT_FALSE(ReadPlainNumber(text, number)) << WideString(text).size();
    EXPECT_EQ(number, -1);
  }
}
