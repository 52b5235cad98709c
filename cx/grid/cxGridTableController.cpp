#include "cx/grid/cxGridTableController.h"

#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomizationForm.h"
#include "cx/grid/cxGridFilterPopup.h"
#include "cx/grid/cxGridTableLayoutAdapter.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/foundation/cxControls.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridTableController)

namespace {

constexpr int kHorzScrollStep = 10;
constexpr int kCustomizationFormWidth = 180;
constexpr int kCustomizationFormHeight = 300;

}  // namespace

TcxGridTableController::TcxGridTableController(TcxCustomGridView* AGridView)
    : TcxCustomGridTableController(AGridView) {}

// The view hides the form while it is whole; a form still shown here goes without notifications.
TcxGridTableController::~TcxGridTableController() {
  destroying_ = true;
  customizationForm_.reset();
  filterPopup_.reset();
}

TcxGridTableView* TcxGridTableController::GridView() const {
  return static_cast<TcxGridTableView*>(inherited::GridView());
}

TcxGridTableLayoutAdapter* TcxGridTableController::Adapter() const {
  auto* viewInfo = dynamic_cast<TcxGridTableViewInfo*>(GridView()->ViewInfo());
  // No layout before the view informations are made.
  if (!viewInfo || !viewInfo->HeaderViewInfo()) return nullptr;
  if (!adapter_ || adapter_->ViewInfo() != viewInfo) adapter_ = std::make_unique<TcxGridTableLayoutAdapter>(viewInfo);
  return adapter_.get();
}

IcxGridColumnsLayout* TcxGridTableController::ColumnsLayout() const {
  if (auto* own = dynamic_cast<IcxGridColumnsLayout*>(GridView()->ViewInfo())) return own;
  return Adapter();
}

IcxGridRecordsLayout* TcxGridTableController::Layout() const {
  if (IcxGridRecordsLayout* own = inherited::Layout()) return own;
  return Adapter();
}

// --- Horizontal position ---

void TcxGridTableController::CheckLeftPos(int& AValue) {
  IcxGridColumnsLayout* layout = ColumnsLayout();
  if (layout) {
    const RECT client = layout->ClientBounds();
    AValue = std::min(AValue, layout->DataWidth() - (client.right - client.left));
  }
  AValue = std::max(AValue, 0);
}

void TcxGridTableController::SetLeftPos(int Value) {
  CheckLeftPos(Value);
  if (Value == leftPos_) return;
  leftPos_ = Value;
  TcxGridTableView* view = GridView();
  view->LayoutChanged(true);
  if (view->OnLeftPosChanged) view->OnLeftPosChanged(view);
}

void TcxGridTableController::CheckCoordinates() {
  inherited::CheckCoordinates();
  SetLeftPos(leftPos_);
}

void TcxGridTableController::MakeItemVisible(TcxCustomGridTableItem* AItem) {
  auto* column = dynamic_cast<TcxGridColumn*>(AItem);
  if (!column || !column->Visible()) return;
  MakeFocusedRecordVisible();
  IcxGridColumnsLayout* layout = ColumnsLayout();
  RECT header;
  if (!layout || !layout->GetColumnHeaderBounds(column, header)) return;
  const RECT client = layout->ClientBounds();
  if (header.right - header.left < client.right - client.left && header.right > client.right) {
    SetLeftPos(leftPos_ + header.right - client.right);
    if (!layout->GetColumnHeaderBounds(column, header)) return;
  }
  if (header.left < client.left) SetLeftPos(leftPos_ + header.left - client.left);
}

// --- Scroll bars ---

void TcxGridTableController::InitScrollBarsParameters() {
  IcxGridColumnsLayout* layout = ColumnsLayout();
  if (!layout) return;
  TcxGridSite* site = Site();
  const RECT client = layout->ClientBounds();
  site->SetScrollBarInfo(sbHorizontal, 0, layout->DataWidth() - 1, kHorzScrollStep, client.right - client.left,
                         leftPos_, true, true);
  const int leading = HasLeadingExtraRow() ? 1 : 0;
  const int trailing = HasTrailingExtraRow() ? 1 : 0;
  site->SetScrollBarInfo(sbVertical, 0, leading + DataController()->GetRowCount() + trailing - 1, 1,
                         layout->FullyVisibleRowCount(), leading + TopRecordIndex(), true, true);
}

