#include "dx/bars/dxBarSubItemControl.h"

#include <algorithm>

#include "dx/bars/dxBarContainerItem.h"
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Text.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarSubItemControl)
TRENVIK_IMPLEMENT_CLASS(TdxBarContainerItemControl)

namespace {

constexpr UINT kSubMenuHoverDelay = 400;

// The library's one pending hover: a control whose menu opens or closes when the timer fires.
struct TPendingSubMenu {
  TdxBarSubItemControl* control = nullptr;
  bool opens = false;
  UINT_PTR timer = 0;
};

TPendingSubMenu& PendingSubMenu() {
  static TPendingSubMenu pending;
  return pending;
}

void CancelPendingSubMenu() {
  TPendingSubMenu& pending = PendingSubMenu();
  if (pending.timer) KillTimer(nullptr, pending.timer);
  pending = TPendingSubMenu{};
}

void PendingSubMenuFired(HWND, UINT, UINT_PTR, DWORD) {
  TPendingSubMenu fired = PendingSubMenu();
  CancelPendingSubMenu();
  if (!fired.control) return;
  try {
    if (fired.opens)
      fired.control->ControlActivate(true);
    else
      fired.control->ControlInactivate(true);
  } catch (const Exception&) {
    // A handler failing while a menu opens or closes is no reason to stop the user's work.
  }
}

void StartPendingSubMenu(TdxBarSubItemControl* Control, bool Opens) {
  CancelPendingSubMenu();
  TPendingSubMenu& pending = PendingSubMenu();
  pending.control = Control;
  pending.opens = Opens;
  pending.timer = SetTimer(nullptr, 0, kSubMenuHoverDelay, &PendingSubMenuFired);
}

}  // namespace

bool TdxBarSubItemControl::HasPendingTimer() { return PendingSubMenu().control != nullptr; }

TdxBarSubItemControl::TdxBarSubItemControl(TdxBarItemLink* ALink) : TdxBarItemControl(ALink) {}

TdxBarSubItemControl::~TdxBarSubItemControl() {
  if (PendingSubMenu().control == this) CancelPendingSubMenu();
  if (subMenu_) {
    TdxBarSubMenuControl* menu = subMenu_;
    subMenu_ = nullptr;
    menu->OwnerCloseUp = nullptr;
    menu->CloseMenu();
  }
}

bool TdxBarSubItemControl::InMenu() const { return Parent() && Parent()->PaintKind() == kPaintMenu; }

int TdxBarSubItemControl::GetThickness() const {
  TCustomdxBarControl* parent = Parent();
  int textSize = parent->TextSize();
  if (InMenu()) return textSize + (IsFlat() ? 2 : 0);
  TdxBarManager* manager = BarManager();
  bool hasGlyph = !SubItem()->Glyph()->Empty();
  int thickness = 0;
  if (hasGlyph || !SubItem()->ShowCaption())
    thickness = parent->PaintKind() == kPaintRotated ? manager->ButtonWidth() : manager->ButtonHeight();
  if (thickness == 0 || (SubItem()->ShowCaption() && thickness < textSize)) thickness = textSize;
  return thickness;
}

int TdxBarSubItemControl::GetLength() const {
  TCustomdxBarControl* parent = Parent();
  TCanvas* canvas = parent->Canvas();
  int textWidth = canvas->TextWidth(StripAccelerators(GetCaption()));
  if (InMenu()) return textWidth + 2 * parent->TextSize() + 3 + (IsFlat() ? 9 : 0);
  TdxBarManager* manager = BarManager();
  bool showCaption = SubItem()->ShowCaption();
  int length = showCaption ? textWidth : 0;
  if (!SubItem()->Glyph()->Empty() || !showCaption) {
    length += parent->PaintKind() == kPaintRotated ? manager->ButtonHeight() : manager->ButtonWidth();
    if (showCaption) length += 4;
  } else {
    auto* toolbar = dynamic_cast<TdxBarControl*>(parent);
    bool mainMenu = toolbar && toolbar->Bar()->IsMainMenu();
    length += 2 * (IsFlat() && mainMenu ? 8 : std::abs(canvas->Font()->Height()) / 2);
  }
  auto* toolbar = dynamic_cast<TdxBarControl*>(parent);
  if (!(toolbar && toolbar->Bar()->IsMainMenu())) length += parent->TextSize() / 2;
  return length;
}

int TdxBarSubItemControl::GetHeight() {
  if (Parent()->PaintKind() == kPaintRotated) return GetLength();
  return GetThickness();
}

int TdxBarSubItemControl::GetWidth() {
  if (Parent()->PaintKind() == kPaintRotated) return GetThickness();
  return GetLength();
}

bool TdxBarSubItemControl::WantsKey(WORD Key) const {
  if (InMenu()) return Key == VK_RIGHT;
  return Key == VK_UP || Key == VK_DOWN;
}

