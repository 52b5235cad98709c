#include "dx/editors/dxGraphicEdit.h"

#include "platform/forms/PictureValues.h"
#include "dx/editors/dxPopupToolBar.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "dx/editors/tests/dxPictureTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Menus.h"

namespace {

class DxGraphicEditTest : public DxEditorsTest {
 protected:
  // The person card's photograph cell, 100 x 80.
  TdxInplaceGraphicEdit* MakeEditor(const Variant& Value, bool ToolWindow = false) {
    host_ = MakeHost();
    auto* edit = new TdxInplaceGraphicEdit(host_);
    edit->SetParent(host_);
    edit->PopupToolBar()->SetIsPopupMenu(!ToolWindow);
    edit->DblClickActivate = !ToolWindow;
    edit->SetEditValue(Value);
    edit->ShowAt(RECT{10, 10, 110, 90});
    edit->SetFocus();
    Pump();
    return edit;
  }
  TTestContainer* host_ = nullptr;
};

}  // namespace

TEST(GraphicPictureRect, FitsCentresOrKeepsTheSize) {
  const RECT content{10, 20, 110, 70};  // 100 x 50
  struct Case {
    int width, height;
    bool stretch, center;
    RECT expected;
  } cases[] = {
      {20, 10, false, false, {10, 20, 30, 30}},    // own size at the top-left
      {20, 10, false, true, {50, 40, 70, 50}},     // centred
      {21, 11, false, true, {49, 39, 70, 50}},     // odd halves truncated
      {200, 20, false, true, {-40, 35, 160, 55}},  // larger than the cell: centred, cut by the clip
      {20, 20, true, true, {10, 20, 60, 70}},      // taller by ratio: full height, no centring
      {40, 10, true, false, {10, 20, 110, 45}},    // wider by ratio: full width
      {400, 100, true, false, {10, 20, 110, 45}},  // reduced as well as enlarged
  };
  for (const Case& c : cases) {
    const RECT r = GraphicPictureRect(content, c.width, c.height, c.stretch, c.center);
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.width << "x" << c.height << " stretch " << c.stretch << " -> "
                                           << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST_F(DxGraphicEditTest, CellDrawsThePictureCentredOrFitted) {
  auto* edit = MakeEditor(BitmapValue(20, 10, clRed));
  EXPECT_FALSE(edit->GetModified());
  const RECT client = edit->ClientRect();
  const int w = client.right, h = client.bottom;
  const RECT centre{(w - 20) / 2, (h - 10) / 2, (w - 20) / 2 + 20, (h - 10) / 2 + 10};
  EXPECT_EQ(CountClientPixels(edit->Handle(), centre, clRed), 200);
  EXPECT_EQ(CountClientPixels(edit->Handle(), client, clRed), 200) << "nothing else is red";
  KeepCheckedWindow(edit->Handle(), "centred");

  edit->SetStretch(true);
  Pump();
  EXPECT_EQ(CountClientPixels(edit->Handle(), RECT{0, 0, w, w / 2}, clRed), w * (w / 2));
  KeepCheckedWindow(edit->Handle(), "stretched");
}

TEST_F(DxGraphicEditTest, ValuesThatHoldNoPictureEmptyIt) {
  auto* edit = MakeEditor(BitmapValue(4, 4, clRed));
  const char header[8] = {1, 0, 0, 1, 0, 0, 0, 0};
  const Variant empties[] = {Null(), Variant(String()), Variant(12), VarFromAnsiString(AnsiString(header, 8)),
                             VarFromAnsiString("BM")};
  for (const Variant& v : empties) {
    edit->SetEditValue(BitmapValue(4, 4, clRed));
    ASSERT_FALSE(PictureIsEmpty(edit->Picture()));
    edit->SetEditValue(v);
    EXPECT_TRUE(PictureIsEmpty(edit->Picture())) << StringToUtf8(VarToStr(v));
  }
  EXPECT_FALSE(edit->GetModified()) << "loading a value is not an edit";
}

TEST_F(DxGraphicEditTest, CentreAndStretchMarkModifiedButTransparencyDoesNot) {
  auto* edit = MakeEditor(BitmapValue(8, 8, clRed));
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetGraphicTransparency(gtTransparent);
  EXPECT_TRUE(edit->Picture()->Graphic()->Transparent());
  EXPECT_FALSE(edit->GetModified());
  EXPECT_EQ(changes, 0);
  edit->SetCenter(false);
  EXPECT_TRUE(edit->GetModified());
  EXPECT_EQ(changes, 1);
}

TEST_F(DxGraphicEditTest, ClipboardKeysAndReadOnly) {
  Clipboard()->Clear();
  auto* edit = MakeEditor(BitmapValue(12, 6, clBlue));
  Variant editing;
  edit->GetEditingValue(editing);
  EXPECT_EQ(editing.AsObject(), edit->Picture()->Graphic());

  Key('X', 2);  // Ctrl+X cuts
  EXPECT_TRUE(PictureIsEmpty(edit->Picture()));
  EXPECT_TRUE(edit->GetModified());
  EXPECT_TRUE(ClipboardHasPicture(CF_PICTURE));
  edit->GetEditingValue(editing);
  EXPECT_EQ(editing.Type(), varInteger);

  Key(VK_INSERT, 1);  // Shift+Insert pastes
  ASSERT_FALSE(PictureIsEmpty(edit->Picture()));
  EXPECT_EQ(edit->Picture()->Width(), 12);

  edit->SetReadOnly(true);
  EXPECT_FALSE(edit->CommandEnabled(ptbCut));
  EXPECT_FALSE(edit->CommandEnabled(ptbPaste));
  EXPECT_TRUE(edit->CommandEnabled(ptbCopy));
  Key(VK_DELETE, 1);  // Shift+Delete cuts: copies only
  EXPECT_FALSE(PictureIsEmpty(edit->Picture()));
}

TEST_F(DxGraphicEditTest, ContextMenuRunsTheCommands) {
  Clipboard()->Clear();
  auto* edit = MakeEditor(BitmapValue(12, 6, clBlue));
  TPopupMenu* menu = edit->PrepareCommandMenu();
  TMenuItem* items = menu->Items();
  ASSERT_EQ(items->Count(), 9);
  EXPECT_EQ(StringToUtf8(items->Items(0)->Caption()), "Cu&t");
  EXPECT_FALSE(items->Items(2)->Enabled()) << "nothing to paste";
  EXPECT_FALSE(items->Items(8)->Visible()) << "no custom command by default";
  edit->PopupToolBar()->Buttons = TdxPopupToolBarButtons{ptbCopy};
  edit->PrepareCommandMenu();
  EXPECT_FALSE(items->Items(0)->Visible());
  EXPECT_FALSE(items->Items(4)->Visible()) << "no load or save: no line";
  edit->PopupToolBar()->Buttons = TdxPopupToolBarWindow().Buttons;

  // A right click opens the menu; Down twice reaches Copy.
  SimulateClick(TSimButton::Right, At(edit, 20, 20));
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_TRUE(ClipboardHasPicture(CF_PICTURE));
  EXPECT_FALSE(PictureIsEmpty(edit->Picture()));
  EXPECT_TRUE(edit->CommandEnabled(ptbPaste));
}

TEST_F(DxGraphicEditTest, ToolWindowBesideTheEditorFollowsTheClipboardAndTheFocus) {
  Clipboard()->Clear();
  auto* edit = MakeEditor(BitmapValue(12, 6, clBlue), true);
  TdxPopupToolBar* bar = edit->ToolBar();
  ASSERT_TRUE(bar->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  EXPECT_TRUE(bar->InViewerChain());
  EXPECT_EQ(GetFocus(), edit->Handle()) << "shown without taking the focus";
  RECT editor{}, window{};
  GetWindowRect(edit->Handle(), &editor);
  GetWindowRect(bar->Handle(), &window);
  EXPECT_EQ(window.top, editor.bottom) << "below the editor by default";
  EXPECT_FALSE(bar->Button(ptbPaste)->Enabled());
  EXPECT_FALSE(bar->Button(ptbCustom)->Visible());
  KeepCheckedScreen("tool window");

  Clipboard()->Assign(edit->Picture());
  Pump();
  EXPECT_TRUE(bar->Button(ptbPaste)->Enabled()) << "the viewer chain told it";

  TSpeedButton* remove = bar->Button(ptbDelete);
  Click(remove, remove->Width() / 2, remove->Height() / 2);
  EXPECT_TRUE(PictureIsEmpty(edit->Picture()));
  EXPECT_TRUE(edit->GetModified());
  EXPECT_FALSE(bar->Button(ptbCopy)->Enabled());
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));

  host_->SetFocus();
  Pump();
  EXPECT_FALSE(IsWindowVisible(bar->Handle())) << "hidden when the focus leaves the editor";
}
