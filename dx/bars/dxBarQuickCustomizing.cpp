#include "dx/bars/dxBarQuickCustomizing.h"

#include <algorithm>

#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarSubItem.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarQuickCustItem)
TRENVIK_IMPLEMENT_CLASS(TdxBarQuickControl)

TRENVIK_MESSAGE_MAP(TdxBarQuickControl) {
  M.On(WM_NCCALCSIZE, &TdxBarQuickControl::WMNCCalcSize);
  M.On(WM_NCPAINT, &TdxBarQuickControl::WMNCPaint);
  M.On(WM_NCHITTEST, &TdxBarQuickControl::WMNCHitTest);
  M.On(WM_TIMER, &TdxBarQuickControl::WMTimer);
}

namespace {

TdxBarQuickControl* g_quickControl = nullptr;

// The bar whose links the window shows: hidden from every list, never quick-customized itself.
TdxBar* NewQuickBar(TdxBarManager* Manager) {
  TdxBar* bar = Manager->Bars()->Add();
  bar->SetAllowQuickCustomizing(false);
  bar->SetHidden(true);
  return bar;
}

// A link whose control the toolbar did not lay out (no room) or that is not shown at all.
bool LinkNotShown(TdxBarItemLink* Link) {
  if (Link->VisibleIndex() < 0) return true;
  RECT r = Link->ItemRect();
  return !Link->Control() || IsRectEmpty(&r);
}

TdxBarButton* NewTemporaryButton(TdxBarManager* Manager, const String& Caption, TNotifyEvent OnClick) {
  auto* button = new TdxBarButton(Manager->ParentForm());
  button->SetCaption(Caption);
  button->OnClick = std::move(OnClick);
  AddTemporaryItem(button);
  return button;
}

}  // namespace

TdxBarQuickControl* OpenQuickControl() { return g_quickControl; }

// --- Entries ---

TdxBarQuickCustItem::TdxBarQuickCustItem(TComponent* AOwner, TdxBarItemLink* CustomizedLink)
    : TdxBarButton(AOwner), customizedLink_(CustomizedLink) {
  SetCaption(CustomizedLink->Caption());
  SetButtonStyle(bsChecked);
  SetDown(CustomizedLink->Visible());
  SetCloseSubMenuOnClick(false);
  OnClick = [CustomizedLink](TObject*) { CustomizedLink->SetVisible(!CustomizedLink->Visible()); };
}

// --- The window ---

TdxBarQuickControl::TdxBarQuickControl(TdxBarManager* Manager, TdxBarControl* BarControl)
    : TdxBarControl(Manager, (FreeTemporaryItems(), NewQuickBar(Manager))), barControl_(BarControl) {
  g_quickControl = this;
  RECT mark = BarControl->GetMarkRect();
  POINT origin = BarControl->ClientToScreen(POINT{0, 0});
  OffsetRect(&mark, origin.x, origin.y);
  SetOwnerRect(mark);
  TdxBar* toolbar = BarControl->Bar();
  addRemoveItem_ = new TdxBarSubItem(Manager->ParentForm());
  addRemoveItem_->SetCaption(LoadResString(dxSBAR_ADDREMOVEBUTTONS));
  addRemoveItem_->SetEnabled(toolbar->AllowQuickCustomizing());
  if (toolbar->AllowQuickCustomizing()) addRemoveItem_->OnPopup = [this](TObject*) { FillAddRemoveMenu(); };
  AddTemporaryItem(addRemoveItem_);
  TdxBarItemLinks* links = Bar()->ItemLinks();
  TdxBarItemLinks* toolbarLinks = toolbar->ItemLinks();
  for (int i = 0; i < toolbarLinks->Count(); ++i) {
    TdxBarItemLink* source = toolbarLinks->Items(i);
    if (!source->Item() || !source->Visible() || !LinkNotShown(source)) continue;
    TdxBarItemLink* copy = links->Add();
    copy->Assign(source);
    copy->SetContainerLink(source);
  }
  TdxBarItemLink* addRemove = links->Add();
  addRemove->SetItem(addRemoveItem_);
  addRemove->SetBeginGroup(true);
}

TdxBarQuickControl::~TdxBarQuickControl() {
  closing_ = true;
  if (g_quickControl == this) g_quickControl = nullptr;
  TdxBar* bar = Bar();
  inherited::Close();
  if (HandleAllocated()) DestroyHandle();
  SetItemLinks(nullptr);
  bar->ItemLinks()->SetBarControl(nullptr);
  delete bar;
}

void TdxBarQuickControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

HBRUSH TdxBarQuickControl::GetBackgroundBrush() const {
  return IsFlat() ? GetSysColorBrush(COLOR_WINDOW) : inherited::GetBackgroundBrush();
}