void TcxGridTableController::Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APos) {
  if (AKind == sbHorizontal) {
    const RECT client = ColumnsLayout() ? ColumnsLayout()->ClientBounds() : RECT{};
    switch (ACode) {
      case scLineUp: SetLeftPos(leftPos_ - kHorzScrollStep); break;
      case scLineDown: SetLeftPos(leftPos_ + kHorzScrollStep); break;
      case scPageUp: SetLeftPos(leftPos_ - (client.right - client.left)); break;
      case scPageDown: SetLeftPos(leftPos_ + (client.right - client.left)); break;
      case scTrack: SetLeftPos(APos); break;
      default: break;
    }
    APos = leftPos_;
    return;
  }
  const int leading = HasLeadingExtraRow() ? 1 : 0;
  switch (ACode) {
    case scLineUp: SetTopRecordIndex(TopRecordIndex() - 1); break;
    case scLineDown: SetTopRecordIndex(TopRecordIndex() + 1); break;
    case scPageUp: ScrollPageUp(); break;
    case scPageDown: ScrollPageDown(); break;
    case scPosition:
      if (DataController()->IsGridMode()) SetTopRecordIndex(APos - leading);
      break;
    case scTrack:
      if (!DataController()->IsGridMode()) SetTopRecordIndex(APos);
      break;
    default: break;
  }
  APos = leading + TopRecordIndex();
}

void TcxGridTableController::ScrollPageDown() {
  if (TopRecordIndex() == -1) return;
  IcxGridRecordsLayout* layout = Layout();
  const int visible = layout ? layout->VisibleRecordCount() : 0;
  SetTopRecordIndex(visible <= 1 ? TopRecordIndex() + 1 : TopRecordIndex() + visible - 1);
}

void TcxGridTableController::ScrollPageUp() {
  if (TopRecordIndex() == -1) return;
  int count;
  if (TopRecordIndex() != 0)
    count = GetVisibleRecordCount(TopRecordIndex(), false);
  else if (DataController()->IsGridMode())
    count = Layout() ? Layout()->VisibleRecordCount() : 0;
  else
    return;
  if (count <= 1)
    SetTopRecordIndex(TopRecordIndex() - 1);
  else
    SetTopRecordIndex(TopRecordIndex() - count + 1);
}

// --- Records and the new-item row ---

bool TcxGridTableController::IsNewItemRecordFocused() {
  TcxCustomGridRecord* newItem = ViewData()->NewItemRecord();
  return newItem && DataController()->NewItemRowFocused();
}

void TcxGridTableController::FocusNewItemRecord() { FocusRecordObject(ViewData()->NewItemRecord()); }

bool TcxGridTableController::FocusTopRecord() {
  TcxCustomGridRecord* top = ViewData()->GetRecordByIndex(TopRecordIndex());
  if (!top) return false;
  FocusRecordObject(top);
  return FocusedRecord() == ViewData()->GetRecordByIndex(TopRecordIndex());
}

bool TcxGridTableController::HasRecordAbove() {
  TcxCustomDataController* dc = DataController();
  if (dc->IsGridMode()) return !dc->IsBOF();
  const int focused = FocusedRecordIndex();
  if (focused == -1) return false;
  TcxCustomGridTableViewData* data = ViewData();
  for (int i = focused - 1; i >= 0; --i)
    if (data->Records(i)->CanFocus()) return true;
  return false;
}

TcxCustomGridRecord* TcxGridTableController::GetFocusedRecord() {
  if (TcxCustomGridRecord* record = inherited::GetFocusedRecord()) return record;
  return IsNewItemRecordFocused() ? ViewData()->NewItemRecord() : nullptr;
}

void TcxGridTableController::FocusRecordObject(TcxCustomGridRecord* ARecord) {
  if (ARecord != FocusedRecord()) {
    TcxCustomDataController* dc = DataController();
    if (ARecord && ARecord->IsNewItemRecord()) {
      dc->SetNewItemRowFocused(true);
      ARecord = ViewData()->NewItemRecord();
    } else if (IsNewItemRecordFocused()) {
      const int row = ARecord ? ARecord->Index() : -1;
      dc->SetNewItemRowFocused(false);
      ARecord = ViewData()->GetRecordByIndex(row);
    }
  }
  inherited::FocusRecordObject(ARecord);
}

