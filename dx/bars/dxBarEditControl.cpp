#include "dx/bars/dxBarEditControl.h"

#include <algorithm>

#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarServices.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/native/EditControls.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarEditControl)

TdxBarEditControl::TdxBarEditControl(TdxBarItemLink* ALink) : TdxBarWinControl(ALink) {
  // The flat look sets a formatting rectangle, which only a multi-line edit has.
  CreateWindowHandle(IsFlat() ? ES_MULTILINE : 0);
  if (EditHandle()) SendMessage(EditHandle(), EM_LIMITTEXT, static_cast<WPARAM>(Edit()->MaxLength()), 0);
}

TdxBarEditControl::~TdxBarEditControl() { DestroyWindowHandle(); }

bool TdxBarEditControl::InMenu() const { return Parent() && Parent()->PaintKind() == kPaintMenu; }

bool TdxBarEditControl::CaptionShown() const { return InMenu() || Edit()->ShowCaption(); }

int TdxBarEditControl::CaptionWidth() const {
  if (!CaptionShown()) return 0;
  return Parent()->Canvas()->TextWidth(StripAccelerators(GetCaption())) + (IsFlat() ? 11 : 6);
}

int TdxBarEditControl::GetHeight() {
  int height = Parent()->EditHeight();
  return CaptionShown() ? std::max(height, Parent()->TextSize()) : height;
}

int TdxBarEditControl::GetWidth() {
  TdxBarItemLink* link = ItemLink();
  int width = link->UserDefine().Contains(udWidth) ? link->UserWidth() : Edit()->Width();
  return CaptionWidth() + width;
}

bool TdxBarEditControl::DrawSelected() const { return IsSelected() && !Parent()->IsCustomizing(); }

void TdxBarEditControl::PaintFrame(RECT& R) {
  TCustomdxBarControl* parent = Parent();
  HDC dc = parent->Canvas()->Handle();
  bool flat = IsFlat();
  bool selected = DrawSelected();
  bool menu = InMenu();
  if (CaptionShown()) {
    String caption = GetCaption();
    int textWidth = parent->Canvas()->TextWidth(StripAccelerators(caption));
    RECT part{R.left, R.top, R.left + textWidth + (flat ? 11 : 2), R.bottom};
    R.left = part.right + (flat ? 0 : 4);
    if (flat && selected && menu) {
      RECT frame = part;
      ++frame.right;
      FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
      InflateRect(&part, -1, -1);
    }
    FillRect(dc, &part, selected && menu ? parent->GetSelectedBrush() : parent->ItemBrush());
    RECT text = part;
    if (flat) text.right -= 5;
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, parent->GetFontHandle());
    int color = !IsEnabled() ? COLOR_GRAYTEXT : selected && menu && !flat ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
    SetTextColor(dc, GetSysColor(color));
    ::DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
               DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    if (!flat) {
      RECT gap{part.right, R.top, R.left, R.bottom};
      FillRect(dc, &gap, parent->ItemBrush());
    }
  }
  if (selected) {
    if (flat)
      FrameRect(dc, &R, GetSysColorBrush(COLOR_HIGHLIGHT));
    else
      DrawEdge(dc, &R, BDR_SUNKENOUTER, BF_RECT);
  } else {
    HBRUSH brush = parent->ItemBrush();
    if (flat && menu) brush = BarManager()->FlatBackgroundBrush();
    if (flat && !menu && !IsEnabled()) brush = GetSysColorBrush(COLOR_BTNSHADOW);
    FrameRect(dc, &R, brush);
  }
  InflateRect(&R, -1, -1);
  if (!flat) {
    FrameRect(dc, &R, IsEnabled() ? parent->ItemBrush() : GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    InflateRect(&R, -1, -1);
  }
  if (IsEnabled()) SetEditRect(R);
}

void TdxBarEditControl::PaintInterior(const RECT& R) {
  TCustomdxBarControl* parent = Parent();
  TCanvas* canvas = parent->Canvas();
  HDC dc = canvas->Handle();
  if (!IsEnabled() && !IsFlat()) {
    FillRect(dc, &R, parent->ItemBrush());
    return;
  }
  TColor oldBrush = canvas->Brush()->Color();
  TScopeExit restore([canvas, oldBrush] { canvas->Brush()->SetColor(oldBrush); });
  canvas->Brush()->SetColor(IsEnabled() ? clWindow : parent->Color());
  int saved = SaveDC(dc);
  TScopeExit restoreDc([dc, saved] { RestoreDC(dc, saved); });
  IntersectClipRect(dc, R.left, R.top, R.right, R.bottom);
  SelectObject(dc, parent->GetFontHandle());
  SetTextColor(dc, GetSysColor(IsEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  Edit()->DrawInterior(canvas, R, ItemLink());
}

void TdxBarEditControl::Paint(const RECT& R, int) {
  if (IsRectEmpty(&R)) return;
  RECT r = R;
  PaintFrame(r);
  if (!Focused() || !IsEnabled()) PaintInterior(r);
}

void TdxBarEditControl::SetText(const String& Text) {
  if (!EditHandle()) return;
  WriteText(Text);
  SendMessage(EditHandle(), EM_SETSEL, 0, -1);
}

void TdxBarEditControl::SetFocused(bool Value) {
  if (Value && EditHandle())
    SendMessage(EditHandle(), EM_SETREADONLY, Edit()->ReadOnly() || Edit()->NoEditor() ? TRUE : FALSE, 0);
  TdxBarWinControl::SetFocused(Value);
}

void TdxBarEditControl::ControlPress(bool ByMouse) {
  TdxBarWinControl::ControlPress(ByMouse);
  if (EditHandle()) SendMessage(EditHandle(), EM_SETSEL, 0, -1);
}

void TdxBarEditControl::ChildNotify(WORD Code) {
  if (Code == EN_CHANGE && !SettingText()) Edit()->CurChange();
}

bool TdxBarEditControl::CommitText(WORD Key) {
  HWND edit = EditHandle();
  if (Key == VK_RETURN) {
    TdxBarItemLink* link = ItemLink();
    (link->ContainerLink() ? link->ContainerLink() : link)->BringToFront(true);
  }
  Edit()->SetText(GetText());
  // A handler may have closed the bar (and taken this control with it).
  return IsWindow(edit) && IsWindowVisible(edit);
}

bool TdxBarEditControl::EditKeyDown(WORD Key) {
  if ((Key == VK_RETURN || Key == VK_TAB) && !CommitText(Key)) return true;
  return TdxBarWinControl::EditKeyDown(Key);
}
