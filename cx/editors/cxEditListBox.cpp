#include "cx/editors/cxEditListBox.h"

#include "platform/gdi/Text.h"
#include "platform/win/Focus.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"
#include "platform/win/Metrics.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditListBox)

TcxCustomEditListBox::TcxCustomEditListBox(TComponent* AOwner) : TcxCustomInnerListBox(AOwner) {
  SetStyle(lbOwnerDrawVariable);
}

int TcxCustomEditListBox::GetItemHeight(int) {
  Canvas()->SetFont(Font());
  return Canvas()->TextHeight(u"Wg");
}

void TcxCustomEditListBox::MeasureItem(int, int& Height) { Height = GetItemHeight(-1); }

void TcxCustomEditListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  if (DoDrawItem(Index, Rect, State)) return;
  Canvas()->FillRect(Rect);
  if (Index < 0 || Index >= Items()->Count()) return;
  RECT text = Rect;
  text.left += 2;
  const String item = GetItem(Index);
  DrawText(Canvas()->Handle(), item.c_str(), static_cast<int>(item.size()), &text,
           DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void TcxCustomEditListBox::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!hotTrack_ || (HandleAllocated() && GetCapture() == Handle())) return;
  const int index = ItemAtPos({X, Y}, false);
  if (index != -1 && index != ItemIndex()) SetItemIndex(index);
}

void TcxCustomEditListBox::SetItemIndex(int Value) {
  TListBox::SetItemIndex(Value);
  DoSelectItem();
}

void TcxCustomEditListBox::Click() {
  inherited::Click();
  DoSelectItem();
}

void TcxCustomEditListBox::DoSelectItem() {
  UpdateScrollBars();
  if (OnSelectItem) OnSelectItem(this);
}

bool TcxCustomEditListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (inherited::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines < 1) return false;
  LRESULT result = 0;
  for (UINT i = 0; i < lines; ++i)
    result = SendMessage(Handle(), WM_VSCROLL, WheelDelta <= 0 ? SB_LINEDOWN : SB_LINEUP, 0);
  return result == 0;
}

void SetListBoxItemCount(TListBox* AListBox, int ACount) {
  if (AListBox->Items()->Count() == ACount) return;
  AListBox->Items()->BeginUpdate();
  AListBox->Items()->Clear();
  for (int i = 0; i < ACount; ++i) AListBox->Items()->Add(String());
  AListBox->Items()->EndUpdate();
}
