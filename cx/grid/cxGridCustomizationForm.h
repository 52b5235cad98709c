// The customization form: a tool window over the grid listing the table view's columns that are
// hidden from the header but not for good, as header-like items.
#pragma once

#include <memory>

#include "cx/foundation/cxGraphics.h"
#include "platform/forms/Forms.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/StdCtrls.h"

class TcxGridTableController;
class TcxGridTableCustomizationForm;

// An owner-drawn, sorted list of items that can be dragged back into the grid.
class TcxCustomGridTableItemsListBox : public TListBox {
  TRENVIK_CLASS(TcxCustomGridTableItemsListBox, TListBox);

 public:
  explicit TcxCustomGridTableItemsListBox(TcxGridTableCustomizationForm* AForm);
  ~TcxCustomGridTableItemsListBox() override;

  TcxGridTableCustomizationForm* Form() const { return form_; }
  TcxGridTableController* Controller() const;
  virtual void RefreshItems() = 0;
  // The item pressed for dragging; -1 when none.
  int DragItemIndex() const { return dragItemIndex_; }
  // Draws item AIndex into ARect of ACanvas as the list shows it (the drag image uses it too).
  void PaintItem(TcxCanvas* ACanvas, int AIndex, const RECT& ARect, bool AFocused);

 protected:
  void CreateWnd() override;
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Past the drag-detect area around the press, the pressed item is dragged into the grid.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void CalculateItemHeight();

 private:
  TcxGridTableCustomizationForm* form_;
  std::unique_ptr<TcxCanvas> cxCanvas_;
  int dragItemIndex_ = -1;
  POINT mouseDownPos_{0, 0};
};

// The view's columns that are neither shown nor hidden for good.
class TcxGridTableColumnsListBox : public TcxCustomGridTableItemsListBox {
  TRENVIK_CLASS(TcxGridTableColumnsListBox, TcxCustomGridTableItemsListBox);

 public:
  using TcxCustomGridTableItemsListBox::TcxCustomGridTableItemsListBox;
  void RefreshItems() override;
};

class TcxGridTableCustomizationForm : public TForm {
  TRENVIK_CLASS(TcxGridTableCustomizationForm, TForm);

 public:
  explicit TcxGridTableCustomizationForm(TcxGridTableController* AController);
  ~TcxGridTableCustomizationForm() override;

  TcxGridTableController* Controller() const { return controller_; }
  TPageControl* PageControl() const { return pageControl_; }
  TTabSheet* ColumnsPage() const { return columnsPage_; }
  TcxCustomGridTableItemsListBox* ItemsListBox() const { return itemsListBox_; }
  int Margin() const { return margin_; }
  void RefreshList();
  // A header drag shows the columns (when that page may be shown).
  void ActivateColumnsPage();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void DoClose(TCloseAction& Action) override;

 private:
  TcxGridTableController* controller_;
  TPageControl* pageControl_ = nullptr;
  TTabSheet* columnsPage_ = nullptr;
  TcxCustomGridTableItemsListBox* itemsListBox_ = nullptr;
  int margin_ = 0;
};
