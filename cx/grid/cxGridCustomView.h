// The abstract grid view and its family of handlers: controller (input), painter, view data, view
// information (layout, owning the view's site) with its per-row cache, options and styles. Every
// recalculation or repaint a view needs goes to its grid as a change object.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/data/cxCustomData.h"
#include "cx/grid/cxGridChanges.h"
#include "cx/grid/cxGridCommon.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Variant.h"

class TcxCustomGrid;
class TcxGridLevel;
class TcxGridSite;
class TcxCustomGridView;
class TcxCustomGridController;
class TcxCustomGridPainter;
class TcxCustomGridViewData;
class TcxCustomGridViewInfo;
class TcxCustomGridViewInfoCache;

// What an outside storage service calls to save and restore objects by property name.
class IcxStoredPropertiesObject {
 public:
  virtual void GetStoredObjectName(String& AName) = 0;
  virtual bool GetStoredPropertyNames(TStrings* AProperties) = 0;
  virtual void GetStoredPropertyValue(const String& AName, Variant& AValue) = 0;
  virtual void SetStoredPropertyValue(const String& AName, const Variant& AValue) = 0;

 protected:
  ~IcxStoredPropertiesObject() = default;
};

class IcxStoredPropertiesParent : public IcxStoredPropertiesObject {
 public:
  virtual TObject* CreateStoredChild(const String& AObjectName, const String& AClassName) = 0;
  virtual void DeleteStoredChild(const String& AObjectName, TObject* AObject) = 0;
  virtual void GetStoredChildren(TStringList* AChildren) = 0;

 protected:
  ~IcxStoredPropertiesParent() = default;
};

// The base of the objects a view makes through its class factories.
class TcxGridViewHandler : public TPersistent {
  TRENVIK_CLASS(TcxGridViewHandler, TPersistent);

 public:
  explicit TcxGridViewHandler(TcxCustomGridView* AGridView) : gridView_(AGridView) {}

  TcxCustomGridView* GridView() const { return gridView_; }
  TcxCustomGrid* Control() const;
  TcxCustomGridController* Controller() const;
  TcxCustomDataController* DataController() const;
  TcxGridSite* Site() const;
  TcxCustomGridViewData* ViewData() const;
  TcxCustomGridViewInfo* ViewInfo() const;
  TcxLookAndFeelPainterClass LookAndFeelPainter() const;
  void BeginUpdate();
  void EndUpdate();

 private:
  TcxCustomGridView* gridView_;
};

class TcxCustomGridOptions : public TPersistent {
  TRENVIK_CLASS(TcxCustomGridOptions, TPersistent);

 public:
  explicit TcxCustomGridOptions(TcxCustomGridView* AGridView);
  ~TcxCustomGridOptions() override;

  TcxCustomGridView* GridView() const { return gridView_; }
  TcxLookAndFeelPainterClass LookAndFeelPainter() const;
  void Changed();
  virtual void Notification(TComponent*, TOperation) {}
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 protected:
  // Stores a switch and reports the change when it differs.
  void SetOption(bool& AField, bool AValue);

 private:
  TcxCustomGridView* gridView_;
};

class TcxCustomGridOptionsSelection : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxCustomGridOptionsSelection, TcxCustomGridOptions);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
};

class TcxCustomGridOptionsView : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxCustomGridOptionsView, TcxCustomGridOptions);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  TScrollStyle ScrollBars() const;
  void SetScrollBars(TScrollStyle Value);
  void Assign(TPersistent* Source) override;
};

class TcxCustomGridStyles : public TcxStyles {
  TRENVIK_CLASS(TcxCustomGridStyles, TcxStyles);

 public:
  explicit TcxCustomGridStyles(TPersistent* AOwner) : TcxStyles(AOwner) {}
  virtual TcxCustomGridView* GetGridView() const = 0;
  virtual void GetFakeComponentLinks(std::vector<TComponent*>& AList);
  void GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) override;

 protected:
  void DoChanged(int AIndex) override;
};

enum { vsBackground = 0, vsCustomLast = vsBackground };

class TcxCustomGridViewStyles : public TcxCustomGridStyles {
  TRENVIK_CLASS(TcxCustomGridViewStyles, TcxCustomGridStyles);

