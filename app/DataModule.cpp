#include "app/DataModule.h"

#include <initializer_list>

#include "app/AppPaths.h"
#include "app/Main.h"
#include "app/ProgramMain.h"
#include "app/SpravForm.h"
#include "app/StatementParts.h"
#include "app/TransferForm.h"
#include "platform/data/FieldTypes.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/String.h"

TDataModule2* DataModule2 = nullptr;

TRENVIK_IMPLEMENT_CLASS(TDataModule2)

namespace {

// Statements are kept as their lines; the server receives them joined by CR LF.
String Lines(std::initializer_list<const char16_t*> lines) {
  String text;
  for (const char16_t* line : lines) {
    if (!text.empty()) text += u"\r\n";
    text += line;
  }
  return text;
}

Byte CurrentRunMode() { return MainForm ? MainForm->RunMode : 0; }

}  // namespace

TDataModule2::TDataModule2(TComponent* AOwner) : TDataModule(AOwner) {
  SetName(u"DataModule2");
  CreateConnection();
  CreateDataSets();
  CreateFields();
  WireEvents();
  OnCreate = [this](TObject* Sender) { DataModuleCreate(Sender); };
}

void TDataModule2::CreateConnection() {
  ADOConnection1 = new TADOConnection(this);
  ADOConnection1->SetName(u"ADOConnection1");
  ADOConnection1->SetConnectionString(u"FILE NAME=D:\\Projects\\Trenvik\\Trenvik.udl");
  ADOConnection1->SetProvider(u"SQLOLEDB.1");
  ADOConnection1->SetMode(cmShareDenyNone);
  ADOConnection1->SetLoginPrompt(true);
}

