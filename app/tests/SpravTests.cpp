// The reference window on a real demo database, opened from the main window's "Справочники":
// the data sets it opens, the tree's commands enabled by node kind, adding and deleting nodes with
// their questions, the synonym window's columns, and a contract date set through the date dialog.
#include <functional>

#include "app/DateDlg.h"
#include "app/ShowSynonym.h"
#include "app/SpravForm.h"
#include "app/tests/AppTestSupport.h"
#include "platform/forms/testing/IdleStep.h"

namespace {

class SpravTest : public AppTest {
 protected:
  void Start() {
    StartShowingList(5);
    SpravForm = NewForm<TSpravForm>(nullptr);  // as the program makes it at start
  }
  TADODataSet* Tree() const { return DataModule2->M_DEP; }
  // Opens the reference window from the menu; Script runs inside its modal loop and must close it.
  void WithSprav(std::function<void(TSpravForm*)> Script) {
    WhenModal<TSpravForm>([Script](TSpravForm* sprav) {
      RunUntilIdle();
      Script(sprav);
    });
    MainForm->ASprav->Execute();
    RunUntilIdle();
  }
  // Message boxes answered in turn by Answers.
  void Answer(std::vector<int> Answers) {
    SetMessageBoxHook([this, Answers, n = size_t(0)](const String& T, const String& C, UINT Type) mutable {
      boxes.push_back({StringToUtf8(T), StringToUtf8(C), Type});
      return n < Answers.size() ? Answers[n++] : IDCANCEL;
    });
  }
  void TearDown() override {
    delete SpravForm;
    SpravForm = nullptr;
    AppTest::TearDown();
  }
  void GoToNode(const char16_t* ShortName) {
    ASSERT_TRUE(Tree()->Locate(u"SHORTNAME", Variant(String(ShortName)), {}));
  }
};

TEST_F(SpravTest, ShowingOpensTheReferenceDataSetsAndFreesTheWindowAfterwards) {
  Start();
  TDataModule2* dm = DataModule2;
  std::string caption;
  std::vector<std::string> contractTitles;
  WithSprav([&](TSpravForm* s) {
    caption = Text(s->Caption());
    EXPECT_EQ(s->PageControl1->ActivePage(), s->TabSheet1);
    for (TDataSet* d : {static_cast<TDataSet*>(dm->M_COLLAGE), static_cast<TDataSet*>(dm->O_COLLAGE_DOGOVOR),
                        static_cast<TDataSet*>(dm->M_KATEDU), static_cast<TDataSet*>(dm->M_ASSESS),
                        static_cast<TDataSet*>(dm->M_KAT), static_cast<TDataSet*>(dm->M_SEX),
                        static_cast<TDataSet*>(dm->M_DEP)})
      EXPECT_TRUE(d->Active()) << Text(d->Name());
    for (int i = 0; i < s->DBGrid4->Columns()->Count(); ++i)
      contractTitles.push_back(Text(s->DBGrid4->Columns()->Items(i)->Title()->Caption()));
    EXPECT_EQ(s->CollageDBGrid->GetAbsoluteCount(), dm->M_COLLAGE->RecordCount());
    EXPECT_EQ(s->DBTreeList->PopupMenu(), s->PopupMenu3);
    s->Close();
  });
  EXPECT_EQ(caption, "Справочники");
  EXPECT_EQ(contractTitles, (std::vector<std::string>{"Договор о сотрудничестве", "С", "ПО"}));
  EXPECT_EQ(SpravForm, nullptr) << "freed after the showing";
  EXPECT_TRUE(dm->M_DEP->Active()) << "the data sets stay open";
  // The next showing makes a new window.
  bool shownAgain = false;
  WithSprav([&](TSpravForm* s) {
    shownAgain = true;
    s->Close();
  });
  EXPECT_TRUE(shownAgain);
}

TEST_F(SpravTest, TheTreesCommandsFollowTheKindOfTheCurrentNode) {
  Start();
  struct Case {
    const char16_t* node;
    bool addTerritory, delTerritory, addDep, delDep;
  };
  WithSprav([&](TSpravForm* s) {
    const Case cases[] = {
        {u"г. Северск", true, true, true, false},       // territory
        {u"Минфин области", false, false, true, true},  // state body
        {u"Отдел культуры", false, false, true, true},  // municipal body
        {u"Заречный район", true, true, true, false},
    };
    for (const Case& c : cases) {
      GoToNode(c.node);
      const std::string at = Text(c.node);
      EXPECT_EQ(s->AAddTerritory->Enabled(), c.addTerritory) << at;
      EXPECT_EQ(s->ADelTerritory->Enabled(), c.delTerritory) << at;
      EXPECT_EQ(s->AAddDep->Enabled(), c.addDep) << at;
      EXPECT_EQ(s->ADelDep->Enabled(), c.delDep) << at;
    }
    // Any other kind leaves the commands as they were.
    GoToNode(u"Облизбирком");
    for (bool on : {false, true}) {
      for (TAction* a : {s->AAddTerritory, s->ADelTerritory, s->AAddDep, s->ADelDep}) a->SetEnabled(on);
      DataModule2->M_DEPAfterScroll(Tree());
      for (TAction* a : {s->AAddTerritory, s->ADelTerritory, s->AAddDep, s->ADelDep})
        EXPECT_EQ(a->Enabled(), on) << Text(a->Name());
    }
    s->Close();
  });
  // Without the window the handler has nothing to change, and nothing fails.
  Tree()->First();
  Tree()->Next();
}

TEST_F(SpravTest, ANewNodeIsAChildOfTheCurrentOneOfItsKindNamedInPlace) {
  Start();
  const std::string parent = "";
  std::string parentKey;
  WithSprav([&](TSpravForm* s) {
    s->PageControl1->SetActivePage(s->TabSheet2);
    RunUntilIdle();
    GoToNode(u"г. Северск");
    parentKey = Text(Tree()->FieldByName(u"M_RAYON_DEPID")->AsString());
    s->AAddTerritory->Execute();
    RunUntilIdle();
    EXPECT_EQ(Tree()->State(), dsInsert);
    ASSERT_NE(s->DBTreeList->InplaceEditor(), nullptr);
    EXPECT_TRUE(IsWindowVisible(s->DBTreeList->InplaceEditor()->Handle())) << "named in place";
    SimulateText(u"Новый микрорайон");
    SimulateKeyPress(VK_RETURN);
    RunUntilIdle();
    if (Tree()->State() != dsBrowse) Tree()->Post();
    // An organisation added under a territory takes the territory's kind.
    GoToNode(u"г. Северск");
    s->AAddDep->Execute();
    RunUntilIdle();
    Tree()->FieldByName(u"SHORTNAME")->SetAsString(u"Новая управа");
    Tree()->Post();
    s->Close();
  });
  EXPECT_EQ(
      Scalar("select PARENT_ID || '/' || M_VIDDEPID from M_RAYON_DEP where SHORTNAME = 'Новый микрорайон'"),
      parentKey + "/3");
  EXPECT_EQ(Scalar("select PARENT_ID || '/' || M_VIDDEPID from M_RAYON_DEP where SHORTNAME = 'Новая управа'"),
            parentKey + "/3");
}

TEST_F(SpravTest, BothDeleteQuestionsDeleteOnlyOnYes) {
  Start();
  const std::string nodes = Scalar("select count(*) from M_RAYON_DEP");
  WithSprav([&](TSpravForm* s) {
    Answer({IDNO, IDYES, IDNO, IDYES});
    GoToNode(u"Избирательная комиссия");
    Tree()->Edit();
    Tree()->FieldByName(u"M_VIDDEPID")->SetAsInteger(3);  // a leaf territory
    Tree()->FieldByName(u"SHORTNAME")->SetAsString(u"Пустошь");
    Tree()->Post();
    s->ADelTerritory->Execute();
    EXPECT_EQ(Scalar("select count(*) from M_RAYON_DEP where SHORTNAME = 'Пустошь'"), "1") << "No";
    s->ADelTerritory->Execute();
    EXPECT_EQ(Scalar("select count(*) from M_RAYON_DEP where SHORTNAME = 'Пустошь'"), "0") << "Yes";
    EXPECT_TRUE(Tree()->Active()) << "the tree is read again";
    EXPECT_FALSE(Tree()->Locate(u"SHORTNAME", Variant(String(u"Пустошь")), {}));
    GoToNode(u"Минфин области");
    s->ADelDep->Execute();
    EXPECT_EQ(Scalar("select count(*) from M_RAYON_DEP where SHORTNAME = 'Минфин области'"), "1") << "No";
    s->ADelDep->Execute();
    EXPECT_EQ(Scalar("select count(*) from M_RAYON_DEP where SHORTNAME = 'Минфин области'"), "0") << "Yes";
    s->Close();
  });
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].Text, "Вы действительно хотите удалить территорию \"Пустошь\"?");
  EXPECT_EQ(boxes[2].Text, "Вы действительно хотите удалить организацию \"Минфин области\"?");
  for (const TShownBox& b : boxes) {
    EXPECT_EQ(b.Caption, "Внимание");
    EXPECT_EQ(b.Type, UINT(MB_YESNO | MB_ICONQUESTION));
  }
  EXPECT_EQ(Scalar("select count(*) from M_RAYON_DEP"), std::to_string(std::stoi(nodes) - 2));
}