void TdxBarSubItemControl::KeyDown(WORD) {
  if (!InMenu()) Parent()->SetMenuDropped(true);
  ControlClick(false);
}

TdxBarSubMenuControl* TdxBarSubItemControl::CreateSubMenu() {
  auto* menu = new TdxBarSubMenuControl(BarManager());
  menu->SetItemLinks(SubItem()->ItemLinks());
  SubItem()->ItemLinks()->SetBarControl(menu);
  return menu;
}

void TdxBarSubItemControl::OpenMenu() {
  if (subMenu_) return;
  if (PendingSubMenu().control == this) CancelPendingSubMenu();
  TCustomdxBarSubItem* item = SubItem();
  TCustomdxBarControl* parent = Parent();
  TdxBarItemLink* link = ItemLink();
  item->Popup();
  item->DirectClick();
  // A handler may have rebuilt or closed the bar window.
  if (!IsBarControlAlive(parent) || link->Control() != this) return;
  TdxBarSubMenuControl* menu = CreateSubMenu();
  if (!menu) return;
  RECT r = link->ItemRect();
  POINT at;
  if (InMenu()) {
    at = POINT{r.right, r.top - (IsFlat() ? 2 : 3)};
    menu->SetOwnerExtent(r.right - r.left, 0);
  } else if (parent->IsVertical()) {
    at = POINT{r.right, r.top};
    menu->SetOwnerExtent(r.right - r.left, 0);
  } else {
    at = POINT{r.left, r.bottom};
    menu->SetOwnerExtent(0, r.bottom - r.top);
  }
  at = parent->ClientToScreen(at);
  menu->SetBounds(at.x, at.y, 0, 0);
  menu->SetParentBarControl(parent);
  menu->SetOwnerControl(this);
  menu->OwnerCloseUp = [this] {
    subMenu_ = nullptr;
    Repaint();
    SubItem()->CloseUp();
  };
  subMenu_ = menu;
  if (!InMenu()) parent->SetMenuDropped(true);
  if (IsFlat() && !InMenu()) {
    POINT topLeft = parent->ClientToScreen(POINT{r.left, r.top});
    menu->SetOwnerRect(RECT{topLeft.x, topLeft.y, topLeft.x + r.right - r.left, topLeft.y + r.bottom - r.top});
  }
  Repaint();
  menu->Show();
}

void TdxBarSubItemControl::CloseMenu() {
  if (PendingSubMenu().control == this) CancelPendingSubMenu();
  if (!subMenu_) return;
  TdxBarSubMenuControl* menu = subMenu_;
  subMenu_ = nullptr;
  menu->OwnerCloseUp = nullptr;
  menu->CloseMenu();
  Repaint();
  SubItem()->CloseUp();
}

void TdxBarSubItemControl::ControlActivate(bool Immediately) {
  if (!CanOpen()) return;
  if (subMenu_) {
    if (PendingSubMenu().control == this) CancelPendingSubMenu();
    TdxBarItemControl::ControlActivate(Immediately);
    return;
  }
  TdxBarItemControl::ControlActivate(Immediately);
  if (!IsEnabled() && !SubItem()->IsDesigning()) return;
  TCustomdxBarControl* parent = Parent();
  if (!InMenu()) {
    if (parent->IsCustomizing() || parent->MenuDropped()) {
      openedByPress_ = GetKeyState(VK_LBUTTON) < 0;
      OpenMenu();
    }
    return;
  }
  if (!Immediately && !parent->IsCustomizing()) {
    TdxBarSubItemControl* previous = PendingSubMenu().control;
    CancelPendingSubMenu();
    // The entry that opened this menu keeps its menu; any other pending one closes now.
    if (previous && previous != this && previous->subMenu_ != parent) previous->ControlInactivate(true);
    StartPendingSubMenu(this, true);
    return;
  }
  OpenMenu();
}

void TdxBarSubItemControl::ControlInactivate(bool Immediately) {
  if (!CanOpen()) return;
  TCustomdxBarControl* parent = Parent();
  bool immediate = Immediately || !InMenu();
  if (!immediate && !PendingSubMenu().control && subMenu_ && IsBarControlAlive(parent) &&
      !parent->ComponentState().Contains(csDestroying) && !parent->IsCustomizing()) {
    StartPendingSubMenu(this, false);
    return;
  }
  TdxBarItemControl::ControlInactivate(true);
  openedByPress_ = false;
  CloseMenu();
}

void TdxBarSubItemControl::ControlPress(bool ByMouse) {
  if (subMenu_) {
    bool keep = openedByPress_;
    openedByPress_ = false;
    if (keep) return;
    if (Parent()->IsCustomizing() || BarManager()->Style() == bmsStandard) {
      CloseMenu();
      if (!InMenu()) Parent()->SetMenuDropped(false);
    }
    return;
  }
  OpenMenu();
  if (ByMouse || !subMenu_) return;
  if (TdxBarItemLink* first = SubItem()->ItemLinks()->FirstSelectable()) subMenu_->SelectItem(first->Control());
}