void TDataModule2::CreateDataSets() {
  auto dataSet = [this](TADODataSet*& Ref, const char16_t* Name, const String& Statement, TCursorType Cursor,
                        TDataSource*& Source, const char16_t* SourceName) {
    Ref = new TADODataSet(this);
    Ref->SetName(Name);
    Ref->SetConnection(ADOConnection1);
    Ref->SetCursorType(Cursor);
    Ref->SetCommandText(Statement);
    Source = new TDataSource(this);
    Source->SetName(SourceName);
    Source->SetDataSet(Ref);
  };
  const String depTree = u"select * from M_RAYON_DEP order by M_VIDDEPID desc ,SHORTNAME";

  dataSet(
      OPEOPLE_LIST, u"OPEOPLE_LIST",
      Lines({u"SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
             u"O_PEOPLE.M_RAYON_DEPID, O_PEOPLE.M_RECORDSTATUSID,",
             u"O_PEOPLE.BIRTHDATE", u"FROM O_PEOPLE   ", u"ORDER BY  O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME"}),
      ctStatic, OPEOPLE_LIST_DS, u"OPEOPLE_LIST_DS");
  OPEOPLE_LIST->SetCommandTimeout(300);
  dataSet(O_PEOPLE, u"O_PEOPLE", Lines({u"select * from O_PEOPLE ", u"where O_PEOPLEID = :O_PEOPLEID"}),
          ctStatic, O_PEOPLE_DS, u"O_PEOPLE_DS");
  O_PEOPLE->Parameters()->ParamByName(u"O_PEOPLEID")->SetDataType(ftInteger);
  dataSet(O_EDU, u"O_EDU",
          Lines({u"select * from O_EDU ", u"where O_PEOPLEID = :O_PEOPLEID", u"order by DATEFINISH desc"}),
          ctStatic, O_EDU_DS, u"O_EDU_DS");
  O_EDU->Parameters()->ParamByName(u"O_PEOPLEID")->SetDataType(ftInteger);
  dataSet(M_DEP, u"M_DEP", depTree, ctStatic, MDEP_DS, u"MDEP_DS");
  dataSet(M_DEP_INFILTER, u"M_DEP_INFILTER", depTree, ctStatic, M_DEP_INFILTER_DS, u"M_DEP_INFILTER_DS");
  dataSet(M_RAYON_DEP, u"M_RAYON_DEP",
          Lines({u"select M_RAYON_DEP.*, dbo.[GetfullParentNameDep](M_RAYON_DEPID,1) as FullDepName ",
                 u"from M_RAYON_DEP ", u"order by M_VIDDEPID desc ,SHORTNAME"}),
          ctStatic, M_RAYON_DEP_DS, u"M_RAYON_DEP_DS");
  dataSet(M_VIDDEP, u"M_VIDDEP", u"select * from M_VIDDEP", ctStatic, M_VIDDEP_DS, u"M_VIDDEP_DS");
  dataSet(M_KAT, u"M_KAT", u"select * from M_KAT order by NAME", ctStatic, M_KAT_DS, u"M_KAT_DS");
  dataSet(M_SEX, u"M_SEX", u"select * from M_SEX order by NAME", ctStatic, M_SEX_DS, u"M_SEX_DS");
  dataSet(M_COLLAGE, u"M_COLLAGE", u"select * from M_COLLAGE order by NAME", ctStatic, M_COLLAGE_DS,
          u"M_COLLAGE_DS");
  M_COLLAGE->SetIndexFieldNames(u"NAME");
  dataSet(M_ASSESS, u"M_ASSESS", u"select * from M_ASSESS order by M_ASSESSID", ctStatic, M_ASSESS_DS,
          u"M_ASSESS_DS");
  dataSet(M_KATEDU, u"M_KATEDU", u"select * from M_KATEDU order by M_KATEDUNAME", ctStatic, M_KATEDU_DS,
          u"M_KATEDU_DS");
  M_KATEDU->SetIndexFieldNames(u"M_KATEDUNAME");

  auto detail = [this, &dataSet](TADODataSet*& Ref, const char16_t* Name, const String& Statement,
                                 TCursorType Cursor, TDataSource*& Source, const char16_t* SourceName,
                                 TDataSource* Master, const char16_t* Param) {
    dataSet(Ref, Name, Statement, Cursor, Source, SourceName);
    Ref->Parameters()->ParamByName(Param)->SetDataType(ftInteger);
    Ref->SetDataSource(Master);
  };
  detail(
      O_COLLAGE_DOGOVOR, u"O_COLLAGE_DOGOVOR",
      Lines({u"select * from O_COLLAGE_DOGOVOR", u"where M_COLLAGEID = :M_COLLAGEID", u"order by DATEBEGIN"}),
      ctKeyset, O_COLLAGE_DOGOVOR_DS, u"O_COLLAGE_DOGOVOR_DS", M_COLLAGE_DS, u"M_COLLAGEID");
  detail(M_KATEDUSYNONYM, u"M_KATEDUSYNONYM",
         Lines({u"select * from M_KATEDUSYNONYM ", u"where M_KATEDUID = :M_KATEDUID", u"order by NAME"}),
         ctKeyset, M_KATEDUSYNONYM_DS, u"M_KATEDUSYNONYM_DS", M_KATEDU_DS, u"M_KATEDUID");
  detail(M_COLLAGESYNONYM, u"M_COLLAGESYNONYM",
         Lines({u"select * from  M_COLLAGESYNONYM", u"where M_COLLAGEID = :M_COLLAGEID", u"order by NAME"}),
         ctKeyset, M_COLLAGESYNONYM_DS, u"M_COLLAGESYNONYM_DS", M_COLLAGE_DS, u"M_COLLAGEID");
  detail(
      M_DEPSYNONYM, u"M_DEPSYNONYM",
      Lines({u"select * from M_DEPSYNONYM ", u"where M_RAYON_DEPID = :M_RAYON_DEPID", u"order by LONGNAME"}),
      ctStatic, M_DEPSYNONYM_DS, u"M_DEPSYNONYM_DS", M_RAYON_DEP_DS, u"M_RAYON_DEPID");
  detail(M_SEXSYNONYM, u"M_SEXSYNONYM",
         Lines({u"select * from  M_SEXSYNONYM", u"where M_SEXID = :M_SEXID", u"order by NAME"}), ctKeyset,
         M_SEXSYNONYM_DS, u"M_SEXSYNONYM_DS", M_SEX_DS, u"M_SEXID");

  dataSet(
      PrintList, u"PrintList",
      Lines({u"SELECT    distinct O_PEOPLE.O_PEOPLEID,O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
             u"O_PEOPLE.BIRTHDATE, O_PEOPLE.AGE, O_PEOPLE.DOLGNAME, ",
             u"                      M_KAT.NAME AS KATNAME, M_SEX.NAME AS SEXNAME, M_RAYON_DEP.M_RAYON_DEPID",
             u"FROM         O_PEOPLE RIGHT OUTER JOIN",
             u"                      O_FILTER ON O_PEOPLE.O_PEOPLEID = O_FILTER.O_PEOPLEID LEFT OUTER JOIN",
             u"                      M_KAT ON O_PEOPLE.M_KATID = M_KAT.M_KATID LEFT OUTER JOIN",
             u"                      M_RAYON_DEP ON O_PEOPLE.M_RAYON_DEPID = M_RAYON_DEP.M_RAYON_DEPID "
             u"LEFT OUTER JOIN",
             u"                      M_SEX ON O_PEOPLE.M_SEXID = M_SEX.M_SEXID",
             u"WHERE     (O_FILTER.[USER] = :USER_NAME)"}),
      ctKeyset, PrintList_DS, u"PrintList_DS");
  {
    TParameter* p = PrintList->Parameters()->ParamByName(u"USER_NAME");
    p->SetDataType(ftWideString);
    p->SetSize(50);
  }
  dataSet(BUFFER, u"BUFFER", Lines({u"select * from BUFFER", u"where [USER] = :U ", u"order by N"}), ctStatic,
          BUFFER_DS, u"BUFFER_DS");
  {
    TParameter* p = BUFFER->Parameters()->ParamByName(u"U");
    p->SetDataType(ftWideString);
    p->SetSize(50);
  }
  dataSet(Doubles, u"Doubles", Lines({u"SELECT     *", u"FROM         DoubleFioView", u"ORDER BY kol DESC"}),
          ctStatic, Doubles_DS, u"Doubles_DS");

  DataSetProvider1 = new TDataSetProvider(this);
  DataSetProvider1->SetName(u"DataSetProvider1");
  DataSetProvider1->SetDataSet(OPEOPLE_LIST);
  DataSetProvider1->SetOptions(TProviderOptions{poIncFieldProps, poReadOnly});
  PeopleSeek = new TClientDataSet(this);
  PeopleSeek->SetName(u"PeopleSeek");
  PeopleSeek->IndexDefs()->Add(u"PeopleSeekIndex1", u"FSTNAME", TIndexOptions{});
  PeopleSeek->SetIndexName(u"PeopleSeekIndex1");
  PeopleSeek->SetProviderName(u"DataSetProvider1");
  PeopleSeek_DS = new TDataSource(this);
  PeopleSeek_DS->SetName(u"PeopleSeek_DS");
  PeopleSeek_DS->SetDataSet(PeopleSeek);

  Q = new TADOQuery(this);
  Q->SetName(u"Q");
  Q->SetConnection(ADOConnection1);
  ADOCommand1 = new TADOCommand(this);
  ADOCommand1->SetName(u"ADOCommand1");
  ADOCommand1->SetConnection(ADOConnection1);
  GetFullParentName = new TADOStoredProc(this);
  GetFullParentName->SetName(u"GetFullParentName");
  GetFullParentName->SetConnection(ADOConnection1);
  GetFullParentName->SetProcedureName(u"GetfullParentNameDep");
  GetFullParentName->Parameters()->CreateParameter(u"@RETURN_VALUE", ftWideString, pdReturnValue, 4000,
                                                   Null());
  GetFullParentName->Parameters()->CreateParameter(u"@_inputid", ftInteger, pdInput, 0, Null());
  GetFullParentName->Parameters()->CreateParameter(u"@displayitself", ftBoolean, pdInput, 0, Null());
}

