// What every part of the grid shares: its cursors, hit tests and their per-thread registry, and the
// base of every laid-out element (a cell view information) with its short-lived painter.
#pragma once

#include <memory>

#include "cx/foundation/cxControls.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "cx/grid/cxStyles.h"

constexpr int cxGridMaxInt = 0x7FFFFFFF;

constexpr TCursor crGridHorzSize = 4001;
constexpr TCursor crGridVertSize = 4002;
constexpr TCursor crGridRemove = 4003;
constexpr TCursor crGridNoDrop = 4004;
constexpr TCursor crGridDrag = 4005;
constexpr TCursor crGridMultiDrag = 4006;

// Where a view is parked while it must stay alive but unseen.
constexpr int cxGridInvisibleCoordinate = 30000;
// A site posts it to itself to recalculate its size later.
constexpr UINT CM_GRIDSIZECHANGED = WM_USER + 1;

constexpr int htError = -1;
constexpr int htNone = 0;
constexpr int htTab = 50;

// A cell's text stands 2 pixels inside its content on every side.
constexpr int cxGridCellTextOffset = 2;
inline int IncCellTextSize(int ASize) { return ASize + 2 * cxGridCellTextOffset; }

enum TcxGridCellState { gcsNone, gcsSelected, gcsPressed };
TcxButtonState CellStateToButtonState(TcxGridCellState AState);


class TcxCustomGridCellViewInfo;
class TcxCustomGridView;
class TcxCustomGridDragAndDropObject;
using TcxCustomGridDragAndDropObjectClass = TcxDragAndDropObjectClass;

// What lies under a point; one reused instance per class per thread (see GetHitTest).
class TcxCustomGridHitTest : public TObject {
  TRENVIK_CLASS(TcxCustomGridHitTest, TObject);

 public:
  TcxCustomGridHitTest() = default;
  virtual TCursor Cursor() const { return crDefault; }
  virtual TcxDragAndDropObjectClass DragAndDropObjectClass() const { return nullptr; }
  virtual int HitTestCode() const { return htError; }

  POINT Pos{0, 0};
  TcxCustomGridCellViewInfo* ViewInfo = nullptr;
};
using TcxCustomGridHitTestClass = TClass;

class TcxGridNoneHitTest : public TcxCustomGridHitTest {
  TRENVIK_CLASS(TcxGridNoneHitTest, TcxCustomGridHitTest);

 public:
  TcxGridNoneHitTest() = default;
  int HitTestCode() const override { return htNone; }
};

class TcxCustomGridViewHitTest : public TcxCustomGridHitTest {
  TRENVIK_CLASS(TcxCustomGridViewHitTest, TcxCustomGridHitTest);

 public:
  TcxCustomGridViewHitTest() = default;
  TcxCustomGridView* GridView = nullptr;
};

// The registry's instance of AClass with Pos := P; shared, so use it before asking for the next.
TcxCustomGridHitTest* GetGridHitTest(TClass AClass, POINT P);
template <class T>
T* GetGridHitTest(POINT P) {
  return static_cast<T*>(GetGridHitTest(T::StaticClass(), P));
}
void cxGridHitTestsInitialize();
void cxGridHitTestsFinalize();

class TcxCustomGridCellPainter;

// One laid-out element: bounds, borders, text and style parameters, mouse state, painting.
class TcxCustomGridCellViewInfo : public TObject, public IcxMouseCaptureObject, public IcxMouseTrackingCaller {
  TRENVIK_CLASS(TcxCustomGridCellViewInfo, TObject);

 public:
  TcxCustomGridCellViewInfo() = default;
  ~TcxCustomGridCellViewInfo() override;

  RECT Bounds{0, 0, 0, 0};
  const RECT& ContentBounds();
  TcxBorders Borders() { return CalculatedParams().borders; }
  TAlignment AlignmentHorz() { return CalculatedParams().alignmentHorz; }
  TcxAlignmentVert AlignmentVert() { return CalculatedParams().alignmentVert; }
  bool MultiLine() { return CalculatedParams().multiLine; }
  const String& Text() { return CalculatedParams().text; }
  TcxStyleParams& Params() { return CalculatedParams().params; }
  TcxGridCellState State() const { return state_; }
  void SetState(TcxGridCellState Value);
  bool Visible() { return GetVisible(); }
  bool IsDestroying() const { return destroying_; }
  int Width() const { return width_; }
  int Height() const { return Bounds.bottom - Bounds.top; }

  void DoCancelMode() override;
  void MouseLeave() override;

