#include <atomic>
#include <functional>
#include <thread>

#include "platform/classes/Classes.h"
#include "platform/forms/tests/FormsTestUtil.h"
#include "platform/gdi/SysColors.h"
#include "platform/rtl/Exceptions.h"

namespace {

TEST(Colors, SystemColoursResolveThroughTheSystemTable) {
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GdiSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clHighlight), static_cast<TColor>(GdiSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  EXPECT_EQ(static_cast<unsigned>(clBtnFace), 0x8000000Fu);
}

TEST(Colors, NamesAndNumbersConvertBothWays) {
  EXPECT_EQ(ColorToString(clBtnFace), u"clBtnFace");
  EXPECT_EQ(ColorToString(RGB(1, 2, 3)), u"$00030201");
  EXPECT_EQ(StringToColor(u"clwindowtext"), clWindowText);
  EXPECT_EQ(StringToColor(u"$00030201"), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(StringToColor(u"32896"), clOlive);
  EXPECT_EQ(StringToColor(u"-2147483633"), clBtnFace);
  EXPECT_THROW(StringToColor(u"clNoSuchColour"), EConvertError);
}

TEST(Font, SizeAndHeightConvertAtNinetySixDpi) {
  struct Case {
    int size, height;
  } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}, {72, -96}};
  for (const auto& c : cases) {
    TFont f;
    f.SetSize(c.size);
    EXPECT_EQ(f.Height(), c.height) << "size " << c.size;
    f.SetHeight(c.height);
    EXPECT_EQ(f.Size(), c.size) << "height " << c.height;
  }
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
}

TEST(Font, OnChangeFiresOncePerRealChange) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &f);
    ++changes;
  };
  f.SetName(u"Arial");
  f.SetName(u"Arial");
  f.SetStyle({fsBold, fsUnderline});
  f.SetColor(clRed);
  f.SetSize(12);
  f.SetSize(12);
  EXPECT_EQ(changes, 4);

  TFont other;
  other.Assign(&f);
  EXPECT_EQ(other.Name(), u"Arial");
  EXPECT_EQ(other.Height(), -16);
  EXPECT_TRUE(other.Style() == (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(other.Color(), clRed);
  f.Assign(&other);
  EXPECT_EQ(changes, 5);
}

TEST(Font, HandleFollowsTheDescription) {
  TFont f;
  f.SetName(u"Tahoma");
  f.SetHeight(-13);
  f.SetStyle({fsBold, fsItalic, fsStrikeOut});
  LOGFONT lf;
  ASSERT_EQ(GetObject(f.Handle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic && lf.lfStrikeOut && !lf.lfUnderline);
  EXPECT_EQ(LogFontFaceName(lf), u"Tahoma");

  // A change makes a new handle and frees the old one.
  const size_t live = LiveGdiObjectCount();
  f.SetHeight(-20);
  ASSERT_EQ(GetObject(f.Handle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(LiveGdiObjectCount(), live);

  // A handle given to a font describes it.
  TFont g;
  LOGFONT desc;
  desc.lfHeight = -17;
  desc.lfUnderline = 1;
  SetLogFontFaceName(desc, u"Arial");
  g.SetHandle(CreateFontIndirect(&desc));
  EXPECT_EQ(g.Height(), -17);
  EXPECT_EQ(g.Name(), u"Arial");
  EXPECT_TRUE(g.Style() == TFontStyles{fsUnderline});
}

TEST(Font, AssignedFontsShareTheHandleSafely) {
  const size_t live = LiveGdiObjectCount();
  auto a = std::make_unique<TFont>();
  TFont b;
  const HFONT h = a->Handle();
  b.Assign(a.get());
  EXPECT_EQ(b.Handle(), h);
  a.reset();
  EXPECT_NE(GetObjectType(h), 0u) << "still used by the other font";
  b.SetSize(20);
  EXPECT_EQ(LiveGdiObjectCount(), live) << "the last user freed it";
}

TEST(Canvas, WithoutADeviceContextItRefusesToDraw) {
  TCanvas c;
  try {
    c.FillRect(RECT{0, 0, 1, 1});
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), u"Canvas does not allow drawing");
  }
}

// Controls draw text straight on the handle (DrawText); it must carry the canvas's own objects.
TEST(Canvas, HandleCarriesTheCanvasFontPenAndBrush) {
  auto b = FilledBitmap(8, 8);
  TCanvas* c = b->Canvas();
  c->Font()->SetName(u"Arial");
  c->Font()->SetHeight(-20);
  c->Pen()->SetColor(clRed);
  c->Brush()->SetColor(clBlue);
  HDC dc = c->Handle();
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), static_cast<HGDIOBJ>(c->Font()->Handle()));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), static_cast<HGDIOBJ>(c->Pen()->Handle()));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), static_cast<HGDIOBJ>(c->Brush()->Handle()));
}

