#include "dx/editors/dxBlobPopup.h"

#include "dx/editors/dxEditConsts.h"
#include "dx/editors/dxInplaceEdit.h"
#include "platform/forms/PictureValues.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Menus.h"
#include "platform/forms/native/EditControls.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxBlobPopup)

TRENVIK_MESSAGE_MAP(TCustomdxBlobPopup) {
  // The button bar, the grip and the sizing frame: dxBlobPopupFrame.cpp.
  M.On(WM_NCCALCSIZE, &TCustomdxBlobPopup::WMNCCalcSize);
  M.On(WM_NCPAINT, &TCustomdxBlobPopup::WMNCPaint);
  M.On(WM_NCHITTEST, &TCustomdxBlobPopup::WMNCHitTest);
  M.On(WM_NCLBUTTONDOWN, &TCustomdxBlobPopup::WMNCLButtonDown);
  M.On(WM_NCLBUTTONDBLCLK, &TCustomdxBlobPopup::WMNCLButtonDown);
  M.On(WM_MOUSEMOVE, &TCustomdxBlobPopup::WMMouseMove);
  M.On(WM_LBUTTONUP, &TCustomdxBlobPopup::WMLButtonUp);
  M.On(WM_GETMINMAXINFO, &TCustomdxBlobPopup::WMGetMinMaxInfo);
  M.On(WM_GETDLGCODE, &TCustomdxBlobPopup::WMGetDlgCode);
  M.On(WM_ERASEBKGND, &TCustomdxBlobPopup::WMEraseBkgnd);
  M.On(WM_CONTEXTMENU, &TCustomdxBlobPopup::WMContextMenu);
  // Picture scrolling: dxBlobPopupScroll.cpp.
  M.On(WM_SIZE, &TCustomdxBlobPopup::WMSize);
  M.On(WM_HSCROLL, &TCustomdxBlobPopup::WMHScroll);
  M.On(WM_VSCROLL, &TCustomdxBlobPopup::WMVScroll);
}

TCustomdxBlobPopup::TCustomdxBlobPopup(TComponent* AOwner)
    : TdxInplacePopupControl(AOwner), ClipboardFormat(CF_PICTURE) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque});
  SetBounds(Left(), Top(), 185, 89);
  SetTabStop(true);
  SetParentColor(false);
  SetVisible(false);
  SetIsPopup(true);
  SetDrawFrame(true);
}

TCustomdxBlobPopup::~TCustomdxBlobPopup() {
  if (picture_) picture_->OnChange = nullptr;
}

// --- Settings ---

void TCustomdxBlobPopup::SetKind(TdxBlobPopupKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  RebuildWindow();
}

void TCustomdxBlobPopup::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  RebuildWindow();
}

void TCustomdxBlobPopup::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  RebuildWindow();
}

TPicture* TCustomdxBlobPopup::Picture() {
  if (!picture_) picture_ = std::make_unique<TPicture>();
  picture_->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
  return picture_.get();
}

std::vector<int> TCustomdxBlobPopup::Buttons() const {
  if (readOnly_) return {dxBlobButtonClose};
  return {dxBlobButtonOK, dxBlobButtonCancel};
}

// --- Window ---

