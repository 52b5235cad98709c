// Measuring a display text for an editor's size.
#include <algorithm>

#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/cxTextLayout.h"

SIZE MeasureEditText(TcxCanvas* ACanvas, TcxCustomEditViewData* AViewData, const String& AText, bool AAddMargins,
                     const TcxEditSizeProperties& ASizeProperties, bool AAllowEmptyHeight) {
  ACanvas->SetFont(AViewData->Style()->Font());
  const int lineHeight = ACanvas->TextHeight(u"Zg");
  const bool singleLine = ASizeProperties.MaxLineCount == 1;
  SIZE size{0, 0};
  int width = ASizeProperties.Width;
  if (width >= 0 && AViewData->IsInplace()) width -= 2;
  if (width < 0) {
    if (singleLine || AText.empty()) {
      size = {AText.empty() ? 0 : ACanvas->TextWidth(AText), lineHeight};
    } else {
      TcxTextParams params = cxPrepareTextParams(ACanvas, cxtlTop);
      TcxTextRows rows;
      int count = 0;
      cxMakeTextRows(ACanvas, AText, RECT{0, 0, 1 << 24, 1 << 24}, params, rows, count,
                     std::max(0, ASizeProperties.MaxLineCount));
      if (ASizeProperties.MaxLineCount > 0) count = std::min(count, ASizeProperties.MaxLineCount);
      size = {cxGetLongestTextRowWidth(rows, count), lineHeight};
    }
  } else if (width > 0) {
    size.cx = width;
    if (AText.empty()) {
      size.cy = AAllowEmptyHeight ? 0 : lineHeight;
    } else if (singleLine) {
      size.cy = lineHeight;
    } else {
      TcxTextParams params = cxPrepareTextParams(ACanvas, cxtlTop | cxtlWordBreak);
      TcxTextRows rows;
      int count = 0;
      cxMakeTextRows(ACanvas, AText, RECT{0, 0, width, 1 << 24}, params, rows, count,
                     std::max(0, ASizeProperties.MaxLineCount));
      if (ASizeProperties.MaxLineCount > 0) count = std::min(count, ASizeProperties.MaxLineCount);
      size.cy = std::max(1, count) * lineHeight;
    }
  }
  const SIZE margins = GetEditTextMargins(AViewData);
  if (size.cy != 0) size.cy += margins.cy;
  if (AAddMargins) size.cx += margins.cx;
  return size;
}
