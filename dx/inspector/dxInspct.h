// The property inspector's engine: a control that shows a tree of nodes as rows with a caption cell
// and a value cell, in one band or in side-by-side bands, and hosts one in-place editor. It knows
// nothing of row components; descendants attach them to nodes and answer the abstract operations.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxInplaceEdit.h"
#include "dx/editors/dxInplacePopup.h"
#include "dx/inspector/dxInspctNode.h"
#include "platform/classes/ClassesTypes.h"
#include "platform/forms/Controls.h"

class TChangeLink;

class TImageList;
class TdxInspectorDragControlObject;

TRENVIK_ENUM(TdxInspectorPaintStyle, ipsStandard, ipsSimple, ipsExtended, ipsNET, ipsCategorized);

// Engine option flags (bit numbers of OptionFlags).
enum TdxInspectorOptionBit : int {
  inoAutoBandCount = 0,
  inoAutoWidth,
  inoBandSizing,
  inoColumnSizing,
  inoDrawEndEllipsis,
  inoDynamicColumnSizing,
  inoEditing,
  inoEnterThrough,
  inoRowAutoHeight,
  inoRowSizing,
  inoStoreToRegistry,
  inoTabThrough,
  inoTabs,
};
constexpr WORD kDefaultInspectorOptions = 110;

// What a point of the control is over.
enum TdxInspectorHitKind : Byte {
  ihkEmpty = 0,
  ihkDivider = 1,
  ihkHeader = 2,
  ihkButton = 3,
  ihkImage = 4,
  ihkCaption = 5,
  ihkValue = 6,
  ihkOutside = 7,
  ihkBandSeparator = 8,
  ihkComplexSeparator = 9,
  ihkRowBottom = 10,
};

// Interaction state of the engine.
enum TdxInspectorState : Byte {
  insIdle = 0,
  insDividerSizing = 1,
  insRowPressed = 2,
  insRowDragging = 3,
  insBandSizing = 4,
  insRowSizing = 5,
};

struct TdxInspectorRowLayout {
  RECT Header{};
  RECT Button{};
  RECT Image{};
  RECT Caption{};
  RECT Value{};
  Byte ButtonState = 0;  // 0 no button, 1 collapsed, 2 expanded
};

struct TdxInspectorHitInfo {
  TdxInspectorNode* Node = nullptr;
  int AbsoluteIndex = -1;
  TdxInspectorHitKind Kind = ihkOutside;
  int Band = -1;
  int ComplexItem = -1;
  RECT ItemRect{};
};

// One band of the layout: its rectangle, whether it has a separator and its rows from the top.
struct TdxInspectorBandRow {
  TdxInspectorNode* Node;
  RECT Bounds;
};
struct TdxInspectorBand {
  int Index = 0;
  RECT Bounds{};
  bool HasSeparator = false;
  std::vector<TdxInspectorBandRow> Rows;
  // The rows' part of the band, without the separator.
  RECT RowArea() const;
};

using TdxInspectorChangeNodeEvent =
    std::function<void(TObject* Sender, TdxInspectorNode* OldNode, TdxInspectorNode* Node)>;

class TCustomdxInspector : public TCustomdxContainer {
  TRENVIK_CLASS(TCustomdxInspector, TCustomdxContainer);
  TRENVIK_MESSAGES(TCustomdxInspector);

 public:
  static constexpr int BandSeparatorWidth = 3;
  static constexpr int CategoryButtonWidth = 10;

  explicit TCustomdxInspector(TComponent* AOwner);
  ~TCustomdxInspector() override;

  // --- Nodes ---
  TdxInspectorNode* AddNode();
  int Count() const { return static_cast<int>(topNodes_.size()); }
  TdxInspectorNode* Items(int Index) const;
  int GetAbsoluteCount() const;
  int GetAbsoluteIndex(const TdxInspectorNode* Node) const;
  TdxInspectorNode* GetNodeByAbsoluteIndex(int Index) const;
  int GetFocusedAbsoluteIndex() const { return GetAbsoluteIndex(focusedNode_); }
  TdxInspectorNode* GetLastVisibleNode() const;
  int GetTopIndex() const { return GetAbsoluteIndex(topNode_); }
  void SetTopIndex(int Index);
  void FullCollapse();
  void BeginUpdate() { ++lockCount_; }
  void EndUpdate();
  bool IsLocked() const { return lockCount_ != 0; }
  bool IsCreatingRow() const { return creatingRow_; }
  bool IsFocusInside();
  bool IsActive();
  TdxInspectorNode* FocusedNode() const { return focusedNode_; }
  TdxInspectorNode* TopNode() const { return topNode_; }
  TdxInspectorNode* HotNode() const { return hotNode_; }

