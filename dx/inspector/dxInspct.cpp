#include "dx/inspector/dxInspct.h"

#include <algorithm>
#include <utility>

#include "dx/editors/dxDrawUtils.h"
#include "dx/inspector/dxInspctDrag.h"
#include "platform/forms/ImgList.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxInspector)

TRENVIK_MESSAGE_MAP(TCustomdxInspector) {
  M.On(WM_SIZE, &TCustomdxInspector::WMSize);
  M.On(WM_GETDLGCODE, &TCustomdxInspector::WMGetDlgCode);
  M.On(WM_SETFOCUS, &TCustomdxInspector::WMSetFocus);
  M.On(WM_KILLFOCUS, &TCustomdxInspector::WMKillFocus);
  M.On(WM_TIMER, &TCustomdxInspector::WMTimer);
  M.On(WM_SETCURSOR, &TCustomdxInspector::WMSetCursor);
  M.On(WM_CANCELMODE, &TCustomdxInspector::WMCancelMode);
  M.On(WM_CAPTURECHANGED, &TCustomdxInspector::WMCaptureChanged);
  M.On(WM_LBUTTONDOWN, &TCustomdxInspector::WMLButtonDown);
  M.On(WM_NCCALCSIZE, &TCustomdxInspector::WMNCCalcSize);
  M.On(WM_NCPAINT, &TCustomdxInspector::WMNCPaint);
  M.On(WM_PAINT, &TCustomdxInspector::WMPaint);
  M.On(CM_CTL3DCHANGED, &TCustomdxInspector::CMCtl3DChanged);
  M.On(CM_MOUSELEAVE, &TCustomdxInspector::CMMouseLeave);
  M.On(CM_SHOWHINTCHANGED, &TCustomdxInspector::CMShowHintChanged);
  M.On(WM_VSCROLL, &TCustomdxInspector::WMVScroll);
  M.On(WM_HSCROLL, &TCustomdxInspector::WMHScroll);
  M.On(WM_ERASEBKGND, &TCustomdxInspector::WMEraseBkgnd);
  M.On(CM_FONTCHANGED, &TCustomdxInspector::CMFontChanged);
  M.On(CM_COLORCHANGED, &TCustomdxInspector::CMColorChanged);
}

namespace {

constexpr TColor kNavy = TColor(0x800000);

// A canvas to measure text with the control's font: the control's own with a window, else one
// over the screen's device context, released when measuring ends.
class TMeasureCanvas {
 public:
  explicit TMeasureCanvas(TCustomControl* Control) {
    if (Control->HandleAllocated()) {
      canvas_ = Control->Canvas();
    } else {
      dc_ = GetDC(nullptr);
      own_.SetHandle(dc_);
      canvas_ = &own_;
    }
    canvas_->SetFont(Control->Font());
  }
  ~TMeasureCanvas() {
    if (dc_) {
      own_.SetHandle(nullptr);
      ReleaseDC(nullptr, dc_);
    }
  }
  TCanvas* operator->() const { return canvas_; }
  TCanvas* get() const { return canvas_; }

 private:
  TCanvas own_;
  TCanvas* canvas_ = nullptr;
  HDC dc_ = nullptr;
};

bool IsFirstStyleGroup(TdxInspectorPaintStyle S) {
  return S == ipsStandard || S == ipsExtended || S == ipsCategorized;
}

}  // namespace

RECT TdxInspectorBand::RowArea() const {
  RECT r = Bounds;
  if (HasSeparator) r.right -= TCustomdxInspector::BandSeparatorWidth;
  return r;
}

TCustomdxInspector::TCustomdxInspector(TComponent* AOwner)
    : TCustomdxContainer(AOwner), imagesLink_(std::make_unique<TChangeLink>()) {
  // New sizes of the images change the row heights and the indents.
  imagesLink_->OnChange = [this](TObject* Sender) {
    if (Sender == images_) LayoutChanged();
  };
  SetBounds(Left(), Top(), 150, 250);
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csDisplayDragImage});
  SetTabStop(true);
}

TCustomdxInspector::~TCustomdxInspector() {
  Destroying();
  if (Dragging()) EndDrag(false);
  DeleteAllNodes();
  delete std::exchange(customizeForm_, nullptr);
}

void TCustomdxInspector::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN | WS_TABSTOP | WS_VSCROLL;
  Params.WindowClass.style |= CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  // A flat border is the control's own one-pixel frame (non-client size and paint below).
  if (borderStyle_ == bsSingle && !flat_) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