void TdxBarQuickControl::ShowAt(const RECT& MarkScreenRect) {
  HandleNeeded();
  SIZE size = GetSizeForWidth(0);
  const int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
  const int width = size.cx + 2 * frameX, height = size.cy + 2 * frameY;
  const RECT& mark = MarkScreenRect;
  const bool beside = barControl_->IsVertical();
  POINT at = beside ? POINT{mark.right, mark.top}
                    : (barControl_->Floating() && IsFlat() ? POINT{mark.left, mark.bottom}
                                                           : POINT{mark.right - width, mark.bottom});
  RECT work = GetWorkAreaAt(at);
  if (beside) {
    if (at.x + width > work.right) at.x = mark.left - width;
    at.y = std::clamp<LONG>(at.y, work.top, std::max<LONG>(work.top, work.bottom - height));
  } else {
    at.x = std::clamp<LONG>(at.x, work.left, std::max<LONG>(work.left, work.right - width));
    if (at.y + height > work.bottom) at.y = mark.top - height;
  }
  SetWindowPos(Handle(), HWND_TOPMOST, at.x, at.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  CalcItemRects();
  Invalidate();
}

void TdxBarQuickControl::FillAddRemoveMenu() {
  FreeTemporaryItems();
  TdxBarItemLinks* menu = addRemoveItem_->ItemLinks();
  menu->Clear();
  TdxBarManager* manager = BarManager();
  TdxBar* toolbar = barControl_->Bar();
  TdxBarItemLinks* links = toolbar->ItemLinks();
  for (int i = 0; i < links->Count(); ++i) {
    TdxBarItemLink* link = links->Items(i);
    if (!link->Item()) continue;
    auto* entry = new TdxBarQuickCustItem(manager->ParentForm(), link);
    AddTemporaryItem(entry);
    menu->Add()->SetItem(entry);
  }
  bool resets = manager->CanReset() && toolbar->AllowReset();
  if (resets) {
    TdxBarItemLink* reset = menu->Add();
    reset->SetItem(NewTemporaryButton(manager, LoadResString(dxSBAR_RESETTOOLBAR), [toolbar](TObject*) { toolbar->Reset(); }));
    reset->SetBeginGroup(true);
  }
  if (!manager->CanCustomize()) return;
  TdxBarButton* customize =
      NewTemporaryButton(manager, LoadResString(dxSBAR_CUSTOMIZE), [manager](TObject*) { manager->SetCustomizing(true); });
  customize->SetEnabled(!GetCustomizingForm());
  TdxBarItemLink* customizeLink = menu->Add();
  customizeLink->SetItem(customize);
  customizeLink->SetBeginGroup(!resets);
}

void TdxBarQuickControl::Close() {
  if (closing_) return;
  TdxBarControl* toolbar = barControl_;
  bool fromKeyboard = BarManager()->KeyboardBarControl() == this;
  inherited::Close();
  if (!fromKeyboard || !IsBarControlAlive(toolbar)) return;
  // The press that closes the window must not open it again.
  POINT cursor;
  GetCursorPos(&cursor);
  RECT mark = toolbar->GetMarkRect();
  if (GetKeyState(VK_LBUTTON) < 0 && PtInRect(&mark, toolbar->ScreenToClient(cursor))) toolbar->SetSkipNextClick(true);
  toolbar->SetMarkState(0);
}

void TdxBarQuickControl::WMNCCalcSize(TMessage& Message) {
  RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
  InflateRect(&r, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
  Message.Result = 0;
}

void TdxBarQuickControl::WMNCPaint(TMessage& Message) {
  Message.Result = 0;
  HDC dc = GetWindowDC(Handle());
  RECT window;
  GetWindowRect(Handle(), &window);
  OffsetRect(&window, -window.left, -window.top);
  RECT client = window;
  InflateRect(&client, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillRect(dc, &window, GetBackgroundBrush());
  FrameRect(dc, &window, GetSysColorBrush(COLOR_BTNSHADOW));
  RestoreDC(dc, saved);
  ReleaseDC(Handle(), dc);
}

void TdxBarQuickControl::WMNCHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  // Neither moved nor sized.
  if (Message.Result != HTCLIENT) Message.Result = HTBORDER;
}

void TdxBarQuickControl::ScheduleClose(TCustomdxBarControl* SelectingWindow) {
  selectingWindow_ = SelectingWindow;
  if (closeScheduled_ || !HandleAllocated()) return;
  closeScheduled_ = true;
  SetTimer(Handle(), kCloseTimerId, kCloseDelay, nullptr);
}

void TdxBarQuickControl::WMTimer(TMessage& Message) {
  if (Message.WParam != kCloseTimerId) {
    inherited::Dispatch(Message);
    return;
  }
  KillTimer(Handle(), kCloseTimerId);
  closeScheduled_ = false;
  TCustomdxBarControl* selecting = selectingWindow_;
  selectingWindow_ = nullptr;
  if (!IsBarControlAlive(selecting) || !selecting->SelectedControl()) return;
  for (TCustomdxBarControl* root = selecting; IsBarControlAlive(root); root = root->ParentBarControl())
    if (root == this) return;
  TdxBarControl* toolbar = barControl_;
  if (IsBarControlAlive(toolbar)) toolbar->SetMarkState(0);
}

// --- The toolbar's mark ---

void TdxBarControl::SetMarkState(int Value) {
  if (Value == markState_) return;
  markState_ = Value;
  if (Value == 2) {
    RECT mark = GetMarkRect();
    POINT origin = ClientToScreen(POINT{0, 0});
    OffsetRect(&mark, origin.x, origin.y);
    auto* quick = new TdxBarQuickControl(BarManager(), this);
    quick->ShowAt(mark);
  } else if (TdxBarQuickControl* quick = OpenQuickControl(); quick && quick->BarControl() == this) {
    delete quick;
  }
  if (!HandleAllocated()) return;
  RECT mark = GetMarkRect();
  InvalidateRect(Handle(), &mark, FALSE);
}
