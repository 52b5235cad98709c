// The user-visible layout (grid lines, row counts, bands, column placement, widths, visibility and
// sort state) saved to and read from an INI file or the registry through one key layout: a section
// per object under the control's path.
#include <algorithm>
#include <memory>

#include "dx/editors/dxRegIniWrapper.h"
#include "dx/treelist/dxTLControl.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/classes/StringList.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"

namespace {

// A leading "\" and no trailing one: "Software\App\Grid\" is "\Software\App\Grid".
String NormalisePath(String Path) {
  if (!Path.empty() && Path.front() != u'\\') Path.insert(Path.begin(), u'\\');
  while (!Path.empty() && Path.back() == u'\\') Path.pop_back();
  return Path;
}

String BandSection(const String& Path, int Index) { return Path + u"\\Band\\Band" + IntToStr(Index); }

String ColumnSection(const String& Path, const TdxTreeListColumn* Column) {
  return Path + u"\\Columns\\" + Column->Name();
}

// Puts each object at the position its stored key orders it to (ties in no defined order).
template <class T, class Place>
void ApplyStoredOrder(std::vector<std::pair<int, T*>>& Order, Place&& PlaceAt) {
  std::stable_sort(Order.begin(), Order.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
  for (size_t k = 0; k < Order.size(); ++k) PlaceAt(Order[k].second, static_cast<int>(k));
}

}  // namespace

// --- Where the layout goes ---

String TCustomdxTreeListControl::IniSection(const String& FormName) const {
  return iniSectionName_.empty() ? FormName + u"_" + Name() : iniSectionName_;
}

void TCustomdxTreeListControl::SetParent(TWinControl* AParent) {
  TCustomdxTreeList::SetParent(AParent);
  if (TCustomForm* form = GetParentForm(this)) parentFormName_ = form->Name();
}

void TCustomdxTreeListControl::LoadFromIniFile(const String& FileName) {
  TMemIniFile file(FileName);
  TCustomForm* form = GetParentForm(this);
  LoadLayout(&file, IniSection(form ? form->Name() : String()));
}

void TCustomdxTreeListControl::SaveToIniFile(const String& FileName) {
  TMemIniFile file(FileName);
  SaveLayout(&file, IniSection(parentFormName_));
  file.UpdateFile();
}

void TCustomdxTreeListControl::LoadFromRegistry(const String& Path) {
  TRegIniFile registry{String()};
  if (!registry.OpenKeyReadOnly(NormalisePath(Path))) return;  // a missing key reads nothing
  registry.CloseKey();
  LoadLayout(&registry, Path);
}

void TCustomdxTreeListControl::SaveToRegistry(const String& Path) {
  TRegIniFile registry{String()};
  SaveLayout(&registry, Path);
  registry.CloseKey();
}

bool TCustomdxTreeListControl::CanStoreLayout(DWORD Option, const String& Location) const {
  return HasOption(Option) && !ComponentState().Contains(csDesigning) && !Location.empty();
}

void TCustomdxTreeListControl::LoadStoredLayout() {
  if (layoutLoaded_) return;
  layoutLoaded_ = true;
  if (CanStoreLayout(dxtlo::StoreToRegistry, registryPath_)) LoadFromRegistry(registryPath_);
  if (CanStoreLayout(dxtlo::StoreToIniFile, iniFileName_)) LoadFromIniFile(iniFileName_);
}

void TCustomdxTreeListControl::SaveStoredLayout() {
  if (layoutSaved_) return;
  layoutSaved_ = true;
  if (CanStoreLayout(dxtlo::StoreToRegistry, registryPath_)) SaveToRegistry(registryPath_);
  if (CanStoreLayout(dxtlo::StoreToIniFile, iniFileName_)) SaveToIniFile(iniFileName_);
}

// --- Loading ---

void TCustomdxTreeListControl::LoadLayout(TObject* Store, const String& Path) {
  String path = NormalisePath(Path);
  TdxRegIniWrapper wrapper;
  wrapper.SetIniObject(Store);
  BeginLoadLayout(&wrapper);
  struct TEnd {
    TCustomdxTreeListControl* self;
    TdxRegIniWrapper* wrapper;
    ~TEnd() { self->EndLoadLayout(wrapper); }
  } end{this, &wrapper};
  LoadGeneralLayout(&wrapper, path);
  LoadBandsLayout(&wrapper, path);
  LoadColumnsLayout(&wrapper, path);
  if (IsMultiSort()) RebuildSortedColumns();
}

void TCustomdxTreeListControl::BeginLoadLayout(TdxRegIniWrapper*) {
  BeginUpdate();
  if (IsMultiSort()) LockSorting();
}

void TCustomdxTreeListControl::EndLoadLayout(TdxRegIniWrapper*) {
  struct TEnd {
    TCustomdxTreeListControl* self;
    ~TEnd() { self->EndUpdate(); }
  } end{this};
  if (IsMultiSort() && IsSortLocked()) UnlockSorting();
}

void TCustomdxTreeListControl::LoadGeneralLayout(TdxRegIniWrapper* W, const String& Path) {
  SetShowGrid(W->ReadBool(Path, u"ShowGrid", ShowGrid()));
  SetShowPreviewGrid(W->ReadBool(Path, u"ShowPreviewGrid", ShowPreviewGrid()));
  SetBandRowCount(W->ReadInteger(Path, u"BandRowCount", BandRowCount()));
  int rowHeight = W->ReadExtent(Path, u"DefaultRowHeight", DefaultRowHeight());
  if (rowHeight != DefaultRowHeight()) SetDefaultRowHeight(rowHeight);
  int headerRows = W->ReadInteger(Path, u"HeaderPanelRowCount", HeaderPanelRowCount());
  // A stored -1 keeps the automatic header panel height as it is.
  if (headerRows != -1) {
    SetOptionFlagsEx(OptionFlagsEx() & ~dxtlox::AutoHeaderPanelHeight);
    SetHeaderPanelRowCount(headerRows);
  }
}

void TCustomdxTreeListControl::LoadBandsLayout(TdxRegIniWrapper* W, const String& Path) {
  std::vector<std::pair<int, TdxTreeListBand*>> order;
  for (int i = 0, count = bands_->Count(); i < count; ++i) {
    String section = BandSection(Path, i);
    int id = W->ReadInteger(section, u"ID", -1);
    if (id == -1) continue;
    auto* band = static_cast<TdxTreeListBand*>(bands_->FindItemID(id));
    if (!band) continue;  // a band that no longer exists
    band->SetVisible(W->ReadBool(section, u"Visible", band->Visible()));
    band->SetWidth(W->ReadExtent(section, u"Width", band->Width()));
    order.emplace_back(W->ReadInteger(section, u"Index", band->Index()), band);
  }
  ApplyStoredOrder(order, [](TdxTreeListBand* Band, int Index) { Band->SetIndex(Index); });
}

void TCustomdxTreeListControl::LoadColumnLayout(TdxRegIniWrapper* W, const String& Section,
                                                TdxTreeListColumn* Column) {
  Column->SetVisible(W->ReadBool(Section, u"Visible", Column->Visible()));
  Column->SetWidth(W->ReadExtent(Section, u"Width", Column->Width()));
  int sorted = W->ReadInteger(Section, u"Sorted", static_cast<int>(Column->Sorted()));
  if (sorted >= csNone && sorted <= csUp) Column->SetSorted(static_cast<TdxTreeListColumnSort>(sorted));
  Column->SetStoredSortOrder(W->ReadInteger(Section, u"SortedOrder", -1));
}

void TCustomdxTreeListControl::LoadColumnsLayout(TdxRegIniWrapper* W, const String& Path) {
  std::vector<std::pair<int, TdxTreeListColumn*>> order;
  std::vector<TdxTreeListColumn*> columns = columns_;
  for (TdxTreeListColumn* column : columns) {
    String section = ColumnSection(Path, column);
    LoadColumnLayout(W, section, column);
    order.emplace_back(W->ReadInteger(section, u"Index", column->GetDataIndex()), column);
  }
  ApplyStoredOrder(order, [](TdxTreeListColumn* Column, int Index) { Column->SetIndex(Index); });
  {
    // Header rows are compacted once, after every column has its place.
    ++layoutLoadCount_;
    struct TDrop {
      int& count;
      ~TDrop() { --count; }
    } drop{layoutLoadCount_};
    for (TdxTreeListColumn* column : std::vector<TdxTreeListColumn*>(columns_)) {
      String section = ColumnSection(Path, column);
      column->SetBandIndex(W->ReadInteger(section, u"BandIndex", column->BandIndex()));
      column->SetRowIndex(W->ReadInteger(section, u"RowIndex", column->RowIndex()));
      column->SetStoredRowIndex(W->ReadInteger(section, u"StoredRowIndex", column->StoredRowIndex()));
    }
  }
  ColumnChanged(nullptr);
}

// --- Saving ---

void TCustomdxTreeListControl::SaveLayout(TObject* Store, const String& Path) {
  String path = NormalisePath(Path);
  TdxRegIniWrapper wrapper;
  wrapper.SetIniObject(Store);
  if (dynamic_cast<TCustomIniFile*>(Store)) {
    // Stale sections of this control go; another control's path that merely begins with the same
    // text (\Form1_Grid10 beside \Form1_Grid1) is not this control's to erase.
    TStringList sections;
    wrapper.ReadSections(&sections);
    String below = path + u"\\";
    for (int i = 0; i < sections.Count(); ++i) {
      String name = sections.Strings(i);
      if (name == path || name.starts_with(below)) wrapper.EraseSection(name);
    }
  }
  SaveGeneralLayout(&wrapper, path);
  for (TdxTreeListColumn* column : columns_) SaveColumnLayout(&wrapper, ColumnSection(path, column), column);
}

void TCustomdxTreeListControl::SaveGeneralLayout(TdxRegIniWrapper* W, const String& Path) {
  W->WriteBool(Path, u"ShowGrid", ShowGrid());
  W->WriteBool(Path, u"ShowPreviewGrid", ShowPreviewGrid());
  W->WriteInteger(Path, u"BandRowCount", BandRowCount());
  W->WriteInteger(Path, u"DefaultRowHeight", DefaultRowHeight());
  W->WriteInteger(Path, u"HeaderPanelRowCount",
                  HasOptionEx(dxtlox::AutoHeaderPanelHeight) ? -1 : HeaderPanelRowCount());
  for (int i = 0, count = bands_->Count(); i < count; ++i) {
    TdxTreeListBand* band = bands_->Items(i);
    String section = BandSection(Path, i);
    W->WriteInteger(section, u"ID", band->ID());
    W->WriteBool(section, u"Visible", band->Visible());
    W->WriteInteger(section, u"Index", i);
    W->WriteInteger(section, u"Width", band->Width());
  }
}

void TCustomdxTreeListControl::SaveColumnLayout(TdxRegIniWrapper* W, const String& Section,
                                                TdxTreeListColumn* Column) {
  W->WriteInteger(Section, u"BandIndex", Column->BandIndex());
  W->WriteInteger(Section, u"RowIndex", Column->RowIndex());
  W->WriteInteger(Section, u"ColIndex", Column->ColIndex());
  W->WriteBool(Section, u"Visible", Column->Visible());
  W->WriteInteger(Section, u"Index", Column->GetDataIndex());
  W->WriteInteger(Section, u"Width", Column->Width());
  W->WriteInteger(Section, u"Sorted", static_cast<int>(Column->Sorted()));
  W->WriteInteger(Section, u"SortedOrder", Column->GetSortedOrder());
  W->WriteInteger(Section, u"StoredRowIndex", Column->StoredRowIndex());
}
