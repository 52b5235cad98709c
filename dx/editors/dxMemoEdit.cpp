#include "dx/editors/dxMemoEdit.h"

#include "dx/editors/dxContainer.h"
#include "platform/classes/Published.h"
#include "platform/win/Windows.h"

namespace {

// CR LF, a lone CR or a lone LF all become CR LF.
String NormalisedLineBreaks(const String& Value) {
  String result;
  result.reserve(Value.size());
  for (size_t i = 0; i < Value.size(); ++i) {
    const Char c = Value[i];
    if (c == u'\r' || c == u'\n') {
      result += u"\r\n";
      if (c == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ++i;
    } else {
      result.push_back(c);
    }
  }
  return result;
}

}  // namespace

// --- TdxMemoStrings ---

TRENVIK_IMPLEMENT_CLASS(TdxMemoStrings)

HWND TdxMemoStrings::Window() const {
  return memo_ && memo_->HandleAllocated() ? memo_->Handle() : nullptr;
}

int TdxMemoStrings::LineStart(int Index) const {
  return static_cast<int>(SendMessage(Window(), EM_LINEINDEX, static_cast<WPARAM>(Index), 0));
}

int TdxMemoStrings::LineLength(int Index) const {
  return static_cast<int>(SendMessage(Window(), EM_LINELENGTH, static_cast<WPARAM>(LineStart(Index)), 0));
}

void TdxMemoStrings::ReplaceRange(int Start, int End, const String& Text) const {
  SendMessage(Window(), EM_SETSEL, static_cast<WPARAM>(Start), End);
  SendMessage(Window(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Text.c_str()));
}

int TdxMemoStrings::GetCount() const {
  HWND h = Window();
  if (!h) return 0;
  int count = static_cast<int>(SendMessage(h, EM_GETLINECOUNT, 0, 0));
  if (count > 0) {
    const int start = LineStart(count - 1);
    const int length = static_cast<int>(SendMessage(h, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    const int textLength = GetWindowTextLength(h);
    if (length == 0 || start >= textLength) --count;  // the empty line after a final break
  }
  return count;
}

String TdxMemoStrings::Get(int Index) const {
  HWND h = Window();
  if (!h || Index < 0 || Index >= GetCount()) return String();
  // As long as the line is: no fixed buffer cuts long lines.
  const int length = LineLength(Index);
  String line;
  if (length > 0 && length <= 0xFFFF) {
    line.assign(static_cast<size_t>(length) + 1, u'\0');
    line[0] = static_cast<Char>(length);
    const int got = static_cast<int>(SendMessage(h, EM_GETLINE, static_cast<WPARAM>(Index),
                                                 reinterpret_cast<LPARAM>(line.data())));
    line.resize(static_cast<size_t>(std::max(got, 0)));
  } else if (length > 0) {
    line = GetWindowTextString(h).substr(static_cast<size_t>(LineStart(Index)), static_cast<size_t>(length));
  }
  while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n')) line.pop_back();
  return line;
}

void TdxMemoStrings::Put(int Index, const String& S) {
  if (!Window() || Index < 0 || Index >= GetCount()) return;
  const int start = LineStart(Index);
  ReplaceRange(start, start + LineLength(Index), S);
}

void TdxMemoStrings::Insert(int Index, const String& S) {
  if (!Window() || Index < 0) return;
  int p = LineStart(Index);
  String text;
  if (p >= 0) {  // the window has that line (the empty one after a final break too)
    text = S + u"\r";
  } else {
    // One past the last line: after the last line, unless that line is empty or missing.
    if (Index == 0) return;
    p = LineStart(Index - 1);
    if (p < 0) return;
    const int length = LineLength(Index - 1);
    if (length == 0) return;
    p += length;
    text = u"\r" + S;
  }
  ReplaceRange(p, p, text);
}

void TdxMemoStrings::Delete(int Index) {
  if (!Window() || Index < 0 || Index >= GetCount()) return;
  const int start = LineStart(Index);
  const int next = Index + 1 < static_cast<int>(SendMessage(Window(), EM_GETLINECOUNT, 0, 0)) ? LineStart(Index + 1) : -1;
  const int end = next >= 0 ? next : start + LineLength(Index);
  ReplaceRange(start, end, String());
}

void TdxMemoStrings::Clear() {
  if (memo_) memo_->SetText(String());
}

void TdxMemoStrings::SetUpdating(bool Updating) {
  if (!memo_ || !memo_->Showing() || !Window()) return;
  SendMessage(Window(), WM_SETREDRAW, !Updating, 0);
  if (!Updating) {
    memo_->Refresh();
    memo_->Perform(CM_TEXTCHANGED, 0, 0);
  }
}

String TdxMemoStrings::GetTextStr() const { return memo_ ? memo_->Text() : String(); }

void TdxMemoStrings::SetTextStr(const String& Value) {
  if (memo_) memo_->SetWholeText(Value);
}

// --- TdxInplaceMemoEdit ---

TRENVIK_PUBLISHED(TdxInplaceMemoEdit) {
  P.Property("HideScrollBars", &TdxInplaceMemoEdit::HideScrollBars, &TdxInplaceMemoEdit::SetHideScrollBars)
      .Default(true);
  P.Property("ScrollBars", &TdxInplaceMemoEdit::ScrollBars, &TdxInplaceMemoEdit::SetScrollBars).Default(ssNone);
  P.Property("WantReturns", &TdxInplaceMemoEdit::WantReturns, &TdxInplaceMemoEdit::SetWantReturns).Default(true);
  P.Property("WantTabs", &TdxInplaceMemoEdit::WantTabs, &TdxInplaceMemoEdit::SetWantTabs).Default(false);
  P.Property("WordWrap", &TdxInplaceMemoEdit::WordWrap, &TdxInplaceMemoEdit::SetWordWrap).Default(true);
}

TRENVIK_MESSAGE_MAP(TdxInplaceMemoEdit) { M.On(WM_GETDLGCODE, &TdxInplaceMemoEdit::WMGetDlgCode); }

TdxInplaceEditClass TdxInplaceMemoEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceMemoEdit, TdxTextEditMetaClass> c("TdxInplaceMemoEdit");
  return &c;
}

TdxInplaceMemoEdit::TdxInplaceMemoEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceTextEdit(AOwner, Class), lines_(std::make_unique<TdxMemoStrings>(this)) {
  SetBounds(Left(), Top(), 185, 89);
  if (!IsInplace()) SetAutoSelect(false);
  SetAutoSize(false);
  SetSelectionBar(true);
}

TdxInplaceMemoEdit::~TdxInplaceMemoEdit() = default;

void TdxInplaceMemoEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (wordWrap_) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
  if (!hideScrollBars_) Params.Style |= ES_DISABLENOSCROLL;
}

void TdxInplaceMemoEdit::CreateWnd() {
  // The rich edit may size itself while it is made; the editor keeps its bounds.
  const RECT bounds = BoundsRect();
  inherited::CreateWnd();
  SetBoundsRect(bounds);
}

std::unique_ptr<TdxEditViewData> TdxInplaceMemoEdit::CreateViewData(bool FromDefinition) {
  auto v = inherited::CreateViewData(FromDefinition);
  v->VertAlignment = dxVertMultiLine;
  return v;
}

void TdxInplaceMemoEdit::SelectAll() {
  inherited::SelectAll();
  if (IsInplace() && HandleAllocated()) {
    const int first = static_cast<int>(SendMessage(WindowHandle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessage(WindowHandle(), EM_LINESCROLL, 0, -first);
  }
}

void TdxInplaceMemoEdit::Loaded() {
  inherited::Loaded();
  SetModified(false);
}

void TdxInplaceMemoEdit::SetTextValue(const String& Value) {
  if (HandleAllocated() && !clearing_) {
    struct TClearing {
      bool& flag;
      ~TClearing() { flag = false; }
    } clearing{clearing_ = true};
    inherited::SetTextValue(String());
  }
  inherited::SetTextValue(Value);
}

void TdxInplaceMemoEdit::SetWholeText(const String& Value) {
  const String text = NormalisedLineBreaks(Value);
  HWND h = HandleAllocated() ? WindowHandle() : nullptr;
  const LRESULT mask = h ? SendMessage(h, EM_GETEVENTMASK, 0, 0) : 0;
  if (h) SendMessage(h, EM_SETEVENTMASK, 0, mask & ~static_cast<LRESULT>(ENM_CHANGE));
  struct TRestoreMask {
    HWND h;
    LRESULT mask;
    ~TRestoreMask() {
      if (h) SendMessage(h, EM_SETEVENTMASK, 0, mask);
    }
  } restore{h, mask};
  if (text == Text()) return;
  if (h && !SetWindowText(h, text.c_str())) throw EInvalidOperation("Text exceeds memo capacity");
  if (!h) TdxInplaceTextEdit::SetText(text);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TdxInplaceMemoEdit::KeyDown(WORD& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  TCustomdxContainer* container = GetContainer();
  if (Key == VK_RETURN && IsEditable() && !ctrl) {
    if (CanModify()) SendMessage(Handle(), WM_CHAR, u'\r', 0);
    Key = 0;
    return;
  }
  const bool vertical = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
  if (vertical && !(Shift.Empty() && GetSelectionLength() == GetEditTextLength() && GetEditTextLength() > 0)) {
    if (container) container->DoEditKeyDown(Key, Shift);
    return;  // the window moves the caret
  }
  if (Key == VK_TAB && wantTabs_) {
    if (container) container->DoEditKeyDown(Key, Shift);
    return;
  }
  inherited::KeyDown(Key, Shift);
}

void TdxInplaceMemoEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN && !wantReturns_) {
    const bool ctrl = GetKeyState(VK_CONTROL) & 0x8000, alt = GetKeyState(VK_MENU) & 0x8000;
    if (!(ctrl && !alt)) {
      // The form's default button acts on Enter.
      if (Parent() && Parent()->HandleAllocated())
        SendMessage(Parent()->Handle(), WM_KEYDOWN, Message.WParam, Message.LParam);
      return;
    }
  }
  inherited::WndProc(Message);
}

void TdxInplaceMemoEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (wantTabs_) Message.Result |= DLGC_WANTTAB;
  if (!wantReturns_) Message.Result &= ~DLGC_WANTALLKEYS;
}

void TdxInplaceMemoEdit::SetHideScrollBars(bool Value) {
  if (hideScrollBars_ == Value) return;
  hideScrollBars_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplaceMemoEdit::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplaceMemoEdit::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  if (HandleAllocated()) RecreateWnd();
}
