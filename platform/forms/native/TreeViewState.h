// Internal to the tree view window class: the state of one tree view window and the routines its
// message handlers share. Split by topic: items and relations (TreeViewItems.cpp), selection and
// expansion with their notifications (TreeViewSelect.cpp), layout and scrolling
// (TreeViewLayout.cpp), painting and custom draw (TreeViewPaint.cpp), mouse and keys
// (TreeViewInput.cpp), label editing (TreeViewLabelEdit.cpp), tool tips (TreeViewTips.cpp).
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/TreeViewControls.h"
#include "platform/rtl/Types.h"

struct TTreeItem {
  String text;
  bool textCallback = false;
  int image = 0;
  int selectedImage = 0;
  int children = 0;  // as set with TVIF_CHILDREN (1, 0 or I_CHILDRENCALLBACK)
  bool childrenSet = false;
  UINT state = 0;
  LPARAM param = 0;
  bool deleting = false;
  TTreeItem* parent = nullptr;
  TTreeItem* first = nullptr;
  TTreeItem* last = nullptr;
  TTreeItem* next = nullptr;
  TTreeItem* prev = nullptr;
  int level = 0;
  int row = -1;  // position among the shown rows; -1 while inside a collapsed branch

  HTREEITEM Handle() { return reinterpret_cast<HTREEITEM>(this); }
  bool Expanded() const { return (state & TVIS_EXPANDED) != 0; }
};

// The parts of a row, in client coordinates.
struct TRowLayout {
  int top = 0;
  int buttonCenterX = 0;  // the column of the item's own connector line and button
  bool hasButtonColumn = false;
  int stateLeft = -1;  // -1 when no state image is shown
  int imageLeft = -1;  // -1 when there is no normal image list
  RECT label;
};

class TNativeTreeView {
 public:
  explicit TNativeTreeView(HWND h) : hwnd_(h), root_(std::make_unique<TTreeItem>()) { root_->level = -1; }
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

  // --- items (TreeViewItems.cpp) ---
  TTreeItem* Find(HTREEITEM h) const;
  TTreeItem* Insert(const TVINSERTSTRUCT& is);
  bool Delete(TTreeItem* item);  // nullptr: everything
  void SetItem(TTreeItem* item, const TVITEM& tv);
  bool GetItem(TTreeItem* item, TVITEM& tv);
  TTreeItem* Relation(UINT code, TTreeItem* item);
  bool HasChildren(TTreeItem* item);
  bool SortChildren(TTreeItem* parent, bool recurse, const TVSORTCB* cb);
  String ItemText(TTreeItem* item);
  int ItemImage(TTreeItem* item, bool selected);
  void FillNotifyItem(TTreeItem* item, TVITEM& tv) const;

  // --- selection and expansion (TreeViewSelect.cpp) ---
  bool Select(TTreeItem* item, UINT action);
  bool SelectRelation(UINT code, TTreeItem* item);
  bool Expand(TTreeItem* item, UINT code, bool byUser);
  void EnsureVisible(TTreeItem* item);
  void SetDropHilite(TTreeItem* item);

  // --- layout and scrolling (TreeViewLayout.cpp) ---
  void EnsureRows();
  void RowsChanged();
  int ItemHeight();
  int ClientWidth() const;
  int ClientHeight() const;
  int PageRows();
  TRowLayout Layout(TTreeItem* item, HDC measure = nullptr);
  int LabelWidth(TTreeItem* item, HDC measure);
  bool ItemRect(TTreeItem* item, bool textOnly, RECT& r);
  TTreeItem* HitTest(POINT pt, UINT& flags);
  void SetTop(int row);
  void ScrollTo(int bar, WORD code);
  void UpdateScrollBars();
  void InvalidateItem(TTreeItem* item);
  void Invalidate();

  // --- painting (TreeViewPaint.cpp) ---
  struct TPaintContext;
  void Paint(HDC dc);
  bool PaintRow(TPaintContext& pc, TTreeItem* item, int y);
  void PaintLines(const TPaintContext& pc, TTreeItem* item, const TRowLayout& l, int y);
  void PaintImages(const TPaintContext& pc, TTreeItem* item, const TRowLayout& l, int y, bool selected);
  LRESULT CustomDrawStage(HDC dc, DWORD stage, const RECT& rc, TTreeItem* item, UINT itemState,
                          COLORREF* text, COLORREF* back);

  // --- input (TreeViewInput.cpp) ---
  void OnButtonDown(POINT pt, bool right);
  void OnButtonUp(POINT pt, bool right);
  void OnDoubleClick(POINT pt);
  void OnMouseMove(POINT pt);
  void OnKeyDown(UINT vk);

  // --- label editing (TreeViewLabelEdit.cpp) ---
  HWND EditLabel(TTreeItem* item);
  void EndEdit(bool cancel);
  static LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // --- tool tips (TreeViewTips.cpp) ---
  void UpdateTip(TTreeItem* item);
  void HideTip();
  bool AnswerTipText(NMTTDISPINFO& info);

  LRESULT Notify(UINT code, NMHDR& header);
  LRESULT NotifyTreeView(UINT code, UINT action, TTreeItem* oldItem, TTreeItem* newItem, POINT pt = {});
  DWORD Style() const;

  HWND hwnd_;
  std::unique_ptr<TTreeItem> root_;
  std::unordered_map<TTreeItem*, std::unique_ptr<TTreeItem>> items_;
  std::vector<TTreeItem*> rows_;
  bool rowsDirty_ = false;
  TTreeItem* selected_ = nullptr;
  TTreeItem* dropHilite_ = nullptr;
  int top_ = 0;
  int xPos_ = 0;
  int indent_ = 19;
  int itemHeightSet_ = -1;
  HFONT font_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HIMAGELIST stateImages_ = nullptr;
  COLORREF bkColor_ = static_cast<COLORREF>(-1);
  COLORREF textColor_ = static_cast<COLORREF>(-1);
  COLORREF lineColor_ = static_cast<COLORREF>(-1);
  bool focused_ = false;
  // A left or right press on the client, until its release or a drag begins.
  bool pressing_ = false;
  bool pressRight_ = false;
  TTreeItem* pressItem_ = nullptr;
  UINT pressFlags_ = 0;
  POINT pressPt_{};
  bool pressOnSelected_ = false;
  // Label editing.
  HWND edit_ = nullptr;
  WNDPROC editOldProc_ = nullptr;
  TTreeItem* editItem_ = nullptr;
  bool ending_ = false;
  // Tool tips.
  HWND tip_ = nullptr;
  TTreeItem* tipItem_ = nullptr;
  bool tracking_ = false;
  // Measuring labels, and the widest row painted so far (the horizontal scroll range).
  std::unique_ptr<TMeasureDC> measure_;
  int maxRowRight_ = 0;
};

// Timer of the label edit that a click on the selected label starts.
constexpr UINT_PTR kEditLabelTimer = 0x2A;
