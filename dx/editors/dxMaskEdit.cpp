#include "dx/editors/dxMaskEdit.h"

#include "dx/editors/dxEditConsts.h"
#include "platform/classes/Published.h"
#include "platform/forms/Clipboard.h"
#include "platform/win/Windows.h"

namespace {

// A guard that restores a flag on every path.
struct TFlagScope {
  bool& flag;
  bool old;
  explicit TFlagScope(bool& Flag) : flag(Flag), old(Flag) { flag = true; }
  ~TFlagScope() { flag = old; }
};

}  // namespace

TRENVIK_PUBLISHED(TdxInplaceMaskEdit) {
  P.Property("EditMask", &TdxInplaceMaskEdit::EditMask, &TdxInplaceMaskEdit::SetEditMask)
      .Stored(&TdxInplaceMaskEdit::IsEditMaskStored);
  P.Property("IgnoreMaskBlank", &TdxInplaceMaskEdit::IgnoreMaskBlank, &TdxInplaceMaskEdit::SetIgnoreMaskBlank)
      .Default(false);
}

TRENVIK_MESSAGE_MAP(TdxInplaceMaskEdit) {
  M.On(WM_PASTE, &TdxInplaceMaskEdit::WMPaste);
  M.On(WM_CUT, &TdxInplaceMaskEdit::WMCut);
  M.On(WM_CLEAR, &TdxInplaceMaskEdit::WMClear);
  M.On(WM_SETFOCUS, &TdxInplaceMaskEdit::WMSetFocus);
  M.On(EM_REPLACESEL, &TdxInplaceMaskEdit::EMReplaceSel);
  M.On(CN_COMMAND, &TdxInplaceMaskEdit::CNCommand);
  M.On(CM_WANTSPECIALKEY, &TdxInplaceMaskEdit::CMWantSpecialKey);
}

TdxInplaceEditClass TdxInplaceMaskEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceMaskEdit, TdxTextEditMetaClass> c("TdxInplaceMaskEdit");
  return &c;
}

TdxInplaceMaskEdit::TdxInplaceMaskEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceTextEdit(AOwner, Class) {}

// --- Text through the mask ---

String TdxInplaceMaskEdit::Text() {
  const String raw = GetEditText();
  if (!masked_) return raw;
  const String plain = StripMask(editMask_, raw, blank_);
  return saveLiterals_ ? ApplyMaskFormat(editMask_, plain, u' ') : plain;
}

void TdxInplaceMaskEdit::SetText(const String& Value) {
  if (!masked_) {
    TdxInplaceTextEdit::SetText(Value);
    return;
  }
  const String formatted =
      saveLiterals_ ? AlignToLiterals(editMask_, Value, blank_) : ApplyMaskFormat(editMask_, Value, blank_);
  if (formatted == GetEditText()) return;
  {
    TFlagScope replacing(replacing_);
    TdxInplaceTextEdit::SetText(formatted);
  }
  CheckCaret();
}

String TdxInplaceMaskEdit::EmptyMaskedText() const { return ApplyMaskFormat(editMask_, String(), blank_); }

void TdxInplaceMaskEdit::SetEditMask(const String& Value) {
  SetStoredValues(StoredValues() | dxsvEditMask);
  ApplyEditMask(Value);
}

void TdxInplaceMaskEdit::ApplyEditMask(const String& Mask) {
  if (Mask == editMask_) return;
  if (IsDesigning() && !IsLoading() && !Mask.empty()) TdxInplaceTextEdit::SetText(String());
  int selStart = 0, selEnd = 0;
  if (HandleAllocated()) GetSelectionRange(selStart, selEnd);
  const String raw = GetEditText();
  const String plain = masked_ ? StripMask(editMask_, raw, blank_) : raw;
  editMask_ = Mask;
  charCount_ = MaskPosToTextPos(editMask_, static_cast<int>(editMask_.size()));
  saveLiterals_ = ReadMaskSaveFlag(editMask_);
  blank_ = ReadMaskBlank(editMask_);
  masked_ = !editMask_.empty();
  {
    TFlagScope assigning(assigningText_);
    TFlagScope replacing(replacing_);
    TdxInplaceTextEdit::SetText(masked_ ? ApplyMaskFormat(editMask_, plain, blank_) : plain);
  }
  TdxInplaceTextEdit::SetMaxLengthValue(0);
  if (masked_ && charCount_ > 0) TdxInplaceTextEdit::SetMaxLengthValue(charCount_);
  if (HandleAllocated() && GetFocus() == WindowHandle() && !IsDesigning()) SetCaretPosition(selStart);
  if (HandleAllocated()) RecreateWnd();
}

