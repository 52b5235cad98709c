#include "dx/editors/dxTextEdit.h"

#include <algorithm>

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxEditConsts.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Libraries.h"
#include "platform/win/Windows.h"

namespace {

HMODULE g_richEditLibrary = nullptr;

// The rich edit's callback: refuses dragging text in or out and inserting objects. Its reference
// count never frees it; the editor owns it.
constexpr HRESULT S_OK_ = 0;
constexpr HRESULT E_NOTIMPL_ = static_cast<HRESULT>(0x80004001L);

}  // namespace

class TdxInplaceTextEdit::TOleCallback final : public IRichEditOleCallback {
 public:
  HRESULT QueryInterface(const void*, void** object) override {
    if (object) *object = nullptr;
    return E_NOTIMPL_;
  }
  ULONG_PTR AddRef() override { return ++references_; }
  ULONG_PTR Release() override { return --references_; }
  HRESULT GetNewStorage(void** storage) override {
    if (storage) *storage = nullptr;
    return E_NOTIMPL_;
  }
  HRESULT GetInPlaceContext(void** frame, void** doc, void*) override {
    if (frame) *frame = nullptr;
    if (doc) *doc = nullptr;
    return E_NOTIMPL_;
  }
  HRESULT ShowContainerUI(BOOL) override { return E_NOTIMPL_; }
  HRESULT QueryInsertObject(void*, void*, LONG) override { return E_NOTIMPL_; }
  HRESULT DeleteObject(void*) override { return E_NOTIMPL_; }
  HRESULT QueryAcceptData(void*, CLIPFORMAT*, DWORD, BOOL, HANDLE) override { return E_NOTIMPL_; }
  HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL_; }
  HRESULT GetClipboardData(CHARRANGE*, DWORD, void** dataObject) override {
    if (dataObject) *dataObject = nullptr;
    return E_NOTIMPL_;
  }
  HRESULT GetDragDropEffect(BOOL, DWORD, DWORD* effect) override {
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK_;
  }
  HRESULT GetContextMenu(WORD, void*, CHARRANGE*, HMENU* menu) override {
    if (menu) *menu = nullptr;
    return E_NOTIMPL_;
  }

 private:
  ULONG_PTR references_ = 0;
};

TRENVIK_IMPLEMENT_CLASS(TdxTextEditViewData)

// --- Class operations of text cells ---

bool TdxTextEditMetaClass::DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const {
  if (LiveWindow && ViewData->IsEditClass) return false;  // the edit window draws its own text
  auto* v = static_cast<TdxTextEditViewData*>(ViewData);
  RECT r = Rect;
  String text = VarIsNull(v->Data) || VarIsEmpty(v->Data) ? String() : VarToStr(v->Data);
  int length = v->DataLength == 0 ? static_cast<int>(text.size()) : std::min<int>(v->DataLength, text.size());
  if (v->CharCase != ecNormal) text = ApplyCharCase(text, v->CharCase);
  if (v->PasswordChar && !text.empty()) std::fill(text.begin(), text.end(), v->PasswordChar);

  if (v->SelectionBar) r.left += 8;
  if (v->FocusRectLook) {
    InflateRect(&r, -2, -2);
  } else {
    InflateRect(&r, -1, -1);
    r.left += v->TextOffsets.left;
    r.top += v->TextOffsets.top;
    r.right -= v->TextOffsets.right;
    if (v->Alignment == taRightJustify) r.right -= 1;
  }
  Word flags = 0;
  switch (v->Alignment) {
    case taCenter: flags |= dxCellCenter; break;
    case taRightJustify: flags |= dxCellRight; break;
    default: break;
  }
  static const Word kVert[] = {dxCellTop, dxCellVCenter, dxCellBottom, dxCellMultiLine};
  flags |= kVert[std::min<int>(v->VertAlignment, 3)];
  if (v->FocusRectLook && v->Focused) flags |= dxCellFocusRect;
  if (v->Transparent) flags |= dxCellNoFill;
  if (v->OpaqueText) flags |= dxCellKeepBkMode;
  if (v->EndEllipsis) flags |= dxCellEndEllipsis;

  if (v->MeasureOnly) {
    v->MeasuredLineCount = 0;
    v->LineHeight = 0;
    int lineHeight = 0;
    int height = DrawCellText(DC, text.c_str(), length, &lineHeight, v->TextColor, v->BkColor, v->Font, v->Brush,
                              flags | dxCellMeasureOnly, r, Rect);
    v->LineHeight = lineHeight;
    if (height != 0) v->MeasuredHeight = v->FocusRectLook ? height - 2 : height - v->TextOffsets.top - 2;
    if (lineHeight != 0) v->MeasuredLineCount = v->MeasuredHeight / lineHeight;
  } else {
    DrawCellText(DC, text.c_str(), length, nullptr, v->TextColor, v->BkColor, v->Font, v->Brush, flags, r, Rect);
  }
  return true;
}

