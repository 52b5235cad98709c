#include "dx/editors/dxLookupEdit.h"

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxEditButtonInput.h"
#include "dx/editors/dxPopupListBox.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

bool LookupValuesEqual(const Variant& A, const Variant& B) {
  try {
    return A == B;
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace

// --- The pop-up list ---

TRENVIK_IMPLEMENT_CLASS(TPopupDBLookupListBox)

TRENVIK_MESSAGE_MAP(TPopupDBLookupListBox) {
  M.On(WM_NCCALCSIZE, &TPopupDBLookupListBox::WMNCCalcSize);
  M.On(WM_NCPAINT, &TPopupDBLookupListBox::WMNCPaint);
  M.On(WM_SIZE, &TPopupDBLookupListBox::WMSize);
}

TPopupDBLookupListBox::TPopupDBLookupListBox(TComponent* AOwner) : TPopupDataList(AOwner) {}

void TPopupDBLookupListBox::CreateParams(TCreateParams& Params) {
  TPopupDataList::CreateParams(Params);
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.Style &= ~WS_BORDER;
  Params.WindowClass.style = CS_SAVEBITS;
}

int TPopupDBLookupListBox::GetBorderSize() {
  const int frame = frame_.Border == pbDefault ? TPopupDataList::GetBorderSize() : 2 * PopupFrameWidth(frame_.Border);
  return frame + (frame_.Shadow ? frame_.ShadowSize : 0);
}

void TPopupDBLookupListBox::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  frame_.CalcClient(Message);
}

void TPopupDBLookupListBox::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  frame_.Paint(Handle());
}

void TPopupDBLookupListBox::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  frame_.ApplyShadowRegion(Handle());
}

void TPopupDBLookupListBox::SetPopupBorder(TdxPopupBorder Value) {
  if (frame_.Border == Value) return;
  frame_.Border = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TPopupDBLookupListBox::SetShadow(bool Value) {
  if (frame_.Shadow == Value) return;
  frame_.Shadow = Value;
  if (HandleAllocated()) RecreateWnd();
}

// --- The editor ---

TRENVIK_IMPLEMENT_CLASS(TdxInplaceLookupEdit)

TdxInplaceEditClass TdxInplaceLookupEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceLookupEdit, TdxDropDownEditMetaClass> c("TdxInplaceLookupEdit");
  return &c;
}

TdxInplaceLookupEdit::TdxInplaceLookupEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class),
      listSource_(std::make_unique<TDataSource>(nullptr)),
      list_(std::make_unique<TPopupDBLookupListBox>(nullptr)) {
  list_->SetVisible(false);
  list_->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    ListMouseUp(Sender, Button, Shift, X, Y);
  };
  DropDownWindow = list_.get();
  SearchInEdit = true;
}

TdxInplaceLookupEdit::~TdxInplaceLookupEdit() {
  DropDownWindow = nullptr;
  list_.reset();
  listSource_.reset();
}

void TdxInplaceLookupEdit::SetField(TField* Value) {
  if (field_ == Value) return;
  if (field_) field_->RemoveFreeNotification(this);
  field_ = Value;
  if (field_) field_->FreeNotification(this);
}

void TdxInplaceLookupEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TdxInplaceDropDownEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == field_) field_ = nullptr;
}

TField* TdxInplaceLookupEdit::ResultField() const {
  TDataSet* ds = LookupDataSet();
  return ds ? ds->FindField(field_->LookupResultField()) : nullptr;
}

TField* TdxInplaceLookupEdit::LookupKeyField() const {
  TDataSet* ds = LookupDataSet();
  return ds ? ds->FindField(field_->LookupKeyFields()) : nullptr;
}

TField* TdxInplaceLookupEdit::GetKeyField() const {
  if (!field_ || !field_->DataSet()) return nullptr;
  return field_->Lookup() ? field_->DataSet()->FindField(field_->KeyFields()) : field_;
}

bool TdxInplaceLookupEdit::GetDefaultReadOnly() {
  TField* key = GetKeyField();
  if (key && key->CanModify()) return false;
  return !Detached;
}

