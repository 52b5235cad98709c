// Laying out a windowed control's children: Align (top, bottom, left, right, client) and anchors.
#include <algorithm>

#include "platform/forms/ControlsInternal.h"

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
  if (--alignLevel_ > 0) return;
  alignLevel_ = 0;
  if (ControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AdjustClientRect(RECT& Rect) { InflateRect(&Rect, -borderWidth_, -borderWidth_); }

void TWinControl::AlignControl(TControl* AControl) {
  if (ComponentState().Contains(csDestroying)) return;
  if (alignLevel_ > 0 || ComponentState().Contains(csLoading)) {
    SetControlState(ControlState() + TControlState{csAlignmentNeeded});
    return;
  }
  DisableAlign();
  try {
    RECT r = ClientRect();
    AdjustClientRect(r);
    AlignControls(AControl, r);
  } catch (...) {
    SetControlState(ControlState() - TControlState{csAlignmentNeeded});
    --alignLevel_;
    throw;
  }
  SetControlState(ControlState() - TControlState{csAlignmentNeeded});
  --alignLevel_;
}

namespace {

bool InsertBefore(TControl* C1, TControl* C2, TAlign AAlign) {
  switch (AAlign) {
    case alTop:
      return C1->Top() < C2->Top();
    case alBottom:
      return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft:
      return C1->Left() < C2->Left();
    case alRight:
      return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default:
      return false;
  }
}

}  // namespace

void TWinControl::DoAlign(TAlign AAlign, RECT& Rect, TControl* AControl) {
  auto shown = [](TControl* c) { return c->Visible() || c->ComponentState().Contains(csDesigning); };
  std::vector<TControl*> list;
  if (AControl && AControl->Align() == AAlign && (AAlign == alNone || shown(AControl)))
    list.push_back(AControl);
  for (TControl* c : controls_) {
    if (c == AControl || c->Align() != AAlign || (AAlign != alNone && !shown(c))) continue;
    size_t j = 0;
    while (j < list.size() && !InsertBefore(c, list[j], AAlign)) ++j;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
  }
  for (TControl* c : list) {
    if (AAlign == alNone) {
      // Anchored to the right or bottom: keep the distance to that side of the client area.
      RECT pr = ClientRect();
      int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
      const TAnchors a = c->Anchors();
      if (c->AnchorRightDistance() >= 0) {
        if (a.Contains(akLeft))
          w = std::max(0, pr.right - c->AnchorRightDistance() - l);
        else
          l = pr.right - c->AnchorRightDistance() - w;
      }
      if (c->AnchorBottomDistance() >= 0) {
        if (a.Contains(akTop))
          h = std::max(0, pr.bottom - c->AnchorBottomDistance() - t);
        else
          t = pr.bottom - c->AnchorBottomDistance() - h;
      }
      if (l != c->Left() || t != c->Top() || w != c->Width() || h != c->Height()) c->SetBounds(l, t, w, h);
      continue;
    }
    int nl = Rect.left, nt = Rect.top;
    int nw = Rect.right - Rect.left, nh = Rect.bottom - Rect.top;
    switch (AAlign) {
      case alTop:
        nh = c->Height();
        break;
      case alBottom:
        nh = c->Height();
        nt = Rect.bottom - nh;
        break;
      case alLeft:
        nw = c->Width();
        break;
      case alRight:
        nw = c->Width();
        nl = Rect.right - nw;
        break;
      default:
        break;
    }
    c->SetBounds(nl, nt, std::max(0, nw), std::max(0, nh));
    // The control may have refused part of the size (constraints): take the room it has.
    switch (AAlign) {
      case alTop:
        Rect.top += c->Height();
        break;
      case alBottom:
        Rect.bottom -= c->Height();
        break;
      case alLeft:
        Rect.left += c->Width();
        break;
      case alRight:
        Rect.right -= c->Width();
        break;
      default:
        break;
    }
  }
}

void TWinControl::AlignControls(TControl* AControl, RECT& Rect) {
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient, alNone}) DoAlign(a, Rect, AControl);
}