std::unique_ptr<TdxEditViewData> TdxTextEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxTextEditViewData>();
}

// --- TdxInplaceTextEdit ---

TRENVIK_PUBLISHED(TdxInplaceTextEdit) {
  P.Property("AutoSelect", &TdxInplaceTextEdit::AutoSelect, &TdxInplaceTextEdit::SetAutoSelect).Default(true);
  P.Property("CharCase", &TdxInplaceTextEdit::CharCase, &TdxInplaceTextEdit::SetCharCase).Default(ecNormal);
  P.Property("HideSelection", &TdxInplaceTextEdit::HideSelection, &TdxInplaceTextEdit::SetHideSelection)
      .Default(true);
  P.Property("MaxLength", &TdxInplaceTextEdit::MaxLength, &TdxInplaceTextEdit::SetMaxLength)
      .NoDefault()
      .Stored(&TdxInplaceTextEdit::IsMaxLengthStored);
  P.Property("OEMConvert", &TdxInplaceTextEdit::OEMConvert, &TdxInplaceTextEdit::SetOEMConvert).Default(false);
  P.Property("SelectionBar", &TdxInplaceTextEdit::SelectionBar, &TdxInplaceTextEdit::SetSelectionBar)
      .Default(false);
}

TRENVIK_MESSAGE_MAP(TdxInplaceTextEdit) {
  M.On(CN_COMMAND, &TdxInplaceTextEdit::CNCommand);
  M.On(CN_NOTIFY, &TdxInplaceTextEdit::CNNotify);
  M.On(CM_TEXTCHANGED, &TdxInplaceTextEdit::CMTextChanged);
  M.On(CM_COLORCHANGED, &TdxInplaceTextEdit::CMColorChanged);
  M.On(WM_SIZE, &TdxInplaceTextEdit::WMSize);
  M.On(WM_LBUTTONDOWN, &TdxInplaceTextEdit::WMMouseButtonDown);
  M.On(WM_RBUTTONDOWN, &TdxInplaceTextEdit::WMMouseButtonDown);
  M.On(WM_MBUTTONDOWN, &TdxInplaceTextEdit::WMMouseButtonDown);
  M.On(WM_RBUTTONUP, &TdxInplaceTextEdit::WMRButtonUp);
  M.On(WM_GETDLGCODE, &TdxInplaceTextEdit::WMGetDlgCode);
}

TdxInplaceEditClass TdxInplaceTextEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceTextEdit, TdxTextEditMetaClass> c("TdxInplaceTextEdit");
  return &c;
}

TdxInplaceTextEdit::TdxInplaceTextEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceEdit(AOwner, Class), oleCallback_(std::make_unique<TOleCallback>()) {
  SetParentColor(false);
  SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks});
}

TdxInplaceTextEdit::~TdxInplaceTextEdit() {
  // The window holds a reference to the callback until it goes.
  DestroyHandle();
}

// --- Window ---

void TdxInplaceTextEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!IsEditClass()) return;
  CreateSubClass(Params, kRichEditClassName);
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (!IsEditable()) Params.Style |= ES_READONLY;
  if (passwordChar_) Params.Style |= ES_PASSWORD;
  if (charCase_ == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (charCase_ == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (!hideSelection_) Params.Style |= ES_NOHIDESEL;
  if (oemConvert_) Params.Style |= ES_OEMCONVERT;
  if (Alignment() == taRightJustify) Params.Style |= ES_RIGHT;
  if (Alignment() == taCenter) Params.Style |= ES_CENTER;
  if (selectionBar_) Params.Style |= ES_SELECTIONBAR;
}

void TdxInplaceTextEdit::CreateWnd() {
  struct TCreating {
    bool& flag;
    ~TCreating() { flag = false; }
  } creating{creating_ = true};
  const String text = Text();
  inherited::CreateWnd();
  if (!IsEditClass()) return;
  HWND h = WindowHandle();
  SetWindowText(h, u"");
  SendMessage(h, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SetWindowText(h, text.c_str());
  SetEditLimit(maxLength_);
  SendMessage(h, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_DRAGDROPDONE);
  Perform(CM_COLORCHANGED, 0, 0);
  if (passwordChar_) SendMessage(h, EM_SETPASSWORDCHAR, passwordChar_, 0);
  if (UsesOleCallback()) SendMessage(h, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(oleCallback_.get()));
  SetModified(modifiedWithoutWindow_);
  ApplyFontColor();
  UpdateTextArea();
}

void TdxInplaceTextEdit::DestroyWnd() {
  modifiedWithoutWindow_ = GetModified();
  inherited::DestroyWnd();
}

void TdxInplaceTextEdit::ApplyFontColor() {
  if (!HandleAllocated() || !IsEditClass()) return;
  CHARFORMAT cf;
  cf.dwMask = CFM_COLOR;
  const TColor color = Font()->Color();
  if (color == clWindowText || color == clDefault)
    cf.dwEffects = CFE_AUTOCOLOR;
  else
    cf.crTextColor = ColorToColorRef(color);
  SendMessage(WindowHandle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

void TdxInplaceTextEdit::SetTextValue(const String& Value) {
  inherited::SetTextValue(Value);
  if (HandleAllocated()) SetEditLimit(maxLength_);
}

void TdxInplaceTextEdit::AssignText(const String& Value) {
  struct TAssigning {
    bool& flag;
    bool old;
    ~TAssigning() { flag = old; }
  } assigning{assigningText_, assigningText_};
  assigningText_ = true;
  SetText(Value);
}

void TdxInplaceTextEdit::UpdateTextArea() {
  if (!HandleAllocated() || !IsEditClass()) return;
  RECT r;
  GetClientRect(WindowHandle(), &r);
  InflateRect(&r, -1, -1);
  if (GetWindowLong(WindowHandle(), GWL_STYLE) & ES_SELECTIONBAR) r.left += 8;
  if (Alignment() == taRightJustify) r.right -= 1;
  const RECT offsets = TextOffsets();
  r.left += offsets.left;
  r.top += offsets.top;
  r.right -= offsets.right;
  SendMessage(WindowHandle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TdxInplaceTextEdit::WMSize(TWMSize& Message) {
  inherited::Dispatch(Message);
  UpdateTextArea();
}

// --- Notifications ---

void TdxInplaceTextEdit::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() != EN_CHANGE) {
    inherited::Dispatch(Message);
    return;
  }
  if (!IsLoading() && !caseChanging_) UpdateCharCase();
  if (!creating_ && !assigningText_) Change();
}

void TdxInplaceTextEdit::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  if (header && header->code == EN_SELCHANGE) {
    if (!IsLoading()) SelectionChanged();
    return;
  }
  inherited::Dispatch(Message);
}

void TdxInplaceTextEdit::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsEditClass()) {
    if (!HandleAllocated() && !IsLoading() && !creating_ && !assigningText_) Change();
    return;
  }
  UpdateCharCase();
  if (!creating_ && !assigningText_) Change();
  Invalidate();
}

void TdxInplaceTextEdit::CMColorChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (HandleAllocated() && IsEditClass())
    SendMessage(WindowHandle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToColorRef(Color())));
}

void TdxInplaceTextEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!IsInplace()) Message.Result &= ~DLGC_WANTTAB;
}

void TdxInplaceTextEdit::WMMouseButtonDown(TWMMouse& Message) {
  inherited::Dispatch(Message);
  // The host kept the focus: no capture or pending button may stay with the editor.
  if (HandleAllocated() && GetFocus() != WindowHandle() && !IsDesigning() && !Dragging()) {
    if (Message.Msg == WM_MBUTTONDOWN) PostMessage(WindowHandle(), WM_MBUTTONUP, Message.WParam, Message.LParam);
    if (GetCapture() == WindowHandle()) ReleaseCapture();
  }
}

void TdxInplaceTextEdit::WMRButtonUp(TWMMouse& Message) {
  POINT p = ClientToScreen(Message.Pos());
  PostMessage(WindowHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(WindowHandle()), MAKELPARAM(p.x, p.y));
}

