// One open theme handle per theme class, whether themes are usable, and the theme-change broadcast
// to subscribers.
#pragma once

#include <functional>

#include "cx/foundation/dxUxTheme.h"
#include "platform/classes/Set.h"
#include "platform/rtl/Object.h"

enum TdxThemeClass {
  tcButton,
  tcClock,
  tcComboBox,
  tcEdit,
  tcExplorerBar,
  tcHeader,
  tcListView,
  tcMenu,
  tcPage,
  tcProgress,
  tcRebar,
  tcScrollBar,
  tcSpin,
  tcStartPanel,
  tcStatus,
  tcTab,
  tcTaskBand,
  tcTaskBar,
  tcToolBar,
  tcToolTip,
  tcTrackBar,
  tcTrayNotify,
  tcTreeView,
  tcWindow
};
constexpr int dxThemeClassCount = 24;
using TdxThemeClasses = Set<TdxThemeClass>;

// The class name the platform is asked for ("Button", ...).
String dxThemeClassName(TdxThemeClass AThemeClass);

// False unless themes are active and the library is loaded; with classes, each must open.
bool dxThemesAvailable(TdxThemeClasses AClasses = {});
// The cached theme handle of the class, opened on first use; nullptr when themes are unavailable or
// the class does not open. An empty AClassList uses the class list the entry was opened with (or the
// class name).
HTHEME dxOpenThemeByType(TdxThemeClass AThemeClass, const String& AClassList = String());
// 1 when themes are unavailable, 0 when the class has no open handle, else CloseThemeData's result.
HRESULT dxCloseThemeByType(TdxThemeClass AThemeClass);
// Closes every open handle; each class keeps its class list for the next open.
void dxCloseAllThemes();

// Start-up and shut-down of the manager (module routines, run after the binding's).
void dxThemeManagerInitialize();
void dxThemeManagerFinalize();

// A subscriber to theme changes: OnThemeChanged is called after the cached handles were dropped.
// Listed only while the library is loaded.
class TdxThemeChangedNotificator : public TObject {
  TRENVIK_CLASS(TdxThemeChangedNotificator, TObject);

 public:
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator() override;

  std::function<void()> OnThemeChanged;
};
