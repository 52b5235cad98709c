// TCustomdxTreeView: the framework's tree view with deletion by the Del key, drag and drop of
// nodes inside one tree and between trees (move, or copy with Ctrl), per-node colours through a
// custom-draw hook. TdxTreeNode is its node.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/forms/ComCtrls.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/GraphicsObjects.h"

class TCustomdxTreeView;

using TDragDropTreeNode = std::function<void(TTreeNode* Destination, TTreeNode* Source, bool& Accept)>;
using TEndDragTreeNode =
    std::function<void(TTreeNode* Destination, TTreeNode* Source, TNodeAttachMode& AttachMode)>;
using TDragDropIsCopy = std::function<void(TTreeNode* Destination, TTreeNode* Source, bool& IsCopy)>;
using TTreeViewCustomDraw =
    std::function<void(TObject* Sender, TTreeNode* TreeNode, TFont* AFont, TColor& AColor, TColor& ABkColor)>;
using TTreeViewGetEditText = std::function<void(TObject* Sender, TTreeNode* Node, String& Text)>;
using TTreeNodeList = std::vector<TTreeNode*>;

class TdxTreeNode : public TTreeNode {
  TRENVIK_CLASS(TdxTreeNode, TTreeNode);

 public:
  explicit TdxTreeNode(TTreeNodes* AOwner) : TTreeNode(AOwner) {}
  // A move to become a child goes through a placeholder, so that the node itself arrives by an
  // insertion before a sibling and a data-aware tree records its new parent.
  void MoveTo(TTreeNode* Destination, TNodeAttachMode Mode) override;
};

// Raises a tree's InternalOperation for a scope, whatever way the scope ends.
class TInternalOperationScope {
 public:
  explicit TInternalOperationScope(TCustomdxTreeView* View);
  ~TInternalOperationScope();
  TInternalOperationScope(const TInternalOperationScope&) = delete;
  TInternalOperationScope& operator=(const TInternalOperationScope&) = delete;

 private:
  TCustomdxTreeView* view_;
  bool old_;
};

// Bits of DeleteFlags.
constexpr Byte kDeleteByKey = 1;
constexpr Byte kDeleteConfirm = 2;

class TCustomdxTreeView : public TCustomTreeView {
  TRENVIK_CLASS(TCustomdxTreeView, TCustomTreeView);

 public:
  explicit TCustomdxTreeView(TComponent* AOwner);
  ~TCustomdxTreeView() override;

  Byte DeleteFlags() const { return deleteFlags_; }
  void SetDeleteFlags(Byte Value) { deleteFlags_ = Value; }
  bool DraggingOver() const { return dragging_; }
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int Value);
  bool ShowNodeHint() const { return showNodeHint_; }
  void SetShowNodeHint(bool Value) { showNodeHint_ = Value; }
  bool InternalOperation() const { return internalOperation_; }

  void SetFocus() override;

  // Puts Source (a node of this or another tree) relative to Target: moved within this tree, or
  // copied with its subtree (and, for a move from another writable tree, the source then freed).
  // Answers the node that now stands for the dropped one.
  TTreeNode* DropNodes(TTreeNode* Source, TTreeNode* Target, bool IsCopy);
  // The tree's own rule for a drop of Source on Target, then the handlers' say (which may also
  // turn the drop into a copy or a move).
  bool AcceptDrop(TTreeNode* Source, TTreeNode* Target, bool& IsCopy);

  TDragDropTreeNode OnDragDropTreeNode;
  TEndDragTreeNode OnEndDragTreeNode;
  TDragDropIsCopy OnDragDropIsCopy;
  TTreeViewCustomDraw OnCustomDraw;
  TTreeViewGetEditText OnGetEditText;

 protected:
  friend class TInternalOperationScope;
  TTreeNode* CreateNode() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  void DoStartDrag(TDragObject*& DragObject) override;

  virtual void DoCustomDraw(TTreeNode* Node, TFont* Font, TColor& Color, TColor& BkColor);
  virtual void GetNodeCopyText(TTreeNode* Node, String& Text);
  // Answers false when the data of the copies was refused, so a move keeps its source.
  virtual bool CopyNodeData(const TTreeNodeList& SourceNodes, const TTreeNodeList& NewNodes, bool CopyData);
  virtual void DoDragDropTreeNode(TTreeNode* Destination, TTreeNode* Source, bool& Accept);
  virtual void DoDragDropIsCopy(TTreeNode* Destination, TTreeNode* Source, bool& IsCopy);
  virtual void CollectNodes(TTreeNode* Node, TTreeNodeList& List);
  virtual bool IsCustomDraw();
  // Label editing has begun in Editor for Node (after the framework agreed).
  virtual void LabelEditBegun(TTreeNode* Node, HWND Editor);
  bool CanEdit(TTreeNode* Node) override;

 private:
  void DeleteSelectedByKey();
  // The steps of a drag over this tree (dxtreeDrag.cpp); the framework's handling follows.
  void HandleDrag(TMessage& Message);
  void DragMoveOver(const POINT& Screen);
  void AutoScrollOver(TTreeNode* Node);
  bool DropOnTarget(bool IsCopy);
  void WithDragImageHidden(const std::function<void()>& Work);
  bool FullyVisible(TTreeNode* Node);
  // Item colours and fonts from DoCustomDraw; false leaves the message to the framework.
  bool HandleCustomDraw(TMessage& Message);
  // No node tips while ShowNodeHint is off; false leaves the message to the framework.
  bool HandleTipText(TMessage& Message);
  void CopySubtree(const TTreeNodeList& SourceNodes, TTreeNode* Target, TNodeAttachMode Mode,
                   TTreeNodeList& NewNodes);

  Byte deleteFlags_ = kDeleteByKey | kDeleteConfirm;
  int selectedIndex_ = -1;
  bool showNodeHint_ = true;
  bool internalOperation_ = false;
  bool dragging_ = false;
  TDragObject* currentDragObject_ = nullptr;
  std::unique_ptr<TFont> customDrawFont_;
};
