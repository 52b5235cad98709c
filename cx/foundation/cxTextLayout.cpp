#include "cx/foundation/cxTextLayout.h"

#include <algorithm>

namespace {

const String cxEllipsis = u"...";

constexpr WCHAR cxTab = u'\t';
constexpr WCHAR cxCR = u'\r';
constexpr WCHAR cxLF = u'\n';

bool IsJustified(const TcxTextParams& AParams) {
  return AParams.HorzAlignment == cxtlJustify || AParams.HorzAlignment == cxtlDistribute;
}

SIZE MeasureText(HDC DC, const WCHAR* AText, int ALength, bool AExpandTabs) {
  SIZE size{0, 0};
  if (ALength <= 0) return size;
  if (AExpandTabs) {
    const DWORD extent = GetTabbedTextExtent(DC, AText, ALength, 0, nullptr);
    size.cx = LOWORD(extent);
    size.cy = HIWORD(extent);
  } else {
    GetTextExtentPoint32(DC, AText, ALength, &size);
  }
  return size;
}

void MeasureRow(HDC DC, TcxTextRow& ARow, bool AExpandTabs) {
  const SIZE size = MeasureText(DC, ARow.Text, ARow.TextLength, AExpandTabs);
  ARow.Width = size.cx;
  ARow.Height = size.cy;
}

// Breaks one row off the text and advances past it (and past the break characters, tab and line
// end that follow).
void GetTextRow(HDC DC, const WCHAR*& AText, int& ALength, int AAvailableWidth, const TcxTextParams& AParams,
                bool AIsLastRow, TcxTextRow& ARow) {
  ARow = TcxTextRow{};
  if (!AText || ALength <= 0) return;
  const bool justified = IsJustified(AParams);
  const bool wrap = !AParams.SingleLine && (AParams.WordBreak || justified);
  const bool charBreak = wrap && AParams.CharBreak;
  const bool ellipsisCut =
      AParams.EndEllipsis && AIsLastRow && !justified && !AParams.WholeRows && !AParams.NoClip;
  const bool measure = wrap || ellipsisCut || AParams.SingleLine;

  ARow.Text = AText;
  int lastBreak = -1;
  int width = 0;
  for (int taken = 1; taken <= ALength; ++taken) {
    const WCHAR c = AText[taken - 1];
    if ((c == cxCR || c == cxLF) && !ellipsisCut && !AParams.SingleLine) {
      // The line end is not part of the row; a paragraph's last row is never stretched.
      if (AParams.HorzAlignment == cxtlJustify) ARow.BreakCount = 0;
      break;
    }
    ARow.TextLength = taken;
    if (c == AParams.BreakChar || c == cxTab) {
      ++ARow.BreakCount;
      lastBreak = taken;
    }
    if (!measure) continue;
    if (AParams.ExpandTabs)
      width = MeasureText(DC, AText, taken, true).cx;
    else
      width += MeasureText(DC, &c, 1, false).cx;
    if (width <= AAvailableWidth) continue;
    if (ellipsisCut || AParams.SingleLine) break;
    if (lastBreak != -1) {
      ARow.TextLength = lastBreak;
      break;
    }
    if (charBreak) {
      if (taken > 1) ARow.TextLength = taken - 1;
      break;
    }
    // A long word stays on one row.
  }

  if (justified) {
    while (ARow.TextLength > 0 &&
           (ARow.Text[ARow.TextLength - 1] == AParams.BreakChar || ARow.Text[ARow.TextLength - 1] == cxTab)) {
      --ARow.TextLength;
      if (ARow.BreakCount > 0) --ARow.BreakCount;
    }
  }
  MeasureRow(DC, ARow, AParams.ExpandTabs);

  const WCHAR* start = AText;
  AText += ARow.TextLength;
  ALength -= ARow.TextLength;
  while (ALength > 0 && *AText == AParams.BreakChar) ++AText, --ALength;
  if (ALength > 0 && *AText == cxTab) ++AText, --ALength;
  bool crSkipped = false;
  if (ALength > 0 && *AText == cxCR) ++AText, --ALength, crSkipped = true;
  if (ALength > 0 && *AText == cxLF) ++AText, --ALength;
  if (AParams.HorzAlignment == cxtlJustify && (ALength == 0 || crSkipped)) ARow.BreakCount = 0;
  // Always progress, whatever the text holds.
  if (AText == start) ++AText, --ALength;
}

// Restores a device context's clip region on leaving a scope.
class TClipSaver {
 public:
  explicit TClipSaver(HDC DC) : dc_(DC), region_(CreateRectRgn(0, 0, 0, 0)) {
    hadClip_ = GetClipRgn(dc_, region_) == 1;
  }
  ~TClipSaver() {
    SelectClipRgn(dc_, hadClip_ ? region_ : nullptr);
    DeleteObject(region_);
  }
  TClipSaver(const TClipSaver&) = delete;
  TClipSaver& operator=(const TClipSaver&) = delete;

