// Record-based views: items (columns) bound to the fields of the view's data controller, the grid's
// data controller that asks its view about items, and the routing of the data controller's
// notifications into grid changes.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/data/cxData.h"
#include "cx/editors/cxEdit.h"
#include "cx/grid/cxFilterControlLink.h"
#include "cx/grid/cxGridCustomView.h"
#include "cx/grid/cxGridTableOptions.h"
#include "cx/grid/cxGridTableViewStyles.h"

class TcxCustomGridTableItem;
class TcxCustomGridTableView;
class TcxCustomGridTableController;

// Ties one item to its field of the view's data controller.
class TcxGridItemDataBinding : public TPersistent {
  TRENVIK_CLASS(TcxGridItemDataBinding, TPersistent);

 public:
  using TCreateArg = TcxCustomGridTableItem;
  explicit TcxGridItemDataBinding(TcxCustomGridTableItem* AItem) : item_(AItem) {}

  TcxCustomGridTableItem* Item() const { return item_; }
  TcxCustomGridTableView* GridView() const;
  TcxCustomDataController* DataController() const;
  TcxDataFilterCriteria* Filter() const { return DataController()->Filter(); }
  TcxFilterCriteriaItem* FilterCriteriaItem() const;
  bool Filtered() const { return FilterCriteriaItem() != nullptr; }
  // False removes every condition of the item; True changes nothing.
  void SetFiltered(bool Value);
  TcxFilterCriteriaItem* AddToFilter(TcxFilterCriteriaItemList* AParent, TcxFilterOperatorKind AOperatorKind,
                                     const Variant& AValue, const String& ADisplayText, bool AReplaceExisting);
  // The item's distinct values for a filter drop-down: line i of AStrings shows entry i of AValueList.
  void GetFilterValues(TStrings* AStrings, TcxDataFilterValueList* AValueList);

  // Runs for every item when the view's data changed.
  virtual void Init() {}
  virtual String GetDefaultCaption() { return String(); }
  virtual int GetDefaultWidth() { return 64; }
  // The repository item whose properties show the data when the item has none of its own: the
  // value-type registry's item for the item's value type.
  virtual TcxEditRepositoryItem* GetDefaultRepositoryItem();
  TPersistent* GetOwner() override;
  // From another binding: its value type.
  void Assign(TPersistent* Source) override;

 private:
  TcxCustomGridTableItem* item_;
};

class TcxCanvas;
class TcxGridTableDataCellViewInfo;
// A handler that drew the cell itself sets ADone; otherwise the cell draws itself in the canvas's
// colours as the handler left them.
using TcxGridTableDataCellCustomDrawEvent = std::function<void(
    TcxCustomGridTableView* Sender, TcxCanvas* ACanvas, TcxGridTableDataCellViewInfo* AViewInfo, bool& ADone)>;
using TcxGridGetDisplayTextEvent =
    std::function<void(TcxCustomGridTableItem* Sender, int ARecordIndex, String& AText)>;
using TcxGridGetFilterDisplayTextEvent =
    std::function<void(TcxCustomGridTableItem* Sender, const Variant& AValue, String& ADisplayText)>;
using TcxGridGetFilterValuesEvent =
    std::function<void(TcxCustomGridTableItem* Sender, TcxDataFilterValueList* AValueList)>;

