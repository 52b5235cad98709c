#include "platform/forms/Canvas.h"

#include "platform/forms/Graphic.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/Exceptions.h"

UINT TextFormatToDrawTextFlags(TTextFormat Format) {
  static constexpr UINT kFlags[] = {
      DT_BOTTOM,     DT_CALCRECT,        DT_CENTER,     DT_EDITCONTROL,  DT_END_ELLIPSIS, DT_PATH_ELLIPSIS,
      DT_EXPANDTABS, DT_EXTERNALLEADING, DT_LEFT,       DT_MODIFYSTRING, DT_NOCLIP,       DT_NOPREFIX,
      DT_RIGHT,      DT_RTLREADING,      DT_SINGLELINE, DT_TOP,          DT_VCENTER,      DT_WORDBREAK};
  UINT flags = 0;
  for (int i = tfBottom; i <= tfWordBreak; ++i)
    if (Format.Contains(static_cast<TTextFormats>(i))) flags |= kFlags[i];
  return flags;
}

TRENVIK_IMPLEMENT_CLASS(TCanvas)

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  font_->OnChange = [this](TObject* s) { FontChanged(s); };
  pen_->OnChange = [this](TObject* s) { PenChanged(s); };
  brush_->OnChange = [this](TObject* s) { BrushChanged(s); };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

// Code that draws straight on the handle expects the canvas's font, pen and brush selected in it.
HDC TCanvas::Handle() {
  RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
  return handle_;
}

void TCanvas::SetHandle(HDC Value) {
  if (handle_ == Value) return;
  if (handle_) {
    DeselectHandles();
    POINT p;
    if (GetCurrentPositionEx(handle_, &p)) penPos_ = p;
    handle_ = nullptr;
    state_.Exclude(csHandleValid);
  }
  if (Value) {
    state_.Include(csHandleValid);
    handle_ = Value;
    MoveToEx(handle_, penPos_.x, penPos_.y, nullptr);
  }
}

void TCanvas::DeselectHandles() {
  if (!handle_ || (state_ - TCanvasState{csHandleValid}).Empty()) return;
  SelectObject(handle_, GetStockObject(BLACK_PEN));
  SelectObject(handle_, GetStockObject(HOLLOW_BRUSH));
  SelectObject(handle_, GetStockObject(SYSTEM_FONT));
  state_ -= TCanvasState{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  const TCanvasState needed = ReqState - state_;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!handle_) throw EInvalidOperation("Canvas does not allow drawing");
    state_.Include(csHandleValid);
  }
  if (needed.Contains(csFontValid)) CreateFont();
  if (needed.Contains(csPenValid)) CreatePen();
  if (needed.Contains(csBrushValid)) CreateBrush();
  state_ += needed;
}

void TCanvas::CreateFont() {
  SelectObject(handle_, font_->Handle());
  SetTextColor(handle_, ColorToColorRef(font_->Color()));
}

void TCanvas::CreatePen() {
  SelectObject(handle_, pen_->Handle());
  SetROP2(handle_, PenModeToRop2(pen_->Mode()));
}

void TCanvas::CreateBrush() {
  SelectObject(handle_, brush_->Handle());
  const COLORREF color = ColorToColorRef(brush_->Color());
  if (brush_->Style() == bsSolid) {
    SetBkColor(handle_, color);
    SetBkMode(handle_, OPAQUE);
  } else {
    // Hatches and clear brushes leave the background as it is.
    SetBkColor(handle_, ~color & 0xFFFFFF);
    SetBkMode(handle_, TRANSPARENT);
  }
}

void TCanvas::FontChanged(TObject*) {
  if (state_.Contains(csFontValid)) {
    state_.Exclude(csFontValid);
    SelectObject(handle_, GetStockObject(SYSTEM_FONT));
  }
}

void TCanvas::PenChanged(TObject*) {
  if (state_.Contains(csPenValid)) {
    state_.Exclude(csPenValid);
    SelectObject(handle_, GetStockObject(BLACK_PEN));
  }
}

void TCanvas::BrushChanged(TObject*) {
  if (state_.Contains(csBrushValid)) {
    state_.Exclude(csBrushValid);
    SelectObject(handle_, GetStockObject(HOLLOW_BRUSH));
  }
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

POINT TCanvas::PenPos() {
  RequiredState({csHandleValid});
  POINT p;
  GetCurrentPositionEx(handle_, &p);
  return p;
}

RECT TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  RECT r;
  GetClipBox(handle_, &r);
  return r;
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState({csHandleValid});
  MoveToEx(handle_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(handle_, X, Y);
  Changed();
}

void TCanvas::Polyline(const POINT* Points, int Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(handle_, Points, Count);
  Changed();
}

void TCanvas::Polygon(const POINT* Points, int Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(handle_, Points, Count);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(handle_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(handle_, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(handle_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(handle_, &Rect, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(handle_, &Rect, brush_->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(handle_, &Rect);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOut(handle_, X, Y, 0, nullptr, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  MoveToEx(handle_, X + TextExtent(Text).cx, Y, nullptr);
  Changed();
}

void TCanvas::TextRect(const RECT& Rect, int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED;
  if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOut(handle_, X, Y, options, &Rect, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(RECT& Rect, String& Text, TTextFormat TextFormat) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  const UINT flags = TextFormatToDrawTextFlags(TextFormat);
  // DT_MODIFYSTRING may write up to four units more than the text (the ellipsis).
  std::u16string buffer = Text;
  buffer.append(5, u'\0');
  DrawTextEx(handle_, buffer.data(), static_cast<int>(Text.size()), &Rect, flags, nullptr);
  if (flags & DT_MODIFYSTRING) Text = String(buffer.c_str());
  Changed();
}

SIZE TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  SIZE s;
  GetTextExtentPoint32(handle_, Text.c_str(), static_cast<int>(Text.size()), &s);
  return s;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(handle_, ColorToColorRef(brush_->Color()));
  Graphic->Draw(this, RECT{X, Y, X + Graphic->Width(), Y + Graphic->Height()});
  Changed();
}

void TCanvas::StretchDraw(const RECT& Rect, TGraphic* Graphic) {
  if (!Graphic) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const RECT& Dest, TCanvas* Canvas, const RECT& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(handle_, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, Canvas->handle_,
             Source.left, Source.top, Source.right - Source.left, Source.bottom - Source.top,
             static_cast<DWORD>(copyMode_));
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(GetPixel(handle_, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  SetPixel(handle_, X, Y, ColorToColorRef(Value));
  Changed();
}

void TCanvas::Lock() {
  lock_.lock();
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  lock_.unlock();
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock()) return false;
  ++lockCount_;
  return true;
}

void TCanvas::Refresh() { DeselectHandles(); }
