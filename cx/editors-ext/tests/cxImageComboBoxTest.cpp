// The image combo box: which item a value stands for, what values without an item show, the items'
// images, and the edit on a form choosing an item from its list, checked on the value and pixels.
#include "cx/editors-ext/cxImageComboBox.h"

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/Colors.h"
#include "platform/win/Input.h"

namespace {

// An image list of solid squares, one per colour.
std::unique_ptr<TCustomImageList> SolidImages(std::initializer_list<TColor> AColors) {
  auto images = std::make_unique<TCustomImageList>(nullptr, 16, 16);
  for (TColor color : AColors) {
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    bitmap.Canvas()->Brush()->SetColor(color);
    bitmap.Canvas()->FillRect(RECT{0, 0, 16, 16});
    images->AddMasked(&bitmap, clFuchsia);
  }
  return images;
}

class RequiredField : public TcxCustomEditDefaultValuesProvider {
 public:
  RequiredField() : TcxCustomEditDefaultValuesProvider(nullptr) {}
  bool DefaultRequired() override { return true; }
};

TEST(CxImageComboBoxItems, AValueShowsItsFirstItemOrTheDefaults) {
  TcxImageComboBoxProperties properties(nullptr);
  properties.SetDefaultDescription(u"не указан");
  properties.SetDefaultImageIndex(9);
  TcxImageComboBoxItems* items = properties.Items();
  items->Add(u"мужской", 1, 0);
  items->Add(u"женский", 2, 1);
  items->Add(u"тоже два", 2, 2);
  EXPECT_EQ(properties.LookupItems()->Count(), 3) << "the list works on the descriptions";
  struct Case {
    Variant value;
    int image;
    const char* text;
  };
  const Case cases[] = {
      {Variant(1), 0, "мужской"},
      {Variant(2), 1, "женский"},  // two items of one value: the first wins
      {Variant(7), 9, "не указан"},
      {Null(), 9, "не указан"},
  };
  for (const Case& c : cases) {
    const TcxImageComboBoxItemInfo info = properties.GetItemInfo(c.value);
    EXPECT_EQ(info.ImageIndex, c.image) << c.text;
    EXPECT_EQ(StringToUtf8(info.Text), c.text);
    EXPECT_EQ(StringToUtf8(properties.GetDisplayText(c.value)), c.text);
  }
  EXPECT_TRUE(properties.GetSupportedOperations().Contains(esoIncSearch));
  properties.SetShowDescriptions(false);
  EXPECT_EQ(StringToUtf8(properties.GetItemInfo(Variant(1)).Text), "") << "only the image shows";
  EXPECT_EQ(properties.GetItemInfo(Variant(1)).ImageIndex, 0);
  EXPECT_FALSE(properties.GetSupportedOperations().Contains(esoIncSearch)) << "no search without texts";

  Variant null = Null(), one = 1;
  EXPECT_TRUE(properties.IsEditValueValid(null, false));
  properties.SetDefaultValuesProvider(std::make_shared<RequiredField>());
  EXPECT_FALSE(properties.IsEditValueValid(null, false)) << "Null on a required field";
  EXPECT_TRUE(properties.IsEditValueValid(one, false));
}

TEST(CxImageComboBoxItems, NewItemsTakeTheirOwnImageWhileTheImagesLast) {
  auto images = SolidImages({clRed, clGreen, clBlue, clYellow, clAqua});
  TcxImageComboBoxProperties properties(nullptr);
  properties.SetImages(images.get());
  for (int i = 0; i < 7; ++i) properties.Items()->Add();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(properties.Items()->Item(i)->ImageIndex(), i < 5 ? i : -1) << i;
  images.reset();
  EXPECT_EQ(properties.Images(), nullptr) << "a freed list is dropped";
}

class CxImageComboBoxTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    images_ = SolidImages({clRed, clGreen});
  }
  TcxImageComboBox* MakeEdit() {
    TForm* form = MakeForm(100, 100, 400, 300);
    auto* edit = Add<TcxImageComboBox>(form, 10, 10, 150, 21);
    edit->Properties()->SetImages(images_.get());
    edit->Properties()->Items()->Add(u"мужской", 1, 0);
    edit->Properties()->Items()->Add(u"женский", 2, 1);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    return edit;
  }
  // The colour in the middle of the image's column.
  static COLORREF ImagePixel(TcxImageComboBox* AEdit) { return ColorToRGB(ScreenPixel(AEdit, 2 + 10, 10)); }

  std::unique_ptr<TCustomImageList> images_;
};

TEST_F(CxImageComboBoxTest, TheListChoosesAnItemAndTheEditShowsItsImageAndText) {
  TcxImageComboBox* edit = MakeEdit();
  edit->SetEditValue(2);
  Pump();
  EXPECT_EQ(StringToUtf8(edit->Text()), "женский");
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(ImagePixel(edit), ColorToRGB(clGreen));
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  Key(VK_UP);
  Key(VK_RETURN);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(VarToStr(edit->EditValue()), u"1") << "the chosen item's value";
  EXPECT_EQ(StringToUtf8(edit->Text()), "мужской");
  EXPECT_EQ(ImagePixel(edit), ColorToRGB(clRed));
  KeepCheckedScreen("image-combo");

  // A value no item has: the default image (none) and the default text.
  edit->Properties()->SetDefaultDescription(u"?");
  edit->SetEditValue(5);
  Pump();
  EXPECT_EQ(StringToUtf8(edit->Text()), "?");
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_EQ(ImagePixel(edit), ColorToRGB(edit->Style()->Color()));
}

}  // namespace