TEST_F(SpravTest, TheSynonymWindowShowsTheNamesOfTheCurrentEntryAndCannotAdd) {
  Start();
  {
    TADOCommand add(nullptr);
    add.SetConnection(DataModule2->ADOConnection1);
    add.SetCommandText(
        u"insert into M_COLLAGESYNONYM (M_COLLAGEID, NAME) select M_COLLAGEID, 'Синоним ' || NAME from "
        u"M_COLLAGE");
    add.Execute();
  }
  struct Seen {
    std::string caption, key;
    std::vector<std::string> visible;
    int columns = 0, rows = 0;
    bool canInsert = true;
  } seen;
  WithSprav([&](TSpravForm* s) {
    DataModule2->M_COLLAGE->First();
    const String first = DataModule2->M_COLLAGE->FieldByName(u"NAME")->AsString();
    WhenModal<TShowSynonymForm>([&](TShowSynonymForm* w) {
      seen.caption = Text(w->Caption());
      seen.key = Text(w->dxDBGrid1->KeyField());
      seen.columns = w->dxDBGrid1->GetColumnCount();
      for (int i = 0; i < seen.columns; ++i)
        if (w->dxDBGrid1->GetColumn(i)->Visible())
          seen.visible.push_back(Text(w->dxDBGrid1->GetColumn(i)->Caption()));
      seen.rows = w->dxDBGrid1->GetAbsoluteCount();
      seen.canInsert = w->DBNavigator1->VisibleButtons().Contains(nbInsert) ||
                       w->dxDBGrid1->OptionsDB().Contains(edgoCanInsert);
      EXPECT_EQ(Text(DataModule2->M_COLLAGESYNONYM->FieldByName(u"NAME")->AsString()),
                "Синоним " + Text(first));
      ClickAt(w->ToolButton1, 5, 5);
    });
    ClickAt(s->ToolButton4, 5, 5);
    RunUntilIdle();
    EXPECT_EQ(s->ShowSynonymForm, nullptr);
    EXPECT_FALSE(DataModule2->M_COLLAGESYNONYM->Active()) << "closed with the window";
    s->Close();
  });
  EXPECT_EQ(seen.caption, "Синонимы");
  EXPECT_EQ(seen.key, "M_COLLAGESYNONYMID");
  EXPECT_EQ(seen.columns, 3) << "one per field";
  EXPECT_EQ(seen.visible, std::vector<std::string>{"наименование"});
  EXPECT_EQ(seen.rows, 1);
  EXPECT_FALSE(seen.canInsert);
}