 public:
  explicit TcxCustomGridViewStyles(TPersistent* AOwner) : TcxCustomGridStyles(AOwner) {}
  TcxCustomGridView* GetGridView() const override;
  TcxStyle* Background() { return GetValue(vsBackground); }
  void SetBackground(TcxStyle* Value) { SetStyle(vsBackground, Value); }
  void GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) override;
  void Assign(TPersistent* Source) override;
};

// Input of a view: what its site receives goes here.
class THintWindow;

class TcxCustomGridController : public TcxGridViewHandler, public IcxMouseTrackingCaller {
  TRENVIK_CLASS(TcxCustomGridController, TcxGridViewHandler);

 public:
  explicit TcxCustomGridController(TcxCustomGridView* AGridView);
  ~TcxCustomGridController() override;

  // The hint over a cell's cut text, laid so that its text lands on the cell's; it lasts while the
  // cursor stays in AHintArea (site coordinates, like ATextRect).
  void ShowHint(const RECT& AHintArea, const RECT& ATextRect, TFont* AFont, bool AMultiLine, const String& AText);
  virtual void HideHint();
  virtual TClass GetHintWindowClass();
  THintWindow* HintWindow() const { return hintWindow_.get(); }
  void MouseLeave() override { HideHint(); }

  virtual void AfterPaint();
  virtual void BeforePaint();
  virtual bool AcceptsHitTest(TcxCustomGridHitTest* AHitTest);
  virtual void DoExit() {}
  virtual bool IsDesignHitTest(TcxCustomGridHitTest* AHitTest) { return AHitTest->DragAndDropObjectClass() != nullptr; }
  virtual TcxWheelScrollKind GetMouseWheelScrollingKind() { return wskNone; }
  virtual bool IsPixelScrollBar(TScrollBarKind) { return false; }
  virtual bool MayFocus() { return true; }
  virtual void FocusLost();
  virtual void FocusGained();
  virtual void ControlFocusChanged();
  virtual void CancelMode() {}
  virtual TCursor GetCursor(int X, int Y);
  virtual bool IsFocused() { return false; }
  virtual void InitScrollBarsParameters() {}
  virtual void Scroll(TScrollBarKind, TScrollCode, int&) {}
  virtual void BeginDragAndDrop() {}
  virtual void DragAndDrop(POINT, bool&) {}
  virtual void EndDragAndDrop(bool) {}
  virtual bool StartDragAndDrop(POINT P);
  virtual void BeforeStartDrag() {}
  virtual bool CanBeginDrag(int, int) { return true; }
  virtual void DragDrop(TObject*, int, int) {}
  virtual void DragOver(TObject*, int, int, TDragState, bool&) {}
  virtual void EndDrag(TObject*, int, int) {}
  virtual void StartDrag(TDragObject*&) {}
  virtual void KeyDown(WORD& Key, TShiftState Shift) { DoKeyDown(Key, Shift); }
  virtual void DoKeyDown(WORD&, TShiftState) {}
  virtual void KeyPress(Char&) {}
  virtual void KeyUp(WORD&, TShiftState) {}
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void WndProc(TMessage&) {}

  bool IsDragging() const;
  bool IsDoubleClick() const { return isDoubleClick_; }
  TcxCustomGridCellViewInfo* MouseCaptureViewInfo() const;
  void SetDragAndDropObjectClass(TcxDragAndDropObjectClass AClass);

 private:
  bool isDoubleClick_ = false;
  std::unique_ptr<THintWindow> hintWindow_;
  RECT hintTextRect_{};
};

class TcxCustomGridViewInfo;

// The in-control drag of a grid part (headers, sizing edges); its class comes from a hit test.
class TcxCustomGridDragAndDropObject : public TcxDragAndDropObject {
  TRENVIK_CLASS(TcxCustomGridDragAndDropObject, TcxDragAndDropObject);

 public:
  explicit TcxCustomGridDragAndDropObject(TcxControl* AControl) : TcxDragAndDropObject(AControl) {}
  TcxGridSite* Site() const;
  TcxCustomGridView* GridView() const;
  virtual void AfterPaint() { SetRepaintNeeded(false); }
  virtual void BeforePaint() { SetRepaintNeeded(true); }
  virtual void Init(POINT P, TcxCustomGridHitTest*) { SourcePoint = P; }

  POINT SourcePoint{0, 0};
};

// Paints a view's site: the concrete view paints its cells, the rest is the view's background.
class TcxCustomGridPainter : public TcxGridViewHandler {
  TRENVIK_CLASS(TcxCustomGridPainter, TcxGridViewHandler);

