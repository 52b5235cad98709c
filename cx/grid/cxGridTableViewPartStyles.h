// The table view's style slots for its parts (filter bar, footer, group rows, group-by box, header,
// indicator, preview) beside the content slots of record-based views.
#pragma once

#include "cx/grid/cxGridTableViewStyles.h"

class TcxGridColumn;
class TcxGridTableView;

enum {
  vsFilterBox = vsCustomTableLast + 1,
  vsFooter,
  vsGroup,
  vsGroupByBox,
  vsHeader,
  vsIndicator,
  vsPreview,
  vsTableLast = vsPreview
};

using TcxGridGetGroupStyleEvent =
    std::function<void(TcxGridTableView* Sender, TcxCustomGridRecord* ARecord, int ALevel, TcxStyle*& AStyle)>;
using TcxGridGetHeaderStyleEvent =
    std::function<void(TcxGridTableView* Sender, TcxGridColumn* AColumn, TcxStyle*& AStyle)>;

class TcxGridTableViewStyles : public TcxCustomGridTableViewStyles {
  TRENVIK_CLASS(TcxGridTableViewStyles, TcxCustomGridTableViewStyles);

 public:
  using TcxCustomGridTableViewStyles::TcxCustomGridTableViewStyles;

  TcxStyle* FilterBox() { return GetValue(vsFilterBox); }
  void SetFilterBox(TcxStyle* Value) { SetStyle(vsFilterBox, Value); }
  TcxStyle* Footer() { return GetValue(vsFooter); }
  void SetFooter(TcxStyle* Value) { SetStyle(vsFooter, Value); }
  TcxStyle* Group() { return GetValue(vsGroup); }
  void SetGroup(TcxStyle* Value) { SetStyle(vsGroup, Value); }
  TcxStyle* GroupByBox() { return GetValue(vsGroupByBox); }
  void SetGroupByBox(TcxStyle* Value) { SetStyle(vsGroupByBox, Value); }
  TcxStyle* Header() { return GetValue(vsHeader); }
  void SetHeader(TcxStyle* Value) { SetStyle(vsHeader, Value); }
  TcxStyle* Indicator() { return GetValue(vsIndicator); }
  void SetIndicator(TcxStyle* Value) { SetStyle(vsIndicator, Value); }
  TcxStyle* Preview() { return GetValue(vsPreview); }
  void SetPreview(TcxStyle* Value) { SetStyle(vsPreview, Value); }

  TcxGridGetCellStyleEvent OnGetFooterStyle;
  TcxGridGetGroupStyleEvent OnGetGroupStyle;
  TcxGridGetHeaderStyleEvent OnGetHeaderStyle;
  TcxGridGetCellStyleEvent OnGetPreviewStyle;

  void GetFooterParams(TcxCustomGridRecord* ARecord, TcxCustomGridTableItem* AItem, TcxStyleParams& AParams);
  // A record gives its own level.
  void GetGroupParams(TcxCustomGridRecord* ARecord, int ALevel, TcxStyleParams& AParams);
  void GetHeaderParams(TcxGridColumn* AColumn, TcxStyleParams& AParams);
  void GetPreviewParams(TcxCustomGridRecord* ARecord, TcxCustomGridTableItem* AItem, TcxStyleParams& AParams);
  void GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) override;
  void Assign(TPersistent* Source) override;

 private:
  TcxGridTableView* GridTableView() const;
  // The handler's style, then the slot's, for a cell of a record's part.
  void GetCellPartParams(int AIndex, const TcxGridGetCellStyleEvent& AEvent, TcxCustomGridRecord* ARecord,
                         TcxCustomGridTableItem* AItem, TcxStyleParams& AParams);
};