bool TCustomdxInspector::HasFlatBorder() const { return borderStyle_ == bsSingle && flat_; }

void TCustomdxInspector::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (HasFlatBorder()) InsetClientByOwnBorder(Message.LParam);
}

void TCustomdxInspector::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!HasFlatBorder() || !HandleAllocated()) return;
  PaintOwnBorder(Handle(), [](HDC DC, const RECT& R) {
    RECT r = R;
    DrawEdge(DC, &r, BDR_SUNKENOUTER, BF_RECT);
  });
}

// The single border without the flat look depends on the 3-D look: the window is made again.
void TCustomdxInspector::CMCtl3DChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (borderStyle_ == bsSingle && !flat_ && HandleAllocated()) RecreateWnd();
}

void TCustomdxInspector::Loaded() {
  inherited::Loaded();
  LayoutChanged();
}

// --- Nodes ---

TdxInspectorNode* TCustomdxInspector::AddNode() {
  std::unique_ptr<TdxInspectorNode> node(CreateNode());
  TdxInspectorNode* raw = node.get();
  raw->Attach(std::move(node), nullptr, -1);
  NodeAdded(raw);
  return raw;
}

TdxInspectorNode* TCustomdxInspector::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return topNodes_[Index].get();
}

const std::vector<TdxInspectorNode*>& TCustomdxInspector::VisibleNodes() const {
  if (!visibleNodesValid_) {
    visibleNodes_.clear();
    for (TdxInspectorNode* n = Items(0); n; n = n->GetNext()) {
      n->absoluteIndex_ = static_cast<int>(visibleNodes_.size());
      visibleNodes_.push_back(n);
    }
    visibleNodesValid_ = true;
  }
  return visibleNodes_;
}

int TCustomdxInspector::GetAbsoluteCount() const { return static_cast<int>(VisibleNodes().size()); }

int TCustomdxInspector::GetAbsoluteIndex(const TdxInspectorNode* Node) const {
  if (!Node || Node->Destroying() || !Node->IsVisible()) return -1;
  const std::vector<TdxInspectorNode*>& nodes = VisibleNodes();
  const int i = Node->absoluteIndex_;
  return i >= 0 && i < static_cast<int>(nodes.size()) && nodes[i] == Node ? i : -1;
}

TdxInspectorNode* TCustomdxInspector::GetNodeByAbsoluteIndex(int Index) const {
  const std::vector<TdxInspectorNode*>& nodes = VisibleNodes();
  return Index >= 0 && Index < static_cast<int>(nodes.size()) ? nodes[Index] : nullptr;
}

TdxInspectorNode* TCustomdxInspector::GetLastVisibleNode() const {
  return topNodes_.empty() ? nullptr : topNodes_.back()->GetLastVisibleDescendant();
}

void TCustomdxInspector::FullCollapse() {
  BeginUpdate();
  for (auto& node : topNodes_) node->Collapse(true);
  EndUpdate();
}

void TCustomdxInspector::EndUpdate() {
  if (lockCount_ > 0) --lockCount_;
  LayoutChanged();
}

bool TCustomdxInspector::IsFocusInside() {
  if (!HandleAllocated()) return false;
  HWND focus = GetFocus();
  return focus && (focus == Handle() || IsChild(Handle(), focus));
}

// A pop-up of the editor (a calendar, a calculator) holding the focus keeps the control active.
bool TCustomdxInspector::IsActive() { return IsFocusInside() || (inplaceEditor_ && inplaceEditor_->IsFocused()); }

void TCustomdxInspector::DeleteAllNodes() {
  const bool destroying = IsDestroying();
  if (!destroying) BeginUpdate();
  while (!topNodes_.empty()) delete topNodes_.front().get();
  if (!destroying) EndUpdate();
}

void TCustomdxInspector::NodeAdded(TdxInspectorNode* Node) {
  HideEditor();
  if (!topNode_) topNode_ = Node;
  if (!focusedNode_) focusedNode_ = topNode_;
  TdxInspectorNode* previous = Node->Index() > 0 ? topNodes_[Node->Index() - 1].get() : Node->Parent();
  NodeChanged(previous ? previous : Node, true);
}

