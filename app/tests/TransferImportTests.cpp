// The import storing staged rows on a real demo database, the matching dialogs answered by script:
// a reference name matched exactly, through a synonym, or by the user (associate, add, skip,
// cancel); the place of work's new body; the person found, known under another form, picked with
// the copy dialog or made anew; training records stored once; refused rows and the institution.
#include <algorithm>

#include "app/ImportMatch.h"
#include "app/PeopleDlg.h"
#include "app/PeopleJoin.h"
#include "app/RayonDepDlg.h"
#include "app/ReferenceDlg.h"
#include "app/tests/TransferTestSupport.h"

namespace {

std::string SqlText(const std::string& s) { return "'" + s + "'"; }

class ImportMatchTest : public ImportTest {
 protected:
  std::vector<std::string> Synonyms() {
    return Rows("select k.M_KATEDUNAME, s.NAME from M_KATEDUSYNONYM s join M_KATEDU k on k.M_KATEDUID = s.M_KATEDUID");
  }
};

// Every kind of reference name takes the same path; the kind of training stands for all four.
TEST_F(ImportMatchTest, AReferenceNameIsMatchedExactlyThenByItsSynonymThenByTheUser) {
  Exec("insert into M_KATEDUSYNONYM (M_KATEDUID, NAME) select M_KATEDUID, 'Курсы повышения квалификации' "
       "from M_KATEDU where M_KATEDUNAME = 'Курсы'");
  const std::string smallestKind = Scalar("select min(M_KATEDUID) from M_KATEDU");
  const std::string smallestKindName =
      Scalar(("select M_KATEDUNAME from M_KATEDU where M_KATEDUID = " + smallestKind).c_str());
  struct TCase {
    const char* staged;
    std::function<void(ImportTest*)> answer;  // nullptr: no dialog
    const char* storedKind;                   // nullptr: the import stopped
    std::vector<std::string> newSynonyms;     // "entry|written form"
    const char* message;                      // the last message shown
  };
  const std::vector<TCase> cases = {
      {"Курсы", nullptr, "Курсы", {}, nullptr},
      {"КУРСЫ ПОВЫШЕНИЯ КВАЛИФИКАЦИИ", nullptr, "Курсы", {}, nullptr},
      // Part of a synonym is another name: the user associates it.
      {"повышения",
       [](ImportTest* t) {
         t->Then<TKatEduDlg>([](TKatEduDlg* d) {
           EXPECT_EQ(Text(d->Memo1->Text()), "повышения");
           EXPECT_EQ(d->PageControl1->ActivePageIndex(), 0);
           ASSERT_TRUE(DataModule2->M_KATEDU->Locate(u"M_KATEDUNAME", Variant(String(u"Курсы")), {}));
           d->SetModalResult(mrOk);
         });
       },
       "Курсы",
       {"Курсы|повышения"},
       nullptr},
      {"Вебинар",
       [](ImportTest* t) {
         t->Then<TKatEduDlg>([](TKatEduDlg* d) {
           d->PageControl1->SetActivePageIndex(1);
           d->Memo1->SetText(u"Стажировка за рубежом");
           d->SetModalResult(mrOk);
         });
       },
       "Стажировка за рубежом",
       {"Стажировка за рубежом|Вебинар"},
       nullptr},
      {"Неизвестно", [](ImportTest* t) { t->ThenClose<TKatEduDlg>(mrIgnore); }, smallestKindName.c_str(), {},
       "Отказ от выбора вида обучения.\n\rБудет присвоено значение по-умолчанию"},
      {"Отменённый", [](ImportTest* t) { t->ThenClose<TKatEduDlg>(mrCancel, 1); }, nullptr, {},
       "Операция по закачке данных прервана.\n\rДля возобновления работы нажмите кнопку \"Продолжить закачку "
       "данных\" и, далее, \"Импортировать\"  "},
      // An empty name is asked about, though "%%" would have matched any synonym.
      {"", [](ImportTest* t) { t->ThenClose<TKatEduDlg>(mrCancel); }, nullptr, {}, nullptr},
  };
  int finishDay = 1;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.staged);
    const std::string finish = std::to_string(10 + finishDay++) + ".03.2024";
    const auto synonymsBefore = Synonyms();
    StageRows({KnownPersonRow(c.staged, "Администрация района", finish)});
    if (c.answer) c.answer(this);
    Import();
    EXPECT_EQ(shown.size(), c.answer ? 1u : 0u);
    const auto stored = Rows("select k.M_KATEDUNAME from O_EDU e join M_KATEDU k on k.M_KATEDUID = e.M_KATEDUID "
                             "where e.O_PEOPLEID = " + std::to_string(personKey) +
                             " and e.DATEFINISH = CONVERT(datetime, " + SqlText(finish) + ", 104)");
    EXPECT_EQ(stored, c.storedKind ? std::vector<std::string>{c.storedKind} : std::vector<std::string>{});
    EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{c.storedKind ? "OK" : "~"}));
    std::vector<std::string> added;
    for (const std::string& s : Synonyms())
      if (std::find(synonymsBefore.begin(), synonymsBefore.end(), s) == synonymsBefore.end()) added.push_back(s);
    EXPECT_EQ(added, c.newSynonyms);
    if (c.answer) {
      ASSERT_FALSE(boxes.empty());
      EXPECT_EQ(boxes.front().Text, "В списке зарегистрированных видов обучения нет\n\r\"" + std::string(c.staged));
      EXPECT_EQ(boxes.front().Caption, "Информация");
    }
    if (c.message) {
      ASSERT_FALSE(boxes.empty());
      EXPECT_EQ(boxes.back().Text, c.message);
    }
  }
}

