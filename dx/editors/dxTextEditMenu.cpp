// The text editor's own context menu: the English edit commands, shown when neither the editor nor
// any of its parents brings a pop-up menu of its own.
#include <algorithm>
#include <climits>

#include "dx/editors/dxEditConsts.h"
#include "dx/editors/dxTextEdit.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Windows.h"

namespace {

// Each item carries its command as a negative tag; separators carry the largest integer.
enum TTextMenuCommand : int {
  tmcUndo = -1,
  tmcRedo = -2,
  tmcCut = -3,
  tmcCopy = -4,
  tmcPaste = -5,
  tmcDelete = -6,
  tmcSelectAll = -7,
  tmcSeparator = INT_MAX,
};

struct TTextMenuItem {
  int Command;
  int Text;
};

constexpr TTextMenuItem kItems[] = {
    {tmcUndo, dxSMenuUndo},     {tmcRedo, dxSMenuRedo},     {tmcSeparator, 0},
    {tmcCut, dxSMenuCut},       {tmcCopy, dxSMenuCopy},     {tmcPaste, dxSMenuPaste},
    {tmcDelete, dxSMenuDelete}, {tmcSeparator, 0},          {tmcSelectAll, dxSMenuSelectAll},
};

}  // namespace

TPopupMenu* TdxInplaceTextEdit::ContextMenu() {
  if (contextMenu_) return contextMenu_;
  contextMenu_ = new TPopupMenu(this);
  for (const TTextMenuItem& entry : kItems) {
    auto* item = new TMenuItem(contextMenu_);
    item->SetCaption(entry.Command == tmcSeparator ? cLineCaption : LoadResString(entry.Text));
    item->SetTag(entry.Command);
    item->OnClick = [this](TObject* Sender) { ContextMenuClick(Sender); };
    contextMenu_->Items()->Add(item);
  }
  return contextMenu_;
}

void TdxInplaceTextEdit::UpdateContextMenuItems() {
  int start = 0, end = 0;
  GetSelectionRange(start, end);
  const bool selected = end > start;
  const bool concealed = passwordChar_ != 0;
  TMenuItem* items = ContextMenu()->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    switch (item->Tag()) {
      case tmcUndo: item->SetEnabled(CanUndoEdit()); break;
      case tmcRedo: item->SetEnabled(CanRedoEdit()); break;
      case tmcCut: item->SetEnabled(selected && IsEditable() && !concealed); break;
      case tmcCopy: item->SetEnabled(selected && !concealed); break;
      case tmcPaste: item->SetEnabled(CanPasteText()); break;
      case tmcDelete: item->SetEnabled(selected && IsEditable()); break;
      case tmcSelectAll: item->SetEnabled(end - start != GetEditTextLength()); break;
      default: break;
    }
  }
}

void TdxInplaceTextEdit::ContextMenuClick(TObject* Sender) {
  switch (static_cast<TMenuItem*>(Sender)->Tag()) {
    case tmcUndo: UndoEdit(); break;
    case tmcRedo: RedoEdit(); break;
    case tmcCut: CutSelection(); break;
    case tmcCopy: CopySelection(); break;
    case tmcPaste: PasteText(); break;
    case tmcDelete: DeleteSelection(); break;
    case tmcSelectAll: SelectAll(); break;
    default: break;
  }
}

void TdxInplaceTextEdit::WMContextMenu(TWMMouse& Message) {
  inherited::Dispatch(Message);
  if (!IsEditClass() || Message.Result != 0 || HasPopupMenu(this)) return;
  POINT at = Message.Pos();
  if (at.x == -1 && at.y == -1) {
    POINT caret{};
    GetCaretPos(&caret);
    caret.x = std::min<int>(caret.x, ClientWidth());
    at = ClientToScreen(caret);
  } else if (const RECT client = ClientRect(); !PtInRect(&client, ScreenToClient(at))) {
    return;
  }
  UpdateContextMenuItems();
  ContextMenu()->Popup(at.x, at.y);
}
