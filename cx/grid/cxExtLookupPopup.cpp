// The extended lookup combo box's drop-down: the bound view shown in the owned grid with its options
// overridden and its input hooked while open, everything given back on closing, and the sizes asked
// of the view's information.
#include <climits>

#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGridLevel.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "platform/rtl/ScopeExit.h"

namespace {

TcxGridTableView* AsTableView(TcxCustomGridTableView* AView) { return dynamic_cast<TcxGridTableView*>(AView); }

}  // namespace

TWinControl* TcxExtLookupComboBoxProperties::GetPopupControl() {
  return view_ ? static_cast<TWinControl*>(view_->Site()) : inherited::GetPopupControl();
}

TWinControl* TcxExtLookupComboBoxProperties::GetListControl() { return grid_.get(); }

bool TcxExtLookupComboBoxProperties::AdjustsPopupHeight() {
  TcxGridTableView* view = AsTableView(view_);
  return view && !view->OptionsView()->CellAutoHeight();
}

void TcxExtLookupComboBoxProperties::EnsureViewLaidOut() {
  auto* info = dynamic_cast<TcxCustomGridTableViewInfo*>(view_->ViewInfo());
  if (info && !info->RecordsViewInfo()) info->MainCalculate(grid_->ClientRect());
}

int TcxExtLookupComboBoxProperties::GetListAutoWidth() {
  if (!view_) return 0;
  EnsureViewLaidOut();
  TcxCustomGridViewInfo* viewInfo = view_->ViewInfo();
  int width = 0;
  viewInfo->SetMeasuring(true);
  TScopeExit measured([viewInfo] { viewInfo->SetMeasuring(false); });
  viewInfo->CalculateWidth(POINT{INT_MAX, INT_MAX}, width);
  return width;
}

int TcxExtLookupComboBoxProperties::GetNearestPopupHeight(int AHeight) {
  if (!view_) return AHeight;
  EnsureViewLaidOut();
  return view_->ViewInfo()->GetNearestPopupHeight(AHeight, focusPopup_);
}

int TcxExtLookupComboBoxProperties::GetPopupHeightForRows(int ARowCount) {
  if (!view_) return 0;
  // With the focus inside, the view needs room to move between at least two rows.
  if (focusPopup_ && ARowCount < 2) ARowCount = 2;
  EnsureViewLaidOut();
  return view_->ViewInfo()->GetPopupHeightForRows(ARowCount);
}

bool TcxExtLookupComboBoxProperties::IsRecordAtPoint(POINT APoint) {
  return view_ && dynamic_cast<TcxGridRecordHitTest*>(view_->ViewInfo()->GetHitTest(APoint));
}

void TcxExtLookupComboBoxProperties::SearchInPopup(const String& AText) {
  TcxCustomGridTableItem* item = ListFieldItem();
  if (!focusPopup_ || !autoSearchOnPopup_ || !item || !view_) return;
  view_->DataController()->Search()->Locate(item->Index(), AText);
}

void TcxExtLookupComboBoxProperties::SetListEvents(TNotifyEvent AClickEvent, TNotifyEvent,
                                                   TcxLookupCloseUpEvent ACloseUpEvent) {
  grid_->OnClick = std::move(AClickEvent);
  // Cleared also without a view: the handler belongs to a lookup data that may go.
  if (view_ || !ACloseUpEvent) grid_->OnCloseUp = std::move(ACloseUpEvent);
}

void TcxExtLookupComboBoxProperties::SetListAppearance(TcxLookAndFeel* ALookAndFeel, TColor AColor, TFont* AFont) {
  grid_->LookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
  grid_->SetColor(AColor);
  grid_->Font()->Assign(AFont);
}

void TcxExtLookupComboBoxProperties::BeginPopupMode() { grid_->SetPopupMouseTracking(true); }

void TcxExtLookupComboBoxProperties::EndPopupMode() {
  grid_->SetMouseCapture(false);
  if (view_ && view_->HasSite()) view_->Site()->SetMouseCapture(false);
  grid_->SetPopupMouseTracking(false);
}

