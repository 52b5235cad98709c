#include "cx/editors/cxMaskEditRegExprMode.h"

#include <algorithm>

#include "platform/win/Input.h"

namespace {

bool SettingsCaseInsensitive(IcxMaskEditModeSettings* AProperties) {
  return AProperties == nullptr || AProperties->CaseInsensitive();
}

}  // namespace

TcxMaskEditRegExprMode::TcxMaskEditRegExprMode(IcxMaskEditModeEditor* AEdit, IcxMaskEditModeSettings* AProperties)
    : TcxMaskEditCustomMode(AEdit, AProperties), RegExpr(std::make_unique<TcxRegExpr>()) {
  RegExpr->SetCaseInsensitive(SettingsCaseInsensitive(AProperties));
}

void TcxMaskEditRegExprMode::CompileExpression(const String& AMask) {
  try {
    RegExpr->Compile(AMask);
  } catch (const EcxRegExprError& error) {
    String message = u"Regular expression errors:";
    for (int i = 0; i < error.Errors().Count(); ++i) message += u"\r\n" + error.Errors().Items(i).GetText();
    throw EcxMaskEditError(message);
  }
}

void TcxMaskEditRegExprMode::Compile(const String& AMask) {
  MaskText = AMask;
  if (!cxIsBlankMask(AMask)) CompileExpression(AMask);
}

std::unique_ptr<TcxRegExpr> TcxMaskEditRegExprMode::CompileCopy() {
  const String* source = RegExpr->Stream();
  if (source == nullptr) return nullptr;
  auto copy = std::make_unique<TcxRegExpr>();
  copy->SetCaseInsensitive(SettingsCaseInsensitive(Properties));
  try {
    copy->Compile(*source);
  } catch (const EcxRegExprError&) {
    return nullptr;
  }
  return copy;
}

String TcxMaskEditRegExprMode::Format(const String& AText) {
  if (!RegExpr->Compiled()) return String();
  RegExpr->Reset();
  String result;
  for (Char c : AText)
    if (RegExpr->Next(c)) result += c;
  return result;
}

void TcxMaskEditRegExprMode::SeekEnd() {
  EnsureSplit();
  for (Char c : Right) RegExpr->Next(c);
  Left += Right;
  Right.clear();
}

bool TcxMaskEditRegExprMode::IsFullValid(const String& AText) {
  if (AText.empty()) return true;
  auto expression = CompileCopy();
  if (!expression) return false;
  for (Char c : AText)
    if (!expression->Next(c)) return false;
  return Properties->IgnoreMaskBlank() || expression->IsFinal();
}

void TcxMaskEditRegExprMode::EnsureSplit() {
  if (!Left.empty() || !Right.empty()) return;
  const String text = Text();
  if (text.empty()) return;
  RegExpr->Reset();
  Right = text;
  const int caret = Edit->CaretIndex();
  for (int i = 0; i < caret && !Right.empty(); ++i) {
    Char c = text[static_cast<size_t>(i)];
    RegExpr->Next(c);
    Left += Right.front();
    Right.erase(0, 1);
  }
}

bool TcxMaskEditRegExprMode::CheckRight() {
  size_t accepted = 0;
  bool fits = true;
  for (; accepted < Right.size(); ++accepted) {
    Char c = Right[accepted];
    if (!RegExpr->Next(c)) {
      fits = false;
      break;
    }
    Right[accepted] = c;
  }
  for (size_t i = 0; i < accepted; ++i) RegExpr->Prev();
  return fits;
}

void TcxMaskEditRegExprMode::DropRight() {
  String text = Edit->BindingDisplayText();
  const size_t start = static_cast<size_t>(SelStart());
  if (start < text.size()) text.erase(start, Right.size());
  Edit->SetBindingDisplayText(text);
  SetInnerSelStart(static_cast<int>(text.size()));
  Right.clear();
}

void TcxMaskEditRegExprMode::StepLeft() {
  if (Left.empty()) return;
  RegExpr->Prev();
  Right.insert(Right.begin(), Left.back());
  Left.pop_back();
}

void TcxMaskEditRegExprMode::StepRight() {
  if (Right.empty()) return;
  Char c = Right.front();
  RegExpr->Next(c);
  Left += c;
  Right.erase(0, 1);
}

void TcxMaskEditRegExprMode::CutSelection() {
  const int start = SelStart();
  const size_t length = static_cast<size_t>(SelLength());
  const int leftLength = static_cast<int>(Left.size());
  if (start == leftLength) {
    Held = Right.substr(0, length);
    Right.erase(0, Held.size());
    HeldFromRight = true;
  } else if (start + static_cast<int>(length) == leftLength) {
    Held = Left.substr(Left.size() - length);
    Left.erase(Left.size() - length);
    for (size_t i = 0; i < length; ++i) RegExpr->Prev();
    HeldFromRight = false;
  }
}

