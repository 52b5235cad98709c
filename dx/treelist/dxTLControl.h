// The concrete tree list engine: bands and columns answer every geometry query, text nodes keep one
// string per column, one in-place editor per editor class is cached, and cells are painted through
// their column's editor class.
#pragma once

#include <memory>
#include <vector>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLBands.h"
#include "dx/treelist/dxTLColumn.h"

class TdxRegIniWrapper;

using TTLGetImageEvent = std::function<void(TObject* Sender, TdxTreeListNode* Node, int& Index)>;
using TdxTLIsExistFooterCell = std::function<void(TObject* Sender, int Column, bool& Exist)>;
using TdxTLCustomDrawHeader = std::function<void(
    TObject* Sender, TdxTreeListColumn* Column, TCanvas* Canvas, const RECT& Rect, String& Text,
    TColor& Color, TFont* Font, TAlignment& Alignment, TdxTreeListColumnSort& Sorted, bool& Done)>;
using TdxTLCustomDrawBand =
    std::function<void(TObject* Sender, TdxTreeListBand* Band, TCanvas* Canvas, const RECT& Rect,
                       String& Text, TColor& Color, TFont* Font, TAlignment& Alignment, bool& Done)>;
using TdxTLCustomDrawFooter = std::function<void(
    TObject* Sender, TCanvas* Canvas, const RECT& Rect, TdxTreeListNode* Node, TdxTreeListColumn* Column,
    String& Text, TColor& Color, TFont* Font, TAlignment& Alignment, bool& Done)>;
using TdxTLCustomDrawFooterNode = std::function<void(
    TObject* Sender, TCanvas* Canvas, const RECT& Rect, TdxTreeListNode* Node, TdxTreeListColumn* Column,
    int FooterIndex, String& Text, TColor& Color, TFont* Font, TAlignment& Alignment, bool& Done)>;
using TTLCustomDrawPreviewEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, const RECT& Rect, TdxTreeListNode* Node,
                       bool Selected, const String& Text, bool& Done)>;
using TdxTLCustomDrawPreview = std::function<void(TObject* Sender, TCanvas* Canvas, const RECT& Rect,
                                                  TdxTreeListNode* Node, bool Selected, String& Text,
                                                  TColor& Color, TColor& TextColor, TFont* Font, bool& Done)>;
using TdxTLGetLevelColor = std::function<void(TObject* Sender, int Level, TColor& Color)>;
using TdxTLCustomDrawCell =
    std::function<void(TObject* Sender, TCanvas* Canvas, const RECT& Rect, TdxTreeListNode* Node,
                       TdxTreeListColumn* Column, bool Selected, bool Focused, bool NewItemRow, String& Text,
                       TColor& Color, TFont* Font, TAlignment& Alignment, bool& Done)>;

using TdxTLCanBandDragging = std::function<void(TObject* Sender, TdxTreeListBand* ABand, bool& Allow)>;
using TdxTLBandEvent = std::function<void(TObject* Sender, TdxTreeListBand* ABand)>;
using TdxTLDragOverBand = std::function<void(TObject* Sender, TdxTreeListBand* ABand, POINT P, bool& Accept)>;
using TdxTLDragEndBand = std::function<void(TObject* Sender, TdxTreeListBand* ABand, POINT P, int AbsoluteIndex,
                                            int VisibleIndex, int& NewIndex, bool& Accept)>;
using TdxTLShowBand = std::function<void(TObject* Sender, TdxTreeListBand* ABand, int NewIndex)>;
using TdxTLCanHeaderDragging = std::function<void(TObject* Sender, TdxTreeListColumn* AColumn, bool& Allow)>;
using TdxTLColumnEvent = std::function<void(TObject* Sender, TdxTreeListColumn* AColumn)>;
using TdxTLDragOverHeader =
    std::function<void(TObject* Sender, TdxTreeListColumn* AColumn, POINT P, bool& Accept)>;
using TdxTLDragEndHeader = std::function<void(TObject* Sender, TdxTreeListColumn* AColumn, POINT P,
                                              TdxHeaderPosInfo& NewPosInfo, bool& Accept)>;
using TdxTLShowHeader = std::function<void(TObject* Sender, TdxTreeListColumn* AColumn, int BandIndex,
                                           int RowIndex, int ColIndex)>;
using TTLColumnMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TdxTLGetNodeDragText =
    std::function<void(TObject* Sender, TdxTreeListNode* Node, TdxTreeListColumn* Column, String& Text)>;

class TCustomdxTreeListControl : public TCustomdxTreeList {
  TRENVIK_CLASS(TCustomdxTreeListControl, TCustomdxTreeList);

 public:
  explicit TCustomdxTreeListControl(TComponent* AOwner);
  ~TCustomdxTreeListControl() override;

  // --- Columns ---
  void AddColumn(TdxTreeListColumn* Column);
  virtual void RemoveColumn(TdxTreeListColumn* Column);
  TdxTreeListColumn* CreateColumn(TClass ColumnClass, TComponent* Owner = nullptr);
  template <class TColumn = TdxTreeListColumn>
  TColumn* CreateColumnOf(TComponent* Owner = nullptr) {
    return static_cast<TColumn*>(CreateColumn(TColumn::StaticClass(), Owner));
  }
  virtual void DestroyColumns();
  // Replaces the columns by copies of Source's, with their names where the owner has them free.
  virtual void AssignColumns(TCustomdxTreeListControl* Source);
  TdxTreeListColumn* FindColumnByName(const String& Name) const;
  TdxTreeListColumn* GetColumn(int Index) const;
  int GetColumnCount() override { return static_cast<int>(columns_.size()); }
  TdxTreeListColumn* GetVisibleColumn(int VisibleIndex) const;
  int GetListIndexOfVisibleColumn(int VisibleIndex) const;
  int IndexOfColumn(const TdxTreeListColumn* Column) const;
  void ResetColumnWidths();
  virtual void ColumnChanged(TdxTreeListColumn* Column);
  virtual void MoveColumnValues(int OldIndex, int NewIndex);
  void MoveColumnInList(TdxTreeListColumn* Column, int NewIndex);
  void CompactHeaderRows();
  void ApplyBestFit(TdxTreeListColumn* Column);

  // --- Bands and header rows ---
  TdxTreeListBands* Bands() const { return bands_.get(); }
  void SetBands(TdxTreeListBands* Value) { bands_->Assign(Value); }
  virtual void BandsChanged();
  int BandRowCount() const { return bandRowCount_; }
  void SetBandRowCount(int Value) override;
  int BandMaxRowCount() const { return bandMaxRowCount_; }
  void SetBandMaxRowCount(int Value);
  int HeaderPanelRowCount() const { return headerPanelRowCount_; }
  void SetHeaderPanelRowCount(int Value) override;
  int HeaderPanelMaxRowCount() const { return headerPanelMaxRowCount_; }
  void SetHeaderPanelMaxRowCount(int Value);
  int HeaderMinRowCount() const { return headerMinRowCount_; }
  void SetHeaderMinRowCount(int Value);
  bool DefaultLayout() const { return defaultLayout_; }
  void SetDefaultLayout(bool Value);
  bool IsLoadingLayout() const { return layoutLoadCount_ > 0; }

  // --- Data operations over text nodes ---
  TdxTreeListNode* CreateNode() override;
  int GetImageIndex(TdxTreeListNode* Node) override;
  int GetSelectedIndex(TdxTreeListNode* Node) override;
  int GetStateIndex(TdxTreeListNode* Node) override;
  void GetNodeVariant(TdxTreeListNode* Node, int Column, Variant& Value) override;
  void GetNodeString(TdxTreeListNode* Node, int Column, String& Text) override;
  void SetImageIndex(TdxTreeListNode* Node, int Index) override;
  void SetSelectedIndex(TdxTreeListNode* Node, int Index) override;
  void SetStateIndex(TdxTreeListNode* Node, int Index) override;
  void SetNodeString(TdxTreeListNode* Node, int Column, const String& Text) override;
  void SetNodeVariant(TdxTreeListNode* Node, int Column, const Variant& Value) override;
  // Between these, Node's texts are collected and its string block is written once at the end
  // (TdxNodeStringsScope pairs them); a bracket already open for another node stays open.
  bool BeginNodeStrings(TdxTreeListNode* Node);
  void EndNodeStrings();