void TdxBarSubItemControl::DrawArrow(const RECT& Area, bool Down, int Color) {
  HDC dc = Parent()->Canvas()->Handle();
  HBRUSH brush = GetSysColorBrush(Color);
  int size = std::max(Parent()->ArrowSize() - (InMenu() ? 0 : 1), 2);
  int cx = (Area.left + Area.right) / 2, cy = (Area.top + Area.bottom) / 2;
  for (int i = 0; i < size; ++i) {
    RECT line = Down ? RECT{cx - size + 1 + i, cy - size / 2 + i, cx + size - i, cy - size / 2 + i + 1}
                     : RECT{cx - size / 2 + i, cy - size + 1 + i, cx - size / 2 + i + 1, cy + size - i};
    FillRect(dc, &line, brush);
  }
}

void TdxBarSubItemControl::PaintMenuRow(const RECT& R) {
  TCustomdxBarControl* parent = Parent();
  HDC dc = parent->Canvas()->Handle();
  bool selected = DrawSelected();
  FillRect(dc, &R, selected ? parent->GetSelectedBrush() : parent->ItemBrush());
  if (IsFlat() && selected) FrameRect(dc, &R, GetSysColorBrush(COLOR_HIGHLIGHT));
  if (IsFlat() && !selected) {
    // The glyph column keeps the face colour, as the buttons' does.
    RECT column{R.left, R.top, R.left + (R.bottom - R.top) + 2, R.bottom};
    FillRect(dc, &column, parent->GetBackgroundBrush());
  }
  RECT text{R.left + (R.bottom - R.top) + (IsFlat() ? 10 : 3), R.top, R.right, R.bottom};
  int color = !IsEnabled() ? COLOR_GRAYTEXT : selected && !IsFlat() ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
  String caption = GetCaption();
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, parent->Canvas()->Font()->Handle());
  SetTextColor(dc, GetSysColor(color));
  ::DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  RECT arrow{R.right - (parent->TextSize() - parent->ArrowSize()), R.top, R.right, R.bottom};
  DrawArrow(arrow, false, color);
}

void TdxBarSubItemControl::PaintToolbar(const RECT& R, int Kind) {
  TCustomdxBarControl* parent = Parent();
  HDC dc = parent->Canvas()->Handle();
  bool selected = DrawSelected();
  bool open = IsOpen();
  bool flat = IsFlat();
  FillRect(dc, &R, open && !flat ? parent->GetDownBrush() : selected && flat ? parent->GetSelectedBrush() : parent->ItemBrush());
  if (open || selected) {
    RECT frame = R;
    if (flat)
      FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
    else
      DrawEdge(dc, &frame, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  auto* toolbar = dynamic_cast<TdxBarControl*>(parent);
  bool mainMenu = toolbar && toolbar->Bar()->IsMainMenu();
  int arrowArea = mainMenu ? 0 : std::abs(parent->Canvas()->Font()->Height()) / 2 + parent->TextSize() / 2;
  if (SubItem()->ShowCaption()) {
    RECT text = R;
    text.left += flat && mainMenu ? 8 : std::abs(parent->Canvas()->Font()->Height()) / 2;
    text.right -= arrowArea;
    if (open && !flat) OffsetRect(&text, 1, 1);
    String caption = GetCaption();
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, parent->Canvas()->Font()->Handle());
    SetTextColor(dc, GetSysColor(IsEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    ::DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
  }
  if (mainMenu) return;
  RECT arrow = R;
  if (Kind == kPaintRotated)
    arrow.top = R.bottom - arrowArea;
  else
    arrow.left = R.right - arrowArea;
  DrawArrow(arrow, Kind != kPaintRotated, IsEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}

void TdxBarSubItemControl::Paint(const RECT& R, int Kind) {
  if (IsRectEmpty(&R)) return;
  if (Kind == kPaintMenu)
    PaintMenuRow(R);
  else
    PaintToolbar(R, Kind);
}

TCustomdxBarContainerItem* TdxBarContainerItemControl::Container() const {
  return static_cast<TCustomdxBarContainerItem*>(Item());
}

TdxBarSubMenuControl* TdxBarContainerItemControl::CreateSubMenu() {
  if (Parent()->IsCustomizing()) return nullptr;
  TCustomdxBarContainerItem* container = Container();
  TdxBarSubMenuControl* menu = TdxBarSubItemControl::CreateSubMenu();
  container->AddListItems(container->ItemLinks(), 0, ItemLink(), true);
  menu->CloseUpNotify = [container](TdxBarSubMenuControl*) {
    container->DeleteListItems(container->ItemLinks(), 0);
    container->SetNeedsClear(true);
  };
  return menu;
}