TEST(Canvas, ShapesUseThePenAndTheBrush) {
  auto b = FilledBitmap(20, 20);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(RECT{2, 2, 6, 6});
  EXPECT_EQ(PixelAt(*b, 2, 2), clRed);
  EXPECT_EQ(PixelAt(*b, 5, 5), clRed);
  EXPECT_EQ(PixelAt(*b, 6, 6), clWhite);

  c->Pen()->SetColor(clBlue);
  c->Brush()->SetColor(clLime);
  c->Rectangle(8, 8, 14, 14);
  EXPECT_EQ(PixelAt(*b, 8, 8), clBlue);
  EXPECT_EQ(PixelAt(*b, 13, 13), clBlue);
  EXPECT_EQ(PixelAt(*b, 10, 10), clLime);
  EXPECT_EQ(PixelAt(*b, 14, 14), clWhite);

  // A clear brush leaves the inside alone.
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetColor(clBlack);
  c->Rectangle(1, 12, 7, 18);
  EXPECT_EQ(PixelAt(*b, 1, 12), clBlack);
  EXPECT_EQ(PixelAt(*b, 3, 14), clWhite);

  c->Brush()->SetColor(clBlack);
  c->FrameRect(RECT{15, 0, 20, 5});
  EXPECT_EQ(PixelAt(*b, 15, 0), clBlack);
  EXPECT_EQ(PixelAt(*b, 17, 2), clWhite);
}

