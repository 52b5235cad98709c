// Dataset actions: the enabled state follows the dataset through the idle update, tool buttons
// bound to the actions move and edit the dataset through the real message path.
#include <gtest/gtest.h>

#include <memory>

#include "platform/data/DB.h"
#include "platform/data/MemoryDataSet.h"
#include "platform/dbctrls/DBActns.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/testing/IdleStep.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Windows.h"

namespace {

class DataSetActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetInputState();
    FlushSimulatedInput();
    form.reset(NewForm<TForm>(nullptr));
    form->SetBounds(100, 100, 400, 200);
    data = new TMemoryDataSet(form.get());
    data->AddFieldDef(u"NAME", ftWideString, 20);
    for (const char16_t* n : {u"Иванов", u"Петров", u"Сидоров"}) data->AddRow({Variant(String(n))});
    source = new TDataSource(form.get());
    source->SetDataSet(data);
    list = new TActionList(form.get());
    bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    first = Make<TDataSetFirst>();
    prior = Make<TDataSetPrior>();
    next = Make<TDataSetNext>();
    last = Make<TDataSetLast>();
    insert = Make<TDataSetInsert>();
    del = Make<TDataSetDelete>();
    edit = Make<TDataSetEdit>();
    post = Make<TDataSetPost>();
    cancel = Make<TDataSetCancel>();
    refresh = Make<TDataSetRefresh>();
    form->Show();
    Idle();
  }
  void TearDown() override {
    form.reset();
    Application->ProcessMessages();
  }

  // Each action gets a tool button: the idle update runs for actions that have visible clients.
  template <class T>
  T* Make() {
    auto* a = new T(form.get());
    a->SetActionList(list);
    a->SetDataSource(source);
    auto* b = new TToolButton(form.get());
    b->SetParent(bar);
    b->SetAction(a);
    buttons.push_back(b);
    return a;
  }
  static void Idle() { RunUntilIdle(); }
  // The enabled actions, in the order made.
  std::string Enabled() const {
    std::string s;
    for (TDataSetAction* a : {static_cast<TDataSetAction*>(first), static_cast<TDataSetAction*>(prior),
                              static_cast<TDataSetAction*>(next), static_cast<TDataSetAction*>(last),
                              static_cast<TDataSetAction*>(insert), static_cast<TDataSetAction*>(del),
                              static_cast<TDataSetAction*>(edit), static_cast<TDataSetAction*>(post),
                              static_cast<TDataSetAction*>(cancel), static_cast<TDataSetAction*>(refresh)})
      s += a->Enabled() ? '+' : '.';
    return s;
  }
  void ClickButton(TToolButton* b) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, b->ClientToScreen(POINT{5, 5}));
    Idle();
  }

  VirtualClockScope clock_;
  std::unique_ptr<TForm> form;
  TMemoryDataSet* data = nullptr;
  TDataSource* source = nullptr;
  TActionList* list = nullptr;
  TToolBar* bar = nullptr;
  std::vector<TToolButton*> buttons;
  TDataSetFirst* first = nullptr;
  TDataSetPrior* prior = nullptr;
  TDataSetNext* next = nullptr;
  TDataSetLast* last = nullptr;
  TDataSetInsert* insert = nullptr;
  TDataSetDelete* del = nullptr;
  TDataSetEdit* edit = nullptr;
  TDataSetPost* post = nullptr;
  TDataSetCancel* cancel = nullptr;
  TDataSetRefresh* refresh = nullptr;
};

}  // namespace

TEST_F(DataSetActionsTest, EnabledStatesFollowTheDataset) {
  //                              first prior next last insert delete edit post cancel refresh
  EXPECT_EQ(Enabled(), "..........") << "closed";
  data->Open();
  Idle();
  EXPECT_EQ(Enabled(), "..+++++..+") << "on the first row";
  data->Next();
  Idle();
  EXPECT_EQ(Enabled(), "+++++++..+");
  data->Last();
  Idle();
  EXPECT_EQ(Enabled(), "++..+++..+") << "on the last row";
  data->Edit();
  Idle();
  EXPECT_EQ(Enabled(), "++...+.+++") << "editing: post and cancel, no insert or edit";
  data->Cancel();
  while (!data->IsEmpty()) data->Delete();
  Idle();
  EXPECT_EQ(Enabled(), "....+.+..+") << "empty: nothing to delete";
  del->SetDataSource(nullptr);  // without a source of its own: no focused data-aware control takes it
  Idle();
  EXPECT_FALSE(del->Enabled());
}

TEST_F(DataSetActionsTest, ToolButtonsRunTheActionsOnTheDataset) {
  data->Open();
  Idle();
  ClickButton(buttons[2]);  // next
  EXPECT_EQ(data->RecNo(), 2);
  ClickButton(buttons[3]);  // last
  EXPECT_EQ(data->RecNo(), 3);
  EXPECT_FALSE(buttons[2]->Enabled()) << "next is off at the end";
  ClickButton(buttons[2]);
  EXPECT_EQ(data->RecNo(), 3);
  ClickButton(buttons[6]);  // edit
  EXPECT_EQ(data->State(), dsEdit);
  data->FieldByName(u"NAME")->SetAsString(u"Смирнов");
  ClickButton(buttons[7]);  // post
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(data->FieldByName(u"NAME")->AsString(), u"Смирнов");
  ClickButton(buttons[5]);  // delete
  EXPECT_EQ(data->RecordCount(), 2);
  ClickButton(buttons[0]);  // first
  EXPECT_EQ(data->RecNo(), 1);
}

TEST_F(DataSetActionsTest, AFreedDataSourceLeavesTheActionsDisabled) {
  data->Open();
  Idle();
  delete source;
  Idle();
  EXPECT_EQ(first->DataSource(), nullptr);
  EXPECT_EQ(Enabled(), "..........");
}

namespace {
// A focused data-aware control: dataset actions without a source of their own reach its link.
class TLinkedBox : public TCustomControl {
  TRENVIK_CLASS(TLinkedBox, TCustomControl);

 public:
  explicit TLinkedBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    SetBounds(10, 60, 100, 30);
  }
  TDataLink Link;
  bool ExecuteAction(TBasicAction* Action) override {
    return Link.ExecuteAction(Action) || inherited::ExecuteAction(Action);
  }
  bool UpdateAction(TBasicAction* Action) override {
    return Link.UpdateAction(Action) || inherited::UpdateAction(Action);
  }
};
TRENVIK_IMPLEMENT_CLASS(TLinkedBox)
}  // namespace

TEST_F(DataSetActionsTest, WithoutASourceOfTheirOwnActionsReachTheFocusedControlsLink) {
  data->Open();
  next->SetDataSource(nullptr);
  auto* box = new TLinkedBox(form.get());
  box->SetParent(form.get());
  Idle();
  EXPECT_FALSE(next->Enabled()) << "no focused data-aware control";
  box->Link.SetDataSource(source);
  box->SetFocus();
  Idle();
  EXPECT_TRUE(next->Enabled());
  ClickButton(buttons[2]);
  EXPECT_EQ(data->RecNo(), 2);
  box->Link.SetDataSource(nullptr);
  Idle();
  EXPECT_FALSE(next->Enabled());
}
