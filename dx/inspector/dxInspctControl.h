// The inspector control: the engine's nodes carry rows (TdxInspectorRow components), which give the
// captions and values, choose the editor class and load and store the edited values.
#pragma once

#include <functional>
#include <vector>

#include "dx/inspector/dxInspct.h"
#include "dx/inspector/dxInspctRow.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"

class TdxRegIniWrapper;
struct TdxRowTree;
struct TdxRowTreeRecord;

using TdxInspectorEditingEvent =
    std::function<void(TObject* Sender, TdxInspectorNode* Node, TdxInspectorRow* Row, bool& Allow)>;
using TdxInspectorEditedEvent =
    std::function<void(TObject* Sender, TdxInspectorNode* Node, TdxInspectorRow* Row)>;
using TdxInspectorGetEditColor = std::function<void(TdxInspectorRow* Sender, TColor& AColor)>;
using TdxInspectorGetEditFont = std::function<void(TdxInspectorRow* Sender, TFont*& AFont)>;

class TCustomdxInspectorControl : public TCustomdxInspector {
  TRENVIK_CLASS(TCustomdxInspectorControl, TCustomdxInspector);

 public:
  explicit TCustomdxInspectorControl(TComponent* AOwner);
  ~TCustomdxInspectorControl() override;

  // --- Rows ---
  int RowCount() const { return static_cast<int>(rows_.size()); }
  TdxInspectorRow* Rows(int Index) const;
  int CountVisibleRows() const;
  TdxInspectorRow* FindRowByName(const String& Name) const;
  // A row owned by the form, named after the control ("<Name>Row<N>").
  TdxInspectorRow* AddRow(TClass RowClass);
  // A row owned by the control itself, unnamed.
  TdxInspectorRow* AddRowOfClass(TClass RowClass);
  TdxInspectorRow* GetFocusedRow(TdxInspectorNode* Node);
  TdxInspectorRow* FocusedRow() { return GetFocusedRow(FocusedNode()); }
  const Variant& LastEditValue() const { return lastEditValue_; }
  bool IsSettingUpEditor() const { return IsInitialisingEditor(); }

  TdxInspectorRowDrawValue OnDrawCaption;
  TdxInspectorRowDrawValue OnDrawValue;
  TNotifyEvent OnEditChange;
  TdxInspectorEditingEvent OnEditing;
  TdxInspectorEditedEvent OnEdited;
  TdxEditValidateEvent OnEditValidate;
  TdxInspectorGetEditColor OnGetEditColor;
  TdxInspectorGetEditFont OnGetEditFont;

  // --- Virtual operations added by the control ---
  virtual TClass GetDefaultRowClass();
  virtual void RowChanged(TdxInspectorRow* Row);
  virtual bool IsRowValueEqual(const Variant&, TdxInspectorRow*) { return false; }
  virtual void DestroyRows();

