// The style defaults the tree list's in-place editors take from their tree list, and the tree list's
// own editor classes (the text and mask editors unchanged, as classes of their own).
#pragma once

#include "dx/editors/dxEditStyles.h"
#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxTextEdit.h"

class TCustomdxTreeList;

class TdxTreeListEditStyle : public TdxEditStyle {
  TRENVIK_CLASS(TdxTreeListEditStyle, TdxEditStyle);

 public:
  TdxTreeListEditStyle(TdxInplaceEdit* Editor, TCustomdxTreeList* TreeList)
      : TdxEditStyle(Editor), treeList_(TreeList) {}
  TColor GetDefaultBorderColor() const override { return clWindowFrame; }
  TdxEditBorderStyle GetDefaultBorderStyle() const override;
  TdxEditButtonViewStyle GetDefaultButtonStyle() const override;
  TdxEditButtonTransparence GetDefaultButtonTransparence() const override { return ebtNone; }
  TdxEditEdges GetDefaultEdges() const override { return dxAllEdges; }
  bool GetDefaultHotTrack() const override { return false; }
  bool GetDefaultShadow() const override { return false; }

 private:
  TCustomdxTreeList* treeList_;
};

class TdxInplaceTreeListTextEdit : public TdxInplaceTextEdit {
  TRENVIK_CLASS(TdxInplaceTreeListTextEdit, TdxInplaceTextEdit);

 public:
  explicit TdxInplaceTreeListTextEdit(TComponent* AOwner) : TdxInplaceTextEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInplaceTreeListMaskEdit : public TdxInplaceMaskEdit {
  TRENVIK_CLASS(TdxInplaceTreeListMaskEdit, TdxInplaceMaskEdit);

 public:
  explicit TdxInplaceTreeListMaskEdit(TComponent* AOwner) : TdxInplaceMaskEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};
