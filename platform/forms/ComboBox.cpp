// TCustomComboBox over the "COMBOBOX" window class, its Items, and TComboBoxEx.
#include "platform/forms/ComboBox.h"

#include "platform/classes/Published.h"
#include "platform/forms/ImageListLink.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TComboBoxStrings)
TRENVIK_IMPLEMENT_CLASS(TCustomComboBox)

TRENVIK_PUBLISHED(TComboBox) {
  P.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
  P.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight).Default(16);
  P.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
  P.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
  P.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
  P.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
  P.Property("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
  P.Property("Text", &TComboBox::Text, &TComboBox::SetText);
  P.Event("OnChange", &TComboBox::OnChange);
  P.Event("OnCloseUp", &TComboBox::OnCloseUp);
  P.Event("OnDrawItem", &TComboBox::OnDrawItem);
  P.Event("OnDropDown", &TComboBox::OnDropDown);
  P.Event("OnMeasureItem", &TComboBox::OnMeasureItem);
  P.Event("OnSelect", &TComboBox::OnSelect);
}

TRENVIK_PUBLISHED(TComboBoxEx) {
  P.Property("DropDownCount", &TComboBoxEx::DropDownCount, &TComboBoxEx::SetDropDownCount).Default(8);
  P.Property("Images", &TComboBoxEx::Images, &TComboBoxEx::SetImages);
  P.Property("ItemIndex", &TComboBoxEx::ItemIndex, &TComboBoxEx::SetItemIndex).Default(-1);
  P.Property("Items", &TComboBoxEx::Items, &TComboBoxEx::SetItems);
  P.Property("Style", &TComboBoxEx::StyleEx, &TComboBoxEx::SetStyleEx).Default(csExDropDown);
  P.Property("Text", &TComboBoxEx::Text, &TComboBoxEx::SetText);
  P.Event("OnChange", &TComboBoxEx::OnChange);
  P.Event("OnCloseUp", &TComboBoxEx::OnCloseUp);
  P.Event("OnDropDown", &TComboBoxEx::OnDropDown);
  P.Event("OnSelect", &TComboBoxEx::OnSelect);
}

// --- TComboBoxStrings ---

HWND TComboBoxStrings::Wnd() const { return comboBox_->Handle(); }

TObject* TComboBoxStrings::GetObject(int Index) const {
  CheckIndex(Index);
  return reinterpret_cast<TObject*>(comboBox_->GetItemData(Index));
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  comboBox_->SetItemData(Index, reinterpret_cast<LRESULT>(AObject));
}

void TComboBoxStrings::Clear() { comboBox_->Clear(); }

int TComboBoxStrings::IndexOf(const String& S) const {
  LRESULT i = SendMessage(Wnd(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S.c_str()));
  return i < 0 ? -1 : static_cast<int>(i);
}

// --- TCustomComboBox ---

