// TListView in report style: the header, the rows and the check boxes are drawn by the control;
// the vertical scroll bar is the window's own.
#include "platform/forms/ListView.h"

#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TListColumn) {
  P.Property("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment).Default(taLeftJustify);
  P.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  P.Property("Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50);
}

TRENVIK_IMPLEMENT_CLASS(TListColumns)
TRENVIK_IMPLEMENT_CLASS(TListItem)
TRENVIK_IMPLEMENT_CLASS(TListItems)

TRENVIK_PUBLISHED(TListView) {
  P.Property("BorderStyle", &TListView::BorderStyle, &TListView::SetBorderStyle).Default(bsSingle);
  P.Property("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes).Default(false);
  P.Property("Columns", &TListView::Columns, &TListView::SetColumns);
  P.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines).Default(false);
  P.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly).Default(false);
  P.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect).Default(false);
  P.Property("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders).Default(true);
  P.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
  P.Event("OnChange", &TListView::OnChange);
  P.Event("OnColumnClick", &TListView::OnColumnClick);
  P.Event("OnSelectItem", &TListView::OnSelectItem);
}

namespace {
constexpr int kItemCheckSize = 13;
constexpr int kTextIndent = 2;
}  // namespace

// --- TListColumn, TListColumns ---

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  Changed(false);
}

void TListColumn::SetWidth(int Value) {
  if (width_ == Value) return;
  width_ = std::max(0, Value);
  Changed(true);
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Changed(false);
}

TListColumns::TListColumns(TListView* Owner) : TOwnedCollection(Owner, TListColumn::StaticClass()), view_(Owner) {}

void TListColumns::Update(TCollectionItem*) { view_->ItemsChanged(); }

// --- TListItem, TListItems ---

TListItem::TListItem(TListItems* Owner) : owner_(Owner), subItems_(std::make_unique<TStringList>()) {
  subItems_->OnChange = [this](TObject*) {
    if (TListView* v = ListView()) v->Change(this, ctText);
  };
}

TListItem::~TListItem() = default;

TListView* TListItem::ListView() const { return owner_ ? owner_->Owner() : nullptr; }
int TListItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }
bool TListItem::Selected() const { return ListView() && ListView()->Selected() == this; }

void TListItem::SetSelected(bool Value) {
  if (!ListView()) return;
  if (Value)
    ListView()->SetSelected(this);
  else if (Selected())
    ListView()->SetSelected(nullptr);
}

void TListItem::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  if (TListView* v = ListView()) v->Change(this, ctText);
}

void TListItem::SetChecked(bool Value) {
  if (checked_ == Value) return;
  checked_ = Value;
  if (TListView* v = ListView()) v->Change(this, ctState);
}

void TListItem::Delete() { owner_->Delete(Index()); }

RECT TListItem::DisplayRect() const { return ListView()->ItemRect(Index()); }

TListItems::TListItems(TListView* Owner) : view_(Owner) {}
TListItems::~TListItems() = default;

TListItem* TListItems::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return items_[static_cast<size_t>(Index)].get();
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  auto item = std::make_unique<TListItem>(this);
  TListItem* raw = item.get();
  items_.insert(items_.begin() + Index, std::move(item));
  Changed();
  return raw;
}

void TListItems::Delete(int Index) {
  TListItem* item = Item(Index);
  view_->ItemRemoved(item);
  items_.erase(items_.begin() + Index);
  Changed();
}

void TListItems::Clear() {
  BeginUpdate();
  while (Count() > 0) Delete(Count() - 1);
  EndUpdate();
}

int TListItems::IndexOf(const TListItem* Value) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].get() == Value) return i;
  return -1;
}

void TListItems::BeginUpdate() { ++updateCount_; }

void TListItems::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TListItems::Changed() {
  if (updateCount_ == 0) view_->ItemsChanged();
}

// --- TListView ---

TRENVIK_MESSAGE_MAP(TListView) {
  M.On(WM_VSCROLL, &TListView::WMVScroll);
  M.On(WM_GETDLGCODE, &TListView::WMGetDlgCode);
  M.On(WM_SIZE, &TListView::WMSize);
  M.On(CM_FONTCHANGED, &TListView::CMFontChanged);
}

TListView::TListView(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetBounds(Left(), Top(), 250, 150);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  columns_ = std::make_unique<TListColumns>(this);
  items_ = std::make_unique<TListItems>(this);
}

TListView::~TListView() {
  selected_ = nullptr;
  items_.reset();
}

void TListView::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_VSCROLL;
  if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
  inherited::CreateWnd();
  UpdateScrollBar();
}

void TListView::SetCheckboxes(bool Value) {
  if (checkboxes_ == Value) return;
  checkboxes_ = Value;
  ItemsChanged();
}

