// The table view and its columns (the model half: options, painting and input come with the table
// view information and controllers), and the view class registry.
#pragma once

#include "cx/grid/cxGridCustomTableView.h"
#include "cx/grid/cxGridPreview.h"
#include "cx/grid/cxGridTableFiltering.h"
#include "cx/grid/cxGridTableViewPartStyles.h"
#include "cx/foundation/cxGridLines.h"

class TcxGridTableController;
class TcxGridTableView;
class TcxGridColumnHeaderViewInfo;
class TcxGridTableCellViewInfo;
class TcxCustomGridCellViewInfo;

// Custom drawing of a column's header or footer cell; ADone when the handler drew it all.
using TcxGridColumnCustomDrawHeaderEvent = std::function<void(
    TcxGridTableView* Sender, TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo, bool& ADone)>;
using TcxGridTableCellCustomDrawEvent = std::function<void(
    TcxCustomGridTableView* Sender, TcxCanvas* ACanvas, TcxGridTableCellViewInfo* AViewInfo, bool& ADone)>;
// The background of a part: the group-by box, the header, the footer, a group footer, the filter bar.
using TcxGridPartCustomDrawBackgroundEvent = std::function<void(
    TcxGridTableView* Sender, TcxCanvas* ACanvas, TcxCustomGridCellViewInfo* AViewInfo, bool& ADone)>;

class TcxGridColumn : public TcxCustomGridTableItem {
  TRENVIK_CLASS(TcxGridColumn, TcxCustomGridTableItem);

 public:
  explicit TcxGridColumn(TComponent* AOwner) : TcxCustomGridTableItem(AOwner) {}

  int GroupIndex() const;
  void SetGroupIndex(int Value);
  // Hidden for good: the customization form does not offer the column. The preview column reads
  // as hidden without storing it.
  bool Hidden() const { return hidden_ || IsPreview(); }
  void SetHidden(bool Value);
  bool IsHiddenStored() const { return hidden_ && !IsPreview(); }
  virtual void HiddenChanged();
  // The preview shows the column's text instead of a column in the header.
  bool IsPreview() const;
  bool Visible() const override { return TcxCustomGridTableItem::Visible() && !IsPreview(); }

  bool GetStoredPropertyNames(TStrings* AProperties) override;
  void GetStoredPropertyValue(const String& AName, Variant& AValue) override;
  void SetStoredPropertyValue(const String& AName, const Variant& AValue) override;
  // The item's best fit plus the grid lines the column's cells have at their sides.
  int GetBestFitWidth() override;
  // With automatic widths, the shown widths become the columns' own first.
  void ForceWidth(int AWidth) override;

  // The user picked an entry the application added to the filter drop-down: the application filters.
  virtual void DoUserFiltering(const Variant& AValue, const String& ADisplayText) {
    if (OnUserFiltering) OnUserFiltering(this, AValue, ADisplayText);
  }
  std::function<void(TcxGridColumn* Sender, const Variant& AValue, const String& ADisplayText)> OnUserFiltering;
  virtual void DoCustomDrawHeader(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo, bool& ADone);
  virtual void DoCustomDrawFooterCell(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo, bool& ADone);
  TcxGridColumnCustomDrawHeaderEvent OnCustomDrawHeader;
  TcxGridColumnCustomDrawHeaderEvent OnCustomDrawFooterCell;

 private:
  bool hidden_ = false;
};

TRENVIK_ENUM(TcxGridGroupFootersMode, gfInvisible, gfVisibleWhenExpanded, gfAlwaysVisible);

class TcxGridTableOptionsBehavior : public TcxCustomGridTableOptionsBehavior {
  TRENVIK_CLASS(TcxGridTableOptionsBehavior, TcxCustomGridTableOptionsBehavior);
  TRENVIK_GRID_FLAG(ExpandMasterRowOnDblClick, true);

 public:
  using TcxCustomGridTableOptionsBehavior::TcxCustomGridTableOptionsBehavior;
  void Assign(TPersistent* Source) override;
};

class TcxGridTableOptionsCustomize : public TcxCustomGridTableOptionsCustomize {
  TRENVIK_CLASS(TcxGridTableOptionsCustomize, TcxCustomGridTableOptionsCustomize);
  TRENVIK_GRID_OPTION(ColumnFiltering, true);
  TRENVIK_GRID_FLAG(ColumnHiding, false);
  TRENVIK_GRID_FLAG(ColumnHorzSizing, true);

 public:
  using TcxCustomGridTableOptionsCustomize::TcxCustomGridTableOptionsCustomize;
  bool ColumnGrouping() const { return ItemGrouping(); }
  void SetColumnGrouping(bool Value) { SetItemGrouping(Value); }
  bool ColumnMoving() const { return ItemMoving(); }
  void SetColumnMoving(bool Value) { SetItemMoving(Value); }
  bool ColumnSorting() const { return ItemSorting(); }
  void SetColumnSorting(bool Value) { SetItemSorting(Value); }
  void Assign(TPersistent* Source) override;
};

