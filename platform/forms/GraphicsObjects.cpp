#include "platform/forms/GraphicsObjects.h"

#include <iterator>
#include <unordered_map>

#include "platform/classes/Published.h"
#include "platform/forms/Graphic.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Region.h"
#include "platform/rtl/StrUtils.h"

namespace {

std::unordered_map<HGDIOBJ, int>& HandleUsers() {
  // Never destroyed: bitmaps, fonts and brushes held by other files' statics release their handles
  // at exit, after this file's statics would have gone.
  static auto& users = *new std::unordered_map<HGDIOBJ, int>;
  return users;
}

}  // namespace

void AcquireGraphicsHandle(HGDIOBJ Handle) {
  if (Handle) ++HandleUsers()[Handle];
}

void ReleaseGraphicsHandle(HGDIOBJ Handle) {
  if (!Handle) return;
  auto& users = HandleUsers();
  auto it = users.find(Handle);
  if (it == users.end()) return;
  if (--it->second == 0) {
    users.erase(it);
    DeleteObject(Handle);
  }
}

namespace {

const TIdentMapEntry kCharsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGUL_CHARSET, "HANGUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

}  // namespace

bool CharsetToIdent(Integer Charset, String& Ident) {
  return IntToIdent(Charset, Ident, kCharsets, static_cast<int>(std::size(kCharsets)));
}

bool IdentToCharset(const String& Ident, Integer& Charset) {
  return IdentToInt(Ident, Charset, kCharsets, static_cast<int>(std::size(kCharsets)));
}

TRENVIK_IMPLEMENT_CLASS(TGraphicsObject)

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// --- TFont ---

TRENVIK_PUBLISHED(TFont) {
  P.Property("Charset", &TFont::Charset, &TFont::SetCharset)
      .Default(DEFAULT_CHARSET)
      .Idents(IdentToCharset, CharsetToIdent);
  P.Property("Color", &TFont::Color, &TFont::SetColor).NoDefault().Idents(IdentToColor, ColorToIdent);
  P.Property("Height", &TFont::Height, &TFont::SetHeight).NoDefault();
  P.Property("Name", &TFont::Name, &TFont::SetName);
  P.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  P.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  P.Property("Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles{});
}

TFont::TFont() : name_(u"MS Sans Serif") {}

TFont::~TFont() { ReleaseHandle(); }

void TFont::ReleaseHandle() {
  ReleaseGraphicsHandle(handle_);
  handle_ = nullptr;
}

void TFont::DescriptionChanged() {
  ReleaseHandle();
  Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    ReleaseHandle();
    name_ = f->name_;
    height_ = f->height_;
    style_ = f->style_;
    color_ = f->color_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    handle_ = f->handle_;
    AcquireGraphicsHandle(handle_);
    Changed();
    return;
  }
  inherited::Assign(Source);
}

LOGFONT TFont::LogFont() const {
  LOGFONT lf;
  lf.lfHeight = height_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = pitch_ == fpFixed      ? FIXED_PITCH
                        : pitch_ == fpVariable ? VARIABLE_PITCH
                                               : DEFAULT_PITCH;
  SetLogFontFaceName(lf, name_);
  return lf;
}

HFONT TFont::Handle() {
  if (!handle_) {
    const LOGFONT lf = LogFont();
    handle_ = CreateFontIndirect(&lf);
    AcquireGraphicsHandle(handle_);
  }
  return handle_;
}

void TFont::SetHandle(HFONT Value) {
  if (Value == handle_) return;
  LOGFONT lf;
  if (Value && GetObject(Value, sizeof(lf), &lf) == sizeof(lf)) {
    name_ = LogFontFaceName(lf);
    height_ = lf.lfHeight;
    style_ = {};
    if (lf.lfWeight >= FW_BOLD) style_.Include(fsBold);
    if (lf.lfItalic) style_.Include(fsItalic);
    if (lf.lfUnderline) style_.Include(fsUnderline);
    if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
    charset_ = lf.lfCharSet;
    const int pitch = lf.lfPitchAndFamily & 0x0F;
    pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  }
  ReleaseHandle();
  handle_ = Value;
  AcquireGraphicsHandle(handle_);
  Changed();
}

void TFont::SetName(const TFontName& Value) {
  if (Value.empty() || Value == name_) return;
  name_ = Value;
  DescriptionChanged();
}

void TFont::SetHeight(Integer Value) {
  if (Value == height_) return;
  height_ = Value;
  DescriptionChanged();
}

Integer TFont::Size() const { return -MulDiv(height_, 72, ScreenPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, ScreenPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  style_ = Value;
  DescriptionChanged();
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == charset_) return;
  charset_ = Value;
  DescriptionChanged();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  pitch_ = Value;
  DescriptionChanged();
}

