#include "cx/grid/cxGridCustomizationForm.h"

#include "cx/foundation/cxClasses.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableHeaderDrag.h"
#include "cx/grid/cxGridTableHitTests.h"
#include "cx/grid/cxGridTableControllerStrs.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/forms/Colors.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableItemsListBox)
TRENVIK_IMPLEMENT_CLASS(TcxGridTableColumnsListBox)
TRENVIK_IMPLEMENT_CLASS(TcxGridTableCustomizationForm)

// --- Items list ---

TcxCustomGridTableItemsListBox::TcxCustomGridTableItemsListBox(TcxGridTableCustomizationForm* AForm)
    : TListBox(AForm), form_(AForm), cxCanvas_(std::make_unique<TcxCanvas>(Canvas())) {
  SetColor(clBtnFace);
  SetSorted(true);
  SetStyle(lbOwnerDrawFixed);
  SetBorderStyle(Controller()->GridView()->LookAndFeelPainter()->GetHeaderBorderSize() > 1 ? bsSingle : bsNone);
  CalculateItemHeight();
}

TcxCustomGridTableItemsListBox::~TcxCustomGridTableItemsListBox() = default;

TcxGridTableController* TcxCustomGridTableItemsListBox::Controller() const { return form_->Controller(); }

void TcxCustomGridTableItemsListBox::CalculateItemHeight() {
  const int border = Controller()->GridView()->LookAndFeelPainter()->GetHeaderBorderSize();
  // Measured on the form's canvas: the list may have no window yet.
  TCanvas* canvas = form_->Canvas();
  canvas->Font()->Assign(Font());
  SetItemHeight(canvas->TextHeight(u"Qq") + 2 * border + 4);
}

void TcxCustomGridTableItemsListBox::CreateWnd() {
  inherited::CreateWnd();
  CalculateItemHeight();
}

void TcxCustomGridTableItemsListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  PaintItem(cxCanvas_.get(), Index, Rect, State.Contains(odFocused));
}

void TcxCustomGridTableItemsListBox::PaintItem(TcxCanvas* ACanvas, int AIndex, const RECT& ARect, bool AFocused) {
  auto painter = Controller()->GridView()->LookAndFeelPainter();
  const int border = painter->GetHeaderBorderSize();
  RECT content = ARect;
  InflateRect(&content, -border, -border);
  RECT text = content;
  InflateRect(&text, -2, 0);
  TFont* font = ACanvas->Canvas()->Font();
  if (ACanvas != cxCanvas_.get()) font->Assign(Font());
  font->SetColor(clBtnText);
  painter->PaintHeader(ACanvas, ARect, text, TcxNeighbors{}, cxBordersAll, AFocused ? cxbsHot : cxbsNormal,
                       taLeftJustify, vaCenter, false, Controller()->GridView()->OptionsView()->HeaderEndEllipsis(),
                       Items()->Strings(AIndex), font, clBtnText, clBtnFace);
  if (!AFocused) return;
  painter->PaintHeaderPressed(ACanvas, content);
  ACanvas->DrawFocusRect(ARect);
}

void TcxCustomGridTableItemsListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  dragItemIndex_ = ItemAtPos(POINT{X, Y}, true);
  mouseDownPos_ = POINT{X, Y};
}

void TcxCustomGridTableItemsListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  dragItemIndex_ = -1;
  inherited::MouseUp(Button, Shift, X, Y);
}

// The grid's own header moving object takes the column over, as if its header had been pressed in
// the form.
void TcxCustomGridTableItemsListBox::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (dragItemIndex_ < 0 || cxIsWithinDragThreshold(mouseDownPos_, X, Y)) return;
  auto* column = dynamic_cast<TcxGridColumn*>(Items()->Objects(dragItemIndex_));
  dragItemIndex_ = -1;
  TcxGridTableView* view = Controller()->GridView();
  if (!column || !view->OptionsCustomize()->ColumnMoving() || !column->Options()->Moving()) return;
  auto* hitTest = GetGridHitTest<TcxGridColumnHeaderHitTest>(POINT{-1, -1});
  hitTest->GridView = view;
  hitTest->Column = column;
  hitTest->ColumnContainerKind = ccCustomizationForm;
  hitTest->DragClass = [](TcxControl* AControl) { return new TcxGridColumnHeaderMovingObject(AControl); };
  TcxGridSite* site = view->Site();
  const POINT pressed = site->ScreenToClient(ClientToScreen(mouseDownPos_));
  site->SetDragAndDropObjectClass(hitTest->DragClass);
  static_cast<TcxCustomGridDragAndDropObject*>(site->DragAndDropObject())->Init(pressed, hitTest);
  site->BeginDragAndDrop();
}

void TcxGridTableColumnsListBox::RefreshItems() {
  CalculateItemHeight();
  TStrings* items = Items();
  items->BeginUpdate();
  TScopeExit endUpdate([items] { items->EndUpdate(); });
  items->Clear();
  TcxGridTableView* view = Controller()->GridView();
  for (int i = 0; i < view->ColumnCount(); ++i) {
    TcxGridColumn* column = view->Columns(i);
    if (!column->Hidden() && !column->Visible()) items->AddObject(column->Caption(), column);
  }
}

// --- Form ---

TcxGridTableCustomizationForm::TcxGridTableCustomizationForm(TcxGridTableController* AController)
    : TForm(nullptr), controller_(AController) {
  SetCaption(cxGetResourceString(cxSGridCustomizationFormCaption));
  SetBorderStyle(bsSizeToolWin);
  Font()->Assign(AController->Control()->Font());
  margin_ = Canvas()->TextHeight(u"Qq") / 6;

  pageControl_ = new TPageControl(this);
  pageControl_->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  RECT bounds = ClientRect();
  InflateRect(&bounds, -margin_, -margin_);
  pageControl_->SetBoundsRect(bounds);
  pageControl_->SetParent(this);

  columnsPage_ = new TTabSheet(this);
  columnsPage_->SetCaption(cxGetResourceString(cxSGridCustomizationFormColumnsPageCaption));
  columnsPage_->SetPageControl(pageControl_);
  columnsPage_->SetTabVisible(AController->GridView()->OptionsCustomize()->ColumnMoving());

  itemsListBox_ = new TcxGridTableColumnsListBox(this);
  itemsListBox_->SetAlign(alClient);
  itemsListBox_->SetParent(columnsPage_);
  itemsListBox_->RefreshItems();
}

TcxGridTableCustomizationForm::~TcxGridTableCustomizationForm() {
  BeforeDestruction();
  controller_->CustomizationFormDestroyed();
}

void TcxGridTableCustomizationForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_POPUP;
  TcxCustomGrid* grid = controller_->Control();
  if (grid && grid->HandleAllocated()) Params.WndParent = grid->Handle();
}

void TcxGridTableCustomizationForm::DoClose(TCloseAction& Action) {
  inherited::DoClose(Action);
  Action = caFree;
}

void TcxGridTableCustomizationForm::RefreshList() { itemsListBox_->RefreshItems(); }

void TcxGridTableCustomizationForm::ActivateColumnsPage() {
  if (columnsPage_->TabVisible()) pageControl_->SetActivePage(columnsPage_);
}
