// The person card on a real demo database, opened from the people list and driven by simulated
// input inside its modal loop: the first page on opening, editing and saving the registration
// data, the place of work chosen in the drop-down tree, training records added and refused, and
// a new card entered from the main window's "Добавить".
#include <functional>

#include "app/TrenvikForm.h"
#include "app/tests/AppTestSupport.h"
#include "platform/forms/testing/IdleStep.h"
#include "platform/rtl/StrUtils.h"

namespace {

class CardTest : public AppTest {
 protected:
  void Start(int People = 10) { StartShowingList(People); }
  TADODataSet* List() const { return DataModule2->OPEOPLE_LIST; }
  TADODataSet* Card() const { return DataModule2->O_PEOPLE; }
  TADODataSet* Edu() const { return DataModule2->O_EDU; }
  // Opens the card of the list's current row by the action; Script runs inside its modal loop and
  // must close it.
  void WithCard(std::function<void(TTrenvikForm*)> Script, TAction* Opener = nullptr) {
    WhenModal<TTrenvikForm>([Script](TTrenvikForm* card) {
      RunUntilIdle();
      Script(card);
    });
    (Opener ? Opener : MainForm->AViewEdu)->Execute();
    RunUntilIdle();
  }
  void Click(TControl* Control) {
    ClickAt(Control, 5, 5);
    RunUntilIdle();
  }
  void ShowPage(TTrenvikForm* Card, int Index) {
    const RECT tab = Card->PageControl1->TabRect(Index);
    Click(Card->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  }
  void Click(TControl* Control, int X, int Y) {
    ClickAt(Control, X, Y);
    RunUntilIdle();
  }
  // The drop-down tree's node whose text (the full name) is Text, selected and taken with Enter.
  void ChoosePlaceOfWork(TTrenvikForm* Card, const String& Text) {
    TdxDBLookupTreeView* edit = Card->dxDBLookupTreeView1;
    edit->SetFocus();
    Pump();
    SimulateKeyPress(VK_DOWN, 4);  // Alt
    Pump();
    ASSERT_TRUE(edit->DroppedDown());
    TTreeNodes* nodes = edit->Popup()->Items();
    TTreeNode* found = nullptr;
    // Levels load as they open: opening each node in turn reaches the whole tree.
    for (int i = 0; i < nodes->Count() && !found; ++i)
      if (nodes->Item(i)->Text() == Text)
        found = nodes->Item(i);
      else
        nodes->Item(i)->Expand(false);
    ASSERT_NE(found, nullptr) << StringToUtf8(Text);
    found->SetSelected(true);
    SimulateKeyPress(VK_RETURN);
    Pump();
  }
  // What a bold text shows: its field's text.
  static std::string Shown(TDBText* Label) {
    return Label->Field() ? Text(Label->Field()->DisplayText()) : "<unbound>";
  }
  std::string PersonValue(const char* Column, int Person) {
    return Scalar(
        ("select " + std::string(Column) + " from O_PEOPLE where O_PEOPLEID = " + std::to_string(Person))
            .c_str());
  }
};

TEST_F(CardTest, ADoubleClickOnARowOpensTheCardOfThatPersonOnItsFirstPage) {
  Start();
  List()->First();
  List()->Next();
  List()->Next();
  const int person = List()->FieldByName(u"O_PEOPLEID")->AsInteger();
  const String surname = List()->FieldByName(u"FSTNAME")->AsString();
  std::string caption, shownSurname;
  TTabSheet* page = nullptr;
  int rows = -1;
  WhenModal<TTrenvikForm>([&](TTrenvikForm* card) {
    caption = Text(card->Caption());
    page = card->PageControl1->ActivePage() == card->TabSheet1 ? card->TabSheet1 : card->TabSheet2;
    shownSurname = Text(Card()->FieldByName(u"FSTNAME")->AsString());
    rows = card->dxDBInspector2->Count();
    const RECT close = card->ActionMainMenuBar1->BarItemRect(0);
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, POINT{close.left + 5, close.top + 5});
  });
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  RECT row{};
  grid->GetNodeRect(grid->FocusedNode(), row);
  const POINT at = grid->ClientToScreen(POINT{row.left + 20, (row.top + row.bottom) / 2});
  clock->Advance(1000);
  SimulateClick(TSimButton::Left, at);
  clock->Advance(50);
  SimulateClick(TSimButton::Left, at);
  RunUntilIdle();
  EXPECT_EQ(caption, "Дополнительная информация");
  EXPECT_EQ(shownSurname, Text(surname));
  EXPECT_EQ(Card()->FieldByName(u"O_PEOPLEID")->AsInteger(), person);
  EXPECT_NE(page, nullptr);
  EXPECT_EQ(rows, 8);
  // Closed by "Закрыть": the window is gone, the training records closed, the card kept open.
  EXPECT_EQ(TrenvikForm, nullptr);
  EXPECT_FALSE(Edu()->Active());
  EXPECT_TRUE(Card()->Active());
  EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(CardTest, TheCardAlwaysOpensOnItsFirstPage) {
  Start();
  TTabSheet* shown = nullptr;
  WithCard([&](TTrenvikForm* card) {
    ShowPage(card, 1);
    ASSERT_EQ(card->PageControl1->ActivePage(), card->TabSheet2);
    card->FormShow(card);
    shown = card->PageControl1->ActivePage();
    EXPECT_EQ(shown, card->TabSheet1);
    card->Close();
  });
  EXPECT_NE(shown, nullptr) << "the card was shown";
}

TEST_F(CardTest, EditAndSaveWriteTheCardAndThePlaceOfWorkWithItsTexts) {
  Start();
  const int person = List()->FieldByName(u"O_PEOPLEID")->AsInteger();
  std::string orgBody, orgPlace, terBody, terPlace;
  WithCard([&](TTrenvikForm* card) {
    TActionToolBar* bar = card->ActionToolBar3;
    EXPECT_EQ(Text(bar->ItemButton(0)->Caption()), "Изменить");
    EXPECT_FALSE(bar->ItemButton(1)->Enabled()) << "nothing to save while browsing";
    Click(bar->ItemButton(0));
    EXPECT_EQ(Card()->State(), dsEdit);
    Card()->FieldByName(u"DOLGNAME")->SetAsString(u"главный специалист");
    // An organisation: its name and the path of its parents; a territory: only the path.
    ChoosePlaceOfWork(card, u"Министерство финансов области");
    Click(bar->ItemButton(1));
    orgBody = Shown(card->DBText2);
    orgPlace = Shown(card->DBText1);
    EXPECT_EQ(Card()->State(), dsBrowse);
    Click(bar->ItemButton(0));
    ChoosePlaceOfWork(card, u"городской округ Северск");
    Click(bar->ItemButton(1));
    terBody = Shown(card->DBText2);
    terPlace = Shown(card->DBText1);
    card->Close();
  });
  EXPECT_EQ(PersonValue("DOLGNAME", person), "главный специалист");
  EXPECT_EQ(PersonValue("M_RAYON_DEPID", person),
            Scalar("select M_RAYON_DEPID from M_RAYON_DEP where SHORTNAME = 'г. Северск'"));
  EXPECT_EQ(orgBody, "Минфин области");
  EXPECT_FALSE(orgPlace.empty());
  EXPECT_EQ(terBody, "");
  EXPECT_NE(terPlace.find("г. Северск"), std::string::npos) << terPlace;
}

TEST_F(CardTest, ATrainingRecordIsAddedWithAnInstitutionAndADate) {
  Start();
  const int person = List()->FieldByName(u"O_PEOPLEID")->AsInteger();
  const std::string before =
      Scalar(("select count(*) from O_EDU where O_PEOPLEID = " + std::to_string(person)).c_str());
  WithCard([&](TTrenvikForm* card) {
    ShowPage(card, 1);
    TActionToolBar* bar = card->ActionToolBar2;
    EXPECT_EQ(Text(bar->ItemButton(0)->Caption()), "Добавить");
    Click(bar->ItemButton(0));
    ASSERT_EQ(Edu()->State(), dsInsert);
    EXPECT_EQ(Edu()->FieldByName(u"O_PEOPLEID")->AsInteger(), person) << "taken from the card";
    Edu()->FieldByName(u"M_COLLAGEID")->SetAsInteger(2);
    Edu()->FieldByName(u"DATEFINISH")->SetAsDateTime(EncodeDate(2026, 6, 30));
    Click(bar->ItemButton(4));  // "Сохранить"
    EXPECT_EQ(Edu()->State(), dsBrowse);
    card->Close();
  });
  EXPECT_EQ(Scalar(("select count(*) from O_EDU where O_PEOPLEID = " + std::to_string(person)).c_str()),
            std::to_string(std::stoi(before) + 1));
  EXPECT_EQ(Scalar(("select count(*) from O_EDU where O_PEOPLEID = " + std::to_string(person) +
                    " and M_COLLAGEID = 2")
                       .c_str()),
            "1");
}

TEST_F(CardTest, ANewCardIsEnteredFromAddAndBecomesTheListsCurrentRow) {
  Start(5);
  std::vector<std::string> refusal;
  bool startedEmpty = false;
  WithCard(
      [&](TTrenvikForm* card) {
        startedEmpty = Card()->IsEmpty();
        // Training records need a stored card first.
        ShowPage(card, 1);
        Click(card->ActionToolBar2->ItemButton(0));
        EXPECT_EQ(Edu()->State(), dsBrowse);
        EXPECT_TRUE(Edu()->IsEmpty());
        for (auto& b : boxes) refusal.push_back(b.Text);
        ShowPage(card, 0);
        Click(card->ActionToolBar3->ItemButton(0));  // "Изменить" starts the new card
        EXPECT_EQ(Card()->State(), dsInsert);
        Card()->FieldByName(u"FSTNAME")->SetAsString(u"Яблоков");
        Card()->FieldByName(u"SECNAME")->SetAsString(u"Пётр");
        Click(card->ActionToolBar3->ItemButton(1));
        card->Close();
      },
      MainForm->AAddPeople);
  EXPECT_TRUE(startedEmpty);
  EXPECT_EQ(refusal, std::vector<std::string>{"Сначала заполните для новой записи рег. данные"});
  EXPECT_EQ(Scalar("select count(*) from O_PEOPLE"), "6");
  EXPECT_EQ(Text(List()->FieldByName(u"FSTNAME")->AsString()), "Яблоков");
  EXPECT_EQ(List()->RecordCount(), 6);
}

TEST_F(CardTest, DelInThePlaceOfWorkTreeDeletesTheNodeOnlyAfterItsConfirmation) {
  Start();
  const int nodes = std::stoi(Scalar("select count(*) from M_RAYON_DEP"));
  for (int answer : {IDCANCEL, IDYES}) {
    boxes.clear();
    SetMessageBoxHook([this, answer](const String& T, const String& C, UINT Type) {
      boxes.push_back({StringToUtf8(T), StringToUtf8(C), Type});
      return answer;
    });
    WithCard([&](TTrenvikForm* card) {
      Click(card->ActionToolBar3->ItemButton(0));
      ChoosePlaceOfWork(card, u"Министерство финансов области");
      card->dxDBLookupTreeView1->SetFocus();
      Pump();
      SimulateKeyPress(VK_DOWN, 4);  // Alt
      Pump();
      SimulateKeyPress(VK_DELETE);
      Pump();
      SimulateKeyPress(VK_ESCAPE);
      Pump();
      Card()->Cancel();
      card->Close();
    });
    EXPECT_EQ(boxes.size(), 1u) << "one confirmation";
    EXPECT_EQ(Scalar("select count(*) from M_RAYON_DEP"),
              std::to_string(answer == IDYES ? nodes - 1 : nodes));
  }
}

TEST_F(CardTest, ClosingTheCardDropsUnpostedEdits) {
  Start();
  const int person = List()->FieldByName(u"O_PEOPLEID")->AsInteger();
  const std::string surname = PersonValue("FSTNAME", person);
  WithCard([&](TTrenvikForm* card) {
    Click(card->ActionToolBar3->ItemButton(0));
    Card()->FieldByName(u"FSTNAME")->SetAsString(u"Изменённый");
    card->Close();
  });
  EXPECT_EQ(PersonValue("FSTNAME", person), surname);
  EXPECT_TRUE(boxes.empty()) << "closing asks nothing";
}

}  // namespace
