// The grid's summary groups: named lists of summary items. A grouped column names the group whose
// items its group rows show; items with a column name are shown under that column in the group's
// footer row instead of in the row text.
#pragma once

#include <memory>

#include "dx/dbgrid/dxDBColumn.h"
#include "platform/classes/Collection.h"

class TCustomdxDBGrid;
class TdxDBGridSummaryGroup;

class TdxDBGridSummaryItem : public TCollectionItem {
  TRENVIK_CLASS(TdxDBGridSummaryItem, TCollectionItem);

 public:
  // Joins Collection once complete: the collection's change reaches code that reads the items.
  explicit TdxDBGridSummaryItem(TCollection* Collection) : TCollectionItem(nullptr) { SetCollection(Collection); }
  // From another item: the four settings, not the event.
  void Assign(TPersistent* Source) override;

  const String& ColumnName() const { return columnName_; }
  void SetColumnName(const String& Value) { Store(columnName_, Value); }
  TdxSummaryType SummaryType() const { return summaryType_; }
  void SetSummaryType(TdxSummaryType Value) { Store(summaryType_, Value); }
  const String& SummaryField() const { return summaryField_; }
  void SetSummaryField(const String& Value) { Store(summaryField_, Value); }
  const String& SummaryFormat() const { return summaryFormat_; }
  void SetSummaryFormat(const String& Value) { Store(summaryFormat_, Value); }
  // Bound by the grid before each summary pass.
  TField* BoundField() const { return boundField_; }
  void SetBoundField(TField* Value) { boundField_ = Value; }
  // The bound field's date type when the value is a date, time or date-and-time; else ftUnknown.
  TFieldType SummaryDataType() const;
  TdxSummaryEvent OnSummary;

 private:
  template <class T>
  void Store(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed(false);
  }

  String columnName_;
  TField* boundField_ = nullptr;
  TdxSummaryType summaryType_ = cstNone;
  String summaryField_, summaryFormat_;
};

class TdxDBGridSummaryItems : public TOwnedCollection {
  TRENVIK_CLASS(TdxDBGridSummaryItems, TOwnedCollection);

 public:
  explicit TdxDBGridSummaryItems(TdxDBGridSummaryGroup* Group);
  TdxDBGridSummaryGroup* SummaryGroup() const { return group_; }
  TdxDBGridSummaryItem* Add() { return static_cast<TdxDBGridSummaryItem*>(TCollection::Add()); }
  TdxDBGridSummaryItem* GetItem(int Index) const { return static_cast<TdxDBGridSummaryItem*>(Items(Index)); }

 protected:
  // An item's change only repaints the grid; the values follow at the next pass.
  void Update(TCollectionItem* Item) override;

 private:
  TdxDBGridSummaryGroup* group_;
};

class TdxDBGridSummaryGroup : public TCollectionItem {
  TRENVIK_CLASS(TdxDBGridSummaryGroup, TCollectionItem);

 public:
  explicit TdxDBGridSummaryGroup(TCollection* Collection);
  ~TdxDBGridSummaryGroup() override;
  void Assign(TPersistent* Source) override;

  const String& BeginSummaryText() const { return beginSummaryText_; }
  void SetBeginSummaryText(const String& Value) { beginSummaryText_ = Value; }
  const String& EndSummaryText() const { return endSummaryText_; }
  void SetEndSummaryText(const String& Value) { endSummaryText_ = Value; }
  bool DefaultGroup() const { return defaultGroup_; }
  // At most one group of a collection is the default: setting it clears the others.
  void SetDefaultGroup(bool Value);
  TdxDBGridSummaryItems* SummaryItems() const { return items_.get(); }
  void SetSummaryItems(TdxDBGridSummaryItems* Value) { items_->Assign(Value); }
  const String& Name() const { return name_; }
  // Raises EInvaliddxTreeListOperation for an empty name or one another group of the collection
  // has (compared case-sensitively); the group keeps its name then.
  void SetName(const String& Value);
  TCustomdxDBGrid* Grid() const;

 protected:
  String GetDisplayName() override { return name_.empty() ? inherited::GetDisplayName() : name_; }

 private:
  String beginSummaryText_, endSummaryText_;
  bool defaultGroup_ = false;
  std::unique_ptr<TdxDBGridSummaryItems> items_;
  String name_;
};

class TdxDBGridSummaryGroups : public TOwnedCollection {
  TRENVIK_CLASS(TdxDBGridSummaryGroups, TOwnedCollection);

 public:
  explicit TdxDBGridSummaryGroups(TCustomdxDBGrid* Grid);
  TCustomdxDBGrid* Control() const { return grid_; }
  TdxDBGridSummaryGroup* Add() { return static_cast<TdxDBGridSummaryGroup*>(TCollection::Add()); }
  TdxDBGridSummaryGroup* GetItem(int Index) const { return static_cast<TdxDBGridSummaryGroup*>(Items(Index)); }
  // The first group marked as the default, or nullptr.
  TdxDBGridSummaryGroup* GetDefaultGroup() const;
  // The first group whose name matches Name ignoring case, or nullptr.
  TdxDBGridSummaryGroup* FindGroup(const String& Name) const;

 protected:
  // Adding, removing or changing a group rebuilds the grid's groups and summaries.
  void Update(TCollectionItem* Item) override;

 private:
  TCustomdxDBGrid* grid_;
};