  virtual int CalculateHeight() = 0;
  virtual int CalculateWidth() = 0;
  virtual void Click() {}
  virtual TAlignment GetAlignmentHorz() { return taLeftJustify; }
  virtual TcxAlignmentVert GetAlignmentVert() { return vaTop; }
  virtual RECT GetBorderBounds(TcxBorder ASide);
  virtual TColor GetBorderColor(TcxBorder ASide) = 0;
  virtual TcxBorders GetBorders() { return {}; }
  virtual int GetBorderWidth(TcxBorder ASide) = 0;
  virtual TcxCanvas* GetCanvas() = 0;
  virtual TcxControl* GetControl() { return nullptr; }
  virtual TClass GetHitTestClass() = 0;
  virtual bool HotTrack() { return false; }
  virtual bool IsPopupButton() { return false; }
  bool HasMouseCapture();
  virtual bool GetMultiLine() { return false; }
  virtual bool GetShowEndEllipsis() { return false; }
  virtual String GetText() { return String(); }
  virtual RECT GetTextAreaBounds();
  virtual void GetViewParams(TcxStyleParams&) {}
  virtual bool GetVisible() { return visible_; }
  virtual bool HasHitTestPoint(TcxCustomGridHitTest* AHitTest);
  virtual void InitHitTest(TcxCustomGridHitTest* AHitTest) { AHitTest->ViewInfo = this; }
  void SetMouseCapture(bool AValue);
  virtual void BeforeRecalculation() { calculated_ = false; }
  virtual void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1);
  void CalculateFromRect(const RECT& R) { Calculate(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  virtual TcxCustomGridHitTest* GetHitTest(POINT P);
  virtual void Invalidate();
  virtual bool MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift);
  virtual bool MouseMove(TcxCustomGridHitTest* AHitTest, TShiftState AShift);
  virtual bool MouseUp(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift);
  virtual void Paint(TcxCanvas* ACanvas = nullptr);
  // The cell's painter; none paints nothing.
  virtual std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas);
  // The application's drawing of the cell, or of its background only: whether a handler is
  // assigned, and the handlers, which set ADone when they drew it all.
  virtual bool HasCustomDraw() { return false; }
  virtual void DoCustomDraw(TcxCanvas*, bool&) {}
  virtual bool HasCustomDrawBackground() { return false; }
  virtual void DoCustomDrawBackground(TcxCanvas*, bool&) {}
  // The parameters the cell paints with now, and their replacement.
  virtual void GetCurrentViewParams(TcxStyleParams& AParams) { AParams = Params(); }
  virtual void SetViewParams(const TcxStyleParams& AParams) { Params() = AParams; }

  // The DrawText flags of the cell's text.
  int GetTextAttributes();
  void CalculateParams();
  int TextHeightWithOffset();
  int TextWidthWithOffset();

 protected:
  virtual void AfterCalculateBounds(RECT&) {}
  virtual void BeforeStateChange() {}
  virtual void StateChanged();
  virtual void DoCalculateParams();

 private:
  struct TCalculated {
    TcxBorders borders;
    TAlignment alignmentHorz = taLeftJustify;
    TcxAlignmentVert alignmentVert = vaTop;
    bool multiLine = false;
    String text;
    TcxStyleParams params;
  };
  TCalculated& CalculatedParams() {
    CalculateParams();
    return calc_;
  }

  TCalculated calc_;
  RECT contentBounds_{0, 0, 0, 0};
  TcxGridCellState state_ = gcsNone;
  bool visible_ = true;
  bool calculated_ = false;
  bool calculating_ = false;
  bool destroying_ = false;
  int width_ = 0;
};

// Paints one cell once: background and text in the content, then the borders.
class TcxCustomGridCellPainter {
 public:
  TcxCustomGridCellPainter(TcxCanvas* ACanvas, TcxCustomGridCellViewInfo* AViewInfo)
      : canvas_(ACanvas), viewInfo_(AViewInfo) {}
  virtual ~TcxCustomGridCellPainter() = default;

  TcxCanvas* Canvas() const { return canvas_; }
  TcxCustomGridCellViewInfo* ViewInfo() const { return viewInfo_; }
  void Paint();

 protected:
  virtual void DrawBackground();
  virtual void DrawBorder(TcxBorder ASide);
  virtual void DrawBorders();
  virtual void DrawContent();
  virtual void DrawText();
  virtual bool ExcludeFromClipRect() { return false; }

 private:
  TcxCanvas* canvas_;
  TcxCustomGridCellViewInfo* viewInfo_;
};

void cxGridCursorsInitialize();
void cxGridCursorsFinalize();