void TCustomdxInspector::NodeRemoved(TdxInspectorNode* Node, TdxInspectorNode* Previous,
                                     TdxInspectorNode* Next, bool, bool WasVisible) {
  if (hintNode_ == Node) ResetRowHint();
  if (topNodes_.empty()) {
    topNode_ = focusedNode_ = editingNode_ = hotNode_ = sizingNode_ = pressedNode_ = nullptr;
    ResetRowHint();
    if (!IsLocked() && !IsDestroying()) {
      HideEditor();
      UpdateScrollBars();
      Invalidate();
    }
    return;
  }
  TdxInspectorNode* replacement = Previous ? Previous : Next;
  if (topNode_ == Node || (topNode_ && Node->IsAncestorOf(topNode_))) topNode_ = replacement;
  if (focusedNode_ == Node || (focusedNode_ && Node->IsAncestorOf(focusedNode_))) focusedNode_ = replacement;
  if (sizingNode_ == Node) sizingNode_ = nullptr;
  if (hotNode_ == Node) hotNode_ = nullptr;
  if (pressedNode_ == Node) pressedNode_ = nullptr;
  HideEditor();
  if (WasVisible) {
    TdxInspectorNode* changed = focusedNode_ ? focusedNode_ : topNode_;
    NodeChanged(changed ? changed : replacement, true);
  }
}

void TCustomdxInspector::NodeChanged(TdxInspectorNode* Node, bool Structural) {
  if (!Node || Node->Destroying() || IsLocked() || IsDestroying() || !Node->IsVisible()) return;
  if (Structural) {
    UpdateScrollBars();
    AdjustTopNode();
  }
  InvalidateNode(Node, Structural);
}

void TCustomdxInspector::InvalidateNode(TdxInspectorNode* Node, bool Structural) {
  if (!HandleAllocated()) return;
  const bool bands = HasOption(inoAutoBandCount);
  if (bands && Structural) {
    Invalidate();
    return;
  }
  RECT r = Structural ? GetNodeRectToBottom(Node) : GetNodeRect(Node);
  if (IsRectEmpty(&r)) return;
  if (paintStyle_ == ipsStandard || paintStyle_ == ipsExtended) r.top -= 2;  // the focus frame
  if (bands) InflateRect(&r, 2, 0);
  InvalidateRect(Handle(), &r, FALSE);
}

void TCustomdxInspector::DoChangeNode(TdxInspectorNode* OldNode, TdxInspectorNode* Node) {
  if (OnChangeNode) OnChangeNode(this, OldNode, Node);
}

void TCustomdxInspector::FocusedNodeChanged() { CheckComplexItemIndex(focusedComplexItem_); }

void TCustomdxInspector::SetFocusedNode(TdxInspectorNode* Node) {
  TdxInspectorNode* old = focusedNode_;
  if (IsLocked()) {
    focusedNode_ = Node;
  } else {
    if (Node) Node->MakeVisible();
    if (Node != old) {
      focusedNode_ = Node;
      if (old) InvalidateNode(old, false);
      if (Node) InvalidateNode(Node, false);
    }
  }
  if (focusedNode_ != old) {
    HideEditor();
    FocusedNodeChanged();
    DoChangeNode(old, focusedNode_);
  }
}

void TCustomdxInspector::SetFocusedAbsoluteIndex(int Index) {
  const int count = GetAbsoluteCount();
  if (count == 0 || Index == GetFocusedAbsoluteIndex()) return;
  Index = std::clamp(Index, 0, count - 1);
  TdxInspectorNode* node = GetNodeByAbsoluteIndex(Index);
  if (node != focusedNode_) SetFocusedNode(node);
  Click();
}

void TCustomdxInspector::SetHotNode(TdxInspectorNode* Node) {
  if (paintStyle_ != ipsCategorized || state_ != insIdle || ComponentState().Contains(csDesigning)) return;
  if (Node == hotNode_) return;
  TdxInspectorNode* old = hotNode_;
  hotNode_ = Node;
  if (old) InvalidateNode(old, false);
  if (Node) InvalidateNode(Node, false);
}

bool TCustomdxInspector::HasImage(TdxInspectorNode* Node) {
  if (paintStyle_ == ipsCategorized && IsCategory(Node)) return false;
  return GetImageIndex(Node) != -1;
}

TColor TCustomdxInspector::GetValueTextColor() {
  // On a black button face navy text would vanish.
  if (GetSysColor(COLOR_BTNFACE) == 0) return TColor(ColorToRGB(valueTextColor_) ^ 0xFFFFFF);
  return valueTextColor_;
}

