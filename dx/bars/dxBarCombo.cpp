#include "dx/bars/dxBarCombo.h"

#include <algorithm>

#include "dx/bars/dxBarComboControl.h"
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarDropDownListBox.h"
#include "dx/bars/dxBarServices.h"
#include "platform/classes/Published.h"
#include "platform/forms/Canvas.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Metrics.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TCustomdxBarCombo) {
  P.Property("ShowEditor", &TCustomdxBarCombo::ShowEditor, &TCustomdxBarCombo::SetShowEditor).Default(true);
}

TRENVIK_PUBLISHED(TdxBarCustomCombo) {
  P.Property("DropDownCount", &TdxBarCustomCombo::DropDownCount, &TdxBarCustomCombo::SetDropDownCount).Default(8);
  P.Property("DropDownWidth", &TdxBarCustomCombo::DropDownWidth, &TdxBarCustomCombo::SetDropDownWidth).Default(0);
}

TRENVIK_PUBLISHED(TdxBarCombo) {
  P.Property("ItemHeight", &TdxBarCombo::ItemHeight, &TdxBarCombo::SetItemHeight).Default(0);
  P.Property("Items", &TdxBarCombo::Items, &TdxBarCombo::SetItems);
  P.Property("Sorted", &TdxBarCombo::Sorted, &TdxBarCombo::SetSorted).Default(false);
  P.Property("ItemIndex", &TdxBarCombo::ItemIndex, &TdxBarCombo::SetItemIndex).NoDefault();
}

namespace {

// The list's frame, both sides together.
constexpr int kComboListFrame = 2;

}  // namespace

POINT PlaceDropDownWindow(POINT P, SIZE Window, const RECT& Control, bool Beside, const RECT& WorkArea) {
  int controlWidth = Control.right - Control.left;
  int controlHeight = Control.bottom - Control.top;
  if (Beside) {
    if (P.x + Window.cx > WorkArea.right && WorkArea.right - Control.right < Control.left - WorkArea.left)
      P.x = P.x - controlWidth - Window.cx;
    if (P.y + Window.cy > WorkArea.bottom) P.y = WorkArea.bottom - Window.cy;
  } else {
    if (P.x + Window.cx > WorkArea.right) P.x = WorkArea.right - Window.cx;
    if (P.y + Window.cy > WorkArea.bottom && WorkArea.bottom - Control.bottom < Control.top - WorkArea.top)
      P.y = P.y - controlHeight - Window.cy;
  }
  P.x = std::max<LONG>(P.x, WorkArea.left);
  P.y = std::max<LONG>(P.y, WorkArea.top);
  return P;
}

// --- TCustomdxBarCombo ---

TCustomdxBarCombo::TCustomdxBarCombo(TComponent* AOwner) : TdxBarEdit(AOwner) {}

void TCustomdxBarCombo::SetShowEditor(bool Value) {
  if (ShowEditor() == Value) return;
  SetNoEditor(!Value);
  RefreshControls();
}

bool TCustomdxBarCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
  bool accept = Key != VK_ESCAPE && Key != VK_RETURN && Key != VK_TAB;
  if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(this, Key, Shift, accept);
  return accept;
}

HWND TCustomdxBarCombo::GetDropDownWindow() {
  HWND window = nullptr;
  if (OnGetDropDownWindow) OnGetDropDownWindow(this, window);
  return window;
}

TdxBarItemLink* TCustomdxBarCombo::CurItemLink() const {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemControl* control = Links(i)->Control();
    auto* windowed = dynamic_cast<TdxBarWinControl*>(control);
    if (control && (control->Active() || (windowed && windowed->Focused()))) return Links(i);
  }
  return nullptr;
}

void TCustomdxBarCombo::DropDown(int X, int Y) {
  if (OnDropDown) OnDropDown(this);
  BeforeDropDown();
  HWND window = GetDropDownWindow();
  if (!window) return;
  InitDropDownWindow();
  RECT bounds;
  GetWindowRect(window, &bounds);
  SIZE size{bounds.right - bounds.left, bounds.bottom - bounds.top};
  RECT control{X, Y, X, Y};
  bool beside = false;
  if (TdxBarItemLink* link = CurItemLink()) {
    TCustomdxBarControl* bar = link->Control()->Parent();
    control = link->ItemRect();
    MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&control), 2);
    beside = bar->PaintKind() == 1 || bar->IsVertical();
  }
  POINT at = PlaceDropDownWindow(POINT{X, Y}, size, control, beside, GetWorkAreaAt(POINT{X, Y}));
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  AfterDropDown();
}

