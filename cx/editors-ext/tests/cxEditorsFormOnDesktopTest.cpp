// One form with the specialised editors, shown by the SDL back end on a virtual X server and driven
// by simulated input: each step is checked on the editor's value and on the pixels X shows.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "cx/editors-ext/cxBlobEdit.h"
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxHyperLinkEdit.h"
#include "cx/editors-ext/cxImage.h"
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "cx/editors-ext/tests/cxLocaleTestFixture.h"
#include "platform/display/Display.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/forms/Colors.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

namespace {

class CxEditorsFormOnDesktopTest : public CxLocaleControlsTest {
 protected:
  CxEditorsFormOnDesktopTest() : CxLocaleControlsTest("ru-RU") {}

  // Lets X show the screen and compares the form's pixels with the framework's own screen.
  void ExpectDesktopShowsTheForm(const char* AStep) {
    LetDesktopSettle();
    Pump();
    LetDesktopSettle();
    const auto shot = ReadDesktopImage(window_);
    ASSERT_TRUE(shot) << AStep;
    KeepCheckedScreen(AStep);
    RECT wr;
    GetWindowRect(form_->Handle(), &wr);
    EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, wr), 0)
        << AStep << ": pixels of the form differ from the framework's screen";
  }
  void Focus(TWinControl* AControl) {
    AControl->SetFocus();
    Pump();
  }

  void* window_ = nullptr;
  TForm* form_ = nullptr;
};

