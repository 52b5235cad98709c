#include <cstdio>
#include <cstring>

#include "platform/classes/Classes.h"
#include "platform/forms/Jpeg.h"
#include "platform/forms/tests/FormsTestUtil.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

namespace {

std::vector<Byte> FileBytes(const char* name) {
  TMemoryStream s;
  s.LoadFromFile(TestData(name));
  return StreamBytes(s);
}

std::vector<Byte> JpegBytes() {
  auto b = FilledBitmap(8, 8, clRed);
  TJPEGImage jpeg;
  jpeg.Assign(b.get());
  TMemoryStream s;
  jpeg.SaveToStream(&s);
  return StreamBytes(s);
}

// A file in the system's temporary folder, removed at the end of the test.
class TempFile {
 public:
  explicit TempFile(const char* name)
      : name_(Utf8ToString(std::string(P_tmpdir) + "/trenvik_graphics_" + name)) {}
  ~TempFile() { DeleteFile(name_); }
  const String& name() const { return name_; }

 private:
  String name_;
};

TEST(Picture, StreamsAreRecognisedByTheirFirstBytes) {
  struct Case {
    std::vector<Byte> bytes;
    TClass cls;
    int width, height;
  } cases[] = {
      {FileBytes("rgb24.bmp"), TBitmap::StaticClass(), 5, 3},
      {FileBytes("two.ico"), TIcon::StaticClass(), 32, 32},
      {FileBytes("pict.emf"), TMetafile::StaticClass(), 96, 48},
      {FileBytes("pict.wmf"), TMetafile::StaticClass(), 96, 48},
      {JpegBytes(), TJPEGImage::StaticClass(), 8, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.cls->ClassName()));
    TMemoryStream s;
    s.WriteBuffer(c.bytes.data(), static_cast<Int64>(c.bytes.size()));
    s.SetPosition(0);
    TPicture p;
    p.LoadFromStream(&s);
    ASSERT_NE(p.Graphic(), nullptr);
    EXPECT_EQ(p.Graphic()->ClassType(), c.cls);
    EXPECT_EQ(p.Width(), c.width);
    EXPECT_EQ(p.Height(), c.height);
  }
  TMemoryStream junk;
  junk.WriteBuffer("GIF89a", 6);
  junk.SetPosition(0);
  TPicture p;
  EXPECT_THROW(p.LoadFromStream(&junk), EInvalidGraphic);
}

TEST(Picture, FilesChooseTheClassByExtension) {
  TPicture p;
  p.LoadFromFile(TestData("rgb8.bmp"));
  EXPECT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
  p.LoadFromFile(TestData("pict.emf"));
  EXPECT_NE(dynamic_cast<TMetafile*>(p.Graphic()), nullptr);

  TempFile jpg("picture.JPG");
  {
    TPicture source;
    source.Bitmap()->SetSize(6, 4);
    TJPEGImage jpeg;
    jpeg.Assign(source.Bitmap());
    jpeg.SaveToFile(jpg.name());
  }
  p.LoadFromFile(jpg.name());
  EXPECT_NE(dynamic_cast<TJPEGImage*>(p.Graphic()), nullptr) << "extensions match in any case";
  EXPECT_EQ(p.Width(), 6);

  // The extension decides: bitmap bytes in a ".jpg" file are not a JPEG picture.
  TempFile wrong("bitmap.jpg");
  TPicture bmp;
  bmp.LoadFromFile(TestData("rgb24.bmp"));
  bmp.SaveToFile(wrong.name());
  EXPECT_THROW(p.LoadFromFile(wrong.name()), EInvalidGraphic);

  try {
    p.LoadFromFile(u"/tmp/picture.xyz");
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), u"Unknown picture file extension (.xyz)");
  }
}

TEST(Picture, FiltersAndExtensionsOfRegisteredClasses) {
  EXPECT_EQ(GraphicFilter(TGraphic::StaticClass()),
            u"All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
            u"JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
            u"Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
  EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), u"All (*.bmp)|*.bmp|Bitmaps (*.bmp)|*.bmp");
  EXPECT_EQ(GraphicExtension(TJPEGImage::StaticClass()), u"jpg");
  EXPECT_EQ(GraphicExtension(TMetafile::StaticClass()), u"emf");
  EXPECT_EQ(GraphicExtension(TGraphic::StaticClass()), u"");
  EXPECT_EQ(GraphicFileMask(TIcon::StaticClass()), u"*.ico");
}

class TTestGraphic : public TBitmap {
  TRENVIK_CLASS(TTestGraphic, TBitmap);
};
TRENVIK_IMPLEMENT_CLASS(TTestGraphic)

