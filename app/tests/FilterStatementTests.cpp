// The filter's texts from its settings: golden WHERE, JOIN and description texts for the rows,
// their negation and the sections, and the statements run on the demo database.
#include "app/FilterStatement.h"
#include "app/tests/AppTestSupport.h"
#include "db/Schema.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/testing/PgTestServer.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

namespace {

const String kExists = u"EXISTS (SELECT * FROM O_EDU WHERE O_EDU.O_PEOPLEID = O_PEOPLE.O_PEOPLEID)";

TFilterSettings Person() {
  TFilterSettings s;
  s.Person = TFilterCheck::Ticked;
  return s;
}

TEST(FilterStatement, PersonRowsTickedAndGrayed) {
  struct Case {
    const char* what;
    void (*set)(TFilterSettings&, TFilterCheck);
    const char16_t *where, *whereNot, *entry, *entryNot;
  };
  const Case cases[] = {
      {"surname starts",
       [](TFilterSettings& s, TFilterCheck c) {
         s.Surname = {c, u"Ив", u"начинается с "};
       },
       u"( UPPER(O_PEOPLE.FSTNAME) LIKE 'ИВ%')", u"( not( UPPER(O_PEOPLE.FSTNAME) LIKE 'ИВ%'))",
       u"фамилия начинается с  \"Ив\"", u"фамилия  не начинается с  \"Ив\""},
      {"surname exact, apostrophe doubled",
       [](TFilterSettings& s, TFilterCheck c) {
         s.Surname = {c, u" O'Нил ", u"точное совпадение"};
       },
       u"( UPPER(O_PEOPLE.FSTNAME) LIKE 'O''НИЛ')", u"( not( UPPER(O_PEOPLE.FSTNAME) LIKE 'O''НИЛ'))",
       u"фамилия точное совпадение \" O'Нил \"", u"фамилия  не точное совпадение \" O'Нил \""},
      {"age between",
       [](TFilterSettings& s, TFilterCheck c) {
         s.Age = {c, u"в пределах", u"30", u"40"};
       },
       u"( O_PEOPLE.AGE between 30 and 40)", u"( not( O_PEOPLE.AGE between 30 and 40))",
       u"возраст в пределах с 30 по 40, лет", u"возраст не в пределах с 30 по 40, лет"},
      {"age up to",
       [](TFilterSettings& s, TFilterCheck c) {
         s.Age = {c, u"по", u"30", u"45"};
       },
       u"( O_PEOPLE.AGE <= 45)", u"( not( O_PEOPLE.AGE <= 45))", u"возраст по 45, лет",
       u"возраст не по 45, лет"},
      {"sex", [](TFilterSettings& s, TFilterCheck c) { s.SexApply = c, s.SexItem = 1; },
       u"( O_PEOPLE.M_SEXID = 2)", u"( not( O_PEOPLE.M_SEXID = 2))", u"пол \"Ж\"", u"пол не \"Ж\""},
      {"category",
       [](TFilterSettings& s, TFilterCheck c) {
         s.Category = {c, Variant(3), u"специалисты"};
       },
       u"( O_PEOPLE.M_KATID = 3)", u"( not( O_PEOPLE.M_KATID = 3))", u"кат. должности \"специалисты\"",
       u"кат. должности не \"специалисты\""},
      {"position contains",
       [](TFilterSettings& s, TFilterCheck c) {
         s.Position = {c, u"спец", u"содержит "};
       },
       u"( UPPER(O_PEOPLE.DOLGNAME) LIKE '%СПЕЦ%')", u"( not( UPPER(O_PEOPLE.DOLGNAME) LIKE '%СПЕЦ%'))",
       u"должность содержит  \"спец\"", u"должность не содержит  \"спец\""},
  };
  for (const Case& c : cases) {
    for (TFilterCheck check : {TFilterCheck::Ticked, TFilterCheck::Grayed}) {
      TFilterSettings s = Person();
      c.set(s, check);
      const TFilterTexts t = BuildFilterTexts(s, String());
      const bool negated = check == TFilterCheck::Grayed;
      EXPECT_EQ(StringToUtf8(t.WhereText), StringToUtf8(negated ? c.whereNot : c.where)) << c.what;
      EXPECT_EQ(StringToUtf8(t.FilterDescription), StringToUtf8(negated ? c.entryNot : c.entry)) << c.what;
      EXPECT_TRUE(t.JoinText.empty());
      EXPECT_TRUE(t.FilterSet);
    }
    TFilterSettings off = Person();
    c.set(off, TFilterCheck::Clear);
    EXPECT_TRUE(BuildFilterTexts(off, String()).WhereText.empty()) << c.what << ": a clear box drops the row";
  }
}

TEST(FilterStatement, ConditionsCombineLeftToRightAndARegistrationSectionWithoutConditionsStillSets) {
  TFilterSettings s = Person();
  s.Surname = {TFilterCheck::Ticked, u"а", u"содержит"};
  s.SexApply = TFilterCheck::Ticked;
  s.SexItem = 0;
  s.Position = {TFilterCheck::Grayed, u"x", u"точное совпадение"};
  const TFilterTexts t = BuildFilterTexts(s, String());
  EXPECT_EQ(StringToUtf8(t.WhereText),
            "((( UPPER(O_PEOPLE.FSTNAME) LIKE '%А%') and ( O_PEOPLE.M_SEXID = 1)) and ( not( "
            "UPPER(O_PEOPLE.DOLGNAME) LIKE 'X')))");
  EXPECT_EQ(StringToUtf8(t.FilterDescription),
            "фамилия содержит \"а\"; пол \"М\"; должность не точное совпадение \"x\"");
  const TFilterTexts none = BuildFilterTexts(Person(), String());
  EXPECT_TRUE(none.WhereText.empty());
  EXPECT_TRUE(none.FilterSet) << "the indicator shows even without a condition";
  // Off, the section's rows are ignored.
  s.Person = TFilterCheck::Clear;
  EXPECT_TRUE(BuildFilterTexts(s, String()).WhereText.empty());
}

TEST(FilterStatement, TerritoryIncludedExcludedAndWithoutNodes) {
  TFilterSettings s;
  s.Territory = TFilterCheck::Ticked;
  s.SelectedNodes = {{u"5", u"Заречный район"}};
  auto term = [](const char* prefix, const char* id) {
    return std::string("(") + prefix + " EXISTS (SELECT * FROM [DBO].[GETDESCENDANTDEP](" + id +
           ", 1) AS G  WHERE G.ID = O_PEOPLE.M_RAYON_DEPID))";
  };
  TFilterTexts t = BuildFilterTexts(s, String());
  EXPECT_EQ(StringToUtf8(t.WhereText), "(" + term("", "5") + ")");
  EXPECT_EQ(StringToUtf8(t.FilterDescription), "терр./орг-ция- Заречный район");
  s.SelectedNodes.push_back({u"9", u"г. Северск"});
  t = BuildFilterTexts(s, String());
  EXPECT_EQ(StringToUtf8(t.WhereText), "(" + term("", "5") + " or " + term("", "9") + ")");
  s.Territory = TFilterCheck::Grayed;
  t = BuildFilterTexts(s, String());
  EXPECT_EQ(StringToUtf8(t.WhereText), "(" + term(" NOT ", "5") + " and " + term(" NOT ", "9") + ")");
  EXPECT_EQ(StringToUtf8(t.FilterDescription), "терр./орг-ция: НЕ Заречный район, г. Северск");
  // No node chosen: no territory condition at all, never "()".
  s.SelectedNodes.clear();
  t = BuildFilterTexts(s, String());
  EXPECT_EQ(StringToUtf8(t.WhereText), "");
  EXPECT_TRUE(t.FilterSet);
}

TEST(FilterStatement, TrainingSectionJoinsAndDatesAreWrittenForStyle104) {
  const TFormatSettings saved = FormatSettings();
  TScopeExit restore([&saved] { SetFormatSettings(saved); });
  SetLocale("en-US");  // a short date of month/day/year
  TFilterSettings s;
  s.Edu = TFilterCheck::Ticked;
  TFilterTexts t = BuildFilterTexts(s, String());
  EXPECT_EQ(t.WhereText, u"(" + kExists + u")");
  EXPECT_TRUE(t.JoinText.empty()) << "no condition, no join";

  s.EndDate = {TFilterCheck::Ticked, u"в пределах", EncodeDate(2024, 3, 5), EncodeDate(2025, 11, 30), false};
  s.Institution = {TFilterCheck::Grayed, Variant(2), u"Академия"};
  t = BuildFilterTexts(s, String());
  EXPECT_EQ(StringToUtf8(t.JoinText), " inner join O_EDU on O_EDU.O_PEOPLEID=O_PEOPLE.O_PEOPLEID ");
  EXPECT_EQ(StringToUtf8(t.WhereText),
            StringToUtf8(u"(" + kExists + u")") +
                " AND (( O_EDU.DATEFINISH between  convert(datetime,'05.03.2024',104)  and  "
                "convert(datetime,'30.11.2025',104) ) and ( not( O_EDU.M_COLLAGEID = 2)))");

  s.EndDate = {TFilterCheck::Ticked, u"с", EncodeDate(2024, 3, 5), 0, true};
  s.Institution = {};
  t = BuildFilterTexts(s, String());
  EXPECT_EQ(StringToUtf8(t.JoinText),
            " inner join O_EDU on O_EDU.O_PEOPLEID=O_PEOPLE.O_PEOPLEID  INNER JOIN MaxDateFinishEdu ON "
            "O_PEOPLE.O_PEOPLEID = MaxDateFinishEdu.O_PEOPLEID ");
  EXPECT_NE(StringToUtf8(t.WhereText)
                .find(" MaxDateFinishEdu.MaxDateFinish >= CONVERT(DATETIME,'05.03.2024',104) "),
            std::string::npos);
  EXPECT_EQ(StringToUtf8(t.FilterDescription).rfind("(последнее из пройденных обучений) дата оконч. с ", 0),
            0u);

  s.Edu = TFilterCheck::Grayed;
  t = BuildFilterTexts(s, String());
  EXPECT_EQ(t.WhereText, u"(NOT " + kExists + u")");
  EXPECT_TRUE(t.JoinText.empty());
}

// The program's database on SQLite or on the tests' own PostgreSQL server.
class FilterOnDatabaseTest : public AppTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void StartOnServer(int People) {
    if (std::string(GetParam()) == "SQLite") return StartShowingList(People);
    StartOnPostgres(People);
  }
};