 public:
  explicit TcxCustomGridPainter(TcxCustomGridView* AGridView) : TcxGridViewHandler(AGridView) {}
  ~TcxCustomGridPainter() override;

  TcxCanvas* Canvas() const;
  void Paint();
  void ExcludeFromBackground(const RECT& R);
  virtual void DrawFocusRect(const RECT& R, bool AHideFocusRect);

 protected:
  virtual void DrawBackground();
  virtual void AfterPaint();
  virtual void BeforePaint();
  virtual void PaintContent() {}

 private:
  std::unique_ptr<TcxRegion> oldClipRegion_;
  std::unique_ptr<TcxRegion> backgroundRegion_;
};

class TcxCustomGridViewData : public TcxGridViewHandler {
  TRENVIK_CLASS(TcxCustomGridViewData, TcxGridViewHandler);

 public:
  explicit TcxCustomGridViewData(TcxCustomGridView* AGridView) : TcxGridViewHandler(AGridView) {}
};

class TcxCustomGridViewInfoCache;

class TcxCustomGridViewInfoCacheItem : public TObject {
  TRENVIK_CLASS(TcxCustomGridViewInfoCacheItem, TObject);

 public:
  TcxCustomGridViewInfoCacheItem(TcxCustomGridViewInfoCache* ACache, int AIndex) : cache_(ACache), index_(AIndex) {}
  TcxCustomGridViewInfoCache* Cache() const { return cache_; }
  int Index() const { return index_; }
  virtual void UnassignValues(bool) {}

 private:
  TcxCustomGridViewInfoCache* cache_;
  int index_;
};

// Values kept per row between layout passes; forgotten when sizes or data change.
class TcxCustomGridViewInfoCache : public TcxGridViewHandler {
  TRENVIK_CLASS(TcxCustomGridViewInfoCache, TcxGridViewHandler);

 public:
  explicit TcxCustomGridViewInfoCache(TcxCustomGridView* AGridView) : TcxGridViewHandler(AGridView) {}

  int Count() const { return static_cast<int>(items_.size()); }
  void SetCount(int Value);
  TcxCustomGridViewInfoCacheItem* GetItem(int AIndex);
  bool IsItemAssigned(int AIndex) const;
  virtual void UnassignValues(bool AKeepMasterCache);

 protected:
  virtual std::unique_ptr<TcxCustomGridViewInfoCacheItem> CreateItem(int AIndex);

 private:
  std::vector<std::unique_ptr<TcxCustomGridViewInfoCacheItem>> items_;
  std::vector<int> assignedIndexes_;
  bool unassigning_ = false;
};

// The layout of a view for one size of its site; owns the site.
class TcxCustomGridViewInfo : public TcxGridViewHandler {
  TRENVIK_CLASS(TcxCustomGridViewInfo, TcxGridViewHandler);

 public:
  explicit TcxCustomGridViewInfo(TcxCustomGridView* AGridView);
  ~TcxCustomGridViewInfo() override;

  TcxGridSite* Site();
  RECT Bounds{0, 0, 0, 0};
  POINT MousePos{0, 0};
  bool IsCalculating() const { return calculating_; }
  bool IsUpdatingSite() const { return updatingSite_; }
  bool IsMeasuring() const { return measuring_; }
  void SetMeasuring(bool Value) { measuring_ = Value; }
  void SetInternalUse(bool Value) { internalUse_ = Value; }
  TcxCanvas* Canvas() const;

  void MainCalculate(const RECT& ABounds);
  void UpdateSite(bool AVisible);
  void UpdateMousePos();
  int FontHeight(TFont* AFont);

  virtual void CreateViewInfos() {}
  virtual void DestroyViewInfos(bool) {}
  void RecreateViewInfos();
  virtual TClass GetSiteClass() const;
  virtual void AfterCalculating();
  virtual void BeforeCalculating() { UpdateMousePos(); }
  virtual void Calculate() {}
  virtual RECT GetClientBounds() { return Bounds; }
  virtual void CalculateHeight(POINT AMaxSize, int& AHeight, bool& AFullyVisible);
  virtual void CalculateWidth(POINT AMaxSize, int& AWidth);
  // A lookup editor's drop-down is sized in whole rows of its view; the base has no rows.
  virtual int GetNearestPopupHeight(int AHeight, bool /*AAdditionalRecord*/) { return AHeight; }
  virtual int GetPopupHeightForRows(int) { return 0; }
  virtual void ControlFocusChanged() {}
  virtual bool CanCalculate() const { return !calculating_ && !updatingSite_; }
  virtual TColor GetBackgroundColor();
  virtual bool IsInternalUse() const { return internalUse_; }
  virtual void UpdateSiteParent(bool AVisible);
  virtual TcxCustomGridHitTest* GetHitTest(POINT P);
  TcxCustomGridHitTest* GetHitTestXY(int X, int Y) { return GetHitTest(POINT{X, Y}); }

