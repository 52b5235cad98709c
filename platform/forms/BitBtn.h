// A push button with a glyph beside its caption; its kinds bring the standard captions, glyphs and
// modal results of dialog buttons.
#pragma once

#include <memory>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/StdCtrls.h"

TRENVIK_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore,
             bkAll);

class TBitBtn : public TButton {
  TRENVIK_CLASS(TBitBtn, TButton);

 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  // bkClose closes the parent form; the other kinds act as a button with their modal result.
  void Click() override;

  // The glyph: its kind's own until one is assigned.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value);
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int Value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void SetButtonStyle(bool ADefault) override;

 private:
  TRENVIK_MESSAGES(TBitBtn);
  void CNDrawItem(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);

  std::unique_ptr<TBitmap> glyph_;
  TBitBtnKind kind_ = bkCustom;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int numGlyphs_ = 1;
  int spacing_ = 4;
  bool isDefault_ = false;  // drawn with the default button's dark frame
};

// The glyph of a button kind, drawn by the layer: two images side by side (up and disabled) on an
// olive background that is the transparent colour; empty for bkCustom.
std::unique_ptr<TBitmap> MakeKindGlyph(TBitBtnKind Kind);
