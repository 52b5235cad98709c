// The radio group drawn from its view info: the captioned frame stand-alone, every item's glyph
// and caption in place (grid cells paint the group without its buttons).
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/gdi/VsStyle.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomRadioGroupViewInfo)

namespace {

void DrawEtchedFrame(TcxCanvas* ACanvas, const RECT& R) {
  ACanvas->FrameRect(RECT{R.left + 1, R.top + 1, R.right, R.bottom}, clBtnHighlight);
  ACanvas->FrameRect(RECT{R.left, R.top, R.right - 1, R.bottom - 1}, clBtnShadow);
  // The highlight's stray corners under the shadow frame's ends.
  ACanvas->SetPixel(R.left, R.bottom - 1, clBtnHighlight);
  ACanvas->SetPixel(R.right - 1, R.top, clBtnHighlight);
}

}  // namespace

void TcxCustomRadioGroupViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxCustomRadioGroupViewInfo*>(Source)) {
    ItemIndex = source->ItemIndex;
    Caption = source->Caption;
    ItemTextFlags = source->ItemTextFlags;
    FocusedItem = source->FocusedItem;
  }
  inherited::Assign(Source);
}

bool TcxCustomRadioGroupViewInfo::Repaint(TWinControl* AControl, TcxCustomEditViewInfo* AOld,
                                          const RECT& AInnerEditRect) {
  const bool result = inherited::Repaint(AControl, AOld, AInnerEditRect);
  auto* old = dynamic_cast<TcxCustomRadioGroupViewInfo*>(AOld);
  if (old && (old->ItemIndex != ItemIndex || old->Caption != Caption) && AControl && AControl->HandleAllocated())
    AControl->Invalidate();
  return result;
}

void TcxCustomRadioGroupViewInfo::Paint(TcxCanvas* ACanvas) {
  if (IsInplace) {
    if (!Transparent) {
      ACanvas->SetBrushColor(BackgroundColor);
      ACanvas->FillRect(Bounds);
    }
    for (int i = 0; i < ButtonCount(); ++i) DrawButton(ACanvas, i);
    return;
  }
  PaintFrame(ACanvas);
}

void TcxCustomRadioGroupViewInfo::PaintFrame(TcxCanvas* ACanvas) {
  if (Font) ACanvas->SetFont(Font);
  const int textHeight = ACanvas->TextHeight(u"Qq");
  const int d = GetEditBorderWidth(DrawnBorder);
  RECT frame = BorderRect;
  InflateRect(&frame, d, d);
  ACanvas->SetBrushColor(BackgroundColor);
  ACanvas->FillRect(Bounds);
  if (Shadow) DrawEditShadow(ACanvas, frame);
  frame.top = Bounds.top + textHeight / 2 - d + 1;
  switch (DrawnBorder) {
    case edbSingle:
      ACanvas->FrameRect(frame, BorderColor);
      break;
    case edbThick:
      ACanvas->FrameRect(frame, BorderColor, 2);
      break;
    case edbFlat:
      ACanvas->FrameRect(frame, clBtnShadow);
      ACanvas->FrameRect(RECT{frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1}, clBtnHighlight);
      break;
    case edb3D:
      DrawEtchedFrame(ACanvas, frame);
      break;
    default:
      break;
  }
  if (Caption.empty()) return;
  ACanvas->Font()->SetColor(TextColor);
  ACanvas->SetBrushColor(BackgroundColor);
  const SIZE extent = ACanvas->TextExtent(Caption);
  const RECT text{Bounds.left + 8, Bounds.top, Bounds.left + 8 + extent.cx, Bounds.top + extent.cy};
  ACanvas->DrawText(Caption, text, cxtfLeft | cxtfTop | cxtfSingleLine | cxtfShowPrefix);
}

void TcxCustomRadioGroupViewInfo::DrawButton(TcxCanvas* ACanvas, int AIndex) {
  TcxRadioGroupButtonViewInfo* item = Item(AIndex);
  const RECT& p = item->Bounds;
  const bool checked = AIndex == ItemIndex;
  RECT glyph{};
  if (item->NativeStyle) {
    HTHEME theme = dxOpenThemeByType(tcButton);
    SIZE size{};
    dxGetThemePartSize(theme, ACanvas->Handle(), BP_RADIOBUTTON, item->NativeState, nullptr, TS_TRUE, &size);
    glyph = cxRadioGlyphRect({p.right - p.left, p.bottom - p.top}, size, taRightJustify, true, true);
    OffsetRect(&glyph, p.left, p.top);
    ACanvas->SetBrushColor(item->BackgroundColor);
    if (item->NativePartTransparent) {
      if (!Transparent) ACanvas->FillRect(p);
      dxDrawThemeBackground(theme, ACanvas->Handle(), BP_RADIOBUTTON, item->NativeState, &glyph, nullptr);
    } else {
      dxDrawThemeBackground(theme, ACanvas->Handle(), BP_RADIOBUTTON, item->NativeState, &glyph, nullptr);
      std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
      ACanvas->ExcludeClipRect(glyph);
      if (!Transparent) ACanvas->FillRect(p);
      ACanvas->SetClipRegion(saved.release(), roSet);
    }
  } else {
    if (!Transparent) {
      ACanvas->SetBrushColor(item->BackgroundColor);
      ACanvas->FillRect(p);
    }
    TcxRadioButtonImageList* glyphs = cxRadioButtonImageList();
    glyph = cxRadioGlyphRect({p.right - p.left, p.bottom - p.top}, glyphs->GlyphSize(), taRightJustify, true, true);
    OffsetRect(&glyph, p.left, p.top);
    glyphs->Draw(ACanvas, glyph.left, glyph.top, cxRadioGroupGlyphKind(item->Style), item->State, checked, false,
                 IsDesigning);
  }
  RECT text = p;
  text.left = glyph.right + (item->NativeStyle ? 3 : 5);
  text.top -= 1;
  text.bottom += 1;
  if (Font) ACanvas->SetFont(Font);
  ACanvas->Font()->SetColor(TextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->DrawText(item->Caption, text, ItemTextFlags);
  ACanvas->Brush()->SetStyle(bsSolid);
  if (AIndex != FocusedItem) return;
  RECT focus = text;
  ACanvas->CalcTextRect(item->Caption, focus, ItemTextFlags);
  InflateRect(&focus, 1, 1);
  focus.bottom += 1;
  ACanvas->SetBrushColor(item->BackgroundColor);
  ACanvas->DrawFocusRect(focus);
}
