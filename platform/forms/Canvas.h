// The canvas: drawing with a font, a pen and a brush on a device context.
#pragma once

#include <atomic>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/forms/GraphicsObjects.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Text.h"

class TGraphic;

TRENVIK_ENUM(TCanvasStates, csHandleValid, csFontValid, csPenValid, csBrushValid);
using TCanvasState = Set<TCanvasStates>;

using TCopyMode = Integer;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// The format flags of TextRect, each one DrawText flag.
TRENVIK_ENUM(TTextFormats, tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis,
             tfExpandTabs, tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight,
             tfRtlReading, tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak);
using TTextFormat = Set<TTextFormats>;
UINT TextFormatToDrawTextFlags(TTextFormat Format);

class TCanvas : public TPersistent {
  TRENVIK_CLASS(TCanvas, TPersistent);

 public:
  TCanvas();
  ~TCanvas() override;

  // The device context; a canvas without one asks CreateHandle and raises EInvalidOperation
  // "Canvas does not allow drawing" when it still has none. The font, pen and brush are selected
  // into it on the first drawing call that needs them.
  HDC Handle();
  // Lends the canvas a device context it does not own (nullptr takes it back: the canvas's
  // objects are deselected first).
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* Value) { pen_->Assign(Value); }
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* Value) { brush_->Assign(Value); }
  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
  POINT PenPos();
  void SetPenPos(POINT Value) { MoveTo(Value.x, Value.y); }
  // What can be drawn on, in logical coordinates.
  RECT ClipRect();
  TCanvasState State() const { return state_; }

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(const POINT* Points, int Count);
  void Polyline(std::initializer_list<POINT> Points) {
    Polyline(Points.begin(), static_cast<int>(Points.size()));
  }
  void Polyline(const std::vector<POINT>& Points) {
    Polyline(Points.data(), static_cast<int>(Points.size()));
  }
  void Polygon(const POINT* Points, int Count);
  void Polygon(std::initializer_list<POINT> Points) {
    Polygon(Points.begin(), static_cast<int>(Points.size()));
  }
  void Polygon(const std::vector<POINT>& Points) { Polygon(Points.data(), static_cast<int>(Points.size())); }
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const RECT& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const RECT& Rect) { Ellipse(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  // With the brush.
  void FillRect(const RECT& Rect);
  void FrameRect(const RECT& Rect);
  void DrawFocusRect(const RECT& Rect);

  // Text in the font's colour; the background is the brush colour, or left as it is when the
  // brush style is not bsSolid. TextOut moves the pen position to the end of the text.
  void TextOut(int X, int Y, const String& Text);
  // Clipped to Rect; an opaque brush fills Rect first.
  void TextRect(const RECT& Rect, int X, int Y, const String& Text);
  // Through DrawText with the format's flags; tfCalcRect only measures (into Rect), tfModifyString
  // puts the shortened text back into Text.
  void TextRect(RECT& Rect, String& Text, TTextFormat TextFormat);
  SIZE TextExtent(const String& Text);
  int TextWidth(const String& Text) { return TextExtent(Text).cx; }
  int TextHeight(const String& Text) { return TextExtent(Text).cy; }

  // The graphic at its own size with its top-left corner at (X, Y); nothing for an empty one.
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const RECT& Rect, TGraphic* Graphic);
  // StretchBlt from another canvas with CopyMode.
  void CopyRect(const RECT& Dest, TCanvas* Canvas, const RECT& Source);

  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);

  // Serialise this canvas's use between threads: Lock waits, TryLock does not. That is all the
  // lock gives: the drawing layer below is safe for several threads at once, but a window's device
  // context belongs to the user-interface thread, so another thread draws on a bitmap's canvas (or
  // any canvas on a memory DC) and hands the bitmap over.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }

  // Deselects the font, pen and brush: the next drawing selects them again.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Called before and after each drawing operation.
  virtual void Changing();
  virtual void Changed();
  // Asked for a device context when the canvas has none.
  virtual void CreateHandle() {}
  void RequiredState(TCanvasState ReqState);

 private:
  void DeselectHandles();
  void CreateFont();
  void CreatePen();
  void CreateBrush();
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  HDC handle_ = nullptr;
  TCanvasState state_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  POINT penPos_;
  TCopyMode copyMode_ = cmSrcCopy;
  std::recursive_mutex lock_;
  std::atomic<int> lockCount_ = 0;
};
