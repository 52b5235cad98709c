// The framework's drag and drop: a drag object follows the mouse through a capture window, the
// control under it is asked through CM_DRAG (enter, move, leave, drop) whether it accepts.
#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ImgList.h"
#include "platform/win/Windows.h"

using namespace forms_internal;

void DragTo(POINT Pos);
void DragDone(bool Drop);

namespace {

enum TActiveDrag { dopNone, dopDrag };

TDragObject* g_dragObject = nullptr;
TControl* g_dragControl = nullptr;
bool g_dragFreeObject = false;
HWND g_dragCapture = nullptr;
POINT g_dragStartPos{};
int g_dragThreshold = 5;
TActiveDrag g_activeDrag = dopNone;
HCURSOR g_dragSaveCursor = nullptr;

TCustomImageList* DragImageList() { return g_dragObject ? g_dragObject->GetDragImages() : nullptr; }

LRESULT DragMessage(HWND Handle, TDragMessage Msg, TDragObject* Source, void* Target, POINT Pos) {
  if (!Handle) return 0;
  TDragRec rec;
  rec.Pos = Pos;
  rec.Source = Source;
  rec.Target = Target;
  return SendMessage(Handle, CM_DRAG, static_cast<WPARAM>(Msg), reinterpret_cast<LPARAM>(&rec));
}

bool DoDragOver(TDragMessage Msg) {
  if (!g_dragObject || !g_dragObject->DragTarget) return false;
  return DragMessage(g_dragObject->DragHandle, Msg, g_dragObject, g_dragObject->DragTarget,
                     g_dragObject->DragPos) != 0;
}

// The first framework window at the point (the windows of other parts do not take drops).
HWND DragFindWindow(POINT Pos) {
  for (HWND h = WindowFromPoint(Pos); h; h = GetParent(h))
    if (FindControl(h)) return h;
  return nullptr;
}

TControl* DragFindTarget(POINT Pos, HWND& Handle) {
  Handle = DragFindWindow(Pos);
  return reinterpret_cast<TControl*>(DragMessage(Handle, dmFindTarget, g_dragObject, nullptr, Pos));
}

}  // namespace

void DragTo(POINT Pos) {
  if (!g_dragObject || !g_dragControl) return;
  if (g_activeDrag == dopNone && std::abs(g_dragStartPos.x - Pos.x) < g_dragThreshold &&
      std::abs(g_dragStartPos.y - Pos.y) < g_dragThreshold)
    return;
  HWND targetHandle = nullptr;
  TControl* target = DragFindTarget(Pos, targetHandle);
  g_activeDrag = dopDrag;
  if (target != g_dragObject->DragTarget) {
    DoDragOver(dmDragLeave);
    if (!g_dragObject) return;
    g_dragObject->DragTarget = target;
    g_dragObject->DragHandle = targetHandle;
    g_dragObject->DragPos = Pos;
    DoDragOver(dmDragEnter);
    if (!g_dragObject) return;
  }
  g_dragObject->DragPos = Pos;
  if (g_dragObject->DragTarget) g_dragObject->DragTargetPos = g_dragObject->DragTarget->ScreenToClient(Pos);
  const bool accepted = DoDragOver(dmDragMove);
  if (!g_dragObject) return;
  const TCursor cursor = g_dragObject->GetDragCursor(accepted, Pos.x, Pos.y);
  if (TCustomImageList* images = DragImageList()) {
    TControl* t = g_dragObject->DragTarget;
    if (!t || t->ControlStyle().Contains(csDisplayDragImage) || g_dragObject->AlwaysShowDragImages) {
      images->SetDragCursor(cursor);
      if (!images->Dragging())
        images->BeginDrag(GetDesktopWindow(), Pos.x, Pos.y);
      else
        images->DragMove(Pos.x, Pos.y);
    } else {
      images->EndDrag();
    }
  }
  if (Screen) SetCursor(Screen->Cursors(cursor));
}

