// The image combo box's drop-down list: rows measured and drawn with the items' images and
// descriptions, wrapped when the properties ask for several lines.
#include <algorithm>

#include "cx/editors-ext/cxImageComboBox.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Messages.h"
#include "platform/win/Metrics.h"

TRENVIK_IMPLEMENT_CLASS(TcxImageComboBoxListBox)

namespace {

// The image's column in a row is the image's width and 4 pixels more.
constexpr int kListImageExtra = 4;
// The native list keeps a row's height in a byte.
constexpr int kListMaxRowHeight = 255;

}  // namespace

TcxImageComboBoxListBox::TcxImageComboBoxListBox(TComponent* AOwner, TcxComboBoxLookupData* ALookupData)
    : TcxComboBoxListBox(AOwner, ALookupData), lookupData_(ALookupData) {}

TcxCustomImageComboBoxProperties* TcxImageComboBoxListBox::ComboProperties() const {
  return static_cast<TcxCustomImageComboBoxProperties*>(lookupData_->ComboProperties());
}

TCustomImageList* TcxImageComboBoxListBox::ListImages() const {
  TcxCustomImageComboBoxProperties* properties = ComboProperties();
  return properties->LargeImages() ? properties->LargeImages() : properties->Images();
}

int TcxImageComboBoxListBox::GetMaxItemWidth() {
  TcxCustomImageComboBoxProperties* properties = ComboProperties();
  TCustomImageList* images = ListImages();
  const int base = images ? images->Width() + 8 : 4;
  Canvas()->SetFont(Font());
  TcxImageComboBoxItems* items = properties->Items();
  int widest = 0;
  for (int i = 0; i < items->Count(); ++i)
    widest = std::max(widest, base + Canvas()->TextWidth(items->Item(i)->Description()));
  if (properties->DropDownRows() < items->Count()) widest += GetSystemMetrics(SM_CXVSCROLL);
  return widest;
}

int TcxImageComboBoxListBox::GetItemHeight(int AIndex) {
  TCustomImageList* images = ListImages();
  const int imageHeight = images ? images->Height() + 2 : 0;
  Canvas()->SetFont(Font());
  int textWidth = measureWidth_ - 2;
  if (images) textWidth -= images->Width() + kListImageExtra;
  TcxImageComboBoxItems* items = ComboProperties()->Items();
  if (ComboProperties()->MultiLineText() && textWidth > 0 && AIndex >= 0 && AIndex < items->Count()) {
    const String& text = items->Item(AIndex)->Description();
    RECT r{0, 0, textWidth, 0};
    DrawText(Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    return std::max<int>(imageHeight, r.bottom - r.top + 2);
  }
  return std::max(Canvas()->TextHeight(u"Wg") + 2, imageHeight);
}

int TcxImageComboBoxListBox::SumOfRowHeights(int ARowCount) {
  int sum = 0;
  for (int i = 0; i < ARowCount; ++i) sum += GetItemHeight(i);
  return sum;
}

int TcxImageComboBoxListBox::GetHeight(int ARowCount, int AMaxHeight) {
  measureWidth_ = 0;
  auto* edit = static_cast<TcxCustomDropDownEdit*>(lookupData_->Edit());
  if (TcxCustomEditPopupWindow* popup = edit->PopupWindow(); popup && ComboProperties()->MultiLineText()) {
    // The width the popup takes (the edit's, less its frame), so a row is measured as it is drawn.
    const RECT owner = popup->OwnerBounds();
    measureWidth_ = (owner.right - owner.left) - popup->EditViewInfo()->GetBorders().Width();
  }
  int height = SumOfRowHeights(ARowCount);
  if (measureWidth_ > 0 && (height > AMaxHeight || ComboProperties()->Items()->Count() > ARowCount)) {
    measureWidth_ -= GetSystemMetrics(SM_CXVSCROLL);
    height = SumOfRowHeights(ARowCount);
  }
  ApplyItemHeights();
  return height;
}

void TcxImageComboBoxListBox::ApplyItemHeights() {
  if (!HandleAllocated()) return;
  const int count = Items()->Count();
  for (int i = 0; i < count; ++i) {
    const int height = std::min(GetItemHeight(i), kListMaxRowHeight);
    if (SendMessage(Handle(), LB_GETITEMHEIGHT, i, 0) != height) SendMessage(Handle(), LB_SETITEMHEIGHT, i, height);
  }
}

bool TcxImageComboBoxListBox::DoDrawItem(int AIndex, const RECT& ARect, TOwnerDrawState AState) {
  if (inherited::DoDrawItem(AIndex, ARect, AState)) return true;
  TCanvas* canvas = Canvas();
  canvas->FillRect(ARect);
  TcxCustomImageComboBoxProperties* properties = ComboProperties();
  TcxImageComboBoxItems* items = properties->Items();
  if (AIndex < 0 || AIndex >= items->Count()) return true;
  TcxImageComboBoxItem* item = items->Item(AIndex);
  RECT text = ARect;
  text.left += 2;
  if (TCustomImageList* images = ListImages()) {
    RECT image = ARect;
    const int width = images->Width() + kListImageExtra;
    if (properties->ImageAlign() == iaLeft) {
      image.right = image.left + width;
      text.left = std::max(text.left, image.right);
    } else {
      image.left = image.right - width;
      text.right = std::min(text.right, image.left);
    }
    const int index = item->ImageIndex();
    if (index >= 0 && index < images->Count())
      images->Draw(canvas, image.left + 1, (image.top + image.bottom - images->Height()) / 2, index, Enabled());
  }
  if (IsRectEmpty(&text)) return true;
  const UINT flags = DT_NOPREFIX | DT_LEFT | (properties->MultiLineText() ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER));
  const int oldBkMode = SetBkMode(canvas->Handle(), TRANSPARENT);
  TScopeExit restoreBkMode([&] { SetBkMode(canvas->Handle(), oldBkMode); });
  const String& description = item->Description();
  DrawText(canvas->Handle(), description.c_str(), static_cast<int>(description.size()), &text, flags);
  return true;
}

// --- Lookup data and edit ---

std::unique_ptr<TcxComboBoxListBox> TcxImageComboBoxLookupData::CreateListBox() {
  return std::make_unique<TcxImageComboBoxListBox>(nullptr, this);
}

void TcxImageComboBoxLookupData::GetListSize(int AMaxHeight, int, SIZE& ASize) {
  auto* list = static_cast<TcxImageComboBoxListBox*>(ListBox());
  if (!list) {
    ASize = SIZE{0, 0};
    return;
  }
  const int rows = std::min(GetItemCount(), ComboProperties()->DropDownRows());
  ASize.cy = list->GetHeight(rows, AMaxHeight);
  ASize.cx = list->GetMaxItemWidth();
}

// Wrapped rows take the edit's width; single lines at least the widest row.
void TcxCustomImageComboBox::CalculatePopupSize(SIZE& ASize) {
  inherited::CalculatePopupSize(ASize);
  if (ActiveProperties()->MultiLineText()) ASize.cx = 0;
}
