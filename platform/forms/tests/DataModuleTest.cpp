// Data modules: listed by Screen while alive, found by name, OnCreate once after construction,
// OnDestroy once before they go (its exception handed to the application).
#include "platform/forms/DataModule.h"
#include "platform/forms/tests/FormsTestSupport.h"

class DataModuleTest : public FormsTest {};

TEST_F(DataModuleTest, ScreenListsModulesAndTheirEventsRunOnce) {
  const int before = Screen->DataModuleCount();
  auto* module = new TDataModule(Application);
  module->SetName(u"Storage");
  module->OnCreate = [](TObject*) { Note("create"); };
  module->OnDestroy = [](TObject*) { Note("destroy"); };
  module->AfterConstruction();
  module->AfterConstruction();
  ASSERT_EQ(Screen->DataModuleCount(), before + 1);
  EXPECT_EQ(Screen->DataModules(before), module);
  EXPECT_EQ(FindGlobalComponent(u"storage"), module);
  module->BeforeDestruction();
  delete module;
  EXPECT_EQ(Screen->DataModuleCount(), before);
  EXPECT_EQ(FindGlobalComponent(u"Storage"), nullptr);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"create", "destroy"}));
}

TEST_F(DataModuleTest, AFailingOnDestroyStillFreesTheModule) {
  auto* module = new TDataModule(Application);
  module->OnDestroy = [](TObject*) { throw EDatabaseError("closing failed"); };
  String shown;
  Application->OnException = [&](TObject*, Exception& E) { shown = E.Message(); };
  delete module;
  EXPECT_EQ(shown, u"closing failed");
  EXPECT_EQ(Screen->DataModuleCount(), 0);
}