// --- TPen ---

int PenModeToRop2(TPenMode Mode) {
  static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                  R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                  R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return Mode >= pmBlack && Mode <= pmNotXor ? kRop2[Mode] : R2_COPYPEN;
}

TRENVIK_PUBLISHED(TPen) {
  P.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack).Idents(IdentToColor, ColorToIdent);
  P.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
  P.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  P.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

TPen::~TPen() { ReleaseHandle(); }

void TPen::ReleaseHandle() {
  ReleaseGraphicsHandle(handle_);
  handle_ = nullptr;
}

void TPen::DescriptionChanged() {
  ReleaseHandle();
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    ReleaseHandle();
    color_ = p->color_;
    style_ = p->style_;
    width_ = p->width_;
    mode_ = p->mode_;
    handle_ = p->handle_;
    AcquireGraphicsHandle(handle_);
    Changed();
    return;
  }
  inherited::Assign(Source);
}

HPEN TPen::Handle() {
  if (!handle_) {
    handle_ = CreatePen(style_, width_, ColorToColorRef(color_));
    AcquireGraphicsHandle(handle_);
  }
  return handle_;
}

void TPen::SetHandle(HPEN Value) {
  if (Value == handle_) return;
  LOGPEN lp;
  if (Value && GetObject(Value, sizeof(lp), &lp) == sizeof(lp)) {
    color_ = static_cast<TColor>(lp.lopnColor);
    const int s = static_cast<int>(lp.lopnStyle & PS_STYLE_MASK);
    style_ = s <= PS_INSIDEFRAME ? static_cast<TPenStyle>(s) : psSolid;
    width_ = lp.lopnWidth.x;
  }
  ReleaseHandle();
  handle_ = Value;
  AcquireGraphicsHandle(handle_);
  Changed();
}

void TPen::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  DescriptionChanged();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  DescriptionChanged();
}

void TPen::SetWidth(Integer Value) {
  if (Value < 0 || Value == width_) return;
  width_ = Value;
  DescriptionChanged();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == mode_) return;
  mode_ = Value;
  Changed();
}

// --- TBrush ---

TRENVIK_PUBLISHED(TBrush) {
  P.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite).Idents(IdentToColor, ColorToIdent);
  P.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

TBrush::~TBrush() { ReleaseHandle(); }

void TBrush::ReleaseHandle() {
  ReleaseGraphicsHandle(handle_);
  handle_ = nullptr;
}

void TBrush::DescriptionChanged() {
  ReleaseHandle();
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    ReleaseHandle();
    color_ = b->color_;
    style_ = b->style_;
    bitmap_ = b->bitmap_;
    handle_ = b->handle_;
    AcquireGraphicsHandle(handle_);
    Changed();
    return;
  }
  inherited::Assign(Source);
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    if (bitmap_ && !bitmap_->Empty()) {
      handle_ = CreatePatternBrush(bitmap_->Handle());
    } else {
      LOGBRUSH lb;
      lb.lbColor = ColorToColorRef(color_);
      switch (style_) {
        case bsSolid:
          lb.lbStyle = BS_SOLID;
          break;
        case bsClear:
          lb.lbStyle = BS_NULL;
          break;
        default:
          lb.lbStyle = BS_HATCHED;
          lb.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal);
      }
      handle_ = CreateBrushIndirect(&lb);
    }
    AcquireGraphicsHandle(handle_);
  }
  return handle_;
}

void TBrush::SetHandle(HBRUSH Value) {
  if (Value == handle_) return;
  LOGBRUSH lb;
  if (Value && GetObject(Value, sizeof(lb), &lb) == sizeof(lb)) {
    color_ = static_cast<TColor>(lb.lbColor);
    if (lb.lbStyle == BS_NULL)
      style_ = bsClear;
    else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS)
      style_ = static_cast<TBrushStyle>(bsHorizontal + static_cast<int>(lb.lbHatch));
    else
      style_ = bsSolid;
  }
  bitmap_ = nullptr;
  ReleaseHandle();
  handle_ = Value;
  AcquireGraphicsHandle(handle_);
  Changed();
}

void TBrush::SetColor(TColor Value) {
  if (Value == color_ && style_ != bsClear) return;
  color_ = Value;
  if (style_ == bsClear) style_ = bsSolid;
  DescriptionChanged();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == style_ && !bitmap_) return;
  style_ = Value;
  if (style_ == bsClear) bitmap_ = nullptr;
  DescriptionChanged();
}

void TBrush::SetBitmap(TBitmap* Value) {
  bitmap_ = Value;
  DescriptionChanged();
}
