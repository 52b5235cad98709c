// The indicator glyphs shared by every tree list: focused, editing, inserting, selected, focused
// and selected, loaded from the program's bitmaps at start-up.
#include "dx/treelist/dxTLRoutines.h"

#include <memory>

#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/gdi/ImageList.h"

namespace {

constexpr const char16_t* kGlyphNames[] = {u"DXGRID_ARROW", u"DXGRID_EDIT", u"DXGRID_INSERT", u"DXGRID_MULTIDOT",
                                           u"DXGRID_MULTIARROW"};

std::unique_ptr<TCustomImageList>& Glyphs() {
  static std::unique_ptr<TCustomImageList> glyphs;
  return glyphs;
}

}  // namespace

void LoadIndicatorGlyphs() {
  std::unique_ptr<TCustomImageList> glyphs;
  TBitmap bitmap;
  for (const char16_t* name : kGlyphNames) {
    try {
      bitmap.LoadFromResourceName(nullptr, name);
    } catch (const EResNotFound&) {
      return;  // without its bitmaps the indicator draws its own arrow
    }
    if (!glyphs) glyphs = std::make_unique<TCustomImageList>(nullptr, bitmap.Width(), bitmap.Height());
    glyphs->AddMasked(&bitmap, clWhite);
  }
  Glyphs() = std::move(glyphs);
}

void FreeIndicatorGlyphs() { Glyphs().reset(); }

bool DrawIndicatorGlyph(HDC DC, const RECT& Rect, int Glyph) {
  TCustomImageList* glyphs = Glyphs().get();
  if (!glyphs || Glyph < 1 || Glyph > glyphs->Count()) return false;
  int x = Rect.left + (Rect.right - Rect.left - glyphs->Width()) / 2;
  int y = Rect.top + (Rect.bottom - Rect.top - glyphs->Height()) / 2;
  return ImageList_Draw(glyphs->Handle(), Glyph - 1, DC, x, y, ILD_TRANSPARENT);
}