  // --- Geometry queries ---
  int GetBandCount() override { return bands_->Count(); }
  int GetVisibleBandCount() override {
    EnsureIndexLists();
    return static_cast<int>(visibleBands_.size());
  }
  TAlignment GetVisibleBandAlignment(int V) override;
  String GetVisibleBandCaption(int V) override;
  int GetVisibleBandMinWidth(int V) override;
  int GetVisibleBandWidth(int V) override;
  int GetBandIndex(int V) override;
  int GetBandVisibleIndex(int B) override;
  int GetLeftFixedBandIndex() override;
  int GetRightFixedBandIndex() override;
  bool CanBandSizing(int V) override;
  int GetBandHeaderRowCount(int V) override;
  int GetBandRowColumnCount(int V, int Row) override;
  int GetColumnAt(int V, int Row, int Pos) override;
  int GetColumnWidth(int C) override;
  int GetColumnMinWidth(int C) override;
  int GetColumnBandIndex(int C) override;
  int GetColumnRowIndex(int C) override;
  int GetColumnColIndex(int C) override;
  int GetColumnHeaderMaxLineCount(int C) override;
  TAlignment GetColumnHeaderAlignment(int C) override;
  String GetColumnHeaderText(int C) override;
  TColor GetColumnColor(int C) override;
  TFont* GetColumnFont(int C) override;
  bool HasColumnFont(int C) override;
  TdxTreeListColumnSort GetColumnSorted(int C) override;
  bool HasColumnHeaderGlyph(int C) override { return GetColumn(C) && GetColumn(C)->HasHeaderGlyph(); }
  TBitmap* GetColumnHeaderGlyph(int C) override { return GetColumn(C) ? GetColumn(C)->HeaderGlyph() : nullptr; }
  bool IsColumnMultiLine(int C) override;
  bool IsColumnShown(int C) override;
  bool GetColumnTabStop(int VisibleColumn) override;
  bool IsColumnSizable(int C) override;
  TAlignment GetCellAlignment(TdxTreeListNode* Node, int C) override;
  String GetCellText(TdxTreeListNode* Node, int C) override;
  int GetMinCellHeight(TCanvas* Canvas, int C) override;
  bool IsExistFooterCell(int C) override;
  int GetBandRowCount() override { return bandRowCount_; }
  int GetHeaderPanelRowCount() override { return headerPanelRowCount_; }
  int GetHeaderMinRowCount() override { return std::max(headerMinRowCount_, 1); }
  bool IsBandHeaderWidth() override { return defaultLayout_ || TCustomdxTreeList::IsBandHeaderWidth(); }
  int GetColumnHeaderWidth(int Column) override;
  bool CalcRowLineHeight(TdxTreeListNode* Node, int Column, int& LineHeight, int& LineCount, bool GridFlag,
                         bool InflateFlag, int MaxLineCount, int TextHeight, int BoundsWidth,
                         const String& Text) override;
  void ClearNodeCache() override;
  void RefreshColumns() override;

  // --- Sorted columns (dxTLControlSort.cpp) ---
  void ClearSortedColumns() override { sortedColumns_.clear(); }
  int GetSortedColumnCount() override { return static_cast<int>(sortedColumns_.size()); }
  bool IsSortedColumnDescending(int Index) override { return sortedColumns_.at(Index)->Sorted() == csDown; }
  int GetSortedColumnIndex(int Index) override { return sortedColumns_.at(Index)->GetDataIndex(); }
  TdxTreeListColumn* GetSortedColumn(int Index) const { return sortedColumns_.at(Index); }
  int IndexOfSortedColumn(const TdxTreeListColumn* Column) const;
  virtual void AddSortedColumn(TdxTreeListColumn* Column);
  virtual void RemoveSortedColumn(TdxTreeListColumn* Column);
  virtual void PrepareColumnSort(TdxTreeListColumn*) {}
  virtual void ColumnSorted(TdxTreeListColumn* Column);
  virtual bool DoColumnSorting(TdxTreeListColumn* Column);
  virtual void ToggleColumnSort(TdxTreeListColumn* Column);
  void DoColumnClick(TdxTreeListColumn* Column);
  void DoHeaderClick(int Column) override { DoColumnClick(GetColumn(Column)); }
  void BestFitColumn(int Column) override { ApplyBestFit(GetColumn(Column)); }
  void DoChangedColumnsWidth() override {
    if (OnChangedColumnsWidth) OnChangedColumnsWidth(this);
  }
  void LockSorting() { ++sortLock_; }
  void UnlockSorting();
  bool IsSortLocked() const { return sortLock_ != 0; }
  // Re-sorts after the sort lock returns to 0; the data-aware controls re-sort their nodes here.
  virtual void ApplySorting() {}
  void RebuildSortedColumns();
  // Drops a column's sort mark without a change report; the caller re-sorts or repaints.
  static void ResetColumnSorted(TdxTreeListColumn* Column) { Column->sorted_ = csNone; }

