// The calendar painted: the header with its arrows, the day initials, the six weeks and the
// buttons' separator; each part is excluded from the clip once drawn and the rest is filled.
#include <cmath>

#include "cx/editors-ext/cxCalendar.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "platform/rtl/FormatSettings.h"

namespace {

// Today's frame colour (dark red).
constexpr TColor kTodayFrameColor = static_cast<TColor>(128);

}  // namespace

String cxCalendarMonthCaption(TDateTime ADate) {
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  return FormatSettings().LongMonthNames[month - 1] + u" " + IntToStr(year);
}

void TcxCustomCalendar::Paint() {
  TcxCanvas* canvas = Canvas();
  std::unique_ptr<TcxRegion> saved(canvas->GetClipRegion());
  canvas->SetFont(Font());
  PaintHeader();
  const int namesTop = metrics_.HeaderHeight + (flat_ ? 0 : 1);
  PaintDayNames(namesTop);
  PaintDays(namesTop + metrics_.DayNamesHeight);
  const RECT client = ClientRect();
  if (ButtonsVisible()) {
    const int y = client.bottom - metrics_.ButtonsBandHeight - 1;
    const RECT line{metrics_.SideMargin, y, client.right - metrics_.SideMargin, y + 1};
    canvas->SetBrushColor(clBtnShadow);
    canvas->FillRect(line);
    canvas->ExcludeClipRect(line);
  }
  canvas->SetBrushColor(Color());
  canvas->FillRect(client);
  canvas->SetClipRegion(saved.release(), roSet);
}

void TcxCustomCalendar::PaintHeader() {
  TcxCanvas* canvas = Canvas();
  const TcxLookAndFeelPainterClass painter = TcxUltraFlatLookAndFeelPainter::Class();
  for (const auto& [rect, direction] : {std::pair{LeftArrowRect(), adLeft}, std::pair{RightArrowRect(), adRight}}) {
    painter->PaintArrowButton(canvas, rect, cxbsNormal, direction);
    canvas->ExcludeClipRect(rect);
  }
  RECT header{0, 0, ClientWidth(), metrics_.HeaderHeight};
  if (!flat_) header.bottom += 1;
  canvas->SetBrushColor(clBtnFace);
  canvas->Font()->SetColor(clBtnText);
  const String caption = cxCalendarMonthCaption(firstDate_);
  if (flat_) {
    canvas->FillRect(header);
    RECT text = header;
    text.bottom -= 1;
    canvas->DrawText(caption, text, cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine);
    canvas->SetBrushColor(clBtnText);
    canvas->FillRect({header.left, header.bottom - 1, header.right, header.bottom});
  } else {
    canvas->FillRect(header);
    RECT text = header;
    InflateRect(&text, -1, -2);
    canvas->DrawText(caption, text, cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine);
    RECT bevel = header;
    InflateRect(&bevel, 0, -1);
    canvas->DrawBevelFrame(bevel, false, true);
  }
  canvas->ExcludeClipRect(header);
}

void TcxCustomCalendar::PaintDayNames(int ATop) {
  TcxCanvas* canvas = Canvas();
  const int left = metrics_.SideMargin, width = 7 * metrics_.ColumnWidth;
  const RECT row{left, ATop, left + width, ATop + metrics_.DayNamesHeight};
  canvas->SetBrushColor(Color());
  canvas->FillRect({left - 8, ATop, left, row.bottom});
  canvas->FillRect({row.right, ATop, row.right + 8, row.bottom});
  canvas->FillRect(row);
  canvas->SetBrushColor(clBtnShadow);
  canvas->FillRect({left, row.bottom - 2, row.right, row.bottom - 1});
  canvas->SetBrushColor(clWindow);
  canvas->FillRect({left, row.bottom - 1, row.right, row.bottom});
  canvas->Font()->SetColor(clWindowText);
  canvas->Brush()->SetStyle(bsClear);
  const int firstWeekDay = FirstWeekDay();
  for (int column = 0; column < 7; ++column) {
    const String& name = FormatSettings().ShortDayNames[(firstWeekDay + column) % 7];
    const RECT cell{left + column * metrics_.ColumnWidth, ATop, left + (column + 1) * metrics_.ColumnWidth - 3,
                    row.bottom - 2};
    canvas->DrawText(name.substr(0, 1), cell, cxtfRight | cxtfVertCenter | cxtfSingleLine);
  }
  canvas->Brush()->SetStyle(bsSolid);
  canvas->ExcludeClipRect({left - 8, ATop, row.right + 8, row.bottom});
}

void TcxCustomCalendar::PaintDays(int ATop) {
  TcxCanvas* canvas = Canvas();
  const TDateTime today = std::floor(Date());
  const TDateTime first = GetFirstVisibleDate();
  const TDateTime last = GetLastDate();
  const TDateTime selected = selectDate_ == cxNullDate ? today : std::floor(selectDate_);
  for (int i = 0; i < 42; ++i) {
    const TDateTime date = first + i;
    RECT cell{metrics_.SideMargin + (i % 7) * metrics_.ColumnWidth, ATop + (i / 7) * metrics_.RowHeight, 0, 0};
    cell.right = cell.left + metrics_.ColumnWidth;
    cell.bottom = cell.top + metrics_.RowHeight;
    const bool isSelected = date == selected;
    if (date == today) {
      canvas->FrameRect(cell, kTodayFrameColor);
      InflateRect(&cell, -1, -1);
    }
    canvas->SetBrushColor(isSelected ? clHighlight : Color());
    canvas->Font()->SetColor(isSelected                              ? clHighlightText
                             : date < firstDate_ || date > last ? clGrayText
                                                                  : clWindowText);
    Word year, month, day;
    DecodeDate(date, year, month, day);
    canvas->FillRect(cell);
    RECT text = cell;
    text.right -= 3;
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(IntToStr(day), text, cxtfRight | cxtfVertCenter | cxtfSingleLine);
    canvas->Brush()->SetStyle(bsSolid);
  }
  canvas->ExcludeClipRect({metrics_.SideMargin, ATop, metrics_.SideMargin + 7 * metrics_.ColumnWidth,
                           ATop + 6 * metrics_.RowHeight});
}
