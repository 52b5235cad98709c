// The memo drawn without a window: its text in rows inside the memo's own margins.
#include "cx/editors/cxMemo.h"
#include "cx/foundation/cxTextLayout.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomMemoViewData)
TRENVIK_IMPLEMENT_CLASS(TcxCustomMemoViewInfo)

RECT cxMemoTextMargins(TAlignment AHorz) {
  constexpr RECT kMargins[] = {{1, 1, 1, 1}, {0, 1, 2, 1}, {1, 1, 1, 1}};  // left, right, centre
  return kMargins[AHorz];
}

TClass TcxCustomMemoProperties::GetViewInfoClass() { return TcxCustomMemoViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomMemoProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                               bool AIsInplace) {
  return std::make_unique<TcxCustomMemoViewData>(this, AStyle, AIsInplace);
}

void TcxCustomMemoViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                      TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  inherited::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* properties = static_cast<TcxCustomMemoProperties*>(Properties());
  const TAlignment horz = properties->Alignment()->Horz();
  const RECT margins = cxMemoTextMargins(horz);
  RECT& text = AViewInfo->TextRect;
  text = AViewInfo->ClientRect;
  text.left += margins.left;
  text.top += margins.top;
  text.right -= margins.right;
  text.bottom -= margins.bottom;
  if (auto* memoInfo = dynamic_cast<TcxCustomMemoViewInfo*>(AViewInfo)) {
    constexpr int kAlignment[] = {cxtlLeft, cxtlRight, cxtlCenter};
    memoInfo->DrawTextFlags = cxtlExpandTabs | cxtlWholeRows | kAlignment[horz];
    if (properties->IsTextWrapped()) memoInfo->DrawTextFlags |= cxtlWordBreak | cxtlCharBreak;
  }
}

void TcxCustomMemoViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxCustomMemoViewInfo*>(Source)) DrawTextFlags = source->DrawTextFlags;
  inherited::Assign(Source);
}

void TcxCustomMemoViewInfo::PaintText(TcxCanvas* ACanvas) {
  if (Text.empty()) return;
  if (Font) ACanvas->SetFont(Font);
  ACanvas->Font()->SetColor(TextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  RECT r = TextRect;
  cxDrawMultilineText(ACanvas, Text, r, DrawTextFlags);
  ACanvas->Brush()->SetStyle(bsSolid);
}
