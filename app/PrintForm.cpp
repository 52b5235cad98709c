#include "app/PrintForm.h"

#include "app/AppPaths.h"
#include "app/ColumnSortMarks.h"
#include "app/DataModule.h"
#include "app/FilterForm.h"
#include "app/SheetExport.h"
#include "platform/data/DB.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"

TPrintForm* PrintForm = nullptr;

TRENVIK_PUBLISHED(TPrintForm) {
  P.Field("ToolBar1", &TPrintForm::ToolBar1);
  P.Field("ToolButton1", &TPrintForm::ToolButton1);
  P.Field("ToolButton2", &TPrintForm::ToolButton2);
  P.Field("ToolButton3", &TPrintForm::ToolButton3);
  P.Field("ToolButton4", &TPrintForm::ToolButton4);
  P.Field("CheckBox1", &TPrintForm::CheckBox1);
  P.Field("GroupBox1", &TPrintForm::GroupBox1);
  P.Field("CheckListBox1", &TPrintForm::CheckListBox1);
  P.Field("dxDBGridPrintList", &TPrintForm::dxDBGridPrintList);
  P.Method("FormCreate", &TPrintForm::FormCreate);
  P.Method("FormClose", &TPrintForm::FormClose);
  P.Method("ToolButton1Click", &TPrintForm::ToolButton1Click);
  P.Method("ToolButton3Click", &TPrintForm::ToolButton3Click);
  P.Method("ToolButton4Click", &TPrintForm::ToolButton4Click);
  P.Method("CheckListBox1ClickCheck", &TPrintForm::CheckListBox1ClickCheck);
  P.Method("CheckBox1Click", &TPrintForm::CheckBox1Click);
}

namespace {

// The grid column each item of the check list switches, in item order.
constexpr const char16_t* kPrintItemFields[] = {u"FSTNAME", u"SECNAME", u"LASTNAME", u"BIRTHDATE", u"AGE",
                                                u"SEXNAME", u"DOLGNAME", u"KATNAME", u"D_NAME", u"R_NAME"};

// The filter window's description of the filter set, empty when none is.
String SetFilterDescription() {
  return FilterForm && FilterForm->FilterSet ? FilterForm->FilterDescription : String();
}

bool IsCalculatedColumn(TdxTreeListColumn* Column) {
  auto* bound = dynamic_cast<TdxDBTreeListColumn*>(Column);
  TField* field = bound ? bound->Field() : nullptr;
  return field && field->FieldKind() == fkCalculated;
}

}  // namespace

void ExportGridAndOpen(TCustomdxDBGrid* Grid, TWinControl* Owner, const String& Name) {
  String folder = ProgramFolder();
  if (!folder.empty() && folder.back() == u'/') folder.pop_back();
  if (!DirectoryExists(folder + u"/Text"))
    throw Exception("Cannot write " + StringToUtf8(folder + u"/Text/" + Name) + ": the folder Text is missing");
  ExportGridToSheet(Grid, u"Text/" + Name, true, Owner->Handle());
}

void TPrintForm::FormCreate(TObject*) {
  BindDataModule();
  // One band, its header shown with no caption until the box is first clicked.
  if (dxDBGridPrintList->Bands()->Count() == 0) dxDBGridPrintList->Bands()->Add();
  dxDBGridPrintList->SetShowBands(true);
  for (int i = 0; i < 3; ++i) CheckListBox1->SetChecked(i, true);
  CheckListBox1ClickCheck(this);
  DataModule2->PrintList->Close();
}

void TPrintForm::BindDataModule() {
  dxDBGridPrintList->SetDataSource(DataModule2->PrintList_DS);
  dxDBGridPrintList->OnColumnClick = [this](TObject* Sender, TdxTreeListColumn* Column) {
    dxDBGridPrintListColumnClick(Sender, Column);
  };
  dxDBGridPrintList->OnColumnMoved = [this](TObject* Sender, int FromIndex, int ToIndex) {
    dxDBGridPrintListColumnMoved(Sender, FromIndex, ToIndex);
  };
}

void TPrintForm::FormClose(TObject*, TCloseAction&) { DataModule2->PrintList->Close(); }

void TPrintForm::ToolButton1Click(TObject*) { Close(); }

void TPrintForm::ToolButton3Click(TObject*) {
  TDataSet* list = DataModule2->PrintList;
  list->Close();
  list->Open();
}

void TPrintForm::ToolButton4Click(TObject*) { ExportGridAndOpen(dxDBGridPrintList, this, u"PeopleList.xls"); }

void TPrintForm::CheckListBox1ClickCheck(TObject*) {
  for (int i = 0; i < static_cast<int>(std::size(kPrintItemFields)); ++i)
    if (TdxDBTreeListColumn* column = dxDBGridPrintList->FindColumnByFieldName(kPrintItemFields[i]))
      column->SetVisible(CheckListBox1->Checked(i));
}

void TPrintForm::CheckBox1Click(TObject*) {
  dxDBGridPrintList->SetShowBands(CheckBox1->Checked());
  if (!CheckBox1->Checked() || dxDBGridPrintList->Bands()->Count() == 0) return;
  dxDBGridPrintList->Bands()->Items(0)->SetCaption(SetFilterDescription());
}

String TPrintForm::GetSortString(TCustomdxDBGrid* Grid) {
  String text;
  for (int i = 0; i < Grid->GetColumnCount(); ++i) {
    auto* column = dynamic_cast<TdxDBTreeListColumn*>(Grid->GetColumn(i));
    if (!column) continue;
    if (IsCalculatedColumn(column)) {
      column->SetSorted(csNone);
      continue;
    }
    if (column->Sorted() == csNone) continue;
    if (!text.empty()) text += u" , ";
    text += UpperCase(column->FieldName()) + (column->Sorted() == csDown ? u" DESC " : u" ASC ");
  }
  return text;
}

void TPrintForm::ApplySort() { DataModule2->PrintList->SetSort(GetSortString(dxDBGridPrintList)); }

void TPrintForm::dxDBGridPrintListColumnClick(TObject*, TdxTreeListColumn* Column) {
  if (IsCalculatedColumn(Column)) return;
  Column->SetSorted(NextSort(Column->Sorted()));
  ShowSortGlyph(Column);
  ApplySort();
}

void TPrintForm::dxDBGridPrintListColumnMoved(TObject*, int, int) {
  if (dxDBGridPrintList->GetSortedColumnCount() > 0) ApplySort();
}