class TcxGridTableOptionsView : public TcxCustomGridTableOptionsView {
  TRENVIK_CLASS(TcxGridTableOptionsView, TcxCustomGridTableOptionsView);

 public:
  using TcxCustomGridTableOptionsView::TcxCustomGridTableOptionsView;
  void Assign(TPersistent* Source) override;
  bool ColumnAutoWidth() const { return columnAutoWidth_; }
  void SetColumnAutoWidth(bool Value) { SetSizeOption(columnAutoWidth_, Value); }
  bool Footer() const { return footer_; }
  void SetFooter(bool Value) { SetSizeOption(footer_, Value); }
  bool GroupByBox() const { return groupByBox_; }
  void SetGroupByBox(bool Value) { SetSizeOption(groupByBox_, Value); }
  bool Header() const { return header_; }
  void SetHeader(bool Value) { SetSizeOption(header_, Value); }
  bool Indicator() const { return indicator_; }
  void SetIndicator(bool Value) { SetSizeOption(indicator_, Value); }
  TcxGridLines GridLines() const { return gridLines_; }
  void SetGridLines(TcxGridLines Value);
  TcxGridGroupFootersMode GroupFooters() const { return groupFooters_; }
  void SetGroupFooters(TcxGridGroupFootersMode Value);
  int IndicatorWidth() const { return indicatorWidth_; }
  // Negative becomes 0.
  void SetIndicatorWidth(int Value);
  int NewItemRowSeparatorWidth() const { return newItemRowSeparatorWidth_; }
  // Below 2 becomes 2.
  void SetNewItemRowSeparatorWidth(int Value);
  int RowSeparatorWidth() const { return rowSeparatorWidth_; }
  // Negative becomes 0.
  void SetRowSeparatorWidth(int Value);
  // Stored colours; clDefault reads as the look-and-feel painter's colour.
  TColor GridLineColor() const { return gridLineColor_; }
  void SetGridLineColor(TColor Value) { SetColor(gridLineColor_, Value); }
  TColor NewItemRowSeparatorColor() const { return newItemRowSeparatorColor_; }
  void SetNewItemRowSeparatorColor(TColor Value) { SetColor(newItemRowSeparatorColor_, Value); }
  TColor RowSeparatorColor() const { return rowSeparatorColor_; }
  void SetRowSeparatorColor(TColor Value) { SetColor(rowSeparatorColor_, Value); }
  TColor GetGridLineColor() const;
  TColor GetNewItemRowSeparatorColor() const;
  TColor GetRowSeparatorColor() const;
  bool HeaderAutoHeight() const { return ItemCaptionAutoHeight(); }
  void SetHeaderAutoHeight(bool Value) { SetItemCaptionAutoHeight(Value); }
  bool HeaderEndEllipsis() const { return ItemCaptionEndEllipsis(); }
  void SetHeaderEndEllipsis(bool Value) { SetItemCaptionEndEllipsis(Value); }
  bool NewItemRow() const { return newItemRow_; }
  // Makes or drops the view data's new-item record.
  void SetNewItemRow(bool Value);

 private:
  void SetSizeValue(int& AField, int AValue);
  void SetColor(TColor& AField, TColor AValue);

  bool columnAutoWidth_ = false;
  bool footer_ = false;
  bool groupByBox_ = true;
  bool header_ = true;
  bool indicator_ = false;
  bool newItemRow_ = false;
  TcxGridLines gridLines_ = glBoth;
  TcxGridGroupFootersMode groupFooters_ = gfInvisible;
  int indicatorWidth_ = 12;
  int newItemRowSeparatorWidth_ = 6;
  int rowSeparatorWidth_ = 0;
  TColor gridLineColor_ = clDefault;
  TColor newItemRowSeparatorColor_ = clDefault;
  TColor rowSeparatorColor_ = clDefault;
};

class TcxGridTableView : public TcxCustomGridTableView {
  TRENVIK_CLASS(TcxGridTableView, TcxCustomGridTableView);

 public:
  explicit TcxGridTableView(TComponent* AOwner) : TcxCustomGridTableView(AOwner) {}
  ~TcxGridTableView() override;