TEST_F(ImportTest, ARefusedInstitutionStopsBeforeAnyRow) {
  TransferBook book;
  book.Sheet("Лист1", true).Text(0, 5, "Неизвестный вуз").Row(4, KnownPersonRow("Курсы"));
  Read(Save(book));
  ThenClose<TCollageDlg>(mrCancel);
  Import();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text, "В списке зарегистрированных учебных заведений нет\n\r\"Неизвестный вуз");
  EXPECT_EQ(boxes[1].Text, "Отказ от выбора учебного заведения");
  EXPECT_EQ(boxes[1].Caption, "Отмена операции");
  EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"~"}));
  // Associated the next time, the institution's written form is remembered.
  Then<TCollageDlg>([](TCollageDlg* d) {
    ASSERT_TRUE(DataModule2->M_COLLAGE->Locate(u"NAME", Variant(String(u"Академия госслужбы")), {}));
    d->SetModalResult(mrOk);
  });
  Import();
  EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"OK"}));
  EXPECT_EQ(Rows("select c.NAME from M_COLLAGESYNONYM s join M_COLLAGE c on c.M_COLLAGEID = s.M_COLLAGEID"),
            (std::vector<std::string>{"Академия госслужбы"}));
  EXPECT_EQ(Rows("select count(*) from O_EDU e join M_COLLAGE c on c.M_COLLAGEID = e.M_COLLAGEID where e.O_PEOPLEID = " +
                 std::to_string(personKey) + " and c.NAME = 'Академия госслужбы'"),
            (std::vector<std::string>{"1"}));
}

// A new body goes under the chosen node, with the kind chosen and the name as edited; the page is
// remembered for the next question of the same window.
TEST_F(ImportTest, APlaceOfWorkAddedAsANewBodyUnderTheChosenNode) {
  StageRows({KnownPersonRow("Курсы", "Служба  туризма"), KnownPersonRow("Курсы", "Бюро находок", "02.02.2025")});
  Then<TRayonDepDlg>([](TRayonDepDlg* d) {
    EXPECT_EQ(d->PageControl1->ActivePageIndex(), 1) << "the first time on the new body's page";
    EXPECT_EQ(Text(d->LabeledEdit1->Text()), "Служба  туризма");
    EXPECT_EQ(Text(d->Label2->Caption()), "Служба  туризма");
    ASSERT_TRUE(DataModule2->M_RAYON_DEP->Locate(u"SHORTNAME", Variant(String(u"Область")), {}));
    d->LabeledEdit1->SetText(u"Служба туризма");
    d->ComboBoxEx1->SetItemIndex(1);
    d->SetModalResult(mrOk);
  });
  Then<TRayonDepDlg>([](TRayonDepDlg* d) {
    EXPECT_EQ(d->PageControl1->ActivePageIndex(), 1) << "the page used last";
    d->SetModalResult(mrIgnore);
  });
  Import();
  EXPECT_EQ(Rows("select PARENT_ID, M_VIDDEPID, SHORTNAME, LONGNAME from M_RAYON_DEP where LONGNAME like 'Служба%'"),
            (std::vector<std::string>{"1|2|Служба туризма|Служба туризма"}));
  EXPECT_EQ(Rows("select d.LONGNAME from M_DEPSYNONYM s join M_RAYON_DEP d on d.M_RAYON_DEPID = s.M_RAYON_DEPID"),
            (std::vector<std::string>{"Служба туризма"}))
      << "the synonym records the edited name";
  EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"OK", "OK"}));
  EXPECT_EQ(boxes.back().Text, "Отказ от выбора места работы.\n\rБудет присвоено значение по-умолчанию");
}

