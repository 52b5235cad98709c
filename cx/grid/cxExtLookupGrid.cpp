// The extended lookup combo box's drop-down grid: a pop-up grid (focused at all times, no border,
// one level) whose handlers on the shown view accept or cancel the choice from keys and the mouse.
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGridLevel.h"
#include "cx/grid/cxGridRows.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxExtLookupGrid)

static bool cxExtLookupIsEditing(TcxCustomDataController* AController) {
  return (AController->GetEditState() & (dceEdit | dceInsert)) != 0;
}

TcxExtLookupGrid::TcxExtLookupGrid(TComponent* AOwner) : TcxGrid(AOwner) {
  SetIsPopupControl(true);
  SetBorderStyle(cxcbsNone);
  RootLevel()->AddLevel();
}

TcxCustomGridTableView* TcxExtLookupGrid::View() const {
  TcxGridLevel* root = const_cast<TcxExtLookupGrid*>(this)->RootLevel();
  return root->Count() > 0 ? dynamic_cast<TcxCustomGridTableView*>(root->Items(0)->GridView()) : nullptr;
}

bool TcxExtLookupGrid::HoldsMouseCapture() const {
  if (MouseCapture()) return true;
  TcxCustomGridTableView* view = View();
  return view && view->HasSite() && view->Site()->MouseCapture();
}

int TcxExtLookupGrid::DataRowIndexAt(int X, int Y) const {
  TcxCustomGridTableView* view = View();
  if (!view) return -1;
  auto* hitTest = dynamic_cast<TcxGridRecordHitTest*>(view->ViewInfo()->GetHitTestXY(X, Y));
  TcxCustomGridRecord* record = hitTest ? hitTest->GridRecord() : nullptr;
  return record && record->IsData() ? record->Index() : -1;
}

void TcxExtLookupGrid::DoCloseUp(bool AAccept) {
  if (AAccept)
    if (TcxCustomGridTableView* view = View()) view->DataController()->SetFocusedSelected(true);
  if (OnCloseUp) OnCloseUp(this, AAccept);
}

void TcxExtLookupGrid::ViewKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  TcxCustomGridTableView* view = View();
  if (!view) return;
  TcxCustomDataController* controller = view->DataController();
  switch (Key) {
    case VK_RETURN:
      if (focusPopup_ && !Shift.Contains(ssCtrl)) return;
      if (cxExtLookupIsEditing(controller)) controller->Post();
      DoCloseUp(controller->GetFocusedRowIndex() != -1);
      break;
    case VK_ESCAPE:
      // Without the focus the edit handles Esc itself.
      if (focusPopup_ && !cxExtLookupIsEditing(controller)) DoCloseUp(false);
      break;
    default:
      break;
  }
}

void TcxExtLookupGrid::ViewMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft || DataRowIndexAt(X, Y) == -1) return;
  if (!focusPopup_)
    clickPending_ = true;
  else if (Shift.Contains(ssDouble))
    DoCloseUp(true);
}

void TcxExtLookupGrid::ViewMouseMove(TObject*, TShiftState, int X, int Y) {
  // The first move after opening comes from where the pointer already was.
  if (!HoldsMouseCapture() && popupMouseTracking_) {
    popupMouseTracking_ = false;
    return;
  }
  if (focusPopup_) return;
  const int row = DataRowIndexAt(X, Y);
  if (row != -1) View()->DataController()->ChangeFocusedRowIndex(row);
}

void TcxExtLookupGrid::ViewMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  const bool pending = clickPending_;
  clickPending_ = false;
  if (Button == mbLeft && pending) DoCloseUp(DataRowIndexAt(X, Y) != -1);
}

void TcxExtLookupGrid::ResetMouseCaptureObject() {
  clickPending_ = false;
  inherited::ResetMouseCaptureObject();
}
