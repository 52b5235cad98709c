// Matching the staged names of institutions, kinds of training, places of work and sexes.
#include "app/DataModule.h"
#include "app/ImportMatch.h"
#include "app/ScratchStatements.h"
#include "app/RayonDepDlg.h"
#include "app/ReferenceDlg.h"
#include "app/TransferForm.h"

const TReferenceKind kCollageKind{
    u" select M_COLLAGEID from M_COLLAGE  where NAME = :NAME ",
    u" select M_COLLAGEID from M_COLLAGESYNONYM  where Upper(NAME) = Upper(:NAME) ",
    u"В списке зарегистрированных учебных заведений нет",
    false,
    u"M_COLLAGE",
    u"M_COLLAGEID",
    u" insert into M_COLLAGESYNONYM (M_COLLAGEID,NAME) values(:KEY,:NAME) ",
    nullptr,
    nullptr};

const TReferenceKind kKatEduKind{
    u" select M_KATEDUID from M_KATEDU  where M_KATEDUNAME = :NAME ",
    u" select M_KATEDUID from M_KATEDUSYNONYM  where Upper(NAME) = Upper(:NAME) ",
    u"В списке зарегистрированных видов обучения нет",
    false,
    u"M_KATEDU",
    u"M_KATEDUID",
    u" insert into M_KATEDUSYNONYM (M_KATEDUID,NAME) values(:KEY,:NAME) ",
    u"Отказ от выбора вида обучения.\n\rБудет присвоено значение по-умолчанию",
    u" select TOP 1 M_KATEDUID from M_KATEDU  order by M_KATEDUID "};

const TReferenceKind kRayonDepKind{
    u" select M_RAYON_DEPID from M_RAYON_DEP where LONGNAME = :NAME ",
    u" select M_RAYON_DEPID from M_DEPSYNONYM  where Upper(LONGNAME) = Upper(:NAME) ",
    u"В списке зарегистрированных органов власти нет",
    true,
    u"M_RAYON_DEP",
    u"M_RAYON_DEPID",
    u" insert into M_DEPSYNONYM (M_RAYON_DEPID,LONGNAME)  values(:KEY,:NAME) ",
    u"Отказ от выбора места работы.\n\rБудет присвоено значение по-умолчанию",
    nullptr};

const TReferenceKind kSexKind{
    u" select M_SEXID from M_SEX  where NAME = :NAME ",
    u" select M_SEXID from M_SEXSYNONYM  where Upper(NAME) = Upper(:NAME) ",
    u"В списке известных полов нет",
    true,
    u"M_SEX",
    u"M_SEXID",
    u" insert into M_SEXSYNONYM (M_SEXID,NAME) values(:KEY,:NAME) ",
    u"Отказ от выбора пола.\n\rБудет присвоено значение по-умолчанию",
    u" select TOP 1 M_SEXID from M_SEX  order by M_SEXID "};

bool TTransferForm::MatchReference(const TReferenceKind& Kind, String& Text, int& Key,
                                   const std::function<TMatchAnswer()>& Ask) {
  Variant found = ScratchQueryValue(Kind.Exact, {{u"NAME", Variant(Text)}});
  // An empty text is no written form of anything: the user is asked.
  if (VarIsNull(found) && !Text.empty()) found = ScratchQueryValue(Kind.Synonym, {{u"NAME", Variant(Text)}});
  if (!VarIsNull(found)) {
    Key = found.AsInteger();
    return true;
  }
  Application->MessageBox(String(Kind.NotFound) + u"\n\r\"" + Text + (Kind.CloseQuote ? u"\"" : u""), kInfoCaption,
                          MB_OK | MB_ICONINFORMATION);
  TMatchAnswer answer = Ask();
  if (answer.Result == mrOk) {
    Text = answer.Text;
    Key = answer.NewEntry ? InsertWithOwnKey(Kind.Table, answer.NewEntryColumns, Kind.KeyColumn) : answer.SelectedID;
    ScratchExecute(Kind.SynonymInsert, {{u"KEY", Variant(Key)}, {u"NAME", Variant(Text)}});
    return true;
  }
  if (answer.Result == mrIgnore && Kind.SkipText) {
    Application->MessageBox(Kind.SkipText, kInfoCaption, MB_OK | MB_ICONINFORMATION);
    Key = Kind.SkipKey ? ScratchQueryValue(Kind.SkipKey).AsInteger() : 0;
    return true;
  }
  return false;
}

namespace {
// A simple dialog made on first need, its memo filled, shown on the association page.
template <class T>
TMatchAnswer AskInReferenceDlg(TTransferForm* Owner, T*& Dialog, const String& Text, const char16_t* NameColumn) {
  if (!Dialog) Dialog = NewForm<T>(Owner);
  Dialog->Memo1->SetText(Text);
  Dialog->PageControl1->SetActivePageIndex(0);
  TMatchAnswer answer;
  answer.Result = Dialog->ShowModal();
  answer.NewEntry = Dialog->PageControl1->ActivePageIndex() == 1;
  answer.SelectedID = Dialog->SelectedID;
  answer.Text = Text;
  answer.NewEntryColumns = {{NameColumn, Variant(Dialog->Memo1->Text())}};
  return answer;
}
}  // namespace

TMatchAnswer TTransferForm::AskCollage(const String& Text) {
  return AskInReferenceDlg(this, CollageDlg, Text, u"NAME");
}
TMatchAnswer TTransferForm::AskKatEdu(const String& Text) {
  return AskInReferenceDlg(this, KatEduDlg, Text, u"M_KATEDUNAME");
}
TMatchAnswer TTransferForm::AskSex(const String& Text) { return AskInReferenceDlg(this, SexDlg, Text, u"NAME"); }

// The dialog opens on the page it showed last; the name box may be edited, and its text is what the
// synonym and a new body record.
TMatchAnswer TTransferForm::AskRayonDep(const String& Text) {
  if (!RayonDepDlg) RayonDepDlg = NewForm<TRayonDepDlg>(this);
  TRayonDepDlg* d = RayonDepDlg;
  d->Label2->SetCaption(Text);
  d->StaticText1->SetCaption(Text);
  d->LabeledEdit1->SetText(Text);
  d->ComboBoxEx1->SetItemIndex(0);
  TMatchAnswer answer;
  answer.Result = d->ShowModal();
  answer.NewEntry = d->PageControl1->ActivePageIndex() == 1;
  answer.SelectedID = d->SelectedID;
  answer.Text = d->LabeledEdit1->Text();
  answer.NewEntryColumns = {{u"PARENT_ID", Variant(d->SelectedID)},
                            {u"M_VIDDEPID", Variant(d->ComboBoxEx1->ItemIndex() + 1)},
                            {u"SHORTNAME", Variant(answer.Text)},
                            {u"LONGNAME", Variant(answer.Text)}};
  return answer;
}
