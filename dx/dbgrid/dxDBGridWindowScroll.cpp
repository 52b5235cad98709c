// Dataset-window mode: the vertical scroll bar and the wheel move the dataset, whose window of
// buffered records the rows show; the other modes scroll their nodes as the engine does.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/win/Windows.h"

TRENVIK_MESSAGE_MAP(TCustomdxDBGrid) { M.On(WM_VSCROLL, &TCustomdxDBGrid::WMVScroll); }

namespace {

// The thumb of a dataset that cannot count its records stands at 0 (first), 1 and 3 (a page before
// or after) or 4 (last).
void MoveToUnsequencedThumb(TDataSet* DataSet, int Position, int PageRows) {
  switch (Position) {
    case 0:
      DataSet->First();
      break;
    case 1:
      DataSet->MoveBy(-PageRows);
      break;
    case 3:
      DataSet->MoveBy(PageRows);
      break;
    case 4:
      DataSet->Last();
      break;
    default:
      break;
  }
}

void MoveToSequencedThumb(TDataSet* DataSet, int Position) {
  if (Position <= 1)
    DataSet->First();
  else if (Position < DataSet->RecordCount())
    DataSet->SetRecNo(Position);
  else
    DataSet->Last();
}

}  // namespace

void TCustomdxDBGrid::WMVScroll(TMessage& Message) {
  TDataSet* ds = GetDataSet();
  if (!IsDataSetWindowMode() || !ds || !dataLink_->Active()) {
    inherited::Dispatch(Message);
    return;
  }
  CloseEditor();
  const int pageRows = std::max(1, FullVisibleRowCount());
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP:
      ds->MoveBy(-(dataLink_->ActiveRecord() + 1));
      break;
    case SB_LINEDOWN:
      ds->MoveBy(dataLink_->RecordCount() - dataLink_->ActiveRecord());
      break;
    case SB_PAGEUP:
      ds->MoveBy(-pageRows);
      break;
    case SB_PAGEDOWN:
      ds->MoveBy(pageRows);
      break;
    case SB_THUMBPOSITION:
      if (ds->IsSequenced())
        MoveToSequencedThumb(ds, static_cast<short>(HIWORD(Message.WParam)));
      else
        MoveToUnsequencedThumb(ds, static_cast<short>(HIWORD(Message.WParam)), pageRows);
      break;
    case SB_TOP:
      ds->First();
      break;
    case SB_BOTTOM:
      ds->Last();
      break;
    default:
      break;
  }
}

void TCustomdxDBGrid::MouseWheelScroll(bool Up, int Lines) {
  TDataSet* ds = GetDataSet();
  if (!IsDataSetWindowMode() || !ds || !dataLink_->Active()) {
    TCustomdxDBTreeListControl::MouseWheelScroll(Up, Lines);
    return;
  }
  ds->MoveBy(Up ? -1 : 1);
}
