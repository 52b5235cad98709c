#include "dx/editors/dxPickEdit.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxInplacePickEdit)

TdxInplaceEditClass TdxInplacePickEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplacePickEdit, TdxDropDownEditMetaClass> c("TdxInplacePickEdit");
  return &c;
}

TdxInplacePickEdit::TdxInplacePickEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class),
      items_(std::make_unique<TStringList>()),
      list_(std::make_unique<TdxPopupPickListBox>(nullptr)) {
  list_->SetVisible(false);
  list_->SetIntegralHeight(true);
  list_->SetItemHeight(11);
  list_->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    ListMouseUp(Sender, Button, Shift, X, Y);
  };
  SearchInEdit = true;
}

TdxInplacePickEdit::~TdxInplacePickEdit() {
  DropDownWindow = nullptr;
  list_.reset();
}

int TdxInplacePickEdit::FindItem(const String& Text) const {
  if (Text.empty()) return -1;
  for (int i = 0; i < items_->Count(); ++i) {
    const String& item = items_->Strings(i);
    if (item.size() >= Text.size() && AnsiSameText(item.substr(0, Text.size()), Text)) return i;
  }
  return -1;
}

void TdxInplacePickEdit::SetSorted(bool Value) {
  if (items_->Sorted() == Value) return;
  SetDroppedDown(false);
  items_->SetSorted(Value);
}

void TdxInplacePickEdit::SetDropDownListStyle(bool Value) {
  if (dropDownListStyle_ == Value) return;
  dropDownListStyle_ = Value;
  ApplyReadOnly(ReadOnly());
}

void TdxInplacePickEdit::ApplyReadOnly(bool Value) {
  TdxInplaceDropDownEdit::ApplyReadOnly(Value);
  if (dropDownListStyle_ && HandleAllocated()) SendMessage(Handle(), EM_SETREADONLY, TRUE, 0);
}

void TdxInplacePickEdit::ResetSearch() {
  if (keepSearch_) return;
  searching_ = false;
  searchText_.clear();
}

void TdxInplacePickEdit::SetValueText(const String& Text) {
  if (Text == this->Text()) return;
  SetText(Text);
  SetModified(true);
}

void TdxInplacePickEdit::ClearValue() {
  if (!CanModify()) return;
  TValueScope<bool> keep(keepSearch_, true);
  SetValueText(String());
}

void TdxInplacePickEdit::SetEditValue(const Variant& Value) {
  TdxInplaceDropDownEdit::SetEditValue(Value);
  ResetSearch();
}

void TdxInplacePickEdit::SetActive(bool Active) {
  TdxInplaceDropDownEdit::SetActive(Active);
  ResetSearch();
}

bool TdxInplacePickEdit::WholeTextSelected() {
  return GetSelectionLength() == static_cast<int>(Text().size());
}

void TdxInplacePickEdit::SelectTail(int From) {
  SetSelectionRange(From, static_cast<int>(Text().size()));
}

// --- The list ---

void TdxInplacePickEdit::DropDown() {
  if (GetDataReadOnly() || !HandleAllocated()) return;
  ::SetFocus(Handle());
  if (GetFocus() != Handle()) return;
  DoDropDown();
  DropDownWindow = list_.get();
  if (items_->Count() == 0) return;
  TdxPopupPickListBox* list = list_.get();
  list->SetParent(this);
  list->SetColor(Color());
  list->Font()->Assign(Font());
  list->SetPopupBorder(GetActualPopupBorder());
  list->SetShadow(Style()->Shadow());
  list->HandleNeeded();
  list->Items()->Assign(items_.get());
  const int rows = std::min(items_->Count(), DropDownRows);
  list->SetClientHeight(rows * list->ItemHeight());
  if (DropDownWidth != 0) {
    list->SetWidth(DropDownWidth);
  } else {
    int widest = 10;
    for (int i = 0; i < items_->Count(); ++i) widest = std::max(widest, list->Canvas()->TextWidth(items_->Strings(i)));
    list->SetClientWidth(widest + 4);
  }
  list->SetItemIndex(list->Items()->IndexOf(Text()));
  PlacePopup(list, true);
  ShowListWindow(list);
}

