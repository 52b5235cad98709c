// The data module against a real demo database: the datasets with their statements and fields,
// the centre and periphery connections, calculated place of work, new-record rules, the count.
#include "app/tests/AppTestSupport.h"

namespace {

class DataModuleTest : public AppTest {
 protected:
  // The main window in the given mode (its status bar receives the count), then the data module.
  void Create(Byte Mode) {
    WriteIni(("[Application]\nMode=" + std::to_string(Mode) + "\n").c_str());
    CreateWindows();
    ASSERT_EQ(MainForm->RunMode, Mode);
  }
  TDataModule2* dm() { return DataModule2; }
  void Exec(const char* Sql) { dm()->ADOConnection1->Execute(Utf8ToString(Sql)); }
  int Int(const char* Sql) { return std::stoi(Scalar(Sql)); }
};

TEST_F(DataModuleTest, CentreModeConnectsThroughTheProgramsDataLinkFile) {
  MakeDatabase();
  std::vector<std::string> prompts;
  SetLoginDialogProc([&](const String&, String& User, String&) {
    prompts.push_back(StringToUtf8(User));
    User = u"ivanov";
    return true;
  });
  Create(0);
  EXPECT_TRUE(boxes.empty());
  // The program's data module is one of the screen's.
  ASSERT_EQ(Screen->DataModuleCount(), 1);
  EXPECT_EQ(Screen->DataModules(0), dm());
  EXPECT_TRUE(dm()->ADOConnection1->Connected());
  EXPECT_EQ(prompts, std::vector<std::string>{"tester"});  // the dialog, prefilled from the file
  EXPECT_EQ(Text(dm()->UserName), "ivanov");
  EXPECT_FALSE(dm()->ADOConnection1->LoginPrompt());  // later reconnections are silent
  dm()->ADOConnection1->Close();
  dm()->OPEOPLE_LIST->Open();
  EXPECT_EQ(prompts.size(), 1u);
  EXPECT_EQ(
      Text(dm()->BaseSelect),
      "SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
      "O_PEOPLE.M_RAYON_DEPID, O_PEOPLE.M_RECORDSTATUSID,\r\nO_PEOPLE.BIRTHDATE\r\nFROM O_PEOPLE   \r\n");
  EXPECT_EQ(Text(dm()->BaseWhere), "");
  EXPECT_EQ(Text(dm()->BaseOrderBy), "  O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME");
}

TEST_F(DataModuleTest, EveryDataSetOpensWithItsStatementAndFields) {
  MakeDatabase(60);
  Create(0);
  // Staging and print rows of this user, and synonyms, so that every list has something to show.
  Exec("insert into O_FILTER ([USER], O_PEOPLEID) values ('tester', 1)");
  Exec("insert into BUFFER (N, [USER], FSTNAME) values (1, 'tester', 'Иванов')");
  Exec("insert into M_SEXSYNONYM (M_SEXID, NAME) select M_SEXID, 'сокр.' from M_SEX");
  Exec(
      "insert into O_PEOPLE (FSTNAME, SECNAME, LASTNAME) select FSTNAME, SECNAME, LASTNAME from O_PEOPLE "
      "where O_PEOPLEID = 1");
  dm()->O_PEOPLE->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(1));
  dm()->O_EDU->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(1));

  struct Expect {
    TDataSet* DataSet;
    std::vector<const char*> Fields;  // persistent fields, in order; empty: fields of the result
  };
  const std::vector<Expect> sets = {
      {dm()->OPEOPLE_LIST,
       {"O_PEOPLEID", "FSTNAME", "SECNAME", "LASTNAME", "M_RAYON_DEPID", "M_RecordStatusID", "BIRTHDATE"}},
      {dm()->M_KAT, {"M_KATID", "NAME"}},
      {dm()->M_SEX, {"M_SEXID", "NAME"}},
      {dm()->M_VIDDEP, {}},
      {dm()->M_COLLAGE, {}},
      {dm()->M_ASSESS, {}},
      {dm()->M_KATEDU, {}},
      {dm()->M_RAYON_DEP, {}},
      {dm()->M_DEP_INFILTER, {}},
      {dm()->O_PEOPLE,
       {"O_PEOPLEID", "M_RAYON_DEPID", "M_KATID", "M_SEXID", "FSTNAME", "SECNAME", "LASTNAME", "BIRTHDATE",
        "AGE", "M_RecordStatusID", "DOLGNAME", "MKATNAME", "R_NAME", "D_NAME"}},
      {dm()->M_DEP, {"M_RAYON_DEPID", "M_VIDDEPID", "PARENT_ID", "SHORTNAME", "LONGNAME", "M_VIDDEP_NAME"}},
      {dm()->O_EDU,
       {"O_EDUID", "O_PEOPLEID", "M_COLLAGEID", "M_KATEDUID", "M_ASSESSID", "M_RecordStatusID", "DATEFINISH",
        "PROGNAME", "PLANNAME", "NOTE", "COLLAGENAME", "AssessName", "KatEduName"}},
      {dm()->O_COLLAGE_DOGOVOR, {}},
      {dm()->M_KATEDUSYNONYM, {"M_KATEDUSYNONYMID", "M_KATEDUID", "NAME"}},
      {dm()->M_COLLAGESYNONYM, {"M_COLLAGESYNONYMID", "M_COLLAGEID", "NAME"}},
      {dm()->M_DEPSYNONYM, {"M_DEPSYNONYMID", "M_RAYON_DEPID", "LONGNAME"}},
      {dm()->M_SEXSYNONYM, {"M_SEXSYNONYMID", "M_SEXID", "NAME"}},
      {dm()->PrintList,
       {"O_PEOPLEID", "FSTNAME", "SECNAME", "LASTNAME", "SEXNAME", "BIRTHDATE", "AGE", "DOLGNAME", "KATNAME",
        "M_RAYON_DEPID", "R_NAME", "D_NAME"}},
      {dm()->BUFFER,
       {"N", "FSTNAME", "SECNAME", "LASTNAME", "BIRTHDATE", "DOLGNAME", "DEPNAME", "VIDEDUNAME", "DATEFINISH",
        "NOTE", "BUFFERID", "USER", "COLLAGE_NAME", "PROGNAME", "SEX"}},
      {dm()->Doubles, {"FSTNAME", "SECNAME", "LASTNAME", "kol"}},
      {dm()->PeopleSeek, {"O_PEOPLEID", "FSTNAME", "SECNAME", "LASTNAME", "BIRTHDATE"}},
  };
  for (const Expect& e : sets) {
    SCOPED_TRACE(Text(e.DataSet->Name()));
    ASSERT_NO_THROW(e.DataSet->Open());
    EXPECT_TRUE(e.DataSet->Active());
    if (!e.Fields.empty()) {
      ASSERT_EQ(e.DataSet->Fields()->Count(), static_cast<int>(e.Fields.size()));
      for (size_t i = 0; i < e.Fields.size(); ++i)
        EXPECT_EQ(Text(e.DataSet->Fields()->Fields(static_cast<int>(i))->FieldName()), e.Fields[i]);
    }
  }
  // Lists of the demo data hold rows; the details follow their masters.
  for (TDataSet* ds : {(TDataSet*)dm()->OPEOPLE_LIST, (TDataSet*)dm()->M_KAT, (TDataSet*)dm()->M_DEP,
                       (TDataSet*)dm()->PrintList, (TDataSet*)dm()->BUFFER, (TDataSet*)dm()->PeopleSeek,
                       (TDataSet*)dm()->Doubles, (TDataSet*)dm()->M_SEXSYNONYM, (TDataSet*)dm()->O_PEOPLE})
    EXPECT_GT(ds->RecordCount(), 0) << Text(ds->Name());
  EXPECT_EQ(dm()->OPEOPLE_LIST->RecordCount(), 61);
  EXPECT_EQ(dm()->PeopleSeek->RecordCount(), 61);
  EXPECT_GE(dm()->Doubles->FieldByName(u"kol")->AsInteger(), 2);
  // Labels the grids and inspectors show.
  EXPECT_EQ(Text(dm()->OPEOPLE_LIST->FieldByName(u"O_PEOPLEID")->DisplayLabel()), "ID(служ.)");
  EXPECT_EQ(Text(dm()->O_PEOPLE->FieldByName(u"DOLGNAME")->DisplayLabel()), "замещаемая должность");
  EXPECT_EQ(Text(dm()->PrintList->FieldByName(u"R_NAME")->DisplayLabel()), "место дислокации");
  EXPECT_EQ(Text(dm()->M_KATEDUSYNONYM->FieldByName(u"NAME")->DisplayLabel()), "Наименование");
  EXPECT_FALSE(dm()->M_SEXSYNONYM->FieldByName(u"M_SEXSYNONYMID")->Visible());
  EXPECT_TRUE(dm()->OPEOPLE_LIST->FieldByName(u"O_PEOPLEID")->ReadOnly());
  // The list's order is the statement's, and the lookups of the card and its records resolve.
  dm()->M_KAT->Open();
  const int kat = dm()->O_PEOPLE->FieldByName(u"M_KATID")->AsInteger();
  EXPECT_EQ(Text(dm()->O_PEOPLE->FieldByName(u"MKATNAME")->AsString()),
            Scalar(("select NAME from M_KAT where M_KATID = " + std::to_string(kat)).c_str()));
  EXPECT_EQ(Text(dm()->M_SEXSYNONYM->FieldByName(u"NAME")->AsString()), "сокр.");
  EXPECT_EQ(Text(dm()->PeopleSeek->FieldByName(u"FSTNAME")->DisplayLabel()), "фамилия");
}

