#include "cx/grid/cxGridTableViewPartStyles.h"

#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableView.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridTableViewStyles)

TcxGridTableView* TcxGridTableViewStyles::GridTableView() const {
  return dynamic_cast<TcxGridTableView*>(GetGridView());
}

void TcxGridTableViewStyles::GetCellPartParams(int AIndex, const TcxGridGetCellStyleEvent& AEvent,
                                               TcxCustomGridRecord* ARecord, TcxCustomGridTableItem* AItem,
                                               TcxStyleParams& AParams) {
  TcxStyle* eventStyle = nullptr;
  if (AEvent) AEvent(GridTableView(), ARecord, AItem, eventStyle);
  TcxGridContentPlace place{ARecord, AItem};
  GetViewParams(AIndex, &place, eventStyle, AParams);
}

void TcxGridTableViewStyles::GetFooterParams(TcxCustomGridRecord* ARecord, TcxCustomGridTableItem* AItem,
                                             TcxStyleParams& AParams) {
  GetCellPartParams(vsFooter, OnGetFooterStyle, ARecord, AItem, AParams);
}

void TcxGridTableViewStyles::GetGroupParams(TcxCustomGridRecord* ARecord, int ALevel, TcxStyleParams& AParams) {
  const int level = ARecord ? ARecord->Level() : ALevel;
  TcxStyle* eventStyle = nullptr;
  if (OnGetGroupStyle) OnGetGroupStyle(GridTableView(), ARecord, level, eventStyle);
  TcxGridContentPlace place{ARecord, nullptr};
  GetViewParams(vsGroup, &place, eventStyle, AParams);
}

void TcxGridTableViewStyles::GetHeaderParams(TcxGridColumn* AColumn, TcxStyleParams& AParams) {
  TcxStyle* eventStyle = nullptr;
  if (OnGetHeaderStyle) OnGetHeaderStyle(GridTableView(), AColumn, eventStyle);
  GetViewParams(vsHeader, nullptr, eventStyle, AParams);
}

void TcxGridTableViewStyles::GetPreviewParams(TcxCustomGridRecord* ARecord, TcxCustomGridTableItem* AItem,
                                              TcxStyleParams& AParams) {
  GetCellPartParams(vsPreview, OnGetPreviewStyle, ARecord, AItem, AParams);
}

void TcxGridTableViewStyles::GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) {
  TcxCustomGridView* view = GetGridView();
  TcxLookAndFeelPainterClass painter = view ? view->LookAndFeelPainter() : TcxStandardLookAndFeelPainter::Class();
  switch (AIndex) {
    case vsFilterBox:
      inherited::GetDefaultViewParams(AIndex, AData, AParams);
      AParams.Color = painter->GetDefaultFilterBoxColor();
      AParams.TextColor = painter->GetDefaultFilterBoxTextColor();
      break;
    case vsFooter:
      inherited::GetDefaultViewParams(AIndex, AData, AParams);
      AParams.Color = painter->GetDefaultFooterColor();
      AParams.TextColor = painter->GetDefaultFooterTextColor();
      break;
    case vsGroup:
      inherited::GetDefaultViewParams(vsContent, AData, AParams);
      AParams.Color = painter->GetDefaultGroupColor();
      AParams.TextColor = painter->GetDefaultGroupTextColor();
      break;
    case vsGroupByBox:
      inherited::GetDefaultViewParams(AIndex, AData, AParams);
      AParams.Color = painter->GetDefaultGroupByBoxColor();
      AParams.TextColor = painter->GetDefaultGroupByBoxTextColor();
      break;
    case vsHeader:
      inherited::GetDefaultViewParams(AIndex, AData, AParams);
      AParams.Color = painter->GetDefaultHeaderColor();
      AParams.TextColor = painter->GetDefaultHeaderTextColor();
      break;
    case vsIndicator:
      inherited::GetDefaultViewParams(AIndex, AData, AParams);
      AParams.Color = painter->GetDefaultHeaderColor();
      break;
    case vsPreview:
      inherited::GetDefaultViewParams(vsContent, AData, AParams);
      AParams.TextColor = painter->GetDefaultPreviewTextColor();
      break;
    default:
      inherited::GetDefaultViewParams(AIndex, AData, AParams);
      break;
  }
}

void TcxGridTableViewStyles::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableViewStyles*>(Source)) {
    AssignSlots(source, {vsFilterBox, vsFooter, vsGroup, vsGroupByBox, vsHeader, vsIndicator, vsPreview});
    OnGetFooterStyle = source->OnGetFooterStyle;
    OnGetGroupStyle = source->OnGetGroupStyle;
    OnGetHeaderStyle = source->OnGetHeaderStyle;
    OnGetPreviewStyle = source->OnGetPreviewStyle;
  }
  inherited::Assign(Source);
}
