// The check row kind: a text shown and edited as a check box state through three value texts.
#pragma once

#include <functional>
#include <memory>

#include "dx/editors/dxCheckEdit.h"
#include "dx/inspector/dxInspRw.h"
#include "platform/forms/Graphic.h"

class TdxInspectorCheckEdit : public TdxInplaceCheckEdit {
  TRENVIK_CLASS(TdxInspectorCheckEdit, TdxInplaceCheckEdit);

 public:
  explicit TdxInspectorCheckEdit(TComponent* AOwner) : TdxInplaceCheckEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

using TdxToggleEvent = std::function<void(TObject* Sender, const String& Text, TdxCheckBoxState State)>;

// String-table ids of the default checked and unchecked texts.
constexpr int kCheckRowTrueTextId = 38901;
constexpr int kCheckRowFalseTextId = 38902;
void RegisterCheckRowTexts();

class TdxInspectorCheckRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorCheckRow, TdxInspectorRow);

 public:
  explicit TdxInspectorCheckRow(TComponent* AOwner);
  ~TdxInspectorCheckRow() override;
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  bool Border3D() const { return border3D_; }
  void SetBorder3D(bool Value);
  TdxShowNullFieldStyle ShowNullFieldStyle() const { return showNullFieldStyle_; }
  void SetShowNullFieldStyle(TdxShowNullFieldStyle Value);
  // The check glyph strip: made empty on first read; none frees it, a bitmap is copied.
  TBitmap* Glyph();
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return glyph_ != nullptr; }
  bool IsGlyphStored() const { return HasGlyphImage(); }
  int GlyphCount() const { return glyphCount_; }
  void SetGlyphCount(int Value);
  const String& ValueChecked() const { return valueChecked_; }
  void SetValueChecked(const String& Value);
  const String& ValueGrayed() const { return valueGrayed_; }
  void SetValueGrayed(const String& Value);
  const String& ValueUnchecked() const { return valueUnchecked_; }
  void SetValueUnchecked(const String& Value);
  TdxToggleEvent OnToggleClick;

  TdxCheckBoxState TextToState(const String& Text) const;
  String StateToText(TdxCheckBoxState State) const;

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorCheckEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void DoChange() override;
  // The glyph's height with a glyph, else the standard check box's height plus 2.
  int GetMinHeight(TCanvas* Canvas) override;
  bool GetHintText(bool IsValue, const RECT& TextRect, String& Text) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  bool HasGlyphImage() const { return glyph_ && !glyph_->Empty() && glyphCount_ >= 1; }

  bool allowGrayed_ = false;
  bool border3D_ = false;
  std::unique_ptr<TBitmap> glyph_;
  int glyphCount_ = 6;
  TdxShowNullFieldStyle showNullFieldStyle_ = nsUnchecked;
  String valueChecked_;
  String valueGrayed_;
  String valueUnchecked_;
};

class TdxInspectorTextCheckRow : public TdxTextValueRow<TdxInspectorCheckRow> {
  TRENVIK_CLASS(TdxInspectorTextCheckRow, TdxTextValueRow<TdxInspectorCheckRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