// The import's statements on both databases the program runs on.
class ImportOnDriversTest : public ImportTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void Start() override {
    if (std::string(GetParam()) == "PostgreSQL") return StartOnPostgres(5);
    ImportTest::Start();
  }
};

INSTANTIATE_TEST_SUITE_P(Drivers, ImportOnDriversTest, ::testing::Values("SQLite", "PostgreSQL"));

// The same workbook imported twice: the second run finds every name and rewrites the programme.
TEST_P(ImportOnDriversTest, ANewPersonIsMadeOnceAndASecondImportAddsNoDuplicates) {
  if (IsSkipped()) return;
  const std::vector<std::string> newPerson = {"Новикова", "Ольга", "", "женщина", "03.04.1990", "экономист",
                                              "Администрация района", "Курсы", "Бюджет", ""};
  StageRows({newPerson});
  ThenClose<TSexDlg>(mrOk);  // associated with the row the list stands on
  Then<TPeopleDlg>([this](TPeopleDlg* d) {
    EXPECT_EQ(Text(d->LabeledEdit4->Text()), "Новикова");
    EXPECT_EQ(Text(d->Label5->Caption()), "Ольга");
    EXPECT_EQ(Text(d->Label4->Caption()), "Область;Администрация района");
    EXPECT_EQ(d->DateTimePicker1->Date(), EncodeDate(1990, 4, 3));
    d->PageControl1->SetActivePageIndex(1);
    d->SetSexKey(0);
    EXPECT_FALSE(d->OKBtn->Enabled()) << "a new card needs a sex";
    d->SetSexKey(2);
    EXPECT_TRUE(d->OKBtn->Enabled());
    d->SetKatKey(Variant(std::stoi(Scalar("select M_KATID from M_KAT order by NAME"))));
    d->LabeledEdit5->SetText(u"не эта должность");
    d->SetModalResult(mrOk);
  });
  Import();
  EXPECT_EQ(shown, (std::vector<std::string>{"TSexDlg", "TPeopleDlg"}));
  EXPECT_EQ(boxes.at(1).Text, "В картотеке не зарегистрирован\n\rНОВИКОВА ОЛЬГА ");
  const std::string card =
      "select p.O_PEOPLEID, p.LASTNAME, p.M_SEXID, p.DOLGNAME, k.NAME, d.LONGNAME from O_PEOPLE p "
      "left join M_KAT k on k.M_KATID = p.M_KATID left join M_RAYON_DEP d on d.M_RAYON_DEPID = p.M_RAYON_DEPID "
      "where p.FSTNAME = 'Новикова'";
  const auto cards = Rows(card);
  ASSERT_EQ(cards.size(), 1u);
  const std::string key = cards[0].substr(0, cards[0].find('|'));
  const std::string firstKat = Scalar("select NAME from M_KAT order by NAME");
  EXPECT_EQ(cards[0], key + "||2|экономист|" + firstKat + "|Администрация района")
      << "the staged position, not the dialog's";
  EXPECT_EQ(Rows("select FSTNAME, SECNAME, LASTNAME from O_PEOPLESYNONYM where O_PEOPLEID = " + key),
            (std::vector<std::string>{"Новикова|Ольга|"}));
  EXPECT_EQ(Rows("select s.NAME from M_SEXSYNONYM s"), (std::vector<std::string>{"женщина"}));
  EXPECT_EQ(Rows("select PROGNAME, DATEFINISH from O_EDU where O_PEOPLEID = " + key),
            (std::vector<std::string>{"Бюджет|30.12.1899"}))
      << "no end date is day 0";

  // Again, with a new programme: no dialog, no new card, no new record.
  std::vector<std::string> again = newPerson;
  again[8] = "Бюджет и налоги";
  StageRows({again});
  Import();
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(Rows(card).size(), 1u);
  EXPECT_EQ(Rows("select PROGNAME from O_EDU where O_PEOPLEID = " + key),
            (std::vector<std::string>{"Бюджет и налоги"}));
  EXPECT_EQ(Rows("select count(*) from O_PEOPLESYNONYM where O_PEOPLEID = " + key), (std::vector<std::string>{"1"}));
}

