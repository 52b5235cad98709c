// TCustomListBox over the "LISTBOX" window class, and its Items.
#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TListBoxStrings)
TRENVIK_IMPLEMENT_CLASS(TCustomListBox)

TRENVIK_PUBLISHED(TListBox) {
  P.Property("BorderStyle", &TListBox::BorderStyle, &TListBox::SetBorderStyle).Default(bsSingle);
  P.Property("Columns", &TListBox::Columns, &TListBox::SetColumns).Default(0);
  P.Property("ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect).Default(true);
  P.Property("IntegralHeight", &TListBox::IntegralHeight, &TListBox::SetIntegralHeight).Default(false);
  P.Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight).Default(16);
  P.Property("Items", &TListBox::Items, &TListBox::SetItems);
  P.Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect).Default(false);
  P.Property("ScrollWidth", &TListBox::ScrollWidth, &TListBox::SetScrollWidth).Default(0);
  P.Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted).Default(false);
  P.Property("Style", &TListBox::Style, &TListBox::SetStyle).Default(lbStandard);
  P.Event("OnDrawItem", &TListBox::OnDrawItem);
  P.Event("OnMeasureItem", &TListBox::OnMeasureItem);
}

namespace {

TOwnerDrawState DrawState(UINT itemState) {
  TOwnerDrawState s;
  if (itemState & ODS_SELECTED) s += TOwnerDrawState{odSelected};
  if (itemState & ODS_GRAYED) s += TOwnerDrawState{odGrayed};
  if (itemState & ODS_DISABLED) s += TOwnerDrawState{odDisabled};
  if (itemState & ODS_CHECKED) s += TOwnerDrawState{odChecked};
  if (itemState & ODS_FOCUS) s += TOwnerDrawState{odFocused};
  if (itemState & ODS_DEFAULT) s += TOwnerDrawState{odDefault};
  return s;
}

}  // namespace

// --- TListBoxStrings ---

HWND TListBoxStrings::Wnd() const { return listBox_->Handle(); }

TObject* TListBoxStrings::GetObject(int Index) const {
  CheckIndex(Index);
  return reinterpret_cast<TObject*>(listBox_->GetItemData(Index));
}

void TListBoxStrings::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  listBox_->SetItemData(Index, reinterpret_cast<LRESULT>(AObject));
}

void TListBoxStrings::Clear() { listBox_->Clear(); }

// --- TCustomListBox ---

TRENVIK_MESSAGE_MAP(TCustomListBox) {
  M.On(CN_COMMAND, &TCustomListBox::CNCommand);
  M.On(CN_DRAWITEM, &TCustomListBox::CNDrawItem);
  M.On(CN_MEASUREITEM, &TCustomListBox::CNMeasureItem);
  M.On(CN_DELETEITEM, &TCustomListBox::CNDeleteItem);
  M.On(WM_SIZE, &TCustomListBox::WMSize);
}

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(Left(), Top(), 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  items_ = std::make_unique<TListBoxStrings>(this);
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kListBoxClassName);
  Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY;
  if (style_ == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
  if (sorted_) Params.Style |= LBS_SORT;
  if (multiSelect_) Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!integralHeight_) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (columns_ > 0) Params.Style |= LBS_MULTICOLUMN;
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomListBox::CreateWnd() {
  inherited::CreateWnd();
  HWND h = WindowHandle();
  if (style_ != lbStandard) SendMessage(h, LB_SETITEMHEIGHT, 0, itemHeight_);
  if (columns_ > 0)
    SendMessage(h, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((Width() + columns_ - 3) / columns_), 0);
  if (scrollWidth_ > 0) SendMessage(h, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(scrollWidth_), 0);
  if (!saved_.Empty()) {
    saved_.Restore(h, kListBoxItems);
    SetItemIndex(savedIndex_);
    SendMessage(h, LB_SETTOPINDEX, static_cast<WPARAM>(savedTop_), 0);
  }
}

void TCustomListBox::DestroyWnd() {
  HWND h = WindowHandle();
  if (SendMessage(h, LB_GETCOUNT, 0, 0) > 0) {
    saved_.Save(h, kListBoxItems);
    savedIndex_ = ItemIndex();
    savedTop_ = TopIndex();
  }
  inherited::DestroyWnd();
}

void TCustomListBox::SetScrollWidth(int Value) {
  if (scrollWidth_ == Value) return;
  scrollWidth_ = std::max(0, Value);
  if (HandleAllocated()) SendMessage(WindowHandle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(scrollWidth_), 0);
}

void TCustomListBox::Clear() { SendMessage(Handle(), LB_RESETCONTENT, 0, 0); }

void TCustomListBox::ClearSelection() {
  if (multiSelect_)
    SendMessage(Handle(), LB_SETSEL, FALSE, -1);
  else
    SetItemIndex(-1);
}

void TCustomListBox::SelectAll() {
  if (multiSelect_) SendMessage(Handle(), LB_SETSEL, TRUE, -1);
}

