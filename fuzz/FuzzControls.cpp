#include "fuzz/FuzzControls.h"

#include "dx/inspector/dxInspctRow.h"
#include "dx/treelist/dxTLColumn.h"
#include "dx/treelist/dxTLNode.h"

void RegisterDxTreeListModules();
void RegisterDxInspectorModules();

namespace {

class TFuzzTreeList : public TCustomdxTreeListControl {
 public:
  using TCustomdxTreeListControl::TCustomdxTreeListControl;
};

class TFuzzInspector : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

}  // namespace

void RegisterFuzzControlModules() {
  RegisterDxTreeListModules();
  RegisterDxInspectorModules();
}

TCustomdxTreeListControl* NewFuzzTreeList(TWinControl* Form) {
  auto* grid = new TFuzzTreeList(Form);
  grid->SetName(u"Grid1");
  grid->SetParent(Form);
  grid->SetBounds(0, 0, 340, 140);
  for (int i = 0; i < 3; ++i) grid->CreateColumn(TdxTreeListColumn::StaticClass());
  grid->Add()->AddChild();
  grid->Add();
  return grid;
}

TCustomdxInspectorControl* NewFuzzInspector(TWinControl* Form) {
  auto* card = new TFuzzInspector(Form);
  card->SetName(u"Card");
  card->SetParent(Form);
  card->SetBounds(0, 140, 340, 140);
  for (const char16_t* name : {u"a", u"b", u"c", u"cat"})
    card->AddRowOfClass(TdxInspectorTextRow::StaticClass())->SetName(name);
  TdxInspectorRow* category = card->FindRowByName(u"cat");
  category->SetIsCategory(true);
  card->FindRowByName(u"c")->Node()->MoveTo(category->Node(), inaAddChild);
  return card;
}
