// Dragging rows to a new place in the tree: the drag starts after the mouse moved 5 pixels from a
// press on a row, the row under the mouse is focused and the cursor says where a drop would put the
// row, the auto-scroll timer scrolls while the mouse is outside, and the drop moves the node.
#include "dx/inspector/dxInspctDrag.h"

#include "dx/editors/dxDrawUtils.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ImgList.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorDragControlObject)

namespace {

constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollInterval = 60;
// The drag image is a strip as wide as the caption column plus this, the caption drawn after the cursor.
constexpr int kDragImageExtraWidth = 32;
constexpr int kDragCaptionLeft = 30;

struct TNamedCursor {
  TCursor Id;
  const Char* Name;
};
constexpr TNamedCursor kCursors[] = {
    {crdxInspectorInsert, u"DXINSP_INSERT"}, {crdxInspectorAddChild, u"DXINSP_ADDCHILD"},
    {crdxInspectorAdd, u"DXINSP_ADD"},       {crdxInspectorHide, u"DXINSP_HIDE"},
    {crdxInspectorNoDrag, u"DXINSP_NODRAG"},
};

}  // namespace

void LoadInspectorCursors() {
  for (const TNamedCursor& c : kCursors) Screen->SetCursors(c.Id, LoadCursor(nullptr, c.Name));
}

void FreeInspectorCursors() {
  if (!Screen) return;
  for (const TNamedCursor& c : kCursors) Screen->SetCursors(c.Id, nullptr);
}

TdxInspectorDropPlace DropPlaceAt(const TdxInspectorHitInfo& Hit, TdxInspectorNode* FirstTopNode) {
  switch (Hit.Kind) {
    case ihkEmpty:
      return {true, FirstTopNode, inaAdd};
    case ihkHeader:
    case ihkButton:
    case ihkImage:
      return {true, Hit.Node, inaInsert};
    case ihkDivider:
    case ihkCaption:
    case ihkValue:
    case ihkComplexSeparator:
      return {true, Hit.Node, inaAddChild};
    default:
      return {};
  }
}

TCursor DragCursorForHitKind(TdxInspectorHitKind Kind) {
  switch (Kind) {
    case ihkEmpty:
      return crdxInspectorAdd;
    case ihkHeader:
    case ihkButton:
    case ihkImage:
      return crdxInspectorInsert;
    case ihkCaption:
    case ihkValue:
    case ihkComplexSeparator:
      return crdxInspectorAddChild;
    default:
      return crNone;
  }
}

TCursor TdxInspectorDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  auto* inspector = static_cast<TCustomdxInspector*>(Control());
  if (inspector && inspector->IsInCustomizeForm(POINT{X, Y})) return crdxInspectorHide;
  if (Accepted && inspector) return inspector->DragCursor();
  return crdxInspectorNoDrag;
}

// --- The engine's part ---

bool TCustomdxInspector::CanDragRows() { return DragMode() == dmAutomatic || IsCustomizing(); }

void TCustomdxInspector::GetDragCaption(TdxInspectorNode* Node, String& Text) {
  String value;
  if (Node) GetNodeTexts(Node, Text, value);
}

// A press goes straight to MouseDown: the row drag starts from MouseMove after 5 pixels, not from
// the framework's automatic drag start.
void TCustomdxInspector::WndProc(TMessage& Message) {
  const bool press = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
  if (press && CanDragRows() && !Dragging() && !ComponentState().Contains(csDesigning)) {
    TControlState state = ControlState();
    state.Include(csLButtonDown);
    SetControlState(state);
    Dispatch(Message);
    return;
  }
  inherited::WndProc(Message);
}

void TCustomdxInspector::DoStartDrag(TDragObject*& DragObject) {
  if (!CanDragRows()) {
    inherited::DoStartDrag(DragObject);
    return;
  }
  if (IsCustomizing())
    savedDragCursor_ = DragCursor();
  else
    inherited::DoStartDrag(DragObject);
  state_ = insRowDragging;
  BuildDragImage();
  HideEditor();
  if (CanFocus()) SetFocus();
  POINT cursor;
  GetCursorPos(&cursor);
  TrackDragHit(ScreenToClient(cursor));
  if (IsCustomizing()) {
    dragObject_ = std::make_unique<TdxInspectorDragControlObject>(this);
    DragObject = dragObject_.get();
    if (customizeForm_->HandleAllocated())
      SendMessage(customizeForm_->Handle(), WM_DXINSPECTOR_DRAGBEGIN, IsCategory(pressedNode_) ? 1 : 0, 0);
  }
}

