#include <gtest/gtest.h>

#include <climits>

#include "platform/Exception.h"
#include "platform/Numbers.h"

TEST(StrToInt, AcceptsWhatTheClassLibraryAccepts) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"  42", true, 42},
      {"-3", true, -3},
      {"+7", true, 7},
      {"$1F", true, 31},
      {"0x1f", true, 31},
      {"0X10", true, 16},
      {"-$10", true, -16},
      {"2147483647", true, INT_MAX},
      {"-2147483648", true, INT_MIN},
      {"2147483648", false, 0},
      {"99999999999999999999", false, 0},
      {"42 ", false, 0},
      {"4 2", false, 0},
      {"12abc", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"\t5", false, 0},
      {"1.5", false, 0},
  };
  for (const auto& c : cases) {
    int value = 12345;
    EXPECT_EQ(TryStrToInt(c.text, value), c.ok) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
  }
  EXPECT_THROW(StrToInt("x"), Exception);
  EXPECT_EQ(StrToInt(" 0x20"), 32);
}

TEST(Strtol32, ReadsLikeThe32BitCRuntime) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {
      {"1251", 1251},      {"1251abc", 1251},          {"abc", 0},
      {"", 0},             {" \t 65001", 65001},       {"-5", -5},
      {"+5", 5},           {"4294967296", INT_MAX},    {"-99999999999", INT_MIN},
      {"2147483648", INT_MAX}, {"-2147483648", INT_MIN}, {"0x10", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Strtol32(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(Atol32(c.text), c.value) << '"' << c.text << '"';
  }
  EXPECT_EQ(Wcstol32(u"1251abc"), 1251);
  EXPECT_EQ(Wcstol32(u"cp_detect"), 0);
  EXPECT_EQ(Wcstol32(u"99999999999"), INT_MAX);
  EXPECT_EQ(Strtol32(nullptr), 0);
}