namespace {

template <class T>
T* AddField(TComponent* Owner, TDataSet* DataSet, const char16_t* Name, int Size = 0,
            const char16_t* Label = nullptr) {
  T* f = new T(Owner);
  f->SetName(DataSet->Name() + Name);
  f->SetFieldName(Name);
  if (Size) f->SetSize(Size);
  if (Label) f->SetDisplayLabel(Label);
  f->SetDataSet(DataSet);
  return f;
}

void AddKey(TComponent* Owner, TDataSet* DataSet, const char16_t* Name, const char16_t* Label = nullptr) {
  AddField<TAutoIncField>(Owner, DataSet, Name, 0, Label)->SetReadOnly(true);
}

void AddCalc(TComponent* Owner, TDataSet* DataSet, const char16_t* Name, const char16_t* Label = nullptr) {
  auto* f = new TWideStringField(Owner);
  f->SetName(DataSet->Name() + Name);
  f->SetFieldName(Name);
  f->SetFieldKind(fkCalculated);
  f->SetSize(254);
  if (Label) f->SetDisplayLabel(Label);
  f->SetDataSet(DataSet);
}

void AddLookup(TComponent* Owner, TDataSet* DataSet, const char16_t* Name, const char16_t* KeyField,
               TDataSet* LookupDataSet, const char16_t* ResultField, int Size, const char16_t* Label) {
  auto* f = new TWideStringField(Owner);
  f->SetName(DataSet->Name() + Name);
  f->SetFieldName(Name);
  f->SetFieldKind(fkLookup);
  f->SetSize(Size);
  f->SetDisplayLabel(Label);
  f->SetKeyFields(KeyField);
  f->SetLookupDataSet(LookupDataSet);
  f->SetLookupKeyFields(KeyField);
  f->SetLookupResultField(ResultField);
  f->SetDataSet(DataSet);
}

void AddSynonymFields(TComponent* Owner, TDataSet* DataSet, const char16_t* Key, const char16_t* OwnerKey,
                      const char16_t* NameField, int Size, const char16_t* Label) {
  AddField<TGuidField>(Owner, DataSet, Key, 38)->SetVisible(false);
  AddField<TIntegerField>(Owner, DataSet, OwnerKey)->SetVisible(false);
  AddField<TWideStringField>(Owner, DataSet, NameField, Size, Label);
}

}  // namespace