bool TcxGridTableController::CanAppend() { return inherited::CanAppend() && !ViewData()->NewItemRecord(); }

bool TcxGridTableController::CanInsert() { return inherited::CanInsert() && !IsNewItemRecordFocused(); }

void TcxGridTableController::MakeRecordVisible(TcxCustomGridRecord* ARecord) {
  // The new-item row stays where it is: it never scrolls.
  if (ARecord && ARecord->IsNewItemRecord()) return;
  inherited::MakeRecordVisible(ARecord);
}

// --- Keys ---

bool TcxGridTableController::IsKeyForController(WORD AKey, TShiftState AShift) {
  if (inherited::IsKeyForController(AKey, AShift) || AKey == VK_UP || AKey == VK_DOWN) return true;
  if (AKey != VK_HOME && AKey != VK_END) return false;
  TcxCustomGridRecord* record = FocusedRecord();
  return !(GridView()->OptionsSelection()->CellSelect() && record && record->HasCells());
}

void TcxGridTableController::HandleKeyDown(WORD& Key, TShiftState Shift) {
  TcxGridTableView* view = GridView();
  TcxCustomGridRecord* record = FocusedRecord();
  const bool cellsFocusable = record && record->HasCells() && view->OptionsSelection()->CellSelect();
  switch (Key) {
    case VK_PRIOR:
      if (ViewData()->NewItemRecord() && !IsNewItemRecordFocused() && !HasRecordAbove()) {
        FocusNewItemRecord();
        return;
      }
      if (IsNewItemRecordFocused()) return;
      break;
    case VK_NEXT:
      if (IsNewItemRecordFocused() && TopRecordIndex() != -1 && FocusTopRecord()) return;
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (cellsFocusable && FocusNextCell(Key == VK_RIGHT)) Key = 0;
      break;
    default:
      break;
  }
  inherited::HandleKeyDown(Key, Shift);
  record = FocusedRecord();
  const bool toRecords = Shift.Contains(ssCtrl) || !record || !record->HasCells() || !view->OptionsSelection()->CellSelect();
  TcxCustomDataController* dc = DataController();
  switch (Key) {
    case VK_END:
      if (!toRecords)
        FocusNextItem(view->VisibleItemCount(), false, false, false);
      else if (dc->IsGridMode())
        dc->GotoLast();
      else
        FocusNextRecord(ViewData()->RecordCount(), false, false, false);
      break;
    case VK_HOME:
      if (!toRecords)
        FocusNextItem(-1, true, false, false);
      else if (dc->IsGridMode())
        dc->GotoFirst();
      else
        FocusNextRecord(-1, true, false, false);
      break;
    case VK_LEFT:
      SetLeftPos(leftPos_ - kHorzScrollStep);
      break;
    case VK_RIGHT:
      SetLeftPos(leftPos_ + kHorzScrollStep);
      break;
    case VK_UP:
      if (ViewData()->NewItemRecord() && !IsNewItemRecordFocused() && !HasRecordAbove())
        FocusNewItemRecord();
      else if (!IsNewItemRecordFocused())
        FocusNextRecord(FocusedRecordIndex(), false, false, true);
      break;
    case VK_DOWN:
      if (IsNewItemRecordFocused()) {
        if (TopRecordIndex() != -1 && FocusTopRecord()) Key = 0;
      } else {
        FocusNextRecord(FocusedRecordIndex(), true, false, true);
      }
      break;
    default:
      break;
  }
}

// --- Header clicks ---

void TcxGridTableController::SetPressedColumn(TcxGridColumn* Value) {
  if (Value == pressedColumn_) return;
  TcxGridColumn* prev = pressedColumn_;
  pressedColumn_ = Value;
  InvalidateColumnHeader(prev);
  InvalidateColumnHeader(Value);
}

void TcxGridTableController::InvalidateColumnHeader(TcxGridColumn* AColumn) {
  RECT bounds;
  IcxGridColumnsLayout* layout = ColumnsLayout();
  if (AColumn && layout && layout->GetColumnHeaderBounds(AColumn, bounds)) GridView()->ViewChanged(bounds);
}