void TCustomdxBlobPopup::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (IsMemo()) {
    CreateSubClass(Params, kRichEditClassName);
    if (readOnly_) Params.Style |= ES_READONLY;
    if (charCase_ == ecUpperCase) Params.Style |= ES_UPPERCASE;
    if (charCase_ == ecLowerCase) Params.Style |= ES_LOWERCASE;
    const TScrollStyle bars = memoStyle_.ScrollBars;
    if (memoStyle_.OEMConvert) Params.Style |= ES_OEMCONVERT;
    if (bars == ssHorizontal || bars == ssBoth) Params.Style |= WS_HSCROLL;
    if (bars == ssVertical || bars == ssBoth) Params.Style |= WS_VSCROLL;
    // No ES_SELECTIONBAR here: on a top-level window its bit is WS_MAXIMIZE (see UpdateTextArea).
    // ES_DISABLENOSCROLL is left out: our edit control reads its bit as ES_NUMBER.
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    if (wordWrap_) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  }
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TCustomdxBlobPopup::CreateWnd() {
  inherited::CreateWnd();
  if (IsMemo()) {
    SendMessage(Handle(), EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessage(Handle(), EM_EXLIMITTEXT, 0, maxLength_);
    UpdateTextArea();
    TValueScope<bool> internal(internalChange_, true);
    SetText(pendingText_);
  }
  SetModified(storedModified_);
  UpdatePictureScrollBars();
}

void TCustomdxBlobPopup::DestroyWnd() {
  if (IsMemo()) pendingText_ = Text();
  storedModified_ = Modified();
  inherited::DestroyWnd();
}

void TCustomdxBlobPopup::UpdateTextArea() {
  if (!IsMemo() || !HandleAllocated()) return;
  RECT r = ClientRect();
  InflateRect(&r, -1, -1);
  if (memoStyle_.SelectionBar) r.left += 8;
  SendMessage(Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TCustomdxBlobPopup::SetMemoStyle(const TMemoStyle& Value) {
  if (memoStyle_ == Value) return;
  memoStyle_ = Value;
  RebuildWindow();
}

void TCustomdxBlobPopup::SetMaxLength(int Value) {
  maxLength_ = Value;
  if (HandleAllocated() && IsMemo()) SendMessage(Handle(), EM_EXLIMITTEXT, 0, Value);
}

void TCustomdxBlobPopup::SetCharCase(TEditCharCase Value) {
  if (charCase_ == Value) return;
  charCase_ = Value;
  ApplyCharCase();
}

String TCustomdxBlobPopup::InCase(const String& Text) const {
  if (charCase_ == ecUpperCase) return AnsiUpperCase(Text);
  if (charCase_ == ecLowerCase) return AnsiLowerCase(Text);
  return Text;
}

void TCustomdxBlobPopup::ApplyCharCase() {
  if (!IsMemo()) return;
  const String text = EditText();
  const String converted = InCase(text);
  if (converted == text) return;
  if (!HandleAllocated()) {
    pendingText_ = converted;
    return;
  }
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool modified = Modified();
  {
    TValueScope<bool> internal(internalChange_, true);
    SetText(converted);
  }
  SendMessage(Handle(), EM_SETMODIFY, modified ? TRUE : FALSE, 0);
  SendMessage(Handle(), EM_SETSEL, start, end);
  SendMessage(Handle(), EM_SCROLLCARET, 0, 0);
}

String TCustomdxBlobPopup::EditText() { return HandleAllocated() && IsMemo() ? Text() : pendingText_; }

void TCustomdxBlobPopup::SetEditText(const String& Value) {
  pendingText_ = Value;
  if (!HandleAllocated() || !IsMemo()) return;
  TValueScope<bool> internal(internalChange_, true);
  SetText(Value);
}

bool TCustomdxBlobPopup::Modified() {
  if (IsMemo() && HandleAllocated()) return SendMessage(Handle(), EM_GETMODIFY, 0, 0) != 0;
  return storedModified_;
}

void TCustomdxBlobPopup::SetModified(bool Value) {
  if (IsMemo() && HandleAllocated())
    SendMessage(Handle(), EM_SETMODIFY, Value ? TRUE : FALSE, 0);
  else
    storedModified_ = Value;
  if (okEnabled_ == Value) return;
  okEnabled_ = Value;
  if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 1, 0);
}

void TCustomdxBlobPopup::Changed() {
  const bool modified = Modified();
  if (okEnabled_ == modified) return;
  okEnabled_ = modified;
  if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 1, 0);
}

void TCustomdxBlobPopup::WndProc(TMessage& Message) {
  // The memo paints itself; the picture view paints through Paint.
  if (IsMemo() && HandleAllocated() && (Message.Msg == WM_PAINT || Message.Msg == WM_ERASEBKGND)) {
    DefaultHandler(Message);
    return;
  }
  if (Message.Msg == WM_CHAR && IsMemo() && charCase_ != ecNormal)
    Message.WParam = InCase(String(1, static_cast<Char>(Message.WParam)))[0];
  inherited::WndProc(Message);
  const UINT m = Message.Msg;
  const bool edits = m == WM_CHAR || m == WM_KEYDOWN || m == WM_PASTE || m == WM_CUT || m == WM_CLEAR ||
                     m == WM_UNDO || m == EM_UNDO || m == EM_REDO;
  if (!edits || !IsMemo() || internalChange_ || !HandleAllocated()) return;
  ApplyCharCase();
  Changed();
}

void TCustomdxBlobPopup::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

// --- Showing and closing ---

void TCustomdxBlobPopup::ShowPopup() {
  inherited::ShowPopup();
  textSaved_ = false;
}

void TCustomdxBlobPopup::ClosePopup(bool Accept) {
  if (HandleAllocated()) savedText_ = EditText();
  if (HandleAllocated() && IsWindowVisible(Handle())) SavePopupSize();
  inherited::ClosePopup(Accept);
  if (AlwaysSaveText) SaveText();
}

void TCustomdxBlobPopup::SavePopupSize() {
  if (OnSize) OnSize(this);
}

void TCustomdxBlobPopup::SaveText() {
  if (!textSaved_ && Modified() && OnSave) OnSave(this);
  textSaved_ = true;
}

void TCustomdxBlobPopup::ButtonClick(int Index) {
  // Cancel and Close leave nothing to save.
  if (Index == dxBlobButtonCancel || Index == dxBlobButtonClose) textSaved_ = true;
  ClosePopup(Index == dxBlobButtonOK);
  if (Index == dxBlobButtonOK) SaveText();
}

void TCustomdxBlobPopup::KeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  const TdxInplaceEdit* owner = OwnerControl();
  if (Key == VK_TAB && owner && owner->IsInplace() && !WantTabs) {
    ClosePopup(false);
    if (OwnerControl()) OwnerControl()->MoveToAdjacentColumn(Shift.Contains(ssShift));
    Key = 0;
    return;
  }
  if ((alt && (Key == VK_UP || Key == VK_DOWN)) || Key == VK_F4) {
    ClosePopup(false);
    SetModified(false);
    Key = 0;
    return;
  }
  if (alt && ButtonAccelerator(Key)) {
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) {
    SetModified(false);
    ButtonClick(dxBlobButtonCancel);
    Key = 0;
    return;
  }
  const bool ctrl = Shift.Contains(ssCtrl);
  if (Key == VK_RETURN && (ctrl || !WantReturns || !IsMemo())) {
    ButtonClick(readOnly_ ? dxBlobButtonClose : dxBlobButtonOK);
    Key = 0;
    return;
  }
  inherited::KeyDown(Key, Shift);
  if (IsMemo()) return;
  const bool shift = Shift == TShiftState{ssShift}, ctrlOnly = Shift == TShiftState{ssCtrl};
  if (Key == VK_INSERT && shift) PasteFromClipboard();
  if (Key == VK_INSERT && ctrlOnly) CopyToClipboard();
  if (Key == VK_DELETE && shift) CutToClipboard();
}

