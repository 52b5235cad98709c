#include "dx/editors/dxBlobEdit.h"

#include "platform/forms/PictureValues.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "dx/editors/tests/dxPictureTestSupport.h"
#include "platform/forms/Graphic.h"

namespace {

class DxBlobEditTest : public DxEditorsTest {
 protected:
  // The person card's note: a memo cell of a grid row.
  TdxInplaceBlobEdit* MakeEditor(TdxBlobEditKind Kind = bekMemo, const Variant& Value = Variant(String(u"note"))) {
    host_ = MakeHost();
    auto* edit = new TdxInplaceBlobEdit(host_);
    edit->SetParent(host_);
    edit->SetBlobKind(Kind);
    edit->SetEditValue(Value);
    edit->OnSavePopupSize = [this](TObject*) { ++sizesSaved_; };
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    return edit;
  }
  TCustomdxBlobPopup* Open(TdxInplaceBlobEdit* Edit) {
    Key(VK_F4);
    TCustomdxBlobPopup* popup = Edit->Popup();
    EXPECT_TRUE(popup && IsWindowVisible(popup->Handle()));
    return popup;
  }
  // A click on a bar button, in the pop-up's window coordinates.
  void ClickButton(TCustomdxBlobPopup* Popup, int Index) {
    RECT window{};
    GetWindowRect(Popup->Handle(), &window);
    const RECT r = Popup->ButtonRect(Index);
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, POINT{window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2});
    Pump();
  }

  TTestContainer* host_ = nullptr;
  int sizesSaved_ = 0;
};

}  // namespace

TEST_F(DxBlobEditTest, IconsAndButtonsByKind) {
  struct Case {
    TdxBlobEditKind kind;
    int filled;
    TdxEditButtonKind button;
  } cases[] = {{bekMemo, 3, bkDown}, {bekPict, 5, bkDown}, {bekOle, 7, bkEllipsis}, {bekBlob, 1, bkEllipsis}};
  auto* edit = MakeEditor();
  for (const Case& c : cases) {
    EXPECT_EQ(BlobIconIndex(c.kind, false), c.filled);
    EXPECT_EQ(BlobIconIndex(c.kind, true), c.filled - 1);
    edit->SetBlobKind(c.kind);
    auto view = edit->CreateViewData(false);
    auto* v = static_cast<TdxBlobEditViewData*>(view.get());
    static_cast<const TdxBlobEditMetaClass*>(edit->EditClass())->CalcButtons(v);
    ASSERT_EQ(v->ButtonCount, 1);
    EXPECT_EQ(v->Buttons[0].Kind, c.button) << static_cast<int>(c.kind);
    EXPECT_FALSE(v->IsEmpty);
  }
  edit->SetEditValue(Null());
  EXPECT_TRUE(static_cast<TdxBlobEditViewData*>(edit->CreateViewData(false).get())->IsEmpty);
  ASSERT_NE(dxBlobImages(), nullptr);
  EXPECT_EQ(dxBlobImages()->Count(), 8);
}

TEST_F(DxBlobEditTest, OleAndRawCellsOpenNothingAndTypingChangesNothing) {
  auto* edit = MakeEditor(bekOle);
  Key(VK_F4);
  EXPECT_EQ(edit->Popup(), nullptr);
  edit->SetBlobKind(bekMemo);
  Type("x");
  Key(VK_DELETE);
  EXPECT_EQ(StringToUtf8(edit->BlobValue().AsString()), "note");
  EXPECT_FALSE(edit->GetModified());
}

// How a memo pop-up with typed text closes, and whether the text reaches the editor.
TEST_F(DxBlobEditTest, SaveMatrix) {
  enum Closer { kOkButton, kEnterWithoutReturns, kCtrlEnter, kEscape, kCancelButton, kClickOutside, kF4 };
  struct Case {
    Closer closer;
    bool alwaysSave;
    bool saved;
  } cases[] = {
      {kOkButton, true, true},      {kOkButton, false, true},      {kEnterWithoutReturns, false, true},
      {kCtrlEnter, false, true},    {kEscape, true, false},        {kCancelButton, true, false},
      {kClickOutside, true, true},  {kClickOutside, false, false}, {kF4, true, true},
      {kF4, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "closer " << c.closer << " always " << c.alwaysSave);
    auto* edit = MakeEditor();
    edit->AlwaysSaveText = c.alwaysSave;
    edit->MemoWantReturns = c.closer != kEnterWithoutReturns;
    sizesSaved_ = 0;
    TCustomdxBlobPopup* popup = Open(edit);
    ASSERT_TRUE(popup);
    EXPECT_EQ(StringToUtf8(popup->EditText()), "note");
    EXPECT_FALSE(popup->OkEnabled());
    Key(VK_END, 2);
    Type("s");
    EXPECT_TRUE(popup->OkEnabled());
    switch (c.closer) {
      case kOkButton: ClickButton(popup, dxBlobButtonOK); break;
      case kEnterWithoutReturns: Key(VK_RETURN); break;
      case kCtrlEnter: Key(VK_RETURN, 2); break;
      case kEscape: Key(VK_ESCAPE); break;
      case kCancelButton: ClickButton(popup, dxBlobButtonCancel); break;
      case kClickOutside: Click(host_, 250, 150); break;
      case kF4: Key(VK_F4); break;
    }
    EXPECT_FALSE(IsWindowVisible(popup->Handle()));
    EXPECT_FALSE(edit->DropDownShown);
    EXPECT_EQ(StringToUtf8(edit->BlobValue().AsString()), c.saved ? "notes" : "note");
    EXPECT_EQ(edit->GetModified(), c.saved);
    EXPECT_EQ(sizesSaved_, 1) << "every closing reports the size";
    delete forms_.back();
    forms_.pop_back();
  }
}

