// The image combo box: which item a value stands for, what values without an item show, the items'
// images, and the edit on a form choosing an item from its list, checked on the value and pixels.
#include "cx/editors-ext/cxImageComboBox.h"

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/Colors.h"
#include "platform/gdi/Font.h"
#include "platform/win/Metrics.h"
#include "platform/win/Input.h"

namespace {

// An image list of solid squares, one per colour.
std::unique_ptr<TCustomImageList> SolidImages(std::initializer_list<TColor> AColors, int ASize = 16) {
  auto images = std::make_unique<TCustomImageList>(nullptr, ASize, ASize);
  for (TColor color : AColors) {
    TBitmap bitmap;
    bitmap.SetSize(ASize, ASize);
    bitmap.Canvas()->Brush()->SetColor(color);
    bitmap.Canvas()->FillRect(RECT{0, 0, ASize, ASize});
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

TEST_F(CxImageComboBoxTest, AValueSetWhileAnotherControlHasTheFocusShowsItsItem) {
  TcxImageComboBox* edit = MakeEdit();
  auto* other = Add<TcxImageComboBox>(static_cast<TWinControl*>(edit->Parent()), 10, 50, 150, 21);
  other->SetFocus();
  Pump();
  edit->SetEditValue(2);
  Pump();
  EXPECT_EQ(StringToUtf8(edit->Text()), "женский");
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(ImagePixel(edit), ColorToRGB(clGreen));
}

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

// The drop-down list in the fixed-metrics font (glyphs 5 x 10, inked as boxes): rows of images
// and descriptions, checked on the list's own pixels.
class CxImageComboBoxListTest : public CxImageComboBoxTest {
 protected:
  TcxImageComboBox* MakeListEdit(int AWidth) {
    TForm* form = MakeForm(100, 100, 500, 400);
    auto* edit = Add<TcxImageComboBox>(form, 10, 10, AWidth, 21);
    edit->Font()->SetName(kFixedTestFontName);
    edit->Font()->SetHeight(-10);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    return edit;
  }
  static TcxComboBoxListBox* DropDown(TcxImageComboBox* AEdit) {
    Key(VK_F4);
    EXPECT_TRUE(AEdit->DroppedDown());
    return AEdit->ComboListBox();
  }
  static void CloseUp() { Key(VK_ESCAPE); }
  static int RowHeight(TcxComboBoxListBox* AList, int ARow) {
    const RECT r = AList->ItemRect(ARow);
    return r.bottom - r.top;
  }
  static COLORREF ListPixel(TcxComboBoxListBox* AList, int X, int Y) { return ColorToRGB(ScreenPixel(AList, X, Y)); }
};

TEST_F(CxImageComboBoxListTest, RowsShowTheLargeImagesBesideTheDescriptionsOnEitherSide) {
  TcxImageComboBox* edit = MakeListEdit(150);
  auto large = SolidImages({clBlue, clYellow}, 24);
  edit->Properties()->SetImages(images_.get());
  edit->Properties()->SetLargeImages(large.get());
  TcxImageComboBoxItems* items = edit->Properties()->Items();
  items->Add(u"aa", 1, 0);
  items->Add(u"bb", 2, 1);
  items->Add(u"cc", 3, 7);  // beyond the images: no image
  TcxComboBoxListBox* list = DropDown(edit);
  ASSERT_NE(list, nullptr);
  const COLORREF ink = ColorToRGB(clWindowText), paper = ColorToRGB(clWindow);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(RowHeight(list, row), 26) << "the large image and 2 pixels";
  // Row middles 13, 39, 65; the image 1 pixel in, the text from the image column's end (28).
  EXPECT_EQ(ListPixel(list, 1 + 12, 13), ColorToRGB(clBlue));
  EXPECT_EQ(ListPixel(list, 1 + 12, 39), ColorToRGB(clYellow));
  EXPECT_EQ(ListPixel(list, 1 + 12, 65), paper) << "an image index beyond the list draws nothing";
  EXPECT_EQ(ListPixel(list, 28 + 2, 13), ink);
  EXPECT_EQ(ListPixel(list, 28 + 2, 8 - 1), paper) << "one line, vertically centred";
  KeepCheckedScreen("left");
  CloseUp();

  // The list follows the properties as they are at each drop-down.
  edit->Properties()->SetImageAlign(iaRight);
  edit->Properties()->SetLargeImages(nullptr);
  list = DropDown(edit);
  const int width = list->ClientWidth();
  for (int row = 0; row < 3; ++row) EXPECT_EQ(RowHeight(list, row), 18) << "the small image and 2 pixels";
  EXPECT_EQ(ListPixel(list, width - 20 + 1 + 8, 9), ColorToRGB(clRed));
  EXPECT_EQ(ListPixel(list, width - 20 + 1 + 8, 18 + 9), ColorToRGB(clGreen));
  EXPECT_EQ(ListPixel(list, 2 + 2, 9), ink) << "the text 2 pixels in from the left";
  KeepCheckedScreen("right");
  CloseUp();
}

TEST_F(CxImageComboBoxListTest, SingleLinesWidenTheListToTheWidestRow) {
  TcxImageComboBox* edit = MakeListEdit(80);
  edit->Properties()->SetImages(images_.get());
  edit->Properties()->Items()->Add(String(30, u'w'), 1, 0);
  edit->Properties()->Items()->Add(u"x", 2, 1);
  TcxComboBoxListBox* list = DropDown(edit);
  EXPECT_EQ(list->Width(), 16 + 8 + 30 * 5) << "image, 8 pixels and the description";
  EXPECT_EQ(ListPixel(list, 20 + 30 * 5 - 2, 9), ColorToRGB(clWindowText)) << "the last letter shows";
  CloseUp();
  edit->Properties()->SetDropDownRows(1);
  list = DropDown(edit);
  EXPECT_EQ(list->Width(), 16 + 8 + 30 * 5 + GetSystemMetrics(SM_CXVSCROLL)) << "and the scroll bar";
  CloseUp();
}

// A description that just fits the edit's width takes one line, and two once a scroll bar
// narrows the list; a long one takes several lines whatever the width.
TEST_F(CxImageComboBoxListTest, WrappedDescriptionsAreMeasuredInTheWidthTheListWillHave) {
  TcxImageComboBox* edit = MakeListEdit(150);
  edit->Properties()->SetMultiLineText(true);
  TcxImageComboBoxItems* items = edit->Properties()->Items();
  items->Add(u"a", 0, -1);
  TcxComboBoxListBox* list = DropDown(edit);
  int textWidth = list->ClientWidth() - 2;
  const RECT owner = edit->PopupWindow()->OwnerBounds();
  EXPECT_EQ(edit->PopupWindow()->Width(), owner.right - owner.left) << "the popup takes the edit's width";
  CloseUp();
  // 4 pixels to spare after the last letter that fits: a row measured any wider than it is drawn
  // would take one more letter on its line.
  edit->SetWidth(edit->Width() + (4 - textWidth % 5));
  textWidth += 4 - textWidth % 5;
  const int letters = textWidth / 5;
  ASSERT_GT(letters, 8);
  items->Item(0)->SetDescription(String(letters - 6, u'f') + u" fffff");
  String words = String(8, u'l');
  for (int i = 1; i < 9; ++i) words += u" " + String(8, u'l');
  items->Add(words, 1, -1);
  items->Add(u"s", 2, -1);
  items->Add(String(letters - 5, u'o') + u" ooooo", 3, -1);
  const COLORREF ink = ColorToRGB(clWindowText), paper = ColorToRGB(clWindow);
  struct Case {
    int dropDownRows;
    int fittingLines;
  };
  for (const Case c : {Case{8, 1}, Case{2, 2}}) {
    edit->Properties()->SetDropDownRows(c.dropDownRows);
    list = DropDown(edit);
    EXPECT_EQ(RowHeight(list, 0), c.fittingLines * 10 + 2) << c.dropDownRows;
    EXPECT_GE(RowHeight(list, 1), 3 * 10 + 2) << "nine words of 40 pixels";
    EXPECT_EQ(RowHeight(list, 2), 12);
    EXPECT_EQ(RowHeight(list, 3), 22) << "one letter too many for the list's width";
    const int rowsShown = std::min(4, c.dropDownRows);
    int sum = 0;
    for (int row = 0; row < rowsShown; ++row) sum += RowHeight(list, row);
    EXPECT_EQ(list->Height(), sum) << "the list is as high as its shown rows";
    // The last word ends the first line, or starts the second.
    const int lastWordX = 2 + (letters - 5) * 5 + 2;
    EXPECT_EQ(ListPixel(list, lastWordX, 5), c.fittingLines == 1 ? ink : paper);
    if (c.fittingLines == 2) {
      EXPECT_EQ(ListPixel(list, 2 + 2, 10 + 5), ink);
    }
    KeepCheckedScreen("rows-" + std::to_string(c.dropDownRows));
    CloseUp();
  }
}

}  // namespace