// --- Overrides ---

void TdxInplaceMaskEdit::SetEditValue(const Variant& Value) {
  if (!masked_) {
    TdxInplaceTextEdit::SetEditValue(Value);
    return;
  }
  {
    TFlagScope assigning(assigningText_);
    SetText(VarIsNull(Value) || VarIsEmpty(Value) ? String() : VarToStr(Value));
  }
  ClearUndo();
}

void TdxInplaceMaskEdit::GetEditingValue(Variant& Value) { Value = Variant(Text()); }

void TdxInplaceMaskEdit::GetEditingText(String& Value) {
  if (ignoreMaskBlank_) {
    Value = GetEditText();
  } else if (masked_) {
    // Nothing typed: a host stores an empty value, not a row of blanks.
    Value = GetEditText() == EmptyMaskedText() ? String() : Text();
  } else {
    Value = Text();
  }
}

void TdxInplaceMaskEdit::UpdateDataDefaults() {
  inherited::UpdateDataDefaults();
  if (!IsEditMaskStored()) {
    String mask;
    GetDefaultEditMask(mask);
    ApplyEditMask(mask);
  }
}

bool TdxInplaceMaskEdit::GetDisableCloseEditor() { return GetModified() && inherited::GetDisableCloseEditor(); }

int TdxInplaceMaskEdit::GetDefaultMaxLength() { return masked_ ? charCount_ : inherited::GetDefaultMaxLength(); }

void TdxInplaceMaskEdit::SetMaxLengthValue(int Value) { inherited::SetMaxLengthValue(masked_ ? charCount_ : Value); }

void TdxInplaceMaskEdit::GetSelectionBounds(int& Start, int& Stop) {
  if (IsEditClass()) {
    GetSelectionRange(Start, Stop);
  } else {
    Start = Stop = 0;
  }
}

void TdxInplaceMaskEdit::ValidateEdit() {
  if (!masked_) {
    inherited::ValidateEdit();
    return;
  }
  int missing = -1;
  if (!GetModified() || IsMaskTextComplete(editMask_, GetEditText(), blank_, ignoreMaskBlank_, missing)) {
    CheckCaret();
    inherited::ValidateEdit();
    return;
  }
  if (Hiding()) {  // the host is closing the editor: the previous text comes back instead
    Reset();
    return;
  }
  if (!IsDesigning()) {
    reentering_ = true;
    if (HandleAllocated() && IsWindowVisible(WindowHandle())) ::SetFocus(WindowHandle());
  }
  SetCaretPosition(missing);
  MessageBeep(0);
  throw EDBEditError(LoadResString(SMaskEditErr));
}

// --- Caret ---

int TdxInplaceMaskEdit::NextInputPos(int Pos) const {
  while (Pos < charCount_ && IsLiteralPosition(editMask_, Pos)) ++Pos;
  return Pos;
}

int TdxInplaceMaskEdit::PrevInputPos(int Pos) const {
  while (Pos >= 0 && IsLiteralPosition(editMask_, Pos)) --Pos;
  return Pos < 0 ? NextInputPos(0) : Pos;
}

void TdxInplaceMaskEdit::SetCaretPosition(int Pos) {
  if (!HandleAllocated()) return;
  if (!masked_) {
    Pos = std::clamp(Pos, 0, GetEditTextLength());
    SetSelectionRange(Pos, Pos);
    return;
  }
  Pos = std::max(Pos, 0);
  caretPos_ = Pos;
  if (Pos >= charCount_) {
    SendMessage(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(charCount_), charCount_);
    return;
  }
  // The caret sits at the start of a one-character selection, as a Shift+Left leaves it.
  SendMessage(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(Pos + 1), Pos);
}

void TdxInplaceMaskEdit::CheckCaret() {
  if (!masked_ || !HandleAllocated()) return;
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  if (start == end) SetCaretPosition(start);
}

// --- Editing through the mask ---