 private:
  TcxGridSite* site_ = nullptr;
  bool calculating_ = false;
  bool updatingSite_ = false;
  bool internalUse_ = false;
  bool measuring_ = false;
};

// A cell that belongs to a view: repaints through the grid's change queue.
class TcxCustomGridViewCellViewInfo : public TcxCustomGridCellViewInfo {
  TRENVIK_CLASS(TcxCustomGridViewCellViewInfo, TcxCustomGridCellViewInfo);

 public:
  explicit TcxCustomGridViewCellViewInfo(TcxCustomGridViewInfo* AGridViewInfo) : gridViewInfo_(AGridViewInfo) {}

  TcxCustomGridViewInfo* GridViewInfo() const { return gridViewInfo_; }
  TcxCustomGridView* GridView() const { return gridViewInfo_->GridView(); }
  TcxCustomGridController* Controller() const { return gridViewInfo_->Controller(); }
  virtual bool HotTrackOnCalculate() { return false; }
  // A cell that shows hints asks for one at every mouse move over it, for the text at P.
  virtual bool ShowsHint() { return false; }
  virtual RECT GetHintAreaBounds() { return ContentBounds(); }
  virtual bool GetHintInfo(POINT, String& AText, RECT&, bool&) {
    AText.clear();
    return false;
  }
  bool MouseMove(TcxCustomGridHitTest* AHitTest, TShiftState AShift) override;
  TcxCanvas* GetCanvas() override { return gridViewInfo_->Canvas(); }
  TcxControl* GetControl() override;
  bool HasHitTestPoint(TcxCustomGridHitTest* AHitTest) override;
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  void Invalidate() override;

 protected:
  void AfterCalculateBounds(RECT& R) override;

 private:
  TcxCustomGridViewInfo* gridViewInfo_;
};

// Optional groups of stored view properties.
enum TcxGridStorageOption { gsoFilter, gsoSummary };
using TcxGridStorageOptions = Set<TcxGridStorageOption>;

using TcxDataControllerFactory = std::function<std::unique_ptr<TcxCustomDataController>(TComponent* AOwner)>;

