#include <gtest/gtest.h>

#include "platform/forms/Clipboard.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Picture.h"

namespace {

class ClipboardObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { Clipboard()->Clear(); }
};

TEST_F(ClipboardObjectTest, TextRoundTripsAndReachesAnsiReaders) {
  Clipboard()->SetAsText(u"Привет, мир");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), u"Привет, мир");

  Char buffer[7];
  EXPECT_EQ(Clipboard()->GetTextBuf(buffer, 7), 6);
  EXPECT_EQ(String(buffer), u"Привет");
}

TEST_F(ClipboardObjectTest, ClearLeavesNoTextAndNoFormats) {
  Clipboard()->SetAsText(u"x");
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(Clipboard()->AsText(), u"");
  EXPECT_EQ(Clipboard()->FormatCount(), 0);
  EXPECT_THROW(Clipboard()->Formats(0), EListError);
}

// Between Open and Close the clipboard stays open: an inner operation does not close it.
TEST_F(ClipboardObjectTest, NestedOpenKeepsTheClipboardUntilTheLastClose) {
  Clipboard()->Open();
  Clipboard()->SetAsText(u"one");
  EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(this)));
  Clipboard()->Close();
  ASSERT_TRUE(OpenClipboard(nullptr));
  CloseClipboard();
  EXPECT_EQ(Clipboard()->AsText(), u"one");
}

TEST_F(ClipboardObjectTest, BitmapsGoToTheClipboardAndComeBackIntoAPicture) {
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  bitmap.Canvas()->Brush()->SetColor(clRed);
  bitmap.Canvas()->FillRect(RECT{0, 0, 3, 2});
  Clipboard()->Assign(&bitmap);
  EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));

  TPicture picture;
  Clipboard()->AssignTo(&picture);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Height(), 2);
  auto* back = dynamic_cast<TBitmap*>(picture.Graphic());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Canvas()->Pixels(1, 1), clRed);
}

TEST_F(ClipboardObjectTest, APictureFromTextOnlyIsRefused) {
  Clipboard()->SetAsText(u"not a picture");
  TPicture picture;
  EXPECT_THROW(Clipboard()->AssignTo(&picture), EInvalidGraphic);
}

}  // namespace