  // --- Layout storage (dxTLLayoutStorage.cpp) ---
  void LoadFromIniFile(const String& FileName);
  void SaveToIniFile(const String& FileName);
  void LoadFromRegistry(const String& Path);
  void SaveToRegistry(const String& Path);
  // Once per control, with the storage options on and a location set, never in design mode.
  virtual void LoadStoredLayout();
  virtual void SaveStoredLayout();
  // Store is a TMemIniFile, TIniFile or TRegIniFile; Path is the section (INI) or key (registry).
  void LoadLayout(TObject* Store, const String& Path);
  void SaveLayout(TObject* Store, const String& Path);
  const String& IniFileName() const { return iniFileName_; }
  void SetIniFileName(const String& Value) { iniFileName_ = Value; }
  const String& IniSectionName() const { return iniSectionName_; }
  void SetIniSectionName(const String& Value) { iniSectionName_ = Value; }
  const String& RegistryPath() const { return registryPath_; }
  void SetRegistryPath(const String& Value) { registryPath_ = Value; }
  void SetParent(TWinControl* AParent) override;

  int GetBandMaxRowCount() override { return bandMaxRowCount_; }
  int GetHeaderPanelMaxRowCount() override { return headerPanelMaxRowCount_; }
  void SetBandWidth(int V, int Width) override;
  void SetColumnWidth(int Column, int Width) override { GetColumn(Column)->SetWidth(Width); }
  void ScaleHiddenColumnWidths(int V, int NewWidth, int OldWidth) override;
  void ScaleHiddenBandWidths(int NewWidth, int OldWidth) override;

  // --- Header and band dragging (dxTLControlDrag.cpp) ---
  bool IsVisibleBandOnlyOwnColumns(int V) override;
  int GetBandItemWidth(int B) override { return B >= 0 && B < bands_->Count() ? bands_->Items(B)->Width() : 0; }
  bool CanBandDragging(int V) override;
  bool CanHeaderDragging(int Column) override;
  void StartDragBand(int Band) override;
  void StartDragHeader(int Column) override;
  void DoDragOverBand(POINT P, int Band, bool& Accept) override;
  void DoDragOverHeader(POINT P, int Column, bool& Accept) override;
  void DoDragEndBand(POINT P, int Band, bool& Accept, int& NewIndex, int PressedPos) override;
  void DoDragEndHeader(POINT P, int Column, bool& Accept, TdxHeaderPosInfo& PosInfo) override;
  bool IsBandDisableCustomizing(int Band) override { return bands_->Items(Band)->DisableCustomizing(); }
  bool IsColumnDisableCustomizing(int Column) override { return GetColumn(Column)->DisableCustomizing(); }
  void MoveBand(int FromPos, int ToPos) override;
  void MoveColumn(int Column, int BandPos, int ColIndex, int RowIndex) override;
  void HideBand(int Band) override;
  void HideColumn(int Column) override;
  void ShowBand(int NewPos, int Band) override;
  void ShowColumn(int BandPos, int RowIndex, int Column, int ColIndex) override;
  void GetNodeDragText(TdxTreeListNode* Node, int Column, String& Text) override;
  void DoBandClick(int V) override;
  void DoBandButtonClick() override {
    if (OnBandButtonClick) OnBandButtonClick(this);
  }
  void DoHeaderButtonClick() override {
    if (OnHeaderButtonClick) OnHeaderButtonClick(this);
  }
  TNotifyEvent OnBandButtonClick, OnHeaderButtonClick;

