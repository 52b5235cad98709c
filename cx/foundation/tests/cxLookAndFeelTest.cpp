#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "cx/foundation/cxLookAndFeels.h"
#include "cx/foundation/dxThemeManager.h"
#include "platform/classes/TypInfo.h"
#include "platform/gdi/testing/TestThemeProvider.h"

namespace {

// Records what a look and feel announces to its owner.
struct TChangeLog {
  std::vector<TcxLookAndFeelValues> Changes;
  void Attach(TcxLookAndFeel* L) {
    L->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues V) { Changes.push_back(V); };
  }
  size_t Count() const { return Changes.size(); }
  TcxLookAndFeelValues Last() const { return Changes.empty() ? TcxLookAndFeelValues{} : Changes.back(); }
};

bool IsStored(TObject* AInstance, const char* AName) {
  const TPropInfo* Info = GetPropInfo(AInstance, S(AName));
  return Info && Info->IsStored(AInstance);
}

class LookAndFeelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(RootLookAndFeel(), nullptr);
    RootLookAndFeel()->Reset();
  }
  void TearDown() override { RootLookAndFeel()->Reset(); }
  TcxLookAndFeel* Root() { return RootLookAndFeel(); }
};

TEST_F(LookAndFeelTest, FreshObjectFollowsTheRootAndStoresNothing) {
  TcxLookAndFeel L(nullptr);
  EXPECT_EQ(L.Kind(), lfUltraFlat);
  EXPECT_FALSE(L.NativeStyle());
  EXPECT_TRUE(L.AssignedValues().Empty());
  EXPECT_EQ(L.MasterLookAndFeel(), Root());
  EXPECT_FALSE(IsStored(&L, "Kind"));
  EXPECT_FALSE(IsStored(&L, "NativeStyle"));
  EXPECT_FALSE(IsStored(&L, "AssignedValues"));
  EXPECT_EQ(Root()->MasterLookAndFeel(), nullptr);
}

TEST_F(LookAndFeelTest, SettingTheCurrentKindMarksItAssignedWithoutAnnouncing) {
  TcxLookAndFeel L(nullptr);
  TChangeLog Log;
  Log.Attach(&L);
  L.SetKind(lfUltraFlat);
  EXPECT_TRUE(L.AssignedValues().Contains(lfvKind));
  EXPECT_TRUE(IsStored(&L, "Kind"));
  EXPECT_EQ(Log.Count(), 0u);

  L.SetNativeStyle(true);
  EXPECT_TRUE(L.NativeStyle());
  ASSERT_EQ(Log.Count(), 1u);
  EXPECT_TRUE(Log.Last() == TcxLookAndFeelValues{lfvNativeStyle});
}

TEST_F(LookAndFeelTest, RootChangeReachesEveryLevelButLocallyAssignedValues) {
  TcxLookAndFeel A(nullptr), B(nullptr), C(nullptr), D(nullptr);
  B.SetMasterLookAndFeel(&A);
  C.SetMasterLookAndFeel(&B);
  D.SetMasterLookAndFeel(&B);
  D.SetKind(lfFlat);
  TChangeLog LogA, LogC, LogD;
  LogA.Attach(&A);
  LogC.Attach(&C);
  LogD.Attach(&D);

  Root()->SetKind(lfStandard);
  EXPECT_EQ(A.Kind(), lfStandard);
  EXPECT_EQ(B.Kind(), lfStandard);
  EXPECT_EQ(C.Kind(), lfStandard);
  EXPECT_EQ(D.Kind(), lfFlat);
  ASSERT_EQ(LogC.Count(), 1u);
  EXPECT_TRUE(LogC.Last() == TcxLookAndFeelValues{lfvKind});
  EXPECT_EQ(LogA.Count(), 1u);
  EXPECT_EQ(LogD.Count(), 0u);

  // The master's change of a value set locally is hidden; the other value still comes through.
  Root()->SetNativeStyle(true);
  EXPECT_TRUE(D.NativeStyle());
  ASSERT_EQ(LogD.Count(), 1u);
  EXPECT_TRUE(LogD.Last() == TcxLookAndFeelValues{lfvNativeStyle});
}

