// Message boxes answered by simulated keys: default and cancel buttons, arrows, accelerators,
// the texts shown, and the message dialog's captions.
#include "platform/forms/tests/FormsTestSupport.h"

namespace {
struct TShownBox {
  std::string caption, text;
  std::vector<std::string> buttons;
};

TShownBox Describe(TCustomForm* f) {
  TShownBox b;
  b.caption = StringToUtf8(f->Caption());
  if (auto* m = dynamic_cast<TControl*>(f->FindComponent(u"Message"))) b.text = StringToUtf8(m->Caption());
  for (int i = 0; i < f->ControlCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(f->Controls(i)))
      b.buttons.push_back(StringToUtf8(button->Caption()));
  return b;
}
}  // namespace

class MessageBoxTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    owner = MakeForm(100, 100, 400, 300);
    owner->Show();
    Pump();
    Screen->OnActiveFormChange = [this](TObject*) {
      if (TCustomForm* f = Screen->ActiveForm(); f && f->FindComponent(u"Message")) {
        shown.push_back(Describe(f));
        ownerEnabledWhileShown = IsWindowEnabled(owner->Handle());
      }
    };
  }
  void TearDown() override {
    Screen->OnActiveFormChange = nullptr;
    FormsTest::TearDown();
  }

  // Queues the keys, then shows the box; its modal loop reads them.
  int Answer(UINT type, std::initializer_list<std::pair<UINT, UINT>> keys,
             const String& text = u"Delete the record?") {
    for (auto [vk, mods] : keys) SimulateKeyPress(vk, mods);
    return MessageBox(owner->Handle(), text, u"Вопрос", type);
  }

  TForm* owner = nullptr;
  std::vector<TShownBox> shown;
  bool ownerEnabledWhileShown = true;
};

TEST_F(MessageBoxTest, KeysAnswerTheBoxByItsButtons) {
  struct {
    const char* name;
    UINT type;
    std::initializer_list<std::pair<UINT, UINT>> keys;
    int expected;
  } cases[] = {
      {"Enter takes the default button", MB_YESNOCANCEL | MB_ICONQUESTION, {{VK_RETURN, 0}}, IDYES},
      {"Esc takes Cancel", MB_YESNOCANCEL, {{VK_ESCAPE, 0}}, IDCANCEL},
      {"Tab then Enter takes the next button", MB_YESNOCANCEL, {{VK_TAB, 0}, {VK_RETURN, 0}}, IDNO},
      {"an arrow moves between the buttons",
       MB_YESNOCANCEL,
       {{VK_RIGHT, 0}, {VK_RIGHT, 0}, {VK_RETURN, 0}},
       IDCANCEL},
      {"the accelerator letter", MB_YESNO, {{'N', 0}}, IDNO},
      {"Alt with the accelerator", MB_YESNO, {{'Y', 4}}, IDYES},
      {"second button as default", MB_YESNO | MB_DEFBUTTON2, {{VK_RETURN, 0}}, IDNO},
      {"Esc without Cancel does nothing", MB_YESNO, {{VK_ESCAPE, 0}, {VK_RETURN, 0}}, IDYES},
      {"Esc answers OK when it is the only button", MB_OK | MB_ICONERROR, {{VK_ESCAPE, 0}}, IDOK},
      {"Space presses the focused button", MB_OKCANCEL, {{VK_TAB, 0}, {VK_SPACE, 0}}, IDCANCEL},
      {"retry and cancel", MB_RETRYCANCEL, {{VK_RETURN, 0}}, IDRETRY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Answer(c.type, c.keys), c.expected);
    EXPECT_EQ(Screen->ActiveForm(), owner);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    FlushSimulatedInput();
    ResetInputState();
  }
  EXPECT_FALSE(ownerEnabledWhileShown);
}

TEST_F(MessageBoxTest, TheBoxShowsItsCaptionTextAndButtons) {
  Answer(MB_YESNOCANCEL | MB_ICONQUESTION, {{VK_ESCAPE, 0}}, u"Удалить текущую запись?");
  Answer(MB_YESNO, {{VK_RETURN, 0}}, u"First line\n\rSecond line");
  Answer(MB_ABORTRETRYIGNORE, {{'I', 0}});
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].caption, "Вопрос");
  EXPECT_EQ(shown[0].text, "Удалить текущую запись?");
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
  EXPECT_EQ(shown[1].text, "First line\nSecond line");  // LF then CR is one line break
  EXPECT_EQ(shown[1].buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(shown[2].buttons, (std::vector<std::string>{"&Abort", "&Retry", "&Ignore"}));
}

TEST_F(MessageBoxTest, ApplicationMessageBoxAndMessageDlg) {
  Application->SetTitle(u"Trenvik");
  SimulateKeyPress(VK_RETURN);
  EXPECT_EQ(Application->MessageBox(u"Saved", u"", MB_OK | MB_ICONINFORMATION), IDOK);
  SimulateKeyPress(VK_ESCAPE);
  EXPECT_EQ(MessageDlg(u"Delete the node?", mtConfirmation, mbOKCancel), mrCancel);
  SimulateKeyPress(VK_RETURN);
  EXPECT_EQ(MessageDlg(u"Overwrite?", mtWarning, TMsgDlgButtons{mbYes, mbNo}), mrYes);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].caption, "Trenvik");  // an empty caption is the title's
  EXPECT_EQ(shown[1].caption, "Confirm");
  EXPECT_EQ(shown[1].buttons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(shown[2].caption, "Warning");

  // Tests of other parts answer boxes without showing them.
  std::string seen;
  SetMessageBoxHook([&](const String& Text, const String& Caption, UINT Type) {
    seen = StringToUtf8(Caption) + ": " + StringToUtf8(Text) +
           ((Type & MB_TYPEMASK) == MB_YESNO ? " (yes/no)" : "");
    return IDNO;
  });
  EXPECT_EQ(MessageBox(owner->Handle(), u"Delete?", u"Внимание", MB_YESNO), IDNO);
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(seen, "Внимание: Delete? (yes/no)");
  EXPECT_EQ(shown.size(), 3u);
}