class TcxCustomGridView : public TcxControlChildComponent,
                          public IcxStoredPropertiesParent,
                          public IcxFontListener {
  TRENVIK_CLASS(TcxCustomGridView, TcxControlChildComponent);

 public:
  explicit TcxCustomGridView(TComponent* AOwner);
  ~TcxCustomGridView() override;

  TcxCustomGrid* Grid() const;
  TcxCustomGridController* Controller() { return Handlers().controller.get(); }
  TcxCustomDataController* DataController() { return Handlers().dataController.get(); }
  TcxCustomGridPainter* Painter() { return Handlers().painter.get(); }
  TcxCustomGridViewData* ViewData() { return Handlers().viewData.get(); }
  TcxCustomGridViewInfo* ViewInfo() { return Handlers().viewInfo.get(); }
  TcxCustomGridViewInfoCache* ViewInfoCache() { return Handlers().viewInfoCache.get(); }
  TcxCustomGridOptionsSelection* OptionsSelection() { return Options().selection.get(); }
  TcxCustomGridOptionsView* OptionsView() { return Options().view.get(); }
  TcxCustomGridViewStyles* Styles() { return Options().styles.get(); }
  void SetStyles(TcxCustomGridViewStyles* Value) { Styles()->Assign(Value); }
  TcxGridSite* Site();
  bool HasSite() const { return handlers_ && handlers_->viewInfo; }
  // The handlers were made (asking for one makes them all).
  bool HasHandlers() const { return handlers_ != nullptr; }
  TcxGridLevel* Level() const { return level_; }
  TcxCustomGridView* PatternGridView() { return patternGridView_ ? patternGridView_ : this; }
  int CloneCount() const { return static_cast<int>(clones_.size()); }
  TcxCustomGridView* Clones(int AIndex) const { return clones_.at(static_cast<size_t>(AIndex)); }
  bool IsAssigningPattern() const { return assigningPattern_; }
  TcxLookAndFeelPainterClass LookAndFeelPainter() const;
  // The site's: records are dragged from it.
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode Value);
  const String& StorageName() const { return storageName_; }
  void SetStorageName(const String& Value) { storageName_ = Value; }
  TcxGridStorageOptions StorageOptions() const { return storageOptions_; }
  void SetStorageOptions(TcxGridStorageOptions Value) { storageOptions_ = Value; }

  void BeginUpdate();
  void EndUpdate();
  void CancelUpdate();
  void Changed(std::unique_ptr<TcxCustomGridViewChange> AChange);
  void LayoutChanged(bool AViewOnly = true);
  void SizeChanged(bool AViewOnly = false, bool AKeepMasterCache = false);
  void ViewChanged(const RECT& ARect);
  void ViewChanged();
  void DataChangedNotify();

  bool IsFocused() const;
  void SetFocused(bool AValue);
  bool IsDetail();
  TcxCustomGridView* MasterGridView();
  int MasterRecordIndex();
  int MasterRowIndex();
  bool HasAsMaster(TcxCustomGridView* AView);
  bool HasDetailLevels() const;
  bool IsPattern();
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  void AddClone(TcxCustomGridView* AClone);
  void RemoveClone(TcxCustomGridView* AClone);
  void AssignPattern(TcxCustomGridView* APattern);
  void RegisterReference(TcxCustomGridView** AReference);
  void UnregisterReference(TcxCustomGridView** AReference);
  void Assign(TPersistent* Source) override;

  // Stored properties (the object side of an outside storage service).
  void GetStoredObjectName(String& AName) override;
  bool GetStoredPropertyNames(TStrings*) override { return true; }
  void GetStoredPropertyValue(const String&, Variant&) override {}
  void SetStoredPropertyValue(const String&, const Variant&) override {}
  TObject* CreateStoredChild(const String&, const String&) override { return nullptr; }
  void DeleteStoredChild(const String&, TObject* AObject) override { delete AObject; }
  void GetStoredChildren(TStringList*) override {}

  virtual bool CanFocus();
  virtual void DetailVisibilityChanged(TcxGridLevel*, int, int) {}
  virtual bool IsVisibleOrPattern();
  virtual bool CheckVisible(bool ALevelVisible);
  virtual bool IsControlFocused();
  virtual bool IsSizeDependent() { return false; }
  virtual bool IsVisibleInGrid();
  virtual void RefreshSettings() {}
  virtual bool IsDetailVisible(TcxCustomGridView*) { return false; }
  virtual void FocusChanged(bool AFocused);
  virtual void RefreshAfterLoad() { SizeChanged(false, false); }
  virtual void LookAndFeelChanged();
  virtual void SetLevel(TcxGridLevel* ALevel);
  virtual void UpdateControl(TcxUpdateControlInfo*) {}
  virtual void DataChanged() {}
  virtual void RefreshItems() {}
  virtual void SiteSizeChanged(bool AViewOnly, bool AKeepMasterCache);
  bool IsDestroying() const override;
  void SetControl(TcxControl* Value) override;
  // The grid is being freed under a view it does not own: forget it without touching it.
  void GridDestroyed();
  void FontChanged(TObject* Sender, TFont* AFont) override;

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return streamingParent_ != nullptr; }
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;

  // The site's events: they fire with the site as Sender.
  TNotifyEvent OnDblClick() const;
  void SetOnDblClick(TNotifyEvent Value);
  TMouseEvent OnMouseDown() const;
  void SetOnMouseDown(TMouseEvent Value);
  TKeyEvent OnKeyDown() const;
  void SetOnKeyDown(TKeyEvent Value);

 protected:
  virtual std::unique_ptr<TcxCustomGridController> CreateController();
  virtual std::unique_ptr<TcxCustomDataController> CreateDataController() = 0;
  virtual std::unique_ptr<TcxCustomGridPainter> CreatePainter();
  virtual std::unique_ptr<TcxCustomGridViewData> CreateViewData();
  virtual std::unique_ptr<TcxCustomGridViewInfo> CreateViewInfo();
  virtual std::unique_ptr<TcxCustomGridViewInfoCache> CreateViewInfoCache();
  virtual std::unique_ptr<TcxCustomGridOptionsSelection> CreateOptionsSelection();
  virtual std::unique_ptr<TcxCustomGridOptionsView> CreateOptionsView();
  virtual std::unique_ptr<TcxCustomGridViewStyles> CreateStyles();
  virtual void ConnectDataController();
  virtual void BeforeAssign(TcxCustomGridView* ASource);
  virtual void AssignProperties(TcxCustomGridView* ASource);
  virtual void AfterAssign(TcxCustomGridView* ASource) { BeforeAssign(ASource); }
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TcxCustomGridOptions;
  friend class TcxGridLevel;
  struct THandlers {
    std::unique_ptr<TcxCustomGridController> controller;
    std::unique_ptr<TcxCustomDataController> dataController;
    std::unique_ptr<TcxCustomGridPainter> painter;
    std::unique_ptr<TcxCustomGridViewData> viewData;
    std::unique_ptr<TcxCustomGridViewInfo> viewInfo;
    std::unique_ptr<TcxCustomGridViewInfoCache> viewInfoCache;
  };
  struct TOptions {
    std::vector<TcxCustomGridOptions*> list;
    std::unique_ptr<TcxCustomGridOptionsSelection> selection;
    std::unique_ptr<TcxCustomGridOptionsView> view;
    std::unique_ptr<TcxCustomGridViewStyles> styles;
  };
  // Made on first use: the classes come from virtual operations of the most derived view.
  THandlers& Handlers();
  TOptions& Options();
  void DestroyViewHandlers();

  std::unique_ptr<THandlers> handlers_;
  std::unique_ptr<TOptions> options_;
  bool creatingHandlers_ = false;
  TcxGridLevel* level_ = nullptr;
  TcxCustomGridView* patternGridView_ = nullptr;
  std::vector<TcxCustomGridView*> clones_;
  std::vector<TcxCustomGridView**> references_;
  TcxCustomGrid* streamingParent_ = nullptr;
  bool assigningPattern_ = false;
  TDragMode dragMode_ = dmManual;
  String storageName_;
  TcxGridStorageOptions storageOptions_;
  TcxControl* fontListenedControl_ = nullptr;
};