void TdxInplaceMaskEdit::ReplaceSelection(const String& Text) {
  TFlagScope replacing(replacing_);
  SendMessage(WindowHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Text.c_str()));
}

String TdxInplaceMaskEdit::BlankedRange(int Start, int End) {
  const String raw = GetEditText();
  String text;
  for (int t = Start; t < End && t < static_cast<int>(raw.size()); ++t)
    text.push_back(IsLiteralPosition(editMask_, t) ? raw[static_cast<size_t>(t)] : blank_);
  return text;
}

void TdxInplaceMaskEdit::DeleteMasked(bool Backspace) {
  if (!IsEditable()) return;
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  if (Backspace && end - start <= 1) {
    const int previous = PrevInputPos(start - 1);
    if (previous == start || previous > start) return;  // at the first input position
    start = previous;
    end = previous + 1;
  }
  if (end == start) end = std::min(start + 1, charCount_);
  if (start >= end) return;
  SendMessage(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(start), end);
  ReplaceSelection(BlankedRange(start, end));
  SetModified(true);
  SetCaretPosition(end - start == 1 ? start : NextInputPos(start));
}

void TdxInplaceMaskEdit::TypeMasked(Char Key) {
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  if (end - start > 1) {
    SendMessage(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(start), end);
    ReplaceSelection(BlankedRange(start, end));
    SetCaretPosition(NextInputPos(start));
  }
  GetSelectionRange(start, end);
  const int p = start;
  const int maskPos = TextPosToMaskPos(editMask_, p);
  Char fitted = 0;
  if (maskPos > 0 && AcceptMaskChar(editMask_, maskPos, Key, fitted)) {
    SendMessage(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(p), p + 1);
    ReplaceSelection(String(1, fitted));
    SetModified(true);
    SetCaretPosition(NextInputPos(p + 1));
    return;
  }
  // Typing the next literal (a separator) inside a field jumps to the field after it.
  for (int t = p; t < charCount_; ++t) {
    if (!IsLiteralPosition(editMask_, t)) continue;
    Char literal = 0;
    AcceptMaskChar(editMask_, TextPosToMaskPos(editMask_, t), Key, literal);
    if (literal == Key) {
      SetCaretPosition(NextInputPos(t + 1));
      return;
    }
    break;
  }
  MessageBeep(0);
}

void TdxInplaceMaskEdit::MarkModifiedFrom(const String& TextBefore) {
  if (!GetModified()) prevText_ = TextBefore;
  SetModified(true);
}

// --- Keys ---

void TdxInplaceMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  stopKey_ = false;
  const bool ctrlOnly = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && !Shift.Contains(ssShift);
  if ((ctrlOnly && Key == 'V') || (Key == VK_INSERT && Shift == TShiftState{ssShift})) {
    // The paste goes through WM_PASTE, where the host's consent and the mask are checked.
    PostMessage(Handle(), WM_PASTE, 0, 0);
    Key = 0;
    return;
  }
  inherited::KeyDown(Key, Shift);
}

void TdxInplaceMaskEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
  inherited::EditKeyDown(Key, Shift);
  if (!Key || !masked_ || Shift.Contains(ssAlt) || !HandleAllocated()) return;
  const bool shift = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT: {
      if (shift || ctrl) return;  // the window extends the selection or moves by words
      const int to = Key == VK_LEFT ? PrevInputPos(caretPos_ - 1) : NextInputPos(caretPos_ + 1);
      SetCaretPosition(std::min(to, charCount_));
      Key = 0;
      return;
    }
    case VK_UP:
    case VK_DOWN: Key = 0; return;
    case VK_HOME:
    case VK_END: {
      const int to = Key == VK_HOME ? 0 : charCount_;
      if (shift)
        SendMessage(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(Key == VK_HOME ? end : start), to);
      else
        SetCaretPosition(Key == VK_HOME ? NextInputPos(0) : charCount_);
      Key = 0;
      return;
    }
    case VK_DELETE:
    case VK_BACK:
      if (Key == VK_DELETE && (shift || ctrl)) break;
      if (CanModify()) DeleteMasked(Key == VK_BACK);
      Key = 0;
      return;
    case 'A':
      if (ctrl && !shift) {
        SelectAll();
        RemovePendingMessage(WindowHandle(), WM_CHAR);
        Key = 0;
        return;
      }
      break;
    default: break;
  }
  CheckCaret();
}