void TdxInplaceTextEdit::DoEnter() {
  if (autoSelect_ && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
  inherited::DoEnter();
}

void TdxInplaceTextEdit::Loaded() {
  inherited::Loaded();
  UpdateCharCase();
}

void TdxInplaceTextEdit::EditKeyPress(Char& Key) {
  if (charCase_ != ecNormal && Key >= 32) Key = ApplyCharCase(String(1, Key), charCase_)[0];
  inherited::EditKeyPress(Key);
}

// --- The text editor's operations ---

void TdxInplaceTextEdit::UpdateCharCase() {
  if (charCase_ == ecNormal) return;
  const String text = Text();
  const String converted = ApplyCharCase(text, charCase_);
  if (converted == text) return;
  struct TCaseChanging {
    bool& flag;
    ~TCaseChanging() { flag = false; }
  } changing{caseChanging_ = true};
  int start = 0, end = 0;
  if (HandleAllocated()) GetSelectionRange(start, end);
  const bool modified = GetModified();
  SetText(converted);
  SetModified(modified);
  if (HandleAllocated()) SetSelectionRange(start, end);
}

void TdxInplaceTextEdit::SetEditLimit(int Limit) {
  // 0 means no limit (the rich edit's own default would cut long texts).
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_EXLIMITTEXT, 0, Limit > 0 ? Limit : 0x7FFFFFFE);
}

int TdxInplaceTextEdit::GetSelectionLength() {
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  return end - start;
}

int TdxInplaceTextEdit::GetSelectionStart() {
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  return start;
}

void TdxInplaceTextEdit::GetSelectedText(String& Text) {
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  Text = this->Text().substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

int TdxInplaceTextEdit::GetSelectedTextBuffer(Char* Buffer, int Size) {
  String text;
  GetSelectedText(text);
  const int count = std::min<int>(Size, static_cast<int>(text.size()));
  std::copy_n(text.data(), count, Buffer);
  return count;
}

void TdxInplaceTextEdit::SelectionChanged() {
  if (OnSelectionChange) OnSelectionChange(this);
}

void TdxInplaceTextEdit::SetMaxLengthValue(int Value) {
  Value = std::max(Value, 0);
  if (Value == maxLength_) return;
  maxLength_ = Value;
  SetEditLimit(maxLength_);
}

void TdxInplaceTextEdit::SetSelectionLength(int Length) {
  const int start = GetSelectionStart();
  SetSelectionRange(start, start + Length);
}

void TdxInplaceTextEdit::SetSelectionStart(int Start) { SetSelectionRange(Start, Start); }

void TdxInplaceTextEdit::SetEditValue(const Variant& Value) {
  {
    struct TAssigning {
      bool& flag;
      ~TAssigning() { flag = false; }
    } assigning{assigningText_ = true};
    inherited::SetEditValue(Value);
  }
  ClearUndo();
}

void TdxInplaceTextEdit::UpdateDataDefaults() {
  inherited::UpdateDataDefaults();
  if (!IsMaxLengthStored()) SetMaxLengthValue(GetDefaultMaxLength());
  if (HandleAllocated() && IsEditClass()) SendMessage(WindowHandle(), EM_SETREADONLY, !IsEditable(), 0);
}

std::unique_ptr<TdxEditViewData> TdxInplaceTextEdit::CreateViewData(bool FromDefinition) {
  auto data = inherited::CreateViewData(FromDefinition);
  auto* v = static_cast<TdxTextEditViewData*>(data.get());
  v->CharCase = charCase_;
  v->FocusRectLook = !IsInplace() && !IsEditClass();
  v->PasswordChar = passwordChar_;
  v->SelectionBar = selectionBar_;
  return data;
}

bool TdxInplaceTextEdit::GetModified() {
  if (HandleAllocated() && IsEditClass()) return SendMessage(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
  return modifiedWithoutWindow_;
}

void TdxInplaceTextEdit::SetModified(bool Value) {
  if (HandleAllocated() && IsEditClass())
    SendMessage(WindowHandle(), EM_SETMODIFY, Value, 0);
  else
    modifiedWithoutWindow_ = Value;
}

void TdxInplaceTextEdit::ApplyReadOnly(bool Value) {
  inherited::ApplyReadOnly(Value);
  if (HandleAllocated() && IsEditClass()) SendMessage(WindowHandle(), EM_SETREADONLY, !IsEditable(), 0);
}

void TdxInplaceTextEdit::CaretToEnd() {
  const int length = GetEditTextLength();
  SetSelectionRange(length, length);
}

void TdxInplaceTextEdit::RestoreDefaults() {
  inherited::RestoreDefaults();
  SetMaxLengthValue(GetDefaultMaxLength());
}

void TdxInplaceTextEdit::SelectAll() { SetSelectionRange(0, -1); }

void TdxInplaceTextEdit::ClearText() { SetText(String()); }

void TdxInplaceTextEdit::DeleteSelection() {
  if (HandleAllocated()) SendMessage(WindowHandle(), WM_CLEAR, 0, 0);
}

void TdxInplaceTextEdit::CopySelection() {
  if (HandleAllocated()) SendMessage(WindowHandle(), WM_COPY, 0, 0);
}

void TdxInplaceTextEdit::CutSelection() {
  if (HandleAllocated()) SendMessage(WindowHandle(), WM_CUT, 0, 0);
}

void TdxInplaceTextEdit::PasteText() {
  if (HandleAllocated()) SendMessage(WindowHandle(), WM_PASTE, 0, 0);
}

void TdxInplaceTextEdit::UndoEdit() {
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_UNDO, 0, 0);
}

void TdxInplaceTextEdit::RedoEdit() {
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_REDO, 0, 0);
}

