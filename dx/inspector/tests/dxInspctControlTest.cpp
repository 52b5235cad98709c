#include <gtest/gtest.h>

#include "dx/editors/dxMaskEdit.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/tests/InspectorTestSupport.h"

namespace {

// A text row edited through the mask editor: a second editor class.
class TMaskedTextRow : public TdxInspectorTextRow {
 public:
  using TdxInspectorTextRow::TdxInspectorTextRow;
  TdxInplaceEditClass GetEditorClass() override { return TdxInplaceMaskEdit::StaticEditClass(); }
};

class TTestControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

class ControlTest : public InspectorTest {
 protected:
  TTestControl* MakeControl(int rows) {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 360, 260);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    auto* c = new TTestControl(form_);
    c->SetName(u"Insp");
    c->SetBorderStyle(bsNone);
    c->SetParent(form_);
    c->SetBounds(10, 10, 300, 200);
    c->SetDividerPos(100);
    for (int i = 0; i < rows; ++i) {
      auto* row = static_cast<TdxInspectorTextRow*>(c->AddRow(TdxInspectorTextRow::StaticClass()));
      row->SetCaption(u"Caption " + String(1, char16_t(u'A' + i)));
      row->SetText(u"value " + String(1, char16_t(u'a' + i)));
    }
    form_->Show();
    Pump();
    return c;
  }
  static TdxInspectorTextRow* TextRow(TTestControl* c, int i) {
    return static_cast<TdxInspectorTextRow*>(c->Rows(i));
  }
  static int RowMiddle(TTestControl* c, TdxInspectorRow* row) {
    const RECT r = c->GetNodeRect(row->Node());
    return (r.top + r.bottom) / 2;
  }
};

TEST_F(ControlTest, NewRowsAreNamedAfterTheControlSkippingTakenNames) {
  auto* c = MakeControl(3);
  EXPECT_EQ(StringToUtf8(c->Rows(2)->Name()), "InspRow3");
  EXPECT_EQ(c->Rows(2)->Owner(), form_);
  auto* squatter = new TComponent(form_);
  squatter->SetName(u"InspRow4");
  TdxInspectorRow* row = c->AddRow(TdxInspectorTextRow::StaticClass());
  EXPECT_EQ(StringToUtf8(row->Name()), "InspRow5");
  EXPECT_EQ(c->FindRowByName(u"insprow5"), row);
  TdxInspectorRow* own = c->AddRowOfClass(TdxInspectorTextRow::StaticClass());
  EXPECT_EQ(own->Owner(), c);
  EXPECT_TRUE(own->Name().empty());
  // A node added directly gets a row of the default class.
  TdxInspectorNode* node = c->AddNode();
  ASSERT_NE(TCustomdxInspectorControl::RowOf(node), nullptr);
  EXPECT_EQ(c->RowCount(), 6);
}

TEST_F(ControlTest, HidingARowHidesItsChildrenAndShowingPutsItLastWithoutThem) {
  auto* c = MakeControl(4);
  TdxInspectorRow* parent = c->Rows(1);
  c->Rows(2)->Node()->MoveTo(parent->Node(), inaAddChild);
  c->Rows(3)->Node()->MoveTo(c->Rows(2)->Node(), inaAddChild);
  parent->SetVisible(false);
  EXPECT_EQ(parent->Node(), nullptr);
  EXPECT_EQ(c->Rows(2)->Node(), nullptr);
  EXPECT_EQ(c->Rows(3)->Node(), nullptr);
  EXPECT_FALSE(c->Rows(3)->Visible());
  EXPECT_EQ(c->GetAbsoluteCount(), 1);
  EXPECT_EQ(c->CountVisibleRows(), 1);
  parent->SetVisible(true);
  ASSERT_NE(parent->Node(), nullptr);
  EXPECT_EQ(parent->Node()->Index(), 1);
  EXPECT_FALSE(parent->Node()->HasChildren());
  // Deleting a row frees its node, and deleting a node frees its row.
  delete c->Rows(0);
  EXPECT_EQ(c->Count(), 1);
  delete parent->Node();
  EXPECT_EQ(c->RowCount(), 2);  // the two rows still hidden
}