 private:
  HDC dc_;
  HRGN region_;
  bool hadClip_;
};

void IntersectClip(HDC DC, const RECT& R) { IntersectClipRect(DC, R.left, R.top, R.right, R.bottom); }

void OutRow(HDC DC, const TcxTextRow& ARow, const TcxTextParams& AParams) {
  if (AParams.ExpandTabs)
    TabbedTextOut(DC, ARow.X, ARow.Y, ARow.Text, ARow.TextLength, 0, nullptr, ARow.X);
  else
    ExtTextOut(DC, ARow.X, ARow.Y, 0, nullptr, ARow.Text, static_cast<UINT>(ARow.TextLength), nullptr);
}

void OutEllipsis(HDC DC, int X, const RECT& ABand, const TcxTextParams& AParams) {
  if (IsRectEmpty(&ABand)) return;
  const bool clipped = ABand.right - ABand.left < AParams.EllipsisWidth && !AParams.NoClip;
  ExtTextOut(DC, X, ABand.top, clipped ? ETO_CLIPPED : 0, &ABand, cxEllipsis.c_str(),
             static_cast<UINT>(cxEllipsis.size()), nullptr);
}

struct TSelection {
  int Start = 0;
  int Length = 0;
  COLORREF BkColor = 0;
  COLORREF TextColor = 0;
};

void DrawTextRows(HDC DC, const RECT& R, const TcxTextParams& AParams, TcxTextRows& ARows, int ARowCount,
                  bool ATextCut, const TSelection& ASelection) {
  const int oldBkMode = SetBkMode(DC, TRANSPARENT);
  const int width = R.right - R.left;
  for (int i = 0; i < ARowCount; ++i) {
    TcxTextRow& row = ARows[i];
    const bool lastRow = i == ARowCount - 1;
    RECT band = {R.left, row.Y, R.right, row.Y + AParams.RowHeight};
    if (row.TextLength == 0) {
      if (lastRow && ATextCut && AParams.EndEllipsis) OutEllipsis(DC, R.left, band, AParams);
      continue;
    }
    const bool ellipsisRow = AParams.EndEllipsis && lastRow && (ATextCut || row.Width > width);
    const bool justify = IsJustified(AParams) && !ellipsisRow;
    const bool clip = !AParams.NoClip && (row.Width > width || row.Y < R.top || band.bottom > R.bottom);
    TClipSaver rowClip(DC);
    if (clip) {
      RECT visible;
      IntersectRect(&visible, &band, &R);
      IntersectClip(DC, visible);
    }
    if (ellipsisRow) {
      const int available = std::max(0, width - AParams.EllipsisWidth);
      int fit = 0;
      GetTextExtentExPoint(DC, row.Text, row.TextLength, available, &fit, nullptr, nullptr);
      row.TextLength = std::max(1, fit);
      MeasureRow(DC, row, AParams.ExpandTabs);
    }
    const bool stretched = justify && width - row.Width > 0 && row.BreakCount > 0;
    if (stretched) SetTextJustification(DC, width - row.Width, row.BreakCount);
    OutRow(DC, row, AParams);

    const int selStart = std::max(ASelection.Start, row.StartOffset);
    const int selEnd = std::min(ASelection.Start + ASelection.Length, row.StartOffset + row.TextLength);
    if (ASelection.Length > 0 && selStart < selEnd) {
      const int before = selStart - row.StartOffset;
      const int x = row.X + MeasureText(DC, row.Text, before, AParams.ExpandTabs).cx;
      const int selWidth =
          MeasureText(DC, row.Text, selEnd - row.StartOffset, AParams.ExpandTabs).cx - (x - row.X);
      const RECT selBand = {x, band.top, x + selWidth, band.bottom};
      TClipSaver selClip(DC);
      IntersectClip(DC, selBand);
      const HBRUSH brush = CreateSolidBrush(ASelection.BkColor);
      FillRect(DC, &selBand, brush);
      DeleteObject(brush);
      const COLORREF oldColor = SetTextColor(DC, ASelection.TextColor);
      OutRow(DC, row, AParams);
      SetTextColor(DC, oldColor);
    }
    if (stretched) SetTextJustification(DC, 0, 0);
    if (ellipsisRow) OutEllipsis(DC, R.left + row.Width, band, AParams);
  }
  SetBkMode(DC, oldBkMode);
}

}  // namespace

