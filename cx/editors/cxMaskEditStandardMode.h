// Standard-mask editing in overwrite style: the character at the caret is always selected, literals
// are skipped and deleting puts the blank character back.
#pragma once

#include "cx/editors/cxMaskEditMode.h"
#include "cx/editors/cxStandardMask.h"

class TcxMaskEditStandardMode : public TcxMaskEditCustomMode {
 public:
  using TcxMaskEditCustomMode::TcxMaskEditCustomMode;

  void AfterPaste() override;
  void Compile(const String& AMask) override;
  String GetEmptyString() override { return Mask.GetEmptyString(); }
  String Format(const String& AText) override;
  void SeekEnd() override {}
  bool IsCaretAtStart() override;
  bool IsCaretAtEnd() override { return SelStart() == TextLength(); }
  bool IsFullValid(const String& AText) override;
  void CaretChanged() override;
  void BeforePaste() override;
  bool PressBackspace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(Char AChar) override;
  void SetText(const String&) override { CaretChanged(); }
  void SynchronizeEditValue() override;
  void ApplyInitialText() override;

  TcxStandardMask Mask;
  int SavedSelStart = 0;

 private:
  bool IsLiteral(int AIndex) const;
  bool IsClassItem(int AIndex) const;
};