TEST_F(DxBlobEditTest, WantReturnsTypesANewLineAndOkWithoutChangesStoresNothing) {
  auto* edit = MakeEditor();
  TCustomdxBlobPopup* popup = Open(edit);
  ClickButton(popup, dxBlobButtonOK);
  EXPECT_TRUE(IsWindowVisible(popup->Handle())) << "a disabled OK does not react to the mouse";
  Key(VK_RETURN, 2);
  EXPECT_FALSE(IsWindowVisible(popup->Handle())) << "Ctrl+Enter closes";
  EXPECT_FALSE(edit->GetModified());
  popup = Open(edit);
  Key(VK_END, 2);
  Key(VK_RETURN);
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  Type("x");
  Key(VK_RETURN, 2);
  EXPECT_EQ(StringToUtf8(edit->BlobValue().AsString()), "note\r\nx");
}

TEST_F(DxBlobEditTest, ReadOnlyCellShowsOnlyCloseAndStoresNothing) {
  auto* edit = MakeEditor();
  edit->SetReadOnly(true);
  TCustomdxBlobPopup* popup = Open(edit);
  EXPECT_EQ(popup->Buttons(), std::vector<int>{dxBlobButtonClose});
  const RECT ok = popup->ButtonRect(dxBlobButtonOK);
  EXPECT_TRUE(IsRectEmpty(&ok));
  Type("zz");
  ClickButton(popup, dxBlobButtonClose);
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(StringToUtf8(edit->BlobValue().AsString()), "note");
}

TEST_F(DxBlobEditTest, ResizedPopupSizeIsKept) {
  auto* edit = MakeEditor();
  TCustomdxBlobPopup* popup = Open(edit);
  EXPECT_EQ(popup->Width(), 200);
  EXPECT_EQ(popup->Height(), 140);
  popup->SetBounds(popup->Left(), popup->Top(), 260, 180);
  Key(VK_ESCAPE);
  EXPECT_EQ(edit->PopupWidth, 260);
  EXPECT_EQ(edit->PopupHeight, 180);
  EXPECT_EQ(sizesSaved_, 1);
}

TEST_F(DxBlobEditTest, PopupDrawsItsBarAndFlipsAboveNearTheBottom) {
  auto* edit = MakeEditor();
  TCustomdxBlobPopup* popup = Open(edit);
  EXPECT_EQ(popup->GripCorner(), 3);
  RECT window{}, editor{};
  GetWindowRect(popup->Handle(), &window);
  GetWindowRect(edit->Handle(), &editor);
  EXPECT_EQ(window.top, editor.bottom);
  const RECT ok = popup->ButtonRect(dxBlobButtonOK), cancel = popup->ButtonRect(dxBlobButtonCancel);
  EXPECT_LT(ok.right, cancel.left) << "OK reads first";
  EXPECT_GT(ok.top, (window.bottom - window.top) / 2) << "the bar is at the bottom";
  RECT face{window.left + cancel.right + 2, window.top + cancel.top, window.left + cancel.right + 4,
            window.top + cancel.bottom};
  EXPECT_GT(CountScreenPixels(face, clBtnFace), 0);
  KeepCheckedScreen("blob memo");
  Key(VK_ESCAPE);

  forms_.back()->SetBounds(100, 600, 400, 160);
  Pump();
  popup = Open(edit);
  GetWindowRect(popup->Handle(), &window);
  GetWindowRect(edit->Handle(), &editor);
  EXPECT_EQ(popup->GripCorner(), 1);
  EXPECT_EQ(window.bottom, editor.top);
  EXPECT_LT(popup->ButtonRect(dxBlobButtonOK).top, (window.bottom - window.top) / 2) << "the bar is at the top";
  KeepCheckedScreen("blob memo above");
  Key(VK_ESCAPE);
}

