// The data-aware tree view's nodes and their key index: nodes kept sorted by their record's key
// and found by repeated halving.
#pragma once

#include <vector>

#include "dx/dbtree/dxtree.h"
#include "platform/rtl/Variant.h"

class TdxDBTreeView;
class TdxDBTreeNodes;

// Key comparisons of the index: a comparison the variant operators refuse counts as false.
bool KeyEquals(const Variant& A, const Variant& B);
bool KeyGreaterOrEqual(const Variant& A, const Variant& B);
bool KeyGreater(const Variant& A, const Variant& B);

class TdxDBTreeNode : public TdxTreeNode {
  TRENVIK_CLASS(TdxDBTreeNode, TdxTreeNode);

 public:
  TdxDBTreeNode(TTreeNodes* AOwner, TdxDBTreeNodes* AIndex, const Variant& AKey);
  // Leaves the index and, outside the view's own work, deletes its record (see TdxDBTreeView).
  ~TdxDBTreeNode() override;

  TdxDBTreeNodes* IndexOwner() const { return index_; }
  const Variant& KeyValue() const { return keyValue_; }
  const Variant& ParentValue() const { return parentValue_; }
  void SetParentValue(const Variant& Value) { parentValue_ = Value; }
  bool IsInserting() const { return isInserting_; }
  void SetIsInserting(bool Value) { isInserting_ = Value; }
  bool Refreshed() const { return refreshed_; }
  void SetRefreshed(bool Value) { refreshed_ = Value; }
  bool ChildLoaded() const { return childLoaded_; }
  int Position() const { return position_; }
  const String& ListText() const { return listText_; }
  void SetListText(const String& Value) { listText_ = Value; }

  TColor BkColor = clWindow;
  TColor Color = clWindowText;
  TFontStyles FontStyle;
  String FontName;
  bool CustomDrawn = false;

 private:
  friend class TdxDBTreeNodes;
  friend class TdxDBTreeView;
  TdxDBTreeNodes* index_;
  Variant keyValue_;
  Variant parentValue_;
  String listText_;
  int position_ = 0;
  bool isInserting_ = false;
  bool refreshed_ = false;
  bool childLoaded_ = false;
};

class TdxDBTreeNodes {
 public:
  explicit TdxDBTreeNodes(TdxDBTreeView* View) : view_(View) {}
  TdxDBTreeNodes(const TdxDBTreeNodes&) = delete;
  TdxDBTreeNodes& operator=(const TdxDBTreeNodes&) = delete;

  TdxDBTreeView* View() const { return view_; }
  int Count() const { return static_cast<int>(list_.size()); }
  TdxDBTreeNode* Item(int Index) const { return list_[static_cast<std::size_t>(Index)]; }
  bool Destroying() const { return destroying_; }
  void SetDestroying(bool Value) { destroying_ = Value; }
  int CustomDrawCount = 0;

  struct TKeySearch {
    bool Found;
    int Position;
  };
  // The node's position when found, else the insertion position (-1 before the first key).
  TKeySearch FindKeyIndex(const Variant& Key) const;
  TdxDBTreeNode* FindNode(const Variant& Key) const;
  bool Contains(const TdxDBTreeNode* Node) const {
    return Node->position_ >= 0 && Node->position_ < Count() && Item(Node->position_) == Node;
  }
  Variant LastKey() const;
  // Gives a node its final key and moves it to its sorted place.
  void ChangeKey(TdxDBTreeNode* Node, const Variant& NewKey);

 private:
  friend class TdxDBTreeNode;
  friend class TdxDBTreeView;
  void Insert(TdxDBTreeNode* Node);
  void Remove(TdxDBTreeNode* Node);
  void Renumber(int From, int To);

  TdxDBTreeView* view_;
  std::vector<TdxDBTreeNode*> list_;
  bool destroying_ = false;
};