TEST_F(DataModuleTest, PlaceOfWorkByTheKindOfNode) {
  MakeDatabase(5);
  Create(0);
  Exec(
      "insert into M_RAYON_DEP (M_RAYON_DEPID, PARENT_ID, M_VIDDEPID, SHORTNAME, LONGNAME) values "
      "(9001, 0, 3, 'Обл.', 'Северная область'), (9002, 9001, 3, 'Р-н', 'Лесной район'), "
      "(9003, 9002, 2, 'Адм.', 'Администрация Лесного района'), (9004, 9001, 1, 'Деп.', 'Департамент'), "
      "(9005, 9002, 4, 'Прочее', 'Прочее')");
  struct Case {
    const char* Dep;
    const char* DName;  // card: SHORTNAME
    const char* RName;
    const char* PrintDName;  // print list: LONGNAME
  };
  const Case cases[] = {
      // Paths are made of the nodes' short names, from the top down.
      {"9003", "Адм.", "Обл.;Р-н", "Администрация Лесного района"},
      {"9004", "Деп.", "Обл.", "Департамент"},
      {"9002", "", "Обл.;Р-н", ""},
      {"9005", "", "", ""},
      {"NULL", "", "", ""},
      {"123456", "", "", ""},
  };
  Exec("insert into O_FILTER ([USER], O_PEOPLEID) values ('tester', 1), ('someone', 2)");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Dep);
    Exec((std::string("update O_PEOPLE set M_RAYON_DEPID = ") + c.Dep + " where O_PEOPLEID = 1").c_str());
    dm()->O_PEOPLE->Close();
    dm()->O_PEOPLE->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(1));
    dm()->O_PEOPLE->Open();
    EXPECT_EQ(Text(dm()->O_PEOPLE->FieldByName(u"D_NAME")->AsString()), c.DName);
    EXPECT_EQ(Text(dm()->O_PEOPLE->FieldByName(u"R_NAME")->AsString()), c.RName);
    EXPECT_FALSE(dm()->Q->Active());  // the scratch query is never left open
    dm()->PrintList->Close();
    dm()->PrintList->Open();
    // Only this user's print rows.
    ASSERT_EQ(dm()->PrintList->RecordCount(), 1);
    EXPECT_EQ(dm()->PrintList->FieldByName(u"O_PEOPLEID")->AsInteger(), 1);
    EXPECT_EQ(Text(dm()->PrintList->FieldByName(u"D_NAME")->AsString()), c.PrintDName);
    EXPECT_EQ(Text(dm()->PrintList->FieldByName(u"R_NAME")->AsString()), c.RName);
  }
  // Opening the card opens the reference tree it picks its place of work from.
  EXPECT_TRUE(dm()->M_DEP->Active());
}

