// The image editor: picture values (with and without the graphic header, corrupt ones), the graphic
// class by name, proportional fitting, the context menu's enabling, and the control's value,
// clipboard, file loading and pixels.
#include "cx/editors-ext/cxImage.h"

#include <fstream>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Colors.h"
#include "platform/forms/Icon.h"
#include "platform/forms/Jpeg.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Metafile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Input.h"
#include "platform/win/WindowTree.h"

namespace {

AnsiString BitmapValue(int AWidth, int AHeight, TColor AColor) {
  TPicture picture;
  picture.Bitmap()->SetSize(AWidth, AHeight);
  picture.Bitmap()->Canvas()->Brush()->SetColor(AColor);
  picture.Bitmap()->Canvas()->FillRect({0, 0, AWidth, AHeight});
  return cxPictureToValue(&picture);
}

AnsiString GraphicHeader(uint32_t ARestLength) {
  AnsiString header("\x01\x00\x00\x01", 4);
  for (int i = 0; i < 4; ++i) header += static_cast<char>((ARestLength >> (8 * i)) & 0xFF);
  return header;
}

TEST(CxImageValues, HeaderedBareCorruptAndTruncatedValues) {
  const AnsiString bare = BitmapValue(4, 3, clRed);
  struct Case {
    const char* name;
    Variant value;
    int width;  // 0: an empty picture
  };
  const Case cases[] = {
      {"bare stream", VarFromAnsiString(bare), 4},
      {"behind the header", VarFromAnsiString(GraphicHeader(static_cast<uint32_t>(bare.size())) + bare), 4},
      // A length field that disagrees: the whole value is the stream, and it is no picture.
      {"wrong length", VarFromAnsiString(GraphicHeader(static_cast<uint32_t>(bare.size()) + 1) + bare), 0},
      {"truncated", VarFromAnsiString(bare.substr(0, bare.size() / 2)), 0},
      {"junk", VarFromAnsiString(AnsiString(64, '\x7f')), 0},
      {"header alone", VarFromAnsiString(GraphicHeader(0)), 0},
      {"null", Null(), 0},
      {"number", Variant(5), 0},
  };
  for (const Case& c : cases) {
    TPicture picture;
    picture.Bitmap()->SetSize(9, 9);  // an old picture is always replaced
    EXPECT_NO_THROW(cxPictureFromValue(&picture, nullptr, c.value)) << c.name;
    EXPECT_EQ(picture.Width(), c.width) << c.name;
  }
  TPicture picture;
  cxPictureFromValue(&picture, TBitmap::StaticClass(), VarFromAnsiString(bare));
  EXPECT_EQ(cxPictureToValue(&picture), bare) << "written back without a header";
  EXPECT_EQ(cxPictureToValue(nullptr), AnsiString());
}

TEST(CxImageValues, GraphicClassesFitAndMenuEnabling) {
  EXPECT_EQ(cxGetGraphicClassByName(u"tjpegimage"), TJPEGImage::StaticClass());
  EXPECT_EQ(cxGetGraphicClassByName(u"TIcon"), TIcon::StaticClass());
  EXPECT_EQ(cxGetGraphicClassByName(u"TPicture"), nullptr);
  TcxImageProperties properties(nullptr);
  EXPECT_EQ(properties.GraphicClass(), TBitmap::StaticClass()) << "a repository's properties read bitmaps";
  EXPECT_FALSE(properties.IsGraphicClassNameStored());
  properties.SetGraphicClassName(u"tjpegimage");
  EXPECT_EQ(properties.GraphicClass(), TJPEGImage::StaticClass());
  EXPECT_EQ(StringToUtf8(properties.GraphicClassName()), "TJPEGImage");
  EXPECT_TRUE(properties.IsGraphicClassNameStored());

  struct FitCase {
    RECT area;
    int width, height;
    RECT fitted;
  };
  const FitCase fits[] = {
      {{0, 0, 100, 100}, 200, 100, {0, 0, 100, 50}},
      {{10, 10, 110, 110}, 100, 200, {10, 10, 60, 110}},
      {{0, 0, 50, 20}, 10, 10, {0, 0, 20, 20}},
  };
  for (const FitCase& f : fits) {
    const RECT r = cxFitRectProportionally(f.area, f.width, f.height);
    EXPECT_TRUE(EqualRect(&r, &f.fitted)) << f.width << "x" << f.height << " -> " << r.right << "," << r.bottom;
  }

  struct MenuCase {
    const char* name;
    bool empty, locked;
    TGraphicClass graphicClass;
    bool clipboard;
    TcxPopupMenuItems enabled;
  };
  const TcxPopupMenuItems all{pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave, pmiCustom};
  const MenuCase menus[] = {
      {"picture", false, false, TBitmap::StaticClass(), true, all},
      {"empty", true, false, TBitmap::StaticClass(), false, {pmiLoad, pmiCustom}},
      {"locked", false, true, TBitmap::StaticClass(), true, {pmiCopy, pmiSave, pmiCustom}},
      {"icon", false, false, TIcon::StaticClass(), false, {pmiDelete, pmiLoad, pmiSave, pmiCustom}},
  };
  for (const MenuCase& m : menus)
    EXPECT_TRUE(cxImageEnabledCommands(m.empty, m.locked, m.graphicClass, m.clipboard) == m.enabled) << m.name;
  EXPECT_EQ(cxImageClipboardFormat(TJPEGImage::StaticClass()), CF_BITMAP);
  EXPECT_EQ(cxImageClipboardFormat(TMetafile::StaticClass()), CF_METAFILEPICT);
  EXPECT_EQ(cxImageClipboardFormat(TIcon::StaticClass()), 0);
}

class CxImageTest : public CxControlsTest {
 protected:
  TcxImage* MakeImage() {
    TForm* form = MakeForm(100, 100, 400, 300);
    auto* image = Add<TcxImage>(form, 10, 10, 100, 100);
    form->Show();
    Pump();
    return image;
  }
};

TEST_F(CxImageTest, ValueClipboardAndFiles) {
  TcxImage* image = MakeImage();
  const AnsiString red = BitmapValue(4, 3, clRed);
  image->SetEditValue(VarFromAnsiString(red));
  EXPECT_EQ(image->Picture()->Width(), 4);
  EXPECT_FALSE(image->Modified());
  Variant value;
  image->GetEditValue(value);
  EXPECT_EQ(value.AsAnsiString(), red);

  // A corrupt value shows no picture and stays the value.
  const Variant corrupt = VarFromAnsiString(red.substr(0, 20));
  image->SetEditValue(corrupt);
  EXPECT_TRUE(image->PictureEmpty());
  EXPECT_EQ(image->EditValue().AsAnsiString(), corrupt.AsAnsiString());

  image->SetEditValue(VarFromAnsiString(red));
  image->CutToClipboard();
  EXPECT_TRUE(image->PictureEmpty());
  EXPECT_TRUE(VarIsNull(image->EditValue())) << "the value follows the picture";
  EXPECT_TRUE(image->ModifiedAfterEnter());
  image->PasteFromClipboard();
  ASSERT_FALSE(image->PictureEmpty());
  EXPECT_EQ(image->Picture()->Width(), 4);
  EXPECT_EQ(image->EditValue().AsAnsiString(), red);
  EXPECT_TRUE(image->EnabledCommands().Contains(pmiPaste));

  // A file that is no picture: a clear error naming it, and the picture stays.
  const std::string junkPath = ::testing::TempDir() + "cx_image_not_a_picture.bmp";
  std::ofstream(junkPath) << "this is text";
  try {
    image->LoadPictureFromFile(Utf8ToString(junkPath));
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find(Utf8ToString(junkPath)), String::npos) << StringToUtf8(e.Message());
  }
  EXPECT_EQ(image->Picture()->Width(), 4);
  // A real one replaces it.
  TPicture blue;
  cxPictureFromValue(&blue, nullptr, VarFromAnsiString(BitmapValue(6, 5, clBlue)));
  const std::string bluePath = ::testing::TempDir() + "cx_image_blue.bmp";
  blue.SaveToFile(Utf8ToString(bluePath));
  image->LoadPictureFromFile(Utf8ToString(bluePath));
  EXPECT_EQ(image->Picture()->Width(), 6);
  EXPECT_EQ(image->EditValue().AsAnsiString(), cxPictureToValue(&blue));
}

