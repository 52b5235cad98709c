// TcxControl: the embedded scroll bars' calculation, with its guard against bars that flip on and
// off because each one's visibility changes the room the other needs.
#include <algorithm>

#include "cx/foundation/cxControls.h"

namespace {

TScrollBarInc ToScrollBarInc(int AValue) { return static_cast<TScrollBarInc>(std::clamp(AValue, 0, 32767)); }

}  // namespace

bool TcxControl::HScrollBarVisible() const {
  return calculatingScrollBars_ ? hScrollBar_->Data.Visible : hScrollBar_->Visible();
}

bool TcxControl::VScrollBarVisible() const {
  return calculatingScrollBars_ ? vScrollBar_->Data.Visible : vScrollBar_->Visible();
}

void TcxControl::SetScrollBarInfo(TScrollBarKind AKind, int AMin, int AMax, int AStep, int APage, int APosition,
                                  bool AAllowShow, bool AAllowHide) {
  TcxScrollBarData& d = BarOf(AKind)->Data;
  const bool permitted = AKind == sbHorizontal ? (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)
                                               : (scrollBars_ == ssVertical || scrollBars_ == ssBoth);
  d.AllowShow = AAllowShow && permitted;
  d.AllowHide = AAllowHide;
  if (!d.AllowShow) {
    d.Visible = false;
  } else if (AMax < AMin || AMax - AMin + 1 <= APage || APosition < AMin) {
    if (d.AllowHide)
      d.Visible = false;
    else
      d.Enabled = false;
  } else {
    d.Min = AMin;
    d.Max = AMax;
    d.Position = APosition;
    d.PageSize = APage;
    // The framework's increments are 16-bit: a larger page must not wrap into a negative step.
    d.SmallChange = ToScrollBarInc(AStep);
    d.LargeChange = ToScrollBarInc(APage);
    d.Enabled = true;
    d.Visible = true;
  }
}

void TcxControl::CalculateScrollBars() {
  if (calculatingScrollBars_) return;
  calculatingScrollBars_ = true;
  hScrollBar_->Data.Visible = false;
  vScrollBar_->Data.Visible = false;
  bool h, v;
  do {
    h = hScrollBar_->Data.Visible;
    v = vScrollBar_->Data.Visible;
    InitScrollBarsParameters();
  } while (h != hScrollBar_->Data.Visible || v != vScrollBar_->Data.Visible);
  CheckPixelScrollBars();
  calculatingScrollBars_ = false;
}

// Two pixel-based bars each needed only for the room the other takes are both left out.
void TcxControl::CheckPixelScrollBars() {
  TcxScrollBarData& h = hScrollBar_->Data;
  TcxScrollBarData& v = vScrollBar_->Data;
  if (!(h.Visible && v.Visible && h.Enabled && v.Enabled && h.AllowHide && v.AllowHide)) return;
  auto neededForOther = [this](TScrollBarKind AKind, const TcxScrollBarData& d, int AOtherThickness) {
    return IsPixelScrollBar(AKind) && AOtherThickness + d.PageSize >= d.Max - d.Min + 1;
  };
  const int vWidth = vScrollBar_->Width(), hHeight = hScrollBar_->Height();
  if (neededForOther(sbHorizontal, h, vWidth) && neededForOther(sbVertical, v, hHeight)) {
    const TcxScrollBarData hOld = h, vOld = v;
    SetScrollBarInfo(sbHorizontal, hOld.Min, hOld.Max, hOld.SmallChange, hOld.PageSize + vWidth, hOld.Position,
                     hOld.AllowShow, hOld.AllowHide);
    SetScrollBarInfo(sbVertical, vOld.Min, vOld.Max, vOld.SmallChange, vOld.PageSize + hHeight, vOld.Position,
                     vOld.AllowShow, vOld.AllowHide);
  }
}

void TcxControl::UpdateScrollBars() {
  if (!hScrollBar_ || !vScrollBar_) return;
  const bool nested = updatingScrollBars_;
  if (!nested) {
    prevHScrollBarVisible_ = hScrollBar_->Visible();
    prevVScrollBarVisible_ = vScrollBar_->Visible();
  }
  updatingScrollBars_ = true;
  const bool hVisible = hScrollBar_->Visible(), vVisible = vScrollBar_->Visible();
  if (!scrollBarsOscillating_) {
    CalculateScrollBars();
    scrollBarsOscillating_ = nested && hScrollBar_->Data.Visible == prevHScrollBarVisible_ &&
                             vScrollBar_->Data.Visible == prevVScrollBarVisible_;
    if (scrollBarsOscillating_) {
      // A bar that would flip on and off stays shown, disabled.
      if (hScrollBar_->Visible() != prevHScrollBarVisible_) {
        hScrollBar_->SetEnabled(false);
        hScrollBar_->SetVisible(true);
      }
      if (vScrollBar_->Visible() != prevVScrollBarVisible_) {
        vScrollBar_->SetEnabled(false);
        vScrollBar_->SetVisible(true);
      }
    } else {
      hScrollBar_->ApplyData();
      vScrollBar_->ApplyData();
    }
  }
  if (hVisible != hScrollBar_->Visible() || vVisible != vScrollBar_->Visible()) {
    BoundsChanged();
  } else {
    sizeGrip_->SetVisible(hScrollBar_->Visible() && vScrollBar_->Visible());
    PlaceScrollBars();
    hScrollBar_->BringToFront();
    vScrollBar_->BringToFront();
    sizeGrip_->BringToFront();
  }
  if (!nested) scrollBarsOscillating_ = false;
  updatingScrollBars_ = nested;
}
