// Complex rows: several rows of the same control shown side by side in one line, each item with its
// own place in the caption and value cells, edited on its own.
#pragma once

#include <vector>

#include "dx/inspector/dxInspctRow.h"
#include "platform/classes/Collection.h"

class TdxInspectorComplexRow;

class TdxInspectorComplexRowItem : public TCollectionItem {
  TRENVIK_CLASS(TdxInspectorComplexRowItem, TCollectionItem);

 public:
  explicit TdxInspectorComplexRowItem(TCollection* Collection);
  bool Fixed() const { return fixed_; }
  void SetFixed(bool Value);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  TdxInspectorRow* Row() const { return row_; }
  // Refuses complex rows and rows of another control; hides the row and takes it from other items.
  void SetRow(TdxInspectorRow* Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  void Assign(TPersistent* Source) override;
  // Forgets the row without the checks (the row leaves the control).
  void ClearRow() { row_ = nullptr; }
  TdxInspectorComplexRow* ComplexRow() const;

 protected:
  String GetDisplayName() override;

 private:
  bool fixed_ = false;
  int minWidth_ = 20;
  TdxInspectorRow* row_ = nullptr;
  int width_ = 50;
};

class TdxInspectorComplexRowItems : public TCollection {
  TRENVIK_CLASS(TdxInspectorComplexRowItems, TCollection);

 public:
  explicit TdxInspectorComplexRowItems(TdxInspectorComplexRow* Row = nullptr);
  TdxInspectorComplexRowItem* Items(int Index) const {
    return static_cast<TdxInspectorComplexRowItem*>(TCollection::Items(Index));
  }
  TdxInspectorComplexRowItem* Add() { return static_cast<TdxInspectorComplexRowItem*>(TCollection::Add()); }
  int IndexOfRow(const TdxInspectorRow* Row) const;
  TdxInspectorComplexRow* ComplexRow() const { return row_; }

 protected:
  TPersistent* GetOwner() override;
  void Update(TCollectionItem* Item) override;

 private:
  TdxInspectorComplexRow* row_;
};

class TdxInspectorComplexRow : public TdxInspectorTextRow {
  TRENVIK_CLASS(TdxInspectorComplexRow, TdxInspectorTextRow);

 public:
  explicit TdxInspectorComplexRow(TComponent* AOwner);
  ~TdxInspectorComplexRow() override;
  TdxInspectorComplexRowItems* Items() const { return items_.get(); }
  void SetItems(TdxInspectorComplexRowItems* Value) { items_->Assign(Value); }
  // The caption: its own, or its items' captions joined by the separator (or "-").
  String GetDragCaption();

 private:
  std::unique_ptr<TdxInspectorComplexRowItems> items_;
};

// The places of a complex row's items and separators in one cell.
struct TdxInspectorComplexRowViewInfoItem {
  RECT Rect{};
  bool Fixed = false;
  int MinWidth = 0;
  TdxInspectorRow* Row = nullptr;
  bool Separator = false;
  int Width = 0;
};

class TdxInspectorComplexRowViewInfo {
 public:
  TdxInspectorComplexRowViewInfo(TdxInspectorComplexRow* Row, int SeparatorWidth)
      : row_(Row), separatorWidth_(SeparatorWidth) {}
  void Calculate(const RECT& Rect);
  int Count() const { return static_cast<int>(items_.size()); }
  const TdxInspectorComplexRowViewInfoItem& Items(int Index) const { return items_[Index]; }
  bool IsEmpty() const { return items_.empty(); }

 private:
  TdxInspectorComplexRow* row_;
  int separatorWidth_;
  std::vector<TdxInspectorComplexRowViewInfoItem> items_;
};
