#include "DbGridTestSupport.h"

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/rtl/Streams.h"

void DbGridTest::OpenDatabase(const char* Script) {
  folder_.NewDatabase("edu.db");
  WriteDataLinkFile(folder_.File("Trenvik.udl"), u"Provider=SQLite;Data Source=edu.db");
  connection_ = new TADOConnection(&owner_);
  connection_->SetConnectionString(u"FILE NAME=" + folder_.File("Trenvik.udl"));
  connection_->SetLoginPrompt(false);
  connection_->Open();
  connection_->DbConnection().ExecuteScript(Utf8ToString(Script));
}

TdxDBGrid* DbGridTest::ReadGridForm(TDataSet* DataSet, const String& Text) {
  TForm* form = NewShownForm();
  auto* source = new TDataSource(form);
  source->SetDataSet(DataSet);
  source->SetName(u"PeopleSource");
  TMemoryStream binary;
  ObjectTextToBinary(Text, &binary);
  binary.SetPosition(0);
  ReadComponent(&binary, form);
  auto* grid = dynamic_cast<TdxDBGrid*>(form->FindComponent(u"Grid1"));
  if (grid) grid->SetParent(form);
  return grid;
}

void DbGridTest::Execute(const char* Sql) { connection_->DbConnection().ExecuteScript(Utf8ToString(Sql)); }

TADOQuery* DbGridTest::Query(const char* Sql) {
  auto* q = new TADOQuery(&owner_);
  q->SetConnection(connection_);
  q->SQL()->SetText(Utf8ToString(Sql));
  return q;
}

TDataSource* DbGridTest::SourceOf(TDataSet* DataSet) {
  auto* source = new TDataSource(&owner_);
  source->SetDataSet(DataSet);
  return source;
}

TForm* DbGridTest::NewShownForm() {
  TForm* f = NewForm<TForm>(nullptr);
  f->SetBounds(50, 50, 440, 360);
  forms_.push_back(f);
  f->Show();
  Pump();
  return f;
}

TdxDBGrid* DbGridTest::NewBoundGrid(TDataSet* DataSet, std::initializer_list<const char16_t*> FieldNames,
                                    const std::function<void(TdxDBGrid*)>& Setup) {
  TForm* form = NewShownForm();
  auto* grid = new TdxDBGrid(form);
  grid->SetParent(form);
  grid->SetBounds(0, 0, 400, 300);
  for (const char16_t* name : FieldNames)
    grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(name);
  Setup(grid);
  grid->SetDataSource(SourceOf(DataSet));
  Pump();
  return grid;
}

void DbGridTest::TearDown() {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
  forms_.clear();
  Pump();
}

std::string DbGridTest::Rows(TCustomdxTreeList* Control, int Column) {
  std::string s;
  for (int i = 0; i < Control->GetAbsoluteCount(); ++i) {
    String text;
    Control->GetNodeString(Control->GetAbsoluteNode(i), Column, text);
    s += (i ? "," : "") + StringToUtf8(text);
  }
  return s;
}

namespace {

void AppendTree(TdxTreeListNode* Node, std::string& Out) {
  Out += StringToUtf8(VarToStr(static_cast<TdxDBTreeListControlNode*>(Node)->KeyValue));
  if (!Node->GetCount()) return;
  Out += "(";
  for (int i = 0; i < Node->GetCount(); ++i) {
    if (i) Out += ",";
    AppendTree(Node->GetItem(i), Out);
  }
  Out += ")";
}

}  // namespace

std::string DbGridTest::Tree(TCustomdxTreeList* Control) {
  std::string s;
  for (int i = 0; i < Control->GetCount(); ++i) {
    if (i) s += ",";
    AppendTree(Control->GetItem(i), s);
  }
  return s;
}
