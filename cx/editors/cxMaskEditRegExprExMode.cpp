#include <algorithm>

#include "cx/editors/cxMaskEditRegExprMode.h"
#include "platform/win/Input.h"

TcxMaskEditRegExprExMode::TcxMaskEditRegExprExMode(IcxMaskEditModeEditor* AEdit, IcxMaskEditModeSettings* AProperties)
    : TcxMaskEditRegExprMode(AEdit, AProperties) {
  RegExpr->OnAutoInsert = [this](Char c) { Pending += c; };
  RegExpr->OnAutoDelete = [this]() { ++AutoDeleteCount; };
  RegExpr->SetUpdateOn(true);
  ClearPending();
}

void TcxMaskEditRegExprExMode::Compile(const String& AMask) {
  ClearPending();
  MaskText = AMask;
  if (cxIsBlankMask(AMask)) return;
  // Compiling completes the forced start of the mask into Pending.
  CompileExpression(AMask);
  PendingInitialText = !EditAvailable();
}

std::unique_ptr<TcxRegExpr> TcxMaskEditRegExprExMode::CompileCopyForCompletion() {
  auto expression = CompileCopy();
  if (expression) expression->OnAutoInsert = [this](Char c) { EmptyTextBuffer += c; };
  return expression;
}

String TcxMaskEditRegExprExMode::GetEmptyString() {
  auto expression = CompileCopyForCompletion();
  if (!expression) return String();
  EmptyTextBuffer.clear();
  expression->SetUpdateOn(true);
  return EmptyTextBuffer;
}

String TcxMaskEditRegExprExMode::Format(const String& AText) {
  if (!RegExpr->Compiled()) return String();
  String result;
  Paused([&] {
    ClearPending();
    result = TcxMaskEditRegExprMode::Format(AText);
  });
  return result + Pending;
}

void TcxMaskEditRegExprExMode::SeekEnd() {
  Paused([this] { TcxMaskEditRegExprMode::SeekEnd(); });
}

bool TcxMaskEditRegExprExMode::IsFullValid(const String& AText) {
  auto expression = CompileCopyForCompletion();
  if (!expression) return false;
  EmptyTextBuffer.clear();
  expression->SetUpdateOn(true);
  if (AText == EmptyTextBuffer) return true;
  expression->SetUpdateOn(false);
  expression->Reset();
  for (Char c : AText)
    if (!expression->Next(c)) return false;
  return Properties->IgnoreMaskBlank() || expression->IsFinal();
}

void TcxMaskEditRegExprExMode::ApplyInitialText() {
  if (!PendingInitialText) return;
  Edit->SetMaskEditValue(Variant(Pending));
  PendingInitialText = false;
}

void TcxMaskEditRegExprExMode::CutSelection() {
  Paused([this] { TcxMaskEditRegExprMode::CutSelection(); });
  if (!Pending.empty()) {
    RegExpr->Prev();
    ClearPending();
  }
}

void TcxMaskEditRegExprExMode::RestoreCut() {
  Paused([this] { TcxMaskEditRegExprMode::RestoreCut(); });
  if (!Pending.empty()) {
    RegExpr->Prev();
    ClearPending();
  }
}

void TcxMaskEditRegExprExMode::EnsureSplitEx() {
  if (!EditAvailable() || !Edit->MaskHandleAllocated()) return;
  if (Left.empty() && Right.empty()) {
    const String text = Text();
    if (!text.empty()) {
      Right = text;
      RegExpr->Reset();
      NeedsResync = true;
    }
  }
  if (!NeedsResync) return;
  NeedsResync = false;
  const size_t start = static_cast<size_t>(SelStart());
  const size_t finish = start + static_cast<size_t>(SelLength());
  while (Left.size() < start && !Right.empty()) {
    StepRightEx();
    if (Left.size() > start) {
      // The caret stood inside a forced run: it goes back in front of it.
      StepLeftEx();
      SetInnerSelStart(static_cast<int>(Left.size()));
      break;
    }
  }
  while (Left.size() > start) {
    StepLeftEx();
    if (Left.size() < start) {
      SetInnerSelStart(static_cast<int>(Left.size()));
      break;
    }
  }
  if (start < finish) {
    do StepRightEx();
    while (Left.size() < finish && !Right.empty());
    SetInnerSelLength(static_cast<int>(Left.size()) - SelStart());
  }
}

