// The memo: a text edit whose inner control is the multi-line native memo; as a cell text it shows
// only its first line.
#pragma once

#include "cx/editors/cxTextEdit.h"
#include "platform/forms/StdCtrls.h"

class TcxCustomMemoProperties : public TcxCustomTextEditProperties {
  TRENVIK_CLASS(TcxCustomMemoProperties, TcxCustomTextEditProperties);

 public:
  explicit TcxCustomMemoProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value) { SetAndChange(scrollBars_, Value); }
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value) { SetAndChange(wantReturns_, Value); }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { SetAndChange(wantTabs_, Value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value) { SetAndChange(wordWrap_, Value); }
  // The text is wrapped at the right edge: WordWrap with no horizontal scroll bar.
  bool IsTextWrapped() const {
    return wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth;
  }

  bool AcceptsTabKey() override { return wantTabs_; }
  TClass GetContainerClass() override;
  // The first line (cut at the first CR or LF among the first 250 characters), at most 250
  // characters; the full text when asked for.
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;
  TcxEditValueSource GetEditValueSource(bool) override { return evsValue; }
  bool IsMultiLine() override { return true; }

 private:
  template <class T>
  void SetAndChange(T& AField, T AValue) {
    if (AField == AValue) return;
    AField = AValue;
    Changed();
  }

  TScrollStyle scrollBars_ = ssNone;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool wordWrap_ = true;
};

class TcxMemoProperties : public TcxCustomMemoProperties {
  TRENVIK_CLASS(TcxMemoProperties, TcxCustomMemoProperties);

 public:
  explicit TcxMemoProperties(TPersistent* AOwner) : TcxCustomMemoProperties(AOwner) {}

  // The published Alignment: the horizontal alignment of the text properties.
  TAlignment HorzAlignment() { return Alignment()->Horz(); }
  void SetHorzAlignment(TAlignment Value) { Alignment()->SetHorz(Value); }
};

class TcxCustomMemo;

// The native multi-line memo inside a memo editor; it hands its keys and changes to the editor.
class TcxCustomInnerMemo : public TCustomMemo, public IcxContainerInnerControl {
  TRENVIK_CLASS(TcxCustomInnerMemo, TCustomMemo);

 public:
  // Made while the memo's text-edit part is being built: the owner is a memo only once built.
  explicit TcxCustomInnerMemo(TcxCustomTextEdit* AOwner);

  TcxContainer* GetContainer() override;
  TWinControl* GetControl() override { return this; }

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void Change() override;

 private:
  TcxCustomMemo* Memo() const;

  TcxCustomTextEdit* edit_;
};

class TcxCustomMemo : public TcxCustomTextEdit {
  TRENVIK_CLASS(TcxCustomMemo, TcxCustomTextEdit);

 public:
  explicit TcxCustomMemo(TComponent* AOwner);

  TcxCustomMemoProperties* ActiveProperties() {
    return static_cast<TcxCustomMemoProperties*>(GetActiveProperties());
  }
  TcxCustomInnerMemo* InnerMemo() const { return static_cast<TcxCustomInnerMemo*>(InnerTextEdit()); }
  TStrings* Lines() const { return InnerMemo()->Lines(); }
  void SetLines(TStrings* Value) { InnerMemo()->Lines()->Assign(Value); }

  TClass GetPropertiesClass() override;
  bool CanKeyDownModifyEdit(WORD Key, TShiftState Shift) override;
  bool CanSendActivationKey(Char Key) override { return Key != u'\r'; }
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void PropertiesChanged(TObject* Sender) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
};

class TcxMemo : public TcxCustomMemo {
  TRENVIK_CLASS(TcxMemo, TcxCustomMemo);

 public:
  explicit TcxMemo(TComponent* AOwner) : TcxCustomMemo(AOwner) {}
  TcxMemoProperties* Properties() { return static_cast<TcxMemoProperties*>(inherited::Properties()); }
};
