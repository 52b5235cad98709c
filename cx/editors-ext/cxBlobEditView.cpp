// The BLOB edit's view: the icon of the value's kind (filled when it has data) centred in the
// client area, or its short text.
#include "cx/editors-ext/cxBlobEdit.h"
#include "cx/editors/cxEditUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxBlobEditViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxBlobEditViewData)

void TcxBlobEditViewInfo::Assign(TObject* Source) {
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxBlobEditViewInfo*>(Source);
  if (!source) return;
  IconIndex = source->IconIndex;
  IconPosition = source->IconPosition;
  Enabled = source->Enabled;
  ShowFocusFrame = source->ShowFocusFrame;
}

void TcxBlobEditViewInfo::PaintText(TcxCanvas* ACanvas) {
  TCustomImageList* images = cxBlobEditImages();
  if (IconIndex >= 0 && images) {
    std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
    ACanvas->IntersectClipRect(ClientRect);
    images->Draw(ACanvas->Canvas(), IconPosition.x, IconPosition.y, IconIndex, Enabled);
    ACanvas->SetClipRegion(saved.release(), roSet);
  } else if (!Text.empty()) {
    if (Font) ACanvas->SetFont(Font);
    ACanvas->Brush()->SetStyle(bsClear);
    constexpr int kFlags = cxtfLeft | cxtfVertCenter | cxtfSingleLine;
    if (!Enabled) {
      RECT shifted = TextRect;
      OffsetRect(&shifted, 1, 1);
      ACanvas->Font()->SetColor(clBtnHighlight);
      ACanvas->DrawText(Text, shifted, kFlags);
    }
    ACanvas->Font()->SetColor(Selected ? clHighlightText : TextColor);
    ACanvas->DrawText(Text, TextRect, kFlags);
    ACanvas->Brush()->SetStyle(bsSolid);
  }
  if (ShowFocusFrame) {
    RECT focus = ClientRect;
    InflateRect(&focus, -1, -1);
    ACanvas->DrawFocusRect(focus);
  }
}

void TcxBlobEditViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                    TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  inherited::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  if (IsRectEmpty(&ABounds)) return;
  auto* v = static_cast<TcxBlobEditViewInfo*>(AViewInfo);
  v->Enabled = Enabled;
  v->ShowFocusFrame = Focused && !IsInplace();
  if (Edit) PrepareViewInfoValue(ACanvas, Edit->EditValue(), v);
  TCustomImageList* images = cxBlobEditImages();
  if (!images) return;
  const RECT& r = v->ClientRect;
  v->IconPosition = {r.left + (r.right - r.left - images->Width()) / 2,
                     r.top + (r.bottom - r.top - images->Height()) / 2};
}

void TcxBlobEditViewData::PrepareViewInfoValue(TcxCanvas*, const Variant& AEditValue,
                                               TcxCustomEditViewInfo* AViewInfo) {
  auto* v = static_cast<TcxBlobEditViewInfo*>(AViewInfo);
  TcxCustomBlobEditProperties* properties = BlobProperties();
  const TcxBlobEditKind kind = properties->ResolveBlobEditKind();
  if (properties->BlobPaintStyle() != bpsIcon) {
    v->Text = cxGetBlobDisplayText(AEditValue, properties, false);
    v->IconIndex = -1;
    return;
  }
  v->Text.clear();
  v->IconIndex = cxBlobIconIndex(kind, !VarIsNull(AEditValue) && !VarIsEmpty(AEditValue));
}

SIZE TcxBlobEditViewData::GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                         const TcxEditSizeProperties& ASizeProperties) {
  TcxCustomBlobEditProperties* properties = BlobProperties();
  SIZE size = MeasureEditText(ACanvas, this, cxGetBlobDisplayText(AEditValue, properties, false), false,
                              ASizeProperties);
  if (properties->BlobPaintStyle() == bpsIcon && cxBlobEditImages()) size.cx += cxBlobEditImages()->Width();
  return size;
}
