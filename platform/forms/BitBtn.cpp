// TBitBtn: an owner-drawn button of the "BUTTON" class showing a glyph and its caption.
#include "platform/forms/BitBtn.h"

#include "platform/classes/Published.h"
#include "platform/forms/ButtonFace.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TBitBtn) {
  P.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  P.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
  P.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
  P.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
  P.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
  P.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
}

namespace {

struct TKindInfo {
  const char16_t* caption;
  TModalResult result;
  bool isDefault;
  bool isCancel;
};

const TKindInfo& KindInfo(TBitBtnKind kind) {
  static const TKindInfo infos[] = {
      {u"", mrNone, false, false},       {u"OK", mrOk, true, false},          {u"Cancel", mrCancel, false, true},
      {u"&Help", mrNone, false, false},  {u"&Yes", mrYes, true, false},       {u"&No", mrNo, false, true},
      {u"&Close", mrNone, false, false}, {u"Abort", mrAbort, false, true},    {u"&Retry", mrRetry, false, false},
      {u"&Ignore", mrIgnore, false, false}, {u"&All", mrAll, false, false},
  };
  return infos[kind];
}

constexpr int kGlyphSize = 18;
const TColor kGlyphBack = TColor(0x008080);  // olive: the transparent colour of glyphs

void DrawKindMark(TCanvas* c, TBitBtnKind kind, int x, TColor main) {
  auto lines = [&](std::initializer_list<POINT> points, int width) {
    c->Pen()->SetColor(main);
    c->Pen()->SetWidth(width);
    bool first = true;
    for (POINT p : points) {
      if (first) c->MoveTo(x + p.x, p.y);
      else c->LineTo(x + p.x, p.y);
      first = false;
    }
    c->Pen()->SetWidth(1);
  };
  switch (kind) {
    case bkOK:
    case bkYes: lines({{3, 9}, {7, 13}, {15, 4}}, 3); break;
    case bkAll:
      lines({{1, 9}, {4, 13}, {10, 4}}, 2);
      lines({{7, 9}, {10, 13}, {16, 4}}, 2);
      break;
    case bkCancel:
    case bkAbort:
      lines({{4, 4}, {14, 14}}, 3);
      lines({{14, 4}, {4, 14}}, 3);
      break;
    case bkNo:  // a barred circle
      c->Pen()->SetColor(main);
      c->Pen()->SetWidth(2);
      c->Brush()->SetStyle(bsClear);
      c->Ellipse(x + 3, 3, x + 15, 15);
      c->Brush()->SetStyle(bsSolid);
      lines({{5, 13}, {13, 5}}, 2);
      break;
    case bkHelp:  // a question mark
      lines({{5, 6}, {6, 4}, {11, 4}, {13, 6}, {13, 8}, {9, 10}, {9, 12}}, 2);
      lines({{9, 14}, {9, 16}}, 2);
      break;
    case bkClose:  // an open door
      c->Pen()->SetColor(main);
      c->Brush()->SetColor(main);
      c->Rectangle(x + 5, 2, x + 13, 16);
      lines({{11, 9}, {12, 9}}, 1);
      break;
    case bkRetry:  // an arrow going round
      lines({{14, 7}, {12, 4}, {6, 4}, {4, 7}, {4, 11}, {6, 14}, {12, 14}}, 2);
      lines({{11, 3}, {14, 7}, {10, 8}}, 2);
      break;
    case bkIgnore:  // a stop bar and a way round it
      lines({{3, 13}, {9, 7}, {15, 13}}, 2);
      lines({{9, 3}, {9, 7}}, 2);
      break;
    case bkCustom: break;
  }
}

TColor KindColor(TBitBtnKind kind) {
  switch (kind) {
    case bkOK:
    case bkYes:
    case bkAll:
    case bkRetry: return TColor(0x008000);  // green
    case bkCancel:
    case bkAbort:
    case bkNo: return TColor(0x0000C0);  // red
    case bkHelp: return TColor(0x800000);  // navy
    default: return TColor(0x004080);  // brown
  }
}

}  // namespace

std::unique_ptr<TBitmap> MakeKindGlyph(TBitBtnKind Kind) {
  auto glyph = std::make_unique<TBitmap>();
  if (Kind == bkCustom) return glyph;
  glyph->SetSize(2 * kGlyphSize, kGlyphSize);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(kGlyphBack);
  c->FillRect(RECT{0, 0, 2 * kGlyphSize, kGlyphSize});
  DrawKindMark(c, Kind, 0, KindColor(Kind));
  DrawKindMark(c, Kind, kGlyphSize, clBtnShadow);  // the disabled image
  return glyph;
}

TRENVIK_MESSAGE_MAP(TBitBtn) {
  M.On(CN_DRAWITEM, &TBitBtn::CNDrawItem);
  M.On(CM_FONTCHANGED, &TBitBtn::CMFontChanged);
  M.On(CM_ENABLEDCHANGED, &TBitBtn::CMEnabledChanged);
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), glyph_(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool ADefault) {
  // The window stays owner-drawn; only the frame shows which button is the default.
  if (isDefault_ == ADefault) return;
  isDefault_ = ADefault;
  Invalidate();
}

void TBitBtn::Click() {
  if (kind_ == bkClose) {
    if (TCustomForm* form = GetParentForm(this)) form->Close();
    TControl::Click();
    return;
  }
  inherited::Click();
}

void TBitBtn::SetGlyph(TBitmap* Value) {
  if (Value)
    glyph_->Assign(Value);
  else
    glyph_ = std::make_unique<TBitmap>();
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  if (Value == bkCustom) return;
  const TKindInfo& info = KindInfo(Value);
  SetCaption(info.caption);
  SetModalResult(info.result);
  SetDefault(info.isDefault);
  SetCancel(info.isCancel);
  glyph_ = MakeKindGlyph(Value);
  numGlyphs_ = 2;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  layout_ = Value;
  Invalidate();
}

void TBitBtn::SetMargin(int Value) {
  margin_ = std::max(-1, Value);
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int Value) {
  numGlyphs_ = std::clamp(Value, 1, 4);
  Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
  spacing_ = Value;
  Invalidate();
}

void TBitBtn::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}

void TBitBtn::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}

void TBitBtn::CNDrawItem(TMessage& Message) {
  auto* ds = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  HDC dc = ds->hDC;
  RECT r = ds->rcItem;
  const bool pressed = (ds->itemState & ODS_SELECTED) != 0;
  const bool focused = (ds->itemState & ODS_FOCUS) != 0;
  if (isDefault_ || focused) {
    // The default button's dark frame around the face.
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    FrameRect(dc, &r, frame);
    InflateRect(&r, -1, -1);
  }
  if (pressed) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &r, face);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
  HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  const String caption = Caption();
  TButtonFace face;
  face.Caption = &caption;
  face.Glyph = glyph_.get();
  face.NumGlyphs = numGlyphs_;
  face.GlyphIndex = Enabled() ? 0 : 1;
  face.Layout = layout_;
  face.Margin = margin_;
  face.Spacing = spacing_;
  face.Pressed = pressed;
  face.Disabled = !Enabled();
  face.TextColor = Font()->Color();
  DrawButtonFace(dc, r, face);
  SelectObject(dc, oldFont);
  if (focused) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  Message.Result = TRUE;
}