TEST(Canvas, EveryShapeStaysInItsBox) {
  const RECT box{4, 4, 16, 14};
  struct Case {
    const char* name;
    std::function<void(TCanvas*)> draw;
    bool filled;
  } cases[] = {
      {"Rectangle", [&](TCanvas* c) { c->Rectangle(box); }, true},
      {"RoundRect", [&](TCanvas* c) { c->RoundRect(box.left, box.top, box.right, box.bottom, 4, 4); }, true},
      {"Ellipse", [&](TCanvas* c) { c->Ellipse(box); }, true},
      {"Polygon",
       [&](TCanvas* c) {
         c->Polygon({POINT{4, 4}, POINT{15, 4}, POINT{15, 13}, POINT{4, 13}});
       },
       true},
      {"Polyline",
       [&](TCanvas* c) {
         c->Polyline({POINT{4, 4}, POINT{15, 13}});
       },
       false},
      {"FrameRect", [&](TCanvas* c) { c->FrameRect(box); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto b = FilledBitmap(20, 18);
    b->Canvas()->Pen()->SetColor(clBlue);
    b->Canvas()->Brush()->SetColor(clRed);
    c.draw(b->Canvas());
    int inked = 0, outside = 0;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool in = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
        const bool ink = PixelAt(*b, x, y) != clWhite;
        inked += ink;
        outside += ink && !in;
      }
    EXPECT_GT(inked, 8);
    EXPECT_EQ(outside, 0);
    if (c.filled) {
      EXPECT_EQ(PixelAt(*b, 10, 9), clRed);
    }
  }
}

TEST(Canvas, FocusRectangleDrawnTwiceRestoresThePixels) {
  auto b = FilledBitmap(12, 12, clYellow);
  b->Canvas()->DrawFocusRect(RECT{1, 1, 11, 11});
  int changed = 0;
  for (int x = 1; x < 11; ++x) changed += PixelAt(*b, x, 1) != clYellow;
  EXPECT_GT(changed, 2);
  EXPECT_LT(changed, 10) << "dotted";
  b->Canvas()->DrawFocusRect(RECT{1, 1, 11, 11});
  for (int x = 0; x < 12; ++x) EXPECT_EQ(PixelAt(*b, x, 1), clYellow);
}

TEST(Canvas, LinesMoveThePenPosition) {
  auto b = FilledBitmap(10, 10);
  TCanvas* c = b->Canvas();
  c->MoveTo(1, 1);
  c->LineTo(8, 1);
  EXPECT_EQ(c->PenPos(), (POINT{8, 1}));
  EXPECT_EQ(PixelAt(*b, 1, 1), clBlack);
  EXPECT_EQ(PixelAt(*b, 7, 1), clBlack);
  EXPECT_EQ(PixelAt(*b, 8, 1), clWhite) << "the last point is not drawn";
  c->Polyline({POINT{1, 5}, POINT{5, 5}, POINT{5, 9}});
  EXPECT_EQ(PixelAt(*b, 3, 5), clBlack);
  EXPECT_EQ(PixelAt(*b, 5, 7), clBlack);
}

TEST(Canvas, NotXorPenDrawnTwiceRestoresThePixels) {
  auto b = FilledBitmap(12, 12, clYellow);
  TCanvas* c = b->Canvas();
  c->Pen()->SetMode(pmNotXor);
  // not (pen xor screen): a black pen inverts, a white one keeps the pixels.
  c->Pen()->SetColor(clBlack);
  c->MoveTo(0, 6);
  c->LineTo(12, 6);
  EXPECT_EQ(PixelAt(*b, 4, 6), clBlue);
  c->MoveTo(0, 6);
  c->LineTo(12, 6);
  EXPECT_EQ(PixelAt(*b, 4, 6), clYellow);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(0, 6);
  c->LineTo(12, 6);
  EXPECT_EQ(PixelAt(*b, 4, 6), clYellow);

  c->Pen()->SetMode(pmNot);
  c->MoveTo(0, 2);
  c->LineTo(12, 2);
  EXPECT_EQ(PixelAt(*b, 3, 2), clBlue);

  // A hatch draws its lines in the brush colour and leaves the gaps as they were.
  auto h = FilledBitmap(16, 16, clYellow);
  h->Canvas()->Brush()->SetColor(clRed);
  h->Canvas()->Brush()->SetStyle(bsHorizontal);
  h->Canvas()->FillRect(RECT{0, 0, 16, 16});
  int red = 0, yellow = 0;
  for (int y = 0; y < 16; ++y) {
    red += PixelAt(*h, 5, y) == clRed;
    yellow += PixelAt(*h, 5, y) == clYellow;
  }
  EXPECT_EQ(red + yellow, 16);
  EXPECT_GT(red, 0);
  EXPECT_GT(yellow, red);
}

TEST(Canvas, PatternBrushRepeatsItsBitmap) {
  TBitmap pattern;
  pattern.SetSize(2, 2);
  pattern.Canvas()->SetPixels(0, 0, clRed);
  pattern.Canvas()->SetPixels(1, 1, clRed);
  pattern.Canvas()->SetPixels(1, 0, clBlue);
  pattern.Canvas()->SetPixels(0, 1, clBlue);
  auto b = FilledBitmap(6, 6);
  b->Canvas()->Brush()->SetBitmap(&pattern);
  b->Canvas()->FillRect(RECT{0, 0, 6, 6});
  EXPECT_EQ(PixelAt(*b, 0, 0), clRed);
  EXPECT_EQ(PixelAt(*b, 3, 3), clRed);
  EXPECT_EQ(PixelAt(*b, 3, 2), clBlue);
}

TEST(Canvas, TextMetricsComeFromTheFont) {
  auto b = FilledBitmap(80, 40);
  TCanvas* c = b->Canvas();
  UseTestFont(c, -16);
  EXPECT_EQ(c->TextWidth(u"Wg"), 16);
  EXPECT_EQ(c->TextHeight(u"Wg"), 16);
  EXPECT_EQ(c->TextExtent(u"0000"), (SIZE{32, 16}));
  c->Font()->SetHeight(-10);
  EXPECT_EQ(c->TextWidth(u"0"), 5) << "a font change reaches the device context";
}

TEST(Canvas, TextOutPaintsTheBackgroundUnlessTheBrushIsClear) {
  auto b = FilledBitmap(60, 20);
  TCanvas* c = b->Canvas();
  UseTestFont(c, -16);
  c->Font()->SetColor(clRed);
  c->Brush()->SetColor(clYellow);
  c->TextOut(2, 2, u"A ");
  EXPECT_EQ(PixelAt(*b, 5, 9), clRed) << "the glyph's box";
  EXPECT_EQ(PixelAt(*b, 13, 9), clYellow) << "the space on the brush colour";
  EXPECT_EQ(c->PenPos(), (POINT{18, 2}));

  c->Brush()->SetStyle(bsClear);
  c->TextOut(30, 2, u" ");
  EXPECT_EQ(PixelAt(*b, 33, 9), clWhite);
}

TEST(Canvas, TextRectClipsAndFormats) {
  auto b = FilledBitmap(60, 40);
  TCanvas* c = b->Canvas();
  UseTestFont(c, -16);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsClear);
  c->TextRect(RECT{0, 0, 12, 16}, 0, 0, u"AB");
  EXPECT_EQ(PixelAt(*b, 4, 8), clBlack);
  EXPECT_EQ(PixelAt(*b, 13, 8), clWhite) << "clipped at the rectangle";

  RECT r{0, 0, 60, 40};
  String text = u"AB";
  c->TextRect(r, text, {tfCalcRect, tfSingleLine});
  EXPECT_EQ(r.right, 16);
  EXPECT_EQ(r.bottom, 16);

  auto centred = FilledBitmap(60, 40);
  UseTestFont(centred->Canvas(), -16);
  RECT all{0, 0, 60, 40};
  String one = u"A";
  centred->Canvas()->TextRect(all, one, {tfCenter, tfVerticalCenter, tfSingleLine});
  EXPECT_EQ(centred->Canvas()->ClipRect(), (RECT{0, 0, 60, 40}));
  RECT ink{60, 40, 0, 0};
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (PixelAt(*centred, x, y) != clWhite) {
        ink.left = std::min<LONG>(ink.left, x);
        ink.top = std::min<LONG>(ink.top, y);
        ink.right = std::max<LONG>(ink.right, x + 1);
        ink.bottom = std::max<LONG>(ink.bottom, y + 1);
      }
  EXPECT_EQ((ink.left + ink.right) / 2, 30);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20, 4);
}