  TdxTLCanBandDragging OnCanBandDragging;
  TdxTLBandEvent OnBandClick, OnStartBandDragging, OnHideBand;
  TdxTLDragOverBand OnDragOverBand;
  TdxTLDragEndBand OnDragEndBand;
  TdxTLShowBand OnShowBand;
  TdxTLCanHeaderDragging OnCanHeaderDragging;
  TdxTLColumnEvent OnStartHeaderDragging, OnHideHeader, OnHeaderMoved;
  TdxTLDragOverHeader OnDragOverHeader;
  TdxTLDragEndHeader OnDragEndHeader;
  TdxTLShowHeader OnShowHeader;
  TTLColumnMovedEvent OnColumnMoved;
  TdxTLGetNodeDragText OnGetNodeDragText;
  // Asked at the end of a header drag after the events; descendants may assign it.
  std::function<void(int X, int& ColIndex, TdxTreeListColumn* Column, int Y)> InternalDragEndHeader;

  // --- Editing ---
  bool CanEditModify() override;

  TTLGetImageEvent OnGetImageIndex, OnGetSelectedIndex, OnGetStateIndex;
  TdxTLIsExistFooterCell OnIsExistFooterCell;
  TdxTLCustomDrawCell OnCustomDrawCell;
  TdxTLCustomDrawHeader OnCustomDrawColumnHeader;
  TdxTLCustomDrawBand OnCustomDrawBand;
  TdxTLCustomDrawFooter OnCustomDrawFooter;
  TdxTLCustomDrawFooterNode OnCustomDrawFooterNode;
  TTLCustomDrawPreviewEvent OnCustomDrawPreview;
  TdxTLCustomDrawPreview OnCustomDrawPreviewCell;
  TdxTLGetLevelColor OnGetLevelColor;
  // Asked before OnCustomDrawCell; descendants may assign it.
  TdxTLCustomDrawCell InternalCustomDrawCell;
  TNotifyEvent OnChangedColumnsWidth;
  std::function<void(TObject* Sender, TdxTreeListColumn* Column, bool& Allow)> OnColumnSorting;
  std::function<void(TObject* Sender, TdxTreeListColumn* Column)> OnColumnClick;

 protected:
  // Layout storage hooks: descendants call these and add their own values to the same sections.
  virtual void BeginLoadLayout(TdxRegIniWrapper* Wrapper);
  virtual void EndLoadLayout(TdxRegIniWrapper* Wrapper);
  virtual void LoadColumnLayout(TdxRegIniWrapper* Wrapper, const String& Section, TdxTreeListColumn* Column);
  virtual void LoadGeneralLayout(TdxRegIniWrapper* Wrapper, const String& Path);
  virtual void SaveColumnLayout(TdxRegIniWrapper* Wrapper, const String& Section, TdxTreeListColumn* Column);
  virtual void SaveGeneralLayout(TdxRegIniWrapper* Wrapper, const String& Path);
  void Loaded() override;
  void DeleteColumnValues(TdxTreeListNode* Node, int Index) override;
  TdxInplaceEdit* FindInplaceEdit(int Column) override;
  TdxInplaceEdit* CreateInplaceEdit(int Column) override;
  void PrepareEditor(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxTreeListNode* Node, int Column, Variant& Value, TdxInplaceEdit* Editor) override;
  void DoEditing(TdxTreeListNode* Node, bool& Allow) override;
  bool IsCustomDrawCell(TdxTreeListNode* Node, int Column) override;
  void DoCustomDrawCell(TCanvas* Canvas, const RECT& Rect, bool& Done, TAlignment& Alignment, TFont* Font,
                        TColor& Color, String& Text, bool IsLastCell, bool IsFirstCell, bool NewItemRow,
                        bool IsFocusedCell, bool Selected, int Column, TdxTreeListNode* Node) override;
  bool IsCustomDrawBand(int V) override { return static_cast<bool>(OnCustomDrawBand) && V >= 0; }
  void DoCustomDrawBand(int V, TCanvas* Canvas, const RECT& Rect, String& Text, TColor& Color, TFont* Font,
                        TAlignment& Alignment, bool& Done) override;
  bool IsCustomDrawHeader(int Column) override;
  void DoCustomDrawHeader(int Column, TCanvas* Canvas, const RECT& Rect, String& Text, TColor& Color,
                          TFont* Font, TAlignment& Alignment, TdxTreeListColumnSort& Sorted,
                          bool& Done) override;
  bool IsCustomDrawFooter(TdxTreeListNode*, int, int FooterIndex) override {
    return FooterIndex == -1 ? static_cast<bool>(OnCustomDrawFooter)
                             : static_cast<bool>(OnCustomDrawFooterNode);
  }
  void DoCustomDrawFooter(TCanvas* Canvas, const RECT& Rect, bool& Done, TAlignment& Alignment, TFont* Font,
                          TColor& Color, String& Text, int FooterIndex, int Column,
                          TdxTreeListNode* Node) override;
  bool IsCustomDrawPreview() override { return OnCustomDrawPreview || OnCustomDrawPreviewCell; }
  void DoCustomDrawPreview(TCanvas* Canvas, const RECT& Rect, bool& Done, TFont* Font, TColor& TextColor,
                           TColor& Color, String& Text, bool Selected, TdxTreeListNode* Node) override;
  bool HasLevelColors() override { return static_cast<bool>(OnGetLevelColor); }
  void GetLevelColor(int Level, TColor& Color) override {
    if (OnGetLevelColor) OnGetLevelColor(this, Level, Color);
  }
  void DrawCellContent(TCanvas* Canvas, const RECT& Rect, int Column, TdxTreeListNode* Node,
                       const String& Text, TAlignment Alignment, HBRUSH Brush, TColor TextColor, TColor Color,
                       bool MultiLine) override;

