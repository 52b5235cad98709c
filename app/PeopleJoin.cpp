#include "app/PeopleJoin.h"

TRENVIK_PUBLISHED(TPeopleJoinForm) {
  P.Field("ToolBar1", &TPeopleJoinForm::ToolBar1);
  P.Field("ToolButton1", &TPeopleJoinForm::ToolButton1);
  P.Field("ToolButton3", &TPeopleJoinForm::ToolButton3);
  P.Field("Panel1", &TPeopleJoinForm::Panel1);
  P.Field("GroupBox2", &TPeopleJoinForm::GroupBox2);
  P.Field("ListView1", &TPeopleJoinForm::ListView1);
  P.Field("Label1", &TPeopleJoinForm::Label1);
  P.Field("Memo1", &TPeopleJoinForm::Memo1);
  P.Field("GroupBox3", &TPeopleJoinForm::GroupBox3);
  P.Field("ListView2", &TPeopleJoinForm::ListView2);
  P.Field("Label2", &TPeopleJoinForm::Label2);
  P.Field("Memo2", &TPeopleJoinForm::Memo2);
  P.Method("FormCreate", &TPeopleJoinForm::FormCreate);
  P.Method("ToolButton1Click", &TPeopleJoinForm::ToolButton1Click);
  P.Method("ToolButton3Click", &TPeopleJoinForm::ToolButton3Click);
}

namespace {
constexpr const char16_t* kPeopleJoinCaptions[] = {u"фамилия",   u"имя",       u"отчество",
                                                   u"дата рождения", u"пол", u"должность",
                                                   u"категория должности", u"место работы"};
void AddPeopleJoinRows(TListView* List, bool WithTraining) {
  for (const char16_t* caption : kPeopleJoinCaptions) {
    TListItem* item = List->Items()->Add();
    item->SetCaption(caption);
    item->SubItems()->Add(String());
  }
  if (!WithTraining) return;
  TListItem* item = List->Items()->Add();
  item->SetCaption(u"пройденное обучение");
  item->SubItems()->Add(String());
}
}  // namespace

void TPeopleJoinForm::FormCreate(TObject*) {
  AddPeopleJoinRows(ListView1, true);
  AddPeopleJoinRows(ListView2, false);
  ListView1->Items()->Item(pjrTraining)->SetChecked(true);
}

void TPeopleJoinForm::ToolButton1Click(TObject*) { SetModalResult(mrOk); }
void TPeopleJoinForm::ToolButton3Click(TObject*) { SetModalResult(mrCancel); }

void TPeopleJoinForm::ReduceForCopy() {
  SetCaption(u"Копирование данных");
  SetHeight(Height() - 217);
  for (TControl* c : {static_cast<TControl*>(Memo1), static_cast<TControl*>(Memo2),
                      static_cast<TControl*>(Label1), static_cast<TControl*>(Label2)})
    delete c;
  Memo1 = Memo2 = nullptr;
  Label1 = Label2 = nullptr;
  for (TListView* list : {ListView1, ListView2})
    while (list->Items()->Count() > pjrCategory) list->Items()->Delete(list->Items()->Count() - 1);
}

void TPeopleJoinForm::ShowValues(TListView* List, const std::vector<String>& Values) {
  for (size_t i = 0; i < Values.size() && static_cast<int>(i) < List->Items()->Count(); ++i)
    List->Items()->Item(static_cast<int>(i))->SubItems()->SetStrings(0, Values[i]);
}