TEST(Canvas, DrawStretchDrawAndCopyRect) {
  auto src = FilledBitmap(4, 4, clRed);
  src->Canvas()->SetPixels(0, 0, clBlue);
  auto dst = FilledBitmap(20, 20);
  dst->Canvas()->Draw(2, 3, src.get());
  EXPECT_EQ(PixelAt(*dst, 2, 3), clBlue);
  EXPECT_EQ(PixelAt(*dst, 5, 6), clRed);
  EXPECT_EQ(PixelAt(*dst, 6, 7), clWhite);

  dst->Canvas()->StretchDraw(RECT{10, 10, 18, 18}, src.get());
  EXPECT_EQ(PixelAt(*dst, 11, 11), clBlue);
  EXPECT_EQ(PixelAt(*dst, 12, 12), clRed);
  EXPECT_EQ(PixelAt(*dst, 17, 17), clRed);

  auto copy = FilledBitmap(10, 10);
  copy->Canvas()->CopyRect(RECT{0, 0, 4, 4}, dst->Canvas(), RECT{2, 3, 6, 7});
  EXPECT_EQ(PixelAt(*copy, 0, 0), clBlue);
  EXPECT_EQ(PixelAt(*copy, 3, 3), clRed);
  copy->Canvas()->SetCopyMode(cmDstInvert);
  copy->Canvas()->CopyRect(RECT{0, 0, 4, 4}, dst->Canvas(), RECT{2, 3, 6, 7});
  EXPECT_EQ(PixelAt(*copy, 3, 3), static_cast<TColor>(RGB(0, 255, 255)));

  // An empty graphic draws nothing.
  TBitmap empty;
  dst->Canvas()->Draw(0, 0, &empty);
  EXPECT_EQ(PixelAt(*dst, 0, 0), clWhite);
}

