#include "cx/foundation/cxGraphics.h"

#include <algorithm>

#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxRegion)
TRENVIK_IMPLEMENT_CLASS(TcxCanvas)
TRENVIK_IMPLEMENT_CLASS(TScreenCanvas)
TRENVIK_IMPLEMENT_CLASS(TcxScreenCanvas)

namespace {

// The rectangle that stands for "no clipping".
constexpr int cxMaxRegionSize = 107374182;

// Reaches the canvas's protected RequiredState through a member pointer (no cast of the object).
struct TCanvasAccess : TCanvas {
  static void Realize(TCanvas* ACanvas, TCanvasState AState) {
    (ACanvas->*(&TCanvasAccess::RequiredState))(AState);
  }
};

int HorzBits(int AFlags) { return AFlags & (cxtfLeft | cxtfRight | cxtfHorzCenter); }
int VertBits(int AFlags) { return AFlags & (cxtfTop | cxtfBottom | cxtfVertCenter); }

}  // namespace

UINT cxTextFlagsToDrawTextFlags(int AFlags) {
  UINT result = DT_NOPREFIX;
  if (AFlags & cxtfRight) result |= DT_RIGHT;
  if (AFlags & cxtfHorzCenter) result |= DT_CENTER;
  if (AFlags & cxtfBottom) result |= DT_BOTTOM;
  if (AFlags & cxtfVertCenter) result |= DT_VCENTER;
  if (AFlags & cxtfSingleLine) result |= DT_SINGLELINE;
  if (AFlags & cxtfNoClip) result |= DT_NOCLIP;
  if (AFlags & cxtfExpandTabs) result |= DT_EXPANDTABS;
  if (AFlags & cxtfShowPrefix) result &= ~DT_NOPREFIX;
  if (AFlags & cxtfWordBreak) result |= DT_WORDBREAK | DT_EDITCONTROL;
  if (AFlags & cxtfEndEllipsis) result |= DT_END_ELLIPSIS;
  if (AFlags & cxtfCalcRect) result |= DT_CALCRECT;
  return result;
}

// --- TcxRegion ---

TcxRegion::TcxRegion(HRGN AHandle) : handle_(AHandle) {}
TcxRegion::TcxRegion(const RECT& ARect) : TcxRegion(CreateRectRgnIndirect(&ARect)) {}
TcxRegion::TcxRegion(int ALeft, int ATop, int ARight, int ABottom)
    : TcxRegion(CreateRectRgn(ALeft, ATop, ARight, ABottom)) {}
TcxRegion::TcxRegion() : TcxRegion(0, 0, 0, 0) {}

TcxRegion::~TcxRegion() {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
}

bool TcxRegion::IsEmpty() const {
  RECT r;
  return GetRgnBox(handle_, &r) == NULLREGION;
}

void TcxRegion::Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion) {
  static const int modes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};
  if (AOperation == roSet)
    CombineRgn(handle_, ARegion->Handle(), nullptr, RGN_COPY);
  else
    CombineRgn(handle_, handle_, ARegion->Handle(), modes[AOperation]);
  // A region combined with itself is never freed under the caller.
  if (ADestroyRegion && ARegion != this) delete ARegion;
}

// --- TcxCanvas ---

TcxCanvas::TcxCanvas(TCanvas* ACanvas) : canvas_(ACanvas) {}

HDC TcxCanvas::Handle() {
  TCanvasAccess::Realize(canvas_, {csHandleValid, csFontValid, csPenValid, csBrushValid});
  return canvas_->Handle();
}

void TcxCanvas::SetPixel(int X, int Y, TColor AColor) { canvas_->SetPixels(X, Y, AColor); }
void TcxCanvas::MoveTo(int X, int Y) { canvas_->MoveTo(X, Y); }
void TcxCanvas::LineTo(int X, int Y) { canvas_->LineTo(X, Y); }
void TcxCanvas::Polygon(const std::vector<POINT>& APoints) { canvas_->Polygon(APoints); }
void TcxCanvas::Polyline(const std::vector<POINT>& APoints) { canvas_->Polyline(APoints); }
void TcxCanvas::FillRect(const RECT& R) { canvas_->FillRect(R); }

void TcxCanvas::CopyCanvasRect(const RECT& ADest, TCanvas* ASourceCanvas, const RECT& ASource) {
  canvas_->CopyRect(ADest, ASourceCanvas, ASource);
}

void TcxCanvas::DrawGraphic(int X, int Y, TGraphic* AGraphic) { canvas_->Draw(X, Y, AGraphic); }

void TcxCanvas::SetBrushColor(TColor Value) {
  if (Brush()->Color() != Value) Brush()->SetColor(Value);
}