void TCustomdxBarCombo::CloseUp() {
  if (HWND window = GetDropDownWindow()) ShowWindow(window, SW_HIDE);
  if (OnCloseUp) OnCloseUp(this);
}

// --- TdxBarCustomCombo ---

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* AOwner)
    : TCustomdxBarCombo(AOwner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = [this](TObject*) { ItemsChanged(); };
  listBox_ = std::make_unique<TdxBarDropDownListBox>(this);
}

TdxBarCustomCombo::~TdxBarCustomCombo() {
  // The controls go with the links after this part of the item is gone: close their lists now.
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* control = dynamic_cast<TCustomdxBarComboControl*>(Links(i)->Control())) control->SetDroppedDown(false);
  items_->OnChange = nullptr;
}

void TdxBarCustomCombo::SetItemIndex(int Value) {
  if (Value < 0 || Value >= items_->Count()) Value = -1;
  if (itemIndex_ == Value) return;
  itemIndex_ = Value;
  String text = Value >= 0 ? items_->Strings(Value) : String();
  if (text != Text()) {
    TdxBarEdit::SetText(text);
    return;
  }
  RefreshControls();
  Change();
  RefreshControls();
}

void TdxBarCustomCombo::SetSorted(bool Value) {
  items_->SetSorted(Value);
  upperItemsStale_ = true;
  itemIndex_ = items_->IndexOf(Text());
}

void TdxBarCustomCombo::ItemsChanged() {
  upperItemsStale_ = true;
  if (itemIndex_ >= items_->Count())
    itemIndex_ = -1;
  else
    RefreshControls();
}

void TdxBarCustomCombo::SetText(const String& Value) {
  if (itemIndex_ == -1 || items_->Strings(itemIndex_) != Value) itemIndex_ = items_->IndexOf(Value);
  TdxBarEdit::SetText(Value);
}

void TdxBarCustomCombo::CurChange() {
  TCustomdxBarCombo::CurChange();
  SyncListWithText();
}

bool TdxBarCustomCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
  bool noShift = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  return noShift && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN);
}

HWND TdxBarCustomCombo::GetDropDownWindow() {
  if (HWND window = TCustomdxBarCombo::GetDropDownWindow()) return window;
  return listBox_->HandleAllocated() ? listBox_->Handle() : nullptr;
}