void TdxInplacePickEdit::CloseUp(bool Accept) {
  if (!DropDownShown) return;
  ResetSearch();
  TdxPopupPickListBox* list = list_.get();
  HideListWindow(list);
  const int selected = list->ItemIndex();
  Variant value = selected >= 0 ? Variant(list->Items()->Strings(selected)) : Variant(Text());
  DoCloseUp(value, Accept);
  if (Accept && CanModify()) {
    SetValueText(value.AsString());
    SelectAll();
  }
}

void TdxInplacePickEdit::SelectNextValue(int Delta, bool Cycle) {
  if (ReadOnly() || items_->Count() == 0) return;
  ResetSearch();
  const int start = itemIndex_ != -1 ? itemIndex_ : FindItem(Text());
  int index = 0;
  if (start >= 0 && start < items_->Count()) {
    index = std::max(start + Delta, 0);
    if (index >= items_->Count()) index = Cycle ? 0 : items_->Count() - 1;
  }
  itemIndex_ = index;
  if (CanModify()) SetValueText(items_->Strings(index));
  SelectAll();
}

void TdxInplacePickEdit::LocateText(const String& Text) {
  if (!DropDownShown) return;
  if (!searching_ && itemIndex_ < list_->Count())
    list_->SetItemIndex(itemIndex_);
  else
    list_->SetItemIndex(FindItem(Text));
}

// --- Keys ---

void TdxInplacePickEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) ResetSearch();
  if (Key == VK_DELETE && dropDownListStyle_ && WholeTextSelected() && CanDeleteText) {
    ClearValue();
    Key = 0;
    return;
  }
  if (!IsInplace() && items_->Count() > 0) {
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
  TdxInplaceDropDownEdit::KeyDown(Key, Shift);
}

void TdxInplacePickEdit::Complete(Char& Key) {
  const int found = FindItem(searchText_);
  if (found < 0) return;  // typed normally by the edit control
  Key = 0;
  if (CanModify()) {
    TValueScope<bool> keep(keepSearch_, true);
    SetValueText(items_->Strings(found));
  }
  SelectTail(static_cast<int>(searchText_.size()));
}

void TdxInplacePickEdit::KeyPress(Char& Key) {
  if (ReadOnly()) {
    Key = 0;
    return;
  }
  const int length = static_cast<int>(Text().size());
  if (Key == u'\b') {
    if (GetSelectionStart() < length && !dropDownListStyle_) ResetSearch();
    if (dropDownListStyle_) {
      if (WholeTextSelected() && CanDeleteText) {
        ClearValue();
        Key = 0;
        return;
      }
      if (!searching_) {
        searching_ = true;
        searchText_ = Text();
      }
    }
    if (!searching_) {
      TdxInplaceDropDownEdit::KeyPress(Key);
      return;
    }
    if (!searchText_.empty()) searchText_.pop_back();
    if (!searchText_.empty() || (dropDownListStyle_ && !CanDeleteText)) {
      SelectTail(static_cast<int>(searchText_.size()));
      Key = 0;
      Char none = u'\0';
      Complete(none);
    } else {
      ClearValue();
      Key = 0;
    }
    return;
  }
  if (Key < 32) {
    TdxInplaceDropDownEdit::KeyPress(Key);
    return;
  }
  if (GetSelectionStart() < length || length != static_cast<int>(searchText_.size())) ResetSearch();
  if (searching_) {
    searchText_ += Key;
  } else {
    searching_ = true;
    String unselected = Text();
    unselected.erase(static_cast<size_t>(GetSelectionStart()), static_cast<size_t>(GetSelectionLength()));
    searchText_ = unselected + Key;
  }
  Complete(Key);
  if (Key != 0) TdxInplaceDropDownEdit::KeyPress(Key);
  if (ImmediateDropDown && !DropDownShown) {
    DropDown();
    if (DropDownShown) RemovePendingMessage(list_->Handle(), WM_MOUSEMOVE);
  }
  LocateText(Text());
}

void TdxInplacePickEdit::DblClick() {
  if (Revertable && items_->Count() > 1) {
    SelectNextValue(1, true);
    LocateText(Text());
  }
  TdxInplaceDropDownEdit::DblClick();
}
