#include <gtest/gtest.h>

#include <functional>

#include "dx/inspector/dxInspRwBlob.h"
#include "dx/inspector/dxInspRwButton.h"
#include "dx/inspector/dxInspRwCalc.h"
#include "dx/inspector/dxInspRwCheck.h"
#include "dx/inspector/dxInspRwCurrency.h"
#include "dx/inspector/dxInspRwDate.h"
#include "dx/inspector/dxInspRwGraphic.h"
#include "dx/inspector/dxInspRwHyperLink.h"
#include "dx/inspector/dxInspRwImage.h"
#include "dx/inspector/dxInspRwMRU.h"
#include "dx/inspector/dxInspRwPopup.h"
#include "dx/inspector/dxInspRwSpin.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Graphic.h"

namespace {

class TKindsControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

class KindsInputTest : public InspectorTest {
 protected:
  TKindsControl* MakeControl() {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 400, 300);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    auto* c = new TKindsControl(form_);
    c->SetBorderStyle(bsNone);
    c->SetParent(form_);
    c->SetBounds(10, 10, 340, 220);
    c->SetDividerPos(100);
    form_->Show();
    Pump();
    return c;
  }
  // The row's editor is shown as a click on its value would show it, then it gets the input.
  TdxInplaceEdit* Edit(TKindsControl* c, TdxInspectorRow* row) {
    row->Node()->SetFocused(true);
    c->ShowEditor();
    Pump();
    return c->InplaceEditor();
  }
};

struct KindCase {
  const char* name;
  TClass rowClass;
  const char* start;
  std::function<void(TdxInspectorRow*)> setup;
  std::function<void()> input;
  const char* expected;
};

void TypeAtEnd(const char16_t* text) {
  SimulateKeyPress(VK_END, 0);
  SimulateText(text);
}

void SetStrings(TStrings* list, std::initializer_list<const char16_t*> items) {
  list->Clear();
  for (const char16_t* item : items) list->Add(item);
}

// Each kind edited through keyboard input and posted with Enter: what reaches the row's text.
TEST_F(KindsInputTest, EachKindTakesWhatIsTypedIntoItsEditor) {
  const KindCase cases[] = {
      {"button", TdxInspectorTextButtonRow::StaticClass(), "ab", nullptr, [] { TypeAtEnd(u"c"); }, "abc"},
      {"calc", TdxInspectorTextCalcRow::StaticClass(), "12", nullptr, [] { TypeAtEnd(u"3"); }, "123"},
      {"pick", TdxInspectorTextPickRow::StaticClass(), "",
       [](TdxInspectorRow* r) {
         SetStrings(static_cast<TdxInspectorPickRow*>(r)->Items(), {u"Москва", u"Минск", u"Омск"});
       },
       [] {  // the list drops down at once; Enter takes the completed item from it
         SimulateText(u"Ми");
         SimulateKeyPress(VK_RETURN, 0);
       },
       "Минск"},
      {"mru", TdxInspectorTextMRURow::StaticClass(), "a", nullptr, [] { TypeAtEnd(u"b"); }, "ab"},
      {"popup", TdxInspectorTextPopupRow::StaticClass(), "x", nullptr, [] { TypeAtEnd(u"y"); }, "xy"},
      {"hyperlink", TdxInspectorTextHyperLinkRow::StaticClass(), "https://example.org", nullptr,
       [] { TypeAtEnd(u"/a"); }, "https://example.org/a"},
      {"currency", TdxInspectorTextCurrencyRow::StaticClass(), "12", nullptr, [] { TypeAtEnd(u"3"); }, "123"},
      {"spin", TdxInspectorTextSpinRow::StaticClass(), "5", nullptr, [] { TypeAtEnd(u"1"); }, "51"},
      {"date", TdxInspectorTextDateRow::StaticClass(), "01.02.1980", nullptr,
       [] {
         SimulateKeyPress(VK_END, 0);
         SimulateKeyPress(VK_BACK, 0);
         SimulateText(u"1");
       },
       "01.02.1981"},
      {"check", TdxInspectorTextCheckRow::StaticClass(), "False", nullptr,
       [] { SimulateKeyPress(VK_SPACE, 0); }, "True"},
      {"image", TdxInspectorTextImageRow::StaticClass(), "1",
       [](TdxInspectorRow* r) {
         auto* image = static_cast<TdxInspectorImageRow*>(r);
         SetStrings(image->Values(), {u"1", u"2"});
         SetStrings(image->Descriptions(), {u"мужской", u"женский"});
       },
       [] { SimulateText(u"ж"); }, "2"},
  };
  for (const KindCase& k : cases) {
    SCOPED_TRACE(k.name);
    TKindsControl* c = MakeControl();
    auto* other = static_cast<TdxInspectorTextRow*>(c->AddRowOfClass(TdxInspectorTextRow::StaticClass()));
    other->SetText(u"next");
    TdxInspectorRow* row = c->AddRowOfClass(k.rowClass);
    if (k.setup) k.setup(row);
    row->SetEditText(Utf8ToString(k.start));
    row->Node()->MoveTo(other->Node(), inaInsert);  // the kind's row first, the plain row below it
    TdxInplaceEdit* editor = Edit(c, row);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->EditClass(), row->GetEditorClass());
    k.input();
    Pump();
    Key(VK_RETURN);
    EXPECT_EQ(StringToUtf8(row->GetEditText()), k.expected);
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(KindsInputTest, AClickOnAButtonRowsButtonReportsItsIndex) {
  TKindsControl* c = MakeControl();
  auto* row =
      static_cast<TdxInspectorTextButtonRow*>(c->AddRowOfClass(TdxInspectorTextButtonRow::StaticClass()));
  row->Buttons()->Add()->SetKind(bkDown);
  std::vector<int> clicks;
  row->OnButtonClick = [&](TObject* Sender, int Index) {
    EXPECT_EQ(Sender, row);
    clicks.push_back(Index);
  };
  TdxInplaceEdit* editor = Edit(c, row);
  ASSERT_NE(editor, nullptr);
  RECT r{};
  GetWindowRect(editor->Handle(), &r);
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, POINT{r.right - 4, (r.top + r.bottom) / 2});
  Pump();
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], 1);  // the last button is the rightmost
}

