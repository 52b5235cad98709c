// TCustomdxTreeView: Del key, dropping nodes (move inside the tree, copy of a subtree, move between
// trees), and the node class's move through a placeholder.
#include "dx/dbtree/dxtree.h"

#include <optional>
#include <unordered_map>

#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxTreeNode)
TRENVIK_IMPLEMENT_CLASS(TCustomdxTreeView)

TInternalOperationScope::TInternalOperationScope(TCustomdxTreeView* View)
    : view_(View), old_(std::exchange(View->internalOperation_, true)) {}

TInternalOperationScope::~TInternalOperationScope() { view_->internalOperation_ = old_; }

void TdxTreeNode::MoveTo(TTreeNode* Destination, TNodeAttachMode Mode) {
  auto* view = dynamic_cast<TCustomdxTreeView*>(TreeView());
  if (!view || !Destination || (Mode != naAddChild && Mode != naAddChildFirst)) {
    TTreeNode::MoveTo(Destination, Mode);
    return;
  }
  TTreeNode* placeholder = nullptr;
  {
    TInternalOperationScope internal(view);
    placeholder = Mode == naAddChild ? view->Items()->AddChild(Destination, String())
                                     : view->Items()->AddChildFirst(Destination, String());
  }
  // A tree that makes no nodes now (a data-aware one without its fields) moves the plain way.
  if (!placeholder) {
    TTreeNode::MoveTo(Destination, Mode);
    return;
  }
  // The placeholder goes however the move ends, without reaching the data.
  TScopeExit dropPlaceholder([&] {
    TInternalOperationScope internal(view);
    delete placeholder;
  });
  TTreeNode::MoveTo(placeholder, naInsert);
}

TCustomdxTreeView::TCustomdxTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}

TCustomdxTreeView::~TCustomdxTreeView() = default;

void TCustomdxTreeView::SetSelectedIndex(int Value) {
  if (selectedIndex_ == Value) return;
  selectedIndex_ = Value;
  for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->GetNext()) n->SetSelectedIndex(Value);
}

void TCustomdxTreeView::SetFocus() {
  if (GetParentForm(this) || ParentWindow()) TCustomTreeView::SetFocus();
}

TTreeNode* TCustomdxTreeView::CreateNode() {
  auto* node = new TdxTreeNode(Items());
  if (selectedIndex_ != -1) node->SetSelectedIndex(selectedIndex_);
  return node;
}

void TCustomdxTreeView::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_DELETE && (deleteFlags_ & kDeleteByKey) && !ReadOnly() && Selected() && !IsEditing())
    DeleteSelectedByKey();
  TCustomTreeView::KeyDown(Key, Shift);
}

void TCustomdxTreeView::DeleteSelectedByKey() {
  TTreeNode* node = Selected();
  String text = u"Do you want to delete the item \"" + node->Text() + u"\"";
  if ((deleteFlags_ & kDeleteConfirm) && MessageDlg(text, mtConfirmation, mbOKCancel) == mrCancel) return;
  Items()->Delete(node);
}

void TCustomdxTreeView::DoCustomDraw(TTreeNode* Node, TFont* Font, TColor& Color, TColor& BkColor) {
  if (OnCustomDraw) OnCustomDraw(this, Node, Font, Color, BkColor);
}

void TCustomdxTreeView::GetNodeCopyText(TTreeNode* Node, String& Text) {
  if (Node) Text = Node->Text();
}

bool TCustomdxTreeView::CopyNodeData(const TTreeNodeList&, const TTreeNodeList&, bool) { return true; }

void TCustomdxTreeView::DoDragDropTreeNode(TTreeNode* Destination, TTreeNode* Source, bool& Accept) {
  if (OnDragDropTreeNode) OnDragDropTreeNode(Destination, Source, Accept);
}

void TCustomdxTreeView::DoDragDropIsCopy(TTreeNode* Destination, TTreeNode* Source, bool& IsCopy) {
  if (OnDragDropIsCopy) OnDragDropIsCopy(Destination, Source, IsCopy);
}

void TCustomdxTreeView::CollectNodes(TTreeNode* Node, TTreeNodeList& List) {
  List.push_back(Node);
  for (TTreeNode* c = Node->getFirstChild(); c; c = c->getNextSibling()) CollectNodes(c, List);
}