TEST_F(LookAndFeelTest, ClearingAssignedValuesFallsBackToTheMaster) {
  TcxLookAndFeel Master(nullptr), L(nullptr);
  Master.SetKind(lfStandard);
  L.SetMasterLookAndFeel(&Master);
  L.SetKind(lfFlat);
  TChangeLog Log;
  Log.Attach(&L);

  L.SetAssignedValues({});
  EXPECT_EQ(L.Kind(), lfStandard);
  ASSERT_EQ(Log.Count(), 1u);
  EXPECT_TRUE(Log.Last() == TcxLookAndFeelValues{lfvKind});
  L.Reset();
  EXPECT_EQ(Log.Count(), 1u);
}

TEST_F(LookAndFeelTest, FreeingAMasterMakesFollowersFollowTheRoot) {
  Root()->SetNativeStyle(false);
  auto Master = std::make_unique<TcxLookAndFeel>(nullptr);
  Master->SetKind(lfFlat);
  TcxLookAndFeel L(nullptr);
  L.SetMasterLookAndFeel(Master.get());
  ASSERT_EQ(L.Kind(), lfFlat);
  TChangeLog Log;
  Log.Attach(&L);

  Master.reset();
  EXPECT_EQ(L.MasterLookAndFeel(), Root());
  EXPECT_EQ(L.Kind(), lfUltraFlat);
  ASSERT_EQ(Log.Count(), 1u);
  EXPECT_TRUE(Log.Last() == TcxLookAndFeelValues{lfvKind});

  // It now hears the root.
  Root()->SetKind(lfStandard);
  EXPECT_EQ(L.Kind(), lfStandard);
}

TEST_F(LookAndFeelTest, MasterChoicesThatChangeNothingAreIgnored) {
  TcxLookAndFeel A(nullptr), B(nullptr);
  TChangeLog Log;
  Log.Attach(&A);
  A.SetMasterLookAndFeel(Root());  // already its master
  A.SetMasterLookAndFeel(&A);
  Root()->SetMasterLookAndFeel(&A);
  EXPECT_EQ(Root()->MasterLookAndFeel(), nullptr);
  // A cycle would send every change round for ever.
  B.SetMasterLookAndFeel(&A);
  A.SetMasterLookAndFeel(&B);
  EXPECT_EQ(A.MasterLookAndFeel(), Root());
  Root()->SetKind(lfFlat);
  EXPECT_EQ(B.Kind(), lfFlat);
  EXPECT_EQ(Log.Count(), 1u);
}

TEST_F(LookAndFeelTest, AssignCopiesValuesAndMasterAndAnnouncesOnce) {
  TcxLookAndFeel Master(nullptr), Source(nullptr), Target(nullptr);
  Master.SetNativeStyle(true);
  Source.SetMasterLookAndFeel(&Master);
  Source.SetKind(lfStandard);
  TChangeLog Log;
  Log.Attach(&Target);

  Target.Assign(&Source);
  EXPECT_EQ(Target.MasterLookAndFeel(), &Master);
  EXPECT_EQ(Target.Kind(), lfStandard);
  EXPECT_TRUE(Target.NativeStyle());
  EXPECT_TRUE(Target.AssignedValues() == TcxLookAndFeelValues{lfvKind});
  ASSERT_EQ(Log.Count(), 1u);
  EXPECT_TRUE(Log.Last() == (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));
}

TEST_F(LookAndFeelTest, PainterFollowsKindAndNativeStyle) {
  TcxLookAndFeel L(nullptr);
  const struct {
    TcxLookAndFeelKind Kind;
    TcxLookAndFeelPainterClass Painter;
  } Cases[] = {
      {lfFlat, TcxFlatLookAndFeelPainter::Class()},
      {lfStandard, TcxStandardLookAndFeelPainter::Class()},
      {lfUltraFlat, TcxUltraFlatLookAndFeelPainter::Class()},
  };
  for (const auto& C : Cases) {
    L.SetKind(C.Kind);
    EXPECT_EQ(L.Painter(), C.Painter) << C.Kind;
  }
  // Visual styles unavailable: the painter of the kind.
  L.SetNativeStyle(true);
  ASSERT_FALSE(dxThemesAvailable());
  EXPECT_EQ(L.Painter(), TcxUltraFlatLookAndFeelPainter::Class());
  EXPECT_FALSE(L.Painter()->IsNativePainter());
}

