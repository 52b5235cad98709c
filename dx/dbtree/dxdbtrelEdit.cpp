// TCustomdxVTreeViewEdit: the box (height, painting, mouse and keys) and the drop-down's opening,
// placement and closing.
#include <algorithm>

#include "dx/dbtree/dxdbtrel.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxVTreeViewEdit)

TRENVIK_MESSAGE_MAP(TCustomdxVTreeViewEdit) {
  M.On(WM_GETDLGCODE, &TCustomdxVTreeViewEdit::WMGetDlgCode);
  M.On(CM_MOUSELEAVE, &TCustomdxVTreeViewEdit::CMMouseLeave);
  M.On(CM_FONTCHANGED, &TCustomdxVTreeViewEdit::CMFontChanged);
}

TCustomdxVTreeViewEdit::TCustomdxVTreeViewEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csOpaque, csReplicatable});
  SetParentColor(false);
  SetTabStop(true);
  buttonWidth_ = GetSystemMetrics(SM_CXVSCROLL);
  SetBounds(Left(), Top(), 145, 0);
}

TCustomdxVTreeViewEdit::~TCustomdxVTreeViewEdit() = default;

void TCustomdxVTreeViewEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (Ctl3D())
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  else
    Params.Style |= WS_BORDER;
}

int TCustomdxVTreeViewEdit::TextHeight() {
  HDC dc = GetDC(nullptr);
  TScopeExit release([dc] { ReleaseDC(nullptr, dc); });
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  return tm.tmHeight;
}

// The height always follows the font: text height, the border the styles give, and 4.
void TCustomdxVTreeViewEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  (void)AHeight;
  TCreateParams params;
  CreateParams(params);
  RECT border{0, 0, 0, 0};
  AdjustWindowRectEx(&border, params.Style, FALSE, params.ExStyle);
  inherited::SetBounds(ALeft, ATop, AWidth, TextHeight() + (border.bottom - border.top) + 4);
}

void TCustomdxVTreeViewEdit::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  SetBounds(Left(), Top(), Width(), 0);
}

void TCustomdxVTreeViewEdit::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TCustomdxVTreeViewEdit::SetText(const String& Value) {
  if (text_ == Value) return;
  text_ = Value;
  Invalidate();
}

void TCustomdxVTreeViewEdit::SetDividedChar(Char Value) {
  dividedChar_ = Value;
  Invalidate();
}

void TCustomdxVTreeViewEdit::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Invalidate();
}

RECT TCustomdxVTreeViewEdit::ButtonRect() {
  return RECT{ClientWidth() - buttonWidth_, 0, ClientWidth(), ClientHeight()};
}

void TCustomdxVTreeViewEdit::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetColor(Color());
  bool focusLook = Focused() && !droppedDown_ && !ControlState().Contains(csPaintCopy);
  if (focusLook) {
    canvas->Font()->SetColor(clHighlightText);
    canvas->Brush()->SetColor(clHighlight);
  }
  String text = PaintedText();
  int textRight = ClientWidth() - buttonWidth_;
  int textWidth = canvas->TextWidth(text);
  int left = alignment_ == taRightJustify ? textRight - textWidth - 3
             : alignment_ == taCenter     ? (textRight - textWidth) / 2
                                          : 2;
  RECT clip{1, 1, textRight - 1, ClientHeight() - 1};
  canvas->FillRect(RECT{0, 0, textRight, ClientHeight()});
  canvas->TextRect(clip, left, 2, text);
  if (focusLook) canvas->DrawFocusRect(clip);
  RECT button = ButtonRect();
  UINT state = DFCS_SCROLLCOMBOBOX | (buttonPressed_ ? DFCS_PUSHED | DFCS_FLAT : 0);
  DrawFrameControl(canvas->Handle(), &button, DFC_SCROLL, state);
}

void TCustomdxVTreeViewEdit::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (Key == VK_DOWN && Shift.Contains(ssAlt)) {
    DropDown();
    Key = 0;
  }
}

void TCustomdxVTreeViewEdit::SetButtonPressed(bool Value) {
  if (buttonPressed_ == Value) return;
  buttonPressed_ = Value;
  RECT r = ButtonRect();
  if (HandleAllocated()) InvalidateRect(Handle(), &r, FALSE);
}

void TCustomdxVTreeViewEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    // Taking the focus may already close the drop-down; the press then only closes it.
    bool wasOpen = droppedDown_;
    if (CanFocus()) SetFocus();
    if (wasOpen) {
      POINT screen = ClientToScreen(POINT{X, Y});
      RECT popup{};
      GetWindowRect(treeView_->Handle(), &popup);
      if (droppedDown_ && PtInRect(&popup, screen)) {
        POINT p = treeView_->ScreenToClient(screen);
        SendMessage(treeView_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
      } else {
        CloseUp(false);
      }
    } else {
      POINT p{X, Y};
      RECT button = ButtonRect();
      SetButtonPressed(PtInRect(&button, p) != 0);
      DropDown();
    }
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TCustomdxVTreeViewEdit::MouseMove(TShiftState Shift, int X, int Y) {
  if (buttonPressed_) {
    POINT p{X, Y};
    RECT button = ButtonRect();
    if (!PtInRect(&button, p)) SetButtonPressed(false);
  }
  inherited::MouseMove(Shift, X, Y);
}

void TCustomdxVTreeViewEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  SetButtonPressed(false);
  inherited::MouseUp(Button, Shift, X, Y);
}

