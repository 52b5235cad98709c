#include <gtest/gtest.h>

#include "cx/grid/cxGridStoredValues.h"

TEST(CxGridStoredValues, HexTextRoundTripsAndKeepsItsBorderlineRules) {
  EXPECT_EQ(StringToHexString("A"), S("41"));
  EXPECT_EQ(StringToHexString(AnsiString("\x00\xff\x10", 3)), S("00FF10"));
  EXPECT_EQ(StringToHexString(""), String());
  EXPECT_EQ(HexStringToString(u"00ff10"), AnsiString("\x00\xff\x10", 3));
  EXPECT_EQ(HexStringToString(u"414"), AnsiString("A")) << "an odd last digit is ignored";
  EXPECT_THROW(HexStringToString(u"4G"), EcxHexStringConvertError);
}

TEST(CxGridStoredValues, BooleansAndSets) {
  EXPECT_TRUE(StringToBoolean(u"true"));
  EXPECT_FALSE(StringToBoolean(u"FALSE"));
  EXPECT_THROW(StringToBoolean(u"yes"), EPropertyConvertError);

  const std::vector<String> names{u"fcoCaseInsensitive", u"fcoShowOperatorDescription", u"fcoSoftNull"};
  EXPECT_EQ(SetToString(0, names), S("[]"));
  EXPECT_EQ(SetToString(0b101, names), S("[fcoCaseInsensitive,fcoSoftNull]"));
  EXPECT_THROW(SetToString(0b1000, names), EPropertyConvertError);
  struct Case {
    const char16_t* text;
    unsigned expected;
  };
  for (const Case& c : {Case{u"[]", 0}, Case{u"[FCOSOFTNULL]", 0b100}, Case{u"[fcoSoftNull, fcoCaseInsensitive]", 0b100},
                        Case{u"[nothing,fcoCaseInsensitive]", 0b1}})
    EXPECT_EQ(StringToSet(c.text, names), c.expected) << StringToUtf8(c.text);
  EXPECT_THROW(StringToSet(u"fcoSoftNull", names), EPropertyConvertError);
  EXPECT_THROW(StringToSet(u"", names), EPropertyConvertError);
}