TEST_F(DataModuleTest, NewRowsAreMarkedOnlyInModeOne) {
  MakeDatabase(5);
  for (Byte mode : {Byte(0), Byte(1), Byte(2), Byte(255)}) {
    SCOPED_TRACE(mode);
    // Periphery modes connect through the program's file here, as an installation's stored string would.
    Create(mode);
    dm()->ADOConnection1->SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
    dm()->OPEOPLE_LIST->Open();
    dm()->OPEOPLE_LIST->Append();
    EXPECT_EQ(dm()->OPEOPLE_LIST->FieldByName(u"M_RAYON_DEPID")->AsInteger(), 0);
    const Variant status = dm()->OPEOPLE_LIST->FieldByName(u"M_RecordStatusID")->Value();
    if (mode == 1)
      EXPECT_EQ(status.AsInteger(), 1);
    else
      EXPECT_TRUE(VarIsNull(status));
    dm()->OPEOPLE_LIST->Cancel();

    // A training record of a stored card takes the card's key.
    dm()->O_PEOPLE->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(3));
    dm()->O_PEOPLE->Open();
    dm()->O_EDU->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(3));
    dm()->O_EDU->Open();
    dm()->O_EDU->Append();
    EXPECT_EQ(dm()->O_EDU->State(), dsInsert);
    EXPECT_EQ(dm()->O_EDU->FieldByName(u"O_PEOPLEID")->AsInteger(), 3);
    const Variant eduStatus = dm()->O_EDU->FieldByName(u"M_RecordStatusID")->Value();
    if (mode == 1)
      EXPECT_EQ(eduStatus.AsInteger(), 1);
    else
      EXPECT_TRUE(VarIsNull(eduStatus));
    dm()->O_EDU->Cancel();
    EXPECT_TRUE(boxes.empty());
    delete DataModule2;
    DataModule2 = nullptr;
    delete MainForm;
    MainForm = nullptr;
  }
}

