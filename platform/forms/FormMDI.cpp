// MDI forms: the main form's MDI client window and the child forms inside it.
#include <algorithm>

#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

void TCustomForm::MDIChildCreateParams(TCreateParams& Params) {
  TCustomForm* frame = Application ? Application->MainForm() : nullptr;
  if (!frame || frame == this || frame->FormStyle() != fsMDIForm)
    throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
  frame->HandleNeeded();
  Params.WndParent = frame->ClientHandle();
  Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
  Params.ExStyle |= WS_EX_MDICHILD;
}

void TCustomForm::CreateMDIClient() {
  RECT r = ClientRect();
  clientHandle_ = CreateWindowEx(WS_EX_CLIENTEDGE, u"MDICLIENT", u"",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, Handle(), nullptr, nullptr, nullptr);
  if (!clientHandle_) throw EOSError("Error creating the MDI client of " + StringToUtf8(Name()));
  Realign();
}

// The MDI client takes the room the aligned controls leave.
void TCustomForm::AlignControls(TControl* AControl, RECT& Rect) {
  inherited::AlignControls(AControl, Rect);
  if (clientHandle_)
    SetWindowPos(clientHandle_, HWND_BOTTOM, Rect.left, Rect.top, std::max<LONG>(0, Rect.right - Rect.left),
                 std::max<LONG>(0, Rect.bottom - Rect.top), SWP_NOACTIVATE);
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (formStyle_ != fsMDIForm || !clientHandle_) return nullptr;
  HWND active = reinterpret_cast<HWND>(SendMessage(clientHandle_, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(active));
}

// An MDI child is maximised and restored by its system menu and by the MDI client: WindowState
// follows what the window became.
void TCustomForm::WMSize(TWMSize& Message) {
  inherited::Dispatch(Message);
  if (formStyle_ != fsMDIChild) return;
  switch (Message.SizeType()) {
    case SIZE_MAXIMIZED:
      windowState_ = wsMaximized;
      break;
    case SIZE_MINIMIZED:
      windowState_ = wsMinimized;
      break;
    case SIZE_RESTORED:
      windowState_ = wsNormal;
      break;
    default:
      break;
  }
}
