// A node of the inspector's row tree. Nodes own their children; a node unlinks itself from its list
// when it is deleted and tells its inspector, which moves the focus and the top row off it.
#pragma once

#include <memory>
#include <vector>

class TCustomdxInspector;
class TdxInspectorNode;

using TdxInspectorNodeList = std::vector<std::unique_ptr<TdxInspectorNode>>;

// Where MoveTo puts a node relative to its destination.
enum TdxInspectorNodeAttachMode : int {
  inaAdd = 0,       // last sibling of the destination
  inaAddChild = 1,  // last child of the destination
  inaInsert = 2,    // before the destination, in its list
};

class TdxInspectorNode {
 public:
  explicit TdxInspectorNode(TCustomdxInspector* Owner);
  virtual ~TdxInspectorNode();
  TdxInspectorNode(const TdxInspectorNode&) = delete;
  TdxInspectorNode& operator=(const TdxInspectorNode&) = delete;

  TCustomdxInspector* Owner() const { return owner_; }
  TdxInspectorNode* Parent() const { return parent_; }
  bool Expanded() const { return expanded_; }
  bool Destroying() const { return destroying_; }

  int Count() const { return children_ ? static_cast<int>(children_->size()) : 0; }
  TdxInspectorNode* Items(int Index) const;
  int Index() const { return index_; }
  int Level() const;
  bool HasChildren() const { return Count() > 0; }
  bool IsLast() const;
  bool IsVisible() const;
  bool Focused() const;
  int AbsoluteIndex() const;
  TdxInspectorNode* GetNext() const;
  TdxInspectorNode* GetPrev() const;
  TdxInspectorNode* GetLastVisibleDescendant() const;
  TdxInspectorNode* TopLevelAncestor() const;
  bool IsAncestorOf(const TdxInspectorNode* Node) const;

  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  void SetExpanded(bool Value);
  void SetFocused(bool Value);
  void MoveTo(TdxInspectorNode* Destination, TdxInspectorNodeAttachMode Mode);
  void DeleteChildren();
  void MakeVisible();
  // Appends a new node of the inspector's node class as this node's last child.
  TdxInspectorNode* AddChild();

 private:
  friend class TCustomdxInspector;
  TdxInspectorNodeList& OwnerList() const;
  // Takes the node out of its list without deleting it.
  std::unique_ptr<TdxInspectorNode> Unlink();
  void Attach(std::unique_ptr<TdxInspectorNode> Self, TdxInspectorNode* NewParent, int Position);
  void SetExpandedRecursive(bool Value, bool Recurse);
  // Positions are kept in the nodes so that walking the tree never searches a list.
  static void Renumber(TdxInspectorNodeList& List, size_t From);

  bool destroying_ = false;
  bool expanded_ = false;
  std::unique_ptr<TdxInspectorNodeList> children_;
  TCustomdxInspector* owner_;
  TdxInspectorNode* parent_ = nullptr;
  int index_ = -1;
  mutable int absoluteIndex_ = -1;  // set when the inspector rebuilds its visible order
};