int TCustomListBox::ItemAtPos(POINT Pos, bool Existing) {
  RECT client = ClientRect();
  int count = items_->Count();
  if (PtInRect(&client, Pos) && count > 0) {
    LRESULT r = SendMessage(Handle(), LB_ITEMFROMPOINT, 0,
                            MAKELPARAM(static_cast<WORD>(Pos.x), static_cast<WORD>(Pos.y)));
    if (HIWORD(static_cast<std::uintptr_t>(r)) == 0) return LOWORD(static_cast<std::uintptr_t>(r));
  }
  return Existing ? -1 : count;
}

RECT TCustomListBox::ItemRect(int Index) {
  RECT r{};
  int count = items_->Count();
  if (Index == count && count > 0) {
    SendMessage(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&r));
    OffsetRect(&r, 0, r.bottom - r.top);
    return r;
  }
  SendMessage(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return r;
}

int TCustomListBox::ItemIndex() {
  if (multiSelect_) return static_cast<int>(SendMessage(Handle(), LB_GETCARETINDEX, 0, 0));
  return static_cast<int>(SendMessage(Handle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (multiSelect_)
    SendMessage(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
  else
    SendMessage(Handle(), LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

int TCustomListBox::TopIndex() { return static_cast<int>(SendMessage(Handle(), LB_GETTOPINDEX, 0, 0)); }

void TCustomListBox::SetTopIndex(int Value) {
  if (TopIndex() != Value) SendMessage(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

bool TCustomListBox::Selected(int Index) {
  LRESULT r = SendMessage(Handle(), LB_GETSEL, static_cast<WPARAM>(Index), 0);
  if (r == LB_ERR) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (multiSelect_) {
    if (SendMessage(Handle(), LB_SETSEL, Value, Index) == LB_ERR)
      throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  } else if (Value) {
    SetItemIndex(Index);
  } else if (ItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::SelCount() { return static_cast<int>(SendMessage(Handle(), LB_GETSELCOUNT, 0, 0)); }

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetColumns(int Value) {
  if (columns_ == Value || Value < 0) return;
  bool styleChange = (columns_ == 0) != (Value == 0);
  columns_ = Value;
  if (styleChange)
    RecreateWnd();
  else if (HandleAllocated())
    SendMessage(WindowHandle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>((Width() + columns_ - 3) / columns_),
                0);
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (extendedSelect_ == Value) return;
  extendedSelect_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (integralHeight_ == Value) return;
  integralHeight_ = Value;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() {
  if (HandleAllocated() && style_ == lbStandard)
    return static_cast<int>(SendMessage(WindowHandle(), LB_GETITEMHEIGHT, 0, 0));
  return itemHeight_;
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || itemHeight_ == Value) return;
  itemHeight_ = Value;
  if (HandleAllocated() && style_ != lbStandard) RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (multiSelect_ == Value) return;
  multiSelect_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  sorted_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  RecreateWnd();
}

LRESULT TCustomListBox::GetItemData(int Index) {
  return SendMessage(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
}

void TCustomListBox::SetItemData(int Index, LRESULT Data) {
  SendMessage(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(Index), Data);
}

void TCustomListBox::DeleteItemData(int, LRESULT) {}

void TCustomListBox::CNCommand(TWMCommand& Message) {
  switch (Message.NotifyCode()) {
    case LBN_SELCHANGE:
      Changed();
      Click();
      break;
    case LBN_DBLCLK:
      DblClick();
      break;
  }
}

void TCustomListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_->FillRect(Rect);
  if (Index < items_->Count()) canvas_->TextOut(Rect.left + 2, Rect.top, items_->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  auto* ds = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state = DrawState(ds->itemState);
  canvas_->SetHandle(ds->hDC);
  canvas_->Font()->Assign(Font());
  canvas_->Brush()->Assign(Brush());
  int index = static_cast<int>(ds->itemID);
  if (index >= 0 && state.Contains(odSelected)) {
    canvas_->Brush()->SetColor(clHighlight);
    canvas_->Font()->SetColor(clHighlightText);
  }
  if (index >= 0)
    DrawItem(index, ds->rcItem, state);
  else
    canvas_->FillRect(ds->rcItem);
  if (state.Contains(odFocused)) DrawFocusRect(ds->hDC, &ds->rcItem);
  canvas_->SetHandle(nullptr);
  Message.Result = TRUE;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = itemHeight_;
  if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(mi->itemID), height);
  mi->itemHeight = static_cast<UINT>(height);
  Message.Result = TRUE;
}

void TCustomListBox::CNDeleteItem(TMessage& Message) {
  auto* di = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
  DeleteItemData(static_cast<int>(di->itemID), static_cast<LRESULT>(di->itemData));
  Message.Result = TRUE;
}

void TCustomListBox::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (columns_ > 0 && HandleAllocated())
    SendMessage(WindowHandle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>((Width() + columns_ - 3) / columns_),
                0);
}