class TcxCustomGridTableItem : public TcxComponent,
                               public IcxStoredPropertiesObject,
                               public IcxEditRepositoryItemListener {
  TRENVIK_CLASS(TcxCustomGridTableItem, TcxComponent);

 public:
  explicit TcxCustomGridTableItem(TComponent* AOwner);
  ~TcxCustomGridTableItem() override;

  TcxCustomGridTableView* GridView() const { return gridView_; }
  TcxGridItemDataBinding* DataBinding() const { return dataBinding_.get(); }
  int ID() const { return id_; }
  int Index() const;
  void SetIndex(int Value);
  String Caption();
  void SetCaption(const String& Value);
  bool IsCaptionAssigned() const { return captionAssigned_; }
  void SetIsCaptionAssigned(bool Value) { captionAssigned_ = Value; }
  bool IsCaptionStored() const;
  bool IsCaptionAssignedStored() const { return captionAssigned_ && caption_.empty(); }
  // A descendant may keep a visible item out of the header (the table view's preview column).
  virtual bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool IsVisibleStored() const { return !visible_; }
  // Position among the view's visible items; -1 when not visible.
  int VisibleIndex() const;
  TcxCustomGridTableItemOptions* Options() const { return options_.get(); }
  int Width();
  void SetWidth(int Value);
  bool IsWidthStored() const;
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  TcxDataSortOrder SortOrder() const;
  void SetSortOrder(TcxDataSortOrder Value);
  void RestoreDefaults();
  // The width that shows every record's value whole, with the editor's frame and buttons.
  virtual int GetBestFitWidth();
  void ApplyBestFit() { ForceWidth(GetBestFitWidth()); }
  // Sets Width with the width-forced flag raised meanwhile.
  virtual void ForceWidth(int AWidth);
  bool IsWidthForced() const { return widthForced_; }

  // Editor properties: the item's own (made from PropertiesClass), a repository item's, or the
  // default repository item's of its data.
  TClass PropertiesClass() const { return propertiesClass_; }
  void SetPropertiesClass(TClass Value);
  // Looked up among the registered editor properties classes; an unknown name gives none.
  String PropertiesClassName() const;
  void SetPropertiesClassName(const String& Value);
  TcxCustomEditProperties* Properties() const { return properties_.get(); }
  void SetProperties(TcxCustomEditProperties* Value);
  TcxEditRepositoryItem* RepositoryItem() const { return repositoryItem_; }
  void SetRepositoryItem(TcxEditRepositoryItem* Value);
  // The properties in use; nil without a view.
  TcxCustomEditProperties* GetProperties() const { return effectiveProperties_; }
  void ItemRemoved(TcxEditRepositoryItem* Sender) override;
  void PropertiesChanged(TcxEditRepositoryItem* Sender) override;
  // The data's value type changed: the default editor may be another one.
  void ValueTypeClassChanged();

  // Focus and editing of the item's cell in the focused record (through the view's controller).
  bool CanFocus() const;
  bool CanEdit();
  bool CanIncSearch() const;
  bool CanInitEditing();
  bool Focused() const;
  // False moves the focus on to the next item that can take it.
  void SetFocused(bool Value);
  bool Editing() const;
  void SetEditing(bool Value);
  // The focused record's value in the form the editor properties in use want.
  Variant GetEditValue();
  bool SetEditValue(const Variant& AValue);
  // The state an in-place editor keeps between activations in this item's cells.
  std::unique_ptr<TcxCustomEditData>& EditData() { return editData_; }

  virtual String GetDefaultCaption() { return dataBinding_ ? dataBinding_->GetDefaultCaption() : String(); }
  virtual int GetDefaultWidth() { return dataBinding_ ? dataBinding_->GetDefaultWidth() : 64; }
  virtual void Changed(bool ASizeChanged);

  // Stored properties.
  void GetStoredObjectName(String& AName) override;
  bool GetStoredPropertyNames(TStrings* AProperties) override;
  void GetStoredPropertyValue(const String& AName, Variant& AValue) override;
  void SetStoredPropertyValue(const String& AName, const Variant& AValue) override;

  TcxGridGetDisplayTextEvent OnGetDisplayText;
  TcxGridTableDataCellCustomDrawEvent OnCustomDrawCell;
  TcxGridGetFilterDisplayTextEvent OnGetFilterDisplayText;
  TcxGridGetFilterValuesEvent OnGetFilterValues;
  String GetFilterDisplayText(const Variant& AValue, const String& ADisplayText);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void Assign(TPersistent* Source) override;
  void ReadState(TReader* Reader) override;

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  friend class TcxCustomGridTableView;
  void ReadIsCaptionAssigned(TReader* Reader);
  void WriteIsCaptionAssigned(TWriter* Writer);

  void RecalculateProperties();
  void ItemPropertiesChanged();
  void ReleaseDefaultRepositoryItem();

  TcxCustomGridTableView* gridView_ = nullptr;
  std::unique_ptr<TcxGridItemDataBinding> dataBinding_;
  TClass propertiesClass_ = nullptr;
  std::unique_ptr<TcxCustomEditProperties> properties_;
  TcxEditRepositoryItem* repositoryItem_ = nullptr;
  TcxEditRepositoryItem* defaultRepositoryItem_ = nullptr;
  TcxCustomEditProperties* effectiveProperties_ = nullptr;
  std::unique_ptr<TcxCustomGridTableItemOptions> options_ = std::make_unique<TcxCustomGridTableItemOptions>();
  std::unique_ptr<TcxCustomEditData> editData_;
  int id_ = -1;
  String caption_;
  bool captionAssigned_ = false;
  bool visible_ = true;
  int width_ = 0;
  bool widthAssigned_ = false;
  int minWidth_ = 20;
  bool widthForced_ = false;
};

