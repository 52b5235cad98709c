// The column filter pop-up: its entries filled from the column's values, its size, drawing, keys
// and mouse, and the choice applied to the view's filter.
#include "cx/grid/cxGridFilterPopup.h"

#include <algorithm>

#include "cx/grid/cxFilterControlUtils.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridDetailsSite.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridFilterPopup)

TcxGridFilterPopup::TcxGridFilterPopup(TcxCustomGridTableView* AView)
    : TcxCustomPopupWindow(AView->Site()),
      view_(AView),
      texts_(std::make_unique<TStringList>()),
      valueList_(static_cast<TcxDataFilterValueList*>(AView->DataController()->Filter()->CreateValueList())) {
  SetOwnerParent(AView->Site());
  SetAlignHorz(phaRight);
  SetModalMode(true);
  SetFollowParentTopMost(true);
  listBox_ = new TcxCustomInnerListBox(this);
  if (TcxCustomGrid* grid = AView->Grid())
    listBox_->VScrollBar()->LookAndFeel()->SetMasterLookAndFeel(grid->LookAndFeel());
  listBox_->SetStyle(lbOwnerDrawFixed);
  listBox_->SetParent(this);
  listBox_->OnDrawItem = [this](TWinControl*, int AIndex, const RECT& ARect, TOwnerDrawState AState) {
    DrawEntry(AIndex, ARect, AState);
  };
  listBox_->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_RETURN) ApplyChoice(listBox_->ItemIndex());
    if (Key == VK_ESCAPE) ClosePopup();
  };
  listBox_->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) {
    listBox_->SetItemIndex(listBox_->ItemAtPos(POINT{X, Y}, true));
  };
  listBox_->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int X, int Y) {
    ApplyChoice(listBox_->ItemAtPos(POINT{X, Y}, true));
  };
}

TcxGridFilterPopup::~TcxGridFilterPopup() = default;

TcxGridTableView* TcxGridFilterPopup::TableView() const { return dynamic_cast<TcxGridTableView*>(view_); }

void TcxGridFilterPopup::Popup(TcxCustomGridTableItem* AItem, const RECT& AButtonBounds, const RECT& AHeaderBounds) {
  SetFilterButton(AItem, AButtonBounds, AHeaderBounds);
  TcxCustomPopupWindow::Popup(listBox_);
}

void TcxGridFilterPopup::Popup(TcxGridColumnHeaderFilterButtonViewInfo* AButton) {
  filterButton_ = AButton;
  Popup(AButton->Column(), AButton->Bounds, AButton->ColumnHeaderViewInfo()->Bounds);
}

void TcxGridFilterPopup::FilterButtonDestroyed(TcxGridColumnHeaderFilterButtonViewInfo* AButton) {
  if (filterButton_ == AButton) filterButton_ = nullptr;
}

// The owner bounds stay in the site's coordinates: the window places itself beside its owner
// parent, the site.
void TcxGridFilterPopup::SetFilterButton(TcxCustomGridTableItem* AItem, const RECT& AButtonBounds,
                                         const RECT& AHeaderBounds) {
  item_ = AItem;
  headerBounds_ = AHeaderBounds;
  SetOwnerBounds(RECT{AHeaderBounds.left, AButtonBounds.top, AHeaderBounds.right, AButtonBounds.bottom});
}

void TcxGridFilterPopup::InitPopup() {
  const TCursor cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  TScopeExit restore([cursor] { Screen->SetCursor(cursor); });
  TcxCustomPopupWindow::InitPopup();
  SetFrameStyle(pfLine);
  // The list shows the column's values as the grid does, not in a form's default font.
  if (TWinControl* site = view_->Site()) Font()->Assign(site->Font());
  listBox_->CxCanvas()->SetFont(listBox_->Font());
  FillValues();
  FitSize();
  listBox_->Items()->Assign(texts_.get());
  listBox_->SetItemIndex(CurrentEntryIndex());
}

void TcxGridFilterPopup::FillValues() {
  if (!item_) return;
  item_->DataBinding()->GetFilterValues(texts_.get(), valueList_.get());
}

int TcxGridFilterPopup::CurrentEntryIndex() {
  return item_ ? valueList_->GetIndexByCriteriaItem(item_->DataBinding()->FilterCriteriaItem()) : -1;
}

void TcxGridFilterPopup::FitSize() {
  const int count = texts_->Count();
  // Only the table view has settings for its drop-down; other views show every entry.
  TcxGridTableFiltering* filtering = TableView() ? TableView()->Filtering() : nullptr;
  const int rows = filtering ? filtering->GetDropDownCount(count) : count;
  TcxCanvas* canvas = listBox_->CxCanvas();
  canvas->SetFont(listBox_->Font());
  const int itemHeight = canvas->TextHeight(u"Qq");
  listBox_->SetItemHeight(itemHeight);
  int width = filtering ? filtering->DropDownWidth() : 0;
  if (width == 0) {
    for (int i = 0; i < count; ++i) width = std::max(width, canvas->TextWidth(texts_->Strings(i)));
    width += 4;
  }
  if (count > rows) width += GetSystemMetrics(SM_CXVSCROLL);
  const int borders = GetHorzBordersWidth();
  width = std::max<int>(width, headerBounds_.right - headerBounds_.left - borders);
  listBox_->SetBounds(0, 0, width, itemHeight * std::max(rows, 1));
  SetClientWidth(width);
  SetClientHeight(itemHeight * std::max(rows, 1));
}