String TdxInplaceLookupEdit::GetDisplayText(bool FromList) {
  if (!field_) return {};
  if (!Detached) {
    TField* result = ResultField();
    if (FromList && result) return result->DisplayText();
    return field_->DisplayText();
  }
  TDataSet* ds = LookupDataSet();
  TField* result = ResultField();
  if (!ds || !LookupKeyField() || !result) return {};
  return ds->Locate(field_->LookupKeyFields(), keyValue_, {}) ? result->DisplayText() : String();
}

void TdxInplaceLookupEdit::ShowText(const String& Text) {
  TValueScope<bool> internal(internalChange_, true);
  SetText(Text);
}

void TdxInplaceLookupEdit::SetKeyValueInternal(const Variant& Value) {
  keyValue_ = Value;
  ShowText(GetDisplayText(false));
}

void TdxInplaceLookupEdit::SetKeyValue(const Variant& Value) {
  SetKeyValueInternal(Value);
  ResetSearch();
}

void TdxInplaceLookupEdit::ResetSearch() {
  searching_ = false;
  searchText_.clear();
}

void TdxInplaceLookupEdit::SetEditValue(const Variant& Value) {
  if (refreshGuard_) return;
  TdxInplaceDropDownEdit::SetEditValue(Value);
  if (!(field_ && field_->Lookup())) keyValue_ = Value;
  ResetSearch();
}

void TdxInplaceLookupEdit::SetActive(bool Active) {
  TdxInplaceDropDownEdit::SetActive(Active);
  ResetSearch();
}

bool TdxInplaceLookupEdit::CanDropDown() {
  if (ReadOnly()) return false;
  if (Detached) return true;
  return field_ && field_->Lookup();
}

bool TdxInplaceLookupEdit::SelectKeyValue(const Variant& Value) {
  if (!Detached) {
    TField* key = GetKeyField();
    if (!key || !key->CanModify() || !CanModify()) return false;
    if (VarIsNull(Value))
      key->Clear();
    else
      key->SetValue(Value);
  }
  SetKeyValueInternal(Value);
  SetModified(true);
  Change();
  return true;
}

void TdxInplaceLookupEdit::ClearValue() {
  if (!field_ && !Detached) return;
  SelectKeyValue(Null());
  ShowText(GetDisplayText(false));
  ResetSearch();
  SelectAll();
}

// --- Incremental search ---

bool TdxInplaceLookupEdit::WholeTextSelected() {
  return GetSelectionLength() == static_cast<int>(Text().size());
}

void TdxInplaceLookupEdit::SelectTail(int From) {
  SetSelectionRange(From, static_cast<int>(Text().size()));
}

void TdxInplaceLookupEdit::Search() {
  ShowText(searchText_);
  TDataSet* ds = LookupDataSet();
  TField* result = ResultField();
  bool found = false;
  try {
    found = ds && result && ds->Locate(result->FieldName(), Variant(searchText_), {loCaseInsensitive, loPartialKey});
  } catch (const Exception&) {
    found = false;  // a failing locate counts as not found
  }
  if (found) {
    bool fromList = false;
    {
      TValueScope<bool> guard(refreshGuard_, true);
      fromList = SelectKeyValue(LookupKeyField()->Value());
    }
    ShowText(GetDisplayText(fromList));
    SelectTail(static_cast<int>(searchText_.size()));
    return;
  }
  if (searchText_.size() >= 2) {
    // Go on with the text minus its failing last character.
    Char retry = searchText_[searchText_.size() - 2];
    searchText_.resize(searchText_.size() - 2);
    ShowText(GetDisplayText(false));
    KeyPress(retry);
    return;
  }
  ResetSearch();
  ShowText(GetDisplayText(false));
}

void TdxInplaceLookupEdit::KeyPress(Char& Key) {
  if (ReadOnly()) {
    Key = 0;
    return;
  }
  if (!field_ && !Detached) return;
  if (Key == u'\b') {
    Key = 0;
    if (WholeTextSelected() && CanDeleteText) {
      ClearValue();
      return;
    }
    if (!searching_ && GetSelectionStart() > 0) {
      searching_ = true;
      searchText_ = Text().substr(0, static_cast<size_t>(GetSelectionStart()));
    }
    if (!searching_) return;
    if (!searchText_.empty()) searchText_.pop_back();
    if (!searchText_.empty() || !CanDeleteText) {
      SelectTail(static_cast<int>(searchText_.size()));
      Search();
    } else {
      ClearValue();
    }
    return;
  }
  if (Key < 32) {
    TdxInplaceDropDownEdit::KeyPress(Key);
    return;
  }
  const Char typed = Key;
  Key = 0;
  if (!LookupDataSet() || !ResultField()) return;
  searching_ = true;
  searchText_ += typed;
  Search();
  if (ImmediateDropDown && !DropDownShown) {
    DropDown();
    LocateText(Text());
  }
}

void TdxInplaceLookupEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) ResetSearch();
  if (Key == VK_DELETE && WholeTextSelected() && CanDeleteText) {
    ClearValue();
    Key = 0;
    return;
  }
  if (!IsInplace()) {
    int step = 0;
    switch (Key) {
      case VK_PRIOR: step = 1 - DropDownRows; break;
      case VK_NEXT: step = DropDownRows - 1; break;
      case VK_UP: step = -1; break;
      case VK_DOWN: step = 1; break;
      default: break;
    }
    if (step != 0) {
      SelectNextValue(step, false);
      Key = 0;
      return;
    }
  }
  if (ClearKey != 0 && KeyToShortCut(Key, Shift) == ClearKey) {
    ClearValue();
    Key = 0;
    return;
  }
  TdxInplaceDropDownEdit::KeyDown(Key, Shift);
}

void TdxInplaceLookupEdit::SelectNextValue(int Delta, bool Cycle) {
  if (!CanDropDown()) return;
  ResetSearch();
  TDataSet* ds = LookupDataSet();
  TField* lookupKey = LookupKeyField();
  if (!ds || !lookupKey) return;
  TField* key = GetKeyField();
  const Variant current = Detached ? keyValue_ : key ? key->Value() : lookupKey->Value();
  if (ds->Locate(field_->LookupKeyFields(), current, {})) {
    ds->MoveBy(Delta);
    if (ds->Eof() && Cycle) ds->First();
  } else {
    ds->First();
  }
  const Variant next = lookupKey->Value();
  if (!LookupValuesEqual(next, current)) SelectKeyValue(next);
  SelectAll();
}

// --- The list ---

void TdxInplaceLookupEdit::DropDown() {
  if (!CanDropDown() || !HandleAllocated()) return;
  ::SetFocus(Handle());
  if (GetFocus() != Handle()) return;
  DoDropDown();
  TPopupDBLookupListBox* list = list_.get();
  list->SetParent(this);
  list->SetPopupBorder(GetActualPopupBorder());
  list->SetColor(Color());
  list->Font()->Assign(Font());
  list->SetShadow(Style()->Shadow());
  list->SetWidth(DropDownWidth != 0 ? DropDownWidth : Width());
  list->SetRowCount(DropDownRows);
  list->SetListSource(nullptr);
  TDataSet* ds = LookupDataSet();
  listSource_->SetDataSet(ds);
  list->SetKeyField(field_ ? field_->LookupKeyFields() : String());
  list->SetListField(!listFieldName_.empty() ? listFieldName_ : field_ ? field_->LookupResultField() : String());
  try {
    list->SetListSource(listSource_.get());
  } catch (...) {
    list->SetListSource(nullptr);
    throw;
  }
  TField* key = GetKeyField();
  list->SetKeyValue(Detached ? keyValue_ : key ? key->Value() : Null());
  if (ds && ds->RecordCount() > 0 && ds->RecordCount() < DropDownRows) list->SetRowCount(ds->RecordCount());
  PlacePopup(list, false);
  ShowListWindow(list);
}

void TdxInplaceLookupEdit::CloseUp(bool Accept) {
  TPopupDBLookupListBox* list = list_.get();
  if (!list->HandleAllocated() || !IsWindowVisible(list->Handle())) {
    DropDownShown = false;
    return;
  }
  ResetSearch();
  HideListWindow(list);
  Variant value = list->KeyValue();
  list->SetListSource(nullptr);
  listSource_->SetDataSet(nullptr);
  if (OnLookupCloseUp) OnLookupCloseUp(this, value, Accept);
  if (!Accept) return;
  SelectKeyValue(value);
  if (field_) {
    const String text = GetDisplayText(false);
    if (Text() != text) ShowText(text);
  }
  SelectAll();
}

void TdxInplaceLookupEdit::LocateText(const String&) {
  TField* key = GetKeyField();
  list_->SetKeyValue(Detached ? keyValue_ : key ? key->Value() : Null());
}
