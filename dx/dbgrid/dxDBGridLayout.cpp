// The grid's own values in a stored layout: each column's group level and four panel switches.
// A layout is applied under one grouping lock, so its group levels regroup the grid once.
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/editors/dxRegIniWrapper.h"

void TCustomdxDBGrid::BeginLoadLayout(TdxRegIniWrapper* Wrapper) {
  TCustomdxDBTreeListControl::BeginLoadLayout(Wrapper);
  BeginGroupUpdate();
}

void TCustomdxDBGrid::EndLoadLayout(TdxRegIniWrapper* Wrapper) {
  try {
    EndGroupUpdate();
  } catch (...) {
    TCustomdxDBTreeListControl::EndLoadLayout(Wrapper);
    throw;
  }
  TCustomdxDBTreeListControl::EndLoadLayout(Wrapper);
}

void TCustomdxDBGrid::LoadColumnLayout(TdxRegIniWrapper* Wrapper, const String& Section,
                                       TdxTreeListColumn* Column) {
  auto* column = static_cast<TdxDBTreeListColumn*>(Column);
  column->SetGroupIndex(Wrapper->ReadInteger(Section, u"GroupIndex", column->GroupIndex()));
  TCustomdxDBTreeListControl::LoadColumnLayout(Wrapper, Section, Column);
}

void TCustomdxDBGrid::SaveColumnLayout(TdxRegIniWrapper* Wrapper, const String& Section,
                                       TdxTreeListColumn* Column) {
  TCustomdxDBTreeListControl::SaveColumnLayout(Wrapper, Section, Column);
  Wrapper->WriteInteger(Section, u"GroupIndex", static_cast<TdxDBTreeListColumn*>(Column)->GroupIndex());
}

void TCustomdxDBGrid::LoadGeneralLayout(TdxRegIniWrapper* Wrapper, const String& Path) {
  TCustomdxDBTreeListControl::LoadGeneralLayout(Wrapper, Path);
  SetShowGroupPanel(Wrapper->ReadBool(Path, u"ShowGroupPanel", ShowGroupPanel()));
  SetShowNewItemRow(Wrapper->ReadBool(Path, u"ShowNewItemRow", ShowNewItemRow()));
  SetShowRowFooter(Wrapper->ReadBool(Path, u"ShowRowFooter", ShowRowFooter()));
  SetShowSummaryFooter(Wrapper->ReadBool(Path, u"ShowSummaryFooter", ShowSummaryFooter()));
  LoadFilterLayout(Wrapper, Path);
}

void TCustomdxDBGrid::SaveGeneralLayout(TdxRegIniWrapper* Wrapper, const String& Path) {
  TCustomdxDBTreeListControl::SaveGeneralLayout(Wrapper, Path);
  Wrapper->WriteBool(Path, u"ShowGroupPanel", ShowGroupPanel());
  Wrapper->WriteBool(Path, u"ShowNewItemRow", ShowNewItemRow());
  Wrapper->WriteBool(Path, u"ShowRowFooter", ShowRowFooter());
  Wrapper->WriteBool(Path, u"ShowSummaryFooter", ShowSummaryFooter());
  SaveFilterLayout(Wrapper, Path);
}