// The view-directed answers every grid data controller gives (the unbound and the dataset-bound one).
template <class TBase>
class TcxGridDataControllerViewLink : public TBase {
 public:
  using TBase::TBase;
  TcxCustomGridTableView* GridView() const { return dynamic_cast<TcxCustomGridTableView*>(this->Owner()); }
  TObject* GetItem(int AIndex) override;
  int GetItemID(TObject* AItem) override;
  String GetItemDisplayName(TObject* AItem) override;
  // Through the item's editor properties when they read stored values, then the item's handler.
  void GetDisplayText(int ARecordIndex, int AItemIndex, String& AText) override;
  TcxEditValueSource GetItemValueSource(int AItemIndex) override;
  void DoValueTypeClassChanged(int AItemIndex) override;
  // The view's OnCanSelectRecord for the row's record.
  bool CanSelectRow(int ARowIndex) override;
  bool GetItemSortByDisplayText(int AItemIndex) override;
  int GetDefaultActiveRelationIndex() override;
  // A detail is the clone of the detail level's view for one master record.
  TObject* CreateDetailLinkObject(TcxCustomDataRelation* ARelation, int ARecordIndex) override;
  TcxCustomDataController* GetDetailDataControllerByLinkObject(TObject* ALinkObject) override;
  // The open in-place editor writes its pending value too.
  void UpdateData() override;
  TClass GetSummaryItemClass() override;
  TClass GetSummaryGroupItemLinkClass() override;
};

class TcxGridDataController : public TcxGridDataControllerViewLink<TcxDataController> {
  TRENVIK_CLASS(TcxGridDataController, TcxDataController);

 public:
  explicit TcxGridDataController(TComponent* AOwner) : TcxGridDataControllerViewLink(AOwner) {}
  ~TcxGridDataController() override { BeforeDestruction(); }
};

class TcxCustomGridRecord;
class TcxCustomGridTableViewData;

using TcxGridFocusedRecordChangedEvent =
    std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridRecord* APrevFocusedRecord,
                       TcxCustomGridRecord* AFocusedRecord, bool ANewItemRecordFocusingChanged)>;

class TcxCustomGridTableView : public TcxCustomGridView, public IcxFilterControl {
  TRENVIK_CLASS(TcxCustomGridTableView, TcxCustomGridView);

 public:
  // The filter control's link: the filterable items, those whose editor can filter, in index order.
  TcxCustomGridTableItem* FilterableItems(int AIndex);
  String GetCaption(int AIndex) override;
  int GetCount() override;
  TcxFilterCriteria* GetCriteria() override;
  TObject* GetItemLink(int AIndex) override;
  String GetFieldName(int AIndex) override;
  TcxCustomEditProperties* GetProperties(int AIndex) override;
  const TcxValueType* GetValueType(int AIndex) override;