TEST_F(CxImageTest, StretchedPictureIsCentredOnItsPixels) {
  TcxImage* image = MakeImage();
  image->Properties()->SetStretch(true);
  image->Properties()->SetShowFocusRect(false);
  image->SetEditValue(VarFromAnsiString(BitmapValue(20, 10, clRed)));
  Pump();
  auto* viewInfo = static_cast<TcxImageViewInfo*>(image->EditViewInfo());
  const RECT client = viewInfo->ClientRect;
  const RECT picture = viewInfo->PictureRect();
  const int width = client.right - client.left;
  EXPECT_EQ(picture.right - picture.left, width);
  EXPECT_EQ(picture.bottom - picture.top, width / 2);
  EXPECT_EQ(picture.top - client.top, client.bottom - picture.bottom) << "centred vertically";
  const int midX = (client.left + client.right) / 2, midY = (client.top + client.bottom) / 2;
  EXPECT_EQ(ColorToRGB(ScreenPixel(image, midX, midY)), ColorToRGB(clRed));
  EXPECT_EQ(ColorToRGB(ScreenPixel(image, midX, client.top + 2)), ColorToRGB(viewInfo->BackgroundColor));
  KeepCheckedScreen("stretched");

  // An empty picture shows the caption.
  image->Properties()->SetCaption(u"нет фото");
  image->SetEditValue(Null());
  Pump();
  EXPECT_EQ(ColorToRGB(ScreenPixel(image, midX, client.top + 2)), ColorToRGB(viewInfo->BackgroundColor));
  EXPECT_TRUE(image->ActiveProperties()->GetDisplayText(Null()).empty());
  EXPECT_EQ(StringToUtf8(image->ActiveProperties()->GetDisplayText(Variant(1))), "нет фото");
}