void DragDone(bool Drop) {
  if (!g_dragObject || g_dragObject->Cancelling) return;
  TDragObject* save = g_dragObject;
  const bool freeObject = g_dragFreeObject;
  bool accepted = false;
  POINT targetPos{};
  save->Cancelling = true;
  save->Dropped = Drop;
  try {
    save->HideDragImage();
    if (g_dragCapture) {
      HWND capture = g_dragCapture;
      g_dragCapture = nullptr;
      save->ReleaseCapture(capture);
    }
    targetPos = save->DragTarget ? save->DragTargetPos : save->DragPos;
    accepted = g_activeDrag != dopNone && DoDragOver(dmDragLeave) && Drop;
    if (TCustomImageList* images = DragImageList())
      images->EndDrag();
    else
      SetCursor(g_dragSaveCursor);
    g_dragControl = nullptr;
    g_dragObject = nullptr;
    if (save->DragTarget) {
      TDragMessage msg = dmDragDrop;
      if (!accepted) {
        msg = dmDragCancel;
        save->DragPos = POINT{0, 0};
        targetPos = POINT{0, 0};
      }
      DragMessage(save->DragHandle, msg, save, save->DragTarget, save->DragPos);
    }
    save->Cancelling = false;
    save->Finished(save->DragTarget, targetPos.x, targetPos.y, accepted);
  } catch (...) {
    g_dragControl = nullptr;
    g_dragObject = nullptr;
    g_activeDrag = dopNone;
    if (freeObject) delete save;
    throw;
  }
  g_activeDrag = dopNone;
  if (freeObject) delete save;
}

bool forms_internal::DragActive() { return g_dragObject != nullptr; }
void forms_internal::DragToPoint(POINT Pos) { DragTo(Pos); }
void forms_internal::FinishDrag(bool Drop) { DragDone(Drop); }

void forms_internal::ForgetDragControl(TControl* Control) {
  if (g_dragControl == Control) CancelDrag();
  if (g_dragObject && g_dragObject->DragTarget == Control) g_dragObject->DragTarget = nullptr;
  if (auto* o = dynamic_cast<TBaseDragControlObject*>(g_dragObject); o && o->Control() == Control)
    o->SetControl(nullptr);
}

TDragObject* DragObject() { return g_dragObject; }
TControl* DragControl() { return g_dragControl; }

void CancelDrag() {
  if (g_dragObject) DragDone(false);
  g_dragControl = nullptr;
}

TControl* FindDragTarget(POINT Pos, bool AllowDisabled) {
  TWinControl* window = FindVCLWindow(Pos);
  if (!window) return nullptr;
  TControl* c = window->ControlAtPos(window->ScreenToClient(Pos), AllowDisabled);
  return c ? c : window;
}

// --- TControl's part ---

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (dynamic_cast<TCustomForm*>(this) && dragKind_ != dkDock) throw EInvalidOperation("Cannot drag a form");
  if (g_dragControl) return;
  if (controlState_.Contains(csLButtonDown)) {
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    Perform(WM_LBUTTONUP, 0, PointToLParam(p));
  }
  if (Threshold < 0) Threshold = Mouse ? Mouse->DragThreshold() : 5;
  g_dragControl = this;
  TDragObject* obj = nullptr;
  try {
    g_dragFreeObject = false;
    DoStartDrag(obj);
    if (!g_dragControl) return;  // OnStartDrag cancelled it
    if (!obj) {
      obj = new TDragControlObjectEx(this);
      g_dragFreeObject = true;
    } else if (obj->AutoFree) {
      g_dragFreeObject = true;
    }
  } catch (...) {
    g_dragControl = nullptr;
    throw;
  }
  g_dragObject = obj;
  obj->DragTarget = nullptr;
  GetCursorPos(&g_dragStartPos);
  obj->DragPos = g_dragStartPos;
  g_dragSaveCursor = GetCursor();
  g_dragCapture = obj->Capture();
  g_dragThreshold = Threshold;
  if (Immediate) {
    g_activeDrag = dopDrag;
    DragTo(g_dragStartPos);
  } else {
    g_activeDrag = dopNone;
  }
}

void TControl::BeginAutoDrag() {
  BeginDrag(Mouse ? Mouse->DragImmediate() : true, Mouse ? Mouse->DragThreshold() : 5);
}

void TControl::EndDrag(bool Drop) {
  if (Dragging()) DragDone(Drop);
}

bool TControl::Dragging() const { return g_dragControl == this; }

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) { DoEndDragInternal(Target, X, Y); }