bool TCustomdxInspector::WantTabs() { return HasOption(inoTabs) && !(GetKeyState(VK_CONTROL) < 0); }

int TCustomdxInspector::CalcCaptionTextHeight(TCanvas* Canvas) { return Canvas->TextHeight(u"Wg") + 3; }

int TCustomdxInspector::GetRowHeight(TdxInspectorNode* Node) {
  if (paintStyle_ == ipsCategorized && IsCategory(Node)) return rowHeight_ - 2;
  return rowHeight_;
}

// --- Layout ---

void TCustomdxInspector::LayoutChanged() {
  if (IsLocked() || ComponentState().Contains(csLoading) || IsDestroying()) return;
  const TValueScope locked(lockCount_, lockCount_ + 1);
  RecalcLayout();
}

void TCustomdxInspector::RecalcLayout() {
  {
    TMeasureCanvas canvas(this);
    indentWidth_ = paintStyle_ == ipsStandard                                      ? canvas->TextWidth(u"+")
                   : (paintStyle_ == ipsExtended || paintStyle_ == ipsCategorized) ? 14
                                                                                   : 15;
    captionSeparatorWidth_ = canvas->TextWidth(complexRowSeparator_ + u"_");
    valueSeparatorWidth_ = paintStyle_ == ipsCategorized ? 4 : captionSeparatorWidth_;
    rowLineWidth_ = paintStyle_ == ipsCategorized ? 0 : 1;
    rowMargin_ = paintStyle_ == ipsCategorized ? 2 : 0;
    captionTextHeight_ = CalcCaptionTextHeight(canvas.get());
    minRowHeight_ = CalcRowTextHeight(canvas.get()) + rowLineWidth_ + 2 * rowMargin_;
  }
  if (!rowHeightAssigned_) rowHeight_ = minRowHeight_;
  rowHeight_ = std::max(rowHeight_, minRowHeight_);
  if (rowHeight_ == minRowHeight_) rowHeightAssigned_ = false;
  imageWidth_ = images_ ? images_->Width() : 0;
  imageHeight_ = images_ ? images_->Height() : 0;
  if (rowHeight_ - rowLineWidth_ - 2 * rowMargin_ < imageHeight_)
    rowHeight_ = imageHeight_ + rowLineWidth_ + 2 * rowMargin_;
  AfterLayoutChanged();
  UpdateScrollBars();
  AdjustTopNode();
  Invalidate();
}

int TCustomdxInspector::ColumnWidth() {
  return HasOption(inoAutoBandCount) ? bandWidth_ - BandSeparatorWidth : Width();
}

void TCustomdxInspector::UpdateBandCounts() {
  const int cw = ClientWidth(), ch = ClientHeight();
  fullyVisibleBandCount_ = cw / bandWidth_;
  visibleBandCount_ = fullyVisibleBandCount_;
  if (cw % bandWidth_ != 0 && firstBand_ != bandCount_ - 1) ++visibleBandCount_;
  int count = 1, sum = 0;
  // Only bands mode shows more than one band; one-band mode never walks the rows for it.
  TdxInspectorNode* first = HasOption(inoAutoBandCount) ? Items(0) : nullptr;
  for (TdxInspectorNode* n = first; n; n = n->GetNext()) {
    const int h = GetRowHeight(n);
    sum += h;
    if (sum >= ch) {
      ++count;
      // The overflowing row opens the next band unless it was alone in its band; an exact fit
      // still counts a band of its own.
      sum = (sum != h && sum > ch) ? h : 0;
    }
  }
  bandCount_ = std::max(count, fullyVisibleBandCount_);
  fullyVisibleBandCount_ = std::max(fullyVisibleBandCount_, 1);
  visibleBandCount_ = std::clamp(visibleBandCount_, 1, bandCount_);
}

