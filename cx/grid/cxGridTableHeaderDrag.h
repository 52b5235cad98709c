// Dragging column headers of the table view: moving a header (to another place in the header, into
// or out of the group-by box, off the header to hide it) with its image and two arrows drawn on the
// screen over a saved background, and sizing a column by its header's right edge with an inverted
// line. Nothing stays on the screen after a drop or a cancel.
#pragma once

#include <memory>

#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "platform/forms/Graphics.h"

class TcxCustomGridTableItemsListBox;

class TcxGridDragAndDropObject : public TcxCustomGridDragAndDropObject {
  TRENVIK_CLASS(TcxGridDragAndDropObject, TcxCustomGridDragAndDropObject);

 public:
  using TcxCustomGridDragAndDropObject::TcxCustomGridDragAndDropObject;
  TcxGridTableView* TableView() const;
  TcxGridTableViewInfo* TableViewInfo() const;
};

// An image of the dragged thing following the mouse, and two arrows at the drop place.
class TcxCustomGridMovingObject : public TcxGridDragAndDropObject {
  TRENVIK_CLASS(TcxCustomGridMovingObject, TcxGridDragAndDropObject);

 public:
  explicit TcxCustomGridMovingObject(TcxControl* AControl);
  ~TcxCustomGridMovingObject() override;

  bool ArrowsVisible() const { return arrowsVisible_; }
  bool ImageVisible() const { return imageVisible_; }
  // The screen rectangle of arrow AIndex (0 above the drop line, 1 below it).
  RECT GetArrowBounds(int AIndex);
  // The image's screen rectangle for a client point.
  RECT GetDragImageBounds(POINT P);
  TCursor GetDragAndDropCursor(bool Accepted) override;
  void RepaintNeededChanged() override;
  void BeginDragAndDrop() override;
  void DragAndDrop(POINT P, bool& Accepted) override;
  void EndDragAndDrop(bool Accepted) override;
  void BeforePaint() override;
  void AfterPaint() override;

 protected:
  virtual bool CanRemove() { return false; }
  virtual bool CanShowArrows() = 0;
  virtual RECT GetArrowAreaBounds() = 0;
  virtual RECT GetSourceBounds() = 0;
  virtual TcxCustomGridCellViewInfo* GetSourceViewInfo() = 0;
  // Paints the source into the drag image, whose origin is the source bounds' top-left.
  virtual void PaintSource(TcxCanvas* ACanvas);
  bool Accepted() const { return accepted_; }
  void SetAccepted(bool Value) { accepted_ = Value; }

 private:
  void InitDragImage();
  void ShowImage(POINT AScreenPoint);
  void HideImage();
  void ShowArrows();
  void HideArrows();
  void ShowFeedback();
  void HideFeedback();

  std::unique_ptr<TBitmap> image_;
  std::unique_ptr<TBitmap> imageBackground_;
  std::unique_ptr<TBitmap> arrowsBackground_;
  RECT arrowBounds_[2]{};
  POINT hotSpot_{0, 0};
  POINT imageAnchor_{-1, -1};
  bool imageVisible_ = false;
  bool arrowsVisible_ = false;
  bool accepted_ = false;
  bool started_ = false;
};

enum TcxGridMovingTarget { mtNone, mtHeader, mtGroupByBox, mtCustomizationForm };

class TcxGridColumnHeaderMovingObject : public TcxCustomGridMovingObject {
  TRENVIK_CLASS(TcxGridColumnHeaderMovingObject, TcxCustomGridMovingObject);

 public:
  using TcxCustomGridMovingObject::TcxCustomGridMovingObject;
  ~TcxGridColumnHeaderMovingObject() override;

  TcxGridColumn* Column() const { return column_; }
  TcxGridMovingTarget Target() const { return target_; }
  const TcxGridColumnContainerZone* Zone() const { return zone_.get(); }
  bool IsNewPosition();
  void Init(POINT P, TcxCustomGridHitTest* AHitTest) override;
  void DragAndDrop(POINT P, bool& Accepted) override;
  void EndDragAndDrop(bool Accepted) override;

 protected:
  bool CanRemove() override;
  bool CanShowArrows() override;
  RECT GetArrowAreaBounds() override;
  RECT GetSourceBounds() override;
  TcxCustomGridCellViewInfo* GetSourceViewInfo() override;
  // A column dragged out of the customization form shows its list item.
  void PaintSource(TcxCanvas* ACanvas) override;
  virtual void ChangeColumnIndex();
  RECT GetHeaderArrowAreaBounds();

 private:
  bool CanGroup();
  bool CanHide();
  // The customization form's list, while the form is shown.
  TcxCustomGridTableItemsListBox* FormListBox();
  void ChooseTarget(POINT P);
  void DropColumn();

  TcxGridColumn* column_ = nullptr;
  TcxGridColumnContainerKind sourceKind_ = ccNone;
  TcxGridMovingTarget target_ = mtNone;
  std::unique_ptr<TcxGridColumnContainerZone> zone_;
};

// A line at the dragged edge, drawn and erased by inversion.
class TcxCustomGridSizingObject : public TcxGridDragAndDropObject {
  TRENVIK_CLASS(TcxCustomGridSizingObject, TcxGridDragAndDropObject);

 public:
  using TcxGridDragAndDropObject::TcxGridDragAndDropObject;
  bool GetImmediateStart() override { return true; }
  TCursor GetDragAndDropCursor(bool) override { return IsHorizontal() ? crGridHorzSize : crGridVertSize; }
  int CurrentSize() { return GetCurrentSize(); }
  RECT SizingMarkBounds() { return GetSizingMarkBounds(); }
  void Init(POINT P, TcxCustomGridHitTest* AHitTest) override;
  void RepaintNeededChanged() override;
  void DragAndDrop(POINT P, bool& Accepted) override;

 protected:
  virtual int GetCurrentSize() { return startSize_ + GetDelta(); }
  virtual int GetDelta() { return IsHorizontal() ? currentX_ - SourcePoint.x : currentY_ - SourcePoint.y; }
  virtual bool IsHorizontal() { return true; }
  virtual RECT GetSizingItemBounds() = 0;
  virtual RECT GetSizingMarkBounds();
  virtual int GetSizingMarkWidth() { return 1; }
  int StartSize() const { return startSize_; }
  void SetStartSize(int Value) { startSize_ = Value; }

 private:
  int currentX_ = 0;
  int currentY_ = 0;
  int startSize_ = 0;
};

class TcxCustomGridColumnSizingObject : public TcxCustomGridSizingObject {
  TRENVIK_CLASS(TcxCustomGridColumnSizingObject, TcxCustomGridSizingObject);

 public:
  using TcxCustomGridSizingObject::TcxCustomGridSizingObject;
  TcxGridColumn* Column() const { return column_; }
  void Init(POINT P, TcxCustomGridHitTest* AHitTest) override;

 protected:
  TcxGridColumnHeaderViewInfo* HeaderCell();
  RECT GetSizingItemBounds() override;

 private:
  TcxGridColumn* column_ = nullptr;
};

class TcxGridColumnHorzSizingObject : public TcxCustomGridColumnSizingObject {
  TRENVIK_CLASS(TcxGridColumnHorzSizingObject, TcxCustomGridColumnSizingObject);

 public:
  using TcxCustomGridColumnSizingObject::TcxCustomGridColumnSizingObject;
  void BeginDragAndDrop() override;
  void EndDragAndDrop(bool Accepted) override;

 protected:
  int GetCurrentSize() override;
};
