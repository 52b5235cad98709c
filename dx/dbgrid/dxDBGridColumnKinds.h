// The grid's twins of the column kinds: each is the tree-list kind of the same name with the grid
// column's grouping and summary settings published.
#pragma once

#include "dx/dbgrid/dxDBColumnBlob.h"
#include "dx/dbgrid/dxDBColumnCheck.h"
#include "dx/dbgrid/dxDBColumnDate.h"
#include "dx/dbgrid/dxDBColumnNumber.h"
#include "dx/dbgrid/dxDBColumnText.h"
#include "dx/dbgrid/dxDBColumnWrapper.h"

#define TRENVIK_DB_GRID_KIND(Name, Kind)                \
  class Name : public Kind {                            \
    TRENVIK_CLASS(Name, Kind);                          \
                                                        \
   public:                                              \
    explicit Name(TComponent* AOwner) : Kind(AOwner) {} \
  }

TRENVIK_DB_GRID_KIND(TdxDBGridBlobColumn, TdxDBTreeListBlobColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridButtonColumn, TdxDBTreeListButtonColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridCalcColumn, TdxDBTreeListCalcColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridCurrencyColumn, TdxDBTreeListCurrencyColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridDateColumn, TdxDBTreeListDateColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridGraphicColumn, TdxDBTreeListGraphicColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridHyperLinkColumn, TdxDBTreeListHyperLinkColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridLookupColumn, TdxDBTreeListLookupColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridMemoColumn, TdxDBTreeListMemoColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridMRUColumn, TdxDBTreeListMRUColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridPickColumn, TdxDBTreeListPickColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridSpinColumn, TdxDBTreeListSpinColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridTimeColumn, TdxDBTreeListTimeColumn);
TRENVIK_DB_GRID_KIND(TdxDBGridWrapperColumn, TdxDBTreeListWrapperColumn);

#undef TRENVIK_DB_GRID_KIND

// A check column whose states may show texts of their own instead of the check values.
class TdxDBGridCheckColumn : public TdxDBTreeListCheckColumn {
  TRENVIK_CLASS(TdxDBGridCheckColumn, TdxDBTreeListCheckColumn);

 public:
  explicit TdxDBGridCheckColumn(TComponent* AOwner) : TdxDBTreeListCheckColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(display_, String, DisplayChecked, true)
  TRENVIK_COLUMN_SETTING(display_, String, DisplayNull, true)
  TRENVIK_COLUMN_SETTING(display_, String, DisplayUnChecked, true)

  // Text, or the display string of its state when that is set.
  String GetDisplayTextOf(const String& Text) const;
  // The display strings, once any of them is set.
  std::array<String, 3> FilterDescriptions() override;

  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  struct TSettings {
    String DisplayChecked, DisplayNull, DisplayUnChecked;
  } display_;
};

class TdxDBGridImageColumn : public TdxDBTreeListImageColumn {
  TRENVIK_CLASS(TdxDBGridImageColumn, TdxDBTreeListImageColumn);

 public:
  explicit TdxDBGridImageColumn(TComponent* AOwner) : TdxDBTreeListImageColumn(AOwner) {}
  String GetDisplayTextOf(const String& Text) const { return DescriptionOf(Text); }
};

// Offers the column kinds to the tree list's and the grid's default-column tables (priority 1).
void RegisterDefaultColumnKinds();
// Registers the kinds for form streaming.
void RegisterColumnKindClasses();