std::vector<TdxInspectorBand> TCustomdxInspector::CalcBands() {
  std::vector<TdxInspectorBand> bands;
  const RECT client = ClientRect();
  if (!HasOption(inoAutoBandCount)) {
    TdxInspectorBand band;
    band.Bounds = client;
    int y = client.top;
    for (TdxInspectorNode* n = topNode_; n && y < client.bottom; n = n->GetNext()) {
      const int h = GetRowHeight(n);
      band.Rows.push_back({n, RECT{client.left, y, client.right, y + h}});
      y += h;
    }
    bands.push_back(std::move(band));
    return bands;
  }
  // Bands are filled from the first top-level node; those left of FirstBand are only walked.
  const int lastShown = firstBand_ + visibleBandCount_;
  int index = 0, y = 0;
  TdxInspectorBand current;
  auto startBand = [&](int i) {
    current = TdxInspectorBand{};
    current.Index = i;
    const int left = (i - firstBand_) * bandWidth_;
    current.Bounds = RECT{left, client.top, left + bandWidth_, client.bottom};
    current.HasSeparator = true;
    y = 0;
  };
  startBand(0);
  for (TdxInspectorNode* n = Items(0); n; n = n->GetNext()) {
    const int h = GetRowHeight(n);
    if (y + h > client.bottom && !current.Rows.empty()) {
      if (index >= firstBand_) bands.push_back(std::move(current));
      if (++index >= lastShown) return bands;
      startBand(index);
    }
    const RECT area = current.RowArea();
    current.Rows.push_back({n, RECT{area.left, y, area.right, y + h}});
    y += h;
  }
  while (index < lastShown) {
    if (index >= firstBand_) bands.push_back(std::move(current));
    if (++index >= std::min(lastShown, bandCount_)) break;
    startBand(index);
  }
  return bands;
}

void TCustomdxInspector::CalcVisibleRowCount() {
  UpdateBandCounts();
  const std::vector<TdxInspectorBand> bands = CalcBands();
  int full = 0, part = 0;
  if (HasOption(inoAutoBandCount)) {
    for (const TdxInspectorBand& b : bands) {
      part += static_cast<int>(b.Rows.size());
      if (b.Index < firstBand_ + fullyVisibleBandCount_) full += static_cast<int>(b.Rows.size());
    }
  } else if (!bands.empty()) {
    part = full = static_cast<int>(bands[0].Rows.size());
    if (!bands[0].Rows.empty() && bands[0].Rows.back().Bounds.bottom > ClientHeight()) --full;
  }
  visibleRowCount_ = std::max(full, 1);
  partVisibleRowCount_ = std::max(part, 1);
}

int TCustomdxInspector::CountRowsThatFitBackwards(int LastIndex) {
  int fit = 0, sum = 0;
  for (TdxInspectorNode* n = GetNodeByAbsoluteIndex(LastIndex); n; n = n->GetPrev()) {
    sum += GetRowHeight(n);
    if (sum > ClientHeight()) break;
    ++fit;
  }
  return std::max(fit, 1);
}

void TCustomdxInspector::AdjustTopNode() {
  if (topNodes_.empty()) return;
  if (HasOption(inoAutoBandCount)) {
    if (firstBand_ + fullyVisibleBandCount_ > bandCount_) SetFirstBand(bandCount_ - fullyVisibleBandCount_);
    return;
  }
  const int count = GetAbsoluteCount();
  const int fit = CountRowsThatFitBackwards(count - 1);
  const int top = GetTopIndex();
  if (top + fit > count) {
    topNode_ = GetNodeByAbsoluteIndex(std::max(count - fit, 0));
    UpdateScrollBars();
    if (!IsLocked()) Invalidate();
  }
}

void TCustomdxInspector::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  CalcVisibleRowCount();
  SCROLLINFO none{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  if (HasOption(inoAutoBandCount)) {
    info.nMax = fullyVisibleBandCount_ >= bandCount_ ? 0 : bandCount_ - 1;
    info.nPage = fullyVisibleBandCount_;
    info.nPos = firstBand_;
    SetScrollInfo(SB_HORZ, info, true);
    SetScrollInfo(SB_VERT, none, true);
  } else {
    const int count = GetAbsoluteCount();
    info.nMax = visibleRowCount_ >= count ? 0 : count - 1;
    info.nPage = visibleRowCount_;
    info.nPos = std::max(GetTopIndex(), 0);
    SetScrollInfo(SB_VERT, info, true);
    SetScrollInfo(SB_HORZ, none, true);
  }
}

void TCustomdxInspector::SetTopIndex(int Index) {
  const int count = GetAbsoluteCount();
  if (count == 0) return;
  Index = std::clamp(Index, 0, count - 1);
  if (HasOption(inoAutoBandCount)) {
    // The band holding the node becomes the first shown band.
    SetFirstBand(std::max(BandOfNode(GetNodeByAbsoluteIndex(Index)), 0));
    return;
  }
  Index = std::max(std::min(Index, count - visibleRowCount_), 0);
  if (Index == GetTopIndex()) return;
  topNode_ = GetNodeByAbsoluteIndex(Index);
  UpdateScrollBars();
  if (!IsLocked()) Invalidate();
}