TEST_F(CxImageTest, TheContextMenuShowsTheLayoutsCommandsEnabledForThePicture) {
  TcxImage* image = MakeImage();
  image->SetEditValue(VarFromAnsiString(BitmapValue(4, 3, clRed)));
  TcxPopupMenuLayout* layout = image->Properties()->PopupMenuLayout();
  layout->SetMenuItems({pmiCut, pmiCopy, pmiDelete, pmiCustom});
  layout->SetCustomMenuItemCaption(u"Поворот");
  int customClicks = 0;
  image->Properties()->OnCustomClick = [&](TObject*) { ++customClicks; };
  auto* menu = dynamic_cast<TPopupMenu*>(image->GetPopupMenu());
  ASSERT_NE(menu, nullptr);
  TMenuItem* items = menu->Items();
  ASSERT_EQ(items->Count(), 9);
  struct Row {
    const char* caption;
    bool visible;
  };
  const Row rows[] = {{"Cu&t", true},    {"&Copy", true},       {"&Paste", false}, {"&Delete", true}, {"-", false},
                      {"&Load...", false}, {"Save &As...", false}, {"-", true},      {"Поворот", true}};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(StringToUtf8(items->Items(i)->Caption()), rows[i].caption) << i;
    EXPECT_EQ(items->Items(i)->Visible(), rows[i].visible) << rows[i].caption;
  }
  EXPECT_TRUE(items->Items(0)->Enabled()) << "a picture can be cut";
  EXPECT_EQ(items->Items(3)->ImageIndex(), 3);
  items->Items(8)->Click();
  EXPECT_EQ(customClicks, 1);
  items->Items(3)->Click();
  EXPECT_TRUE(image->PictureEmpty()) << "Delete clears the picture";

  // Made afresh: an empty picture offers nothing to cut; a read-only one nothing to delete.
  menu = dynamic_cast<TPopupMenu*>(image->GetPopupMenu());
  EXPECT_FALSE(menu->Items()->Items(0)->Enabled());
  image->SetEditValue(VarFromAnsiString(BitmapValue(4, 3, clRed)));
  image->Properties()->SetReadOnly(true);
  menu = dynamic_cast<TPopupMenu*>(image->GetPopupMenu());
  EXPECT_FALSE(menu->Items()->Items(3)->Enabled());
  EXPECT_TRUE(menu->Items()->Items(1)->Enabled()) << "copying changes nothing";

  layout->SetMenuItems({});
  EXPECT_EQ(image->GetPopupMenu(), nullptr) << "no commands, no menu of its own";
}

