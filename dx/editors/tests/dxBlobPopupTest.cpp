#include "dx/editors/dxBlobPopup.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "dx/editors/tests/dxPictureTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Menus.h"

namespace {

class DxBlobPopupTest : public DxEditorsTest {
 protected:
  // A pop-up of its own, with no editor, shown under a point of the screen.
  TCustomdxBlobPopup* Show(TdxBlobPopupKind Kind) {
    popup_ = std::make_unique<TCustomdxBlobPopup>(nullptr);
    popup_->SetKind(Kind);
    popup_->SetEditText(u"note");
    popup_->HandleNeeded();
    popup_->PlaceAndSize(POINT{100, 100}, 200, 140);
    popup_->ShowPopup();
    ::SetFocus(popup_->Handle());
    Pump();
    return popup_.get();
  }
  std::unique_ptr<TCustomdxBlobPopup> popup_;
};

}  // namespace

TEST_F(DxBlobPopupTest, MemoMenuFollowsTheSelection) {
  TCustomdxBlobPopup* popup = Show(bpkMemo);
  TMenuItem* items = popup->PrepareContextMenu()->Items();
  ASSERT_EQ(items->Count(), 9);
  EXPECT_EQ(StringToUtf8(items->Items(8)->Caption()), "Select &All");
  EXPECT_FALSE(items->Items(3)->Enabled()) << "no selection: nothing to cut";
  EXPECT_TRUE(items->Items(8)->Enabled());
  items->Items(8)->Click();
  items = popup->PrepareContextMenu()->Items();
  EXPECT_TRUE(items->Items(3)->Enabled());
  EXPECT_FALSE(items->Items(8)->Enabled()) << "all is selected";
  items->Items(6)->Click();  // delete
  EXPECT_EQ(StringToUtf8(popup->EditText()), "");
  EXPECT_TRUE(popup->Modified());

  // A right click shows the menu; Esc closes the menu and leaves the pop-up open.
  int saves = 0;
  popup->OnSave = [&](TCustomdxBlobPopup*) { ++saves; };
  SimulateClick(TSimButton::Right, At(popup, 20, 20));
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  popup->ButtonClick(dxBlobButtonOK);
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(StringToUtf8(popup->SavedText()), "");
}

TEST_F(DxBlobPopupTest, PictureMenuWithoutTheFileItems) {
  TCustomdxBlobPopup* popup = Show(bpkPicture);
  popup->ShowExPopupItems = false;
  LoadPictureFromVariant(popup->Picture(), nullptr, BitmapValue(10, 10, clRed));
  TMenuItem* items = popup->PrepareContextMenu()->Items();
  ASSERT_EQ(items->Count(), 4) << "no load or save";
  EXPECT_EQ(StringToUtf8(items->Items(0)->Caption()), "Cu&t");
  EXPECT_TRUE(items->Items(0)->Enabled());
  items->Items(3)->Click();  // delete
  EXPECT_TRUE(PictureIsEmpty(popup->Picture()));
  EXPECT_TRUE(popup->OkEnabled());
  EXPECT_FALSE(popup->PrepareContextMenu()->Items()->Items(1)->Enabled()) << "nothing to copy";
  popup->ShowExPopupItems = true;
  EXPECT_EQ(popup->PrepareContextMenu()->Items()->Count(), 7);
}

TEST_F(DxBlobPopupTest, ButtonAcceleratorsCancelOrAccept) {
  struct Case {
    UINT key;
    bool saved;
  } cases[] = {{'C', false}, {'O', true}};
  for (const Case& c : cases) {
    TCustomdxBlobPopup* popup = Show(bpkMemo);
    int saves = 0;
    popup->OnSave = [&](TCustomdxBlobPopup*) { ++saves; };
    Type("x");
    Key(c.key, 4);
    EXPECT_FALSE(IsWindowVisible(popup->Handle())) << c.key;
    EXPECT_EQ(saves, c.saved ? 1 : 0) << c.key;
  }
}

TEST_F(DxBlobPopupTest, UpperCaseTurnsTypedAndPastedText) {
  TCustomdxBlobPopup* popup = Show(bpkMemo);
  popup->SetCharCase(ecUpperCase);
  EXPECT_EQ(StringToUtf8(popup->EditText()), "NOTE");
  Key(VK_END, 2);
  Type("ab");
  Clipboard()->SetAsText(u"иван");
  Key('V', 2);
  EXPECT_EQ(StringToUtf8(popup->EditText()), "NOTEABИВАН");
  DWORD start = 0, end = 0;
  SendMessage(popup->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 10u) << "the caret stays after the pasted text";
  EXPECT_EQ(end, 10u);
  EXPECT_TRUE(popup->OkEnabled());
}
