// TDBText and TDBNavigator over a real SQLite dataset: the text follows the record, the buttons
// follow the dataset's state and position and do what they say.
#include "platform/dbctrls/DBCtrls.h"
#include "platform/dbctrls/tests/DataControlsFixture.h"

namespace {

using NavigatorTest = DataControlsTest;

// The enabled buttons as a row of letters: F P N L I D E S C R, '.' where disabled.
std::string Enabled(TDBNavigator* n) {
  static const char kLetters[] = "FPNLIDESCR";
  std::string s;
  for (int i = 0; i < 10; ++i) s += n->Buttons(static_cast<TNavigateBtn>(i))->Enabled() ? kLetters[i] : '.';
  return s;
}

TEST_F(NavigatorTest, ButtonsFollowTheDatasetsStateAndPosition) {
  TADOQuery* q = Query(u"select * from KAT order by M_KATID");
  auto* nav = Add<TDBNavigator>(10, 10, 240, 25);
  EXPECT_EQ(Enabled(nav), "..........");
  nav->SetDataSource(Source(q));
  EXPECT_EQ(Enabled(nav), "..........");
  q->Open();
  q->First();
  EXPECT_EQ(Enabled(nav), "..NLIDE..R") << "at the first record";
  nav->BtnClick(nbNext);
  EXPECT_EQ(Enabled(nav), "FPNLIDE..R");
  nav->BtnClick(nbLast);
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_EQ(Enabled(nav), "FP..IDE..R");
  nav->BtnClick(nbEdit);
  EXPECT_EQ(q->State(), dsEdit);
  EXPECT_EQ(Enabled(nav), "FP..I..SC.");
  q->FieldByName(u"NAME")->SetAsString(u"Прочие");
  nav->BtnClick(nbPost);
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(Scalar(u"select NAME from KAT where M_KATID = 3"), "Прочие");
  nav->BtnClick(nbInsert);
  EXPECT_EQ(q->State(), dsInsert);
  nav->BtnClick(nbCancel);
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(Scalar(u"select count(*) from KAT"), "3");
  q->Close();
  EXPECT_EQ(Enabled(nav), "..........");
}

TEST_F(NavigatorTest, FirstAndPriorAreOffOnAnEmptyDatasetAndTheLayoutFollowsVisibleButtons) {
  auto* nav = Add<TDBNavigator>(10, 10, 100, 25);
  TADOQuery* q = Query(u"select * from KAT where 0");
  nav->SetDataSource(Source(q));
  q->Open();
  EXPECT_EQ(Enabled(nav), "....I.E..R");
  // Four visible buttons share the width, the odd pixels going to the last ones.
  nav->SetVisibleButtons(TButtonSet{nbFirst, nbPrior, nbNext, nbLast});
  EXPECT_FALSE(nav->Buttons(nbInsert)->Visible());
  nav->SetBounds(10, 10, 102, 25);
  EXPECT_EQ(nav->Buttons(nbFirst)->BoundsRect(), (RECT{0, 0, 25, 25}));
  EXPECT_EQ(nav->Buttons(nbNext)->BoundsRect(), (RECT{50, 0, 76, 25}));
  EXPECT_EQ(nav->Buttons(nbLast)->BoundsRect(), (RECT{76, 0, 102, 25}));
}

TEST_F(NavigatorTest, DeleteAsksFirstAndClicksReachTheEvents) {
  TADOQuery* q = Query(u"select * from KAT order by M_KATID");
  auto* nav = Add<TDBNavigator>(10, 10, 240, 25);
  nav->SetDataSource(Source(q));
  q->Open();
  std::vector<std::string> asked;
  int answer = IDCANCEL;
  SetMessageBoxHook([&](const String& text, const String&, UINT) {
    asked.push_back(StringToUtf8(text));
    return answer;
  });
  std::vector<TNavigateBtn> clicked;
  nav->OnClick = [&](TObject*, TNavigateBtn b) { clicked.push_back(b); };
  nav->BtnClick(nbDelete);
  EXPECT_EQ(asked, (std::vector<std::string>{"Delete record?"}));
  EXPECT_EQ(Scalar(u"select count(*) from KAT"), "3");
  answer = IDOK;
  // A click on the button itself: the delete button is the sixth of ten, 24 pixels each.
  Click(nav, 5 * 24 + 12, 12);
  EXPECT_EQ(Scalar(u"select count(*) from KAT"), "2");
  nav->SetConfirmDelete(false);
  nav->BtnClick(nbDelete);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(Scalar(u"select count(*) from KAT"), "1");
  EXPECT_EQ(clicked, (std::vector<TNavigateBtn>{nbDelete, nbDelete, nbDelete}));
}

TEST_F(NavigatorTest, HintsDefaultAndOwn) {
  auto* nav = Add<TDBNavigator>(10, 10, 240, 25);
  EXPECT_EQ(nav->Buttons(nbFirst)->Hint(), u"First record");
  EXPECT_EQ(nav->Buttons(nbRefresh)->Hint(), u"Refresh data");
  nav->Hints()->Add(u"");
  nav->Hints()->Add(u"Назад");
  EXPECT_EQ(nav->Buttons(nbFirst)->Hint(), u"First record");
  EXPECT_EQ(nav->Buttons(nbPrior)->Hint(), u"Назад");
}

TEST_F(NavigatorTest, DBTextShowsTheFieldsDisplayTextOfTheCurrentRecord) {
  TADOQuery* q = Query(u"select * from KAT order by M_KATID");
  auto* text = Add<TDBText>(10, 50, 200, 20);
  text->SetDataSource(Source(q));
  text->SetDataField(u"DATEBEGIN");
  q->Open();
  Pump();
  EXPECT_EQ(text->Caption(), u"");  // the label's own caption stays; it draws the field
  EXPECT_EQ(text->Field(), q->FieldByName(u"DATEBEGIN"));
  HDC dc = GetDC(form->Handle());
  // Ink of the first letter's cell (8 x 16) at the label's left: drawn in the window text colour.
  auto inked = [&] {
    int n = 0;
    for (int x = 10; x < 18; ++x)
      for (int y = 50; y < 66; ++y) n += GetPixel(dc, x, y) == ColorToColorRef(clWindowText);
    return n;
  };
  int first = inked();
  EXPECT_GT(first, 0);
  q->Last();  // no date: nothing drawn
  Pump();
  EXPECT_EQ(inked(), 0);
  ReleaseDC(form->Handle(), dc);
  q->Close();
  Pump();
}

}  // namespace