void TdxBarCustomCombo::BeforeDropDown() {
  TdxBarItemLink* link = CurItemLink();
  HWND owner = link && link->Control() ? link->Control()->Parent()->Handle() : nullptr;
  if (BarManager()) {
    listBox_->Font()->Assign(BarManager()->Font());
    listBox_->Canvas()->Font()->Assign(BarManager()->Font());
  }
  listBox_->HandleNeeded();
  SetWindowLongPtr(listBox_->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void TdxBarCustomCombo::InitDropDownWindow() {
  if (GetDropDownWindow() != listBox_->Handle()) return;
  listBox_->Fill();
  int rows = std::min(items_->Count(), dropDownCount_);
  SetWindowPos(listBox_->Handle(), nullptr, 0, 0, GetDropDownWidth(), kComboListFrame + listBox_->RowsHeight(rows),
               SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

void TdxBarCustomCombo::AfterDropDown() {
  if (GetDropDownWindow() != listBox_->Handle()) return;
  bool pressed = GetKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0;
  listBox_->SetPressPending(pressed);
  if (pressed) SetCapture(listBox_->Handle());
  SyncListWithText();
}

void TdxBarCustomCombo::CloseUp() {
  if (listBox_->HandleAllocated() && GetCapture() == listBox_->Handle()) ReleaseCapture();
  TCustomdxBarCombo::CloseUp();
}

int TdxBarCustomCombo::FindPrefix(const String& Text) const {
  if (Text.empty()) return -1;
  String text = AnsiUpperCase(Text);
  if (upperItemsStale_) {
    upperItems_.clear();
    for (int i = 0; i < items_->Count(); ++i) upperItems_.push_back(AnsiUpperCase(items_->Strings(i)));
    upperItemsStale_ = false;
  }
  int best = -1;
  size_t bestLength = 0;
  for (int i = 0; i < static_cast<int>(upperItems_.size()); ++i) {
    const String& candidate = upperItems_[i];
    size_t common = 0;
    while (common < text.size() && common < candidate.size() && text[common] == candidate[common]) ++common;
    if (common == text.size()) return i;
    if (common > bestLength) {
      best = i;
      bestLength = common;
    }
  }
  return best;
}

void TdxBarCustomCombo::SyncListWithText() {
  TdxBarWinControl* focused = FocusedControl();
  auto* control = dynamic_cast<TdxBarComboControl*>(focused);
  if (!control) return;
  String text = control->GetText();
  int index = control->CurItemIndex();
  if (index < 0 || index >= items_->Count() || items_->Strings(index) != text) index = FindPrefix(text);
  control->MatchCurItemIndex(index);
  if (!control->DroppedDown() || GetDropDownWindow() != listBox_->Handle()) return;
  if (index >= 0 && AnsiSameText(items_->Strings(index), text)) {
    listBox_->SetItemIndex(index);
  } else {
    listBox_->SetItemIndex(-1);
    listBox_->SetTopIndex(index);
  }
}

TCanvas* TdxBarCustomCombo::GetCanvas() const { return paintCanvas_ ? paintCanvas_ : listBox_->Canvas(); }

void TdxBarCustomCombo::MeasureItem(int Index, int& Height) {
  Height = itemHeight_ >= 1 ? itemHeight_ : GetCanvas()->TextHeight(u"Qq");
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TdxBarCustomCombo::MeasureItemWidth(int Index, int& Width) {
  Width = GetCanvas()->TextWidth(items_->Strings(Index)) + 2;
}

int TdxBarCustomCombo::GetDropDownWidth() {
  if (dropDownWidth_ >= 1) return dropDownWidth_;
  int width = dropDownWidth_;
  TdxBarItemLink* link = CurItemLink();
  auto* control = link ? dynamic_cast<TdxBarEditControl*>(link->Control()) : nullptr;
  if (control) width = control->Width() - control->CaptionWidth() - 4;
  bool scrolls = items_->Count() > dropDownCount_;
  int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  if (scrolls) width -= scrollBar;
  for (int i = 0; i < items_->Count(); ++i) {
    int itemWidth = 0;
    MeasureItemWidth(i, itemWidth);
    width = std::max(width, itemWidth);
  }
  return width + kComboListFrame + (scrolls ? scrollBar : 0);
}

void TdxBarCustomCombo::DrawItem(int Index, RECT R, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, R, State);
    return;
  }
  TCanvas* canvas = GetCanvas();
  HDC dc = canvas->Handle();
  FillRect(dc, &R, canvas->Brush()->Handle());
  String text = Index < 0 ? Text() : items_->Strings(Index);
  RECT r = R;
  r.left += 2;
  if (paintCanvas_ && paintFlat_) r.top += 2;
  SetBkMode(dc, TRANSPARENT);
  // The interior's colours and font are the bar control's; the list's are its canvas's.
  if (!paintCanvas_) {
    SelectObject(dc, canvas->Font()->Handle());
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
  }
  ::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if (State.Contains(odFocused)) DrawFocusRect(dc, &R);
}

void TdxBarCustomCombo::DrawInterior(TCanvas* Canvas, RECT R, TdxBarItemLink* Link) {
  auto* control = Link ? dynamic_cast<TdxBarComboControl*>(Link->Control()) : nullptr;
  int index = control && control->Focused() ? control->CurItemIndex() : itemIndex_;
  TValueScope painting(paintCanvas_, Canvas);
  TValueScope flat(paintFlat_, control && control->IsFlat());
  DrawItem(index, R, TOwnerDrawState{});
}
