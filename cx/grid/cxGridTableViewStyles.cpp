#include "cx/grid/cxGridTableViewStyles.h"

#include "cx/grid/cxGridCustomTableView.h"
#include "cx/grid/cxGridRows.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TcxCustomGridTableViewStyles) {
  using O = TcxCustomGridTableViewStyles;
  P.Property("Content", &O::Content, &O::SetContent);
  P.Property("ContentEven", &O::ContentEven, &O::SetContentEven);
  P.Property("ContentOdd", &O::ContentOdd, &O::SetContentOdd);
  P.Property("Inactive", &O::Inactive, &O::SetInactive);
  P.Property("IncSearch", &O::IncSearch, &O::SetIncSearch);
  P.Property("Selection", &O::Selection, &O::SetSelection);
}

TcxCustomGridTableView* TcxCustomGridTableViewStyles::TableView() const {
  return dynamic_cast<TcxCustomGridTableView*>(GetGridView());
}

void TcxCustomGridTableViewStyles::GetContentParams(TcxCustomGridRecord* ARecord,
                                                    TcxCustomGridTableItem* AItem, TcxStyleParams& AParams) {
  TcxStyle* eventStyle = nullptr;
  if (ARecord && OnGetContentStyle) OnGetContentStyle(TableView(), ARecord, AItem, eventStyle);
  int slot = vsContent;
  if (ARecord) {
    const int parity = ARecord->Index() % 2 == 0 ? vsContentEven : vsContentOdd;
    if (GetValue(parity)) slot = parity;
  }
  TcxGridContentPlace place{ARecord, AItem};
  GetViewParams(slot, &place, eventStyle, AParams);
}

void TcxCustomGridTableViewStyles::GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) {
  inherited::GetDefaultViewParams(AIndex, AData, AParams);
  TcxCustomGridView* view = GetGridView();
  TcxLookAndFeelPainterClass painter =
      view ? view->LookAndFeelPainter() : TcxStandardLookAndFeelPainter::Class();
  auto* place = static_cast<TcxGridContentPlace*>(AData);
  // Inactive and selected cells keep the record's own font.
  auto takeContentOfPlace = [&] {
    if (place && place->Record) GetContentParams(place->Record, place->Item, AParams);
  };
  switch (AIndex) {
    case vsContent:
      AParams.Color = painter->GetDefaultContentColor();
      AParams.TextColor = painter->GetDefaultContentTextColor();
      break;
    case vsContentEven:
    case vsContentOdd:
      GetViewParams(vsContent, AData, nullptr, AParams);
      break;
    case vsInactive:
      takeContentOfPlace();
      AParams.Color = painter->GetDefaultInactiveColor();
      AParams.TextColor = painter->GetDefaultInactiveTextColor();
      break;
    case vsIncSearch:
      AParams.Color = clDefault;
      AParams.TextColor = clDefault;
      break;
    case vsSelection:
      takeContentOfPlace();
      AParams.Color = painter->GetDefaultSelectionColor();
      AParams.TextColor = painter->GetDefaultSelectionTextColor();
      break;
    default:
      break;
  }
}

void TcxCustomGridTableViewStyles::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableViewStyles*>(Source)) {
    AssignSlots(source, {vsContent, vsContentEven, vsContentOdd, vsInactive, vsIncSearch, vsSelection});
    OnGetContentStyle = source->OnGetContentStyle;
  }
  inherited::Assign(Source);
}
