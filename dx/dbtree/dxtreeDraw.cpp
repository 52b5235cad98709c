// TCustomdxTreeView: per-node colours and fonts through the custom-draw notification, and node tool
// tips switched off.
#include "dx/dbtree/dxtree.h"
#include "platform/forms/Colors.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

void TCustomdxTreeView::WndProc(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY && HandleCustomDraw(Message)) return;
  if (Message.Msg == WM_NOTIFY && HandleTipText(Message)) return;
  if (Message.Msg == CM_DRAG) {
    HandleDrag(Message);
    return;
  }
  TCustomTreeView::WndProc(Message);
}

bool TCustomdxTreeView::HandleCustomDraw(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  if (hdr->code != NM_CUSTOMDRAW || OnAdvancedCustomDraw || OnAdvancedCustomDrawItem) return false;
  auto& cd = *reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam);
  if (cd.nmcd.dwDrawStage == CDDS_PREPAINT) {
    Message.Result = IsCustomDraw() ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    return true;
  }
  if (cd.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return false;
  TTreeNode* node = Items()->GetNode(reinterpret_cast<HTREEITEM>(cd.nmcd.dwItemSpec));
  if (!customDrawFont_) customDrawFont_ = std::make_unique<TFont>();
  customDrawFont_->Assign(Font());
  TColor color = Font()->Color();
  TColor bkColor = clWindow;
  DoCustomDraw(node, customDrawFont_.get(), color, bkColor);
  bool keepsStateColours =
      (cd.nmcd.uItemState & (CDIS_SELECTED | CDIS_CHECKED)) || (node && node == DropTarget());
  if (!keepsStateColours) {
    cd.clrText = ColorToColorRef(color);
    cd.clrTextBk = ColorToColorRef(bkColor);
  }
  SelectObject(cd.nmcd.hdc, customDrawFont_->Handle());
  Message.Result = CDRF_NEWFONT;
  return true;
}

bool TCustomdxTreeView::HandleTipText(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  if (showNodeHint_ || (hdr->code != TTN_NEEDTEXTA && hdr->code != TTN_NEEDTEXTW)) return false;
  auto& info = *reinterpret_cast<NMTTDISPINFO*>(Message.LParam);
  info.szText[0] = 0;
  info.lpszText = info.szText;
  Message.Result = 0;
  return true;
}