void TcxMaskEditRegExprExMode::StepRightEx() {
  if (Right.empty()) return;
  ClearPending();
  Char c = Right.front();
  RegExpr->Next(c);
  const size_t count = std::min(Pending.size() + 1, Right.size());
  Left += Right.substr(0, count);
  Right.erase(0, count);
}

void TcxMaskEditRegExprExMode::StepLeftEx() {
  if (Left.empty()) return;
  ClearPending();
  RegExpr->Prev();
  const size_t count = std::min(static_cast<size_t>(AutoDeleteCount) + 1, Left.size());
  Right = Left.substr(Left.size() - count) + Right;
  if (RegExpr->IsStart())
    Left.clear();
  else
    Left.erase(Left.size() - count);
}

void TcxMaskEditRegExprExMode::SendInternalKeysDown(WORD AKey, int ACount) {
  for (int i = 0; i < ACount; ++i) Edit->SendInternalKeyDown(AKey);
}

void TcxMaskEditRegExprExMode::ResyncRight() {
  ClearPending();
  int caret = SelStart();
  for (Char c : Right) {
    RegExpr->Next(c);
    SetInnerSelStart(++caret);
  }
  RegExpr->SetUpdateOn(true);
  const String forced = Pending;
  Right += forced;
  for (Char c : forced) {
    Edit->SendInternalKeyPress(c);
    ++caret;
  }
  RegExpr->SetUpdateOn(false);
  for (size_t i = 0; i < Right.size(); ++i) {
    RegExpr->Prev();
    SetInnerSelStart(--caret);
  }
}

void TcxMaskEditRegExprExMode::SettleRight() {
  RegExpr->SetUpdateOn(false);
  if (CheckRight())
    ResyncRight();
  else
    DropRight();
  RegExpr->SetUpdateOn(true);
}

// A selection from position 0 would take the forced start of the mask with it: the forced start
// stays and the selection is moved behind it, keeping its end. True when it was moved.
bool TcxMaskEditRegExprExMode::SelectBehindForcedStart() {
  if (SelStart() != 0) return false;
  Paused([] {});
  if (Pending.empty()) return false;
  Left = Pending;
  ClearPending();
  const int forcedLength = static_cast<int>(Left.size());
  const int finish = SelStart() + SelLength();
  Right = Held.substr(std::min(Held.size(), static_cast<size_t>(forcedLength))) + Right;
  Held.clear();
  SetInnerSelStart(forcedLength);
  SetInnerSelLength(std::max(0, finish - forcedLength));
  return true;
}

bool TcxMaskEditRegExprExMode::PressSymbol(Char AChar) {
  EnsureSplitEx();
  ClearPending();
  const bool selected = SelLength() > 0;
  if (selected) {
    CutSelection();
    if (SelectBehindForcedStart()) return PressSymbol(AChar);
  }
  Char c = AChar;
  if (RegExpr->Next(c)) {
    const String forced = Pending;
    Left += c + forced;
    Edit->SendInternalKeyPress(c);
    for (Char f : forced) Edit->SendInternalKeyPress(f);
    SettleRight();
  } else {
    if (selected) RestoreCut();
    Beep();
  }
  Held.clear();
  return false;
}

