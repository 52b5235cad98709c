// The person of a staged row: found exactly or through the names recorded earlier, else picked or
// made by the user, whose answer is recorded as a new synonym.
#include "app/DataModule.h"
#include "app/ImportMatch.h"
#include "app/ScratchStatements.h"
#include "app/PeopleDlg.h"
#include "app/PeopleJoin.h"
#include "app/TransferForm.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

namespace {
struct TStagedNames {
  const String& Surname;
  const String& FirstName;
  const String& Patronymic;
};

// A missing name and an empty one are the same name, as are a missing birth date and day 0. A
// given name is compared with the column itself, so that the name index finds the person among a
// million cards instead of reading them all.
String PersonCondition(const char16_t* Table, bool IgnoreCase, const TStagedNames& Names, TDateTime BirthDate) {
  auto name = [&](const char16_t* column, const String& value) {
    const String param = u":" + String(column);
    if (value.empty()) return u"(" + String(column) + u" is null or " + column + u" = " + param + u")";
    return IgnoreCase ? u"Upper(" + String(column) + u") = Upper(" + param + u")" : column + (u" = " + param);
  };
  return u" select O_PEOPLEID from " + String(Table) + u"  where " + name(u"FSTNAME", Names.Surname) + u" and " +
         name(u"SECNAME", Names.FirstName) + u" and " + name(u"LASTNAME", Names.Patronymic) +
         (BirthDate == 0 ? u" and (BIRTHDATE is null or BIRTHDATE = :BIRTHDATE) " : u" and BIRTHDATE = :BIRTHDATE ");
}
}  // namespace

bool TTransferForm::MatchPerson() {
  TDataSet* buffer = DataModule2->BUFFER;
  Surname = buffer->FieldByName(u"FSTNAME")->AsString();
  FirstName = buffer->FieldByName(u"SECNAME")->AsString();
  Patronymic = buffer->FieldByName(u"LASTNAME")->AsString();
  TField* birth = buffer->FieldByName(u"BIRTHDATE");
  BirthDate = birth->IsNull() ? TDateTime(0) : birth->AsDateTime();
  const TScratchParams person{{u"FSTNAME", Variant(Surname)},
                             {u"SECNAME", Variant(FirstName)},
                             {u"LASTNAME", Variant(Patronymic)},
                             {u"BIRTHDATE", VarFromDateTime(BirthDate)}};
  // Found exactly: the card stays as it is.
  const TStagedNames names{Surname, FirstName, Patronymic};
  Variant found = ScratchQueryValue(PersonCondition(u"O_PEOPLE", false, names, BirthDate), person);
  if (!VarIsNull(found)) {
    PeopleKey = found.AsInteger();
    return true;
  }
  SexText = buffer->FieldByName(u"SEX")->AsString();
  if (!MatchReference(kSexKind, SexText, SexKey, [this] { return AskSex(SexText); })) return false;
  found = ScratchQueryValue(PersonCondition(u"O_PEOPLESYNONYM", true, names, BirthDate), person);
  if (VarIsNull(found)) return AskPerson();
  // Known under another written form: the staged sex and position are newer; the staged birth
  // date only fills a missing one.
  PeopleKey = found.AsInteger();
  ScratchExecute(u" update O_PEOPLE set M_SEXID = :M_SEXID,DOLGNAME = :DOLGNAME  where O_PEOPLEID = :O_PEOPLEID ",
                {{u"M_SEXID", Variant(SexKey)},
                 {u"DOLGNAME", Variant(buffer->FieldByName(u"DOLGNAME")->AsString())},
                 {u"O_PEOPLEID", Variant(PeopleKey)}});
  if (BirthDate >= 1)
    ScratchExecute(u" update O_PEOPLE set BIRTHDATE = :BIRTHDATE where O_PEOPLEID = :O_PEOPLEID  and ((BIRTHDATE = "
                  u":NOBIRTHDATE)or(BIRTHDATE is null)) ",
                  {{u"BIRTHDATE", VarFromDateTime(BirthDate)},
                   {u"O_PEOPLEID", Variant(PeopleKey)},
                   {u"NOBIRTHDATE", VarFromDateTime(0)}});
  return true;
}

