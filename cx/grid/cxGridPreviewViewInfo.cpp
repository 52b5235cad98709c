#include "cx/grid/cxGridPreviewViewInfo.h"

#include <algorithm>

#include "cx/grid/cxGridTableHitTests.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxGridTableViewPartStyles.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridPreviewCellViewInfo)

// The band draws its text as a plain cell: the editors' view data neither wrap nor indent.
TcxGridPreviewCellViewInfo::TcxGridPreviewCellViewInfo(TcxGridDataRowViewInfo* ARowViewInfo,
                                                       TcxCustomGridTableItem* AColumn)
    : TcxGridDataCellViewInfo(ARowViewInfo, AColumn, -1, false) {}

TcxGridPreview* TcxGridPreviewCellViewInfo::Preview() const { return RowViewInfo()->GridTableView()->Preview(); }

int TcxGridPreviewCellViewInfo::CachedHeight() {
  const int index = GridRecord()->Index();
  auto* item = dynamic_cast<TcxGridTableViewInfoCacheItem*>(index >= 0 ? TableView()->ViewInfoCache()->GetItem(index)
                                                                       : nullptr);
  if (item && item->IsPreviewHeightAssigned()) return item->PreviewHeight();
  const int height = CalculateHeight();
  if (item) item->SetPreviewHeight(height);
  return height;
}

// The row may not have its bounds yet when the band is measured: its cells area is the rows' data
// width less what the row's indents take of its own width.
int TcxGridPreviewCellViewInfo::CalculateWidth() {
  TcxGridDataRowViewInfo* row = RowViewInfo();
  return row->RowsViewInfo()->DataWidth() - (row->Bounds.right - row->Bounds.left) + row->GetCellsAreaWidth();
}

bool TcxGridPreviewCellViewInfo::IsAutoHeight() { return Preview()->AutoHeight(); }

int TcxGridPreviewCellViewInfo::GetMaxLineCount() { return Preview()->MaxLineCount(); }

RECT TcxGridPreviewCellViewInfo::GetEditContentOffsets() {
  return RECT{Preview()->LeftIndent(), 1, Preview()->RightIndent(), 1};
}

RECT TcxGridPreviewCellViewInfo::GetTextAreaBounds() {
  RECT r = ContentBounds();
  InflateRect(&r, 0, -cxGridCellTextOffset);
  r.left += Preview()->LeftIndent();
  r.right -= Preview()->RightIndent();
  return r;
}

// Measured before the band is laid out: from its width, not from bounds it does not have yet.
int TcxGridPreviewCellViewInfo::TextAreaWidth() {
  int width = CalculateWidth();
  const TcxBorders borders = GetBorders();
  for (TcxBorder side : {bLeft, bRight})
    if (borders.Contains(side)) width -= GetBorderWidth(side);
  return width - Preview()->LeftIndent() - Preview()->RightIndent();
}

int TcxGridPreviewCellViewInfo::CalculateHeight() {
  TcxCanvas* canvas = GetCanvas();
  TcxStyleParams& params = Params();
  const int lineHeight = canvas->FontHeight(params.Font);
  const int maxLines = GetMaxLineCount();
  int textHeight = lineHeight * maxLines;
  if (IsAutoHeight()) {
    const String& text = Text();
    if (text.empty()) return 0;
    RECT r{0, 0, std::max(TextAreaWidth(), 1), 0};
    if (params.Font) canvas->SetFont(params.Font);
    canvas->CalcTextRect(text, r, cxtfLeft | cxtfTop | cxtfWordBreak);
    textHeight = r.bottom - r.top;
    if (maxLines > 0) textHeight = std::min(textHeight, lineHeight * maxLines);
  }
  return RowViewInfo()->RowsViewInfo()->GetRecordHeight(textHeight + 2 * cxGridCellTextOffset);
}

TcxBorders TcxGridPreviewCellViewInfo::GetBorders() { return TableViewInfo()->GetCellBorders(true, true); }

void TcxGridPreviewCellViewInfo::GetViewParams(TcxStyleParams& AParams) {
  if (Selected()) {
    GetRecordParams(Item(), AParams);
    return;
  }
  static_cast<TcxGridTableViewStyles*>(TableView()->Styles())->GetPreviewParams(GridRecord(), Item(), AParams);
}

TClass TcxGridPreviewCellViewInfo::GetHitTestClass() { return TcxGridPreviewHitTest::StaticClass(); }