TEST_F(DxBlobEditTest, PicturePopupShowsThePictureAndStoresItsDeletion) {
  auto* edit = MakeEditor(bekPict, BitmapValue(40, 30, clRed));
  edit->PictureAutoSize = false;
  Variant editing;
  edit->GetEditingValue(editing);
  ASSERT_EQ(editing.Type(), varObject);
  auto* graphic = static_cast<TGraphic*>(editing.AsObject());
  EXPECT_EQ(graphic->Width(), 40);

  TCustomdxBlobPopup* popup = Open(edit);
  POINT origin = popup->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(CountScreenPixels(RECT{origin.x, origin.y, origin.x + 40, origin.y + 30}, clRed), 40 * 30);
  KeepCheckedScreen("blob picture");
  Key(VK_DELETE, 1);  // Shift+Delete cuts
  EXPECT_TRUE(PictureIsEmpty(popup->Picture()));
  Key(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
  EXPECT_TRUE(BlobValueIsEmpty(edit->BlobValue()));
  EXPECT_TRUE(edit->GetModified());
  edit->GetEditingValue(editing);
  EXPECT_EQ(editing.Type(), varInteger);
  EXPECT_EQ(editing.AsInteger(), 0);
}

TEST_F(DxBlobEditTest, AutoSizePictureLargerThanTheScreenIsScaledDown) {
  auto* edit = MakeEditor(bekPict, BitmapValue(2048, 512, clBlue));
  TCustomdxBlobPopup* popup = Open(edit);
  RECT work{};
  GetMonitorWorkArea(POINT{0, 0}, work);
  EXPECT_LE(popup->Width(), work.right - work.left);
  const RECT client = popup->ClientRect();
  // Proportional: 4 wide for every 1 high, within rounding.
  EXPECT_NEAR(client.right * 1.0 / client.bottom, 4.0, 0.1);
  Key(VK_ESCAPE);
}


TEST_F(DxBlobEditTest, PictureOfItsOwnSizeScrolls) {
  auto* edit = MakeEditor(bekPict, BitmapValue(300, 200, clRed));
  edit->PictureAutoSize = false;
  TCustomdxBlobPopup* popup = Open(edit);
  const RECT client = popup->ClientRect();
  ASSERT_LT(client.right, 300);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(popup->Handle(), SB_HORZ, &info);
  EXPECT_EQ(info.nMax, 299);
  EXPECT_EQ(static_cast<int>(info.nPage), client.right);

  struct Case {
    int bar, code;
    POINT expected;
  } cases[] = {
      {SB_HORZ, SB_LINEDOWN, {GetSystemMetrics(SM_CXHSCROLL), 0}},
      {SB_HORZ, SB_BOTTOM, {300 - client.right, 0}},  // the far edge stays at the view's edge
      {SB_VERT, SB_PAGEDOWN, {300 - client.right, std::min<int>(client.bottom, 200 - client.bottom)}},
      {SB_HORZ, SB_TOP, {0, std::min<int>(client.bottom, 200 - client.bottom)}},
  };
  for (const Case& c : cases) {
    SendMessage(popup->Handle(), c.bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, c.code, 0);
    EXPECT_EQ(popup->PictureOffset().x, c.expected.x) << c.code;
    EXPECT_EQ(popup->PictureOffset().y, c.expected.y) << c.code;
  }
  GetScrollInfo(popup->Handle(), SB_HORZ, &info);
  EXPECT_EQ(info.nPos, 0);
  Pump();
  POINT origin = popup->ClientToScreen(POINT{0, 0});
  EXPECT_GT(CountScreenPixels(RECT{origin.x, origin.y, origin.x + client.right, origin.y + 10}, clRed), 0);
  Key(VK_ESCAPE);
}

TEST_F(DxBlobEditTest, MemoSettingsReachThePopupWindow) {
  String lines;
  for (int i = 0; i < 30; ++i) lines += u"line\r\n";
  auto* edit = MakeEditor(bekMemo, Variant(lines + u"note"));
  edit->MemoMaxLength = static_cast<int>(lines.size()) + 6;
  edit->MemoScrollBars = ssVertical;
  TCustomdxBlobPopup* popup = Open(edit);
  EXPECT_TRUE(GetWindowLong(popup->Handle(), GWL_STYLE) & WS_VSCROLL);
  Key(VK_END, 2);
  Type("abcd");
  EXPECT_EQ(StringToUtf8(popup->EditText()), StringToUtf8(lines) + "noteab") << "no more than the maximum length";
  Key(VK_ESCAPE);
  edit->MemoScrollBars = ssNone;
  popup = Open(edit);
  EXPECT_FALSE(GetWindowLong(popup->Handle(), GWL_STYLE) & WS_VSCROLL) << "the window was made again";
  Key(VK_ESCAPE);
}
