// The cx family's drawing surface: a canvas wrapper with frames on chosen sides, bevels, text with
// the family's flags, measuring inside a rectangle and clipping through region objects.
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/classes/Set.h"
#include "platform/forms/Graphics.h"
#include "platform/gdi/Gdi.h"

enum TcxBorder { bLeft, bTop, bRight, bBottom };
// As a bit mask: left 1, top 2, right 4, bottom 8.
using TcxBorders = Set<TcxBorder>;
constexpr TcxBorders cxBordersAll = {bLeft, bTop, bRight, bBottom};

enum TcxRegionOperation { roSet, roAdd, roSubtract, roIntersect };

// Text flags of the family (combinable bits).
constexpr int cxtfLeft = 1;
constexpr int cxtfRight = 2;
constexpr int cxtfHorzCenter = 4;
constexpr int cxtfTop = 8;
constexpr int cxtfBottom = 16;
constexpr int cxtfVertCenter = 32;
constexpr int cxtfSingleLine = 64;
constexpr int cxtfNoClip = 128;
constexpr int cxtfExpandTabs = 256;
constexpr int cxtfShowPrefix = 512;
constexpr int cxtfWordBreak = 1024;
constexpr int cxtfEndEllipsis = 2048;
constexpr int cxtfCalcRect = 4096;

// The platform DrawText flags of a combination of text flags (DT_NOPREFIX unless cxtfShowPrefix).
UINT cxTextFlagsToDrawTextFlags(int AFlags);

// A region handle owned by the object.
class TcxRegion : public TObject {
  TRENVIK_CLASS(TcxRegion, TObject);

 public:
  // Takes ownership of AHandle.
  explicit TcxRegion(HRGN AHandle);
  explicit TcxRegion(const RECT& ARect);
  TcxRegion(int ALeft, int ATop, int ARight, int ABottom);
  // The empty rectangle (0, 0, 0, 0).
  TcxRegion();
  ~TcxRegion() override;

  static TcxRegion* CreateFromRect(const RECT& ARect) { return new TcxRegion(ARect); }
  static TcxRegion* CreateFromBounds(int ALeft, int ATop, int ARight, int ABottom) {
    return new TcxRegion(ALeft, ATop, ARight, ABottom);
  }
  static TcxRegion* CreateEmpty() { return new TcxRegion(); }

  HRGN Handle() const { return handle_; }
  bool IsEmpty() const;
  // Combines ARegion into this region (roSet copies it); frees ARegion when ADestroyRegion is true.
  void Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true);

 private:
  HRGN handle_ = nullptr;
};

class TcxCanvas : public TObject {
  TRENVIK_CLASS(TcxCanvas, TObject);

 public:
  // ACanvas stays the caller's.
  explicit TcxCanvas(TCanvas* ACanvas);

  TCanvas* Canvas() const { return canvas_; }
  void SetCanvas(TCanvas* Value) { canvas_ = Value; }
  TBrush* Brush() const { return canvas_->Brush(); }
  TFont* Font() const { return canvas_->Font(); }
  void SetFont(TFont* Value) { canvas_->SetFont(Value); }
  TPen* Pen() const { return canvas_->Pen(); }
  // The device context, with handle, font, pen and brush realised.
  HDC Handle();

  // --- Drawing ---
  void SetPixel(int X, int Y, TColor AColor);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polygon(const std::vector<POINT>& APoints);
  void Polygon(std::initializer_list<POINT> APoints) { Polygon(std::vector<POINT>(APoints)); }
  void Polyline(const std::vector<POINT>& APoints);
  void Polyline(std::initializer_list<POINT> APoints) { Polyline(std::vector<POINT>(APoints)); }
  // With the current brush.
  void FillRect(const RECT& R);
  void CopyCanvasRect(const RECT& ADest, TCanvas* ASourceCanvas, const RECT& ASource);
  void DrawGraphic(int X, int Y, TGraphic* AGraphic);
  // Changes the brush colour only when it differs, so an unchanged colour keeps the brush.
  void SetBrushColor(TColor Value);
  // ALineWidth pixels on each chosen side, inside R; clDefault keeps the current brush colour.
  void FrameRect(const RECT& R, TColor AColor, int ALineWidth = 1, TcxBorders ABorders = cxBordersAll);
  // Left and top sides in ALeftTopColor, right and bottom in ARightBottomColor (they own the corners
  // but the top-left one).
  void DrawTwoColorFrame(const RECT& R, TColor ALeftTopColor, TColor ARightBottomColor,
                         TcxBorders ABorders = cxBordersAll, int ALineWidth = 1);
  // A one-pixel bevel in the 3-D system colours.
  void DrawBevelFrame(const RECT& R, bool ASunken, bool AOuter, TcxBorders ABorders = cxBordersAll);
  void DrawFocusRect(const RECT& R);
  void InvertRect(const RECT& R);
  // Text with cxtf* flags; AEnabled false draws the embossed disabled look.
  void DrawText(const String& AText, const RECT& R, int AFlags, bool AEnabled = true);

  // --- Measuring ---
  SIZE TextExtent(const String& AText);
  int TextWidth(const String& AText) { return TextExtent(AText).cx; }
  int TextHeight(const String& AText) { return TextExtent(AText).cy; }
  // Assigns AFont to the canvas, then the height of "Qq".
  int FontHeight(TFont* AFont);
  // The rectangle the text needs, placed inside R by the alignment flags.
  void CalcTextRect(const String& AText, RECT& R, int AFlags);

  // --- Clipping ---
  void ExcludeClipRect(const RECT& R);
  void IntersectClipRect(const RECT& R);
  bool RectVisible(const RECT& R);
  // A new region the caller frees; (0, 0, 107374182, 107374182) when the context has no clipping.
  TcxRegion* GetClipRegion();
  // Frees ARegion afterwards when ADestroyRegion is true.
  void SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true);

 private:
  TCanvas* canvas_;
};

// A canvas on the screen's device context: taken with GetDC(0) when first needed, released when
// the canvas goes.
class TScreenCanvas : public TCanvas {
  TRENVIK_CLASS(TScreenCanvas, TCanvas);

 public:
  TScreenCanvas() = default;
  ~TScreenCanvas() override;
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  HDC dc_ = nullptr;
};

// A TcxCanvas over its own TScreenCanvas, for measuring while a control has no window.
class TcxScreenCanvas : public TcxCanvas {
  TRENVIK_CLASS(TcxScreenCanvas, TcxCanvas);

 public:
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
};

// Fixed blends of clBtnFace, clHighlight and clWindow (the nearest colours the screen shows): the
// ultra-flat look's pressed and hot colours.
TColor cxHighlightTintColor();
TColor cxFaceTintColor();
TColor cxGetNearestColor(TColor AColor);
