// The row-tree stream of the control (form property "Data", registry value "Nodes") and the stored
// layout under RegistryPath.
#include <memory>

#include "dx/editors/dxRegIniWrapper.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/dxInspctRowTree.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Registry.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

namespace {

TdxRowTreeRecord RecordOf(TdxInspectorNode* Node) {
  TdxRowTreeRecord record;
  if (TdxInspectorRow* row = TCustomdxInspectorControl::RowOf(Node)) record.Name = row->Name();
  for (int i = 0; i < Node->Count(); ++i) record.Children.push_back(RecordOf(Node->Items(i)));
  return record;
}

// Expanded nodes in depth-first order, under collapsed parents too.
void CollectExpanded(TdxInspectorNode* Node, std::vector<String>& Names) {
  if (Node->Expanded()) {
    TdxInspectorRow* row = TCustomdxInspectorControl::RowOf(Node);
    Names.push_back(row ? row->Name() : String());
  }
  for (int i = 0; i < Node->Count(); ++i) CollectExpanded(Node->Items(i), Names);
}

}  // namespace

void TCustomdxInspectorControl::WriteRowTree(TStream* Stream) {
  TdxRowTree tree;
  tree.HasExpandedList = true;
  for (int i = 0; i < Count(); ++i) {
    tree.TopNodes.push_back(RecordOf(Items(i)));
    CollectExpanded(Items(i), tree.Expanded);
  }
  WriteRowTreeStream(Stream, tree);
}

void TCustomdxInspectorControl::ReadPendingRowTree(TStream* Stream) {
  Integer length = 0;
  Stream->ReadBuffer(&length, 4);
  if (length < 0 || length > Stream->Size() - Stream->Position())
    throw EReadError(u"Row tree stream is truncated");
  if (!pendingRowTree_) pendingRowTree_ = std::make_unique<TMemoryStream>();
  pendingRowTree_->Clear();
  if (length > 0) pendingRowTree_->CopyFrom(Stream, length);
}

TdxInspectorRow* TCustomdxInspectorControl::FindRowForRecord(const String& Name) const {
  TdxInspectorRow* row = FindRowByName(Name);
  if (!row) throw EFailureLoadOrderRows(String());
  return row;
}

void TCustomdxInspectorControl::ApplyRecord(const TdxRowTreeRecord& Record, TdxInspectorNode* Parent) {
  TdxInspectorRow* row = FindRowForRecord(Record.Name);
  // A hidden row has no node: its whole subtree is passed over, so later records stay in step.
  TdxInspectorNode* node = row->Node();
  if (!node) return;
  if (Parent)
    node->MoveTo(Parent, inaAddChild);
  else
    node->MoveTo(Items(0), inaAdd);
  for (const TdxRowTreeRecord& child : Record.Children) ApplyRecord(child, node);
}

void TCustomdxInspectorControl::ApplyRowTree(const TdxRowTree& Tree) {
  try {
    for (const TdxRowTreeRecord& record : Tree.TopNodes) ApplyRecord(record, nullptr);
    if (!Tree.HasExpandedList) return;
    FullCollapse();
    for (const String& name : Tree.Expanded)
      if (TdxInspectorNode* node = FindRowForRecord(name)->Node()) node->Expand(false);
  } catch (const EFailureLoadOrderRows&) {
    // Rows deleted since the stream was written: what was applied so far stays.
  }
}

void TCustomdxInspectorControl::ReadRowTree() {
  if (!pendingRowTree_ || pendingRowTree_->Size() == 0) return;
  const TdxRowTree tree =
      ParseRowTree(pendingRowTree_->Memory(), static_cast<size_t>(pendingRowTree_->Size()));
  ApplyRowTree(tree);
}

void TCustomdxInspectorControl::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      u"Data", [this](TStream* s) { ReadPendingRowTree(s); }, [this](TStream* s) { WriteRowTree(s); },
      Count() > 0 && CanStoreRowTree());
}

// --- Stored layout ---

String TCustomdxInspectorControl::NormalizeLayoutKey(const String& Path) {
  String key = Path;
  while (!key.empty() && key.back() == u'\\') key.pop_back();
  if (key.empty() || key.front() != u'\\') key.insert(key.begin(), u'\\');
  return key;
}

void TCustomdxInspectorControl::LoadFromRegistry(const String& Path) {
  TRegIniFile registry(u"");
  if (registry.KeyExists(NormalizeLayoutKey(Path))) LoadFromRegIni(&registry, Path);
}

void TCustomdxInspectorControl::SaveToRegistry(const String& Path) {
  TRegIniFile registry(u"");
  SaveToRegIni(&registry, Path);
}