bool TCustomdxTreeView::CanEdit(TTreeNode* Node) {
  if (!TCustomTreeView::CanEdit(Node)) return false;
  if (HWND editor = reinterpret_cast<HWND>(SendMessage(Handle(), TVM_GETEDITCONTROL, 0, 0)))
    LabelEditBegun(Node, editor);
  return true;
}

void TCustomdxTreeView::LabelEditBegun(TTreeNode* Node, HWND Editor) {
  if (!OnGetEditText || !Node) return;
  String text = Node->Text();
  OnGetEditText(this, Node, text);
  SetWindowText(Editor, text.c_str());
}

bool TCustomdxTreeView::IsCustomDraw() { return static_cast<bool>(OnCustomDraw); }

bool TCustomdxTreeView::AcceptDrop(TTreeNode* Source, TTreeNode* Target, bool& IsCopy) {
  if (!Source) return false;
  bool accept = false;
  if (!Target) {
    DoDragDropIsCopy(Source, nullptr, IsCopy);
    DoDragDropTreeNode(nullptr, Source, accept);
    return accept;
  }
  if (Target == Source || Target->HasAsParent(Source)) return false;
  DoDragDropIsCopy(Source, Target, IsCopy);
  if (Target != Source->Parent() || IsCopy || OnEndDragTreeNode) {
    accept = true;
    DoDragDropTreeNode(Target, Source, accept);
  }
  return accept;
}

void TCustomdxTreeView::CopySubtree(const TTreeNodeList& SourceNodes, TTreeNode* Target, TNodeAttachMode Mode,
                                    TTreeNodeList& NewNodes) {
  // The copy of a source node's parent, by the parent's place in SourceNodes.
  std::unordered_map<TTreeNode*, TTreeNode*> copyOf;
  for (TTreeNode* source : SourceNodes) {
    String text;
    GetNodeCopyText(source, text);
    TTreeNode* made = nullptr;
    if (NewNodes.empty()) {
      switch (Mode) {
        case naAdd:
          made = Items()->Add(Target, text);
          break;
        case naAddFirst:
          made = Items()->AddFirst(Target, text);
          break;
        case naAddChild:
          made = Items()->AddChild(Target, text);
          break;
        case naAddChildFirst:
          made = Items()->AddChildFirst(Target, text);
          break;
        case naInsert:
          made = Items()->Insert(Target, text);
          break;
      }
    } else {
      made = Items()->AddChild(copyOf.at(source->Parent()), text);
    }
    copyOf[source] = made;
    NewNodes.push_back(made);
  }
}

TTreeNode* TCustomdxTreeView::DropNodes(TTreeNode* Source, TTreeNode* Target, bool IsCopy) {
  TCustomTreeView* sourceView = Source->TreeView();
  bool sameTreeMove = !IsCopy && sourceView == this;
  TTreeNodeList sourceNodes;
  {
    std::optional<TInternalOperationScope> internal;
    if (!sameTreeMove) internal.emplace(this);
    if (auto* dxSource = dynamic_cast<TCustomdxTreeView*>(sourceView)) {
      std::optional<TInternalOperationScope> sourceInternal;
      if (!sameTreeMove && dxSource != this) sourceInternal.emplace(dxSource);
      dxSource->CollectNodes(Source, sourceNodes);
    } else {
      TCustomdxTreeView::CollectNodes(Source, sourceNodes);
    }
  }
  TNodeAttachMode mode = Target ? naAddChild : naAdd;
  if (OnEndDragTreeNode) OnEndDragTreeNode(Target, Source, mode);
  if ((mode == naAddChild || mode == naAddChildFirst) && Target) Target->SetHasChildren(true);
  if (sameTreeMove) {
    {
      TInternalOperationScope internal(this);
      Source->MoveTo(Target, mode);
    }
    return Source;
  }
  TTreeNodeList newNodes;
  bool copied = false;
  {
    TInternalOperationScope internal(this);
    CopySubtree(sourceNodes, Target, mode, newNodes);
    copied = CopyNodeData(sourceNodes, newNodes, true);
  }
  TTreeNode* result = newNodes.empty() ? nullptr : newNodes.front();
  if (result && Target) Target->SetHasChildren(true);
  // A move between trees is a copy followed by deletion of the source; a copy that made nothing
  // leaves the source where it is.
  if (sourceView != this && !sourceView->ReadOnly() && !IsCopy && result && copied) delete Source;
  return result;
}