void TdxInplaceMaskEdit::EditKeyPress(Char& Key) {
  if (!masked_ || Key == 3 || Key == 0x16 || Key == 0x18) {
    inherited::EditKeyPress(Key);
    return;
  }
  const Char key = Key;
  Key = 0;  // the window never sees a character while masked
  if (key == 27) {
    CancelStep();
    return;
  }
  if (key == u'\r' && !IsInplace()) {
    ValidateEdit();
    return;
  }
  if (key == u'\b' || key < 32 || !CanModify() || !IsEditable()) return;
  TypeMasked(key);
}

// --- Messages ---

void TdxInplaceMaskEdit::WMPaste(TMessage& Message) {
  if (!masked_) {
    inherited::Dispatch(Message);
    return;
  }
  if (!IsEditable() || !CanModify()) return;
  const String before = GetEditText();
  const String pasted = Clipboard()->AsText();
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  String raw = before;
  for (int t = start; t < end && t < static_cast<int>(raw.size()); ++t)
    if (!IsLiteralPosition(editMask_, t)) raw[static_cast<size_t>(t)] = blank_;
  int t = start;
  for (Char c : pasted) {
    if (t >= charCount_) break;
    Char fitted = blank_;
    if (!AcceptMaskChar(editMask_, TextPosToMaskPos(editMask_, t), c, fitted)) fitted = blank_;
    if (!IsLiteralPosition(editMask_, t)) raw[static_cast<size_t>(t)] = fitted;
    ++t;
  }
  SendMessage(WindowHandle(), EM_SETSEL, 0, -1);
  ReplaceSelection(raw);
  SetCaretPosition(std::min(t, charCount_));
  MarkModifiedFrom(before);
  ValidateEdit();
}

void TdxInplaceMaskEdit::WMCut(TMessage& Message) {
  if (!masked_) {
    inherited::Dispatch(Message);
    return;
  }
  if (!CanModify()) return;
  CopySelection();
  DeleteMasked(false);
}

void TdxInplaceMaskEdit::WMClear(TMessage& Message) {
  if (!masked_) {
    inherited::Dispatch(Message);
    return;
  }
  if (!CanModify()) return;
  const String before = GetEditText();
  SendMessage(WindowHandle(), EM_SETSEL, 0, -1);
  ReplaceSelection(BlankedRange(0, charCount_));
  MarkModifiedFrom(before);
  CheckCaret();
}

void TdxInplaceMaskEdit::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  CheckCaret();
}

void TdxInplaceMaskEdit::EMReplaceSel(TMessage& Message) {
  if (masked_ && !replacing_) {
    int start = 0, end = 0;
    GetSelectionRange(start, end);
    const auto* text = reinterpret_cast<const Char*>(Message.LParam);
    const int length = text ? static_cast<int>(String(text).size()) : 0;
    if (length != end - start) return;  // the masked text never changes its length
  }
  inherited::Dispatch(Message);
}

void TdxInplaceMaskEdit::CNCommand(TWMCommand& Message) {
  inherited::Dispatch(Message);
  if (Message.NotifyCode() != EN_CHANGE || !masked_ || replacing_ || !HandleAllocated()) return;
  const String raw = GetEditText();
  if (static_cast<int>(raw.size()) != charCount_) {
    SetText(raw);
    SetModified(true);
  }
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  const int next = NextInputPos(start);
  if (next != start && start == end) SetCaretPosition(next);
}

void TdxInplaceMaskEdit::CMWantSpecialKey(TWMKey& Message) {
  if (masked_ && Message.CharCode() == VK_ESCAPE && GetModified())
    Message.Result = 1;
  else
    inherited::Dispatch(Message);
}

void TdxInplaceMaskEdit::DoEnter() {
  if (!reentering_) inherited::DoEnter();
  reentering_ = false;
  CheckCaret();
}

void TdxInplaceMaskEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) buttonDownX_ = X;
  inherited::MouseDown(Button, Shift, X, Y);
}

void TdxInplaceMaskEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !masked_ || !HandleAllocated()) return;
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  caretPos_ = end > start && X > buttonDownX_ ? end : start;
  CheckCaret();
}
