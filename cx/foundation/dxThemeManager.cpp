#include "cx/foundation/dxThemeManager.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxThemeChangedNotificator)

namespace {

struct TdxThemeData {
  HTHEME Handle = nullptr;
  String ClassList;
};

const char16_t* const themeClassNames[dxThemeClassCount] = {
    u"Button",   u"Clock",      u"ComboBox", u"Edit",       u"ExplorerBar", u"Header",
    u"ListView", u"Menu",       u"Page",     u"Progress",   u"Rebar",       u"ScrollBar",
    u"Spin",     u"StartPanel", u"Status",   u"Tab",        u"TaskBand",    u"TaskBar",
    u"ToolBar",  u"ToolTip",    u"TrackBar", u"TrayNotify", u"TreeView",    u"Window"};

TdxThemeData themeCache[dxThemeClassCount];
bool themesActive = false;

// Subscribers in subscription order (not owned).
std::vector<TdxThemeChangedNotificator*>& Notificators() {
  static auto& list = *new std::vector<TdxThemeChangedNotificator*>;
  return list;
}

void NotifyThemeChanged() {
  // A subscriber may free notificators (its own included) while it runs.
  const std::vector<TdxThemeChangedNotificator*> snapshot = Notificators();
  for (TdxThemeChangedNotificator* n : snapshot) {
    const auto& live = Notificators();
    if (std::find(live.begin(), live.end(), n) == live.end()) continue;
    if (n->OnThemeChanged) n->OnThemeChanged();
  }
}

// A hidden window that hears the system's theme-change broadcast.
class TdxThemeChangedEventReceiver {
 public:
  TdxThemeChangedEventReceiver() : window_(AllocateHWnd([this](TMessage& m) { WndProc(m); })) {}
  ~TdxThemeChangedEventReceiver() {
    themesActive = false;
    DeallocateHWnd(window_);
  }
  HWND WindowHandle() const { return window_; }

 private:
  void WndProc(TMessage& Message) {
    if (Message.Msg != WM_THEMECHANGED) {
      Message.Result = DefWindowProc(window_, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    try {
      dxCloseAllThemes();
      DefWindowProc(window_, Message.Msg, Message.WParam, Message.LParam);
      themesActive = dxIsThemeActive() != 0;
      Message.Result = 0;
      NotifyThemeChanged();
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
    }
  }

  HWND window_;
};

std::unique_ptr<TdxThemeChangedEventReceiver>& Receiver() {
  static auto& receiver = *new std::unique_ptr<TdxThemeChangedEventReceiver>;
  return receiver;
}

}  // namespace

String dxThemeClassName(TdxThemeClass AThemeClass) { return themeClassNames[AThemeClass]; }

bool dxThemesAvailable(TdxThemeClasses AClasses) {
  if (!themesActive || !dxUxThemeLoaded()) return false;
  for (int i = 0; i < dxThemeClassCount; ++i) {
    const auto cls = static_cast<TdxThemeClass>(i);
    if (AClasses.Contains(cls) && !dxOpenThemeByType(cls)) return false;
  }
  return true;
}

HTHEME dxOpenThemeByType(TdxThemeClass AThemeClass, const String& AClassList) {
  if (!dxThemesAvailable()) return nullptr;
  TdxThemeData& entry = themeCache[AThemeClass];
  if (entry.Handle) {
    if (AClassList.empty() || AnsiUpperCase(AClassList) == AnsiUpperCase(entry.ClassList))
      return entry.Handle;
    dxCloseThemeByType(AThemeClass);
  }
  String classList = AClassList;
  if (classList.empty())
    classList = entry.ClassList.empty() ? dxThemeClassName(AThemeClass) : entry.ClassList;
  entry.Handle = dxOpenThemeData(nullptr, classList.c_str());
  if (entry.Handle)
    entry.ClassList = classList;
  else
    entry.ClassList.clear();
  return entry.Handle;
}

HRESULT dxCloseThemeByType(TdxThemeClass AThemeClass) {
  if (!dxThemesAvailable()) return 1;
  TdxThemeData& entry = themeCache[AThemeClass];
  if (!entry.Handle) return 0;
  const HRESULT result = dxCloseThemeData(entry.Handle);
  entry.Handle = nullptr;
  entry.ClassList.clear();
  return result;
}

void dxCloseAllThemes() {
  for (TdxThemeData& entry : themeCache) {
    if (!entry.Handle) continue;
    dxCloseThemeData(entry.Handle);
    entry.Handle = nullptr;
  }
}

void dxThemeManagerInitialize() {
  if (!dxUxThemeLoaded()) return;
  themesActive = dxIsThemeActive() != 0;
  Receiver() = std::make_unique<TdxThemeChangedEventReceiver>();
}

void dxThemeManagerFinalize() {
  if (dxUxThemeLoaded()) {
    Receiver().reset();
    dxCloseAllThemes();
  }
  themesActive = false;
  for (TdxThemeData& entry : themeCache) entry = TdxThemeData{};
}

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (dxUxThemeLoaded()) Notificators().push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  auto& list = Notificators();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}
