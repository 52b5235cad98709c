#include "dx/bars/dxBarButtonControl.h"

#include <algorithm>

#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "dx/bars/dxBarStretchedImage.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/forms/ImgList.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarButtonControl)

TdxBarButtonControl::TdxBarButtonControl(TdxBarItemLink* ALink) : TdxBarItemControl(ALink) {}

TdxBarButtonControl::~TdxBarButtonControl() { CloseDropDownMenu(); }

bool TdxBarButtonControl::IsDropDownButton() const {
  TdxBarButton* button = Button();
  return button && button->ButtonStyle() == bsDropDown;
}

void TdxBarButtonControl::CloseDropDownMenu() {
  if (!droppedDown_) return;
  // The menu that was opened, not the button's current one: the button may have let go of it (or
  // be gone) while the menu is still open. A freed menu has told this control through CloseUp.
  TdxBarPopupMenu* menu = droppedMenu_;
  droppedDown_ = false;
  droppedMenu_ = nullptr;
  if (menu && menu->MenuControl()) {
    menu->MenuControl()->OwnerCloseUp = nullptr;
    menu->MenuControl()->CloseMenu();
  }
}

void TdxBarButtonControl::ControlInactivate(bool Immediately) {
  CloseDropDownMenu();
  TdxBarItemControl::ControlInactivate(Immediately);
}

bool TdxBarButtonControl::WantsKey(WORD Key) const {
  if (!IsDropDownButton()) return false;
  return InMenu() ? Key == VK_RIGHT : (Key == VK_UP || Key == VK_DOWN);
}

void TdxBarButtonControl::KeyDown(WORD Key) {
  if (Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) DropDown(false);
}

void TdxBarButtonControl::CloseUp() {
  droppedDown_ = false;
  droppedMenu_ = nullptr;
  Repaint();
  // A command run from the menu (or a click elsewhere) ends the toolbar's menu mode as well; keys
  // that only step back leave it.
  bool stepsBack = GetKeyState(VK_ESCAPE) < 0 || GetKeyState(VK_LEFT) < 0 || GetKeyState(VK_RIGHT) < 0;
  if (!stepsBack && Parent()) Parent()->Close();
}

void TdxBarButtonControl::DropDown(bool ByMouse) {
  TdxBarButton* button = Button();
  if (droppedDown_ || !IsEnabled() || !button || !button->DropDownEnabled() || !button->DropDownMenu()) return;
  droppedDown_ = true;
  ControlActivate(true);
  Repaint();
  TCustomdxBarControl* parent = Parent();
  RECT r = ItemLink()->ItemRect();
  bool beside = InMenu() || parent->IsVertical();
  POINT at = parent->ClientToScreen(beside ? POINT{r.right, r.top} : POINT{r.left, r.bottom});
  TdxBarPopupMenu* menu = button->DropDownMenu();
  droppedMenu_ = menu;
  menu->SetNonModal(true);
  TScopeExit modal([menu] { menu->SetNonModal(false); });
  menu->PopupEx(at.x, at.y, beside ? r.right - r.left : 0, beside ? 0 : r.bottom - r.top);
  TdxBarSubMenuControl* window = menu->MenuControl();
  if (!window) {
    droppedDown_ = false;
    droppedMenu_ = nullptr;
    return;
  }
  window->OwnerCloseUp = [this] { CloseUp(); };
  if (IsFlat()) {
    POINT topLeft = parent->ClientToScreen(POINT{r.left, r.top});
    window->SetOwnerRect(RECT{topLeft.x, topLeft.y, topLeft.x + r.right - r.left, topLeft.y + r.bottom - r.top});
    window->UpdateShadow();
  }
  if (!ByMouse) {
    TdxBarItemLink* first = menu->ItemLinks()->FirstSelectable();
    if (first) window->SelectItem(first->Control());
  }
}

bool TdxBarButtonControl::InMenu() const { return Parent() && Parent()->PaintKind() == kPaintMenu; }

bool TdxBarButtonControl::HasGlyph() const { return Item() && (!Item()->Glyph()->Empty() || ListImageIndex() >= 0); }

// The index of the manager's Images to show when the item has no glyph of its own, or -1.
int TdxBarButtonControl::ListImageIndex() const {
  TCustomImageList* images = BarManager() ? BarManager()->Images() : nullptr;
  const int index = Item() ? Item()->ImageIndex() : -1;
  return images && index >= 0 && index < images->Count() ? index : -1;
}