void TDataModule2::CreateFields() {
  using W = TWideStringField;
  using I = TIntegerField;
  using D = TDateTimeField;

  AddKey(this, OPEOPLE_LIST, u"O_PEOPLEID", u"ID(служ.)");
  AddField<W>(this, OPEOPLE_LIST, u"FSTNAME", 50, u"фамилия");
  AddField<W>(this, OPEOPLE_LIST, u"SECNAME", 50, u"имя");
  AddField<W>(this, OPEOPLE_LIST, u"LASTNAME", 50, u"отчество");
  AddField<I>(this, OPEOPLE_LIST, u"M_RAYON_DEPID");
  AddField<I>(this, OPEOPLE_LIST, u"M_RecordStatusID");
  AddField<D>(this, OPEOPLE_LIST, u"BIRTHDATE", 0, u"дата рожд.");

  AddKey(this, O_PEOPLE, u"O_PEOPLEID");
  AddField<I>(this, O_PEOPLE, u"M_RAYON_DEPID");
  AddField<I>(this, O_PEOPLE, u"M_KATID");
  AddField<I>(this, O_PEOPLE, u"M_SEXID", 0, u"пол");
  AddField<W>(this, O_PEOPLE, u"FSTNAME", 50, u"фамилия");
  AddField<W>(this, O_PEOPLE, u"SECNAME", 50, u"имя");
  AddField<W>(this, O_PEOPLE, u"LASTNAME", 50, u"отчество");
  AddField<D>(this, O_PEOPLE, u"BIRTHDATE", 0, u"дата рождения");
  AddField<I>(this, O_PEOPLE, u"AGE", 0, u"возраст, лет");
  AddField<I>(this, O_PEOPLE, u"M_RecordStatusID");
  AddField<W>(this, O_PEOPLE, u"DOLGNAME", 254, u"замещаемая должность");
  AddLookup(this, O_PEOPLE, u"MKATNAME", u"M_KATID", M_KAT, u"NAME", 100, u"категория служащего");
  AddCalc(this, O_PEOPLE, u"R_NAME");
  AddCalc(this, O_PEOPLE, u"D_NAME");

  AddKey(this, O_EDU, u"O_EDUID");
  for (const char16_t* name :
       {u"O_PEOPLEID", u"M_COLLAGEID", u"M_KATEDUID", u"M_ASSESSID", u"M_RecordStatusID"})
    AddField<I>(this, O_EDU, name);
  AddField<D>(this, O_EDU, u"DATEFINISH", 0, u"дата окончания");
  AddField<W>(this, O_EDU, u"PROGNAME", 254, u"программа обучения");
  AddField<W>(this, O_EDU, u"PLANNAME", 254, u"план обучения");
  AddField<W>(this, O_EDU, u"NOTE", 254, u"примечание");
  AddLookup(this, O_EDU, u"COLLAGENAME", u"M_COLLAGEID", M_COLLAGE, u"NAME", 254,
            u"образовательное учреждение");
  AddLookup(this, O_EDU, u"AssessName", u"M_ASSESSID", M_ASSESS, u"M_ASSESSNAME", 50, u"итоговая оценка");
  AddLookup(this, O_EDU, u"KatEduName", u"M_KATEDUID", M_KATEDU, u"M_KATEDUNAME", 50, u"вид обучения");

  AddKey(this, M_DEP, u"M_RAYON_DEPID");
  AddField<I>(this, M_DEP, u"M_VIDDEPID");
  AddField<I>(this, M_DEP, u"PARENT_ID");
  AddField<W>(this, M_DEP, u"SHORTNAME", 150, u"краткое наименование");
  AddField<W>(this, M_DEP, u"LONGNAME", 254, u"полное наименование");
  AddLookup(this, M_DEP, u"M_VIDDEP_NAME", u"M_VIDDEPID", M_VIDDEP, u"NAME", 100, u"вид узла");

  AddKey(this, M_KAT, u"M_KATID");
  AddField<W>(this, M_KAT, u"NAME", 100);
  AddField<I>(this, M_SEX, u"M_SEXID");
  AddField<W>(this, M_SEX, u"NAME", 10, u"наименование");

  AddKey(this, PrintList, u"O_PEOPLEID");
  AddField<W>(this, PrintList, u"FSTNAME", 50, u"фамилия");
  AddField<W>(this, PrintList, u"SECNAME", 50, u"имя");
  AddField<W>(this, PrintList, u"LASTNAME", 50, u"отчество");
  AddField<W>(this, PrintList, u"SEXNAME", 10, u"пол");
  AddField<D>(this, PrintList, u"BIRTHDATE", 0, u"дата рожд.");
  AddField<I>(this, PrintList, u"AGE", 0, u"возраст, лет")->SetReadOnly(true);
  AddField<W>(this, PrintList, u"DOLGNAME", 254, u"замещ. должность");
  AddField<W>(this, PrintList, u"KATNAME", 100, u"категория служащего");
  AddKey(this, PrintList, u"M_RAYON_DEPID");
  AddCalc(this, PrintList, u"R_NAME", u"место дислокации");
  AddCalc(this, PrintList, u"D_NAME", u"место работы");

  AddField<I>(this, BUFFER, u"N", 0, u"№");
  AddField<W>(this, BUFFER, u"FSTNAME", 50, u"фамилия");
  AddField<W>(this, BUFFER, u"SECNAME", 50, u"имя");
  AddField<W>(this, BUFFER, u"LASTNAME", 50, u"отчество");
  AddField<D>(this, BUFFER, u"BIRTHDATE", 0, u"дата рожд.");
  AddField<W>(this, BUFFER, u"DOLGNAME", 254, u"должность");
  AddField<W>(this, BUFFER, u"DEPNAME", 254, u"место работы");
  AddField<W>(this, BUFFER, u"VIDEDUNAME", 254, u"вид повыш. квал.");
  AddField<D>(this, BUFFER, u"DATEFINISH", 0, u"дата окончания");
  AddField<W>(this, BUFFER, u"NOTE", 50, u"примеч.");
  AddField<TGuidField>(this, BUFFER, u"BUFFERID", 38);
  AddField<W>(this, BUFFER, u"USER", 50);
  AddField<W>(this, BUFFER, u"COLLAGE_NAME", 254);
  AddField<W>(this, BUFFER, u"PROGNAME", 254, u"Программа обучения");
  AddField<W>(this, BUFFER, u"SEX", 50, u"пол");

  AddField<I>(this, PeopleSeek, u"O_PEOPLEID");
  AddField<W>(this, PeopleSeek, u"FSTNAME", 50, u"фамилия");
  AddField<W>(this, PeopleSeek, u"SECNAME", 50, u"имя");
  AddField<W>(this, PeopleSeek, u"LASTNAME", 50, u"отчество");
  AddField<D>(this, PeopleSeek, u"BIRTHDATE", 0, u"дата рожд.");

  AddSynonymFields(this, M_KATEDUSYNONYM, u"M_KATEDUSYNONYMID", u"M_KATEDUID", u"NAME", 50, u"Наименование");
  AddSynonymFields(this, M_COLLAGESYNONYM, u"M_COLLAGESYNONYMID", u"M_COLLAGEID", u"NAME", 254,
                   u"наименование");
  AddSynonymFields(this, M_DEPSYNONYM, u"M_DEPSYNONYMID", u"M_RAYON_DEPID", u"LONGNAME", 1024,
                   u"наименование");
  AddSynonymFields(this, M_SEXSYNONYM, u"M_SEXSYNONYMID", u"M_SEXID", u"NAME", 50, u"наименование");

  AddField<W>(this, Doubles, u"FSTNAME", 50, u"фамилия");
  AddField<W>(this, Doubles, u"SECNAME", 50, u"имя");
  AddField<W>(this, Doubles, u"LASTNAME", 50, u"отчество");
  AddField<I>(this, Doubles, u"kol", 0, u"кол-во совпадений");
}

