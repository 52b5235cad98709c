#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/win/Shell.h"

namespace {

class CxTextEditTest : public CxControlsTest {
 protected:
  void MakeForm2() {
    form = MakeForm(100, 100, 420, 200);
    surname = Add<TcxTextEdit>(form, 10, 10, 200, 21);
    department = Add<TcxTextEdit>(form, 10, 40, 200, 21);
    form->Show();
    Pump();
    surname->SetFocus();
    Pump();
    ASSERT_TRUE(surname->Focused());
  }
  static void Type(const String& AText) {
    SimulateText(AText);
    Pump();
  }

  TForm* form = nullptr;
  TcxTextEdit* surname = nullptr;
  TcxTextEdit* department = nullptr;
};

TEST_F(CxTextEditTest, TypedCyrillicBecomesTheEditValueAndIsPostedOnExit) {
  MakeForm2();
  int valueChanges = 0;
  surname->ActiveProperties()->OnEditValueChanged = [&](TObject*) { ++valueChanges; };
  Type(u"Ёжиков");
  EXPECT_EQ(surname->Text(), u"Ёжиков");
  EXPECT_EQ(VarToStr(surname->EditValue()), u"Ёжиков");
  EXPECT_TRUE(surname->ModifiedAfterEnter());
  EXPECT_EQ(valueChanges, 6);
  Key(VK_TAB);
  EXPECT_TRUE(department->Focused());
  EXPECT_FALSE(surname->ModifiedAfterEnter());
}

TEST_F(CxTextEditTest, TypingCompletesFromLookupItemsCaseInsensitively) {
  MakeForm2();
  TStringList* items = department->ActiveProperties()->LookupItems();
  items->Add(u"Бухгалтерия");
  items->Add(u"Отдел кадров");
  items->Add(u"Отдел снабжения");
  department->SetFocus();
  Pump();
  struct Step {
    const char16_t* typed;
    const char16_t* text;
    int selStart, selLength;
  };
  const Step steps[] = {
      {u"о", u"Отдел кадров", 1, 11},
      {u"тдел с", u"Отдел снабжения", 7, 8},
      {u"x", u"Отдел сx", 8, 0},  // no item starts with it: free text
  };
  for (const Step& s : steps) {
    Type(s.typed);
    EXPECT_EQ(department->Text(), s.text) << StringToUtf8(s.typed);
    EXPECT_EQ(department->SelStart(), s.selStart);
    EXPECT_EQ(department->SelLength(), s.selLength);
  }
  EXPECT_EQ(department->ILookupData()->IsEmpty(), false);
}

TEST_F(CxTextEditTest, TheInnerEditConvertsTypedLettersInPlace) {
  MakeForm2();
  TCustomEdit* inner = surname->InnerTextEdit();
  struct Case {
    TEditCharCase charCase;
    const char16_t* typed;
    const char16_t* text;
  };
  const Case cases[] = {
      {ecUpperCase, u"abжё", u"ABЖЁ"},
      {ecLowerCase, u"ABЖЁ", u"abжё"},
  };
  for (const Case& c : cases) {
    surname->ActiveProperties()->SetCharCase(c.charCase);
    surname->SetText(String());
    int rewrites = 0;
    auto innerProc = inner->WindowProc;
    inner->WindowProc = [&](TMessage& m) {
      if (m.Msg == WM_SETTEXT) ++rewrites;
      innerProc(m);
    };
    Type(c.typed);
    inner->WindowProc = innerProc;
    EXPECT_EQ(surname->Text(), c.text);
    EXPECT_EQ(surname->SelStart(), 4) << "the caret follows the typing";
    EXPECT_EQ(rewrites, 0) << "typing never writes the text back";
    EXPECT_EQ(VarToStr(surname->EditValue()), c.text);
  }
}

TEST_F(CxTextEditTest, TheInnerEditTakesOemConversionAndTheAlignment) {
  MakeForm2();
  TCustomEdit* inner = surname->InnerTextEdit();
  auto alignment = [&] { return GetWindowLongPtr(inner->Handle(), GWL_STYLE) & (ES_CENTER | ES_RIGHT); };
  surname->ActiveProperties()->SetOEMConvert(true);
  EXPECT_TRUE(inner->OEMConvert());
  surname->SetText(u"Иванов");
  surname->ActiveProperties()->Alignment()->SetHorz(taRightJustify);
  EXPECT_EQ(alignment(), 0) << "left while editing, by default";
  surname->ActiveProperties()->SetUseLeftAlignmentOnEditing(false);
  EXPECT_EQ(alignment(), ES_RIGHT);
  EXPECT_EQ(surname->Text(), u"Иванов") << "the new window keeps the text";
  surname->ActiveProperties()->Alignment()->SetHorz(taCenter);
  EXPECT_EQ(alignment(), ES_CENTER);
  surname->ActiveProperties()->SetUseLeftAlignmentOnEditing(true);
  EXPECT_EQ(alignment(), 0);
}

TEST_F(CxTextEditTest, VerticalKeysGoToTheContainerAndNeverMoveTheCaret) {
  MakeForm2();
  std::vector<WORD> passed;
  surname->OnInplaceKeyDown = [&](TObject*, WORD& Key, TShiftState) { passed.push_back(Key); };
  Type(u"Иванов");
  surname->SetSelStart(3);
  for (WORD key : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT}) Key(key);
  EXPECT_EQ(passed, (std::vector<WORD>{VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT}));
  EXPECT_EQ(surname->SelStart(), 3) << "the window control never saw them";
  passed.clear();
  Key(VK_HOME);
  Key(VK_RIGHT);
  EXPECT_TRUE(passed.empty()) << "the edit keeps its line keys";
  EXPECT_EQ(surname->SelStart(), 1);
}

