#include "cx/grid/cxGridTableFiltering.h"

#include <algorithm>

#include "cx/grid/cxFilterControlDialog.h"
#include "cx/grid/cxFilterDialog.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridFilterPopup.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TcxGridTableFiltering) {
  P.Property("CustomizeDialog", &TcxGridTableFiltering::CustomizeDialog, &TcxGridTableFiltering::SetCustomizeDialog)
      .Default(true);
  P.Property("DropDownWidth", &TcxGridTableFiltering::DropDownWidth, &TcxGridTableFiltering::SetDropDownWidth)
      .Default(0);
  P.Property("MaxDropDownCount", &TcxGridTableFiltering::MaxDropDownCount,
             &TcxGridTableFiltering::SetMaxDropDownCount)
      .Default(15);
  P.Property("Visible", &TcxGridTableFiltering::Visible, &TcxGridTableFiltering::SetVisible).Default(fvNonEmpty);
}

void TcxGridTableFiltering::SetVisible(TcxGridFilterVisible Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  Changed();
}

int TcxGridTableFiltering::GetDropDownCount(int ACount) const {
  return maxDropDownCount_ == 0 ? ACount : std::min(ACount, maxDropDownCount_);
}

void TcxGridTableFiltering::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableFiltering*>(Source)) {
    SetCustomizeDialog(source->CustomizeDialog());
    SetDropDownWidth(source->DropDownWidth());
    SetMaxDropDownCount(source->MaxDropDownCount());
    SetVisible(source->Visible());
  }
}

void TcxGridTableFiltering::RunFilterDialog(TcxCustomGridTableItem* AItem) {
  auto* view = static_cast<TcxGridTableView*>(GridView());
  TcxCustomDataController* dataController = view->DataController();
  TcxDataFilterCriteria* criteria = dataController->Filter();
  TcxLookAndFeel* lookAndFeel = view->Control() ? view->Control()->LookAndFeel() : nullptr;
  if (!AItem || NeedsFilterBuilder(criteria)) {
    ShowFilterBuilderDialog(view, lookAndFeel, clDefault, view->OnFilterControlDialogShow,
                            [dataController](TObject*) { dataController->Filter()->SetActive(true); });
    return;
  }
  if (TcxCustomEditProperties* properties = AItem->GetProperties())
    RunColumnFilterDialog(criteria, AItem, properties, lookAndFeel,
                          dataController->GetItemValueTypeClass(AItem->Index()), AItem->Caption());
}
