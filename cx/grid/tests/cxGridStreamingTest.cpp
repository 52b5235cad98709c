// A grid with levels, a DB table view with columns, a style repository and a sheet written to a
// form file and read back.
#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "cx/foundation/tests/cxFormTextTestUtil.h"
#include "platform/classes/Published.h"
#include "platform/data/MemoryDataSet.h"

namespace {

class TGridForm : public TForm {
  TRENVIK_CLASS(TGridForm, TForm);

 public:
  explicit TGridForm(TComponent* AOwner) : TForm(AOwner) {}
  TcxGrid* Grid1 = nullptr;
  TcxGridLevel* Grid1Level1 = nullptr;
  TcxGridLevel* Grid1Level2 = nullptr;
  TcxGridDBTableView* Grid1DBTableView1 = nullptr;
  TcxGridDBColumn* Grid1DBTableView1NAME = nullptr;
  TcxGridDBColumn* Grid1DBTableView1ID = nullptr;
  TcxStyleRepository* StyleRepository1 = nullptr;
  TcxStyle* cxStyle1 = nullptr;
  TDataSource* DataSource1 = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TGridForm) {
  P.Field("Grid1", &TGridForm::Grid1);
  P.Field("Grid1Level1", &TGridForm::Grid1Level1);
  P.Field("Grid1Level2", &TGridForm::Grid1Level2);
  P.Field("Grid1DBTableView1", &TGridForm::Grid1DBTableView1);
  P.Field("Grid1DBTableView1NAME", &TGridForm::Grid1DBTableView1NAME);
  P.Field("Grid1DBTableView1ID", &TGridForm::Grid1DBTableView1ID);
  P.Field("StyleRepository1", &TGridForm::StyleRepository1);
  P.Field("cxStyle1", &TGridForm::cxStyle1);
  P.Field("DataSource1", &TGridForm::DataSource1);
}

using CxGridStreamingTest = CxControlsTest;

namespace {

// The form's grid with a DB table view of its own (not yet on a level).
TcxGridDBTableView* AddGridWithView(TGridForm* AForm) {
  AForm->Grid1 = new TcxGrid(AForm);
  AForm->Grid1->SetName(S("Grid1"));
  AForm->Grid1->SetParent(AForm);
  auto* view = new TcxGridDBTableView(AForm);
  view->SetName(S("Grid1DBTableView1"));
  AForm->Grid1->AddChildComponent(view);
  return view;
}

}  // namespace

TEST_F(CxGridStreamingTest, AGridWithLevelsViewsColumnsAndStylesReadsBackEqual) {
  auto* source = new TGridForm(nullptr);
  forms_.push_back(source);
  source->SetName(S("GridForm"));
  auto* data = new TDataSource(source);
  data->SetName(S("DataSource1"));
  auto* repository = new TcxStyleRepository(source);
  repository->SetName(S("StyleRepository1"));
  auto* style = static_cast<TcxStyle*>(repository->CreateStyleWithOwner(TcxStyle::StaticClass(), source));
  style->SetName(S("cxStyle1"));
  style->SetColor(clYellow);
  TcxGridDBTableView* view = AddGridWithView(source);
  TcxGrid* grid = source->Grid1;
  grid->RootLevelOptions()->SetDetailTabsPosition(dtpTop);
  view->DataController()->SetDataSource(data);
  view->DataController()->SetKeyFieldNames(u"ID");
  view->Styles()->SetBackground(style);
  view->OptionsView()->SetGroupByBox(false);
  view->OptionsView()->SetColumnAutoWidth(true);
  view->OptionsData()->SetEditing(false);
  TcxGridDBColumn* id = view->CreateColumn();
  id->SetName(S("Grid1DBTableView1ID"));
  id->DataBinding()->SetFieldName(u"ID");
  id->SetVisible(false);
  id->SetCaption(String());
  TcxGridDBColumn* name = view->CreateColumn();
  name->SetName(S("Grid1DBTableView1NAME"));
  name->DataBinding()->SetFieldName(u"NAME");
  name->SetCaption(S("Name"));
  name->SetWidth(150);
  TcxGridLevel* level1 = grid->RootLevel()->AddLevel();
  level1->SetName(S("Grid1Level1"));
  level1->SetCaption(S("People"));
  level1->SetGridView(view);
  TcxGridLevel* level2 = grid->RootLevel()->AddLevel();
  level2->SetName(S("Grid1Level2"));
  level2->Options()->SetDetailFrameWidth(3);

  const String text = FormText(source);
  EXPECT_TRUE(Has(text, u"IsCaptionAssigned = True")) << StringToUtf8(text);
  EXPECT_TRUE(Has(text, u"FieldName = 'NAME'"));
  EXPECT_TRUE(Has(text, u"DetailTabsPosition = dtpTop"));
  EXPECT_TRUE(Has(text, u"DetailFrameWidth = 3"));
  EXPECT_FALSE(Has(text, u"DetailFrameWidth = 1")) << "a default level option is not written";
  EXPECT_FALSE(Has(text, u"TextColor")) << "only the style's assigned values are written";

  auto* target = new TGridForm(nullptr);
  forms_.push_back(target);
  ReadFormText(text, target);
  ASSERT_NE(target->Grid1, nullptr);
  ASSERT_NE(target->Grid1DBTableView1, nullptr);
  TcxGridDBTableView* readView = target->Grid1DBTableView1;
  EXPECT_EQ(target->Grid1->RootLevelOptions()->DetailTabsPosition(), dtpTop);
  ASSERT_EQ(target->Grid1->RootLevel()->Count(), 2);
  EXPECT_EQ(target->Grid1Level1->GridView(), readView);
  EXPECT_EQ(target->Grid1Level1->Caption(), S("People"));
  EXPECT_EQ(target->Grid1Level2->Options()->DetailFrameWidth(), 3);
  EXPECT_EQ(readView->DataController()->DataSource(), target->DataSource1);
  EXPECT_EQ(readView->DataController()->KeyFieldNames(), S("ID"));
  EXPECT_EQ(readView->Styles()->Background(), target->cxStyle1);
  EXPECT_FALSE(readView->OptionsView()->GroupByBox());
  EXPECT_TRUE(readView->OptionsView()->ColumnAutoWidth());
  EXPECT_FALSE(readView->OptionsData()->Editing());
  EXPECT_TRUE(readView->OptionsData()->Deleting());
  EXPECT_EQ(target->cxStyle1->Color(), clYellow);
  EXPECT_EQ(target->cxStyle1->StyleRepository(), target->StyleRepository1);
  ASSERT_EQ(readView->ItemCount(), 2);
  EXPECT_EQ(target->Grid1DBTableView1ID->Caption(), String());
  EXPECT_TRUE(target->Grid1DBTableView1ID->IsCaptionAssigned());
  EXPECT_FALSE(target->Grid1DBTableView1ID->Visible());
  EXPECT_EQ(target->Grid1DBTableView1NAME->DataBinding()->FieldName(), S("NAME"));
  EXPECT_EQ(target->Grid1DBTableView1NAME->Caption(), S("Name"));
  EXPECT_EQ(target->Grid1DBTableView1NAME->Width(), 150);
  EXPECT_EQ(FormText(target), text);
}

TEST_F(CxGridStreamingTest, ThePreviewReadsBackWithItsColumnWhichStaysAColumnOfItsOwn) {
  auto* source = new TGridForm(nullptr);
  forms_.push_back(source);
  source->SetName(S("GridForm"));
  TcxGridDBTableView* view = AddGridWithView(source);
  TcxGrid* grid = source->Grid1;
  TcxGridDBColumn* id = view->CreateColumn();
  id->SetName(S("Grid1DBTableView1ID"));
  TcxGridDBColumn* name = view->CreateColumn();
  name->SetName(S("Grid1DBTableView1NAME"));
  TcxGridLevel* level1 = grid->RootLevel()->AddLevel();
  level1->SetName(S("Grid1Level1"));
  level1->SetGridView(view);
  view->Preview()->SetColumn(name);
  view->Preview()->SetVisible(true);
  view->Preview()->SetPlace(ppTop);
  view->Preview()->SetMaxLineCount(2);

  const String text = FormText(source);
  EXPECT_TRUE(Has(text, u"Column = Grid1DBTableView1NAME")) << StringToUtf8(text);
  EXPECT_TRUE(Has(text, u"Place = ppTop"));
  EXPECT_FALSE(Has(text, u"Hidden")) << "the preview column is hidden only as the preview's";

  auto* target = new TGridForm(nullptr);
  forms_.push_back(target);
  ReadFormText(text, target);
  ASSERT_NE(target->Grid1DBTableView1, nullptr);
  TcxGridPreview* preview = target->Grid1DBTableView1->Preview();
  EXPECT_EQ(preview->Column(), target->Grid1DBTableView1NAME);
  EXPECT_TRUE(preview->Active());
  EXPECT_EQ(preview->Place(), ppTop);
  EXPECT_EQ(preview->MaxLineCount(), 2);
  EXPECT_FALSE(target->Grid1DBTableView1NAME->Visible());
  // Let go of, the column is a visible column again: its own Visible was not stored as False.
  preview->SetColumn(nullptr);
  EXPECT_TRUE(target->Grid1DBTableView1NAME->Visible());
  EXPECT_FALSE(target->Grid1DBTableView1NAME->Hidden());
}