TEST_F(CxTextEditTest, BackspaceOverACompletionCompletesTheShorterPrefix) {
  MakeForm2();
  TStringList* items = surname->ActiveProperties()->LookupItems();
  items->Add(u"Apple");
  items->Add(u"apricot");
  struct Step {
    UINT key;  // 0: type the text
    const char16_t* typed;
    const char16_t* text;
    int selStart, selLength;
  };
  const Step steps[] = {
      {0, u"app", u"Apple", 3, 2},  {VK_BACK, nullptr, u"Apple", 2, 3},
      {0, u"r", u"apricot", 3, 4},  {VK_BACK, nullptr, u"Apple", 2, 3},
      {VK_BACK, nullptr, u"Apple", 1, 4}, {VK_BACK, nullptr, u"", 0, 0},
  };
  for (const Step& s : steps) {
    if (s.key)
      Key(s.key);
    else
      Type(s.typed);
    EXPECT_EQ(surname->Text(), s.text);
    EXPECT_EQ(surname->SelStart(), s.selStart) << StringToUtf8(s.text);
    EXPECT_EQ(surname->SelLength(), s.selLength) << StringToUtf8(s.text);
  }
  Type(u"xy");
  Key(VK_BACK);
  EXPECT_EQ(surname->Text(), u"x") << "without a completion Backspace erases as usual";
}