TEST(Picture, RegisteringAndUnregisteringAClass) {
  TPicture::RegisterFileFormat(u".tst", u"Test pictures", TTestGraphic::StaticClass());
  EXPECT_EQ(GraphicClassOfExtension(u"TST"), TTestGraphic::StaticClass());
  EXPECT_EQ(GraphicFilter(TTestGraphic::StaticClass()), u"All (*.tst)|*.tst|Test pictures (*.tst)|*.tst");
  EXPECT_EQ(GraphicFileFormats().front().Extension, u"tst");
  TPicture::UnregisterGraphicClass(TTestGraphic::StaticClass());
  EXPECT_EQ(GraphicClassOfExtension(u"tst"), nullptr);
  EXPECT_EQ(GraphicClassOfExtension(u"bmp"), TBitmap::StaticClass()) << "its ancestor stays";
}

TEST(Picture, AccessorsForceTheirClassAndChangesAreReported) {
  TPicture p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.LoadFromFile(TestData("two.ico"));
  EXPECT_EQ(changes, 1);
  ASSERT_NE(p.Icon(), nullptr);
  TBitmap* b = p.Bitmap();
  EXPECT_EQ(p.Graphic(), b);
  EXPECT_TRUE(b->Empty()) << "a new bitmap replaces the icon";
  EXPECT_EQ(changes, 2);
  b->SetSize(3, 3);
  b->Canvas()->FillRect(RECT{0, 0, 3, 3});
  EXPECT_EQ(changes, 4) << "the graphic's own changes reach the picture";
  p.SetGraphic(nullptr);
  EXPECT_EQ(p.Graphic(), nullptr);
  EXPECT_EQ(p.Width(), 0);
}

TEST(Picture, AssignCopiesTheGraphic) {
  TPicture a;
  a.LoadFromFile(TestData("rgb24.bmp"));
  TPicture b;
  b.Assign(&a);
  ASSERT_NE(b.Graphic(), a.Graphic());
  EXPECT_EQ(b.Width(), 5);
  b.Bitmap()->Canvas()->SetPixels(0, 0, clBlack);
  EXPECT_NE(PixelAt(*a.Bitmap(), 0, 0), clBlack);

  TBitmap target;
  target.Assign(&a);
  EXPECT_EQ(target.Width(), 5);

  TIcon icon;
  EXPECT_THROW(icon.Assign(&a), EConvertError) << "a bitmap picture cannot become an icon";
  b.Assign(nullptr);
  EXPECT_EQ(b.Graphic(), nullptr);
}

TEST(Picture, ClipboardFormats) {
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_ENHMETAFILE));
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(CF_TEXT));
  WCHAR name[32];
  ASSERT_GT(GetClipboardFormatName(CF_PICTURE, name, 32), 0);
  EXPECT_EQ(String(name), u"picture");

  TPicture a;
  a.LoadFromFile(TestData("rgb24.bmp"));
  Word format = 0;
  std::vector<Byte> data;
  a.SaveToClipboardFormat(format, data);
  TPicture b;
  b.LoadFromClipboardFormat(format, data);
  ASSERT_NE(dynamic_cast<TBitmap*>(b.Graphic()), nullptr);
  EXPECT_EQ(PixelAt(*b.Bitmap(), 4, 2), PixelAt(*a.Bitmap(), 4, 2));
  EXPECT_THROW(b.LoadFromClipboardFormat(CF_TEXT, data), EInvalidGraphic);

  TPicture m;
  m.LoadFromFile(TestData("pict.emf"));
  m.SaveToClipboardFormat(format, data);
  EXPECT_EQ(format, CF_ENHMETAFILE);
}

TEST(Icon, ChoosesTheImageNearestThirtyTwoAndDrawsThroughItsMask) {
  TIcon icon;
  icon.LoadFromFile(TestData("two.ico"));
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_TRUE(icon.Transparent());
  EXPECT_NE(icon.Handle(), nullptr);
  auto b = FilledBitmap(34, 34, clBlue);
  b->Canvas()->Draw(1, 1, &icon);
  EXPECT_EQ(PixelAt(*b, 5, 5), clRed) << "opaque half";
  EXPECT_EQ(PixelAt(*b, 25, 5), clBlue) << "transparent half";
  EXPECT_THROW(icon.SetWidth(16), EInvalidGraphicOperation);

  TIcon mono;
  mono.LoadFromFile(TestData("mono.ico"));
  auto c = FilledBitmap(16, 16, clRed);
  c->Canvas()->Draw(0, 0, &mono);
  EXPECT_EQ(PixelAt(*c, 1, 1), clRed);
  EXPECT_EQ(PixelAt(*c, 8, 8), clWhite);
}

