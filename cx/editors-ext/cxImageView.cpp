// The image editor's view: where the picture goes in the client area (stretched to its proportions,
// centred or scrolled), the caption of an empty picture, and the focus frame.
#include <cmath>
#include <memory>

#include "cx/editors-ext/cxImage.h"
#include "platform/forms/Canvas.h"

TRENVIK_IMPLEMENT_CLASS(TcxImageViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxImageViewData)

namespace {

bool IsPictureEmpty(const TPicture* APicture) {
  return !APicture || !APicture->Graphic() || APicture->Graphic()->Empty();
}

RECT CentredIn(const RECT& AOuter, int AWidth, int AHeight) {
  const int left = AOuter.left + (AOuter.right - AOuter.left - AWidth) / 2;
  const int top = AOuter.top + (AOuter.bottom - AOuter.top - AHeight) / 2;
  return {left, top, left + AWidth, top + AHeight};
}

}  // namespace

// --- View info ---

void TcxImageViewInfo::Assign(TObject* Source) {
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxImageViewInfo*>(Source);
  if (!source) return;
  Picture = source->Picture;
  ownPicture_ = source->ownPicture_;
  Caption = source->Caption;
  Center = source->Center;
  Stretch = source->Stretch;
  ShowFocusFrame = source->ShowFocusFrame;
  ScrollOffset = source->ScrollOffset;
}

TPicture* TcxImageViewInfo::OwnPicture() {
  if (!ownPicture_) ownPicture_ = std::make_shared<TPicture>();
  Picture = ownPicture_.get();
  return Picture;
}

RECT TcxImageViewInfo::PictureRect() const {
  const RECT& r = ClientRect;
  const int width = Picture ? Picture->Width() : 0, height = Picture ? Picture->Height() : 0;
  if (Stretch) {
    const RECT fitted = cxFitRectProportionally(r, width, height);
    return Center ? CentredIn(r, fitted.right - fitted.left, fitted.bottom - fitted.top) : fitted;
  }
  if (Center) return CentredIn(r, width, height);
  return {r.left - ScrollOffset.x, r.top - ScrollOffset.y, r.left - ScrollOffset.x + width,
          r.top - ScrollOffset.y + height};
}

void TcxImageViewInfo::Paint(TcxCanvas* ACanvas) {
  RECT r = ClientRect;
  if (IsPictureEmpty(Picture)) {
    inherited::Paint(ACanvas);
    ACanvas->SetBrushColor(BackgroundColor);
    ACanvas->FillRect(r);
    if (!Caption.empty()) {
      if (Font) ACanvas->SetFont(Font);
      ACanvas->Font()->SetColor(TextColor);
      ACanvas->Brush()->SetStyle(bsClear);
      ACanvas->DrawText(Caption, r, cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine);
      ACanvas->Brush()->SetStyle(bsSolid);
    }
    if (ShowFocusFrame) ACanvas->FrameRect(r, clBlack);
    return;
  }
  const RECT picture = PictureRect();
  std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
  ACanvas->ExcludeClipRect(r);
  inherited::Paint(ACanvas);
  ACanvas->SetClipRegion(saved.release(), roSet);
  saved.reset(ACanvas->GetClipRegion());
  if (ShowFocusFrame) {
    ACanvas->FrameRect(r, clBlack);
    InflateRect(&r, -1, -1);
  }
  ACanvas->IntersectClipRect(r);
  ACanvas->Canvas()->StretchDraw(picture, Picture->Graphic());
  // What the picture leaves of the client area shows the background.
  ACanvas->ExcludeClipRect(picture);
  ACanvas->SetBrushColor(BackgroundColor);
  ACanvas->FillRect(r);
  ACanvas->SetClipRegion(saved.release(), roSet);
}

// --- View data ---

void TcxImageViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  inherited::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  if (IsRectEmpty(&ABounds)) return;
  auto* v = static_cast<TcxImageViewInfo*>(AViewInfo);
  TcxCustomImageProperties* properties = ImageProperties();
  v->Caption = properties->Caption();
  v->Center = properties->Center();
  v->Stretch = properties->Stretch();
  v->Font = Style()->Font();
  v->ShowFocusFrame = properties->ShowFocusRect() && Focused && !IsInplace();
  if (auto* image = dynamic_cast<TcxCustomImage*>(Edit)) {
    v->Picture = image->Picture();
    v->ScrollOffset = image->ScrollOffset();
  }
  if (v->Center || v->Stretch) v->ScrollOffset = {};
}

void TcxImageViewData::PrepareViewInfoValue(TcxCanvas*, const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) {
  auto* v = static_cast<TcxImageViewInfo*>(AViewInfo);
  // A stand-alone editor shows its own picture.
  if (dynamic_cast<TcxCustomImage*>(Edit)) return;
  TcxCustomImageProperties* properties = ImageProperties();
  if ((!properties->GraphicClass() && IsDesigning) || !VarIsStr(AEditValue)) {
    v->Picture = nullptr;
    return;
  }
  TPicture* picture = v->OwnPicture();
  cxPictureFromValue(picture, properties->GraphicClass(), AEditValue);
  if (picture->Graphic() && properties->GraphicTransparency() != gtDefault)
    picture->Graphic()->SetTransparent(properties->GraphicTransparency() == gtTransparent);
}

SIZE TcxImageViewData::GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                      const TcxEditSizeProperties& ASizeProperties) {
  TcxCustomImageProperties* properties = ImageProperties();
  if (!IsInplace()) {
    auto* image = dynamic_cast<TcxCustomImage*>(Edit);
    return image ? SIZE{image->Picture()->Width(), image->Picture()->Height()} : SIZE{0, 0};
  }
  SIZE size{0, properties->DefaultContentHeight()};
  if (!VarIsStr(AEditValue)) {
    if (!properties->Caption().empty()) {
      ACanvas->SetFont(Style()->Font());
      size = ACanvas->TextExtent(properties->Caption());
    }
    return size;
  }
  if (!properties->GraphicClass() && IsDesigning) return size;
  TPicture picture;
  cxPictureFromValue(&picture, properties->GraphicClass(), AEditValue);
  size = {picture.Width(), picture.Height()};
  if (properties->Stretch() && ASizeProperties.Width > 0 && size.cx > 0)
    size = {ASizeProperties.Width,
            static_cast<int>(std::lround(static_cast<double>(size.cy) * ASizeProperties.Width / size.cx))};
  return size;
}
