// The group panel slides in and out when it is switched: the rows area scrolls in growing steps
// while the uncovered strip is filled, for 400 ms at the most.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/forms/Colors.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Paint.h"

namespace {

constexpr Int64 kGroupPanelSlideTime = 400;

}  // namespace

int TCustomdxDBGrid::SlideGroupPanel(bool Showing) {
  const int target = FullGroupPanelHeight();
  RECT area = ClientRect();
  if (ShowFooter()) area.bottom -= Layout().FooterHeight;
  const int height = area.bottom - area.top;
  if (height <= 0 || target <= 0) return 0;
  HDC dc = GetDC(Handle());
  HBRUSH fill = CreateSolidBrush(ColorToColorRef(Showing ? clBtnShadow : Color()));
  TScopeExit release([&] {
    DeleteObject(fill);
    ReleaseDC(Handle(), dc);
  });
  int step = height < 256 ? 1 : height / 256;
  int moved = 0;
  const Int64 start = Clock().TickCount();
  while (moved < target && Clock().TickCount() - start < kGroupPanelSlideTime) {
    const int remaining = target - moved;
    const int distance = step > remaining || step > remaining / 2 ? remaining : step;
    ScrollDC(dc, 0, Showing ? distance : -distance, &area, &area, nullptr, nullptr);
    const RECT strip = Showing ? RECT{area.left, area.top, area.right, area.top + distance}
                               : RECT{area.left, area.bottom - distance, area.right, area.bottom};
    FillRect(dc, &strip, fill);
    moved += distance;
    if (moved > 20) ++step;
  }
  return moved;
}