  // --- Engine operations answered with rows ---
  void NodeAdded(TdxInspectorNode* Node) override;
  int CalcRowTextHeight(TCanvas* Canvas) override;
  TdxInspectorNode* CreateNode() override;
  void DrawCaptionCell(TCanvas* Canvas, TdxInspectorNode* Node, const TdxInspectorRowLayout& Layout,
                       const String& Caption) override;
  void DrawValueCell(TCanvas* Canvas, const RECT& Rect, TdxInspectorNode* Node, String& Text,
                     TAlignment& Alignment) override;
  int GetImageIndex(TdxInspectorNode* Node) override;
  int GetRowHeight(TdxInspectorNode* Node) override;
  void GetNodeTexts(TdxInspectorNode* Node, String& Caption, String& Value) override;
  bool IsCategory(TdxInspectorNode* Node) override;
  bool GetCellHint(TdxInspectorNode* Node, int ComplexItem, const RECT& ItemRect, bool IsValue,
                   const RECT& CellRect, String& Text, POINT& Point, bool& IsRowHint) override;
  void SetNodeRowHeight(TdxInspectorNode* Node, int Height) override;
  bool CanShowEditor() override;
  TdxInplaceEdit* CreateEditor(TdxInspectorNode* Node) override;
  TdxInplaceEdit* FindEditor(TdxInspectorNode* Node) override;
  void InitEditor(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  TColor GetEditColor() override;
  TFont* GetEditFont() override;
  void LayoutChanged() override;
  virtual void DoEditChange(TdxInspectorRow* Row);
  virtual void DoEditValidate(TdxInspectorRow* Row, String& ErrorText, bool& Accept);
  bool IsReadOnly() override { return false; }

  // --- Complex rows (dxInspctControlComplex.cpp) ---
  bool IsComplexNode(TdxInspectorNode* Node) override;
  void CheckComplexItemIndex(int& Index) override;
  bool FocusNextComplexItem(bool Forward) override;
  bool CanFocusNextComplexItem(bool Forward) override;
  void HitTestComplexItem(TdxInspectorNode* Node, const RECT& CellRect, POINT P, int& ItemIndex,
                          RECT& ItemRect) override;
  void GetEditorBounds(TdxInspectorNode* Node, RECT& Rect) override;
  void DrawCaptionText(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Rect,
                       const String& Text) override;
  // Takes Row out of every complex row's items.
  void RemoveFromComplexRows(TdxInspectorRow* Row);
  bool IsComplexItemRow(TdxInspectorRow* Row);
  TdxInspectorRow* GetFocusedRowOfItem(TdxInspectorNode* Node, int Item);

  // --- Row drag and drop with the customize window (dxInspctControlDrag.cpp) ---
  void PrepareDrop(TdxInspectorNode*& Node, TdxInspectorNode* Target, TdxInspectorNodeAttachMode Mode) override;
  void GetDragCaption(TdxInspectorNode* Node, String& Text) override;
  // A drop in the customize window hides the dragged row.
  void DragDrop(TObject* Source, int X, int Y) override;
  // The hidden row the customize window is dragging onto the inspector (none when it drags nothing).
  TdxInspectorRow* DraggedInRow() const { return draggedInRow_; }
  void SetDraggedInRow(TdxInspectorRow* Row) { draggedInRow_ = Row; }

  // --- The row-tree stream and the stored layout (dxInspctLayout.cpp) ---
  void WriteRowTree(TStream* Stream);
  void ReadPendingRowTree(TStream* Stream);
  // Applies the pending tree; a stream that cannot be read raises before anything moves.
  void ReadRowTree();
  void FreePendingRowTree() { pendingRowTree_.reset(); }
  void LoadFromRegistry(const String& Path);
  void SaveToRegistry(const String& Path);
  void LoadFromRegIni(TObject* Storage, const String& Path);
  void SaveToRegIni(TObject* Storage, const String& Path);
  virtual void LoadLayout(TdxRegIniWrapper* Storage, const String& Key);
  virtual void SaveLayout(TdxRegIniWrapper* Storage, const String& Key);
  virtual void RestoreLayout();
  virtual void StoreLayout();
  virtual bool CanStoreRowTree() { return true; }
  // "\Key" with one leading backslash and no trailing ones.
  static String NormalizeLayoutKey(const String& Path);

  // The row a node carries (none for a node without one).
  static TdxInspectorRow* RowOf(TdxInspectorNode* Node);

 protected:
  friend class TdxInspectorRow;
  void Loaded() override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // Links a row into the control (the row's SetInspector) and out of it.
  void AttachRow(TdxInspectorRow* Row);
  void DetachRow(TdxInspectorRow* Row);
  void SetRowVisible(TdxInspectorRow* Row, bool Value);
  void DefineProperties(TFiler* Filer) override;
  // Draws one value through the row's editor class.
  void DrawRowValue(TCanvas* Canvas, const RECT& Rect, TdxInspectorRow* Row, const String& Text,
                    TAlignment Alignment, TdxInspectorNode* Node);
  void DrawComplexSeparator(TCanvas* Canvas, const RECT& Rect, bool InCaption);
  TdxInspectorRow* FindRowForRecord(const String& Name) const;
  void ApplyRecord(const TdxRowTreeRecord& Record, TdxInspectorNode* Parent);
  void ApplyRowTree(const TdxRowTree& Tree);

 private:
  std::vector<TdxInspectorRow*> rows_;
  std::vector<TdxInplaceEdit*> editorCache_;
  Variant lastEditValue_ = Null();
  std::unique_ptr<TFont> editFont_;
  TdxInspectorCellViewData cellViewData_;
  std::unique_ptr<TMemoryStream> pendingRowTree_;
  TdxInspectorRow* draggedInRow_ = nullptr;
};
