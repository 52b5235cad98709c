// The program's own cursors and bitmaps in resources/: every name the components ask for loads
// through the layer, with its hot spot and size.
#include "platform/forms/Graphic.h"
#include "platform/forms/tests/FormsTestSupport.h"

// The test binary finds the program's resources/ without being told where they are.
using ResourceImagesTest = FormsTest;

TEST_F(ResourceImagesTest, CursorsLoadByNameWithTheirHotSpots) {
  struct {
    const char16_t* name;
    POINT hot;
  } cursors[] = {
      {u"DXTLDELETECURSOR", {0, 0}},      {u"DXTL_FULLSCROLLCURSOR", {15, 15}}, {u"DXTL_HORSCROLLCURSOR", {15, 15}},
      {u"DXTL_VERSCROLLCURSOR", {15, 15}}, {u"DXTL_UPSCROLLCURSOR", {15, 15}},   {u"DXTL_RIGHTSCROLLCURSOR", {15, 15}},
      {u"DXTL_DOWNSCROLLCURSOR", {15, 15}}, {u"DXTL_LEFTSCROLLCURSOR", {15, 15}}, {u"DXTL_DRAGCOPY", {0, 0}},
      {u"DXTL_MULTIDRAGCOPY", {0, 0}},    {u"CX_DRAGCOPYCURSOR", {0, 0}},      {u"CX_FULLSCROLLCURSOR", {15, 15}},
      {u"CX_HORSCROLLCURSOR", {15, 15}},  {u"CX_VERSCROLLCURSOR", {15, 15}},   {u"CX_UPSCROLLCURSOR", {15, 15}},
      {u"CX_RIGHTSCROLLCURSOR", {15, 15}}, {u"CX_DOWNSCROLLCURSOR", {15, 15}}, {u"CX_LEFTSCROLLCURSOR", {15, 15}},
      {u"DXINSP_INSERT", {0, 0}},         {u"DXINSP_ADDCHILD", {0, 0}},        {u"DXINSP_ADD", {0, 0}},
      {u"DXINSP_HIDE", {0, 0}},           {u"DXINSP_NODRAG", {0, 0}},          {u"DXTREEDRAGCOPY", {0, 0}},
      {u"DX_HANDPOINT", {6, 0}},          {u"CXGRID_HORZSIZECURSOR", {15, 15}}, {u"CXGRID_VERTSIZECURSOR", {15, 15}},
      {u"CXGRID_REMOVECURSOR", {0, 0}},   {u"CXGRID_NODROPCURSOR", {0, 0}},    {u"CXGRID_DRAG", {0, 0}},
      {u"CXGRID_MULTIDRAG", {0, 0}},      {u"DXBARDRAGCURSOR", {0, 0}},        {u"DXBARDRAGCOPYCURSOR", {0, 0}},
      {u"DXBARDRAGNODROPCURSOR", {0, 0}}, {u"DXBAREDITSIZINGCURSOR", {15, 15}},
  };
  for (auto& c : cursors) {
    HCURSOR h = LoadCursor(reinterpret_cast<HINSTANCE>(1), c.name);
    ASSERT_NE(h, nullptr) << StringToUtf8(c.name);
    TCursorInfo info;
    ASSERT_TRUE(GetCursorDetails(h, &info));
    EXPECT_EQ(info.hotSpot, c.hot) << StringToUtf8(c.name);
    EXPECT_EQ(info.width, 32);
    // Black, white and see-through all occur: a drawn shape, not an empty square.
    int opaque = 0, clear = 0;
    for (auto p : info.pixels) (p >> 24 ? opaque : clear)++;
    EXPECT_GT(opaque, 20) << StringToUtf8(c.name);
    EXPECT_GT(clear, 500) << StringToUtf8(c.name);
  }
  EXPECT_EQ(LoadCursor(reinterpret_cast<HINSTANCE>(1), u"NO_SUCH_CURSOR"), nullptr);
}

TEST_F(ResourceImagesTest, BitmapsLoadByNameInTheirSizes) {
  struct {
    const char* name;
    int width, height;
  } bitmaps[] = {
      {"UPSMALL", 9, 4},           {"DOWNSMALL", 9, 4},         {"DXGRID_ARROW", 5, 9},
      {"DXGRID_EDIT", 5, 9},       {"DXGRID_INSERT", 5, 9},     {"DXGRID_MULTIDOT", 5, 9},
      {"DXGRID_MULTIARROW", 5, 9}, {"CX_ARROWBITMAP", 5, 9},    {"CX_MULTIARROWBITMAP", 5, 9},
      {"DXGRID_VERSCROLLBITMAP", 29, 29}, {"CX_FULLSCROLLBITMAP", 29, 29}, {"CX_HORSCROLLBITMAP", 29, 29},
      {"DXTOOL_CUT", 16, 16},      {"DXTOOL_SAVE", 16, 16},     {"CXMENUIMAGE_PASTE", 16, 16},
      {"DXINPLACE_BLOB", 16, 16},  {"DXINPLACE_PICT_NULL", 16, 16}, {"CXBMBLOB_OLE", 16, 16},
      {"CXBMBLOB_MEMO_NULL", 16, 16}, {"DXBARCLOSE", 8, 7},     {"DXBARMINIMIZE", 8, 7},
  };
  for (auto& b : bitmaps) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(nullptr, Utf8ToString(b.name));
    EXPECT_EQ(bitmap.Width(), b.width) << b.name;
    EXPECT_EQ(bitmap.Height(), b.height) << b.name;
  }
  // The blob glyphs' empty-field variants are the same shapes greyed.
  TBitmap full, empty;
  full.LoadFromResourceName(nullptr, u"DXINPLACE_MEMO");
  empty.LoadFromResourceName(nullptr, u"DXINPLACE_MEMO_NULL");
  EXPECT_EQ(full.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(empty.Canvas()->Pixels(0, 0), clGray);
  EXPECT_EQ(empty.Canvas()->Pixels(15, 15), TColor(0x008080));  // the olive background stays
  TBitmap missing;
  EXPECT_THROW(missing.LoadFromResourceName(nullptr, u"NO_SUCH_BITMAP"), EResNotFound);
}