TEST_F(CxTextEditTest, TheEditsWindowTextIsItsDisplayValue) {
  MakeForm2();
  HWND edit = surname->Handle();
  surname->SetText(u"abcdef");
  EXPECT_EQ(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0), 6);
  Char buffer[8] = {u'?', u'?', u'?', u'?', u'?', u'?', u'?', u'?'};
  EXPECT_EQ(SendMessage(edit, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_EQ(String(buffer), u"abc") << "cut to the buffer, with its terminator";
  EXPECT_EQ(buffer[4], u'?') << "nothing written past the buffer";
  EXPECT_EQ(SendMessage(edit, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);

  EXPECT_EQ(SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Пётр")), 1);
  EXPECT_EQ(surname->Text(), u"Пётр");
  surname->ActiveProperties()->SetCharCase(ecUpperCase);
  EXPECT_EQ(SendMessage(edit, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(buffer)), 4);
  EXPECT_EQ(String(buffer), u"ПЁТР");
}

TEST_F(CxTextEditTest, ShorterLookupItemsThanTheCurrentOneAreTakenWithoutError) {
  MakeForm2();
  TStringList* items = surname->ActiveProperties()->LookupItems();
  for (const char16_t* item : {u"Абрамов", u"Борисов", u"Сидоров"}) items->Add(item);
  Type(u"с");
  ASSERT_EQ(surname->LookupData()->CurrentKey(), 2);
  TStringList shorter;
  shorter.Add(u"Абрамов");
  EXPECT_NO_THROW(surname->ActiveProperties()->SetLookupItems(&shorter));
  EXPECT_EQ(surname->LookupData()->CurrentKey(), -1);
  EXPECT_EQ(surname->Text(), u"Сидоров");
  surname->SetText(String());
  Type(u"а");
  EXPECT_EQ(surname->Text(), u"Абрамов");
}

TEST_F(CxTextEditTest, PasteIsCutToMaxLengthAndPasswordsShowAsterisks) {
  MakeForm2();
  surname->ActiveProperties()->SetMaxLength(8);
  Type(u"Иван");
  ASSERT_TRUE(PutClipboardText(surname->Handle(), u"ович-Петров"));
  SendMessage(surname->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(surname->Text(), u"Иванович");
  EXPECT_EQ(surname->SelStart(), 8);
  EXPECT_TRUE(surname->ModifiedAfterEnter());

  surname->ActiveProperties()->SetEchoMode(eemPassword);
  EXPECT_EQ(surname->InnerTextEdit()->PasswordChar(), u'*');
  EXPECT_EQ(surname->ActiveProperties()->GetDisplayText(Variant(String(u"тайна"))), u"*****");
}

TEST_F(CxTextEditTest, APasteOverASelectionIsCutToMaxLengthAndTakesTheLetterCase) {
  MakeForm2();
  surname->ActiveProperties()->SetMaxLength(5);
  surname->ActiveProperties()->SetCharCase(ecUpperCase);
  surname->SetText(u"abc");
  surname->SetSelStart(1);
  surname->SetSelLength(1);
  ASSERT_TRUE(PutClipboardText(surname->Handle(), u"12ж45"));
  SendMessage(surname->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(surname->Text(), u"A12Ж4");
  EXPECT_EQ(surname->SelStart(), 5);
  EXPECT_EQ(surname->SelLength(), 0);
}

TEST_F(CxTextEditTest, WithoutBeepOnEnterTheWindowControlNeverGetsEnter) {
  MakeForm2();
  std::vector<Char> edit, control;
  surname->OnKeyPress = [&](TObject*, Char& Key) { edit.push_back(Key); };
  surname->InnerTextEdit()->OnKeyPress = [&](TObject*, Char& Key) { control.push_back(Key); };
  Key(VK_RETURN);
  surname->SetBeepOnEnter(false);
  Key(VK_RETURN);
  EXPECT_EQ(edit, (std::vector<Char>{u'\r', u'\r'})) << "the edit sees every Enter";
  EXPECT_EQ(control, (std::vector<Char>{u'\r'})) << "the window control only the first";
}

TEST_F(CxTextEditTest, AnInvalidValueBeepsAndKeepsTheFocus) {
  MakeForm2();
  surname->ActiveProperties()->SetBeepOnError(true);
  surname->ActiveProperties()->OnValidate = [](TObject*, Variant& DisplayValue, String& ErrorText,
                                               bool& Error) {
    Error = VarToStr(DisplayValue).size() < 2;
    ErrorText.clear();
  };
  Type(u"Я");
  const int beeps = MessageBeepCount();
  Key(VK_TAB);
  EXPECT_TRUE(surname->Focused()) << "the focus stays in the invalid edit";
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  Type(u"ковлев");
  Key(VK_TAB);
  EXPECT_TRUE(department->Focused());
}

TEST_F(CxTextEditTest, EscRevertsTheTypedText) {
  MakeForm2();
  surname->SetEditValue(u"Смирнов");
  department->SetFocus();
  surname->SetFocus();
  Pump();
  Key(VK_END);
  Type(u"а");
  EXPECT_EQ(surname->Text(), u"Смирнова");
  Key(VK_ESCAPE);
  EXPECT_EQ(surname->Text(), u"Смирнов");
  EXPECT_EQ(VarToStr(surname->EditValue()), u"Смирнов");
}

TEST_F(CxTextEditTest, FormWithTextEditsAndCheckBoxesInEachLook) {
  form = MakeForm(50, 50, 600, 200);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat};
  int left = 10;
  for (TcxLookAndFeelKind kind : kinds) {
    auto* edit = Add<TcxTextEdit>(form, left, 10, 150, 21);
    edit->Style()->LookAndFeel()->SetKind(kind);
    edit->SetEditValue(u"Кузнецова");
    auto* box = Add<TcxCheckBox>(form, left, 40, 150, 21);
    box->Style()->LookAndFeel()->SetKind(kind);
    box->Properties()->SetCaption(u"В штате");
    box->SetChecked(kind != lfFlat);
    left += 180;
  }
  form->Show();
  Pump();
  // The unfocused flat edit shows its text: ink on the window colour, and none past the text.
  auto* flat = static_cast<TcxTextEdit*>(form->Controls(2));
  EXPECT_EQ(flat->Text(), u"Кузнецова");
  auto inkIn = [&](TControl* c, int X0, int X1) {
    int ink = 0;
    for (int y = 4; y < 17; ++y)
      for (int x = X0; x < X1; ++x) ink += ScreenPixel(c, x, y) != ColorToRGB(clWindow);
    return ink;
  };
  EXPECT_GT(inkIn(flat, 4, 60), 20);
  EXPECT_EQ(inkIn(flat, 100, 140), 0);
  KeepCheckedScreen("text edits and check boxes");
}

}  // namespace

namespace {

TEST_F(CxTextEditTest, InplaceTextEditInAPlainContainerPostsThroughItsUser) {
  form = MakeForm(100, 100, 400, 200);
  auto* panel = Add<TPanel>(form, 0, 0, 300, 100);
  TcxInplaceEditList list;
  TcxTextEditProperties column(nullptr);
  column.SetMaxLength(5);
  auto* edit = static_cast<TcxTextEdit*>(list.GetEdit(&column));
  ASSERT_TRUE(edit->IsInplace());
  EXPECT_EQ(edit->ActiveProperties()->MaxLength(), 5) << "the column's settings were copied";
  edit->SetParent(panel);
  edit->SetBounds(10, 10, 120, 21);
  edit->SetVisible(true);
  form->Show();
  Pump();
  edit->SetFocus();
  Pump();

  std::vector<Variant> posted;
  std::vector<WORD> passed;
  edit->OnInplacePost = [&](TObject* Sender) {
    posted.push_back(static_cast<TcxTextEdit*>(Sender)->EditValue());
  };
  edit->OnInplaceKeyDown = [&](TObject*, WORD& Key, TShiftState) { passed.push_back(Key); };
  Type(u"Сидоров");
  EXPECT_EQ(edit->Text(), u"Сидор") << "the native edit keeps the maximum length";
  Key(VK_LEFT);
  EXPECT_TRUE(passed.empty()) << "a text editor keeps its navigation keys";
  edit->PostEditValue();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(VarToStr(posted[0]), u"Сидор");
  EXPECT_FALSE(edit->Modified());
  edit->SetParent(nullptr);
}

}  // namespace

namespace {

class TSizedTextEdit : public TcxTextEdit {
 public:
  explicit TSizedTextEdit(TComponent* AOwner) : TcxTextEdit(AOwner) {}
  int initialized = 0;
  TcxEditDataFactory GetEditDataClass() override {
    return [] { return std::make_unique<TcxCustomEditData>(); };
  }
  void InitializeEditData() override { ++initialized; }
};

TEST_F(CxTextEditTest, ActivationByKeyTypesTheKeyAndKeepsTheContainersEditData) {
  form = MakeForm(100, 100, 400, 200);
  auto* edit = Add<TSizedTextEdit>(form, 10, 10, 150, 21);
  edit->SetVisible(false);
  form->Show();
  Pump();
  std::unique_ptr<TcxCustomEditData> cellData;
  edit->SetEditValue(String());
  edit->ActivateByKey(u'Ж', cellData);
  Pump();
  EXPECT_TRUE(edit->Visible());
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->Text(), u"Ж");
  ASSERT_NE(cellData, nullptr);
  EXPECT_EQ(edit->EditData(), cellData.get());
  TcxCustomEditData* first = cellData.get();
  edit->Activate(cellData);
  EXPECT_EQ(cellData.get(), first) << "the same data is used again";
  EXPECT_EQ(edit->initialized, 1);

  Type(u"ук");
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  edit->ActiveProperties()->OnValidate = [](TObject*, Variant&, String& ErrorText, bool& Error) {
    Error = true;
    ErrorText.clear();
  };
  EXPECT_FALSE(edit->Deactivate()) << "an invalid value keeps the editor open";
  edit->ActiveProperties()->OnValidate = nullptr;
  EXPECT_TRUE(edit->Deactivate());
  edit->ClearEditData(cellData.get());
  EXPECT_EQ(edit->EditData(), nullptr);
  EXPECT_EQ(ShiftStateToMouseKeys({ssLeft, ssCtrl}), MK_LBUTTON | MK_CONTROL);
}

}  // namespace