void TDataModule2::WireEvents() {
  ADOConnection1->AfterConnect = [this](TObject* s) { ADOConnection1AfterConnect(s); };
  O_PEOPLE->BeforeOpen = [this](TDataSet* d) { O_PEOPLEBeforeOpen(d); };
  O_PEOPLE->OnCalcFields = [this](TDataSet* d) { O_PEOPLECalcFields(d); };
  O_EDU->OnNewRecord = [this](TDataSet* d) { O_EDUNewRecord(d); };
  OPEOPLE_LIST->AfterOpen = [this](TDataSet* d) { OPEOPLE_LISTAfterOpen(d); };
  OPEOPLE_LIST->OnNewRecord = [this](TDataSet* d) { OPEOPLE_LISTNewRecord(d); };
  OPEOPLE_LIST->AfterInsert = [this](TDataSet* d) { OPEOPLE_LISTAfterInsert(d); };
  M_DEP->OnNewRecord = [this](TDataSet* d) { M_DEPNewRecord(d); };
  M_DEP->AfterScroll = [this](TDataSet* d) { M_DEPAfterScroll(d); };
  PrintList->BeforeOpen = [this](TDataSet* d) { PrintListBeforeOpen(d); };
  PrintList->OnCalcFields = [this](TDataSet* d) { PrintListCalcFields(d); };
  BUFFER->BeforeOpen = [this](TDataSet* d) { BUFFERBeforeOpen(d); };
  BUFFER->AfterOpen = [this](TDataSet* d) { BUFFERAfterOpen(d); };
}