TcxTextParams cxPrepareTextParamsForDC(HDC DC, int AFormat) {
  TEXTMETRIC metrics;
  GetTextMetrics(DC, &metrics);
  TcxTextParams p;
  p.KeepLeft = AFormat & cxtlKeepLeft;
  p.KeepTop = AFormat & cxtlKeepTop;
  p.WordBreak = AFormat & cxtlWordBreak;
  p.SingleLine = AFormat & cxtlSingleLine;
  p.ExpandTabs = AFormat & cxtlExpandTabs;
  p.EndEllipsis = AFormat & cxtlEndEllipsis;
  p.ExternalLeadingFlag = AFormat & cxtlExternalLeading;
  p.WholeRows = AFormat & cxtlWholeRows;
  p.NoClip = AFormat & cxtlNoClip;
  p.CharBreak = AFormat & cxtlCharBreak;
  p.CalcRect = AFormat & cxtlCalcRect;
  p.RowCountResult = AFormat & cxtlRowCountResult;
  p.TextHeight = metrics.tmHeight;
  p.ExternalLeading = p.ExternalLeadingFlag ? metrics.tmExternalLeading : 0;
  p.RowHeight = p.TextHeight + p.ExternalLeading;
  p.EllipsisWidth =
      p.EndEllipsis ? MeasureText(DC, cxEllipsis.c_str(), static_cast<int>(cxEllipsis.size()), false).cx : 0;
  p.BreakChar = metrics.tmBreakChar;
  p.HorzAlignment = AFormat & 7;
  p.VertAlignment = (AFormat >> 4) & 3;
  p.MaxCharWidth = metrics.tmMaxCharWidth;
  return p;
}

TcxTextParams cxPrepareTextParams(TCanvas* ACanvas, int AFormat) {
  return cxPrepareTextParamsForDC(TcxCanvas(ACanvas).Handle(), AFormat);
}

bool cxMakeTextRowsForDC(HDC DC, const String& AText, const RECT& R, const TcxTextParams& AParams,
                         TcxTextRows& ATextRows, int& ARowCount, int AMaxRowCount) {
  ATextRows.clear();
  ARowCount = 0;
  if (AText.empty()) return true;
  const WCHAR* text = AText.c_str();
  int length = static_cast<int>(AText.size());

  if (AParams.CalcRect && AParams.SingleLine) {
    TcxTextRow row;
    row.Text = text;
    row.TextLength = length;
    MeasureRow(DC, row, AParams.ExpandTabs);
    ATextRows.push_back(row);
    ARowCount = 1;
    return true;
  }

  const int width = R.right - R.left, height = R.bottom - R.top;
  const bool topAligned = AParams.VertAlignment == 0;
  int accumulated = 0;
  bool lastRow = false;
  while (length > 0 && !lastRow) {
    accumulated += AParams.RowHeight;
    if (AParams.SingleLine)
      lastRow = true;
    else if (topAligned && !AParams.CalcRect)
      lastRow = height < accumulated + (AParams.WholeRows && !AParams.NoClip ? AParams.RowHeight : 0);
    else
      lastRow = AMaxRowCount >= 1 && ARowCount + 1 >= AMaxRowCount;
    if (ARowCount == static_cast<int>(ATextRows.size())) ATextRows.resize(ARowCount + 4);
    const int offset = static_cast<int>(text - AText.c_str());
    GetTextRow(DC, text, length, width, AParams, lastRow, ATextRows[ARowCount]);
    ATextRows[ARowCount].StartOffset = offset;
    ++ARowCount;
  }
  ATextRows.resize(ARowCount);
  return !(!AParams.SingleLine && !AParams.CalcRect && AMaxRowCount > 0 && ARowCount == AMaxRowCount &&
           length > 0);
}

bool cxMakeTextRows(TCanvas* ACanvas, const String& AText, const RECT& R, const TcxTextParams& AParams,
                    TcxTextRows& ATextRows, int& ARowCount, int AMaxRowCount) {
  return cxMakeTextRowsForDC(TcxCanvas(ACanvas).Handle(), AText, R, AParams, ATextRows, ARowCount,
                             AMaxRowCount);
}