TEST(Icon, StreamsKeepTheFileOrWriteTheImage) {
  const auto original = FileBytes("two.ico");
  TIcon icon;
  icon.LoadFromFile(TestData("two.ico"));
  TMemoryStream out;
  icon.SaveToStream(&out);
  EXPECT_EQ(StreamBytes(out), original);

  // An icon made from a handle is written as one image and reads back the same.
  TIcon fromHandle;
  fromHandle.SetHandle(CopyIcon(icon.Handle()));
  TMemoryStream written;
  fromHandle.SaveToStream(&written);
  written.SetPosition(0);
  TIcon back;
  back.LoadFromStream(&written);
  EXPECT_EQ(back.Width(), 32);
  auto b = FilledBitmap(32, 32, clBlue);
  b->Canvas()->Draw(0, 0, &back);
  EXPECT_EQ(PixelAt(*b, 3, 3), clRed);
  EXPECT_EQ(PixelAt(*b, 28, 3), clBlue);

  TMemoryStream cut;
  cut.WriteBuffer(original.data(), 40);
  cut.SetPosition(0);
  TIcon bad;
  EXPECT_THROW(bad.LoadFromStream(&cut), EInvalidGraphic);
}

TEST(Metafile, HoldsTheBytesAndTheSize) {
  for (const char* name : {"pict.emf", "pict.wmf"}) {
    SCOPED_TRACE(name);
    const auto bytes = FileBytes(name);
    TMetafile m;
    m.LoadFromFile(TestData(name));
    EXPECT_EQ(m.Width(), 96);
    EXPECT_EQ(m.Height(), 48);
    EXPECT_EQ(m.Enhanced(), std::string(name) == "pict.emf");
    TMemoryStream out;
    m.SaveToStream(&out);
    EXPECT_EQ(StreamBytes(out), bytes);

    // A new size is written into the header.
    m.SetWidth(48);
    TMemoryStream resized;
    m.SaveToStream(&resized);
    resized.SetPosition(0);
    TMetafile back;
    back.LoadFromStream(&resized);
    EXPECT_EQ(back.Width(), 48);
    EXPECT_EQ(back.Height(), 48);

    // The test pictures have no drawing records.
    auto b = FilledBitmap(100, 50);
    b->Canvas()->StretchDraw(RECT{0, 0, 96, 48}, &m);
    EXPECT_EQ(PixelAt(*b, 0, 0), clWhite);
  }
  TMemoryStream junk;
  junk.WriteBuffer("not a metafile at all, not at all, no", 38);
  junk.SetPosition(0);
  TMetafile m;
  EXPECT_THROW(m.LoadFromStream(&junk), EInvalidGraphic);
}

}  // namespace

namespace {

// A component with a picture, as the image editors have one.
class TPictureHolder : public TComponent {
  TRENVIK_CLASS(TPictureHolder, TComponent);

 public:
  explicit TPictureHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* Value) { picture_->Assign(Value); }

 private:
  std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
};

}  // namespace

