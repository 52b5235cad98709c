// What lies under a point of a table view: its parts, column headers and their areas, rows' cells,
// expand buttons, indents and indicator cells. Each names the drag that a left-button drag starts.
#pragma once

#include "cx/grid/cxGridRows.h"

class TcxGridColumn;

constexpr int htRecordCell = 102;
constexpr int htExpandButton = 103;
constexpr int htGroupByBox = 201;
constexpr int htColumnHeader = 202;
constexpr int htColumnHeaderHorzSizingEdge = 203;
constexpr int htColumnHeaderFilterButton = 204;
constexpr int htFooter = 205;
constexpr int htFooterCell = 206;
constexpr int htGroupFooter = 207;
constexpr int htGroupFooterCell = 208;
constexpr int htFilter = 209;
constexpr int htFilterActivateButton = 210;
constexpr int htFilterCloseButton = 211;
constexpr int htFilterCustomizeButton = 212;
constexpr int htRowIndicator = 213;
constexpr int htIndicator = 214;
constexpr int htRowLevelIndent = 215;
constexpr int htCustomizationForm = 216;
constexpr int htHeader = 217;
constexpr int htPreview = 231;

// The part a column was hit in.
enum TcxGridColumnContainerKind { ccNone, ccHeader, ccGroupByBox, ccCustomizationForm, ccFooter };

class TcxGridRecordCellHitTest : public TcxGridRecordHitTest {
  TRENVIK_CLASS(TcxGridRecordCellHitTest, TcxGridRecordHitTest);

 public:
  TcxGridRecordCellHitTest() = default;
  int HitTestCode() const override { return htRecordCell; }
  TcxCustomGridTableItem* Item = nullptr;
};

class TcxGridPreviewHitTest : public TcxGridRecordCellHitTest {
  TRENVIK_CLASS(TcxGridPreviewHitTest, TcxGridRecordCellHitTest);

 public:
  TcxGridPreviewHitTest() = default;
  int HitTestCode() const override { return htPreview; }
};

class TcxGridExpandButtonHitTest : public TcxGridRecordHitTest {
  TRENVIK_CLASS(TcxGridExpandButtonHitTest, TcxGridRecordHitTest);

 public:
  TcxGridExpandButtonHitTest() = default;
  int HitTestCode() const override { return htExpandButton; }
};

class TcxGridRowIndicatorHitTest : public TcxGridRecordHitTest {
  TRENVIK_CLASS(TcxGridRowIndicatorHitTest, TcxGridRecordHitTest);

 public:
  TcxGridRowIndicatorHitTest() = default;
  int HitTestCode() const override { return htRowIndicator; }
};

class TcxGridRowLevelIndentHitTest : public TcxGridRecordHitTest {
  TRENVIK_CLASS(TcxGridRowLevelIndentHitTest, TcxGridRecordHitTest);

 public:
  TcxGridRowLevelIndentHitTest() = default;
  int HitTestCode() const override { return htRowLevelIndent; }
};

// A view hit test that carries nothing but its code.
template <int ACode>
class TcxGridViewPartHitTest : public TcxCustomGridViewHitTest {
 public:
  int HitTestCode() const override { return ACode; }
};

#define TRENVIK_GRID_PART_HIT_TEST(Name, Code)                 \
  class Name : public TcxGridViewPartHitTest<Code> {           \
    TRENVIK_CLASS(Name, TcxCustomGridViewHitTest);             \
                                                               \
   public:                                                     \
    Name() = default;                                          \
  }

