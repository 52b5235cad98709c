#include <functional>
#include <string>

#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxPopupEdit.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/tests/cxFormTextTestUtil.h"

namespace {

// A form with one editor of each kind; the reader finds their classes through the fields.
class TEditorsForm : public TForm {
  TRENVIK_CLASS(TEditorsForm, TForm);

 public:
  explicit TEditorsForm(TComponent* AOwner) : TForm(AOwner) {}
  TcxTextEdit* TextEdit = nullptr;
  TcxCheckBox* CheckBox = nullptr;
  TcxMaskEdit* MaskEdit = nullptr;
  TcxSpinEdit* SpinEdit = nullptr;
  TcxMemo* Memo = nullptr;
  TcxComboBox* ComboBox = nullptr;
  TcxPopupEdit* PopupEdit = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TEditorsForm) {
  P.Field("TextEdit", &TEditorsForm::TextEdit);
  P.Field("CheckBox", &TEditorsForm::CheckBox);
  P.Field("MaskEdit", &TEditorsForm::MaskEdit);
  P.Field("SpinEdit", &TEditorsForm::SpinEdit);
  P.Field("Memo", &TEditorsForm::Memo);
  P.Field("ComboBox", &TEditorsForm::ComboBox);
  P.Field("PopupEdit", &TEditorsForm::PopupEdit);
}

namespace {

template <class T>
T* AddNamed(TWinControl* Parent, const char16_t* Name, int Top) {
  T* edit = new T(Parent);
  edit->SetParent(Parent);
  edit->SetName(Name);
  edit->TControl::SetText(String());  // a text editor's text followed its new name
  edit->SetBounds(10, Top, 150, 21);
  return edit;
}

class CxEditStreamingTest : public CxControlsTest {
 protected:
  TEditorsForm* MakeEditorsForm() {
    auto* form = new TEditorsForm(nullptr);
    forms_.push_back(form);
    return form;
  }

