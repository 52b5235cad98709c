#include "platform/forms/native/NativeControls.h"

#include "platform/forms/native/ButtonWindow.h"
#include "platform/forms/native/ComboBoxWindow.h"
#include "platform/forms/native/EditWindow.h"
#include "platform/forms/native/ListBoxWindow.h"
#include "platform/forms/native/MonthCalWindow.h"
#include "platform/forms/native/StaticWindow.h"
#include "platform/forms/native/TreeViewWindow.h"
#include "platform/win/Windows.h"

namespace {

struct TClassDef {
  LPCWSTR name;
  WNDPROC proc;
  UINT style;
  LPCWSTR cursor;
  int background;  // COLOR_ index, -1 for none
};

const TClassDef kClasses[] = {
    {kEditClassName, &EditWindowProc, CS_DBLCLKS, IDC_IBEAM, COLOR_WINDOW},
    {kRichEditClassName, &RichEditWindowProc, CS_DBLCLKS, IDC_IBEAM, COLOR_WINDOW},
    {kStaticClassName, &StaticWindowProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW, COLOR_BTNFACE},
    {kButtonClassName, &ButtonWindowProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW, COLOR_BTNFACE},
    {kListBoxClassName, &ListBoxWindowProc, CS_DBLCLKS, IDC_ARROW, COLOR_WINDOW},
    {kTreeViewClassName, &TreeViewWindowProc, CS_DBLCLKS, IDC_ARROW, COLOR_WINDOW},
    {kTreeTipClassName, &TreeTipWindowProc, CS_SAVEBITS, IDC_ARROW, COLOR_INFOBK},
    {kComboBoxClassName, &ComboBoxWindowProc, CS_DBLCLKS, IDC_ARROW, COLOR_WINDOW},
    {kMonthCalClassName, &MonthCalWindowProc, 0, IDC_ARROW, COLOR_WINDOW},
};

}  // namespace

void InitNativeControls() {
  for (const TClassDef& c : kClasses) {
    // The window system registers a bare "STATIC" of its own; ours replaces it.
    UnregisterClass(c.name, nullptr);
    WNDCLASSEX wc;
    wc.style = c.style | CS_GLOBALCLASS;
    wc.lpfnWndProc = c.proc;
    wc.lpszClassName = c.name;
    wc.hCursor = LoadCursor(nullptr, c.cursor);
    wc.hbrBackground =
        c.background < 0 ? nullptr : reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(c.background + 1));
    RegisterClassEx(&wc);
  }
}

void FinalizeNativeControls() {
  for (const TClassDef& c : kClasses) UnregisterClass(c.name, nullptr);
}
