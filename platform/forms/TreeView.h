// The framework's tree view over the "SysTreeView32" window class: TTreeNode, TTreeNodes,
// TCustomTreeView and TTreeView.
#pragma once

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/native/TreeViewControls.h"

TRENVIK_ENUM(TNodeAttachMode, naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert);
TRENVIK_ENUM(TAddMode, taAddFirst, taAdd, taInsert);
TRENVIK_ENUM(TSortType, stNone, stData, stText, stBoth);
TRENVIK_ENUM(TCustomDrawTarget, dtControl, dtItem, dtSubItem);
TRENVIK_ENUM(TCustomDrawStage, cdPrePaint, cdPostPaint, cdPreErase, cdPostErase);
TRENVIK_ENUM(TCustomDrawStateFlag, cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault,
             cdsHot, cdsMarked, cdsIndeterminate);
using TCustomDrawState = Set<TCustomDrawStateFlag>;
TRENVIK_ENUM(THitTest, htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel,
             htOnRight, htOnStateIcon, htToLeft, htToRight);
using THitTests = Set<THitTest>;

class TTreeNode;
class TTreeNodes;
class TCustomTreeView;

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, String& S)>;
using TTVCompareEvent =
    std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare)>;
using TTVCustomDrawEvent = std::function<void(TCustomTreeView* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TTVCustomDrawItemEvent =
    std::function<void(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;
using TTVAdvancedCustomDrawEvent = std::function<void(TCustomTreeView* Sender, const RECT& ARect,
                                                      TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTVAdvancedCustomDrawItemEvent =
    std::function<void(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State,
                       TCustomDrawStage Stage, bool& PaintImages, bool& DefaultDraw)>;

// One node: a view of one item of the window, found again through the item's parameter.
class TTreeNode : public TPersistent {
  TRENVIK_CLASS(TTreeNode, TPersistent);

 public:
  explicit TTreeNode(TTreeNodes* AOwner = nullptr) : owner_(AOwner) {}
  // Removes the item (and so the nodes of its descendants) from the window.
  ~TTreeNode() override;

  TTreeNodes* Owner() const { return owner_; }
  TCustomTreeView* TreeView() const;
  HTREEITEM ItemId() const { return itemId_; }
  bool Deleting() const { return deleting_; }

  String Text() const { return text_; }
  void SetText(const String& Value);
  void* Data() const { return data_; }
  void SetData(void* Value) { data_ = Value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int Value);
  int StateIndex() const { return stateIndex_; }
  void SetStateIndex(int Value);
  int OverlayIndex() const { return overlayIndex_; }
  void SetOverlayIndex(int Value);
  bool HasChildren() const;
  void SetHasChildren(bool Value);
  bool Expanded() const;
  void SetExpanded(bool Value);
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const { return Selected(); }
  void SetFocused(bool Value) { SetSelected(Value); }
  bool DropTarget() const;
  void SetDropTarget(bool Value);
  bool Cut() const;
  void SetCut(bool Value);

  TTreeNode* Parent() const;
  TTreeNode* getFirstChild() const;
  TTreeNode* GetLastChild() const;
  TTreeNode* getNextSibling() const;
  TTreeNode* getPrevSibling() const;
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;
  TTreeNode* GetNextChild(TTreeNode* Value) const { return Value ? Value->getNextSibling() : nullptr; }
  int Count() const;
  TTreeNode* Item(int Index) const;
  int Index() const;
  int Level() const;
  int AbsoluteIndex() const;
  int IndexOf(TTreeNode* Value) const;
  bool HasAsParent(TTreeNode* Value) const;
  bool IsVisible() const;
  RECT DisplayRect(bool TextOnly) const;

  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  void MakeVisible();
  bool EditText();
  void EndEdit(bool Cancel);
  bool AlphaSort(bool ARecurse = false);
  bool CustomSort(std::function<int(TTreeNode*, TTreeNode*)> Compare, bool ARecurse = false);
  // Frees the node and its descendants' nodes, removing their items.
  void Delete();
  void DeleteChildren();
  // Moves the node (with its descendants) to a place relative to Destination.
  virtual void MoveTo(TTreeNode* Destination, TNodeAttachMode Mode);
  void Assign(TPersistent* Source) override;

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  HWND Wnd() const;
  TTreeNode* NodeOf(HTREEITEM item) const;
  TTreeNode* Relation(UINT code) const;
  void SetState(UINT state, UINT mask);
  void InvalidateRow();
  void ExpandItem(bool Expand, bool Recurse);
  // Puts the item (and its descendants') at the new place under the same node objects.
  void InternalMove(HTREEITEM parentItem, HTREEITEM insertAfter);

  TTreeNodes* owner_;
  HTREEITEM itemId_ = nullptr;
  String text_;
  void* data_ = nullptr;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  int stateIndex_ = -1;
  int overlayIndex_ = -1;
  bool deleting_ = false;
};

// The nodes of a tree view.
class TTreeNodes : public TPersistent {
  TRENVIK_CLASS(TTreeNodes, TPersistent);

 public:
  explicit TTreeNodes(TCustomTreeView* AOwner);
  ~TTreeNodes() override;

  TCustomTreeView* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(nodes_.size()); }
  // The node at a position in depth-first order.
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const;
  TTreeNode* GetNode(HTREEITEM ItemId) const;

  TTreeNode* Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }
  TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Ptr);
  TTreeNode* AddFirst(TTreeNode* Sibling, const String& S) { return AddObjectFirst(Sibling, S, nullptr); }
  TTreeNode* AddObjectFirst(TTreeNode* Sibling, const String& S, void* Ptr);
  TTreeNode* AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const String& S) {
    return AddChildObjectFirst(Parent, S, nullptr);
  }
  TTreeNode* AddChildObjectFirst(TTreeNode* Parent, const String& S, void* Ptr);
  TTreeNode* Insert(TTreeNode* Sibling, const String& S) { return InsertObject(Sibling, S, nullptr); }
  TTreeNode* InsertObject(TTreeNode* Sibling, const String& S, void* Ptr);
  void Delete(TTreeNode* Node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }
  void Assign(TPersistent* Source) override;

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  HWND Wnd() const;
  // A node made by the view's factory, inserted under parentItem after insertAfter.
  TTreeNode* InternalAdd(HTREEITEM parentItem, HTREEITEM insertAfter, const String& S, void* Ptr);
  HTREEITEM InsertItem(TTreeNode* node, HTREEITEM parentItem, HTREEITEM insertAfter);
  // Forgets a node whose item is gone (it is being freed).
  void Forget(TTreeNode* node) { nodes_.erase(node); }

  TCustomTreeView* owner_;
  std::unordered_set<TTreeNode*> nodes_;
  int updateCount_ = 0;
};