void TListView::SetViewStyle(TViewStyle Value) {
  if (viewStyle_ == Value) return;
  viewStyle_ = Value;
  ItemsChanged();
}

void TListView::SetGridLines(bool Value) {
  gridLines_ = Value;
  Invalidate();
}

void TListView::SetRowSelect(bool Value) {
  rowSelect_ = Value;
  Invalidate();
}

void TListView::SetShowColumnHeaders(bool Value) {
  if (showColumnHeaders_ == Value) return;
  showColumnHeaders_ = Value;
  ItemsChanged();
}

void TListView::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TListView::RowHeight() {
  const int line = FontLineHeight(Font()->Handle());
  return std::max(line + 2, checkboxes_ ? kItemCheckSize + 3 : 0);
}

int TListView::HeaderHeight() {
  return viewStyle_ == vsReport && showColumnHeaders_ ? FontLineHeight(Font()->Handle()) + 6 : 0;
}

int TListView::VisibleRowCount() {
  RECT c = ClientRect();
  return std::max(1, (c.bottom - HeaderHeight()) / RowHeight());
}

RECT TListView::ItemRect(int Index) {
  RECT c = ClientRect();
  int width = 0;
  for (int i = 0; i < columns_->Count(); ++i) width += columns_->Items(i)->Width();
  const int top = HeaderHeight() + (Index - top_) * RowHeight();
  return RECT{0, top, std::max<int>(width, c.right), top + RowHeight()};
}

RECT TListView::CheckBoxRect(int Index) {
  RECT r = ItemRect(Index);
  const int top = r.top + (RowHeight() - kItemCheckSize) / 2;
  return RECT{r.left + 2, top, r.left + 2 + kItemCheckSize, top + kItemCheckSize};
}

TListItem* TListView::GetItemAt(int X, int Y) {
  if (Y < HeaderHeight() || X < 0 || Y >= ClientRect().bottom) return nullptr;
  int i = top_ + (Y - HeaderHeight()) / RowHeight();
  if (i < 0 || i >= items_->Count()) return nullptr;
  RECT r = ItemRect(i);
  return X < r.right ? items_->Item(i) : nullptr;
}

void TListView::SetSelected(TListItem* Value) {
  if (selected_ == Value) return;
  TListItem* old = selected_;
  selected_ = Value;
  if (old && OnSelectItem) OnSelectItem(this, old, false);
  if (Value) {
    EnsureVisible(Value->Index());
    if (OnSelectItem) OnSelectItem(this, Value, true);
  }
  Invalidate();
}

void TListView::SetItemIndex(int Value) {
  SetSelected(Value >= 0 && Value < items_->Count() ? items_->Item(Value) : nullptr);
}

void TListView::SetTopIndex(int Value) {
  const int maxTop = std::max(0, items_->Count() - VisibleRowCount());
  Value = std::clamp(Value, 0, maxTop);
  if (top_ == Value) return;
  top_ = Value;
  UpdateScrollBar();
  Invalidate();
}

void TListView::EnsureVisible(int Index) {
  if (Index < top_)
    SetTopIndex(Index);
  else if (Index >= top_ + VisibleRowCount())
    SetTopIndex(Index - VisibleRowCount() + 1);
}

void TListView::Change(TListItem* Item, TItemChange Change) {
  if (OnChange) OnChange(this, Item, Change);
  Invalidate();
}

void TListView::ItemRemoved(TListItem* Item) {
  if (selected_ == Item) {
    selected_ = nullptr;
    if (OnSelectItem) OnSelectItem(this, Item, false);
  }
}

void TListView::ItemsChanged() {
  const int maxTop = std::max(0, items_->Count() - VisibleRowCount());
  top_ = std::clamp(top_, 0, maxTop);
  UpdateScrollBar();
  Invalidate();
}

void TListView::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, items_->Count() - 1);
  si.nPage = static_cast<UINT>(VisibleRowCount());
  si.nPos = top_;
  SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
}

void TListView::ToggleCheck(TListItem* Item) {
  if (!checkboxes_ || !Item) return;
  Item->SetChecked(!Item->Checked());
}

void TListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  if (Button == mbLeft && Y < HeaderHeight()) {
    int x = 0;
    for (int i = 0; i < columns_->Count(); ++i) {
      x += columns_->Items(i)->Width();
      if (X < x) {
        if (OnColumnClick) OnColumnClick(this, columns_->Items(i));
        break;
      }
    }
  } else if (TListItem* item = GetItemAt(X, Y)) {
    RECT box = CheckBoxRect(item->Index());
    if (Button == mbLeft && checkboxes_ && PtInRect(&box, POINT{X, Y}))
      ToggleCheck(item);
    SetSelected(item);
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TListView::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  const int count = items_->Count();
  if (count == 0) return;
  const int at = ItemIndex();
  int to = -1;
  switch (Key) {
    case VK_UP: to = std::max(0, at - 1); break;
    case VK_DOWN: to = std::min(count - 1, at + 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_PRIOR: to = std::max(0, at - VisibleRowCount() + 1); break;
    case VK_NEXT: to = std::min(count - 1, std::max(0, at) + VisibleRowCount() - 1); break;
    default: return;
  }
  SetItemIndex(to);
  Key = 0;
}

void TListView::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key == u' ' && selected_ && checkboxes_) {
    ToggleCheck(selected_);
    Key = 0;
  }
}

void TListView::WMVScroll(TMessage& Message) {
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(WindowHandle(), SB_VERT, &si);
  const int end = std::max(0, items_->Count() - VisibleRowCount());
  if (auto to = ScrollRequestTarget(LOWORD(Message.WParam), top_, 1, VisibleRowCount(), si.nTrackPos, end))
    SetTopIndex(*to);
}

void TListView::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TListView::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  ItemsChanged();
}

void TListView::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  ItemsChanged();
}

void TListView::PaintHeader(TCanvas* C) {
  RECT client = ClientRect();
  const int h = HeaderHeight();
  int x = 0;
  for (int i = 0; i <= columns_->Count(); ++i) {
    // The last section fills what is left of the header.
    const bool filler = i == columns_->Count();
    RECT r{x, 0, filler ? std::max<int>(x, client.right) : x + columns_->Items(i)->Width(), h};
    if (r.right <= r.left) continue;
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(r);
    RECT edge = r;
    DrawEdge(C->Handle(), &edge, EDGE_RAISED, BF_RECT);
    if (!filler) {
      RECT text = r;
      InflateRect(&text, -6, 0);
      const TAlignment a = columns_->Items(i)->Alignment();
      UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                   (a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT);
      C->Brush()->SetStyle(bsClear);
      C->Font()->SetColor(clBtnText);
      String caption = columns_->Items(i)->Caption();
      DrawText(C->Handle(), caption.c_str(), static_cast<int>(caption.size()), &text, flags);
      C->Brush()->SetStyle(bsSolid);
      x = r.right;
    }
  }
}

void TListView::PaintRow(TCanvas* C, int Index) {
  TListItem* item = items_->Item(Index);
  const RECT row = ItemRect(Index);
  const bool selected = item == selected_;
  const TColor selBack = Focused() ? clHighlight : clBtnFace;
  const TColor selText = Focused() ? clHighlightText : clWindowText;
  int x = row.left;
  const int columns = std::max(1, columns_->Count());
  for (int col = 0; col < columns; ++col) {
    const int width = columns_->Count() ? columns_->Items(col)->Width() : row.right - row.left;
    RECT cell{x, row.top, x + width, row.bottom};
    x += width;
    String text = col == 0 ? item->Caption()
                           : col - 1 < item->SubItems()->Count() ? item->SubItems()->Strings(col - 1) : String();
    RECT textRect = cell;
    textRect.left += kTextIndent;
    if (col == 0 && checkboxes_) {
      RECT box = CheckBoxRect(Index);
      DrawFrameControl(C->Handle(), &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (item->Checked() ? DFCS_CHECKED : 0));
      textRect.left = box.right + 3;
    }
    const bool highlight = selected && (rowSelect_ || col == 0);
    if (highlight) {
      RECT back = textRect;
      if (!rowSelect_) back.right = std::min<int>(back.right, back.left + C->TextWidth(text) + 2 * kTextIndent);
      C->Brush()->SetColor(selBack);
      C->FillRect(back);
    }
    textRect.left += kTextIndent;
    textRect.right -= kTextIndent;
    const TAlignment a = columns_->Count() ? columns_->Items(col)->Alignment() : taLeftJustify;
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(highlight ? selText : Font()->Color());
    DrawText(C->Handle(), text.c_str(), static_cast<int>(text.size()), &textRect,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                 (a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT));
    C->Brush()->SetStyle(bsSolid);
    if (gridLines_) {
      C->Pen()->SetColor(clBtnFace);
      C->MoveTo(cell.right - 1, cell.top);
      C->LineTo(cell.right - 1, cell.bottom);
    }
  }
  if (gridLines_) {
    C->Pen()->SetColor(clBtnFace);
    C->MoveTo(row.left, row.bottom - 1);
    C->LineTo(row.right, row.bottom - 1);
  }
}

void TListView::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  const int last = std::min(items_->Count(), top_ + VisibleRowCount() + 1);
  for (int i = top_; i < last; ++i) PaintRow(c, i);
  if (HeaderHeight() > 0) PaintHeader(c);
}
