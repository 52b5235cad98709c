// The grid's mouse and keys, and the in-place editor's life: shown over the current cell,
// its text taken on Enter or when the cell or the editor is left, dropped on Esc.
#include "platform/forms/Grids.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TInplaceEdit)

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused() && !(editor_ && editor_->Focused())) SetFocus();
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (Button == mbLeft && c >= fixedCols_ && r >= fixedRows_) {
    if (c == col_ && r == row_ && options_.Contains(goEditing))
      ShowEditor();
    else
      FocusCell(c, r, true);
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  int page = VisibleRowCount();
  bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_UP:
      MoveRowBy(-1);
      break;
    case VK_DOWN:
      MoveRowBy(1);
      break;
    case VK_PRIOR:
      MoveRowBy(-page);
      break;
    case VK_NEXT:
      MoveRowBy(page);
      break;
    case VK_LEFT:
      FocusCell(col_ - 1, row_, true);
      break;
    case VK_RIGHT:
      FocusCell(col_ + 1, row_, true);
      break;
    case VK_HOME:
      ctrl ? MoveRowBy(-rowCount_) : FocusCell(fixedCols_, row_, true);
      break;
    case VK_END:
      ctrl ? MoveRowBy(rowCount_) : FocusCell(colCount_ - 1, row_, true);
      break;
    case VK_TAB:
      if (options_.Contains(goTabs)) FocusCell(col_ + (Shift.Contains(ssShift) ? -1 : 1), row_, true);
      break;
    case VK_F2:
    case VK_RETURN:
      if (options_.Contains(goEditing)) ShowEditor();
      break;
    default:
      return;
  }
  Key = 0;
}

// Typing on a cell starts editing it with what was typed.
void TCustomGrid::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key < u' ' || !CanEditShow()) return;
  ShowEditor();
  if (!editorShown_) return;
  editor_->SetText(String(1, Key));
  editor_->SetSelStart(1);
  Key = 0;
}

void TCustomGrid::DoExit() { inherited::DoExit(); }

bool TCustomGrid::CanEditShow() {
  return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && col_ >= fixedCols_ &&
         row_ >= fixedRows_ && HandleAllocated();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (!editor_) editor_ = std::make_unique<TInplaceEdit>(this);
  RECT r = CellRect(col_, row_);
  if (r.right <= r.left) return;
  editor_->SetText(GetEditText(col_, row_));
  editor_->SetReadOnly(!CanEditModify());
  editorShown_ = true;
  editor_->Show(r, HasEditButton());
  editor_->SelectAll();
}

void TCustomGrid::HideEditor() {
  if (!editorShown_) return;
  editorShown_ = false;
  bool hadFocus = editor_->Focused();
  editor_->Hide();
  if (hadFocus && CanFocus()) SetFocus();
}

void TCustomGrid::UpdateEditText(bool Accept) {
  if (editorShown_ && Accept && !editor_->ReadOnly()) SetEditText(col_, row_, editor_->Text());
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) {
    ShowEditor();
  } else if (editorShown_) {
    UpdateEditText(true);
    HideEditor();
  }
}

// --- TInplaceEdit ---

TInplaceEdit::TInplaceEdit(TCustomGrid* Grid) : TCustomEdit(nullptr), grid_(Grid) {
  SetVisible(false);
  SetBorderStyle(bsNone);
  SetParent(Grid);
}

void TInplaceEdit::Show(const RECT& Rect, bool WithButton) {
  int buttonWidth = WithButton ? 16 : 0;
  SetBounds(Rect.left, Rect.top, Rect.right - Rect.left - buttonWidth, Rect.bottom - Rect.top);
  if (WithButton) {
    if (!button_) {
      button_ = new TSpeedButton(this->Owner());
      button_->SetParent(grid_);
      button_->SetCaption(u"...");
      button_->OnClick = [this](TObject*) { grid_->EditButtonClick(); };
    }
    button_->SetBounds(Rect.right - buttonWidth, Rect.top, buttonWidth, Rect.bottom - Rect.top);
    button_->SetVisible(true);
  } else if (button_) {
    button_->SetVisible(false);
  }
  SetVisible(true);
  if (grid_->CanFocus()) SetFocus();
}

void TInplaceEdit::Hide() {
  SetVisible(false);
  if (button_) button_->SetVisible(false);
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_ESCAPE:
      grid_->UpdateEditText(false);
      grid_->HideEditor();
      Key = 0;
      return;
    case VK_RETURN:
      grid_->UpdateEditText(true);
      grid_->HideEditor();
      Key = 0;
      return;
    case VK_UP:
    case VK_DOWN: {
      int delta = Key == VK_UP ? -1 : 1;
      grid_->UpdateEditText(true);
      grid_->HideEditor();
      grid_->MoveRowBy(delta);
      Key = 0;
      return;
    }
    default:
      inherited::KeyDown(Key, Shift);
  }
}

void TInplaceEdit::KeyPress(Char& Key) {
  // Enter and Esc were handled as keys; the edit would beep at them.
  if (Key == u'\r' || Key == 27) {
    Key = 0;
    return;
  }
  inherited::KeyPress(Key);
}

// Leaving the editor for anywhere but the grid keeps what was typed.
void TInplaceEdit::DoExit() {
  inherited::DoExit();
  if (grid_->EditorMode() && !grid_->Focused()) {
    grid_->UpdateEditText(true);
    grid_->editorShown_ = false;
    Hide();
  }
}