void TControl::DoEndDragInternal(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::DoDragOverStep(TCMDrag& Message) {
  TDragRec* rec = Message.DragRec();
  TObject* source = rec->Source;
  // A drag object the framework made stands for its control.
  if (g_dragFreeObject || (rec->Source && rec->Source->AutoFree))
    if (auto* o = dynamic_cast<TBaseDragControlObject*>(rec->Source)) source = o->Control();
  POINT p = ScreenToClient(rec->Pos);
  switch (Message.DragMessage()) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      bool accepts = true;
      DragOver(source, p.x, p.y, static_cast<TDragState>(Message.DragMessage()), accepts);
      Message.Result = accepts ? 1 : 0;
      break;
    }
    case dmDragDrop:
      DragDrop(source, p.x, p.y);
      break;
    default:
      break;
  }
}

void TControl::CMDrag(TCMDrag& Message) {
  if (Message.DragMessage() == dmFindTarget)
    Message.Result = reinterpret_cast<LRESULT>(this);
  else if (Message.DragRec()->Target == this)
    DoDragOverStep(Message);
}

void TWinControl::CMDrag(TCMDrag& Message) {
  TDragRec* rec = Message.DragRec();
  switch (Message.DragMessage()) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove:
    case dmDragDrop:
      if (auto* t = static_cast<TControl*>(rec->Target)) {
        if (t == this)
          DoDragOverStep(Message);
        else
          Message.Result = t->Perform(CM_DRAG, Message.WParam, Message.LParam);
      }
      break;
    case dmFindTarget: {
      TControl* c = ControlAtPos(ScreenToClient(rec->Pos), false);
      Message.Result = reinterpret_cast<LRESULT>(c ? c : this);
      break;
    }
    default:
      break;
  }
}

// --- Drag objects ---

TRENVIK_IMPLEMENT_CLASS(TDragObject)
TRENVIK_IMPLEMENT_CLASS(TBaseDragControlObject)
TRENVIK_IMPLEMENT_CLASS(TDragControlObject)
TRENVIK_IMPLEMENT_CLASS(TDragControlObjectEx)

TDragObject::~TDragObject() {
  if (g_dragObject == this) {
    g_dragObject = nullptr;
    g_dragControl = nullptr;
  }
}

void TDragObject::Assign(TDragObject* Source) {
  DragTarget = Source->DragTarget;
  DragHandle = Source->DragHandle;
  DragPos = Source->DragPos;
  DragTargetPos = Source->DragTargetPos;
  MouseDeltaX = Source->MouseDeltaX;
  MouseDeltaY = Source->MouseDeltaY;
}

void TDragObject::HideDragImage() {}
void TDragObject::ShowDragImage() {}

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? crDrag : crNoDrop; }

void TDragObject::Finished(TObject*, int, int, bool) {}

HWND TDragObject::Capture() {
  HWND h = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  ::SetCapture(h);
  return h;
}

void TDragObject::ReleaseCapture(HWND Handle) {
  ::ReleaseCapture();
  DeallocateHWnd(Handle);
}

void TDragObject::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      POINT p = PointFromLParam(Message.LParam);
      ClientToScreen(g_dragCapture, &p);
      DragTo(p);
      break;
    }
    case WM_CAPTURECHANGED:
      DragDone(false);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      DragDone(true);
      break;
    case CN_KEYUP:
      if (Message.WParam == VK_CONTROL && g_dragObject) DragTo(g_dragObject->DragPos);
      break;
    case CN_KEYDOWN:
      if (Message.WParam == VK_CONTROL && g_dragObject) {
        DragTo(g_dragObject->DragPos);
      } else if (Message.WParam == VK_ESCAPE) {
        Message.Result = 1;
        DragDone(false);
      }
      break;
    default:
      Message.Result = DefWindowProc(g_dragCapture, Message.Msg, Message.WParam, Message.LParam);
      break;
  }
}

void TBaseDragControlObject::Assign(TDragObject* Source) {
  inherited::Assign(Source);
  if (auto* s = dynamic_cast<TBaseDragControlObject*>(Source)) control_ = s->control_;
}

void TBaseDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  if (!Accepted) Target = nullptr;
  if (control_) control_->DoEndDrag(Target, X, Y);
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int, int) {
  return Accepted && Control() ? Control()->DragCursor() : crNoDrop;
}

TCustomImageList* TDragControlObject::GetDragImages() {
  return Control() ? Control()->GetDragImages() : nullptr;
}

void TDragControlObject::HideDragImage() {
  if (TCustomImageList* images = GetDragImages()) images->HideDragImage();
}

void TDragControlObject::ShowDragImage() {
  if (TCustomImageList* images = GetDragImages()) images->ShowDragImage();
}
