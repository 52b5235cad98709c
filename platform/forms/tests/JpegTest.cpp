#include <cstdlib>

#include "platform/forms/Jpeg.h"
#include "platform/forms/tests/FormsTestUtil.h"
#include "platform/rtl/Exceptions.h"

namespace {

// A smooth picture: JPEG keeps it within a few levels.
std::unique_ptr<TBitmap> Gradient(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    Pixel* row = b->ScanLine(y);
    for (int x = 0; x < w; ++x)
      row[x] = 0xFF000000u | (Pixel(x * 255 / (w - 1)) << 16) | (Pixel(y * 255 / (h - 1)) << 8) | 0x40;
  }
  return b;
}

int MaxDifference(TBitmap& a, TBitmap& b) {
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const Pixel p = a.ScanLine(y)[x], q = b.ScanLine(y)[x];
      for (int shift = 0; shift <= 16; shift += 8)
        worst = std::max(worst, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
    }
  return worst;
}

std::vector<Byte> Encoded(TBitmap* source, int quality = 90) {
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(quality);
  jpeg.Assign(source);
  TMemoryStream s;
  jpeg.SaveToStream(&s);
  return StreamBytes(s);
}

TEST(Jpeg, EncodeDecodeRoundTrip) {
  auto source = Gradient(67, 45);
  const auto bytes = Encoded(source.get());
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);

  TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  s.SetPosition(0);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(&s);
  EXPECT_EQ(jpeg.Width(), 67);
  EXPECT_EQ(jpeg.Height(), 45);
  TBitmap decoded;
  decoded.Assign(&jpeg);
  ASSERT_EQ(decoded.Width(), 67);
  ASSERT_EQ(decoded.Height(), 45);
  EXPECT_LE(MaxDifference(*source, decoded), 12);

  // Drawn on a canvas it shows the same picture.
  TBitmap canvas;
  canvas.SetSize(67, 45);
  canvas.Canvas()->Draw(0, 0, &jpeg);
  EXPECT_EQ(MaxDifference(canvas, decoded), 0);
}

TEST(Jpeg, QualityAndGrayscale) {
  auto source = Gradient(64, 64);
  EXPECT_LT(Encoded(source.get(), 10).size(), Encoded(source.get(), 95).size());

  TJPEGImage jpeg;
  jpeg.Assign(source.get());
  jpeg.JPEGNeeded();
  jpeg.SetGrayscale(true);
  EXPECT_EQ(jpeg.PixelFormat(), jf8Bit);
  TBitmap gray;
  gray.Assign(&jpeg);
  for (int y = 0; y < 64; y += 9)
    for (int x = 0; x < 64; x += 7) {
      const Pixel p = gray.ScanLine(y)[x];
      EXPECT_EQ((p >> 16) & 0xFF, p & 0xFF);
      EXPECT_EQ((p >> 8) & 0xFF, p & 0xFF);
    }
}

TEST(Jpeg, CorruptDataRaisesInvalidGraphic) {
  auto source = Gradient(32, 32);
  const auto good = Encoded(source.get());
  std::vector<Byte> garbageHeader = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0x12, 0x34, 0x56};
  std::vector<Byte> cutInHeader(good.begin(), good.begin() + 30);
  std::vector<Byte> notJpeg = {'B', 'M', 1, 2, 3, 4, 5, 6};
  std::vector<Byte> badFrame = good;
  // The start-of-frame marker's component count becomes 0.
  for (size_t i = 2; i + 9 < badFrame.size(); ++i)
    if (badFrame[i] == 0xFF && badFrame[i + 1] == 0xC0) {
      badFrame[i + 9] = 0;
      break;
    }
  for (const auto* data : {&garbageHeader, &cutInHeader, &notJpeg, &badFrame}) {
    TMemoryStream s;
    s.WriteBuffer(data->data(), static_cast<Int64>(data->size()));
    s.SetPosition(0);
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.LoadFromStream(&s), EInvalidGraphic);
    EXPECT_TRUE(jpeg.Empty());
  }

  // Scan data cut short: the header is sound, the picture decodes as far as it goes or fails
  // cleanly, never past its data.
  size_t scan = 2;
  while (scan + 1 < good.size() && !(good[scan] == 0xFF && good[scan + 1] == 0xDA)) ++scan;
  ASSERT_LT(scan + 20, good.size());
  std::vector<Byte> cutInScan(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(scan + 20));
  TMemoryStream s;
  s.WriteBuffer(cutInScan.data(), static_cast<Int64>(cutInScan.size()));
  s.SetPosition(0);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(&s);
  EXPECT_EQ(jpeg.Width(), 32);
  try {
    jpeg.DIBNeeded();
    EXPECT_EQ(jpeg.Bitmap()->Width(), 32);
  } catch (const EInvalidGraphic&) {
  }
}

TEST(Jpeg, APictureDeclaringMorePixelsThanTheBudgetIsRefusedFromItsHeader) {
  auto source = Gradient(16, 16);
  std::vector<Byte> huge = Encoded(source.get());
  size_t frame = 2;
  while (frame + 9 < huge.size() && !(huge[frame] == 0xFF && huge[frame + 1] == 0xC0)) ++frame;
  ASSERT_LT(frame + 9, huge.size());
  for (size_t at : {frame + 5, frame + 7}) {  // height, then width: 16384 each
    huge[at] = 0x40;
    huge[at + 1] = 0x00;
  }
  TMemoryStream s;
  s.WriteBuffer(huge.data(), static_cast<Int64>(huge.size()));
  s.SetPosition(0);
  TJPEGImage jpeg;
  try {
    jpeg.LoadFromStream(&s);
    ADD_FAILURE() << "a 16384 x 16384 picture was taken";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "JPEG image is too large (16384 x 16384 pixels, at most 16777216)");
  }
  EXPECT_TRUE(jpeg.Empty());
}

TEST(Jpeg, AssignKeepsBytesAndSettings) {
  auto source = Gradient(20, 10);
  TJPEGImage a;
  a.SetCompressionQuality(50);
  a.Assign(source.get());
  a.JPEGNeeded();
  TJPEGImage b;
  b.Assign(&a);
  EXPECT_EQ(b.CompressionQuality(), 50);
  EXPECT_EQ(b.Width(), 20);
  TMemoryStream sa, sb;
  a.SaveToStream(&sa);
  b.SaveToStream(&sb);
  EXPECT_EQ(StreamBytes(sa), StreamBytes(sb));
  EXPECT_THROW(b.SetWidth(30), EInvalidGraphicOperation);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

}  // namespace
