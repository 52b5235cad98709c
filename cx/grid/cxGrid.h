// The grid control: a tree of levels whose nodes show views in sites of their own; the grid keeps
// its views, the focused view and the active top level, routes its own input, runs every layout and
// repaint of its views through one change queue and opens tabs a dragged object rests over.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/grid/cxGridChanges.h"
#include "cx/grid/cxGridCommon.h"
#include "cx/grid/cxGridLevel.h"
#include "platform/forms/Timers.h"

class TcxCustomGrid;
class TcxCustomGridView;
class TcxGridController;
class TcxGridPainter;
class TcxGridViewInfo;
class TcxGridTopDetailsSiteViewInfo;

// What would open under a dragged object.
class TcxCustomGridDragOpenInfo : public TObject {
  TRENVIK_CLASS(TcxCustomGridDragOpenInfo, TObject);

 public:
  TcxCustomGridDragOpenInfo() = default;
  virtual bool Equals(TcxCustomGridDragOpenInfo* AInfo) { return AInfo->ClassType() == ClassType(); }
  virtual void Run() = 0;
};

class TcxGridDragOpenInfoTab : public TcxCustomGridDragOpenInfo {
  TRENVIK_CLASS(TcxGridDragOpenInfoTab, TcxCustomGridDragOpenInfo);

 public:
  explicit TcxGridDragOpenInfoTab(TcxGridLevel* ALevel) : Level(ALevel) {}
  bool Equals(TcxCustomGridDragOpenInfo* AInfo) override;
  void Run() override;

  TcxGridLevel* Level;
};

class TcxCustomGridHandler : public TObject {
  TRENVIK_CLASS(TcxCustomGridHandler, TObject);

 public:
  explicit TcxCustomGridHandler(TcxCustomGrid* AGrid) : control_(AGrid) {}
  TcxCustomGrid* Control() const { return control_; }
  TcxGridViewInfo* ViewInfo() const;
  TcxCustomGridView* FocusedView() const;

 private:
  TcxCustomGrid* control_;
};

class TcxGridController : public TcxCustomGridHandler {
  TRENVIK_CLASS(TcxGridController, TcxCustomGridHandler);

 public:
  explicit TcxGridController(TcxCustomGrid* AGrid) : TcxCustomGridHandler(AGrid) {}
  ~TcxGridController() override;

  virtual void CancelMode();
  virtual void ControlFocusChanged();
  virtual TCursor GetCursor(int, int) { return crDefault; }
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void EndDrag(TObject* Target, int X, int Y);
  virtual void StartDrag(TDragObject*&) {}
  virtual std::unique_ptr<TcxCustomGridDragOpenInfo> GetDragOpenInfo(TcxCustomGridHitTest* AHitTest);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);

  // Takes AInfo; the same info as the pending one keeps the running wait.
  void StartDragOpen(std::unique_ptr<TcxCustomGridDragOpenInfo> AInfo);
  void StopDragOpen();
  bool IsDragOpenPending() const { return dragOpenInfo_ != nullptr; }
  bool IsDragOpenTimerRunning() const { return dragOpenTimer_ && dragOpenTimer_->Enabled(); }

 private:
  void DragOpenTimerHandler();

  std::unique_ptr<TTimer> dragOpenTimer_;
  std::unique_ptr<TcxCustomGridDragOpenInfo> dragOpenInfo_;
  bool runningDragOpenTimer_ = false;
};

class TcxGridPainter : public TcxCustomGridHandler {
  TRENVIK_CLASS(TcxGridPainter, TcxCustomGridHandler);

 public:
  explicit TcxGridPainter(TcxCustomGrid* AGrid) : TcxCustomGridHandler(AGrid) {}
  TcxCanvas* Canvas() const;
  virtual void PaintDetailsSite();
  virtual void DrawBackground();
  virtual void Invalidate(bool AWithSites);
  virtual void InvalidateRect(const RECT& R);
  virtual void Paint();
};

class TcxGridViewInfo : public TcxCustomGridHandler {
  TRENVIK_CLASS(TcxGridViewInfo, TcxCustomGridHandler);

 public:
  explicit TcxGridViewInfo(TcxCustomGrid* AGrid);
  ~TcxGridViewInfo() override;

  TcxGridTopDetailsSiteViewInfo* DetailsSiteViewInfo() const { return detailsSiteViewInfo_.get(); }
  RECT ClientBounds() const;
  TColor BackgroundColor() const;
  virtual void CreateViewInfos();
  virtual void DestroyViewInfos();
  void RecreateViewInfos();
  virtual void Calculate();
  virtual TcxCustomGridHitTest* GetHitTest(int X, int Y);

 private:
  std::unique_ptr<TcxGridTopDetailsSiteViewInfo> detailsSiteViewInfo_;
};

using TcxGridActiveTabChangedEvent = std::function<void(TcxCustomGrid* Sender, TcxGridLevel* ALevel)>;
using TcxGridFocusedViewChangedEvent =
    std::function<void(TcxCustomGrid* Sender, TcxCustomGridView* APrevFocusedView, TcxCustomGridView* AFocusedView)>;
using TcxGridLayoutChangedEvent = std::function<void(TcxCustomGrid* Sender, TcxCustomGridView* AGridView)>;

// Told the grid's notifications of the kinds it declares (0 focused view, 1 focused record, 2 data,
// 3 right button released over a site, 4 customization form).
class TcxCustomGridNotification {
 public:
  virtual int NotificationKinds() const = 0;
  virtual void Notify(int AKind) = 0;

 protected:
  ~TcxCustomGridNotification() = default;
};
enum { gnkFocusedViewChanged = 0, gnkFocusedRecordChanged, gnkRecordCountChanged, gnkContextMenu, gnkCustomization };

