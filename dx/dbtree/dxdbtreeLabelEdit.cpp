// TdxDBTreeView: editing a node's label edits the list field: the editor starts from the field's
// text, is limited to its width and takes only the characters the field accepts.
#include "dx/dbtree/dxdbtree.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Shell.h"
#include "platform/win/Windows.h"

namespace {

const char16_t kLabelEditorView[] = u"dxDBTreeViewLabelEditor";

}  // namespace

void TdxDBTreeView::LabelEditBegun(TTreeNode* Node, HWND Editor) {
  TCustomdxTreeView::LabelEditBegun(Node, Editor);
  TDataSet* ds = DataSet();
  if (!listField_ || !Node || !ds) return;
  String text = listField_->Text();
  if (Node->Text() != text) {
    TValueScope<bool> lock(locked_, true);
    Node->SetText(text);
  }
  SetWindowText(Editor, text.c_str());
  labelEditStartedEdit_ = false;
  if (ds->CanModify() && ds->State() == dsBrowse) {
    TValueScope<bool> lock(locked_, true);
    ds->Edit();
    labelEditStartedEdit_ = true;
  }
  SendMessage(Editor, EM_LIMITTEXT, static_cast<WPARAM>(listField_->DisplayWidth()), 0);
  SetProp(Editor, kLabelEditorView, this);
  labelEditorProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(Editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TdxDBTreeView::LabelEditorProc)));
}

LRESULT TdxDBTreeView::LabelEditorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* view = static_cast<TdxDBTreeView*>(GetProp(hwnd, kLabelEditorView));
  WNDPROC next = view->labelEditorProc_;
  if (msg == WM_CHAR && wParam >= 32) {
    TDataSet* ds = view->DataSet();
    TField* field = view->listField_;
    if (!ds || !field || !ds->CanModify() || field->ReadOnly()) return 0;
    if (!field->IsValidChar(static_cast<Char>(wParam))) {
      MessageBeep(0);
      return 0;
    }
  }
  if (msg == WM_DESTROY) {
    RemoveProp(hwnd, kLabelEditorView);
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
    view->labelEditorProc_ = nullptr;
  }
  return CallWindowProc(next, hwnd, msg, wParam, lParam);
}

void TdxDBTreeView::Edit(const TVITEM& Item) {
  TCustomdxTreeView::Edit(Item);
  TDataSet* ds = DataSet();
  // A cancelled edit leaves the record as it was.
  if (!Item.pszText && labelEditStartedEdit_ && ds && ds->State() == dsEdit) {
    TValueScope<bool> lock(locked_, true);
    ds->Cancel();
  }
  labelEditStartedEdit_ = false;
}