void TCustomdxVTreeViewEdit::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  SetButtonPressed(false);
}

void TCustomdxVTreeViewEdit::InitTreeView() {
  treeView_->SetVisible(false);
  treeView_->SetShowNodeHint(false);
  treeView_->OnChanging = [this](TObject* Sender, TTreeNode* Node, bool& Allow) {
    TreeViewChanging(Sender, Node, Allow);
  };
  treeView_->OnDblClick = [this](TObject* Sender) { TreeViewDblClick(Sender); };
}

void TCustomdxVTreeViewEdit::ApplyTreeViewStyle() {
  treeView_->OnGetImageIndex = OnGetImageIndex;
  treeView_->OnGetSelectedIndex = OnGetSelectedIndex;
}

void TCustomdxVTreeViewEdit::TreeViewChanging(TObject*, TTreeNode* Node, bool& AllowChange) {
  AllowChange = canSelectParents_ || !Node || !Node->HasChildren();
  lastChangeAllowed_ = AllowChange;
}

void TCustomdxVTreeViewEdit::TreeViewDblClick(TObject*) {
  POINT p;
  GetCursorPos(&p);
  p = treeView_->ScreenToClient(p);
  THitTests hit = treeView_->GetHitTestInfoAt(p.x, p.y);
  bool onItem = hit.Contains(htOnIcon) || hit.Contains(htOnLabel) || hit.Contains(htOnStateIcon);
  if (lastChangeAllowed_ && onItem) CloseUp(true);
}

HWND TCustomdxVTreeViewEdit::OwnerFormWindow() const {
  TWinControl* top = const_cast<TCustomdxVTreeViewEdit*>(this);
  if (TCustomForm* form = GetParentForm(top)) return form->HandleAllocated() ? form->Handle() : nullptr;
  while (top->Parent()) top = top->Parent();
  return top->HandleAllocated() ? top->Handle() : nullptr;
}

void TCustomdxVTreeViewEdit::AcceptSelection() {
  TTreeNode* node = treeView_ ? treeView_->Selected() : nullptr;
  if (!node) return;
  String text = node->Text();
  if (textStyle_ == tvtsFull)
    for (TTreeNode* up = node->Parent(); up; up = up->Parent()) {
      String above = up->Text();
      if (!above.empty() && !text.empty())
        text = above + String(1, dividedChar_) + text;
      else if (text.empty())
        text = above;
    }
  SetText(text);
}

void TCustomdxVTreeViewEdit::DropDown() {
  if (droppedDown_ || !treeView_) return;
  if (OnDropDown) OnDropDown(this);
  ApplyTreeViewStyle();
  // The window's top-left: the client edge lies inside it.
  RECT window{};
  GetWindowRect(Handle(), &window);
  POINT p{window.left, window.top};
  int screenHeight = Screen->Height(), screenWidth = Screen->Width();
  int boxHeight = Height();
  int y = p.y + boxHeight;
  int h = TextHeight() * dropDownRows_ + kDropDownExtraHeight;
  if (y + h > screenHeight && y - h - boxHeight < 0)
    h = screenHeight / 2 < y ? y - boxHeight : screenHeight - y - boxHeight;
  if (y + h > screenHeight) y = p.y - h;
  int w = dropDownWidth_ > 0 ? dropDownWidth_ : Width();
  if (p.x + w > screenWidth) p.x = screenWidth - w;
  treeView_->HandleNeeded();
  droppedDown_ = true;
  SetWindowPos(treeView_->Handle(), HWND_TOP, p.x, y, w, h, SWP_NOACTIVATE);
  SetWindowPos(treeView_->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(treeView_->Handle(), SW_SHOWNOACTIVATE);
  treeView_->SetVisible(true);
  ::SetFocus(treeView_->Handle());
  if (HWND form = OwnerFormWindow()) SendMessage(form, WM_NCACTIVATE, TRUE, 0);
  Invalidate();
}

void TCustomdxVTreeViewEdit::CloseUp(bool Accept) {
  if (!droppedDown_) return;
  HWND tree = treeView_->Handle();
  RECT r{};
  GetWindowRect(tree, &r);
  dropDownWidth_ = r.right - r.left;
  int th = std::max(TextHeight(), 1);
  dropDownRows_ = std::max((r.bottom - r.top - kDropDownExtraHeight) / th, 2);
  if (GetCapture() == tree) ReleaseCapture();
  droppedDown_ = false;
  if (IsWindowVisible(tree)) {
    SetWindowPos(tree, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    treeView_->SetVisible(false);
    // The box takes the focus back (the form's window when it cannot).
    if (CanFocus())
      SetFocus();
    else if (HWND form = OwnerFormWindow())
      ::SetFocus(form);
  }
  Invalidate();
  if (Accept) AcceptSelection();
  if (OnCloseUp) OnCloseUp(this, Accept);
}
