// Test support of the data-aware tree's record changes: a territory table with a parent cycle and a
// shown tree over it that inserts, deletes and drops records.
#pragma once

#include <vector>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBTL.h"
#include "platform/data/Field.h"
#include "platform/win/Input.h"

// 1 is the root record (parent 0); 7 and 8 are each other's parent.
inline const char* const kTerritories = R"(
CREATE TABLE DEP (ID INTEGER NOT NULL UNIQUE, PARENT_ID INTEGER, NAME NVARCHAR(40));
INSERT INTO DEP VALUES (1, 0, 'Область'), (2, 3, 'Село'), (3, 1, 'Район'), (4, 1, 'Город'), (5, 4, 'Квартал'),
  (6, 0, 'Другая'), (7, 8, 'Петля А'), (8, 7, 'Петля Б');
)";

class DxDBTreeListEditTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kTerritories); }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    DbGridTest::TearDown();
  }
  TdxDBTreeList* MakeTree(TdxDBTreeListOptionsDB Options = kDefaultDBTreeListOptionsDB -
                                                           TdxDBTreeListOptionsDB{etoConfirmDelete}) {
    deps = Query("SELECT * FROM DEP ORDER BY ID");
    deps->Open();
    tree = new TdxDBTreeList(NewShownForm());
    tree->SetParent(static_cast<TWinControl*>(tree->Owner()));
    tree->SetBounds(0, 0, 400, 300);
    tree->SetOptionsDB(Options + TdxDBTreeListOptionsDB{etoCanInsert});
    tree->SetOptionsBehavior(tree->OptionsBehavior() + TdxDBTreeListOptionsBehavior{etoAutoDragDrop});
    tree->SetOptionFlags(tree->OptionFlags() & ~dxtlo::RowSelect);  // Insert adds records only then
    tree->CreateColumnEx(TdxDBTreeListColumn::StaticClass(), tree)->SetFieldName(u"NAME");
    tree->SetKeyField(u"ID");
    tree->SetParentField(u"PARENT_ID");
    tree->SetDataSource(SourceOf(deps));
    Pump();
    for (int i = 0; i < tree->GetAbsoluteCount(); ++i) tree->GetAbsoluteNode(i)->SetExpanded(true);
    deps->BeforeDelete = [this](TDataSet* DataSet) {
      deleted.push_back(DataSet->FieldByName(u"ID")->AsInteger());
    };
    return tree;
  }
  // A tree with the default options over Sql's ID and PARENT_ID.
  void MakePlainTree(const char* Sql) {
    deps = Query(Sql);
    deps->Open();
    tree = new TdxDBTreeList(NewShownForm());
    tree->SetParent(static_cast<TWinControl*>(tree->Owner()));
    tree->SetKeyField(u"ID");
    tree->SetParentField(u"PARENT_ID");
    tree->SetDataSource(SourceOf(deps));
    Pump();
  }
  void Focus(int Key) {
    tree->SetFocusedNode(tree->FindNodeByKey(Key), 0, true);
    tree->SetFocus();
    Pump();
  }
  void Press(UINT Key, UINT Modifiers = 0) {
    SimulateKeyPress(Key, Modifiers);
    Pump();
  }
  // The client point over the middle of Key's cell (below the rows when Key is 0).
  POINT PointOf(int Key) {
    RECT r;
    tree->GetCellRect(Key ? tree->FindNodeByKey(Key) : tree->GetLastNode(), 0, r);
    return Key ? POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2} : POINT{r.left + 5, r.bottom + 10};
  }
  // Drags the focused node onto Key's cell (below the rows for 0) as the drag and drop of the form does.
  bool Drop(int Key) {
    const POINT p = PointOf(Key);
    bool accept = false;
    tree->DragOver(tree, p.x, p.y, dsDragMove, accept);
    if (accept) tree->DragDrop(tree, p.x, p.y);
    Pump();
    return accept;
  }
  int ParentOf(int Id) {
    deps->Locate(u"ID", Id, {});
    return deps->FieldByName(u"PARENT_ID")->AsInteger();
  }

  TADOQuery* deps = nullptr;
  TdxDBTreeList* tree = nullptr;
  std::vector<int> deleted;
};