TEST(Canvas, PixelsReadAndWriteColours) {
  auto b = FilledBitmap(4, 4);
  b->Canvas()->SetPixels(1, 2, clBtnFace);
  EXPECT_EQ(b->Canvas()->Pixels(1, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(b->Canvas()->Pixels(0, 0), clWhite);
}

TEST(Canvas, ChangeEventsBracketEachDrawing) {
  auto b = FilledBitmap(4, 4);
  TCanvas* c = b->Canvas();
  std::string log;
  c->OnChanging = [&](TObject*) { log += '<'; };
  c->OnChange = [&](TObject*) { log += '>'; };
  c->FillRect(RECT{0, 0, 2, 2});
  c->LineTo(3, 3);
  c->MoveTo(0, 0);
  EXPECT_EQ(log, "<><>");
}

TEST(Canvas, LockIsHeldAgainstOtherThreads) {
  TCanvas c;
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.LockCount(), 2);
  std::atomic<bool> got{true};
  std::thread([&] {
    got = c.TryLock();
    if (got) c.Unlock();
  }).join();
  EXPECT_FALSE(got);
  c.Unlock();
  c.Unlock();
  std::thread([&] {
    got = c.TryLock();
    if (got) c.Unlock();
  }).join();
  EXPECT_TRUE(got);
  EXPECT_EQ(c.LockCount(), 0);
}

}  // namespace

namespace {

class TFontHolder : public TComponent {
  TRENVIK_CLASS(TFontHolder, TComponent);

 public:
  explicit TFontHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }

 private:
  std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
};

}  // namespace

TRENVIK_PUBLISHED(TFontHolder) { P.Property("Font", &TFontHolder::Font, &TFontHolder::SetFont); }

namespace {

TEST(Font, FormResourcesNameColoursAndCharsets) {
  TFontHolder source(nullptr);
  source.SetName(u"Label1");
  source.Font()->SetCharset(RUSSIAN_CHARSET);
  source.Font()->SetColor(clBtnText);
  source.Font()->SetStyle({fsBold});
  source.Font()->SetName(u"Tahoma");
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(&source);
  binary.SetPosition(0);
  const String text = ObjectBinaryToText(&binary);
  for (const char16_t* line : {u"Font.Charset = RUSSIAN_CHARSET", u"Font.Color = clBtnText",
                               u"Font.Height = -11", u"Font.Name = 'Tahoma'", u"Font.Style = [fsBold]"})
    EXPECT_NE(text.find(line), String::npos) << StringToUtf8(line) << "\n" << StringToUtf8(text);
  EXPECT_EQ(text.find(u"Font.Size"), String::npos);

  TMemoryStream back;
  ObjectTextToBinary(text, &back);
  back.SetPosition(0);
  TFontHolder target(nullptr);
  TReader(&back).ReadRootComponent(&target);
  EXPECT_EQ(target.Font()->Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(target.Font()->Color(), clBtnText);
  EXPECT_EQ(target.Font()->Name(), u"Tahoma");
  EXPECT_TRUE(target.Font()->Style() == TFontStyles{fsBold});
}

}  // namespace