TEST_F(ControlTest, RowPropertiesFallBackToTheirDefaults) {
  auto* c = MakeControl(2);
  TdxInspectorRow* row = c->Rows(0);
  row->SetRowHeight(c->RowHeight());
  EXPECT_FALSE(row->IsRowHeightStored());
  row->SetRowHeight(c->RowHeight() + 10);
  EXPECT_TRUE(row->IsRowHeightStored());
  EXPECT_EQ(c->GetRowHeight(row->Node()), c->RowHeight() + 10);
  row->SetRowHeight(-1);
  EXPECT_FALSE(row->IsRowHeightStored());
  EXPECT_EQ(row->RowHeight(), c->RowHeight());
  row->SetReadOnly(false);
  EXPECT_FALSE(row->IsReadOnlyStored());
  row->SetReadOnly(true);
  EXPECT_TRUE(row->IsReadOnlyStored());
  TdxInspectorRow* copy = c->AddRow(TdxInspectorTextRow::StaticClass());
  copy->Assign(row);
  EXPECT_EQ(copy->Caption(), row->Caption());
  EXPECT_TRUE(copy->ReadOnly());
}

TEST_F(ControlTest, TypedValuesReachTheRowAndTheEditorFollowsItsClass) {
  auto* c = MakeControl(3);
  auto* masked = new TMaskedTextRow(form_);
  masked->SetText(u"masked");
  masked->SetInspector(c);
  std::vector<std::string> edited;
  c->OnEdited = [&](TObject*, TdxInspectorNode*, TdxInspectorRow* r) {
    edited.push_back(StringToUtf8(r->Name()));
  };
  Click(c, 200, RowMiddle(c, c->Rows(0)));
  TdxInplaceEdit* textEditor = c->InplaceEditor();
  ASSERT_NE(textEditor, nullptr);
  EXPECT_EQ(StringToUtf8(textEditor->Text()), "value a");
  Key(VK_END);
  SimulateText(u"!");
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(StringToUtf8(TextRow(c, 0)->Text()), "value a!");
  EXPECT_EQ(edited, std::vector<std::string>{"InspRow1"});
  EXPECT_EQ(c->InplaceEditor(), textEditor);  // same class, same editor
  EXPECT_EQ(StringToUtf8(textEditor->Text()), "value b");
  masked->Node()->SetFocused(true);
  c->ShowEditor();
  Pump();
  ASSERT_NE(c->InplaceEditor(), nullptr);
  EXPECT_NE(c->InplaceEditor(), textEditor);
  EXPECT_EQ(c->InplaceEditor()->EditClass(), TdxInplaceMaskEdit::StaticEditClass());
  EXPECT_FALSE(textEditor->IsVisible());
  EXPECT_EQ(StringToUtf8(c->InplaceEditor()->Text()), "masked");
  // Back to a text row: the cached text editor is found again.
  c->Rows(1)->Node()->SetFocused(true);
  c->ShowEditor();
  EXPECT_EQ(c->InplaceEditor(), textEditor);
}

TEST_F(ControlTest, OnEditingCanRefuseTheEditorAndReadOnlyRowsRefuseTyping) {
  auto* c = MakeControl(2);
  c->OnEditing = [](TObject*, TdxInspectorNode*, TdxInspectorRow* row, bool& allow) {
    allow = row->Name() != u"InspRow2";
  };
  Click(c, 200, RowMiddle(c, c->Rows(0)));
  ASSERT_NE(c->InplaceEditor(), nullptr);
  Key(VK_DOWN);
  EXPECT_EQ(c->InplaceEditor(), nullptr);
  c->OnEditing = nullptr;
  c->Rows(1)->SetReadOnly(true);
  c->ShowEditor();
  ASSERT_NE(c->InplaceEditor(), nullptr);
  SimulateText(u"zz");
  Pump();
  Key(VK_UP);
  EXPECT_EQ(StringToUtf8(TextRow(c, 1)->Text()), "value b");
}

