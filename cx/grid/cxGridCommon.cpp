#include "cx/grid/cxGridCommon.h"

#include <array>
#include <map>

#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridNoneHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridViewHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridCellViewInfo)

TcxButtonState CellStateToButtonState(TcxGridCellState AState) {
  switch (AState) {
    case gcsSelected:
      return cxbsHot;
    case gcsPressed:
      return cxbsPressed;
    default:
      return cxbsNormal;
  }
}

// --- Hit-test registry ---

namespace {

using THitTests = std::map<TClass, std::unique_ptr<TcxCustomGridHitTest>>;
// Only the thread that started the module has a registry.
thread_local std::unique_ptr<THitTests> t_hitTests;

constexpr std::array<const Char*, 6> kCursorNames = {
    u"CXGRID_HORZSIZECURSOR", u"CXGRID_VERTSIZECURSOR", u"CXGRID_REMOVECURSOR",
    u"CXGRID_NODROPCURSOR",   u"CXGRID_DRAG",           u"CXGRID_MULTIDRAG"};

}  // namespace

TcxCustomGridHitTest* GetGridHitTest(TClass AClass, POINT P) {
  if (!t_hitTests) throw EInvalidOperation(S("Grid hit tests are not available on this thread"));
  auto& slot = (*t_hitTests)[AClass];
  if (!slot) {
    slot.reset(dynamic_cast<TcxCustomGridHitTest*>(AClass->NewInstance()));
    if (!slot) throw EInvalidCast(S("Invalid class typecast"));
  }
  slot->Pos = P;
  slot->ViewInfo = nullptr;
  return slot.get();
}

void cxGridHitTestsInitialize() { t_hitTests = std::make_unique<THitTests>(); }
void cxGridHitTestsFinalize() { t_hitTests.reset(); }

void cxGridCursorsInitialize() {
  if (!Screen) return;
  for (size_t i = 0; i < kCursorNames.size(); ++i)
    if (HCURSOR cursor = LoadCursor(nullptr, kCursorNames[i]))
      Screen->SetCursors(crGridHorzSize + static_cast<int>(i), cursor);
}

void cxGridCursorsFinalize() {}

// --- TcxCustomGridCellViewInfo ---

TcxCustomGridCellViewInfo::~TcxCustomGridCellViewInfo() {
  destroying_ = true;
  SetMouseCapture(false);
  cxStopMouseTracking(this);
}

void TcxCustomGridCellViewInfo::CalculateParams() {
  if (calculated_ || calculating_) return;
  calculating_ = true;
  struct TDone {
    TcxCustomGridCellViewInfo* cell;
    ~TDone() {
      cell->calculating_ = false;
      cell->calculated_ = true;
    }
  } done{this};
  DoCalculateParams();
}

void TcxCustomGridCellViewInfo::DoCalculateParams() {
  calc_.alignmentHorz = GetAlignmentHorz();
  calc_.alignmentVert = GetAlignmentVert();
  GetViewParams(calc_.params);
  calc_.borders = GetBorders();
  calc_.text = GetText();
  calc_.multiLine = GetMultiLine();
  width_ = CalculateWidth();
}

const RECT& TcxCustomGridCellViewInfo::ContentBounds() {
  if (IsRectEmpty(&contentBounds_)) {
    RECT r = Bounds;
    const TcxBorders borders = Borders();
    if (borders.Contains(bLeft)) r.left += GetBorderWidth(bLeft);
    if (borders.Contains(bTop)) r.top += GetBorderWidth(bTop);
    if (borders.Contains(bRight)) r.right -= GetBorderWidth(bRight);
    if (borders.Contains(bBottom)) r.bottom -= GetBorderWidth(bBottom);
    contentBounds_ = r;
  }
  return contentBounds_;
}