void TdxInplaceTextEdit::ClearUndo() {
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

bool TdxInplaceTextEdit::CanUndoEdit() {
  return HandleAllocated() && SendMessage(WindowHandle(), EM_CANUNDO, 0, 0) != 0;
}

bool TdxInplaceTextEdit::CanRedoEdit() {
  return HandleAllocated() && SendMessage(WindowHandle(), EM_CANREDO, 0, 0) != 0;
}

bool TdxInplaceTextEdit::CanPasteText() {
  return IsEditable() && HandleAllocated() && SendMessage(WindowHandle(), EM_CANPASTE, 0, 0) != 0;
}

void TdxInplaceTextEdit::GetSelectionRange(int& Start, int& End) {
  Start = End = 0;
  if (!HandleAllocated()) return;
  CHARRANGE range;
  SendMessage(WindowHandle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  Start = range.cpMin;
  End = range.cpMax;
}

void TdxInplaceTextEdit::SetSelectionRange(int Start, int End) {
  if (!HandleAllocated()) return;
  CHARRANGE range{Start, End};
  SendMessage(WindowHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

int TdxInplaceTextEdit::GetEditTextLength() {
  return HandleAllocated() ? static_cast<int>(SendMessage(WindowHandle(), WM_GETTEXTLENGTH, 0, 0))
                           : static_cast<int>(Text().size());
}

// --- Properties ---

void TdxInplaceTextEdit::SetCharCase(TEditCharCase Value) {
  if (charCase_ == Value) return;
  charCase_ = Value;
  UpdateCharCase();
}

void TdxInplaceTextEdit::SetHideSelection(bool Value) {
  if (hideSelection_ == Value) return;
  hideSelection_ = Value;
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_HIDESELECTION, Value, 0);
}

void TdxInplaceTextEdit::SetMaxLength(int Value) {
  SetStoredValues(StoredValues() | dxsvMaxLength);
  SetMaxLengthValue(Value);
}

void TdxInplaceTextEdit::SetOEMConvert(bool Value) {
  if (oemConvert_ == Value) return;
  oemConvert_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplaceTextEdit::SetSelectionBar(bool Value) {
  if (selectionBar_ == Value) return;
  selectionBar_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplaceTextEdit::SetPasswordChar(Char Value) {
  if (passwordChar_ == Value) return;
  passwordChar_ = Value;
  if (!HandleAllocated()) return;
  SendMessage(WindowHandle(), EM_SETPASSWORDCHAR, Value, 0);
  AssignText(Text());
}

// --- Free routines and module ---

String ApplyCharCase(const String& Text, TEditCharCase CharCase) {
  switch (CharCase) {
    case ecUpperCase: return AnsiUpperCase(Text);
    case ecLowerCase: return AnsiLowerCase(Text);
    default: return Text;
  }
}

bool HasPopupMenu(TControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (c->PopupMenu()) return true;
  return false;
}

void InitTextEditModule() {
  const UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  g_richEditLibrary = LoadLibrary(u"RICHED20.DLL");
  SetErrorMode(oldMode);
}

void FinalizeTextEditModule() {
  if (g_richEditLibrary) FreeLibrary(g_richEditLibrary);
  g_richEditLibrary = nullptr;
}