void TCustomdxInspector::SetFirstBand(int Value) {
  Value = std::max(std::min(Value, bandCount_ - fullyVisibleBandCount_), 0);
  firstBand_ = Value;
  const std::vector<TdxInspectorBand> bands = CalcBands();
  if (!bands.empty() && !bands[0].Rows.empty()) topNode_ = bands[0].Rows[0].Node;
  UpdateScrollBars();
  if (firstBand_ + fullyVisibleBandCount_ > bandCount_)
    firstBand_ = std::max(bandCount_ - fullyVisibleBandCount_, 0);
  Invalidate();
}

int TCustomdxInspector::BandOfNode(TdxInspectorNode* Node) {
  // Lay out every band from the first, then restore the shown ones.
  const int saved = firstBand_;
  firstBand_ = 0;
  visibleBandCount_ = bandCount_;
  int band = -1;
  for (const TdxInspectorBand& b : CalcBands())
    for (const TdxInspectorBandRow& r : b.Rows)
      if (r.Node == Node) band = b.Index;
  firstBand_ = saved;
  UpdateBandCounts();
  return band;
}

void TCustomdxInspector::ScrollNodeIntoView(TdxInspectorNode* Node) {
  if (IsLocked()) return;
  UpdateBandCounts();
  if (HasOption(inoAutoBandCount)) {
    const int band = BandOfNode(Node);
    if (band < 0) return;
    if (band < firstBand_)
      SetFirstBand(band);
    else if (band >= firstBand_ + fullyVisibleBandCount_)
      SetFirstBand(band - fullyVisibleBandCount_ + 1);
    return;
  }
  CalcVisibleRowCount();
  const int index = GetAbsoluteIndex(Node);
  const int top = GetTopIndex();
  if (index < top)
    SetTopIndex(index);
  else if (index >= top + visibleRowCount_)
    SetTopIndex(index - visibleRowCount_ + 1);
}

// --- Scrolling messages ---

void TCustomdxInspector::WMVScroll(TMessage& Message) {
  if (CanScroll()) ScrollVertical(LOWORD(Message.WParam), static_cast<SHORT>(HIWORD(Message.WParam)));
}

void TCustomdxInspector::WMHScroll(TMessage& Message) {
  if (CanScroll()) ScrollHorizontal(LOWORD(Message.WParam), static_cast<SHORT>(HIWORD(Message.WParam)));
}

void TCustomdxInspector::ScrollVertical(int Code, int Position) {
  const int top = GetTopIndex();
  switch (Code) {
    case SB_LINEUP:
      SetTopIndex(top - 1);
      break;
    case SB_LINEDOWN:
      SetTopIndex(top + 1);
      break;
    case SB_PAGEUP:
      SetTopIndex(top - visibleRowCount_);
      break;
    case SB_PAGEDOWN:
      SetTopIndex(top + visibleRowCount_);
      break;
    case SB_THUMBTRACK:
      SetTopIndex(std::min(Position, GetAbsoluteCount() - 1));
      break;
    default:
      break;
  }
}

void TCustomdxInspector::ScrollHorizontal(int Code, int Position) {
  if (!HasOption(inoAutoBandCount)) return;
  switch (Code) {
    case SB_LINEUP:
      SetFirstBand(firstBand_ - 1);
      break;
    case SB_LINEDOWN:
      SetFirstBand(firstBand_ + 1);
      break;
    case SB_PAGEUP:
      SetFirstBand(firstBand_ - fullyVisibleBandCount_);
      break;
    case SB_PAGEDOWN:
      SetFirstBand(firstBand_ + fullyVisibleBandCount_);
      break;
    case SB_THUMBTRACK:
      SetFirstBand(Position);
      break;
    default:
      break;
  }
}

// --- Property setters ---

void TCustomdxInspector::SetBandWidth(int Value) {
  Value = std::max(Value, minBandWidth_);
  if (bandWidth_ == Value) return;
  bandWidth_ = Value;
  LayoutChanged();
  if (HandleAllocated()) Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(Width(), Height()));
}

