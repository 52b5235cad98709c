// The in-control drag and drop of TcxControl, the framework drag it starts after a modal drag
// detection, and the drag objects.
#include "cx/foundation/cxControls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxDragAndDropObject)
TRENVIK_IMPLEMENT_CLASS(TcxDragControlObject)

// --- TcxDragAndDropObject ---

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* AControl)
    : canvas_(AControl->Canvas()), control_(AControl) {}

void TcxDragAndDropObject::SetRepaintNeeded(bool Value) {
  if (repaintNeeded_ == Value) return;
  repaintNeeded_ = Value;
  RepaintNeededChanged();
}

void TcxDragAndDropObject::DragAndDrop(POINT, bool& Accepted) {
  SetRepaintNeeded(false);
  if (Screen) Screen->SetCursor(GetDragAndDropCursor(Accepted));
}

// --- TcxDragControlObject ---

TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  if (Accepted && cxIsCtrlPressed()) return crcxDragCopy;
  return TDragControlObjectEx::GetDragCursor(Accepted, X, Y);
}

// --- TcxControl ---

TcxDragAndDropObjectClass TcxControl::GetDragAndDropObjectClass() {
  if (dragAndDropObjectClass_) return dragAndDropObjectClass_;
  return [](TcxControl* AControl) { return new TcxDragAndDropObject(AControl); };
}

TcxDragAndDropObject* TcxControl::DragAndDropObject() {
  if (!dragAndDropObject_) dragAndDropObject_.reset(GetDragAndDropObjectClass()(this));
  return dragAndDropObject_.get();
}

void TcxControl::BeginDragAndDrop() {
  TcxDragAndDropObject* object = DragAndDropObject();
  object->CurMousePos = object->PrevMousePos = ScreenToClient(cxGetMouseCursorPos());
  object->BeginDragAndDrop();
  SetMouseCapture(true);
  dragAndDropPrevCursor_ = Screen ? Screen->Cursor() : crDefault;
  dragAndDropState_ = dndDragging;
}

void TcxControl::DragAndDrop(POINT P, bool& Accepted) {
  TcxDragAndDropObject* object = DragAndDropObject();
  object->PrevMousePos = object->CurMousePos;
  object->CurMousePos = P;
  object->DragAndDrop(P, Accepted);
}

void TcxControl::EndDragAndDrop(bool Accepted) {
  dragAndDropState_ = dndNone;
  if (Screen) Screen->SetCursor(dragAndDropPrevCursor_);
  SetMouseCapture(false);
  SetMouseCaptureObject(nullptr);
  DragAndDropObject()->EndDragAndDrop(Accepted);
}

void TcxControl::FinishDragAndDrop(bool Accepted) {
  if (finishingDragAndDrop_) return;
  finishingDragAndDrop_ = true;
  TScopeExit done([this] {
    dragAndDropObject_.reset();
    finishingDragAndDrop_ = false;
  });
  if (dragAndDropState_ == dndDragging)
    EndDragAndDrop(Accepted);
  else
    dragAndDropState_ = dndNone;
}

bool TcxControl::CanBeginDrag(int, int) { return dragAndDropState_ == dndNone; }

TcxDragControlObjectClass TcxControl::GetDragObjectClass() {
  return [](TControl* AControl) { return new TcxDragControlObject(AControl); };
}

void TcxControl::DoStartDrag(TDragObject*& DragObject) {
  TCustomControl::DoStartDrag(DragObject);
  DragObject = GetDragObjectClass()(this);
  if (!AllowStartDrag(DragObject)) {
    delete DragObject;
    DragObject = nullptr;
    CancelDrag();
  }
}

// --- Drag detection ---

namespace {

bool cxDragDetectAnyButtonDown() {
  return ((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON) | GetAsyncKeyState(VK_MBUTTON)) & 0x8000) != 0;
}

// The press point is where the message being handled happened: the cursor may have moved on
// since, with the moves still queued.
POINT cxDragDetectPressPoint() {
  const DWORD pos = GetMessagePos();
  return POINT{static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos))};
}

}  // namespace

TcxDragDetectResult cxDragDetect(HWND AWnd) {
  const POINT start = cxDragDetectPressPoint();
  const int t = Mouse ? Mouse->DragThreshold() : 5;
  const RECT square{start.x - t, start.y - t, start.x + t, start.y + t};
  SetCapture(AWnd);
  TcxDragDetectResult result = ddrCancel;
  bool done = false;
  while (!done && GetCapture() == AWnd) {
    MSG msg;
    // A release another loop has already taken leaves nothing to wait for.
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && !cxDragDetectAnyButtonDown()) {
      result = ddrClick;
      break;
    }
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (!got) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) done = true;
        break;
      case WM_MOUSEMOVE: {
        POINT p{static_cast<SHORT>(LOWORD(msg.lParam)), static_cast<SHORT>(HIWORD(msg.lParam))};
        ClientToScreen(msg.hwnd, &p);
        if (!PtInRect(&square, p)) {
          result = ddrDrag;
          done = true;
        }
        break;
      }
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        result = ddrClick;
        done = true;
        break;
      default:
        break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (GetCapture() == AWnd) ReleaseCapture();
  return result;
}
