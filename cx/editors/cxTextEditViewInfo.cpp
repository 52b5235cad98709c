// A text editor's drawn text: a part of it highlighted, and whether it is cut, so that a container
// shows it whole in a hint.
#include "cx/editors/cxTextEditViewInfo.h"

#include <algorithm>

#include "cx/editors/cxTextEdit.h"
#include "cx/foundation/cxTextLayout.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomTextEditViewInfo)

TClass TcxCustomTextEditProperties::GetViewInfoClass() { return TcxCustomTextEditViewInfo::StaticClass(); }

void TcxCustomTextEditViewData::PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue,
                                                     TcxCustomEditViewInfo* AViewInfo) {
  inherited::PrepareViewInfoValue(ACanvas, AEditValue, AViewInfo);
  auto* textInfo = dynamic_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  if (!textInfo) return;
  textInfo->SelStart = SelStart;
  textInfo->SelLength = SelLength;
  textInfo->SelTextColor = SelTextColor == clDefault ? clHighlightText : SelTextColor;
  textInfo->SelBackgroundColor = SelBackgroundColor == clDefault ? clHighlight : SelBackgroundColor;
}

void TcxCustomTextEditViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxCustomTextEditViewInfo*>(Source)) {
    SelStart = source->SelStart;
    SelLength = source->SelLength;
    SelTextColor = source->SelTextColor;
    SelBackgroundColor = source->SelBackgroundColor;
  }
  inherited::Assign(Source);
}

namespace {

int TextEditLayoutAlignment(TAlignment AAlignment) {
  switch (AAlignment) {
    case taRightJustify:
      return cxtlRight;
    case taCenter:
      return cxtlCenter;
    default:
      return cxtlLeft;
  }
}

// A row's width without its trailing blanks, which a cut row may end with.
int TextEditHintRowWidth(TcxCanvas* ACanvas, const TcxTextRow& ARow) {
  int length = ARow.TextLength;
  while (length > 0 && (ARow.Text[length - 1] == u' ' || ARow.Text[length - 1] == u'\t')) --length;
  return length == 0 ? 0 : ACanvas->TextWidth(String(ARow.Text, static_cast<size_t>(length)));
}

}  // namespace

void TcxCustomTextEditViewInfo::PaintText(TcxCanvas* ACanvas) {
  const int textLength = static_cast<int>(Text.size());
  const int length = std::min(SelLength, textLength - SelStart);
  if (SelStart < 0 || length <= 0) {
    inherited::PaintText(ACanvas);
    return;
  }
  if (Font) ACanvas->SetFont(Font);
  ACanvas->Font()->SetColor(Selected ? clHighlightText : TextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  RECT r = TextRect;
  cxDrawMultilineTextEx(ACanvas, Text, r, TextEditLayoutAlignment(TextAlignment) | cxtlVCenter | cxtlSingleLine, SelStart,
                        length, ColorToRGB(SelBackgroundColor), ColorToRGB(SelTextColor));
  ACanvas->Brush()->SetStyle(bsSolid);
}

bool TcxCustomTextEditViewInfo::NeedShowHint(TcxCanvas* ACanvas, POINT P, RECT& AHintRect, bool& AIsMultiLine,
                                             String& AText) {
  AText.clear();
  AIsMultiLine = false;
  if (Text.empty() || !PtInRect(&TextRect, P)) return false;
  if (Font) ACanvas->SetFont(Font);
  const TcxTextParams params = cxPrepareTextParams(ACanvas, TextEditLayoutAlignment(TextAlignment) | cxtlWordBreak);
  TcxTextRows rows;
  int rowCount = 0;
  const bool allRows = cxMakeTextRows(ACanvas, Text, TextRect, params, rows, rowCount);
  const int width = TextRect.right - TextRect.left;
  bool cut = !allRows || rowCount * params.RowHeight > TextRect.bottom - TextRect.top;
  for (int i = 0; i < rowCount && !cut; ++i) cut = TextEditHintRowWidth(ACanvas, rows[static_cast<size_t>(i)]) > width;
  if (!cut) return false;
  AText = Text;
  AHintRect = TextRect;
  AIsMultiLine = rowCount > 1;
  // A single line is drawn centred in the rectangle: the hint's text goes where it is drawn.
  if (!AIsMultiLine && IsTextVertCentred())
    AHintRect.top += std::max(0, static_cast<int>(TextRect.bottom - TextRect.top) - params.RowHeight) / 2;
  return true;
}
