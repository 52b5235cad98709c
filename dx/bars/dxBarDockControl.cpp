#include "dx/bars/dxBarDockControl.h"

#include <algorithm>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxDockControl)

TRENVIK_MESSAGE_MAP(TdxDockControl) {
  M.On(WM_ERASEBKGND, &TdxDockControl::WMEraseBkgnd);
  M.On(WM_MOUSEACTIVATE, &TdxDockControl::WMMouseActivate);
  M.On(WM_RBUTTONDOWN, &TdxDockControl::WMRButtonDown);
  M.On(WM_SIZE, &TdxDockControl::WMSize);
}

namespace {

// How far outside a dock a dragged bar is still taken in, and the band that means a new row.
constexpr int kDockZone = 23;
constexpr int kNewRowBand = 5;
constexpr int kDockMarkLength = 11;

TAlign AlignOfSide(TdxBarDockingStyle Side) {
  switch (Side) {
    case dsLeft:
      return alLeft;
    case dsRight:
      return alRight;
    case dsBottom:
      return alBottom;
    default:
      return alTop;
  }
}

}  // namespace

TdxDockControl::TdxDockControl(TdxBarManager* AManager, TdxBarDockingStyle ASide)
    : TCustomControl(AManager), manager_(AManager), side_(ASide) {
  TControlStyle style = ControlStyle();
  style.Include(csNoDesignVisible);
  style.Exclude(csCaptureMouse);
  SetControlStyle(style);
  SetParentColor(true);
  if (IsVertical())
    SetWidth(0);
  else
    SetHeight(0);
  SetAlign(AlignOfSide(ASide));
  if (TCustomForm* form = AManager->ParentForm()) SetParent(form);
}

TdxDockControl::~TdxDockControl() {
  // The form may free its docks (and their bar windows with them) before the manager goes.
  for (auto& row : rows_)
    for (TdxDockCol& col : row->Cols) col.BarControl->ForgetDock();
  rows_.clear();
  if (manager_->Bars()) manager_->Bars()->ForgetDock(this);
}

void TdxDockControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) Params.Style |= WS_VISIBLE;
  Params.ExStyle = 0;
  Params.WindowClass.style = CS_DBLCLKS;
}

void TdxDockControl::WMEraseBkgnd(TMessage& Message) {
  RECT r = ClientRect();
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  FillRect(reinterpret_cast<HDC>(Message.WParam), &r, brush);
  DeleteObject(brush);
  Message.Result = 1;
}

