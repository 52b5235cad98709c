#include "cx/editors/cxMaskEditStandardMode.h"

#include <algorithm>

#include "platform/win/Input.h"

bool TcxMaskEditStandardMode::IsLiteral(int AIndex) const {
  return AIndex >= 0 && AIndex < Mask.Count() &&
         dynamic_cast<TcxStandardMaskLiteralItem*>(Mask.Items(AIndex)) != nullptr;
}

bool TcxMaskEditStandardMode::IsClassItem(int AIndex) const {
  return AIndex >= 0 && AIndex < Mask.Count() &&
         dynamic_cast<TcxStandardMaskManyItem*>(Mask.Items(AIndex)) != nullptr;
}

void TcxMaskEditStandardMode::Compile(const String& AMask) {
  MaskText = AMask;
  // A blank mask keeps the items compiled before; the editor does not use the mode meanwhile.
  if (cxIsBlankMask(AMask)) return;
  Mask.Compile(AMask);
  PendingInitialText = !EditAvailable();
}

String TcxMaskEditStandardMode::Format(const String& AText) {
  String text = AText;
  Mask.Format(text);
  return text;
}

bool TcxMaskEditStandardMode::IsCaretAtStart() {
  int leadingLiterals = 0;
  while (IsLiteral(leadingLiterals)) ++leadingLiterals;
  return SelStart() <= leadingLiterals && (SelLength() < 2 || Edit->CaretIndex() == SelStart());
}

bool TcxMaskEditStandardMode::IsFullValid(const String& AText) {
  String text = AText;
  return Properties->IgnoreMaskBlank() ? Mask.IsValid(text) : Mask.IsFullValid(text);
}

void TcxMaskEditStandardMode::CaretChanged() {
  if (Edit->MaskHandleAllocated() && Edit->MaskInEffect() && SelLength() == 0) SetInnerSelLength(1);
}

void TcxMaskEditStandardMode::BeforePaste() {
  SavedSelStart = SelStart();
  SetInnerSelStart(SavedSelStart);
  // The pasted text overwrites as many characters as it has.
  SetInnerSelLength(static_cast<int>(Edit->ClipboardText().size()));
}

void TcxMaskEditStandardMode::AfterPaste() {
  int position = static_cast<int>(Edit->ClipboardText().size()) + SavedSelStart;
  if (position >= TextLength()) position = TextLength() - 1;
  if (position < 0) position = 0;
  SetSelStart(position);
  if (IsLiteral(SelStart())) {
    Edit->SetShiftDown(false);
    PressRight();
  }
}

bool TcxMaskEditStandardMode::PressBackspace() {
  if (SelLength() <= 1) PressLeft();
  PressDelete();
  return false;
}

bool TcxMaskEditStandardMode::PressDelete() {
  const int start = SelStart();
  String text = Text();
  const int finish = std::min(start + SelLength(), static_cast<int>(text.size()));
  for (int i = start; i < finish; ++i)
    if (IsClassItem(i)) text[static_cast<size_t>(i)] = Mask.Blank();
  Edit->SetInnerEditDisplayText(text);
  SetSelStart(start);
  return false;
}

bool TcxMaskEditStandardMode::PressEnd() {
  if (ShiftDown()) return true;
  SetSelStart(TextLength());
  return false;
}

bool TcxMaskEditStandardMode::PressHome() {
  if (ShiftDown()) return true;
  SetSelStart(0);
  if (Mask.Count() > 0 && IsLiteral(SelStart())) PressRight();
  return false;
}

bool TcxMaskEditStandardMode::PressLeft() {
  const int start = SelStart();
  const int length = SelLength();
  const int textLength = TextLength();
  if (ShiftDown()) {
    if (length == 1) {
      // Give up the overwrite selection so that the default processing selects from the caret.
      SetInnerSelStart(start + 1);
      SetInnerSelLength(0);
      Edit->SendInternalKeyDown(VK_LEFT);
      Edit->SendInternalKeyDown(VK_LEFT);
    }
    return true;
  }
  if (length >= 2) {
    int last = start + length;
    if (last >= textLength) last = textLength - 1;
    if (last < 0) last = 0;
    int literals = 0;
    bool classFound = false;
    for (int i = start; i <= last; ++i) {
      if (!IsLiteral(i)) {
        classFound = true;
        break;
      }
      ++literals;
    }
    int target = classFound ? start + literals : (start + length < textLength ? start : last + 1);
    SetSelStart(0);
    SetSelStart(target);
    return false;
  }
  int literalsBefore = 0;
  for (int i = start - 1; i >= 0 && IsLiteral(i); --i) ++literalsBefore;
  int step = literalsBefore + 1;
  if (start - step < 0) step = 0;
  if (start > 0) SetSelStart(start - step);
  return false;
}

bool TcxMaskEditStandardMode::PressRight() {
  const int start = SelStart();
  const int length = SelLength();
  const int textLength = TextLength();
  if (ShiftDown()) {
    if (length == 1 && Edit->CaretIndex() == start) SetInnerSelLength(0);
    return true;
  }
  if (length < 2) {
    int literalsAfter = 0;
    for (int i = start + 1; IsLiteral(i); ++i) ++literalsAfter;
    int step = literalsAfter + 1;
    if (start + step > textLength) step = 0;
    SetSelStart(start + step);
    return false;
  }
  int last = start + length;
  if (last < textLength) {
    int trailingLiterals = 0;
    for (int i = last - 1; i >= start && IsLiteral(i); --i) ++trailingLiterals;
    if (trailingLiterals == last - start) trailingLiterals = 0;
    last = last - 1 - trailingLiterals;
  }
  SetSelStart(0);
  SetSelStart(last);
  return false;
}

bool TcxMaskEditStandardMode::PressSymbol(Char AChar) {
  String text = Text();
  const int start = SelStart();
  if (text.empty() || start >= static_cast<int>(text.size())) return false;
  if (IsLiteral(start)) {
    // The typed character goes to the next position that takes characters.
    Edit->SetShiftDown(false);
    if (SelLength() > 1) SetSelStart(start);
    const int position = SelStart();
    PressRight();
    if (SelStart() != position) PressSymbol(AChar);
    return false;
  }
  Char c = AChar;
  if (start < Mask.Count() && Mask.Items(start)->Check(c)) {
    text[static_cast<size_t>(start)] = c;
    Edit->SetInnerEditDisplayText(text);
    SetSelStart(start);
    Edit->SetShiftDown(false);
    PressRight();
  } else {
    Beep();
  }
  return false;
}

void TcxMaskEditStandardMode::SynchronizeEditValue() {
  TcxMaskEditCustomMode::SynchronizeEditValue();
  CaretChanged();
}

void TcxMaskEditStandardMode::ApplyInitialText() {
  if (!PendingInitialText) return;
  Edit->SetMaskEditValue(Variant(GetEmptyString()));
  PendingInitialText = false;
}