  // Every editor with settings away from their defaults.
  TEditorsForm* MakeSourceForm() {
    TEditorsForm* form = MakeEditorsForm();
    form->SetName(u"EditorsForm");

    auto* text = AddNamed<TcxTextEdit>(form, u"TextEdit", 10);
    text->ActiveProperties()->SetCharCase(ecUpperCase);
    text->ActiveProperties()->SetMaxLength(20);
    text->ActiveProperties()->Alignment()->SetHorz(taRightJustify);
    text->ActiveProperties()->SetAutoSelect(false);
    text->ActiveProperties()->LookupItems()->Add(u"ИВАНОВ");
    text->ActiveProperties()->SetReadOnly(true);
    text->SetText(u"ПЕТРОВ");
    text->SetBeepOnEnter(false);
    auto* style = static_cast<TcxCustomEditStyle*>(text->Style());
    style->SetColor(clYellow);
    style->SetBorderStyle(ebsFlat);
    style->SetEdges({bLeft, bBottom});

    auto* check = AddNamed<TcxCheckBox>(form, u"CheckBox", 40);
    check->ActiveProperties()->SetCaption(u"Работает");
    check->ActiveProperties()->SetAllowGrayed(true);
    check->ActiveProperties()->SetValueChecked(Variant(u"Да"));
    check->ActiveProperties()->SetValueUnchecked(Variant(u"Нет"));
    check->ActiveProperties()->SetDisplayChecked(u"Есть");
    check->ActiveProperties()->SetNullStyle(nssUnchecked);
    check->ActiveProperties()->SetHorzAlignment(taCenter);
    check->SetState(cbsChecked);

    auto* mask = AddNamed<TcxMaskEdit>(form, u"MaskEdit", 70);
    mask->ActiveProperties()->SetMaskKind(emkRegExpr);
    mask->ActiveProperties()->SetEditMask(u"\\d\\d-\\d\\d");
    mask->ActiveProperties()->SetIgnoreMaskBlank(true);
    mask->ActiveProperties()->SetCaseInsensitive(false);

    auto* spin = AddNamed<TcxSpinEdit>(form, u"SpinEdit", 100);
    spin->ActiveProperties()->SetValueType(vtInt);
    spin->ActiveProperties()->SetMinValue(1);
    spin->ActiveProperties()->SetMaxValue(100);
    spin->ActiveProperties()->SetIncrement(2.5);
    spin->ActiveProperties()->SetCanEdit(false);
    spin->SetValue(Variant(42));

    auto* memo = AddNamed<TcxMemo>(form, u"Memo", 130);
    memo->ActiveProperties()->SetScrollBars(ssVertical);
    memo->ActiveProperties()->SetWordWrap(false);
    memo->ActiveProperties()->SetWantTabs(true);
    memo->Lines()->Add(u"первая");
    memo->Lines()->Add(u"вторая");

    auto* combo = AddNamed<TcxComboBox>(form, u"ComboBox", 180);
    combo->ActiveProperties()->SetDropDownListStyle(lsFixedList);
    combo->ActiveProperties()->SetDropDownRows(12);
    combo->ActiveProperties()->SetRevertable(true);
    combo->ActiveProperties()->Items()->Add(u"Бухгалтерия");
    combo->ActiveProperties()->Items()->Add(u"Приёмная");

    auto* popup = AddNamed<TcxPopupEdit>(form, u"PopupEdit", 210);
    popup->ActiveProperties()->SetPopupWidth(300);
    popup->ActiveProperties()->SetPopupSizeable(false);
    popup->ActiveProperties()->SetImmediatePopup(false);
    popup->ActiveProperties()->SetPopupAlignment(taRightJustify);
    return form;
  }
};

TEST_F(CxEditStreamingTest, EveryEditorKeepsItsSettingsThroughAFormFile) {
  TEditorsForm* source = MakeSourceForm();
  const String text = FormText(source);

  TEditorsForm* target = MakeEditorsForm();
  ReadFormText(text, target);
  ASSERT_TRUE(target->TextEdit && target->CheckBox && target->MaskEdit && target->SpinEdit && target->Memo &&
              target->ComboBox && target->PopupEdit)
      << StringToUtf8(text);

  struct Setting {
    const char* what;
    std::function<std::string(TEditorsForm*)> read;
    std::string expected;
  };
  auto str = [](const String& s) { return StringToUtf8(s); };
  auto num = [](double v) { return std::to_string(v); };
  const Setting settings[] = {
      {"text: beep on enter", [](TEditorsForm* f) { return std::to_string(f->TextEdit->BeepOnEnter()); }, "0"},
      {"text: char case", [](TEditorsForm* f) { return std::to_string(f->TextEdit->ActiveProperties()->CharCase()); },
       std::to_string(ecUpperCase)},
      {"text: max length", [](TEditorsForm* f) { return std::to_string(f->TextEdit->ActiveProperties()->MaxLength()); },
       "20"},
      {"text: alignment",
       [](TEditorsForm* f) { return std::to_string(f->TextEdit->ActiveProperties()->Alignment()->Horz()); },
       std::to_string(taRightJustify)},
      {"text: auto select", [](TEditorsForm* f) { return std::to_string(f->TextEdit->ActiveProperties()->AutoSelect()); },
       "0"},
      {"text: lookup items",
       [str](TEditorsForm* f) { return str(f->TextEdit->ActiveProperties()->LookupItems()->Text()); }, "ИВАНОВ\r\n"},
      {"text: read-only", [](TEditorsForm* f) { return std::to_string(f->TextEdit->ActiveProperties()->ReadOnly()); },
       "1"},
      {"text: text", [str](TEditorsForm* f) { return str(f->TextEdit->Text()); }, "ПЕТРОВ"},
      {"text: style colour",
       [](TEditorsForm* f) {
         return std::to_string(static_cast<TcxCustomEditStyle*>(f->TextEdit->Style())->Color());
       },
       std::to_string(clYellow)},
      {"text: style border",
       [](TEditorsForm* f) {
         return std::to_string(static_cast<TcxCustomEditStyle*>(f->TextEdit->Style())->BorderStyle());
       },
       std::to_string(ebsFlat)},
      {"text: style edges",
       [](TEditorsForm* f) {
         return std::to_string(static_cast<TcxCustomEditStyle*>(f->TextEdit->Style())->Edges() ==
                               TcxBorders{bLeft, bBottom});
       },
       "1"},
      {"check: caption", [str](TEditorsForm* f) { return str(f->CheckBox->ActiveProperties()->Caption()); },
       "Работает"},
      {"check: allow grayed",
       [](TEditorsForm* f) { return std::to_string(f->CheckBox->ActiveProperties()->AllowGrayed()); }, "1"},
      {"check: value checked",
       [str](TEditorsForm* f) { return str(VarToStr(f->CheckBox->ActiveProperties()->ValueChecked())); }, "Да"},
      {"check: value unchecked",
       [str](TEditorsForm* f) { return str(VarToStr(f->CheckBox->ActiveProperties()->ValueUnchecked())); }, "Нет"},
      {"check: display checked",
       [str](TEditorsForm* f) { return str(f->CheckBox->ActiveProperties()->DisplayChecked()); }, "Есть"},
      {"check: null style", [](TEditorsForm* f) { return std::to_string(f->CheckBox->ActiveProperties()->NullStyle()); },
       std::to_string(nssUnchecked)},
      {"check: alignment",
       [](TEditorsForm* f) { return std::to_string(f->CheckBox->ActiveProperties()->HorzAlignment()); },
       std::to_string(taCenter)},
      {"check: state", [](TEditorsForm* f) { return std::to_string(f->CheckBox->State()); },
       std::to_string(cbsChecked)},
      {"mask: kind", [](TEditorsForm* f) { return std::to_string(f->MaskEdit->ActiveProperties()->MaskKind()); },
       std::to_string(emkRegExpr)},
      {"mask: mask", [str](TEditorsForm* f) { return str(f->MaskEdit->ActiveProperties()->EditMask()); },
       "\\d\\d-\\d\\d"},
      {"mask: ignore blank",
       [](TEditorsForm* f) { return std::to_string(f->MaskEdit->ActiveProperties()->IgnoreMaskBlank()); }, "1"},
      {"mask: case insensitive",
       [](TEditorsForm* f) { return std::to_string(f->MaskEdit->ActiveProperties()->CaseInsensitive()); }, "0"},
      {"spin: value type", [](TEditorsForm* f) { return std::to_string(f->SpinEdit->ActiveProperties()->ValueType()); },
       std::to_string(vtInt)},
      {"spin: min", [num](TEditorsForm* f) { return num(f->SpinEdit->ActiveProperties()->MinValue()); }, num(1)},
      {"spin: max", [num](TEditorsForm* f) { return num(f->SpinEdit->ActiveProperties()->MaxValue()); }, num(100)},
      {"spin: increment", [num](TEditorsForm* f) { return num(f->SpinEdit->ActiveProperties()->Increment); }, num(2.5)},
      {"spin: can edit", [](TEditorsForm* f) { return std::to_string(f->SpinEdit->ActiveProperties()->CanEdit); }, "0"},
      {"spin: value", [str](TEditorsForm* f) { return str(VarToStr(f->SpinEdit->Value())); }, "42"},
      {"memo: scroll bars", [](TEditorsForm* f) { return std::to_string(f->Memo->ActiveProperties()->ScrollBars()); },
       std::to_string(ssVertical)},
      {"memo: word wrap", [](TEditorsForm* f) { return std::to_string(f->Memo->ActiveProperties()->WordWrap()); }, "0"},
      {"memo: want tabs", [](TEditorsForm* f) { return std::to_string(f->Memo->ActiveProperties()->WantTabs()); }, "1"},
      {"memo: lines", [str](TEditorsForm* f) { return str(f->Memo->Lines()->Text()); }, "первая\r\nвторая\r\n"},
      {"combo: list style",
       [](TEditorsForm* f) { return std::to_string(f->ComboBox->ActiveProperties()->DropDownListStyle()); },
       std::to_string(lsFixedList)},
      {"combo: rows", [](TEditorsForm* f) { return std::to_string(f->ComboBox->ActiveProperties()->DropDownRows()); },
       "12"},
      {"combo: revertable",
       [](TEditorsForm* f) { return std::to_string(f->ComboBox->ActiveProperties()->Revertable()); }, "1"},
      {"combo: items", [str](TEditorsForm* f) { return str(f->ComboBox->ActiveProperties()->Items()->Text()); },
       "Бухгалтерия\r\nПриёмная\r\n"},
      {"popup: width", [](TEditorsForm* f) { return std::to_string(f->PopupEdit->ActiveProperties()->PopupWidth()); },
       "300"},
      {"popup: sizeable",
       [](TEditorsForm* f) { return std::to_string(f->PopupEdit->ActiveProperties()->PopupSizeable()); }, "0"},
      {"popup: immediate popup",
       [](TEditorsForm* f) { return std::to_string(f->PopupEdit->ActiveProperties()->ImmediatePopup()); }, "0"},
      {"popup: alignment",
       [](TEditorsForm* f) { return std::to_string(f->PopupEdit->ActiveProperties()->PopupAlignment()); },
       std::to_string(taRightJustify)},
  };
  for (const Setting& s : settings) {
    EXPECT_EQ(s.read(source), s.expected) << s.what << " (set on the source)";
    EXPECT_EQ(s.read(target), s.expected) << s.what << "\n" << StringToUtf8(text);
  }
  // What was read writes back the same.
  EXPECT_EQ(StringToUtf8(FormText(target)), StringToUtf8(text));
}

// Untouched editors write no settings of their own: defaults and unassigned values stay out.
TEST_F(CxEditStreamingTest, DefaultsAreNotWritten) {
  TEditorsForm* form = MakeEditorsForm();
  AddNamed<TcxTextEdit>(form, u"TextEdit", 10);
  AddNamed<TcxCheckBox>(form, u"CheckBox", 40);
  AddNamed<TcxSpinEdit>(form, u"SpinEdit", 70);
  const String text = FormText(form);
  for (const char16_t* absent : {u"Properties.", u"Style.", u"Value =", u"State =", u"AutoSize"})
    EXPECT_FALSE(Has(text, absent)) << StringToUtf8(String(absent)) << "\n" << StringToUtf8(text);
}

// A style keeps what was assigned on it, even a value equal to the default, and nothing else.
TEST_F(CxEditStreamingTest, AStyleWritesWhatWasAssignedOnIt) {
  TEditorsForm* form = MakeEditorsForm();
  auto* text = AddNamed<TcxTextEdit>(form, u"TextEdit", 10);
  auto* style = static_cast<TcxCustomEditStyle*>(text->Style());
  style->SetHotTrack(true);
  const String written = FormText(form);
  EXPECT_TRUE(Has(written, u"Style.HotTrack = True")) << StringToUtf8(written);
  EXPECT_FALSE(Has(written, u"Style.Shadow"));
  EXPECT_FALSE(Has(written, u"Style.AssignedValues"));

  TEditorsForm* target = MakeEditorsForm();
  ReadFormText(written, target);
  ASSERT_NE(target->TextEdit, nullptr);
  EXPECT_EQ(static_cast<TcxCustomEditStyle*>(target->TextEdit->Style())->AssignedValues(),
            TcxEditStyleValues{svHotTrack});
}

// The shadow is drawn outside the stored size: a form file keeps the edit 3 pixels smaller.
TEST_F(CxEditStreamingTest, AShadowIsNotPartOfTheStoredSize) {
  TEditorsForm* form = MakeEditorsForm();
  auto* text = AddNamed<TcxTextEdit>(form, u"TextEdit", 10);
  text->SetAutoSize(false);
  text->SetBounds(10, 10, 150, 30);
  EXPECT_TRUE(Has(FormText(form), u"Width = 150"));
  static_cast<TcxCustomEditStyle*>(text->Style())->SetShadow(true);
  form->Show();
  Pump();
  const String written = FormText(form);
  EXPECT_TRUE(Has(written, u"Width = 147")) << StringToUtf8(written);
  EXPECT_TRUE(Has(written, u"Height = 27")) << StringToUtf8(written);
  EXPECT_EQ(text->Width(), 150) << "only the stream sees the smaller size";
  EXPECT_EQ(text->Height(), 30);
}

}  // namespace
