// Custom drawing of the tree view: the window's NM_CUSTOMDRAW stages become OnCustomDraw,
// OnCustomDrawItem and their advanced forms, drawn on the view's canvas over the stage's DC.
#include "platform/forms/ComCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

TCustomDrawStage StageOf(DWORD drawStage) {
  switch (drawStage & ~CDDS_ITEM) {
    case CDDS_POSTPAINT:
      return cdPostPaint;
    case CDDS_PREERASE:
      return cdPreErase;
    case CDDS_POSTERASE:
      return cdPostErase;
    default:
      return cdPrePaint;
  }
}

TCustomDrawState StateOf(UINT itemState) {
  static const std::pair<UINT, TCustomDrawStateFlag> kMap[] = {
      {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed}, {CDIS_DISABLED, cdsDisabled},
      {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused}, {CDIS_DEFAULT, cdsDefault},
      {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked}, {CDIS_INDETERMINATE, cdsIndeterminate}};
  TCustomDrawState s;
  for (auto [bit, flag] : kMap)
    if (itemState & bit) s += TCustomDrawState{flag};
  return s;
}

}  // namespace

bool TCustomTreeView::IsCustomDrawn(TCustomDrawTarget Target, TCustomDrawStage Stage) {
  if (Target == dtControl)
    return Stage == cdPrePaint ? (OnCustomDraw || OnAdvancedCustomDraw)
                               : static_cast<bool>(OnAdvancedCustomDraw);
  return Stage == cdPrePaint ? (OnCustomDrawItem || OnAdvancedCustomDrawItem)
                             : static_cast<bool>(OnAdvancedCustomDrawItem);
}

bool TCustomTreeView::CustomDraw(const RECT& ARect, TCustomDrawStage Stage) {
  bool defaultDraw = true;
  if (Stage == cdPrePaint && OnCustomDraw) OnCustomDraw(this, ARect, defaultDraw);
  if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, ARect, Stage, defaultDraw);
  return defaultDraw;
}

bool TCustomTreeView::CustomDrawItem(TTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage,
                                     bool& PaintImages) {
  bool defaultDraw = true;
  if (Stage == cdPrePaint && OnCustomDrawItem) OnCustomDrawItem(this, Node, State, defaultDraw);
  if (OnAdvancedCustomDrawItem) OnAdvancedCustomDrawItem(this, Node, State, Stage, PaintImages, defaultDraw);
  return defaultDraw;
}

LRESULT TCustomTreeView::NotifyCustomDraw(NMTVCUSTOMDRAW& cd) {
  NMCUSTOMDRAW& nmcd = cd.nmcd;
  TCustomDrawStage stage = StageOf(nmcd.dwDrawStage);
  bool item = (nmcd.dwDrawStage & CDDS_ITEM) != 0;
  TCustomDrawTarget target = item ? dtItem : dtControl;
  LRESULT result = CDRF_DODEFAULT;
  if (!item && stage == cdPrePaint) {
    if (IsCustomDrawn(dtItem, cdPrePaint) || IsCustomDrawn(dtItem, cdPreErase)) result |= CDRF_NOTIFYITEMDRAW;
    if (IsCustomDrawn(dtItem, cdPostPaint)) result |= CDRF_NOTIFYITEMDRAW;
    if (IsCustomDrawn(dtControl, cdPostPaint)) result |= CDRF_NOTIFYPOSTPAINT;
  }
  if (!IsCustomDrawn(target, stage)) return result;

  // The canvas draws on the stage's DC, starting from the control's font and colour.
  canvas_->SetHandle(nmcd.hdc);
  TScopeExit release([this] { canvas_->SetHandle(nullptr); });
  canvas_->Font()->Assign(Font());
  canvas_->Brush()->SetColor(Color());
  canvasChanged_ = false;
  canvas_->Font()->OnChange = [this](TObject*) { canvasChanged_ = true; };
  canvas_->Brush()->OnChange = [this](TObject*) { canvasChanged_ = true; };
  TScopeExit unhook([this] {
    canvas_->Font()->OnChange = nullptr;
    canvas_->Brush()->OnChange = nullptr;
  });

  if (!item) {
    if (!CustomDraw(nmcd.rc, stage)) return CDRF_SKIPDEFAULT;
    return result;
  }
  TVITEM tv;
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = reinterpret_cast<HTREEITEM>(nmcd.dwItemSpec);
  tv.lParam = nmcd.lItemlParam;
  TTreeNode* node = GetNodeFromItem(tv);
  if (!node) return CDRF_DODEFAULT;
  bool paintImages = true;
  if (!CustomDrawItem(node, StateOf(nmcd.uItemState), stage, paintImages)) return CDRF_SKIPDEFAULT;
  if (stage == cdPrePaint) {
    if (canvasChanged_) {
      cd.clrText = ColorToColorRef(canvas_->Font()->Color());
      cd.clrTextBk = ColorToColorRef(canvas_->Brush()->Color());
      SelectObject(nmcd.hdc, canvas_->Font()->Handle());
      result |= CDRF_NEWFONT;
    }
    if (IsCustomDrawn(dtItem, cdPostPaint)) result |= CDRF_NOTIFYPOSTPAINT;
  }
  return result;
}