bool TTransferForm::AskPerson() {
  TDataSet* buffer = DataModule2->BUFFER;
  Application->MessageBox(u"В картотеке не зарегистрирован\n\r" + AnsiUpperCase(Surname) + u" " +
                              AnsiUpperCase(FirstName) + u" " + AnsiUpperCase(Patronymic),
                          kInfoCaption, MB_OK | MB_ICONINFORMATION);
  if (!PeopleDlg) PeopleDlg = NewForm<TPeopleDlg>(this);
  TPeopleDlg* d = PeopleDlg;
  const String position = buffer->FieldByName(u"DOLGNAME")->AsString();
  d->PageControl1->SetActivePageIndex(0);
  d->LabeledEdit1->SetText(Surname);
  d->LabeledEdit2->SetText(FirstName);
  d->LabeledEdit3->SetText(Patronymic);
  d->LabeledEdit4->SetText(Surname);
  d->LabeledEdit5->SetText(position);
  d->DateTimePicker1->SetDateTime(BirthDate);
  d->SetSexKey(SexKey);
  d->Label4->SetCaption(DataModule2->ADOConnection1->DbConnection()
                            .CallFunction(u"GetfullParentNameDep", {Variant(DepKey), Variant(true)})
                            .AsString());
  d->Label5->SetCaption(Trim(FirstName));
  d->Label6->SetCaption(Trim(Patronymic));
  d->SeekSurname(Surname);
  // Skip does not skip the row: the person is needed for its training record.
  if (d->ShowModal() != mrOk) return false;
  if (d->PageControl1->ActivePageIndex() == 1) {
    PeopleKey = InsertWithOwnKey(u"O_PEOPLE",
                                {{u"FSTNAME", Variant(d->LabeledEdit1->Text())},
                                 {u"SECNAME", Variant(d->LabeledEdit2->Text())},
                                 {u"LASTNAME", Variant(d->LabeledEdit3->Text())},
                                 {u"BIRTHDATE", VarFromDateTime(d->DateTimePicker1->Date())},
                                 {u"M_SEXID", Variant(d->SexKey())},
                                 {u"M_KATID", d->KatKey()},
                                 {u"M_RAYON_DEPID", Variant(DepKey)},
                                 {u"DOLGNAME", Variant(position)}},
                                u"O_PEOPLEID");
  } else {
    PeopleKey = d->SelectedID;
    CopyStagedValues();
  }
  RecordStagedNames();
  return true;
}

// The staged row beside the chosen card; the ticked values go onto the card.
void TTransferForm::CopyStagedValues() {
  TDataSet* buffer = DataModule2->BUFFER;
  auto* copy = NewForm<TPeopleJoinForm>(this);
  TScopeExit freeCopy([copy] { delete copy; });
  copy->ReduceForCopy();
  const String position = buffer->FieldByName(u"DOLGNAME")->AsString();
  const Variant sexName = ScratchQueryValue(u" select M_SEX.NAME from M_SEX where M_SEX.M_SEXID = :M_SEXID ",
                                           {{u"M_SEXID", Variant(SexKey)}});
  TPeopleJoinForm::ShowValues(copy->ListView1, {Surname, FirstName, Patronymic, DateToStr(BirthDate),
                                                VarIsNull(sexName) ? String() : sexName.AsString(), position});
  TPeopleJoinForm::ShowValues(
      copy->ListView2,
      ScratchQueryRow(u" select p.FSTNAME,p.SECNAME,p.LASTNAME,p.BIRTHDATE,M_SEX.NAME as SEXNAME,p.DOLGNAME  from "
                     u"O_PEOPLE p  left outer join M_SEX on M_SEX.M_SEXID = p.M_SEXID  where p.O_PEOPLEID = " +
                     IntToStr(PeopleKey)));
  if (copy->ShowModal() != mrOk) return;
  const std::pair<const char16_t*, Variant> values[] = {
      {u"FSTNAME", Variant(Surname)},          {u"SECNAME", Variant(FirstName)}, {u"LASTNAME", Variant(Patronymic)},
      {u"BIRTHDATE", VarFromDateTime(BirthDate)}, {u"M_SEXID", Variant(SexKey)},   {u"DOLGNAME", Variant(position)}};
  for (int row = 0; row < static_cast<int>(std::size(values)); ++row) {
    if (!copy->ListView1->Items()->Item(row)->Checked()) continue;
    const auto& [column, value] = values[row];
    ScratchExecute(u" update O_PEOPLE set " + String(column) + u" = :" + String(column) +
                      u" where O_PEOPLEID = :O_PEOPLEID ",
                  {{column, value}, {u"O_PEOPLEID", Variant(PeopleKey)}});
  }
}

void TTransferForm::RecordStagedNames() {
  ScratchExecute(u" insert into O_PEOPLESYNONYM (O_PEOPLEID,FSTNAME,SECNAME,LASTNAME,BIRTHDATE)  "
                u"values(:O_PEOPLEID,:FSTNAME,:SECNAME,:LASTNAME,:BIRTHDATE) ",
                {{u"O_PEOPLEID", Variant(PeopleKey)},
                 {u"FSTNAME", Variant(Surname)},
                 {u"SECNAME", Variant(FirstName)},
                 {u"LASTNAME", Variant(Patronymic)},
                 {u"BIRTHDATE", VarFromDateTime(BirthDate)}});
}
