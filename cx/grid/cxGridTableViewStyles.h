// The style slots of record content in record-based views, and the view's answers about which
// records are focused and drawn selected.
#pragma once

#include <functional>

#include "cx/grid/cxGridCustomView.h"

class TcxCustomGridRecord;
class TcxCustomGridTableItem;
class TcxCustomGridTableView;

enum {
  vsContent = vsCustomLast + 1,
  vsContentEven,
  vsContentOdd,
  vsInactive,
  vsIncSearch,
  vsSelection,
  vsCustomTableLast = vsSelection
};

// What the default parameters of a content slot are asked for; either may be nil.
struct TcxGridContentPlace {
  TcxCustomGridRecord* Record = nullptr;
  TcxCustomGridTableItem* Item = nullptr;
};

using TcxGridGetCellStyleEvent =
    std::function<void(TcxCustomGridTableView* Sender, TcxCustomGridRecord* ARecord,
                       TcxCustomGridTableItem* AItem, TcxStyle*& AStyle)>;

class TcxCustomGridTableViewStyles : public TcxCustomGridViewStyles {
  TRENVIK_CLASS(TcxCustomGridTableViewStyles, TcxCustomGridViewStyles);

 public:
  using TcxCustomGridViewStyles::TcxCustomGridViewStyles;

  TcxStyle* Content() { return GetValue(vsContent); }
  void SetContent(TcxStyle* Value) { SetStyle(vsContent, Value); }
  TcxStyle* ContentEven() { return GetValue(vsContentEven); }
  void SetContentEven(TcxStyle* Value) { SetStyle(vsContentEven, Value); }
  TcxStyle* ContentOdd() { return GetValue(vsContentOdd); }
  void SetContentOdd(TcxStyle* Value) { SetStyle(vsContentOdd, Value); }
  TcxStyle* Inactive() { return GetValue(vsInactive); }
  void SetInactive(TcxStyle* Value) { SetStyle(vsInactive, Value); }
  TcxStyle* IncSearch() { return GetValue(vsIncSearch); }
  void SetIncSearch(TcxStyle* Value) { SetStyle(vsIncSearch, Value); }
  TcxStyle* Selection() { return GetValue(vsSelection); }
  void SetSelection(TcxStyle* Value) { SetStyle(vsSelection, Value); }
  TcxGridGetCellStyleEvent OnGetContentStyle;

  // The handler's style, then the slot of the record's parity when it holds a style, else Content.
  void GetContentParams(TcxCustomGridRecord* ARecord, TcxCustomGridTableItem* AItem, TcxStyleParams& AParams);
  void GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) override;
  void Assign(TPersistent* Source) override;

 private:
  TcxCustomGridTableView* TableView() const;
};
