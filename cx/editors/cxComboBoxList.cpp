// The combo box's list: the lookup data that shows its items in the popup's list box, sizes the
// list for the popup and for the user's resizing, and moves the list's selection while it is open.
#include <algorithm>

#include "cx/editors/cxComboBox.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxComboBoxListBox)
TRENVIK_IMPLEMENT_CLASS(TcxComboBoxLookupData)

// --- List box ---

TcxComboBoxListBox::TcxComboBoxListBox(TComponent* AOwner, TcxComboBoxLookupData* ALookupData)
    : TcxCustomEditListBox(AOwner), lookupData_(ALookupData) {}

TcxCustomComboBox* TcxComboBoxListBox::ComboBox() const {
  return static_cast<TcxCustomComboBox*>(lookupData_->Edit());
}

String TcxComboBoxListBox::GetItem(int AIndex) {
  String text;
  lookupData_->GetItem(AIndex, text);
  return text;
}

int TcxComboBoxListBox::GetItemHeight(int AIndex) {
  TcxCustomComboBoxProperties* properties = lookupData_->ComboProperties();
  int height = properties->ItemHeight() >= 1 ? properties->ItemHeight() : FontRowHeight();
  if (AIndex >= 0 && properties->OnMeasureItem) properties->OnMeasureItem(ComboBox(), AIndex, height);
  return height;
}

// Measured once per font: a long list asks for it at every row it adds.
int TcxComboBoxListBox::FontRowHeight() {
  TFont* font = Font();
  if (rowHeight_ < 0 || font->Name() != rowFontName_ || font->Height() != rowFontHeight_) {
    rowFontName_ = font->Name();
    rowFontHeight_ = font->Height();
    rowHeight_ = inherited::GetItemHeight(-1);
  }
  return rowHeight_;
}

int TcxComboBoxListBox::GetHeight(int ARowCount) {
  if (!lookupData_->ComboProperties()->OnMeasureItem) return ARowCount * GetItemHeight(-1);
  int height = 0;
  for (int i = 0; i < ARowCount; ++i) height += GetItemHeight(i);
  return height;
}

void TcxComboBoxListBox::MeasureItem(int Index, int& Height) { Height = GetItemHeight(Index); }

bool TcxComboBoxListBox::DoDrawItem(int AIndex, const RECT& ARect, TOwnerDrawState AState) {
  TcxCustomComboBoxProperties* properties = lookupData_->ComboProperties();
  if (!properties->OnDrawItem) return false;
  properties->OnDrawItem(ComboBox(), CxCanvas(), AIndex, ARect, AState);
  return true;
}

void TcxComboBoxListBox::SelectRow(int AIndex) {
  ignoreMouseMove_ = true;
  TcxCustomEditListBox::SetItemIndex(AIndex);
}

void TcxComboBoxListBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (ignoreMouseMove_) {
    ignoreMouseMove_ = false;
    return;
  }
  inherited::MouseMove(Shift, X, Y);
}

void TcxComboBoxListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const int row = ItemAtPos({X, Y}, true);
  if (row < 0) return;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  SelectRow(row);
  ComboBox()->CloseUp(true);
}

// --- Lookup data ---

TcxComboBoxLookupData::TcxComboBoxLookupData(TcxCustomEdit* AOwner, std::function<String()> AText)
    : TcxCustomTextEditLookupData(AOwner, std::move(AText)) {}

TcxComboBoxLookupData::~TcxComboBoxLookupData() = default;

TcxCustomComboBoxProperties* TcxComboBoxLookupData::ComboProperties() const {
  return static_cast<TcxCustomComboBoxProperties*>(Properties());
}

bool TcxComboBoxLookupData::IsListShown() const {
  return listBox_ && static_cast<TcxCustomDropDownEdit*>(Edit())->HasPopupWindow();
}

void TcxComboBoxLookupData::SetItemIndex(int AIndex) {
  inherited::SetItemIndex(AIndex);
  if (listBox_ && listBox_->ItemIndex() != ItemIndex()) listBox_->SelectRow(ItemIndex());
}

void TcxComboBoxLookupData::ItemsChanged(TObject* Sender) {
  listWidth_ = -1;
  upperItemsValid_ = false;
  upperItems_.clear();
  if (GetItemCount() == 0) SetCurrentKey(-1);
  if (listBox_) SetListBoxItemCount(listBox_.get(), GetItemCount());
  inherited::ItemsChanged(Sender);
}

int TcxComboBoxLookupData::FindItemByPrefix(const String& AUpperPrefix, int AFrom) {
  const int count = GetItemCount();
  if (!upperItemsValid_) {
    upperItems_.resize(count);
    for (int i = 0; i < count; ++i) {
      String item;
      GetItem(i, item);
      upperItems_[i] = AnsiUpperCase(item);
    }
    upperItemsValid_ = true;
  }
  for (int i = std::max(AFrom, 0); i < count && i < static_cast<int>(upperItems_.size()); ++i)
    if (upperItems_[i].compare(0, AUpperPrefix.size(), AUpperPrefix) == 0 &&
        upperItems_[i].size() >= AUpperPrefix.size())
      return i;
  return -1;
}

