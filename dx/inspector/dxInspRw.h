// Row kinds whose value is edited and painted by a particular in-place editor: the mask and memo
// kinds, their text-holding variants, and each kind's own editor class (one cached editor per kind).
#pragma once

#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxMemoEdit.h"
#include "dx/inspector/dxInspctRow.h"

// Picture bytes kept in a row's text: one character a byte, so the bytes come back unchanged.
String PictureBytesToText(const AnsiString& Bytes);
AnsiString PictureTextToBytes(const String& Text);

// A limit that reads its default until a value is assigned (stored only while assigned and other
// than the default).
class TdxAssignedLimit {
 public:
  double Get(double Default) const { return assigned_ ? value_ : Default; }
  // False when the limit was assigned this value already.
  bool Set(double Value) {
    if (assigned_ && value_ == Value) return false;
    value_ = Value;
    assigned_ = true;
    return true;
  }
  bool IsStored(double Default) const { return assigned_ && value_ != Default; }
  void Reset() { *this = TdxAssignedLimit(); }

 private:
  double value_ = 0;
  bool assigned_ = false;
};

// Holds the update lock of a row's inspector (when the row has one) for a scope, so that copying a
// kind's settings recalculates once.
class TdxRowUpdateScope {
 public:
  explicit TdxRowUpdateScope(TdxInspectorRow* Row);
  ~TdxRowUpdateScope();
  TdxRowUpdateScope(const TdxRowUpdateScope&) = delete;
  TdxRowUpdateScope& operator=(const TdxRowUpdateScope&) = delete;

 private:
  TCustomdxInspectorControl* control_;
};

class TdxInspectorMaskEdit : public TdxInplaceMaskEdit {
  TRENVIK_CLASS(TdxInspectorMaskEdit, TdxInplaceMaskEdit);

 public:
  explicit TdxInspectorMaskEdit(TComponent* AOwner) : TdxInplaceMaskEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorMemoEdit : public TdxInplaceMemoEdit {
  TRENVIK_CLASS(TdxInspectorMemoEdit, TdxInplaceMemoEdit);

 public:
  explicit TdxInspectorMemoEdit(TComponent* AOwner) : TdxInplaceMemoEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorMaskRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorMaskRow, TdxInspectorRow);

 public:
  using TdxInspectorRow::TdxInspectorRow;
  String EditMask();
  void SetEditMask(const String& Value);
  bool IsEditMaskStored() const;
  bool IgnoreMaskBlank() const { return ignoreMaskBlank_; }
  void SetIgnoreMaskBlank(bool Value) { ignoreMaskBlank_ = Value; }

  virtual String GetDefaultEditMask() const { return String(); }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorMaskEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  String editMask_;
  bool editMaskAssigned_ = false;
  bool ignoreMaskBlank_ = false;
};

class TdxInspectorMemoRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorMemoRow, TdxInspectorRow);

 public:
  using TdxInspectorRow::TdxInspectorRow;
  bool HideScrollBars() const { return hideScrollBars_; }
  void SetHideScrollBars(bool Value) { hideScrollBars_ = Value; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value) { scrollBars_ = Value; }
  bool SelectionBar() const { return selectionBar_; }
  void SetSelectionBar(bool Value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value) { wantReturns_ = Value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value) { wordWrap_ = Value; }

  // The text painted in the cell.
  virtual String GetMemoText() { return GetEditText(); }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorMemoEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  bool hideScrollBars_ = true;
  TScrollStyle scrollBars_ = ssNone;
  bool selectionBar_ = false;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool wordWrap_ = true;
};

// The text variant of a kind: the value lives in the published string Text.
template <class TKind>
class TdxTextValueRow : public TKind {
 public:
  using TKind::TKind;
  const String& Text() const { return text_; }
  void SetText(const String& Value) {
    text_ = Value;
    TKind::Changed();
  }
  String GetDisplayText() override { return text_; }
  String GetEditText() override { return text_; }
  void SetEditText(const String& Value) override {
    if (text_ != Value) SetText(Value);
  }

 private:
  String text_;
};

class TdxInspectorTextMaskRow : public TdxTextValueRow<TdxInspectorMaskRow> {
  TRENVIK_CLASS(TdxInspectorTextMaskRow, TdxTextValueRow<TdxInspectorMaskRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};

class TdxInspectorTextMemoRow : public TdxTextValueRow<TdxInspectorMemoRow> {
  TRENVIK_CLASS(TdxInspectorTextMemoRow, TdxTextValueRow<TdxInspectorMemoRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
