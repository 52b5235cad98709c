#include <gtest/gtest.h>

#include "platform/rtl/StringTable.h"

namespace {

TEST(StringTable, RegisteredTextsAndAbsentIds) {
  RegisterResourceString(910001, u"равно");
  RegisterResourceString(910002, u"is blank");
  EXPECT_EQ(LoadResString(910001), u"равно");
  EXPECT_EQ(LoadResString(910002), u"is blank");
  EXPECT_EQ(LoadResString(910003), u"");
  RegisterResourceString(910002, u"пусто");
  EXPECT_EQ(LoadResString(910002), u"пусто");
}

}  // namespace
