#include <gtest/gtest.h>

#include "dx/inspector/dxInspRwCheck.h"
#include "dx/inspector/dxInspRwDate.h"
#include "dx/inspector/dxInspctComplex.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/tests/InspectorTestSupport.h"

namespace {

class TScreenControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

using ScreensTest = InspectorTest;

// A category over rows of every kind built so far, and a complex row, in each paint style.
TEST_F(ScreensTest, EveryStyleShowsCategoriesComplexRowsAndEachRowKind) {
  const TdxInspectorPaintStyle styles[] = {ipsStandard, ipsSimple, ipsExtended, ipsNET, ipsCategorized};
  const char* names[] = {"standard", "simple", "extended", "net", "categorized"};
  for (int s = 0; s < 5; ++s) {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 400, 330);
    auto* c = new TScreenControl(form_);
    c->SetParent(form_);
    c->SetBounds(10, 10, 340, 270);
    c->SetPaintStyle(styles[s]);
    c->SetDividerPos(130);
    auto add = [&](TClass cls, const char* caption, const char* text, TdxInspectorNode* parent) {
      TdxInspectorRow* row = c->AddRowOfClass(cls);
      row->SetCaption(Utf8ToString(caption));
      row->SetEditText(Utf8ToString(text));
      if (parent) row->Node()->MoveTo(parent, inaAddChild);
      return row;
    };
    TdxInspectorRow* category = add(TdxInspectorTextRow::StaticClass(), "Сотрудник", "", nullptr);
    category->SetIsCategory(true);
    TdxInspectorNode* cat = category->Node();
    add(TdxInspectorTextRow::StaticClass(), "Фамилия", "Петров", cat);
    static_cast<TdxInspectorTextMaskRow*>(add(TdxInspectorTextMaskRow::StaticClass(), "Возраст", "42", cat))
        ->SetEditMask(u"00;0;_");
    add(TdxInspectorTextDateRow::StaticClass(), "Родился", "01.02.1980", cat);
    add(TdxInspectorTextTimeRow::StaticClass(), "Начало", "09:30:00", cat);
    add(TdxInspectorTextCheckRow::StaticClass(), "Работает", "True", cat);
    add(TdxInspectorTextMemoRow::StaticClass(), "Должность", "Ведущий специалист отдела", cat);
    auto* pair =
        static_cast<TdxInspectorComplexRow*>(add(TdxInspectorComplexRow::StaticClass(), "", "", nullptr));
    pair->Items()->Add()->SetRow(add(TdxInspectorTextRow::StaticClass(), "С", "2020", nullptr));
    pair->Items()->Add()->SetRow(add(TdxInspectorTextRow::StaticClass(), "По", "2024", nullptr));
    cat->Expand(false);
    c->Items(0)->GetNext()->SetFocused(true);
    form_->Show();
    Pump();
    c->Repaint();
    Pump();
    EXPECT_EQ(c->GetAbsoluteCount(), 8) << names[s];
    // The category row's caption is filled with its style's category colour.
    const RECT catRect = c->GetNodeRect(cat);
    const COLORREF catFill = Pixel(c, catRect.right - 30, (catRect.top + catRect.bottom) / 2);
    const TColor expected = styles[s] == ipsCategorized ? clBtnShadow
                            : styles[s] == ipsNET       ? clBtnFace
                                                        : c->Color();
    EXPECT_EQ(catFill, COLORREF(ColorToRGB(expected))) << names[s];
    // The check row paints a box in its value cell: something darker than the cell around it.
    TdxInspectorNode* checkNode = cat->Items(4);
    const RECT checkRect = c->GetNodeRect(checkNode);
    int dark = 0;
    for (int x = 131; x < checkRect.right; ++x)
      for (int y = checkRect.top; y < checkRect.bottom; ++y)
        if (GetRValue(Pixel(c, x, y)) < 100) ++dark;
    EXPECT_GT(dark, 10) << names[s];
    // Both items of the complex row share the value cell's background.
    const RECT pairRect = c->GetNodeRect(pair->Node());
    const int y = pairRect.bottom - 4;
    EXPECT_EQ(Pixel(c, 134, y), Pixel(c, pairRect.right - 4, y)) << names[s];
    EXPECT_TRUE(KeepCheckedWindow(c->Handle(), names[s]));
    delete form_;
    form_ = nullptr;
  }
}

}  // namespace