TEST_F(CxEditorsFormOnDesktopTest, EveryEditorDrivenOnOneForm) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  SetScreenSize(800, 600);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << LastDisplayError();
  window_ = DisplaySdlWindow();
  ASSERT_NE(window_, nullptr);
  form_ = MakeForm(20, 20, 640, 480);

  // The filter window's group: two columns, "мужской" 1, "женский" 2, captioned "пол".
  auto* sex = Add<TcxRadioGroup>(form_, 10, 10, 220, 60);
  sex->SetCaption(u"пол");
  sex->Properties()->SetColumns(2);
  sex->Properties()->Items()->Add(u"мужской", 1);
  sex->Properties()->Items()->Add(u"женский", 2);
  auto* time = Add<TcxTimeEdit>(form_, 10, 80, 120, 21);
  auto* amount = Add<TcxCurrencyEdit>(form_, 10, 110, 120, 21);
  auto* date = Add<TcxDateEdit>(form_, 10, 140, 120, 21);
  auto* calc = Add<TcxCalcEdit>(form_, 10, 170, 120, 21);
  auto* mru = Add<TcxMRUEdit>(form_, 10, 200, 120, 21);
  auto* link = Add<TcxHyperLinkEdit>(form_, 10, 230, 200, 21);
  auto* image = Add<TcxImage>(form_, 300, 10, 100, 80);
  auto* category = Add<TcxImageComboBox>(form_, 300, 110, 150, 21);
  auto* notes = Add<TcxBlobEdit>(form_, 300, 140, 150, 21);
  notes->Properties()->SetBlobEditKind(bekMemo);
  TCustomImageList images(nullptr, 16, 16);
  for (TColor color : {clRed, clBlue}) {
    TBitmap square;
    square.SetSize(16, 16);
    square.Canvas()->Brush()->SetColor(color);
    square.Canvas()->FillRect({0, 0, 16, 16});
    images.AddMasked(&square, clFuchsia);
  }
  category->Properties()->SetImages(&images);
  category->Properties()->Items()->Add(u"штатный", 1, 0);
  category->Properties()->Items()->Add(u"внештатный", 2, 1);
  form_->Show();
  Pump();
  ExpectDesktopShowsTheForm("shown");

  // Arrows in the group move between its buttons; Space checks the focused one.
  sex->SetEditValue(1);
  Focus(sex->Buttons(0));
  Key(VK_RIGHT);
  Key(VK_SPACE);
  EXPECT_EQ(sex->EditValue().AsInteger(), 2);
  Key(VK_LEFT);
  Key(VK_SPACE);
  EXPECT_EQ(sex->EditValue().AsInteger(), 1);

  // A time part spun up.
  time->SetTime(EncodeTime(10, 30, 0, 0));
  Focus(time);
  time->SetSelStart(0);
  Key(VK_UP);
  EXPECT_DOUBLE_EQ(time->Time(), EncodeTime(11, 30, 0, 0));

  // An amount typed.
  Focus(amount);
  SimulateText(u"1234,5");
  Pump();
  Focus(calc);
  EXPECT_DOUBLE_EQ(amount->Value(), 1234.5);
  ExpectDesktopShowsTheForm("typed");

  // F4 into the calendar, PgDn (July 1st is still in June's six weeks) and a day clicked.
  date->SetDate(EncodeDate(2005, 6, 1));
  Focus(date);
  Key(VK_F4);
  ASSERT_TRUE(date->DroppedDown());
  Key(VK_NEXT);
  EXPECT_EQ(date->Calendar()->SelectDate(), EncodeDate(2005, 7, 1));
  ExpectDesktopShowsTheForm("calendar");
  ASSERT_TRUE(date->DroppedDown());
  const RECT cell = date->Calendar()->DateCellRect(EncodeDate(2005, 7, 8));
  Click(date->Calendar(), (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  Pump();
  EXPECT_FALSE(date->DroppedDown());
  EXPECT_EQ(std::floor(date->Date()), EncodeDate(2005, 7, 8)) << "a day of July in June's last week";

  // "2+3=" and "7/0=" in the calculator.
  Focus(calc);
  Key(VK_F4);
  ASSERT_TRUE(calc->DroppedDown());
  SimulateText(u"2+3=");
  Pump();
  EXPECT_EQ(StringToUtf8(calc->Text()), "5");
  ExpectDesktopShowsTheForm("calculator");
  Key(VK_DELETE);  // CE
  SimulateText(u"7/0=");
  Pump();
  EXPECT_EQ(StringToUtf8(calc->Text()), "Error");
  Key(VK_RETURN);
  Pump();
  EXPECT_FALSE(calc->DroppedDown());
  EXPECT_DOUBLE_EQ(calc->Value(), 0) << "the error closes into 0";

  // An MRU entry moves to the top of the list.
  mru->ActiveProperties()->LookupItems()->Add(u"Иванов");
  mru->ActiveProperties()->LookupItems()->Add(u"Петров");
  Focus(mru);
  SimulateText(u"Петров");
  Pump();
  mru->PostEditValue();  // as a bound editor's post does
  Focus(time);           // the list typing opened closes
  EXPECT_EQ(StringToUtf8(mru->ActiveProperties()->LookupItems()->Strings(0)), "Петров");

  // A hyperlink double click starts the link.
  std::vector<std::string> started;
  SetShellLauncher([&](const std::vector<std::string>& AArguments) {
    started = AArguments;
    return true;
  });
  link->SetText(u"https://example.org/kursy");
  Pump();
  const POINT at = link->ClientToScreen(POINT{20, 10});
  clock_->Advance(1000);  // no earlier click makes this one a double click
  SimulateClick(TSimButton::Left, at);
  SimulateClick(TSimButton::Left, at);
  Pump();
  SetShellLauncher(nullptr);
  ASSERT_FALSE(started.empty());
  EXPECT_EQ(started.back(), "https://example.org/kursy");

  // An image combo choice from its list: the list's rows show the images, the edit the chosen one.
  category->SetEditValue(1);
  Focus(category);
  EXPECT_EQ(StringToUtf8(category->Text()), "штатный");
  EXPECT_EQ(category->ItemIndex(), 0);
  Key(VK_F4);
  ASSERT_TRUE(category->DroppedDown());
  TcxComboBoxListBox* list = category->ComboListBox();
  ASSERT_NE(list, nullptr);
  const RECT second = list->ItemRect(1);
  EXPECT_EQ(ColorToRGB(ScreenPixel(list, 1 + 8, (second.top + second.bottom) / 2)), ColorToRGB(clBlue));
  ExpectDesktopShowsTheForm("image combo list");
  Click(list, 40, (second.top + second.bottom) / 2);
  Pump();
  EXPECT_FALSE(category->DroppedDown());
  EXPECT_EQ(category->EditValue().AsInteger(), 2);
  EXPECT_EQ(StringToUtf8(category->Text()), "внештатный");

  // The BLOB memo popup: Esc keeps the old text, F4 keeps the typed one.
  notes->SetEditValue(Variant(u"курсы"));
  Focus(notes);
  Key(VK_F4);
  ASSERT_TRUE(notes->DroppedDown());
  SimulateText(u"новые ");
  Pump();
  Key(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(notes->DroppedDown());
  EXPECT_EQ(StringToUtf8(VarToStr(notes->EditValue())), "курсы");
  Key(VK_F4);
  ASSERT_TRUE(notes->DroppedDown());
  SimulateText(u"новые ");
  Pump();
  ExpectDesktopShowsTheForm("blob memo");
  Key(VK_F4);
  Pump();
  EXPECT_FALSE(notes->DroppedDown());
  EXPECT_EQ(StringToUtf8(VarToStr(notes->EditValue())), "новые курсы");

  // A picture pasted into the image editor.
  TPicture picture;
  picture.Bitmap()->SetSize(40, 20);
  picture.Bitmap()->Canvas()->Brush()->SetColor(clRed);
  picture.Bitmap()->Canvas()->FillRect({0, 0, 40, 20});
  image->SetEditValue(VarFromAnsiString(cxPictureToValue(&picture)));
  Pump();
  EXPECT_EQ(image->Picture()->Width(), 40);
  ExpectDesktopShowsTheForm("final");
}

}  // namespace
