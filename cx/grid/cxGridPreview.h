// The table view's preview: one column's text shown in a band below or above the cells of each
// data row instead of as a column of its own.
#pragma once

#include "cx/grid/cxGridCustomView.h"

TRENVIK_ENUM(TcxGridPreviewPlace, ppBottom, ppTop);

class TcxGridColumn;
class TcxCustomGridTableItem;

class TcxGridPreview : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxGridPreview, TcxCustomGridOptions);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;

  // The band follows the text's height, up to MaxLineCount lines.
  bool AutoHeight() const { return autoHeight_; }
  void SetAutoHeight(bool Value) { SetLayoutValue(autoHeight_, Value); }
  // Only a column of this view is taken; another view's counts as none.
  TcxGridColumn* Column() const { return column_; }
  void SetColumn(TcxGridColumn* Value);
  // Negative values become 0.
  int LeftIndent() const { return leftIndent_; }
  void SetLeftIndent(int Value) { SetLayoutValue(leftIndent_, Value < 0 ? 0 : Value); }
  // 0: no limit. Negative values become 0.
  int MaxLineCount() const { return maxLineCount_; }
  void SetMaxLineCount(int Value) { SetLayoutValue(maxLineCount_, Value < 0 ? 0 : Value); }
  TcxGridPreviewPlace Place() const { return place_; }
  void SetPlace(TcxGridPreviewPlace Value) { SetLayoutValue(place_, Value); }
  int RightIndent() const { return rightIndent_; }
  void SetRightIndent(int Value) { SetLayoutValue(rightIndent_, Value < 0 ? 0 : Value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  // Shown: visible with a column.
  bool Active() const { return visible_ && column_ != nullptr; }

  // The column is leaving the view: the preview shows nothing, without reporting the column again.
  void ColumnRemoved(TcxCustomGridTableItem* AItem);
  void Assign(TPersistent* Source) override;

 private:
  // A change of what the band looks like relays the view out only while the band is shown.
  template <class T>
  void SetLayoutValue(T& AField, T AValue) {
    if (AField == AValue) return;
    AField = AValue;
    if (visible_) GridView()->SizeChanged(false, false);
  }

  bool autoHeight_ = true;
  TcxGridColumn* column_ = nullptr;
  int leftIndent_ = 20;
  int maxLineCount_ = 3;
  TcxGridPreviewPlace place_ = ppBottom;
  int rightIndent_ = 5;
  bool visible_ = false;
};