TEST_F(ControlTest, ValuesArePaintedThroughTheRowsEditorClass) {
  auto* c = MakeControl(2);
  c->SetOptionFlags(c->OptionFlags() & ~(1 << inoEditing));
  TextRow(c, 1)->SetText(u"");
  c->Repaint();
  Pump();
  auto inkIn = [&](TdxInspectorRow* row) {
    const RECT r = c->GetNodeRect(row->Node());
    const COLORREF background = Pixel(c, 290, r.top + 5);
    int ink = 0;
    for (int x = 110; x < 200; ++x)
      for (int y = r.top + 2; y < r.bottom - 2; ++y)
        if (Pixel(c, x, y) != background) ++ink;
    return ink;
  };
  EXPECT_GT(inkIn(c->Rows(0)), 50);  // "value a"
  EXPECT_EQ(inkIn(c->Rows(1)), 0);
  EXPECT_TRUE(KeepCheckedWindow(c->Handle()));
}

}  // namespace

namespace {

TEST_F(ControlTest, RowHintsShowCutTextsAndTheRowsOwnHintAfterADelay) {
  auto* c = MakeControl(3);
  c->Rows(0)->SetCaption(u"A caption far wider than its cell");
  c->Rows(1)->SetShowHint(true);
  c->Rows(1)->SetHint(u"Своя подсказка");
  c->SetShowRowHint(true);
  EXPECT_FALSE(c->ShowHint());
  auto hintShown = [&] { return c->HintWindow() && IsWindowVisible(c->HintWindow()->Handle()); };
  SimulateMouseMove(At(c, 50, RowMiddle(c, c->Rows(0))));
  Pump();
  ASSERT_TRUE(hintShown());
  EXPECT_EQ(StringToUtf8(c->HintWindow()->Caption()), "A caption far wider than its cell");
  clock_->Advance(5000);
  Pump();
  EXPECT_FALSE(hintShown());
  // The row's own hint waits a second.
  SimulateMouseMove(At(c, 50, RowMiddle(c, c->Rows(1))));
  Pump();
  EXPECT_FALSE(hintShown());
  clock_->Advance(1000);
  Pump();
  ASSERT_TRUE(hintShown());
  EXPECT_EQ(StringToUtf8(c->HintWindow()->Caption()), "Своя подсказка");
  // A caption that fits shows nothing.
  SimulateMouseMove(At(c, 50, RowMiddle(c, c->Rows(2))));
  Pump();
  clock_->Advance(1000);
  Pump();
  EXPECT_FALSE(hintShown());
  // Switching the framework's hints on turns row hints off.
  c->SetShowHint(true);
  EXPECT_FALSE(c->ShowRowHint());
  SimulateMouseMove(At(c, 50, RowMiddle(c, c->Rows(0))));
  Pump();
  EXPECT_FALSE(hintShown());
}

// Cancelling the mode (a dialog coming up, the capture taken away) also puts a row hint away.
TEST_F(ControlTest, CancelModeHidesARowHint) {
  auto* c = MakeControl(1);
  c->Rows(0)->SetCaption(u"A caption far wider than its cell");
  c->SetShowRowHint(true);
  SimulateMouseMove(At(c, 50, RowMiddle(c, c->Rows(0))));
  Pump();
  ASSERT_TRUE(c->HintWindow() && IsWindowVisible(c->HintWindow()->Handle()));
  SendMessage(c->Handle(), WM_CANCELMODE, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(c->HintWindow()->Handle()));
}

// A control finishing its loading (here a stored layout widening it) keeps the divider it read;
// only a resize after loading scales it.
class TWideningOnLoad : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
  using TCustomdxInspectorControl::Loaded;
  void RestoreLayout() override {
    EXPECT_TRUE(Loading());
    SetWidth(Width() * 2);
  }
};

TEST_F(ControlTest, ALoadingControlKeepsItsDividerWhenResized) {
  MakeControl(0);
  auto* c = new TWideningOnLoad(form_);
  c->SetParent(form_);
  c->SetBounds(10, 10, 150, 100);
  c->SetDividerPos(60);
  Pump();
  ASSERT_TRUE(c->HandleAllocated());  // resizes reach it as size messages
  c->Loaded();
  EXPECT_EQ(c->Width(), 300);
  EXPECT_EQ(c->DividerPos(), 60);
  EXPECT_FALSE(c->Loading());
  c->SetWidth(600);
  EXPECT_EQ(c->DividerPos(), 240);
}

}  // namespace
