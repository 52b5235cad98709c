// The filter control's drawing: rows from the top row down onto an off-screen bitmap, the
// add-condition button, the focus rectangle and the border, then the bitmap onto the window.
#include "cx/editors/cxEditViewInfo.h"
#include "cx/grid/cxFilterControl.h"

void TcxFilterControlViewInfo::Paint(TCanvas* ACanvas, const RECT& AClipRect) {
  const RECT client = control_->GetClientBounds();
  canvas_->SetBrushColor(control_->Color());
  canvas_->FillRect(client);
  TcxFilterControlPainter painter(this);
  for (int i = control_->TopRow(); i < control_->RowCount(); ++i) {
    TcxCustomRowViewInfo* row = control_->Rows(i);
    RECT visible;
    if (IntersectRect(&visible, &row->RowRect, &AClipRect)) painter.PaintRow(row);
    if (row->RowRect.top >= client.bottom) break;
  }
  TcxLookAndFeelPainterClass lookAndFeel = control_->GetLookAndFeelPainter();
  canvas_->SetFont(control_->Font());
  lookAndFeel->PaintButton(canvas_.get(), addConditionRect_, addConditionCaption_, addConditionState_);
  if (!IsRectEmpty(&focusRect_) && control_->HasFocusInside()) canvas_->DrawFocusRect(focusRect_);
  const RECT bounds = control_->GetBounds();
  if (control_->GetBorderSize() > 0) lookAndFeel->PaintBorder(canvas_.get(), bounds);
  TcxCanvas target(ACanvas);
  target.CopyCanvasRect(bounds, bitmap_->Canvas(), bounds);
}

void TcxFilterControlPainter::PaintText(TFont* AFont, const String& AText, int X, int Y) {
  TcxCanvas* canvas = viewInfo_->Canvas();
  canvas->SetFont(AFont);
  canvas->Brush()->SetStyle(bsClear);
  TCanvas* raw = canvas->Canvas();
  if (viewInfo_->Enabled()) {
    raw->TextOut(X, Y, AText);
  } else {
    // Embossed: highlight one pixel right and down, shadow in place.
    const TColor color = AFont->Color();
    raw->Font()->SetColor(clBtnHighlight);
    raw->TextOut(X + 1, Y + 1, AText);
    raw->Font()->SetColor(clBtnShadow);
    raw->TextOut(X, Y, AText);
    raw->Font()->SetColor(color);
  }
  canvas->Brush()->SetStyle(bsSolid);
}

void TcxFilterControlPainter::PaintRow(TcxCustomRowViewInfo* ARow) {
  TcxCustomFilterControl* control = viewInfo_->Control();
  TcxCanvas* canvas = viewInfo_->Canvas();
  canvas->SetBrushColor(control->Color());
  canvas->FillRect(ARow->RowRect);
  canvas->SetFont(control->Font());
  control->GetLookAndFeelPainter()->PaintButton(canvas, ARow->ButtonRect, ARow->ButtonText(), ARow->ButtonState);
  if (auto* group = dynamic_cast<TcxGroupViewInfo*>(ARow)) {
    PaintText(control->Font(), group->Caption, group->CaptionRect.left, group->CaptionRect.top + 1);
    PaintText(control->FontBoolOperator(), group->BoolOperatorText(), group->BoolOperatorRect.left + 1,
              group->BoolOperatorRect.top + 1);
  } else {
    PaintCondition(static_cast<TcxConditionViewInfo*>(ARow));
  }
  if (control->ShowLevelLines() && ARow->Parent()) PaintLevelLines(ARow);
}

void TcxFilterControlPainter::PaintCondition(TcxConditionViewInfo* ACondition) {
  TcxCustomFilterControl* control = viewInfo_->Control();
  PaintText(control->FontItem(), ACondition->ItemText(), ACondition->ItemRect.left + 1, ACondition->ItemRect.top + 1);
  PaintText(control->FontCondition(), ACondition->OperatorText(), ACondition->OperatorRect.left + 1,
            ACondition->OperatorRect.top + 1);
  if (!ACondition->HasValues()) return;
  const std::vector<TcxValueInfo>& values = ACondition->Values();
  for (const TcxValueInfo& value : values)
    if (value.ViewInfo) value.ViewInfo->Paint(viewInfo_->Canvas());
  const bool list = ACondition->IsListOperator();
  if (ACondition->IsBetweenOperator() || list) {
    const String separator = list ? String(u", ") : cxGetResourceString(cxSFilterBetweenSeparator);
    TFont* font = list ? control->FontValue() : control->FontCondition();
    for (size_t i = 0; i + 1 < values.size(); ++i)
      PaintText(font, separator, values[i].Rect.right + (list ? 2 : 4), values[i].Rect.top + 1);
  }
  if (!list) return;
  PaintText(control->FontValue(), u"(", ACondition->OperatorRect.right + 4, ACondition->OperatorRect.top);
  PaintText(control->FontValue(), u")", values.back().Rect.right + 3, values.back().Rect.top + 1);
  viewInfo_->Canvas()->SetFont(control->Font());
  control->GetLookAndFeelPainter()->PaintButton(viewInfo_->Canvas(), ACondition->AddValueRect, u"+",
                                                ACondition->AddValueState);
}

namespace {

// A dotted one-pixel line: the 8 x 8 checkerboard of the dark shadow over the control's colour.
void cxFilterDottedLine(TcxCanvas* ACanvas, int X1, int Y1, int X2, int Y2, TColor ABackground) {
  for (int x = X1; x <= X2; ++x)
    for (int y = Y1; y <= Y2; ++y) ACanvas->SetPixel(x, y, (x + y) % 2 == 0 ? cl3DDkShadow : ABackground);
}

}  // namespace

void TcxFilterControlPainter::PaintLevelLines(TcxCustomRowViewInfo* ARow) {
  TcxCustomFilterControl* control = viewInfo_->Control();
  TcxCanvas* canvas = viewInfo_->Canvas();
  const TColor background = control->Color();
  const RECT& r = ARow->RowRect;
  const int halfButton = (ARow->ButtonRect.right - ARow->ButtonRect.left) / 2;
  const int x = ARow->Parent()->ButtonRect.left + halfButton;
  const int middle = r.top + viewInfo_->RowHeight() / 2;
  cxFilterDottedLine(canvas, x, r.top, x, middle - 1, background);
  if (!ARow->Parent()->IsLastChild(ARow)) cxFilterDottedLine(canvas, x, middle, x, r.bottom - 1, background);
  cxFilterDottedLine(canvas, x, middle, ARow->ButtonRect.left - 3, middle, background);
  for (TcxGroupViewInfo* ancestor = ARow->Parent(); ancestor->Parent(); ancestor = ancestor->Parent()) {
    if (ancestor->Parent()->IsLastChild(ancestor)) continue;
    const int ax = ancestor->Parent()->ButtonRect.left + halfButton;
    cxFilterDottedLine(canvas, ax, r.top, ax, r.bottom - 1, background);
  }
}