TEST_F(LookAndFeelTest, PainterFollowsTheThemeStateWithoutAnnouncement) {
  TcxLookAndFeel L(nullptr);
  L.SetKind(lfFlat);
  L.SetNativeStyle(true);
  TChangeLog Log;
  Log.Attach(&L);
  {
    TestThemeProvider Provider;
    ScopedThemeProvider Scope(&Provider);
    ASSERT_TRUE(dxThemesAvailable());
    EXPECT_EQ(L.Painter(), TcxWinXPLookAndFeelPainter::Class());
    EXPECT_TRUE(L.Painter()->IsNativePainter());
    L.SetNativeStyle(false);
    EXPECT_EQ(L.Painter(), TcxFlatLookAndFeelPainter::Class());
    L.SetNativeStyle(true);
  }
  EXPECT_EQ(L.Painter(), TcxFlatLookAndFeelPainter::Class());
  EXPECT_EQ(Log.Count(), 2u);
}

TEST_F(LookAndFeelTest, ControllersSetTheRootAndTheLastOneResetsIt) {
  TcxLookAndFeel L(nullptr);
  TChangeLog Log;
  Log.Attach(&L);
  auto First = std::make_unique<TcxLookAndFeelController>(nullptr);
  auto Second = std::make_unique<TcxLookAndFeelController>(nullptr);
  EXPECT_EQ(cxLookAndFeelControllerCount(), 2);
  EXPECT_EQ(First->Kind(), lfUltraFlat);

  First->SetKind(lfStandard);
  Second->SetNativeStyle(true);
  EXPECT_EQ(Root()->Kind(), lfStandard);
  EXPECT_TRUE(Root()->AssignedValues() == (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));
  EXPECT_EQ(Second->Kind(), lfStandard);
  EXPECT_EQ(L.Kind(), lfStandard);
  EXPECT_TRUE(L.NativeStyle());

  First.reset();
  EXPECT_EQ(Root()->Kind(), lfStandard);
  Log.Changes.clear();
  Second.reset();
  EXPECT_EQ(cxLookAndFeelControllerCount(), 0);
  EXPECT_TRUE(Root()->AssignedValues().Empty());
  EXPECT_EQ(L.Kind(), lfUltraFlat);
  EXPECT_FALSE(L.NativeStyle());
  ASSERT_EQ(Log.Count(), 1u);
  EXPECT_TRUE(Log.Last() == (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));
}

TEST_F(LookAndFeelTest, OnlyTheRootAcceptsControllersAndNoListenerTwice) {
  TcxLookAndFeel L(nullptr), Follower(nullptr);
  TcxLookAndFeelController Controller(nullptr);
  const int Before = L.ListenerCount();
  L.AddListener(&Controller);
  EXPECT_EQ(L.ListenerCount(), Before);
  Follower.SetMasterLookAndFeel(&L);
  L.AddListener(&Follower);
  L.AddListener(nullptr);
  EXPECT_EQ(L.ListenerCount(), Before + 1);
  const int RootListeners = Root()->ListenerCount();
  Root()->AddListener(&Controller);
  EXPECT_EQ(Root()->ListenerCount(), RootListeners);
  EXPECT_EQ(cxLookAndFeelControllerCount(), 1);
}

TEST_F(LookAndFeelTest, ControllerPublishesTheRootsValuesWithDefaults) {
  TcxLookAndFeelController Controller(nullptr);
  const TPropInfo* Kind = GetPropInfo(&Controller, S("Kind"));
  ASSERT_NE(Kind, nullptr);
  EXPECT_TRUE(Kind->HasDefault);
  EXPECT_EQ(Kind->OrdDefault, lfUltraFlat);
  EXPECT_EQ(GetOrdProp(&Controller, S("Kind")), lfUltraFlat);
  SetOrdProp(&Controller, S("Kind"), lfFlat);
  EXPECT_EQ(Root()->Kind(), lfFlat);
}

}  // namespace
