// Regular-expression mask editing in insert style. The editor's text is kept split at the caret:
// Left, already fed to the automaton, and Right. Moving the caret moves characters across the split;
// a typed character is offered to the automaton and the text after it is cut off when it no longer
// fits behind. The Ex mode also inserts the characters the expression forces as soon as they are
// due and steps and deletes them together with the character before them.
#pragma once

#include <memory>

#include "cx/editors/cxMaskEditMode.h"
#include "cx/editors/cxRegExpr.h"

class TcxMaskEditRegExprMode : public TcxMaskEditCustomMode {
 public:
  TcxMaskEditRegExprMode(IcxMaskEditModeEditor* AEdit, IcxMaskEditModeSettings* AProperties);

  TcxEditMaskKind GetMaskKind() override { return emkRegExpr; }
  void AfterPaste() override {}
  void Compile(const String& AMask) override;
  String GetEmptyString() override { return String(); }
  String Format(const String& AText) override;
  void SeekEnd() override;
  bool IsCaretAtStart() override { return SelStart() == 0; }
  bool IsCaretAtEnd() override { return SelStart() == TextLength(); }
  bool IsFullValid(const String& AText) override;
  void CaretChanged() override;
  void BeforePaste() override {}
  bool PressBackspace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(Char AChar) override;
  void SetText(const String& AText) override;
  void SynchronizeEditValue() override;
  void ApplyInitialText() override {}

  virtual void CutSelection();
  virtual void RestoreCut();

  bool HeldFromRight = false;
  String Left;
  std::unique_ptr<TcxRegExpr> RegExpr;
  String Held;
  String Right;

 protected:
  void CompileExpression(const String& AMask);
  // A fresh expression compiled from the mode's source, or nullptr when there is none.
  std::unique_ptr<TcxRegExpr> CompileCopy();
  void EnsureSplit();
  bool CheckRight();
  void DropRight();
  void StepLeft();
  void StepRight();
  int CaretSelectionEnd() { return SelStart() + SelLength(); }
};

class TcxMaskEditRegExprExMode : public TcxMaskEditRegExprMode {
 public:
  TcxMaskEditRegExprExMode(IcxMaskEditModeEditor* AEdit, IcxMaskEditModeSettings* AProperties);

  TcxEditMaskKind GetMaskKind() override { return emkRegExprEx; }
  void AfterPaste() override {}
  void Compile(const String& AMask) override;
  String GetEmptyString() override;
  String Format(const String& AText) override;
  void SeekEnd() override;
  bool IsFullValid(const String& AText) override;
  void CaretChanged() override { NeedsResync = true; }
  void BeforePaste() override { EnsureSplitEx(); }
  bool PressBackspace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(Char AChar) override;
  void SetText(const String& AText) override;
  void ApplyInitialText() override;
  void CutSelection() override;
  void RestoreCut() override;

  String EmptyTextBuffer;
  int AutoDeleteCount = 0;
  bool NeedsResync = false;
  int CaretAfterPaste = -1;
  String Pending;

 private:
  void ClearPending() {
    Pending.clear();
    AutoDeleteCount = 0;
  }
  // Runs the step with completion switched off; switching it back on completes at once.
  template <class Step>
  void Paused(Step step) {
    RegExpr->SetUpdateOn(false);
    step();
    RegExpr->SetUpdateOn(true);
  }
  std::unique_ptr<TcxRegExpr> CompileCopyForCompletion();
  void EnsureSplitEx();
  void StepLeftEx();
  void StepRightEx();
  void ResyncRight();
  void SettleRight();
  bool SelectBehindForcedStart();
  void SendInternalKeysDown(WORD AKey, int ACount);
};