// A person picked from the index: the ticked staged values go onto the card, the staged names are
// remembered, and the next import finds the person through them.
TEST_F(ImportTest, APersonPickedFromTheIndexTakesTheTickedValues) {
  std::vector<std::string> row = KnownPersonRow("Курсы");
  row[0] = "Тестовъ";
  row[5] = "главный инженер";
  StageRows({row});
  Then<TPeopleDlg>([this](TPeopleDlg* d) {
    EXPECT_EQ(d->PageControl1->ActivePageIndex(), 0);
    ASSERT_TRUE(DataModule2->PeopleSeek->Locate(u"O_PEOPLEID", Variant(personKey), {}));
    d->SetModalResult(mrOk);
  });
  Then<TPeopleJoinForm>([](TPeopleJoinForm* j) {
    EXPECT_EQ(Text(j->Caption()), "Копирование данных");
    ASSERT_EQ(j->ListView1->Items()->Count(), 6);
    ASSERT_EQ(j->ListView2->Items()->Count(), 6);
    EXPECT_EQ(j->Memo1, nullptr);
    EXPECT_EQ(Text(j->ListView1->Items()->Item(0)->SubItems()->Strings(0)), "Тестовъ");
    EXPECT_EQ(Text(j->ListView1->Items()->Item(3)->SubItems()->Strings(0)), "17.05.1980");
    EXPECT_EQ(Text(j->ListView1->Items()->Item(4)->SubItems()->Strings(0)), "мужской");
    EXPECT_EQ(Text(j->ListView2->Items()->Item(0)->SubItems()->Strings(0)), "Тестов");
    EXPECT_EQ(Text(j->ListView2->Items()->Item(5)->SubItems()->Strings(0)), "инженер");
    j->ListView1->Items()->Item(pjrPosition)->SetChecked(true);
    j->SetModalResult(mrOk);
  });
  Import();
  EXPECT_EQ(shown, (std::vector<std::string>{"TPeopleDlg", "TPeopleJoinForm"}));
  const std::string key = std::to_string(personKey);
  EXPECT_EQ(Rows("select FSTNAME, DOLGNAME from O_PEOPLE where O_PEOPLEID = " + key),
            (std::vector<std::string>{"Тестов|главный инженер"}));
  EXPECT_EQ(Rows("select FSTNAME from O_PEOPLESYNONYM where O_PEOPLEID = " + key),
            (std::vector<std::string>{"Тестовъ"}));
  EXPECT_EQ(Rows("select count(*) from O_EDU where O_PEOPLEID = " + key), (std::vector<std::string>{"1"}));

  // Found through the remembered names: the staged sex and position are written, and the birth date
  // where the card has none; no person dialog.
  Exec(("update O_PEOPLE set BIRTHDATE = null where O_PEOPLEID = " + key).c_str());
  row[3] = "ж";
  row[5] = "начальник";
  row[9] = "05.05.2025";
  StageRows({row});
  ThenClose<TSexDlg>(mrIgnore);
  Import();
  EXPECT_EQ(shown, (std::vector<std::string>{"TSexDlg"})) << "the sex is looked up before the synonyms";
  EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"OK"}));
  EXPECT_EQ(Rows("select M_SEXID, DOLGNAME, BIRTHDATE from O_PEOPLE where O_PEOPLEID = " + key),
            (std::vector<std::string>{"1|начальник|17.05.1980"}));
}

