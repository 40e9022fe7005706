#include <gtest/gtest.h>

#include "platform/spreadsheet/CellAddress.h"

using spreadsheet::CellRect;
using spreadsheet::ParseRangeAddress;

TEST(CellAddress, A1AddressesWithMultiLetterColumns) {
  struct Case {
    const char16_t* address;
    CellRect rect;
  } cases[] = {
      {u"A1:A1", {1, 1, 1, 1}},
      {u"A1", {1, 1, 1, 1}},
      {u"Z1:Z10", {1, 26, 10, 26}},
      {u"B5:D5", {5, 2, 5, 4}},
      {u"AA1:AB3", {1, 27, 3, 28}},
      {u"ZZ7", {7, 702, 7, 702}},
      {u"AAA1", {1, 703, 1, 703}},
      {u"XFD1048576", {1048576, 16384, 1048576, 16384}},
      {u"b2:a1", {1, 1, 2, 2}},  // any case, corners in any order
      {u"A01", {1, 1, 1, 1}},
  };
  for (const auto& c : cases) {
    CellRect rect;
    ASSERT_TRUE(ParseRangeAddress(c.address, rect)) << std::string(c.address, c.address + 3);
    EXPECT_EQ(rect.firstRow, c.rect.firstRow);
    EXPECT_EQ(rect.firstColumn, c.rect.firstColumn);
    EXPECT_EQ(rect.lastRow, c.rect.lastRow);
    EXPECT_EQ(rect.lastColumn, c.rect.lastColumn);
  }
}

TEST(CellAddress, TextsThatNameNoRangeOfTheSheet) {
  for (const char16_t* address : {u"", u"A", u"1", u"A0", u"XFE1", u"A1048577", u"A99999999999999999999", u"A1:",
                                  u":A1", u"A1:B2:C3", u"A 1", u" A1", u"$A$1", u"A1B", u"А1" /* Cyrillic */,
                                  u"AAAAAAAAAAAAAAAAAAAAAAAAAA1", u"A1:XFE2", u"A-1"}) {
    CellRect rect;
    EXPECT_FALSE(ParseRangeAddress(address, rect)) << WideString(address).size();
  }
}