TdxBarPaintStyle TdxBarButtonControl::PaintStyle() const {
  TdxBarPaintStyle style = ItemLink()->PaintStyle();
  if (!InMenu() && style == psStandard && !HasGlyph()) return psCaption;
  return style;
}

bool TdxBarButtonControl::ShowsCaption() const {
  TdxBarPaintStyle style = PaintStyle();
  return style == psCaption || style == psCaptionGlyph;
}

int TdxBarButtonControl::GetArrowWidth() const { return BarManager()->ArrowWidth(); }

int TdxBarButtonControl::GetThickness() const {
  TCustomdxBarControl* parent = Parent();
  TdxBarManager* manager = BarManager();
  int thickness = parent->TextSize();
  bool rotated = parent->PaintKind() == kPaintRotated;
  if (InMenu()) {
    if (IsFlat()) thickness += 2;
  } else if (ShowsCaption()) {
    thickness = std::max(thickness, rotated ? manager->ButtonWidth() : manager->ButtonHeight());
  } else {
    thickness = manager->ButtonHeight();
  }
  TdxBarButton* button = Button();
  return thickness + (button && button->Lowered() ? 2 : 0);
}

int TdxBarButtonControl::GetLength() const {
  TCustomdxBarControl* parent = Parent();
  TdxBarManager* manager = BarManager();
  TCanvas* canvas = parent->Canvas();
  String caption = StripAccelerators(GetCaption());
  int length;
  if (InMenu()) {
    length = canvas->TextWidth(caption) + 2 * parent->TextSize() + 6;
    if (TShortCut shortCut = GetShortCut())
      length += canvas->TextWidth(ShortCutToText(shortCut)) + parent->TextSize() - 6;
    if (IsFlat()) length += 9;
  } else if (ShowsCaption()) {
    bool rotated = parent->PaintKind() == kPaintRotated;
    length = canvas->TextWidth(caption);
    if (PaintStyle() == psCaption)
      length += canvas->Font()->Size();
    else
      length += 4 + (rotated ? manager->ButtonHeight() : manager->ButtonWidth());
  } else {
    length = manager->ButtonWidth();
  }
  TdxBarButton* button = Button();
  return length + (button && button->Lowered() ? 2 : 0);
}

int TdxBarButtonControl::GetHeight() {
  if (Parent()->PaintKind() == kPaintRotated && ShowsCaption()) return GetLength();
  return GetThickness();
}

int TdxBarButtonControl::GetWidth() {
  int width = Parent()->PaintKind() == kPaintRotated && ShowsCaption() ? GetThickness() : GetLength();
  TdxBarButton* button = Button();
  if (!InMenu() && button && button->ButtonStyle() == bsDropDown) width += GetArrowWidth();
  return width;
}

bool TdxBarButtonControl::ClosesMenusOnClick() const {
  if (!InMenu()) return true;
  TdxBarButton* button = Button();
  return !button || button->CloseSubMenuOnClick();
}

bool TdxBarButtonControl::DrawSelected() const {
  return (IsSelected() && !Parent()->IsCustomizing()) || Pressed();
}

bool TdxBarButtonControl::PressedLook() const {
  TCustomdxBarControl* parent = Parent();
  TdxBarButton* button = Button();
  bool tracking = IsSelected() && parent->PressedControl() == this && parent->PressedInside() && !droppedDown_;
  return tracking || (Pressed() && !(button && button->ButtonStyle() == bsChecked));
}

void TdxBarButtonControl::ControlPress(bool) {
  if (IsDropDownButton() && GetKeyState(VK_LBUTTON) < 0) {
    POINT cursor;
    GetCursorPos(&cursor);
    POINT p = Parent()->ScreenToClient(cursor);
    RECT r = ItemLink()->ItemRect();
    if (p.x >= r.right - GetArrowWidth() && PtInRect(&r, p)) {
      DropDown(true);
      return;
    }
  }
  if (!InMenu() || IsDropDownButton()) Repaint();
}

void TdxBarButtonControl::Click(bool ByMouse) {
  if (droppedDown_) return;
  TdxBarButton* button = Button();
  if (button && button->ButtonStyle() == bsChecked) button->SetDown(!button->Down());
  ControlInactivate(true);
  if (InMenu()) PlayMenuSound(1);
  TdxBarItemControl::Click(ByMouse);
}