TEST_F(SpravTest, PlaceOfWorkSynonymsFollowTheFocusedNode) {
  Start();
  WithSprav([&](TSpravForm* s) {
    s->PageControl1->SetActivePage(s->TabSheet2);
    RunUntilIdle();
    TParameter* p = DataModule2->M_DEPSYNONYM->Parameters()->ParamByName(u"M_RAYON_DEPID");
    GoToNode(u"г. Северск");
    RunUntilIdle();
    EXPECT_EQ(p->Value().AsInteger(), Tree()->FieldByName(u"M_RAYON_DEPID")->AsInteger());
    GoToNode(u"Минфин области");
    RunUntilIdle();
    EXPECT_EQ(p->Value().AsInteger(), Tree()->FieldByName(u"M_RAYON_DEPID")->AsInteger());
    s->Close();
  });
}

TEST_F(SpravTest, AContractDateIsSetThroughTheDateDialogWithoutTime) {
  Start();
  clock->SetNow(EncodeDate(2026, 12, 10) + EncodeTime(15, 30, 0, 0));
  TDateTime started = 0;
  WithSprav([&](TSpravForm* s) {
    TADODataSet* contracts = DataModule2->O_COLLAGE_DOGOVOR;
    contracts->First();
    contracts->Edit();
    contracts->FieldByName(u"DATEFINISH")->Clear();
    contracts->Post();
    s->DBGrid4->SetSelectedField(contracts->FieldByName(u"DATEFINISH"));
    WhenModal<TDateDlgForm>([&](TDateDlgForm* d) {
      EXPECT_EQ(Text(d->Caption()), "Укажите дату");
      started = d->DateTimePicker1->DateTime();
      d->DateTimePicker1->SetDateTime(EncodeDate(2029, 3, 1) + EncodeTime(9, 0, 0, 0));
      ClickAt(d->OKBtn, 10, 10);
    });
    s->DBGrid4EditButtonClick(s->DBGrid4);
    EXPECT_EQ(DateDlgForm, nullptr) << "freed";
    EXPECT_EQ(contracts->State(), dsEdit);
    contracts->Post();
    // Cancel stores nothing.
    WhenModal<TDateDlgForm>([&](TDateDlgForm* d) {
      d->DateTimePicker1->SetDateTime(EncodeDate(2031, 1, 1));
      ClickAt(d->CancelBtn, 10, 10);
    });
    s->DBGrid4EditButtonClick(s->DBGrid4);
    EXPECT_EQ(contracts->State(), dsBrowse);
    s->Close();
  });
  EXPECT_NEAR(started, EncodeDate(2026, 12, 10) + EncodeTime(15, 30, 0, 0), 1.0 / 86400)
      << "an empty date starts now";
  EXPECT_EQ(Scalar("select count(*) from O_COLLAGE_DOGOVOR where DATEFINISH = '2029-03-01 00:00:00'"), "1");
}

}  // namespace
