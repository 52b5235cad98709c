// The mode contract of masked editing: a masked editor hands every keystroke, caret move, paste and
// text change to one mode object, which edits the text through the editor it serves and tells the
// editor whether the default text processing may run. Modes made without an editor only compile,
// format and validate.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"
#include "platform/forms/StdCtrls.h"

TRENVIK_ENUM(TcxEditMaskKind, emkStandard, emkRegExpr, emkRegExprEx);

// A mask that cannot be compiled.
class EcxMaskEditError : public Exception {
 public:
  using Exception::Exception;
};

// What a mode needs from the editor it serves. Text, SelStart and SelLength are the editor's;
// SetSelStart/SetSelLength go through the editor (which tells the mode the caret moved), the
// inner setters reach the inner edit directly.
class IcxMaskEditModeEditor {
 public:
  virtual String MaskText() = 0;
  virtual int MaskSelStart() = 0;
  virtual int MaskSelLength() = 0;
  virtual void MaskSetSelStart(int Value) = 0;
  virtual void MaskSetSelLength(int Value) = 0;
  // The character index under the caret: the moving end of the selection.
  virtual int CaretIndex() = 0;
  virtual void SetInnerSelStart(int Value) = 0;
  virtual void SetInnerSelLength(int Value) = 0;
  virtual void SetInnerEditDisplayText(const String& Value) = 0;
  // The display value kept by the data binding, and its replacement.
  virtual String BindingDisplayText() = 0;
  virtual void SetBindingDisplayText(const String& Value) = 0;
  virtual bool ShiftDown() = 0;
  virtual void SetShiftDown(bool Value) = 0;
  // Keys the editor sends itself; its handlers let them reach the default processing untouched.
  virtual void SendInternalKeyDown(WORD Key) = 0;
  virtual void SendInternalKeyPress(Char Key) = 0;
  virtual bool MaskHandleAllocated() = 0;
  virtual bool MaskInEffect() = 0;
  virtual bool IsEditUnavailable() = 0;
  virtual String ClipboardText() = 0;
  virtual bool ModifiedAfterEnter() = 0;
  virtual String CurrentDisplayText() = 0;
  // The edit value converted for display by the active properties, in the editor's focus state.
  virtual String PreparedDisplayText() = 0;
  virtual void SetMaskEditValue(const Variant& Value) = 0;

 protected:
  ~IcxMaskEditModeEditor() = default;
};

// The settings of the active properties that a mode reads.
class IcxMaskEditModeSettings {
 public:
  virtual bool BeepOnError() = 0;
  virtual bool IgnoreMaskBlank() = 0;
  virtual bool CaseInsensitive() = 0;

 protected:
  ~IcxMaskEditModeSettings() = default;
};

// Empty, or made only of the characters of codes 0, 9, 10, 12, 13 and 32.
bool cxIsBlankMask(const String& AMask);

class TcxMaskEditCustomMode {
 public:
  TcxMaskEditCustomMode(IcxMaskEditModeEditor* AEdit, IcxMaskEditModeSettings* AProperties)
      : Edit(AEdit), Properties(AProperties) {}
  virtual ~TcxMaskEditCustomMode() = default;
  TcxMaskEditCustomMode(const TcxMaskEditCustomMode&) = delete;
  TcxMaskEditCustomMode& operator=(const TcxMaskEditCustomMode&) = delete;

  virtual TcxEditMaskKind GetMaskKind() { return emkStandard; }
  virtual void AfterPaste() = 0;
  virtual void Compile(const String& AMask) = 0;
  virtual String GetEmptyString() = 0;
  virtual String Format(const String& AText) = 0;
  virtual void SeekEnd() = 0;
  virtual bool IsCaretAtStart() = 0;
  virtual bool IsCaretAtEnd() = 0;
  virtual bool IsFullValid(const String& AText) = 0;
  virtual void CaretChanged() = 0;
  virtual void BeforePaste() = 0;
  virtual bool PressBackspace() = 0;
  virtual bool PressDelete() = 0;
  virtual bool PressEnd() = 0;
  virtual bool PressHome() = 0;
  virtual bool PressLeft() = 0;
  virtual bool PressRight() = 0;
  virtual bool PressSymbol(Char AChar) = 0;
  virtual void SetText(const String& AText) = 0;
  virtual void SynchronizeEditValue();
  virtual void ApplyInitialText() = 0;

  void Beep();
  void SetInnerSelStart(int Value) { Edit->SetInnerSelStart(Value); }
  void SetInnerSelLength(int Value) { Edit->SetInnerSelLength(Value); }
  bool EditAvailable() const { return Edit != nullptr && !Edit->IsEditUnavailable(); }

  String MaskText;
  TEditCharCase CharCase = ecNormal;
  int EchoMode = 0;
  int InsertLength = 0;
  IcxMaskEditModeEditor* Edit;
  bool PendingInitialText = false;
  IcxMaskEditModeSettings* Properties;

 protected:
  String Text() { return Edit->MaskText(); }
  int TextLength() { return static_cast<int>(Edit->MaskText().size()); }
  int SelStart() { return Edit->MaskSelStart(); }
  int SelLength() { return Edit->MaskSelLength(); }
  void SetSelStart(int Value) { Edit->MaskSetSelStart(Value); }
  bool ShiftDown() { return Edit->ShiftDown(); }
};