  // --- Geometry and hit testing ---
  std::vector<TdxInspectorBand> CalcBands();
  TdxInspectorRowLayout CalcRowLayout(TdxInspectorNode* Node, RECT R, bool ForHitTest = false);
  TdxInspectorHitInfo HitTest(POINT P);
  TdxInspectorNode* GetNodeAt(int X, int Y) { return HitTest(POINT{X, Y}).Node; }
  TdxInspectorHitKind GetHitKindAt(int X, int Y) { return HitTest(POINT{X, Y}).Kind; }
  RECT GetNodeRect(TdxInspectorNode* Node);
  RECT GetNodeRectToBottom(TdxInspectorNode* Node);

  // --- Properties ---
  int BandWidth() const { return bandWidth_; }
  void SetBandWidth(int Value);
  int BandCount() const { return bandCount_; }
  int FirstBand() const { return firstBand_; }
  void SetFirstBand(int Value);
  int VisibleBandCount() const { return visibleBandCount_; }
  int FullyVisibleBandCount() const { return fullyVisibleBandCount_; }
  int VisibleRowCount() const { return visibleRowCount_; }
  int PartVisibleRowCount() const { return partVisibleRowCount_; }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  const String& ComplexRowSeparator() const { return complexRowSeparator_; }
  void SetComplexRowSeparator(const String& Value);
  int CaptionSeparatorWidth() const { return captionSeparatorWidth_; }
  int ValueSeparatorWidth() const { return valueSeparatorWidth_; }
  int DividerPos() const { return dividerPos_; }
  void SetDividerPos(int Value);
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  TColor GridColor() const { return gridColor_; }
  void SetGridColor(TColor Value);
  // The grid colour is written unless it is the dotted grid's own default.
  bool IsGridColorStored() const {
    return !((paintStyle_ == ipsStandard || paintStyle_ == ipsExtended) && gridColor_ == clBtnShadow);
  }
  TColor CategoryColor() const { return clBtnFace; }
  TColor CategoryLineColor() const { return clBtnShadow; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* Value);
  int ImageWidth() const { return imageWidth_; }
  int ImageHeight() const { return imageHeight_; }
  int IndentWidth() const { return indentWidth_; }
  int MaxRowTextLineCount() const { return maxRowTextLineCount_; }
  void SetMaxRowTextLineCount(int Value);
  int MinBandWidth() const { return minBandWidth_; }
  void SetMinBandWidth(int Value);
  int MinColumnWidth() const { return minColumnWidth_; }
  void SetMinColumnWidth(int Value);
  int MinRowHeight() const { return minRowHeight_; }
  int CaptionTextHeight() const { return captionTextHeight_; }
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int Value);
  bool RowHeightAssigned() const { return rowHeightAssigned_; }
  int RowLineWidth() const { return rowLineWidth_; }
  int RowMargin() const { return rowMargin_; }
  const String& RegistryPath() const { return registryPath_; }
  void SetRegistryPath(const String& Value) { registryPath_ = Value; }
  WORD OptionFlags() const { return optionFlags_; }
  void SetOptionFlags(WORD Value);
  bool HasOption(TdxInspectorOptionBit Bit) const { return (optionFlags_ >> Bit) & 1; }
  TdxInspectorPaintStyle PaintStyle() const { return paintStyle_; }
  void SetPaintStyle(TdxInspectorPaintStyle Value);
  TColor ValueTextColor() const { return valueTextColor_; }
  bool ShowRowHint() const { return showRowHint_; }
  void SetShowRowHint(bool Value);
  TdxInspectorState State() const { return state_; }
  int LoadCount() const { return loadCount_; }
  // Set while the control finishes loading: a resize then keeps the divider that was read.
  bool Loading() const { return loading_; }
  int DividerRefPos() const { return dividerRefPos_; }
  int DividerRefWidth() const { return dividerRefWidth_; }

  TdxInspectorChangeNodeEvent OnChangeNode;

  // --- Virtual operations, in the engine's order ---
  virtual bool CanScroll() { return true; }
  virtual void NodeAdded(TdxInspectorNode* Node);
  virtual int CalcRowTextHeight(TCanvas* Canvas) { return CalcCaptionTextHeight(Canvas); }
  virtual int CalcCaptionTextHeight(TCanvas* Canvas);
  virtual void CheckComplexItemIndex(int&) {}
  virtual void SetHotNode(TdxInspectorNode* Node);
  virtual void FocusedNodeChanged();
  virtual TdxInspectorNode* CreateNode() = 0;
  virtual void NodeRemoved(TdxInspectorNode* Node, TdxInspectorNode* Previous, TdxInspectorNode* Next,
                           bool WasLast, bool WasVisible);
  virtual void DoChangeNode(TdxInspectorNode* OldNode, TdxInspectorNode* Node);
  virtual void DrawCaptionText(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Rect, const String& Text);
  virtual void DrawCaptionCell(TCanvas* Canvas, TdxInspectorNode* Node, const TdxInspectorRowLayout& Layout,
                               const String& Caption);
  virtual void DrawValueCell(TCanvas* Canvas, const RECT& Rect, TdxInspectorNode* Node, String& Text,
                             TAlignment& Alignment);
  virtual void HitTestComplexItem(TdxInspectorNode* Node, const RECT& CellRect, POINT P, int& ItemIndex,
                                  RECT& ItemRect);
  virtual int GetImageIndex(TdxInspectorNode*) { return -1; }
  virtual int GetRowHeight(TdxInspectorNode* Node);
  virtual void GetNodeTexts(TdxInspectorNode* Node, String& Caption, String& Value) = 0;
  virtual TColor GetValueTextColor();
  virtual bool IsCategory(TdxInspectorNode*) { return false; }
  // The hint text of a cell whose text does not fit (or the row's own hint); false for none.
  virtual bool GetCellHint(TdxInspectorNode*, int /*ComplexItem*/, const RECT& /*ItemRect*/, bool /*IsValue*/,
                           const RECT& /*CellRect*/, String& /*Text*/, POINT& /*Point*/,
                           bool& /*IsRowHint*/) {
    return false;
  }
  virtual bool IsComplexNode(TdxInspectorNode*) { return false; }
  virtual bool IsHotNode(TdxInspectorNode* Node) { return Node == hotNode_ && state_ == insIdle; }
  virtual bool HasImage(TdxInspectorNode* Node);
  virtual void LayoutChanged();
  // The last step of every layout recalculation: the customize window is asked to refresh.
  virtual void AfterLayoutChanged();
  virtual void NodeChanged(TdxInspectorNode* Node, bool Structural);
  virtual void CalcVisibleRowCount();
  virtual void UpdateScrollBars();
  virtual void SetFocusedNode(TdxInspectorNode* Node);
  virtual void SetFocusedAbsoluteIndex(int Index);
  virtual void DeleteAllNodes();
  virtual void SetNodeRowHeight(TdxInspectorNode*, int) {}
  virtual bool FocusNextComplexItem(bool) { return false; }
  void SetFocusedComplexItem(int Value) { focusedComplexItem_ = Value; }
  virtual bool CanFocusNextComplexItem(bool) { return false; }
  virtual bool IsDynamicSizing() { return HasOption(inoDynamicColumnSizing) && state_ != insRowSizing; }

  // --- The in-place editor (dxInspctEditing.cpp) ---
  virtual bool CanShowEditor();
  virtual TdxInplaceEdit* CreateEditor(TdxInspectorNode* Node);
  virtual TdxInplaceEdit* FindEditor(TdxInspectorNode*) { return inplaceEditor_; }
  virtual void GetEditorBounds(TdxInspectorNode* Node, RECT& Rect);
  virtual void InitEditor(TdxInplaceEdit* Editor);
  virtual void InitEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value);
  virtual void SaveEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value);
  virtual String GetEditingText();
  virtual void SetEditingText(const String& Text);
  // Forgets the editing node and shows the editor again on the focused row, reloaded.
  virtual void ShowEditor();
  void UpdateEditor(bool Force, bool Reload);
  void ShowEditorIfEditing();
  void PostEditor();
  void CloseEditor(bool Keep);
  // Drops the editor's unsaved text: the editing node is forgotten before the editor closes.
  void HideEditor();
  TdxInplaceEdit* InplaceEditor() const { return inplaceEditor_; }
  TdxInspectorNode* EditingNode() const { return editingNode_; }
  int FocusedComplexItem() const { return focusedComplexItem_; }
  const TdxInspectorHitInfo& MouseHitInfo() const { return mouseHitInfo_; }
  void EndSizing();
  // Row hints (dxInspctHint.cpp).
  void EvaluateRowHint(bool DelayAllowed);
  void HideRowHint();
  void ResetRowHint();
  TdxContainerHintWindow* HintWindow() const { return hintWindow_; }
  // Keypad and arrow keys that expand and collapse the focused row.
  void ExpandKeys(WORD Key, TShiftState Shift);

  // --- Row drag and drop (dxInspctDrag.cpp) ---
  // Rows are dragged with DragMode dmAutomatic or while a customize window is attached.
  bool CanDragRows();
  // May replace the dragged node (a row dragged in from the customize window has none yet).
  virtual void PrepareDrop(TdxInspectorNode*& /*Node*/, TdxInspectorNode* /*Target*/,
                           TdxInspectorNodeAttachMode /*Mode*/) {}
  virtual void GetDragCaption(TdxInspectorNode* Node, String& Text);
  TCustomImageList* GetDragImages() override;
  void DragDrop(TObject* Source, int X, int Y) override;
  TdxInspectorNode* PressedNode() const { return pressedNode_; }

  // --- The customize window hooks (dxInspctCustomize.cpp) ---
  virtual void CustomizeFormHidden();
  virtual void CustomizeFormShown();
  virtual bool IsCustomizing() { return customizeForm_ != nullptr; }
  TWinControl* CustomizeForm() const { return customizeForm_; }
  // Attaches a customize window (none detaches it); the inspector frees an attached window with itself.
  void SetCustomizeForm(TWinControl* Value);
  // Posts the refresh message to the attached window unless one is still pending.
  void RefreshCustomizeForm();
  bool IsInCustomizeForm(POINT Screen);
  TNotifyEvent OnHideCustomizeForm;
  TNotifyEvent OnShowCustomizeForm;

  // Answers to the editor host protocol.
  bool CanEditModify() override { return true; }
  bool CanEditAcceptChar(Char) override { return true; }
  bool UncalledQuery() override { return false; }
  TColor GetEditColor() override { return clWindow; }
  bool IsEditDblClickTracked() override { return true; }
  bool WantTabs() override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void EditorFocusChanged() override;

 protected:
  friend class TdxInspectorNode;
  TdxInspectorNodeList& TopNodes() { return topNodes_; }
  // While a stored row tree is applied, expanding is no design-time modification.
  void BeginLoadTree() { ++loadCount_; }
  void EndLoadTree() { --loadCount_; }
  void SetLoading(bool Value) { loading_ = Value; }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  // The visible order, rebuilt on demand after the tree or an expansion changes; each node keeps
  // its position in it, so absolute indexes cost no walk.
  const std::vector<TdxInspectorNode*>& VisibleNodes() const;
  void InvalidateVisibleNodes() { visibleNodesValid_ = false; }
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Loaded() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DoEndDragInternal(TObject* Target, int X, int Y) override;
  virtual void InitEdit();
  void SavePendingValue();
  void MoveFocusBy(int Delta);
  void DrawSizingLine();
  void AutoScrollTick();
  // While a row is dragged: the hit test follows the mouse, focusing the row under it, and the
  // auto-scroll timer runs while the mouse is outside the client area.
  void TrackDragHit(POINT Client);
  void StartRowDrag();
  void BuildDragImage();
  // A drag image is put away while the control paints under it, so that it saves what was painted.
  void HideRowDragImage();
  void ShowRowDragImage();
  void RecalcLayout();
  void AdjustTopNode();
  void ScrollNodeIntoView(TdxInspectorNode* Node);
  // The band a node lies in (bands mode), -1 when it is not shown.
  int BandOfNode(TdxInspectorNode* Node);
  void UpdateBandCounts();
  void InvalidateNode(TdxInspectorNode* Node, bool Structural);
  // The column width the divider lives in: a band's width in bands mode, the control's otherwise.
  int ColumnWidth();
  void ScrollVertical(int Code, int Position);
  void ScrollHorizontal(int Code, int Position);

  // Painting helpers (dxInspctPaint.cpp).
  void PaintRow(TCanvas* Canvas, TdxInspectorNode* Node, RECT R, bool DividerAbove);
  void PaintGridLine(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Line);
  void PaintExpandButton(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Button, Byte ButtonState,
                         TColor Background);
  void PaintFocusFrame(TCanvas* Canvas);
  void FillHeader(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Header, TColor Background);
  void PaintCategorizedFrame(TCanvas* Canvas, TdxInspectorNode* Node, const TdxInspectorRowLayout& Layout,
                             RECT R);

  TdxInspectorState state_ = insIdle;
  // Set while HitTestComplexItem is asked about a caption cell (else a value cell).
  bool hitInCaption_ = false;
  TdxInspectorNode* pressedNode_ = nullptr;
  TdxInspectorNode* sizingNode_ = nullptr;
  TColor captionBackground_ = clBtnFace;
  TdxInplaceEdit* inplaceEditor_ = nullptr;
  TdxInspectorNode* editingNode_ = nullptr;
  int focusedComplexItem_ = -1;
  int editorComplexItem_ = -1;
  // The press that opened the editor: a release on the same value cell activates it by click.
  struct TClickMemory {
    int ComplexItem = -1;
    TdxInplaceEdit* Editor = nullptr;
    TdxInspectorNode* Node = nullptr;
  } clickMemory_;
  TdxInspectorHitInfo mouseHitInfo_;
  int sizingPos_ = 0;
  int sizingStartValue_ = 0;
  int sizingBand_ = 0;
  bool sizingLineShown_ = false;
  POINT pressPoint_{};

 private:
  void WMSize(TWMSize& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TWMSetFocus& Message);
  void WMKillFocus(TWMSetFocus& Message);
  void WMTimer(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMPaint(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  bool HasFlatBorder() const;
  void CMMouseLeave(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void TrackRowHint(const TdxInspectorHitInfo& Hit);
  void WMVScroll(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  int CountRowsThatFitBackwards(int LastIndex);

  int lockCount_ = 0;

 protected:
  bool creatingRow_ = false;

 private:
  int loadCount_ = 0;
  mutable std::vector<TdxInspectorNode*> visibleNodes_;
  mutable bool visibleNodesValid_ = false;
  TdxInspectorNodeList topNodes_;
  TdxInspectorNode* focusedNode_ = nullptr;
  TdxInspectorNode* topNode_ = nullptr;
  TdxInspectorNode* hotNode_ = nullptr;
  int bandCount_ = 1;
  int bandWidth_ = 200;
  TBorderStyle borderStyle_ = bsSingle;
  String complexRowSeparator_;
  int valueSeparatorWidth_ = 0;
  int captionSeparatorWidth_ = 0;
  int dividerPos_ = 75;
  int dividerRefPos_ = 75;
  int dividerRefWidth_ = -1;
  TColor gridColor_ = clBtnShadow;
  int firstBand_ = 0;
  TColor valueTextColor_ = TColor(0x800000);
  int rowHeight_ = 18;
  int rowLineWidth_ = 1;
  int rowMargin_ = 0;
  int imageHeight_ = 0;
  int imageWidth_ = 0;
  TImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> imagesLink_;
  int indentWidth_ = 0;
  int visibleRowCount_ = 1;
  int partVisibleRowCount_ = 1;
  int maxRowTextLineCount_ = 3;
  int minBandWidth_ = 43;
  int minColumnWidth_ = 30;
  int minRowHeight_ = 18;
  int captionTextHeight_ = 0;
  String registryPath_;
  bool rowHeightAssigned_ = false;
  WORD optionFlags_ = kDefaultInspectorOptions;
  bool inSizeHandling_ = false;
  bool loading_ = false;
  TdxInspectorPaintStyle paintStyle_ = ipsStandard;
  bool flat_ = false;
  int visibleBandCount_ = 1;
  int fullyVisibleBandCount_ = 1;
  bool showRowHint_ = false;
  int hintComplexItem_ = -1;
  TdxInspectorNode* hintNode_ = nullptr;
  TdxInspectorHitKind hintKind_ = ihkOutside;
  TdxContainerHintWindow* hintWindow_ = nullptr;  // a component of the control, made on first use
  std::unique_ptr<TImageList> dragImages_;
  std::unique_ptr<TdxInspectorDragControlObject> dragObject_;
  TCursor savedDragCursor_ = 0;
  TWinControl* customizeForm_ = nullptr;
  RECT customizeBounds_{-10000, -10000, -10000, -10000};  // left, top, width, height
};