TEST_F(DataModuleTest, TrainingRecordOfAnUnstoredCardIsRefused) {
  MakeDatabase(5);
  Create(0);
  dm()->O_PEOPLE->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(1));
  dm()->O_PEOPLE->Open();
  dm()->O_EDU->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Variant(1));
  dm()->O_EDU->Open();
  const int records = dm()->O_EDU->RecordCount();
  dm()->O_PEOPLE->Append();  // a new card, not posted: no key yet
  dm()->O_EDU->Append();
  EXPECT_EQ(dm()->O_EDU->State(), dsBrowse);
  EXPECT_EQ(dm()->O_EDU->RecordCount(), records);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Сначала заполните для новой записи рег. данные");
  EXPECT_EQ(boxes[0].Caption, "Отмена операции");
  EXPECT_EQ(boxes[0].Type & MB_ICONMASK, MB_ICONERROR);
}

TEST_F(DataModuleTest, NewNodeTakesTheParentTheReferenceWindowSet) {
  MakeDatabase(5);
  Create(0);
  dm()->M_DEP->Open();
  dm()->NewNodeParentId = Variant(7);
  dm()->M_DEP->Append();
  EXPECT_EQ(dm()->M_DEP->FieldByName(u"PARENT_ID")->AsInteger(), 7);
  dm()->M_DEP->Cancel();
}

TEST_F(DataModuleTest, OpeningTheListShowsTheCountOfAllPeople) {
  MakeDatabase(37);
  Create(0);
  dm()->OPEOPLE_LIST->Open();
  EXPECT_EQ(Text(MainForm->StatusText(1)), "Всего записей - 37");
  EXPECT_FALSE(dm()->Q->Active());
  // A narrower statement (as the filter sets) still shows the whole table's count.
  dm()->OPEOPLE_LIST->Close();
  dm()->OPEOPLE_LIST->SetCommandText(dm()->BaseSelect + u" WHERE O_PEOPLE.O_PEOPLEID < 5 ORDER BY " +
                                     dm()->BaseOrderBy);
  Exec("insert into O_PEOPLE (FSTNAME, SECNAME) values ('Новиков', 'Пётр')");
  dm()->OPEOPLE_LIST->Open();
  EXPECT_EQ(dm()->OPEOPLE_LIST->RecordCount(), 4);
  EXPECT_EQ(Text(MainForm->StatusText(1)), "Всего записей - 38");
}

TEST_F(DataModuleTest, PeripheryModeKeepsTheStoredStringAndTakesTheUserAtTheFirstConnection) {
  MakeDatabase(5);
  Create(1);
  EXPECT_FALSE(dm()->ADOConnection1->Connected());
  EXPECT_EQ(Text(dm()->ADOConnection1->ConnectionString()), "FILE NAME=D:\\Projects\\Trenvik\\Trenvik.udl");
  EXPECT_TRUE(dm()->ADOConnection1->LoginPrompt());
  EXPECT_EQ(Text(dm()->UserName), "");
  // The statement's parts do not depend on connecting, so the filter works here too.
  EXPECT_EQ(Text(dm()->BaseOrderBy), "  O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME");
  int prompts = 0;
  SetLoginDialogProc([&](const String&, String& User, String&) {
    ++prompts;
    User = u"petrov";
    return true;
  });
  dm()->ADOConnection1->SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
  dm()->OPEOPLE_LIST->Open();
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(Text(dm()->UserName), "petrov");
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
