// TCustomMemo: a multi-line edit, and its Lines read and written through the window.
#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TMemoStrings)
TRENVIK_IMPLEMENT_CLASS(TCustomMemo)

TRENVIK_PUBLISHED(TMemo) {
  P.Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment).Default(taLeftJustify);
  P.Property("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle).Default(bsSingle);
  P.Property("HideSelection", &TMemo::HideSelection, &TMemo::SetHideSelection).Default(true);
  P.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
  P.Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
  P.Property("OEMConvert", &TMemo::OEMConvert, &TMemo::SetOEMConvert).Default(false);
  P.Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false);
  P.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone);
  P.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
  P.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
  P.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
  P.Event("OnChange", &TMemo::OnChange);
}

namespace {

constexpr const char* kMemoCapacity = "Text exceeds memo capacity";

LRESULT Send(HWND h, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessage(h, msg, w, l); }

}  // namespace

// --- TMemoStrings ---

HWND TMemoStrings::Wnd() const { return memo_->Handle(); }

int TMemoStrings::GetCount() const {
  HWND h = Wnd();
  int count = static_cast<int>(Send(h, EM_GETLINECOUNT));
  // The empty line after a final line break is no line of the list.
  if (count > 0 && Send(h, EM_LINELENGTH, static_cast<WPARAM>(Send(h, EM_LINEINDEX, count - 1))) == 0)
    --count;
  return count;
}

String TMemoStrings::Get(int Index) const {
  HWND h = Wnd();
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  int length = static_cast<int>(Send(h, EM_LINELENGTH, static_cast<WPARAM>(Send(h, EM_LINEINDEX, Index))));
  String s(static_cast<size_t>(length) + 1, u'\0');
  s[0] = static_cast<Char>(length + 1);
  int got =
      static_cast<int>(Send(h, EM_GETLINE, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(s.data())));
  s.resize(static_cast<size_t>(got));
  return s;
}

void TMemoStrings::Put(int Index, const String& S) {
  HWND h = Wnd();
  int start = static_cast<int>(Send(h, EM_LINEINDEX, static_cast<WPARAM>(Index)));
  if (start < 0) Error("List index out of bounds (%d)", Index);
  int length = static_cast<int>(Send(h, EM_LINELENGTH, static_cast<WPARAM>(start)));
  Send(h, EM_SETSEL, static_cast<WPARAM>(start), start + length);
  Send(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(S.c_str()));
}

void TMemoStrings::Insert(int Index, const String& S) {
  HWND h = Wnd();
  if (Index < 0) Error("List index out of bounds (%d)", Index);
  int before = GetWindowTextLength(h);
  int pos = static_cast<int>(Send(h, EM_LINEINDEX, static_cast<WPARAM>(Index)));
  String line;
  if (pos >= 0) {
    line = S + u"\r\n";
  } else {
    // After the last line: a line break first unless the text already ends with one.
    if (Index > GetCount()) Error("List index out of bounds (%d)", Index);
    pos = before;
    String text = GetWindowTextString(h);
    line = (text.empty() || text.back() == u'\n' || text.back() == u'\r') ? S : u"\r\n" + S;
  }
  Send(h, EM_SETSEL, static_cast<WPARAM>(pos), pos);
  Send(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(line.c_str()));
  if (GetWindowTextLength(h) != before + static_cast<int>(line.size()))
    throw EInvalidOperation(kMemoCapacity);
}

void TMemoStrings::Delete(int Index) {
  HWND h = Wnd();
  int start = static_cast<int>(Send(h, EM_LINEINDEX, static_cast<WPARAM>(Index)));
  if (start < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  int end = static_cast<int>(Send(h, EM_LINEINDEX, static_cast<WPARAM>(Index + 1)));
  if (end < 0) {
    // The last line: its line break before it goes with it.
    end = GetWindowTextLength(h);
    String text = GetWindowTextString(h);
    if (start >= 2 && text[start - 2] == u'\r' && text[start - 1] == u'\n')
      start -= 2;
    else if (start >= 1 && (text[start - 1] == u'\n' || text[start - 1] == u'\r'))
      start -= 1;
  }
  Send(h, EM_SETSEL, static_cast<WPARAM>(start), end);
  Send(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u""));
}

void TMemoStrings::Clear() { memo_->SetText(String()); }

String TMemoStrings::GetTextStr() const { return GetWindowTextString(Wnd()); }

void TMemoStrings::SetTextStr(const String& Value) {
  // Line breaks of any kind become CR LF, as the edit control keeps them.
  String text;
  text.reserve(Value.size());
  for (size_t i = 0; i < Value.size(); ++i) {
    if (Value[i] == u'\r' || Value[i] == u'\n') {
      if (Value[i] == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ++i;
      text += u"\r\n";
    } else {
      text += Value[i];
    }
  }
  if (text != GetWindowTextString(Wnd())) memo_->SetText(text);
}

void TMemoStrings::SetUpdating(bool Updating) {
  HWND h = Wnd();
  Send(h, WM_SETREDRAW, Updating ? FALSE : TRUE);
  if (!Updating) InvalidateRect(h, nullptr, TRUE);
}

// --- TCustomMemo ---

TRENVIK_MESSAGE_MAP(TCustomMemo) { M.On(WM_GETDLGCODE, &TCustomMemo::WMGetDlgCode); }

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBounds(Left(), Top(), 185, 89);
  SetAutoSize(false);
  SetControlStyle(ControlStyle() - TControlStyle{csFixedHeight});
  lines_ = std::make_unique<TMemoStrings>(this);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  Params.Style &= ~ES_AUTOHSCROLL;
  if (!wordWrap_) Params.Style |= ES_AUTOHSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
  if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) Params.Style |= WS_HSCROLL;
  if (alignment_ == taRightJustify) Params.Style |= ES_RIGHT;
  if (alignment_ == taCenter) Params.Style |= ES_CENTER;
}

void TCustomMemo::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (wantTabs_)
    Message.Result |= DLGC_WANTTAB;
  else
    Message.Result &= ~DLGC_WANTTAB;
  if (wantReturns_)
    Message.Result |= DLGC_WANTALLKEYS;
  else
    Message.Result &= ~DLGC_WANTALLKEYS;
}

void TCustomMemo::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if ((Key == u'\r' && !wantReturns_) || (Key == u'\t' && !wantTabs_)) Key = 0;
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  RecreateWnd();
}

POINT TCustomMemo::CaretPos() {
  DWORD start = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  int line = static_cast<int>(SendMessage(Handle(), EM_LINEFROMCHAR, start, 0));
  int column = static_cast<int>(start) -
               static_cast<int>(SendMessage(Handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  return POINT{column, line};
}