bool TcxMaskEditRegExprExMode::PressBackspace() {
  EnsureSplitEx();
  ClearPending();
  if (SelLength() > 0) {
    CutSelection();
    if (SelectBehindForcedStart()) return SelLength() > 0 && PressBackspace();
    Edit->SendInternalKeyPress(8);
    SettleRight();
  } else if (!Left.empty()) {
    RegExpr->Prev();
    if (RegExpr->IsStart() && SelStart() == AutoDeleteCount) {
      // Only the forced start lies before the caret: it cannot be deleted.
      Char first = Left.front();
      RegExpr->Next(first);
      Beep();
    } else {
      const size_t count = std::min(static_cast<size_t>(AutoDeleteCount) + 1, Left.size());
      Left.erase(Left.size() - count);
      for (size_t i = 0; i < count; ++i) Edit->SendInternalKeyPress(8);
      SettleRight();
    }
  }
  Held.clear();
  return false;
}

bool TcxMaskEditRegExprExMode::PressDelete() {
  EnsureSplitEx();
  ClearPending();
  if (SelLength() > 0) return PressBackspace();
  if (Right.empty()) return false;
  if (SelStart() == 0) {
    Paused([] {});
    if (!Pending.empty()) {
      RegExpr->Prev();
      ClearPending();
      Beep();
      return false;
    }
  }
  Char first = Right.front();
  RegExpr->Next(first);
  const size_t count = std::min(Pending.size() + 1, Right.size());
  SendInternalKeysDown(VK_DELETE, static_cast<int>(count));
  Right.erase(0, count);
  RegExpr->Prev();
  SettleRight();
  return false;
}

bool TcxMaskEditRegExprExMode::PressEnd() {
  EnsureSplitEx();
  ClearPending();
  Paused([this] { TcxMaskEditRegExprMode::PressEnd(); });
  return true;
}

bool TcxMaskEditRegExprExMode::PressHome() {
  EnsureSplitEx();
  ClearPending();
  TcxMaskEditRegExprMode::PressHome();
  return true;
}

bool TcxMaskEditRegExprExMode::PressLeft() {
  EnsureSplitEx();
  ClearPending();
  if (SelLength() > 0 && !ShiftDown()) {
    if (Edit->CaretIndex() == SelStart() + SelLength()) {
      RegExpr->SetUpdateOn(false);
      TcxMaskEditRegExprMode::PressLeft();
      ClearPending();
      RegExpr->SetUpdateOn(true);
      if (!Pending.empty()) RegExpr->Prev();
    }
    return true;
  }
  TcxMaskEditRegExprMode::PressLeft();
  if (RegExpr->IsStart() && AutoDeleteCount == (SelStart() == 0 ? SelLength() : SelStart())) --AutoDeleteCount;
  // The forced characters stepped back over go with the caret.
  for (int i = 0; i < AutoDeleteCount && !Left.empty(); ++i) {
    Right.insert(Right.begin(), Left.back());
    Left.pop_back();
    Edit->SendInternalKeyDown(VK_LEFT);
  }
  return true;
}

bool TcxMaskEditRegExprExMode::PressRight() {
  EnsureSplitEx();
  ClearPending();
  if (SelLength() > 0 && !ShiftDown()) {
    if (Edit->CaretIndex() == SelStart()) {
      RegExpr->SetUpdateOn(false);
      TcxMaskEditRegExprMode::PressRight();
      ClearPending();
      RegExpr->SetUpdateOn(true);
    }
    return true;
  }
  TcxMaskEditRegExprMode::PressRight();
  for (size_t i = 0; i < Pending.size() && !Right.empty(); ++i) {
    Left += Right.front();
    Right.erase(0, 1);
    Edit->SendInternalKeyDown(VK_RIGHT);
  }
  return true;
}

void TcxMaskEditRegExprExMode::SetText(const String& AText) {
  if (!RegExpr->Compiled()) return;
  RegExpr->SetUpdateOn(false);
  RegExpr->Reset();
  for (Char c : AText) RegExpr->Next(c);
  ClearPending();
  RegExpr->SetUpdateOn(true);
  Left = AText + Pending;
  Right.clear();
  if (EditAvailable()) {
    NeedsResync = true;
    EnsureSplitEx();
  }
  InsertLength = 0;
}
