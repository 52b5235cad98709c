// Merging two person cards: a row of the people list dropped on another. The dropped row's card
// (the target) takes the ticked values of the dragged one (the source), and the source's training
// records and names; then the source is deleted, all in one transaction.
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/PeopleJoin.h"
#include "app/ScratchStatements.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

namespace {

// The card's values of the list rows 0 to 7.
std::vector<String> MergeCardValues(int PeopleID) {
  return ScratchQueryRow(
      u" select p.FSTNAME,p.SECNAME,p.LASTNAME,p.BIRTHDATE,M_SEX.NAME as SEXNAME,p.DOLGNAME,  M_KAT.NAME as KATNAME,"
      u"[dbo].GetfullParentNameDep(p.M_RAYON_DEPID,1)  from O_PEOPLE p  left outer join M_SEX on M_SEX.M_SEXID = "
      u"p.M_SEXID  left outer join M_KAT on M_KAT.M_KATID = p.M_KATID  where p.O_PEOPLEID = :O_PEOPLEID",
      {{u"O_PEOPLEID", Variant(PeopleID)}});
}

// One line a training record: end date, programme, kind, institution.
void ShowTrainingRecords(TMemo* Memo, int PeopleID) {
  TADOQuery* q = DataModule2->Q;
  q->Close();
  q->SQL()->SetText(
      u" select O_EDU.DATEFINISH,O_EDU.PROGNAME,M_KATEDU.M_KATEDUNAME,M_COLLAGE.NAME as COLLAGENAME  from O_EDU  left "
      u"outer join M_KATEDU on M_KATEDU.M_KATEDUID = O_EDU.M_KATEDUID  left outer join M_COLLAGE on "
      u"M_COLLAGE.M_COLLAGEID = O_EDU.M_COLLAGEID  where O_EDU.O_PEOPLEID = :O_PEOPLEID order by O_EDU.DATEFINISH ");
  q->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(PeopleID));
  q->Open();
  TScopeExit close([q] { q->Close(); });
  Memo->Lines()->Clear();
  for (; !q->Eof(); q->Next()) {
    String line;
    for (int i = 0; i < 4; ++i) line += (i ? u"  " : u"") + Trim(q->Fields()->Fields(i)->AsString());
    Memo->Lines()->Add(line);
  }
}

// The card columns rows 0 to 7 copy.
constexpr const char16_t* kMergeColumns[] = {u"FSTNAME",  u"SECNAME", u"LASTNAME", u"BIRTHDATE",
                                             u"M_SEXID",  u"DOLGNAME", u"M_KATID", u"M_RAYON_DEPID"};

// The whole merge, or nothing of it: what the database refuses rolls everything back.
void MergeCards(TPeopleJoinForm* Join, int Source, int Target) {
  TADOConnection* connection = DataModule2->ADOConnection1;
  if (connection->InTransaction()) connection->CommitTrans();
  connection->BeginTrans();
  try {
    const TScratchParams ids{{u"SOURCE", Variant(Source)}, {u"TARGET", Variant(Target)}};
    for (int row = pjrSurname; row <= pjrPlaceOfWork; ++row) {
      if (!Join->ListView1->Items()->Item(row)->Checked()) continue;
      const String column = kMergeColumns[row];
      ScratchExecute(u" update O_PEOPLE set " + column + u" = (select p." + column +
                         u" from O_PEOPLE p where p.O_PEOPLEID = :SOURCE) where O_PEOPLEID = :TARGET",
                     ids);
    }
    if (Join->ListView1->Items()->Item(pjrTraining)->Checked())
      ScratchExecute(u" update O_EDU set O_PEOPLEID = :TARGET where O_PEOPLEID = :SOURCE", ids);
    // Records left behind would point at a deleted card.
    else if (ScratchQueryValue(u" select count(*) from O_EDU where O_PEOPLEID = :SOURCE",
                               {{u"SOURCE", Variant(Source)}})
                 .AsInteger() != 0)
      throw EDatabaseError("The source card still has training records");
    ScratchExecute(u" update O_PEOPLESYNONYM set O_PEOPLEID = :TARGET where O_PEOPLEID = :SOURCE", ids);
    ScratchExecute(u" delete from O_PEOPLE where O_PEOPLEID = :SOURCE", {{u"SOURCE", Variant(Source)}});
    connection->CommitTrans();
  } catch (const std::exception&) {
    connection->RollbackTrans();
    throw;
  }
}

}  // namespace

void TMainForm::BindMergeDrag() {
  dxDBGrid1->OnBeginDragNode = [this](TObject* Sender, TdxTreeListNode* Node) { dxDBGrid1BeginDragNode(Sender, Node); };
  dxDBGrid1->OnDragOver = [this](TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    dxDBGrid1DragOver(Sender, Source, X, Y, State, Accept);
  };
  dxDBGrid1->OnDragDrop = [this](TObject* Sender, TObject* Source, int X, int Y) {
    dxDBGrid1DragDrop(Sender, Source, X, Y);
  };
}

void TMainForm::dxDBGrid1BeginDragNode(TObject*, TdxTreeListNode* Node) { DragNode = Node; }

void TMainForm::dxDBGrid1DragOver(TObject*, TObject* Source, int X, int Y, TDragState, bool& Accept) {
  DropNode = dxDBGrid1->GetNodeAt(X, Y);
  Accept = Source == dxDBGrid1 && DropNode && DropNode != DragNode;
}

void TMainForm::dxDBGrid1DragDrop(TObject*, TObject*, int, int) {
  const int idColumn = dxDBGrid1->FindColumnByFieldName(u"O_PEOPLEID")->Index();
  const int source = StrToInt(DragNode->GetString(idColumn));
  const int target = StrToInt(DropNode->GetString(idColumn));
  auto* join = NewForm<TPeopleJoinForm>(this);
  TScopeExit freeJoin([join] { delete join; });
  TPeopleJoinForm::ShowValues(join->ListView1, MergeCardValues(source));
  ShowTrainingRecords(join->Memo1, source);
  TPeopleJoinForm::ShowValues(join->ListView2, MergeCardValues(target));
  ShowTrainingRecords(join->Memo2, target);
  if (join->ShowModal() != mrOk) return;
  try {
    MergeCards(join, source, target);
  } catch (const std::exception&) {
    Application->MessageBox(u"Ошибка обьединения", kCancelCaption, MB_OK | MB_ICONERROR);
    return;
  }
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  list->Close();
  list->Open();
  list->Locate(u"O_PEOPLEID", Variant(target), {});
}