void TcxCanvas::FrameRect(const RECT& R, TColor AColor, int ALineWidth, TcxBorders ABorders) {
  if (AColor != clDefault) SetBrushColor(AColor);
  if (ABorders.Contains(bLeft)) FillRect({R.left, R.top, R.left + ALineWidth, R.bottom});
  if (ABorders.Contains(bRight)) FillRect({R.right - ALineWidth, R.top, R.right, R.bottom});
  if (ABorders.Contains(bTop)) FillRect({R.left, R.top, R.right, R.top + ALineWidth});
  if (ABorders.Contains(bBottom)) FillRect({R.left, R.bottom - ALineWidth, R.right, R.bottom});
}

void TcxCanvas::DrawTwoColorFrame(const RECT& R, TColor ALeftTopColor, TColor ARightBottomColor,
                                  TcxBorders ABorders, int ALineWidth) {
  // Later strips cover earlier ones: the right-bottom colour owns three corners.
  if (ABorders.Contains(bLeft)) FrameRect(R, ALeftTopColor, ALineWidth, {bLeft});
  if (ABorders.Contains(bTop)) FrameRect(R, ALeftTopColor, ALineWidth, {bTop});
  if (ABorders.Contains(bRight)) FrameRect(R, ARightBottomColor, ALineWidth, {bRight});
  if (ABorders.Contains(bBottom)) FrameRect(R, ARightBottomColor, ALineWidth, {bBottom});
}

void TcxCanvas::DrawBevelFrame(const RECT& R, bool ASunken, bool AOuter, TcxBorders ABorders) {
  TColor leftTop, rightBottom;
  if (ASunken) {
    leftTop = AOuter ? clBtnShadow : cl3DDkShadow;
    rightBottom = AOuter ? clBtnHighlight : cl3DLight;
  } else {
    leftTop = AOuter ? cl3DLight : clBtnHighlight;
    rightBottom = AOuter ? cl3DDkShadow : clBtnShadow;
  }
  DrawTwoColorFrame(R, leftTop, rightBottom, ABorders, 1);
}

void TcxCanvas::DrawFocusRect(const RECT& R) {
  Font()->SetColor(clBlack);
  SetBrushColor(clWhite);
  TCanvasAccess::Realize(canvas_, {csHandleValid, csFontValid});
  canvas_->DrawFocusRect(R);
}

void TcxCanvas::InvertRect(const RECT& R) {
  canvas_->SetCopyMode(cmDstInvert);
  canvas_->CopyRect(R, canvas_, R);
  canvas_->SetCopyMode(cmSrcCopy);
}

void TcxCanvas::DrawText(const String& AText, const RECT& R, int AFlags, bool AEnabled) {
  if (AText.empty()) return;
  RECT r = R;
  const int disabledShift = AEnabled ? 0 : 1;
  const bool useDrawText =
      !(AFlags & cxtfSingleLine) || (AFlags & cxtfShowPrefix) || (AFlags & cxtfEndEllipsis);
  const SIZE extent = TextExtent(AText);
  if (r.right - r.left > extent.cx && r.bottom - r.top > extent.cy) AFlags |= cxtfNoClip;

  UINT drawTextFlags = 0, textOutOptions = 0;
  if (useDrawText) {
    // The platform centres and bottom-aligns single lines only.
    if (!(AFlags & cxtfSingleLine) && (AFlags & (cxtfBottom | cxtfVertCenter))) {
      RECT calc = {0, 0, r.right - r.left - disabledShift, 0};
      CalcTextRect(AText, calc, AFlags);
      const int h = calc.bottom - calc.top;
      if (AFlags & cxtfBottom)
        r.top = r.bottom - h - disabledShift;
      else
        r.top = (r.top + r.bottom - h) / 2;
    }
    drawTextFlags = cxTextFlagsToDrawTextFlags(AFlags);
  } else {
    if (r.right - r.left > extent.cx) {
      if (HorzBits(AFlags) == cxtfRight)
        r.left = r.right - extent.cx - disabledShift;
      else if (HorzBits(AFlags) == cxtfHorzCenter)
        r.left = (r.left + r.right - extent.cx) / 2;
    }
    if (r.bottom - r.top > extent.cy) {
      if (VertBits(AFlags) == cxtfBottom)
        r.top = r.bottom - extent.cy - disabledShift;
      else if (VertBits(AFlags) == cxtfVertCenter)
        r.top = (r.top + r.bottom - extent.cy) / 2;
    }
    textOutOptions = (AFlags & cxtfNoClip) ? 0 : ETO_CLIPPED;
  }

  auto output = [&](const RECT& at) {
    const HDC dc = Handle();
    if (useDrawText) {
      RECT copy = at;
      ::DrawText(dc, AText, &copy, drawTextFlags);
    } else {
      ExtTextOut(dc, at.left, at.top, textOutOptions, &at, AText.c_str(), static_cast<UINT>(AText.size()),
                 nullptr);
    }
  };

  const TBrushStyle brushStyle = Brush()->Style();
  const TColor fontColor = Font()->Color();
  if (!AEnabled) {
    OffsetRect(&r, 1, 1);
    Brush()->SetStyle(bsClear);
    Font()->SetColor(clBtnHighlight);
    output(r);
    OffsetRect(&r, -1, -1);
    Font()->SetColor(clBtnShadow);
    output(r);
  } else {
    output(r);
  }
  if (Brush()->Style() != brushStyle) Brush()->SetStyle(brushStyle);
  Font()->SetColor(fontColor);
}