// The card's missing patronymic and an empty one are the same as the staged empty one.
TEST_F(ImportTest, AStagedEmptyNameFindsTheCardWhetherItsNameIsMissingOrEmpty) {
  for (const char* stored : {"null", "''"}) {
    SCOPED_TRACE(stored);
    Exec("update O_PEOPLE set LASTNAME = " + std::string(stored) + " where O_PEOPLEID = " + std::to_string(personKey));
    std::vector<std::string> row = KnownPersonRow("Курсы");
    row[2] = "";
    StageRows({row});
    Import();
    EXPECT_TRUE(shown.empty()) << "asked about a known person";
    EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"OK"}));
  }
  EXPECT_EQ(Rows("select count(*) from O_EDU where O_PEOPLEID = " + std::to_string(personKey) +
                 " and PROGNAME = 'Программа'"),
            (std::vector<std::string>{"1"}));
}

TEST_F(ImportTest, CancelOrSkipInThePersonDialogStopsTheImportAndLeavesTheRowForLater) {
  for (TModalResult answer : {mrCancel, mrIgnore}) {
    SCOPED_TRACE(answer);
    std::vector<std::string> row = KnownPersonRow("Курсы");
    row[0] = "Другой";
    StageRows({row, KnownPersonRow("Курсы")});
    ThenClose<TPeopleDlg>(answer);
    Import();
    EXPECT_EQ(Staged("FSTNAME, NOTE"), (std::vector<std::string>{"Другой|~", "Тестов|~"}));
    EXPECT_EQ(boxes.back().Text.rfind("Операция по закачке данных прервана", 0), 0u);
  }
}

// A record the database refuses marks its row "X"; a later run passes it over; a run from the end
// of the rows does nothing until "Продолжить" moves back to the first.
TEST_F(ImportTest, ARefusedTrainingRecordMarksItsRowAndIsNotRetried) {
  Exec("create trigger refuse_edu before insert on O_EDU when NEW.PROGNAME = 'Отказ' "
       "begin select raise(abort, 'refused'); end");
  std::vector<std::string> refused = KnownPersonRow("Курсы");
  refused[8] = "Отказ";
  StageRows({refused, KnownPersonRow("Курсы", "Администрация района", "03.03.2025")});
  Import();
  EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"X", "OK"}));
  Exec("drop trigger refuse_edu");
  Exec("update BUFFER set NOTE = null where NOTE = 'OK'");
  Import();
  EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"X", "~"})) << "the rows stand at their end";
  DataModule2->BUFFER->Close();
  Window()->AContinueExecute(Window());
  Import();
  EXPECT_EQ(Staged("NOTE"), (std::vector<std::string>{"X", "OK"}));
  EXPECT_EQ(Rows("select count(*) from O_EDU where O_PEOPLEID = " + std::to_string(personKey)),
            (std::vector<std::string>{"1"}));
}

TEST_F(ImportTest, StoreEduRecordInsertsThenRewritesTheProgramme) {
  TTransferForm* w = Window();
  const int collage = std::stoi(Scalar("select M_COLLAGEID from M_COLLAGE where NAME = 'Академия госслужбы'"));
  const int kind = std::stoi(Scalar("select M_KATEDUID from M_KATEDU where M_KATEDUNAME = 'Курсы'"));
  EXPECT_TRUE(w->StoreEduRecord(personKey, collage, kind, u"Первая", EncodeDate(2024, 6, 1)));
  EXPECT_TRUE(w->StoreEduRecord(personKey, collage, kind, u"Вторая", EncodeDate(2024, 6, 1)));
  EXPECT_TRUE(w->StoreEduRecord(personKey, collage, kind, u"Другая дата", EncodeDate(2024, 6, 2)));
  EXPECT_EQ(Rows("select PROGNAME from O_EDU where O_PEOPLEID = " + std::to_string(personKey) + " order by DATEFINISH"),
            (std::vector<std::string>{"Вторая", "Другая дата"}));
}

}  // namespace