class TCustomTreeView : public TWinControl {
  TRENVIK_CLASS(TCustomTreeView, TWinControl);

 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() const { return items_.get(); }
  void SetItems(TTreeNodes* Value) { items_->Assign(Value); }
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* Value);
  TTreeNode* TopItem() const;
  void SetTopItem(TTreeNode* Value);
  TTreeNode* DropTarget() const;
  void SetDropTarget(TTreeNode* Value);
  TTreeNode* GetNodeAt(int X, int Y);
  THitTests GetHitTestInfoAt(int X, int Y);
  bool IsEditing() const;
  void FullExpand();
  void FullCollapse();
  bool AlphaSort(bool ARecurse = true);
  TCanvas* Canvas() const { return canvas_.get(); }

  bool AutoExpand() const { return autoExpand_; }
  void SetAutoExpand(bool Value) { autoExpand_ = Value; }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value) { SetStyleFlag(hideSelection_, Value); }
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool Value) { SetStyleFlag(hotTrack_, Value); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return stateImages_; }
  void SetStateImages(TCustomImageList* Value);
  int Indent();
  void SetIndent(int Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { SetStyleFlag(readOnly_, Value); }
  bool RightClickSelect() const { return rightClickSelect_; }
  void SetRightClickSelect(bool Value) { rightClickSelect_ = Value; }
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool Value) { SetStyleFlag(rowSelect_, Value); }
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool Value) { SetStyleFlag(showButtons_, Value); }
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool Value) { SetStyleFlag(showLines_, Value); }
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool Value) { SetStyleFlag(showRoot_, Value); }
  TSortType SortType() const { return sortType_; }
  void SetSortType(TSortType Value);
  bool ToolTips() const { return toolTips_; }
  void SetToolTips(bool Value) { SetStyleFlag(toolTips_, Value); }

  TTVChangingEvent OnChanging;
  TTVChangedEvent OnChange;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnExpanded;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnCollapsed;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVExpandedEvent OnDeletion;
  TTVExpandedEvent OnGetImageIndex;
  TTVExpandedEvent OnGetSelectedIndex;
  TTVCompareEvent OnCompare;
  TTVCustomDrawEvent OnCustomDraw;
  TTVCustomDrawItemEvent OnCustomDrawItem;
  TTVAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TTVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // A drag of a node starts when the window reports one (TVN_BEGINDRAG), not on the press: the
  // press reaches the window even in automatic drag mode.
  void BeginAutoDrag() override {}
  void WndProc(TMessage& Message) override;
  virtual TTreeNode* CreateNode();
  virtual bool CanChange(TTreeNode* Node);
  virtual void Change(TTreeNode* Node);
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Collapse(TTreeNode* Node);
  virtual bool CanEdit(TTreeNode* Node);
  // The label edit ended; Item.pszText is the new text, or null when it was cancelled.
  virtual void Edit(const TVITEM& Item);
  virtual void Delete(TTreeNode* Node);
  virtual void GetImageIndex(TTreeNode* Node);
  virtual void GetSelectedIndex(TTreeNode* Node);
  virtual bool IsCustomDrawn(TCustomDrawTarget Target, TCustomDrawStage Stage);
  virtual bool CustomDraw(const RECT& ARect, TCustomDrawStage Stage);
  virtual bool CustomDrawItem(TTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage,
                              bool& PaintImages);
  // The node of a notification's item: its parameter when it carries one, else its handle.
  TTreeNode* GetNodeFromItem(const TVITEM& Item) const;
  void CNNotify(TMessage& Message);

 private:
  TRENVIK_MESSAGES(TCustomTreeView);
  friend class TTreeNode;
  friend class TTreeNodes;
  DWORD TreeStyle() const;
  void SetStyleFlag(bool& flag, bool value);
  void ApplyImages();
  // One handler per notification (TreeViewNotify.cpp).
  LRESULT NotifySelChanging(NMTREEVIEW& nm);
  LRESULT NotifySelChanged(NMTREEVIEW& nm);
  LRESULT NotifyExpanding(NMTREEVIEW& nm);
  LRESULT NotifyExpanded(NMTREEVIEW& nm);
  LRESULT NotifyDeleteItem(NMTREEVIEW& nm);
  LRESULT NotifyBeginDrag(NMTREEVIEW& nm);
  LRESULT NotifyBeginLabelEdit(NMTVDISPINFO& info);
  LRESULT NotifyEndLabelEdit(NMTVDISPINFO& info);
  LRESULT NotifyGetDispInfo(NMTVDISPINFO& info);
  LRESULT NotifyRightClick();
  LRESULT NotifyCustomDraw(NMTVCUSTOMDRAW& cd);
  // Keeps the nodes while the window is remade.
  struct TSavedNode {
    TTreeNode* node;
    int parent;
    bool expanded;
    bool hasChildrenSet;
    int children;
  };
  void SaveNodes();
  void RestoreNodes();

  std::unique_ptr<TTreeNodes> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  std::vector<TSavedNode> saved_;
  TTreeNode* savedSelected_ = nullptr;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* stateImages_ = nullptr;
  int indent_ = 19;
  TBorderStyle borderStyle_ = bsSingle;
  TSortType sortType_ = stNone;
  bool autoExpand_ = false;
  bool hideSelection_ = true;
  bool hotTrack_ = false;
  bool readOnly_ = false;
  bool rightClickSelect_ = false;
  bool rowSelect_ = false;
  bool showButtons_ = true;
  bool showLines_ = true;
  bool showRoot_ = true;
  bool toolTips_ = true;
  // Raised while a node expands or collapses itself and raises the events on its own.
  bool manualNotify_ = false;
  // Raised while the window goes away under nodes that stay.
  bool detaching_ = false;
  bool canvasChanged_ = false;
  // Raised while the window asks for images to draw: the answer needs no repaint.
  bool answeringDispInfo_ = false;
};

class TTreeView : public TCustomTreeView {
  TRENVIK_CLASS(TTreeView, TCustomTreeView);

 public:
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};