 private:
  friend class TdxTreeListColumn;
  friend class TdxTreeListBand;
  friend class TdxTreeListBands;
  void RebuildIndexLists();
  void EnsureIndexLists() {
    if (!indexListsValid_) RebuildIndexLists();
  }
  void InvalidateIndexLists() {
    indexListsValid_ = false;
    headerWidthsBuilt_ = false;
  }
  void RestoreDefaultLayout();
  TdxTreeListColumn* FocusedColumnObject();
  template <class F>
  void ForEachTextNode(F&& Fn);

  std::vector<TdxTreeListColumn*> columns_;
  TdxTreeListTextNode* stringsNode_ = nullptr;
  TdxNodeStringsBuffer stringsBuffer_;
  void LoadBandsLayout(TdxRegIniWrapper* Wrapper, const String& Path);
  void LoadColumnsLayout(TdxRegIniWrapper* Wrapper, const String& Path);
  String IniSection(const String& FormName) const;
  bool CanStoreLayout(DWORD Option, const String& Location) const;
  String iniFileName_, iniSectionName_, registryPath_;
  String parentFormName_;  // remembered when the parent is set: the form may be gone at save time
  bool layoutLoaded_ = false, layoutSaved_ = false;
  std::vector<TdxTreeListColumn*> sortedColumns_;  // in sort priority order
  int sortLock_ = 0;
  std::unique_ptr<TdxTreeListBands> bands_;
  int bandRowCount_ = 1, bandMaxRowCount_ = 5;
  int headerPanelRowCount_ = 1, headerPanelMaxRowCount_ = 5;
  int headerMinRowCount_ = 1;
  bool defaultLayout_ = true;
  int layoutLoadCount_ = 0;
  bool autoHeaderUpdating_ = false;
  std::vector<TdxInplaceEdit*> editors_;  // owned as components of the control
  // Index lists, rebuilt with the node cache: visible band position -> band index, band index ->
  // visible position, and per visible band its header rows, each the absolute indexes of its columns.
  std::vector<int> visibleBands_;
  std::vector<int> bandPositions_;
  std::vector<std::vector<std::vector<int>>> headerRows_;
  std::vector<int> headerWidths_;
  bool headerWidthsBuilt_ = false;
  bool indexListsValid_ = false;
};

// Writes a node's texts once for a run of SetNodeString calls on it.
class TdxNodeStringsScope {
 public:
  TdxNodeStringsScope(TCustomdxTreeListControl* Control, TdxTreeListNode* Node)
      : control_(Control->BeginNodeStrings(Node) ? Control : nullptr) {}
  ~TdxNodeStringsScope() {
    if (control_) control_->EndNodeStrings();
  }
  TdxNodeStringsScope(const TdxNodeStringsScope&) = delete;
  TdxNodeStringsScope& operator=(const TdxNodeStringsScope&) = delete;

 private:
  TCustomdxTreeListControl* control_;
};
