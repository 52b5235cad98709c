// TCheckListBox: an owner-drawn list box with a check box before each item.
#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TCheckListBox) {
  P.Property("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
  P.Property("BorderStyle", &TCheckListBox::BorderStyle, &TCheckListBox::SetBorderStyle).Default(bsSingle);
  P.Property("Columns", &TCheckListBox::Columns, &TCheckListBox::SetColumns).Default(0);
  P.Property("Flat", &TCheckListBox::Flat, &TCheckListBox::SetFlat).Default(true);
  P.Property("IntegralHeight", &TCheckListBox::IntegralHeight, &TCheckListBox::SetIntegralHeight)
      .Default(false);
  P.Property("ItemHeight", &TCheckListBox::ItemHeight, &TCheckListBox::SetItemHeight).Default(16);
  P.Property("Items", &TCheckListBox::Items, &TCheckListBox::SetItems);
  P.Property("Sorted", &TCheckListBox::Sorted, &TCheckListBox::SetSorted).Default(false);
  P.Property("Style", &TCheckListBox::Style, &TCheckListBox::SetStyle).Default(lbStandard);
  P.Event("OnClickCheck", &TCheckListBox::OnClickCheck);
  P.Event("OnDrawItem", &TCheckListBox::OnDrawItem);
  P.Event("OnMeasureItem", &TCheckListBox::OnMeasureItem);
}

namespace {

constexpr int kCheckSize = 13;
constexpr int kCheckWidth = kCheckSize + 2;

}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

TCheckListBox::~TCheckListBox() = default;

void TCheckListBox::CreateWnd() {
  // The check boxes are drawn by the control: a standard list becomes owner-drawn, its items
  // at least as high as the box.
  if (Style() == lbStandard) {
    SetStyle(lbOwnerDrawFixed);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, Font()->Handle());
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    DeleteDC(dc);
    SetItemHeight(std::max<int>(tm.tmHeight, kCheckWidth));
  }
  inherited::CreateWnd();
}

TCheckListBox::TItemState& TCheckListBox::ItemState(int Index) {
  if (Index < 0 || Index >= Items()->Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  LRESULT raw = inherited::GetItemData(Index);
  auto* state = reinterpret_cast<TItemState*>(raw);
  if (!state || !states_.count(state)) {
    auto made = std::make_unique<TItemState>();
    state = made.get();
    states_[state] = std::move(made);
    inherited::SetItemData(Index, reinterpret_cast<LRESULT>(state));
  }
  return *state;
}

LRESULT TCheckListBox::GetItemData(int Index) { return ItemState(Index).data; }

void TCheckListBox::SetItemData(int Index, LRESULT Data) { ItemState(Index).data = Data; }

void TCheckListBox::DeleteItemData(int, LRESULT Data) { states_.erase(reinterpret_cast<TItemState*>(Data)); }

TCheckBoxState TCheckListBox::State(int Index) { return ItemState(Index).state; }

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
  TItemState& s = ItemState(Index);
  if (s.state == Value) return;
  s.state = Value;
  RECT r = ItemRect(Index);
  InvalidateRect(Handle(), &r, FALSE);
}

bool TCheckListBox::ItemEnabled(int Index) { return ItemState(Index).enabled; }

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
  TItemState& s = ItemState(Index);
  if (s.enabled == Value) return;
  s.enabled = Value;
  RECT r = ItemRect(Index);
  InvalidateRect(Handle(), &r, FALSE);
}

void TCheckListBox::SetFlat(bool Value) {
  if (flat_ == Value) return;
  flat_ = Value;
  Invalidate();
}

void TCheckListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  RECT box = Rect;
  box.right = box.left + kCheckWidth;
  RECT text = Rect;
  text.left = box.right;
  TItemState& s = ItemState(Index);
  HDC dc = Canvas()->Handle();
  HBRUSH back = CreateSolidBrush(ColorToColorRef(Color()));
  FillRect(dc, &box, back);
  DeleteObject(back);
  RECT check{box.left + 1, (Rect.top + Rect.bottom - kCheckSize) / 2, 0, 0};
  check.right = check.left + kCheckSize;
  check.bottom = check.top + kCheckSize;
  UINT flags = s.state == cbGrayed ? DFCS_BUTTON3STATE | DFCS_CHECKED : DFCS_BUTTONCHECK;
  if (s.state == cbChecked) flags |= DFCS_CHECKED;
  if (flat_) flags |= DFCS_FLAT;
  if (!s.enabled || !Enabled()) flags |= DFCS_INACTIVE;
  DrawFrameControl(dc, &check, DFC_BUTTON, flags);
  if (!s.enabled) Canvas()->Font()->SetColor(clGrayText);
  inherited::DrawItem(Index, text, State);
}

void TCheckListBox::ToggleClickCheck(int Index) {
  if (Index < 0 || Index >= Items()->Count() || !ItemEnabled(Index)) return;
  switch (State(Index)) {
    case cbUnchecked:
      SetState(Index, allowGrayed_ ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(Index, cbUnchecked);
      break;
    case cbGrayed:
      SetState(Index, cbChecked);
      break;
  }
  ClickCheck();
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key == u' ') {
    ToggleClickCheck(ItemIndex());
    Key = 0;
  }
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    int index = ItemAtPos(POINT{X, Y}, true);
    if (index >= 0 && X - ItemRect(index).left < kCheckWidth) ToggleClickCheck(index);
  }
  inherited::MouseDown(Button, Shift, X, Y);
}