INSTANTIATE_TEST_SUITE_P(Drivers, FilterOnDatabaseTest, ::testing::Values("SQLite", "PostgreSQL"));

TEST_P(FilterOnDatabaseTest, BuiltStatementsRunAndSelectTheRightPeople) {
  StartOnServer(60);
  if (IsSkipped()) return;
  ASSERT_TRUE(DataModule2->OPEOPLE_LIST->Active());
  TDataModule2* dm = DataModule2;
  auto run = [&](const TFilterSettings& s) {
    const TFilterTexts t = BuildFilterTexts(s, dm->BaseWhere);
    dm->OPEOPLE_LIST->Close();
    dm->OPEOPLE_LIST->SetCommandText(
        ComposeListStatement(dm->BaseSelect, t.JoinText, t.WhereText, dm->BaseOrderBy));
    dm->OPEOPLE_LIST->Open();
    return dm->OPEOPLE_LIST->RecordCount();
  };
  // The first two letters of someone's surname, typed in lower case.
  const String prefix =
      Utf8ToString(Scalar("select substring(FSTNAME, 1, 2) from O_PEOPLE order by O_PEOPLEID"));
  TFilterSettings s = Person();
  s.Surname = {TFilterCheck::Ticked, AnsiLowerCase(prefix), u"начинается с "};
  const int ivs = run(s);
  EXPECT_GT(ivs, 0);
  EXPECT_EQ(std::to_string(ivs), Scalar(("select count(*) from O_PEOPLE where substring(FSTNAME, 1, 2) = '" +
                                         StringToUtf8(prefix) + "'")
                                            .c_str()));
  for (dm->OPEOPLE_LIST->First(); !dm->OPEOPLE_LIST->Eof(); dm->OPEOPLE_LIST->Next())
    EXPECT_EQ(dm->OPEOPLE_LIST->FieldByName(u"FSTNAME")->AsString().substr(0, 2), prefix);
  s.Surname.Apply = TFilterCheck::Grayed;
  EXPECT_EQ(run(s), 60 - ivs);

  TFilterSettings edu;
  edu.Edu = TFilterCheck::Grayed;
  const int without = run(edu);
  edu.Edu = TFilterCheck::Ticked;
  EXPECT_EQ(run(edu) + without, 60);
  edu.EndDate = {TFilterCheck::Ticked, u"по", 0, EncodeDate(2100, 1, 1), true};
  EXPECT_EQ(run(edu) + without, 60) << "every latest end date lies before 2100";
  edu.EndDate.To = EncodeDate(1900, 1, 1);
  EXPECT_EQ(run(edu), 0);

  TFilterSettings place;
  place.Territory = TFilterCheck::Ticked;
  place.SelectedNodes = {
      {Utf8ToString(Scalar("select M_RAYON_DEPID from M_RAYON_DEP where SHORTNAME = 'г. Северск'")),
       u"г. Северск"}};
  const int inCity = run(place);
  EXPECT_GT(inCity, 0);
  place.Territory = TFilterCheck::Grayed;
  EXPECT_EQ(run(place) + inCity,
            60 - std::stoi(Scalar("select count(*) from O_PEOPLE where M_RAYON_DEPID is null")));
}

}  // namespace