// Where the picture's menu appears, in the image's client coordinates: from the keyboard a little
// inside the picture, from the mouse where it was clicked.
TEST_F(CxImageTest, TheContextMenuOpensAtTheClickOrTenPixelsInFromTheKeyboard) {
  TcxImage* image = MakeImage();
  image->SetEditValue(VarFromAnsiString(BitmapValue(4, 3, clRed)));
  image->SetFocus();
  Pump();
  struct Case {
    const char* name;
    std::function<void()> open;
    POINT expected;
  };
  const Case cases[] = {
      {"context key", [] { Key(VK_APPS); }, {10, 10}},
      {"shift+F10", [] { Key(VK_F10, 1); }, {10, 10}},
      {"right click", [&] { Click(image, 30, 40, TSimButton::Right); }, {30, 40}},
  };
  for (const Case& c : cases) {
    RECT menu{};
    ScriptModalLoop({{100, [&] {
                        if (HWND popup = FindWindow(u"TrenvikMenuPopup", nullptr)) GetWindowRect(popup, &menu);
                        KeepCheckedScreen(c.name);
                        SimulateKeyPress(VK_ESCAPE);
                      }}});
    c.open();
    EndScript();
    const POINT expected = image->ClientToScreen(c.expected);
    EXPECT_EQ(menu.left, expected.x) << c.name;
    EXPECT_EQ(menu.top, expected.y) << c.name;
    EXPECT_EQ(FindWindow(u"TrenvikMenuPopup", nullptr), nullptr) << "closed by Esc";
  }
}

// A picture green all over but for a red top-left and a blue bottom-right 8 x 8 corner.
AnsiString CorneredValue(int AWidth, int AHeight) {
  TPicture picture;
  TBitmap* bitmap = picture.Bitmap();
  bitmap->SetSize(AWidth, AHeight);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clGreen);
  canvas->FillRect({0, 0, AWidth, AHeight});
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect({0, 0, 8, 8});
  canvas->Brush()->SetColor(clBlue);
  canvas->FillRect({AWidth - 8, AHeight - 8, AWidth, AHeight});
  return cxPictureToValue(&picture);
}

class CxImageScrollingTest : public CxImageTest {
 protected:
  TcxImage* MakeScrollingImage() {
    TcxImage* image = MakeImage();
    image->SetBounds(10, 10, 140, 100);
    image->Properties()->SetCenter(false);
    image->Properties()->SetShowFocusRect(false);
    Pump();
    return image;
  }
  static RECT Client(TcxImage* AImage) { return AImage->EditViewInfo()->ClientRect; }
  static COLORREF Pixel(TcxImage* AImage, int X, int Y) { return ColorToRGB(ScreenPixel(AImage, X, Y)); }
};