void TcxGridTableController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  mouseDownPos_ = POINT{X, Y};
  inherited::MouseDown(Button, Shift, X, Y);
}

void TcxGridTableController::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (pressedColumn_ && cxIsWithinDragThreshold(mouseDownPos_, X, Y)) SortByHeaderClick(Shift);
  SetPressedColumn(nullptr);
}

void TcxGridTableController::SortByHeaderClick(TShiftState AShift) {
  TcxGridColumn* column = pressedColumn_;
  TcxGridTableView* view = GridView();
  TcxCustomEditProperties* properties = column->GetProperties();
  if (!properties || !properties->GetSupportedOperations().Contains(esoSorting) ||
      !view->OptionsCustomize()->ColumnSorting() || !column->Options()->Sorting())
    return;
  view->BeginUpdate();
  {
    TScopeExit endUpdate([view] { view->EndUpdate(); });
    if (cxGridShiftIs(AShift, {ssCtrl})) {
      column->SetSortOrder(soNone);
    } else {
      const TcxDataSortOrder order = column->SortOrder();
      if (!cxGridShiftIs(AShift, {ssShift}) && column->GroupIndex() == -1) view->DataController()->ClearSorting(true);
      column->SetSortOrder(order == soAscending ? soDescending : soAscending);
    }
  }
  MakeFocusedRecordVisible();
}

// --- Sizing, cancel, hit tests ---

bool TcxGridTableController::IsColumnFixedDuringSizing(TcxGridColumn* AColumn) {
  if (!sizingColumn_) return false;
  if (AColumn == sizingColumn_) return true;
  const int last = GridView()->VisibleItemCount() - 1;
  return sizingColumn_->VisibleIndex() != last && AColumn->VisibleIndex() < sizingColumn_->VisibleIndex();
}

bool TcxGridTableController::AcceptsHitTest(TcxCustomGridHitTest* AHitTest) {
  return inherited::AcceptsHitTest(AHitTest);
}

void TcxGridTableController::CancelMode() {
  inherited::CancelMode();
  SetPressedColumn(nullptr);
}

void TcxGridTableController::EndDragAndDrop(bool Accepted) {
  SetPressedColumn(nullptr);
  inherited::EndDragAndDrop(Accepted);
}

void TcxGridTableController::ItemRemoved(TcxCustomGridTableItem* AItem) {
  inherited::ItemRemoved(AItem);
  if (AItem == pressedColumn_) pressedColumn_ = nullptr;
  if (AItem == sizingColumn_) sizingColumn_ = nullptr;
  if (AItem == movingColumn_) movingColumn_ = nullptr;
  if (customizationForm_) {
    TStrings* listed = customizationForm_->ItemsListBox()->Items();
    const int index = listed->IndexOfObject(AItem);
    if (index != -1) listed->Delete(index);
  }
}

// --- Customization form ---

RECT TcxGridTableController::GetCustomizationFormBounds() {
  TcxCustomGrid* grid = Control();
  const RECT client = grid->ClientRect();
  const POINT bottomRight = grid->ClientToScreen(POINT{client.right, client.bottom});
  return RECT{bottomRight.x - kCustomizationFormWidth, bottomRight.y - kCustomizationFormHeight, bottomRight.x,
              bottomRight.y};
}

void TcxGridTableController::SetCustomization(bool Value) {
  if (Value == Customization()) return;
  if (Value) {
    customizationForm_ = std::make_unique<TcxGridTableCustomizationForm>(this);
    customizationForm_->SetBoundsRect(GetCustomizationFormBounds());
    customizationForm_->Show();
  } else if (!customizationForm_->ComponentState().Contains(csDestroying)) {
    customizationForm_.reset();
  } else {
    customizationForm_.release();
  }
  TcxGridTableView* view = GridView();
  if (view->IsDestroying()) return;
  if (TcxCustomGrid* grid = Control()) grid->SendNotifications(gnkCustomization);
  if (view->OnCustomization) view->OnCustomization(view);
}

void TcxGridTableController::CustomizationFormDestroyed() {
  if (!destroying_) SetCustomization(false);
}
