// Help requests are recorded, not shown; F1 sends WM_HELP up from the focused control.
#include "platform/forms/tests/FormsTestSupport.h"

namespace {

using HelpTest = FormsTest;

TEST_F(HelpTest, RequestsAreRecordedUnlessOnHelpAnswers) {
  HelpRequests().clear();
  Application->SetHelpFile(u"EDU.HLP");
  EXPECT_TRUE(Application->HelpContext(120));
  EXPECT_TRUE(Application->HelpCommand(HELP_SETPOPUP_POS, MAKELPARAM(10, 20)));
  ASSERT_EQ(HelpRequests().size(), 2u);
  EXPECT_EQ(HelpRequests()[0].file, u"EDU.HLP");
  EXPECT_EQ(HelpRequests()[0].command, HELP_CONTEXT);
  EXPECT_EQ(HelpRequests()[0].data, 120u);
  EXPECT_EQ(HelpRequests()[1].command, HELP_SETPOPUP_POS);

  Application->OnHelp = [](UINT command, ULONG_PTR, bool& callHelp) {
    callHelp = command != HELP_CONTEXTPOPUP;
    return false;
  };
  EXPECT_FALSE(Application->HelpCommand(HELP_CONTEXTPOPUP, 7));
  EXPECT_EQ(HelpRequests().size(), 2u);
  Application->OnHelp = nullptr;
  Application->SetHelpFile(u"");
  HelpRequests().clear();
}

TEST_F(HelpTest, F1SendsHelpUpFromTheFocusedControl) {
  TForm* form = MakeForm();
  form->Show();
  auto* edit = Add<TEdit>(form, "Edit", 10, 10, 100, 24);
  edit->SetFocus();
  Pump();
  HWND from = nullptr;
  form->WindowProc = [&, old = form->WindowProc](TMessage& m) {
    if (m.Msg == WM_HELP) from = reinterpret_cast<HELPINFO*>(m.LParam)->hItemHandle;
    old(m);
  };
  Key(VK_F1);
  EXPECT_EQ(from, edit->Handle());
}

}  // namespace
