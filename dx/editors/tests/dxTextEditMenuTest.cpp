#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dx/editors/dxTextEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/win/Backend.h"

namespace {

// The editor's own context menu, opened by a right click and read while its loop runs.
class DxTextEditMenuTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    // Nothing to paste, whatever earlier tests copied.
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
  }
  void TearDown() override {
    SetMessagePumpHook(nullptr);
    DxEditorsTest::TearDown();
  }

  TdxInplaceTextEdit* ShowEditor(const char* text) {
    host_ = MakeHost();
    auto* edit = new TdxInplaceTextEdit(host_);
    edit->SetParent(host_);
    edit->SetEditValue(Variant(Utf8ToString(text)));
    edit->ShowAt(RECT{20, 20, 140, 40});
    edit->SetActive(true);
    Pump();
    return edit;
  }

  // Right-clicks the editor; once a menu shows, notes the enabled items of the editor's own and
  // presses Keys.
  std::vector<std::string> RightClickAndPress(TdxInplaceTextEdit* edit, std::vector<UINT> keys) {
    return OpenMenuAndPress(edit, keys, [&] {
      clock_->Advance(1000);
      SimulateClick(TSimButton::Right, At(edit, 10, 5));
    });
  }
  // The same for the keyboard's request: no point, the menu goes to the caret.
  std::vector<std::string> AskFromKeyboardAndPress(TdxInplaceTextEdit* edit, std::vector<UINT> keys) {
    return OpenMenuAndPress(edit, keys, [&] {
      PostMessage(edit->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MAKELPARAM(-1, -1));
    });
  }
  std::vector<std::string> OpenMenuAndPress(TdxInplaceTextEdit* edit, std::vector<UINT> keys,
                                            const std::function<void()>& open) {
    std::vector<std::string> enabled;
    bool done = false;
    SetMessagePumpHook([&] {
      if (done) return;
      TMenuItem* items = MenuOf(edit);
      HWND shown = FindWindow(u"TrenvikMenuPopup", nullptr);
      if (!shown || !IsWindowVisible(shown)) return;
      done = menuShown_ = true;
      for (int i = 0; items && i < items->Count(); ++i)
        if (!items->Items(i)->IsLine() && items->Items(i)->Enabled())
          enabled.push_back(StringToUtf8(items->Items(i)->Caption()));
      KeepCheckedScreen("menu");
      for (UINT key : keys) SimulateKeyPress(key);
    });
    open();
    Pump();
    Pump();
    SetMessagePumpHook(nullptr);
    return enabled;
  }

  // The editor's menu: the one pop-up menu it owns.
  static TMenuItem* MenuOf(TdxInplaceTextEdit* edit) {
    for (int i = 0; i < edit->ComponentCount(); ++i)
      if (auto* menu = dynamic_cast<TPopupMenu*>(edit->Components(i))) return menu->Items();
    return nullptr;
  }

  TTestContainer* host_ = nullptr;
  bool menuShown_ = false;
};

using Items = std::vector<std::string>;

TEST_F(DxTextEditMenuTest, ItemsFollowTheSelectionAndSelectAllSelectsTheText) {
  auto* edit = ShowEditor("Hello");
  edit->SetSelectionRange(0, 2);
  // Select All is the last item: Up from the first highlighted item wraps to it.
  Items enabled = RightClickAndPress(edit, {VK_UP, VK_RETURN});
  EXPECT_EQ(enabled, (Items{"Cu&t", "&Copy", "&Delete", "Select &All"}));
  int start = 0, end = 0;
  edit->GetSelectionRange(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 5);

  enabled = AskFromKeyboardAndPress(edit, {VK_ESCAPE});
  EXPECT_EQ(enabled, (Items{"Cu&t", "&Copy", "&Delete"})) << "everything selected already";
}

TEST_F(DxTextEditMenuTest, APasswordEditorOffersNeitherCutNorCopy) {
  auto* edit = ShowEditor("secret");
  edit->SetPasswordChar(u'*');
  edit->SetSelectionRange(0, 3);
  EXPECT_EQ(RightClickAndPress(edit, {VK_ESCAPE}), (Items{"&Delete", "Select &All"}));
}

TEST_F(DxTextEditMenuTest, AParentsPopupMenuTakesThePlaceOfTheEditorsOwn) {
  auto* edit = ShowEditor("Hello");
  auto* own = new TPopupMenu(host_->Owner());
  auto* item = new TMenuItem(own);
  item->SetCaption(u"Mine");
  own->Items()->Add(item);
  host_->SetPopupMenu(own);
  RightClickAndPress(edit, {VK_ESCAPE});
  EXPECT_TRUE(menuShown_);
  EXPECT_EQ(MenuOf(edit), nullptr) << "the editor never made its own menu";
}

}  // namespace