bool TCustomdxBlobPopup::ButtonAccelerator(WORD Key) {
  for (int index : Buttons()) {
    const String caption = LoadResString(dxSDialogOk + index);
    if (AnsiUpperCase(String(1, GetHotkey(caption))) != String(1, static_cast<Char>(Key))) continue;
    if (index != dxBlobButtonOK) SetModified(false);
    ButtonClick(index == dxBlobButtonOK ? dxBlobButtonOK : dxBlobButtonCancel);
    // The window is made again at the next showing.
    DestroyHandle();
    return true;
  }
  return false;
}

void TCustomdxBlobPopup::KeyPress(Char& Key) {
  // Ctrl+Enter (a line feed) accepted in KeyDown; a Tab typed only where tabs are wanted.
  if ((Key == 10 && !readOnly_) || (Key == VK_TAB && !WantTabs)) {
    Key = 0;
    return;
  }
  inherited::KeyPress(Key);
  if (IsMemo()) return;
  switch (Key) {
    case 3: CopyToClipboard(); break;
    case 22: PasteFromClipboard(); break;
    case 24: CutToClipboard(); break;
    default: break;
  }
}

void TCustomdxBlobPopup::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (WantTabs)
    Message.Result |= DLGC_WANTTAB;
  else
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  if (WantReturns)
    Message.Result |= DLGC_WANTALLKEYS;
  else
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

// --- Picture ---

void TCustomdxBlobPopup::PictureChanged(TObject*) {
  if (!internalChange_) {
    SetModified(true);
    Changed();
  }
  if (HandleAllocated()) Invalidate();
}

void TCustomdxBlobPopup::PictureEdited() {
  if (!HandleAllocated()) return;
  Invalidate();
  SetModified(true);
}

void TCustomdxBlobPopup::CopyToClipboard() {
  if (!HandleAllocated()) return;
  if (IsMemo()) {
    SendMessage(Handle(), WM_COPY, 0, 0);
    return;
  }
  if (picture_ && picture_->Graphic()) Clipboard()->Assign(picture_.get());
}

void TCustomdxBlobPopup::CutToClipboard() {
  if (!HandleAllocated()) return;
  if (IsMemo()) {
    SendMessage(Handle(), WM_CUT, 0, 0);
    return;
  }
  if (!picture_ || !picture_->Graphic()) return;
  CopyToClipboard();
  if (readOnly_ || (OwnerControl() && !OwnerControl()->CanModify())) return;
  Picture()->SetGraphic(nullptr);
  PictureEdited();
}

void TCustomdxBlobPopup::PasteFromClipboard() {
  if (!HandleAllocated() || readOnly_) return;
  if (IsMemo()) {
    SendMessage(Handle(), WM_PASTE, 0, 0);
    return;
  }
  if (!ClipboardHasPicture(ClipboardFormat)) return;
  try {
    if (!OwnerControl() || OwnerControl()->CanModify()) Picture()->Assign(Clipboard());
  } catch (...) {
    ClosePopup(false);
    throw;
  }
  PictureEdited();
}

void TCustomdxBlobPopup::ClearPicture() {
  if (!HandleAllocated() || IsMemo() || readOnly_ || !picture_ || !picture_->Graphic()) return;
  Picture()->SetGraphic(nullptr);
  PictureEdited();
}

void TCustomdxBlobPopup::Paint() {
  const RECT client = ClientRect();
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Color());
  if (PictureIsEmpty(picture_.get())) {
    canvas->FillRect(client);
    return;
  }
  TGraphic* graphic = picture_->Graphic();
  // Auto size fits the picture proportionally, anchored top-left; otherwise it keeps its size.
  RECT target = GraphicPictureRect(client, graphic->Width(), graphic->Height(), PictureAutoSize, false);
  if (!PictureAutoSize) OffsetRect(&target, -offset_.x, -offset_.y);
  canvas->FillRect(client);
  canvas->StretchDraw(target, graphic);
}