std::unique_ptr<TcxComboBoxListBox> TcxComboBoxLookupData::CreateListBox() {
  return std::make_unique<TcxComboBoxListBox>(nullptr, this);
}

void TcxComboBoxLookupData::AttachList(TWinControl* AParent) {
  if (!listBox_) {
    listBox_ = CreateListBox();
    // The list follows the mouse and the edit's keys; its choice reaches the lookup data.
    listBox_->OnSelectItem = [this](TObject*) { inherited::SetItemIndex(listBox_->ItemIndex()); };
  }
  listBox_->SetParent(AParent);
  listBox_->Font()->Assign(Edit()->Font());
  SetListBoxItemCount(listBox_.get(), GetItemCount());
}

void TcxComboBoxLookupData::OpenList() {
  if (!listBox_) return;
  SetListBoxItemCount(listBox_.get(), GetItemCount());
  listBox_->SelectRow(CurrentKey());
  inherited::SetItemIndex(CurrentKey());
}

void TcxComboBoxLookupData::CloseList() {
  inherited::CloseList();
  if (listBox_) listBox_->SelectRow(ItemIndex());
}

void TcxComboBoxLookupData::PlaceList(const RECT& AClientRect) {
  if (!listBox_) return;
  listBox_->SetBounds(AClientRect.left, AClientRect.top, AClientRect.right - AClientRect.left,
                      AClientRect.bottom - AClientRect.top);
  // The scrolling width is set once the list has its size, so its bars are decided on that size.
  if (listWidth_ >= 0) {
    listBox_->SetScrollWidth(0);
    listBox_->SetScrollWidth(listWidth_);
  }
  if (ItemIndex() >= 0) listBox_->SelectRow(ItemIndex());
}

bool TcxComboBoxLookupData::IsPointOverList(POINT P) {
  if (!listBox_ || !listBox_->HandleAllocated() || !listBox_->Visible()) return false;
  const POINT local = listBox_->ScreenToClient(P);
  return local.x >= 0 && local.y >= 0 && local.x < listBox_->Width() && local.y < listBox_->Height();
}

void TcxComboBoxLookupData::Navigate(TcxLookupNavigation ADirection, bool ACircular) {
  if (!IsListShown()) {
    inherited::Navigate(ADirection, ACircular);
    return;
  }
  // An open list moves its selection; Enter or a click makes it current.
  if (GetItemCount() > 0) SetItemIndex(GetNavigationIndex(ADirection, ACircular));
}

void TcxComboBoxLookupData::GetListSize(int, int AWidth, SIZE& ASize) {
  if (!listBox_) {
    ASize = SIZE{0, 0};
    return;
  }
  const int count = GetItemCount();
  const int rows = std::min(count, ComboProperties()->DropDownRows());
  ASize.cy = listBox_->GetHeight(rows);
  if (listWidth_ < 0) {
    // Measured once per change of the items: a long list is not measured at every opening.
    TCanvas* canvas = listBox_->Canvas();
    canvas->SetFont(listBox_->Font());
    int widest = 0;
    for (int i = 0; i < count; ++i) {
      String text;
      GetItem(i, text);
      widest = std::max(widest, canvas->TextWidth(text));
    }
    listWidth_ = widest + 4;
  }
  ASize.cx = listWidth_;
  if (ComboProperties()->DropDownRows() < count) ASize.cx += GetSystemMetrics(SM_CXVSCROLL);
  if (AWidth > 0 && AWidth < ASize.cx) ASize.cy += GetSystemMetrics(SM_CYHSCROLL);
}

bool TcxComboBoxLookupData::CanResizeList(SIZE& ASize) {
  if (!listBox_) return true;
  if (ASize.cx == listBox_->Width() && ASize.cy == listBox_->Height()) return true;
  const int count = GetItemCount();
  const int scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int scrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  int sum = 0;
  bool vertical = false, horizontal = false;
  int taken = -1;
  for (int i = 0; i < count; ++i) {
    const int previous = sum;
    sum += listBox_->GetItemHeight(i);
    vertical = i + 1 < count;
    const int usable = ASize.cx - (vertical ? scrollBarWidth : 0);
    horizontal = usable < listBox_->ScrollWidth();
    const int total = sum + (horizontal ? scrollBarHeight : 0);
    if (total == ASize.cy) {
      taken = total;
      break;
    }
    if (total > ASize.cy) {
      if (ASize.cy >= listBox_->Height() && i > 0) {
        // Growing: the height rounds down to whole rows.
        vertical = true;
        taken = previous + (horizontal ? scrollBarHeight : 0);
      } else {
        // Shrinking: the height rounds up to whole rows.
        taken = total;
      }
      break;
    }
  }
  if (taken < 0) {
    vertical = false;
    const int usable = ASize.cx;
    horizontal = usable < listBox_->ScrollWidth();
    taken = sum + (horizontal ? scrollBarHeight : 0);
  }
  ASize.cy = taken;
  int least = vertical ? scrollBarWidth : 0;
  if (horizontal) least += scrollBarWidth;
  ASize.cx = std::max<int>(ASize.cx, least);
  return true;
}