TRENVIK_GRID_PART_HIT_TEST(TcxGridGroupByBoxHitTest, htGroupByBox);
TRENVIK_GRID_PART_HIT_TEST(TcxGridFilterHitTest, htFilter);
TRENVIK_GRID_PART_HIT_TEST(TcxGridFilterActivateButtonHitTest, htFilterActivateButton);
TRENVIK_GRID_PART_HIT_TEST(TcxGridFilterCloseButtonHitTest, htFilterCloseButton);
TRENVIK_GRID_PART_HIT_TEST(TcxGridFilterCustomizeButtonHitTest, htFilterCustomizeButton);
TRENVIK_GRID_PART_HIT_TEST(TcxGridIndicatorHitTest, htIndicator);
TRENVIK_GRID_PART_HIT_TEST(TcxGridCustomozationFormHitTest, htCustomizationForm);
TRENVIK_GRID_PART_HIT_TEST(TcxGridHeaderHitTest, htHeader);

class TcxGridFooterHitTest : public TcxCustomGridViewHitTest {
  TRENVIK_CLASS(TcxGridFooterHitTest, TcxCustomGridViewHitTest);

 public:
  TcxGridFooterHitTest() = default;
  int HitTestCode() const override { return htFooter; }
};

class TcxGridGroupFooterHitTest : public TcxGridFooterHitTest {
  TRENVIK_CLASS(TcxGridGroupFooterHitTest, TcxGridFooterHitTest);

 public:
  TcxGridGroupFooterHitTest() = default;
  int HitTestCode() const override { return htGroupFooter; }
};

// A column hit in one of the parts that show columns.
class TcxCustomGridColumnHitTest : public TcxCustomGridViewHitTest {
  TRENVIK_CLASS(TcxCustomGridColumnHitTest, TcxCustomGridViewHitTest);

 public:
  TcxCustomGridColumnHitTest() = default;
  TcxGridColumn* Column = nullptr;
  TcxGridColumnContainerKind ColumnContainerKind = ccNone;
};

// The drag a header starts is the table controller's moving object class; it is set from outside
// so that the hit tests do not depend on the controller.
class TcxGridColumnHeaderHitTest : public TcxCustomGridColumnHitTest {
  TRENVIK_CLASS(TcxGridColumnHeaderHitTest, TcxCustomGridColumnHitTest);

 public:
  TcxGridColumnHeaderHitTest() = default;
  int HitTestCode() const override { return htColumnHeader; }
  TcxDragAndDropObjectClass DragAndDropObjectClass() const override { return DragClass; }
  TcxDragAndDropObjectClass DragClass = nullptr;
};

class TcxGridColumnHeaderHorzSizingEdgeHitTest : public TcxCustomGridColumnHitTest {
  TRENVIK_CLASS(TcxGridColumnHeaderHorzSizingEdgeHitTest, TcxCustomGridColumnHitTest);

 public:
  TcxGridColumnHeaderHorzSizingEdgeHitTest() = default;
  int HitTestCode() const override { return htColumnHeaderHorzSizingEdge; }
  TCursor Cursor() const override { return crGridHorzSize; }
  TcxDragAndDropObjectClass DragAndDropObjectClass() const override { return DragClass; }
  TcxDragAndDropObjectClass DragClass = nullptr;
};

class TcxGridColumnHeaderFilterButtonHitTest : public TcxCustomGridColumnHitTest {
  TRENVIK_CLASS(TcxGridColumnHeaderFilterButtonHitTest, TcxCustomGridColumnHitTest);

 public:
  TcxGridColumnHeaderFilterButtonHitTest() = default;
  int HitTestCode() const override { return htColumnHeaderFilterButton; }
};

class TcxGridFooterCellHitTest : public TcxCustomGridColumnHitTest {
  TRENVIK_CLASS(TcxGridFooterCellHitTest, TcxCustomGridColumnHitTest);

 public:
  TcxGridFooterCellHitTest() = default;
  int HitTestCode() const override { return htFooterCell; }
};

class TcxGridGroupFooterCellHitTest : public TcxGridFooterCellHitTest {
  TRENVIK_CLASS(TcxGridGroupFooterCellHitTest, TcxGridFooterCellHitTest);

 public:
  TcxGridGroupFooterCellHitTest() = default;
  int HitTestCode() const override { return htGroupFooterCell; }
};