  TcxGridTableController* Controller();
  int ColumnCount() const { return ItemCount(); }
  TcxGridColumn* Columns(int AIndex) const { return static_cast<TcxGridColumn*>(Items(AIndex)); }
  TcxGridColumn* CreateColumn() { return static_cast<TcxGridColumn*>(CreateItem()); }
  TClass GetItemClass() const override { return TcxGridColumn::StaticClass(); }
  TClass GetSummaryItemClass() const override;
  TClass GetSummaryGroupItemLinkClass() const override;
  TcxGridTableOptionsBehavior* OptionsBehavior() {
    return static_cast<TcxGridTableOptionsBehavior*>(TcxCustomGridTableView::OptionsBehavior());
  }
  void SetOptionsBehavior(TcxGridTableOptionsBehavior* Value) { OptionsBehavior()->Assign(Value); }
  TcxGridTableOptionsCustomize* OptionsCustomize() {
    return static_cast<TcxGridTableOptionsCustomize*>(TcxCustomGridTableView::OptionsCustomize());
  }
  void SetOptionsCustomize(TcxGridTableOptionsCustomize* Value) { OptionsCustomize()->Assign(Value); }
  void SetOptionsData(TcxCustomGridTableOptionsData* Value) { OptionsData()->Assign(Value); }
  void SetOptionsSelection(TcxCustomGridTableOptionsSelection* Value) { OptionsSelection()->Assign(Value); }
  TcxGridTableOptionsView* OptionsView() {
    return static_cast<TcxGridTableOptionsView*>(TcxCustomGridTableView::OptionsView());
  }
  void SetOptionsView(TcxGridTableOptionsView* Value) { OptionsView()->Assign(Value); }
  TcxGridTableFiltering* Filtering();
  void SetFiltering(TcxGridTableFiltering* Value) { Filtering()->Assign(Value); }
  TcxGridPreview* Preview();
  void SetPreview(TcxGridPreview* Value) { Preview()->Assign(Value); }
  TcxGridTableViewStyles* Styles() { return static_cast<TcxGridTableViewStyles*>(TcxCustomGridTableView::Styles()); }
  void SetStyles(TcxGridTableViewStyles* Value) { Styles()->Assign(Value); }
  // Stored properties: the group-by box and the new-item row ahead of the record-based view's names.
  bool GetStoredPropertyNames(TStrings* AProperties) override;
  void GetStoredPropertyValue(const String& AName, Variant& AValue) override;
  void SetStoredPropertyValue(const String& AName, const Variant& AValue) override;
  // Layout depends on the site's width only with automatic column widths, previews or details.
  bool IsSizeDependent() override {
    return OptionsView()->ColumnAutoWidth() || Preview()->Active() || HasDetailLevels();
  }
  bool IsDetailVisible(TcxCustomGridView* AGridView) override;
  bool GetRecordRepaintBounds(int ARecordIndex, TcxCustomGridTableItem* AItem, RECT& ABounds) override;
  // The customization form follows what the header shows.
  void ItemVisibilityChanged(TcxCustomGridTableItem* AItem, bool AVisible) override;
  void RefreshCustomizationForm();

  // Each runs its handler when one is assigned.
  virtual void DoCustomDrawColumnHeader(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo, bool& ADone);
  virtual void DoCustomDrawFooterCell(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo, bool& ADone);
  virtual void DoCustomDrawGroupCell(TcxCanvas* ACanvas, TcxGridTableCellViewInfo* AViewInfo, bool& ADone);
  virtual void DoCustomDrawPartBackground(TcxCanvas* ACanvas, TcxCustomGridCellViewInfo* AViewInfo, bool& ADone);
  TcxGridColumnCustomDrawHeaderEvent OnCustomDrawColumnHeader;
  TcxGridColumnCustomDrawHeaderEvent OnCustomDrawFooterCell;
  TcxGridTableCellCustomDrawEvent OnCustomDrawGroupCell;
  TcxGridPartCustomDrawBackgroundEvent OnCustomDrawPartBackground;
  TNotifyEvent OnCustomization;
  // Handed to the filter builder dialog as its OnShow handler.
  TNotifyEvent OnFilterControlDialogShow;
  TNotifyEvent OnLeftPosChanged;

 protected:
  std::unique_ptr<TcxCustomDataController> CreateDataController() override {
    return cxCreateDataController<TcxGridDataController>(this);
  }
  std::unique_ptr<TcxCustomGridOptionsView> CreateOptionsView() override {
    return std::make_unique<TcxGridTableOptionsView>(this);
  }
  std::unique_ptr<TcxCustomGridViewData> CreateViewData() override;
  std::unique_ptr<TcxCustomGridTableController> CreateTableController() override;
  std::unique_ptr<TcxCustomGridViewInfo> CreateViewInfo() override;
  std::unique_ptr<TcxCustomGridPainter> CreatePainter() override;
  std::unique_ptr<TcxCustomGridViewInfoCache> CreateViewInfoCache() override;
  std::unique_ptr<TcxCustomGridViewStyles> CreateStyles() override;
  std::unique_ptr<TcxCustomGridTableOptionsBehavior> CreateOptionsBehavior() override {
    return std::make_unique<TcxGridTableOptionsBehavior>(this);
  }
  std::unique_ptr<TcxCustomGridTableOptionsCustomize> CreateOptionsCustomize() override {
    return std::make_unique<TcxGridTableOptionsCustomize>(this);
  }
  // The preview last: its column is found among the copied items.
  void AssignProperties(TcxCustomGridView* ASource) override;
  void ItemRemoving(TcxCustomGridTableItem* AItem) override;

 private:
  std::unique_ptr<TcxGridTableFiltering> filtering_;
  std::unique_ptr<TcxGridPreview> preview_;
};

// The concrete view classes with their display names ("Table", "DB Table").
TcxRegisteredClasses* cxGridRegisteredViews();
void cxGridViewsInitialize();
void cxGridViewsFinalize();