// The view's inner control: hands keys, mouse, scrolling, drag and focus to the view's controller.
class TcxGridSite : public TcxControl {
  TRENVIK_CLASS(TcxGridSite, TcxControl);
  TRENVIK_MESSAGES(TcxGridSite);

 public:
  using TCreateArg = TcxCustomGridViewInfo;
  explicit TcxGridSite(TcxCustomGridViewInfo* AViewInfo);

  TcxCustomGridViewInfo* ViewInfo() const { return viewInfo_; }
  TcxCustomGridView* GridView() const { return viewInfo_->GridView(); }
  TcxCustomGridController* Controller() const { return viewInfo_->Controller(); }
  TcxCustomGrid* Container() const;
  bool IsParked() const { return Left() == cxGridInvisibleCoordinate; }
  void SetParent(TWinControl* AParent) override;
  TcxCanvas* PaintCanvas() { return Canvas(); }
  void DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) { MouseDown(Button, Shift, X, Y); }

  // Scroll bars are being recomputed right now.
  bool IsUpdatingScrollBars() const { return updatingScrollBarsNow_; }

 public:
  bool AllowMouseWithoutFocus() override;
  void BoundsChanged() override;
  bool CanBeginDrag(int X, int Y) override;
  void ResetMouseCaptureObject() override;
  void DoExit() override;
  void FocusChanged() override;
  bool MayFocusOnChildClick(TWinControl* AChild) override;
  TCursor GetCursor(int X, int Y) override;
  bool IsFocused() override;
  TcxWheelScrollKind GetMouseWheelScrollingKind() override;
  bool IsPixelScrollBar(TScrollBarKind AKind) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  bool MayFocus() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void InitScrollBarsParameters() override;
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APos) override;
  void UpdateScrollBars() override;
  void BeginDragAndDrop() override;
  void DragAndDrop(POINT P, bool& Accepted) override;
  void EndDragAndDrop(bool Accepted) override;
  bool StartDragAndDrop(POINT P) override;
  // The framework's drag of the site itself (records) and of objects over it.
  void DoStartDrag(TDragObject*& DragObject) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void DoEndDragInternal(TObject* Target, int X, int Y) override;

 private:
  void CMGridSizeChanged(TMessage& Message);

  TcxCustomGridViewInfo* viewInfo_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  bool updatingScrollBarsNow_ = false;
};