TRENVIK_PUBLISHED(TPictureHolder) {
  P.Property("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture);
}

namespace {

TEST(Picture, FormResourcesCarryTheGraphicAsData) {
  TPictureHolder source(nullptr);
  source.SetName(u"Image1");
  source.Picture()->LoadFromFile(TestData("rgb24.bmp"));
  TMemoryStream stream;
  TWriter(&stream).WriteRootComponent(&source);

  // "Data": the class name as a short string, the bitmap's size, then the bitmap file.
  const auto bytes = StreamBytes(stream);
  const std::string text(bytes.begin(), bytes.end());
  const auto at = text.find("\x07TBitmap");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(text.substr(at + 8 + 4, 2), "BM");

  stream.SetPosition(0);
  TPictureHolder target(nullptr);
  TReader(&stream).ReadRootComponent(&target);
  ASSERT_NE(dynamic_cast<TBitmap*>(target.Picture()->Graphic()), nullptr);
  EXPECT_EQ(target.Picture()->Width(), 5);
  EXPECT_EQ(PixelAt(*target.Picture()->Bitmap(), 4, 2), PixelAt(*source.Picture()->Bitmap(), 4, 2));
}

}  // namespace

namespace {

// An enhanced metafile built record by record: 96 x 48 pixels at 96 dpi.
class EmfBuilder {
 public:
  EmfBuilder() {
    Record(1, {0, 0, 95, 47, 0, 0, 2539, 1269, 0x464D4520, 0x10000, 0, 0, 4, 0, 0, 0, 960, 960, 254, 254});
  }
  void Record(std::uint32_t type, std::vector<std::int32_t> params) {
    Put(type);
    Put(static_cast<std::uint32_t>(8 + 4 * params.size()));
    for (auto p : params) Put(static_cast<std::uint32_t>(p));
  }
  void Raw(std::uint32_t type, const std::vector<Byte>& body) {
    Put(type);
    Put(static_cast<std::uint32_t>(8 + body.size()));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
  }
  std::vector<Byte> Finish() {
    Record(14, {0, 16, 20});
    std::uint32_t size = static_cast<std::uint32_t>(bytes_.size());
    std::memcpy(bytes_.data() + 48, &size, 4);
    return bytes_;
  }

 private:
  void Put(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<Byte>(v >> (8 * i)));
  }
  std::vector<Byte> bytes_;
};

std::vector<Byte> SampleEmf() {
  EmfBuilder emf;
  emf.Record(39, {1, 0 /* BS_SOLID */, static_cast<std::int32_t>(RGB(255, 0, 0)), 0});  // brush 1: red
  emf.Record(37, {1});
  emf.Record(37, {static_cast<std::int32_t>(0x80000000u | NULL_PEN)});
  emf.Record(43, {0, 0, 48, 24});                                                  // the top-left quarter
  emf.Record(43, {88, 0, 200, 10});                                                // past the right edge
  emf.Record(38, {2, PS_SOLID, 1, 0, static_cast<std::int32_t>(RGB(0, 0, 255))});  // pen 2: blue
  emf.Record(37, {2});
  emf.Record(27, {0, 40});  // a line across the bottom
  emf.Record(54, {96, 40});
  // A 2 x 1 bitmap (green, yellow) stretched over (60, 4)-(92, 20).
  std::vector<Byte> dib = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0,   0, 0, 8,   0,   0, 0,
                           0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 255, 0, 0, 255, 255, 0, 0};
  std::vector<std::int32_t> blit = {
      60, 4, 92, 20, 60, 4, 0, 0, 2, 1, 80, 40, 120, 8, 0, static_cast<std::int32_t>(SRCCOPY), 32, 16};
  std::vector<Byte> body;
  for (auto v : blit)
    for (int i = 0; i < 4; ++i) body.push_back(static_cast<Byte>(static_cast<std::uint32_t>(v) >> (8 * i)));
  body.insert(body.end(), dib.begin(), dib.end());
  emf.Raw(81, body);
  return emf.Finish();
}

TEST(Metafile, EnhancedPicturesArePlayedIntoTheRectangle) {
  const auto bytes = SampleEmf();

  TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  s.SetPosition(0);
  TPicture p;
  p.LoadFromStream(&s);
  ASSERT_NE(dynamic_cast<TMetafile*>(p.Graphic()), nullptr);
  EXPECT_EQ(p.Width(), 96);

  auto b = FilledBitmap(96, 48);
  b->Canvas()->Draw(0, 0, p.Graphic());
  EXPECT_EQ(PixelAt(*b, 10, 10), clRed);
  EXPECT_EQ(PixelAt(*b, 50, 10), clWhite);
  EXPECT_EQ(PixelAt(*b, 30, 40), clBlue);
  EXPECT_EQ(PixelAt(*b, 65, 10), clLime);
  EXPECT_EQ(PixelAt(*b, 85, 10), clYellow);

  // Twice the size: everything scales.
  auto big = FilledBitmap(192, 96);
  big->Canvas()->StretchDraw(RECT{0, 0, 192, 96}, p.Graphic());
  EXPECT_EQ(PixelAt(*big, 90, 40), clRed);
  EXPECT_EQ(PixelAt(*big, 100, 40), clWhite);
  EXPECT_EQ(PixelAt(*big, 130, 20), clLime);
  EXPECT_EQ(PixelAt(*big, 175, 20), clYellow);
  // Records reaching past the frame are clipped to the rectangle.
  auto half = FilledBitmap(96, 48);
  half->Canvas()->StretchDraw(RECT{0, 0, 48, 24}, p.Graphic());
  EXPECT_EQ(PixelAt(*half, 47, 1), clRed);
  EXPECT_EQ(PixelAt(*half, 60, 1), clWhite);
}

}  // namespace