// A flat menu keeps its glyph column in the face colour, whatever the entries' background.
HBRUSH TdxBarButtonControl::GlyphColumnBrush() const {
  return IsFlat() && InMenu() ? Parent()->GetBackgroundBrush() : Parent()->ItemBrush();
}

void TdxBarButtonControl::DrawGlyphCell(const RECT& Cell, bool PressedLook, bool Down, bool Selected,
                                        bool NoGlyph) {
  TCustomdxBarControl* parent = Parent();
  HDC dc = parent->Canvas()->Handle();
  bool flat = IsFlat();
  HBRUSH brush;
  if (flat) {
    if (Selected && (Down || PressedLook))
      brush = parent->GetDownBrush();
    else if (Selected)
      brush = parent->GetSelectedBrush();
    else if (Down)
      brush = parent->GetDownPatternBrush();
    else
      brush = GlyphColumnBrush();
  } else {
    brush = Down && IsEnabled() ? (Selected ? parent->GetDownBrush() : parent->GetDownPatternBrush())
                                : parent->ItemBrush();
  }
  RECT fill = Cell;
  bool framed = Down || Selected;
  if (framed) InflateRect(&fill, -1, -1);
  FillRect(dc, &fill, brush);
  if (!NoGlyph && HasGlyph()) {
    TBitmap* glyph = Item()->Glyph();
    TCustomImageList* images = BarManager()->Images();
    const bool fromList = glyph->Empty();
    // Large icons double the toolbars' glyphs; menus keep theirs.
    const int scale = BarManager()->LargeIcons() && !InMenu() ? 2 : 1;
    const int width = (fromList ? images->Width() : glyph->Width()) * scale;
    const int height = (fromList ? images->Height() : glyph->Height()) * scale;
    int size = BarManager()->ButtonWidth();
    int cellRight = std::min<LONG>(Cell.right, Cell.left + size);
    int x = Cell.left + (cellRight - Cell.left - width) / 2;
    int y = Cell.top + (Cell.bottom - Cell.top - height) / 2;
    if (!flat && Down) ++x, ++y;
    if (!flat && PressedLook) ++x, ++y;
    const RECT target{x, y, x + width, y + height};
    if (fromList && scale != 1)
      DrawStretchedListImage(images, parent->Canvas(), target, ListImageIndex(), IsEnabled());
    else if (fromList)
      images->Draw(parent->Canvas(), x, y, ListImageIndex(), IsEnabled());
    else if (scale != 1)
      parent->Canvas()->StretchDraw(target, glyph);
    else
      parent->Canvas()->Draw(x, y, glyph);
  }
  if (!framed) return;
  RECT frame = Cell;
  if (flat)
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
  else
    DrawEdge(dc, &frame, Down || PressedLook ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void TdxBarButtonControl::DrawCaption(RECT R, bool PressedLook, bool Down, bool Selected) {
  TCustomdxBarControl* parent = Parent();
  TCanvas* canvas = parent->Canvas();
  HDC dc = canvas->Handle();
  if (PaintStyle() == psCaption)
    R.left += canvas->Font()->Size() / 2;
  else
    R.left += BarManager()->ButtonWidth();
  if (!IsFlat()) {
    int shift = (Down ? 1 : 0) + (PressedLook ? 1 : 0);
    OffsetRect(&R, shift, shift);
  }
  String caption = GetCaption();
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, canvas->Font()->Handle());
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP;
  auto draw = [&](RECT r, int color) {
    SetTextColor(dc, GetSysColor(color));
    ::DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &r, format);
  };
  if (!IsEnabled()) {
    if (IsFlat() || Selected) {
      draw(R, COLOR_GRAYTEXT);
    } else {
      RECT shadow = R;
      OffsetRect(&shadow, 1, 1);
      draw(shadow, COLOR_BTNHIGHLIGHT);
      draw(R, COLOR_BTNSHADOW);
    }
    return;
  }
  bool highlight = IsFlat() && (PressedLook || (Down && Selected));
  draw(R, highlight ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
}

void TdxBarButtonControl::DrawText(RECT R, const String& Text, UINT Format, bool Selected) {
  HDC dc = Parent()->Canvas()->Handle();
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Parent()->Canvas()->Font()->Handle());
  auto draw = [&](RECT r, int color) {
    SetTextColor(dc, GetSysColor(color));
    ::DrawText(dc, Text.c_str(), static_cast<int>(Text.size()), &r, Format | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  };
  if (IsEnabled()) {
    draw(R, Selected && !IsFlat() ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
  } else if (Selected || IsFlat()) {
    draw(R, COLOR_GRAYTEXT);
  } else {
    RECT shadow = R;
    OffsetRect(&shadow, 1, 1);
    draw(shadow, COLOR_BTNHIGHLIGHT);
    draw(R, COLOR_BTNSHADOW);
  }
}

void TdxBarButtonControl::PaintMenuItem(const RECT& R) {
  TCustomdxBarControl* parent = Parent();
  HDC dc = parent->Canvas()->Handle();
  TdxBarButton* button = Button();
  bool selected = DrawSelected();
  bool down = button && button->Down();
  bool showGlyph = PaintStyle() != psCaption && PaintStyle() != psCaptionInMenu ? true : false;
  showGlyph = showGlyph && HasGlyph();
  int cell = R.bottom - R.top;
  RECT glyph{R.left, R.top, R.left + cell, R.bottom};
  if (showGlyph || down) {
    DrawGlyphCell(glyph, false, down, selected && showGlyph, !showGlyph);
  } else {
    FillRect(dc, &glyph, selected && !IsFlat() ? parent->GetSelectedBrush() : GlyphColumnBrush());
  }
  if (down && !showGlyph) {
    // The check mark of a down button without a glyph.
    int u = parent->Canvas()->Font()->Size() >= 16 ? 2 : 1;
    int x = glyph.left + (cell - 9 * u) / 2, y = glyph.top + (cell - 7 * u) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(IsEnabled() ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, pen);
    for (int r = 0; r < 2 * u; ++r) {
      POINT tick[] = {{x + u, y + r + 2 * u}, {x + 3 * u, y + r + 4 * u}, {x + 8 * u, y + r - u}};
      Polyline(dc, tick, 3);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  RECT caption{glyph.right + (IsFlat() ? 2 : 1), R.top, R.right, R.bottom};
  RECT gap{glyph.right, R.top, caption.left, R.bottom};
  FillRect(dc, &gap, selected && (IsFlat() || !showGlyph) ? parent->GetSelectedBrush() : GlyphColumnBrush());
  FillRect(dc, &caption, selected ? parent->GetSelectedBrush() : parent->ItemBrush());
  RECT text = caption;
  text.left += IsFlat() ? 8 : 2;
  DrawText(text, GetCaption(), DT_LEFT, selected);
  if (TShortCut shortCut = GetShortCut()) {
    RECT right = caption;
    right.right -= cell + 5;
    DrawText(right, ShortCutToText(shortCut), DT_RIGHT | DT_NOPREFIX, selected);
  }
}

void TdxBarButtonControl::Paint(const RECT& R, int Kind) {
  if (IsRectEmpty(&R)) return;
  if (Kind == kPaintMenu) {
    PaintMenuItem(R);
    return;
  }
  RECT r = R;
  TdxBarButton* button = Button();
  HDC dc = Parent()->Canvas()->Handle();
  if (button && button->Lowered()) {
    if (IsFlat())
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    else
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
  }
  RECT arrow{};
  bool dropDown = button && button->ButtonStyle() == bsDropDown;
  if (dropDown) {
    arrow = r;
    arrow.left = r.right - GetArrowWidth();
    r.right = arrow.left;
  }
  bool pressed = PressedLook();
  bool down = button && button->Down();
  bool selected = DrawSelected();
  DrawGlyphCell(r, pressed, down, selected, PaintStyle() == psCaption);
  if (ShowsCaption()) DrawCaption(r, pressed, down, selected);
  if (dropDown) {
    FillRect(dc, &arrow, selected ? Parent()->GetSelectedBrush() : Parent()->ItemBrush());
    if (selected && !IsFlat()) DrawEdge(dc, &arrow, droppedDown_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    int size = ArrowSizeFor(arrow, true);
    int x = arrow.left + (arrow.right - arrow.left - (2 * size - 1)) / 2;
    int y = arrow.top + (arrow.bottom - arrow.top - size) / 2;
    bool enabled = IsEnabled() && button->DropDownEnabled();
    HBRUSH brush = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
    for (int row = 0; row < size; ++row) {
      RECT line{x + row, y + row, x + 2 * size - 1 - row, y + row + 1};
      FillRect(dc, &line, brush);
    }
  }
}