TRENVIK_MESSAGE_MAP(TCustomComboBox) {
  M.On(CN_COMMAND, &TCustomComboBox::CNCommand);
  M.On(CN_DRAWITEM, &TCustomComboBox::CNDrawItem);
  M.On(CN_MEASUREITEM, &TCustomComboBox::CNMeasureItem);
  M.On(CN_DELETEITEM, &TCustomComboBox::CNDeleteItem);
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(Left(), Top(), 145, 24);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  items_ = std::make_unique<TComboBoxStrings>(this);
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kComboBoxClassName);
  Params.Style |= CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  switch (style_) {
    case csDropDown:
    case csSimple: Params.Style |= CBS_DROPDOWN; break;
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
  }
  if (IsOwnerDrawn() && !(Params.Style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)))
    Params.Style |= CBS_OWNERDRAWFIXED;
  if (sorted_) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  inherited::CreateWnd();
  HWND h = WindowHandle();
  SendMessage(h, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_), 0);
  if (maxLength_ > 0) SendMessage(h, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (IsOwnerDrawn()) {
    SendMessage(h, CB_SETITEMHEIGHT, 0, itemHeight_);
    SendMessage(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
  }
  if (!saved_.Empty()) {
    saved_.Restore(h, kComboBoxItems);
    SetItemIndex(savedIndex_);
  }
}

void TCustomComboBox::DestroyWnd() {
  saved_.Save(WindowHandle(), kComboBoxItems);
  savedIndex_ = ItemIndex();
  inherited::DestroyWnd();
}

LRESULT TCustomComboBox::GetItemData(int Index) {
  return SendMessage(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
}

void TCustomComboBox::SetItemData(int Index, LRESULT Data) {
  SendMessage(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(Index), Data);
}

void TCustomComboBox::DeleteItemData(LRESULT) {}

int TCustomComboBox::ItemIndex() { return static_cast<int>(SendMessage(Handle(), CB_GETCURSEL, 0, 0)); }

void TCustomComboBox::SetItemIndex(int Value) {
  if (ItemIndex() != Value) SendMessage(Handle(), CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomComboBox::Clear() {
  SendMessage(Handle(), CB_RESETCONTENT, 0, 0);
  SetText(String());
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && SendMessage(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) { SendMessage(Handle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::SetDropDownCount(int Value) {
  dropDownCount_ = std::max(1, Value);
  if (HandleAllocated()) SendMessage(WindowHandle(), CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_), 0);
}

int TCustomComboBox::ItemHeight() {
  if (IsOwnerDrawn() || !HandleAllocated()) return itemHeight_;
  return static_cast<int>(SendMessage(WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0 || itemHeight_ == Value) return;
  itemHeight_ = Value;
  if (IsOwnerDrawn() && HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int Value) {
  maxLength_ = std::max(0, Value);
  if (HandleAllocated()) SendMessage(WindowHandle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomComboBox::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  sorted_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SelectAll() {
  if (HandleAllocated()) SendMessage(WindowHandle(), CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::CNCommand(TWMCommand& Message) {
  switch (Message.NotifyCode()) {
    case CBN_SELCHANGE:
      Click();
      Select();
      break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_CLOSEUP: CloseUp(); break;
    default: break;
  }
}

void TCustomComboBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_->FillRect(Rect);
  if (Index >= 0) canvas_->TextOut(Rect.left + 2, Rect.top, items_->Strings(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
  auto* ds = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state;
  if (ds->itemState & ODS_SELECTED) state += TOwnerDrawState{odSelected};
  if (ds->itemState & ODS_FOCUS) state += TOwnerDrawState{odFocused};
  if (ds->itemState & ODS_DISABLED) state += TOwnerDrawState{odDisabled};
  if (ds->itemState & ODS_COMBOBOXEDIT) state += TOwnerDrawState{odComboBoxEdit};
  canvas_->SetHandle(ds->hDC);
  canvas_->Font()->Assign(Font());
  canvas_->Brush()->Assign(Brush());
  if (state.Contains(odSelected)) {
    canvas_->Brush()->SetColor(clHighlight);
    canvas_->Font()->SetColor(clHighlightText);
  }
  const int index = static_cast<int>(ds->itemID);
  DrawItem(index >= 0 && index < items_->Count() ? index : -1, ds->rcItem, state);
  if (state.Contains(odFocused)) DrawFocusRect(ds->hDC, &ds->rcItem);
  canvas_->SetHandle(nullptr);
  Message.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TMessage& Message) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = itemHeight_;
  if (style_ == csOwnerDrawVariable) MeasureItem(static_cast<int>(mi->itemID), height);
  mi->itemHeight = static_cast<UINT>(height);
  Message.Result = TRUE;
}

void TCustomComboBox::CNDeleteItem(TMessage& Message) {
  DeleteItemData(static_cast<LRESULT>(reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->itemData));
  Message.Result = TRUE;
}

// --- TComboBoxEx ---

TComboBoxEx::TComboBoxEx(TComponent* AOwner) : TCustomComboBox(AOwner) {
  imageLink_ = std::make_unique<TChangeLink>();
  imageLink_->OnChange = [this](TObject*) { Invalidate(); };
}

TComboBoxEx::~TComboBoxEx() { SetImages(nullptr); }

TComboBoxEx::TItemLook& TComboBoxEx::Look(int Index) {
  LRESULT raw = TCustomComboBox::GetItemData(Index);
  auto* look = reinterpret_cast<TItemLook*>(raw);
  if (!look || !looks_.count(look)) {
    auto made = std::make_unique<TItemLook>();
    look = made.get();
    looks_[look] = std::move(made);
    TCustomComboBox::SetItemData(Index, reinterpret_cast<LRESULT>(look));
  }
  return *look;
}

LRESULT TComboBoxEx::GetItemData(int Index) { return Look(Index).data; }
void TComboBoxEx::SetItemData(int Index, LRESULT Data) { Look(Index).data = Data; }
void TComboBoxEx::DeleteItemData(LRESULT Data) { looks_.erase(reinterpret_cast<TItemLook*>(Data)); }

int TComboBoxEx::AddItem(const String& Caption, int ImageIndex, int Indent) {
  int i = Items()->Add(Caption);
  TItemLook& look = Look(i);
  look.image = ImageIndex;
  look.indent = std::max(0, Indent);
  return i;
}

int TComboBoxEx::ItemImageIndex(int Index) {
  if (Index < 0 || Index >= Items()->Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Look(Index).image;
}

void TComboBoxEx::SetItemImageIndex(int Index, int ImageIndex) {
  if (Index < 0 || Index >= Items()->Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  Look(Index).image = ImageIndex;
  Invalidate();
}

void TComboBoxEx::SetStyleEx(TComboBoxExStyle Value) {
  styleEx_ = Value;
  SetStyle(Value == csExDropDownList ? csOwnerDrawFixed : csDropDown);
}

void TComboBoxEx::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  LinkImageList(this, images_, Value, imageLink_.get());
  if (!ComponentState().Contains(csDestroying)) Invalidate();
}

void TComboBoxEx::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

void TComboBoxEx::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  TCanvas* c = Canvas();
  c->FillRect(Rect);
  if (Index < 0) return;
  const TItemLook& look = Look(Index);
  int x = Rect.left + 2;
  // The edit field shows the item without its indent.
  if (!State.Contains(odComboBoxEdit) && images_) x += look.indent * images_->Width();
  if (images_ && look.image >= 0) {
    images_->Draw(c, x, Rect.top + (Rect.bottom - Rect.top - images_->Height()) / 2, look.image, Enabled());
    x += images_->Width() + 4;
  }
  c->Brush()->SetStyle(bsClear);
  c->TextOut(x, Rect.top + (Rect.bottom - Rect.top - c->TextHeight(u"Wg")) / 2, Items()->Strings(Index));
  c->Brush()->SetStyle(bsSolid);
}
