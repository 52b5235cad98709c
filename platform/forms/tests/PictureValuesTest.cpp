#include "platform/forms/PictureValues.h"

#include <gtest/gtest.h>

#include "platform/forms/Graphic.h"

namespace {

AnsiString Header(int32_t Size, Word Count = 1, Word Type = 0x0100) {
  AnsiString h(8, '\0');
  h[0] = static_cast<char>(Count & 0xFF);
  h[1] = static_cast<char>(Count >> 8);
  h[2] = static_cast<char>(Type & 0xFF);
  h[3] = static_cast<char>(Type >> 8);
  for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<char>((static_cast<uint32_t>(Size) >> (8 * i)) & 0xFF);
  return h;
}

AnsiString BitmapBytes() {
  TPicture picture;
  picture.Bitmap()->SetSize(3, 2);
  picture.Bitmap()->Canvas()->SetPixels(1, 1, clRed);
  return SavePictureToString(&picture);
}

}  // namespace

TEST(PictureValues, HeaderRecognisedOnlyWhenAllFieldsMatch) {
  const AnsiString body = "abcd";
  struct Case {
    const char* name;
    AnsiString value;
    bool header;
  } cases[] = {
      {"exact header", Header(4) + body, true},
      {"header alone, size 0", Header(0), true},
      {"size not length - 8", Header(5) + body, false},
      {"count 2", Header(4, 2) + body, false},
      {"other type", Header(4, 1, 0x0200) + body, false},
      {"shorter than a header", AnsiString("\x01\x00\x00", 3), false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasGraphicHeader(c.value), c.header) << c.name;
}

TEST(PictureValues, LoadsBareAndHeaderedStreamsAlike) {
  const AnsiString bare = BitmapBytes();
  ASSERT_FALSE(bare.empty());
  EXPECT_FALSE(HasGraphicHeader(bare));  // saving never writes the header
  for (const AnsiString& value : {bare, Header(static_cast<int32_t>(bare.size())) + bare}) {
    TPicture picture;
    LoadPictureFromVariant(&picture, nullptr, VarFromAnsiString(value));
    ASSERT_FALSE(PictureIsEmpty(&picture));
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(SavePictureToString(&picture), bare);
  }
}

TEST(PictureValues, LoadsWithTheGivenGraphicClass) {
  TPicture picture;
  LoadPictureFromVariant(&picture, TBitmap::StaticClass(), VarFromAnsiString(BitmapBytes()));
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_TRUE(picture.Graphic()->InheritsFrom(TBitmap::StaticClass()));
  EXPECT_EQ(picture.Width(), 3);
}

// A header with nothing behind it is an empty picture, not a read from an exhausted stream.
TEST(PictureValues, ValuesWithoutGraphicBytesEmptyThePicture) {
  struct Case {
    const char* name;
    Variant value;
  } cases[] = {
      {"header bytes only", VarFromAnsiString(Header(0))},
      {"empty string", VarFromAnsiString("")},
      {"short string", VarFromAnsiString("BM")},
      {"null", Null()},
      {"number", Variant(12)},
      {"wide string", Variant(String(u"BM"))},
  };
  for (const Case& c : cases) {
    for (TGraphicClass cls : {TGraphicClass(nullptr), TBitmap::StaticClass()}) {
      TPicture picture;
      picture.Bitmap()->SetSize(2, 2);
      EXPECT_NO_THROW(LoadPictureFromVariant(&picture, cls, c.value)) << c.name;
      EXPECT_TRUE(PictureIsEmpty(&picture)) << c.name;
    }
  }
  TPicture none;
  EXPECT_EQ(SavePictureToString(&none), "");
}

TEST(PictureValues, ReadOnlyStreamStoresNothing) {
  const char data[] = "xyz";
  TMemoryStreamReadOnly stream;
  stream.SetPointer(data, 3);
  EXPECT_EQ(stream.Write("a", 1), 0);
  char out[3];
  EXPECT_EQ(stream.Read(out, 3), 3);
  EXPECT_EQ(std::string(out, 3), "xyz");
}