void TcxExtLookupComboBoxProperties::HookViewInput() {
  TcxExtLookupGrid* grid = grid_.get();
  view_->SetOnKeyDown([grid](TObject* Sender, WORD& Key, TShiftState Shift) { grid->ViewKeyDown(Sender, Key, Shift); });
  view_->SetOnMouseDown([grid](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    grid->ViewMouseDown(Sender, Button, Shift, X, Y);
  });
  view_->Site()->OnMouseMove = [grid](TObject* Sender, TShiftState Shift, int X, int Y) {
    grid->ViewMouseMove(Sender, Shift, X, Y);
  };
  view_->Site()->OnMouseUp = [grid](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    grid->ViewMouseUp(Sender, Button, Shift, X, Y);
  };
}

void TcxExtLookupComboBoxProperties::SaveViewState(TcxGridTableView* AView) {
  TcxCustomGridTableOptionsBehavior* behavior = AView->OptionsBehavior();
  saved_.pullFocusing = behavior->PullFocusing();
  saved_.multiSelect = AView->OptionsSelection()->MultiSelect();
  saved_.immediateEditor = behavior->ImmediateEditor();
  saved_.columnFiltering = AView->OptionsCustomize()->ColumnFiltering();
  saved_.incSearch = behavior->IncSearch();
  saved_.onKeyDown = AView->OnKeyDown();
  saved_.onMouseDown = AView->OnMouseDown();
  saved_.onMouseMove = AView->Site()->OnMouseMove;
  saved_.onMouseUp = AView->Site()->OnMouseUp;
  saved_.level = AView->Level();
  freeNotificator_->AddSender(saved_.level);
  saved_.saved = true;
}

// Everything the drop-down changed goes back, the view's own handlers and its place on the form's
// grid included, so the view works there as before.
void TcxExtLookupComboBoxProperties::RestoreViewState(TcxGridTableView* AView) {
  TcxCustomGridTableOptionsBehavior* behavior = AView->OptionsBehavior();
  behavior->SetPullFocusing(saved_.pullFocusing);
  AView->OptionsSelection()->SetMultiSelect(saved_.multiSelect);
  behavior->SetImmediateEditor(saved_.immediateEditor);
  AView->OptionsCustomize()->SetColumnFiltering(saved_.columnFiltering);
  behavior->SetIncSearch(saved_.incSearch);
  AView->SetOnKeyDown(std::move(saved_.onKeyDown));
  AView->SetOnMouseDown(std::move(saved_.onMouseDown));
  AView->Site()->OnMouseMove = std::move(saved_.onMouseMove);
  AView->Site()->OnMouseUp = std::move(saved_.onMouseUp);
  saved_ = {};
}

void TcxExtLookupComboBoxProperties::InitializePopup() {
  auto* view = AsTableView(view_);
  if (!view) return;
  SaveViewState(view);
  TcxCustomGridTableOptionsBehavior* behavior = view->OptionsBehavior();
  behavior->SetPullFocusing(true);
  view->OptionsSelection()->SetMultiSelect(false);
  behavior->SetImmediateEditor(false);
  if (!focusPopup_) view->OptionsCustomize()->SetColumnFiltering(false);
  HookViewInput();
  grid_->SetFocusPopup(focusPopup_);
  grid_->RootLevel()->Items(0)->SetGridView(view);
  // A view whose own grid is hidden was never laid out, and the popup is measured on its rows.
  EnsureViewLaidOut();
  if (focusPopup_ && autoSearchOnPopup_) behavior->SetIncSearch(true);
  view->DataController()->Search()->Cancel();
}

void TcxExtLookupComboBoxProperties::DeinitializePopup() {
  grid_->RootLevel()->Items(0)->SetGridView(nullptr);
  TcxGridLevel* level = saved_.level;
  freeNotificator_->RemoveSender(level);
  auto* view = AsTableView(view_);
  // A view bound while the list was open was never changed by it.
  if (!view || view->IsDestroying() || !saved_.saved) {
    saved_ = {};
    return;
  }
  RestoreViewState(view);
  if (level && !level->GridView()) level->SetGridView(view);
}