void cxPlaceTextRows(const RECT& R, TcxTextParams& AParams, TcxTextRows& ATextRows, int ARowCount) {
  ARowCount = std::min(ARowCount, static_cast<int>(ATextRows.size()));
  const int width = R.right - R.left, height = R.bottom - R.top;
  int extra = 0;
  if (AParams.VertAlignment == 3 && ARowCount > 1) {
    const int free = height - AParams.TextHeight;
    if (AParams.TextHeight < static_cast<double>(free) / (ARowCount - 1)) {
      AParams.RowHeight = free / (ARowCount - 1);
      extra = free % (ARowCount - 1);
    }
  }
  int y;
  switch (AParams.VertAlignment) {
    case 1:
      y = (height - ARowCount * AParams.RowHeight) / 2 + R.top;
      break;
    case 2:
      y = R.bottom + AParams.ExternalLeading - ARowCount * AParams.RowHeight;
      break;
    default:
      y = R.top;
  }
  if (AParams.KeepTop) y = std::max(y, static_cast<int>(R.top));
  for (int i = 0; i < ARowCount; ++i) {
    TcxTextRow& row = ATextRows[i];
    switch (AParams.HorzAlignment) {
      case cxtlCenter:
        row.X = (width - row.Width) / 2 + R.left;
        break;
      case cxtlRight:
        row.X = R.right - row.Width;
        break;
      default:
        row.X = R.left;
    }
    if (AParams.KeepLeft) row.X = std::max(row.X, static_cast<int>(R.left));
    row.Y = y;
    y += AParams.RowHeight + (i < extra ? 1 : 0);
  }
}

int cxGetLongestTextRowWidth(const TcxTextRows& ATextRows, int ARowCount) {
  ARowCount = std::min(ARowCount, static_cast<int>(ATextRows.size()));
  int result = 0;
  for (int i = 0; i < ARowCount; ++i) result = std::max(result, ATextRows[i].Width);
  return result;
}

int cxDrawMultilineTextForDC(HDC DC, const String& AText, RECT& R, int AFormat, int ASelStart, int ASelLength,
                             TColor ASelBkColor, TColor ASelTextColor, int AMaxRowCount, int ALeftIndent,
                             int ARightIndent) {
  if (AText.empty()) return 0;
  TcxTextParams params = cxPrepareTextParamsForDC(DC, AFormat);
  RECT r = R;
  r.left += ALeftIndent;
  r.right -= ARightIndent;
  const bool usable = params.CalcRect ? r.right - r.left > 0 : !IsRectEmpty(&r);
  if (!usable) return 0;

  TcxTextRows rows;
  int rowCount = 0;
  const bool complete = cxMakeTextRowsForDC(DC, AText, r, params, rows, rowCount, AMaxRowCount);
  auto limitRows = [&] {
    if (AMaxRowCount > 0 && AMaxRowCount < rowCount) rowCount = AMaxRowCount;
  };
  if (params.CalcRect) {
    limitRows();
    r.right = r.left + cxGetLongestTextRowWidth(rows, rowCount);
    // Laid out again, so that alignment works in the final width.
    if (!params.SingleLine) {
      cxMakeTextRowsForDC(DC, AText, r, params, rows, rowCount, AMaxRowCount);
      limitRows();
    }
    cxPlaceTextRows(r, params, rows, rowCount);
    if (rowCount > 0) r.bottom = rows[rowCount - 1].Y + params.TextHeight;
    R = r;
    R.left -= ALeftIndent;
    R.right += ARightIndent;
  } else {
    bool textCut = false;
    if (AMaxRowCount > 0 && rowCount >= AMaxRowCount) {
      rowCount = AMaxRowCount;
      textCut = !complete && params.EndEllipsis && params.WholeRows && !params.SingleLine;
    }
    const int length = static_cast<int>(AText.size());
    TSelection selection{ASelStart, ASelLength, ColorToColorRef(ASelBkColor), ColorToColorRef(ASelTextColor)};
    if (selection.Start < 0 || selection.Start >= length) selection.Length = 0;
    if (selection.Length > length - selection.Start) selection.Length = length - selection.Start;
    cxPlaceTextRows(r, params, rows, rowCount);
    DrawTextRows(DC, r, params, rows, rowCount, textCut, selection);
  }
  const int height = rowCount > 0 ? rows[rowCount - 1].Y + params.TextHeight - r.top : 0;
  return params.RowCountResult || height == 0 ? rowCount : height;
}

int cxDrawMultilineTextEx(TCanvas* ACanvas, const String& AText, RECT& R, int AFormat, int ASelStart,
                          int ASelLength, TColor ASelBkColor, TColor ASelTextColor, int AMaxRowCount,
                          int ALeftIndent, int ARightIndent) {
  if (AText.empty()) return 0;
  return cxDrawMultilineTextForDC(TcxCanvas(ACanvas).Handle(), AText, R, AFormat, ASelStart, ASelLength,
                                  ASelBkColor, ASelTextColor, AMaxRowCount, ALeftIndent, ARightIndent);
}

int cxDrawMultilineText(TCanvas* ACanvas, const String& AText, RECT& R, int AFormat, int AMaxRowCount,
                        int ALeftIndent, int ARightIndent) {
  return cxDrawMultilineTextEx(ACanvas, AText, R, AFormat, 0, 0, clNone, clNone, AMaxRowCount, ALeftIndent,
                               ARightIndent);
}
