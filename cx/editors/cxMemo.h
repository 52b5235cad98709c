// The memo: a text edit whose inner control is the multi-line native memo; as a cell text it shows
// only its first line.
#pragma once

#include "cx/editors/cxTextEdit.h"
#include "cx/editors/cxTextEditViewInfo.h"
#include "platform/forms/StdCtrls.h"

// Posted to a memo editor to mirror its inner memo's scroll bars on its own.
constexpr UINT CM_CXMEMO_SCROLLBARS = 0x8068;

class TcxCustomMemoViewData : public TcxCustomTextEditViewData {
  TRENVIK_CLASS(TcxCustomMemoViewData, TcxCustomTextEditViewData);

 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
};

// The memo's text drawn in rows in its own margins.
class TcxCustomMemoViewInfo : public TcxCustomTextEditViewInfo {
  TRENVIK_CLASS(TcxCustomMemoViewInfo, TcxCustomTextEditViewInfo);

 public:
  TcxCustomMemoViewInfo() = default;
  void Assign(TObject* Source) override;
  // The text layout flags: alignment, and word breaking when the text is wrapped.
  int DrawTextFlags = 0;

 protected:
  void PaintText(TcxCanvas* ACanvas) override;
  bool IsTextVertCentred() const override { return false; }
};

// The memo's text margins (left, top, right, bottom) by horizontal alignment.
RECT cxMemoTextMargins(TAlignment AHorz);

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
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
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
};

class TcxCustomMemo;

// The native multi-line memo inside a memo editor; it hands its keys and changes to the editor.
class TcxCustomInnerMemo : public TcxInnerEditControl<TCustomMemo> {
  TRENVIK_CLASS(TcxCustomInnerMemo, TcxInnerEditControl<TCustomMemo>);

 public:
  // Made while the memo's text-edit part is being built: the owner is a memo only once built.
  explicit TcxCustomInnerMemo(TcxCustomTextEdit* AOwner);

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

 private:
  TcxCustomMemo* Memo() const;
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
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  bool InnerEditDrawsText() override { return true; }
  void AdjustInnerEditPosition() override;
  void ChangeHandler(TObject* Sender) override;
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) override;
  // Asks, through the message queue, for the scroll bars to be mirrored.
  void PostScrollBarsRefresh();
  // Shows the editor's own scroll bars over the inner memo's, with their ranges and positions.
  void MirrorScrollBars();

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void MirrorScrollBar(TcxControlScrollBar* ABar, LONG AObject, int ABarKind);

  bool mirroring_ = false;
};

class TcxMemo : public TcxCustomMemo {
  TRENVIK_CLASS(TcxMemo, TcxCustomMemo);

 public:
  explicit TcxMemo(TComponent* AOwner) : TcxCustomMemo(AOwner) {}
  TcxMemoProperties* Properties() { return static_cast<TcxMemoProperties*>(inherited::Properties()); }
};