void TCustomdxInspector::BuildDragImage() {
  const int width = dividerPos_ + kDragImageExtraWidth;
  const int height = std::max(captionTextHeight_, 1);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  TCanvas* canvas = bitmap->Canvas();
  const HDC dc = canvas->Handle();
  const RECT all{0, 0, width, height};
  SetBkColor(dc, ColorToRGB(clBtnShadow));
  SetTextColor(dc, ColorToRGB(Color()));
  FillRect(dc, &all, dxCheckerBrush());
  canvas->SetFont(Font());
  canvas->Font()->SetStyle(TFontStyles{fsBold});
  canvas->Brush()->SetStyle(bsClear);
  String caption;
  GetDragCaption(pressedNode_, caption);
  RECT text{kDragCaptionLeft + 1, 1, width - 1, height - 1};
  canvas->TextRect(text, caption, TTextFormat{tfSingleLine, tfVerticalCenter, tfLeft});
  InvertRect(dc, &all);
  dragImages_ = std::make_unique<TImageList>(nullptr);
  dragImages_->SetWidth(width);
  dragImages_->SetHeight(height);
  dragImages_->SetDrawingStyle(dsSelected);
  dragImages_->AddMasked(bitmap.get(), canvas->Pixels(1, 0));
  dragImages_->SetDragImage(0, 0, 0);
}

TCustomImageList* TCustomdxInspector::GetDragImages() {
  if (state_ == insRowDragging && dragImages_) return dragImages_.get();
  return inherited::GetDragImages();
}

// Any drag image on the screen, the control's own or one dragged in from a customize window.
void TCustomdxInspector::HideRowDragImage() {
  if (TDragObject* drag = ::DragObject()) drag->HideDragImage();
}

void TCustomdxInspector::ShowRowDragImage() {
  if (TDragObject* drag = ::DragObject()) drag->ShowDragImage();
}

void TCustomdxInspector::TrackDragHit(POINT Client) {
  mouseHitInfo_ = HitTest(Client);
  if (!HandleAllocated()) return;
  if (mouseHitInfo_.Kind == ihkOutside) {
    if (state_ == insRowDragging) SetTimer(Handle(), kAutoScrollTimer, kAutoScrollInterval, nullptr);
    return;
  }
  KillTimer(Handle(), kAutoScrollTimer);
  if (mouseHitInfo_.Node) SetFocusedNode(mouseHitInfo_.Node);
}

void TCustomdxInspector::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (!CanDragRows()) {
    inherited::DragOver(Source, X, Y, State, Accept);
    return;
  }
  TrackDragHit(POINT{X, Y});
  // Leaving the control keeps scrolling towards the mouse.
  if (State == dsDragLeave && state_ == insRowDragging && HandleAllocated())
    SetTimer(Handle(), kAutoScrollTimer, kAutoScrollInterval, nullptr);
  if (!Accept) return;
  const TCursor cursor = DragCursorForHitKind(mouseHitInfo_.Kind);
  Accept = cursor != crNone;
  if (Accept) SetDragCursor(cursor);
}

void TCustomdxInspector::DragDrop(TObject* Source, int X, int Y) {
  if (!CanDragRows()) {
    inherited::DragDrop(Source, X, Y);
    return;
  }
  const TdxInspectorDropPlace place = DropPlaceAt(HitTest(POINT{X, Y}), Items(0));
  if (!place.Accepted) return;
  TdxInspectorNode* node = pressedNode_;
  PrepareDrop(node, place.Target, place.Mode);
  if (node && place.Target) node->MoveTo(place.Target, place.Mode);
}

void TCustomdxInspector::DoEndDragInternal(TObject* Target, int X, int Y) {
  if (!CanDragRows() && state_ != insRowDragging) {
    inherited::DoEndDragInternal(Target, X, Y);
    return;
  }
  if (dragObject_)
    SetDragCursor(savedDragCursor_);
  else
    inherited::DoEndDragInternal(Target, X, Y);
  if (HandleAllocated()) KillTimer(Handle(), kAutoScrollTimer);
  pressedNode_ = nullptr;
  state_ = insIdle;
  if (!IsDestroying()) UpdateEditor(true, false);
  dragImages_.reset();
  // The framework calls this from the drag object's Finished, which touches nothing of the object
  // after it returns.
  dragObject_.reset();
}
