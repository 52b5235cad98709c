// The grid opening a column's filter drop-down under its header, and routing input to it while it
// shows: keys go to the list, mouse messages over it too, a lost focus closes it.
#include <algorithm>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridFilterDropDown.h"
#include "platform/win/Windows.h"

void TCustomdxDBGrid::ShowFilterDropDown(int ColumnIndex) {
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListHeaderItem* header = info.FindHeader(ColumnIndex);
  if (!header || IsRectEmpty(&header->Rect) || !GetDBColumn(ColumnIndex)) return;
  const RECT rect = header->Rect;
  if (!filterDropDown_) filterDropDown_ = std::make_unique<TdxDBGridFilterPopupListBox>(nullptr, this);
  TdxDBGridFilterPopupListBox* list = filterDropDown_.get();
  list->SetVisible(false);
  list->SetParent(this);
  list->SetColumn(GetDBColumn(ColumnIndex));
  list->SetIntegralHeight(true);
  list->SetColor(Color());
  list->Font()->Assign(Font());
  list->SetPopupBorder(LookAndFeel() == lfUltraFlat ? pbSingle : pbFlat);
  list->HandleNeeded();
  list->Fill();

  const TdxDBGridFilter* filter = Filter();
  const int count = list->Items()->Count();
  const int rows =
      filter->DropDownCount() > 0 && count >= filter->DropDownCount() ? filter->DropDownCount() : count;
  list->SetClientHeight(rows * list->ItemHeight());
  list->SetWidth(rect.right - rect.left);
  int width = filter->DropDownWidth();
  if (width == 0) {
    width = list->ClientWidth();
    for (int i = 0; i < count; ++i)
      width = std::max(width, list->Canvas()->TextWidth(list->Items()->Strings(i)));
  }
  list->SetClientWidth(width + 4);
  if (list->Width() < width) list->SetWidth(width);

  POINT at = ClientToScreen(POINT{rect.left, rect.bottom});
  AdjustPopupPosition(at, list->Width(), list->Height(), rect.bottom - rect.top);
  SetWindowPos(list->Handle(), HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  filterDropDownVisible_ = true;
}

TdxDBGridFilterPopupListBox* TCustomdxDBGrid::FilterDropDown() const { return filterDropDown_.get(); }

void TCustomdxDBGrid::CloseFilterDropDown(bool Accept) {
  if (filterDropDown_) filterDropDown_->CloseUp(Accept);
}

void TCustomdxDBGrid::CancelDragSizing() {
  CloseFilterDropDown(false);
  TCustomdxDBTreeListControl::CancelDragSizing();
}

bool TCustomdxDBGrid::RouteFilterDropDownMessage(TMessage& Message) {
  if (!filterDropDownVisible_ || !filterDropDown_) return false;
  TdxDBGridFilterPopupListBox* list = filterDropDown_.get();
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
      Message.Result = SendMessage(list->Handle(), Message.Msg, Message.WParam, Message.LParam);
      return true;
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
      if (Message.Msg == WM_KILLFOCUS && reinterpret_cast<HWND>(Message.WParam) == list->Handle())
        return false;
      CloseFilterDropDown(false);
      return false;
    default:
      break;
  }
  if (Message.Msg < WM_MOUSEFIRST || Message.Msg > WM_MOUSELAST) return false;
  POINT screen = ClientToScreen(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
  RECT bounds;
  GetWindowRect(list->Handle(), &bounds);
  if (PtInRect(&bounds, screen)) {
    POINT local = list->ScreenToClient(screen);
    Message.Result = SendMessage(list->Handle(), Message.Msg, Message.WParam, MAKELPARAM(local.x, local.y));
    return true;
  }
  // Outside the list only the left button and moves reach the grid.
  return !(Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONUP || Message.Msg == WM_MOUSEMOVE);
}

void TCustomdxDBGrid::WndProc(TMessage& Message) {
  if (RouteFilterDropDownMessage(Message)) return;
  TCustomdxDBTreeListControl::WndProc(Message);
}
