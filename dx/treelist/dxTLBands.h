// Bands: side-by-side column groups with their own header, optionally fixed at the left or right
// edge. Columns refer to their band by index; the band code keeps those indexes right when bands are
// deleted or moved.
#pragma once

#include "dx/treelist/dxTLTypes.h"
#include "platform/classes/ClassesTypes.h"
#include "platform/classes/Collection.h"
#include "platform/forms/Controls.h"

class TCustomdxTreeListControl;
class TdxTreeListColumn;

class TdxTreeListBand : public TCollectionItem {
  TRENVIK_CLASS(TdxTreeListBand, TCollectionItem);

 public:
  explicit TdxTreeListBand(TCollection* Collection);
  ~TdxTreeListBand() override;

  void Assign(TPersistent* Source) override;
  virtual void RestoreDefaults();
  void SetIndex(int Value) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value) { SetItemValue(alignment_, Value); }
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value) { SetItemValue(caption_, Value); }
  bool DisableCustomizing() const { return disableCustomizing_; }
  void SetDisableCustomizing(bool Value) { SetItemValue(disableCustomizing_, Value); }
  bool DisableDragging() const { return disableDragging_; }
  void SetDisableDragging(bool Value) { disableDragging_ = Value; }
  TdxGridBandFixed Fixed() const { return fixed_; }
  void SetFixed(TdxGridBandFixed Value);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  bool OnlyOwnColumns() const { return onlyOwnColumns_; }
  void SetOnlyOwnColumns(bool Value) { onlyOwnColumns_ = Value; }
  bool Sizing() const { return sizing_; }
  void SetSizing(bool Value) { SetItemValue(sizing_, Value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  int Width() const { return width_; }
  void SetWidth(int Value);

  TCustomdxTreeListControl* GetTreeList() const;
  int GetVisibleIndex() const;
  int GetRowCount() const;
  int GetColumnCount(int Row) const;
  TdxTreeListColumn* GetColumn(int Row, int Position) const;

 private:
  friend class TdxTreeListBands;
  template <class V>
  void SetItemValue(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed(false);
  }
  TAlignment alignment_ = taCenter;
  String caption_;
  bool disableCustomizing_ = false;
  bool disableDragging_ = false;
  TdxGridBandFixed fixed_ = bfNone;
  int minWidth_ = 30;
  bool onlyOwnColumns_ = false;
  bool sizing_ = true;
  bool visible_ = true;
  int width_ = 250;
};

class TdxTreeListBands : public TCollection {
  TRENVIK_CLASS(TdxTreeListBands, TCollection);

 public:
  explicit TdxTreeListBands(TCustomdxTreeListControl* TreeList,
                            TClass ItemClass = TdxTreeListBand::StaticClass());
  // The new band is announced once it is whole.
  TdxTreeListBand* Add();
  TdxTreeListBand* Items(int Index) const { return static_cast<TdxTreeListBand*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() override;
  TCustomdxTreeListControl* TreeList() const { return treeList_; }

  int VisibleCount() const;
  int GetVisibleBandIndex(int VisibleIndex) const;
  TdxTreeListBand* VisibleItems(int VisibleIndex) const;
  int GetVisibleIndex(int Index) const;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  void NormaliseFixedBands();
  TCustomdxTreeListControl* treeList_;
};