RECT TcxCustomGridCellViewInfo::GetBorderBounds(TcxBorder ASide) {
  const RECT content = ContentBounds();
  const TcxBorders borders = Borders();
  RECT r = content;
  switch (ASide) {
    case bLeft:
      r.right = content.left;
      r.left = content.left - GetBorderWidth(bLeft);
      break;
    case bRight:
      r.left = content.right;
      r.right = content.right + GetBorderWidth(bRight);
      break;
    case bTop:
      r.bottom = content.top;
      r.top = content.top - GetBorderWidth(bTop);
      break;
    case bBottom:
      r.top = content.bottom;
      r.bottom = content.bottom + GetBorderWidth(bBottom);
      break;
  }
  // Vertical borders own the corners.
  if (ASide == bLeft || ASide == bRight) {
    if (borders.Contains(bTop)) r.top -= GetBorderWidth(bTop);
    if (borders.Contains(bBottom)) r.bottom += GetBorderWidth(bBottom);
  }
  return r;
}

RECT TcxCustomGridCellViewInfo::GetTextAreaBounds() {
  RECT r = ContentBounds();
  InflateRect(&r, -cxGridCellTextOffset, -cxGridCellTextOffset);
  return r;
}

int TcxCustomGridCellViewInfo::GetTextAttributes() {
  int flags = 0;
  switch (AlignmentHorz()) {
    case taLeftJustify:
      flags |= cxtfLeft;
      break;
    case taRightJustify:
      flags |= cxtfRight;
      break;
    case taCenter:
      flags |= cxtfHorzCenter;
      break;
  }
  switch (AlignmentVert()) {
    case vaTop:
      flags |= cxtfTop;
      break;
    case vaBottom:
      flags |= cxtfBottom;
      break;
    case vaCenter:
      flags |= cxtfVertCenter;
      break;
  }
  flags |= MultiLine() ? cxtfWordBreak : cxtfSingleLine;
  if (GetShowEndEllipsis()) flags |= cxtfEndEllipsis;
  return flags;
}

int TcxCustomGridCellViewInfo::TextHeightWithOffset() {
  TcxCanvas* canvas = GetCanvas();
  if (Params().Font) canvas->SetFont(Params().Font);
  return IncCellTextSize(canvas->FontHeight(canvas->Font()));
}

int TcxCustomGridCellViewInfo::TextWidthWithOffset() {
  TcxCanvas* canvas = GetCanvas();
  if (Params().Font) canvas->SetFont(Params().Font);
  return IncCellTextSize(canvas->TextWidth(Text()));
}

bool TcxCustomGridCellViewInfo::HasMouseCapture() {
  TcxControl* control = GetControl();
  return control && control->MouseCaptureObject() == this;
}

void TcxCustomGridCellViewInfo::SetMouseCapture(bool AValue) {
  TcxControl* control = GetControl();
  if (!control || AValue == HasMouseCapture()) return;
  control->SetMouseCaptureObject(AValue ? this : nullptr);
}

void TcxCustomGridCellViewInfo::DoCancelMode() { SetState(gcsNone); }

void TcxCustomGridCellViewInfo::MouseLeave() {
  if (!HasMouseCapture() && state_ == gcsSelected) SetState(gcsNone);
}

void TcxCustomGridCellViewInfo::SetState(TcxGridCellState Value) {
  if (state_ == Value) return;
  BeforeStateChange();
  state_ = Value;
  StateChanged();
}

void TcxCustomGridCellViewInfo::StateChanged() {
  if (destroying_) return;
  Invalidate();
  if (state_ == gcsNone)
    cxStopMouseTracking(this);
  else if (state_ == gcsSelected)
    cxBeginMouseTracking(GetControl(), Bounds, this);
}

void TcxCustomGridCellViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  CalculateParams();
  if (AWidth == -1) AWidth = CalculateWidth();
  if (AHeight == -1) AHeight = CalculateHeight();
  Bounds = RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
  AfterCalculateBounds(Bounds);
}

bool TcxCustomGridCellViewInfo::HasHitTestPoint(TcxCustomGridHitTest* AHitTest) {
  return AHitTest && AHitTest->ClassType() == GetHitTestClass() && AHitTest->ViewInfo == this;
}