TEST_F(CxImageScrollingTest, ALargerPictureScrollsByLinesAndPagesUpToItsLastPage) {
  TcxImage* image = MakeScrollingImage();
  image->SetEditValue(VarFromAnsiString(CorneredValue(300, 200)));
  Pump();
  TcxControlScrollBar* h = image->HScrollBar();
  TcxControlScrollBar* v = image->VScrollBar();
  ASSERT_TRUE(h->Visible());
  ASSERT_TRUE(v->Visible());
  RECT client = Client(image);
  EXPECT_EQ(client.right - client.left, 140 - 4 - v->Width()) << "the bars take their room from the client area";
  EXPECT_EQ(h->Top(), client.bottom);
  EXPECT_EQ(v->Left(), client.right);
  EXPECT_EQ(h->Max(), 299);
  EXPECT_EQ(v->Max(), 199);
  EXPECT_EQ(h->PageSize(), client.right - client.left);
  EXPECT_EQ(v->PageSize(), client.bottom - client.top);
  EXPECT_EQ(Pixel(image, client.left, client.top), ColorToRGB(clRed));

  // The bar's right arrow, clicked: one line of 8 pixels, past the red corner.
  const RECT arrow = h->SecondArrowRect();
  Click(h, (arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2);
  EXPECT_EQ(image->ScrollOffset().x, 8);
  EXPECT_EQ(h->Position(), 8);
  EXPECT_EQ(Pixel(image, client.left, client.top), ColorToRGB(clGreen));
  EXPECT_EQ(Pixel(image, client.left, client.top + 8), ColorToRGB(clGreen));

  // The last page shows the picture's bottom-right corner at the client's, and goes no further.
  for (TScrollCode code : {scBottom, scPageDown, scLineDown}) {
    h->Scroll(code);
    v->Scroll(code);
    EXPECT_EQ(image->ScrollOffset().x, 300 - h->PageSize()) << code;
    EXPECT_EQ(image->ScrollOffset().y, 200 - v->PageSize()) << code;
  }
  Pump();
  EXPECT_EQ(Pixel(image, client.right - 1, client.bottom - 1), ColorToRGB(clBlue));
  EXPECT_EQ(Pixel(image, client.right - 9, client.bottom - 9), ColorToRGB(clGreen));
  KeepCheckedScreen("last-page");
  v->Scroll(scPageUp);
  EXPECT_EQ(image->ScrollOffset().y, std::max(0, 200 - 2 * v->PageSize()));

  // Grown to hold the whole picture, the control drops its bars and shows the picture from its
  // top-left.
  image->SetBounds(10, 10, 320, 220);
  Pump();
  EXPECT_FALSE(h->Visible());
  EXPECT_FALSE(v->Visible());
  EXPECT_EQ(image->ScrollOffset().x, 0);
  EXPECT_EQ(Pixel(image, Client(image).left, Client(image).top), ColorToRGB(clRed));
  image->SetBounds(10, 10, 140, 100);
  Pump();
  ASSERT_TRUE(h->Visible());

  // Another picture starts at its top-left again.
  image->SetEditValue(VarFromAnsiString(CorneredValue(400, 300)));
  Pump();
  EXPECT_EQ(image->ScrollOffset().x, 0);
  EXPECT_EQ(image->ScrollOffset().y, 0);
  EXPECT_EQ(h->Position(), 0);
  EXPECT_EQ(Pixel(image, client.left, client.top), ColorToRGB(clRed));
}

TEST_F(CxImageScrollingTest, ScrollBarsOnlyWhereThePictureOutgrowsAnUnscaledView) {
  TcxImage* image = MakeScrollingImage();
  image->SetEditValue(VarFromAnsiString(CorneredValue(10, 10)));
  Pump();
  const RECT bare = Client(image);
  const int width = bare.right - bare.left, height = bare.bottom - bare.top;
  const int barHeight = image->HScrollBar()->Height();
  struct Case {
    const char* name;
    int pictureWidth, pictureHeight;
    bool center, stretch, h, v;
  };
  const Case cases[] = {
      {"fits", width, height, false, false, false, false},
      {"wider", width + 1, 20, false, false, true, false},
      {"taller", 20, height + 1, false, false, false, true},
      // The horizontal bar leaves too little height: the vertical one is needed too.
      {"wider, nearly as tall", width + 1, height - barHeight + 1, false, false, true, true},
      {"centred", 300, 200, true, false, false, false},
      {"stretched", 300, 200, false, true, false, false},
      {"empty", 0, 0, false, false, false, false},
  };
  for (const Case& c : cases) {
    image->Properties()->SetCenter(c.center);
    image->Properties()->SetStretch(c.stretch);
    image->SetEditValue(c.pictureWidth ? VarFromAnsiString(CorneredValue(c.pictureWidth, c.pictureHeight)) : Null());
    Pump();
    EXPECT_EQ(image->HScrollBar()->Visible(), c.h) << c.name;
    EXPECT_EQ(image->VScrollBar()->Visible(), c.v) << c.name;
    const RECT client = Client(image);
    EXPECT_EQ(client.bottom, bare.bottom - (c.h ? barHeight : 0)) << c.name;
  }

  // Sized to its picture, the control never scrolls.
  image->Properties()->SetCenter(false);
  image->Properties()->SetStretch(false);
  image->SetEditValue(VarFromAnsiString(CorneredValue(300, 200)));
  Pump();
  ASSERT_TRUE(image->HScrollBar()->Visible());
  image->SetAutoSize(true);
  Pump();
  EXPECT_FALSE(image->HScrollBar()->Visible());
  EXPECT_FALSE(image->VScrollBar()->Visible());
}

}  // namespace