  explicit TcxCustomGridTableView(TComponent* AOwner) : TcxCustomGridView(AOwner) {}
  ~TcxCustomGridTableView() override;

  TcxCustomGridTableViewData* ViewData();
  TcxCustomGridTableController* Controller();
  TcxCustomGridTableOptionsBehavior* OptionsBehavior();
  TcxCustomGridTableOptionsCustomize* OptionsCustomize();
  TcxCustomGridTableOptionsData* OptionsData();
  TcxCustomGridTableOptionsSelection* OptionsSelection() {
    return static_cast<TcxCustomGridTableOptionsSelection*>(TcxCustomGridView::OptionsSelection());
  }
  TcxCustomGridTableOptionsView* OptionsView() {
    return static_cast<TcxCustomGridTableOptionsView*>(TcxCustomGridView::OptionsView());
  }
  TcxCustomGridTableViewStyles* Styles() {
    return static_cast<TcxCustomGridTableViewStyles*>(TcxCustomGridView::Styles());
  }
  void SetStyles(TcxCustomGridTableViewStyles* Value) { Styles()->Assign(Value); }
  // The focused record of the grid's focused view.
  bool IsRecordFocused(const TcxCustomGridRecord* ARecord);
  // The record under an object dragged over the view (with DragHighlighting).
  bool IsRecordDragHighlighted(const TcxCustomGridRecord* ARecord);
  // Selection shows while the grid has the focus, and on the drag-highlighted record.
  bool IsRecordFocusedActive(const TcxCustomGridRecord* ARecord);
  // Selected records show in the focused view, or in any view with multi-selection; the
  // drag-highlighted record shows as selected.
  bool IsRecordDrawnSelected(const TcxCustomGridRecord* ARecord);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  TcxCustomGridTableItem* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }
  int VisibleItemCount() const;
  // The visible items in index order; nil out of range.
  TcxCustomGridTableItem* VisibleItems(int AIndex) const;
  TcxCustomGridTableItem* CreateItem();
  TcxCustomGridTableItem* FindItemByID(int AID) const;
  bool HasItem(const TcxCustomGridTableItem* AItem) const;
  TcxCustomGridTableItem* FindItemByName(const String& AName) const;
  void AddItem(TcxCustomGridTableItem* AItem);
  void RemoveItem(TcxCustomGridTableItem* AItem);
  void ChangeItemIndex(TcxCustomGridTableItem* AItem, int AIndex);
  // Frees every item, the last first.
  void ClearItems();
  int NextID() const { return nextID_; }
  int ItemDataChanges() const { return itemDataChanges_; }

  virtual TClass GetItemClass() const = 0;
  virtual TClass GetItemDataBindingClass() const { return TcxGridItemDataBinding::StaticClass(); }
  // Nil: the data controller makes its own summary items and links.
  virtual TClass GetSummaryItemClass() const { return nullptr; }
  virtual TClass GetSummaryGroupItemLinkClass() const { return nullptr; }
  void UpdateControl(TcxUpdateControlInfo* AInfo) override;
  // The bounds to repaint of a laid-out record (of one of its cells when AItem is set), recalculated
  // in place; False when the row is not laid out. Only the table layout lays records out.
  virtual bool GetRecordRepaintBounds(int, TcxCustomGridTableItem*, RECT&) { return false; }
  void DataChanged() override;
  void RefreshItems() override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  // Stored properties: the view's items are its stored children.
  bool GetStoredPropertyNames(TStrings* AProperties) override;
  void GetStoredPropertyValue(const String& AName, Variant& AValue) override;
  void SetStoredPropertyValue(const String& AName, const Variant& AValue) override;
  TObject* CreateStoredChild(const String& AObjectName, const String& AClassName) override;
  void GetStoredChildren(TStringList* AChildren) override;

  std::function<void(TcxCustomGridTableView* Sender)> OnSelectionChanged;
  // After the item's own handler left the drawing to it.
  TcxGridTableDataCellCustomDrawEvent OnCustomDrawCell;
  TcxGridFocusedRecordChangedEvent OnFocusedRecordChanged;
  std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridRecord* ARecord, bool& AAllow)>
      OnCanSelectRecord;
  std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridTableItem* APrevFocusedItem,
                     TcxCustomGridTableItem* AFocusedItem)>
      OnFocusedItemChanged;
  TNotifyEvent OnTopRecordIndexChanged;
  std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridTableItem* AItem, bool& AAllow)> OnEditing;
  std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridTableItem* AItem, TcxCustomEdit* AEdit)>
      OnInitEdit;
  std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridTableItem* AItem)> OnEditChanged;
  std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridTableItem* AItem)> OnEditValueChanged;
  // A handler that sets AHandled keeps the click from opening the editor.
  std::function<void(TcxCustomGridTableView* Sender, TcxGridTableDataCellViewInfo* ACellViewInfo,
                     TMouseButton AButton, TShiftState AShift, bool& AHandled)>
      OnCellClick;
  bool DoEditing(TcxCustomGridTableItem* AItem);
  // A shown item asks for a new size; the controller moves the focus off a hidden one.
  virtual void ItemVisibilityChanged(TcxCustomGridTableItem* AItem, bool AVisible);
  // True without a handler.
  bool DoCanSelectRecord(int ARowIndex);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  std::unique_ptr<TcxCustomGridViewData> CreateViewData() override;
  std::unique_ptr<TcxCustomGridController> CreateController() final;
  virtual std::unique_ptr<TcxCustomGridTableController> CreateTableController() = 0;
  // The item is leaving the view: what refers to it lets it go.
  virtual void ItemRemoving(TcxCustomGridTableItem*) {}
  // Items (keeping their IDs), the record options and handlers, then the grid view's part.
  void AssignProperties(TcxCustomGridView* ASource) override;
  std::unique_ptr<TcxCustomGridOptionsSelection> CreateOptionsSelection() override {
    return std::make_unique<TcxCustomGridTableOptionsSelection>(this);
  }
  std::unique_ptr<TcxCustomGridOptionsView> CreateOptionsView() override {
    return std::make_unique<TcxCustomGridTableOptionsView>(this);
  }
  std::unique_ptr<TcxCustomGridViewStyles> CreateStyles() override {
    return std::make_unique<TcxCustomGridTableViewStyles>(this);
  }
  virtual std::unique_ptr<TcxCustomGridTableOptionsBehavior> CreateOptionsBehavior() {
    return std::make_unique<TcxCustomGridTableOptionsBehavior>(this);
  }
  virtual std::unique_ptr<TcxCustomGridTableOptionsCustomize> CreateOptionsCustomize() {
    return std::make_unique<TcxCustomGridTableOptionsCustomize>(this);
  }
  virtual std::unique_ptr<TcxCustomGridTableOptionsData> CreateOptionsData() {
    return std::make_unique<TcxCustomGridTableOptionsData>(this);
  }

 private:
  void FocusedRecordChanged(const TcxFocusedRecordChangedInfo& AInfo);
  void SelectionChanged(const TcxSelectionChangedInfo& AInfo);
  void SearchChanged();

  std::vector<TcxCustomGridTableItem*> items_;
  // Made on first use, as the grid view's own options: the classes come from the most derived view.
  std::unique_ptr<TcxCustomGridTableOptionsBehavior> optionsBehavior_;
  std::unique_ptr<TcxCustomGridTableOptionsCustomize> optionsCustomize_;
  std::unique_ptr<TcxCustomGridTableOptionsData> optionsData_;
  int nextID_ = 0;
  int itemDataChanges_ = 0;
};