class TcxCustomGrid : public TcxControl {
  TRENVIK_CLASS(TcxCustomGrid, TcxControl);

 public:
  explicit TcxCustomGrid(TComponent* AOwner);
  ~TcxCustomGrid() override;

  TcxGridLevel* RootLevel();
  void SetRootLevel(TcxGridLevel* Value);
  TcxGridLevel* ActiveLevel() const { return activeLevel_; }
  void SetActiveLevel(TcxGridLevel* Value);
  TcxCustomGridView* ActiveView() const;
  TcxCustomGridView* FocusedView() const { return focusedView_; }
  void SetFocusedView(TcxCustomGridView* Value);
  void CheckFocusedView();
  int ViewCount() const { return static_cast<int>(views_.size()); }
  TcxCustomGridView* Views(int AIndex) const { return views_.at(static_cast<size_t>(AIndex)); }
  TcxGridController* Controller() { return Handlers().controller.get(); }
  TcxGridPainter* Painter() { return Handlers().painter.get(); }
  TcxGridViewInfo* ViewInfo() { return Handlers().viewInfo.get(); }
  bool HasViewInfo() const { return handlers_ && handlers_->viewInfo; }

  bool DragOpening() const { return dragOpening_; }
  void SetDragOpening(bool Value) { dragOpening_ = Value; }
  int DragOpeningWaitTime() const { return dragOpeningWaitTime_; }
  void SetDragOpeningWaitTime(int Value) { dragOpeningWaitTime_ = Value < 0 ? 0 : Value; }
  TcxGridLevelOptions* RootLevelOptions() { return RootLevel()->Options(); }
  void SetRootLevelOptions(TcxGridLevelOptions*) {}
  TcxGridLevelStyles* RootLevelStyles() { return RootLevel()->Styles(); }
  void SetRootLevelStyles(TcxGridLevelStyles*) {}
  bool IsPopupControl() const { return isPopupControl_; }
  void SetIsPopupControl(bool Value) { isPopupControl_ = Value; }

  void BeginUpdate() { ++updateLockCount_; }
  void EndUpdate();
  void CancelUpdate();
  bool IsUpdateLocked() const { return updateLockCount_ > 0; }
  int UpdateLockCount() const { return updateLockCount_; }
  int QueuedChangeCount() const { return static_cast<int>(changes_.size()); }
  void AddChange(std::unique_ptr<TcxCustomGridChange> AChange);
  virtual void RequestLayout();
  virtual void RequestResize();

  virtual void DoActiveTabChanged(TcxGridLevel* ALevel);
  virtual void DoLayoutChanged(TcxCustomGridView* AGridView);
  virtual void DoFocusedViewChanged(TcxCustomGridView* APrevFocusedView, TcxCustomGridView* AFocusedView);
  virtual TClass GetLevelClass() const { return TcxGridLevel::StaticClass(); }
  void SetFocusState(bool AFocused);
  void SendNotifications(int AKind);
  void AddNotification(TcxCustomGridNotification* ANotification);
  void RemoveNotification(TcxCustomGridNotification* ANotification);

  void AddChildComponent(TcxControlChildComponent* AChild) override;
  void RemoveChildComponent(TcxControlChildComponent* AChild) override;
  bool IsFocused() override;
  void SetName(const String& NewName) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  TcxCanvas* PaintCanvas() { return Canvas(); }
  // Every view attached to the grid, listed or not; detached when the grid goes.
  void ViewAttached(TcxCustomGridView* AView);
  void ViewDetached(TcxCustomGridView* AView);

  TcxGridActiveTabChangedEvent OnActiveTabChanged;
  TcxGridFocusedViewChangedEvent OnFocusedViewChanged;
  TcxGridLayoutChangedEvent OnLayoutChanged;

 protected:
  virtual std::unique_ptr<TcxGridController> CreateController();
  virtual std::unique_ptr<TcxGridPainter> CreatePainter();
  virtual std::unique_ptr<TcxGridViewInfo> CreateViewInfo();

  void Loaded() override;
  void Paint() override;
  TCursor GetCursor(int X, int Y) override;
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void BoundsChanged() override;
  void ResetMouseCaptureObject() override;
  void FocusChanged() override;
  bool GetDesignHitTest(int X, int Y, TShiftState Shift) override;
  bool MayFocus() override { return false; }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDragInternal(TObject* Target, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;

 private:
  struct THandlers {
    std::unique_ptr<TcxGridController> controller;
    std::unique_ptr<TcxGridPainter> painter;
    std::unique_ptr<TcxGridViewInfo> viewInfo;
  };
  THandlers& Handlers();
  void RunChange(std::unique_ptr<TcxCustomGridChange> AChange);
  void RunQueue();
  TcxCustomGridView* FindFocusableView();
  void RenameChildren(const String& AOldName);

  std::unique_ptr<TcxGridLevel> rootLevel_;
  bool rootLevelMade_ = false;
  TcxGridLevel* activeLevel_ = nullptr;
  TcxCustomGridView* focusedView_ = nullptr;
  std::vector<TcxCustomGridView*> views_;
  std::vector<TcxCustomGridView*> attachedViews_;
  std::vector<std::unique_ptr<TcxCustomGridChange>> changes_;
  std::vector<TcxCustomGridNotification*> notifications_;
  std::unique_ptr<THandlers> handlers_;
  int updateLockCount_ = 0;
  bool isPopupControl_ = false;
  bool focused_ = false;
  bool dragOpening_ = true;
  int dragOpeningWaitTime_ = 500;
};

class TcxGrid : public TcxCustomGrid {
  TRENVIK_CLASS(TcxGrid, TcxCustomGrid);

 public:
  explicit TcxGrid(TComponent* AOwner) : TcxCustomGrid(AOwner) {}
};
