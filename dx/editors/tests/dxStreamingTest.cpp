#include <gtest/gtest.h>

#include "dx/editors/dxCheckEdit.h"
#include "platform/classes/Filer.h"
#include "platform/forms/Graphic.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/String.h"

namespace {

String FormText(TComponent* Component) {
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(Component);
  binary.SetPosition(0);
  return ObjectBinaryToText(&binary);
}

bool Has(const String& Text, const char16_t* Line) { return Text.find(Line) != String::npos; }

// Only what was set explicitly is written: no Height while AutoSize holds, no StoredValues mask
// until a defaultable property was set.
TEST(DxStreamingTest, ACheckBoxWritesOnlyWhatWasSet) {
  TdxCheckEdit check(nullptr);
  check.SetName(u"cbTerritory");
  String text = FormText(&check);
  EXPECT_FALSE(Has(text, u"Height")) << StringToUtf8(text);
  EXPECT_FALSE(Has(text, u"StoredValues"));
  EXPECT_FALSE(Has(text, u"Style.BorderStyle"));

  check.SetReadOnly(false);
  check.SetAutoSize(false);
  check.Style()->SetBorderStyle(xbsFlat);
  check.SetState(cbsGrayed);
  check.SetAllowGrayed(true);
  text = FormText(&check);
  EXPECT_TRUE(Has(text, u"Height = 21")) << StringToUtf8(text);
  EXPECT_TRUE(Has(text, u"StoredValues = 64"));
  EXPECT_TRUE(Has(text, u"Style.BorderStyle = xbsFlat"));
  EXPECT_TRUE(Has(text, u"State = cbsGrayed"));

  TMemoryStream back;
  ObjectTextToBinary(text, &back);
  back.SetPosition(0);
  TdxCheckEdit target(nullptr);
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  TReader(&back).ReadRootComponent(&target);
  EXPECT_EQ(target.State(), cbsGrayed);
  EXPECT_TRUE(target.AllowGrayed());
  EXPECT_EQ(target.StoredValues(), dxsvReadOnly);
  EXPECT_EQ(target.Style()->BorderStyle(), xbsFlat);
  EXPECT_EQ(changes, 0);  // reading a form fires no change
}

// The filter window's boxes carry a three-image glyph.
TEST(DxStreamingTest, AGlyphStripTravelsWithTheBox) {
  TdxCheckEdit check(nullptr);
  check.SetName(u"cbSex");
  TBitmap strip;
  strip.SetSize(39, 13);
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(RECT{0, 0, 39, 13});
  check.SetGlyph(&strip);
  check.SetGlyphCount(3);
  const String text = FormText(&check);
  EXPECT_TRUE(Has(text, u"Glyph.Data")) << StringToUtf8(text);
  TMemoryStream back;
  ObjectTextToBinary(text, &back);
  back.SetPosition(0);
  TdxCheckEdit target(nullptr);
  TReader(&back).ReadRootComponent(&target);
  ASSERT_TRUE(target.HasGlyph());
  EXPECT_EQ(target.Glyph()->Width(), 39);
  EXPECT_EQ(target.GlyphCount(), 3);
}

}  // namespace
