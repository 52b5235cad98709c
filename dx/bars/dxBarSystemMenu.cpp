// The MDI child's system menu in the parent's main menu bar.
#include "dx/bars/dxBarSystemMenu.h"

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarServices.h"
#include "platform/forms/Menus.h"
#include "platform/gdi/Icons.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TSystemMenuSubItem)
TRENVIK_IMPLEMENT_CLASS(TSystemMenuSubItemControl)

namespace {

constexpr int kSystemMenuTextLength = 1024;

// Made at run time, in no category, and freed by FreeTemporaryItems once nothing shows it.
template <class T>
T* NewTemporaryItem(TComponent* Owner) {
  T* item = new T(Owner);
  item->SetCategoryRaw(-1);
  AddTemporaryItem(item);
  return item;
}

// The glyphs of the window commands carrying the predefined pop-up bitmaps (close, restore,
// maximize, minimize).
const char16_t* PredefinedGlyphName(HBITMAP Bitmap) {
  if (Bitmap == HBMMENU_POPUP_CLOSE()) return u"DXBARCLOSE";
  if (Bitmap == HBMMENU_POPUP_RESTORE()) return u"DXBARRESTORE";
  if (Bitmap == HBMMENU_POPUP_MAXIMIZE()) return u"DXBARMAXIMIZE";
  if (Bitmap == HBMMENU_POPUP_MINIMIZE()) return u"DXBARMINIMIZE";
  return nullptr;
}

void CopyBitmapInto(TBitmap* Glyph, HBITMAP Bitmap) {
  if (Bitmap) Glyph->SetHandle(static_cast<HBITMAP>(CopyImage(Bitmap, IMAGE_BITMAP, 0, 0, 0)));
}

void SetEntryGlyph(TdxBarItem* Item, const MENUITEMINFO& Info) {
  TBitmap* glyph = Item->Glyph();
  if (const char16_t* name = PredefinedGlyphName(Info.hbmpItem)) {
    glyph->LoadFromResourceName(nullptr, name);
    return;
  }
  CopyBitmapInto(glyph, (Info.fState & MFS_CHECKED) ? Info.hbmpChecked : Info.hbmpUnchecked);
  if (glyph->Empty() && (Info.fType & MFT_BITMAP)) CopyBitmapInto(glyph, Info.hbmpItem);
}

// The entries of Menu as links of Links: sub-menus become sub items, the rest buttons sending
// their command to Window.
void FillFromMenu(HMENU Menu, TdxBarItemLinks* Links, HWND Window, TComponent* Owner) {
  const bool largeRecord = WindowsVersion().IsWin98MEOr2000XP;
  bool beginGroup = false;
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count; ++i) {
    WCHAR text[kSystemMenuTextLength] = {};
    MENUITEMINFO info;
    info.cbSize = largeRecord ? 48 : 44;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | (largeRecord ? MIIM_BITMAP : 0);
    info.dwTypeData = text;
    info.cch = kSystemMenuTextLength;
    if (!GetMenuItemInfo(Menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) {
      beginGroup = true;
      continue;
    }
    if (info.fType & MFT_BITMAP) GetMenuString(Menu, static_cast<UINT>(i), text, kSystemMenuTextLength, MF_BYPOSITION);
    const String entry = text;
    const size_t tab = entry.find(u'\t');
    const String caption = entry.substr(0, tab);
    const String shortCutText = tab == String::npos ? String() : entry.substr(tab + 1);

    TdxBarItem* item = nullptr;
    if (info.hSubMenu) {
      auto* sub = NewTemporaryItem<TdxBarSubItem>(Owner);
      FillFromMenu(info.hSubMenu, sub->ItemLinks(), Window, Owner);
      item = sub;
    } else {
      auto* button = NewTemporaryItem<TdxBarButton>(Owner);
      button->SetTag(static_cast<Integer>(info.wID));
      button->OnClick = [Window](TObject* Sender) {
        SendMessage(Window, WM_SYSCOMMAND, static_cast<WPARAM>(static_cast<TComponent*>(Sender)->Tag()), 0);
      };
      if (info.fState & MFS_CHECKED) {
        button->SetButtonStyle(bsChecked);
        button->SetDown(true);
      }
      item = button;
    }
    item->SetCaption(caption);
    item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    SetEntryGlyph(item, info);
    item->SetShortCut(TextToShortCut(shortCutText));
    TdxBarItemLink* link = Links->Add();
    link->SetItem(item);
    link->SetBeginGroup(beginGroup);
    beginGroup = false;
  }
}

}  // namespace

bool IsSystemMenuItem(const TdxBarItem* Item) { return dynamic_cast<const TSystemMenuSubItem*>(Item) != nullptr; }

TSystemMenuSubItem::TSystemMenuSubItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {
  SetCategoryRaw(-1);
  AddTemporaryItem(this);
}

void TSystemMenuSubItem::Rebuild() {
  FreeTemporaryItems();
  ItemLinks()->Clear();
  HMENU menu = IsWindow(childWindow_) ? GetSystemMenu(childWindow_, FALSE) : nullptr;
  if (!menu) return;
  ItemLinks()->BeginUpdate();
  TScopeExit done([this] { ItemLinks()->EndUpdate(); });
  FillFromMenu(menu, ItemLinks(), childWindow_, Owner());
}

bool TSystemMenuSubItemControl::CanSelect() const {
  TdxBarManager* manager = BarManager();
  return manager && !manager->IsCustomizing() && !manager->IsDesigning();
}

int TSystemMenuSubItemControl::GetWidth() { return GetSystemMetrics(SM_CXSMICON); }
int TSystemMenuSubItemControl::GetHeight() { return GetSystemMetrics(SM_CYSMICON); }

void TSystemMenuSubItemControl::Paint(const RECT& R, int) {
  HWND child = SystemMenuItem()->ChildWindow();
  if (!IsWindow(child)) return;
  auto icon = reinterpret_cast<HICON>(SendMessage(child, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessage(child, WM_GETICON, ICON_BIG, 0));
  HDC dc = Parent()->Canvas()->Handle();
  HBRUSH background = Parent()->GetBackgroundBrush();
  FillRect(dc, &R, background);
  if (!icon) return;
  auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 16, 16, 0));
  DrawIconEx(dc, R.left, R.top, copy ? copy : icon, R.right - R.left, R.bottom - R.top, 0, background, DI_NORMAL);
  if (copy) DestroyIcon(copy);
}

void TSystemMenuSubItemControl::DoubleClick() {
  HWND child = SystemMenuItem()->ChildWindow();
  TCustomdxBarControl* parent = Parent();
  parent->Close();
  // Closing may have freed this control: only the window handle is used from here.
  HMENU menu = IsWindow(child) ? GetSystemMenu(child, FALSE) : nullptr;
  const UINT command = menu ? GetMenuDefaultItem(menu, FALSE, 0) : static_cast<UINT>(-1);
  if (command != static_cast<UINT>(-1)) SendMessage(child, WM_SYSCOMMAND, command, 0);
}

TdxBarSubMenuControl* TSystemMenuSubItemControl::CreateSubMenu() {
  SystemMenuItem()->Rebuild();
  return inherited::CreateSubMenu();
}
