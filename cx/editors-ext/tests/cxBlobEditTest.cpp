// The BLOB edit: the one-line text and icon of each kind, the keys that close its popup, and the
// memo popup on a form opened by typing and by F4, closed by its keys and buttons.
#include "cx/editors-ext/cxBlobEdit.h"

#include <vector>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/Colors.h"
#include "platform/win/Input.h"

namespace {

TEST(CxBlobEditTexts, EachKindAndStyleShowsItsText) {
  const Variant memo(u"  first line\r\nsecond");
  struct Case {
    Variant value;
    TcxBlobEditKind kind;
    TcxBlobPaintStyle style;
    bool fullText;
    String text;
  };
  const Case cases[] = {
      {Null(), bekMemo, bpsDefault, false, u"(memo)"},
      {memo, bekMemo, bpsDefault, false, u"(MEMO)"},
      {Null(), bekPict, bpsDefault, false, u"(picture)"},
      {Variant(u"bytes"), bekPict, bpsDefault, false, u"(PICTURE)"},
      {Variant(u"bytes"), bekOle, bpsDefault, false, u""},
      {memo, bekMemo, bpsText, false, u"first line  second"},
      {memo, bekMemo, bpsIcon, false, u""},
      {memo, bekMemo, bpsIcon, true, u"  first line\r\nsecond"},
      {Variant(u"bytes"), bekBlob, bpsText, false, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StringToUtf8(cxBlobDisplayText(c.value, c.kind, c.style, c.fullText)), StringToUtf8(c.text))
        << "kind " << c.kind << " style " << c.style;

  // A long memo with line breaks: its first 80 characters, the breaks as blanks.
  String longMemo;
  for (int i = 0; i < 20; ++i) longMemo += u"line\r\n1234";
  const String shown = cxBlobDisplayText(Variant(longMemo), bekMemo, bpsText, false);
  ASSERT_EQ(shown.size(), 80u);
  EXPECT_EQ(StringToUtf8(shown.substr(0, 12)), "line  1234li");
}

TEST(CxBlobEditTexts, IconsKindsOfFieldsAndTheDisplayTextOfProperties) {
  EXPECT_EQ(cxBlobIconIndex(bekBlob, false), 0);
  EXPECT_EQ(cxBlobIconIndex(bekMemo, true), 3);
  EXPECT_EQ(cxBlobIconIndex(bekPict, false), 4);
  EXPECT_EQ(cxBlobIconIndex(bekOle, false), 6);
  EXPECT_EQ(cxBlobIconIndex(bekOle, true), 7);
  const TcxBlobEditKind ofField[] = {bekBlob, bekBlob, bekPict, bekMemo, bekOle};
  for (int kind = 0; kind < 5; ++kind) EXPECT_EQ(cxBlobEditKindOfField(kind), ofField[kind]) << kind;
  ASSERT_NE(cxBlobEditImages(), nullptr);
  EXPECT_EQ(cxBlobEditImages()->Count(), 8);

  TcxBlobEditProperties properties(nullptr);
  EXPECT_EQ(properties.Buttons()->Items(0)->Kind, bkDown);
  properties.SetBlobEditKind(bekOle);
  EXPECT_EQ(properties.Buttons()->Items(0)->Kind, bkEllipsis) << "OLE data is only shown";
  EXPECT_EQ(StringToUtf8(properties.GetDisplayText(Variant(u"x"))), "OLE");
  EXPECT_EQ(StringToUtf8(properties.GetDisplayText(Null())), "");
  properties.SetBlobEditKind(bekPict);
  EXPECT_EQ(properties.Buttons()->Items(0)->Kind, bkDown);
  EXPECT_EQ(StringToUtf8(properties.PictureGraphicClassName()), "TBitmap") << "properties of no edit";
  // Without a bound field an automatic kind is a plain BLOB.
  properties.SetBlobEditKind(bekAuto);
  EXPECT_EQ(properties.ResolveBlobEditKind(), bekBlob);
  EXPECT_EQ(properties.BlobEditKind(), bekBlob);
}

TEST(CxBlobEditKeys, KeysCloseThePopupSavingOrCancelling) {
  struct Case {
    WORD key;
    TShiftState shift;
    bool alwaysSave;
    bool memo;
    bool wantReturns;
    int result;
  };
  const Case cases[] = {
      {VK_ESCAPE, {}, true, true, true, mrCancel},
      {VK_F4, {}, true, true, true, mrOk},
      {VK_F4, {}, false, true, true, mrCancel},
      {VK_F4, {ssAlt}, true, true, true, mrNone},
      {VK_DOWN, {ssAlt}, true, true, true, mrOk},
      {VK_UP, {ssAlt}, false, false, true, mrCancel},
      {VK_DOWN, {}, true, true, true, mrNone},
      {VK_RETURN, {}, true, true, true, mrNone},  // a line break in the memo
      {VK_RETURN, {ssCtrl}, false, true, true, mrOk},
      {VK_RETURN, {}, false, true, false, mrOk},
      {VK_RETURN, {}, false, false, true, mrOk},  // the image always closes
      {'A', {}, true, true, true, mrNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cxBlobPopupCloseResult(c.key, c.shift, c.alwaysSave, c.memo, c.wantReturns), c.result)
        << "key " << c.key << " always save " << c.alwaysSave;
}

class CxBlobEditTest : public CxControlsTest {
 protected:
  TcxBlobEdit* MakeEdit() {
    TForm* form = MakeForm(100, 100, 400, 360);
    auto* edit = Add<TcxBlobEdit>(form, 10, 10, 150, 21);
    edit->Properties()->SetBlobEditKind(bekMemo);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    return edit;
  }
  // The client area's pixels left of the button, and how many of them are not the background.
  std::vector<COLORREF> ClientPixels(TcxBlobEdit* AEdit, int& AInk) {
    std::vector<COLORREF> pixels;
    AInk = 0;
    const COLORREF background = ColorToRGB(AEdit->Style()->Color());
    for (int y = 3; y < AEdit->Height() - 3; ++y)
      for (int x = 3; x < AEdit->Width() - 24; ++x) {
        pixels.push_back(ColorToRGB(ScreenPixel(AEdit, x, y)));
        AInk += pixels.back() != background ? 1 : 0;
      }
    return pixels;
  }
  TcxPopupMemo* PopupMemo(TcxBlobEdit* AEdit) { return dynamic_cast<TcxPopupMemo*>(AEdit->PopupEditor()); }
};

TEST_F(CxBlobEditTest, TypingOpensTheMemoWithTheCharacterAndEscKeepsTheValue) {
  TcxBlobEdit* edit = MakeEdit();
  edit->SetEditValue(Variant(u"old"));
  Pump();
  SimulateText(u"x");
  Pump();
  ASSERT_TRUE(edit->DroppedDown());
  TcxPopupMemo* memo = PopupMemo(edit);
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(StringToUtf8(memo->Lines()->Text()), "xold") << "the typed character goes before the text";
  ASSERT_NE(edit->OkButton(), nullptr);
  EXPECT_TRUE(edit->OkButton()->Enabled()) << "the memo holds a change";
  EXPECT_EQ(StringToUtf8(edit->CancelButton()->Caption()), "&Cancel");
  KeepCheckedScreen("blob-memo");
  Key(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->PopupEditor(), nullptr) << "the popup's controls go with it";
  EXPECT_EQ(StringToUtf8(VarToStr(edit->EditValue())), "old");

  // MemoAutoReplace: the character replaces the text.
  edit->Properties()->SetMemoAutoReplace(true);
  SimulateText(u"n");
  Pump();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(StringToUtf8(PopupMemo(edit)->Lines()->Text()), "n");
  Key(VK_F4);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(StringToUtf8(VarToStr(edit->EditValue())), "n") << "F4 keeps the change with AlwaysSaveData";
}

TEST_F(CxBlobEditTest, F4OpensTheMemoAndItsButtonsAndKeysDecideWhatIsKept) {
  TcxBlobEdit* edit = MakeEdit();
  edit->SetEditValue(Variant(u"text"));
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_FALSE(edit->OkButton()->Enabled()) << "nothing changed yet";
  SimulateText(u"more ");
  Pump();
  EXPECT_TRUE(edit->OkButton()->Enabled());
  TcxButton* ok = edit->OkButton();
  Click(ok, ok->Width() / 2, ok->Height() / 2);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(StringToUtf8(VarToStr(edit->EditValue())), "more text");

  // Without AlwaysSaveData F4 discards, like Esc; Ctrl+Enter saves.
  edit->Properties()->SetAlwaysSaveData(false);
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  SimulateText(u"lost ");
  Key(VK_F4);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(StringToUtf8(VarToStr(edit->EditValue())), "more text");
  Key(VK_F4);
  SimulateText(u"kept ");
  Key(VK_RETURN, 2);  // with Ctrl
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(StringToUtf8(VarToStr(edit->EditValue())).substr(0, 9), "kept more");

  // A read-only editor offers only Close.
  edit->Properties()->SetReadOnly(true);
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(edit->OkButton(), nullptr);
  EXPECT_EQ(StringToUtf8(edit->CancelButton()->Caption()), "&Close");
  Key(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(CxBlobEditTest, TheIconShowsWhetherTheValueHasDataAndTheTextStyleItsText) {
  TcxBlobEdit* edit = MakeEdit();
  edit->SetEditValue(Null());
  Pump();
  int emptyInk = 0, filledInk = 0, textInk = 0;
  const std::vector<COLORREF> empty = ClientPixels(edit, emptyInk);
  edit->SetEditValue(Variant(u"data"));
  Pump();
  const std::vector<COLORREF> filled = ClientPixels(edit, filledInk);
  EXPECT_GT(emptyInk, 20) << "an empty memo shows its icon";
  EXPECT_NE(filled, empty) << "filled in when the value has data";
  KeepCheckedScreen("blob-icon");
  edit->Properties()->SetBlobPaintStyle(bpsDefault);
  Pump();
  const std::vector<COLORREF> text = ClientPixels(edit, textInk);
  EXPECT_NE(text, filled);
  EXPECT_GT(textInk, 0) << "\"(MEMO)\"";
}

TEST_F(CxBlobEditTest, APictureOpensInTheImageEditorAndEnterKeepsIt) {
  TcxBlobEdit* edit = MakeEdit();
  edit->Properties()->SetBlobEditKind(bekPict);
  TPicture picture;
  picture.Bitmap()->SetSize(40, 30);
  const Variant value = VarFromAnsiString(cxPictureToValue(&picture));
  edit->SetEditValue(value);
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  auto* image = dynamic_cast<TcxPopupImage*>(edit->PopupEditor());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Picture()->Width(), 40);
  EXPECT_EQ(image->Picture()->Height(), 30);
  image->Picture()->Bitmap()->SetSize(20, 10);
  EXPECT_TRUE(edit->OkButton()->Enabled());
  Key(VK_RETURN);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  TPicture kept;
  cxPictureFromValue(&kept, nullptr, edit->EditValue());
  EXPECT_EQ(kept.Width(), 20) << "Enter closes the image popup saving";
}

}  // namespace
