#include "cx/editors/cxComboBox.h"

#include <string>
#include <vector>

#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/win/Metrics.h"

namespace {

class CxComboBoxTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 300);
    combo = Add<TcxComboBox>(form, 10, 10, 200, 21);
    other = Add<TcxTextEdit>(form, 10, 250, 200, 21);
    for (const char16_t* item : {u"Бухгалтерия", u"Отдел кадров", u"Отдел снабжения", u"Приёмная"})
      Items()->Add(item);
    form->Show();
    Pump();
    combo->SetFocus();
    Pump();
  }

  TStringList* Items() { return combo->ActiveProperties()->Items(); }
  TcxComboBoxListBox* List() { return combo->ComboLookupData()->ListBox(); }
  bool Open() { return combo->DroppedDown(); }
  static void Type(const String& AText) {
    SimulateText(AText);
    Pump();
  }

  TForm* form = nullptr;
  TcxComboBox* combo = nullptr;
  TcxTextEdit* other = nullptr;
};

TEST_F(CxComboBoxTest, KeysOpenMoveAcceptAndCancel) {
  struct Step {
    const char* what;
    UINT key, modifiers;
    bool open;
    const char16_t* text;
  };
  const Step steps[] = {
      {"F4 opens", VK_F4, 0, true, u""},
      {"Down moves the list only", VK_DOWN, 0, true, u""},
      {"Enter accepts the list's row", VK_RETURN, 0, false, u"Бухгалтерия"},
      {"Alt+Down opens", VK_DOWN, 4, true, u"Бухгалтерия"},
      {"Down again", VK_DOWN, 0, true, u"Бухгалтерия"},
      {"Esc closes without accepting", VK_ESCAPE, 0, false, u"Бухгалтерия"},
      {"F4 opens again", VK_F4, 0, true, u"Бухгалтерия"},
      {"Down", VK_DOWN, 0, true, u"Бухгалтерия"},
      {"Alt+Up accepts and closes", VK_UP, 4, false, u"Отдел кадров"},
      {"F4 opens", VK_F4, 0, true, u"Отдел кадров"},
      {"F4 closes accepting", VK_F4, 0, false, u"Отдел кадров"},
      {"Down on a closed list moves the item", VK_DOWN, 0, false, u"Отдел снабжения"},
      {"Ctrl+PgDn goes to the last", VK_NEXT, 2, false, u"Приёмная"},
  };
  for (const Step& s : steps) {
    Key(s.key, s.modifiers);
    EXPECT_EQ(Open(), s.open) << s.what;
    EXPECT_EQ(combo->Text(), s.text) << s.what;
  }
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(VarToStr(combo->EditValue()), u"Приёмная");
}

}  // namespace