void TCustomdxInspector::SetDividerPos(int Value) {
  const int w = ColumnWidth();
  if (HandleAllocated() && w > 0) Value = std::min(Value, w - minColumnWidth_);
  Value = std::max(Value, minColumnWidth_);
  if (dividerPos_ != Value) {
    dividerPos_ = Value;
    Invalidate();
  }
  if (!inSizeHandling_) {
    dividerRefPos_ = dividerPos_;
    dividerRefWidth_ = w;
  }
  UpdateScrollBars();
  AdjustTopNode();
}

void TCustomdxInspector::SetMinBandWidth(int Value) {
  minBandWidth_ = std::max(Value, 43);
  SetBandWidth(bandWidth_);
}

void TCustomdxInspector::SetMinColumnWidth(int Value) {
  minColumnWidth_ = std::max(Value, 20);
  SetDividerPos(dividerPos_);
}

void TCustomdxInspector::SetMaxRowTextLineCount(int Value) {
  maxRowTextLineCount_ = std::max(Value, 0);
  LayoutChanged();
}

void TCustomdxInspector::SetGridColor(TColor Value) {
  gridColor_ = Value;
  LayoutChanged();
}

void TCustomdxInspector::SetComplexRowSeparator(const String& Value) {
  complexRowSeparator_ = Value;
  LayoutChanged();
}

void TCustomdxInspector::SetRowHeight(int Value) {
  rowHeight_ = std::max(Value, minRowHeight_);
  rowHeightAssigned_ = true;
  LayoutChanged();
}

void TCustomdxInspector::SetPaintStyle(TdxInspectorPaintStyle Value) {
  if (paintStyle_ == Value) return;
  const bool wasFirst = IsFirstStyleGroup(paintStyle_), isFirst = IsFirstStyleGroup(Value);
  paintStyle_ = Value;
  // Defaults the user left alone follow the style group; changed values stay.
  if (wasFirst && !isFirst) {
    if (valueTextColor_ == kNavy) valueTextColor_ = Font()->Color();
    if (gridColor_ == clBtnShadow) gridColor_ = clBtnFace;
    if (Color() == clBtnFace) SetColor(clWindow);
  } else if (!wasFirst && isFirst) {
    if (valueTextColor_ == Font()->Color()) valueTextColor_ = kNavy;
    if (gridColor_ == clBtnFace) gridColor_ = clBtnShadow;
    if (Color() == clWindow) SetColor(clBtnFace);
  }
  LayoutChanged();
}

void TCustomdxInspector::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomdxInspector::SetFlat(bool Value) {
  if (flat_ == Value) return;
  flat_ = Value;
  SetScrollBarStyle(Value ? 1 : 0);
  if (HandleAllocated()) RecreateWnd();
}

void TCustomdxInspector::SetImages(TImageList* Value) {
  BeginUpdate();
  if (images_) images_->UnRegisterChanges(imagesLink_.get());
  images_ = Value;
  if (Value) {
    Value->RegisterChanges(imagesLink_.get());
    Value->FreeNotification(this);
  }
  EndUpdate();
}

void TCustomdxInspector::SetShowRowHint(bool Value) {
  showRowHint_ = Value;
  if (Value) SetShowHint(false);
}

void TCustomdxInspector::SetOptionFlags(WORD Value) {
  if (optionFlags_ == Value) return;
  optionFlags_ = Value;
  SetDividerPos(dividerPos_);
  LayoutChanged();
  UpdateEditor(false, false);
}

// --- Window messages ---

void TCustomdxInspector::WMSize(TWMSize& Message) {
  inherited::Dispatch(Message);
  const TValueScope sizing(inSizeHandling_, true);
  UpdateScrollBars();
  if (!HasOption(inoAutoWidth) || ComponentState().Contains(csLoading) || loading_) {
    SetDividerPos(dividerPos_);
  } else {
    const int w = ColumnWidth();
    if (dividerRefWidth_ == -1) dividerRefWidth_ = w;
    if (dividerRefWidth_ == 0) {
      dividerRefWidth_ = -1;
      SetDividerPos(0);
    } else {
      SetDividerPos(w * dividerRefPos_ / dividerRefWidth_);
    }
  }
  AdjustTopNode();
  UpdateEditor(false, false);
}

void TCustomdxInspector::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TCustomdxInspector::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  LayoutChanged();
}

// The framework's hints and row hints exclude each other.
void TCustomdxInspector::CMShowHintChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (ShowHint()) showRowHint_ = false;
}

void TCustomdxInspector::CMColorChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}