void TcxMaskEditRegExprMode::RestoreCut() {
  if (HeldFromRight) {
    Right = Held + Right;
    return;
  }
  Left += Held;
  for (Char c : Held) RegExpr->Next(c);
}

void TcxMaskEditRegExprMode::CaretChanged() {
  if (!Edit->MaskHandleAllocated()) return;
  EnsureSplit();
  const int start = SelStart();
  const int finish = CaretSelectionEnd();
  const int split = static_cast<int>(Left.size());
  int target = split;
  if (split > start)
    target = (SelLength() > 0 && finish != split) ? finish : start;
  else if (split < start)
    target = start;
  else if (SelLength() > 0)
    target = finish;
  // The split follows the caret one character at a time, so it always lands exactly on it.
  while (static_cast<int>(Left.size()) > target && !Left.empty()) StepLeft();
  while (static_cast<int>(Left.size()) < target && !Right.empty()) StepRight();
}

bool TcxMaskEditRegExprMode::PressBackspace() {
  EnsureSplit();
  bool result = true;
  if (SelLength() > 0) {
    CutSelection();
    if (!CheckRight()) {
      Edit->SendInternalKeyPress(8);
      DropRight();
      result = false;
    }
  } else if (!Left.empty()) {
    RegExpr->Prev();
    Left.pop_back();
    if (!CheckRight()) DropRight();
  }
  Held.clear();
  if (!result) Beep();
  return result;
}

bool TcxMaskEditRegExprMode::PressDelete() {
  EnsureSplit();
  bool result = true;
  if (SelLength() > 0) {
    CutSelection();
    if (!CheckRight()) {
      Edit->SendInternalKeyDown(VK_DELETE);
      DropRight();
      result = false;
    }
  } else if (!Right.empty()) {
    Held = Right.substr(0, 1);
    Right.erase(0, 1);
    if (!CheckRight()) {
      const int split = SelStart();
      DropRight();
      // One character of the old tail is left behind the split; the default Delete removes it.
      SetInnerSelStart(split);
    }
  }
  Held.clear();
  if (!result) Beep();
  return result;
}

bool TcxMaskEditRegExprMode::PressEnd() {
  EnsureSplit();
  for (Char c : Right) RegExpr->Next(c);
  Left += Right;
  Right.clear();
  return true;
}

bool TcxMaskEditRegExprMode::PressHome() {
  EnsureSplit();
  if (!Left.empty()) {
    Right = Left + Right;
    Left.clear();
    RegExpr->Reset();
  }
  return true;
}

bool TcxMaskEditRegExprMode::PressLeft() {
  EnsureSplit();
  if (Left.empty()) return true;
  if (SelLength() > 0 && !ShiftDown()) {
    if (Edit->CaretIndex() == CaretSelectionEnd())
      for (int i = SelLength(); i > 0; --i) StepLeft();
    return true;
  }
  StepLeft();
  return true;
}

bool TcxMaskEditRegExprMode::PressRight() {
  EnsureSplit();
  if (Right.empty()) return true;
  if (SelLength() > 0 && !ShiftDown()) {
    if (Edit->CaretIndex() == SelStart())
      for (int i = SelLength(); i > 0; --i) StepRight();
    return true;
  }
  StepRight();
  return true;
}

bool TcxMaskEditRegExprMode::PressSymbol(Char AChar) {
  EnsureSplit();
  if (SelLength() > 0) CutSelection();
  bool result;
  Char c = AChar;
  if (RegExpr->Next(c)) {
    Left += c;
    if (CheckRight()) {
      result = true;
    } else {
      result = Held.empty();
      if (!result) {
        // A replaced selection: insert here, so the cut below sees the final text.
        Edit->SendInternalKeyDown(VK_DELETE);
        Edit->SendInternalKeyPress(c);
      }
      DropRight();
    }
  } else {
    RestoreCut();
    result = false;
  }
  Held.clear();
  if (!result) Beep();
  return result;
}

void TcxMaskEditRegExprMode::SetText(const String& AText) {
  if (!RegExpr->Compiled()) return;
  RegExpr->Reset();
  if (InsertLength <= 0) {
    Left.clear();
    Right = AText;
    return;
  }
  const size_t fed = std::min(AText.size(), static_cast<size_t>(SelStart() + InsertLength));
  Left = AText.substr(0, fed);
  Right = AText.substr(fed);
  for (Char c : Left) RegExpr->Next(c);
  InsertLength = 0;
}

void TcxMaskEditRegExprMode::SynchronizeEditValue() {
  TcxMaskEditCustomMode::SynchronizeEditValue();
  if (!EditAvailable()) return;
  const String text = Text();
  SetSelStart(static_cast<int>(text.size()));
  Left = text;
  Right.clear();
  RegExpr->Reset();
  RegExpr->FilterText(Left);
}