void TcxGridFilterPopup::DrawEntry(int AIndex, const RECT& ARect, TOwnerDrawState AState) {
  TCanvas* canvas = listBox_->Canvas();
  canvas->FillRect(ARect);
  canvas->TextOut(ARect.left + 2, ARect.top, listBox_->Items()->Strings(AIndex));
  if (AState.Contains(odFocused)) canvas->DrawFocusRect(ARect);
}

void TcxGridFilterPopup::ApplyChoice(int AIndex) {
  ClosePopup();
  if (!item_ || AIndex < 0 || AIndex >= valueList_->Count()) return;
  const TcxFilterValueItem entry = valueList_->Items(AIndex);
  TcxDataFilterCriteria* criteria = Criteria();
  TcxGridItemDataBinding* binding = item_->DataBinding();
  const String blank = cxGetResourceString(cxSFilterBlankValue);
  criteria->BeginUpdate();
  TScopeExit endUpdate([criteria] { criteria->EndUpdate(); });
  criteria->SetActive(true);
  switch (entry.Kind) {
    case fviAll:
      if (binding->Filtered()) binding->SetFiltered(false);
      break;
    case fviCustom:
      if (OnCustomFilter)
        OnCustomFilter(item_);
      else if (TableView())
        TableView()->Filtering()->RunFilterDialog(item_);
      break;
    case fviBlanks:
      binding->AddToFilter(nullptr, foEqual, Null(), blank, true);
      break;
    case fviNonBlanks:
      binding->AddToFilter(nullptr, foNotEqual, Null(), blank, true);
      break;
    case fviUser:
      if (auto* column = dynamic_cast<TcxGridColumn*>(item_)) column->DoUserFiltering(entry.Value, entry.DisplayText);
      break;
    case fviValue:
      binding->AddToFilter(nullptr, foEqual, entry.Value, entry.DisplayText, true);
      break;
  }
}

// The window is made again at the next showing: a closed list keeps no window of its own.
void TcxGridFilterPopup::ClosePopup(bool AAskCloseQuery) {
  if (!IsPopupShown()) return;
  TcxCustomPopupWindow::ClosePopup(AAskCloseQuery);
  if (IsPopupShown()) return;
  listBox_->Items()->Clear();
  DestroyHandle();
  if (TcxGridSite* site = view_->Site()) site->FocusChanged();
}

void TcxGridFilterPopup::VisibleChanged() {
  TcxCustomPopupWindow::VisibleChanged();
  if (Visible() || !filterButton_) return;
  TcxGridColumnHeaderFilterButtonViewInfo* button = filterButton_;
  filterButton_ = nullptr;
  button->SetState(gcsNone);
}

// --- Which dialog a filter needs ---

namespace {

bool cxFilterIsSimpleCondition(TcxCustomFilterCriteriaItem* AItem) {
  auto* item = dynamic_cast<TcxFilterCriteriaItem*>(AItem);
  return item && static_cast<int>(item->OperatorKind()) <= static_cast<int>(foNotLike);
}

}  // namespace

bool NeedsFilterBuilder(TcxFilterCriteria* ACriteria) {
  TcxFilterCriteriaItemList* root = ACriteria->Root();
  if (root->BoolOperatorKind() != fgkAnd) return true;
  std::vector<TObject*> links;
  for (int i = 0; i < root->Count(); ++i) {
    TcxCustomFilterCriteriaItem* entry = root->Items(i);
    TObject* link = nullptr;
    if (auto* list = dynamic_cast<TcxFilterCriteriaItemList*>(entry)) {
      const bool pair = list->Count() == 2 && (list->BoolOperatorKind() == fgkAnd || list->BoolOperatorKind() == fgkOr) &&
                        cxFilterIsSimpleCondition(list->Items(0)) && cxFilterIsSimpleCondition(list->Items(1)) &&
                        static_cast<TcxFilterCriteriaItem*>(list->Items(0))->ItemLink() ==
                            static_cast<TcxFilterCriteriaItem*>(list->Items(1))->ItemLink();
      if (!pair) return true;
      link = static_cast<TcxFilterCriteriaItem*>(list->Items(0))->ItemLink();
    } else {
      if (!cxFilterIsSimpleCondition(entry)) return true;
      link = static_cast<TcxFilterCriteriaItem*>(entry)->ItemLink();
    }
    if (std::find(links.begin(), links.end(), link) != links.end()) return true;
    links.push_back(link);
  }
  return false;
}
