// A view's inner control: what it receives goes to the view's controller.
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "cx/grid/cxGridLevel.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridSite)

TRENVIK_MESSAGE_MAP(TcxGridSite) { M.On(CM_GRIDSIZECHANGED, &TcxGridSite::CMGridSizeChanged); }

TcxGridSite::TcxGridSite(TcxCustomGridViewInfo* AViewInfo) : TcxControl(nullptr), viewInfo_(AViewInfo) {
  SetKeys(TcxWantedKeys{wkArrows, wkChars});
  SetParentColor(false);
}

TcxCustomGrid* TcxGridSite::Container() const { return GridView()->Grid(); }

bool TcxGridSite::AllowMouseWithoutFocus() {
  return (Container() && Container()->IsPopupControl()) || inherited::AllowMouseWithoutFocus();
}

void TcxGridSite::BoundsChanged() {
  const int prevWidth = clientWidth_, prevHeight = clientHeight_;
  // Scroll bars lie over the client rectangle: their coming or going is a size change too.
  const RECT client = GetClientBounds();
  clientWidth_ = client.right - client.left;
  clientHeight_ = client.bottom - client.top;
  if ((prevWidth != 0 || prevHeight != 0) && (prevWidth != clientWidth_ || prevHeight != clientHeight_)) {
    bool canCalculate = true;
    for (TcxCustomGridView* view = GridView(); view && canCalculate; view = view->MasterGridView())
      canCalculate = view->ViewInfo()->CanCalculate();
    if (canCalculate)
      GridView()->SiteSizeChanged(true, false);
    else if (updatingScrollBarsNow_ && HandleAllocated())
      PostMessage(Handle(), CM_GRIDSIZECHANGED, 0, 0);
  }
  inherited::BoundsChanged();
}

void TcxGridSite::CMGridSizeChanged(TMessage&) {
  MSG msg;
  while (PeekMessage(&msg, Handle(), CM_GRIDSIZECHANGED, CM_GRIDSIZECHANGED, PM_REMOVE)) {
  }
  GridView()->SiteSizeChanged(true, true);
}

bool TcxGridSite::CanBeginDrag(int X, int Y) {
  return inherited::CanBeginDrag(X, Y) && !(Container() && Container()->IsDesigning()) &&
         Controller()->CanBeginDrag(X, Y);
}

void TcxGridSite::ResetMouseCaptureObject() {
  inherited::ResetMouseCaptureObject();
  Controller()->CancelMode();
}

void TcxGridSite::DoExit() {
  Controller()->DoExit();
  inherited::DoExit();
}

void TcxGridSite::FocusChanged() {
  inherited::FocusChanged();
  if (Focused()) GridView()->SetFocused(true);
  if (TcxCustomGrid* grid = Container()) grid->SetFocusState(GridView()->IsControlFocused());
}

bool TcxGridSite::MayFocusOnChildClick(TWinControl* AChild) {
  return inherited::MayFocusOnChildClick(AChild) && !(Container() && Container()->IsFocused());
}

TCursor TcxGridSite::GetCursor(int X, int Y) {
  const TCursor cursor = Controller()->GetCursor(X, Y);
  return cursor != crDefault ? cursor : inherited::GetCursor(X, Y);
}

bool TcxGridSite::IsFocused() {
  return (Container() && Container()->IsPopupControl()) || inherited::IsFocused() || Controller()->IsFocused();
}

TcxWheelScrollKind TcxGridSite::GetMouseWheelScrollingKind() { return Controller()->GetMouseWheelScrollingKind(); }

bool TcxGridSite::IsPixelScrollBar(TScrollBarKind AKind) { return Controller()->IsPixelScrollBar(AKind); }

void TcxGridSite::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  Controller()->KeyDown(Key, Shift);
}

void TcxGridSite::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  Controller()->KeyPress(Key);
}

void TcxGridSite::KeyUp(WORD& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  Controller()->KeyUp(Key, Shift);
}

bool TcxGridSite::MayFocus() { return inherited::MayFocus() && Controller()->MayFocus(); }

void TcxGridSite::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (HandleAllocated()) Controller()->MouseDown(Button, Shift, X, Y);
}

void TcxGridSite::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (DragAndDropState() == dndNone) Controller()->MouseMove(Shift, X, Y);
}

void TcxGridSite::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (DragAndDropState() != dndNone) {
    inherited::MouseUp(Button, Shift, X, Y);
    Controller()->MouseUp(Button, Shift, X, Y);
  } else {
    Controller()->MouseUp(Button, Shift, X, Y);
    inherited::MouseUp(Button, Shift, X, Y);
  }
  if (Button == mbRight)
    if (TcxCustomGrid* grid = Container()) grid->SendNotifications(gnkContextMenu);
}

void TcxGridSite::Paint() {
  if (viewInfo_->IsCalculating() || IsParked()) return;
  GridView()->Painter()->Paint();
}

void TcxGridSite::SetParent(TWinControl* AParent) {
  if (AParent != Parent()) {
    if (AParent) {
      if (TcxCustomGrid* grid = Container()) LookAndFeel()->SetMasterLookAndFeel(grid->LookAndFeel());
      if (TcxGridLevel* level = GridView()->Level()) SetTabStop(level->IsTop());
    } else if (GridView()->IsFocused() && Focused() && Parent() && Parent()->CanFocus()) {
      Parent()->SetFocus();
    }
  }
  inherited::SetParent(AParent);
}

void TcxGridSite::WndProc(TMessage& Message) {
  Controller()->WndProc(Message);
  inherited::WndProc(Message);
}

void TcxGridSite::InitScrollBarsParameters() { Controller()->InitScrollBarsParameters(); }

void TcxGridSite::Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APos) {
  Controller()->Scroll(AKind, ACode, APos);
}

void TcxGridSite::UpdateScrollBars() {
  if (viewInfo_->IsCalculating()) return;
  TValueScope updating(updatingScrollBarsNow_, true);
  inherited::UpdateScrollBars();
}

void TcxGridSite::BeginDragAndDrop() {
  Controller()->BeginDragAndDrop();
  inherited::BeginDragAndDrop();
}

void TcxGridSite::DragAndDrop(POINT P, bool& Accepted) {
  inherited::DragAndDrop(P, Accepted);
  Controller()->DragAndDrop(P, Accepted);
}

void TcxGridSite::EndDragAndDrop(bool Accepted) {
  Controller()->EndDragAndDrop(Accepted);
  inherited::EndDragAndDrop(Accepted);
}

bool TcxGridSite::StartDragAndDrop(POINT P) { return Controller()->StartDragAndDrop(P); }

void TcxGridSite::DoStartDrag(TDragObject*& DragObject) {
  Controller()->BeforeStartDrag();
  inherited::DoStartDrag(DragObject);
  Controller()->StartDrag(DragObject);
}

void TcxGridSite::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  inherited::DragOver(Source, X, Y, State, Accept);
  Controller()->DragOver(Source, X, Y, State, Accept);
}

void TcxGridSite::DragDrop(TObject* Source, int X, int Y) {
  Controller()->DragDrop(Source, X, Y);
  inherited::DragDrop(Source, X, Y);
}

void TcxGridSite::DoEndDragInternal(TObject* Target, int X, int Y) {
  Controller()->EndDrag(Target, X, Y);
  inherited::DoEndDragInternal(Target, X, Y);
}
