// Process-wide services of the toolbar library: the item-class registry, the live managers, the
// temporary items, the platform facts found at start-up and small text and metric helpers.
#pragma once

#include <vector>

#include "platform/forms/Controls.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"
#include "platform/win/Metrics.h"

class TdxBarItem;
class TdxBarManager;
class TdxBarManagerList;
class TCustomForm;

TRENVIK_ENUM(TdxBarItemVisible, ivNever, ivInCustomizing, ivAlways);
TRENVIK_ENUM(TdxBarPaintStyle, psStandard, psCaption, psCaptionInMenu, psCaptionGlyph);

// Item-class registry: which control class shows the links of which item class.
struct TdxBarItemClassEntry {
  TClass ItemClass;
  TClass ItemControlClass;
  bool ShowInAddDialog;
};

// Appends an entry and registers the item class for streaming.
void RegisterBarItemClass(TClass ItemClass, TClass ItemControlClass, bool ShowInAddDialog);
// Removes the first entry of that class and unregisters it from streaming.
void UnregisterBarItemClass(TClass ItemClass);
// The classes offered by the add-item dialog.
int RegisteredItemClassCount();
TClass GetRegisteredItemClass(int N);
// The control class registered for exactly the item's class (no inheritance), or nullptr.
TClass GetItemControlClass(const TdxBarItem* Item);

class TCustomdxBarControl;

// Live bar windows: every bar window registers itself while it exists, so that code running after
// a call that may free one can ask whether it is still there.
void AddBarControl(TCustomdxBarControl* Control);
void RemoveBarControl(TCustomdxBarControl* Control);
bool IsBarControlAlive(const TCustomdxBarControl* Control);
// The innermost window of the active chain (an open menu or a toolbar in menu mode), or none.
TCustomdxBarControl* ActiveBarControl();
void SetActiveBarControl(TCustomdxBarControl* Control);
// Whether the menus of the active chain list every entry (an expanded short menu); a new chain
// starts with short menus again.
bool MenusExpanded();
// Set while a bar is reset from its design: links copied then name the form's own items.
bool ResettingFromDesign();
void SetResettingFromDesign(bool Value);
// Set while a manager is read again from its form file for a reset: it loads no stored layout.
bool RebuildingDesignForm();
void SetRebuildingDesignForm(bool Value);
void SetMenusExpanded(bool Value);

// The one list of live managers (nullptr outside the module's lifetime).
TdxBarManagerList* BarManagers();
TdxBarManager* BarManagerByForm(TCustomForm* Form);
// DesignerModified of the manager when there is one.
void ManagerChanged(TdxBarManager* Manager);

// Items made at run time for context menus: negative category, never streamed.
void AddTemporaryItem(TdxBarItem* Item);
void RemoveTemporaryItem(TdxBarItem* Item);
const std::vector<TdxBarItem*>& TemporaryItems();
// Frees, last to first, the temporary items none of whose links shows a control.
void FreeTemporaryItems();

// What the version query tells the drawing and menu code.
struct TdxWindowsVersion {
  bool IsWin9x = false;
  bool IsWin95 = false;
  // The systems with the larger menu-item information record: 98/ME and every NT from 5 on.
  bool IsWin98MEOr2000XP = false;
};
TdxWindowsVersion WindowsVersionOf(const OSVERSIONINFO& Info);
// Queries the system once at start-up; WindowsVersion() answers what it found.
void DetectWindowsVersion();
const TdxWindowsVersion& WindowsVersion();
// The size of the menu-item information record the system takes (48 on modern systems, else 44).
UINT MenuItemInfoSize(const TdxWindowsVersion& Version);

int ScreenBitsPerPixel();
void RefreshDeviceConsts();
// The 8x8 pattern brush of checked buttons; rebuilt on system colour changes.
HBRUSH CheckerBrush();
void CreateCheckerBrush();

TdxBarItemVisible ItemVisibleOf(bool Value);
// Every "&" before the last character goes; "&&" leaves one; a final "&" stays.
String StripAccelerators(const String& Text);
// The caption without its first "&" and its first "...".
String GetPlainCaption(const String& Caption);
// The character after the last single "&", or 0 when the caption has none.
Char AcceleratorOf(const String& Caption);
int ClampWidth(int Value);
// Side of the triangle DrawArrow paints into a rectangle of that size.
int ArrowSizeFor(const RECT& R, bool Horizontal);

// One step of a modal loop (a drag, an open popup menu): with an empty queue the application
// handles what comes next (the caller looks at its own state again); WM_QUIT is posted again for
// the outer loop and ends the modal one.
struct MSG;
enum class TModalPeek { Handled, Quit, Message };
TModalPeek PeekModalMessage(MSG& Msg);

// The work area of the monitor nearest to the point (the primary screen's without monitor calls).
RECT GetWorkAreaAt(POINT P);
int SmallCaptionHeight();
// WM_MOUSELEAVE for bar windows (the system's tracking).
void StartMouseLeaveTracking(HWND Window);
void StopMouseLeaveTracking(HWND Window);
bool IsMouseLeaveTracked(HWND Window);

// Menu sound aliases: 0 "MenuPopup", 1 "MenuCommand".
void PlayMenuSound(int Index);
// Replaces Handle with a font made from Font: with Scaled, the icon-title font's height, at least
// 11 pixels; otherwise an exact copy.
void CreateBarFont(TFont* Font, HFONT& Handle, bool Scaled);

namespace dxbars_internal {
// Module start-up and shut-down.
void InitServices();
void FinalizeServices();
// Tests: the screen depth the library goes by, until RefreshDeviceConsts asks the screen again.
void SetScreenBitsPerPixelForTesting(int Bits);
}  // namespace dxbars_internal