TcxCustomGridHitTest* TcxCustomGridCellViewInfo::GetHitTest(POINT P) {
  if (!GetVisible() || !PtInRect(&Bounds, P)) return nullptr;
  TcxCustomGridHitTest* hitTest = GetGridHitTest(GetHitTestClass(), P);
  InitHitTest(hitTest);
  return hitTest;
}

void TcxCustomGridCellViewInfo::Invalidate() {
  if (TcxControl* control = GetControl()) control->InvalidateRect(Bounds, false);
}

bool TcxCustomGridCellViewInfo::MouseDown(TcxCustomGridHitTest*, TMouseButton, TShiftState) {
  if (!HotTrack()) return false;
  if (IsPopupButton()) {
    if (state_ == gcsPressed)
      SetState(gcsSelected);
    else if (state_ == gcsSelected)
      SetState(gcsPressed);
  } else {
    SetState(gcsPressed);
  }
  return true;
}

bool TcxCustomGridCellViewInfo::MouseMove(TcxCustomGridHitTest* AHitTest, TShiftState) {
  if (!HotTrack()) return false;
  if (IsPopupButton()) {
    if (state_ == gcsPressed) return false;
    SetState(gcsSelected);
    return true;
  }
  if (HasHitTestPoint(AHitTest))
    SetState(HasMouseCapture() ? gcsPressed : gcsSelected);
  else
    SetState(HasMouseCapture() ? gcsSelected : gcsNone);
  return true;
}

bool TcxCustomGridCellViewInfo::MouseUp(TcxCustomGridHitTest*, TMouseButton, TShiftState) {
  if (!HotTrack() || IsPopupButton()) return false;
  const bool wasPressed = state_ == gcsPressed;
  SetState(gcsNone);
  if (wasPressed) Click();
  return wasPressed;
}

std::unique_ptr<TcxCustomGridCellPainter> TcxCustomGridCellViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxCustomGridCellPainter>(ACanvas, this);
}

void TcxCustomGridCellViewInfo::Paint(TcxCanvas* ACanvas) {
  if (!GetVisible()) return;
  if (!ACanvas) ACanvas = GetCanvas();
  if (auto painter = CreatePainter(ACanvas)) painter->Paint();
}

// --- TcxCustomGridCellPainter ---

void TcxCustomGridCellPainter::Paint() {
  if (!canvas_->RectVisible(viewInfo_->Bounds)) return;
  DrawContent();
  DrawBorders();
  if (ExcludeFromClipRect()) canvas_->ExcludeClipRect(viewInfo_->Bounds);
}

void TcxCustomGridCellPainter::DrawBackground() {
  canvas_->SetBrushColor(viewInfo_->Params().Color);
  canvas_->FillRect(viewInfo_->ContentBounds());
}

void TcxCustomGridCellPainter::DrawText() {
  const String& text = viewInfo_->Text();
  if (text.empty()) return;
  // Laying out the text area may measure other cells on this canvas, which sets their fonts: the
  // cell's own font and colour go on last.
  const RECT bounds = viewInfo_->GetTextAreaBounds();
  const int flags = viewInfo_->GetTextAttributes();
  TcxStyleParams& params = viewInfo_->Params();
  if (params.Font) canvas_->SetFont(params.Font);
  canvas_->Font()->SetColor(params.TextColor);
  canvas_->Brush()->SetStyle(bsClear);
  canvas_->DrawText(text, bounds, flags);
  canvas_->Brush()->SetStyle(bsSolid);
}

void TcxCustomGridCellPainter::DrawContent() {
  DrawBackground();
  DrawText();
}

void TcxCustomGridCellPainter::DrawBorder(TcxBorder ASide) {
  canvas_->SetBrushColor(viewInfo_->GetBorderColor(ASide));
  canvas_->FillRect(viewInfo_->GetBorderBounds(ASide));
}

void TcxCustomGridCellPainter::DrawBorders() {
  const TcxBorders borders = viewInfo_->Borders();
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom})
    if (borders.Contains(side)) DrawBorder(side);
}