void TDataModule2::DataModuleCreate(TObject*) {
  BaseSelect.clear();
  BaseWhere.clear();
  BaseOrderBy.clear();
  ADOConnection1->SetConnected(false);
  // The statement's parts are plain text: cut them in either mode, so that the filter works in
  // periphery installations too.
  TStatementParts parts = SplitStatement(OPEOPLE_LIST->CommandText());
  BaseSelect = parts.Select;
  BaseWhere = parts.Where;
  BaseOrderBy = parts.OrderBy;
  if (CurrentRunMode() != 0) return;

  ADOConnection1->SetConnectionString(u"FILE NAME=" + ProgramFolder() + u"Trenvik.udl");
  String reason;
  try {
    ADOConnection1->SetConnected(true);
    ADOConnection1->SetLoginPrompt(false);
    // Per-user rows (staging, print list) need a login; a connection without one is refused.
    if (UserName.empty()) throw EDatabaseError("The connection names no user");
    return;
  } catch (const Exception& e) {
    reason = e.Message();
  } catch (const std::exception& e) {
    reason = Utf8ToString(e.what());
  } catch (...) {
    reason = u"an unknown error";
  }
  ADOConnection1->SetConnected(false);
  Application->MessageBox(kConnectErrorText, kCancelCaption, MB_OK | MB_ICONERROR);
  EndProgramWithError(u"cannot connect to the database: " + reason);
}

void TDataModule2::ADOConnection1AfterConnect(TObject*) {
  // The login as the provider reports it; the first connection that names one sets it for the run.
  if (UserName.empty()) UserName = ConnectionUserName(ADOConnection1->ConnectionString());
}