void TCustomdxInspectorControl::LoadFromRegIni(TObject* Storage, const String& Path) {
  TdxRegIniWrapper wrapper;
  wrapper.SetIniObject(Storage);
  BeginUpdate();
  const TScopeExit unlock([this] { EndUpdate(); });
  LoadLayout(&wrapper, NormalizeLayoutKey(Path));
}

void TCustomdxInspectorControl::SaveToRegIni(TObject* Storage, const String& Path) {
  const String key = NormalizeLayoutKey(Path);
  TdxRegIniWrapper wrapper;
  wrapper.SetIniObject(Storage);
  wrapper.EraseSectionsByPrefix(key);
  SaveLayout(&wrapper, key);
}

void TCustomdxInspectorControl::LoadLayout(TdxRegIniWrapper* Storage, const String& Key) {
  // Category rows: the stored ones exist afterwards, the others are gone.
  const String categoriesKey = Key + u"\\Categories";
  TStringList names;
  Storage->ReadSection(categoriesKey, &names);
  for (int i = RowCount() - 1; i >= 0; --i) {
    TdxInspectorRow* row = Rows(i);
    if (row->IsCategory() && names.IndexOf(row->Name()) < 0) {
      row->SetVisible(false);
      delete row;
    }
  }
  for (int i = 0; i < names.Count(); ++i) {
    const String name = names.Strings(i);
    if (FindRowByName(name)) continue;
    TdxInspectorRow* row = AddRow(GetDefaultRowClass());
    row->SetIsCategory(true);
    row->SetVisible(false);
    row->SetName(name);
    row->SetCaption(Storage->ReadString(categoriesKey, name, name));
  }
  // The row tree: an unreadable stored value counts as absent, so the designed order stays.
  const int size = Storage->ReadBinaryData(Key, u"Nodes", 0, nullptr);
  if (size > 0) {
    std::vector<Byte> bytes(static_cast<size_t>(size));
    const int read = Storage->ReadBinaryData(Key, u"Nodes", size, bytes.data());
    try {
      if (read < 4) throw EReadError(u"Row tree stream is truncated");
      TCustomMemoryStream stream(bytes.data(), read);
      ReadPendingRowTree(&stream);
      const TdxRowTree tree =
          ParseRowTree(pendingRowTree_->Memory(), static_cast<size_t>(pendingRowTree_->Size()));
      FreePendingRowTree();
      for (int i = 0; i < RowCount(); ++i) Rows(i)->SetVisible(true);
      ApplyRowTree(tree);
    } catch (const EReadError&) {
      FreePendingRowTree();
    }
  }
  for (int i = 0; i < RowCount(); ++i) {
    TdxInspectorRow* row = Rows(i);
    const String rowKey = Key + u"\\Rows\\" + row->Name();
    row->SetRowHeight(Storage->ReadExtent(rowKey, u"RowHeight", -1, -1));
    row->SetVisible(Storage->ReadBool(rowKey, u"Visible", row->Visible()));
  }
  SetBandWidth(Storage->ReadExtent(Key, u"BandWidth", BandWidth()));
  SetDividerPos(Storage->ReadExtent(Key, u"DividerPos", DividerPos()));
}

void TCustomdxInspectorControl::SaveLayout(TdxRegIniWrapper* Storage, const String& Key) {
  Storage->WriteInteger(Key, u"BandWidth", BandWidth());
  Storage->WriteInteger(Key, u"DividerPos", DividerPos());
  const String categoriesKey = Key + u"\\Categories";
  Storage->EraseSection(categoriesKey);
  for (int i = 0; i < RowCount(); ++i)
    if (Rows(i)->IsCategory()) Storage->WriteString(categoriesKey, Rows(i)->Name(), Rows(i)->Caption());
  TMemoryStream stream;
  WriteRowTree(&stream);
  Storage->WriteBinaryData(Key, u"Nodes", static_cast<int>(stream.Size()), stream.Memory());
  for (int i = 0; i < RowCount(); ++i) {
    TdxInspectorRow* row = Rows(i);
    const String rowKey = Key + u"\\Rows\\" + row->Name();
    Storage->WriteInteger(rowKey, u"RowHeight", row->IsRowHeightStored() ? row->RowHeight() : -1);
    Storage->WriteBool(rowKey, u"Visible", row->Visible());
  }
}

void TCustomdxInspectorControl::RestoreLayout() {
  if (HasOption(inoStoreToRegistry) && !RegistryPath().empty() && !ComponentState().Contains(csDesigning))
    LoadFromRegistry(RegistryPath());
}

void TCustomdxInspectorControl::StoreLayout() {
  if (HasOption(inoStoreToRegistry) && !RegistryPath().empty() && !ComponentState().Contains(csDesigning))
    SaveToRegistry(RegistryPath());
}