void TdxDockControl::WMMouseActivate(TMessage& Message) {
  Message.Result = MA_NOACTIVATE;
  if (TCustomForm* form = manager_->ParentForm(); form && form->HandleAllocated())
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TdxDockControl::UpdateDockColor() {
  if (manager_->AutoDockColor())
    SetParentColor(true);
  else
    SetColor(manager_->DockColor());
}

int TdxDockControl::RowOf(const TdxBarControl* Control) const {
  for (int r = 0; r < RowCount(); ++r)
    for (const TdxDockCol& col : rows_[r]->Cols)
      if (col.BarControl == Control) return r;
  return -1;
}

namespace {

int RowThickness(const TdxDockRow& Row, bool Vertical) {
  int thickness = 0;
  for (const TdxDockCol& col : Row.Cols)
    thickness = std::max(thickness, Vertical ? col.BarControl->Width() : col.BarControl->Height());
  return thickness;
}

}  // namespace

int TdxDockControl::GetRowsSize() const {
  int size = 0;
  for (const auto& row : rows_) size += RowThickness(*row, IsVertical());
  return size;
}

RECT TdxDockControl::GetRowRect(int Row) const {
  if (Row < 0 || Row >= RowCount()) return RECT{};
  RECT client = const_cast<TdxDockControl*>(this)->ClientRect();
  int start = 0;
  for (int r = 0; r < Row; ++r) start += RowThickness(*rows_[r], IsVertical());
  int thickness = RowThickness(*rows_[Row], IsVertical());
  return IsVertical() ? RECT{start, 0, start + thickness, client.bottom} : RECT{0, start, client.right, start + thickness};
}

RECT TdxDockControl::GetDockingZone() const {
  RECT r;
  GetWindowRect(const_cast<TdxDockControl*>(this)->Handle(), &r);
  InflateRect(&r, kDockZone, IsVertical() ? 0 : kDockZone);
  return r;
}

int TdxDockControl::FindRow(POINT ScreenPoint, bool& NewRow) const {
  NewRow = true;
  if (rows_.empty()) return 0;
  POINT p = const_cast<TdxDockControl*>(this)->ScreenToClient(ScreenPoint);
  int across = IsVertical() ? p.x : p.y;
  RECT client = const_cast<TdxDockControl*>(this)->ClientRect();
  int clientSize = IsVertical() ? client.right : client.bottom;
  int rowsSize = GetRowsSize();
  int count = RowCount();
  for (int r = -1; r <= count; ++r) {
    int start, end;
    if (r == -1) {
      start = IsLeading() ? -kDockZone : clientSize - rowsSize - kDockZone;
      end = start + kDockZone;
    } else if (r == count) {
      start = IsLeading() ? rowsSize : clientSize;
      end = start + kDockZone;
    } else {
      RECT row = GetRowRect(r);
      start = IsVertical() ? row.left : row.top;
      end = IsVertical() ? row.right : row.bottom;
    }
    int bandStart = IsLeading() ? start + (kDockZone - kNewRowBand) / 2 : end - (kDockZone - kNewRowBand) / 2 - kNewRowBand;
    int bandEnd = bandStart + kNewRowBand;
    if (across >= start && across < bandStart) {
      NewRow = false;
      if (r < 0 || r >= count) break;
      return r;
    }
    if (across >= bandStart && across < bandEnd) {
      NewRow = true;
      return std::clamp(r + 1, 0, count);
    }
    if (across >= bandEnd && across < end) {
      // Past the last row's band the bar starts a new last row.
      NewRow = r + 1 >= count;
      return std::min(r + 1, count);
    }
  }
  NewRow = true;
  return across < rowsSize ? 0 : count;
}

int TdxDockControl::FindColumn(int Row, POINT ScreenPoint) const {
  POINT p = const_cast<TdxDockControl*>(this)->ScreenToClient(ScreenPoint);
  int along = IsVertical() ? p.y : p.x;
  const auto& cols = rows_[Row]->Cols;
  for (int i = 0; i < static_cast<int>(cols.size()); ++i) {
    TdxBar* bar = cols[i].BarControl->Bar();
    if ((IsVertical() ? bar->DockedTop() : bar->DockedLeft()) >= along) return i;
  }
  return static_cast<int>(cols.size());
}

void TdxDockControl::InsertBar(TdxBarControl* Control, POINT ScreenPoint, bool Shown, bool Realign) {
  TdxBar* bar = Control->Bar();
  int row;
  bool newRow;
  if (Shown) {
    row = bar->Row();
    newRow = bar->OneOnRow();
  } else {
    row = FindRow(ScreenPoint, newRow);
  }
  if (bar->WholeRow()) newRow = true;
  row = std::clamp(row, 0, RowCount());
  if (row >= RowCount()) newRow = true;
  if (!newRow)
    for (const TdxDockCol& col : rows_[row]->Cols)
      if (col.BarControl->Bar()->WholeRow()) newRow = true;
  POINT p = ScreenToClient(ScreenPoint);
  if (IsVertical())
    p.y = std::max<LONG>(p.y, 0);
  else
    p.x = std::max<LONG>(p.x, 0);
  if (newRow) {
    rows_.insert(rows_.begin() + row, std::make_unique<TdxDockRow>());
    rows_[row]->Cols.push_back(TdxDockCol{Control, p});
  } else {
    auto& cols = rows_[row]->Cols;
    cols.insert(cols.begin() + FindColumn(row, ScreenPoint), TdxDockCol{Control, p});
  }
  if (Realign) UpdateDock();
}

void TdxDockControl::RemoveBar(TdxBarControl* Control, bool Realign) {
  for (auto it = rows_.begin(); it != rows_.end(); ++it) {
    auto& cols = (*it)->Cols;
    auto col = std::find_if(cols.begin(), cols.end(), [Control](const TdxDockCol& c) { return c.BarControl == Control; });
    if (col == cols.end()) continue;
    cols.erase(col);
    if (cols.empty()) rows_.erase(it);
    break;
  }
  if (Realign) UpdateDock();
}

void TdxDockControl::MoveBar(TdxBarControl* Control, POINT ScreenPoint) {
  RemoveBar(Control, false);
  InsertBar(Control, ScreenPoint, false, true);
}

TdxDockControl::TBarExtent TdxDockControl::ExtentOf(TdxBarControl* Control) const {
  int frame = IsVertical() ? Control->Bar()->GetFloatBorderHeight(side_) : Control->Bar()->GetFloatBorderWidth(side_);
  TBarExtent e{Control->GetMinLength() + frame, Control->GetFullLength() + frame};
  if (!Control->HasMark() && e.minLen != e.fullLen) e.minLen += kDockMarkLength;
  return e;
}

int TdxDockControl::ThicknessFor(TdxBarControl* Control, int Length) const {
  TdxBar* bar = Control->Bar();
  int frameAlong = IsVertical() ? bar->GetFloatBorderHeight(side_) : bar->GetFloatBorderWidth(side_);
  int frameAcross = IsVertical() ? bar->GetFloatBorderWidth(side_) : bar->GetFloatBorderHeight(side_);
  int length = Length - frameAlong;
  if (Control->HasHiddenLinks() && manager_->Style() == bmsStandard) length -= kDockMarkLength;
  SIZE size = Control->GetSizeForWidth(length);
  return (IsVertical() ? size.cx : size.cy) + frameAcross;
}

void TdxDockControl::LayoutRow(TdxDockRow& Row, int RowStart) {
  RECT client = ClientRect();
  int rowLength = IsVertical() ? client.bottom : client.right;
  auto& cols = Row.Cols;
  int n = static_cast<int>(cols.size());
  std::vector<TBarExtent> ext(n);
  std::vector<int> start(n), length(n), thickness(n);
  int sumFull = 0;
  for (int i = 0; i < n; ++i) {
    cols[i].BarControl->SetHasHiddenLinks(false);
    ext[i] = ExtentOf(cols[i].BarControl);
    sumFull += ext[i].fullLen;
  }
  auto along = [&](const POINT& p) { return IsVertical() ? p.y : p.x; };
  if (cols[0].BarControl->Bar()->WholeRow()) {
    start[0] = 0;
    length[0] = std::max(rowLength, ext[0].minLen);
    cols[0].BarControl->SetHasHiddenLinks(!cols[0].BarControl->Wraps() && length[0] < ext[0].fullLen);
    thickness[0] = ThicknessFor(cols[0].BarControl, length[0]);
  } else if (rowLength < sumFull) {
    int right = rowLength;
    for (int i = n - 1; i >= 0; --i) {
      int minBefore = 0, fullBefore = 0;
      for (int j = 0; j < i; ++j) {
        minBefore += ext[j].minLen;
        fullBefore += ext[j].fullLen;
      }
      int pos = std::clamp(static_cast<int>(along(cols[i].Pos)), minBefore, std::max(minBefore, fullBefore));
      int avail = right - pos;
      TdxBarControl* control = cols[i].BarControl;
      if (avail < ext[i].fullLen) {
        control->SetHasHiddenLinks(!(control->Wraps() || ext[i].minLen == ext[i].fullLen));
        length[i] = std::max(ext[i].minLen, avail);
      } else {
        length[i] = ext[i].fullLen;
      }
      if (i == 0 && length[i] < right) length[i] = right;
      start[i] = std::clamp(right - length[i], minBefore, std::max(minBefore, fullBefore));
      right -= length[i];
      thickness[i] = ThicknessFor(control, length[i]);
    }
  } else {
    int right = rowLength;
    for (int i = n - 1; i >= 0; --i) {
      int fullBefore = 0;
      for (int j = 0; j < i; ++j) fullBefore += ext[j].fullLen;
      length[i] = ext[i].fullLen;
      int s = along(cols[i].Pos);
      if (s + length[i] > right) s = right - length[i];
      start[i] = std::max(s, fullBefore);
      right = start[i];
      thickness[i] = ThicknessFor(cols[i].BarControl, length[i]);
    }
  }
  for (int i = 0; i < n; ++i) {
    if (!cols[i].BarControl->Bar()->UseRestSpace()) continue;
    start[i] = i == 0 ? 0 : start[i - 1] + length[i - 1];
    int end = i + 1 < n ? start[i + 1] : rowLength;
    length[i] = std::max(end - start[i], ext[i].minLen);
  }
  int rowThickness = 0;
  for (int i = 0; i < n; ++i) rowThickness = std::max(rowThickness, thickness[i]);
  for (int i = 0; i < n; ++i) {
    TdxBarControl* control = cols[i].BarControl;
    if (i == n - 1 && control->HasHiddenLinks()) length[i] = std::max(rowLength - start[i], ext[i].minLen);
    ThicknessFor(control, length[i]);
    RECT bounds = IsVertical() ? RECT{RowStart, start[i], RowStart + rowThickness, start[i] + length[i]}
                               : RECT{start[i], RowStart, start[i] + length[i], RowStart + rowThickness};
    if (control->Left() != bounds.left || control->Top() != bounds.top || control->Width() != bounds.right - bounds.left ||
        control->Height() != bounds.bottom - bounds.top)
      control->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    control->CalcItemRects();
  }
}

void TdxDockControl::LayoutRows() {
  TCustomForm* form = manager_->ParentForm();
  if (rows_.empty() || !form || form->ComponentState().Contains(csDestroying)) return;
  if (manager_->Bars()->Loading()) return;
  int rowStart = 0;
  for (auto& row : rows_) {
    LayoutRow(*row, rowStart);
    rowStart += RowThickness(*row, IsVertical());
  }
  Invalidate();
}

void TdxDockControl::UpdateSize() {
  int size = GetDockSize();
  if (IsVertical()) {
    if (Width() != size) SetWidth(size);
  } else if (Height() != size) {
    SetHeight(size);
  }
}

void TdxDockControl::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  // The form aligned the dock anew: the rows take the new length.
  if (!updating_) UpdateDock();
}

void TdxDockControl::UpdateDock() {
  TCustomForm* form = manager_->ParentForm();
  if (!form || form->ComponentState().Contains(csDestroying) || manager_->LockUpdate() || updating_) return;
  TValueScope updating(updating_, true);
  LayoutRows();
  UpdateSize();
}