void TDataModule2::O_PEOPLEBeforeOpen(TDataSet*) {
  if (!M_DEP->Active()) M_DEP->Open();
}

void TDataModule2::CalcPlaceOfWork(TDataSet* DataSet, const char16_t* NameColumn) {
  Q->Close();
  Q->SQL()->SetText(String(u" select M_VIDDEPID,") + NameColumn +
                    u",[dbo].[GetfullParentNameDep] (M_RAYON_DEPID,0),[dbo].[GetfullParentNameDep] "
                    u"(M_RAYON_DEPID,1) from M_RAYON_DEP  where M_RAYON_DEPID = :M_RAYON_DEPID ");
  Q->Parameters()->ParamByName(u"M_RAYON_DEPID")->SetValue(DataSet->FieldByName(u"M_RAYON_DEPID")->Value());
  Q->Open();
  if (!Q->Eof()) {
    const TFields& f = *Q->Fields();
    TField* dName = DataSet->FieldByName(u"D_NAME");
    TField* rName = DataSet->FieldByName(u"R_NAME");
    switch (f[0]->AsInteger()) {
      case 1:
      case 2:
        dName->SetAsString(f[1]->AsString());
        rName->SetAsString(f[2]->AsString());
        break;
      case 3:
        dName->SetAsString(String());
        rName->SetAsString(f[3]->AsString());
        break;
      case 4:
        dName->SetAsString(String());
        rName->SetAsString(String());
        break;
      default:
        break;
    }
  }
  Q->Close();
}

void TDataModule2::O_PEOPLECalcFields(TDataSet* DataSet) { CalcPlaceOfWork(DataSet, u"SHORTNAME"); }

void TDataModule2::PrintListCalcFields(TDataSet* DataSet) { CalcPlaceOfWork(DataSet, u"LONGNAME"); }

void TDataModule2::OPEOPLE_LISTAfterOpen(TDataSet*) {
  Q->Close();
  Q->SQL()->Clear();
  Q->SQL()->SetText(u" select count(*) from O_PEOPLE ");
  Q->Open();
  if (MainForm) MainForm->SetStatusText(1, u"Всего записей - " + Q->Fields()->Fields(0)->AsString());
  Q->Close();
}

void TDataModule2::OPEOPLE_LISTNewRecord(TDataSet* DataSet) {
  DataSet->FieldByName(u"M_RAYON_DEPID")->SetValue(Variant(0));
}

void TDataModule2::OPEOPLE_LISTAfterInsert(TDataSet* DataSet) {
  if (CurrentRunMode() == 1) DataSet->FieldByName(u"M_RecordStatusID")->SetValue(Variant(1));
}

void TDataModule2::O_EDUNewRecord(TDataSet* DataSet) {
  if (CurrentRunMode() == 1) DataSet->FieldByName(u"M_RecordStatusID")->SetValue(Variant(1));
  const Variant person = O_PEOPLE->FieldByName(u"O_PEOPLEID")->Value();
  if (VarIsNull(person)) {
    DataSet->Cancel();
    Application->MessageBox(kEduNeedsCardText, kCancelCaption, MB_OK | MB_ICONERROR);
    return;
  }
  DataSet->FieldByName(u"O_PEOPLEID")->SetValue(person);
}

void TDataModule2::M_DEPNewRecord(TDataSet* DataSet) {
  DataSet->FieldByName(u"PARENT_ID")->SetValue(NewNodeParentId);
}

void TDataModule2::M_DEPAfterScroll(TDataSet* DataSet) {
  if (SpravForm) EnableNodeActionsForKind(SpravForm, DataSet->FieldByName(u"M_VIDDEPID")->AsInteger());
}

void TDataModule2::PrintListBeforeOpen(TDataSet*) {
  PrintList->Parameters()->ParamByName(u"USER_NAME")->SetValue(Variant(UserName));
}

void TDataModule2::BUFFERBeforeOpen(TDataSet*) {
  BUFFER->Parameters()->ParamByName(u"U")->SetValue(Variant(UserName));
}

// The staging rows are opened only by the import window, which shows how many the user has.
void TDataModule2::BUFFERAfterOpen(TDataSet* DataSet) {
  if (!TransferForm) return;
  TransferForm->BufferCount = DataSet->RecordCount();
  TransferForm->ShowBufferCount();
}