SIZE TcxCanvas::TextExtent(const String& AText) {
  const HDC dc = Handle();
  SIZE size{0, 0};
  GetTextExtentPoint(dc, AText.c_str(), static_cast<int>(AText.size()), &size);
  return size;
}

int TcxCanvas::FontHeight(TFont* AFont) {
  SetFont(AFont);
  return TextHeight(u"Qq");
}

void TcxCanvas::CalcTextRect(const String& AText, RECT& R, int AFlags) {
  const int w0 = R.right - R.left, h0 = R.bottom - R.top;
  ::DrawText(Handle(), AText, &R, (cxTextFlagsToDrawTextFlags(AFlags) & ~DT_VCENTER) | DT_CALCRECT);
  const int w1 = R.right - R.left, h1 = R.bottom - R.top;
  int dx = 0, dy = 0;
  if (AFlags & cxtfHorzCenter)
    dx = (w0 - w1) / 2;
  else if (AFlags & cxtfRight)
    dx = w0 - w1;
  if (AFlags & cxtfVertCenter)
    dy = (h0 - h1) / 2;
  else if (AFlags & cxtfBottom)
    dy = h0 - h1;
  OffsetRect(&R, dx, dy);
}

void TcxCanvas::ExcludeClipRect(const RECT& R) {
  ::ExcludeClipRect(Handle(), R.left, R.top, R.right, R.bottom);
}

void TcxCanvas::IntersectClipRect(const RECT& R) {
  ::IntersectClipRect(Handle(), R.left, R.top, R.right, R.bottom);
}

bool TcxCanvas::RectVisible(const RECT& R) { return ::RectVisible(Handle(), &R); }

TcxRegion* TcxCanvas::GetClipRegion() {
  auto* result = new TcxRegion();
  if (GetClipRgn(Handle(), result->Handle()) != 1)
    SetRectRgn(result->Handle(), 0, 0, cxMaxRegionSize, cxMaxRegionSize);
  return result;
}

void TcxCanvas::SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion) {
  if (AOperation == roSet) {
    SelectClipRgn(Handle(), ARegion->Handle());
  } else {
    TcxRegion* current = GetClipRegion();
    current->Combine(ARegion, AOperation, false);
    SetClipRegion(current, roSet, true);
  }
  if (ADestroyRegion) delete ARegion;
}

// --- Screen canvases ---

TScreenCanvas::~TScreenCanvas() { FreeHandle(); }

void TScreenCanvas::CreateHandle() {
  dc_ = GetDC(nullptr);
  SetHandle(dc_);
}

void TScreenCanvas::FreeHandle() {
  if (!dc_) return;
  SetHandle(nullptr);
  ReleaseDC(nullptr, dc_);
  dc_ = nullptr;
}

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(new TScreenCanvas) {}

TcxScreenCanvas::~TcxScreenCanvas() { delete Canvas(); }

// --- Colours ---

TColor cxGetNearestColor(TColor AColor) {
  const HDC dc = GetDC(nullptr);
  const TColor result = static_cast<TColor>(GetNearestColor(dc, ColorToColorRef(AColor)));
  ReleaseDC(nullptr, dc);
  return result;
}

namespace {

TColor BlendSystemColors(int AFacePercent, int AHighlightPercent, int AWindowPercent) {
  const COLORREF face = ColorToColorRef(clBtnFace);
  const COLORREF highlight = ColorToColorRef(clHighlight);
  const COLORREF window = ColorToColorRef(clWindow);
  if (face == 0 || face == 0xFFFFFF) return cxGetNearestColor(static_cast<TColor>(highlight));
  auto channel = [&](int shift) {
    const int f = (face >> shift) & 0xFF, h = (highlight >> shift) & 0xFF, w = (window >> shift) & 0xFF;
    const int v =
        MulDiv(f, AFacePercent, 100) + MulDiv(h, AHighlightPercent, 100) + MulDiv(w, AWindowPercent, 100);
    return static_cast<COLORREF>(std::clamp(v, 0, 255)) << shift;
  };
  return cxGetNearestColor(static_cast<TColor>(channel(0) | channel(8) | channel(16)));
}

}  // namespace

TColor cxHighlightTintColor() { return BlendSystemColors(14, 44, 40); }
TColor cxFaceTintColor() { return BlendSystemColors(-2, 30, 72); }