namespace {

// A placeable metafile built record by record; its box is 96 x 48 units at 96 per inch.
class WmfBuilder {
 public:
  void Record(std::uint16_t function, std::vector<std::int16_t> params) {
    Put32(static_cast<std::uint32_t>(3 + params.size()));
    Put16(function);
    for (auto p : params) Put16(static_cast<std::uint16_t>(p));
  }
  std::vector<Byte> Finish() {
    Record(0, {});
    std::vector<Byte> out;
    auto put16 = [&](std::uint32_t v) {
      out.push_back(static_cast<Byte>(v));
      out.push_back(static_cast<Byte>(v >> 8));
    };
    const std::uint32_t key = 0x9AC6CDD7u;
    put16(key & 0xFFFF);
    put16(key >> 16);
    for (std::uint32_t v : {0u, 0u, 0u, 96u, 48u, 96u, 0u, 0u}) put16(v);
    std::uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    put16(sum);
    const std::uint32_t words = static_cast<std::uint32_t>(9 + body_.size() / 2);
    for (std::uint32_t v : {1u, 9u, 0x300u, words & 0xFFFF, words >> 16, 2u, 0u, 0u, 0u}) put16(v);
    out.insert(out.end(), body_.begin(), body_.end());
    return out;
  }

 private:
  void Put16(std::uint16_t v) {
    body_.push_back(static_cast<Byte>(v));
    body_.push_back(static_cast<Byte>(v >> 8));
  }
  void Put32(std::uint32_t v) {
    Put16(static_cast<std::uint16_t>(v));
    Put16(static_cast<std::uint16_t>(v >> 16));
  }
  std::vector<Byte> body_;
};

std::vector<Byte> SampleWmf() {
  WmfBuilder wmf;
  wmf.Record(0x020B, {0, 0});                  // window origin
  wmf.Record(0x020C, {48, 96});                // window extent (y, x)
  wmf.Record(0x02FC, {0, 0x00FF, 0x0000, 0});  // brush: solid red, slot 0
  wmf.Record(0x012D, {0});                     // select it
  wmf.Record(0x02FA, {PS_NULL, 0, 0, 0, 0});   // pen: none, slot 1
  wmf.Record(0x012D, {1});
  wmf.Record(0x041B, {24, 48, 0, 0});          // rectangle: bottom, right, top, left
  wmf.Record(0x01F0, {0});                     // the brush is deleted: slot 0 is free again
  wmf.Record(0x02FC, {0, 0x0000, 0x00FF, 0});  // brush: solid blue, takes slot 0
  wmf.Record(0x012D, {0});
  wmf.Record(0x041B, {48, 96, 24, 48});  // the bottom-right quarter
  return wmf.Finish();
}

TEST(Metafile, PlaceablePicturesArePlayedIntoTheRectangle) {
  const auto bytes = SampleWmf();
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  s.SetPosition(0);
  TMetafile m;
  m.LoadFromStream(&s);
  EXPECT_FALSE(m.Enhanced());
  EXPECT_EQ(m.Width(), 96);
  auto b = FilledBitmap(96, 48);
  b->Canvas()->Draw(0, 0, &m);
  EXPECT_EQ(PixelAt(*b, 10, 10), clRed);
  EXPECT_EQ(PixelAt(*b, 60, 10), clWhite);
  EXPECT_EQ(PixelAt(*b, 70, 40), clBlue);

  auto half = FilledBitmap(96, 48);
  half->Canvas()->StretchDraw(RECT{0, 0, 48, 24}, &m);
  EXPECT_EQ(PixelAt(*half, 10, 5), clRed);
  EXPECT_EQ(PixelAt(*half, 40, 20), clBlue);
  EXPECT_EQ(PixelAt(*half, 60, 30), clWhite);
}

}  // namespace

namespace {

TEST(Metafile, DamagedRecordsStayInsideTheRectangle) {
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (const auto& sample : {SampleEmf(), SampleWmf()}) {
    for (int round = 0; round < 300; ++round) {
      auto bytes = sample;
      for (int k = 0; k < 4; ++k) bytes[22 + next() % (bytes.size() - 22)] = static_cast<Byte>(next() >> 8);
      TMemoryStream s;
      s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
      s.SetPosition(0);
      TMetafile m;
      try {
        m.LoadFromStream(&s);
      } catch (const EInvalidGraphic&) {
        continue;
      }
      auto b = FilledBitmap(60, 40);
      b->Canvas()->StretchDraw(RECT{10, 10, 50, 30}, &m);
      int outside = 0;
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
          if ((x < 10 || x >= 50 || y < 10 || y >= 30) && PixelAt(*b, x, y) != clWhite) ++outside;
      ASSERT_EQ(outside, 0) << "round " << round;
    }
  }
}

}  // namespace