TEST_F(KindsInputTest, StartingAHyperLinkRowsLinkGoesToTheRowsHandler) {
  TKindsControl* c = MakeControl();
  auto* row = static_cast<TdxInspectorTextHyperLinkRow*>(
      c->AddRowOfClass(TdxInspectorTextHyperLinkRow::StaticClass()));
  row->SetText(u"https://example.org");
  int starts = 0;
  row->OnStartClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, row);
    ++starts;
  };
  ASSERT_NE(Edit(c, row), nullptr);
  Key(VK_RETURN, 2);  // the start key, Ctrl+Enter
  EXPECT_EQ(starts, 1);
}

TEST_F(KindsInputTest, ABlobRowKeepsTheTextWrittenInItsMemoPopup) {
  TKindsControl* c = MakeControl();
  auto* row = static_cast<TdxInspectorTextBlobRow*>(c->AddRowOfClass(TdxInspectorTextBlobRow::StaticClass()));
  row->SetText(u"первая");
  TdxInplaceEdit* editor = Edit(c, row);
  ASSERT_NE(editor, nullptr);
  Key(VK_F4);  // F4 opens the memo
  auto* blob = static_cast<TdxInplaceBlobEdit*>(editor);
  ASSERT_NE(blob->Popup(), nullptr);
  Key(VK_END, 2);
  Key(VK_RETURN);  // a new line in the memo
  SimulateText(u"вторая");
  Pump();
  Key(VK_RETURN, 2);  // Ctrl+Enter closes it, keeping the text
  Key(VK_RETURN);
  EXPECT_EQ(StringToUtf8(row->Text()), "первая\r\nвторая");
}

TEST_F(KindsInputTest, AGraphicRowStoresAPastedPictureAsItsBytes) {
  TKindsControl* c = MakeControl();
  auto* row =
      static_cast<TdxInspectorTextGraphicRow*>(c->AddRowOfClass(TdxInspectorTextGraphicRow::StaticClass()));
  TBitmap picture;
  picture.SetSize(5, 3);
  picture.Canvas()->Brush()->SetColor(clRed);
  picture.Canvas()->FillRect(RECT{0, 0, 5, 3});
  Clipboard()->Assign(&picture);
  ASSERT_NE(Edit(c, row), nullptr);
  Key('V', 2);
  Key(VK_RETURN);
  ASSERT_FALSE(row->Text().empty());
  TPicture stored;
  LoadPictureFromVariant(&stored, nullptr, VarFromAnsiString(PictureTextToBytes(row->Text())));
  EXPECT_EQ(stored.Width(), 5);
  EXPECT_EQ(stored.Height(), 3);
  EXPECT_EQ(stored.Bitmap()->Canvas()->Pixels(2, 1), clRed);
}

// Alt+Down, Alt+Up and F4 open a drop-down row's editor where it is; none of them moves the focus.
TEST_F(KindsInputTest, TheDropDownKeysOpenTheEditorOfTheFocusedRow) {
  struct ToggleKey {
    const char* name;
    UINT vk;
    UINT modifiers;
  };
  const ToggleKey keys[] = {{"Alt+Down", VK_DOWN, 4}, {"Alt+Up", VK_UP, 4}, {"F4", VK_F4, 0}};
  const std::pair<const char*, TClass> kinds[] = {
      {"pick", TdxInspectorTextPickRow::StaticClass()},
      {"date", TdxInspectorTextDateRow::StaticClass()},
      {"calc", TdxInspectorTextCalcRow::StaticClass()},
  };
  for (const auto& [kindName, rowClass] : kinds) {
    for (const ToggleKey& key : keys) {
      SCOPED_TRACE(std::string(kindName) + " " + key.name);
      TKindsControl* c = MakeControl();
      c->AddRowOfClass(TdxInspectorTextRow::StaticClass());  // rows above and below: Up or Down would move
      TdxInspectorRow* row = c->AddRowOfClass(rowClass);
      if (rowClass == TdxInspectorTextPickRow::StaticClass())
        SetStrings(static_cast<TdxInspectorPickRow*>(row)->Items(), {u"Москва", u"Минск"});
      c->AddRowOfClass(TdxInspectorTextRow::StaticClass());
      auto* editor = static_cast<TdxInplaceDropDownEdit*>(Edit(c, row));
      ASSERT_NE(editor, nullptr);
      ASSERT_FALSE(editor->IsDroppedDown());
      Key(key.vk, key.modifiers);
      EXPECT_TRUE(editor->IsDroppedDown());
      EXPECT_EQ(c->FocusedNode(), row->Node());
      EXPECT_EQ(c->InplaceEditor(), editor);
      EXPECT_TRUE(c->IsActive()) << "also while the pop-up has the focus";
      if (key.vk == VK_DOWN) {
        EXPECT_TRUE(KeepCheckedScreen(std::string(kindName) + "-alt-down"));
      }
      Key(VK_ESCAPE);
      EXPECT_FALSE(editor->IsDroppedDown());
      delete form_;
      form_ = nullptr;
    }
  }
}

}  // namespace
