#include "dx/editors/dxImageEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Graphic.h"

namespace {

class DxImageEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    images_ = std::make_unique<TCustomImageList>(nullptr, 8, 8);
    for (TColor c : {clRed, clBlue}) {
      TBitmap b;
      b.SetSize(8, 8);
      b.Canvas()->Brush()->SetColor(c);
      b.Canvas()->FillRect(RECT{0, 0, 8, 8});
      images_->Add(&b, nullptr);
    }
  }
  // The person card's sex: values 1 and 2, their descriptions and pictures.
  TdxInplaceImageEdit* MakeEditor(bool Incremental = false) {
    host_ = MakeHost();
    auto* edit = new TdxInplaceImageEdit(host_);
    edit->SetParent(host_);
    for (const char16_t* v : {u"1", u"2", u"3"}) edit->Values()->Add(v);
    for (const char16_t* d : {u"мужской", u"женский", u"мастер"}) edit->Descriptions()->Add(d);
    edit->SetImages(images_.get());
    edit->Incremental = Incremental;
    edit->SetEditValue(Variant(String(u"1")));
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    return edit;
  }
  static std::string TextOf(TdxInplaceImageEdit* Edit) { return StringToUtf8(Edit->Text()); }
  static TColor ScreenPixel(POINT P) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, P.x, P.y);
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(c);
  }

  std::unique_ptr<TCustomImageList> images_;
  TTestContainer* host_ = nullptr;
};

}  // namespace

TEST_F(DxImageEditTest, ValueInfo) {
  TStringList values, descriptions, indexes;
  for (const char16_t* v : {u"a", u"b", u"c"}) values.Add(v);
  descriptions.Add(u"A");
  indexes.Add(u"5");
  indexes.Add(u"x");
  struct Case {
    const char16_t* value;
    bool defaults;
    int description, image;
  } cases[] = {
      {u"a", true, 0, 0}, {u"A", false, 0, 5}, {u"b", false, -1, -1}, {u"c", false, -1, 2}, {u"z", false, -1, -1},
  };
  for (const Case& c : cases) {
    const TdxImageValueInfo info = FindValueInfo(c.value, &indexes, c.defaults, &values, &descriptions);
    EXPECT_EQ(info.DescriptionIndex, c.description) << StringToUtf8(c.value);
    EXPECT_EQ(info.ImageIndex, c.image) << StringToUtf8(c.value);
  }
}

TEST_F(DxImageEditTest, CellShowsThePictureOfTheValue) {
  auto* edit = MakeEditor();
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  POINT origin{0, 0};
  ClientToScreen(edit->Handle(), &origin);
  EXPECT_EQ(ScreenPixel(POINT{origin.x + 3, (w.top + w.bottom) / 2}), ColorToRGB(clRed));
  KeepCheckedWindow(edit->Handle(), "image");
  edit->SetEditValue(Variant(String(u"2")));
  UpdateWindow(edit->Handle());
  Pump();
  EXPECT_EQ(ScreenPixel(POINT{origin.x + 3, (w.top + w.bottom) / 2}), ColorToRGB(clBlue));
}

TEST_F(DxImageEditTest, KeysStepOnlyWhenIncrementalAndLettersSearchDescriptions) {
  auto* edit = MakeEditor();
  Key(VK_DOWN);
  EXPECT_EQ(TextOf(edit), "1") << "an in-place editor leaves Up and Down to the host";
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  SimulateWheel(-120, POINT{w.left + 5, w.top + 5});
  Pump();
  EXPECT_EQ(TextOf(edit), "2");
  Type("м");
  EXPECT_EQ(TextOf(edit), "3");
  Type("м");
  EXPECT_EQ(TextOf(edit), "1") << "the same letter cycles";
  auto* incremental = MakeEditor(true);
  Key(VK_END);
  EXPECT_EQ(TextOf(incremental), "3");
  Key(VK_UP);
  EXPECT_EQ(TextOf(incremental), "2");
}

TEST_F(DxImageEditTest, AClickOpensTheListEscapeReportsItsSelection) {
  auto* edit = MakeEditor();
  std::vector<std::pair<std::string, bool>> closeUps;
  edit->OnCloseUp = [&](TObject*, Variant& Value, bool& Accept) { closeUps.push_back({StringToUtf8(Value.AsString()), Accept}); };
  Click(edit, 20, 5);
  TdxPopupImageListBox* list = edit->PopupList();
  ASSERT_TRUE(edit->DropDownShown);
  ASSERT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(list->ItemIndex(), 0);
  KeepCheckedScreen("image list");
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(TextOf(edit), "1");
  Key(VK_F4);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(TextOf(edit), "2");
  EXPECT_EQ(closeUps, (std::vector<std::pair<std::string, bool>>{{"2", false}, {"2", true}}));
}
